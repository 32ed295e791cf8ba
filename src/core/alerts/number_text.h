#pragma once

#include <string>

namespace kovra {

// Decimal text of the analog dialogs, always with "." as the decimal point. The GUI's
// application object adopts the user's locale for C's number functions, and a German
// locale would otherwise print "1,000000" and read "1.5" as 1.

// printf's "%<width>.<precision>f", with "%+..." when showSign is set.
std::string formatFixed(double value, int width, int precision, bool showSign = false);

// The number at the start of text by strtod's rules (leading blanks, sign, decimal or
// exponent form, "inf", "nan"); 0 when nothing there reads as a number. Values too large
// for a double come back as ±infinity.
double readLeadingNumber(const std::string& text);

} // namespace kovra
