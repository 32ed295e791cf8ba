#include "cli/form_command.h"

#include "cli/argument_checks.h"
#include "cli/cli_session.h"
#include "cli/cli_user_interface.h"
#include "core/platform/cp932_text.h"
#include "core/platform/text_catalogue.h"
#include "core/settings/write_plan.h"

#include <cstdlib>
#include <ostream>

namespace kovra::cli {

namespace {

// The exit status from how the dialog ended and the flow's outcome (nothing when the flow
// did not end): 2 for a usage error in the words; 0 for a write, a test mail or a dry run,
// and for values printed without words; 1 otherwise.
int formCommandStatus(CliUserInterface::DialogResult dialog, std::optional<SettingOutcome> outcome)
{
    using DialogResult = CliUserInterface::DialogResult;
    if (dialog == DialogResult::UsageError)
        return kExitUsage;
    if (dialog == DialogResult::TestSent || dialog == DialogResult::TestFailed)
        return dialog == DialogResult::TestSent ? kExitOk : kExitFailed;
    if (!outcome)
        return kExitFailed;
    switch (*outcome) {
    case SettingOutcome::Written:
    case SettingOutcome::TestSent:
    case SettingOutcome::DryRun:
        return kExitOk;
    case SettingOutcome::Cancelled:
        return dialog == DialogResult::Printed ? kExitOk : kExitFailed;
    case SettingOutcome::Refused:
    case SettingOutcome::CommunicationError:
    case SettingOutcome::WriteFailed:
    case SettingOutcome::MailReadFailed:
    case SettingOutcome::MailMessageWriteFailed:
    case SettingOutcome::MailAlertWriteFailed:
        return kExitFailed;
    }
    return kExitFailed;
}

class FormCommand : public Command {
public:
    FormCommand(std::string name, SettingCommand command, std::string summary)
        : m_name(std::move(name))
        , m_command(command)
        , m_summary(std::move(summary))
    {
    }

    std::string name() const override { return m_name; }
    std::string summary() const override { return m_summary; }

    void declare(CLI::App& command) override
    {
        addUnitArgument(command, m_unit);
        command
            .add_option("FIELD=VALUE", m_assignments,
                "a value of the unit's dialog, applied in order before OK; without any the dialog's values "
                "are "
                "printed and nothing is written")
            ->type_name("")
            ->check(assignmentCheck());
        command.add_flag("--dry-run", m_dryRun, "print what OK would send instead of sending it");
        m_testOption
            = command
                  .add_option("--test", m_testText,
                      "press the dialog's test button after the values instead of OK: the test mail "
                      "is sent, nothing is written (N: the DI tab of the per-input mail dialog, 1 by "
                      "default)")
                  ->expected(0, 1)
                  ->type_name("[N]");
        addShowSecretsFlag(command, m_showSecrets);
    }

    int run(CliSession& session) override
    {
        const int slot = session.resolveUnit(m_unit);
        if (slot < 0)
            return kExitFailed;
        MainWindowModel& model = session.model();
        model.onSelectionChanged(model.table().record(slot).ipText);
        CliUserInterface& ui = session.ui();
        std::optional<int> test;
        if (m_testOption && m_testOption->count() > 0) {
            test = m_testText.empty() ? 1 : std::atoi(m_testText.c_str());
            if (m_testText.find_first_not_of("0123456789") != std::string::npos || *test < 1) {
                session.err() << "kovractl: --test takes a DI number from 1, not '" << m_testText << "'"
                              << std::endl;
                return kExitUsage;
            }
        }
        ui.fillDialogs({ m_assignments, m_showSecrets, session.options().json, test });
        if (m_dryRun)
            model.setDryRun([&ui, showSecrets = m_showSecrets](const WritePlan& plan) {
                ui.print(cp932ToUtf8(describeWritePlan(plan, !showSecrets)));
            });
        const int status = formCommandStatus(ui.dialogResult(), session.settingCommand(m_command));
        for (const auto& message : ui.takeHeldMessages())
            (status == kExitOk ? session.out() : session.err()) << systemText(message) << std::endl;
        return status;
    }

private:
    std::string m_name;
    SettingCommand m_command;
    std::string m_summary;
    std::string m_unit;
    std::vector<std::string> m_assignments;
    bool m_dryRun = false;
    bool m_showSecrets = false;
    std::string m_testText;
    CLI::Option* m_testOption = nullptr;
};

} // namespace

std::unique_ptr<Command> makeFormCommand(std::string name, SettingCommand command, std::string summary)
{
    return std::make_unique<FormCommand>(std::move(name), command, std::move(summary));
}

} // namespace kovra::cli
