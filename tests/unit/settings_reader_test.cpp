#include "core/platform/bind_address.h"
#include "core/platform/socket_error.h"
#include "core/settings/credential_scramble.h"
#include "core/settings/settings_answer.h"
#include "core/settings/settings_message.h"
#include "core/settings/settings_reader.h"
#include "core/units/unit_table.h"
#include "net_fake_units.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace kovra;
using namespace kovra::test;

namespace {

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// The 64-byte request block: the request text, then zeros.
Bytes requestBlock(const std::string& request)
{
    Bytes block(kDumpRequestBlock, 0);
    std::copy(request.begin(), request.end(), block.begin());
    return block;
}

// A unit's settings port: the version answer on the first connection, the dump on the second.
struct SettingsUnit {
    SettingsUnit(std::string versionAnswer, std::string dumpAnswer)
        : unit(nextLoopbackAddress(),
            [this, version = std::move(versionAnswer), dump = std::move(dumpAnswer)](
                FakeConnection& connection) {
                if (unit.connections() == 1) {
                    connection.read(5);
                    connection.write(bytesOf(version));
                } else {
                    connection.read(kDumpRequestBlock);
                    connection.write(bytesOf(dump));
                }
                connection.read(1, 2500); // until the reader closes
            })
    {
    }
    FakeCommandUnit unit;
};

class SettingsReader : public testing::Test {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }

    static UnitSlot slotFor(const FakeCommandUnit& unit, int kind)
    {
        UnitSlot slot;
        slot.record.ipText = unit.ipText();
        slot.record.kind = kind;
        return slot;
    }
};

struct RequestCase {
    const char* name;
    int kind;
    std::string version;
    const char* request;
};

class DumpRequest : public SettingsReader, public testing::WithParamInterface<RequestCase> { };

TEST_P(DumpRequest, VersionDecidesTheRequest)
{
    const auto& c = GetParam();
    SettingsUnit fake(c.version, "PORT\r\n10001\r\nEND\r\n\r\n");
    UnitSlot slot = slotFor(fake.unit, c.kind);
    EXPECT_EQ(readUnitSettingsAt(slot, fake.unit.port()), 0);
    EXPECT_EQ(fake.unit.received(2),
        (std::vector<Bytes> { bytesOf(std::string("VER\n\0", 5)), requestBlock(c.request) }));
    EXPECT_EQ(slot.settings.ports[0], 10001);
}

INSTANTIATE_TEST_SUITE_P(Units, DumpRequest,
    testing::Values(RequestCase { "Kind5Before103", 5, "SKETCH VER : 102\r\nTEXT VER : 5\r\n", kDumpRequest },
        RequestCase { "Kind5From103", 5, "SKETCH VER : 103\r\nTEXT VER : 5\r\n", kGetParamRequest },
        RequestCase { "Kind5VersionOne", 5, "SKETCH VER : 1\r\nTEXT VER : 5\r\n", kDumpRequest },
        RequestCase { "Kind7AnyVersion", 7, "SKETCH VER : 1\r\nTEXT VER : 1\r\n", kGetParamRequest },
        RequestCase { "Kind3", 3, "SKETCH VER : 127\r\nTEXT VER : 2\r\n", kDumpRequest },
        RequestCase { "Kind6", 6, "SKETCH VER : 110\r\nTEXT VER : 2\r\n", kDumpRequest }),
    [](const testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsReader, Kind5With104ReadsItsEntriesUnscrambled)
{
    const std::string dump = "MODEL\r\n25\r\nPORT1\r\n10001\r\nE1USER\r\n"
        + scrambledValue("plant-a", kUserShift, RandomPad(), RandomPad()) + "\r\nE1PASS\r\n"
        + scrambledValue("Pa55!", kPassShift, RandomPad(), RandomPad()) + "\r\nSSID\r\nap\r\nEND\r\nEND\r\n";
    SettingsUnit fake("SKETCH VER : 104\r\nTEXT VER : 5\r\n", dump);
    UnitSlot slot = slotFor(fake.unit, 5);
    std::string text;
    EXPECT_EQ(readUnitSettingsAt(slot, fake.unit.port(), &text), 0);
    EXPECT_EQ(slot.settings.sketchVersion, 104);
    EXPECT_EQ(slot.settings.textVersion, 5);
    EXPECT_EQ(slot.settings.mailUsers[0], "plant-a");
    EXPECT_EQ(slot.settings.mailPasses[0], "Pa55!");
    EXPECT_EQ(slot.record.modelIndex, 25);
    EXPECT_EQ(text.find("SSID"), std::string::npos);
    EXPECT_EQ(text.rfind("MODEL\r\n25\r\nPORT1\r\n10001\r\nE1USER\r\n", 0), 0u);
}

struct ClosedVersionCase {
    const char* name;
    std::string answer; // the unit sends it and closes
    int result;
};

class SettingsReaderVersion : public testing::TestWithParam<ClosedVersionCase> {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }
};

