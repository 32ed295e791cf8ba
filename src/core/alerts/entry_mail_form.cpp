#include "core/alerts/entry_mail_form.h"

#include "core/alerts/mail_text_check.h"
#include "core/app/composed_texts.h"
#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"
#include "core/app/user_interface.h"
#include "core/platform/composed_text.h"
#include "core/settings/settings_writers.h"
#include "core/units/unit_record.h"

#include <algorithm>
#include <cstdlib>

namespace kovra {

namespace {

// Kind 5 units take a test mail from this sketch version on.
constexpr int kTestFromSketchVersion = 103;

constexpr const char* kOverwriteQuestion = "現在の設定が上書きされます。よろしいですか？";

const std::vector<ChoiceItem> kModeChoices = {
    { "none", kEntryMailNone },
    { "lo", kEntryMailOnLo },
    { "hi", kEntryMailOnHi },
};

// One text of an entry as check() sees it: its caption for the messages and its kind.
struct EntryText {
    std::string MailEntry::*member;
    const char* caption;
    MailTextKind kind;
};

// In the dialog's order (the port, a number, sits between the server and the user).
const std::array<EntryText, 7> kEntryTexts = { {
    { &MailEntry::host, "SMTPサーバアドレス", MailTextKind::Plain },
    { &MailEntry::user, "認証ユーザー名", MailTextKind::Credential },
    { &MailEntry::pass, "認証パスワード", MailTextKind::Credential },
    { &MailEntry::from, "送信元メールアドレス", MailTextKind::Plain },
    { &MailEntry::to1, "送信先メールアドレス１", MailTextKind::Plain },
    { &MailEntry::to2, "送信先メールアドレス２", MailTextKind::Plain },
    { &MailEntry::subject, "メッセージ", MailTextKind::Plain },
} };

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
    for (const EntryText& text : kEntryTexts) {
        const std::string caption
            = composeText(texts::kEntryFieldCaption, { std::to_string(row + 1), text.caption });
        if (auto failure = mailTextRefusal(caption, entry.*text.member, kEntryTextMax, text.kind))
            return failure;
    }
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
    if (!testSendConfirmed(checkEntry(row), ui))
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
