#include "core/app/import_progress.h"

namespace kovra {

constexpr int kTicksPerSecond = 10; // the timer runs every 100 ms

void ImportProgress::start(int seconds)
{
    importStatus = kImportRunning;
    m_progressStep = 0;
    m_progressTotal = seconds * kTicksPerSecond;
}

int ImportProgress::tick()
{
    if (m_progressStep < m_progressTotal)
        ++m_progressStep;
    return m_progressTotal > 0 ? m_progressStep * 100 / m_progressTotal : 0;
}

} // namespace kovra
