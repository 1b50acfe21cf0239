#include "events/courbe_nuit.hpp"

#include <algorithm>
#include <cmath>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/soleil.hpp"

namespace orbitel {

namespace {

constexpr double SecondesParJour = 86400;

// The straight line between two points strays from the curve by about an eighth of the second
// difference; where it would stray further than this, the step is cut. Only near the zenith, where
// the altitude turns sharply, does it come to that.
constexpr double EcartToleree = 0.004; // degrees
constexpr int DivisionsMaximales = 16;

double secondes_tu(double jj) {
    return (jj - JourJulien1970) * SecondesParJour;
}

double jj_de_secondes(double secondes) {
    return secondes / SecondesParJour + JourJulien1970;
}

// The UT instant of noon on the zone's wall clock of the local day numbered `jour` from 1970.
double midi_local(const Fuseau& fuseau, double jour) {
    return jj_de_secondes(tu_depuis_local(fuseau, jour * SecondesParJour + SecondesParJour / 2));
}

double tour(double degres) {
    degres = std::fmod(degres, 360.0);
    return degres < 0 ? degres + 360 : degres;
}

} // namespace

Intervalle nuit_autour(double jj, const Fuseau& fuseau) {
    const double s = secondes_tu(jj);
    const double locale = s + fuseau.decalage(s);
    // The local day whose noon is the last one at or before the instant.
    double jour = std::floor((locale - SecondesParJour / 2) / SecondesParJour);
    Intervalle i{midi_local(fuseau, jour), midi_local(fuseau, jour + 1)};
    // A noon the clocks skip or repeat can put the instant just outside; move by a day then.
    if (jj < i.debut) i = {midi_local(fuseau, jour - 1), i.debut};
    if (jj >= i.fin) i = {i.fin, midi_local(fuseau, jour + 2)};
    return i;
}

PointNuit point_nuit(EtatLune& etat, double jj, const Observateur& lieu, EchelleTemps echelle) {
    evalue_ephemeride(etat, jj, ecart_echelle_jours(echelle, jj));
    const Topocentrique t = calcule_topocentrique_brut(etat, lieu.Lat, lieu.lon_est());
    etat.Ascension = t.ad;
    etat.Declinaison = t.decl;
    PointNuit p;
    p.jj = jj;
    p.hauteur = t.hauteur;
    p.azimut = tour(t.azimut);
    p.hauteur_soleil = position_soleil(etat, jj, lieu, echelle).hauteur;
    return p;
}

Ciel ciel_pour(double hauteur_soleil) {
    if (hauteur_soleil >= hauteurs_seuils[0]) return Ciel::jour;
    if (hauteur_soleil >= hauteurs_seuils[1]) return Ciel::civil;
    if (hauteur_soleil >= hauteurs_seuils[2]) return Ciel::nautique;
    if (hauteur_soleil >= hauteurs_seuils[3]) return Ciel::astronomique;
    return Ciel::nuit;
}

Nuit calcule_nuit(EtatLune& etat, const Intervalle& intervalle, const Observateur& lieu,
                  EchelleTemps echelle) {
    Nuit nuit;
    nuit.intervalle = intervalle;
    const double duree = intervalle.duree();
    if (!(std::fabs(intervalle.debut) < JourJulienLimite) || !(duree > 0 && duree <= 2)) return nuit;

    // The Moon every PasNuit, the last step shortened to end on the span's end.
    std::vector<PointNuit> reguliers;
    const int pas = static_cast<int>(std::ceil(duree / PasNuit - 1e-9));
    for (int i = 0; i <= pas; ++i)
        reguliers.push_back(
            point_nuit(etat, std::min(intervalle.debut + i * PasNuit, intervalle.fin), lieu, echelle));
    for (const PointNuit& p : reguliers)
        if (!std::isfinite(p.hauteur)) return nuit;

    // Steps cut where the altitude bends too much for a straight line.
    std::vector<PointNuit> points;
    auto courbure = [&](std::size_t i) {
        if (i == 0 || i + 1 >= reguliers.size()) return 0.0;
        return std::fabs(reguliers[i - 1].hauteur - 2 * reguliers[i].hauteur + reguliers[i + 1].hauteur);
    };
    for (std::size_t i = 0; i + 1 < reguliers.size(); ++i) {
        points.push_back(reguliers[i]);
        const double ecart = std::max(courbure(i), courbure(i + 1)) / 8;
        int divisions = 1;
        while (divisions < DivisionsMaximales && ecart / (divisions * divisions) > EcartToleree)
            divisions *= 2;
        for (int k = 1; k < divisions; ++k) {
            const double jj = reguliers[i].jj + (reguliers[i + 1].jj - reguliers[i].jj) * k / divisions;
            points.push_back(point_nuit(etat, jj, lieu, echelle));
        }
    }
    points.push_back(reguliers.back());

    // The marked events, at their own instants.
    const LeverCoucher lc = lever_coucher_entre(etat, intervalle.debut, duree, lieu, echelle);
    nuit.lever = lc.lever;
    nuit.coucher = lc.coucher;
    nuit.passage = passage_meridien_entre(etat, intervalle.debut, duree, lieu, echelle);
    std::vector<double> evenements;
    if (nuit.lever.trouve) evenements.push_back(nuit.lever.jj);
    if (nuit.coucher.trouve) evenements.push_back(nuit.coucher.jj);
    if (nuit.passage) evenements.push_back(nuit.passage->jj);
    for (const double jj : evenements)
        if (jj > intervalle.debut && jj < intervalle.fin)
            points.push_back(point_nuit(etat, jj, lieu, echelle));
    std::stable_sort(points.begin(), points.end(),
                     [](const PointNuit& a, const PointNuit& b) { return a.jj < b.jj; });
    nuit.points = std::move(points);

    // The Sun's crossings of the thresholds: those of each UT day the span touches.
    std::vector<double> bords{intervalle.debut, intervalle.fin};
    for (double jj0 = std::floor(intervalle.debut - 0.5) + 0.5; jj0 < intervalle.fin; jj0 += 1) {
        const JourSoleil jour = jour_soleil(etat, jj0, lieu, echelle);
        for (const PassagesSeuil& s : jour.seuils)
            for (const auto& t : {s.montee, s.descente})
                if (t && *t > intervalle.debut && *t < intervalle.fin) bords.push_back(*t);
    }
    std::sort(bords.begin(), bords.end());
    bords.erase(std::unique(bords.begin(), bords.end()), bords.end());
    for (std::size_t i = 0; i + 1 < bords.size(); ++i) {
        const double milieu = (bords[i] + bords[i + 1]) / 2;
        const Ciel ciel = ciel_pour(position_soleil(etat, milieu, lieu, echelle).hauteur);
        if (!nuit.bandes.empty() && nuit.bandes.back().ciel == ciel)
            nuit.bandes.back().fin = bords[i + 1];
        else
            nuit.bandes.push_back({bords[i], bords[i + 1], ciel});
    }
    return nuit;
}

std::optional<HauteurAzimut> interpole(const Nuit& nuit, double jj) {
    const std::vector<PointNuit>& p = nuit.points;
    if (p.empty() || !(jj >= p.front().jj && jj <= p.back().jj)) return std::nullopt;
    auto apres =
        std::lower_bound(p.begin(), p.end(), jj, [](const PointNuit& a, double t) { return a.jj < t; });
    if (apres == p.begin()) return HauteurAzimut{apres->hauteur, apres->azimut};
    const PointNuit& b = *apres;
    const PointNuit& a = *(apres - 1);
    const double u = b.jj > a.jj ? (jj - a.jj) / (b.jj - a.jj) : 0;
    double dz = b.azimut - a.azimut;
    if (dz > 180) dz -= 360;
    if (dz < -180) dz += 360;
    return HauteurAzimut{a.hauteur + (b.hauteur - a.hauteur) * u, tour(a.azimut + dz * u)};
}

} // namespace orbitel
