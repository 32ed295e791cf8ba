#pragma once

#include "core/app/dialog_form.h"
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
// SMTP-AUTH check box), and none of its length limits. Fields: server, port, auth (on/off),
// user, password, sender, to1, to2, message. The texts go out as they stand, one value line
// each, in the unit's settings message: check() refuses what would break a line of it.
class SingleMailForm : public DialogForm {
public:
    static constexpr const char* kServerField = "server";
    static constexpr const char* kPortField = "port";
    static constexpr const char* kAuthField = "auth";
    static constexpr const char* kUserField = "user";
    static constexpr const char* kPasswordField = "password";
    static constexpr const char* kSenderField = "sender";
    static constexpr const char* kTo1Field = "to1";
    static constexpr const char* kTo2Field = "to2";
    static constexpr const char* kMessageField = "message";

    // The account as the unit reported it; SMTP-AUTH opens on when it has a user or password.
    explicit SingleMailForm(const UnitSettings& settings);

    int templateId() const override { return kSingleMailTemplateId; }
    std::string dialogName() const override { return "SingleMailDialog"; }
    // Trims the texts it checks and splits the sender at its first "@", as the dialog does.
    std::optional<std::string> check() override;

    bool auth() const { return m_auth; }
    void setAuth(bool on) { m_auth = on; }

    // The accepted values into the mail fields of `settings`, from where WriteSingleMail and
    // its test print them: without SMTP-AUTH the user and password are empty, the sender is
    // local part "@" domain (an empty one stays empty).
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

private:
    std::string m_server;
    std::string m_port; // the number box's text
    bool m_auth = false;
    std::string m_user;
    std::string m_password;
    std::string m_senderAddress;
    std::string m_senderLocal;
    std::string m_senderDomain;
    std::string m_to1;
    std::string m_to2;
    std::string m_message;
    int m_portNumber = 0;
    MessageSender m_messageSender;
};

} // namespace kovra
