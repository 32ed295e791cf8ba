#include "core/alerts/numeric_entry_filter.h"

#include "core/alerts/number_text.h"

namespace kovra {

const char* const kNonNumericEntryMessage = "数字以外は入力できません";

namespace {

const char kNumericCharacters[] = "0123456789-.";

} // namespace

NumericEntry filterNumericEntry(const std::string& text)
{
    NumericEntry entry;
    const size_t end = text.find_first_not_of(kNumericCharacters);
    entry.rejected = end != std::string::npos;
    entry.accepted = entry.rejected ? text.substr(0, end) : text;
    entry.value = readLeadingNumber(entry.accepted);
    return entry;
}

} // namespace kovra
