#include "core/platform/cp932_text.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

struct Pair {
    const char* what;
    std::string cp932;
    std::string utf8;
};

} // namespace

TEST(PlatformCp932Text, TextConvertsBothWaysUnchanged)
{
    const Pair cases[] = {
        { "ASCII", "Mode>", "Mode>" },
        { "a message", "\x90\xdd\x92\xe8\x8a\xae\x97\xb9\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42",
            "設定完了しました。" },
        { "katakana with a long vowel mark", "\x92\xca\x90\x4d\x83\x47\x83\x89\x81\x5b", "通信エラー" },
        { "half-width katakana", "\xb1", "ｱ" },
        // The next two differ between code page 932 and plain Shift_JIS.
        { "circled digit", "\x87\x40", "①" },
        { "full-width tilde", "\x81\x60", "～" },
        { "a second byte that is a backslash in ASCII", "\x83\x5c", "ソ" },
        { "NUL bytes stay", std::string("a\0b", 3), std::string("a\0b", 3) },
        { "empty", "", "" },
    };
    for (const auto& c : cases) {
        int replaced = -1;
        EXPECT_EQ(cp932ToUtf8(c.cp932, &replaced), c.utf8) << c.what;
        EXPECT_EQ(replaced, 0) << c.what;
        EXPECT_EQ(utf8ToCp932(c.utf8, &replaced), c.cp932) << c.what;
        EXPECT_EQ(replaced, 0) << c.what;
    }
}

TEST(PlatformCp932Text, BrokenUnitTextIsReplacedByteByByte)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::string cp932;
        std::string utf8;
        int replaced;
    } cases[] = {
        { "undefined single byte",
            "A\x80"
            "B",
            "A" + fffd + "B", 1 },
        { "lead byte cut off at the end", "AB\x82", "AB" + fffd, 1 },
        { "lead byte with a bad trail keeps the trail",
            "\x81\x20"
            "B",
            fffd + " B", 1 },
        { "two bad bytes", "\xa0\xfd", fffd + fffd, 2 },
    };
    for (const auto& c : cases) {
        int replaced = 0;
        EXPECT_EQ(cp932ToUtf8(c.cp932, &replaced), c.utf8) << c.what;
        EXPECT_EQ(replaced, c.replaced) << c.what;
    }
}

TEST(PlatformCp932Text, CharactersWithoutACp932FormBecomeQuestionMarks)
{
    const struct {
        const char* what;
        std::string utf8;
        std::string cp932;
        int replaced;
    } cases[] = {
        { "accented letter", "caf\xC3\xA9", "caf?", 1 },
        { "emoji is one character", "a\xF0\x9F\x98\x80z", "a?z", 1 },
        { "broken sequence does not swallow the next character", "\xE3\x41", "?A", 1 },
        { "stray continuation bytes", "\x80\x80", "??", 2 },
        { "cut off at the end", "a\xE3\x81", "a?", 1 },
    };
    for (const auto& c : cases) {
        int replaced = 0;
        EXPECT_EQ(utf8ToCp932(c.utf8, &replaced), c.cp932) << c.what;
        EXPECT_EQ(replaced, c.replaced) << c.what;
    }
}
