#include "core/alerts/single_mail_form.h"

#include "core/app/user_interface.h"
#include "core/settings/settings_message.h"

namespace kovra {

namespace {

MailAccountValues reportedAccount(const UnitSettings& settings)
{
    MailAccountValues values;
    values.server = settings.mailHost;
    values.port = settings.mailPort;
    values.auth = !settings.mailUser.empty() || !settings.mailPass.empty();
    values.user = settings.mailUser;
    values.password = settings.mailPass;
    values.sender = settings.mailFrom;
    values.to1 = settings.mailTo1;
    values.to2 = settings.mailTo2;
    values.message = settings.mailSubject;
    return values;
}

// Kind 3 takes a host name of any length; its message carries 255 bytes of each text.
constexpr MailAccountRules kKind3Rules { true, false, kSettingTextMax };

} // namespace

SingleMailForm::SingleMailForm(const UnitSettings& settings)
    : MailAccountForm(reportedAccount(settings), kKind3Rules)
{
    addAccountFields();
}

void SingleMailForm::applyTo(UnitSettings& settings) const
{
    const MailAccountValues values = acceptedAccount();
    settings.mailHost = values.server;
    settings.mailPort = values.port;
    settings.mailUser = values.user;
    settings.mailPass = values.password;
    settings.mailFrom = values.sender;
    settings.mailTo1 = values.to1;
    settings.mailTo2 = values.to2;
    settings.mailSubject = values.message;
}

std::function<int()> SingleMailForm::prepareTestSend(UserInterface& ui)
{
    if (!m_messageSender)
        return {};
    if (!testSendConfirmed(check(), ui))
        return {};
    UnitSettings accepted;
    applyTo(accepted);
    return [sender = m_messageSender, text = singleMailMessage(accepted, true)] { return sender(text); };
}

} // namespace kovra
