#pragma once

#include <cstdint>
#include <string>

namespace kovra {

// Asks the unit at ipText:port for its model: "UU" first; a unit that stays silent is
// asked "MI" and answers a frame ended by C8h (model_answer.h has the decoding).
// modelIndex and unitSwitch are set to -1 first and only get values on success.
// Results:
//   0      modelIndex (ModelId) and unitSwitch (0..15) set;
//   1      the unit answered with a frame that is not a model answer (its trailing bytes
//          are read and dropped), or an "MI" frame too short to hold the model bytes;
//   -1     the "MI" answer grew to 16 bytes without its end mark;
//   socket errors: of the connect (10060, 10061, ...), of the "MI" send, or of a read
//          of the "MI" answer (10060 time-out, 10101 the unit closed the connection).
int queryModel(const std::string& ipText, uint16_t port, int& modelIndex, int& unitSwitch);

} // namespace kovra
