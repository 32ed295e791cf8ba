// Unit text in code page 932 turned into UTF-8 for display, and UTF-8 entries turned into
// code page 932 for sending: any bytes either way give valid text of the other side.
#include "core/platform/cp932_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool validUtf8(const std::string& text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6          ? 2
            : (lead >> 4) == 0xE          ? 3
            : (lead >> 3) == 0x1E         ? 4
                                          : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    int replaced = -1;
    const std::string shown = kovra::cp932ToUtf8(bytes, &replaced);
    if (!validUtf8(shown) || replaced < 0 || size_t(replaced) > size)
        std::abort();
    // No UTF-8 character is shorter in code page 932, nor is a replaced sequence.
    if (kovra::utf8ToCp932(bytes, &replaced).size() > size || size_t(replaced) > size)
        std::abort();
    return 0;
}
