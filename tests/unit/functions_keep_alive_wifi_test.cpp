#include "core/app/scripted_user_interface.h"
#include "core/functions/keep_alive_wifi_form.h"
#include "core/functions/other_settings_paths.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

const char* const kValueError = "設定値エラー";
const char* const kBadAddress = "IPアドレスが不正です。";
const char* const kBadMask = "サブネットマスクが不正です。";
const char* const kBadGateway = "デフォルトゲートウェイが不正です。";
const char* const kWifiQuestion
    = "?KOVRAのWiFi設定を変更すると、再び接続するためにはPCのWiFi設定変更が必要となることがあります。";

using Fields = std::vector<std::pair<std::string, std::string>>;

// A kind 3 unit at 203.0.113.44/24 behind 203.0.113.1, station on "plant" channel 6.
UnitSlot wifiUnit(int sketchVersion = 120, int kind = kKindWifi)
{
    UnitSlot unit;
    unit.record.kind = kind;
    unit.record.ipText = "203.0.113.44";
    unit.record.subnetMask = makeIpv4(255, 255, 255, 0);
    unit.record.gateway = makeIpv4(203, 0, 113, 1);
    unit.settings.sketchVersion = sketchVersion;
    unit.settings.keepIdle = 60;
    unit.settings.keepInterval = 10;
    unit.settings.keepCount = 5;
    unit.settings.apMode = 0;
    unit.settings.apChannel = 6;
    unit.settings.wifiSsid = "plant";
    unit.settings.wifiPass = "secret-1";
    return unit;
}

void fill(DialogForm& form, const Fields& fields)
{
    for (const auto& [name, text] : fields)
        ASSERT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name << "=" << text;
}

std::vector<std::string> fieldNames(const DialogForm& form)
{
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    return names;
}

TEST(FunctionsKeepAliveWifiForm, ChecksInTheDialogsOrder)
{
    struct Case {
        const char* name;
        Fields fields;
        const char* failure;
    };
    const Case cases[] = {
        { "as opened", {}, "" },
        { "idle empty", { { "keep-idle", "" } }, kValueError },
        { "interval 0", { { "keep-interval", "0" } }, kValueError },
        { "count 65535", { { "keep-count", "65535" } }, "" },
        { "count 65536", { { "keep-count", "65536" } }, kValueError },
        // The edits hold five characters: a sixth never arrives.
        { "idle typed past the edit", { { "keep-idle", "655359" } }, "" },
        { "channel 0", { { "channel", "0" } }, kValueError },
        { "channel 13", { { "channel", "13" } }, "" },
        { "channel 14", { { "channel", "14" } }, kValueError },
        { "address not dotted", { { "ip", "203.0.113" } }, kBadAddress },
        { "address all ones", { { "ip", "255.255.255.255" } }, kBadAddress },
        { "mask all ones", { { "mask", "255.255.255.255" } }, kBadMask },
        // A mask with a hole would leave the unit unreachable after its restart.
        { "mask not one run", { { "mask", "255.0.255.0" } }, kBadMask },
        { "gateway text", { { "gateway", "router" } }, kBadGateway },
        { "all three emptied", { { "ip", "" }, { "mask", "" }, { "gateway", "" } }, "" },
        { "new address", { { "ip", "203.0.113.45" }, { "mask", "255.255.0.0" } }, "" },
        { "keep-alive before channel", { { "keep-count", "0" }, { "channel", "0" }, { "ip", "x" } },
            kValueError },
        { "channel before address", { { "channel", "20" }, { "ip", "x" } }, kValueError },
        { "address before mask", { { "ip", "x" }, { "mask", "x" }, { "gateway", "x" } }, kBadAddress },
        { "mask before gateway", { { "mask", "x" }, { "gateway", "x" } }, kBadMask },
    };
    for (const auto& c : cases) {
        KeepAliveWifiForm form(wifiUnit());
        fill(form, c.fields);
        EXPECT_EQ(form.check().value_or(""), c.failure) << c.name;
    }
}

