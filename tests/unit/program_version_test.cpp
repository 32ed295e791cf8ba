#include "core/platform/program_version.h"

#include <gtest/gtest.h>

TEST(ProgramVersion, ComesFromTheBuild)
{
    const auto v = kovra::programVersion();
    EXPECT_GE(v.major, 1);
}
