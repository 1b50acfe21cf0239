#include "events/passage.hpp"

#include <cmath>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"

namespace orbitel {

namespace {

// The Moon's topocentric hour angle turns at about 347.8 degrees a day, from about 335 to 352
// with its distance, declination and the observer's parallax.
constexpr double VitesseMoyenne = 347.81; // degrees per day
constexpr double VitesseMinimale = 330;
constexpr double Tolerance = 0.5 / 86400; // days: the last step; the error left is far smaller
constexpr int IterationsMaximales = 12;

double dans_demi_tour(double a) {
    a = std::fmod(a, 360.0);
    if (a <= -180) a += 360;
    if (a > 180) a -= 360;
    return a;
}

} // namespace

namespace {

struct Essai {
    double h; // hour angle, degrees in (-180, 180]
    Topocentrique topo;
};

Essai essai(EtatLune& etat, double jj, const Observateur& lieu, EchelleTemps echelle) {
    evalue_ephemeride(etat, jj, ecart_echelle_jours(echelle, jj));
    const Topocentrique t = calcule_topocentrique_brut(etat, lieu.Lat, lieu.lon_est());
    return {dans_demi_tour(temps_sideral_local(etat, lieu.lon_est()) - 15 * t.ad), t};
}

} // namespace

double angle_horaire_lune(EtatLune& etat, double jj, const Observateur& lieu, EchelleTemps echelle) {
    return essai(etat, jj, lieu, echelle).h;
}

std::optional<Passage> passage_meridien(EtatLune& etat, double jj0, const Observateur& lieu,
                                        EchelleTemps echelle) {
    return passage_meridien_entre(etat, jj0, 1, lieu, echelle);
}

std::optional<Passage> passage_meridien_entre(EtatLune& etat, double jj0, double duree,
                                              const Observateur& lieu, EchelleTemps echelle) {
    if (!(std::fabs(jj0) < JourJulienLimite) || !(duree > 0 && duree <= 2)) return std::nullopt;
    // The hour angle at 0 h, taken as the way still to go to the next transit: in [-360, 0).
    double h0 = essai(etat, jj0, lieu, echelle).h;
    if (!std::isfinite(h0)) return std::nullopt;
    if (h0 >= 0) h0 -= 360;
    // Even at the fastest rate the transit would come after the day's end.
    if (-h0 / VitesseMoyenne > duree + 0.03) return std::nullopt;
    double ta = 0, ha = h0;
    double t = -h0 / VitesseMoyenne;
    for (int i = 0; i < IterationsMaximales; ++i) {
        const Essai e = essai(etat, jj0 + t, lieu, echelle);
        if (!std::isfinite(e.h)) return std::nullopt;
        // The secant through the previous trial; the hour angle only grows, so its slope is > 0.
        double vitesse = (e.h - ha) / (t - ta);
        if (!(vitesse > VitesseMinimale / 2)) vitesse = VitesseMoyenne;
        const double pas = -e.h / vitesse;
        if (std::fabs(pas) < Tolerance) {
            // The last trial is the transit, to within the tolerance.
            if (!(t >= 0 && t < duree)) return std::nullopt;
            etat.Ascension = e.topo.ad;
            etat.Declinaison = e.topo.decl;
            return Passage{jj0 + t, e.topo.hauteur, e.topo.azimut};
        }
        ta = t;
        ha = e.h;
        t += pas;
        // Far outside the day: no transit in it.
        if (t > duree + 0.1 || t < -0.1) return std::nullopt;
    }
    return std::nullopt;
}

} // namespace orbitel
