#include "core/alerts/mail_account_form.h"

#include "core/alerts/mail_text_check.h"
#include "core/platform/ipv4.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr int kMaxPort = 65535;
constexpr char kAt = '@';
constexpr char kDot = '.';
constexpr int kAddressParts = 4;

// The classic dialog's limits, in characters (bytes of cp932).
constexpr size_t kServerNameMax = 49;
constexpr size_t kSenderPartMax = 23;
constexpr size_t kRecipientMax = 48;
constexpr size_t kMessageMax = 23; // 24 characters or more are refused
constexpr size_t kUserMax = 42;
constexpr size_t kPasswordMax = 13;

constexpr const char* kAddressError = "アドレス設定エラー";
constexpr const char* kIpAddressError = "IPアドレス設定エラー";
constexpr const char* kFullWidth = "全角文字が含まれています";
constexpr const char* kPortError = "ポート番号エラー";
constexpr const char* kSenderError = "送信元メールアドレスエラー";
constexpr const char* kRecipientError = "送信先メールアドレスエラー";
constexpr const char* kUserError = "認証ユーザ名エラー";
constexpr const char* kPasswordError = "認証パスワードエラー";

// How many of the address control's four fields hold a number: a text such as "10.0..5"
// has three.
int filledAddressParts(const std::string& text)
{
    int filled = 0;
    size_t start = 0;
    for (int part = 0; part < kAddressParts && start <= text.size(); ++part) {
        const size_t end = std::min(text.find(kDot, start), text.size());
        filled += end > start ? 1 : 0;
        start = end + 1;
    }
    return filled;
}

} // namespace

MailAccountForm::MailAccountForm(const MailAccountValues& values, MailAccountRules rules)
    : m_rules(rules)
    , m_server(values.server)
    , m_port(std::to_string(values.port))
    , m_auth(rules.hostName && values.auth)
    , m_user(values.user)
    , m_password(values.password)
    , m_sender(values.sender)
    , m_to1(values.to1)
    , m_to2(values.to2)
    , m_message(values.message)
    , m_portNumber(values.port)
{
    const size_t at = m_sender.find(kAt);
    m_senderLocal = m_sender.substr(0, at);
    m_senderDomain = at == std::string::npos ? std::string() : m_sender.substr(at + 1);
}

void MailAccountForm::addAccountFields()
{
    addTextField(kServerField, m_server);
    addTextField(kPortField, m_port, FormField::Kind::Number);
    // Units that take an address have no SMTP-AUTH: the check box and the boxes it enables
    // are not shown.
    if (m_rules.hostName) {
        addCheckField(kAuthField, m_auth);
        addTextField(kUserField, m_user);
        addTextField(kPasswordField, m_password, FormField::Kind::Secret);
    }
    addTextField(kSenderField, m_sender);
    addTextField(kTo1Field, m_to1);
    addTextField(kTo2Field, m_to2);
    addTextField(kMessageField, m_message);
}

std::optional<std::string> MailAccountForm::checkServer()
{
    m_server = trimmedBlanks(m_server);
    if (m_rules.hostName) {
        if (m_rules.limits && m_server.size() > kServerNameMax)
            return kAddressError;
        m_serverSet = !m_server.empty();
        return std::nullopt;
    }
    // The address control: some but not all four fields is an error; all four make an address.
    const int filled = filledAddressParts(m_server);
    if (filled == 0) {
        m_server.clear();
        m_serverSet = false;
        return std::nullopt;
    }
    Ipv4 address = 0;
    if (filled < kAddressParts || !parseIpv4(m_server, address))
        return kIpAddressError;
    m_server = ipv4ToText(address);
    m_serverSet = address != 0;
    return std::nullopt;
}

std::optional<std::string> MailAccountForm::checkAccount()
{
    m_serverSet = false;
    if (auto failure = checkServer())
        return failure;

    for (std::string* text : { &m_port, &m_sender, &m_to1, &m_to2, &m_message, &m_user }) {
        *text = trimmedBlanks(*text);
        if (hasFullWidth(*text))
            return kFullWidth;
    }

    const auto port = portNumber(m_port);
    if (!port || *port > kMaxPort || (m_serverSet && *port == 0))
        return kPortError;
    m_portNumber = *port;

    const size_t at = m_sender.find(kAt);
    if (!m_sender.empty() && at == std::string::npos)
        return kSenderError;
    m_senderLocal = m_sender.substr(0, at);
    m_senderDomain = at == std::string::npos ? std::string() : m_sender.substr(at + 1);
    if (m_rules.limits && (m_senderLocal.size() > kSenderPartMax || m_senderDomain.size() > kSenderPartMax))
        return kSenderError;

    // A recipient without "@" passes only while a server is set.
    for (const std::string* recipient : { &m_to1, &m_to2 }) {
        if (!recipient->empty() && !m_serverSet && recipient->find(kAt) == std::string::npos)
            return kRecipientError;
        if (m_rules.limits && recipient->size() > kRecipientMax)
            return kRecipientError;
    }
    if (m_rules.limits && m_message.size() > kMessageMax)
        return kRecipientError;

    if (m_rules.hostName && m_rules.limits) {
        if (m_user.size() > kUserMax)
            return kUserError;
        if (m_password.size() > kPasswordMax)
            return kPasswordError;
    }
    return checkTexts();
}

std::optional<std::string> MailAccountForm::checkTexts() const
{
    // What goes out: the user and password only with SMTP-AUTH.
    const bool credentials = m_rules.hostName && m_auth;
    const std::pair<const std::string*, const char*> sent[] = {
        { &m_server, "SMTPサーバアドレス" },
        { credentials ? &m_user : nullptr, "認証ユーザー名" },
        { credentials ? &m_password : nullptr, "認証パスワード" },
        { &m_sender, "送信元メールアドレス" },
        { &m_to1, "送信先メールアドレス１" },
        { &m_to2, "送信先メールアドレス２" },
        { &m_message, "メッセージ" },
    };
    for (const auto& [text, caption] : sent) {
        if (!text)
            continue;
        const MailTextKind kind
            = text == &m_user || text == &m_password ? MailTextKind::Credential : MailTextKind::Plain;
        if (auto refusal = mailTextRefusal(caption, *text, m_rules.textMax, kind))
            return refusal;
    }
    return std::nullopt;
}

MailAccountValues MailAccountForm::acceptedAccount() const
{
    const bool credentials = m_rules.hostName && m_auth;
    MailAccountValues values;
    values.server = m_server;
    values.port = m_portNumber;
    values.auth = credentials;
    values.user = credentials ? m_user : std::string();
    values.password = credentials ? m_password : std::string();
    values.sender = m_sender.empty() ? std::string() : m_senderLocal + kAt + m_senderDomain;
    values.to1 = m_to1;
    values.to2 = m_to2;
    values.message = m_message;
    return values;
}

} // namespace kovra
