// The exit status of a setting command from how its dialog ended and the flow's outcome.
#include "cli/form_command.h"

#include <gtest/gtest.h>

using namespace kovra;
using DialogResult = cli::CliUserInterface::DialogResult;

namespace {

struct StatusCase {
    DialogResult dialog;
    std::optional<SettingOutcome> outcome;
    int status;
};

class CliFormStatus : public testing::TestWithParam<StatusCase> { };

} // namespace

TEST_P(CliFormStatus, FollowsTheDialogAndTheOutcome)
{
    const StatusCase& c = GetParam();
    EXPECT_EQ(cli::formCommandStatus(c.dialog, c.outcome), c.status);
}

INSTANTIATE_TEST_SUITE_P(Cases, CliFormStatus,
    testing::Values(
        // Values printed without words: the flow sees a cancelled dialog, the command succeeds.
        StatusCase { DialogResult::Printed, SettingOutcome::Cancelled, cli::kExitOk },
        StatusCase { DialogResult::UsageError, SettingOutcome::Cancelled, cli::kExitUsage },
        // A failing check or a question answered No: nothing written.
        StatusCase { DialogResult::Refused, SettingOutcome::Cancelled, cli::kExitFailed },
        StatusCase { DialogResult::Accepted, SettingOutcome::Written, cli::kExitOk },
        StatusCase { DialogResult::Accepted, SettingOutcome::TestSent, cli::kExitOk },
        StatusCase { DialogResult::Accepted, SettingOutcome::DryRun, cli::kExitOk },
        StatusCase { DialogResult::Accepted, SettingOutcome::CommunicationError, cli::kExitFailed },
        StatusCase { DialogResult::Accepted, SettingOutcome::WriteFailed, cli::kExitFailed },
        // Stopped before the dialog ("その他の機能なし", "通信エラー", ...).
        StatusCase { DialogResult::NotOpened, SettingOutcome::Refused, cli::kExitFailed },
        StatusCase { DialogResult::NotOpened, SettingOutcome::CommunicationError, cli::kExitFailed },
        // Cancelled without this command's dialog having been shown, or no end in time.
        StatusCase { DialogResult::NotOpened, SettingOutcome::Cancelled, cli::kExitFailed },
        StatusCase { DialogResult::Printed, std::nullopt, cli::kExitFailed }));
