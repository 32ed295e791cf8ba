// The add button's flow and the selection that follows, against simulated units on
// loopback, with the window model on a HeadlessView and a scripted operator.
#include "cli/kovractl.h"
#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/scripted_user_interface.h"
#include "support/loopback_adapter.h"
#include "support/simulated_fleet.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace kovra;
using kovra::test_support::loopbackAdapter;

namespace {

// Units on 127.0.0.x; every datagram they receive is counted from the log.
const char* const kFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.20", "kind": 0, "model": 3, "switch": 5, "gateway": "127.0.0.254" },
    { "address": "127.0.0.21", "kind": 4, "model": 21, "mask": "255.255.0.0" },
    { "address": "127.0.0.22", "kind": 0, "model": 1, "modelAnswer": "none" },
    { "address": "127.0.0.23", "kind": 1, "model": 2, "firmware": "GC2.05" },
    { "address": "127.0.0.24", "kind": 0, "model": 4, "fault": { "mode": "silent", "requests": ["record3"] } },
    { "address": "127.0.0.25", "kind": 0, "model": 2, "dhcp": true }
  ]
})";

class AddUnitFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_fleet.start(kFleet), "");
        ASSERT_EQ(m_model.onInitDialog(), MainWindowModel::StartResult::Ready);
    }

    void TearDown() override
    {
        m_model.waitForFlows();
        m_fleet.stop();
    }

    // The add button with the address and the port edit's text; waits for the flow.
    void add(const std::string& address, const std::string& port = "10001")
    {
        m_model.onAddByAddress(address, port);
        ASSERT_TRUE(m_events.runUntil([&] { return !m_model.adding(); }, std::chrono::seconds(20)));
        m_model.waitForFlows();
        m_events.runPending();
    }

    // Requests the simulated units have received so far.
    size_t requestCount() { return m_fleet.requests().size(); }

    test_support::SimulatedFleet m_fleet;
    HeadlessView m_view;
    EventQueue m_events;
    ScriptedUserInterface m_ui;
    MainWindowModel m_model { m_view, m_events, m_ui, ProgramOptions {}, loopbackAdapter };
};

} // namespace

TEST_F(AddUnitFlowTest, ListsEachKindOfWiredUnitWithItsModelAndNetwork)
{
    struct Case {
        const char* address;
        const char* model;
        int kind;
        const char* mask;
        const char* gateway;
        bool dhcp;
    };
    const Case cases[] = {
        { "127.0.0.20", "QM-140", kKindWired, "255.255.255.0", "127.0.0.254", false },
        { "127.0.0.21", "QM-340", kKindNewerWired, "255.255.0.0", "0.0.0.0", false },
        { "127.0.0.23", "QM-130(G)", kKindWiredGc, "255.255.255.0", "0.0.0.0", false },
        { "127.0.0.25", "QM-130", kKindWired, "255.0.0.0", "0.0.0.0", true }, // class A mask for DHCP
    };
    for (const auto& c : cases)
        add(c.address);
    EXPECT_TRUE(m_ui.messages().empty());
    ASSERT_EQ(m_view.rows.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(m_view.rows[i].ip, c.address);
        EXPECT_EQ(m_view.rows[i].model, c.model) << c.address;
        const UnitRecord& unit = m_model.table().record(m_model.table().findByIpText(c.address));
        EXPECT_EQ(unit.kind, c.kind) << c.address;
        EXPECT_EQ(ipv4ToText(unit.subnetMask), c.mask) << c.address;
        EXPECT_EQ(ipv4ToText(unit.gateway), c.gateway) << c.address;
        EXPECT_EQ(unit.dhcp, c.dhcp) << c.address;
        EXPECT_TRUE(unit.sameSubnet);
    }
    EXPECT_EQ(m_view.rows[0].mac.size(), 17u);
    EXPECT_TRUE(m_view.mainControlsEnabled);
}

