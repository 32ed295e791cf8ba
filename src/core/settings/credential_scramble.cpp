#include "core/settings/credential_scramble.h"

#include <mutex>
#include <random>

namespace kovra {

namespace {

constexpr int kFirstPrintable = 33; // "!"
constexpr int kPrintableCount = 94; // "!" to "~"
constexpr int kDelete = 127;

bool carried(unsigned char c)
{
    return c >= kFirstPrintable && c != kDelete && c < 0x80;
}

std::string shifted(const std::string& text, int shift)
{
    std::string out;
    for (size_t i = 0; i < text.size() && i < kCredentialMax; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!carried(c))
            break; // the unit's buffer holds a zero here: the text ends
        const int moved
            = ((c - kFirstPrintable + shift) % kPrintableCount + kPrintableCount) % kPrintableCount;
        out += char(moved + kFirstPrintable);
    }
    return out;
}

} // namespace

std::string RandomPad()
{
    static std::mutex mutex;
    static std::mt19937 generator { std::random_device {}() };
    std::lock_guard<std::mutex> lock(mutex);
    std::uniform_int_distribution<int> printable(0, kPrintableCount - 1);
    std::string pad;
    for (size_t i = 0; i < kPadLength; ++i)
        pad += char(kFirstPrintable + printable(generator));
    return pad;
}

std::string ScrambleCredential(const std::string& text, int shift)
{
    return shifted(text, shift);
}

std::string UnscrambleCredential(const std::string& text, int shift)
{
    return shifted(text, -shift);
}

std::string scrambledValue(
    const std::string& clear, int shift, const std::string& frontPad, const std::string& backPad)
{
    return frontPad + ScrambleCredential(clear, shift) + backPad;
}

std::string unscrambledValue(const std::string& value, int shift)
{
    if (value.size() < 2 * kPadLength)
        return {};
    return UnscrambleCredential(value.substr(kPadLength, value.size() - 2 * kPadLength), shift);
}

} // namespace kovra
