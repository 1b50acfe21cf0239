#include "events/apsides.hpp"

#include <cmath>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"

namespace orbitel {

namespace {

// Apsides are at least eleven days apart and the distance has no other turning point: sampling it
// every half day brackets each one between the three samples around the extreme one.
constexpr double Pas = 0.5;               // days
constexpr double Precision = 1.0 / 86400; // days: the final bracket's half-width

double distance(EtatLune& etat, double jj, EchelleTemps echelle) {
    evalue_ephemeride(etat, jj, ecart_echelle_jours(echelle, jj));
    return etat.Distance;
}

// The extreme of the distance near t with samples (t - h, t, t + h), by successive parabolas on a
// shrinking bracket, which the distance, smooth at this scale, follows closely.
Apside affine(EtatLune& etat, double t, double h, double d_moins, double d0, double d_plus, TypeApside type,
              EchelleTemps echelle) {
    while (h > Precision) {
        const double courbure = d_plus - 2 * d0 + d_moins;
        double sommet = t;
        if (courbure != 0) sommet = t + h * (d_moins - d_plus) / (2 * courbure);
        // Stay inside the bracket, where the extreme lies.
        sommet = std::fmin(std::fmax(sommet, t - h), t + h);
        const double nouveau_h = std::fmax(h / 8, Precision / 2);
        h = nouveau_h;
        t = sommet;
        d_moins = distance(etat, t - h, echelle);
        d_plus = distance(etat, t + h, echelle);
        d0 = distance(etat, t, echelle);
        // The vertex of a coarse parabola can miss the extreme by more than the new bracket: widen
        // it again until its middle is the extreme sample.
        const bool perigee = type == TypeApside::perigee;
        while (perigee ? (d_moins < d0 || d_plus < d0) : (d_moins > d0 || d_plus > d0)) {
            const bool gauche = perigee ? d_moins < d_plus : d_moins > d_plus;
            t += gauche ? -h : h;
            if (gauche) {
                d_plus = d0;
                d0 = d_moins;
                d_moins = distance(etat, t - h, echelle);
            } else {
                d_moins = d0;
                d0 = d_plus;
                d_plus = distance(etat, t + h, echelle);
            }
        }
    }
    const double courbure = d_plus - 2 * d0 + d_moins;
    if (courbure != 0) t += h * (d_moins - d_plus) / (2 * courbure);
    return {type, t, distance(etat, t, echelle)};
}

} // namespace

std::vector<Apside> apsides_entre(EtatLune& etat, double jj_debut, double jj_fin, EchelleTemps echelle) {
    std::vector<Apside> resultat;
    if (!(std::fabs(jj_debut) < JourJulienLimite) || !(std::fabs(jj_fin) < JourJulienLimite) ||
        !(jj_fin > jj_debut) || jj_fin - jj_debut > 36525)
        return resultat;
    double t0 = jj_debut;
    double d_moins = distance(etat, t0 - Pas, echelle), d0 = distance(etat, t0, echelle);
    while (t0 < jj_fin + Pas) {
        const double t_plus = t0 + Pas;
        const double d_plus = distance(etat, t_plus, echelle);
        const bool minimum = d0 <= d_moins && d0 < d_plus;
        const bool maximum = d0 >= d_moins && d0 > d_plus;
        if (minimum || maximum) {
            EtatLune travail = etat;
            const Apside a = affine(travail, t0, Pas, d_moins, d0, d_plus,
                                    minimum ? TypeApside::perigee : TypeApside::apogee, echelle);
            if (a.jj >= jj_debut && a.jj < jj_fin) resultat.push_back(a);
        }
        d_moins = d0;
        t0 = t_plus;
        d0 = d_plus;
    }
    return resultat;
}

std::optional<Apside> apside_suivante(EtatLune& etat, double jj, TypeApside type, EchelleTemps echelle) {
    for (const Apside& a : apsides_entre(etat, jj, jj + 32, echelle))
        if (a.type == type) return a;
    return std::nullopt;
}

} // namespace orbitel
