#include "core/alerts/mail_text_check.h"

#include "core/app/composed_texts.h"
#include "core/platform/composed_text.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kFirstCarried = 0x21; // "!": the scrambled form carries "!".."~"
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstNonAscii = 0x80;
constexpr long kPortLimit = 65536;

bool isControlByte(unsigned char c)
{
    // cp932 trail bytes start at 40h, so a byte below 20h is never part of a character.
    return c < kFirstPrintable || c == kDelete;
}

bool isLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isCarriedScrambled(unsigned char c)
{
    return c >= kFirstCarried && c != kDelete && c < kFirstNonAscii;
}

template <typename Test> bool anyByte(const std::string& text, Test test)
{
    return std::any_of(
        text.begin(), text.end(), [&test](char c) { return test(static_cast<unsigned char>(c)); });
}

} // namespace

std::optional<std::string> mailTextRefusal(
    const std::string& caption, const std::string& text, size_t maxBytes, MailTextKind kind)
{
    if (anyByte(text, isControlByte))
        return composeText(texts::kControlByteRefusal, { caption });
    if (text.size() > maxBytes)
        return composeText(texts::kTooManyBytesRefusal, { caption, std::to_string(maxBytes) });
    if (kind == MailTextKind::Credential
        && anyByte(text, [](unsigned char c) { return !isCarriedScrambled(c); }))
        return composeText(texts::kNotCarriedRefusal, { caption });
    return std::nullopt;
}

std::optional<std::string> sentTextRefusal(
    const std::string& caption, const std::string& cp932, size_t maxCharacters)
{
    if (anyByte(cp932, isControlByte))
        return composeText(texts::kControlByteRefusal, { caption });
    if (cp932CharacterCount(cp932) > maxCharacters)
        return composeText(texts::kTooManyCharactersRefusal, { caption, std::to_string(maxCharacters) });
    return std::nullopt;
}

bool hasFullWidth(const std::string& text)
{
    return anyByte(text, isLeadByte);
}

size_t cp932CharacterCount(const std::string& cp932)
{
    size_t count = 0;
    for (size_t i = 0; i < cp932.size(); ++i, ++count)
        if (isLeadByte(static_cast<unsigned char>(cp932[i])))
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

std::string trimmedBlanks(const std::string& text)
{
    constexpr const char* kBlanks = " \t";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace kovra
