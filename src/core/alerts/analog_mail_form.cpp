#include "core/alerts/analog_mail_form.h"

#include "core/alerts/mail_text_check.h"
#include "core/app/user_interface.h"
#include "core/platform/cp932_text.h"

namespace kovra {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kNoReset[] = "NORESET\r\n";
constexpr char kMailTest[] = "MTEST\r\n";
constexpr char kEnd[] = "END\r\n";
constexpr const char* kTestQuestion = "現在の設定を書き込み、メール送信テストします。";

std::string pair(const char* key, const std::string& value)
{
    return key + std::string(kLineEnd) + value + kLineEnd;
}

} // namespace

std::string analogMailMessage(const MailAccount& account, bool test)
{
    return pair("MHOST", account.server) + pair("MPORT", std::to_string(account.port))
        + pair("MUSER", account.user) + pair("MPASS", account.password) + pair("MFROM", account.sender)
        + pair("MTO1", account.to1) + pair("MTO2", account.to2) + pair("MSUBJ", cp932ToUtf8(account.message))
        + kNoReset + (test ? kMailTest : "") + kEnd;
}

AnalogMailForm::AnalogMailForm(const UnitSettings& settings, bool withAuth)
    : m_server(settings.mailHost)
    , m_port(std::to_string(settings.mailPort))
    , m_auth(!withAuth || !settings.mailUser.empty() || !settings.mailPass.empty())
    , m_user(settings.mailUser)
    , m_password(settings.mailPass)
    , m_sender(settings.mailFrom)
    , m_to1(settings.mailTo1)
    , m_to2(settings.mailTo2)
    , m_message(utf8ToCp932(settings.mailSubject))
    , m_checkedPort(settings.mailPort)
{
}

void AnalogMailForm::addServerField()
{
    addTextField(kServerField, m_server);
}

void AnalogMailForm::addAccountFields(bool authShown, bool userShown)
{
    addTextField(kPortField, m_port, FormField::Kind::Number);
    if (authShown)
        addCheckField(kAuthField, m_auth);
    if (userShown)
        addTextField(kUserField, m_user);
    if (authShown || m_auth)
        addTextField(kPasswordField, m_password, FormField::Kind::Secret);
    addTextField(kSenderField, m_sender);
    addTextField(kTo1Field, m_to1);
    addTextField(kTo2Field, m_to2);
    addTextField(kMessageField, m_message);
}

std::optional<int> AnalogMailForm::portValue() const
{
    return portNumber(m_port);
}

std::optional<std::string> AnalogMailForm::refuseUnsendable(
    size_t maxCharacters, size_t messageMaxCharacters) const
{
    // The user and password go out only with SMTP-AUTH.
    const std::pair<const std::string*, const char*> sent[] = {
        { m_auth ? &m_user : nullptr, "認証ユーザー名" },
        { m_auth ? &m_password : nullptr, "認証パスワード" },
        { &m_sender, "送信元メールアドレス" },
        { &m_to1, "送信先メールアドレス1" },
        { &m_to2, "送信先メールアドレス2" },
    };
    for (const auto& [text, caption] : sent)
        if (text)
            if (auto refusal = sentTextRefusal(caption, *text, maxCharacters))
                return refusal;
    return sentTextRefusal("メッセージ", m_message, messageMaxCharacters);
}

MailAccount AnalogMailForm::account() const
{
    MailAccount account;
    account.server = m_server;
    account.port = m_checkedPort;
    account.user = m_auth ? m_user : std::string();
    account.password = m_auth ? m_password : std::string();
    account.sender = m_sender;
    account.to1 = m_to1;
    account.to2 = m_to2;
    account.message = m_message;
    return account;
}

std::function<int()> AnalogMailForm::prepareTestSend(UserInterface& ui)
{
    if (!m_messageSender || !ui.askOkCancel(kTestQuestion))
        return {};
    if (const auto failure = checkAccount()) {
        ui.showMessage(*failure);
        return {};
    }
    return [sender = m_messageSender, text = analogMailMessage(account(), true)] { return sender(text); };
}

void storeMailAccount(const MailAccount& account, UnitSettings& settings)
{
    settings.mailHost = account.server;
    settings.mailPort = account.port;
    settings.mailUser = account.user;
    settings.mailPass = account.password;
    settings.mailFrom = account.sender;
    settings.mailTo1 = account.to1;
    settings.mailTo2 = account.to2;
    settings.mailSubject = cp932ToUtf8(account.message);
}

} // namespace kovra
