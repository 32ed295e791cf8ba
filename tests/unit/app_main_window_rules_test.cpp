// The main window's rules that need no network: options, version text, the address
// group, the progress counter and the port edit.
#include "core/app/address_group.h"
#include "core/app/import_progress.h"
#include "core/app/program_options.h"
#include "core/app/unit_row_builder.h"

#include <gtest/gtest.h>

using namespace kovra;

TEST(ProgramOptions, SwitchesAreFoundAnywhereInAnyCase)
{
    struct Case {
        const char* commandLine;
        bool showVersions;
        bool wifiMask;
    };
    const Case cases[] = {
        { "", false, false },
        { "-VIEWVER", true, false },
        { "somefile.txt -viewver", true, false },
        { "x-ViewVerx", true, false },
        { "-WIFIMASK -VIEWVER", true, true },
        { "-wifimask", false, true },
        { "-VIEW VER -WIFI", false, false },
    };
    for (const auto& c : cases) {
        const auto options = parseProgramOptions(c.commandLine);
        EXPECT_EQ(options.showVersions, c.showVersions) << c.commandLine;
        EXPECT_EQ(options.wifiMask, c.wifiMask) << c.commandLine;
    }
}

TEST(VersionText, RevisionZeroGivesThreeNumbersAfterThePoint)
{
    EXPECT_EQ(versionText({ 1, 0, 2, 0 }), "Version 1.02");
    EXPECT_EQ(versionText({ 1, 0, 2, 5 }), "Version 1.025");
    EXPECT_EQ(versionText({ 2, 1, 0, 0 }), "Version 2.10");
    EXPECT_EQ(versionText({ 0, 0, 0, 0 }), "Version 0.00");
}

TEST(ImportProgress, StepNeverPassesTheTotal)
{
    ImportProgress progress;
    progress.start(1); // ten ticks
    EXPECT_EQ(importStatus.load(), kImportRunning);
    int bar = 0;
    for (int i = 0; i < 25; ++i) {
        bar = progress.tick();
        EXPECT_LE(progress.progressStep(), progress.progressTotal());
    }
    EXPECT_EQ(progress.progressTotal(), 10);
    EXPECT_EQ(bar, 100);

    progress.start(25);
    EXPECT_EQ(progress.tick(), 0) << "1 of 250 steps is still 0 %";
    EXPECT_EQ(progress.progressStep(), 1);
}

TEST(PortEdit, DigitsUpToTheFirstOtherCharacter)
{
    EXPECT_EQ(parsePortText("10001"), 10001);
    EXPECT_EQ(parsePortText("abc"), 0);
    EXPECT_EQ(parsePortText(""), 0);
    EXPECT_EQ(parsePortText("80x1"), 80);
    EXPECT_EQ(parsePortText("99999999999999"), 0x7FFFFFFF);
}

namespace {

UnitSlot unit(bool sameSubnet, bool dhcp, int kind = kKindWired, int addressLock = 0)
{
    UnitSlot slot;
    slot.record.kind = kind;
    slot.record.sameSubnet = sameSubnet;
    slot.record.dhcp = dhcp;
    slot.record.peerAddress = makeIpv4(203, 0, 113, 20);
    slot.record.subnetMask = makeIpv4(255, 255, 255, 0);
    slot.record.gateway = makeIpv4(203, 0, 113, 254);
    slot.settings.addressLock = addressLock;
    return slot;
}

} // namespace

TEST(AddressGroup, SelectionRules)
{
    // Same subnet, fixed address: everything on and filled.
    AddressGroupState group = disabledAddressGroup();
    auto fixed = unit(true, false);
    applySelection(group, &fixed);
    EXPECT_TRUE(group.dhcpEnabled && group.addressEnabled && group.maskEnabled && group.gatewayEnabled);
    EXPECT_TRUE(group.pingEnabled && group.setEnabled);
    EXPECT_FALSE(group.dhcpChecked);
    EXPECT_EQ(group.address, "203.0.113.20");
    EXPECT_EQ(group.mask, "255.255.255.0");
    EXPECT_EQ(group.gateway, "203.0.113.254");

    // Same subnet with DHCP: the box is checked and the address controls and PING are off.
    auto dhcp = unit(true, true);
    applySelection(group, &dhcp);
    EXPECT_TRUE(group.dhcpChecked);
    EXPECT_FALSE(group.addressEnabled || group.maskEnabled || group.gatewayEnabled || group.pingEnabled);
    EXPECT_TRUE(group.setEnabled);

    // Another subnet: only a new address can be given; mask and gateway stay empty and off.
    auto other = unit(false, true);
    applySelection(group, &other);
    EXPECT_FALSE(group.dhcpChecked);
    EXPECT_TRUE(group.addressEnabled && group.pingEnabled && group.setEnabled && group.dhcpEnabled);
    EXPECT_FALSE(group.maskEnabled || group.gatewayEnabled);
    EXPECT_EQ(group.address, "203.0.113.20");
    EXPECT_EQ(group.mask, "");
    // Checking DHCP there turns the address and PING off; unchecking keeps mask and gateway off.
    applyDhcpCheckBox(group, true, false);
    EXPECT_FALSE(group.addressEnabled || group.pingEnabled);
    applyDhcpCheckBox(group, false, false);
    EXPECT_TRUE(group.addressEnabled && group.pingEnabled);
    EXPECT_FALSE(group.maskEnabled || group.gatewayEnabled);

    // Kinds 3 and 6 with the address lock keep their address; other kinds ignore the flag.
    auto locked = unit(true, false, kKindWifi, 1);
    applySelection(group, &locked);
    EXPECT_EQ(group, disabledAddressGroup());
    auto lockedQx = unit(true, false, kKindQx, 1);
    applySelection(group, &lockedQx);
    EXPECT_EQ(group, disabledAddressGroup());
    auto lockIgnored = unit(true, false, kKindKovra4, 1);
    applySelection(group, &lockIgnored);
    EXPECT_TRUE(group.setEnabled);

    // No slot for the row: the address is emptied and the two buttons go off.
    applySelection(group, nullptr);
    EXPECT_EQ(group.address, "");
    EXPECT_FALSE(group.pingEnabled || group.setEnabled);
    EXPECT_EQ(group.mask, "255.255.255.0") << "the rest stays as it was";
}