TEST_P(SettingsReaderVersion, OneCompleteLineMeansNoDumpACutAnswerFails)
{
    const auto& c = GetParam();
    FakeCommandUnit unit(nextLoopbackAddress(), [&c](FakeConnection& connection) {
        connection.read(5);
        connection.write(bytesOf(c.answer));
    });
    UnitSlot slot;
    slot.record.ipText = unit.ipText();
    slot.record.kind = 3;
    slot.settings.sketchVersion = 120; // from an earlier read
    EXPECT_EQ(readUnitSettingsAt(slot, unit.port()), c.result);
    EXPECT_EQ(slot.settings.sketchVersion, 0);
    EXPECT_EQ(slot.settings.textVersion, 0);
    EXPECT_EQ(unit.connections(), 1); // no dump asked
}

INSTANTIATE_TEST_SUITE_P(Answers, SettingsReaderVersion,
    testing::Values(ClosedVersionCase { "OldFirmwareLine", "SKETCH VER : 1\r\n", 0 },
        ClosedVersionCase { "CutInTheFirstLine", "SKETCH VER : 1", kSettingsVersionUnreadable },
        ClosedVersionCase { "CutInTheSecondLine", "SKETCH VER : 104\r\nTEXT V", kSettingsVersionUnreadable },
        ClosedVersionCase { "NotVersionLines", "KOVRA WIFI\r\n", kSettingsVersionUnreadable },
        ClosedVersionCase { "Nothing", "", kSettingsVersionUnreadable }),
    [](const testing::TestParamInfo<ClosedVersionCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsReader, EndWithoutItsValueLineFailsAfterTheTimeOut)
{
    SettingsUnit fake("SKETCH VER : 104\r\nTEXT VER : 5\r\n", "PORT\r\n10001\r\nEND\r\n");
    UnitSlot slot = slotFor(fake.unit, 5);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readUnitSettingsAt(slot, fake.unit.port()), kSocketTimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1400));
    EXPECT_EQ(slot.settings.ports[0], 10001); // what came before stays
}

TEST_F(SettingsReader, ClosedBeforeEndFails)
{
    FakeCommandUnit unit(nextLoopbackAddress(), [&](FakeConnection& connection) {
        if (unit.connections() == 1) {
            connection.read(5);
            connection.write(bytesOf("SKETCH VER : 120\r\nTEXT VER : 2\r\n"));
            connection.read(1, 2500);
        } else {
            connection.read(kDumpRequestBlock);
            connection.write(bytesOf("PORT\r\n10001\r\n"));
        }
    });
    UnitSlot slot = slotFor(unit, 3);
    EXPECT_EQ(readUnitSettingsAt(slot, unit.port()), kSocketDisconnected);
}

TEST_F(SettingsReader, NoUnitNoRead)
{
    const Ipv4 address = nextLoopbackAddress();
    UnitSlot slot;
    slot.record.ipText = ipv4ToText(address);
    slot.record.kind = 5;
    EXPECT_EQ(readUnitSettingsAt(slot, closedPort(address)), kSocketConnectionRefused);
    UnitSlot noAddress;
    EXPECT_EQ(ReadUnitSettings(noAddress), kSocketAddressNotAvailable);
}

} // namespace
