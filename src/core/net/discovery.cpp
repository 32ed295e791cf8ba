#include "core/net/discovery.h"

#include "core/net/discovery_messages.h"
#include "core/net/net_results.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/socket.h"
#include "core/platform/socket_error.h"

#include <algorithm>
#include <chrono>

namespace kovra {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point when)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(when - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// A UDP socket bound to bindAddress that may broadcast and waits 1000 ms per datagram.
// Results: 0; -1 no socket; the socket error of an option.
int openDatagramSocket(Socket& socket)
{
    if (createUdpSocket(socket) != 0)
        return kNoSocket;
    int result = allowBroadcast(socket);
    if (result == 0)
        result = setReceiveTimeout(socket, kDatagramTimeoutMs);
    return result;
}

// Sends search request A, waits 50 ms, sends request B. Results: 0 or the socket error.
int sendSearchRequests(const Socket& socket, Ipv4 destination)
{
    int result
        = sendDatagram(socket, destination, kDiscoveryPort, kSearchRequestA.data(), kSearchRequestA.size());
    if (result != 0)
        return result;
    if (!pauseFor(kSearchRequestGapMs))
        return kSocketInterrupted;
    return sendDatagram(socket, destination, kDiscoveryPort, kSearchRequestB.data(), kSearchRequestB.size());
}

// A unit is its address and hardware address: a second answer of the pair comes from a
// repeated request.
bool alreadyStored(const UnitTable& table, const UnitRecord& answer)
{
    for (int i = 0; i < table.unitCount(); ++i)
        if (table.record(i).mac == answer.mac && table.record(i).peerAddress == answer.peerAddress)
            return true;
    return false;
}

// Reads one answer into the table's next slot. True when it was taken into use.
// A failed read is skipped; an answer longer than 30 bytes counts by its first 30. A unit
// answering the repeated requests too is stored once.
bool readAnswer(const Socket& socket, UnitTable& table)
{
    uint8_t answer[kSearchAnswerSize];
    size_t received = 0;
    Ipv4 from = 0;
    uint16_t fromPort = 0;
    const int result = receiveDatagram(socket, answer, sizeof answer, received, &from, &fromPort);
    if (result != 0 && result != kSocketMessageSize)
        return false;
    // With every slot used, answers are read and dropped.
    if (table.full())
        return false;
    UnitRecord& next = table.record(table.unitCount());
    if (!parseSearchAnswer(answer, received, from, fromPort, next) || alreadyStored(table, next))
        return false;
    return table.accept();
}

enum class SearchMode { All, FirstAnswer };

struct SearchRun {
    Ipv4 destination = kBroadcastDestination;
    int firstWaitMs = kSearchFirstWaitMs;
    SearchMode mode = SearchMode::All;
    const AcceptedAnswer* accepted = nullptr;
};

// Collects answers after the first requests went out, sending the requests again while
// the rounds last (a lost request or answer must not lose a unit). Results: the answers
// stored, or -1 when a wait or a repeated send fails.
int collectAnswers(const Socket& socket, UnitTable& table, const SearchRun& run)
{
    int stored = 0;
    Clock::time_point waitEnd = Clock::now() + std::chrono::milliseconds(run.firstWaitMs);
    Clock::time_point nextRound = Clock::now() + std::chrono::milliseconds(kSearchRepeatMs);
    int roundsLeft = kSearchRequestRounds - 1;
    for (;;) {
        if (roundsLeft > 0 && Clock::now() >= nextRound) {
            if (sendSearchRequests(socket, run.destination) != 0)
                return kNoSocket;
            --roundsLeft;
            nextRound = Clock::now() + std::chrono::milliseconds(kSearchRepeatMs);
        }
        const Clock::time_point until = roundsLeft > 0 ? std::min(waitEnd, nextRound) : waitEnd;
        const int waited = waitReadable(socket, millisecondsUntil(until));
        if (waited == kSocketTimedOut) {
            if (Clock::now() >= waitEnd)
                return stored;
            continue;
        }
        if (waited != 0)
            return kNoSocket;
        waitEnd = Clock::now() + std::chrono::milliseconds(kSearchNextWaitMs);
        if (readAnswer(socket, table)) {
            ++stored;
            if (run.accepted && *run.accepted)
                (*run.accepted)(table.slot(table.unitCount() - 1));
            if (run.mode == SearchMode::FirstAnswer)
                return stored;
        }
    }
}

int runSearch(UnitTable& table, const SearchRun& run)
{
    Socket socket;
    if (openDatagramSocket(socket) != 0)
        return kNoSocket;
    if (sendSearchRequests(socket, run.destination) != 0)
        return kNoSocket;
    return collectAnswers(socket, table, run);
}

} // namespace

