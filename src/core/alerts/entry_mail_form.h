#pragma once

#include "core/alerts/mail_test_send.h"
#include "core/app/dialog_form.h"
#include "core/settings/settings_message.h"
#include "core/units/unit_settings.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace kovra {

// The per-input mail alert dialog has no template number among the units' dialogs; it is
// registered under this one.
constexpr int kEntryMailTemplateId = 151;

// What a DI's mail entry reacts to.
enum EntryMailMode : int {
    kEntryMailNone = 0,
    kEntryMailOnLo = 1,
    kEntryMailOnHi = 2,
};

// The mail alert dialog of kinds 5 and 7 ("メールアラート設定"): per DI up to the model's DI
// count a mode and an SMTP account of its own. Fields, for DI n: diN.mode (none/lo/hi),
// diN.server, diN.port, diN.user, diN.password, diN.sender, diN.to1, diN.to2, diN.message.
// The texts go out as they stand in the unit's settings message; check() refuses what would
// break a line of it, and credentials the scrambled form cannot carry.
class EntryMailForm : public DialogForm, public MailTestSend {
public:
    static constexpr int kEntryCount = kChannelCount;
    // The edits take 64 characters (the port 5); the unit keeps 64 bytes of each.
    static constexpr size_t kTextEditLimit = kEntryTextMax;
    static constexpr size_t kPortEditLimit = 5;

    // `diCount` is the model's (clamped to 0..8). Kind 7, and kind 5 from sketch version 103,
    // take the credentials scrambled.
    EntryMailForm(int kind, int sketchVersion, int diCount, const UnitSettings& settings);

    // "di3.server" for row 2.
    static std::string fieldName(int row, const char* name);

    int templateId() const override { return kEntryMailTemplateId; }
    std::string dialogName() const override { return "EntryMailDialog"; }
    std::optional<std::string> check() override;

    int diCount() const { return m_diCount; }
    bool scrambled() const { return m_scrambled; }
    // Kind 5 units below sketch version 103 cannot send a test mail.
    bool testVisible() const { return m_testVisible; }

    int mode(int row) const { return m_entries[size_t(row)].mode; }
    // Rows outside the DI count, and modes outside the three, change nothing.
    void setMode(int row, int mode);
    // A DI's account is edited only while it has an alert.
    bool fieldsEnabled(int row) const { return rowValid(row) && mode(row) != kEntryMailNone; }
    // The copy button is off on DI1.
    bool copyEnabled(int row) const { return rowValid(row) && row > 0; }

    // The copy button: after "現在の設定が上書きされます。よろしいですか？" answered Yes, DI1's
    // account (everything but the mode) replaces the row's. False when nothing was copied.
    bool copyFromFirst(int row, UserInterface& ui);

    // The checks of one entry alone (what its test mail carries): the first failure's message.
    std::optional<std::string> checkEntry(int row) const;

    // The unit-side send of a test: given the message text, its SendSettingsMessage result.
    // The path sets it; without it there is no test.
    using MessageSender = std::function<int(const std::string& text)>;
    void setMessageSender(MessageSender sender) { m_sender = std::move(sender); }

    // The test button, up to the send: the entry's checks (their message is shown), then
    // "設定を機器に書き込み、メール送信テストをします。" (OK/Cancel). On OK, the send itself as
    // a job that holds its own copy of the message and may run on any thread; empty when the
    // test does not go ahead.
    std::function<int()> prepareTestSend(int row, UserInterface& ui) const;

    // One test per DI tab, where the test button shows.
    int testCount() const override { return m_sender && m_testVisible ? m_diCount : 0; }
    std::function<int()> prepareTest(int index, UserInterface& ui) override
    {
        return prepareTestSend(index, ui);
    }

    // The entries as edited; those up to the DI count are what OK hands on.
    const std::array<MailEntry, kEntryCount>& entries() const { return m_entries; }

private:
    bool rowValid(int row) const { return row >= 0 && row < m_diCount; }

    const int m_diCount;
    const bool m_scrambled;
    const bool m_testVisible;
    std::array<MailEntry, kEntryCount> m_entries {};
    MessageSender m_sender;
};

// The unit's stored entries as the dialog shows them.
std::array<MailEntry, kChannelCount> entryMailValues(const UnitSettings& settings);
// What the unit reports after the entries up to diCount have been written.
void storeEntryMail(UnitSettings& settings, const std::array<MailEntry, kChannelCount>& entries, int diCount);

} // namespace kovra
