// The console's data records and the .rec layout, byte for byte.
#include "core/setupfiles/memory_records.h"
#include "core/setupfiles/rec_image.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

std::string countingBlock(size_t length)
{
    std::string block;
    for (size_t i = 0; i < length; ++i)
        block.push_back(char(i));
    return block;
}

TEST(DataRecords, LastRecordOfBlockZeroCarriesItsTwentyFourBytesAtOffset60h)
{
    const std::string records = blockRecords(countingBlock(kBlock0Bytes));
    const size_t last = records.rfind(':');
    ASSERT_NE(last, std::string::npos);
    const std::string record = records.substr(last);
    EXPECT_EQ(record.substr(0, 9), ":18006010");
    EXPECT_EQ(record.size(), 9 + 48 + 2u);
    EXPECT_EQ(record.substr(9, 4), "6061"); // the data bytes 60h, 61h ...
}

TEST(DataRecords, BlocksSplitIntoRecordsOfThirtyTwoBytesAndTheRest)
{
    struct Case {
        size_t length;
        std::vector<std::string> heads;
    };
    for (const Case& c : { Case { kBlock0Bytes, { ":20000010", ":20002010", ":20004010", ":18006010" } },
             Case { kBlockBytes, { ":20000010", ":20002010", ":20004010", ":1E006010" } } }) {
        const std::string records = blockRecords(std::string(c.length, '\xAB'));
        std::vector<std::string> heads;
        for (size_t at = records.find(':'); at != std::string::npos; at = records.find(':', at + 1))
            heads.push_back(records.substr(at, 9));
        EXPECT_EQ(heads, c.heads) << c.length;
        EXPECT_EQ(records.find_first_of("\r\nabcdef"), std::string::npos); // upper case, no line end
    }
}

TEST(DataRecords, ChecksumIsTheTwosComplementOfTheByteSum)
{
    struct Case {
        uint16_t offset;
        std::string data;
        const char* record;
    };
    const Case cases[] = {
        { 0x0000, "", ":00000010F0" }, // 0x10 alone
        { 0x0000, "\x01\x02", ":020000100102EB" }, // 02 + 10 + 01 + 02 = 15h
        { 0x0060, std::string(1, '\xFF'), ":01006010FF90" }, // the sum's carry is dropped
        { 0x1234, std::string("\x80\x80", 2), ":021234108080A8" }, // both offset bytes count
    };
    for (const Case& c : cases) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(c.data.data());
        const std::string record = dataRecord(c.offset, bytes, c.data.size());
        unsigned sum = 0;
        for (size_t i = 1; i + 1 < record.size(); i += 2)
            sum += unsigned(std::stoul(record.substr(i, 2), nullptr, 16));
        EXPECT_EQ(sum & 0xFF, 0u) << record; // all bytes with the checksum add up to zero
        EXPECT_EQ(record, c.record);
    }
}

TEST(DataRecords, RecordCountAndHexDigitsAreBounded)
{
    EXPECT_EQ(recordDataCount(":20000010"), 32);
    EXPECT_EQ(recordDataCount(":00000001"), 0);
    EXPECT_EQ(recordDataCount(":21000010"), -1); // over 32 bytes
    EXPECT_EQ(recordDataCount(":G0000010"), -1);
    EXPECT_EQ(recordDataCount(":2"), -1);
    std::string out = "x";
    EXPECT_TRUE(appendHexBytes("00ffA5", out));
    EXPECT_EQ(out, std::string("x\x00\xff\xa5", 4));
    EXPECT_FALSE(appendHexBytes("0", out));
    EXPECT_FALSE(appendHexBytes("0G", out));
    EXPECT_EQ(out.size(), 4u); // nothing appended on failure
}

std::string block(int number)
{
    return std::string(1, char(number)) + std::string(memoryBlockLength(number), char(0x40 + number));
}

struct ImageCase {
    const char* name;
    std::string image;
    RecProblem problem;
    size_t blocks;
};

class RecImageParse : public testing::TestWithParam<ImageCase> { };

TEST_P(RecImageParse, AcceptsOnlyWhatAReadGives)
{
    std::vector<MemoryBlock> blocks;
    EXPECT_EQ(parseRecImage(GetParam().image, blocks), GetParam().problem);
    if (GetParam().problem == RecProblem::None) {
        EXPECT_EQ(blocks.size(), GetParam().blocks);
    }
}

const std::string kHeader(kRecHeader, kRecHeaderBytes);

INSTANTIATE_TEST_SUITE_P(Cases, RecImageParse,
    testing::Values(
        ImageCase { "full",
            kHeader + block(0) + block(2) + block(3) + block(4) + block(5) + block(6) + block(7) + block(8),
            RecProblem::None, 8 },
        ImageCase { "upToBlock4", kHeader + block(0) + block(2) + block(3) + block(4), RecProblem::None, 4 },
        ImageCase { "headerOnly", kHeader, RecProblem::NoBlocks, 0 },
        ImageCase { "shortHeader", "\x04REC", RecProblem::BadHeader, 0 },
        ImageCase { "otherHeader", "\x04RECG" + block(0), RecProblem::BadHeader, 0 },
        ImageCase { "startsWithBlock2", kHeader + block(2), RecProblem::BadBlockNumber, 0 },
        ImageCase { "block1", kHeader + block(0) + block(1), RecProblem::BadBlockNumber, 0 },
        ImageCase { "repeated", kHeader + block(0) + block(3) + block(3), RecProblem::BadBlockNumber, 0 },
        ImageCase { "falling", kHeader + block(0) + block(4) + block(3), RecProblem::BadBlockNumber, 0 },
        ImageCase {
            "cutInsideBlock", kHeader + block(0) + block(2).substr(0, 100), RecProblem::ShortBlock, 0 },
        ImageCase { "block0Short", kHeader + block(0).substr(0, 120), RecProblem::ShortBlock, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecImage, LayoutIsHeaderThenNumberedBlocks)
{
    const std::vector<MemoryBlock> blocks
        = { { 0, std::string(kBlock0Bytes, 'a') }, { 2, std::string(kBlockBytes, 'b') } };
    const std::string image = recImage(blocks);
    ASSERT_EQ(image.size(), 5 + 1 + 120 + 1 + 126u);
    EXPECT_EQ(image.substr(0, 6), std::string("\x04RECF\x00", 6));
    EXPECT_EQ(image[126], '\x02');
    std::vector<MemoryBlock> back;
    ASSERT_EQ(parseRecImage(image, back), RecProblem::None);
    EXPECT_EQ(back[1].bytes, blocks[1].bytes);
}

} // namespace
