#pragma once

#include "core/platform/ipv4.h"
#include "core/units/unit_record.h"

#include <cstdint>
#include <vector>

namespace kovra {

// Write-back of stored configuration records to a wired unit (kinds 0, 1 and 4) over its
// discovery port: the setting flows change fields in copies of the records read at
// search time and write the records back one after the other. Each goes with its header
// replaced (00 01 00 (C0h + n), record 7 ending the sequence with 00 00 00 C7h) and each
// waits for a 4-byte answer.

// A record to write: its number (0..7) and its bytes (124 for record 0, 130 otherwise).
struct SetupRecord {
    int number = 0;
    std::vector<uint8_t> bytes;
};

// A copy of stored record n (0 or 3..7) of the unit; empty bytes for other n.
SetupRecord storedSetupRecord(const UnitRecord& unit, int n);

// A record built fresh (record 1 of the mail settings): all zero, of its size.
SetupRecord emptySetupRecord(int n);

// Writes the records to unitAddress:30718 in the given order. All are checked before the
// first is sent; the first write without answer ends the sequence.
// Results: 0 all answered; -5 a record with a number outside 0..7 or a wrong size
// (nothing sent); -1 no socket; the socket error of the first unanswered write (10060).
int writeSetupRecords(Ipv4 unitAddress, const std::vector<SetupRecord>& records);

} // namespace kovra
