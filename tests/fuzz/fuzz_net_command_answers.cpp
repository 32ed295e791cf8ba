// Answers on a unit's command port: "mr" data, "mw" acceptance, "nj" value, short read,
// and the echo rule.
#include "core/net/command_messages.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the count asked for; the rest is the answer.
    const int count = data[0] % 17;
    const uint8_t* answer = data + 1;
    const size_t length = size - 1;

    uint8_t bytes[kovra::kMemoryCountMax] = {};
    if (kovra::parseMemoryReadAnswer(answer, length, count, bytes)
        && (count < 1 || length < kovra::kMemoryDataOffset + size_t(count) * 2))
        std::abort();

    kovra::memoryWriteAccepted(answer, length);
    uint8_t value = 0;
    kovra::parseNjAnswer(answer, length, value);
    kovra::parseShortReadAnswer(answer, length, value);
    const kovra::CommandBytes request = kovra::buildMemoryRead(0x57, 1);
    if (kovra::echoHolds(request.data(), request.size(), answer, length) && (length < 2 || answer[0] != 'm'))
        std::abort();
    return 0;
}
