#pragma once

#include "core/wifi/config_http.h"

#include <cstddef>
#include <string>

namespace kovra {

// A record saved from a module (an .xml setup file) imported again: groups that belong to
// the module itself (its web server, radio, access point, users, clock, the second
// instances of the tunnels, the saved import control group ...) are cut out first, so one
// module's file can be written to another.

constexpr size_t kMaxStoredRecord = 65536;
constexpr const char* kRewrittenRecordFile = "_.txt"; // in the working directory

// Cuts each listed group from its line to the end of the next "   </configgroup>" and the
// two characters after it (its line break; fewer at the end of the text), the first
// listed line still present first, until none is left. A group line without a closing
// line after it stops the rewrite with the text as it then is.
std::string rewriteStoredRecord(std::string text);

// Reads the file (at most 65536 bytes), rewrites it, writes the result to "_.txt" in the
// working directory and starts its import.
// Results: 0 started; kWifiFileUnreadable (cannot be read, empty); kWifiTooLong (over
// 65536 bytes: it is refused rather than cut); kWifiFileUnwritable ("_.txt");
// kWifiImportBusy.
int importSetupFile(const std::string& path, const std::string& ipText, uint16_t httpPort = kModuleHttpPort);

} // namespace kovra
