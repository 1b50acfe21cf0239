#include "text/textes_nuit.hpp"

#include <cmath>

#include "clock/calendrier.hpp"
#include "text/formats.hpp"
#include "text/heure_locale.hpp"

namespace orbitel {

std::string texte_heure_graphe(double secondes_locales) {
    const std::string hhmm = texte_image(secondes_locales / 86400, "hh:mm");
    if (hhmm.size() != 5) return hhmm; // "---"
    return hhmm.substr(0, 2) + " h " + hhmm.substr(3, 2);
}

std::string texte_heure_axe(int heure) {
    return texte_image(heure, "00") + " h";
}

std::string texte_point_graphe(double secondes_locales, double hauteur, double azimut, char marque) {
    return texte_heure_graphe(secondes_locales) + " — hauteur " + texte_image(hauteur, "0.0", marque) +
           "° — azimut " + texte_image(azimut, "0.0", marque) + "°";
}

std::string texte_evenement_graphe(EvenementGraphe evenement, double secondes_locales) {
    static constexpr const char* noms[] = {"Lever ", "Passage ", "Coucher "};
    return noms[static_cast<int>(evenement)] + texte_heure_graphe(secondes_locales);
}

namespace {

std::string texte_jour(std::int64_t jour) {
    const DateCivile d = date_civile(jour);
    return texte_image(d.jour, "00") + "/" + texte_image(d.mois, "00") + "/" + texte_image(d.annee, "0000");
}

} // namespace

std::string texte_titre_nuit(std::int64_t jour_debut, std::int64_t jour_fin, int decalage_secondes) {
    return "Nuit du " + texte_jour(jour_debut) + " au " + texte_jour(jour_fin) + ", heures en " +
           texte_decalage(decalage_secondes);
}

std::string texte_lieu_graphe(float lat, float lon_ouest, char marque) {
    return texte_image(std::fabs(lat), "0.00", marque) + (lat < 0 ? "° S, " : "° N, ") +
           texte_image(std::fabs(lon_ouest), "0.00", marque) + (lon_ouest > 0 ? "° O" : "° E");
}

} // namespace orbitel