TEST(FunctionsKeepAliveWifiForm, OnlyAnEditedAddressIsChecked)
{
    // The unit reports a mask of all ones: while it stands OK passes; any other text must be
    // a mask.
    UnitSlot unit = wifiUnit();
    unit.record.subnetMask = 0xFFFFFFFFu;
    KeepAliveWifiForm form(unit);
    EXPECT_FALSE(form.check());
    fill(form, { { "mask", "255.255.255.0" } });
    EXPECT_FALSE(form.check());
    fill(form, { { "mask", "255.255.255.255" } });
    EXPECT_FALSE(form.check()) << "back to the unit's own text";
    fill(form, { { "mask", "255.255.255.255 " } });
    EXPECT_EQ(form.check(), std::optional<std::string>(kBadMask));
}

TEST(FunctionsKeepAliveWifiForm, WifiPartOnlyForKind3AboveSketch118Or99)
{
    struct Case {
        int kind;
        int sketchVersion;
        bool live;
    };
    const Case cases[] = {
        { kKindWifi, 99, true },
        { kKindWifi, 119, true },
        { kKindWifi, 127, true },
        { kKindWifi, 118, false },
        { kKindWifi, 115, false },
        { kKindWifi, 111, false },
        { kKindQx, 120, false },
    };
    const std::vector<std::string> keepAlive = { "keep-idle", "keep-interval", "keep-count" };
    const std::vector<std::string> all = { "keep-idle", "keep-interval", "keep-count", "ap-mode", "ssid",
        "wifi-password", "ip", "mask", "gateway", "channel" };
    for (const auto& c : cases) {
        KeepAliveWifiForm form(wifiUnit(c.sketchVersion, c.kind));
        EXPECT_EQ(form.wifiLive(), c.live) << c.kind << "/" << c.sketchVersion;
        EXPECT_EQ(fieldNames(form), c.live ? all : keepAlive) << c.kind << "/" << c.sketchVersion;
        // A hidden part is neither checked nor asked about.
        form.setApMode(KeepAliveWifiForm::kAccessPoint);
        ScriptedUserInterface ui;
        EXPECT_EQ(acceptDialog(form, ui), !c.live) << c.kind << "/" << c.sketchVersion;
        EXPECT_EQ(ui.transcript().size(), c.live ? 1u : 0u) << c.kind << "/" << c.sketchVersion;
    }
}

TEST(FunctionsKeepAliveWifiForm, AChangedWifiValueAsksOkCancel)
{
    struct Case {
        const char* name;
        Fields fields;
        bool answer;
        bool asks;
        bool closes;
    };
    const Case cases[] = {
        { "nothing changed", {}, false, false, true },
        { "keep-alive only", { { "keep-idle", "30" } }, false, false, true },
        { "ssid, OK", { { "ssid", "office" } }, true, true, true },
        { "ssid, Cancel", { { "ssid", "office" } }, false, true, false },
        { "password", { { "wifi-password", "other" } }, false, true, false },
        { "access point", { { "ap-mode", "ap" } }, true, true, true },
        { "channel", { { "channel", "11" } }, true, true, true },
        // An emptied address keeps the unit's own: nothing changes, nothing to ask.
        { "address emptied", { { "ip", "" } }, false, false, true },
        { "changed and changed back", { { "ssid", "office" }, { "ssid", "plant" } }, false, false, true },
    };
    for (const auto& c : cases) {
        KeepAliveWifiForm form(wifiUnit());
        fill(form, c.fields);
        ScriptedUserInterface ui;
        ui.queueAnswer(c.answer);
        EXPECT_EQ(acceptDialog(form, ui), c.closes) << c.name;
        EXPECT_EQ(ui.transcript(),
            c.asks ? std::vector<std::string> { kWifiQuestion } : std::vector<std::string> {})
            << c.name;
    }
}

