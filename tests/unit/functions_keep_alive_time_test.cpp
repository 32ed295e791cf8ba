#include "core/functions/keep_alive_time_form.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

TEST(FunctionsKeepAliveTimeForm, SecondsMustFitTheUnitsByte)
{
    const char* const range = "Keepaliveは0-65の範囲で設定してください。";
    struct Case {
        const char* text;
        const char* failure; // nullptr: passes
    };
    const Case cases[] = {
        { "0", nullptr },
        { "", nullptr }, // an empty edit reads as 0
        { "65", nullptr },
        { "66", range },
        { "-1", range },
        { "255", range },
    };
    for (const auto& c : cases) {
        KeepAliveTimeForm form;
        ASSERT_EQ(form.setFieldText("keepalive", c.text), DialogForm::SetResult::Set);
        const auto failure = form.check();
        if (c.failure)
            EXPECT_EQ(failure, std::optional<std::string>(c.failure)) << c.text;
        else
            EXPECT_FALSE(failure) << c.text;
    }
}

TEST(FunctionsKeepAliveTimeForm, ShowsTheSecondsReadFromTheUnit)
{
    KeepAliveTimeForm form;
    form.setSeconds(30);
    ASSERT_EQ(form.fields().size(), 1u);
    EXPECT_EQ(form.fields()[0].name, "keepalive");
    EXPECT_EQ(form.fields()[0].get(), "30");
    EXPECT_EQ(form.templateId(), 140);
    EXPECT_EQ(form.dialogName(), "KeepAliveTimeDialog");
}

} // namespace
