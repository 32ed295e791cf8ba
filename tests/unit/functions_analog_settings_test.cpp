#include "core/functions/analog_commands.h"
#include "core/functions/analog_settings_form.h"
#include "core/functions/other_settings_paths.h"
#include "core/net/net_results.h"
#include "core/platform/socket_error.h"
#include "core/settings/write_plan.h"
#include "net_fake_units.h"
#include "platform_test_peer.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace kovra;
using namespace kovra::test;

namespace {

constexpr int kVoltage = kOutputVoltage;
constexpr int kCurrent = kOutputCurrent;

// A request or answer: the bytes, then the end mark C8h.
std::string framed(const std::string& body)
{
    return body + '\xC8';
}

// --- AO initial values: the count a value is written as, the text a count is shown as ---

struct RawCase {
    const char* text;
    int kind;
    int raw;
};

class OutputInitialRaw : public testing::TestWithParam<RawCase> { };

TEST_P(OutputInitialRaw, ValueTextBecomesTheCount)
{
    const auto& c = GetParam();
    AnalogSettingsForm form(11);
    form.setOutputKind(0, c.kind);
    form.setOutputText(0, c.text);
    ASSERT_FALSE(form.check());
    EXPECT_EQ(form.output(0).kind, c.kind);
    EXPECT_EQ(form.output(0).raw, c.raw);
}

INSTANTIATE_TEST_SUITE_P(Edges, OutputInitialRaw,
    testing::Values(RawCase { "20", kCurrent, 32767 }, RawCase { "0", kCurrent, 0 },
        RawCase { "10", kCurrent, 16384 }, // 16383.5 rounds up
        RawCase { "4", kCurrent, 6553 }, RawCase { "10", kVoltage, 32767 },
        RawCase { "-10", kVoltage, -32768 }, RawCase { "5", kVoltage, 16384 },
        RawCase { "-5", kVoltage, -16384 }, RawCase { "9.99985", kVoltage, 32767 }, // 32766.51 rounds up
        RawCase { "9.99983", kVoltage, 32766 }, // 32766.44 rounds down
        RawCase { "-0.00001", kVoltage, 0 }, // -0.03 rounds to zero, not -1
        RawCase { "-0.002", kVoltage, -7 }, // -6.55 rounds away from zero
        RawCase { "+2.5abc", kVoltage, 8192 }, // the number at the start counts
        RawCase { "abc", kVoltage, 0 }));

struct TextCase {
    int kind;
    int raw;
    const char* text;
};

class OutputInitialText : public testing::TestWithParam<TextCase> { };

TEST_P(OutputInitialText, CountIsShownWithSignAndFiveDecimals)
{
    const auto& c = GetParam();
    EXPECT_EQ(outputInitialText({ c.kind, c.raw }), c.text);
}

INSTANTIATE_TEST_SUITE_P(Edges, OutputInitialText,
    testing::Values(TextCase { kCurrent, 32767, "+20.00000" }, TextCase { kCurrent, 0, "+0.00000" },
        TextCase { kCurrent, 6553, "+3.99976" },
        // Current counts scale against 32767 below zero too.
        TextCase { kCurrent, -32768, "-20.00061" }, TextCase { kVoltage, 32767, "+10.00000" },
        TextCase { kVoltage, -32768, "-10.00000" }, TextCase { kVoltage, 16384, "+5.00015" },
        TextCase { kVoltage, -16384, "-5.00000" }, TextCase { kVoltage, -1, "-0.00031" }));

// What the unit reported is written back unchanged when OK follows without edits.
TEST(AnalogSettingsForm, ShownValueWritesBackTheCountItCameFrom)
{
    AnalogSettingsForm form(9);
    for (int raw = -32768; raw <= 32767; raw += 97) {
        form.loadOutput(0, { kVoltage, raw });
        EXPECT_EQ(form.output(0).raw, raw) << form.outputText(0);
        if (raw >= 0) {
            form.loadOutput(1, { kCurrent, raw });
            EXPECT_EQ(form.output(1).raw, raw) << form.outputText(1);
        }
    }
}

// --- OK's checks ---

struct CheckCase {
    const char* name;
    std::array<int, 3> kinds;
    std::array<const char*, 3> texts;
    bool refused;
};

class AnalogSettingsCheck : public testing::TestWithParam<CheckCase> { };

TEST_P(AnalogSettingsCheck, EachOutputWithinItsKindsSpan)
{
    const auto& c = GetParam();
    AnalogSettingsForm form(11);
    for (int output = 0; output < 3; ++output) {
        form.setOutputKind(output, c.kinds[size_t(output)]);
        form.setOutputText(output, c.texts[size_t(output)]);
    }
    const auto failure = form.check();
    if (c.refused)
        EXPECT_EQ(failure, std::optional<std::string>("値設定エラー"));
    else
        EXPECT_EQ(failure, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Spans, AnalogSettingsCheck,
    testing::Values(CheckCase { "EdgesPass", { kVoltage, kCurrent, kVoltage }, { "-10", "20", "10" }, false },
        CheckCase { "CurrentAboveTwenty", { kVoltage, kCurrent, kVoltage }, { "0", "20.000001", "0" }, true },
        CheckCase { "NegativeCurrent", { kCurrent, kVoltage, kVoltage }, { "-0.00001", "0", "0" }, true },
        CheckCase { "VoltageAboveTen", { kVoltage, kVoltage, kVoltage }, { "0", "0", "10.00001" }, true },
        CheckCase { "VoltageBelowMinusTen", { kVoltage, kVoltage, kVoltage }, { "-10.5", "0", "0" }, true },
        CheckCase { "KindDecidesTheSpan", { kCurrent, kVoltage, kVoltage }, { "15", "0", "0" }, false },
        CheckCase { "FifteenVolts", { kVoltage, kVoltage, kVoltage }, { "15", "0", "0" }, true },
        CheckCase { "NotANumberReadsAsZero", { kCurrent, kVoltage, kVoltage }, { "abc", "", "-" }, false },
        CheckCase { "NanIsRefused", { kVoltage, kVoltage, kVoltage }, { "0", "nan", "0" }, true },
        CheckCase { "InfinityIsRefused", { kVoltage, kVoltage, kCurrent }, { "0", "0", "inf" }, true }),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(AnalogSettingsForm, OnlyTheModelsOutputsAreChecked)
{
    AnalogSettingsForm model9(9);
    model9.setOutputText(2, "99");
    EXPECT_EQ(model9.check(), std::nullopt);
    AnalogSettingsForm model8(8);
    EXPECT_EQ(model8.check(), std::nullopt);
}

// --- Fields per model ---

std::vector<std::string> fieldNames(const DialogForm& form)
{
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    return names;
}

TEST(AnalogSettingsForm, ModelDecidesWhatIsShown)
{
    struct Case {
        int model;
        int inputs;
        int outputs;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        { 8, 3, 0, { "sps", "ai1.range", "ai2.range", "ai3.range" } },
        { 9, 0, 2, { "ao1.kind", "ao1.value", "ao2.kind", "ao2.value" } },
        { 11, 0, 3, { "ao1.kind", "ao1.value", "ao2.kind", "ao2.value", "ao3.kind", "ao3.value" } },
    };
    for (const auto& c : cases) {
        AnalogSettingsForm form(c.model);
        EXPECT_EQ(form.inputCount(), c.inputs) << c.model;
        EXPECT_EQ(form.outputCount(), c.outputs) << c.model;
        EXPECT_EQ(fieldNames(form), c.fields) << c.model;
    }
}

TEST(AnalogSettingsForm, FieldsTakeTheListTexts)
{
    AnalogSettingsForm inputs(8);
    EXPECT_EQ(inputs.setFieldText("sps", "14400sps"), DialogForm::SetResult::Set);
    EXPECT_EQ(inputs.setFieldText("ai2.range", "0-20mA (外付け50Ω)"), DialogForm::SetResult::Set);
    EXPECT_EQ(inputs.setFieldText("ai3.range", "熱電対"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(inputs.setFieldText("ao1.kind", "current"), DialogForm::SetResult::UnknownField);
    EXPECT_EQ(inputs.samplingRate(), 7);
    EXPECT_EQ(inputs.inputRange(1), 5);
    EXPECT_EQ(inputs.field("ai1.range")->get(), "±100mV");

    AnalogSettingsForm outputs(11);
    EXPECT_EQ(outputs.setFieldText("ao3.kind", "current"), DialogForm::SetResult::Set);
    EXPECT_EQ(outputs.setFieldText("ao3.kind", "ampere"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(outputs.setFieldText("ao3.value", "12.5"), DialogForm::SetResult::Set);
    EXPECT_EQ(outputs.check(), std::nullopt); // 12.5 mA
    EXPECT_EQ(outputs.setFieldText("ao3.kind", "voltage"), DialogForm::SetResult::Set);
    EXPECT_EQ(outputs.check(), std::optional<std::string>("値設定エラー")); // 12.5 V
    EXPECT_EQ(outputs.field("ao1.value")->get(), "+0.00000");
}

TEST(AnalogSettingsForm, TypedValueKeepsOnlyItsNumericStart)
{
    AnalogSettingsForm form(9);
    const NumericEntry typed = form.enterOutputText(1, "1.5a");
    EXPECT_TRUE(typed.rejected);
    EXPECT_EQ(typed.accepted, "1.5");
    EXPECT_EQ(form.outputText(1), "1.5");
    EXPECT_FALSE(form.enterOutputText(1, "-2.25").rejected);
    EXPECT_EQ(form.outputText(1), "-2.25");
}

// --- Requests and answers ---

TEST(AnalogCommands, RequestBytes)
{
    const std::pair<std::string, std::string> cases[] = {
        { rangeReadRequest(0), framed("AJ ") },
        { rangeReadRequest(4), framed("AJ$") },
        { rangeWriteRequest(1, 4), framed("AR!$") },
        { rangeWriteRequest(2, 6), framed("AR\"&") },
        { outputReadRequest(0), framed("MR0303") },
        { outputReadRequest(1), framed("MR0333") },
        { outputReadRequest(2), framed("MR0363") },
        { outputWriteRequest(0, { kVoltage, 32767 }), framed("AQ 7FFF") },
        { outputWriteRequest(1, { kCurrent, 6553 }), framed("AQ)1999") },
        { outputWriteRequest(2, { kVoltage, -32768 }), framed("AQ\"8000") },
        { samplingRateWrite(7).bytes, framed("AP'") },
        // Out of range: nothing to send.
        { rangeReadRequest(5), "" },
        { rangeReadRequest(-1), "" },
        { rangeWriteRequest(0, 7), "" },
        { outputReadRequest(3), "" },
        { outputWriteRequest(0, { 2, 0 }), "" },
        { outputWriteRequest(0, { kVoltage, 32768 }), "" },
        { outputWriteRequest(3, { kVoltage, 0 }), "" },
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << i;
}

struct RangeAnswerCase {
    const char* name;
    std::string answer;
    int input;
    int rangeCount;
    bool accepted;
    int range;
};

class RangeAnswer : public testing::TestWithParam<RangeAnswerCase> { };

TEST_P(RangeAnswer, RangeIsTheLowNibbleOfAWholeFrame)
{
    const auto& c = GetParam();
    int range = -1;
    EXPECT_EQ(parseRangeReadAnswer(c.answer, c.input, c.rangeCount, range), c.accepted);
    EXPECT_EQ(range, c.accepted ? c.range : -1);
}

INSTANTIATE_TEST_SUITE_P(Answers, RangeAnswer,
    testing::Values(RangeAnswerCase { "Range3", framed("aj C "), 0, 6, true, 3 },
        RangeAnswerCase { "HighNibbleIgnored", framed("aj\"5 "), 2, 6, true, 5 },
        RangeAnswerCase { "ThermocoupleOnThermoModels", framed("aj!F "), 1, 7, true, 6 },
        RangeAnswerCase { "ThermocoupleNotInTheAnalogList", framed("aj!F "), 1, 6, false, 0 },
        RangeAnswerCase { "NibblePastTheList", framed("aj O "), 0, 7, false, 0 },
        RangeAnswerCase { "OtherInput", framed("aj!C "), 0, 6, false, 0 },
        RangeAnswerCase { "NoSuchInput", framed("aj%C "), 5, 7, false, 0 },
        RangeAnswerCase { "UpperCaseLetters", framed("AJ C "), 0, 6, false, 0 },
        RangeAnswerCase { "NoEndMark", "aj C  ", 0, 6, false, 0 },
        RangeAnswerCase { "Short", framed("aj C"), 0, 6, false, 0 },
        RangeAnswerCase { "Long", framed("aj C  "), 0, 6, false, 0 },
        RangeAnswerCase { "Empty", "", 0, 6, false, 0 }),
    [](const testing::TestParamInfo<RangeAnswerCase>& info) { return std::string(info.param.name); });

struct OutputAnswerCase {
    const char* name;
    std::string answer;
    int output;
    bool accepted;
    AnalogOutputInitial value;
};

class OutputAnswer : public testing::TestWithParam<OutputAnswerCase> { };

TEST_P(OutputAnswer, KindAndSignedCountOfTheAsksRegisters)
{
    const auto& c = GetParam();
    AnalogOutputInitial value { -1, -1 };
    EXPECT_EQ(parseOutputReadAnswer(c.answer, c.output, value), c.accepted);
    EXPECT_EQ(value.kind, c.accepted ? c.value.kind : -1);
    EXPECT_EQ(value.raw, c.accepted ? c.value.raw : -1);
}

INSTANTIATE_TEST_SUITE_P(Answers, OutputAnswer,
    testing::Values(OutputAnswerCase { "Current", framed("mr0303011999"), 0, true, { kCurrent, 6553 } },
        OutputAnswerCase { "NegativeVoltage", framed("mr0363008000"), 2, true, { kVoltage, -32768 } },
        OutputAnswerCase { "LowerCaseDigits", framed("mr033300c000"), 1, true, { kVoltage, -16384 } },
        OutputAnswerCase { "KindTwo", framed("mr0303027FFF"), 0, false, {} },
        OutputAnswerCase { "NotHex", framed("mr03030G7FFF"), 0, false, {} },
        OutputAnswerCase { "OtherRegisters", framed("mr0333007FFF"), 0, false, {} },
        OutputAnswerCase { "OtherCount", framed("mr0302007FFF"), 0, false, {} },
        OutputAnswerCase { "NoEndMark", "mr0303007FFF ", 0, false, {} },
        OutputAnswerCase { "Short", framed("mr0303007FF"), 0, false, {} },
        OutputAnswerCase { "NoSuchOutput", framed("mr0393007FFF"), 3, false, {} }),
    [](const testing::TestParamInfo<OutputAnswerCase>& info) { return std::string(info.param.name); });

// --- Load and write against a unit on loopback ---

// A unit's command port answering each framed request with what `answer` returns for it;
// an empty answer closes the connection.
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

// Sampling rate 5, ranges 2, 4, 5, AOs +10 V, 6553 (current), -16384 (voltage); writes are
// acknowledged as units do.
std::string analogUnitAnswer(const std::string& request)
{
    static const std::map<std::string, std::string> reads {
        { framed("MR0491"), framed("mr049105") },
        { framed("AJ "), framed("aj B ") },
        { framed("AJ!"), framed("aj!D ") },
        { framed("AJ\""), framed("aj\"E ") },
        { framed("MR0303"), framed("mr0303007FFF") },
        { framed("MR0333"), framed("mr0333011999") },
        { framed("MR0363"), framed("mr036300C000") },
    };
    if (const auto read = reads.find(request); read != reads.end())
        return read->second;
    const std::string echo { char(request[0] + 0x20), char(request[1] + 0x20) };
    if (echo == "ap" || echo == "ar" || echo == "aq")
        return echo + request.substr(2);
    return {};
}

class AnalogSettingsPathTest : public testing::Test {
protected:
    UnitSlot slotOf(int model, const FakeCommandUnit& unit) const
    {
        UnitSlot slot;
        slot.record.ipText = unit.ipText();
        slot.record.setUnitPort(unit.port());
        slot.record.modelIndex = model;
        return slot;
    }

    static Bytes bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

    LoopbackBinding m_binding;
};

TEST_F(AnalogSettingsPathTest, Model8ReadsSamplingAndRangesThenWritesThem)
{
    FakeCommandUnit unit(nextLoopbackAddress(), answering(analogUnitAnswer));
    const auto path = makeAnalogSettingsPath(slotOf(8, unit));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(path->load(), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4 * kAnalogCommandPauseMs));
    auto& form = dynamic_cast<AnalogSettingsForm&>(path->form());
    EXPECT_EQ(form.samplingRate(), 5);
    EXPECT_EQ(form.inputRange(0), 2);
    EXPECT_EQ(form.inputRange(1), 4);
    EXPECT_EQ(form.inputRange(2), 5);

    form.setSamplingRate(7);
    form.setInputRange(2, 0);
    const WritePlan plan = path->plan();
    ASSERT_EQ(plan.size(), 1u);
    const auto& step = std::get<DirectStep>(plan[0]);
    const std::vector<std::pair<std::string, size_t>> expected {
        { framed("AP'"), 4 },
        { framed("AR \""), 5 },
        { framed("AR!$"), 5 },
        { framed("AR\" "), 5 },
    };
    ASSERT_EQ(step.requests.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(step.requests[i].bytes, expected[i].first) << i;
        EXPECT_EQ(step.requests[i].answerLength, expected[i].second) << i;
        EXPECT_FALSE(step.requests[i].skipCheck) << i;
        EXPECT_EQ(step.requests[i].pauseAfterMs, kAnalogCommandPauseMs) << i;
    }
    EXPECT_EQ(runWritePlan(plan, slotOf(8, unit).record), 0);
    EXPECT_EQ(unit.received(2),
        (std::vector<Bytes> { bytes(framed("MR0491") + framed("AJ ") + framed("AJ!") + framed("AJ\"")),
            bytes(framed("AP'") + framed("AR \"") + framed("AR!$") + framed("AR\" ")) }));
}

TEST_F(AnalogSettingsPathTest, OutputModelsReadAndWriteTheirAOs)
{
    FakeCommandUnit unit(nextLoopbackAddress(), answering(analogUnitAnswer));
    const auto path = makeAnalogSettingsPath(slotOf(11, unit));
    ASSERT_EQ(path->load(), 0);
    auto& form = dynamic_cast<AnalogSettingsForm&>(path->form());
    EXPECT_EQ(form.outputKind(0), kVoltage);
    EXPECT_EQ(form.outputText(0), "+10.00000");
    EXPECT_EQ(form.outputKind(1), kCurrent);
    EXPECT_EQ(form.outputText(1), "+3.99976");
    EXPECT_EQ(form.outputKind(2), kVoltage);
    EXPECT_EQ(form.outputText(2), "-5.00000");

    form.setOutputKind(0, kCurrent);
    form.setOutputText(0, "20");
    form.setOutputText(2, "-10");
    ASSERT_EQ(form.check(), std::nullopt);
    const WritePlan plan = path->plan();
    ASSERT_EQ(plan.size(), 1u);
    const auto& step = std::get<DirectStep>(plan[0]);
    ASSERT_EQ(step.requests.size(), 3u);
    for (const auto& request : step.requests) {
        EXPECT_EQ(request.answerLength, kOutputWriteAnswerLength);
        EXPECT_EQ(request.pauseAfterMs, kAnalogCommandPauseMs);
    }
    EXPECT_EQ(runWritePlan(plan, slotOf(11, unit).record), 0);
    EXPECT_EQ(unit.received(2),
        (std::vector<Bytes> { bytes(framed("MR0303") + framed("MR0333") + framed("MR0363")),
            bytes(framed("AQ(7FFF") + framed("AQ)1999") + framed("AQ\"8000")) }));
}

TEST_F(AnalogSettingsPathTest, Model9HasTwoOutputs)
{
    FakeCommandUnit unit(nextLoopbackAddress(), answering(analogUnitAnswer));
    const auto path = makeAnalogSettingsPath(slotOf(9, unit));
    ASSERT_EQ(path->load(), 0);
    EXPECT_EQ(std::get<DirectStep>(path->plan()[0]).requests.size(), 2u);
    EXPECT_EQ(unit.received(1), (std::vector<Bytes> { bytes(framed("MR0303") + framed("MR0333")) }));
}

struct LoadFailureCase {
    const char* name;
    int model;
    std::string badRequest; // answered with `badAnswer` instead; empty answer: connection closed
    std::string badAnswer;
    int result;
    std::string received; // every request the unit got, in order
};

class AnalogSettingsLoadFailure : public AnalogSettingsPathTest,
                                  public testing::WithParamInterface<LoadFailureCase> { };

TEST_P(AnalogSettingsLoadFailure, FirstFailingReadEndsTheLoadWithItsResult)
{
    const auto& c = GetParam();
    FakeCommandUnit unit(nextLoopbackAddress(), answering([&c](const std::string& request) {
        return request == c.badRequest ? c.badAnswer : analogUnitAnswer(request);
    }));
    EXPECT_EQ(makeAnalogSettingsPath(slotOf(c.model, unit))->load(), c.result);
    EXPECT_EQ(unit.received(1), (std::vector<Bytes> { bytes(c.received) }));
}

INSTANTIATE_TEST_SUITE_P(Loads, AnalogSettingsLoadFailure,
    testing::Values(LoadFailureCase { "EchoFails", 8, framed("AJ!"), framed("AJ!D "), kSendRecvEchoMismatch,
                        framed("MR0491") + framed("AJ ") + framed("AJ!") },
        LoadFailureCase {
            "ClosedMidway", 8, framed("AJ "), "", kSocketDisconnected, framed("MR0491") + framed("AJ ") },
        LoadFailureCase { "SamplingPastTheList", 8, framed("MR0491"), framed("mr049108"), kAnswerRefused,
            framed("MR0491") },
        LoadFailureCase { "RangeNotInTheList", 8, framed("AJ\""), framed("aj\"F "), kAnswerRefused,
            framed("MR0491") + framed("AJ ") + framed("AJ!") + framed("AJ\"") },
        LoadFailureCase { "OutputNotHex", 11, framed("MR0333"), framed("mr03330X1999"), kAnswerRefused,
            framed("MR0303") + framed("MR0333") }),
    [](const testing::TestParamInfo<LoadFailureCase>& info) { return std::string(info.param.name); });

TEST_F(AnalogSettingsPathTest, RefusedConnectionIsTheLoadsResult)
{
    UnitSlot slot;
    const Ipv4 address = nextLoopbackAddress();
    slot.record.ipText = ipv4ToText(address);
    slot.record.setUnitPort(closedPort(address));
    slot.record.modelIndex = 11;
    EXPECT_EQ(makeAnalogSettingsPath(slot)->load(), kSocketConnectionRefused);
}

} // namespace
