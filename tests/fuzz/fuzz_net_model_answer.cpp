// The model query's answers: the two-byte answer to "UU" and the frame answered to "MI".
#include "core/net/model_answer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size >= 2) {
        const auto kind = kovra::classifyShortModelAnswer(data[0], data[1]);
        int modelIndex = -1;
        int unitSwitch = -1;
        if (kind == kovra::ShortModelAnswer::Model) {
            kovra::decodeShortModelAnswer(data[0], modelIndex, unitSwitch);
            if (modelIndex < 0 || modelIndex > 6 || unitSwitch < 0 || unitSwitch > 15)
                std::abort();
        }
    }
    int modelIndex = -1;
    int unitSwitch = -1;
    const size_t length = size < kovra::kModelFrameMax ? size : kovra::kModelFrameMax;
    if (kovra::decodeExtendedModelAnswer(data, length, modelIndex, unitSwitch)) {
        if (modelIndex < 0 || modelIndex > 0x2F || unitSwitch < 0 || unitSwitch > 15)
            std::abort();
    } else if (modelIndex != -1 || unitSwitch != -1) {
        std::abort();
    }
    return 0;
}
