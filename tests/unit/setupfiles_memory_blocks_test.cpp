// The memory-block console against the simulator's binary-family units on loopback.
#include "core/platform/bind_address.h"
#include "core/setupfiles/memory_blocks.h"
#include "core/setupfiles/rec_image.h"
#include "sim_test_client.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

class MemoryBlocks : public testing::Test {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }
    void TearDown() override { std::remove(m_path.c_str()); }

    std::string writeFile(const std::string& bytes)
    {
        std::ofstream(m_path, std::ios::binary) << bytes;
        return m_path;
    }

    // The block numbers of the unit's logged requests named like prefix ("G", "S").
    static std::string blocksLogged(simtest::LoopbackFleet& fleet, char prefix)
    {
        std::string found;
        const std::string log = fleet.log();
        const std::string key = std::string("\"request\":\"") + prefix;
        for (size_t at = log.find(key); at != std::string::npos; at = log.find(key, at + 1))
            found.push_back(log[at + key.size()]);
        return found;
    }

    std::string m_path = testing::TempDir() + "memory_blocks_test.rec";
};

TEST_F(MemoryBlocks, ReadGivesEveryBlockWithTheUnitsBytes)
{
    simtest::LoopbackFleet fleet(R"({ "address": "$1", "records": { "3": "01 02 03" } })");
    std::string image;
    ASSERT_EQ(ReadMemoryBlocks(fleet.address(1), image), kBlocksDone);
    std::vector<MemoryBlock> blocks;
    ASSERT_EQ(parseRecImage(image, blocks), RecProblem::None);
    ASSERT_EQ(blocks.size(), 8u);
    EXPECT_EQ(blocks[2].number, 3);
    EXPECT_EQ(blocks[2].bytes.substr(0, 3), "\x01\x02\x03");
    // Block 0 is the body of record 0: the unit's address first.
    Ipv4 address = 0;
    ASSERT_TRUE(parseIpv4(fleet.address(1), address));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(uint8_t(blocks[0].bytes[size_t(i)]), ipv4Byte(address, i));
    EXPECT_EQ(blocksLogged(fleet, 'G'), "02345678");
}

TEST_F(MemoryBlocks, NoSuchBlockEndsTheReadWithSuccess)
{
    simtest::LoopbackFleet fleet(R"({ "address": "$1", "consoleBlocks": 4 })");
    std::string image;
    ASSERT_EQ(ReadMemoryBlocks(fleet.address(1), image), kBlocksDone);
    std::vector<MemoryBlock> blocks;
    ASSERT_EQ(parseRecImage(image, blocks), RecProblem::None);
    std::string numbers;
    for (const auto& b : blocks)
        numbers.push_back(char('0' + b.number));
    EXPECT_EQ(numbers, "0234");
    EXPECT_EQ(image.size(), 5 + 121 + 3 * 127u);
}

TEST_F(MemoryBlocks, ReadFailures)
{
    struct Case {
        const char* name;
        const char* unit;
        int result;
    };
    const Case cases[] = {
        { "cut mid-block", R"({ "address": "$1", "fault": { "mode": "close", "requests": ["G3"] } })",
            kBlocksFailed },
        { "garbage records", R"({ "address": "$1", "fault": { "mode": "garbage", "requests": ["G0"] } })",
            kBlocksFailed },
        { "no console", R"({ "address": "$1", "kind": 4, "model": 17, "fault": { "mode": "refuse" } })",
            kBlocksNoConnection },
    };
    for (const Case& c : cases) {
        simtest::LoopbackFleet fleet(c.unit);
        std::string image;
        EXPECT_EQ(ReadMemoryBlocks(fleet.address(1), image), c.result) << c.name;
    }
}

TEST_F(MemoryBlocks, WriteSendsTheFirstSevenEntriesButBlockTwoAndRestarts)
{
    simtest::LoopbackFleet fleet(R"({ "address": "$1" })");
    std::string image;
    ASSERT_EQ(ReadMemoryBlocks(fleet.address(1), image), kBlocksDone);
    // Block 4 (file offset: header, block 0, blocks 2 and 3) gets new bytes.
    const size_t block4 = 5 + 121 + 2 * 127 + 1;
    image.replace(block4, 4, "KOVR");
    ASSERT_EQ(WriteMemoryBlocks(writeFile(image), fleet.address(1)), kBlocksDone);
    EXPECT_EQ(blocksLogged(fleet, 'S'), "034567");
    EXPECT_TRUE(fleet.waitForLog("\"request\":\"RS\""));
    ASSERT_TRUE(fleet.waitForLog("\"event\":\"restart\""));
    ASSERT_TRUE(fleet.waitUntilUp());
    std::string back;
    ASSERT_EQ(ReadMemoryBlocks(fleet.address(1), back), kBlocksDone);
    EXPECT_EQ(back.substr(block4, 4), "KOVR");
}

TEST_F(MemoryBlocks, WriteResults)
{
    simtest::LoopbackFleet fleet(R"({ "address": "$1" },
        { "address": "$2", "fault": { "mode": "silent", "requests": ["S3"] } })");
    std::string image;
    ASSERT_EQ(ReadMemoryBlocks(fleet.address(1), image), kBlocksDone);
    struct Case {
        const char* name;
        std::string file;
        int unit;
        int result;
    };
    const Case cases[] = {
        { "five bytes", image.substr(0, 5), 1, kBlocksFailed },
        { "header cut", image.substr(0, 4), 1, kBlocksFileNoHeader },
        { "ends inside block 3", image.substr(0, 5 + 121 + 127 + 50), 1, kBlocksFailed },
        { "block 3 unacknowledged", image, 2, kBlocksNotAcknowledged },
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteMemoryBlocks(writeFile(c.file), fleet.address(c.unit)), c.result) << c.name;
    EXPECT_EQ(WriteMemoryBlocks(testing::TempDir() + "no/such.rec", fleet.address(1)), kBlocksFileUnopened);
}

} // namespace
