#include "core/alerts/number_text.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace kovra {

namespace {

// Switches the calling thread to the "C" locale for as long as it lives.
class ClassicLocaleScope {
public:
    ClassicLocaleScope()
        : m_previous(uselocale(classicLocale()))
    {
    }
    ~ClassicLocaleScope() { uselocale(m_previous); }
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

private:
    static locale_t classicLocale()
    {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
        return locale;
    }

    locale_t m_previous;
};

} // namespace

std::string formatFixed(double value, int width, int precision, bool showSign)
{
    ClassicLocaleScope scope;
    const char* format = showSign ? "%+*.*f" : "%*.*f";
    const int length = std::snprintf(nullptr, 0, format, width, precision, value);
    if (length <= 0)
        return std::string();
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, width, precision, value);
    text.resize(size_t(length));
    return text;
}

double readLeadingNumber(const std::string& text)
{
    ClassicLocaleScope scope;
    return std::strtod(text.c_str(), nullptr);
}

} // namespace kovra
