// The address group's flows: the 設定 button's checks, question and write paths against
// simulated units on loopback (record 0, the settings message), the address-set datagram
// caught before it is broadcast, and the PING button's messages.
#include "cli/kovractl.h"
#include "core/app/address_texts.h"
#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/ping_flow.h"
#include "core/app/scripted_user_interface.h"
#include "core/app/system_texts.h"
#include "core/app/unit_address_writers.h"
#include "core/net/discovery_messages.h"
#include "core/platform/socket_error.h"
#include "support/flow_harness.h"

#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <thread>

using namespace kovra;

namespace {

const std::string kAsk = std::string("?") + texts::kConfirmWrite;

const char* const kFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.40", "kind": 0, "model": 3 },
    { "address": "127.0.0.41", "kind": 0, "model": 2, "dhcp": true },
    { "address": "127.0.1.42", "kind": 0, "model": 1, "mac": "02:4B:56:00:AB:CD" },
    { "address": "127.0.0.43", "kind": 5, "model": 25 },
    { "address": "127.0.0.44", "kind": 3, "model": 1 },
    { "address": "127.0.0.45", "kind": 0, "model": 4, "fault": { "mode": "silent", "requests": ["write0"] } },
    { "address": "127.0.0.46", "kind": 0, "model": 4, "fault": { "mode": "short", "requests": ["write0"] } },
    { "address": "127.0.1.47", "kind": 5, "model": 25 },
    { "address": "127.0.0.48", "kind": 0, "model": 3, "writeAnswer": "00 00 00 C0" },
    { "address": "127.0.0.49", "kind": 0, "model": 4, "fault": { "mode": "garbage", "requests": ["write0"] } }
  ]
})";

// The program's writers, except that the ARP check answers from a list and the broadcast is
// kept instead of sent (broadcasts leave loopback only on the bench).
class TestWriters : public UnitAddressWriters {
public:
    // The look for a unit after an unanswered write is kept short.
    TestWriters() { m_restartLookMs = 1500; }

    bool addressInUse(const std::string& addressText) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        asked.push_back(addressText);
        return taken.count(addressText) > 0;
    }
    int sendAddressSet(const UnitSlot& unit, Ipv4 address) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto datagram = buildAddressSet(unit.record.mac, address);
        addressSets.emplace_back(datagram.begin(), datagram.end());
        return 0;
    }

    // Record 0 writes to these units are lost on the way: no answer, and the unit never saw them.
    int writeRecord0(const UnitSlot& unit, const std::array<uint8_t, kConfigBlock0Size>& record) override
    {
        if (lostWrites.count(unit.record.ipText))
            return kSocketTimedOut;
        return UnitAddressWriters::writeRecord0(unit, record);
    }

    std::set<std::string> taken;
    std::set<std::string> lostWrites;
    std::vector<std::string> asked;
    std::vector<std::vector<uint8_t>> addressSets;

private:
    std::mutex m_mutex;
};

class AddressFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_bench.start(kFleet), "");
        m_model.setAddressWriters(&m_writers);
    }

    // The writers go before the harness: no flow may still use them.
    void TearDown() override { m_model.waitForFlows(); }

    // Lists and selects the unit, then presses 設定 with the entry; the operator answers
    // `ok` to the question. Returns the flow's outcome once it has ended.
    AddressWriteOutcome setAddress(const std::string& unit, const AddressEntry& entry, bool ok)
    {
        EXPECT_TRUE(m_bench.add(unit)) << unit;
        m_bench.select(unit);
        m_ui.queueAnswer(ok);
        std::promise<AddressWriteOutcome> outcome;
        m_model.onSetAddress(entry, [&](AddressWriteOutcome o) { outcome.set_value(o); });
        m_model.waitForFlows();
        m_events.runPending();
        return outcome.get_future().get();
    }

    // The bytes of every request NAME that unit ADDRESS has logged.
    std::vector<std::string> logged(const std::string& name, const std::string& address)
    {
        return m_bench.logged(name, address);
    }

    size_t writesTo(const std::string& address)
    {
        return logged("write0", address).size() + logged("settings", address).size();
    }

    test_support::FlowHarness m_bench;
    TestWriters m_writers;
    MainWindowModel& m_model = m_bench.model();
    HeadlessView& m_view = m_bench.view;
    EventQueue& m_events = m_bench.events;
    ScriptedUserInterface& m_ui = m_bench.ui;
};

