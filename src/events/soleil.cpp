#include "events/soleil.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/aspect.hpp"

namespace orbitel {

namespace {

constexpr double Deg = std::numbers::pi / 180;
constexpr double Tolerance = 0.5 / 86400; // days

double tour(double degres) {
    degres = std::fmod(degres, 360.0);
    return degres < 0 ? degres + 360 : degres;
}

struct Point {
    double t;
    double h; // altitude, degrees
};

// Modified regula falsi (Illinois) on [a, b], where h - seuil changes sign.
template <typename Hauteur> double croisement(Hauteur hauteur, Point a, Point b, double seuil) {
    double fa = a.h - seuil, fb = b.h - seuil;
    int cote = 0;
    for (int i = 0; i < 60 && b.t - a.t > Tolerance; ++i) {
        double t = (a.t * fb - b.t * fa) / (fb - fa);
        if (!(t > a.t && t < b.t)) t = (a.t + b.t) / 2;
        const double f = hauteur(t) - seuil;
        if ((f >= 0) == (fa >= 0)) {
            a = {t, f + seuil};
            fa = f;
            if (cote == -1) fb /= 2;
            cote = -1;
        } else {
            b = {t, f + seuil};
            fb = f;
            if (cote == 1) fa /= 2;
            cote = 1;
        }
        if (f == 0) return t;
    }
    return (a.t + b.t) / 2;
}

} // namespace

PositionSoleil position_soleil(EtatLune& e, double jj, const Observateur& lieu, EchelleTemps echelle) {
    evalue_soleil(e, jj, ecart_echelle_jours(echelle, jj));
    const EquatorialesSoleil eq = equatoriales_soleil(e);
    const double H = (temps_sideral_local(e, lieu.lon_est()) - 15 * eq.ad) * Deg;
    const double d = eq.decl * Deg, phi = lieu.Lat * Deg;
    PositionSoleil p;
    p.ad = eq.ad;
    p.declinaison = eq.decl;
    p.hauteur = std::asin(std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(H)) / Deg;
    p.azimut =
        tour(180 + std::atan2(std::sin(H), std::cos(H) * std::sin(phi) - std::tan(d) * std::cos(phi)) / Deg);
    return p;
}

JourSoleil jour_soleil(EtatLune& e, double jj0, const Observateur& lieu, EchelleTemps echelle) {
    return jour_soleil_entre(e, jj0, 1, lieu, echelle);
}

JourSoleil jour_soleil_entre(EtatLune& e, double jj0, double duree, const Observateur& lieu,
                             EchelleTemps echelle) {
    JourSoleil jour;
    if (!(std::fabs(jj0) < JourJulienLimite) || !(duree > 0 && duree <= 2)) return jour;
    auto hauteur = [&](double t) { return position_soleil(e, jj0 + t, lieu, echelle).hauteur; };

    // The altitude has its extremes near the meridian passages, upper and lower, and is monotonic
    // between them: the day is cut there, and each piece holds at most one crossing of a threshold.
    // The Sun's hour angle turns at 360 degrees a day to within a quarter of a degree.
    const PositionSoleil debut = position_soleil(e, jj0, lieu, echelle);
    const double H0 = tour(temps_sideral_local(e, lieu.lon_est()) - 15 * debut.ad);
    std::vector<double> coupures{0, duree};
    for (const double passage : {tour(360 - H0) / 360, tour(180 - H0) / 360})
        for (double t = passage; t < duree; t += 1)
            coupures.push_back(t);
    std::sort(coupures.begin(), coupures.end());
    std::vector<Point> points;
    points.push_back({0, debut.hauteur});
    for (std::size_t i = 1; i < coupures.size(); ++i)
        if (coupures[i] > points.back().t) points.push_back({coupures[i], hauteur(coupures[i])});
    if (!std::isfinite(debut.hauteur)) return jour;

    for (std::size_t s = 0; s < hauteurs_seuils.size(); ++s) {
        const double seuil = hauteurs_seuils[s];
        PassagesSeuil& p = jour.seuils[s];
        bool dessus = false, dessous = false;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const Point a = points[i], b = points[i + 1];
            (a.h >= seuil ? dessus : dessous) = true;
            (b.h >= seuil ? dessus : dessous) = true;
            if ((a.h >= seuil) == (b.h >= seuil)) continue;
            const double t = croisement(hauteur, a, b, seuil);
            if (t >= duree) continue; // the day's end belongs to the next day
            std::optional<double>& evenement = b.h > a.h ? p.montee : p.descente;
            if (!evenement) evenement = jj0 + t;
        }
        if (!p.montee && !p.descente)
            p.sans_passage = dessus && !dessous   ? SansPassage::toujours_dessus
                             : dessous && !dessus ? SansPassage::toujours_dessous
                                                  : SansPassage::non;
    }
    return jour;
}

} // namespace orbitel
