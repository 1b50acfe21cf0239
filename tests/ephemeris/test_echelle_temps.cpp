#include "../events/references.hpp"
#include "ephemeris/moteur.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

using namespace orbitel;
using references::nombre;

// Driven by terrestrial time, the apparent longitude stays within 6" of JPL DE405 at 200 instants
// over 1960-2060 (the span Debian's DE405 covers). The reference is at TT, passed as the theories'
// time, so no Delta T enters.
TEST(EchelleTemps, LongitudeSuitDE405) {
    const auto lignes = references::lit_tsv("de405/longitude.tsv");
    ASSERT_EQ(lignes.size(), 200u);
    double pire = 0, carres = 0;
    for (const auto& l : lignes) {
        EtatLune e;
        evalue_ephemeride(e, nombre(l[0]));
        const double d = std::remainder(e.Lambda * Rad - nombre(l[1]), 360.0) * 3600;
        EXPECT_LT(std::fabs(d), 6.0) << l[0];
        pire = std::max(pire, std::fabs(d));
        carres += d * d;
    }
    std::cout << "longitude - DE405: " << pire << "\" au plus, " << std::sqrt(carres / 200)
              << "\" en moyenne quadratique\n";
}

// The time scale moves the theories' argument only: JJ stays in UT, and an offset of 0 is the
// default evaluation to the bit.
TEST(EchelleTemps, DecaleLesTheoriesSeulement) {
    for (const double jj : {2448724.5, 2415020.0, 2488069.75}) {
        EtatLune a, b, c, s;
        evalue_ephemeride(a, jj);
        evalue_ephemeride(b, jj, 0.0);
        EXPECT_EQ(a.Lambda, b.Lambda);
        EXPECT_EQ(a.Distance, b.Distance);
        EXPECT_EQ(a.Ascension, b.Ascension);
        const double dt = 69.2 / 86400;
        evalue_ephemeride(b, jj, dt);
        evalue_ephemeride(c, jj + dt);
        EXPECT_EQ(b.JJ, jj);
        EXPECT_EQ(b.T, c.T);
        EXPECT_EQ(b.Lambda, c.Lambda);
        EXPECT_EQ(b.Beta, c.Beta);
        EXPECT_EQ(b.Distance, c.Distance);
        evalue_soleil(s, jj, dt);
        EXPECT_EQ(s.JJ, jj);
        EXPECT_EQ(s.LongSoleil, c.LongSoleil);
        EXPECT_EQ(s.Eps, c.Eps);
    }
}
