#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "ephemeris/sinus_lot.hpp"
#include "text/lignes_geocentriques.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

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

EtatLune lune(const Instant& i) {
    EtatLune e;
    calcule_lune(e, i);
    return e;
}

} // namespace

TEST(Moteur, EpoqueJ2000ToutEgalAuTermeConstant) {
    const EtatLune e = lune(instant(1, 1, 2000, 12));
    EXPECT_EQ(e.T, 0.0);
    EXPECT_EQ(e.Lp, 218.3164591 / Rad);
    EXPECT_EQ(e.D, 297.8502042 / Rad);
    EXPECT_EQ(e.Omega, 125.044555 / Rad);
    EXPECT_EQ(e.LVenus, 181.979801 / Rad);
}

TEST(Moteur, Exemple12Avril1992) {
    const EtatLune e = lune(instant(12, 4, 1992));
    EXPECT_NEAR(e.Eps * Rad, 23.44064, 0.00001);
    EXPECT_NEAR(e.DeltaPsi, 16.595, 0.001);
    EXPECT_NEAR(e.Lambda * Rad, 133.1668, 0.0001);
    EXPECT_NEAR(e.Beta * Rad, -3.2291, 0.0001);
    EXPECT_NEAR(e.Distance, 368405, 1);
    EXPECT_NEAR(e.Parallaxe * Rad * 3600, 3570.8, 0.1);
    EXPECT_NEAR(e.Ascension, 8.9792, 0.0001);
    EXPECT_NEAR(e.Declinaison, 13.77, 0.01);
    EXPECT_NEAR(e.Elongation * Rad, 110.8, 0.05);
    EXPECT_EQ(e.EstOuest, "Est");
    EXPECT_NEAR(e.Phase, 67.9, 1e-9);
    EXPECT_TRUE(est_calculable(e));
}

TEST(Moteur, LongitudeNegativePresDeLpNul) {
    // Lp is just above 0 and the series sum is negative: Lambda is not brought back to [0, 2 pi).
    const EtatLune e = lune(instant(23, 1, 2026, 4));
    EXPECT_LT(e.Lambda, 0);
    EXPECT_NEAR(e.Lambda * Rad, -5.2669, 0.0001);
}

TEST(Moteur, EvaluationSilencieuseLaissePhaseEtCote) {
    EtatLune e = lune(instant(12, 4, 1992));
    const double phase = e.Phase;
    evalue_ephemeride(e, 2461381.5);
    EXPECT_EQ(e.Phase, phase);
    EXPECT_EQ(e.EstOuest, "Est");
    EXPECT_EQ(e.JJ, 2461381.5);
    const EtatLune f = lune(instant(7, 12, 2026));
    EXPECT_EQ(e.Lambda, f.Lambda); // same chain, same bits
    EXPECT_EQ(e.Ascension, f.Ascension);
}

TEST(Moteur, CoteDuSoleilAutourDeLOpposition) {
    // Find the full Moon of April 1992 by bisection on the longitude difference, then look either side.
    auto ecart = [](double jj) {
        EtatLune e;
        evalue_ephemeride(e, jj);
        return std::remainder(e.Lambda - e.LongSoleil, 2 * M_PI);
    };
    double a = 2448725.5, b = 2448732.5; // 13 and 20 April 1992
    ASSERT_GT(ecart(a), 0);
    ASSERT_LT(ecart(b), 0);
    for (int i = 0; i < 60; ++i) {
        const double m = (a + b) / 2;
        (ecart(m) > 0 ? a : b) = m;
    }
    auto cote = [](double jj) {
        Instant i = instant(0, 1, 1992); // day 0 of January: the Julian day then comes from the fraction
        i.jour = jj - jour_julien_0h(instant(0, 1, 1992));
        return lune(i);
    };
    const EtatLune avant = cote(a - 0.01);
    const EtatLune apres = cote(b + 0.01);
    EXPECT_EQ(avant.EstOuest, "Est");
    EXPECT_EQ(apres.EstOuest, "Ouest");
    EXPECT_EQ(lignes_geocentriques(position_de_l_etat(apres, {}), '.').infobulle_elongation,
              "La lune se lève avant le soleil");
    EXPECT_EQ(lignes_geocentriques(position_de_l_etat(avant, {}), '.').infobulle_elongation,
              "La lune se lève après le soleil");
    EXPECT_GT(avant.Phase, 99.5);
}

TEST(Moteur, PhaseNullePresDeLaNouvelleLune) {
    // The new Moon of the total solar eclipse of 12 August 2026 passes within a degree of the Sun.
    double min_elong = 10;
    double phase = -1;
    for (double h = 12; h < 24; h += 0.25) {
        const EtatLune e = lune(instant(12, 8, 2026, h));
        if (e.Elongation < min_elong) {
            min_elong = e.Elongation;
            phase = e.Phase;
        }
    }
    ASSERT_LT(min_elong * Rad, 2.5);
    EXPECT_EQ(phase, 0.0);
}

