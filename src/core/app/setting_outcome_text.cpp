#include "core/app/setting_outcome_text.h"

#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"

namespace kovra {

std::string settingOutcomeMessage(SettingOutcome outcome)
{
    switch (outcome) {
    case SettingOutcome::CommunicationError:
        return texts::kCommunicationError;
    case SettingOutcome::WriteFailed:
        return texts::kWriteFailed;
    case SettingOutcome::Written:
        return texts::kSettingDoneRestart;
    case SettingOutcome::TestSent:
        return texts::kTestMailSent;
    case SettingOutcome::MailReadFailed:
        return texts::kMailReadFailed;
    case SettingOutcome::MailMessageWriteFailed:
        return texts::kMailMessageWriteFailed;
    case SettingOutcome::MailAlertWriteFailed:
        return texts::kMailAlertWriteFailed;
    case SettingOutcome::Refused:
    case SettingOutcome::Cancelled:
    case SettingOutcome::DryRun:
        break;
    }
    return {};
}

std::string testSendMessage(int result)
{
    return settingOutcomeMessage(result == 0 ? SettingOutcome::TestSent : SettingOutcome::CommunicationError);
}

std::string analogMailTestMessage(int result)
{
    return result == 0 ? texts::kMailTestDone : settingOutcomeMessage(SettingOutcome::MailMessageWriteFailed);
}

} // namespace kovra
