#include "core/platform/cp932_text.h"

#include <cerrno>
#include <iconv.h>

namespace kovra {

namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf8Replacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr const char* kCp932Replacement = "?";

// Bytes of a rejected UTF-8 character: its lead byte and the continuation bytes that
// follow it, at most as many as the lead byte announces, so a broken sequence never
// swallows the good character after it.
size_t utf8BadLength(const unsigned char* p, size_t left)
{
    const size_t announced = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC0 ? 2 : 1;
    size_t length = 1;
    while (length < announced && length < left && (p[length] & 0xC0) == 0x80)
        ++length;
    return length;
}

// One byte: a cp932 lead byte with a bad trail keeps the trail, which may be a character.
size_t cp932BadLength(const unsigned char*, size_t)
{
    return 1;
}

// Converts with iconv; on a sequence it rejects, appends `replacement` and skips the
// bytes `badLength` gives.
std::string convert(const char* to, const char* from, const std::string& input, const char* replacement,
    size_t (*badLength)(const unsigned char*, size_t), int* replaced)
{
    int count = 0;
    std::string output;
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter every byte would be a guess: say so through the count.
        if (replaced)
            *replaced = int(input.size());
        return output;
    }
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char chunk[1024];
    while (inLeft > 0) {
        char* out = chunk;
        size_t outLeft = sizeof chunk;
        const size_t done = ::iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(chunk, size_t(out - chunk));
        if (done != size_t(-1) || errno == E2BIG)
            continue;
        // EILSEQ (no such character) or EINVAL (cut off at the end).
        const size_t bad = badLength(reinterpret_cast<const unsigned char*>(in), inLeft);
        in += bad;
        inLeft -= bad;
        output += replacement;
        ++count;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    ::iconv_close(cd);
    if (replaced)
        *replaced = count;
    return output;
}

} // namespace

std::string cp932ToUtf8(const std::string& cp932, int* replaced)
{
    return convert(kUtf8, kCp932, cp932, kUtf8Replacement, cp932BadLength, replaced);
}

std::string utf8ToCp932(const std::string& utf8, int* replaced)
{
    return convert(kCp932, kUtf8, utf8, kCp932Replacement, utf8BadLength, replaced);
}

} // namespace kovra
