#include "text/note_locale.hpp"

#include <climits>
#include <gtest/gtest.h>
#include <string>

using orbitel::note_heure_locale;
using orbitel::notice_ecart_local;

TEST(NoteHeureLocale, SelonLeDecalageDuFuseauALInstantImprime) {
    const std::string ajouter = "Pour obtenir l'heure locale veuillez ajouter ";
    const std::string retirer = "Pour obtenir l'heure locale veuillez retirer ";
    const struct {
        int secondes;
        std::string note;
    } cas[] = {
        {2 * 3600, ajouter + "2 heures."},
        {-5 * 3600, retirer + "5 heures."},
        {14 * 3600, ajouter + "14 heures."},
        {-12 * 3600, retirer + "12 heures."},
        // Paris in winter, the Azores in summer: singular.
        {3600, ajouter + "1 heure."},
        {-3600, retirer + "1 heure."},
        {0, "L'heure locale est l'heure TU."},
        // Not whole hours: as the local-time tool tips write the offset (UTC+5:30, UTC+0:09:21).
        {5 * 3600 + 30 * 60, ajouter + "5:30."},
        {5 * 3600 + 45 * 60, ajouter + "5:45."},
        {10 * 3600 + 30 * 60, ajouter + "10:30."},
        {-(3 * 3600 + 30 * 60), retirer + "3:30."},
        {30 * 60, ajouter + "0:30."},
        {9 * 60 + 21, ajouter + "0:09:21."},
        {-(17 * 60 + 30), retirer + "0:17:30."},
    };
    for (const auto& c : cas)
        EXPECT_EQ(note_heure_locale(c.secondes), c.note) << c.secondes;
}

TEST(NoteHeureLocale, ValeursExtremesSansDebordement) {
    EXPECT_EQ(note_heure_locale(INT_MIN).rfind("Pour obtenir l'heure locale veuillez retirer ", 0), 0u);
    EXPECT_EQ(note_heure_locale(INT_MAX).rfind("Pour obtenir l'heure locale veuillez ajouter ", 0), 0u);
}

TEST(NoticeHorloge, TextesSelonLEcart) {
    const std::string avance = "Votre système est en avance sur TU de ";
    const std::string retard = "Votre système est en retard sur TU de ";
    const struct {
        int minutes;
        std::string notice;
    } cas[] = {
        {120, avance + "2 heures."},
        {-300, retard + "5 heures."},
        {0, "Votre système est à l'heure TU."},
        {330, avance + "5 heures 30 minutes."},
        {-570, retard + "9 heures 30 minutes."},
        {-30, retard + "30 minutes."},
        {14 * 60, avance + "14 heures."},
        // A count of one is singular, hours and minutes alike.
        {60, avance + "1 heure."},
        {-60, retard + "1 heure."},
        {90, avance + "1 heure 30 minutes."},
        {61, avance + "1 heure 1 minute."},
        {121, avance + "2 heures 1 minute."},
        {-1, retard + "1 minute."},
        {2, avance + "2 minutes."},
    };
    for (const auto& c : cas)
        EXPECT_EQ(notice_ecart_local(c.minutes), c.notice) << c.minutes;
}
