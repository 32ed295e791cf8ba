#include "core/net/discovery.h"

#include "core/net/discovery_messages.h"
#include "core/net/net_results.h"
#include "core/platform/socket.h"
#include "core/platform/socket_error.h"

#include <chrono>
#include <thread>

namespace kovra {

namespace {

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
    std::this_thread::sleep_for(std::chrono::milliseconds(kSearchRequestGapMs));
    return sendDatagram(socket, destination, kDiscoveryPort, kSearchRequestB.data(), kSearchRequestB.size());
}

// Reads one answer into the table's next slot. True when it was taken into use.
// A failed read is skipped; an answer longer than 30 bytes counts by its first 30.
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
    if (!parseSearchAnswer(answer, received, from, fromPort, table.record(table.unitCount())))
        return false;
    return table.accept();
}

enum class SearchMode { All, FirstAnswer };

// Collects answers after the requests went out. Results: the answers stored, or -1 when
// a wait fails.
int collectAnswers(const Socket& socket, UnitTable& table, int firstWaitMs, SearchMode mode)
{
    int stored = 0;
    int waitMs = firstWaitMs;
    for (;;) {
        const int waited = waitReadable(socket, waitMs);
        if (waited == kSocketTimedOut)
            return stored;
        if (waited != 0)
            return kNoSocket;
        waitMs = kSearchNextWaitMs;
        if (readAnswer(socket, table)) {
            ++stored;
            if (mode == SearchMode::FirstAnswer)
                return stored;
        }
    }
}

int runSearch(UnitTable& table, Ipv4 destination, int firstWaitMs, SearchMode mode)
{
    Socket socket;
    if (openDatagramSocket(socket) != 0)
        return kNoSocket;
    if (sendSearchRequests(socket, destination) != 0)
        return kNoSocket;
    return collectAnswers(socket, table, firstWaitMs, mode);
}

} // namespace

int searchUnits(UnitTable& table)
{
    return searchUnits(table, kBroadcastDestination);
}

int searchUnits(UnitTable& table, Ipv4 destination)
{
    table.reset();
    const int result = runSearch(table, destination, kSearchFirstWaitMs, SearchMode::All);
    return result < 0 ? result : table.unitCount();
}

int queryUnit(UnitTable& table, Ipv4 address)
{
    if (table.full())
        return -1;
    if (table.findByIpText(ipv4ToText(address)) >= 0)
        return -2;
    return runSearch(table, address, kSearchNextWaitMs, SearchMode::FirstAnswer);
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

bool queryRecord(UnitRecord& unit, int n)
{
    const size_t size = recordAnswerSize(n);
    if (size == 0)
        return false;
    uint8_t record[kConfigBlockSize];
    const auto query = recordQuery(n);
    if (exchange(unit.peerAddress, query.data(), query.size(), record, size) != 0)
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
    if (exchange(unit.peerAddress, kFirmwareQuery.data(), kFirmwareQuery.size(), answer, sizeof answer) != 0)
        return false;
    unit.firmwareText = firmwareTextFromAnswer(answer, sizeof answer);
    if (isGcFirmware(unit.firmwareText))
        unit.kind = kKindWiredGc;
    return true;
}

} // namespace kovra
