#include "core/net/model_answer.h"
#include "core/net/model_query.h"
#include "core/platform/bind_address.h"
#include "core/platform/socket_error.h"
#include "net_fake_units.h"

#include <gtest/gtest.h>

using namespace kovra;
using namespace kovra::test;

namespace {

// --- Decoding, without sockets ---

struct ExtendedCase {
    const char* name;
    Bytes frame; // without end mark
    bool decoded;
    int modelIndex;
    int unitSwitch;
};

class ExtendedModelAnswer : public testing::TestWithParam<ExtendedCase> { };

TEST_P(ExtendedModelAnswer, CascadeOfNibbles)
{
    const auto& c = GetParam();
    int modelIndex = -1;
    int unitSwitch = -1;
    EXPECT_EQ(decodeExtendedModelAnswer(c.frame.data(), c.frame.size(), modelIndex, unitSwitch), c.decoded);
    EXPECT_EQ(modelIndex, c.modelIndex);
    EXPECT_EQ(unitSwitch, c.unitSwitch);
}

INSTANTIATE_TEST_SUITE_P(Frames, ExtendedModelAnswer,
    testing::Values(ExtendedCase { "FirstByte", { 'm', 'i', 0x03, 0x05 }, true, 5, 12 },
        ExtendedCase { "HighNibblesIgnored", { 'm', 'i', 0xF0, 0xA6 }, true, 6, 15 },
        ExtendedCase { "SecondByte", { 'm', 'i', 0x0A, 0x0F, 0x02 }, true, 18, 5 },
        ExtendedCase { "ThirdByte", { 'm', 'i', 0x00, 0x0F, 0x0F, 0x00 }, true, 32, 15 },
        ExtendedCase { "ThirdByteAllOnes", { 'm', 'i', 0x00, 0x0F, 0x0F, 0x0F }, true, 47, 15 },
        ExtendedCase { "EndsBeforeModelByte", { 'm', 'i', 0x00 }, false, -1, -1 },
        ExtendedCase { "EndsInsideCascade", { 'm', 'i', 0x00, 0x0F }, false, -1, -1 },
        ExtendedCase { "EndsBeforeThirdByte", { 'm', 'i', 0x00, 0x1F, 0x2F }, false, -1, -1 }),
    [](const testing::TestParamInfo<ExtendedCase>& info) { return std::string(info.param.name); });

TEST(ShortModelAnswer, ClassifiesTheFirstTwoBytes)
{
    EXPECT_EQ(classifyShortModelAnswer(0x35, 0x00), ShortModelAnswer::Model);
    EXPECT_EQ(classifyShortModelAnswer(0x75, 0x00), ShortModelAnswer::Status);
    EXPECT_EQ(classifyShortModelAnswer(0xF0, 0x00), ShortModelAnswer::Status);
    EXPECT_EQ(classifyShortModelAnswer('A', 'T'), ShortModelAnswer::Text);
    EXPECT_EQ(classifyShortModelAnswer('A', 'X'), ShortModelAnswer::Model);
    EXPECT_EQ(trailingBytes(ShortModelAnswer::Status), 3u);
    EXPECT_EQ(trailingBytes(ShortModelAnswer::Text), 11u);
}

// --- The query against a fake unit ---

struct QueryCase {
    const char* name;
    Bytes shortAnswer; // sent after "UU"; empty: silent, so "MI" follows
    Bytes frameAnswer; // sent after "MI"
    int result;
    int modelIndex;
    int unitSwitch;
    Bytes requests; // everything the unit received
};

class ModelQuery : public testing::TestWithParam<QueryCase> {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }
};

