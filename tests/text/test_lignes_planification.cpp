#include "text/lignes_planification.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace orbitel;

// The lines as the window would write them, with a French and a point decimal mark, and their
// "---" forms.
TEST(LignesPlanification, Textes) {
    const double jj = 2448724.5 + (19 * 60 + 49.4) / 1440; // 12/04/1992 à 19:49:24
    EXPECT_EQ(ligne_passage(Passage{jj, 55.26, 180}, ','),
              "Passage au méridien: 12/04/1992 à 19:49 (hauteur 55,3°)");
    EXPECT_EQ(ligne_passage(std::nullopt, ','), "Passage au méridien: ---");
    EXPECT_EQ(ligne_apside(Apside{TypeApside::perigee, jj, 357123.4}, ','),
              "Périgée: 12/04/1992 à 19:49 (357123 km)");
    EXPECT_EQ(ligne_apside(Apside{TypeApside::apogee, jj, 406500.6}, '.'),
              "Apogée: 12/04/1992 à 19:49 (406501 km)");
    AgeLune age;
    age.jours = 9.44;
    age.lunaison_brown = 855;
    EXPECT_EQ(ligne_age(age, ','), "Âge de la Lune: 9,4 jours (lunaison 855)");
    EXPECT_EQ(ligne_age(std::nullopt, ','), "Âge de la Lune: ---");
    AspectLune a;
    a.diametre_geocentrique = 0.5408;
    a.diametre_topocentrique = 0.54635;
    a.libration = {5.123, -3.4, 23.44};
    a.angle_limbe_topocentrique = 245.31;
    a.angle_parallactique = -20.14;
    a.inclinaison_limbe = 265.45;
    EXPECT_EQ(ligne_diametre(a, ','), "Diamètre apparent: 32,45' (vu du lieu: 32,78')");
    EXPECT_EQ(ligne_libration(a.libration, ','),
              "Libration: longitude +5,12°, latitude -3,40°, angle de l'axe 23,4°");
    EXPECT_EQ(ligne_limbe(a, '.'),
              "Limbe éclairé: angle de position 245.3°, angle parallactique -20.1°, inclinaison 265.5°");
    EXPECT_EQ(ligne_soleil(PositionSoleil{-12.34, 123.45, 0, 0}, ','),
              "Soleil: hauteur -12,3°, azimut 123,5°");
    EXPECT_EQ(notice_delta_t_precis(2448724.5, 58.312, ','),
              "Les heures sont en temps universel, la différence avec le temps terrestre (TT) est, le "
              "12/04/1992, de "
              "58,31 secondes (modèle précis).");
}

TEST(LignesPlanification, JourDuSoleil) {
    JourSoleil jour;
    jour.seuils[0].montee = 2448724.5 + 5.05 / 24;
    jour.seuils[0].descente = 2448724.5 + 18.5 / 24;
    jour.seuils[1].montee = 2448724.5 + 4.5 / 24;
    jour.seuils[3].sans_passage = SansPassage::toujours_dessus;
    jour.seuils[2].sans_passage = SansPassage::toujours_dessous;
    const LignesSeuil lever = lignes_seuil(jour, SeuilSoleil::lever_coucher, ',');
    EXPECT_EQ(lever.montee, "Lever du soleil: 12/04/1992 à 05:03");
    EXPECT_EQ(lever.descente, "Coucher du soleil: 12/04/1992 à 18:30");
    const LignesSeuil civil = lignes_seuil(jour, SeuilSoleil::civil, ',');
    EXPECT_EQ(civil.montee, "Aube civile: 12/04/1992 à 04:30");
    EXPECT_EQ(civil.descente, "Crépuscule civil: ---");
    EXPECT_EQ(lignes_seuil(jour, SeuilSoleil::nautique, ',').montee,
              "Aube nautique: --- (soleil toujours au-dessous de -12°)");
    EXPECT_EQ(lignes_seuil(jour, SeuilSoleil::astronomique, ',').descente,
              "Crépuscule astronomique: --- (soleil toujours au-dessus de -18°)");
}
