#include "events/soleil.hpp"
#include "references.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

using namespace orbitel;
using references::nombre;

// 100 days at five sites from astronomy-engine: sunrise, sunset and the twilights within a minute,
// leaving out those whose threshold the day's extreme comes within 1 degree of; the Sun's altitude
// and azimuth at 0 h within 0.05 degree.
TEST(Soleil, SuitAstronomyEngine) {
    const auto lignes = references::lit_tsv("astronomy-engine/soleil.tsv");
    ASSERT_EQ(lignes.size(), 100u);
    double pire_t = 0, pire_h = 0;
    int evenements = 0, sans = 0;
    for (const auto& l : lignes) {
        SCOPED_TRACE(l[0] + " " + l[3]);
        const Observateur o{static_cast<float>(nombre(l[1])), static_cast<float>(-nombre(l[2]))};
        const double jj0 = nombre(l[3]);
        EtatLune e;
        const PositionSoleil p = position_soleil(e, jj0, o, EchelleTemps::terrestre);
        EXPECT_NEAR(p.hauteur, nombre(l[4]), 0.05);
        EXPECT_NEAR(std::remainder(p.azimut - nombre(l[5]), 360.0), 0,
                    0.05 / std::cos(p.hauteur * M_PI / 180));
        pire_h = std::max(pire_h, std::fabs(p.hauteur - nombre(l[4])));
        const JourSoleil jour = jour_soleil(e, jj0, o, EchelleTemps::terrestre);
        for (std::size_t s = 0; s < 4; ++s) {
            const std::string& montee = l[6 + 2 * s];
            const std::string& descente = l[7 + 2 * s];
            const std::optional<double> calcule[2] = {jour.seuils[s].montee, jour.seuils[s].descente};
            const std::string* attendu[2] = {&montee, &descente};
            for (int k = 0; k < 2; ++k) {
                if (*attendu[k] == "rase") continue;
                if (*attendu[k] == "-") {
                    EXPECT_FALSE(calcule[k].has_value()) << s << k;
                    ++sans;
                    continue;
                }
                ASSERT_TRUE(calcule[k].has_value()) << s << k;
                EXPECT_NEAR(*calcule[k], nombre(*attendu[k]), 1.0 / 1440) << s << k;
                pire_t = std::max(pire_t, std::fabs(*calcule[k] - nombre(*attendu[k])));
                ++evenements;
            }
        }
    }
    EXPECT_GT(evenements, 600);
    std::cout << "soleil: " << evenements << " événements, " << sans << " absents, " << pire_t * 86400
              << " s, hauteur " << pire_h << " deg au plus\n";
}

// Far north the Sun stays up at midsummer and down at midwinter; the day says which, threshold by
// threshold.
TEST(Soleil, JoursSansPassage) {
    const Observateur tromso{69.65f, -18.95f};
    EtatLune e;
    const JourSoleil ete = jour_soleil(e, 2460482.5, tromso); // 21 June 2024
    for (const SeuilSoleil s : seuils_soleil) {
        EXPECT_EQ(ete[s].sans_passage, SansPassage::toujours_dessus);
        EXPECT_FALSE(ete[s].montee || ete[s].descente);
    }
    const JourSoleil hiver = jour_soleil(e, 2460665.5, tromso); // 21 December 2024
    EXPECT_EQ(hiver[SeuilSoleil::lever_coucher].sans_passage, SansPassage::toujours_dessous);
    // Twilight still comes at noon: the Sun climbs to about -3 degrees.
    EXPECT_TRUE(hiver[SeuilSoleil::civil].montee.has_value());
    EXPECT_TRUE(hiver[SeuilSoleil::nautique].montee.has_value());
    EXPECT_EQ(hiver[SeuilSoleil::nautique].sans_passage, SansPassage::non);
    // Paris in March: every event, in the order of the day.
    const JourSoleil paris = jour_soleil(e, 2460390.5, Observateur{48.8667f, -2.3333f});
    for (std::size_t s = 0; s + 1 < 4; ++s) {
        ASSERT_TRUE(paris.seuils[s].montee && paris.seuils[s + 1].montee);
        EXPECT_LT(*paris.seuils[s + 1].montee, *paris.seuils[s].montee);
        EXPECT_GT(*paris.seuils[s + 1].descente, *paris.seuils[s].descente);
    }
    EXPECT_EQ(jour_soleil(e, std::nan(""), tromso)[SeuilSoleil::civil].sans_passage, SansPassage::non);
}
