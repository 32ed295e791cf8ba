#include "core/net/command_channel.h"
#include "core/net/net_results.h"
#include "core/net/unit_commands.h"
#include "core/platform/bind_address.h"
#include "core/platform/socket_error.h"
#include "net_fake_units.h"

#include <gtest/gtest.h>
#include <map>
#include <mutex>

using namespace kovra;
using namespace kovra::test;

namespace {

class CommandChannelTest : public testing::Test {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }
};

// --- sendRecv and readFramed against scripted answers ---

struct ExchangeCase {
    const char* name;
    Bytes request;
    std::vector<Bytes> answerPieces; // written one after the other
    bool framed;
    bool skipCheck;
    size_t answerSize; // answer length (sendRecv) or buffer size (readFramed)
    int result;
};

class CommandExchange : public CommandChannelTest, public testing::WithParamInterface<ExchangeCase> { };

TEST_P(CommandExchange, ResultFollowsTheAnswer)
{
    const auto& c = GetParam();
    FakeCommandUnit unit(nextLoopbackAddress(), [&](FakeConnection& connection) {
        c.framed ? connection.readFrame() : connection.read(c.request.size());
        for (const Bytes& piece : c.answerPieces)
            connection.write(piece);
        connection.read(1, 200);
    });
    Bytes answer(c.answerSize, 0);
    const int result = c.framed ? readFramed(unit.ipText(), unit.port(), c.request.data(), c.request.size(),
                           answer.data(), answer.size())
                                : sendRecv(unit.ipText(), unit.port(), c.request.data(), c.request.size(),
                                    answer.data(), answer.size(), c.skipCheck);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(unit.received(), (std::vector<Bytes> { c.request }));
}

const Bytes kMr = textBytes("MR0571", true);

INSTANTIATE_TEST_SUITE_P(Answers, CommandExchange,
    testing::Values(ExchangeCase { "EchoHolds", textBytes("AP!", true), { textBytes("ap!"), { 0xC8 } }, false,
                        false, 4, 0 },
        ExchangeCase {
            "EchoFails", textBytes("AP!", true), { textBytes("AP!"), { 0xC8 } }, false, false, 4, 1 },
        ExchangeCase {
            "EchoSkipped", textBytes("AP!", true), { textBytes("AP!"), { 0xC8 } }, false, true, 4, 0 },
        ExchangeCase { "AnswerInPieces", textBytes("NJ ", true),
            { { 'n' }, { 'j' }, { ' ', '3' }, { 'C', 0xC8 } }, false, false, 6, 0 },
        ExchangeCase { "ClosedBeforeWholeAnswer", textBytes("NJ ", true), { textBytes("nj") }, false, false,
            6, kSocketDisconnected },
        ExchangeCase { "FramedLength", kMr, { textBytes("mr0571A5", true) }, true, false, 256, 8 },
        ExchangeCase {
            "FramedUpperCaseEchoFails", kMr, { textBytes("MR0571A5", true) }, true, false, 256, -1 },
        ExchangeCase { "FramedFitsExactly", kMr, { textBytes("mr0571A5", true) }, true, false, 8, 8 },
        ExchangeCase { "FramedOverflow", kMr, { textBytes("mr0571A5", true) }, true, false, 7, -2 },
        ExchangeCase { "FramedOneByteIsNoEcho", kMr, { textBytes("m", true) }, true, false, 256, -1 },
        ExchangeCase {
            "FramedClosedWithoutEnd", kMr, { textBytes("mr05") }, true, false, 256, kSocketDisconnected }),
    [](const testing::TestParamInfo<ExchangeCase>& info) { return std::string(info.param.name); });