TEST_P(ModelQuery, AgainstAFakeUnit)
{
    const auto& c = GetParam();
    FakeCommandUnit unit(nextLoopbackAddress(), [&](FakeConnection& connection) {
        connection.read(2);
        if (!c.shortAnswer.empty()) {
            connection.write(c.shortAnswer);
            connection.read(1, 300); // see whether anything else comes
            return;
        }
        connection.read(3, 4000);
        connection.write(c.frameAnswer);
        connection.read(1, 300);
    });
    int modelIndex = 99;
    int unitSwitch = 99;
    EXPECT_EQ(queryModel(unit.ipText(), unit.port(), modelIndex, unitSwitch), c.result);
    EXPECT_EQ(modelIndex, c.modelIndex);
    EXPECT_EQ(unitSwitch, c.unitSwitch);
    EXPECT_EQ(unit.received(), (std::vector<Bytes> { c.requests }));
}

const Bytes kUu { 'U', 'U' };
const Bytes kUuMi { 'U', 'U', 'M', 'I', 0xC8 };

INSTANTIATE_TEST_SUITE_P(Answers, ModelQuery,
    testing::Values(QueryCase { "ShortModelAnswer", { 0x35, 0x00 }, {}, 0, 3, 10, kUu },
        QueryCase { "StatusFrameIsNoModel", { 0x75, 0x01, 0x02, 0x03, 0x04 }, {}, 1, -1, -1, kUu },
        QueryCase { "TextFrameIsNoModel", textBytes("AT+VERSION=12"), {}, 1, -1, -1, kUu },
        QueryCase { "ExtendedSecondByte", {}, { 'm', 'i', 0x0A, 0x0F, 0x02, 0xC8 }, 0, 18, 5, kUuMi },
        QueryCase { "ExtendedThirdByte", {}, { 'm', 'i', 0x00, 0x0F, 0x0F, 0x00, 0xC8 }, 0, 32, 15, kUuMi },
        QueryCase { "ExtendedTooShort", {}, { 'm', 'i', 0xC8 }, 1, -1, -1, kUuMi },
        QueryCase { "ExtendedWithoutEnd", {}, Bytes(16, 0x01), -1, -1, -1, kUuMi }),
    [](const testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

TEST(ModelQueryFailure, ByteBeforeSilenceStartsTheFrame)
{
    setBindAddress(makeIpv4(127, 0, 0, 1));
    // One byte to "UU", then silence: that byte is a[0] of the "MI" frame.
    FakeCommandUnit unit(nextLoopbackAddress(), [](FakeConnection& connection) {
        connection.read(2);
        connection.write({ 'm' });
        connection.read(3, 4000);
        connection.write({ 'i', 0x04, 0x01, 0xC8 });
    });
    int modelIndex = 0;
    int unitSwitch = 0;
    EXPECT_EQ(queryModel(unit.ipText(), unit.port(), modelIndex, unitSwitch), 0);
    EXPECT_EQ(modelIndex, 1);
    EXPECT_EQ(unitSwitch, 11);
}

TEST(ModelQueryFailure, SocketErrorsAndOutputsStayUnknown)
{
    setBindAddress(makeIpv4(127, 0, 0, 1));
    int modelIndex = 5;
    int unitSwitch = 5;
    const Ipv4 address = nextLoopbackAddress();
    EXPECT_EQ(queryModel(ipv4ToText(address), closedPort(address), modelIndex, unitSwitch),
        kSocketConnectionRefused);
    EXPECT_EQ(modelIndex, -1);
    EXPECT_EQ(unitSwitch, -1);
    EXPECT_EQ(queryModel("not an address", 80, modelIndex, unitSwitch), kSocketAddressNotAvailable);

    // The unit closes at once: "UU" gets no answer and the "MI" exchange fails.
    FakeCommandUnit closing(nextLoopbackAddress(), [](FakeConnection& connection) { connection.read(2); });
    const int result = queryModel(closing.ipText(), closing.port(), modelIndex, unitSwitch);
    EXPECT_TRUE(result == kSocketDisconnected || result == kSocketConnectionReset) << result;
    EXPECT_EQ(modelIndex, -1);
}

} // namespace
