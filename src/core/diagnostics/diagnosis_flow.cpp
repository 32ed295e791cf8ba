#include "core/diagnostics/diagnosis_flow.h"

#include <utility>

namespace kovra {

DiagnosisFlow::DiagnosisFlow(FleetProbeSetup setup, KindReaders& readers, Done done, Probe probe)
    : m_setup(std::move(setup))
    , m_readers(readers)
    , m_done(std::move(done))
    , m_probe(std::move(probe))
{
}

void DiagnosisFlow::run()
{
    const FleetDiagnosis report = m_probe(m_setup, m_readers);
    if (m_done)
        m_done(report);
}

} // namespace kovra
