#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace kovra {

struct UnitRecord;

// The units' settings port: settings messages and parameter reads.
constexpr uint16_t kSettingsPort = 9998;
// A message leaves in pieces of at most this many bytes.
constexpr size_t kSettingsPieceBytes = 256;
// The unit gets this long to take the message before the connection closes.
constexpr int kSettingsLingerMs = 500;

// Hands text to send in consecutive pieces of at most kSettingsPieceBytes, each starting where
// the previous one ended. send returns 0 or an error, which ends the sending and is returned.
int sendInPieces(const std::string& text, const std::function<int(const char*, size_t)>& send);

// One short connection to the unit's settings port (its ipText): connect within 1500 ms, send and
// receive time-outs of 1500 ms, the text in pieces, 500 ms for the unit, close. No answer is read.
// Results: 0; 10049 when the row has no dotted address or no socket can be bound; the socket
// error of the connect (10060 no answer in time, 10061 refused, ...), of the time-outs or of a
// send (10060 send time-out, 10054 reset by the unit).
int SendSettingsMessage(const UnitRecord& unit, const std::string& text);

// The same to any port (tests put their units on ports of their own).
int sendSettingsMessageTo(const std::string& ipText, uint16_t port, const std::string& text);

} // namespace kovra
