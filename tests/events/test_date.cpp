// The date value: calendar construction and reading, whole-day arithmetic, text form, and the check
// of a typed day, month and year.
#include "events/date.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace orbitel;

// Julian day of 1970-01-01 at 0 h, the epoch of DateHeure.
constexpr double jj_epoque = 2440587.5;

TEST(DateHeure, JoursDepuisLEpoque) {
    EXPECT_EQ(DateHeure::depuis_calendrier(1970, 1, 1).jours(), 0.0);
    EXPECT_EQ(DateHeure::depuis_calendrier(1969, 12, 31).jours(), -1.0);
    EXPECT_EQ(DateHeure::depuis_calendrier(2000, 1, 1).jours(), 10957.0);
    // Julian days of the worked examples of the text formats.
    EXPECT_EQ(DateHeure::depuis_calendrier(2026, 12, 7).jours() + jj_epoque, 2461381.5);
    EXPECT_EQ(DateHeure::depuis_calendrier(2000, 1, 1, 18).jours() + jj_epoque, 2451545.25);
    // Year 0 and before: the proleptic Gregorian calendar runs on (1 January of year 0 is Julian
    // 3 January of year 1 BC, Julian day 1721059.5).
    EXPECT_EQ(DateHeure::depuis_calendrier(0, 1, 1).jours() + jj_epoque, 1721059.5);
    EXPECT_EQ(DateHeure::depuis_calendrier(1582, 10, 15).jours() + jj_epoque, 2299160.5);
}

TEST(DateHeure, HeureDuJourEnFraction) {
    const DateHeure d = DateHeure::depuis_calendrier(2024, 3, 1, 6, 30, 36);
    // A day count near 20000 holds the time of day to about 4e-12 day (a third of a microsecond).
    constexpr double resolution_jours = 1e-11;
    EXPECT_NEAR(d.fraction(), (6 * 3600 + 30 * 60 + 36) / 86400.0, resolution_jours);
    // Before the epoch the fraction is still the time since 0 h of the same day.
    const DateHeure avant = DateHeure::depuis_calendrier(1900, 5, 4, 18);
    EXPECT_DOUBLE_EQ(avant.fraction(), 0.75);
    EXPECT_EQ(avant.jour(), 4u);
}

TEST(DateHeure, JourAuDelaDuMoisContinueSurLeSuivant) {
    EXPECT_EQ(DateHeure::depuis_calendrier(2026, 2, 31), DateHeure::depuis_calendrier(2026, 3, 3));
    EXPECT_EQ(DateHeure::depuis_calendrier(2024, 2, 31), DateHeure::depuis_calendrier(2024, 3, 2));
    EXPECT_EQ(DateHeure::depuis_calendrier(2024, 13, 1), DateHeure::depuis_calendrier(2025, 1, 1));
}

TEST(DateHeure, ArithmetiqueEnJoursEntiers) {
    const DateHeure d = DateHeure::depuis_calendrier(2024, 3, 1, 12);
    const DateHeure d30 = d.plus_jours(30);
    EXPECT_EQ(d30, DateHeure::depuis_calendrier(2024, 3, 31, 12));
    EXPECT_EQ(d.plus_jours(-30), DateHeure::depuis_calendrier(2024, 1, 31, 12));
    EXPECT_EQ(d.plus_jours(-1).jour(), 29u); // 2024 is a leap year
    EXPECT_EQ(DateHeure::depuis_calendrier(2023, 3, 1).plus_jours(-1).jour(), 28u);
    EXPECT_EQ(DateHeure::depuis_calendrier(2024, 12, 31).plus_jours(1),
              DateHeure::depuis_calendrier(2025, 1, 1));
    EXPECT_LT(d, d30);
}

