#pragma once

#include "core/net/setup_record_writer.h"
#include "core/net/unit_commands.h"
#include "core/units/unit_record.h"
#include "core/wifi/module_record.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kovra {

// The traffic a confirmed dialog sends, as data: the setting flow runs it against the unit,
// `kovractl --dry-run` prints it instead. Steps run in order; the first failing one ends
// the plan.

// A settings message to the unit's settings port 9998 (SendSettingsMessage).
struct MessageStep {
    std::string text;
};

// One request of the direct command exchange: its bytes (the last is the end mark C8h),
// the answer length to wait for (0: none), whether the echo rule is checked, and the pause
// after it.
struct DirectRequest {
    std::string bytes;
    size_t answerLength = 0;
    bool skipCheck = false;
    int pauseAfterMs = 0;
};

// Requests on one connection to the unit's command port (DirectCommand), in order.
struct DirectStep {
    std::vector<DirectRequest> requests;
};

// One setting accessor write (writeSetting), and the pause the unit needs after it.
struct AccessorStep {
    Accessor accessor = Accessor::C;
    uint32_t value = 0;
    int pauseAfterMs = 0;
};

// A memory write of kind-4 units (memoryWrite): bytes from registerCode on.
struct MemoryStep {
    int registerCode = 0;
    std::vector<uint8_t> bytes;
};

// Stored configuration records written back over the discovery port (writeSetupRecords).
struct RecordsStep {
    std::vector<SetupRecord> records;
};

// The tunnel record imported into a Wi-Fi module unit (importTunnelSettings), awaited to its end.
struct TunnelStep {
    ModuleTunnel tunnel;
};

using WriteStep = std::variant<MessageStep, DirectStep, AccessorStep, MemoryStep, RecordsStep, TunnelStep>;
using WritePlan = std::vector<WriteStep>;

// Runs the plan against the unit: messages to ipText:9998, direct commands, accessors and
// memory writes to its command port, records to its peerAddress on the discovery port, a
// tunnel record to its web configuration (kWifiTransferFailed when the import failed). A
// direct step is one connection; its requests go in order, each followed by its pause.
// Results: 0 every step succeeded; otherwise the result of the first failing step (the codes
// of SendSettingsMessage, DirectCommand, writeSetting, memoryWrite or writeSetupRecords),
// and no later step or request is sent; failedStep, when given, receives that step's index.
int runWritePlan(const WritePlan& plan, const UnitRecord& unit, size_t* failedStep = nullptr);

// The plan as an operator reads it, one numbered step after another: a message one line per
// line with its terminators written out ("\r\n" or "\n"), cp932 text as it stands and other
// control bytes as "<09>"; requests as their printable bytes with the others in "<C8>" form,
// with the awaited answer length, "no echo check" and the pause; accessor writes by letter and
// decimal value, memory writes by register and hex bytes, records by number and size. The same
// plan always gives the same text. With maskSecrets the value line of every password key
// ("PASS", "MPASS", "M%dPASS", "E%dPASS") reads "*".
std::string describeWritePlan(const WritePlan& plan, bool maskSecrets = false);

} // namespace kovra
