#pragma once

#include "core/diagnostics/fleet_probe.h"

#include <functional>

namespace kovra {

// The diagnosis on a worker thread: the probe, then `done` with its report, called on that
// worker (the window posts it to its own thread).
class DiagnosisFlow {
public:
    using Done = std::function<void(const FleetDiagnosis&)>;
    using Probe = std::function<FleetDiagnosis(const FleetProbeSetup&, KindReaders&)>;

    DiagnosisFlow(FleetProbeSetup setup, KindReaders& readers, Done done, Probe probe = probeFleet);
    void run();

private:
    FleetProbeSetup m_setup;
    KindReaders& m_readers;
    Done m_done;
    Probe m_probe;
};

} // namespace kovra