TEST_F(CommandChannelTest, EmptyOrBadAddressSendsNothing)
{
    uint8_t answer[4];
    const Bytes request = textBytes("RSET", true);
    EXPECT_EQ(sendRecv("", 10000, request.data(), request.size(), answer, sizeof answer, true), 3);
    EXPECT_EQ(readFramed("", 10000, request.data(), request.size(), answer, sizeof answer), -3);
    EXPECT_EQ(sendRecv("300.1.2.3", 10000, request.data(), request.size(), answer, sizeof answer, true),
        kSocketAddressNotAvailable);

    const Ipv4 address = nextLoopbackAddress();
    EXPECT_EQ(sendRecv(ipv4ToText(address), closedPort(address), request.data(), request.size(), answer,
                  sizeof answer, true),
        kSocketConnectionRefused);

    CommandChannel closed;
    EXPECT_EQ(
        closed.exchange(request.data(), request.size(), answer, sizeof answer, true), kSocketNotConnected);
}

TEST_F(CommandChannelTest, SilentUnitTimesOutAndFramedReadRetries)
{
    FakeCommandUnit unit(
        nextLoopbackAddress(), [](FakeConnection& connection) { connection.read(100, 8000); });
    uint8_t answer[8];
    const Bytes request = textBytes("AK!", true);
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    EXPECT_EQ(
        sendRecv(unit.ipText(), unit.port(), request.data(), request.size(), answer, sizeof answer, true),
        kSocketTimedOut);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1400));
    start = Clock::now();
    EXPECT_EQ(readFramed(unit.ipText(), unit.port(), request.data(), request.size(), answer, sizeof answer),
        kSocketTimedOut);
    // Four failed reads of 1500 ms each.
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(5800));
}

TEST_F(CommandChannelTest, OneConnectionServesSeveralRequestsAndDrainsLeftovers)
{
    FakeCommandUnit unit(nextLoopbackAddress(), [](FakeConnection& connection) {
        connection.readFrame();
        connection.write(textBytes("mr049", true));
        connection.write(textBytes("stray")); // comes late: drained before the next request
        connection.readFrame();
        connection.write({ 'a', 'p', 0x21, 0xC8 });
        connection.read(1, 300);
    });
    CommandChannel channel;
    ASSERT_EQ(channel.open(unit.ipText(), unit.port()), 0);
    uint8_t answer[16];
    const Bytes read = textBytes("MR0491", true);
    EXPECT_EQ(channel.exchange(read.data(), read.size(), answer, 6, false), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const Bytes write { 'A', 'P', 0x21, 0xC8 };
    EXPECT_EQ(channel.exchange(write.data(), write.size(), answer, 4, false), 0);
    EXPECT_EQ(answer[2], 0x21);
    channel.close();
    EXPECT_EQ(unit.connections(), 1);
}

// --- Unit commands against a unit with registers ---

// A fake unit that keeps registers and answers "MR", "MW" and the short commands as a
// unit does, noting every request.
class RegisterUnit {
public:
    explicit RegisterUnit(bool failWrites = false)
        : m_unit(nextLoopbackAddress(), [this, failWrites](FakeConnection& connection) {
            const Bytes first = connection.read(2);
            if (first.size() < 2)
                return;
            std::lock_guard<std::mutex> lock(m_mutex);
            if (first[0] == 0x90) {
                connection.write({ 0x90, m_registers[kWriteOfSubcode.at(first[1])] });
            } else if (first[0] >= 0x91 && first[0] <= 0x95) {
                m_registers[first[0]] = first[1];
                connection.write(first);
            } else {
                Bytes frame = first;
                const Bytes rest = connection.readFrame();
                frame.insert(frame.end(), rest.begin(), rest.end());
                answerFramed(connection, frame, failWrites);
            }
            connection.read(1, 100);
        })
    {
    }

    UnitRecord record(int kind, int modelIndex) const
    {
        UnitRecord unit;
        unit.ipText = m_unit.ipText();
        unit.setUnitPort(m_unit.port());
        unit.kind = kind;
        unit.modelIndex = modelIndex;
        return unit;
    }
    std::vector<Bytes> requests(size_t count) const { return m_unit.received(count); }
    int connections() const { return m_unit.connections(); }
    void setRegister(int code, uint8_t value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_registers[code] = value;
    }
    uint8_t registerValue(int code)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_registers[code];
    }

private:
    void answerFramed(FakeConnection& connection, const Bytes& frame, bool failWrites)
    {
        const std::string text(frame.begin(), frame.end() - 1);
        const int code = std::stoi(text.substr(2, 3), nullptr, 16);
        const int count = std::stoi(text.substr(5, 1), nullptr, 16);
        if (text.compare(0, 2, "MR") == 0) {
            std::string answer = "mr" + text.substr(2, 4);
            for (int i = 0; i < count; ++i) {
                char pair[3];
                std::snprintf(pair, sizeof pair, "%02X", m_registers[code + i]);
                answer += pair;
            }
            connection.write(textBytes(answer.c_str(), true));
        } else if (text.compare(0, 2, "MW") == 0) {
            for (int i = 0; i < count; ++i)
                m_registers[code + i] = uint8_t(std::stoi(text.substr(6 + size_t(i) * 2, 2), nullptr, 16));
            connection.write(textBytes(failWrites ? "mwNG" : "mwOK", true));
        }
    }

    std::mutex m_mutex;
    // The short read's subcodes answer what the matching short write stored.
    const std::map<uint8_t, int> kWriteOfSubcode { { 0, 0x91 }, { 2, 0x93 }, { 3, 0x94 }, { 4, 0x95 } };
    std::map<int, uint8_t> m_registers; // memory registers, and the short writes' bytes by command
    FakeCommandUnit m_unit;
};

