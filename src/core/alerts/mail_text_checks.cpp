#include "core/alerts/mail_text_checks.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr long kPortLimit = 65536;

bool leadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace

bool hasFullWidth(const std::string& cp932)
{
    return std::any_of(
        cp932.begin(), cp932.end(), [](char c) { return leadByte(static_cast<unsigned char>(c)); });
}

bool hasControlByte(const std::string& cp932)
{
    // cp932 trail bytes start at 40h, so a byte below 20h is never part of a character.
    return std::any_of(cp932.begin(), cp932.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < kFirstPrintable || byte == kDelete;
    });
}

size_t cp932CharacterCount(const std::string& cp932)
{
    size_t count = 0;
    for (size_t i = 0; i < cp932.size(); ++i, ++count)
        if (leadByte(static_cast<unsigned char>(cp932[i])))
            ++i;
    return count;
}

std::optional<int> portNumber(const std::string& text)
{
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min(value * 10 + (c - '0'), kPortLimit);
    }
    return int(value);
}

std::optional<std::string> sentTextRefusal(
    const std::string& caption, const std::string& cp932, size_t maxCharacters)
{
    if (hasControlByte(cp932))
        return caption + "に改行などの制御文字は使えません。";
    if (cp932CharacterCount(cp932) > maxCharacters)
        return caption + "は" + std::to_string(maxCharacters) + "文字以内で入力してください。";
    return std::nullopt;
}

} // namespace kovra
