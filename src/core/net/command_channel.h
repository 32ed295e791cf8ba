#pragma once

#include "core/platform/socket.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kovra {

// The request/answer exchange on a unit's TCP port. CommandChannel keeps one connection
// for several requests (the direct command exchange of the settings writers and the
// analog dialog); sendRecv and readFramed open one for a single request and close it.
// Before each request whatever the unit already sent is drained.

constexpr int kCommandReceiveCalls = 200; // receive calls per fixed-length answer
constexpr int kFramedReadAttempts = 4; // failed single-byte reads in a row before giving up
constexpr int kFramedRetryPauseMs = 10;

class CommandChannel {
public:
    // Connects to ipText:port (1500 ms connect wait, send and receive time-outs 1500 ms).
    // Results: 0; 3 empty ipText (nothing sent); 10049 not a dotted address or no socket;
    // the connect's socket error (10060, 10061, ...).
    int open(const std::string& ipText, uint16_t port);
    void close() { m_socket.close(); }
    bool isOpen() const { return m_socket.isOpen(); }

    // Sends the request whole, then, when answerLength > 0, receives until answerLength
    // bytes have come (each call asking for the rest, at most 200 calls).
    // Results: 0; 1 the echo rule fails (not checked with skipCheck); socket errors of the
    // send or a receive (10060 time-out, 10101 the unit closed the connection before the
    // whole answer; 10060 too when 200 calls did not complete it); 10057 when not open.
    int exchange(
        const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength, bool skipCheck);

    // Sends the request whole, then reads single bytes up to the end mark C8h into
    // `answer` (end mark not stored). A failed read is retried after 10 ms; the fourth
    // failure in a row ends the read.
    // Results: the answer's length (0..maxLength) when it obeys the echo rule; -1 it does
    // not; -2 more than maxLength bytes came without end mark; socket errors of the send
    // or of the fourth failed read (10060, 10101, ...); 10057 when not open.
    int exchangeFramed(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t maxLength);

private:
    Socket m_socket;
};

// One request on a connection of its own.
// Results: 0; 1 echo rule fails (unless skipCheck); 3 empty ipText (nothing sent);
// 10049 not a dotted address; socket errors of connect, send and receive.
int sendRecv(const std::string& ipText, uint16_t port, const uint8_t* request, size_t requestLength,
    uint8_t* answer, size_t answerLength, bool skipCheck);

// One framed request on a connection of its own.
// Results: the answer's length (end mark not included); -1 echo rule fails; -2 more than
// maxLength bytes without end mark; -3 empty ipText (nothing sent); 10049 not a dotted
// address; socket errors of connect, send and the fourth failed read.
int readFramed(const std::string& ipText, uint16_t port, const uint8_t* request, size_t requestLength,
    uint8_t* answer, size_t maxLength);

} // namespace kovra
