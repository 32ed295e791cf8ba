// The classic mail alert dialog of the binary kinds: its checks in the dialog's order, the
// DI mask and analog writes by the unit's path, the test message and the stored records'
// mail layout.
#include "core/alerts/classic_mail_form.h"
#include "core/alerts/classic_mail_writes.h"
#include "core/alerts/mail_setup_image.h"
#include "core/app/scripted_user_interface.h"
#include "core/net/command_messages.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

const char* const kPortError = "ポート番号エラー";
const char* const kSenderError = "送信元メールアドレスエラー";
const char* const kRecipientError = "送信先メールアドレスエラー";
const char* const kFullWidth = "全角文字が含まれています";

UnitRecord binaryUnit(int kind, int model)
{
    UnitRecord unit;
    unit.kind = kind;
    unit.modelIndex = model;
    unit.ipText = "127.0.0.1";
    return unit;
}

ClassicMailValues storedValues(bool hostName)
{
    ClassicMailValues values;
    values.account = { hostName ? "smtp.example.jp" : "192.0.2.25", 25, hostName, "alert", "pw",
        "unit@example.jp", "ops@example.jp", "", "door" };
    values.enableMask = 0x05;
    values.edgeMask = 0x01;
    values.analog[0] = { 16384, -16384, kLedOutside, kAnalogMailLit, true };
    return values;
}

using Fields = std::vector<std::pair<std::string, std::string>>;

struct CheckCase {
    const char* name;
    int kind;
    Fields fields;
    std::string failure; // "" when OK passes
};

class AlertsClassicMailCheck : public testing::TestWithParam<CheckCase> { };

TEST_P(AlertsClassicMailCheck, FirstFailureInTheDialogsOrder)
{
    const CheckCase& c = GetParam();
    ClassicMailForm form(binaryUnit(c.kind, 8), storedValues(c.kind != kKindWired));
    for (const auto& [name, text] : c.fields)
        ASSERT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name;
    EXPECT_EQ(form.check().value_or(""), c.failure);
}

const std::string k23 = std::string(23, 'm');
const std::string k24 = std::string(24, 'm');

