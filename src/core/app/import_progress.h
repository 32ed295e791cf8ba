#pragma once

#include "core/wifi/import_status.h"

namespace kovra {

// The progress bar's step counter: one step per timer tick while the import runs.
class ImportProgress {
public:
    // Starts counting for an import expected to take `seconds`; resets importStatus.
    void start(int seconds);

    // One timer tick while importStatus is running: a step, never beyond the total.
    // Returns the bar position 0..100.
    int tick();

    int progressTotal() const { return m_progressTotal; }
    int progressStep() const { return m_progressStep; }

private:
    int m_progressTotal = 0;
    int m_progressStep = 0;
};

} // namespace kovra
