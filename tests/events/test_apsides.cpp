#include "events/apsides.hpp"
#include "references.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

using namespace orbitel;
using references::nombre;

// Apsides from astronomy-engine, 1900-2100: each found with its type within 10 minutes and 20 km.
TEST(Apsides, SuiventAstronomyEngine) {
    const auto lignes = references::lit_tsv("astronomy-engine/apsides.tsv");
    ASSERT_EQ(lignes.size(), 100u);
    for (const EchelleTemps echelle : {EchelleTemps::terrestre, EchelleTemps::universel}) {
        double ecart_t = 0, ecart_d = 0;
        for (const auto& l : lignes) {
            SCOPED_TRACE(l[0] + " " + l[1]);
            const double jj = nombre(l[1]);
            EtatLune e;
            const auto trouvees = apsides_entre(e, jj - 2, jj + 2, echelle);
            ASSERT_EQ(trouvees.size(), 1u);
            EXPECT_EQ(trouvees[0].type, l[0] == "perigee" ? TypeApside::perigee : TypeApside::apogee);
            EXPECT_NEAR(trouvees[0].jj, jj, 10.0 / 1440);
            EXPECT_NEAR(trouvees[0].distance_km, nombre(l[2]), 20);
            ecart_t = std::max(ecart_t, std::fabs(trouvees[0].jj - jj));
            ecart_d = std::max(ecart_d, std::fabs(trouvees[0].distance_km - nombre(l[2])));
        }
        std::cout << "apsides (" << (echelle == EchelleTemps::terrestre ? "TT" : "TU")
                  << "): " << ecart_t * 1440 << " min, " << ecart_d << " km au plus\n";
    }
}

// A year holds 26 or 27 apsides, alternating, about 13.8 days apart on average; the next perigee
// after one is the following perigee.
TEST(Apsides, AlternentSurUneAnnee) {
    EtatLune e;
    const auto a = apsides_entre(e, 2451544.5, 2451544.5 + 365.25);
    ASSERT_GE(a.size(), 26u);
    ASSERT_LE(a.size(), 27u);
    for (std::size_t i = 1; i < a.size(); ++i) {
        EXPECT_NE(a[i].type, a[i - 1].type);
        EXPECT_GT(a[i].jj - a[i - 1].jj, 9.0);
        EXPECT_LT(a[i].jj - a[i - 1].jj, 19.0);
        if (a[i].type == TypeApside::perigee) {
            EXPECT_LT(a[i].distance_km, 371000);
        } else {
            EXPECT_GT(a[i].distance_km, 403500);
        }
    }
    const auto suivante = apside_suivante(e, a[0].jj + 0.01, a[0].type);
    ASSERT_TRUE(suivante.has_value());
    EXPECT_NEAR(suivante->jj, a[2].jj, 1e-6);
}

TEST(Apsides, IntervallesVidesOuInvalides) {
    EtatLune e;
    EXPECT_TRUE(apsides_entre(e, 2451544.5, 2451544.5).empty());
    EXPECT_TRUE(apsides_entre(e, 2451545, 2451544).empty());
    EXPECT_TRUE(apsides_entre(e, std::nan(""), 2451544).empty());
    EXPECT_TRUE(apsides_entre(e, 2451544.5, 2451544.5 + 40000).empty());
    EXPECT_FALSE(apside_suivante(e, INFINITY, TypeApside::apogee).has_value());
}
