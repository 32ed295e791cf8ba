#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kovra {

// What every mail writer refuses before anything is sent, whatever its transport: each text
// travels as one value line of a settings message or one NUL-ended field of a stored record,
// so a line break or other control byte would end it early (or start a key of its own), and
// a text longer than the unit's field would be cut. User names and passwords must also
// survive the scrambled credential form, which carries only "!".."~".

// The texts of one dialog are checked in its order, each with its caption.
enum class MailTextKind {
    Plain,
    Credential, // a user name or password
};

// The first refusal of `text`: "<caption>に改行などの制御文字は使えません。",
// "<caption>は<maxBytes>バイト以内で入力してください。" or, for credentials,
// "<caption>は空白を含まない半角英数字・記号で入力してください。"; nothing when it may go out.
std::optional<std::string> mailTextRefusal(
    const std::string& caption, const std::string& text, size_t maxBytes, MailTextKind kind);

// The same refusals for the dialogs whose edit boxes limit characters rather than bytes (a
// double-byte character counts one): "<caption>に改行などの制御文字は使えません。" or
// "<caption>は<max>文字以内で入力してください。".
std::optional<std::string> sentTextRefusal(
    const std::string& caption, const std::string& cp932, size_t maxCharacters);

// A text holds full-width characters when any byte is a cp932 double-byte lead byte;
// half-width katakana are single bytes and pass.
bool hasFullWidth(const std::string& text);

// Characters as the edit boxes count them: a double-byte character is one.
size_t cp932CharacterCount(const std::string& cp932);

// A port box's text: empty reads as 0; anything but digits is no number. Values past 65535
// come back as 65536.
std::optional<int> portNumber(const std::string& text);

// Blanks (spaces and tabs) cut from both ends, as the mail dialogs read their edits.
std::string trimmedBlanks(const std::string& text);

} // namespace kovra
