#pragma once

namespace kovra {

// Results of the Wi-Fi module's web configuration, besides 0 (success). Each function's
// header comment says which of them it can return.

// The HTTP exchange failed: no connection, a time-out, a transfer error.
constexpr int kWifiTransferFailed = -1;
// The module answered with an HTTP status other than 200 (401: the credential was refused).
constexpr int kWifiRefused = -2;
// An answer, record or file longer than its limit.
constexpr int kWifiTooLong = -3;
// The group, item or value is not in the record.
constexpr int kWifiItemMissing = -4;
// A value that cannot be used (DHCP neither "Enabled" nor "Disabled", a bad address,
// a mask that is not one run of one bits).
constexpr int kWifiBadValue = -5;
// A stored record file that cannot be read, or is empty.
constexpr int kWifiFileUnreadable = -6;
// The rewritten record cannot be written to "_.txt".
constexpr int kWifiFileUnwritable = -7;
// An import is still running: only one at a time.
constexpr int kWifiImportBusy = -8;

} // namespace kovra
