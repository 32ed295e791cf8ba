#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kovra {

// The .rec setup file: the header 04h "RECF", then per block its number and its bytes
// (120 for block 0, 126 for every other), block 0 first, as the unit delivered them.
constexpr const char kRecHeader[] = "\x04RECF";
constexpr size_t kRecHeaderBytes = 5;
constexpr size_t kBlock0Bytes = 120;
constexpr size_t kBlockBytes = 126;
// The blocks a read asks for, in order; 1 and 9 are never read.
constexpr int kReadBlockOrder[] = { 0, 2, 3, 4, 5, 6, 7, 8 };
// Block 2 is read but never written back.
constexpr int kUnwrittenBlock = 2;
// A write goes through at most this many entries of the file.
constexpr int kMaxWrittenEntries = 7;

size_t memoryBlockLength(int number);

struct MemoryBlock {
    int number = 0;
    std::string bytes;
};

// Why a file is not a .rec image a unit could have given.
enum class RecProblem {
    None,
    BadHeader, // shorter than the header, or not 04h "RECF"
    NoBlocks, // nothing after the header
    BadBlockNumber, // not one of the read order, not rising, or not starting with block 0
    ShortBlock, // the file ends inside a block
};

// Splits a whole image into its blocks; the image must be exactly what a read produces.
RecProblem parseRecImage(const std::string& image, std::vector<MemoryBlock>& blocks);

// The image of the blocks, header first.
std::string recImage(const std::vector<MemoryBlock>& blocks);

} // namespace kovra
