#pragma once

#include "core/app/dialog_form.h"
#include "core/settings/setting_outcome.h"
#include "core/settings/write_plan.h"
#include "core/units/unit_table.h"

namespace kovra {

// One dialog variant of a setting command with the unit traffic around it. The setting
// flow makes it from a snapshot of the unit, loads, opens its form, and after OK runs its
// plan. Loads and plans run on the flow's worker thread, never on the window's.
class DialogPath {
public:
    virtual ~DialogPath() = default;

    virtual DialogForm& form() = 0;

    // Reads from the unit what the dialog shows besides the stored settings (direct
    // commands, accessors). 0, or the failing exchange's result: the flow then shows
    // loadFailure() and opens nothing.
    virtual int load() { return 0; }

    // After OK: the traffic that writes the accepted values, in order.
    virtual WritePlan plan() = 0;

    // After the plan has run: what the unit now holds, into the flow's copy of the unit
    // (its settings, a moved command port). The row is refreshed from it.
    virtual void store(UnitSlot&) { }

    // How a failed load is reported (the flow then opens nothing).
    virtual SettingOutcome loadFailure() const { return SettingOutcome::CommunicationError; }

    // How a failed plan is reported; failedStep is the index of the plan's step that failed.
    virtual SettingOutcome writeFailure(size_t /*failedStep*/) const
    {
        return SettingOutcome::CommunicationError;
    }
};

} // namespace kovra
