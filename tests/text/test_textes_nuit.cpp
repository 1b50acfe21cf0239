#include "text/textes_nuit.hpp"

#include <gtest/gtest.h>

using namespace orbitel;

TEST(TextesNuit, HeuresEtPoints) {
    // 12 April 1992 (8137 days from 1970) at 21:15:59.6: the minute is the one a clock shows.
    const double jour = 8137 * 86400.0;
    EXPECT_EQ(texte_heure_graphe(jour + 21 * 3600 + 15 * 60 + 59.4), "21 h 15");
    EXPECT_EQ(texte_heure_graphe(jour + 86399.6), "00 h 00");
    EXPECT_EQ(texte_heure_graphe(-3600), "23 h 00");
    EXPECT_EQ(texte_heure_axe(7), "07 h");
    EXPECT_EQ(texte_point_graphe(jour + 21 * 3600 + 15 * 60, 34.25, 152.74, ','),
              "21 h 15 — hauteur 34,3° — azimut 152,7°");
    EXPECT_EQ(texte_point_graphe(jour, -5.04, 3.0, '.'), "00 h 00 — hauteur -5.0° — azimut 3.0°");
    EXPECT_EQ(texte_evenement_graphe(EvenementGraphe::lever, jour + 18 * 3600 + 42 * 60), "Lever 18 h 42");
    EXPECT_EQ(texte_evenement_graphe(EvenementGraphe::passage, jour + 23 * 3600 + 600), "Passage 23 h 10");
    EXPECT_EQ(texte_evenement_graphe(EvenementGraphe::coucher, jour + 5 * 3600 + 31 * 60), "Coucher 05 h 31");
    EXPECT_EQ(texte_titre_nuit(8137, 8138, 3600), "Nuit du 12/04/1992 au 13/04/1992, heures en UTC+1");
    EXPECT_EQ(texte_titre_nuit(8137, 8138, 0), "Nuit du 12/04/1992 au 13/04/1992, heures en UTC");
    EXPECT_EQ(texte_lieu_graphe(48.866665f, -2.3333333f, ','), "48,87° N, 2,33° E");
    EXPECT_EQ(texte_lieu_graphe(-33.866665f, 70.5f, '.'), "33.87° S, 70.50° O");
}
