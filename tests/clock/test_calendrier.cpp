#include "clock/calendrier.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace orbitel;

namespace {

Instant instant(double jour, double mois, double an, double h = 0, double m = 0, float s = 0) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = an;
    i.heures = h;
    i.minutes = m;
    i.secondes = s;
    return i;
}

} // namespace

TEST(JourJulien, CalendriersEtMois) {
    EXPECT_EQ(jour_julien(instant(15, 10, 1582)), 2299160.5);
    EXPECT_EQ(jour_julien(instant(4, 10, 1582)), 2299159.5); // Julian calendar
    EXPECT_EQ(jour_julien(instant(1, 3, 2000)), 2451604.5);
    EXPECT_EQ(jour_julien(instant(1, 1, 2000, 12)), 2451545.0);
    // January counts as month 13 of the previous year; the floor of 365.25 * -2 is -731.
    EXPECT_EQ(jour_julien(instant(1, 1, -1)), 1720692.5);
    EXPECT_EQ(jour_julien(instant(1, 1, -4712, 12)), 0.0);
    // A month of 0 is December of the previous year, a day of 32 the first of the next month.
    EXPECT_EQ(jour_julien(instant(1, 0, 2001)), jour_julien(instant(1, 12, 2000)));
    EXPECT_EQ(jour_julien(instant(32, 1, 2001)), jour_julien(instant(1, 2, 2001)));
    EXPECT_EQ(jour_julien_0h(instant(7, 12, 2026, 5, 41, 7)), 2461381.5);
}

TEST(Calendrier, JoursCivils) {
    EXPECT_EQ(jours_civils(1970, 1, 1), 0);
    EXPECT_EQ(jours_civils(2000, 3, 1), 11017);
    EXPECT_EQ(jours_civils(1969, 12, 31), -1);
    EXPECT_EQ(jours_civils(0, 3, 1) - jours_civils(0, 2, 28), 2); // year 0 is leap
}

// Every day of the years a date may be typed with: the day count and its date are each other's
// inverse, and from 15 October 1582 on the Julian day of a date is its day count plus that of 1970,
// both ways.
TEST(Calendrier, AllerRetourSurToutesLesAnnees) {
    const std::int64_t premier = jours_civils(AnneeMin, 1, 1);
    const std::int64_t dernier = jours_civils(AnneeMax, 12, 31);
    const std::int64_t reforme = jours_civils(1582, 10, 15);
    std::int64_t annee = AnneeMin;
    unsigned mois = 1, jour = 1;
    for (std::int64_t n = premier; n <= dernier; ++n) {
        const DateCivile d = date_civile(n);
        ASSERT_EQ(d.annee, annee) << n;
        ASSERT_EQ(d.mois, mois) << n;
        ASSERT_EQ(d.jour, jour) << n;
        ASSERT_EQ(jours_civils(d.annee, d.mois, d.jour), n);
        ASSERT_TRUE(date_reelle(d.annee, d.mois, d.jour));
        if (n >= reforme) {
            const double jj = jour_julien(instant(jour, mois, static_cast<double>(annee)));
            ASSERT_EQ(jj, static_cast<double>(n) + 2440587.5) << n;
            const DateCalendaire c = date_du_jour_julien(jj + 0.25);
            ASSERT_EQ(c.an, annee);
            ASSERT_EQ(c.mois, static_cast<int>(mois));
            ASSERT_EQ(c.jour, static_cast<int>(jour));
            ASSERT_EQ(c.fraction, 0.25);
        }
        if (++jour > jours_du_mois(annee, mois)) {
            jour = 1;
            if (++mois > 12) {
                mois = 1;
                ++annee;
            }
        }
    }
    EXPECT_FALSE(date_reelle(AnneeMax + 1, 1, 1));
    EXPECT_FALSE(date_reelle(AnneeMin - 1, 12, 31));
    EXPECT_FALSE(date_reelle(2100, 2, 29));
    EXPECT_TRUE(date_reelle(2000, 2, 29));
    // Before the reform the Julian day follows the Julian calendar: 4 October 1582 was the eve of
    // 15 October, and its date comes back from the Julian day.
    const DateCalendaire veille = date_du_jour_julien(jour_julien(instant(4, 10, 1582)));
    EXPECT_EQ(veille.an, 1582);
    EXPECT_EQ(veille.mois, 10);
    EXPECT_EQ(veille.jour, 4);
}
