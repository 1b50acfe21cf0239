#include "clock/nombres.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace orbitel;

// The narrowing is the hardware's rounding inside the float range and at its edge, and infinity
// beyond, never undefined: a typed 1E300 second is an infinite second, as it always showed.
TEST(EnSimple, ArrondiEtDebordement) {
    EXPECT_EQ(en_simple(12.3), 12.3f);
    EXPECT_EQ(en_simple(-0.1), -0.1f);
    EXPECT_TRUE(std::signbit(en_simple(-0.0)));
    EXPECT_EQ(en_simple(FLT_MAX), FLT_MAX);
    EXPECT_EQ(en_simple(0x1.fffffefffffffp127), FLT_MAX); // just below the halfway point
    EXPECT_EQ(en_simple(-0x1.fffffefffffffp127), -FLT_MAX);
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(en_simple(0x1.ffffffp127), inf); // halfway: to even, which is the infinity
    EXPECT_EQ(en_simple(1e300), inf);
    EXPECT_EQ(en_simple(-1e300), -inf);
    EXPECT_EQ(en_simple(std::numeric_limits<double>::infinity()), inf);
    EXPECT_TRUE(std::isnan(en_simple(std::nan(""))));
    EXPECT_EQ(en_simple(1e-50), 0.0f);
}

TEST(ArrondiDecimal, QuinzeChiffresPuisMoitieLoinDeZero) {
    EXPECT_EQ(chiffres_arrondis(5.257, 2), "526");
    EXPECT_EQ(chiffres_arrondis(0.004, 2), "000");
    EXPECT_EQ(chiffres_arrondis(9.995, 2),
              "1000"); // 9.995 is 9.99499999999999957 in binary, 9.99500000000000 at 15 digits
    EXPECT_EQ(arrondi_decimal(1.00005, 4), 1.0001);
    EXPECT_EQ(arrondi_decimal(-5.12345, 4), -5.1235);
    EXPECT_FALSE(std::signbit(arrondi_decimal(-0.00004, 4)));
    EXPECT_TRUE(std::isinf(arrondi_decimal(-HUGE_VAL, 4)));
}
