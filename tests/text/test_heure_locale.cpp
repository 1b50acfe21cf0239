// The local time of a line's UT instant, and the place as the program understood it.
#include "clock/calendrier.hpp"
#include "text/formats.hpp"
#include "text/heure_locale.hpp"
#include "text/lieu_compris.hpp"
#include "text/lignes_phases.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace orbitel;

namespace {

// The Julian day of a UT date and time of the lines' calendar.
InstantTu tu(double an, double mois, double jour, double h = 0, double m = 0, float s = 0) {
    Instant i;
    i.an = an;
    i.mois = mois;
    i.jour = jour;
    i.heures = h;
    i.minutes = m;
    i.secondes = s;
    return instant_des_champs(i);
}

std::string locale(InstantTu instant, FormeInstant forme, int decalage) {
    const std::optional<InstantLigne> t = instant_ecrit(instant, forme);
    return t ? texte_heure_locale(*t, decalage) : "(aucune)";
}

} // namespace

TEST(HeureLocale, ChaqueFormeDeLigneGardeSaPrecisionEtSonStyle) {
    EXPECT_EQ(locale(tu(1992, 4, 12), FormeInstant::seconde, 7200),
              "Heure locale : 12/04/1992 à 02:00:00 (UTC+2)");
    EXPECT_EQ(locale(tu(2026, 12, 7, 14, 5, 10), FormeInstant::minute, 3600),
              "Heure locale : 07/12/2026 à 15:05 (UTC+1)");
    // Phase lines write the day and month without leading zeros; the day turns with the offset.
    EXPECT_EQ(locale(tu(2024, 2, 9, 22, 58, 45.6f), FormeInstant::phase, 19800),
              "Heure locale : 10/2/2024 à 04:28:45 (UTC+5:30)");
    EXPECT_EQ(locale(tu(2024, 3, 1, 1, 30, 4), FormeInstant::phase, -3 * 3600),
              "Heure locale : 29/2/2024 à 22:30:04 (UTC−3)");
    EXPECT_EQ(locale(tu(1999, 12, 31, 23, 59), FormeInstant::minute, 0),
              "Heure locale : 31/12/1999 à 23:59 (UTC)");
    EXPECT_EQ(locale(tu(1999, 12, 31, 23, 59), FormeInstant::minute, 60),
              "Heure locale : 01/01/2000 à 00:00 (UTC+0:01)");
    // A minute line rounds an offset with seconds (Paris mean time) to the minute.
    EXPECT_EQ(locale(tu(1900, 6, 1, 4), FormeInstant::minute, 561),
              "Heure locale : 01/06/1900 à 04:09 (UTC+0:09:21)");
    // The Gregorian reform: 4 October 1582 was followed by 15 October; years before 1 are astronomical.
    EXPECT_EQ(locale(tu(1582, 10, 4, 23), FormeInstant::seconde, 7200),
              "Heure locale : 15/10/1582 à 01:00:00 (UTC+2)");
    EXPECT_EQ(locale(tu(-500, 1, 1, 0, 30), FormeInstant::seconde, -3600),
              "Heure locale : 31/12/-501 à 23:30:00 (UTC−1)");
    // No date written, no local time.
    EXPECT_EQ(locale(InstantTu::du_jour_julien(JourJulienLimite), FormeInstant::seconde, 0), "(aucune)");
    EXPECT_EQ(locale(InstantTu{std::nan("")}, FormeInstant::phase, 0), "(aucune)");
}

TEST(HeureLocale, LInstantEstCeluiQueLaLigneEcrit) {
    // The tool tip converts the date and time the line shows, at its precision: the instant line's
    // second rounded (with its carry into the next day), the phase line's truncated.
    for (const InstantTu i :
         {tu(2026, 12, 7, 23, 59, 59.7f), tu(2024, 2, 9, 22, 58, 45.6f), tu(1992, 4, 12, 13, 5, 29.5f)}) {
        EXPECT_EQ(locale(i, FormeInstant::seconde, 0), "Heure locale : " + texte_date(i, true) + " (UTC)");
        EXPECT_EQ(locale(i, FormeInstant::minute, 0), "Heure locale : " + texte_date(i, false) + " (UTC)");
        const std::string phase = jj_en_texte(i.jour_julien());
        EXPECT_EQ(locale(i, FormeInstant::phase, 0),
                  "Heure locale : " + phase.substr(0, phase.size() - std::string(" T.U").size()) + " (UTC)");
    }
}

TEST(HeureLocale, SecondesDepuis1970EtDecalages) {
    EXPECT_EQ(secondes_depuis_1970(*a_la_seconde(tu(1970, 1, 1, 0, 0, 1))), 1);
    EXPECT_EQ(secondes_depuis_1970(*a_la_seconde(tu(1992, 4, 12))), 703036800);
    EXPECT_EQ(secondes_depuis_1970(*a_la_seconde(tu(1969, 12, 31, 23, 59))), -60);
    EXPECT_EQ(texte_decalage(-(9 * 3600 + 30 * 60)), "UTC−9:30");
    EXPECT_EQ(texte_decalage(13 * 3600 + 45 * 60), "UTC+13:45");
}

TEST(LieuCompris, DegresEtMinutesAvecHemisphere) {
    EXPECT_EQ(texte_lieu(lieu_par_defaut()), "48° 52′ N, 2° 20′ E");
    // "-45 52 N" is -45 + 52/60 degrees north: 44° 08' south.
    EXPECT_EQ(texte_lieu(*lit_lieu({"-45", "52", "70", "15", true, false})), "44° 08′ S, 70° 15′ O");
    EXPECT_EQ(texte_lieu({0.0f, -0.0f}), "0° 00′ N, 0° 00′ E");
    EXPECT_EQ(texte_lieu({-0.004f, 0.004f}), "0° 00′ N, 0° 00′ E");
    EXPECT_EQ(texte_lieu({89.9999f, -179.999f}), "90° 00′ N, 180° 00′ E");
}
