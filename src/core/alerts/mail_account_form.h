#pragma once

#include "core/app/dialog_form.h"

#include <optional>
#include <string>

namespace kovra {

// The SMTP account of a one-account mail dialog (the classic dialog of the binary kinds and
// the kind 3 dialog), as the unit holds or reported it.
struct MailAccountValues {
    std::string server; // host name, or a dotted address on units that take an address
    int port = 0;
    bool auth = false; // SMTP-AUTH
    std::string user;
    std::string password;
    std::string sender; // local part "@" domain, or empty
    std::string to1;
    std::string to2;
    std::string message; // the mail's subject
};

// How a unit takes its account, by its kind.
struct MailAccountRules {
    // The server as a host name with SMTP-AUTH (kinds 1, 3 and 4), or as an IP address
    // without it (kind 0).
    bool hostName = true;
    // The length limits of the dialog's checks; kind 3 has none.
    bool limits = true;
    // The most bytes the unit keeps of one text (its message line or its record field).
    size_t textMax = 0;
};

// A mail dialog with one SMTP account: its edits, and its checks in the dialog's order (SMTP
// server, full-width texts, port, sender, recipients, message, SMTP-AUTH) followed by the
// refusals every mail writer shares (mail_text_check.h). Fields: server, port, auth (on/off,
// host-name units only), user and password (host-name units only), sender, to1, to2, message.
class MailAccountForm : public DialogForm {
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

    bool hostName() const { return m_rules.hostName; }
    bool auth() const { return m_auth; }
    void setAuth(bool on) { m_auth = on; }

    // The values as OK hands them on, once the checks have passed: without SMTP-AUTH the user
    // and password are empty; the sender is local part "@" domain (an empty one stays empty).
    MailAccountValues acceptedAccount() const;
    // True once the checks have passed with a server set: a host name, or an address other
    // than 0.0.0.0.
    bool serverSet() const { return m_serverSet; }

protected:
    // Adds the account's fields; a form adds its own around them in the dialog's order.
    MailAccountForm(const MailAccountValues& values, MailAccountRules rules);
    void addAccountFields();
    // The account's checks: the first failure's message.
    std::optional<std::string> checkAccount();

private:
    std::optional<std::string> checkServer();
    std::optional<std::string> checkTexts() const;

    const MailAccountRules m_rules;
    std::string m_server;
    std::string m_port; // the number box's text
    bool m_auth = false;
    std::string m_user;
    std::string m_password;
    std::string m_sender;
    std::string m_senderLocal;
    std::string m_senderDomain;
    std::string m_to1;
    std::string m_to2;
    std::string m_message;
    int m_portNumber = 0;
    bool m_serverSet = false;
};

} // namespace kovra