AddressEntry fixed(const std::string& address, const std::string& mask = "255.255.255.0",
    const std::string& gateway = "0.0.0.0")
{
    return AddressEntry { false, address, mask, gateway };
}

AddressEntry dhcp()
{
    return AddressEntry { true, "", "", "" };
}

} // namespace

// The checks before the question, each answered Cancel: nothing ever reaches a unit.
TEST_F(AddressFlowTest, ChecksComeInOrderAndOnlyFixedAddressUnitsAreArpChecked)
{
    struct Case {
        const char* name;
        const char* unit;
        AddressEntry entry;
        std::vector<std::string> transcript;
        bool arpChecked;
        AddressWriteOutcome outcome;
    };
    const Case cases[] = {
        { "kind 3 cannot take DHCP", "127.0.0.44", dhcp(), { texts::kUnitCannotUseDhcp }, false,
            AddressWriteOutcome::Refused },
        { "empty address ends silently", "127.0.0.40", fixed(""), {}, false, AddressWriteOutcome::Nothing },
        { "taken address refused", "127.0.0.40", fixed("127.0.0.99"), { texts::kAddressNotUsable }, true,
            AddressWriteOutcome::Refused },
        { "free address asked", "127.0.0.40", fixed("127.0.0.98"), { kAsk }, true,
            AddressWriteOutcome::Cancelled },
        { "own address skips the ARP check", "127.0.0.40", fixed("127.0.0.40"), { kAsk }, false,
            AddressWriteOutcome::Cancelled },
        { "DHCP unit is never refused by it", "127.0.0.41", fixed("127.0.0.99"), { kAsk }, false,
            AddressWriteOutcome::Cancelled },
        { "DHCP skips it", "127.0.0.40", dhcp(), { kAsk }, false, AddressWriteOutcome::Cancelled },
        { "not a dotted address", "127.0.0.40", fixed("127.0.0"), { texts::kAddressNotUsable }, false,
            AddressWriteOutcome::Refused },
    };
    m_writers.taken = { "127.0.0.40", "127.0.0.41", "127.0.0.99" };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = m_ui.transcript().size();
        m_writers.asked.clear();
        EXPECT_EQ(setAddress(c.unit, c.entry, false), c.outcome);
        const auto transcript = m_ui.transcript();
        EXPECT_EQ(
            std::vector<std::string>(transcript.begin() + long(before), transcript.end()), c.transcript);
        EXPECT_EQ(!m_writers.asked.empty(), c.arpChecked);
        EXPECT_EQ(writesTo(c.unit), 0u);
        EXPECT_GE(m_model.table().findByIpText(c.unit), 0);
    }
    EXPECT_TRUE(m_writers.addressSets.empty());
}

TEST_F(AddressFlowTest, RecordZeroWriteMovesTheUnitAndRemovesItsRow)
{
    ASSERT_TRUE(m_bench.add("127.0.0.40"));
    m_bench.select("127.0.0.40");
    m_ui.queueAnswer(true);
    std::promise<AddressWriteOutcome> outcome;
    m_model.onSetAddress(fixed("127.0.0.50", "255.255.0.0", "127.0.0.254"),
        [&](AddressWriteOutcome o) { outcome.set_value(o); });
    // The buttons stay enabled while the write runs.
    EXPECT_TRUE(m_view.addressGroup.setEnabled);
    EXPECT_TRUE(m_view.addressGroup.pingEnabled);
    m_model.waitForFlows();
    m_events.runPending();
    EXPECT_EQ(outcome.get_future().get(), AddressWriteOutcome::Written);
    EXPECT_EQ(m_ui.transcript(), (std::vector<std::string> { kAsk, texts::kSettingDoneRestart }));
    EXPECT_EQ(m_model.table().findByIpText("127.0.0.40"), -1);
    EXPECT_TRUE(m_view.rows.empty());
    EXPECT_EQ(m_model.selectedSlot(), -1);

    const auto writes = logged("write0", "127.0.0.40");
    ASSERT_EQ(writes.size(), 1u);
    const std::string record = writes[0];
    ASSERT_EQ(record.size(), 124u);
    EXPECT_EQ(record.substr(0, 8), std::string("\x00\x00\x00\xC0\x7F\x00\x00\x32", 8));
    EXPECT_EQ(uint8_t(record[10]), 16);
    EXPECT_EQ(record.substr(16, 4), std::string("\x7F\x00\x00\xFE", 4));

    // The unit comes back at its new address, and its row goes in where the removed one was.
    ASSERT_TRUE(m_bench.add("127.0.0.50"));
    ASSERT_EQ(m_view.rows.size(), 1u);
    const UnitRecord& moved = m_model.table().record(m_model.table().findByIpText("127.0.0.50"));
    EXPECT_EQ(ipv4ToText(moved.subnetMask), "255.255.0.0");
    EXPECT_EQ(ipv4ToText(moved.gateway), "127.0.0.254");
    EXPECT_FALSE(moved.dhcp);
}

