#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kovra {

// The Wi-Fi module's web configuration: two POST requests with HTTP digest authentication.
// Every request leaves from bindAddress(), so it goes through the adapter the user chose.

constexpr uint16_t kModuleHttpPort = 80;
constexpr size_t kMaxModuleAnswer = 65535; // longest export answer (and assembled record)

// Modules that stop answering must not hang the program, so every exchange has a time-out.
// Connect as the other exchanges of the program do at most (5000 ms); an export is a few
// kilobytes and two round trips (digest), 10 s is ample; an import also lets the module take
// the record before it answers, and must end before the 25 s progress bar of a bulk write
// would sit at its end for long.
constexpr long kModuleConnectTimeoutMs = 5000;
constexpr long kExportTimeoutMs = 10000;
constexpr long kImportTimeoutMs = 20000;

// The group lists of the export request body.
constexpr const char* kGroupTunnelAccept = "optionalGroupList=Tunnel Accept:1";
constexpr const char* kGroupInterfaceWlan0 = "optionalGroupList=Interface:wlan0";
constexpr const char* kGroupTunnelConnect = "optionalGroupList=Tunnel Connect:1";

// "http://%s/export/config" (and "import"); a port other than 80 is written into the URL
// (tests run modules on loopback ports; the product always uses 80).
std::string moduleUrl(const std::string& ipText, const char* action, uint16_t httpPort);

// One blocking export POST to the module at ipText. groupList: one of the lists above, or
// empty for the whole record (an empty body is sent). The answer goes into out (replaced).
// Results: 0; kWifiTransferFailed (no connection, time-out, transfer error);
// kWifiRefused (HTTP status other than 200); kWifiTooLong (answer over 65535 bytes).
int exportConfig(const std::string& ipText, const std::string& groupList, std::string& out,
    uint16_t httpPort = kModuleHttpPort);

// The export without a group list, for saving a setup file: the record as received.
// Results as exportConfig.
int exportWholeRecord(const std::string& ipText, std::string& out, uint16_t httpPort = kModuleHttpPort);

// One blocking import POST: a multipart form with the part "configrecord" holding the
// record. Results: 0; kWifiTransferFailed; kWifiRefused.
int postRecord(const std::string& ipText, const std::string& record, uint16_t httpPort = kModuleHttpPort);

} // namespace kovra
