#pragma once

#include "core/app/dialog_form.h"
#include "core/units/unit_settings.h"

#include <functional>
#include <optional>
#include <string>

namespace kovra {

// The SMTP account of the analog units' mail dialogs (cp932), as their mail message carries
// it: the single-account keys MHOST .. MSUBJ.
struct MailAccount {
    std::string server;
    int port = 0;
    std::string user;
    std::string password;
    std::string sender;
    std::string to1;
    std::string to2;
    std::string message;
};

// The mail message of the analog units, lines ended by CR LF, the message converted to
// UTF-8: the account's keys, then "NORESET" (the unit keeps running: the alert conditions
// follow by direct commands) and, for a test, "MTEST", then "END".
std::string analogMailMessage(const MailAccount& account, bool test);

// What the two- and five-channel dialogs share: the account's fields, their OK-time refusals
// of what would break the mail message, and the test button. Fields: server, port, user,
// password, sender, to1, to2, message (and auth where the dialog has the check box).
class AnalogMailForm : public DialogForm {
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

    bool auth() const { return m_auth; }
    void setAuth(bool on) { m_auth = on; }

    // The account as OK or the test sends it (the port as checked; without SMTP-AUTH the user
    // and password empty).
    MailAccount account() const;

    // The unit-side send of a mail message: its SendSettingsMessage result. The path sets
    // it; without it there is no test.
    using MessageSender = std::function<int(const std::string& text)>;
    void setMessageSender(MessageSender sender) { m_messageSender = std::move(sender); }

    // The test button, up to the send: "現在の設定を書き込み、メール送信テストします。"
    // (OK/Cancel), then the account's checks (their message is shown). On OK the send as a
    // job with its own copy of the message, to run on any thread; empty when the test does
    // not go ahead.
    std::function<int()> prepareTestSend(UserInterface& ui);

protected:
    // withAuth: the dialog has the "SMTP-AUTH認証あり" check box; it opens on when the unit
    // holds a user or password. Without it the user and password always go. The units keep
    // the message as the mail message sent it, in UTF-8.
    AnalogMailForm(const UnitSettings& settings, bool withAuth);

    // The checks of the account in the dialog's order, then the refusals of what would
    // break the message; the port is read into the account on success.
    virtual std::optional<std::string> checkAccount() = 0;
    // The ports's box as a number (nothing when it holds other characters).
    std::optional<int> portValue() const;
    void setCheckedPort(int port) { m_checkedPort = port; }
    // The refusals shared by both dialogs: control bytes and texts past `maxCharacters`
    // (the server is the caller's).
    std::optional<std::string> refuseUnsendable(size_t maxCharacters, size_t messageMaxCharacters) const;

    void addServerField();
    // The port, then the SMTP-AUTH box where the dialog shows it, the user where it shows that
    // box, the password while SMTP-AUTH is on or the dialog has no such box, then sender,
    // recipients and message.
    void addAccountFields(bool authShown, bool userShown);

    std::string m_server;
    std::string m_port;
    bool m_auth = true;
    std::string m_user;
    std::string m_password;
    std::string m_sender;
    std::string m_to1;
    std::string m_to2;
    std::string m_message;

private:
    int m_checkedPort = 0;
    MessageSender m_messageSender;
};

// The accepted account into the single-account fields of the unit's settings, the message as
// the unit keeps it (UTF-8: the form takes it back to cp932 when it opens).
void storeMailAccount(const MailAccount& account, UnitSettings& settings);

} // namespace kovra