// Units differ in what they answer to the record 0 write; any whole 4-byte answer means the
// unit took the record and restarts.
TEST_F(AddressFlowTest, RecordZeroWriteTakesAnyFourByteAnswer)
{
    struct Case {
        const char* name;
        const char* unit;
        const char* newAddress;
    };
    const Case cases[] = {
        { "header with C8h", "127.0.0.40", "127.0.0.80" },
        { "the request's own header", "127.0.0.48", "127.0.0.81" },
        { "any other four bytes", "127.0.0.49", "127.0.0.82" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(setAddress(c.unit, fixed(c.newAddress), true), AddressWriteOutcome::Written);
        ASSERT_FALSE(m_ui.messages().empty());
        EXPECT_EQ(m_ui.messages().back(), texts::kSettingDoneRestart);
        EXPECT_EQ(m_model.table().findByIpText(c.unit), -1);
        EXPECT_EQ(logged("write0", c.unit).size(), 1u);
    }
}

// A record 0 write without acknowledgement: the unit is looked for at its new address, and
// the message says which of the two happened.
TEST_F(AddressFlowTest, UnansweredRecordZeroWriteLooksForTheUnitAtItsNewAddress)
{
    struct Case {
        const char* name;
        const char* unit;
        const char* newAddress;
        bool lost; // the write never reached the unit
        const char* message;
        AddressWriteOutcome outcome;
    };
    const Case cases[] = {
        { "answer lost, unit moved", "127.0.0.45", "127.0.0.85", false, texts::kWrittenWithoutAcknowledgement,
            AddressWriteOutcome::Written },
        { "write lost, unit stayed", "127.0.0.40", "127.0.0.86", true, texts::kNoAcknowledgementNotMoved,
            AddressWriteOutcome::Failed },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.lost)
            m_writers.lostWrites.insert(c.unit);
        EXPECT_EQ(setAddress(c.unit, fixed(c.newAddress), true), c.outcome);
        ASSERT_FALSE(m_ui.messages().empty());
        EXPECT_EQ(m_ui.messages().back(), c.message);
        EXPECT_EQ(m_model.table().findByIpText(c.unit) >= 0, c.outcome != AddressWriteOutcome::Written);
    }
}

