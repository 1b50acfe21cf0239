#include "text/note_locale.hpp"

#include <climits>
#include <gtest/gtest.h>

using orbitel::note_heure_locale;
using orbitel::notice_ecart_local;

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

TEST(NoticeHorloge, TextesSelonLEcart) {
    EXPECT_EQ(notice_ecart_local(120), "Votre système est en avance sur TU de 2 heures.");
    EXPECT_EQ(notice_ecart_local(-300), "Votre système est en retard sur TU de 5 heures.");
    EXPECT_EQ(notice_ecart_local(0), "Votre système est à l'heure TU.");
    EXPECT_EQ(notice_ecart_local(330), "Votre système est en avance sur TU de 5 heures 30 minutes.");
    EXPECT_EQ(notice_ecart_local(-570), "Votre système est en retard sur TU de 9 heures 30 minutes.");
    EXPECT_EQ(notice_ecart_local(-30), "Votre système est en retard sur TU de 30 minutes.");
    EXPECT_EQ(notice_ecart_local(14 * 60), "Votre système est en avance sur TU de 14 heures.");
}
