#pragma once

#include <clocale>
#include <string>

namespace kovra::testsupport {

// Switches C's number functions to a locale whose decimal point is a comma, as the GUI's
// application object does for a German user, and back when it goes. `active()` is false
// when the machine has no such locale (scripts/setup generates de_DE.UTF-8).
class CommaLocale {
public:
    CommaLocale()
        : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8" }) {
            if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
                m_active = true;
                return;
            }
        }
        std::setlocale(LC_ALL, m_previous.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

} // namespace kovra::testsupport
