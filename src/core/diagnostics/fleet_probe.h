#pragma once

#include "core/diagnostics/fleet_diagnosis.h"
#include "core/platform/adapter_table.h"

#include <functional>
#include <optional>

namespace kovra {

class KindReaders;

struct FleetProbeSetup {
    std::optional<AdapterEntry> adapter; // the chosen one; none: nothing is sent
    int searchPort = 0; // the port edit's number
    Ipv4 destination = 0xFFFFFFFF; // where the search requests go
    std::function<int(std::vector<AdapterEntry>&)> adapters; // the adapter list, read again
};

// Runs the search's steps once more, keeping what the search drops: the adapter's state,
// the socket, every answer with its verdict, the address conflicts, then for every listed
// answer the classification (records, port) and the model query. Blocks for the length of
// a search and the units' reads: run it on a worker.
FleetDiagnosis probeFleet(const FleetProbeSetup& setup, KindReaders& readers);

} // namespace kovra