TEST(Moteur, InstantNonCalculable) {
    const EtatLune e = lune(instant(1, 1, 1e300));
    EXPECT_FALSE(est_calculable(e));
    const LignesGeocentriques l = lignes_geocentriques(position_de_l_etat(e, {}), ',');
    EXPECT_EQ(l.instant, "Instant G.M.T. = instant non calculable");
    EXPECT_EQ(l.longitude, "Longitude = ---");
    EXPECT_EQ(l.declinaison, "Déclinaison = ---");
    EXPECT_EQ(l.phase, "Phase = ---");
    Instant infini = instant(1, 1, 2000);
    infini.secondes = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(est_calculable(lune(infini)));
}

TEST(Moteur, InstantTropLointainPourEtreEcrit) {
    // A year of 1E30 (or 1E30 hours) gives a finite Julian day whose date and time cannot be
    // written: the lines take their "---" forms instead of a garbled date.
    for (const Instant& i : {instant(1, 1, 1e30), instant(1, 1, 1e20), instant(1, 1, -1e12)}) {
        const EtatLune e = lune(i);
        ASSERT_TRUE(std::isfinite(e.JJ));
        EXPECT_FALSE(est_calculable(e)) << e.JJ;
        EXPECT_EQ(lignes_geocentriques(position_de_l_etat(e, {}), ',').instant,
                  "Instant G.M.T. = instant non calculable");
    }
    Instant heures = instant(1, 1, 2000);
    heures.heures = 1e30;
    EXPECT_FALSE(est_calculable(lune(heures)));
    // The years dates are read and written with, and not one day beyond: the phase panel and the
    // command line know no other.
    Instant dernier = instant(31, 12, 32767);
    dernier.heures = 12;
    dernier.minutes = 34;
    dernier.secondes = 56;
    const EtatLune e = lune(dernier);
    ASSERT_TRUE(est_calculable(e));
    EXPECT_EQ(lignes_geocentriques(position_de_l_etat(e, {}), ',').instant,
              "Instant G.M.T. = 31/12/32767 à 12:34:56");
    EXPECT_TRUE(est_calculable(lune(instant(1, 1, -32767))));
    for (const Instant& au_dela : {instant(1, 1, 32768), instant(31, 12, -32768), instant(1, 1, 1e7)})
        EXPECT_FALSE(est_calculable(lune(au_dela))) << au_dela.an;
}

TEST(SinusLot, AccordAvecLaBibliothequeStandard) {
    std::mt19937_64 alea(42);
    std::uniform_real_distribution<double> d(-400, 400);
#ifdef ORBITEL_TESTS_RAPIDES
    const std::size_t n = 20000;
#else
    const std::size_t n = 400000;
#endif
    std::vector<double> x(n), s(n), c(n);
    for (auto& v : x)
        v = d(alea);
    x[0] = 0;
    x[1] = -0.0;
    x[2] = M_PI / 4;
    x[3] = 1e-300;
    sinus_lot(x.data(), s.data(), n);
    cosinus_lot(x.data(), c.data(), n);
    auto ulps = [](double a, double b) {
        const double e = std::fabs(a - b);
        const double u = std::nextafter(std::fabs(b), INFINITY) - std::fabs(b);
        return e / std::max(u, 1e-300);
    };
    double pire_s = 0, pire_c = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // Near a zero of the function the relative error is meaningless; compare absolutely there.
        if (std::fabs(std::sin(x[i])) > 1e-3)
            pire_s = std::max(pire_s, ulps(s[i], std::sin(x[i])));
        else
            EXPECT_NEAR(s[i], std::sin(x[i]), 2e-16) << x[i];
        if (std::fabs(std::cos(x[i])) > 1e-3)
            pire_c = std::max(pire_c, ulps(c[i], std::cos(x[i])));
        else
            EXPECT_NEAR(c[i], std::cos(x[i]), 2e-16) << x[i];
    }
    EXPECT_LE(pire_s, 3.0);
    EXPECT_LE(pire_c, 3.0);
    EXPECT_EQ(s[0], 0.0);
    EXPECT_EQ(c[0], 1.0);
    EXPECT_EQ(s[3], 1e-300);
}

TEST(SinusLot, GrandsArgumentsEtNonFinis) {
    std::vector<double> x{1e6, 3.0, std::numeric_limits<double>::quiet_NaN(), 1e300};
    std::vector<double> s(x.size());
    sinus_lot(x.data(), s.data(), x.size());
    EXPECT_EQ(s[0], std::sin(1e6));
    EXPECT_EQ(s[1], std::sin(3.0));
    EXPECT_TRUE(std::isnan(s[2]));
    EXPECT_EQ(s[3], std::sin(1e300));
}
