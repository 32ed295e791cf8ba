#include "core/alerts/entry_mail_form.h"

#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"
#include "core/app/user_interface.h"
#include "core/settings/settings_writers.h"
#include "core/units/unit_record.h"

#include <algorithm>
#include <cstdlib>

namespace kovra {

namespace {

// Kind 5 units take a test mail from this sketch version on.
constexpr int kTestFromSketchVersion = 103;
constexpr unsigned char kFirstPrintable = 0x21; // "!": a space and below are not carried
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstNonAscii = 0x80;

constexpr const char* kOverwriteQuestion = "現在の設定が上書きされます。よろしいですか？";
constexpr const char* kTestQuestion = "設定を機器に書き込み、メール送信テストをします。";

// Refusals of our own: the unit's message carries each value as one line, and the
// scrambled form ends a credential at its first byte outside "!".."~".
constexpr const char* kControlByteRefusal = "に改行などの制御文字は使えません。";
constexpr const char* kTooLongRefusal = "は64バイト以内で入力してください。";
constexpr const char* kNotCarriedRefusal = "は空白を含まない半角英数字・記号で入力してください。";

const std::vector<ChoiceItem> kModeChoices = {
    { "none", kEntryMailNone },
    { "lo", kEntryMailOnLo },
    { "hi", kEntryMailOnHi },
};

// One text of an entry as check() sees it: its caption for the messages and whether it is a
// credential.
struct EntryText {
    std::string MailEntry::*member;
    const char* caption;
    bool credential;
};

// In the dialog's order (the port, a number, sits between the server and the user).
const std::array<EntryText, 7> kEntryTexts = { {
    { &MailEntry::host, "SMTPサーバアドレス", false },
    { &MailEntry::user, "認証ユーザー名", true },
    { &MailEntry::pass, "認証パスワード", true },
    { &MailEntry::from, "送信元メールアドレス", false },
    { &MailEntry::to1, "送信先メールアドレス１", false },
    { &MailEntry::to2, "送信先メールアドレス２", false },
    { &MailEntry::subject, "メッセージ", false },
} };

bool isControlByte(unsigned char c)
{
    // cp932 trail bytes start at 40h, so a byte below 20h is never part of a character.
    return c < 0x20 || c == kDelete;
}

bool isCarriedScrambled(unsigned char c)
{
    return c >= kFirstPrintable && c != kDelete && c < kFirstNonAscii;
}

std::optional<std::string> checkText(int row, const EntryText& text, const std::string& value, bool scrambled)
{
    const std::string where = "DI" + std::to_string(row + 1) + " の" + text.caption;
    if (std::any_of(
            value.begin(), value.end(), [](char c) { return isControlByte(static_cast<unsigned char>(c)); }))
        return where + kControlByteRefusal;
    if (value.size() > kEntryTextMax)
        return where + kTooLongRefusal;
    if (text.credential && scrambled && !std::all_of(value.begin(), value.end(), [](char c) {
            return isCarriedScrambled(static_cast<unsigned char>(c));
        }))
        return where + kNotCarriedRefusal;
    return std::nullopt;
}

} // namespace

EntryMailForm::EntryMailForm(int kind, int sketchVersion, int diCount, const UnitSettings& settings)
    : m_diCount(std::clamp(diCount, 0, kEntryCount))
    , m_scrambled(entryMailScrambled(kind, sketchVersion))
    , m_testVisible(!(kind == kKindKovra4 && sketchVersion < kTestFromSketchVersion))
    , m_entries(entryMailValues(settings))
{
    for (int row = 0; row < m_diCount; ++row) {
        MailEntry& entry = m_entries[size_t(row)];
        addChoiceField(fieldName(row, "mode"), kModeChoices, entry.mode);
        addTextField(fieldName(row, "server"), entry.host);
        // The port box takes five digits; like the dialog, what is not a number reads as 0.
        addField({ fieldName(row, "port"), FormField::Kind::Number, {},
            [&entry] { return std::to_string(entry.port); },
            [&entry](const std::string& text) {
                entry.port = int(std::strtol(text.substr(0, kPortEditLimit).c_str(), nullptr, 10));
                return true;
            } });
        addTextField(fieldName(row, "user"), entry.user);
        addTextField(fieldName(row, "password"), entry.pass, FormField::Kind::Secret);
        addTextField(fieldName(row, "sender"), entry.from);
        addTextField(fieldName(row, "to1"), entry.to1);
        addTextField(fieldName(row, "to2"), entry.to2);
        addTextField(fieldName(row, "message"), entry.subject);
    }
}

std::string EntryMailForm::fieldName(int row, const char* name)
{
    return "di" + std::to_string(row + 1) + "." + name;
}

void EntryMailForm::setMode(int row, int mode)
{
    if (rowValid(row) && mode >= kEntryMailNone && mode <= kEntryMailOnHi)
        m_entries[size_t(row)].mode = mode;
}

bool EntryMailForm::copyFromFirst(int row, UserInterface& ui)
{
    if (!copyEnabled(row) || !ui.askYesNo(kOverwriteQuestion))
        return false;
    MailEntry& entry = m_entries[size_t(row)];
    const int mode = entry.mode;
    entry = m_entries[0];
    entry.mode = mode;
    return true;
}

std::optional<std::string> EntryMailForm::checkEntry(int row) const
{
    const MailEntry& entry = m_entries[size_t(row)];
    for (const EntryText& text : kEntryTexts)
        if (auto failure = checkText(row, text, entry.*text.member, m_scrambled))
            return failure;
    return std::nullopt;
}

std::optional<std::string> EntryMailForm::check()
{
    for (int row = 0; row < m_diCount; ++row)
        if (auto failure = checkEntry(row))
            return failure;
    return std::nullopt;
}

std::function<int()> EntryMailForm::prepareTestSend(int row, UserInterface& ui) const
{
    if (!m_sender || !m_testVisible || !rowValid(row))
        return {};
    if (const auto failure = checkEntry(row)) {
        ui.showMessage(*failure);
        return {};
    }
    if (!ui.askOkCancel(kTestQuestion))
        return {};
    return
        [sender = m_sender, text = entryMailTestMessage(row + 1, m_entries[size_t(row)], drawEntryPads())] {
            return sender(text);
        };
}

std::array<MailEntry, kChannelCount> entryMailValues(const UnitSettings& settings)
{
    std::array<MailEntry, kChannelCount> entries {};
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i] = MailEntry { settings.mailMode[i], settings.mailHosts[i], settings.mailPorts[i],
            settings.mailUsers[i], settings.mailPasses[i], settings.mailFroms[i], settings.mailTo1s[i],
            settings.mailTo2s[i], settings.mailSubjects[i] };
    }
    return entries;
}

void storeEntryMail(UnitSettings& settings, const std::array<MailEntry, kChannelCount>& entries, int diCount)
{
    for (size_t i = 0; i < size_t(std::clamp(diCount, 0, kChannelCount)); ++i) {
        const MailEntry& entry = entries[i];
        settings.mailMode[i] = entry.mode;
        settings.mailHosts[i] = entry.host;
        settings.mailPorts[i] = entry.port;
        settings.mailUsers[i] = entry.user;
        settings.mailPasses[i] = entry.pass;
        settings.mailFroms[i] = entry.from;
        settings.mailTo1s[i] = entry.to1;
        settings.mailTo2s[i] = entry.to2;
        settings.mailSubjects[i] = entry.subject;
    }
}

} // namespace kovra
