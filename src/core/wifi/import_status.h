#pragma once

#include <atomic>

namespace kovra {

// Completion flag of the background XML import: the import thread sets it, the main
// window's 100 ms timer reads it.
enum ImportStatus : int { kImportRunning = 0, kImportDone = 1, kImportFailed = 2 };
extern std::atomic<int> importStatus;

} // namespace kovra
