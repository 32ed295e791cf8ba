#pragma once

#include "core/platform/ipv4.h"
#include "core/platform/socket.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kovra {

// The units' line console (memory blocks).
constexpr uint16_t kSetupPort = 9999;
constexpr int kSetupTimeoutMs = 1000;
// A unit that never answers the connect must not hold the window for the system's
// minutes-long SYN retries.
constexpr int kSetupConnectTimeoutMs = 5000;
// Units greet with this many bytes, which carry nothing the program needs.
constexpr size_t kSetupGreetingBytes = 9;
// A line ends after this many stored characters; the rest comes as the next line.
constexpr size_t kSetupLineCapacity = 256;
constexpr int kSetupLinePauseMs = 50;
// A unit that keeps talking without ever showing the awaited text must not hold the caller:
// waitForLine gives up after this many lines or this much time, whichever comes first. A
// console prompt comes within a few lines.
constexpr int kSetupWaitMaxLines = 32;
constexpr int kSetupWaitBudgetMs = 5000;

// Connects to unit:port (bound to bindAddress), sets send and receive time-outs of
// kSetupTimeoutMs and reads and drops the greeting. `channel` is open only on success.
// Results: 0; -1 when the socket cannot be created or bound; 10060 when the connect or
// the greeting did not come in time; 10061 refused; 10101 the unit closed before its
// greeting was complete; other socket errors.
int openSetupChannel(Ipv4 unit, Socket& channel, uint16_t port = kSetupPort);

// Receives exactly `count` bytes. `received` (optional) tells how many arrived, also on
// failure: the bytes before a failure are in `buffer`.
// Results: 0; 10060 time-out; 10101 the peer closed; other socket errors.
int readExact(const Socket& channel, void* buffer, size_t count, size_t* received = nullptr);

// Reads one line a byte at a time: CR and LF are dropped, a NUL byte ends the line, so do
// kSetupLineCapacity stored characters, a closed connection, a time-out or an error (the
// line then holds what was read). Returns the number of characters in `line`.
int readLine(const Socket& channel, std::string& line);

// Reads lines, pausing kSetupLinePauseMs between them, until one contains `pattern`.
// Results: 0 found; -1 a line came back empty (the unit closed, stopped sending or failed),
// or kSetupWaitMaxLines lines or kSetupWaitBudgetMs passed without the pattern.
int waitForLine(const Socket& channel, const std::string& pattern);

// Sends the whole text. Results: 0 or the socket error (10060 send time-out).
int sendText(const Socket& channel, const std::string& text);

// Closes the channel; closing a closed channel does nothing.
void closeChannel(Socket& channel);

} // namespace kovra
