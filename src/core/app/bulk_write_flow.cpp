#include "core/app/bulk_write_flow.h"

#include "core/app/composed_texts.h"
#include "core/app/main_window_model.h"
#include "core/app/setting_command_texts.h"
#include "core/app/setup_file_texts.h"
#include "core/app/system_texts.h"
#include "core/app/user_interface.h"
#include "core/app/window_dispatcher.h"
#include "core/platform/composed_text.h"
#include "core/settings/settings_answer.h"
#include "core/setupfiles/lwi_text.h"
#include "core/setupfiles/setup_diff.h"
#include "core/setupfiles/setup_file_store.h"
#include "core/wifi/module_import.h"
#include "core/wifi/stored_record.h"

namespace kovra {

namespace {
// Every setup file fits in the units' 65536-byte buffers.
constexpr size_t kMaxSetupFile = 65536;
} // namespace

BulkWriteFlow::BulkWriteFlow(FlowContext context, const UnitSlot& unit, SetupPorts ports, Done done)
    : m_context(context)
    , m_unit(unit)
    , m_ports(ports)
    , m_done(std::move(done))
{
}

void BulkWriteFlow::run()
{
    const SetupFileOutcome outcome = write();
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, started = m_importStarted] { model->setupFileFlowEnded(started); });
    if (m_done)
        m_done(outcome);
}

SetupFileOutcome BulkWriteFlow::write()
{
    UserInterface& ui = m_context.ui;
    if (!m_unit.record.sameSubnet) {
        ui.showMessage(texts::kCannotCommunicate);
        return SetupFileOutcome::Failed;
    }
    const auto chosen = ui.chooseFile(UserInterface::FileMode::Open, kSetupFileFilter, std::string());
    if (!chosen)
        return SetupFileOutcome::Cancelled;
    const SetupFileKind kind = setupFileKindFor(m_unit.record.kind);
    std::string bytes;
    if (readSetupFile(*chosen, kind == SetupFileKind::Lwi ? kMaxLwiBytes : kMaxSetupFile, bytes) != kFileDone
        || bytes.empty()) {
        ui.showMessage(texts::kWriteFailed);
        return SetupFileOutcome::Failed;
    }
    if (!setupFileFits(kind, bytes)) {
        ui.showMessage(composeText(texts::kNotSetupFileFor, { setupFileExtension(kind) }));
        return SetupFileOutcome::Failed;
    }
    if (!confirm(bytes))
        return SetupFileOutcome::Cancelled;
    if (kind == SetupFileKind::Xml)
        return importInBackground(bytes);
    if (writeUnitSetup(m_unit, bytes, m_ports) != 0) {
        ui.showMessage(texts::kWriteFailed);
        return SetupFileOutcome::Failed;
    }
    ui.showMessage(texts::kSettingDoneRestart);
    postRefreshedUnit(bytes);
    return SetupFileOutcome::Done;
}

bool BulkWriteFlow::confirm(std::string& bytes)
{
    UserInterface& ui = m_context.ui;
    const SetupFileKind kind = setupFileKindFor(m_unit.record.kind);
    std::string live;
    const bool liveRead = readUnitSetup(m_unit, live, m_ports) == 0;
    if (kind == SetupFileKind::Lwi && liveRead) {
        LwiPairs filePairs;
        LwiPairs unitPairs;
        parseLwiText(bytes, filePairs);
        parseLwiText(live, unitPairs);
        const LwiNetwork file = lwiNetwork(filePairs);
        const LwiNetwork own = lwiNetwork(unitPairs);
        if (!(file == own)
            && !ui.askYesNo(composeText(texts::kOtherUnitsAddress,
                { file.address, file.mask, file.gateway, own.address, own.mask, own.gateway }))) {
            setLwiNetwork(filePairs, own);
            bytes = lwiText(filePairs);
        }
    }
    const std::string details = liveRead ? diffText(diffSetup(kind, bytes, live), kWriteQuestionDiffLines)
                                         : std::string(texts::kReadFailed);
    return ui.askBeforeWrite(texts::kWriteQuestion, details);
}

SetupFileOutcome BulkWriteFlow::importInBackground(const std::string& bytes)
{
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model] { model->startImportProgress(kSetupImportSeconds); });
    const std::string record = rewriteStoredRecord(bytes);
    if (writeSetupFile(kRewrittenRecordFile, record) != kFileDone
        || importRecord(m_unit.record.ipText, record, m_ports.http) != 0) {
        // The import never started, so importStatus would never end the progress display.
        m_context.dispatcher.post([model] { model->stopImportProgress(); });
        m_context.ui.showMessage(texts::kWriteFailed);
        return SetupFileOutcome::Failed;
    }
    m_importStarted = true;
    postRefreshedUnit(bytes);
    return SetupFileOutcome::Done;
}

void BulkWriteFlow::postRefreshedUnit(const std::string& bytes)
{
    // The window's copy of the unit takes the settings the file gave it.
    LwiPairs pairs;
    if (setupFileKindFor(m_unit.record.kind) == SetupFileKind::Lwi && parseLwiText(bytes, pairs)) {
        for (const auto& [key, value] : pairs)
            applySettingsPair(key, value, m_unit);
    }
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, unit = m_unit] { model->unitRefreshed(unit); });
}

} // namespace kovra
