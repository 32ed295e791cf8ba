#include "core/alerts/mail_text_check.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kFirstCarried = 0x21; // "!": the scrambled form carries "!".."~"
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstNonAscii = 0x80;

constexpr const char* kControlByteRefusal = "に改行などの制御文字は使えません。";
constexpr const char* kTooLongRefusal = "バイト以内で入力してください。";
constexpr const char* kNotCarriedRefusal = "は空白を含まない半角英数字・記号で入力してください。";

bool isControlByte(unsigned char c)
{
    // cp932 trail bytes start at 40h, so a byte below 20h is never part of a character.
    return c < kFirstPrintable || c == kDelete;
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
        return caption + kControlByteRefusal;
    if (text.size() > maxBytes)
        return caption + "は" + std::to_string(maxBytes) + kTooLongRefusal;
    if (kind == MailTextKind::Credential
        && anyByte(text, [](unsigned char c) { return !isCarriedScrambled(c); }))
        return caption + kNotCarriedRefusal;
    return std::nullopt;
}

bool hasFullWidth(const std::string& text)
{
    return anyByte(
        text, [](unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); });
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
