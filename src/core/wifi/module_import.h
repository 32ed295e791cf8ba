#pragma once

#include "core/platform/ipv4.h"
#include "core/wifi/config_http.h"
#include "core/wifi/module_record.h"

#include <string>

namespace kovra {

// Imports of a configuration record into the module. Each runs on a thread of its own and
// reports only through importStatus (import_status.h): 0 while it runs, 1 when
// the module took the record (HTTP status 200), 2 when it failed. One at a time.

// Copies both texts, sets importStatus to 0, starts the import thread and returns at once.
// Results: 0 started; kWifiImportBusy when an import still runs (nothing started,
// importStatus untouched).
int importRecord(const std::string& ipText, const std::string& record, uint16_t httpPort = kModuleHttpPort);

// The Interface record (address setting) imported. Results: 0 started; kWifiBadValue (mask
// without prefix length); kWifiImportBusy.
int importInterfaceSettings(const std::string& ipText, bool dhcp, Ipv4 address, Ipv4 mask, Ipv4 gateway,
    uint16_t httpPort = kModuleHttpPort);

// The tunnel record (input-extension settings) imported. Results: 0 started;
// kWifiImportBusy.
int importTunnelSettings(
    const std::string& ipText, const ModuleTunnel& tunnel, uint16_t httpPort = kModuleHttpPort);

// True while an import thread runs (tests, and the window closing).
bool importRunning();

// Waits until the running import, if any, has ended.
void waitForImport();

} // namespace kovra
