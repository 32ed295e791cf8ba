#include "core/platform/ipv4.h"

#include <gtest/gtest.h>

using namespace kovra;

TEST(Ipv4, ParseAcceptsOnlyDottedQuads)
{
    struct Case {
        const char* text;
        bool ok;
        const char* back;
    };
    const Case cases[] = {
        { "203.0.113.7", true, "203.0.113.7" },
        { "0.0.0.0", true, "0.0.0.0" },
        { "255.255.255.255", true, "255.255.255.255" },
        { "256.0.0.1", false, "" },
        { "1.2.3", false, "" },
        { "1.2.3.4.5", false, "" },
        { "1..3.4", false, "" },
        { " 1.2.3.4", false, "" },
        { "1.2.3.4x", false, "" },
        { "0001.2.3.4", false, "" },
        { "", false, "" },
    };
    for (const auto& c : cases) {
        Ipv4 out = 0x01020304;
        EXPECT_EQ(parseIpv4(c.text, out), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(ipv4ToText(out), c.back);
        else
            EXPECT_EQ(out, 0x01020304u) << c.text;
    }
}

TEST(Ipv4, MasksAndPrefixes)
{
    EXPECT_EQ(ipv4ToText(maskFromPrefix(24)), "255.255.255.0");
    EXPECT_EQ(ipv4ToText(maskFromPrefix(0)), "0.0.0.0");
    EXPECT_EQ(ipv4ToText(maskFromPrefix(32)), "255.255.255.255");
    EXPECT_EQ(ipv4ToText(maskFromPrefix(9)), "255.128.0.0");
    EXPECT_EQ(prefixFromMask(maskFromPrefix(20)), 20);
    EXPECT_EQ(prefixFromMask(makeIpv4(255, 0, 255, 0)), -1);
    EXPECT_EQ(ipv4Byte(makeIpv4(10, 20, 30, 40), 2), 30);
}
