#pragma once

#include "core/platform/ipv4.h"
#include "core/platform/socket.h"

#include <cstdint>

namespace kovra {

// The connect wait, send and receive time-out of the command exchange and the model query.
constexpr int kCommandTimeoutMs = 1500;

// Connects a stream socket from createTcpSocket (already bound to bindAddress) to
// destination:port, waiting at most timeoutMs (negative counts as 0). The socket is back
// in blocking mode on every path.
// Results:
//   0      connected;
//   10060  no answer within timeoutMs (the socket is left half-open: close it);
//   10061  the destination refused: reported at once, so the operator hears "refused"
//          rather than a later send failure;
//   other socket errors (10065/10051 unreachable, 10049 no such local address, ...).
int connectWithTimeout(Socket& socket, Ipv4 destination, uint16_t port, int timeoutMs);

} // namespace kovra