TEST_F(AddressFlowTest, WritePathsByKindAndTheirFailures)
{
    struct Case {
        const char* name;
        const char* unit;
        AddressEntry entry;
        const char* lastMessage;
        AddressWriteOutcome outcome;
        const char* message; // the settings message the unit logged, or null for none
    };
    const Case cases[] = {
        { "mask that is not one run", "127.0.0.40", fixed("127.0.0.40", "255.0.255.0"),
            texts::kSubnetMaskError, AddressWriteOutcome::Refused, nullptr },
        { "kind 5 mask that is not one run", "127.0.0.43", fixed("127.0.0.43", "255.0.255.0"),
            texts::kSubnetMaskError, AddressWriteOutcome::Refused, nullptr },
        // The unit took the write but its answer never came whole: it is found holding the
        // written record once it has restarted.
        { "write unanswered", "127.0.0.45", fixed("127.0.0.45"), texts::kWrittenWithoutAcknowledgement,
            AddressWriteOutcome::Written, nullptr },
        { "answer cut short", "127.0.0.46", fixed("127.0.0.46"), texts::kWrittenWithoutAcknowledgement,
            AddressWriteOutcome::Written, nullptr },
        { "kind 5 outside the network group", "127.0.1.47", fixed("127.0.1.48"), texts::kNotSameNetworkGroup,
            AddressWriteOutcome::Refused, nullptr },
        { "kind 5 fixed address, empty gateway", "127.0.0.43", fixed("127.0.0.53", "255.255.255.128", ""),
            texts::kSettingDoneRestart, AddressWriteOutcome::Written,
            "IP\r\n127.0.0.53\r\nSUBM\r\n255.255.255.128\r\nGWAY\r\n0.0.0.0\r\nEND\r\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(setAddress(c.unit, c.entry, true), c.outcome);
        ASSERT_FALSE(m_ui.messages().empty());
        EXPECT_EQ(m_ui.messages().back(), c.lastMessage);
        const auto messages = logged("settings", c.unit);
        if (c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], c.message);
        } else {
            EXPECT_TRUE(messages.empty());
        }
        // A write that did not happen keeps the unit listed.
        EXPECT_EQ(m_model.table().findByIpText(c.unit) >= 0, c.outcome != AddressWriteOutcome::Written);
    }
    EXPECT_TRUE(logged("write0", "127.0.0.40").empty());
    EXPECT_EQ(logged("write0", "127.0.0.45").size(), 1u);
}

TEST_F(AddressFlowTest, KindFiveDhcpSendsZeroAddressesAndRestartsAtItsAddress)
{
    EXPECT_EQ(setAddress("127.0.0.43", dhcp(), true), AddressWriteOutcome::Written);
    const auto messages = logged("settings", "127.0.0.43");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "IP\r\n0.0.0.0\r\nSUBM\r\n0.0.0.0\r\nGWAY\r\n0.0.0.0\r\nEND\r\n");
    ASSERT_TRUE(m_bench.add("127.0.0.43"));
    EXPECT_TRUE(m_model.table().record(m_model.table().findByIpText("127.0.0.43")).dhcp);
}

