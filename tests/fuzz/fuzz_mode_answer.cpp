// The mode value answer of "MR0491" as a unit sends it.
#include "core/settings/settings_writers.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string answer(reinterpret_cast<const char*>(data), size);
    int value = -1;
    // Two hex digits give one byte; nothing else is ever taken.
    if (kovra::parseModeReadAnswer(answer, value)
        && (value < 0 || value > 0xFF || size != kovra::kModeReadAnswerLength))
        std::abort();
    return 0;
}
