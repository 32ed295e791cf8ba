// A .rec setup file and the console's data records on arbitrary bytes: the image splits only
// into blocks of their exact lengths, and a record head never promises more than 32 bytes.
#include "core/setupfiles/memory_records.h"
#include "core/setupfiles/rec_image.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<kovra::MemoryBlock> blocks;
    if (kovra::parseRecImage(bytes, blocks) == kovra::RecProblem::None) {
        for (const auto& block : blocks) {
            if (block.bytes.size() != kovra::memoryBlockLength(block.number))
                std::abort();
        }
        if (kovra::recImage(blocks) != bytes)
            std::abort();
    }
    const int count = kovra::recordDataCount(bytes.substr(0, kovra::kRecordHeadChars));
    if (count > int(kovra::kRecordDataMax))
        std::abort();
    std::string decoded;
    if (kovra::appendHexBytes(bytes, decoded) && decoded.size() * 2 != bytes.size())
        std::abort();
    return 0;
}
