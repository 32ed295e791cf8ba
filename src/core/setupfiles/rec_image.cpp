#include "core/setupfiles/rec_image.h"

#include <algorithm>
#include <iterator>

namespace kovra {

size_t memoryBlockLength(int number)
{
    return number == 0 ? kBlock0Bytes : kBlockBytes;
}

RecProblem parseRecImage(const std::string& image, std::vector<MemoryBlock>& blocks)
{
    blocks.clear();
    if (image.compare(0, kRecHeaderBytes, kRecHeader, kRecHeaderBytes) != 0)
        return RecProblem::BadHeader;
    if (image.size() == kRecHeaderBytes)
        return RecProblem::NoBlocks;
    const int* order = std::begin(kReadBlockOrder);
    size_t at = kRecHeaderBytes;
    while (at < image.size()) {
        const int number = static_cast<unsigned char>(image[at]);
        // Blocks come in the read order, each at most once, block 0 first.
        const int* found = std::find(order, std::end(kReadBlockOrder), number);
        if (found == std::end(kReadBlockOrder) || (blocks.empty() && number != 0))
            return RecProblem::BadBlockNumber;
        const size_t length = memoryBlockLength(number);
        if (image.size() - at - 1 < length)
            return RecProblem::ShortBlock;
        blocks.push_back({ number, image.substr(at + 1, length) });
        at += 1 + length;
        order = found + 1;
    }
    return RecProblem::None;
}

std::string recImage(const std::vector<MemoryBlock>& blocks)
{
    std::string image(kRecHeader, kRecHeaderBytes);
    for (const MemoryBlock& block : blocks)
        image += char(block.number) + block.bytes;
    return image;
}

} // namespace kovra
