#pragma once

#include "core/alerts/mail_account_form.h"
#include "core/alerts/mail_test_send.h"
#include "core/units/unit_settings.h"

#include <functional>
#include <optional>
#include <string>

namespace kovra {

// The single-account mail alert dialog has no template number among the units' dialogs; it
// is registered under this one.
constexpr int kSingleMailTemplateId = 152;

// The mail alert dialog of kind 3 units ("メールアラート設定"): one SMTP account. Of the
// classic dialog these units use the account part only (a host name for the server, the
// SMTP-AUTH check box), and none of its length limits. The texts go out as they stand, one
// value line each, in the unit's settings message: check() refuses what would break a line
// of it.
class SingleMailForm : public MailAccountForm, public MailTestSend {
public:
    // The account as the unit reported it; SMTP-AUTH opens on when it has a user or password.
    explicit SingleMailForm(const UnitSettings& settings);

    int templateId() const override { return kSingleMailTemplateId; }
    std::string dialogName() const override { return "SingleMailDialog"; }
    std::optional<std::string> check() override { return checkAccount(); }

    // The accepted values into the mail fields of `settings`, from where WriteSingleMail and
    // its test print them.
    void applyTo(UnitSettings& settings) const;

    // The unit-side send of a test: given the message text, its SendSettingsMessage result.
    // The path sets it; without it there is no test.
    using MessageSender = std::function<int(const std::string& text)>;
    void setMessageSender(MessageSender sender) { m_messageSender = std::move(sender); }

    // The test button, up to the send: the checks (their message is shown), then
    // "設定を機器に書き込み、メール送信テストをします。" (OK/Cancel). On OK, the send itself as a
    // job holding its own copy of the test message, to run on any thread; empty when the test
    // does not go ahead.
    std::function<int()> prepareTestSend(UserInterface& ui);

    int testCount() const override { return m_messageSender ? 1 : 0; }
    std::function<int()> prepareTest(int, UserInterface& ui) override { return prepareTestSend(ui); }

private:
    MessageSender m_messageSender;
};

} // namespace kovra