TEST(DateHeure, AnMoisJourAllerRetour) {
    // Across the whole range of typed years, with the century and leap-day boundaries.
    const int pas =
#ifdef ORBITEL_TESTS_RAPIDES
        997;
#else
        37;
#endif
    const DateHeure debut = DateHeure::depuis_calendrier(-32767, 1, 1);
    const DateHeure fin = DateHeure::depuis_calendrier(32767, 12, 31);
    for (double j = debut.jours(); j <= fin.jours(); j += pas) {
        const DateHeure d = DateHeure::depuis_jours(j);
        ASSERT_EQ(DateHeure::depuis_calendrier(d.annee(), d.mois(), d.jour()), d) << d.texte();
    }
    EXPECT_EQ(debut.annee(), -32767);
    EXPECT_EQ(fin.annee(), 32767);
    EXPECT_EQ(fin.mois(), 12u);
    EXPECT_EQ(fin.jour(), 31u);
    // Centuries: 1900 and -100 have no leap day, 2000, 0 and -400 do.
    EXPECT_EQ(DateHeure::depuis_calendrier(1900, 3, 1).plus_jours(-1).jour(), 28u);
    EXPECT_EQ(DateHeure::depuis_calendrier(2000, 3, 1).plus_jours(-1).jour(), 29u);
    EXPECT_EQ(DateHeure::depuis_calendrier(0, 3, 1).plus_jours(-1).jour(), 29u);
    EXPECT_EQ(DateHeure::depuis_calendrier(-100, 3, 1).plus_jours(-1).jour(), 28u);
    EXPECT_EQ(DateHeure::depuis_calendrier(-400, 3, 1).plus_jours(-1).jour(), 29u);
    EXPECT_EQ(DateHeure::depuis_calendrier(1, 1, 1).plus_jours(-1).annee(), 0);
}

TEST(DateHeure, Texte) {
    EXPECT_EQ(DateHeure::depuis_calendrier(2024, 3, 1).texte(), "01/03/2024");
    EXPECT_EQ(DateHeure::depuis_calendrier(2024, 3, 1, 6, 30, 5).texte(), "01/03/2024 06:30:05");
    EXPECT_EQ(DateHeure::depuis_calendrier(-500, 1, 1).texte(), "01/01/-500");
    EXPECT_EQ(DateHeure::depuis_calendrier(0, 12, 31).texte(), "31/12/0");
    // A time that rounds to the next day's 0 h reads as that day.
    EXPECT_EQ(DateHeure::depuis_jours(DateHeure::depuis_calendrier(2024, 12, 31).jours() + 0.9999999).texte(),
              "01/01/2025");
}

Instant instant(double jour, double mois, double an) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = an;
    return i;
}

TEST(DateValide, DatesReellesDuCalendrier) {
    EXPECT_TRUE(date_valide(instant(1, 3, 2024)));
    EXPECT_TRUE(date_valide(instant(29, 2, 2024)));
    EXPECT_TRUE(date_valide(instant(29, 2, 2000)));
    EXPECT_TRUE(date_valide(instant(29, 2, 0)));
    EXPECT_TRUE(date_valide(instant(31, 12, 32767)));
    EXPECT_TRUE(date_valide(instant(1, 1, -32767)));
    EXPECT_TRUE(date_valide(instant(10, 10, 1582))); // in the days dropped by the Gregorian reform
    // The year is taken as typed: 24 is the year 24, not 2024.
    EXPECT_EQ(date_de_instant(instant(1, 1, 24))->annee(), 24);
}

TEST(DateValide, RefuseCeQuiNEstPasUneDate) {
    EXPECT_FALSE(date_valide(instant(31, 2, 2026)));
    EXPECT_FALSE(date_valide(instant(29, 2, 2026)));
    EXPECT_FALSE(date_valide(instant(29, 2, 1900)));
    EXPECT_FALSE(date_valide(instant(31, 4, 2026)));
    EXPECT_FALSE(date_valide(instant(0, 1, 2026)));
    EXPECT_FALSE(date_valide(instant(1, 0, 2026)));
    EXPECT_FALSE(date_valide(instant(1, 13, 2026)));
    EXPECT_FALSE(date_valide(instant(32, 1, 2026)));
    EXPECT_FALSE(date_valide(instant(-1, 1, 2026)));
    EXPECT_FALSE(date_valide(instant(1, 1, 32768)));
    EXPECT_FALSE(date_valide(instant(1, 1, -32768)));
    EXPECT_FALSE(date_valide(instant(1.5, 1, 2026)));
    EXPECT_FALSE(date_valide(instant(1, 1.25, 2026)));
    EXPECT_FALSE(date_valide(instant(1, 1, 2026.5)));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(date_valide(instant(nan, 1, 2026)));
    EXPECT_FALSE(date_valide(instant(1, inf, 2026)));
    EXPECT_FALSE(date_valide(instant(1, 1, -inf)));
    EXPECT_FALSE(date_valide(instant(1, 1, 1e300)));
    EXPECT_FALSE(date_de_instant(instant(31, 2, 2026)).has_value());
}

TEST(DateValide, DateDeLInstantAMinuit) {
    Instant i = instant(1, 3, 2024);
    i.heures = 15;
    i.minutes = 42;
    i.secondes = 12.5f;
    EXPECT_EQ(date_de_instant(i), DateHeure::depuis_calendrier(2024, 3, 1));
}

} // namespace