TEST(FunctionsKeepAliveWifiForm, FieldsTakeOnlyWhatTheDialogOffers)
{
    KeepAliveWifiForm form(wifiUnit());
    EXPECT_EQ(form.field("ap-mode")->get(), "sta");
    EXPECT_EQ(form.field("mask")->get(), "255.255.255.0");
    EXPECT_EQ(form.field("wifi-password")->kind, FormField::Kind::Secret);
    EXPECT_EQ(form.setFieldText("ap-mode", "AP"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(form.setFieldText("ap-mode", "ap"), DialogForm::SetResult::Set);
    EXPECT_EQ(form.apMode(), KeepAliveWifiForm::kAccessPoint);
    EXPECT_EQ(form.setFieldText("udp-mode", "on"), DialogForm::SetResult::UnknownField);
}

TEST(FunctionsKeepAliveWifiPath, WritesTheKeepAliveMessageWithTheEditedValues)
{
    struct Case {
        const char* name;
        int sketchVersion;
        Fields fields;
        const char* message;
    };
    const Case cases[] = {
        { "Wi-Fi part", 120,
            { { "keep-idle", "30" }, { "ap-mode", "ap" }, { "ssid", "office" }, { "channel", "11" },
                { "ip", "203.0.113.45" }, { "gateway", "" } },
            "K_IDL\r\n30\r\nK_INT\r\n10\r\nK_CNT\r\n5\r\nAP\r\n1\r\nSSID\r\noffice\r\nPASS\r\nsecret-1\r\n"
            // An emptied gateway keeps the unit's own: an empty line would leave it without one.
            "AP_CH\r\n11\r\nIP\r\n203.0.113.45\r\nSUBM\r\n255.255.255.0\r\nGWAY\r\n203.0.113.1\r\nEND\r\n" },
        { "keep-alive only", 115, { { "keep-count", "9" } },
            "K_IDL\r\n60\r\nK_INT\r\n10\r\nK_CNT\r\n9\r\nEND\r\n" },
    };
    for (const auto& c : cases) {
        auto path = makeKeepAliveWifiPath(wifiUnit(c.sketchVersion));
        EXPECT_EQ(path->load(), 0) << c.name;
        fill(path->form(), c.fields);
        ScriptedUserInterface ui(true);
        ASSERT_TRUE(acceptDialog(path->form(), ui)) << c.name;
        const WritePlan plan = path->plan();
        ASSERT_EQ(plan.size(), 1u) << c.name;
        ASSERT_TRUE(std::holds_alternative<MessageStep>(plan[0])) << c.name;
        EXPECT_EQ(std::get<MessageStep>(plan[0]).text, c.message) << c.name;
    }
}

TEST(FunctionsKeepAliveWifiPath, StoresTheWrittenSettings)
{
    const UnitSlot before = wifiUnit(99);
    auto path = makeKeepAliveWifiPath(before);
    fill(path->form(), { { "keep-interval", "20" }, { "ap-mode", "ap" }, { "wifi-password", "new-key" } });
    ScriptedUserInterface ui(true);
    ASSERT_TRUE(acceptDialog(path->form(), ui));
    UnitSlot after = before;
    path->store(after);
    EXPECT_EQ(after.settings.keepInterval, 20);
    EXPECT_EQ(after.settings.apMode, 1);
    EXPECT_EQ(after.settings.wifiPass, "new-key");
    EXPECT_EQ(after.settings.wifiSsid, "plant");
    EXPECT_EQ(after.record.ipText, before.record.ipText);

    // Without the Wi-Fi part only the keep-alive is the unit's new state.
    UnitSlot old = wifiUnit(115);
    auto shortPath = makeKeepAliveWifiPath(old);
    fill(shortPath->form(), { { "keep-idle", "90" } });
    ASSERT_TRUE(acceptDialog(shortPath->form(), ui));
    old.settings.apMode = 1; // as if changed elsewhere: not the dialog's to reset
    shortPath->store(old);
    EXPECT_EQ(old.settings.keepIdle, 90);
    EXPECT_EQ(old.settings.apMode, 1);
}

} // namespace
