// Search answers and firmware answers from any sender on the discovery port.
#include "core/net/discovery_messages.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kovra::UnitRecord unit;
    const bool accepted = kovra::parseSearchAnswer(data, size, kovra::makeIpv4(127, 0, 0, 9), 30718, unit);
    if (accepted
        && (size < kovra::kSearchAnswerSize || unit.answerInfo[0] > 0x0F || unit.answerInfo[1] > 0x0F))
        std::abort();

    const std::string text = kovra::firmwareTextFromAnswer(data, size);
    if (text.size() > kovra::kFirmwareTextMax || text.find('\0') != std::string::npos)
        std::abort();
    return 0;
}
