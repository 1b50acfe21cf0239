#include "clock/nombres.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "locale_numerique.hpp"

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

TEST(ArrondiDecimal, MemesChiffresSousToutesLesLocales) {
    for (const char* locale : {"C", "fr_FR.UTF-8", "de_DE.UTF-8"}) {
        const essais::LocaleNumerique l(locale);
        ASSERT_TRUE(l.reglee());
        EXPECT_EQ(chiffres_arrondis(5.257, 2), "526") << locale;
        EXPECT_EQ(chiffres_arrondis(9.995, 2), "1000") << locale;
        EXPECT_EQ(chiffres_arrondis(86399.7, 0), "86400") << locale;
        EXPECT_EQ(chiffres_arrondis(1.5e-300, 2), "000") << locale;
        EXPECT_EQ(chiffres_arrondis(1.25e20, 1), "1250000000000000000000") << locale;
        EXPECT_EQ(chiffres_arrondis(0.000123456789012345678, 12), "0000123456789") << locale;
        EXPECT_EQ(arrondi_decimal(-5.12345, 4), -5.1235) << locale;
        EXPECT_EQ(arrondi_decimal(23.99914, 4), 23.9991) << locale;
    }
}

TEST(LitDecimal, FormeCEntiereSousToutesLesLocales) {
    struct Cas {
        std::string texte;
        std::optional<double> valeur;
    };
    const std::string zeros(400, '0');
    const Cas cas[] = {
        {"12.5", 12.5},
        {"+7", 7.0},
        {"-0.25e1", -2.5},
        {".5", 0.5},
        {"5.", 5.0},
        {"1E+2", 100.0},
        {"4e-320", 4e-320}, // subnormal, held
        {"0.0001e312", 1e308},
        {"0." + zeros + "1e500", 1e99},
        // Beyond the largest double: not held; below the smallest: zero.
        {"1e999", std::nullopt},
        {"-1e999", std::nullopt},
        {"0.001e312", std::nullopt},
        {std::string(400, '9'), std::nullopt},
        {"0.0000000001e999", std::nullopt},
        {"1e-999", 0.0},
        {"123e-999", 0.0},
        {"0." + zeros + "1e5", 0.0},
        {"9" + zeros + "e-999", 0.0},
        // Not a number in the C form.
        {"12,5", std::nullopt},
        {"", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x1p3", std::nullopt},
        {"1e", std::nullopt},
        {".", std::nullopt},
        {"+-1", std::nullopt},
        {"1D2", std::nullopt},
    };
    for (const char* locale : {"C", "fr_FR.UTF-8", "de_DE.UTF-8"}) {
        const essais::LocaleNumerique l(locale);
        ASSERT_TRUE(l.reglee());
        for (const Cas& c : cas)
            EXPECT_EQ(lit_decimal(c.texte), c.valeur) << locale << " \"" << c.texte << '"';
        EXPECT_TRUE(std::signbit(lit_decimal("-1e-999").value())) << locale;
    }
}
