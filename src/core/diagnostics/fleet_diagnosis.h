#pragma once

#include "core/diagnostics/model_query_failure.h"
#include "core/diagnostics/search_answer_verdicts.h"
#include "core/diagnostics/unit_reach.h"
#include "core/platform/ipv4.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// What the diagnosis found out about the chosen adapter.
struct AdapterFinding {
    bool chosen = false; // false: no adapter had been chosen, nothing was sent
    std::string name; // the adapter list's line
    Ipv4 address = 0;
    Ipv4 mask = 0;
    bool usable = false; // still listed as a usable interface (up, with its address)
};

// A unit whose answer was accepted, followed through the search's later steps.
struct UnitFinding {
    Ipv4 address = 0;
    std::array<uint8_t, 6> mac {};
    std::string typePair;
    bool sameSubnet = false;
    bool recordsRead = true; // false: its records could not be read, the search drops it
    uint16_t port = 0; // from its records (0 when they were not read)
    ReachStep step = ReachStep::Listed;
    bool modelQueried = false;
    int modelQueryResult = 0; // queryModel's result
    ModelQueryFailure modelQuery = ModelQueryFailure::None;
};

// The whole report, as kovractl doctor and the diagnosis window show it.
struct FleetDiagnosis {
    AdapterFinding adapter;
    int searchPort = 0;
    Ipv4 destination = 0;
    bool socketBound = false; // the discovery socket was created and bound to the adapter
    int sendResult = 0; // 0: both search requests left; else the socket error
    int waitResult = 0; // 0: the answers ended as the search's waits ran out; else the error
    std::vector<ReceivedAnswer> answers;
    std::vector<AnswerVerdict> verdicts; // one per answer
    std::vector<AddressConflict> conflicts;
    std::vector<UnitFinding> units; // the listed answers, in arrival order
};

} // namespace kovra
