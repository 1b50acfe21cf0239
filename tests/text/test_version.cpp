#include "text/version.hpp"

#include <gtest/gtest.h>

TEST(Version, CourteEtComplete) {
    EXPECT_EQ(orbitel::version_courte(), "1.0");
    EXPECT_EQ(orbitel::version_complete(), "1.0.0");
}
