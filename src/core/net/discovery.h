#pragma once

#include "core/platform/ipv4.h"
#include "core/units/unit_table.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace kovra {

// Discovery and stored configuration records over the units' discovery port (UDP 30718).
// Every datagram leaves from a socket bound to bindAddress() with local port 0.

constexpr Ipv4 kBroadcastDestination = 0xFFFFFFFF; // 255.255.255.255

constexpr int kDatagramTimeoutMs = 1000; // receive time-out of every datagram exchange
constexpr int kSearchFirstWaitMs = 5000; // until the first answer of a search
constexpr int kSearchNextWaitMs = 1000; // after each answer; also every wait of queryUnit
constexpr int kSearchRequestGapMs = 50; // between search requests A and B
// A lost request or answer must not lose a unit: the search requests go out this many
// times, kSearchRepeatMs apart, within the search's waits (a second answer with the same
// address and hardware address is the same unit, stored once); a query of a record or the firmware goes out
// up to kQueryTries times within its 1000 ms while nothing has come back.
constexpr int kSearchRequestRounds = 3;
constexpr int kSearchRepeatMs = 250;
constexpr int kQueryTries = 3;

// Called on the searching thread with each unit as its answer is accepted.
using AcceptedAnswer = std::function<void(const UnitSlot&)>;

// Broadcast search. Empties the table, sends search requests A and B to
// 255.255.255.255:30718 (again in the later rounds) and stores every answer with an
// accepted type pair from a unit (address and hardware address) not yet stored in the next slot until no
// answer has come for 5000 ms (before the first answer) or 1000 ms (after it). Answers beyond the 256th are
// read and dropped. Results: the number of units stored (>= 0); -1 when the socket cannot be created or bound
// or a wait fails.
int searchUnits(UnitTable& table);

// The same search sent to one destination instead of 255.255.255.255: a directed
// broadcast address or a single unit; `accepted` is told of each unit as it is stored.
int searchUnits(UnitTable& table, Ipv4 destination, const AcceptedAnswer& accepted = {});

// Unicast search for add-by-address: the two requests go to the address; every wait,
// the first included, is 1000 ms; the first accepted answer goes into slot unitCount and
// is taken into use. The table is not emptied.
// Results: 1 stored; 0 no accepted answer; -1 table full, socket or wait failure;
// -2 the address is already in the table (nothing is sent).
int queryUnit(UnitTable& table, Ipv4 address);

// One request datagram to destination:30718 (kBroadcastDestination: 255.255.255.255),
// sent once (writes: a unit must not act on a request twice),
// then, when `answer` is given, datagrams appended into it until answerLength bytes have
// come.
// Results: 0; -1 when the socket cannot be created or bound; socket errors: 10060 no
// (complete) answer within 1000 ms of the last datagram, 10040 a datagram longer than
// the space left, others.
int exchange(
    Ipv4 destination, const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength);

// A query: as exchange, but the request goes out again (kQueryTries in all, evenly within
// the 1000 ms) while no datagram of the answer has come.
int queryExchange(
    Ipv4 destination, const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength);

// Reads stored record n (0 or 3..7) from the unit at peerAddress into configBlock0 or
// configBlock(n). True when the whole record arrived; otherwise the stored copy is left
// as it was (it is written back later, so a half record must never replace it).
bool queryRecord(UnitRecord& unit, int n);

// Reads records 3, 4, 6 and 7 (the first failure ends with false), then derives dhcp,
// peerAddress, subnetMask and gateway from record 0 (deriveWiredNetwork).
bool readWiredNetwork(UnitRecord& unit);

// Firmware query of an "X6" unit: firmwareText from the answer, and kind 1 when the text
// contains "GC". False (nothing changed) when no complete answer came.
bool queryFirmware(UnitRecord& unit);

} // namespace kovra
