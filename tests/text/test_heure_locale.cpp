// The local time of a line's UT instant, and the place as the program understood it.
#include "text/heure_locale.hpp"
#include "text/lieu_compris.hpp"

#include <gtest/gtest.h>

using namespace orbitel;

namespace {

std::string locale(const std::string& ligne, int decalage) {
    const std::optional<InstantLigne> t = instant_de_ligne(ligne);
    return t ? texte_heure_locale(*t, decalage) : "(aucune)";
}

} // namespace

TEST(HeureLocale, ChaqueStyleDeLigneGardeSaPrecisionEtSonStyle) {
    EXPECT_EQ(locale("Instant G.M.T. = 12/04/1992 à 00:00:00", 7200),
              "Heure locale : 12/04/1992 à 02:00:00 (UTC+2)");
    EXPECT_EQ(locale("Lever: 07/12/2026 à 14:05 ( Az = 120.5°)", 3600),
              "Heure locale : 07/12/2026 à 15:05 (UTC+1)");
    // Phase lines write the day and month without leading zeros; the day turns with the offset.
    EXPECT_EQ(locale("Nouvelle Lune le: 9/2/2024 à 22:58:45 T.U", 19800),
              "Heure locale : 10/2/2024 à 04:28:45 (UTC+5:30)");
    EXPECT_EQ(locale("Pleine Lune le: 1/3/2024 à 01:30:04 T.U", -3 * 3600),
              "Heure locale : 29/2/2024 à 22:30:04 (UTC−3)");
    EXPECT_EQ(locale("Coucher: 31/12/1999 à 23:59 ( Az = 240.0°)", 0),
              "Heure locale : 31/12/1999 à 23:59 (UTC)");
    EXPECT_EQ(locale("Coucher: 31/12/1999 à 23:59 ( Az = 240.0°)", 60),
              "Heure locale : 01/01/2000 à 00:00 (UTC+0:01)");
    // A minute line rounds an offset with seconds (Paris mean time) to the minute.
    EXPECT_EQ(locale("Lever: 01/06/1900 à 04:00 ( Az = 50.0°)", 561),
              "Heure locale : 01/06/1900 à 04:09 (UTC+0:09:21)");
    // The Gregorian reform: 4 October 1582 was followed by 15 October; years before 1 are astronomical.
    EXPECT_EQ(locale("Instant G.M.T. = 04/10/1582 à 23:00:00", 7200),
              "Heure locale : 15/10/1582 à 01:00:00 (UTC+2)");
    EXPECT_EQ(locale("Instant G.M.T. = 01/01/-500 à 00:30:00", -3600),
              "Heure locale : 31/12/-501 à 23:30:00 (UTC−1)");
    // No instant, no local time.
    for (const char* sans :
         {"Lever: ---", "---", "Instant G.M.T. = instant non calculable",
          "Nouvelle Lune le: 31/2/2024 à 22:58:45", "Lever: 07/12/2026 à 25:05", "Delta T = 69 s à 2024"})
        EXPECT_FALSE(instant_de_ligne(sans)) << sans;
}

TEST(HeureLocale, SecondesDepuis1970EtDecalages) {
    EXPECT_EQ(secondes_depuis_1970(*instant_de_ligne("01/01/1970 à 00:00:01")), 1);
    EXPECT_EQ(secondes_depuis_1970(*instant_de_ligne("12/04/1992 à 00:00:00")), 703036800);
    EXPECT_EQ(secondes_depuis_1970(*instant_de_ligne("31/12/1969 à 23:59")), -60);
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
