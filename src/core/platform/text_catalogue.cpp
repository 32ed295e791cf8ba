#include "core/platform/text_catalogue.h"

#include "core/app/composed_texts.h"
#include "core/platform/composed_text.h"

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <libintl.h>

namespace kovra {

namespace {

constexpr char kDomain[] = "kovra";
// A composed message's pieces may be composed themselves (a refusal naming a DI's field); no
// message of the core nests deeper.
constexpr int kComposedDepth = 2;
std::atomic<Language> g_language { Language::Japanese };

std::string localeLanguageVariable()
{
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

} // namespace

std::string languageOptionIn(const std::vector<std::string>& arguments)
{
    const std::string option = "--lang";
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arguments[i].compare(0, option.size() + 1, option + "=") == 0)
            return arguments[i].substr(option.size() + 1);
    }
    return {};
}

Language chooseLanguage(const std::string& option)
{
    if (!option.empty())
        return option == "en" ? Language::English : Language::Japanese;
    const std::string locale = localeLanguageVariable();
    const bool english
        = locale.compare(0, 2, "en") == 0 && (locale.size() == 2 || locale[2] == '_' || locale[2] == '.');
    return english ? Language::English : Language::Japanese;
}

void useLanguage(Language language, const std::string& localeDir)
{
    g_language = language;
    if (language != Language::English)
        return;
    // gettext picks the catalogue by LANGUAGE unless the messages locale is plain C, so English
    // needs no English locale installed: C.UTF-8 serves when the environment's locale does not.
    setenv("LANGUAGE", "en", 1);
    const char* messages = std::setlocale(LC_MESSAGES, "");
    if (!messages || std::string(messages) == "C" || std::string(messages) == "POSIX")
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    bindtextdomain(kDomain, localeDir.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
}

std::string localeDirFor(const std::string& executablePath)
{
    const size_t slash = executablePath.rfind('/');
    const std::string bin = slash == std::string::npos ? std::string(".") : executablePath.substr(0, slash);
    return bin + "/../share/locale";
}

Language currentLanguage()
{
    return g_language;
}

const char* systemText(const char* source)
{
    if (g_language != Language::English || !source || !*source)
        return source;
    return dgettext(kDomain, source);
}

namespace {

// The catalogue's entry for `source`, else, for a message the core composed, the translated
// pattern with each piece translated in turn.
std::string translated(const std::string& source, int depth)
{
    const char* entry = systemText(source.c_str());
    if (entry != source.c_str() || g_language != Language::English || depth == 0)
        return entry;
    for (const char* pattern : texts::kComposedPatterns) {
        if (auto pieces = composedPieces(pattern, source)) {
            for (std::string& piece : *pieces)
                piece = translated(piece, depth - 1);
            return composeText(systemText(pattern), *pieces);
        }
    }
    return source;
}

} // namespace

std::string systemText(const std::string& source)
{
    return translated(source, kComposedDepth);
}

} // namespace kovra