INSTANTIATE_TEST_SUITE_P(Cases, AlertsClassicMailCheck,
    testing::Values(CheckCase { "StoredGc", kKindWiredGc, {}, "" },
        CheckCase { "StoredAddress", kKindWired, {}, "" },
        // The analog rows come first: an overflowing percent refuses its row.
        CheckCase { "OverflowingPercent", kKindWiredGc, { { "ai1.high", "1e999" }, { "port", "70000" } },
            "AI1の閾値設定が正しくありません。" },
        CheckCase { "PercentCapped", kKindWiredGc, { { "ai2.low", "-250" } }, "" },
        CheckCase { "HostNameOver49", kKindNewerWired,
            { { "server", std::string(50, 'h') }, { "port", "x" } }, "アドレス設定エラー" },
        CheckCase { "HostName49", kKindNewerWired, { { "server", std::string(49, 'h') } }, "" },
        CheckCase { "PartialAddress", kKindWired, { { "server", "192.0.2." }, { "port", "70000" } },
            "IPアドレス設定エラー" },
        CheckCase {
            "AddressNotANumber", kKindWired, { { "server", "mail.example" } }, "IPアドレス設定エラー" },
        CheckCase {
            "FullWidthBeforePort", kKindWiredGc, { { "message", "ドア" }, { "port", "70000" } }, kFullWidth },
        CheckCase { "PortAboveRange", kKindWiredGc, { { "port", "65536" }, { "sender", "x" } }, kPortError },
        // Port 0 only with a server; 0.0.0.0 is no server.
        CheckCase { "PortZeroWithServer", kKindWiredGc, { { "port", "0" } }, kPortError },
        CheckCase { "PortZeroWithoutServer", kKindWiredGc, { { "port", "0" }, { "server", " " } }, "" },
        CheckCase { "PortZeroAddressZero", kKindWired, { { "port", "0" }, { "server", "0.0.0.0" } }, "" },
        CheckCase { "SenderWithoutAt", kKindWiredGc, { { "sender", "unit" } }, kSenderError },
        CheckCase {
            "SenderLocal24", kKindWiredGc, { { "sender", std::string(24, 'l') + "@d" } }, kSenderError },
        CheckCase { "SenderDomain23", kKindWiredGc, { { "sender", "l@" + std::string(23, 'd') } }, "" },
        // The "@" rule by server state.
        CheckCase { "RecipientWithoutAtNoServer", kKindWiredGc, { { "server", "" }, { "to2", "ops" } },
            kRecipientError },
        CheckCase { "RecipientWithoutAtWithServer", kKindWiredGc, { { "to1", "ops" } }, "" },
        CheckCase { "RecipientWithoutAtAddressUnset", kKindWired,
            { { "server", "0.0.0.0" }, { "to1", "ops" } }, kRecipientError },
        CheckCase {
            "Recipient49", kKindWiredGc, { { "to1", std::string(47, 't') + "@x" } }, kRecipientError },
        CheckCase { "Message23", kKindWiredGc, { { "message", k23 } }, "" },
        CheckCase { "Message24", kKindWiredGc, { { "message", k24 } }, kRecipientError },
        CheckCase { "User43", kKindWiredGc, { { "user", std::string(43, 'u') } }, "認証ユーザ名エラー" },
        CheckCase {
            "Password14", kKindWiredGc, { { "password", std::string(14, 'p') } }, "認証パスワードエラー" },
        // Then what no mail writer sends.
        CheckCase { "SpaceInPassword", kKindWiredGc, { { "password", "p w" } },
            "認証パスワードは空白を含まない半角英数字・記号で入力してください。" },
        CheckCase { "SpacedPasswordUnsentWithoutAuth", kKindWiredGc,
            { { "password", "p w" }, { "auth", "off" } }, "" },
        CheckCase { "TabInRecipient", kKindWiredGc, { { "to2", "a\tb@x" } },
            "送信先メールアドレス２に改行などの制御文字は使えません。" }),
    [](const testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

TEST(AlertsClassicMailForm, RowsFollowTheModel)
{
    // Model 8 (QM-210): no DI, three analog rows with the AI mail alert column.
    ClassicMailForm qm210(binaryUnit(kKindWired, 8), storedValues(false));
    EXPECT_EQ(qm210.diCount(), 0);
    EXPECT_EQ(qm210.analogCount(), 3);
    EXPECT_NE(qm210.field("ai3.mail"), nullptr);
    EXPECT_EQ(qm210.field("auth"), nullptr); // an address server: no SMTP-AUTH
    EXPECT_EQ(qm210.field("ai1.low")->get(), "+50.002");
    EXPECT_EQ(qm210.field("ai1.led")->get(), "outside");
    EXPECT_EQ(qm210.field("ai1.mail")->get(), "lit");

    // Model 12: five inputs, three rows, no mail column; model 2: seven DI rows.
    ClassicMailForm qm240(binaryUnit(kKindWired, 12), storedValues(false));
    EXPECT_EQ(qm240.analogCount(), 3);
    EXPECT_EQ(qm240.field("ai1.mail"), nullptr);
    ClassicMailForm qm130(binaryUnit(kKindWiredGc, 2), storedValues(true));
    EXPECT_EQ(qm130.diCount(), 7);
    EXPECT_NE(qm130.field("di7.edge"), nullptr);
    EXPECT_EQ(qm130.field("di8.edge"), nullptr);
    EXPECT_EQ(qm130.field("di3.enabled")->get(), "on");
    EXPECT_EQ(qm130.field("di3.edge")->get(), "off");
}

TEST(AlertsClassicMailForm, AcceptedMasksCoverOnlyTheModelsInputs)
{
    ClassicMailValues values = storedValues(true);
    values.enableMask = 0xFF;
    ClassicMailForm form(binaryUnit(kKindWiredGc, 4), values); // two DI
    ASSERT_EQ(form.setFieldText("di2.edge", "on"), DialogForm::SetResult::Set);
    ASSERT_EQ(form.check(), std::nullopt);
    EXPECT_EQ(form.accepted().enableMask, 0x03);
    EXPECT_EQ(form.accepted().edgeMask, 0x03);
}

// The plan of steps 1 and 2 as an operator reads it.
struct WritesCase {
    const char* name;
    int kind;
    int model;
    std::string described;
};

class AlertsClassicMailWrites : public testing::TestWithParam<WritesCase> { };

TEST_P(AlertsClassicMailWrites, MasksByTheUnitsPathThenTheAnalogRows)
{
    const WritesCase& c = GetParam();
    ClassicMailValues values = storedValues(true);
    values.enableMask = 0x03;
    values.edgeMask = 0x01;
    values.analog[1] = { 32767, -32768, kLedInside, kAnalogMailUnlit, false };
    const int rows = classicAnalogRows(c.model);
    EXPECT_EQ(describeWritePlan(classicInputWrites(binaryUnit(c.kind, c.model), values, rows)), c.described);
}

INSTANTIATE_TEST_SUITE_P(Cases, AlertsClassicMailWrites,
    testing::Values(
        WritesCase { "Kind4Registers", kKindNewerWired, 27, "1. accessor A = 3\n2. accessor B = 1\n" },
        WritesCase {
            "ShortCommandsWithPause", kKindWired, 0, "1. accessor A = 3, pause 20 ms\n2. accessor B = 1\n" },
        WritesCase { "GcPausesAfterTheEdgeMask", kKindWiredGc, 6,
            "1. accessor A = 3, pause 20 ms\n2. accessor B = 1, pause 20 ms\n" },
        WritesCase { "Model2InRecords", kKindWiredGc, 2, "" },
        WritesCase { "Model4InRecords", kKindWired, 4, "" },
        WritesCase { "Model9MemoryWrite", kKindWired, 9, "1. memory write from register 43h: 01 03\n" },
        // Model 8: no DI, three analog rows on one connection; the flag comes back as read.
        WritesCase { "Model8AnalogRows", kKindWired, 8,
            "1. direct commands on the command port:\n"
            "  AL -4000C000<C8> -> 13 bytes, no echo check\n"
            "  AL!\"7FFF8000<C8> -> 13 bytes, no echo check\n"
            "  AL\" 00000000<C8> -> 13 bytes, no echo check\n" }),
    [](const testing::TestParamInfo<WritesCase>& info) { return info.param.name; });

TEST(AlertsClassicMailWire, MaskMemoryWriteIsElevenBytes)
{
    const uint8_t masks[] = { 0x01, 0x03 }; // edge, enable
    const CommandBytes request = buildMemoryWrite(diMaskRegister(binaryUnit(kKindWired, 11)), masks, 2);
    EXPECT_EQ(std::string(request.begin(), request.end()), "MW04320103\xC8");
    EXPECT_EQ(diMaskRegister(binaryUnit(kKindNewerWired, 11)), 0x45); // "MW0457"
}

TEST(AlertsClassicMailWire, TestMessageCarriesTheAccountInClear)
{
    const ClassicMailValues values = storedValues(true);
    EXPECT_EQ(classicTestMessage(values.account),
        "NORESET\nMHOST\nsmtp.example.jp\nMPORT\n25\nMUSER\nalert\nMPASS\npw\nMFROM\nunit@example.jp\n"
        "MTO1\nops@example.jp\nMTO2\n\nMSUBJ\ndoor\nMAILTEST\nEND\n");
}

TEST(AlertsClassicMailWire, TestSendWritesTheInputsThenTheMessageAfterTheQuestion)
{
    ClassicMailForm form(binaryUnit(kKindWiredGc, 6), storedValues(true));
    std::vector<WritePlan> ran;
    form.setPlanRunner([&ran](const WritePlan& plan) {
        ran.push_back(plan);
        return 0;
    });
    ScriptedUserInterface cancelled;
    EXPECT_FALSE(form.prepareTestSend(cancelled));
    ScriptedUserInterface ok(true);
    const auto send = form.prepareTestSend(ok);
    ASSERT_TRUE(send);
    EXPECT_TRUE(ran.empty()); // the dialog runs the job off its own thread
    EXPECT_EQ(send(), 0);
    ASSERT_EQ(ran.size(), 1u);
    ASSERT_EQ(ran[0].size(), 3u);
    EXPECT_TRUE(std::holds_alternative<AccessorStep>(ran[0][0]));
    const auto* message = std::get_if<MessageStep>(&ran[0][2]);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text.rfind("NORESET\nMHOST\nsmtp.example.jp\n", 0), 0u);
}

struct AnswerCase {
    const char* name;
    std::string answer;
    bool accepted;
};

class AlertsClassicAnalogAnswer : public testing::TestWithParam<AnswerCase> { };

TEST_P(AlertsClassicAnalogAnswer, ParsesOnlyAnAnswerAboutTheChannel)
{
    ClassicAnalogRow row;
    const std::string& answer = GetParam().answer;
    EXPECT_EQ(parseAnalogAlertAnswer(reinterpret_cast<const uint8_t*>(answer.data()), answer.size(), 1, row),
        GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, AlertsClassicAnalogAnswer,
    testing::Values(AnswerCase { "Good", "ak!-4000C000\xC8", true },
        AnswerCase { "OtherChannel", "ak -4000C000\xC8", false },
        AnswerCase { "MailConditionThree", "ak!#4000C000\xC8", false },
        AnswerCase { "ModeBelowBase",
            "ak!\x1f"
            "4000C000\xC8",
            false },
        AnswerCase { "NotHex", "ak!-4000G000\xC8", false }, AnswerCase { "Short", "ak!-4000\xC8", false },
        AnswerCase { "NoEndMark", "ak!-4000C0000", false }),
    [](const testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST(AlertsClassicAnalogAnswer, RowOfTheModeByte)
{
    ClassicAnalogRow row;
    const std::string answer = "ak\"-7FFF8000\xC8"; // 2Dh: flag, outside, lit
    ASSERT_TRUE(
        parseAnalogAlertAnswer(reinterpret_cast<const uint8_t*>(answer.data()), answer.size(), 2, row));
    EXPECT_TRUE(row.flag);
    EXPECT_EQ(row.led, kLedOutside);
    EXPECT_EQ(row.mail, kAnalogMailLit);
    EXPECT_EQ(row.low, 32767);
    EXPECT_EQ(row.high, -32768);
    EXPECT_EQ(analogAlertCode(row), 5);
}

std::string recordText(const UnitRecord& unit, int n, size_t offset, size_t length)
{
    const auto& record = unit.configBlock(n);
    return std::string(record.begin() + long(offset), record.begin() + long(offset + length));
}

TEST(AlertsMailSetupImage, FieldsAtTheirBytesAndOtherSettingsKept)
{
    UnitRecord unit = binaryUnit(kKindWiredGc, 6);
    for (int n = 3; n <= 7; ++n)
        unit.configBlock(n).fill(0xAA);
    MailSetupImage image;
    image.account = storedValues(true).account;
    image.diModes = diModesFromMasks(0x05, 0x01, 3);
    writeMailSetupImage(unit, image, true);

    EXPECT_EQ(recordText(unit, 4, 4, 16), std::string("smtp.example.jp\0", 16));
    EXPECT_EQ(recordText(unit, 4, 58, 3), std::string("\x19\x00\x01", 3)); // port 25, SMTP-AUTH
    EXPECT_EQ(recordText(unit, 4, 61, 6), std::string("alert\0", 6));
    EXPECT_EQ(recordText(unit, 4, 104, 3), std::string("pw\0", 3));
    EXPECT_EQ(recordText(unit, 5, 4, 5), std::string("unit\0", 5));
    EXPECT_EQ(recordText(unit, 5, 28, 11), std::string("example.jp\0", 11));
    EXPECT_EQ(recordText(unit, 5, 52, 15), std::string("ops@example.jp\0", 15));
    EXPECT_EQ(recordText(unit, 6, 53, 5), std::string("door\0", 5));
    EXPECT_EQ(recordText(unit, 3, 64, 4), std::string("\x01\x00\x02\x00", 4)); // DI1 ON, DI3 OFF
    // The headers, the input extension's bytes and record 7 stay as they were.
    EXPECT_EQ(recordText(unit, 3, 0, 64), std::string(64, '\xAA'));
    EXPECT_EQ(recordText(unit, 3, 72, 58), std::string(58, '\xAA'));
    EXPECT_EQ(recordText(unit, 4, 0, 4), std::string(4, '\xAA'));
    EXPECT_EQ(recordText(unit, 7, 0, 130), std::string(130, '\xAA'));
    EXPECT_EQ(recordText(unit, 6, 77, 53), std::string(53, '\0'));

    const MailSetupImage read = readMailSetupImage(unit, true);
    EXPECT_EQ(read.account.server, "smtp.example.jp");
    EXPECT_EQ(read.account.sender, "unit@example.jp");
    EXPECT_TRUE(read.account.auth);
    EXPECT_EQ(read.diModes, image.diModes);
    uint8_t enable = 0;
    uint8_t edge = 0;
    masksFromDiModes(read.diModes, 3, enable, edge);
    EXPECT_EQ(enable, 0x05);
    EXPECT_EQ(edge, 0x01);
}

TEST(AlertsMailSetupImage, AddressServerAndTheRecordSequence)
{
    UnitRecord unit = binaryUnit(kKindWired, 0);
    MailSetupImage image;
    image.account.server = "192.0.2.25";
    writeMailSetupImage(unit, image, false);
    EXPECT_EQ(recordText(unit, 4, 4, 1), std::string(1, '\0')); // no host name
    EXPECT_EQ(recordText(unit, 4, 54, 4), std::string("\xC0\x00\x02\x19", 4));
    EXPECT_EQ(readMailSetupImage(unit, false).account.server, "192.0.2.25");

    std::vector<int> numbers;
    for (const SetupRecord& record : mailSetupRecords(unit, image, false))
        numbers.push_back(record.number);
    EXPECT_EQ(numbers, (std::vector<int> { 1, 3, 4, 5, 6, 7 }));
    const SetupRecord account = mailAccountRecord(image, false);
    EXPECT_EQ(account.bytes.size(), 130u);
    EXPECT_EQ(std::string(account.bytes.begin() + 54, account.bytes.begin() + 58),
        std::string("\xC0\x00\x02\x19", 4));

    // Without a server record 1 stays as it is.
    image.account.server = "0.0.0.0";
    EXPECT_EQ(mailSetupRecords(unit, image, false).front().number, 3);
    image.account.server.clear();
    EXPECT_EQ(mailSetupRecords(unit, image, true).size(), 5u);
}

TEST(AlertsMailSetupImage, UnendedTextStopsAtItsField)
{
    UnitRecord unit = binaryUnit(kKindWiredGc, 6);
    unit.configBlock(4).fill('x'); // no NUL anywhere
    const MailSetupImage read = readMailSetupImage(unit, true);
    EXPECT_EQ(read.account.server.size(), 50u);
    EXPECT_EQ(read.account.user.size(), 43u);
}

} // namespace