struct AccessorCase {
    const char* name;
    Accessor accessor;
    int kind;
    int modelIndex;
    uint32_t value;
    std::vector<Bytes> writeRequests;
};

class SettingAccessor : public CommandChannelTest, public testing::WithParamInterface<AccessorCase> { };

TEST_P(SettingAccessor, WritesTheBytesOfItsRowAndReadsTheValueBack)
{
    const auto& c = GetParam();
    RegisterUnit unit;
    const UnitRecord record = unit.record(c.kind, c.modelIndex);
    ASSERT_EQ(writeSetting(record, c.accessor, c.value), 0);
    EXPECT_EQ(unit.requests(c.writeRequests.size()), c.writeRequests);

    uint32_t value = 0xDEAD;
    ASSERT_EQ(readSetting(record, c.accessor, value), 0);
    if (c.accessor != Accessor::G) { // G reads its high byte from another register than it writes
        EXPECT_EQ(value, c.value);
    }
}

Bytes mw(const char* text)
{
    return textBytes(text, true);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingAccessor,
    testing::Values(
        AccessorCase { "A4DiHighNibble", Accessor::A, kKindNewerWired, 17, 0x5, { mw("MW057150") } },
        AccessorCase { "A8DiWholeByte", Accessor::A, kKindNewerWired, 21, 0xA5, { mw("MW0571A5") } },
        AccessorCase { "BKind4", Accessor::B, kKindNewerWired, 22, 0x3, { mw("MW058130") } },
        AccessorCase { "CKind4", Accessor::C, kKindNewerWired, 19, 0xC3, { mw("MW0401C3") } },
        AccessorCase { "DKind4", Accessor::D, kKindNewerWired, 19, 0x6, { mw("MW04016F") } },
        AccessorCase { "EKind4", Accessor::E, kKindNewerWired, 19, 0x44, { mw("MW044144") } },
        AccessorCase { "HKind4", Accessor::H, kKindNewerWired, 19, 0x07, { mw("MW070107") } },
        AccessorCase {
            "GTwoRegisters", Accessor::G, kKindNewerWired, 20, 0x1234, { mw("MW05F134"), mw("MW05E112") } },
        AccessorCase { "FKind4", Accessor::F, kKindNewerWired, 17, 0x9, { mw("MW05D190") } },
        AccessorCase { "AShort3Di", Accessor::A, kKindWired, 0, 0x5, { { 0x94, 0x50 } } },
        AccessorCase { "AShort7Di", Accessor::A, kKindWired, 2, 0x65, { { 0x94, 0x65 } } },
        AccessorCase { "BShort", Accessor::B, kKindWiredGc, 1, 0x2, { { 0x95, 0x20 } } },
        AccessorCase { "CShort", Accessor::C, kKindWired, 3, 0x81, { { 0x91, 0x81 } } },
        AccessorCase { "DShort", Accessor::D, kKindWired, 3, 0x3, { { 0x91, 0x3F } } },
        AccessorCase { "EShort", Accessor::E, kKindWired, 3, 0x12, { { 0x93, 0x12 } } }),
    [](const testing::TestParamInfo<AccessorCase>& info) { return std::string(info.param.name); });

