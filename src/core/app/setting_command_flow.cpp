#include "core/app/setting_command_flow.h"

#include "core/app/main_window_model.h"
#include "core/app/setting_outcome_text.h"
#include "core/app/unit_identity_refresh.h"
#include "core/app/user_interface.h"
#include "core/app/window_dispatcher.h"
#include "core/net/model_query.h"

namespace kovra {

SettingCommandFlow::SettingCommandFlow(FlowContext context, SettingCommand command, const UnitSlot& unit,
    bool wifiMask, SettingChooser chooser, DryRun dryRun, Done done)
    : m_context(context)
    , m_command(command)
    , m_unit(unit)
    , m_wifiMask(wifiMask)
    , m_chooser(std::move(chooser))
    , m_dryRun(std::move(dryRun))
    , m_done(std::move(done))
{
}

void SettingCommandFlow::run()
{
    const SettingOutcome outcome = runCommand();
    const std::string message = settingOutcomeMessage(outcome);
    if (!message.empty())
        m_context.ui.showMessage(message);
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model] { model->settingCommandEnded(); });
    if (m_done)
        m_done(outcome);
}

SettingOutcome SettingCommandFlow::runCommand()
{
    const IdentityRefresh refresh = refreshUnitIdentity(m_unit, queryModel);
    if (refresh.queried)
        postRefreshedUnit();
    if (!refresh.ready) {
        m_context.ui.showMessage(refresh.message);
        return SettingOutcome::Refused;
    }
    SettingChoice choice = m_chooser(m_command, m_unit, m_wifiMask);
    if (!choice.refusal.empty()) {
        m_context.ui.showMessage(choice.refusal);
        return SettingOutcome::Refused;
    }
    if (!choice.path)
        return SettingOutcome::Cancelled;
    return openAndWrite(*choice.path);
}

SettingOutcome SettingCommandFlow::openAndWrite(DialogPath& path)
{
    if (path.load() != 0)
        return path.loadFailure();
    if (!m_context.ui.openDialog(path.form()))
        return SettingOutcome::Cancelled;
    const WritePlan plan = path.plan();
    if (m_dryRun) {
        m_dryRun(plan);
        return SettingOutcome::DryRun;
    }
    size_t failedStep = 0;
    if (runWritePlan(plan, m_unit.record, &failedStep) != 0)
        return path.writeFailure(failedStep);
    path.store(m_unit);
    postRefreshedUnit();
    return SettingOutcome::Written;
}

void SettingCommandFlow::postRefreshedUnit()
{
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, unit = m_unit] { model->unitRefreshed(unit); });
}

} // namespace kovra
