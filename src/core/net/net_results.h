#pragma once

namespace kovra {

// Results that the device-communication functions produce themselves, besides 0 and the
// Windows Sockets error numbers (10000 and above) of core/platform/socket_error.h. Each
// function's header comment says which of them it can return.

// Socket could not be created or bound to bindAddress (datagram exchanges).
constexpr int kNoSocket = -1;

// sendRecv: the answer does not repeat the request's command letters + 20h.
constexpr int kSendRecvEchoMismatch = 1;
// sendRecv: no unit address.
constexpr int kSendRecvEmptyAddress = 3;

// readFramed: echo rule failed / more than the buffer without end mark / no unit address.
constexpr int kFramedEchoMismatch = -1;
constexpr int kFramedOverflow = -2;
constexpr int kFramedEmptyAddress = -3;

// Unit commands: an answer came but does not accept the request or carry its value.
constexpr int kAnswerRefused = -4;
// Unit commands: arguments out of range, or the unit's kind has no such command; nothing
// was sent.
constexpr int kRequestRefused = -5;

} // namespace kovra
