#pragma once

#include "core/platform/socket.h"

#include <cstdint>
#include <string>

namespace kovra {

// Opens the short TCP connection of the model query and the command channel: a socket
// bound to bindAddress, connected to ipText:port within 1500 ms, with send and receive
// time-outs of 1500 ms, and whatever the unit already sent drained.
// Results: 0; 10049 when ipText is not a dotted address or no socket can be bound (the
// platform layer gives no finer cause for the latter); the socket error of the connect
// (10060 no answer in time, 10061 refused, ...) or of the time-outs.
int openUnitConnection(Socket& socket, const std::string& ipText, uint16_t port);

// Receives exactly one byte. Results: 0; 10101 the unit closed the connection; 10060
// nothing within the receive time-out; other socket errors.
int receiveByte(const Socket& socket, uint8_t& byte);

} // namespace kovra
