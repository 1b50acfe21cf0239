#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "text/lignes_topocentriques.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

using namespace orbitel;

namespace {

constexpr double Deg = std::numbers::pi / 180;

// A geocentric Moon placed by hand, on the equator of date when Eps and Beta are 0.
EtatLune lune_placee(double jj, double lambda_deg, double beta_deg, double eps_deg, double distance) {
    EtatLune e;
    e.JJ = jj;
    e.T = (jj - 2451545) / 36525;
    e.T2 = e.T * e.T;
    e.T3 = e.T2 * e.T;
    e.Lambda = lambda_deg * Deg;
    e.Beta = beta_deg * Deg;
    e.Eps = eps_deg * Deg;
    e.Distance = distance;
    e.Parallaxe = std::asin(6378.136 / distance);
    return e;
}

// The same geometry done another way: the topocentric vector projected on the observer's zenith,
// east and north directions.
struct Horizontal {
    double hauteur, azimut;
};
Horizontal par_le_repere_local(const EtatLune& e, float lat, float lon_est) {
    const double r = 1 / std::sin(e.Parallaxe);
    const double x = r * std::cos(e.Lambda) * std::cos(e.Beta);
    const double y0 = r * std::sin(e.Lambda) * std::cos(e.Beta);
    const double z0 = r * std::sin(e.Beta);
    const double y = y0 * std::cos(e.Eps) - z0 * std::sin(e.Eps);
    const double z = y0 * std::sin(e.Eps) + z0 * std::cos(e.Eps);
    const double s = temps_sideral_local(e, lon_est) * Deg;
    const double phi = lat * Deg;
    const double o[3] = {std::cos(phi) * std::cos(s), std::cos(phi) * std::sin(s), std::sin(phi)};
    const double p[3] = {x - o[0], y - o[1], z - o[2]};
    const double est[3] = {-std::sin(s), std::cos(s), 0};
    const double nord[3] = {-std::sin(phi) * std::cos(s), -std::sin(phi) * std::sin(s), std::cos(phi)};
    const auto scalaire = [&p](const double* u) { return p[0] * u[0] + p[1] * u[1] + p[2] * u[2]; };
    const double norme = std::sqrt(scalaire(p));
    double az = std::atan2(scalaire(est), scalaire(nord)) / Deg;
    if (az < 0) az += 360;
    return {std::asin(scalaire(o) / norme) / Deg, az};
}

EtatLune lune_du(double jour, double mois, double an, double h = 0) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = an;
    i.heures = h;
    EtatLune e;
    calcule_lune(e, i);
    return e;
}

Topocentrique topo(double ad, double decl, double distance, double hauteur, double azimut) {
    return {ad, decl, distance, hauteur, azimut};
}

} // namespace

TEST(FonctionsAngulaires, ReductionAuTour) {
    EXPECT_EQ(reduit_2pi(0.0f), 0.0);
    EXPECT_EQ(reduit_2pi(7.0f), 7.0 - DeuxPi);
    EXPECT_EQ(reduit_2pi(-0.5f), -0.5 + DeuxPi);
    // The argument is a float: 0.1f is not 0.1.
    EXPECT_EQ(reduit_2pi(0.1f), static_cast<double>(0.1f));
    std::mt19937 alea(7);
    std::uniform_real_distribution<float> angle(-2000, 2000);
    for (int k = 0; k < 2000; ++k) {
        const float x = angle(alea);
        const double r = reduit_2pi(x);
        ASSERT_GE(r, 0) << x;
        ASSERT_LT(r, DeuxPi) << x;
        ASSERT_NEAR(std::remainder(r - x, DeuxPi), 0, 1e-9) << x;
    }
}

TEST(FonctionsAngulaires, ArcTangenteParQuadrantEtSurLesAxes) {
    EXPECT_DOUBLE_EQ(arctan2(1, 1), std::atan(1.0));
    EXPECT_DOUBLE_EQ(arctan2(1, -1), -std::atan(1.0) + PiTronque);
    EXPECT_DOUBLE_EQ(arctan2(-1, -1), std::atan(1.0) + PiTronque);
    EXPECT_DOUBLE_EQ(arctan2(-1, 1), -std::atan(1.0) + DeuxPi);
    EXPECT_EQ(arctan2(0, 1), 0.0);
    EXPECT_DOUBLE_EQ(arctan2(0, -1), PiTronque);
    // On the axis x = 0, the limits instead of a division by zero.
    EXPECT_DOUBLE_EQ(arctan2(2, 0), 2 * std::atan(1.0));
    EXPECT_DOUBLE_EQ(arctan2(-2, 0), 2 * std::atan(1.0) + PiTronque);
    EXPECT_EQ(arctan2(0, 0), 0.0);
    // Either side of the axis meets the limit.
    EXPECT_NEAR(arctan2(-2, 1e-12), arctan2(-2, 0), 1e-11);
    EXPECT_NEAR(arctan2(-2, -1e-12), arctan2(-2, 0), 1e-11);
}

