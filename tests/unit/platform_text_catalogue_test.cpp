// The program's language: --lang first, then the locale's language; Japanese otherwise.
#include "core/platform/text_catalogue.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace kovra;

namespace {

// Sets the locale variables for one case and restores them after it.
class LocaleVariables {
public:
    LocaleVariables(const char* all, const char* messages, const char* lang)
    {
        for (const char* name : kNames)
            m_saved.push_back(
                std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
        set("LC_ALL", all);
        set("LC_MESSAGES", messages);
        set("LANG", lang);
    }
    ~LocaleVariables()
    {
        for (size_t i = 0; i < 3; ++i)
            set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
    }

private:
    static void set(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    static constexpr const char* kNames[3] = { "LC_ALL", "LC_MESSAGES", "LANG" };
    std::vector<std::optional<std::string>> m_saved;
};

struct LanguageCase {
    const char* option;
    const char* all;
    const char* messages;
    const char* lang;
    Language expected;
};

class LanguageChoice : public testing::TestWithParam<LanguageCase> { };

} // namespace

TEST_P(LanguageChoice, OptionThenLocaleThenJapanese)
{
    const LanguageCase& c = GetParam();
    LocaleVariables locale(c.all, c.messages, c.lang);
    EXPECT_EQ(chooseLanguage(c.option), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageChoice,
    testing::Values(LanguageCase { "", nullptr, nullptr, nullptr, Language::Japanese },
        LanguageCase { "", nullptr, nullptr, "C", Language::Japanese },
        LanguageCase { "", nullptr, nullptr, "POSIX", Language::Japanese },
        LanguageCase { "", nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese },
        LanguageCase { "", nullptr, nullptr, "en_US.UTF-8", Language::English },
        LanguageCase { "", nullptr, nullptr, "en", Language::English },
        LanguageCase { "", nullptr, nullptr, "eng_XX", Language::Japanese },
        // The first set variable decides, as the C library reads them.
        LanguageCase { "", "ja_JP.UTF-8", "en_GB.UTF-8", "en_US.UTF-8", Language::Japanese },
        LanguageCase { "", "", "en_GB.UTF-8", "ja_JP.UTF-8", Language::English },
        LanguageCase { "en", nullptr, nullptr, "C", Language::English },
        LanguageCase { "ja", nullptr, nullptr, "en_US.UTF-8", Language::Japanese }));

TEST(LanguageOption, FoundAsSeparateWordOrWithEquals)
{
    EXPECT_EQ(languageOptionIn({ "search", "--lang", "en" }), "en");
    EXPECT_EQ(languageOptionIn({ "--lang=ja", "search" }), "ja");
    EXPECT_EQ(languageOptionIn({ "search", "--lang" }), "");
    EXPECT_EQ(languageOptionIn({ "search", "--language", "en" }), "");
    EXPECT_EQ(languageOptionIn({}), "");
}
