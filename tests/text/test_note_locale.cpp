#include "text/note_locale.hpp"

#include <climits>
#include <gtest/gtest.h>

using orbitel::note_heure_locale;

TEST(NoteHeureLocale, HeuresEntieresDansLesDeuxSens) {
    EXPECT_EQ(note_heure_locale(2 * 60), "Pour obtenir l'heure locale veuillez ajouter 2 heures.");
    EXPECT_EQ(note_heure_locale(-5 * 60), "Pour obtenir l'heure locale veuillez retirer 5 heures.");
    EXPECT_EQ(note_heure_locale(14 * 60), "Pour obtenir l'heure locale veuillez ajouter 14 heures.");
    EXPECT_EQ(note_heure_locale(-12 * 60), "Pour obtenir l'heure locale veuillez retirer 12 heures.");
}

TEST(NoteHeureLocale, SansEcartPasDeNombreVide) {
    EXPECT_EQ(note_heure_locale(0), "L'heure locale est l'heure TU.");
}

TEST(NoteHeureLocale, FuseauxALaDemiOuAuQuartDHeure) {
    EXPECT_EQ(note_heure_locale(5 * 60 + 30),
              "Pour obtenir l'heure locale veuillez ajouter 5 heures 30 minutes.");
    EXPECT_EQ(note_heure_locale(5 * 60 + 45),
              "Pour obtenir l'heure locale veuillez ajouter 5 heures 45 minutes.");
    EXPECT_EQ(note_heure_locale(-(3 * 60 + 30)),
              "Pour obtenir l'heure locale veuillez retirer 3 heures 30 minutes.");
    EXPECT_EQ(note_heure_locale(30), "Pour obtenir l'heure locale veuillez ajouter 30 minutes.");
    EXPECT_EQ(note_heure_locale(-30), "Pour obtenir l'heure locale veuillez retirer 30 minutes.");
}

TEST(NoteHeureLocale, ValeursExtremesSansDebordement) {
    EXPECT_EQ(note_heure_locale(INT_MIN).rfind("Pour obtenir l'heure locale veuillez retirer ", 0), 0u);
    EXPECT_EQ(note_heure_locale(INT_MAX).rfind("Pour obtenir l'heure locale veuillez ajouter ", 0), 0u);
}
