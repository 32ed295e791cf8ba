#pragma once

#include <string>

namespace kovra {

// The fixed shifts of the scrambled per-entry mail credentials. The units know the same two;
// changing either makes every unit read its mail account wrongly.
constexpr int kUserShift = 23;
constexpr int kPassShift = 58;

// Length of each random pad around a scrambled credential.
constexpr size_t kPadLength = 5;
// Longest scrambled (or unscrambled) credential.
constexpr size_t kCredentialMax = 64;

// Five random printable characters, "!" to "~", from the process-wide generator.
std::string RandomPad();

// Shifts every byte of text (at most its first 64) within the 94 printable characters "!".."~".
// The result ends at the first byte that is not one of them (a space, a control character or a
// byte of 128 and above): the rest of the text is not carried.
std::string ScrambleCredential(const std::string& text, int shift);
// The inverse: ScrambleCredential with the negated shift.
std::string UnscrambleCredential(const std::string& text, int shift);

// The value line of "E%dUSER"/"E%dPASS": front pad, scrambled text, back pad.
std::string scrambledValue(
    const std::string& clear, int shift, const std::string& frontPad, const std::string& backPad);
// The clear text of such a value: the first and last five characters dropped, then unscrambled.
// A value too short to hold both pads carries no credential: the result is empty.
std::string unscrambledValue(const std::string& value, int shift);

} // namespace kovra
