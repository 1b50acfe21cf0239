#include "events/lever_coucher.hpp"
#include "events/passage.hpp"
#include "references.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

using namespace orbitel;
using references::nombre;

namespace {

constexpr double Minute = 1.0 / 1440;

Observateur lieu(double lat, double lon_est) {
    return {static_cast<float>(lat), static_cast<float>(-lon_est)};
}

} // namespace

// Transits from astronomy-engine at five sites, 1900-2100: instant within a minute, altitude within
// 0.05 degree, and the days without one, in both time scales.
TEST(Passage, SuitAstronomyEngine) {
    const auto lignes = references::lit_tsv("astronomy-engine/passages.tsv");
    ASSERT_EQ(lignes.size(), 200u);
    for (const EchelleTemps echelle : {EchelleTemps::terrestre, EchelleTemps::universel}) {
        double ecart_t = 0, ecart_h = 0;
        int sans = 0;
        for (const auto& l : lignes) {
            SCOPED_TRACE(l[0] + " " + l[3]);
            EtatLune e;
            const auto p = passage_meridien(e, nombre(l[3]), lieu(nombre(l[1]), nombre(l[2])), echelle);
            if (l[4] == "-") {
                EXPECT_FALSE(p.has_value());
                ++sans;
                continue;
            }
            ASSERT_TRUE(p.has_value());
            ecart_t = std::max(ecart_t, std::fabs(p->jj - nombre(l[4])));
            ecart_h = std::max(ecart_h, std::fabs(p->hauteur - nombre(l[5])));
            EXPECT_NEAR(p->jj, nombre(l[4]), Minute);
            EXPECT_NEAR(p->hauteur, nombre(l[5]), 0.05);
        }
        EXPECT_GT(sans, 0);
        std::cout << "passage (" << (echelle == EchelleTemps::terrestre ? "TT" : "TU")
                  << "): " << ecart_t * 86400 << " s, " << ecart_h << " deg au plus\n";
    }
}

// Where the Moon is up at its transit, the last rise before it and the first set after it lie on
// either side, each within 13 hours; the day's azimuth is south or north of the zenith.
TEST(Passage, EntreLeverEtCoucher) {
    const Observateur lieux[] = {lieu(48.8667, 2.3333), lieu(-0.2167, -78.5167), lieu(-33.8667, 151.2),
                                 lieu(59.9167, 10.75)};
    int verifies = 0;
    for (const Observateur& o : lieux) {
        for (int j = 0; j < 60; ++j) {
            const double jj0 = 2451544.5 + 7.3 * j;
            EtatLune e;
            const auto p = passage_meridien(e, jj0, o);
            if (!p) continue;
            EXPECT_TRUE(std::fabs(p->azimut - 180) < 1 || p->azimut < 1 || p->azimut > 359) << p->azimut;
            if (p->hauteur <= HauteurLever) continue;
            double lever = -1e9, coucher = 1e9;
            for (int d = -1; d <= 1; ++d) {
                const LeverCoucher r = lever_coucher_jour(e, jj0 + d, o);
                // Each day's first rise and set; with the day before and after they cover the 13 hours.
                if (r.lever.trouve && r.lever.jj < p->jj) lever = std::max(lever, r.lever.jj);
                if (r.coucher.trouve && r.coucher.jj > p->jj) coucher = std::min(coucher, r.coucher.jj);
            }
            EXPECT_LT(p->jj - lever, 13.0 / 24) << jj0;
            EXPECT_LT(coucher - p->jj, 13.0 / 24) << jj0;
            ++verifies;
        }
    }
    EXPECT_GT(verifies, 100);
}

TEST(Passage, EntreeSansPassage) {
    EtatLune e;
    const Observateur paris = lieu(48.8667, 2.3333);
    for (const double jj0 : {std::nan(""), HUGE_VAL, 1e300})
        EXPECT_FALSE(passage_meridien(e, jj0, paris).has_value());
}
