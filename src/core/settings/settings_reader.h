#pragma once

#include <cstdint>
#include <string>

namespace kovra {

struct UnitSlot;

// The request block of the parameter dump: the request text, then zero bytes.
constexpr size_t kDumpRequestBlock = 64;
// The sketch version from which kind 5 units answer "GETPARAM" (with scrambled mail credentials).
constexpr int kGetParamSketchVersion = 103;

// The dump request for the unit: "GETPARAM\nEND\n" for kind 7 and for kind 5 from sketch version
// 103, "DUMP\nEND\n" for the others.
const char* dumpRequestFor(int kind, int sketchVersion);

// Reads the unit's parameters from its settings port (its ipText, port 9998) into the slot: the
// versions ("VER"), then the dump into UnitSettings and the UnitRecord fields it carries. Each
// exchange is one connection (1500 ms connect, send and receive time-outs), whatever the unit
// had already sent dropped first. Old firmware that answers one complete "SKETCH VER" line and
// closes has no dump: success with versions 0. An answer cut short or not made of version
// lines fails (kSettingsVersionUnreadable): a read that knows nothing must not pass as one.
// With dump: the parameter text for a setup file (see readSettingsPairs).
// Results: 0; 10049 when the row has no dotted address or no socket can be bound; the socket
// errors of connect and send; 10060 when an answer stops coming (also when "END" has no value
// line after it); 10101 when the unit closed the connection before "END"; kSettingsLineTooLong,
// kSettingsDumpOverflow, kSettingsNoEnd, kSettingsVersionUnreadable (settings_answer.h). Fields
// stored before a failure stay.
int ReadUnitSettings(UnitSlot& slot, std::string* dump = nullptr);

// The same on any port (tests put their units on ports of their own).
int readUnitSettingsAt(UnitSlot& slot, uint16_t port, std::string* dump = nullptr);

} // namespace kovra
