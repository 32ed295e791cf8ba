// The QX units' mail dialogs without widgets: the bytes of their direct commands and of the
// mail message, the answers a load accepts, and each dialog's checks in order.
#include "core/alerts/analog_alert_commands.h"
#include "core/alerts/five_channel_mail_form.h"
#include "core/alerts/two_channel_mail_form.h"
#include "core/app/scripted_user_interface.h"
#include "core/platform/cp932_text.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

const std::string kEnd(1, char(0xC8));

// --- the direct commands -------------------------------------------------------------------

struct AlertWriteCase {
    int channel;
    AnalogAlert alert;
    std::string bytes;
};

class AnalogAlertWrite : public ::testing::TestWithParam<AlertWriteCase> { };

TEST_P(AnalogAlertWrite, CarriesModeByteAndCountsAsHex)
{
    EXPECT_EQ(analogAlertWriteRequest(GetParam().channel, GetParam().alert), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Bytes, AnalogAlertWrite,
    ::testing::Values(AlertWriteCase { 0, { kAlertConditionNone, false, 0, 0 }, "AL  00000000" + kEnd },
        AlertWriteCase { 1, { kAlertConditionInside, false, -16384, 16384 }, "AL!!C0004000" + kEnd },
        AlertWriteCase { 0, { kAlertConditionOutside, true, -32768, 32767 }, "AL *80007FFF" + kEnd },
        AlertWriteCase { 15, { kAlertConditionInside, true, 1, -1 }, "AL/)0001FFFF" + kEnd },
        // Nothing the unit could misread goes out.
        AlertWriteCase { 16, {}, "" }, AlertWriteCase { -1, {}, "" },
        AlertWriteCase { 0, { 3, false, 0, 0 }, "" }));

struct AlertAnswerCase {
    const char* name;
    std::string answer;
    bool accepted;
    AnalogAlert alert;
};

class AnalogAlertAnswer : public ::testing::TestWithParam<AlertAnswerCase> { };

TEST_P(AnalogAlertAnswer, TakesOnlyTheWholeFrameOfItsChannel)
{
    AnalogAlert alert { 9, true, 9, 9 };
    ASSERT_EQ(parseAnalogAlertAnswer(GetParam().answer, 1, alert), GetParam().accepted);
    if (!GetParam().accepted)
        return;
    EXPECT_EQ(alert.condition, GetParam().alert.condition);
    EXPECT_EQ(alert.flag, GetParam().alert.flag);
    EXPECT_EQ(alert.low, GetParam().alert.low);
    EXPECT_EQ(alert.high, GetParam().alert.high);
}

INSTANTIATE_TEST_SUITE_P(Answers, AnalogAlertAnswer,
    ::testing::Values(AlertAnswerCase { "inside", "ak!!C0004000" + kEnd, true, { 1, false, -16384, 16384 } },
        AlertAnswerCase { "flagOutside", "ak!*00107fff" + kEnd, true, { 2, true, 16, 32767 } },
        AlertAnswerCase { "otherChannel", "ak\"!00000000" + kEnd, false, {} },
        AlertAnswerCase { "conditionThree", "ak!#00000000" + kEnd, false, {} },
        AlertAnswerCase { "modeOutsideRange", "ak!A00000000" + kEnd, false, {} },
        AlertAnswerCase { "modeSpareBit", "ak!%00000000" + kEnd, false, {} },
        AlertAnswerCase { "notHex", "ak!!0000G000" + kEnd, false, {} },
        AlertAnswerCase { "noEcho", "AK!!00000000" + kEnd, false, {} },
        AlertAnswerCase { "noEndMark", "ak!!000000000", false, {} },
        AlertAnswerCase { "short", "ak!!0000" + kEnd, false, {} },
        AlertAnswerCase { "empty", "", false, {} }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiAlertCommands, MasksTravelAsFourNibbleBytesBothWays)
{
    struct Case {
        DiAlertMasks masks;
        std::string bytes;
    };
    const Case cases[] = {
        { { 0x00, 0x00 }, "    " },
        { { 0x05, 0x01 }, "!%  " }, // DI1 ON, DI3 OFF
        { { 0x07, 0x07 }, "''  " },
        { { 0xA5, 0x3C }, ",%#*" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(diAlertWriteRequest(c.masks), "DM" + c.bytes + kEnd);
        DiAlertMasks read;
        ASSERT_TRUE(parseDiAlertAnswer("dn" + c.bytes + kEnd, read)) << c.bytes;
        EXPECT_EQ(read.enabled, c.masks.enabled);
        EXPECT_EQ(read.on, c.masks.on);
    }
    EXPECT_EQ(diAlertReadRequest(), "DN" + kEnd);
    DiAlertMasks masks;
    const std::vector<std::string> bad { "dn!%0 " + kEnd, "DN    " + kEnd, "dn    ", "dn   " + kEnd,
        std::string("dn\x10   ") + kEnd };
    for (const std::string& answer : bad)
        EXPECT_FALSE(parseDiAlertAnswer(answer, masks)) << answer;
}

TEST(DoAlertRegisters, RecordsRoundTripAndUnknownBitsAreRefused)
{
    DoAlertRecords records {};
    records[0] = { true, 2, 0x1234, kDirectionOnPriority };
    records[1] = { false, 1, 0xFFFF, kDirectionOffPriority };
    const std::vector<uint8_t> bytes = doAlertRegisterBytes(records);
    EXPECT_EQ(bytes, (std::vector<uint8_t> { 0x03, 0x02, 0x12, 0x34, 0x00, 0x01, 0xFF, 0xFF }));
    DoAlertRecords read {};
    ASSERT_TRUE(parseDoAlertRegisterBytes(bytes, read));
    EXPECT_TRUE(read[0].enabled);
    EXPECT_EQ(read[0].monitoredInput, 2);
    EXPECT_EQ(read[0].width, 0x1234);
    EXPECT_EQ(read[0].direction, kDirectionOnPriority);
    EXPECT_EQ(read[1].width, 0xFFFF);
    EXPECT_FALSE(parseDoAlertRegisterBytes({ 0x04, 0, 0, 0, 0, 0, 0, 0 }, read)) << "unknown flag bit";
    EXPECT_FALSE(parseDoAlertRegisterBytes({ 0, 3, 0, 0, 0, 0, 0, 0 }, read)) << "no AI4";
    EXPECT_FALSE(parseDoAlertRegisterBytes({ 0, 0, 0, 0, 0, 0, 0 }, read)) << "short";
}

// --- the mail message ----------------------------------------------------------------------

TEST(AnalogMailMessage, CrLfLinesWithNoResetAndTheTestLineOnlyForATest)
{
    MailAccount account { "smtp.example.net", 587, "user", "pass", "a@b.jp", "c@d.jp", "",
        utf8ToCp932("水位") };
    const std::string body
        = "MHOST\r\nsmtp.example.net\r\nMPORT\r\n587\r\nMUSER\r\nuser\r\nMPASS\r\npass\r\n"
          "MFROM\r\na@b.jp\r\nMTO1\r\nc@d.jp\r\nMTO2\r\n\r\nMSUBJ\r\n\xE6\xB0\xB4\xE4\xBD\x8D\r\n";
    EXPECT_EQ(analogMailMessage(account, false), body + "NORESET\r\nEND\r\n");
    EXPECT_EQ(analogMailMessage(account, true), body + "NORESET\r\nMTEST\r\nEND\r\n");
}

// --- the two-channel dialog ----------------------------------------------------------------

struct TwoChannelCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> fields;
    const char* message; // nullptr: accepted
};

class TwoChannelChecks : public ::testing::TestWithParam<TwoChannelCase> { };

TEST_P(TwoChannelChecks, FirstFailingCheckInOrder)
{
    TwoChannelMailForm form(UnitSettings {}, {}, {});
    for (const auto& [name, value] : GetParam().fields)
        ASSERT_EQ(form.setFieldText(name, value), DialogForm::SetResult::Set) << name;
    const auto failure = form.check();
    if (GetParam().message)
        EXPECT_EQ(failure.value_or("(accepted)"), GetParam().message);
    else
        EXPECT_EQ(failure, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Order, TwoChannelChecks,
    ::testing::Values(TwoChannelCase { "defaults", {}, nullptr },
        TwoChannelCase { "ai1LowAboveHigh", { { "ai1.low", "5" }, { "ai1.high", "4" } },
            "AI1の閾値設定が正しくありません。" },
        TwoChannelCase { "ai1PastTenVolts", { { "ai1.high", "10.5" } }, "AI1の閾値設定が正しくありません。" },
        TwoChannelCase { "ai1FullScale", { { "ai1.low", "-10" }, { "ai1.high", "10" } }, nullptr },
        TwoChannelCase { "ai2Negative", { { "ai2.low", "-1" } }, "AI2の閾値設定が正しくありません。" },
        TwoChannelCase {
            "ai2PastTwentyMilliamperes", { { "ai2.high", "21" } }, "AI2の閾値設定が正しくありません。" },
        TwoChannelCase { "ai1Before2", { { "ai1.low", "5" }, { "ai1.high", "4" }, { "ai2.low", "-1" } },
            "AI1の閾値設定が正しくありません。" },
        TwoChannelCase {
            "portBeforeBands", { { "port", "65536" }, { "ai1.low", "5" } }, "ポート設定が違います。" },
        TwoChannelCase { "portNotANumber", { { "port", "25a" } }, "ポート設定が違います。" },
        TwoChannelCase { "portZero", { { "port", "0" }, { "server", "smtp.example.net" } }, nullptr },
        TwoChannelCase { "lineBreakInjectsAKey", { { "message", "door\r\nMHOST" } },
            "メッセージに改行などの制御文字は使えません。" },
        TwoChannelCase { "serverLineBreak", { { "server", "a\nb" } },
            "SMTPサーバアドレスに改行などの制御文字は使えません。" },
        TwoChannelCase { "message32", { { "message", "abcdefghijklmnopqrstuvwxyz012345" } }, nullptr },
        TwoChannelCase { "message33", { { "message", "abcdefghijklmnopqrstuvwxyz0123456" } },
            "メッセージは32文字以内で入力してください。" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoChannelMailForm, OpensWithTheReadConditionsAndKeepsTheFlagItDoesNotShow)
{
    std::array<AnalogAlert, kTwoChannelAiCount> alerts {};
    alerts[0] = { kAlertConditionOutside, true, -16384, 16384 };
    alerts[1] = { kAlertConditionInside, false, 6553, 32767 };
    TwoChannelMailForm form(UnitSettings {}, alerts, { 0x05, 0x01 });
    EXPECT_EQ(form.field("ai1.condition")->get(), "outside");
    EXPECT_EQ(form.field("ai1.low")->get(), "-5.0000");
    EXPECT_EQ(form.field("ai2.low")->get(), "  4.000");
    EXPECT_EQ(form.field("di1")->get(), "on");
    EXPECT_EQ(form.field("di2")->get(), "none");
    EXPECT_EQ(form.field("di3")->get(), "off");
    ASSERT_EQ(form.setFieldText("ai1.low", "-1"), DialogForm::SetResult::Set);
    ASSERT_EQ(form.check(), std::nullopt);
    EXPECT_TRUE(form.alerts()[0].flag);
    EXPECT_EQ(form.alerts()[0].low, -3277);
    EXPECT_EQ(form.diMasks().enabled, 0x05);
    EXPECT_EQ(form.diMasks().on, 0x01);
}

TEST(TwoChannelMailForm, TestSendAsksFirstThenChecksThePortOnly)
{
    TwoChannelMailForm form(UnitSettings {}, {}, {});
    std::string sent;
    form.setMessageSender([&sent](const std::string& text) {
        sent = text;
        return 0;
    });
    ASSERT_EQ(form.setFieldText("ai1.low", "5"), DialogForm::SetResult::Set); // not a test's check
    ScriptedUserInterface ui;
    ui.queueAnswer(false);
    EXPECT_FALSE(form.prepareTestSend(ui));
    ui.queueAnswer(true);
    ASSERT_EQ(form.setFieldText("port", "70000"), DialogForm::SetResult::Set);
    EXPECT_FALSE(form.prepareTestSend(ui));
    EXPECT_EQ(ui.messages().back(), "ポート設定が違います。");
    ui.queueAnswer(true);
    ASSERT_EQ(form.setFieldText("port", "25"), DialogForm::SetResult::Set);
    const auto send = form.prepareTestSend(ui);
    ASSERT_TRUE(send);
    EXPECT_EQ(send(), 0);
    EXPECT_NE(sent.find("MPORT\r\n25\r\n"), std::string::npos);
    EXPECT_NE(sent.find("NORESET\r\nMTEST\r\nEND\r\n"), std::string::npos);
}

// --- the five-channel dialog ---------------------------------------------------------------

struct FiveChannelCase {
    const char* name;
    bool hostName;
    std::vector<std::pair<const char*, const char*>> fields;
    const char* message;
};

class FiveChannelChecks : public ::testing::TestWithParam<FiveChannelCase> { };

TEST_P(FiveChannelChecks, FirstFailingCheckInOrder)
{
    UnitSettings settings;
    settings.mailPort = 25;
    FiveChannelMailForm form(settings, GetParam().hostName, 3, 2, {}, {});
    for (const auto& [name, value] : GetParam().fields)
        ASSERT_EQ(form.setFieldText(name, value), DialogForm::SetResult::Set) << name;
    const auto failure = form.check();
    if (GetParam().message)
        EXPECT_EQ(failure.value_or("(accepted)"), GetParam().message);
    else
        EXPECT_EQ(failure, std::nullopt);
}

const char* const kSender = "送信元メールアドレスエラー";
const char* const kRecipient = "送信先メールアドレスエラー";

INSTANTIATE_TEST_SUITE_P(Order, FiveChannelChecks,
    ::testing::Values(FiveChannelCase { "empty", false, {}, nullptr },
        // "0.0.0.0" is no server: addresses without "@" pass, port 0 too.
        FiveChannelCase { "unsetServerTakesAnything", false,
            { { "server", "0.0.0.0" }, { "port", "0" }, { "sender", "local" }, { "to1", "ops" } }, nullptr },
        FiveChannelCase { "setServerWantsSenderAt", false,
            { { "server", "203.0.113.25" }, { "sender", "local" } }, kSender },
        FiveChannelCase { "setServerWantsRecipientAt", false,
            { { "server", "203.0.113.25" }, { "to2", "ops" } }, kRecipient },
        FiveChannelCase { "portZeroWithServer", false, { { "server", "203.0.113.25" }, { "port", "0" } },
            "ポート番号エラー" },
        FiveChannelCase { "port65536", false, { { "port", "65536" } }, "ポート番号エラー" },
        FiveChannelCase { "portBeforeSender", false,
            { { "server", "203.0.113.25" }, { "port", "0" }, { "sender", "x" } }, "ポート番号エラー" },
        FiveChannelCase {
            "senderFullWidth", false, { { "sender", "ａ@b.jp" } }, "送信元に全角文字が含まれています" },
        FiveChannelCase {
            "senderLocalPart24", false, { { "sender", "abcdefghijklmnopqrstuvwx@b.jp" } }, kSender },
        FiveChannelCase { "senderParts23", false,
            { { "sender", "abcdefghijklmnopqrstuvw@abcdefghijklmnopqrstuvw" } }, nullptr },
        FiveChannelCase {
            "recipientFullWidth", false, { { "to1", "ｏｐｓ@b.jp" } }, "送信先に全角文字が含まれています" },
        FiveChannelCase { "recipient48", false,
            { { "to2", "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopq@b.jp" } }, nullptr },
        FiveChannelCase { "recipient49", false,
            { { "to2", "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqr@b.jp" } }, kRecipient },
        FiveChannelCase { "senderBeforeRecipient", false,
            { { "sender", "abcdefghijklmnopqrstuvwx@b" }, { "to1", "ｏ" } }, kSender },
        FiveChannelCase { "message23", false, { { "message", "abcdefghijklmnopqrstuvw" } }, nullptr },
        FiveChannelCase {
            "message24SaysRecipient", false, { { "message", "abcdefghijklmnopqrstuvwx" } }, kRecipient },
        FiveChannelCase {
            "messageFullWidth", false, { { "message", "水位" } }, "メッセージに全角文字が含まれています" },
        FiveChannelCase { "partialAddress", false, { { "server", "203.0.113" } }, "IPアドレス設定エラー" },
        FiveChannelCase { "hostName", true, { { "server", "smtp.example.net" }, { "user", "u" } }, nullptr },
        FiveChannelCase { "hostNameLineBreak", true, { { "server", "smtp\r\nMPORT" } },
            "SMTPサーバアドレスに改行などの制御文字は使えません。" },
        FiveChannelCase { "userLineBreak", true, { { "auth", "on" }, { "user", "u\nMHOST" } },
            "認証ユーザー名に改行などの制御文字は使えません。" },
        FiveChannelCase {
            "userUnsentWithoutAuth", true, { { "auth", "off" }, { "user", "u\nMHOST" } }, nullptr }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FiveChannelMailForm, DoAlertOpensWithTheChannelRowsAndItsBandGoesBackToTheMonitoredRow)
{
    std::array<AnalogMailChannel, kFiveChannelAiMax> channels {};
    channels[0] = { kRangeVoltage10V, uint16_t(-16384), 16384, kLedLitInside, true };
    channels[1] = { kRangeCurrent250Ohm, 6553, 32767, kLedLitOutside, false };
    DoAlertRecords records {};
    records[1] = { true, 1, 100, kDirectionOnPriority };
    FiveChannelMailForm form(UnitSettings {}, false, 3, 2, channels, records);

    const DoAlertSetup setup = form.doAlertSetup(1);
    EXPECT_EQ(setup.monitoredInput, 1);
    EXPECT_EQ(setup.inputs[1].rangeType, kRangeCurrent250Ohm);
    EXPECT_EQ(setup.inputs[1].low, 6553);
    EXPECT_EQ(setup.inputs[0].ledCondition, kLedLitInside);
    EXPECT_EQ(setup.hysteresisWidth, 100);

    // The dialog switched to AI1 and moved its band: AI1's row takes it, AI2's keeps its own.
    ScriptedUserInterface ui;
    ui.setDialogFiller([](DialogForm& dialog) {
        EXPECT_EQ(dialog.templateId(), kDoAlertTemplateId);
        return dialog.setFieldText("input", "ai1") == DialogForm::SetResult::Set
            && dialog.setFieldText("low", "1") == DialogForm::SetResult::Set
            && dialog.setFieldText("high", "2") == DialogForm::SetResult::Set
            && dialog.setFieldText("led", "outside") == DialogForm::SetResult::Set;
    });
    ASSERT_TRUE(form.editDoAlert(1, ui));
    EXPECT_EQ(form.doRecords()[1].monitoredInput, 0);
    EXPECT_TRUE(form.doRecords()[1].enabled) << "the enable stays with the check box";
    EXPECT_EQ(form.lowText(0), "1.000092");
    EXPECT_EQ(form.highText(0), "1.999878");
    EXPECT_EQ(form.channel(0).ledCondition, kLedLitOutside);
    EXPECT_TRUE(form.channel(0).mail) << "the mail alert is the row's own";
    EXPECT_EQ(form.channel(1).low, 6553);

    ui.setDialogFiller(
        [](DialogForm& dialog) { return dialog.setFieldText("low", "-3") != DialogForm::SetResult::Set; });
    EXPECT_FALSE(form.editDoAlert(0, ui));
    EXPECT_EQ(form.lowText(0), "1.000092") << "a cancelled dialog changes nothing";
    EXPECT_FALSE(form.editDoAlert(2, ui)) << "no DO3";
}

TEST(FiveChannelMailForm, ANewRangeShowsTheSameCountsAndTypedValuesGoThroughTheFilter)
{
    std::array<AnalogMailChannel, kFiveChannelAiMax> channels {};
    channels[0].high = 16384;
    FiveChannelMailForm form(UnitSettings {}, true, 1, 0, channels, {});
    EXPECT_EQ(form.highText(0), "5.000153");
    form.setRange(0, kRangeVoltage1V);
    EXPECT_EQ(form.highText(0), "0.500015");
    EXPECT_EQ(form.channel(0).high, 16384);
    const AnalogEntryOutcome typed = form.enterLow(0, "-0.5x");
    EXPECT_TRUE(typed.nonNumeric);
    EXPECT_EQ(form.channel(0).low, uint16_t(-16384));
    EXPECT_EQ(form.setFieldText("ch1.low", "1a"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(form.field("ch2.low"), nullptr) << "rows past the model's inputs are hidden";
    EXPECT_EQ(form.field("do1.alert"), nullptr) << "no DO rows without outputs";
}

} // namespace
