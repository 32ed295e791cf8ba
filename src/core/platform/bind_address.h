#pragma once

#include "core/platform/ipv4.h"

namespace kovra {

// The address of the adapter the user picked: every socket of the program binds to it
// with local port 0, so that traffic leaves through that adapter. 0.0.0.0 (any) until an
// adapter is chosen. Safe to read from any thread while the window thread changes it.
Ipv4 bindAddress();
void setBindAddress(Ipv4 address);

} // namespace kovra
