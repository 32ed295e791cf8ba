#pragma once

#include "core/app/flow_context.h"
#include "core/setupfiles/unit_setup.h"
#include "core/units/unit_table.h"

#include <functional>
#include <string>

namespace kovra {

// How a bulk save or bulk write ended.
enum class SetupFileOutcome {
    Done, // saved; written (the unit restarts); or the .xml import started
    Cancelled, // a dialog or question was cancelled, nothing happened
    Failed, // its message has been shown
};

// Button 1010 on a worker thread, for a copy of the selected unit: the network-group check,
// the save dialog with the proposed name (again after a blank name), the read by the unit's
// kind and the file written whole or not at all. The main controls stay off until it ends.
class BulkSaveFlow {
public:
    using Done = std::function<void(SetupFileOutcome)>;

    BulkSaveFlow(
        FlowContext context, const UnitSlot& unit, std::string modelText, SetupPorts ports, Done done);
    void run();

private:
    SetupFileOutcome save();

    FlowContext m_context;
    UnitSlot m_unit;
    std::string m_modelText;
    SetupPorts m_ports;
    Done m_done;
};

// The chosen path with blanks trimmed; empty when its file name is blank.
std::string chosenSetupPath(const std::string& path);

} // namespace kovra
