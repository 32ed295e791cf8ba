#include "core/wifi/import_status.h"

namespace kovra {

std::atomic<int> importStatus { kImportRunning };

} // namespace kovra
