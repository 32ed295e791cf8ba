#pragma once

#include <string>
#include <vector>

namespace kovra {

// The program's languages. The system's own texts are Japanese and stay the source texts in
// the code; English comes from the message catalogue "kovra" (gettext), built from
// po/en.po into <prefix>/share/locale/en/LC_MESSAGES/kovra.mo.
enum class Language { Japanese, English };

// The language to use: `option` ("en" or "ja", from --lang) when given, else English when the
// locale's language is English (the first set of LC_ALL, LC_MESSAGES, LANG starts with "en"),
// else Japanese, also under the C/POSIX locale. An unknown option is Japanese.
Language chooseLanguage(const std::string& option);

// The word after "--lang" (or of "--lang=WORD") among a program's arguments; empty when none.
// The programs read it before anything prints, ahead of their full option parsing.
std::string languageOptionIn(const std::vector<std::string>& arguments);

// Makes `language` the one systemText answers in, with the catalogues under `localeDir`
// (a folder holding en/LC_MESSAGES/kovra.mo). Call once at start, before any thread.
void useLanguage(Language language, const std::string& localeDir);

// The folder of the catalogues for a program at `executablePath`: <prefix>/share/locale for a
// program in <prefix>/bin, installed or in the build tree (which has the same layout).
std::string localeDirFor(const std::string& executablePath);

Language currentLanguage();

// A system text (UTF-8 source text) in the current language: the catalogue's English, or the
// text itself in Japanese or when the catalogue has no entry for it. The first form answers for
// fixed texts only; the second also for a message the core composed (composeText) from one of
// its patterns, translating the pattern and each piece.
const char* systemText(const char* source);
std::string systemText(const std::string& source);

} // namespace kovra
