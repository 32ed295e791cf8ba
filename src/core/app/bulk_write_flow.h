#pragma once

#include "core/app/bulk_save_flow.h"

namespace kovra {

// Seconds of the progress display while a module imports a record.
constexpr int kSetupImportSeconds = 25;
// Lines of the write question's list of changes; the rest is counted.
constexpr size_t kWriteQuestionDiffLines = 20;

// Button 1011 on a worker thread, for a copy of the selected unit: the network-group check,
// the open dialog, the file checked against the unit's kind before any traffic, the unit's
// live setup read for the list of changes, the question for a .lwi that carries another
// unit's address, the write question, then the write by the unit's kind (not by the file's
// extension): the .rec and .lwi in the foreground, the .xml imported in the background under
// the progress display. The main controls stay off until it ends (or the progress ends).
class BulkWriteFlow {
public:
    using Done = std::function<void(SetupFileOutcome)>;

    BulkWriteFlow(FlowContext context, const UnitSlot& unit, SetupPorts ports, Done done);
    void run();

private:
    SetupFileOutcome write();
    // False when the operator cancelled; a .lwi may come back with the unit's own network.
    bool confirm(std::string& bytes);
    SetupFileOutcome importInBackground(const std::string& bytes);
    void postRefreshedUnit(const std::string& bytes);

    FlowContext m_context;
    UnitSlot m_unit;
    SetupPorts m_ports;
    Done m_done;
    bool m_importStarted = false;
};

} // namespace kovra