int searchUnits(UnitTable& table)
{
    return searchUnits(table, kBroadcastDestination);
}

int searchUnits(UnitTable& table, Ipv4 destination, const AcceptedAnswer& accepted)
{
    table.reset();
    SearchRun run;
    run.destination = destination;
    run.accepted = &accepted;
    const int result = runSearch(table, run);
    return result < 0 ? result : table.unitCount();
}

int queryUnit(UnitTable& table, Ipv4 address)
{
    if (table.full())
        return -1;
    if (table.findByIpText(ipv4ToText(address)) >= 0)
        return -2;
    SearchRun run;
    run.destination = address;
    run.firstWaitMs = kSearchNextWaitMs;
    run.mode = SearchMode::FirstAnswer;
    return runSearch(table, run);
}

int exchange(
    Ipv4 destination, const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength)
{
    Socket socket;
    int result = openDatagramSocket(socket);
    if (result != 0)
        return result;
    result = sendDatagram(socket, destination, kDiscoveryPort, request, requestLength);
    if (result != 0 || answer == nullptr)
        return result;
    size_t collected = 0;
    while (collected < answerLength) {
        size_t received = 0;
        result = receiveDatagram(socket, answer + collected, answerLength - collected, received);
        if (result != 0)
            return result;
        collected += received;
    }
    return 0;
}

int queryExchange(
    Ipv4 destination, const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength)
{
    Socket socket;
    int result = openDatagramSocket(socket);
    if (result != 0)
        return result;
    constexpr auto retryGap = std::chrono::milliseconds(kDatagramTimeoutMs / kQueryTries);
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kDatagramTimeoutMs);
    Clock::time_point nextSend = Clock::now();
    int sends = 0;
    size_t collected = 0;
    while (collected < answerLength) {
        // Asked again only while nothing has come: a second copy must not mix into a started answer.
        const bool mayResend = collected == 0 && sends < kQueryTries;
        if (mayResend && Clock::now() >= nextSend) {
            result = sendDatagram(socket, destination, kDiscoveryPort, request, requestLength);
            if (result != 0)
                return result;
            ++sends;
            nextSend = Clock::now() + retryGap;
            continue;
        }
        const int waited
            = waitReadable(socket, millisecondsUntil(mayResend ? std::min(deadline, nextSend) : deadline));
        if (waited == kSocketTimedOut) {
            if (Clock::now() >= deadline)
                return kSocketTimedOut;
            continue;
        }
        if (waited != 0)
            return waited;
        size_t received = 0;
        result = receiveDatagram(socket, answer + collected, answerLength - collected, received);
        if (result != 0)
            return result;
        collected += received;
        deadline = Clock::now() + std::chrono::milliseconds(kDatagramTimeoutMs);
    }
    return 0;
}

bool queryRecord(UnitRecord& unit, int n)
{
    const size_t size = recordAnswerSize(n);
    if (size == 0)
        return false;
    uint8_t record[kConfigBlockSize];
    const auto query = recordQuery(n);
    if (queryExchange(unit.peerAddress, query.data(), query.size(), record, size) != 0)
        return false;
    uint8_t* stored = n == 0 ? unit.configBlock0.data() : unit.configBlock(n).data();
    std::copy(record, record + size, stored);
    return true;
}

bool readWiredNetwork(UnitRecord& unit)
{
    for (int n : { 3, 4, 6, 7 })
        if (!queryRecord(unit, n))
            return false;
    deriveWiredNetwork(unit);
    return true;
}

bool queryFirmware(UnitRecord& unit)
{
    uint8_t answer[kFirmwareAnswerSize];
    if (queryExchange(unit.peerAddress, kFirmwareQuery.data(), kFirmwareQuery.size(), answer, sizeof answer)
        != 0)
        return false;
    unit.firmwareText = firmwareTextFromAnswer(answer, sizeof answer);
    if (isGcFirmware(unit.firmwareText))
        unit.kind = kKindWiredGc;
    return true;
}

} // namespace kovra
