// Setup files without units: names, the .lwi text, which file a unit's kind takes, the list
// of changes, the network a file gives, and the file dialog's filter.
#include "core/app/file_dialog_filter.h"
#include "core/setupfiles/lwi_text.h"
#include "core/setupfiles/rec_image.h"
#include "core/setupfiles/setup_diff.h"
#include "core/setupfiles/setup_file_store.h"
#include "core/setupfiles/setup_network.h"
#include "core/setupfiles/unit_setup.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

TEST(SetupFileNames, ProposedNameFollowsTheKindAndLosesSlashes)
{
    struct Case {
        const char* model;
        int kind;
        const char* name;
    };
    const Case cases[] = {
        { "QM-130/G", 1, "QM-130_G.rec" },
        { "QM-120W", 3, "QM-120W.lwi" },
        { "a/b/c", 2, "a_b_c.xml" },
        { "KOVRA4-8", 5, "KOVRA4-8.lwi" },
        { "QM-320", 4, "QM-320.rec" },
        { "QX", 6, "QX.lwi" },
        { "B", 7, "B.lwi" },
        { "", 0, ".rec" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(proposedSetupFileName(c.model, c.kind), c.name) << c.model;
    EXPECT_EQ(trimBlanks(" \t name.rec  "), "name.rec");
    EXPECT_EQ(trimBlanks("   "), "");
}

TEST(LwiText, OnlyKeyValueLinesAreASetupFile)
{
    struct Case {
        const char* name;
        std::string text;
        bool valid;
        size_t pairs;
    };
    const Case cases[] = {
        { "pairs", "IP\r\n10.0.0.2\r\nPORT1\r\n10001\r\n", true, 2 },
        { "empty value", "HIP1\r\n\r\n", true, 1 },
        { "empty", "", false, 0 },
        { "bare line feeds", "IP\n10.0.0.2\n", false, 0 },
        { "key without value", "IP\r\n10.0.0.2\r\nPORT1\r\n", false, 0 },
        { "unterminated", "IP\r\n10.0.0.2", false, 0 },
        { "END would cut the message", "END\r\n\r\nIP\r\n1.2.3.4\r\n", false, 0 },
        { "empty key", "\r\nx\r\n", false, 0 },
        { "control byte", std::string("MSUBJ\r\na\x01z\r\n"), false, 0 },
        { "not a parameter name", "<?xml?>\r\nx\r\n", false, 0 },
        { "lower case", "ip\r\n1.2.3.4\r\n", false, 0 },
        { "binary", std::string("\x04RECF\x00\r\n\r\n", 10), false, 0 },
        { "at the limit", "K\r\n" + std::string(kMaxLwiBytes - 5, 'v') + "\r\n", true, 1 },
        { "over the limit", "K\r\n" + std::string(kMaxLwiBytes - 4, 'v') + "\r\n", false, 0 },
    };
    for (const Case& c : cases) {
        LwiPairs pairs;
        EXPECT_EQ(parseLwiText(c.text, pairs), c.valid) << c.name;
        EXPECT_EQ(pairs.size(), c.pairs) << c.name;
        if (c.valid) {
            EXPECT_EQ(lwiText(pairs), c.text) << c.name;
        }
    }
}

const std::string kRecord = "<?xml version=\"1.0\"?><configrecord version = \"0.1.0.1\">\r\n"
                            "   <configgroup name = \"Interface\" instance = \"wlan0\">\r\n"
                            "      <configitem name = \"IP Address\">\r\n"
                            "         <value>10.0.0.5/24</value>\r\n"
                            "      </configitem>\r\n"
                            "   </configgroup>\r\n"
                            "   <configgroup name = \"Tunnel Accept\" instance = \"1\">\r\n"
                            "      <configitem name = \"Local Port\">\r\n"
                            "         <value>10001</value>\r\n"
                            "      </configitem>\r\n"
                            "   </configgroup>\r\n"
                            "</configrecord>\r\n";

std::string recFile()
{
    return recImage({ { 0, std::string(kBlock0Bytes, '\0') }, { 2, std::string(kBlockBytes, 'b') } });
}

TEST(SetupFileFits, EachKindTakesOnlyItsOwnFiles)
{
    const std::string lwi = "IP\r\n10.0.0.2\r\n";
    struct Case {
        SetupFileKind kind;
        std::string bytes;
        bool fits;
    };
    const Case cases[] = {
        { SetupFileKind::Rec, recFile(), true },
        { SetupFileKind::Rec, lwi, false },
        { SetupFileKind::Rec, recFile().substr(0, 100), false },
        { SetupFileKind::Lwi, lwi, true },
        { SetupFileKind::Lwi, kRecord, false },
        { SetupFileKind::Lwi, "", false }, // an empty dump is no setup
        { SetupFileKind::Xml, kRecord, true },
        { SetupFileKind::Xml, "<configrecord></configrecord>", false }, // no group
        { SetupFileKind::Xml, lwi, false },
        { SetupFileKind::Xml, recFile(), false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(setupFileFits(c.kind, c.bytes), c.fits)
            << setupFileExtension(c.kind) << " " << c.bytes.size();
}

TEST(SetupDiff, LwiKeysAddedRemovedAndChanged)
{
    const auto changes = diffSetup(SetupFileKind::Lwi, "A\r\n1\r\nB\r\n2\r\nMPASS\r\nnew\r\nC\r\n3\r\n",
        "A\r\n1\r\nB\r\n9\r\nMPASS\r\nold\r\nD\r\n4\r\n");
    EXPECT_EQ(diffText(changes), "~ B: 9 -> 2\n~ MPASS: * -> *\n+ C: 3\n- D: 4\n");
    EXPECT_EQ(diffText({}), "no changes\n");
    EXPECT_EQ(diffText(changes, 1), "~ B: 9 -> 2\n... 3 more\n");
}

TEST(SetupDiff, ScrambledCredentialsCompareByTheirClearText)
{
    // The same user behind two different pads is no change.
    const auto changes
        = diffSetup(SetupFileKind::Lwi, "E1USER\r\nAAAAAxyzBBBBB\r\n", "E1USER\r\nCCCCCxyzDDDDD\r\n");
    EXPECT_TRUE(changes.empty()) << diffText(changes);
}

TEST(SetupDiff, RecChangesAreByteRangesPerBlock)
{
    std::string unit = recFile();
    std::string file = unit;
    file[6 + 0x10] = 1;
    file[6 + 0x11] = 2;
    file[6 + 0x20] = 3;
    file += char(3) + std::string(kBlockBytes, 'c');
    EXPECT_EQ(diffText(diffSetup(SetupFileKind::Rec, file, unit)),
        "~ block 0 0x10-0x11: 00 00 -> 01 02\n~ block 0 0x20-0x20: 00 -> 03\n+ block 3: 63 63 63 63 63 63 63 "
        "63 63 63 "
        "63 63 63 63 63 63 ...\n");
}

TEST(SetupDiff, XmlItemsByGroupAndValue)
{
    std::string file = kRecord;
    file.replace(file.find("10001"), 5, "10002");
    EXPECT_EQ(diffText(diffSetup(SetupFileKind::Xml, file, kRecord)),
        "~ Tunnel Accept 1 / Local Port: 10001 -> 10002\n");
}

TEST(SetupNetwork, FilesKeepTheTargetsNetworkOrTakeAnAssignedAddress)
{
    SetupNetwork own { false, makeIpv4(10, 0, 0, 9), makeIpv4(255, 255, 0, 0), makeIpv4(10, 0, 0, 1) };
    std::string lwi = "IP\r\n10.0.0.2\r\nSUBM\r\n255.255.255.0\r\nPORT1\r\n1\r\n";
    ASSERT_TRUE(keepUnitNetwork(SetupFileKind::Lwi, lwi, own));
    EXPECT_EQ(lwi, "IP\r\n10.0.0.9\r\nSUBM\r\n255.255.0.0\r\nPORT1\r\n1\r\n"); // no GWAY added
    ASSERT_TRUE(assignAddress(SetupFileKind::Lwi, lwi, makeIpv4(10, 0, 1, 7)));
    EXPECT_EQ(lwi.substr(0, 14), "IP\r\n10.0.1.7\r\n");

    std::string rec = recFile();
    ASSERT_TRUE(keepUnitNetwork(SetupFileKind::Rec, rec, own));
    EXPECT_EQ(rec.substr(6, 4), std::string("\x0A\x00\x00\x09", 4)); // record 0's address field
    EXPECT_EQ(rec[6 + 6], char(16)); // host bits of /16
    EXPECT_EQ(rec.substr(6 + 12, 4), std::string("\x0A\x00\x00\x01", 4));
    ASSERT_TRUE(assignAddress(SetupFileKind::Rec, rec, makeIpv4(10, 0, 1, 7)));
    EXPECT_EQ(rec.substr(6, 4), std::string("\x0A\x00\x01\x07", 4));

    std::string xml = kRecord;
    ASSERT_TRUE(keepUnitNetwork(SetupFileKind::Xml, xml, own));
    EXPECT_EQ(xml.find("wlan0"), std::string::npos);
    EXPECT_NE(xml.find("Tunnel Accept"), std::string::npos);
    EXPECT_FALSE(assignAddress(SetupFileKind::Xml, xml, makeIpv4(10, 0, 1, 7)));
    EXPECT_FALSE(assignAddress(SetupFileKind::Rec, lwi, makeIpv4(10, 0, 1, 7))); // not a .rec
}

TEST(FileDialogFilter, PairsUpToTheClosingBars)
{
    const auto filters = parseFileFilter(kSetupFileFilter);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].caption, "Setup files(*.rec;*.xml;*.lwi)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string> { "*.rec", "*.xml", "*.lwi" }));
    EXPECT_EQ(filters[1].patterns, std::vector<std::string> { "*.*" });
    EXPECT_EQ(parseFileFilter("a|*.x").size(), 1u);
    EXPECT_TRUE(parseFileFilter("caption only").empty());
}

TEST(SetupFileStore, AFailedWriteLeavesTheOldFile)
{
    std::string dir = testing::TempDir() + "store_XXXXXX";
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string path = dir + "/setup.rec";
    ASSERT_EQ(writeSetupFile(dir + "/none/setup.rec", "x"), kFileUnwritable); // no such folder
    ASSERT_EQ(writeSetupFile(path, "first"), kFileDone);
    ASSERT_EQ(writeSetupFile(path, "second"), kFileDone);
    std::string bytes;
    ASSERT_EQ(readSetupFile(path, 6, bytes), kFileDone);
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(readSetupFile(path, 5, bytes), kFileTooLong);
    EXPECT_EQ(readSetupFile(dir + "/none", 5, bytes), kFileUnreadable);
}

} // namespace
