#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kovra {

// Checks of the texts of the analog units' mail dialogs, on their cp932 bytes.

// Any byte is a double-byte lead byte; half-width katakana are single bytes and pass.
bool hasFullWidth(const std::string& cp932);
// A byte below 20h or 7Fh: such a byte would end or break the value's line of the message.
bool hasControlByte(const std::string& cp932);
// Characters as the edit boxes count them: a double-byte character is one.
size_t cp932CharacterCount(const std::string& cp932);
// A port box's text: empty reads as 0; anything but digits is no number. Values past 65535
// come back as 65536.
std::optional<int> portNumber(const std::string& text);

// The refusal of a value that would break the settings message or not fit the unit's field:
// "<caption>に改行などの制御文字は使えません。" or "<caption>は<max>文字以内で入力してください。";
// nothing when the text can go.
std::optional<std::string> sentTextRefusal(
    const std::string& caption, const std::string& cp932, size_t maxCharacters);

} // namespace kovra
