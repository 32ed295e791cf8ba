#include "core/functions/analog_commands.h"
#include "core/functions/other_settings_paths.h"
#include "core/functions/thermo_settings_form.h"
#include "core/net/net_results.h"
#include "core/settings/write_plan.h"
#include "net_fake_units.h"
#include "platform_test_peer.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kovra;
using namespace kovra::test;

namespace {

using Temperature = ThermoSettingsForm::Temperature;

std::string framed(const std::string& body)
{
    return body + '\xC8';
}

// Type 7 (B), cold junction ON, burn-out detection OFF, output 7FFFFFh, scale 4-20 mA,
// -200.0 to 1372.0 degrees.
const ThermocoupleSettings kTypeB { 7, true, false, 1, 3, -2000, 13720 };

bool operator==(const ThermocoupleSettings& a, const ThermocoupleSettings& b)
{
    return a.type == b.type && a.coldJunction == b.coldJunction && a.burnoutDetection == b.burnoutDetection
        && a.burnoutOutput == b.burnoutOutput && a.scale == b.scale && a.lower == b.lower
        && a.upper == b.upper;
}

// --- Thermocouple requests and answers ---

TEST(ThermoCommands, RequestBytes)
{
    ThermocoupleSettings typeK;
    const std::pair<std::string, std::string> cases[] = {
        { thermoReadRequest(0), framed("TJ ") },
        { thermoReadRequest(4), framed("TJ$") },
        { thermoWriteRequest(1, kTypeB), framed("TW!'! !#F8303598") },
        { thermoWriteRequest(4, typeK), framed("TW$     00000000") },
        // Out of range: nothing to send.
        { thermoReadRequest(5), "" },
        { thermoWriteRequest(5, typeK), "" },
        { thermoWriteRequest(0, { 8, false, false, 0, 0, 0, 0 }), "" },
        { thermoWriteRequest(0, { 0, false, false, 2, 0, 0, 0 }), "" },
        { thermoWriteRequest(0, { 0, false, false, 0, 4, 0, 0 }), "" },
        { thermoWriteRequest(0, { 0, false, false, 0, 0, -32769, 0 }), "" },
        { thermoWriteRequest(0, { 0, false, false, 0, 0, 0, 32768 }), "" },
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << i;
}

// The read answer carries what the write sends, so a written AI reads back unchanged.
TEST(ThermoCommands, WrittenSettingsReadBack)
{
    const ThermocoupleSettings cases[]
        = { kTypeB, {}, { 3, false, true, 0, 1, -32768, 32767 }, { 5, true, true, 1, 2, -1, 0 } };
    for (int input = 0; input < kAnalogInputMax; ++input) {
        for (const auto& written : cases) {
            const std::string request = thermoWriteRequest(input, written);
            ThermocoupleSettings read;
            ASSERT_TRUE(parseThermoReadAnswer("tj" + request.substr(2), input, read)) << request;
            EXPECT_TRUE(read == written) << request;
        }
    }
}

struct ThermoAnswerCase {
    const char* name;
    std::string answer;
    int input;
};

class MalformedThermoAnswer : public testing::TestWithParam<ThermoAnswerCase> { };

TEST_P(MalformedThermoAnswer, IsRefusedAndLeavesTheSettings)
{
    const auto& c = GetParam();
    ThermocoupleSettings settings = kTypeB;
    EXPECT_FALSE(parseThermoReadAnswer(c.answer, c.input, settings));
    EXPECT_TRUE(settings == kTypeB);
}

INSTANTIATE_TEST_SUITE_P(Answers, MalformedThermoAnswer,
    testing::Values(ThermoAnswerCase { "TypePastTheList", framed("tj!(! !#F8303598"), 1 },
        ThermoAnswerCase { "ColdJunctionTwo", framed("tj! \" !#F8303598"), 1 },
        ThermoAnswerCase { "BurnoutByteBelowOffset", framed("tj! !\x1F!#F8303598"), 1 },
        ThermoAnswerCase { "OutputTwo", framed("tj! ! \"#F8303598"), 1 },
        ThermoAnswerCase { "ScaleFour", framed("tj!'! !$F8303598"), 1 },
        ThermoAnswerCase { "LowerNotHex", framed("tj!'! !#F83G3598"), 1 },
        ThermoAnswerCase { "UpperSigned", framed("tj!'! !#F830-598"), 1 },
        ThermoAnswerCase { "OtherInput", framed("tj!'! !#F8303598"), 2 },
        ThermoAnswerCase { "NoSuchInput", framed("tj%'! !#F8303598"), 5 },
        ThermoAnswerCase { "UpperCaseLetters", framed("TJ!'! !#F8303598"), 1 },
        ThermoAnswerCase { "NoEndMark", "tj!'! !#F8303598 ", 1 },
        ThermoAnswerCase { "Short", framed("tj!'! !#F830359"), 1 },
        ThermoAnswerCase { "Long", framed("tj!'! !#F83035980"), 1 }),
    [](const testing::TestParamInfo<ThermoAnswerCase>& info) { return std::string(info.param.name); });

// --- The form ---

TEST(ThermoSettingsForm, OneEntryPerAIOfTheModel)
{
    const std::pair<int, int> cases[] = { { 10, 3 }, { 12, 5 }, { 32, 3 } };
    for (const auto& [model, inputs] : cases)
        EXPECT_EQ(ThermoSettingsForm(model).inputCount(), inputs) << model;

    std::vector<std::string> names;
    const ThermoSettingsForm form(10);
    for (const auto& field : form.fields())
        names.push_back(field.name);
    std::vector<std::string> expected { "sps" };
    for (const char* input : { "ai1.", "ai2.", "ai3." })
        for (const char* name :
            { "range", "type", "cold-junction", "burnout", "burnout-output", "scale", "lower", "upper" })
            expected.push_back(std::string(input) + name);
    EXPECT_EQ(names, expected);
}

TEST(ThermoSettingsForm, FieldsTakeTheListTexts)
{
    ThermoSettingsForm form(12);
    const std::pair<const char*, const char*> fields[] = {
        { "sps", "16.6sps" },
        { "ai5.range", "熱電対" },
        { "ai5.type", "B" },
        { "ai5.cold-junction", "on" },
        { "ai5.burnout", "off" },
        { "ai5.burnout-output", "7FFFFFh" },
        { "ai5.scale", "4-20ｍA" },
        { "ai5.lower", "-200" },
        { "ai5.upper", "1372.09" },
        { "ai1.range", "0-20mA(50Ω)" },
    };
    for (const auto& [name, text] : fields)
        EXPECT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name;
    EXPECT_EQ(form.samplingRate(), 1);
    EXPECT_EQ(form.input(4).range, kThermocoupleRange);
    EXPECT_TRUE(form.input(4).thermocouple == kTypeB);
    EXPECT_EQ(form.input(0).range, 5);
    EXPECT_EQ(form.field("ai5.upper")->get(), "1372.0");

    EXPECT_EQ(form.setFieldText("ai5.type", "X"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(form.setFieldText("ai5.burnout", "yes"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(ThermoSettingsForm(10).setFieldText("ai4.range", "1V"), DialogForm::SetResult::UnknownField);
}

TEST(ThermoSettingsForm, ThermocoupleSettingsLiveOnlyForTheThermocoupleRange)
{
    ThermoSettingsForm form(10);
    for (int range = 0; range <= kThermocoupleRange; ++range) {
        form.setRange(1, range);
        EXPECT_EQ(form.thermocoupleEnabled(1), range == kThermocoupleRange) << range;
    }
    EXPECT_FALSE(form.thermocoupleEnabled(0));
    form.setRange(1, 7); // not in the list: unchanged
    EXPECT_TRUE(form.thermocoupleEnabled(1));
}

struct TemperatureCase {
    const char* typed;
    bool rejected;
    const char* accepted;
    int tenths;
    const char* shown; // after focus loss
};

class TemperatureEntry : public testing::TestWithParam<TemperatureCase> { };

TEST_P(TemperatureEntry, StoredInTruncatedTenthsWithinTheCountRange)
{
    const auto& c = GetParam();
    ThermoSettingsForm form(10);
    const NumericEntry entry = form.enterTemperature(2, Temperature::Upper, c.typed);
    EXPECT_EQ(entry.rejected, c.rejected);
    EXPECT_EQ(entry.accepted, c.accepted);
    EXPECT_EQ(form.input(2).thermocouple.upper, c.tenths);
    EXPECT_EQ(form.input(2).thermocouple.lower, 0);
    EXPECT_EQ(form.temperatureText(2, Temperature::Upper), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Edges, TemperatureEntry,
    testing::Values(TemperatureCase { "12.34", false, "12.34", 123, "12.3" },
        TemperatureCase { "12.39", false, "12.39", 123, "12.3" }, // truncated, not rounded
        TemperatureCase { "-12.36", false, "-12.36", -123, "-12.3" },
        TemperatureCase { "0.05", false, "0.05", 0, "0.0" },
        TemperatureCase { "3276.7", false, "3276.7", 32767, "3276.7" },
        TemperatureCase { "3276.8", false, "3276.8", 32767, "3276.7" },
        TemperatureCase { "-4000", false, "-4000", -32768, "-3276.8" },
        TemperatureCase { "99999999999999999999999", false, "99999999999999999999999", 32767, "3276.7" },
        TemperatureCase { "", false, "", 0, "0.0" }, TemperatureCase { "-", false, "-", 0, "0.0" },
        TemperatureCase { "1.5e3", true, "1.5", 15, "1.5" }, TemperatureCase { "abc", true, "", 0, "0.0" }));

// --- Load and write against a unit on loopback ---

// The per-AI part of a thermocouple answer and write: AI n has type n, cold junction ON,
// burn-out detection OFF, output 7FFFFFh, scale 4-20 mA, -200.0 to 1372.0 degrees.
std::string thermoBody(int input)
{
    return std::string { char(0x20 + input), char(0x20 + input) } + "! !#F8303598";
}

constexpr int kRanges[kAnalogInputMax] = { 6, 2, 6, 0, 6 };

// Sampling rate 3, the ranges above, the thermocouple settings of thermoBody; writes are
// acknowledged as units do.
std::string thermoUnitAnswer(const std::string& request)
{
    const std::string letters = request.substr(0, 2);
    const int input = request.size() > 2 ? request[2] - 0x20 : -1;
    if (request == framed("MR0491"))
        return framed("mr049103");
    if (letters == "AJ" && input >= 0 && input < kAnalogInputMax)
        return framed(std::string("aj") + request[2] + char(0x40 + kRanges[input]) + ' ');
    if (letters == "TJ" && input >= 0 && input < kAnalogInputMax)
        return framed("tj" + thermoBody(input));
    if (letters == "AP" || letters == "AR")
        return std::string { char(request[0] + 0x20), char(request[1] + 0x20) } + request.substr(2);
    if (letters == "TW")
        return framed(std::string("tw") + request[2]);
    return {};
}

FakeCommandUnit::Session answering(std::function<std::string(const std::string&)> answer)
{
    return [answer](FakeConnection& connection) {
        for (Bytes request = connection.readFrame(); !request.empty(); request = connection.readFrame()) {
            const std::string reply = answer(std::string(request.begin(), request.end()));
            if (reply.empty())
                return;
            connection.write(Bytes(reply.begin(), reply.end()));
        }
    };
}

class ThermoSettingsPathTest : public testing::Test {
protected:
    UnitSlot slotOf(int model, const FakeCommandUnit& unit) const
    {
        UnitSlot slot;
        slot.record.ipText = unit.ipText();
        slot.record.setUnitPort(unit.port());
        slot.record.modelIndex = model;
        return slot;
    }

    LoopbackBinding m_binding;
};

TEST_F(ThermoSettingsPathTest, ReadsEveryAIThenWritesItBack)
{
    FakeCommandUnit unit(nextLoopbackAddress(), answering(thermoUnitAnswer));
    const auto path = makeThermoSettingsPath(slotOf(12, unit));
    ASSERT_EQ(path->load(), 0);
    const auto& form = dynamic_cast<ThermoSettingsForm&>(path->form());
    EXPECT_EQ(form.samplingRate(), 3);
    for (int input = 0; input < kAnalogInputMax; ++input) {
        ThermocoupleSettings expected = kTypeB;
        expected.type = input;
        EXPECT_EQ(form.input(input).range, kRanges[input]) << input;
        EXPECT_TRUE(form.input(input).thermocouple == expected) << input;
    }

    const WritePlan plan = path->plan();
    ASSERT_EQ(plan.size(), 1u);
    const auto& requests = std::get<DirectStep>(plan[0]).requests;
    std::string reads = framed("MR0491");
    std::string writes = framed("AP#");
    std::vector<size_t> answerLengths { 4 };
    for (int input = 0; input < kAnalogInputMax; ++input) {
        reads += framed("AJ" + std::string(1, char(0x20 + input)))
            + framed("TJ" + std::string(1, char(0x20 + input)));
        writes += framed("AR" + std::string { char(0x20 + input), char(0x20 + kRanges[input]) })
            + framed("TW" + thermoBody(input));
        answerLengths.insert(answerLengths.end(), { 5, 4 });
    }
    ASSERT_EQ(requests.size(), answerLengths.size());
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].answerLength, answerLengths[i]) << i;
        EXPECT_EQ(requests[i].pauseAfterMs, kAnalogCommandPauseMs) << i;
    }
    EXPECT_EQ(runWritePlan(plan, slotOf(12, unit).record), 0);
    EXPECT_EQ(unit.received(2),
        (std::vector<Bytes> { Bytes(reads.begin(), reads.end()), Bytes(writes.begin(), writes.end()) }));
}

TEST_F(ThermoSettingsPathTest, MalformedThermocoupleAnswerEndsTheLoad)
{
    FakeCommandUnit unit(nextLoopbackAddress(), answering([](const std::string& request) {
        return request == framed("TJ!") ? framed("tj!!! !#F83035ZZ") : thermoUnitAnswer(request);
    }));
    EXPECT_EQ(makeThermoSettingsPath(slotOf(10, unit))->load(), kAnswerRefused);
    const std::string reads
        = framed("MR0491") + framed("AJ ") + framed("TJ ") + framed("AJ!") + framed("TJ!");
    EXPECT_EQ(unit.received(1), (std::vector<Bytes> { Bytes(reads.begin(), reads.end()) }));
}

} // namespace
