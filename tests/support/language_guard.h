#pragma once

// Sets the GUI's language for a test and puts Japanese, the default, back after it.

#include "gui/program_language.h"

#include <QCoreApplication>

namespace kovra::test_support {

class LanguageGuard {
public:
    explicit LanguageGuard(Language language) { applyProgramLanguage(language, localeDir()); }
    ~LanguageGuard() { applyProgramLanguage(Language::Japanese, localeDir()); }
    LanguageGuard(const LanguageGuard&) = delete;
    LanguageGuard& operator=(const LanguageGuard&) = delete;

private:
    // The catalogues of the build tree, found as the program finds them.
    static std::string localeDir()
    {
        return localeDirFor(QCoreApplication::applicationFilePath().toStdString());
    }
};

} // namespace kovra::test_support