TEST_F(AddressFlowTest, UnitOnAnotherSubnetGetsTheAddressSetDatagram)
{
    struct Case {
        const char* name;
        AddressEntry entry;
        std::vector<uint8_t> address;
    };
    // The mask box is disabled for such a unit: whatever it holds is not used.
    const Case cases[] = {
        { "DHCP", dhcp(), { 0, 0, 0, 0 } },
        { "address", fixed("127.0.0.60", "255.0.255.0"), { 127, 0, 0, 60 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_writers.addressSets.clear();
        EXPECT_EQ(setAddress("127.0.1.42", c.entry, true), AddressWriteOutcome::Written);
        ASSERT_EQ(m_writers.addressSets.size(), 1u);
        std::vector<uint8_t> expected { 0x00, 0x00, 0x00, 0xFC, 'I', 'P', '-', 'S', 'E', 'T', 'U', 'P', 0x00,
            0x00, 0xAB, 0xCD };
        expected.insert(expected.end(), c.address.begin(), c.address.end());
        EXPECT_EQ(m_writers.addressSets[0], expected);
        EXPECT_EQ(m_ui.messages().back(), texts::kSettingDoneRestart);
        EXPECT_EQ(m_model.table().findByIpText("127.0.1.42"), -1);
    }
    EXPECT_TRUE(m_writers.asked.empty() || m_writers.asked == std::vector<std::string> { "127.0.0.60" });
}

TEST_F(AddressFlowTest, AWriteOnlyRemovesTheRowWhileItsUnitIsStillSelected)
{
    ASSERT_TRUE(m_bench.add("127.0.0.40"));
    ASSERT_TRUE(m_bench.add("127.0.0.41"));
    m_bench.select("127.0.0.40");
    m_ui.queueAnswer(true);
    m_model.onSetAddress(fixed("127.0.0.40"));
    m_model.waitForFlows();
    // The operator picked another row before the window saw the write's end.
    m_bench.select("127.0.0.41");
    m_events.runPending();
    EXPECT_EQ(m_view.rows.size(), 2u);
    EXPECT_GE(m_model.table().findByIpText("127.0.0.41"), 0);
}

TEST_F(AddressFlowTest, NoSelectionDoesNothing)
{
    m_model.onSetAddress(fixed("127.0.0.70"));
    m_model.waitForFlows();
    EXPECT_TRUE(m_ui.transcript().empty());
}

// ---- PING ----

TEST(PingFlow, MessageFollowsTheEchoAndTheSelectedUnit)
{
    const Ipv4 unit = makeIpv4(203, 0, 113, 40);
    struct Case {
        const char* name;
        const char* address;
        Ipv4 selected;
        int echo;
        const char* message;
        PingOutcome outcome;
    };
    const Case cases[] = {
        { "reply from the selected unit", "203.0.113.40", unit, 0, texts::kPingReplyFromUnit,
            PingOutcome::Reply },
        { "reply from another address", "203.0.113.41", unit, 0, texts::kPingReplyConflict,
            PingOutcome::Reply },
        { "reply with no unit selected", "203.0.113.40", 0, 0, texts::kPingReplyConflict,
            PingOutcome::Reply },
        { "no reply", "203.0.113.41", unit, -1, texts::kPingNoReply, PingOutcome::NoReply },
        { "ARP unanswered", "203.0.113.41", unit, 10065, texts::kPingNoReply, PingOutcome::NoReply },
        // An echo that could not be sent proves nothing: never "the address seems free".
        { "echo not permitted", "203.0.113.41", unit, 10013, texts::kCommunicationError,
            PingOutcome::Failed },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUserInterface ui;
        std::vector<Ipv4> pinged;
        PingOutcome outcome = PingOutcome::Nothing;
        PingFlow flow(
            ui, c.address, c.selected, [&](PingOutcome o) { outcome = o; },
            [&](Ipv4 address) {
                pinged.push_back(address);
                return c.echo;
            });
        flow.run();
        EXPECT_EQ(ui.messages(), std::vector<std::string> { c.message });
        EXPECT_EQ(outcome, c.outcome);
        Ipv4 expected = 0;
        parseIpv4(c.address, expected);
        EXPECT_EQ(pinged, std::vector<Ipv4> { expected });
    }
}

// An address box that holds no whole address sends nothing and says why.
TEST(PingFlow, EmptyOrPartialAddressSendsNothingAndSaysWhy)
{
    struct Case {
        const char* address;
        const char* message;
    };
    const Case cases[] = {
        { "", texts::kEnterIpAddress },
        { "203.0.113", texts::kIpAddressInvalid },
        { "203.0.113.", texts::kIpAddressInvalid },
        { "203.0..40", texts::kIpAddressInvalid },
        { "203.0.113.300", texts::kIpAddressInvalid },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        ScriptedUserInterface ui;
        bool echoed = false;
        PingOutcome outcome = PingOutcome::Reply;
        PingFlow(
            ui, c.address, 0, [&](PingOutcome o) { outcome = o; }, [&](Ipv4) { return echoed = true, 0; })
            .run();
        EXPECT_FALSE(echoed);
        EXPECT_EQ(outcome, PingOutcome::Nothing);
        EXPECT_EQ(ui.messages(), std::vector<std::string> { c.message });
    }
}

// ---- kovractl arguments ----

TEST(AddressCommands, WrongArgumentsAreUsageErrorsBeforeAnyTraffic)
{
    const std::vector<std::vector<std::string>> cases = {
        { "ping" },
        { "ping", "" },
        { "ping", "203.0.113" },
        { "ping", "203.0.113.300" },
        { "ping", "203.0.113.40", "--unit" },
        { "ping", "203.0.113.40", "203.0.113.41" },
        { "set-address", "203.0.113.40" },
        { "set-address", "203.0.113.40", "--dhcp", "--ip", "203.0.113.41" },
        { "set-address", "203.0.113.40", "--dhcp", "--mask", "255.255.255.0" },
        { "set-address", "203.0.113.40", "--ip", "203.0.113" },
        { "set-address", "203.0.113.40", "--ip", "203.0.113.41", "--ip", "203.0.113.42" },
        { "set-address", "203.0.113.40", "--ip", "203.0.113.41", "--colour", "red" },
    };
    for (const auto& words : cases) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::runKovractl(words, in, out, err, test_support::loopbackSubnetAdapter), 2)
            << words.back();
        EXPECT_TRUE(out.str().empty());
    }
}