TEST(FonctionsAngulaires, ArcSinusEtArcCosinusBornes) {
    EXPECT_DOUBLE_EQ(arcsin(0.5), std::asin(0.5));
    EXPECT_DOUBLE_EQ(arccos(0.5), std::acos(0.5));
    EXPECT_DOUBLE_EQ(arccos(-0.3), std::acos(-0.3));
    EXPECT_DOUBLE_EQ(arcsin(1), 2 * std::atan(1.0));
    EXPECT_DOUBLE_EQ(arcsin(-1), -2 * std::atan(1.0));
    // Rounding can push the cosine of an azimuth on the meridian just past 1: the limit, not 999.
    EXPECT_EQ(arccos(1.0000000000000002), 0.0);
    EXPECT_EQ(arccos(1), 0.0);
    EXPECT_DOUBLE_EQ(arccos(-1.5), 4 * std::atan(1.0));
    EXPECT_DOUBLE_EQ(arcsin(7), 2 * std::atan(1.0));
    EXPECT_DOUBLE_EQ(arccos(-std::numeric_limits<double>::infinity()), 4 * std::atan(1.0));
    EXPECT_TRUE(std::isnan(arccos(std::nan(""))));
    EXPECT_TRUE(std::isnan(arcsin(std::nan(""))));
    // Just inside the range the formula holds.
    EXPECT_NEAR(arccos(1 - 1e-12), std::acos(1 - 1e-12), 1e-9);
}

TEST(TempsSideral, RameneAuTourCommeLaBoucle) {
    // At J2000 noon the sidereal time is its constant; 10° east of a place at 355° is 5°.
    const EtatLune j2000 = lune_placee(2451545.0, 0, 0, 0, 384400);
    EXPECT_DOUBLE_EQ(temps_sideral_local(j2000, 0), 280.46061837);
    const EtatLune a355 = lune_placee(2451545.0 + (355 - 280.46061837) / 360.98564736629, 0, 0, 0, 384400);
    EXPECT_NEAR(temps_sideral_local(a355, 0), 355, 1e-6);
    EXPECT_NEAR(temps_sideral_local(a355, 10), 5, 1e-6);
    EXPECT_NEAR(temps_sideral_local(a355, -356), 359, 1e-6);

    // The whole turns taken off at once give exactly what taking them off one by one gives.
    std::mt19937 alea(3);
    std::uniform_real_distribution<double> jours(-40000, 40000);
    std::uniform_real_distribution<float> longitude(-720, 720);
    for (int k = 0; k < 200; ++k) {
        const EtatLune e = lune_placee(2451545.0 + jours(alea), 0, 0, 0, 384400);
        const float lon = longitude(alea);
        double theta =
            280.46061837 + 360.98564736629 * (e.JJ - 2451545) + 0.000387933 * e.T2 - e.T3 / 38710000 + lon;
        while (theta < 0 || theta > 360)
            theta += theta < 0 ? 360 : -360;
        ASSERT_EQ(temps_sideral_local(e, lon), theta) << e.JJ << " " << lon;
    }
}

TEST(Topocentrique, AccordeAuCalculDansLeRepereLocal) {
    std::mt19937 alea(11);
    std::uniform_real_distribution<double> jour(2415020, 2488070), lambda(0, 360), beta(-5.3, 5.3),
        distance(356000, 407000);
    std::uniform_real_distribution<float> lat(-89.5f, 89.5f), lon(-180, 180);
    for (int k = 0; k < 500; ++k) {
        const EtatLune e = lune_placee(jour(alea), lambda(alea), beta(alea), 23.44, distance(alea));
        const float la = lat(alea), lo = lon(alea);
        const Topocentrique t = calcule_topocentrique_brut(e, la, lo);
        const Horizontal attendu = par_le_repere_local(e, la, lo);
        ASSERT_NEAR(t.hauteur, attendu.hauteur, 2e-4) << k;
        // The azimuth wraps at north; near the zenith it is undefined.
        if (std::fabs(attendu.hauteur) < 89) {
            ASSERT_NEAR(std::remainder(t.azimut - attendu.azimut, 360), 0,
                        5e-4 / std::cos(attendu.hauteur * Deg))
                << k;
        }
        ASSERT_GE(t.azimut, 0);
        ASSERT_LE(t.azimut, 360);
    }
}

