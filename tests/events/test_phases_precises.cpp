#include "events/delta_t.hpp"
#include "events/phases.hpp"
#include "events/phases_precises.hpp"
#include "references.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>

using namespace orbitel;
using references::nombre;

// Principal phases from astronomy-engine, 1900-2100, within a minute with the precise Delta T.
TEST(PhasesPrecises, SuiventAstronomyEngine) {
    const auto lignes = references::lit_tsv("astronomy-engine/phases.tsv");
    ASSERT_EQ(lignes.size(), 200u);
    double pire = 0;
    for (const auto& l : lignes) {
        const double jj = nombre(l[1]);
        const auto trouvees = phases_precises_entre(jj - 1, jj + 1);
        ASSERT_EQ(trouvees.size(), 1u) << l[1];
        EXPECT_EQ(trouvees[0].indice, static_cast<std::int16_t>(nombre(l[0])));
        EXPECT_NEAR(trouvees[0].jj, jj, 1.0 / 1440) << l[1];
        pire = std::max(pire, std::fabs(trouvees[0].jj - jj));
    }
    std::cout << "phases précises: " << pire * 86400 << " s au plus\n";
}

// Principal phases from JPL DE405 (apparent longitudes of the Moon and the Sun, as the USNO
// computes its tables), 1960-2023, in UT with the observed Delta T: within a minute of the instant
// to the second with the precise Delta T. The default scale (the year's Delta T) is only reported.
TEST(PhasesPrecises, SuiventDe405) {
    const auto lignes = references::lit_tsv("de405/phases.tsv");
    ASSERT_EQ(lignes.size(), 196u);
    double pire = 0, pire_defaut = 0;
    int meme_minute = 0;
    for (const auto& l : lignes) {
        const double jj = nombre(l[2]);
        const auto trouvees = phases_precises_entre(jj - 1, jj + 1);
        ASSERT_EQ(trouvees.size(), 1u) << l[4];
        EXPECT_EQ(trouvees[0].indice, static_cast<std::int16_t>(nombre(l[0]))) << l[4];
        EXPECT_NEAR(trouvees[0].jj, jj, 1.0 / 1440) << l[4];
        pire = std::max(pire, std::fabs(trouvees[0].jj - jj));
        if (std::round(trouvees[0].jj * 1440) == std::round(nombre(l[3]) * 1440)) ++meme_minute;
        const auto annee = static_cast<std::int16_t>(nombre(l[4].substr(0, 4)));
        const auto defaut = phases_entre(jj - 1, jj + 1, calcule_delta_t(annee).jours);
        ASSERT_EQ(defaut.size(), 1u) << l[4];
        pire_defaut = std::max(pire_defaut, std::fabs(defaut[0].jj - jj));
    }
    std::cout << "DE405: phases précises " << pire * 86400 << " s au plus, par défaut " << pire_defaut * 86400
              << " s; la même minute " << meme_minute << " fois sur " << lignes.size() << "\n";
}

// The k-based phase is the panel's phase: jj_phase of a date is jde_phase of its lunation less
// Delta T, to the bit; an index out of range is refused.
TEST(PhasesPrecises, LunaisonDonnee) {
    PhaseLune a, b;
    const DateHeure mars2024 = DateHeure::depuis_calendrier(2024, 3, 1);
    for (std::int16_t i = 0; i <= 4; ++i)
        EXPECT_EQ(jj_phase(a, i, mars2024, 0.001f),
                  jde_phase(b, i, numero_lunaison(mars2024)) - double{0.001f});
    EXPECT_THROW(jde_phase(a, 5, 0), std::invalid_argument);
    EXPECT_THROW(jj_phase_precise(a, -1, 0.0f), std::invalid_argument);
    EXPECT_TRUE(phases_precises_entre(2451545, 2451545).empty());
    EXPECT_TRUE(phases_precises_entre(std::nan(""), 2451545).empty());
}

// Brown's lunation 1 began on 17 January 1923 at 02:41 UT; the age grows from 0 at each new moon
// and the latest new moon at or before the instant is taken, in both time scales.
TEST(PhasesPrecises, AgeEtLunaisonDeBrown) {
    const double brown1 = 2423436.5 + (2 * 60 + 41) / 1440.0;
    for (const EchelleTemps echelle : {EchelleTemps::universel, EchelleTemps::terrestre}) {
        const auto age = age_lune(brown1 + 1.0 / 24, echelle);
        ASSERT_TRUE(age.has_value());
        EXPECT_EQ(age->lunaison_brown, 1);
        EXPECT_EQ(age->lunaison, -952);
        EXPECT_NEAR(age->jj_nouvelle_lune, brown1, 2.0 / 1440);
        EXPECT_NEAR(age->jours, 1.0 / 24, 2.0 / 1440);
        const auto avant = age_lune(brown1 - 1.0 / 24, echelle);
        ASSERT_TRUE(avant.has_value());
        EXPECT_EQ(avant->lunaison_brown, 0);
        EXPECT_GT(avant->jours, 29.0);
        EXPECT_LT(avant->jours, 30.0);
    }
    // 6 January 2000 (k = 0, Brown 953) and the whole lunation after it.
    PhaseLune p;
    const double nl0 = nouvelle_lune(p, 0, EchelleTemps::terrestre);
    for (double jours = 0; jours < 29.5; jours += 0.5) {
        const auto age = age_lune(nl0 + jours, EchelleTemps::terrestre);
        ASSERT_TRUE(age.has_value());
        EXPECT_EQ(age->lunaison_brown, 953);
        EXPECT_NEAR(age->jours, jours, 1e-9);
    }
    EXPECT_FALSE(age_lune(std::nan("")).has_value());
    EXPECT_FALSE(age_lune(1e12).has_value());
}
