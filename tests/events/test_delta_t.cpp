// Delta T by the program's piecewise rule.
#include "events/delta_t.hpp"

#include <gtest/gtest.h>

namespace {

using namespace orbitel;

struct CasDeltaT {
    std::int16_t annee;
    double secondes;
};

constexpr CasDeltaT table_delta_t[] = {
    {1990, 57},  {1999, 57},  {2000, 57}, {2024, 90.36}, {2050, 126.5},
    {2100, 196}, {2101, 190}, {-500, 57}, {32767, 190},
};

TEST(DeltaT, TableDesAnnees) {
    for (const CasDeltaT& c : table_delta_t) {
        const EstimationDeltaT d = calcule_delta_t(c.annee);
        // The middle branch mixes single and double precision: exact to the float's resolution.
        EXPECT_NEAR(d.secondes, c.secondes, 1e-5) << c.annee;
        EXPECT_EQ(d.jours, static_cast<float>(d.secondes / 60 / 60 / 24)) << c.annee;
    }
}

TEST(DeltaT, ContinueEn2000SautEn2101) {
    EXPECT_EQ(calcule_delta_t(1999).secondes, calcule_delta_t(2000).secondes);
    EXPECT_GT(calcule_delta_t(2100).secondes, calcule_delta_t(2101).secondes);
    // Increasing across the middle branch.
    for (std::int16_t a = 2000; a < 2100; ++a)
        EXPECT_LT(calcule_delta_t(a).secondes, calcule_delta_t(static_cast<std::int16_t>(a + 1)).secondes);
}

TEST(DeltaT, SimplePrecisionDuTerme102t) {
    // 94 + 102 t in single precision, then the double term: not the exact decimal 90.36.
    const EstimationDeltaT d = calcule_delta_t(2024);
    const float t = 0.24f;
    EXPECT_EQ(d.secondes, static_cast<double>(94.0f + 102.0f * t) + 0.37 * -76);
    EXPECT_NE(d.secondes, 90.36);
}

} // namespace