TEST(Topocentrique, EstOuOuestDuMeridien) {
    // The Moon on the celestial equator, 30° of hour angle either side of the meridian, seen
    // from 45° N: geometric altitude arcsin(cos 45 cos 30) less about the horizontal parallax.
    const double jj = 2451545.0;
    const double theta = 280.46061837;
    const EtatLune ouest = lune_placee(jj, theta - 30, 0, 0, 384400);
    const EtatLune est = lune_placee(jj, theta + 30, 0, 0, 384400);
    const Topocentrique to = calcule_topocentrique(ouest, 45, 0);
    const Topocentrique te = calcule_topocentrique(est, 45, 0);
    EXPECT_GT(to.azimut, 180);
    EXPECT_LT(te.azimut, 180);
    EXPECT_NEAR(to.azimut + te.azimut, 360, 1e-3);
    const double geometrique = std::asin(std::cos(45 * Deg) * std::cos(30 * Deg)) / Deg;
    EXPECT_NEAR(to.hauteur, geometrique - 0.75, 0.05);
    EXPECT_NEAR(te.hauteur, to.hauteur, 1e-3);
    // Rounded to four decimals.
    EXPECT_EQ(to.hauteur, std::round(to.hauteur * 1e4) / 1e4);

    // On the meridian, due south and due north: 180 and 0 or 360, never garbage.
    const Topocentrique sud = calcule_topocentrique(lune_placee(jj, theta, 0, 0, 384400), 45, 0);
    EXPECT_NEAR(sud.azimut, 180, 1e-3);
    const Topocentrique nord = calcule_topocentrique(lune_placee(jj, theta, 0, 0, 384400), -45, 0);
    EXPECT_NEAR(std::remainder(nord.azimut, 360), 0, 1e-3);
    // At the observer's zenith the altitude is 90 and the azimuth is still a number.
    const Topocentrique zenith = calcule_topocentrique(lune_placee(jj, theta, 0, 0, 384400), 0, 0);
    EXPECT_NEAR(zenith.hauteur, 90, 1e-3);
    EXPECT_TRUE(std::isfinite(zenith.azimut));
}

TEST(Topocentrique, ArrondiAQuatreDecimalesCommeLeTexte) {
    EXPECT_EQ(arrondi_quatre_decimales(23.99914), 23.9991);
    EXPECT_EQ(arrondi_quatre_decimales(-5.12345), -5.1235); // halves away from zero, not cut to three
    EXPECT_EQ(arrondi_quatre_decimales(0.00005), 0.0001);
    EXPECT_EQ(arrondi_quatre_decimales(-0.00004), 0.0);
    EXPECT_EQ(arrondi_quatre_decimales(359.99996), 360.0);
    EXPECT_TRUE(std::isnan(arrondi_quatre_decimales(std::nan(""))));
}

TEST(LignesTopocentriques, Exemple12Avril1992AParis) {
    EtatLune e = lune_du(12, 4, 1992);
    const Topocentrique t = calcule_topocentrique(e, 48.866665f, 2.3333333f);
    const LignesTopocentriques l = lignes_topocentriques(t, ',');
    EXPECT_EQ(l.distance, "Distance Topocentrique = 365787,139 kms");
    EXPECT_EQ(l.ascension, "Ascension droite Topo = 08 h 56 m 14,89s");
    EXPECT_EQ(l.declinaison, "Déclinaison Topocentrique = +13° 05' 42,97''");
    EXPECT_EQ(l.hauteur, "Hauteur: +23° 47'");
    EXPECT_EQ(l.azimut, "Azimut: 262° 38'");
    EXPECT_FALSE(l.sous_horizon);
    // The parallax moves the Moon by about a degree from its geocentric place.
    EXPECT_NEAR(t.ad, e.Ascension, 0.1);
    EXPECT_NEAR(t.decl, e.Declinaison, 1.0);
    EXPECT_NE(t.decl, e.Declinaison);
    EXPECT_EQ(lignes_topocentriques(t, '.').distance, "Distance Topocentrique = 365787.139 kms");
}

