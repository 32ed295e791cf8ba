#include "core/alerts/single_mail_form.h"

#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"
#include "core/app/user_interface.h"
#include "core/settings/settings_message.h"

#include <algorithm>
#include <array>

namespace kovra {

namespace {

constexpr int kMaxPort = 65535;
constexpr unsigned char kDelete = 0x7F;
constexpr char kAt = '@';

constexpr const char* kFullWidth = "全角文字が含まれています";
constexpr const char* kPortError = "ポート番号エラー";
constexpr const char* kSenderError = "送信元メールアドレスエラー";
constexpr const char* kRecipientError = "送信先メールアドレスエラー";
constexpr const char* kTestQuestion = "設定を機器に書き込み、メール送信テストをします。";

// Refusals of our own: the unit's message carries each value as one line of at most its
// field's bytes.
constexpr const char* kControlByteRefusal = "に改行などの制御文字は使えません。";
constexpr const char* kTooLongRefusal = "は255バイト以内で入力してください。";

std::string trimmed(const std::string& text)
{
    constexpr const char* kBlanks = " \t";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A text holds full-width characters when any byte is a cp932 double-byte lead byte;
// half-width katakana are single bytes and pass.
bool hasFullWidth(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    });
}

bool hasControlByte(const std::string& text)
{
    // cp932 trail bytes start at 40h, so a byte below 20h is never part of a character.
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == kDelete;
    });
}

// The number box's text as a port: empty reads as 0; nothing but digits is a number.
std::optional<int> portNumber(const std::string& text)
{
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min<long>(value * 10 + (c - '0'), kMaxPort + 1L);
    }
    return int(value);
}

} // namespace

SingleMailForm::SingleMailForm(const UnitSettings& settings)
    : m_server(settings.mailHost)
    , m_port(std::to_string(settings.mailPort))
    , m_auth(!settings.mailUser.empty() || !settings.mailPass.empty())
    , m_user(settings.mailUser)
    , m_password(settings.mailPass)
    , m_senderAddress(settings.mailFrom)
    , m_to1(settings.mailTo1)
    , m_to2(settings.mailTo2)
    , m_message(settings.mailSubject)
    , m_portNumber(settings.mailPort)
{
    const size_t at = settings.mailFrom.find(kAt);
    m_senderLocal = settings.mailFrom.substr(0, at);
    m_senderDomain = at == std::string::npos ? std::string() : settings.mailFrom.substr(at + 1);

    addTextField(kServerField, m_server);
    addTextField(kPortField, m_port, FormField::Kind::Number);
    addCheckField(kAuthField, m_auth);
    addTextField(kUserField, m_user);
    addTextField(kPasswordField, m_password, FormField::Kind::Secret);
    addTextField(kSenderField, m_senderAddress);
    addTextField(kTo1Field, m_to1);
    addTextField(kTo2Field, m_to2);
    addTextField(kMessageField, m_message);
}

std::optional<std::string> SingleMailForm::check()
{
    // Kind 3 takes a host name of any length; any text sets the server.
    m_server = trimmed(m_server);
    const bool serverSet = !m_server.empty();

    for (std::string* text : { &m_port, &m_senderAddress, &m_to1, &m_to2, &m_message, &m_user }) {
        *text = trimmed(*text);
        if (hasFullWidth(*text))
            return kFullWidth;
    }

    const auto port = portNumber(m_port);
    if (!port || *port > kMaxPort || (serverSet && *port == 0))
        return kPortError;
    m_portNumber = *port;

    // No length limits on the sender's parts for kind 3.
    const size_t at = m_senderAddress.find(kAt);
    if (!m_senderAddress.empty() && at == std::string::npos)
        return kSenderError;
    m_senderLocal = m_senderAddress.substr(0, at);
    m_senderDomain = at == std::string::npos ? std::string() : m_senderAddress.substr(at + 1);

    // A recipient without "@" passes only while a server is set.
    for (const std::string* recipient : { &m_to1, &m_to2 })
        if (!recipient->empty() && !serverSet && recipient->find(kAt) == std::string::npos)
            return kRecipientError;

    // The user and password go out only with SMTP-AUTH.
    const std::pair<const std::string*, const char*> sent[] = {
        { &m_server, "SMTPサーバアドレス" },
        { m_auth ? &m_user : nullptr, "認証ユーザー名" },
        { m_auth ? &m_password : nullptr, "認証パスワード" },
        { &m_senderAddress, "送信元メールアドレス" },
        { &m_to1, "送信先メールアドレス１" },
        { &m_to2, "送信先メールアドレス２" },
        { &m_message, "メッセージ" },
    };
    for (const auto& [text, caption] : sent) {
        if (!text)
            continue;
        if (hasControlByte(*text))
            return caption + std::string(kControlByteRefusal);
        if (text->size() > kSettingTextMax)
            return caption + std::string(kTooLongRefusal);
    }
    return std::nullopt;
}

void SingleMailForm::applyTo(UnitSettings& settings) const
{
    settings.mailHost = m_server;
    settings.mailPort = m_portNumber;
    settings.mailUser = m_auth ? m_user : std::string();
    settings.mailPass = m_auth ? m_password : std::string();
    settings.mailFrom = m_senderAddress.empty() ? std::string() : m_senderLocal + kAt + m_senderDomain;
    settings.mailTo1 = m_to1;
    settings.mailTo2 = m_to2;
    settings.mailSubject = m_message;
}

std::function<int()> SingleMailForm::prepareTestSend(UserInterface& ui)
{
    if (!m_messageSender)
        return {};
    if (const auto failure = check()) {
        ui.showMessage(*failure);
        return {};
    }
    if (!ui.askOkCancel(kTestQuestion))
        return {};
    UnitSettings accepted;
    applyTo(accepted);
    return [sender = m_messageSender, text = singleMailMessage(accepted, true)] { return sender(text); };
}

} // namespace kovra
