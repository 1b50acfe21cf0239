#include "events/aspect.hpp"

#include <cmath>
#include <numbers>

#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"

namespace orbitel {

namespace {

constexpr double Deg = std::numbers::pi / 180;

// Inclination of the Moon's mean equator on the ecliptic (Meeus, ch. 53).
constexpr double InclinaisonEquateurLunaire = 1.54242 * Deg;

double tour(double degres) {
    degres = std::fmod(degres, 360.0);
    return degres < 0 ? degres + 360 : degres;
}

double demi_tour(double degres) {
    degres = tour(degres);
    return degres > 180 ? degres - 360 : degres;
}

} // namespace

double diametre_apparent(double distance_km) {
    if (!(distance_km > RayonLune)) return std::nan("");
    return 2 * std::asin(RayonLune / distance_km) / Deg;
}

EquatorialesSoleil equatoriales_soleil(const EtatLune& e) {
    const double l = e.LongSoleil;
    const double ad = std::atan2(std::cos(e.Eps) * std::sin(l), std::cos(l)) / Deg / 15;
    return {ad < 0 ? ad + 24 : ad, std::asin(std::sin(e.Eps) * std::sin(l)) / Deg};
}

Libration libration_optique(const EtatLune& e) {
    const double I = InclinaisonEquateurLunaire;
    const double dpsi = e.DeltaPsi * SecRad;
    const double W = e.Lambda - dpsi - e.Omega;
    const double b = e.Beta;
    const double A = std::atan2(std::sin(W) * std::cos(b) * std::cos(I) - std::sin(b) * std::sin(I),
                                std::cos(W) * std::cos(b));
    Libration l;
    l.longitude = demi_tour((A - e.F) / Deg);
    const double sin_bp = -std::sin(W) * std::cos(b) * std::sin(I) - std::sin(b) * std::cos(I);
    const double bp = std::asin(std::fmax(-1.0, std::fmin(1.0, sin_bp)));
    l.latitude = bp / Deg;

    // The axis: the direction of the pole of the Moon's equator, whose node on the ecliptic is the
    // Moon's mean node (Cassini's laws), seen at the Moon's right ascension.
    const double V = e.Omega + dpsi;
    const double X = std::sin(I) * std::sin(V);
    const double Y = std::sin(I) * std::cos(V) * std::cos(e.Eps) - std::cos(I) * std::sin(e.Eps);
    const double omega = std::atan2(X, Y);
    const double alpha = e.Ascension * 15 * Deg;
    const double sin_p = std::sqrt(X * X + Y * Y) * std::cos(alpha - omega) / std::cos(bp);
    l.angle_axe = tour(std::asin(std::fmax(-1.0, std::fmin(1.0, sin_p))) / Deg);
    return l;
}

double angle_position_limbe(double ad_lune, double decl_lune, double ad_soleil, double decl_soleil) {
    const double da = (ad_soleil - ad_lune) * 15 * Deg;
    const double d = decl_lune * Deg, d0 = decl_soleil * Deg;
    return tour(std::atan2(std::cos(d0) * std::sin(da),
                           std::sin(d0) * std::cos(d) - std::cos(d0) * std::sin(d) * std::cos(da)) /
                Deg);
}

double angle_parallactique(double angle_horaire, double declinaison, double latitude) {
    const double H = angle_horaire * Deg, d = declinaison * Deg, phi = latitude * Deg;
    const double q = std::atan2(std::sin(H), std::tan(phi) * std::cos(d) - std::sin(d) * std::cos(H)) / Deg;
    return q <= -180 ? q + 360 : q;
}

AspectLune aspect_lune(EtatLune& e, double jj, const Observateur& lieu, EchelleTemps echelle) {
    evalue_ephemeride(e, jj, ecart_echelle_jours(echelle, jj));
    AspectLune a;
    a.diametre_geocentrique = diametre_apparent(e.Distance);
    a.libration = libration_optique(e);
    const EquatorialesSoleil soleil = equatoriales_soleil(e);
    a.angle_limbe = angle_position_limbe(e.Ascension, e.Declinaison, soleil.ad, soleil.decl);

    const Topocentrique t = calcule_topocentrique_brut(e, lieu.Lat, lieu.lon_est());
    e.Ascension = t.ad;
    e.Declinaison = t.decl;
    a.diametre_topocentrique = diametre_apparent(t.distance);
    a.angle_limbe_topocentrique = angle_position_limbe(t.ad, t.decl, soleil.ad, soleil.decl);
    const double H = temps_sideral_local(e, lieu.lon_est()) - 15 * t.ad;
    a.angle_parallactique = angle_parallactique(H, t.decl, lieu.Lat);
    a.inclinaison_limbe = tour(a.angle_limbe_topocentrique - a.angle_parallactique);
    return a;
}

} // namespace orbitel
