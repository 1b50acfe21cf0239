#include "text/lignes_topocentriques.hpp"

#include <cmath>

#include "text/formats.hpp"
#include "text/lignes_geocentriques.hpp"

namespace orbitel {

namespace {

constexpr const char* LibelleDistance = "Distance Topocentrique = ";
constexpr const char* LibelleAscension = "Ascension droite Topo = ";
constexpr const char* LibelleDeclinaison = "Déclinaison Topocentrique = ";
constexpr const char* LibelleHauteur = "Hauteur: ";
constexpr const char* LibelleAzimut = "Azimut: ";

// Whole degrees and minutes of a value already rounded to four decimals, the minutes to the
// nearest whole one with 60 carried into the degrees: "24° 00'" for 23.9991.
std::string degres_minutes(double valeur, char marque) {
    const double magnitude = std::fabs(valeur);
    const double degres = std::floor(magnitude);
    const double minutes = 60 * (magnitude - degres);
    const std::string texte_minutes = texte_image(minutes, "00", marque);
    if (texte_minutes == "60") return texte_nombre(degres + 1, marque) + "° 00'";
    return texte_nombre(degres, marque) + "° " + texte_minutes + "'";
}

} // namespace

LignesTopocentriques lignes_topocentriques(const Topocentrique& topo, char marque) {
    LignesTopocentriques lignes = lignes_topocentriques_absentes();

    if (std::isfinite(topo.distance))
        lignes.distance = LibelleDistance + texte_image(topo.distance, "00.000", marque) + " kms";

    if (std::isfinite(topo.ad)) {
        const SexagesimalAffiche a = sexagesimale_affichee(topo.ad, 24);
        lignes.ascension = LibelleAscension + texte_image(static_cast<double>(a.unites), "00", marque) +
                           " h " + texte_image(a.minutes, "00", marque) + " m " +
                           texte_nombre(a.secondes, marque) + "s";
    }

    if (std::isfinite(topo.decl)) {
        const SexagesimalAffiche d = sexagesimale_affichee(std::fabs(topo.decl));
        lignes.declinaison = LibelleDeclinaison + std::string(topo.decl < 0 ? "-" : "+") +
                             texte_image(static_cast<double>(d.unites), "00", marque) + "° " +
                             texte_image(d.minutes, "00", marque) + "' " + texte_nombre(d.secondes, marque) +
                             "''";
    }

    if (std::isfinite(topo.hauteur)) {
        // An altitude that rounds to zero from below has already become 0 (or -0): "+", green.
        lignes.sous_horizon = topo.hauteur < 0;
        lignes.hauteur = LibelleHauteur + std::string(lignes.sous_horizon ? "-" : "+") +
                         degres_minutes(topo.hauteur, marque);
    }

    if (std::isfinite(topo.azimut)) lignes.azimut = LibelleAzimut + degres_minutes(topo.azimut, marque);

    return lignes;
}

LignesTopocentriques lignes_topocentriques(const VueDuLieu& vue, char marque) {
    return vue.valeurs ? lignes_topocentriques(*vue.valeurs, marque) : lignes_topocentriques_absentes();
}

LignesTopocentriques lignes_topocentriques_absentes() {
    LignesTopocentriques lignes;
    lignes.distance = ligne_absente(LibelleDistance);
    lignes.ascension = ligne_absente(LibelleAscension);
    lignes.declinaison = ligne_absente(LibelleDeclinaison);
    lignes.hauteur = ligne_absente(LibelleHauteur);
    lignes.azimut = ligne_absente(LibelleAzimut);
    lignes.sous_horizon = false;
    return lignes;
}

} // namespace orbitel
