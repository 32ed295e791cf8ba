#pragma once

#include <atomic>

namespace kovra {

// Completion flag of the background XML import: the import thread sets it, the main
// window's 100 ms timer reads it.
enum ImportStatus : int { kImportRunning = 0, kImportDone = 1, kImportFailed = 2 };
extern std::atomic<int> importStatus;

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
