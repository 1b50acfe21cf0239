// Delta T by the program's piecewise rule, and its notice.
#include "events/delta_t.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace orbitel;

struct CasDeltaT {
    std::int16_t annee;
    double secondes;
    const char* nombre; // as the notice writes it with a point
};

constexpr CasDeltaT table_delta_t[] = {
    {1990, 57, "57.00"},    {1999, 57, "57.00"},     {2000, 57, "57.00"},
    {2024, 90.36, "90.36"}, {2050, 126.5, "126.50"}, {2100, 196, "196.00"},
    {2101, 190, "190.00"},  {-500, 57, "57.00"},     {32767, 190, "190.00"},
};

std::string notice(std::int16_t annee, const std::string& nombre) {
    return "Les heures sont en temps universel, la différence avec le temps terrestre dynamique (TDT ou TT) "
           "est, "
           "en " +
           std::to_string(annee) + ", de " + nombre + " secondes.";
}

TEST(DeltaT, TableDesAnnees) {
    for (const CasDeltaT& c : table_delta_t) {
        const EstimationDeltaT d = calcule_delta_t(c.annee, '.');
        // The middle branch mixes single and double precision: exact to the float's resolution.
        EXPECT_NEAR(d.secondes, c.secondes, 1e-5) << c.annee;
        EXPECT_EQ(d.jours, static_cast<float>(d.secondes / 60 / 60 / 24)) << c.annee;
        EXPECT_EQ(d.notice, notice(c.annee, c.nombre));
    }
}

TEST(DeltaT, ContinueEn2000SautEn2101) {
    EXPECT_EQ(calcule_delta_t(1999, '.').secondes, calcule_delta_t(2000, '.').secondes);
    EXPECT_GT(calcule_delta_t(2100, '.').secondes, calcule_delta_t(2101, '.').secondes);
    // Increasing across the middle branch.
    for (std::int16_t a = 2000; a < 2100; ++a)
        EXPECT_LT(calcule_delta_t(a, '.').secondes,
                  calcule_delta_t(static_cast<std::int16_t>(a + 1), '.').secondes);
}

TEST(DeltaT, SimplePrecisionDuTerme102t) {
    // 94 + 102 t in single precision, then the double term: not the exact decimal 90.36.
    const EstimationDeltaT d = calcule_delta_t(2024, '.');
    const float t = 0.24f;
    EXPECT_EQ(d.secondes, static_cast<double>(94.0f + 102.0f * t) + 0.37 * -76);
    EXPECT_NE(d.secondes, 90.36);
}

TEST(DeltaT, NoticeDansLesDeuxMarques) {
    EXPECT_EQ(calcule_delta_t(2024, ',').notice, notice(2024, "90,36"));
    EXPECT_EQ(calcule_delta_t(2024, '.').notice, notice(2024, "90.36"));
    EXPECT_EQ(calcule_delta_t(2050, ',').notice, notice(2050, "126,50"));
    EXPECT_EQ(calcule_delta_t(1990, ',').notice, notice(1990, "57,00"));
    EXPECT_EQ(calcule_delta_t(-32767, ',').notice, notice(-32767, "57,00"));
}

} // namespace
