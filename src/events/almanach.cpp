#include "events/almanach.hpp"

#include <cmath>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"

namespace orbitel {

LigneAlmanach ligne_almanach(const Instant& instant, const Observateur& lieu, double jj_debut_jour,
                             double duree, EchelleTemps echelle) {
    LigneAlmanach l;
    EtatLune etat;
    if (echelle == EchelleTemps::universel)
        calcule_lune(etat, instant);
    else
        calcule_lune(etat, instant, ecart_echelle_jours(echelle, jour_julien(instant)));
    if (!est_calculable(etat)) return l;
    l.calculable = true;
    l.jj = etat.JJ;
    l.longitude = etat.Lambda * Rad;
    l.longitude -= 360 * std::floor(l.longitude / 360);
    l.latitude = etat.Beta * Rad;
    l.distance_km = etat.Distance;
    l.parallaxe = parallaxe_secondes(etat.Distance) / 3600;
    l.ascension_droite = etat.Ascension;
    l.declinaison = etat.Declinaison;
    l.elongation = etat.Elongation * Rad;
    l.cote = etat.EstOuest;
    l.phase = fraction_eclairee(etat) * 100;
    const Topocentrique t = calcule_topocentrique_brut(etat, lieu.Lat, lieu.lon_est());
    l.distance_topo_km = t.distance;
    l.ascension_droite_topo = t.ad;
    l.declinaison_topo = t.decl;
    l.hauteur = t.hauteur;
    l.azimut = t.azimut;
    // Each search and view below evaluates the ephemeris again on the state: everything above is
    // read first.
    l.lever_coucher = lever_coucher_entre(etat, jj_debut_jour, duree, lieu, echelle);
    l.passage = passage_meridien_entre(etat, jj_debut_jour, duree, lieu, echelle);
    l.age = age_lune(l.jj, echelle);
    l.aspect = aspect_lune(etat, l.jj, lieu, echelle);
    l.soleil = position_soleil(etat, l.jj, lieu, echelle);
    return l;
}

} // namespace orbitel
