#pragma once

// Sets the core's language for a test, with the catalogues of the build tree found as the
// programs find them, and puts Japanese, the default, back after it.

#include "core/platform/text_catalogue.h"

#include <climits>
#include <string>
#include <unistd.h>

namespace kovra::test_support {

class SystemLanguage {
public:
    explicit SystemLanguage(Language language) { useLanguage(language, localeDir()); }
    ~SystemLanguage() { useLanguage(Language::Japanese, localeDir()); }
    SystemLanguage(const SystemLanguage&) = delete;
    SystemLanguage& operator=(const SystemLanguage&) = delete;

private:
    static std::string localeDir()
    {
        char path[PATH_MAX] = {};
        const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
        return localeDirFor(length > 0 ? std::string(path, size_t(length)) : std::string());
    }
};

} // namespace kovra::test_support
