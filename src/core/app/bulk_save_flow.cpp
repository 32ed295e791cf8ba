#include "core/app/bulk_save_flow.h"

#include "core/app/main_window_model.h"
#include "core/app/setting_command_texts.h"
#include "core/app/setup_file_texts.h"
#include "core/app/user_interface.h"
#include "core/app/window_dispatcher.h"
#include "core/setupfiles/setup_file_store.h"

namespace kovra {

std::string chosenSetupPath(const std::string& path)
{
    const std::string trimmed = trimBlanks(path);
    const size_t slash = trimmed.find_last_of('/');
    const std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    return trimBlanks(name).empty() ? std::string() : trimmed;
}

BulkSaveFlow::BulkSaveFlow(
    FlowContext context, const UnitSlot& unit, std::string modelText, SetupPorts ports, Done done)
    : m_context(context)
    , m_unit(unit)
    , m_modelText(std::move(modelText))
    , m_ports(ports)
    , m_done(std::move(done))
{
}

void BulkSaveFlow::run()
{
    const SetupFileOutcome outcome = save();
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model] { model->setupFileFlowEnded(false); });
    if (m_done)
        m_done(outcome);
}

SetupFileOutcome BulkSaveFlow::save()
{
    UserInterface& ui = m_context.ui;
    if (!m_unit.record.sameSubnet) {
        ui.showMessage(texts::kCannotCommunicate);
        return SetupFileOutcome::Failed;
    }
    const std::string proposed = proposedSetupFileName(m_modelText, m_unit.record.kind);
    std::string path;
    while (path.empty()) {
        const auto chosen = ui.chooseFile(UserInterface::FileMode::Save, kSetupFileFilter, proposed);
        if (!chosen)
            return SetupFileOutcome::Cancelled;
        path = chosenSetupPath(*chosen);
        if (path.empty())
            ui.showMessage(texts::kEnterFileName);
    }
    std::string bytes;
    if (readUnitSetup(m_unit, bytes, m_ports) != 0) {
        ui.showMessage(texts::kReadFailed);
        return SetupFileOutcome::Failed;
    }
    if (writeSetupFile(path, bytes) != kFileDone) {
        ui.showMessage(texts::kOpenError);
        return SetupFileOutcome::Failed;
    }
    return SetupFileOutcome::Done;
}

} // namespace kovra
