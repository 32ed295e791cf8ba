#pragma once

#include "core/platform/ipv4.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// One datagram that came back to the diagnosis's search, as received.
struct ReceivedAnswer {
    Ipv4 source = 0;
    uint16_t sourcePort = 0;
    size_t length = 0; // as received; the search itself reads the first 30 bytes
    std::string typePair; // bytes 8-9; empty when the answer is too short to hold them
    std::array<uint8_t, 6> mac {}; // bytes 24-29; all zero when the answer is too short
};

// Why an answer is, or is not, in the device list.
enum class AnswerVerdict {
    Listed,
    TooShort, // fewer than 30 bytes: no complete hardware address
    UnlistedTypePair, // a type pair the search does not accept
    Duplicate, // the same address and hardware address answered before
    TableFull, // accepted, but every slot of the unit table was already taken
};

// The fields of a raw answer of `length` bytes that the diagnosis reports.
ReceivedAnswer describeAnswer(const uint8_t* answer, size_t length, Ipv4 source, uint16_t sourcePort);

// The verdict of every answer, in arrival order. A short answer is short before anything
// else; an unlisted type pair is reported as such even when it repeats. Duplicates take a
// slot of the table as the search stores them; accepted answers beyond the last slot are
// dropped.
std::vector<AnswerVerdict> judgeAnswers(const std::vector<ReceivedAnswer>& answers);

// Units answering with one IP address from different hardware addresses.
struct AddressConflict {
    Ipv4 address = 0;
    std::vector<std::array<uint8_t, 6>> macs; // in the order they answered
};

// The conflicts among the answers with a complete hardware address, by first appearance.
std::vector<AddressConflict> findAddressConflicts(
    const std::vector<ReceivedAnswer>& answers, const std::vector<AnswerVerdict>& verdicts);

// "listed", "answer too short", "unlisted type pair", "duplicate", "unit table full".
const char* verdictText(AnswerVerdict verdict);

} // namespace kovra
