#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kovra {

// A message composed at run time from a pattern and pieces: the pattern is a system text with
// numbered places "%1".."%9" ("%1は%2バイト以内で入力してください。"), each place taking the
// piece of its number. The pattern is translated as a whole, so the English may put the places
// in another order.
std::string composeText(const char* pattern, const std::vector<std::string>& pieces);

// The pieces `text` was composed of when it fits `pattern` (every piece non-empty), else
// nothing. The texts around the places are found leftmost first, which finds a fit whenever
// one exists, in time linear in the text's length.
std::optional<std::vector<std::string>> composedPieces(const char* pattern, const std::string& text);

} // namespace kovra
