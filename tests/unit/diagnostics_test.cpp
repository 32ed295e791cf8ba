#include "core/diagnostics/diagnosis_report.h"
#include "core/diagnostics/model_query_failure.h"
#include "core/diagnostics/search_answer_verdicts.h"
#include "core/diagnostics/unit_reach.h"
#include "core/platform/socket_error.h"

#include <gtest/gtest.h>
#include <vector>

namespace kovra {
namespace {

using Mac = std::array<uint8_t, 6>;

// A search answer as a unit sends it, cut to `length` bytes.
std::vector<uint8_t> answerBytes(const char* typePair, uint8_t macLast, size_t length = 30)
{
    std::vector<uint8_t> bytes(30, 0);
    bytes[3] = 0xF7;
    bytes[8] = uint8_t(typePair[0]);
    bytes[9] = uint8_t(typePair[1]);
    const Mac mac { 0x02, 0x4B, 0x56, 0x00, 0x71, macLast };
    std::copy(mac.begin(), mac.end(), bytes.begin() + 24);
    bytes.resize(length);
    return bytes;
}

struct Sent {
    int host; // 203.0.113.host
    const char* typePair;
    uint8_t macLast;
    size_t length;
};

std::vector<ReceivedAnswer> received(const std::vector<Sent>& sent)
{
    std::vector<ReceivedAnswer> answers;
    for (const Sent& s : sent) {
        const auto bytes = answerBytes(s.typePair, s.macLast, s.length);
        answers.push_back(describeAnswer(bytes.data(), bytes.size(), makeIpv4(203, 0, 113, s.host), 30718));
    }
    return answers;
}

struct VerdictCase {
    const char* name;
    std::vector<Sent> sent;
    std::vector<AnswerVerdict> want;
};

class AnswerVerdicts : public ::testing::TestWithParam<VerdictCase> { };

TEST_P(AnswerVerdicts, JudgesEveryAnswerInArrivalOrder)
{
    EXPECT_EQ(judgeAnswers(received(GetParam().sent)), GetParam().want);
}

using V = AnswerVerdict;
INSTANTIATE_TEST_SUITE_P(Cases, AnswerVerdicts,
    ::testing::Values(
        VerdictCase { "accepted", { { 10, "X1", 1, 30 }, { 11, "_W", 2, 30 } }, { V::Listed, V::Listed } },
        VerdictCase { "unlisted", { { 10, "ZZ", 1, 30 }, { 11, "qq", 2, 30 } },
            { V::UnlistedTypePair, V::UnlistedTypePair } },
        // 29 bytes lack the last hardware-address byte: short, even with an accepted pair.
        VerdictCase { "short", { { 10, "X1", 1, 29 }, { 11, "X1", 2, 4 }, { 12, "X1", 3, 0 } },
            { V::TooShort, V::TooShort, V::TooShort } },
        // Answers to both requests A and B: the second is the duplicate.
        VerdictCase { "duplicate", { { 10, "X1", 1, 30 }, { 11, "X1", 2, 30 }, { 10, "X1", 1, 30 } },
            { V::Listed, V::Listed, V::Duplicate } },
        // A short first answer does not make the whole second one a duplicate.
        VerdictCase {
            "shortThenWhole", { { 10, "X1", 1, 15 }, { 10, "X1", 1, 30 } }, { V::TooShort, V::Listed } },
        // One address from two hardware addresses: both listed (the conflict is reported apart).
        VerdictCase {
            "conflictNotDuplicate", { { 10, "X1", 1, 30 }, { 10, "X1", 2, 30 } }, { V::Listed, V::Listed } },
        VerdictCase { "unlistedRepeats", { { 10, "ZZ", 1, 30 }, { 10, "ZZ", 1, 30 } },
            { V::UnlistedTypePair, V::UnlistedTypePair } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnswerVerdicts, AnswersBeyondTheLastSlotAreDropped)
{
    // 255 units, one of them answering twice: its duplicate takes the last slot.
    std::vector<Sent> sent;
    for (int i = 0; i < 255; ++i)
        sent.push_back({ i, "X1", uint8_t(i), 30 });
    sent.push_back({ 0, "X1", 0, 30 });
    sent.push_back({ 255, "ZZ", 255, 30 });
    sent.push_back({ 255, "X1", 254, 30 });
    const auto verdicts = judgeAnswers(received(sent));
    EXPECT_EQ(verdicts[255], V::Duplicate);
    EXPECT_EQ(verdicts[256], V::UnlistedTypePair);
    EXPECT_EQ(verdicts[257], V::TableFull);
}

TEST(AnswerVerdicts, DescribeKeepsRealLengthAndLeavesShortMacZero)
{
    const auto longer = answerBytes("X5", 7, 30);
    std::vector<uint8_t> bytes = longer;
    bytes.resize(40, 0xEE);
    const ReceivedAnswer whole = describeAnswer(bytes.data(), bytes.size(), 1, 30718);
    EXPECT_EQ(whole.length, 40u);
    EXPECT_EQ(whole.typePair, "X5");
    EXPECT_EQ(whole.mac[5], 7);
    const auto cut = answerBytes("X5", 7, 9);
    const ReceivedAnswer shortOne = describeAnswer(cut.data(), cut.size(), 1, 30718);
    EXPECT_EQ(shortOne.typePair, ""); // byte 9 missing
    EXPECT_EQ(shortOne.mac, Mac {});
}

struct ConflictCase {
    const char* name;
    std::vector<Sent> sent;
    std::vector<std::pair<int, std::vector<uint8_t>>> want; // host, last MAC bytes in order
};

class AddressConflicts : public ::testing::TestWithParam<ConflictCase> { };

TEST_P(AddressConflicts, FindsOneAddressFromSeveralHardwareAddresses)
{
    const auto answers = received(GetParam().sent);
    const auto conflicts = findAddressConflicts(answers, judgeAnswers(answers));
    ASSERT_EQ(conflicts.size(), GetParam().want.size());
    for (size_t i = 0; i < conflicts.size(); ++i) {
        EXPECT_EQ(conflicts[i].address, makeIpv4(203, 0, 113, GetParam().want[i].first));
        std::vector<uint8_t> lasts;
        for (const Mac& mac : conflicts[i].macs)
            lasts.push_back(mac[5]);
        EXPECT_EQ(lasts, GetParam().want[i].second);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AddressConflicts,
    ::testing::Values(ConflictCase { "none", { { 10, "X1", 1, 30 }, { 11, "X1", 2, 30 } }, {} },
        ConflictCase { "duplicateIsNoConflict", { { 10, "X1", 1, 30 }, { 10, "X1", 1, 30 } }, {} },
        ConflictCase {
            "two", { { 10, "X1", 1, 30 }, { 11, "X1", 5, 30 }, { 10, "X1", 2, 30 } }, { { 10, { 1, 2 } } } },
        ConflictCase { "threeHoldersOnce",
            { { 10, "X1", 1, 30 }, { 10, "X1", 2, 30 }, { 10, "X1", 1, 30 }, { 10, "X1", 3, 30 } },
            { { 10, { 1, 2, 3 } } } },
        // An unlisted unit still holds the address: the operator must know.
        ConflictCase { "unlistedHolder", { { 12, "ZZ", 1, 30 }, { 12, "X1", 2, 30 } }, { { 12, { 1, 2 } } } },
        // A short answer carries no hardware address to compare.
        ConflictCase { "shortIgnored", { { 13, "X1", 1, 30 }, { 13, "X1", 2, 20 } }, {} }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitReach, StepFollowsSubnetThenPort)
{
    struct Case {
        bool sameSubnet;
        uint16_t port;
        ReachStep want;
    };
    for (const Case& c : { Case { true, 10001, ReachStep::Listed },
             Case { true, 10002, ReachStep::OtherPort }, Case { false, 10001, ReachStep::OtherSubnet },
             Case { false, 10002, ReachStep::OtherSubnet }, Case { true, 0, ReachStep::OtherPort } })
        EXPECT_EQ(reachStep(c.sameSubnet, c.port, 10001), c.want) << c.sameSubnet << " " << c.port;
    EXPECT_EQ(reachAdvice(ReachStep::Listed, "203.0.113.10", 10001), "");
    EXPECT_NE(
        reachAdvice(ReachStep::OtherSubnet, "198.18.0.10", 0).find("add 198.18.0.10"), std::string::npos);
    EXPECT_NE(
        reachAdvice(ReachStep::OtherPort, "203.0.113.14", 10002).find("--port 10002"), std::string::npos);
}

TEST(ModelQueryFailures, EveryResultOfTheQueryHasItsKind)
{
    const std::vector<std::pair<int, ModelQueryFailure>> cases { { 0, ModelQueryFailure::None },
        { 1, ModelQueryFailure::BadAnswer }, { -1, ModelQueryFailure::BadAnswer },
        { kSocketTimedOut, ModelQueryFailure::TimedOut },
        { kSocketConnectionRefused, ModelQueryFailure::Refused },
        { kSocketDisconnected, ModelQueryFailure::Closed },
        { kSocketHostUnreachable, ModelQueryFailure::SocketError } };
    for (const auto& [result, want] : cases)
        EXPECT_EQ(classifyModelQuery(result), want) << result;
}

TEST(DiagnosisReport, StopsAtTheFirstStepThatFailed)
{
    FleetDiagnosis report;
    EXPECT_EQ(diagnosisText(report), "Adapter: none chosen; nothing was sent\n");
    report.adapter
        = { true, "203.0.113.1 (kpc0)", makeIpv4(203, 0, 113, 1), makeIpv4(255, 255, 255, 0), false };
    report.destination = 0xFFFFFFFF;
    EXPECT_NE(diagnosisText(report).find("not usable"), std::string::npos);
    EXPECT_NE(
        diagnosisText(report).find("Discovery socket: could not be created or bound"), std::string::npos);
    EXPECT_EQ(diagnosisText(report).find("Answers:"), std::string::npos);
    report.socketBound = true;
    report.sendResult = kSocketAccessDenied;
    EXPECT_NE(diagnosisText(report).find("not sent to 255.255.255.255:30718 (socket error 10013)"),
        std::string::npos);
    EXPECT_FALSE(diagnosisJson(report)["searchRequests"]["sent"].get<bool>());
}

TEST(DiagnosisReport, UnprintableTypePairsStayValidText)
{
    FleetDiagnosis report;
    report.adapter.chosen = true;
    report.socketBound = true;
    const auto bytes = answerBytes("\xff\x01", 1);
    report.answers.push_back(describeAnswer(bytes.data(), bytes.size(), 1, 30718));
    report.verdicts = judgeAnswers(report.answers);
    EXPECT_EQ(diagnosisJson(report)["answers"][0]["typePair"], "??");
    EXPECT_NO_THROW(diagnosisJson(report).dump());
}

} // namespace
} // namespace kovra