TEST(LignesTopocentriques, MinutesEtSecondesQuiRetiennent) {
    EXPECT_EQ(lignes_topocentriques(topo(0, 0, 0, 23.9991, 359.9995), ',').hauteur, "Hauteur: +24° 00'");
    EXPECT_EQ(lignes_topocentriques(topo(0, 0, 0, 23.9991, 359.9995), ',').azimut, "Azimut: 360° 00'");
    EXPECT_EQ(lignes_topocentriques(topo(0, 0, 0, 5.5, 90.0083), ',').azimut, "Azimut: 90° 00'");
    EXPECT_EQ(lignes_topocentriques(topo(0, 0, 0, 5.5, 7.0), ',').hauteur, "Hauteur: +5° 30'");
    // Seconds that round to 60 carry, right ascension wraps at 24 h.
    const double h = 8 + 59.0 / 60 + 59.996 / 3600;
    EXPECT_EQ(lignes_topocentriques(topo(h, 0, 0, 0, 0), ',').ascension,
              "Ascension droite Topo = 09 h 00 m 0s");
    EXPECT_EQ(lignes_topocentriques(topo(23.9999999, 0, 0, 0, 0), ',').ascension,
              "Ascension droite Topo = 00 h 00 m 0s");
    EXPECT_EQ(lignes_topocentriques(topo(0, -(12 + 59.0 / 60 + 59.999 / 3600), 0, 0, 0), ',').declinaison,
              "Déclinaison Topocentrique = -13° 00' 0''");
    EXPECT_EQ(lignes_topocentriques(topo(0, -0.5, 0, 0, 0), ',').declinaison,
              "Déclinaison Topocentrique = -00° 30' 0''");
    EXPECT_EQ(lignes_topocentriques(topo(1.5, 0, 0, 0, 0), ',').declinaison,
              "Déclinaison Topocentrique = +00° 00' 0''");
    EXPECT_EQ(lignes_topocentriques(topo(0, 5.1234567, 0, 0, 0), ',').declinaison,
              "Déclinaison Topocentrique = +05° 07' 24,44''");
}

TEST(LignesTopocentriques, SigneEtCouleurDeLaHauteur) {
    // Opposite the meridian, at lower culmination.
    const Topocentrique sous =
        calcule_topocentrique(lune_placee(2451545.0, 280.46061837 + 180, 0, 0, 384400), 0, 0);
    ASSERT_LT(sous.hauteur, 0);
    EXPECT_TRUE(lignes_topocentriques(sous, ',').sous_horizon);

    const LignesTopocentriques moins =
        lignes_topocentriques(topo(0, 0, 0, arrondi_quatre_decimales(-5.12345), 0), ',');
    EXPECT_EQ(moins.hauteur, "Hauteur: -5° 07'");
    EXPECT_TRUE(moins.sous_horizon);

    // Between -0.00005 and 0 the altitude rounds to zero: "+" and green.
    const LignesTopocentriques zero =
        lignes_topocentriques(topo(0, 0, 0, arrondi_quatre_decimales(-0.00004), 0), ',');
    EXPECT_EQ(zero.hauteur, "Hauteur: +0° 00'");
    EXPECT_FALSE(zero.sous_horizon);
    const LignesTopocentriques juste_dessous =
        lignes_topocentriques(topo(0, 0, 0, arrondi_quatre_decimales(-0.00005), 0), ',');
    EXPECT_EQ(juste_dessous.hauteur, "Hauteur: -0° 00'");
    EXPECT_TRUE(juste_dessous.sous_horizon);
    EXPECT_EQ(lignes_topocentriques(topo(0, 0, 0, -89.99999, 0), ',').hauteur, "Hauteur: -90° 00'");
}

TEST(LignesTopocentriques, JamaisNanNiInf) {
    const LignesTopocentriques a = lignes_topocentriques_absentes();
    EXPECT_EQ(a.distance, "Distance Topocentrique = ---");
    EXPECT_EQ(a.ascension, "Ascension droite Topo = ---");
    EXPECT_EQ(a.declinaison, "Déclinaison Topocentrique = ---");
    EXPECT_EQ(a.hauteur, "Hauteur: ---");
    EXPECT_EQ(a.azimut, "Azimut: ---");
    EXPECT_FALSE(a.sous_horizon);

    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const LignesTopocentriques l = lignes_topocentriques(topo(nan, inf, -inf, nan, inf), ',');
    EXPECT_EQ(l.distance, a.distance);
    EXPECT_EQ(l.ascension, a.ascension);
    EXPECT_EQ(l.declinaison, a.declinaison);
    EXPECT_EQ(l.hauteur, a.hauteur);
    EXPECT_EQ(l.azimut, a.azimut);
}
