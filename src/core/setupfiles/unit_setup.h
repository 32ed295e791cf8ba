#pragma once

#include "core/setupfiles/setup_file_kind.h"
#include "core/units/unit_table.h"
#include "core/wifi/config_http.h"

#include <string>

namespace kovra {

// A unit's whole setup moved by the transport of its kind: the memory blocks (.rec), the
// parameter text (.lwi) or the module's configuration record (.xml).

// Where the module's web configuration listens (tests run modules on ports of their own).
struct SetupPorts {
    uint16_t http = kModuleHttpPort;
};

// Results of the transfers besides 0.
constexpr int kSetupReadFailed = -1; // the unit's setup could not be read, or came empty
constexpr int kSetupWriteFailed = -2; // the unit did not take the setup

// Reads the setup of the unit. A parameter dump without any pair, or a record without a
// configuration group, is a failed read: its file would hold nothing to write back.
// Results: 0, kSetupReadFailed.
int readUnitSetup(const UnitSlot& unit, std::string& bytes, SetupPorts ports = {});

// True when bytes are a setup file the unit's kind takes: a .rec image as a read gives it,
// key/value lines, or a configuration record.
bool setupFileFits(SetupFileKind kind, const std::string& bytes);

// The file's bytes as they reach the unit: a .lwi with "END\r\n" appended, a record with the
// module's own groups cut out; a .rec as it is.
std::string setupAsSent(SetupFileKind kind, const std::string& bytes);

// Writes the setup and waits for the unit to take it (a record is imported in the
// foreground; the bulk write's window path imports it in the background instead).
// Results: 0, kSetupWriteFailed.
int writeUnitSetup(const UnitSlot& unit, const std::string& bytes, SetupPorts ports = {});

} // namespace kovra
