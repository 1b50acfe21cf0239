#include "text/textes_nuit.hpp"

#include "text/formats.hpp"

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

} // namespace orbitel
