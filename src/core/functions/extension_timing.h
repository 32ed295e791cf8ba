#pragma once

#include "core/functions/tcp_extension_form.h"
#include "core/settings/write_plan.h"
#include "core/units/unit_record.h"

namespace kovra {

// The extension timing of the TcpExtensionDialog units lives in the unit's command memory
// behind "NJ" (read) and "NS" (write), 50 ms apart: index 0 the disconnect row, 1 the
// notification row, 2 the chattering milliseconds.

// Reads the values of the combos the form shows over one connection to the unit's command
// port and loads them into the form. 0, or the failing exchange's result (an answer about
// another index or not in hex is kAnswerRefused).
int loadExtensionTiming(const UnitRecord& unit, TcpExtensionForm& form);

// The writes of the accepted timing: the disconnect row, the notification row only without a
// disconnect time (or where the model has none), the chattering milliseconds. No requests
// when the model shows no timing.
DirectStep extensionTimingWrite(const TcpExtensionForm& form);

} // namespace kovra
