#include "ephemeris/topocentrique.hpp"

#include <cmath>

#include "clock/nombres.hpp"

namespace orbitel {

namespace {

constexpr double DegRadSideral = 0.01745329251993889; // for the latitude and the sidereal angle
constexpr double DegRad = 0.017453292;                // for everything from the equatorial coordinates on

// Into [0, 360], whole turns at a time: below 0 goes up to [0, 360), above 360 comes down to
// (0, 360], and 360 itself stays. fmod is exact, and so is each subtraction of 360 the step-by-step
// loop would make, so the two agree to the last bit, but fmod takes the same time for any date.
double ramene_360(double angle) {
    if (angle >= 0 && angle <= 360) return angle;
    const double reste = std::fmod(angle, 360.0);
    if (angle > 360) return reste == 0 ? 360.0 : reste;
    return reste < 0 ? reste + 360.0 : 0.0;
}

} // namespace

double arrondi_quatre_decimales(double x) {
    return arrondi_decimal(x, 4);
}

double temps_sideral_local(const EtatLune& etat, float lon_est) {
    return ramene_360(280.46061837 + 360.98564736629 * (etat.JJ - 2451545) + 0.000387933 * etat.T2 -
                      etat.T3 / 38710000 + lon_est);
}

Topocentrique calcule_topocentrique_brut(const EtatLune& etat, float lat, float lon_est) {
    const double theta = temps_sideral_local(etat, lon_est);

    // Geocentric position in Earth radii, ecliptic then equatorial.
    const double r = 1 / std::sin(etat.Parallaxe);
    const double x = r * std::cos(etat.Lambda) * std::cos(etat.Beta);
    const double y = r * std::sin(etat.Lambda) * std::cos(etat.Beta);
    const double z = r * std::sin(etat.Beta);
    const double X = x;
    const double Y = y * std::cos(etat.Eps) - z * std::sin(etat.Eps);
    const double Z = y * std::sin(etat.Eps) + z * std::cos(etat.Eps);

    // The observer on the unit sphere; the sidereal angle goes through single precision.
    const double phi = lat * DegRadSideral;
    const double s = reduit_2pi(en_simple(theta * DegRadSideral));
    const double Xp = X - std::cos(phi) * std::cos(s);
    const double Yp = Y - std::cos(phi) * std::sin(s);
    const double Zp = Z - std::sin(phi);
    const double rho = std::sqrt(Xp * Xp + Yp * Yp + Zp * Zp);

    Topocentrique t;
    const double alpha = arctan2(Yp, Xp) / DegRad;
    const double equatoriale = std::sqrt(Xp * Xp + Yp * Yp);
    // Straight above a pole of the sky the arctangent's limit stands in for the division by zero.
    const double delta =
        (equatoriale == 0 ? (Zp >= 0 ? 2 : -2) * std::atan(1.0) : std::atan(Zp / equatoriale)) / DegRad;
    t.ad = alpha / 15;
    t.decl = delta;
    t.distance = etat.Distance * rho / r;

    // Horizontal coordinates.
    const double H = ramene_360(theta - 15 * t.ad) * DegRad;
    const double d = delta * DegRad;
    const double f = lat * DegRad;
    const double h = arcsin(std::sin(d) * std::sin(f) + std::cos(f) * std::cos(d) * std::cos(H)) / DegRad;
    const double hr = h * DegRad;
    const double numerateur = std::sin(d) - std::sin(f) * std::sin(hr);
    const double denominateur = std::cos(f) * std::cos(hr);
    const double q = denominateur != 0 ? numerateur / denominateur : (numerateur >= 0 ? 1.0 : -1.0);
    const double A = arccos(q) / DegRad;
    t.hauteur = h;
    // West of the meridian (sin H >= 0) the azimuth is past south.
    t.azimut = std::sin(H) >= 0 ? 360 - A : A;
    return t;
}

Topocentrique calcule_topocentrique(const EtatLune& etat, float lat, float lon_est) {
    Topocentrique t = calcule_topocentrique_brut(etat, lat, lon_est);
    t.hauteur = arrondi_quatre_decimales(t.hauteur);
    t.azimut = arrondi_quatre_decimales(t.azimut);
    return t;
}

} // namespace orbitel