TEST_F(CommandChannelTest, AccessorReadsUseTheirOwnRegisters)
{
    RegisterUnit unit;
    unit.setRegister(0x5F, 0x34);
    unit.setRegister(0x5D, 0x12);
    uint32_t value = 0;
    ASSERT_EQ(readSetting(unit.record(kKindNewerWired, 20), Accessor::G, value), 0);
    EXPECT_EQ(value, 0x1234u);
    EXPECT_EQ(unit.requests(2), (std::vector<Bytes> { mw("MR05F1"), mw("MR05D1") }));
}

struct RefusedCase {
    const char* name;
    Accessor accessor;
    int kind;
    int modelIndex;
    uint32_t value;
};

class SettingAccessorRefused : public CommandChannelTest, public testing::WithParamInterface<RefusedCase> { };

TEST_P(SettingAccessorRefused, WithoutTraffic)
{
    const auto& c = GetParam();
    RegisterUnit unit;
    EXPECT_EQ(writeSetting(unit.record(c.kind, c.modelIndex), c.accessor, c.value), kRequestRefused);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(unit.connections(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingAccessorRefused,
    testing::Values(RefusedCase { "FOnShortKinds", Accessor::F, kKindWired, 0, 1 },
        RefusedCase { "GOnShortKinds", Accessor::G, kKindWiredGc, 0, 1 },
        RefusedCase { "HOnShortKinds", Accessor::H, kKindWired, 0, 1 },
        RefusedCase { "MaskTooWideFor4Di", Accessor::A, kKindNewerWired, 17, 0x10 },
        RefusedCase { "MaskTooWideFor8Di", Accessor::A, kKindNewerWired, 21, 0x100 },
        RefusedCase { "NibbleTooWide", Accessor::D, kKindWired, 0, 0x10 },
        RefusedCase { "ByteTooWide", Accessor::C, kKindNewerWired, 19, 0x100 },
        RefusedCase { "TwoBytesTooWide", Accessor::G, kKindNewerWired, 19, 0x10000 }),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(CommandChannelTest, MemoryCommandsCheckTheirAnswers)
{
    RegisterUnit failing(true);
    const uint8_t data[] = { 0x01, 0x02 };
    EXPECT_EQ(memoryWrite(failing.record(kKindNewerWired, 17), 0x10, data, 2), kAnswerRefused);
    EXPECT_EQ(failing.requests(1), (std::vector<Bytes> { mw("MW01020102") }));

    // An "MR" answer that starts with "MR" is refused by the echo rule.
    FakeCommandUnit upper(nextLoopbackAddress(), [](FakeConnection& connection) {
        connection.readFrame();
        connection.write(textBytes("MR0571A5", true));
    });
    UnitRecord record;
    record.ipText = upper.ipText();
    record.setUnitPort(upper.port());
    uint8_t value = 0;
    EXPECT_EQ(memoryRead(record, 0x57, 1, &value), kFramedEchoMismatch);

    // An answer without the data pairs asked for.
    FakeCommandUnit shortAnswer(nextLoopbackAddress(), [](FakeConnection& connection) {
        connection.readFrame();
        connection.write(textBytes("mr0572A5", true));
    });
    record.ipText = shortAnswer.ipText();
    record.setUnitPort(shortAnswer.port());
    uint8_t values[2] = { 7, 7 };
    EXPECT_EQ(memoryRead(record, 0x57, 2, values), kAnswerRefused);
    EXPECT_EQ(values[0], 7);

    record.ipText.clear();
    EXPECT_EQ(memoryRead(record, 0x57, 1, &value), kFramedEmptyAddress);
    EXPECT_EQ(memoryRead(record, 0x80, 1, &value), kRequestRefused);
}

TEST_F(CommandChannelTest, ShortCommandsCheckTheirAnswers)
{
    FakeCommandUnit unit(nextLoopbackAddress(), [](FakeConnection& connection) {
        const Bytes request = connection.read(2);
        connection.write({ uint8_t(request[0] + 1), request[1] }); // neither repeated nor 90h
    });
    UnitRecord record;
    record.ipText = unit.ipText();
    record.setUnitPort(unit.port());
    EXPECT_EQ(shortWrite(record, 0x91, 0x3F), kAnswerRefused);
    uint8_t value = 0x55;
    EXPECT_EQ(shortRead(record, 0, value), kAnswerRefused);
    EXPECT_EQ(value, 0x55);
    record.ipText.clear();
    EXPECT_EQ(shortWrite(record, 0x91, 0x3F), kSendRecvEmptyAddress);
}

// --- The further framed commands ---

TEST_F(CommandChannelTest, FramedSettingCommands)
{
    FakeCommandUnit unit(nextLoopbackAddress(), [](FakeConnection& connection) {
        const Bytes request = connection.readFrame();
        if (request.size() < 2)
            return;
        Bytes answer { uint8_t(request[0] + 0x20), uint8_t(request[1] + 0x20) };
        if (request[0] == 'N' && request[1] == 'J')
            answer.insert(answer.end(), { 0x20, '4', 'B', 0xC8 });
        else if (request[0] == 'R')
            answer.insert(answer.end(), { 's', 0xC8 });
        else if (request[0] == 'A')
            answer.insert(answer.end(), { 0x21, '0', '0', '1', '0', 'F', 'F', 'F', 'F', 'x', 0xC8 });
        else
            answer.insert(answer.end(), { 0x20, '0', '1', 0xC8 });
        connection.write(answer);
    });
    UnitRecord record;
    record.ipText = unit.ipText();
    record.setUnitPort(unit.port());

    std::array<uint8_t, kAlAnswerLength> al {};
    EXPECT_EQ(sendAlRequest(record, 1, 10, false, 0x0010, 0xFFFF, al), 0);
    EXPECT_EQ(al[0], 'a');
    EXPECT_EQ(al[12], 0xC8);
    std::array<uint8_t, kAkAnswerLength> ak {};
    EXPECT_EQ(sendAkRequest(record, 2, ak), 0);
    EXPECT_EQ(sendNsRequest(record, 0, 0x1F), 0);
    uint8_t value = 0;
    EXPECT_EQ(sendNjRequest(record, 0, value), 0);
    EXPECT_EQ(value, 0x4B);
    EXPECT_EQ(sendRsetRequest(record, 10), 0);
    EXPECT_EQ(sendRsetRequest(record, 11), kRequestRefused);

    EXPECT_EQ(unit.received(5),
        (std::vector<Bytes> { Bytes { 'A', 'L', 0x21, 0x2A, '0', '0', '1', '0', 'F', 'F', 'F', 'F', 0xC8 },
            Bytes { 'A', 'K', 0x22, 0xC8 }, Bytes { 'N', 'S', 0x20, '1', 'F', 0xC8 },
            Bytes { 'N', 'J', 0x20, 0xC8 }, Bytes { 'R', 'S', 'E', 'T', 0x2A, 0xC8 } }));
    EXPECT_EQ(unit.connections(), 5) << "RSET 11 is refused without traffic";
}

} // namespace