TEST_F(AddUnitFlowTest, EveryFailureSaysCannotAddAndLeavesTheTableAsItWas)
{
    add("127.0.0.20");
    ASSERT_EQ(m_model.table().unitCount(), 1);

    // Already listed: refused before any datagram.
    const size_t before = requestCount();
    add("127.0.0.20");
    EXPECT_EQ(requestCount(), before);

    add("127.0.0.99"); // nobody answers
    add("127.0.0.22"); // never answers the model query
    add("127.0.0.24"); // record 3 cannot be read
    add("not an address");

    const std::vector<std::string> expected(5, "追加できません");
    EXPECT_EQ(m_ui.messages(), expected);
    EXPECT_EQ(m_model.table().unitCount(), 1) << "a failed add leaves no slot behind";
    EXPECT_EQ(m_view.rows.size(), 1u);
    EXPECT_TRUE(m_view.mainControlsEnabled);

    // The unit whose model query failed can be added once the port no longer matches it.
    add("127.0.0.22", "abc");
    ASSERT_EQ(m_view.rows.size(), 2u);
    EXPECT_EQ(m_view.rows[1].model, "X1") << "port 0: no model query, the type pair is shown";
}

TEST_F(AddUnitFlowTest, AFullTableRefusesTheNextUnit)
{
    for (int i = 0; i < kMaxUnits; ++i) {
        m_model.table().record(i).ipText = "198.18.1." + std::to_string(i);
        m_model.table().accept();
    }
    const size_t before = requestCount();
    add("127.0.0.20");
    EXPECT_EQ(m_ui.messages(), std::vector<std::string> { "追加できません" });
    EXPECT_EQ(requestCount(), before);
}

TEST_F(AddUnitFlowTest, SelectingTheAddedRowFillsTheAddressGroup)
{
    add("127.0.0.20");
    add("127.0.0.25");
    m_model.onSelectionChanged("127.0.0.20");
    EXPECT_EQ(m_model.selectedSlot(), 0);
    const AddressGroupState& fixed = m_view.addressGroup;
    EXPECT_TRUE(fixed.setEnabled && fixed.pingEnabled && fixed.maskEnabled);
    EXPECT_EQ(fixed.address, "127.0.0.20");
    EXPECT_EQ(fixed.gateway, "127.0.0.254");

    m_model.onSelectionChanged("127.0.0.25");
    EXPECT_TRUE(m_view.addressGroup.dhcpChecked);
    EXPECT_FALSE(m_view.addressGroup.addressEnabled);
    m_model.onDhcpClicked(false);
    EXPECT_TRUE(m_view.addressGroup.addressEnabled && m_view.addressGroup.maskEnabled);

    m_model.onSelectionChanged("127.0.0.77"); // a row without a slot
    EXPECT_EQ(m_model.selectedSlot(), -1);
    EXPECT_FALSE(m_view.addressGroup.setEnabled);
}

TEST_F(AddUnitFlowTest, KovractlAddPrintsTheUnitAsJson)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::runKovractl({ "--json", "add", "127.0.0.21" }, in, out, err, loopbackAdapter), 0)
        << err.str();
    const auto rows = nlohmann::json::parse(out.str());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["model"], "QM-340");
    EXPECT_EQ(rows[0]["kind"], kKindNewerWired);
    EXPECT_EQ(rows[0]["modelIndex"], 21);
    EXPECT_EQ(rows[0]["typePair"], "X5");
    EXPECT_EQ(rows[0]["subnetMask"], "255.255.0.0");
    EXPECT_EQ(rows[0]["port"], 10001);
    EXPECT_EQ(rows[0]["sameSubnet"], true);

    std::ostringstream out2;
    std::ostringstream err2;
    EXPECT_EQ(cli::runKovractl({ "add", "127.0.0.99" }, in, out2, err2, loopbackAdapter), 1);
    EXPECT_EQ(err2.str(), "追加できません\n");
    EXPECT_EQ(cli::runKovractl({ "add" }, in, out2, err2, loopbackAdapter), 2);
}
