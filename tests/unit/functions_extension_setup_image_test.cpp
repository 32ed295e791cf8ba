#include "core/functions/extension_setup_image.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

// A unit whose records hold a distinct byte everywhere, so a field written to the wrong place
// or a byte written that is not the image's shows.
UnitRecord patternedUnit()
{
    UnitRecord unit;
    for (size_t i = 0; i < unit.configBlock0.size(); ++i)
        unit.configBlock0[i] = uint8_t(0x80 + i);
    for (int n = 3; n <= 7; ++n)
        for (size_t i = 0; i < kConfigBlockSize; ++i)
            unit.configBlock(n)[i] = uint8_t(n * 16 + i);
    return unit;
}

ExtensionSetupImage sampleImage()
{
    ExtensionSetupImage image;
    image.ownPorts = { 10001, 0x2B67, 0xABCD };
    image.roles = { 0xF1, 0xC5, 0x00 };
    image.destinations = { makeIpv4(203, 0, 113, 9), makeIpv4(198, 18, 0, 200) };
    image.destinationPorts = { 10002, 0x1234 };
    return image;
}

TEST(FunctionsExtensionSetupImage, FieldsSitAtTheirBytes)
{
    struct Case {
        int record;
        size_t offset;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        { 0, 24, { 0x11, 0x27 } }, // 10001, little-endian: the unit's command port
        { 0, 26, { 0xF1 } },
        { 0, 28, { 203, 0, 113, 9 } },
        { 0, 32, { 0x12, 0x27 } },
        { 3, 4, { 0x67, 0x2B } },
        { 3, 6, { 0xC5 } },
        { 3, 8, { 198, 18, 0, 200 } },
        { 3, 12, { 0x34, 0x12 } },
        { 7, 4, { 0xCD, 0xAB } },
        { 7, 6, { 0x00 } },
    };
    UnitRecord unit = patternedUnit();
    writeExtensionSetupImage(unit, sampleImage());
    for (const Case& c : cases) {
        const uint8_t* record = c.record == 0 ? unit.configBlock0.data() : unit.configBlock(c.record).data();
        for (size_t i = 0; i < c.bytes.size(); ++i)
            EXPECT_EQ(record[c.offset + i], c.bytes[i]) << "record " << c.record << " byte " << c.offset + i;
    }
    EXPECT_EQ(unit.unitPort(), 10001);
}

TEST(FunctionsExtensionSetupImage, WriteLeavesEveryOtherByteAsRead)
{
    const UnitRecord before = patternedUnit();
    UnitRecord unit = before;
    writeExtensionSetupImage(unit, sampleImage());
    const auto owned = [](int record, size_t i) {
        if (record == 0)
            return i >= 24 && i < 34 && i != 27;
        if (record == 3)
            return i >= 4 && i < 14 && i != 7;
        return record == 7 && i >= 4 && i < 7;
    };
    for (size_t i = 0; i < kConfigBlock0Size; ++i) {
        EXPECT_TRUE(owned(0, i) || unit.configBlock0[i] == before.configBlock0[i]) << "record 0 byte " << i;
    }
    for (int n = 3; n <= 7; ++n)
        for (size_t i = 0; i < kConfigBlockSize; ++i)
            EXPECT_TRUE(owned(n, i) || unit.configBlock(n)[i] == before.configBlock(n)[i])
                << "record " << n << " byte " << i;
}

TEST(FunctionsExtensionSetupImage, ReadGivesBackWhatWasWritten)
{
    UnitRecord unit = patternedUnit();
    const ExtensionSetupImage image = sampleImage();
    writeExtensionSetupImage(unit, image);
    const ExtensionSetupImage read = readExtensionSetupImage(unit);
    EXPECT_EQ(read.ownPorts, image.ownPorts);
    EXPECT_EQ(read.roles, image.roles);
    EXPECT_EQ(read.destinations, image.destinations);
    EXPECT_EQ(read.destinationPorts, image.destinationPorts);
}

TEST(FunctionsExtensionSetupImage, RoleBytes)
{
    struct Case {
        uint8_t previous;
        bool wait;
        bool request;
        int model;
        uint8_t rebuilt;
    };
    const Case cases[] = {
        { 0x00, true, true, 0, 0xC1 },
        { 0xFF, true, false, 0, 0xF0 }, // bits 5-4 kept, the rest rebuilt
        { 0x3F, false, true, 0, 0x31 },
        { 0xC1, false, false, 6, 0x00 },
        { 0x00, true, true, 3, 0xC5 }, // models 3 and 4 request with 5
        { 0x10, false, true, 4, 0x15 },
    };
    for (const Case& c : cases) {
        const uint8_t role = rebuildRole(c.previous, c.wait, c.request, c.model);
        EXPECT_EQ(role, c.rebuilt) << int(c.previous) << " model " << c.model;
        EXPECT_EQ(roleWaits(role), c.wait);
        EXPECT_EQ(roleRequests(role, c.model), c.request);
    }
    EXPECT_TRUE(roleWaits(0xC0));
    EXPECT_FALSE(roleWaits(0xBF)); // only both top bits mean waiting
    EXPECT_FALSE(roleRequests(0xC5, 0)); // 5 is not model 0's code
    EXPECT_FALSE(roleRequests(0xC1, 3));
}

} // namespace
