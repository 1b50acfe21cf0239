#include "text/note_locale.hpp"

#include <cstdlib>

namespace orbitel {

std::string duree_heures_minutes(long long minutes) {
    const long long heures = minutes / 60;
    const long long reste = minutes % 60;
    if (reste == 0) {
        return std::to_string(heures) + " heures";
    }
    if (heures == 0) {
        return std::to_string(reste) + " minutes";
    }
    return std::to_string(heures) + " heures " + std::to_string(reste) + " minutes";
}

std::string note_heure_locale(int ecart_minutes) {
    if (ecart_minutes == 0) {
        return "L'heure locale est l'heure TU.";
    }
    // Widened before taking the magnitude: the most negative int has no positive counterpart.
    const long long ecart = ecart_minutes;
    if (ecart > 0) {
        return "Pour obtenir l'heure locale veuillez ajouter " + duree_heures_minutes(ecart) + ".";
    }
    return "Pour obtenir l'heure locale veuillez retirer " + duree_heures_minutes(-ecart) + ".";
}

std::string notice_ecart_local(int ecart_minutes) {
    if (ecart_minutes == 0) return "Votre système est à l'heure TU.";
    // Widened before taking the magnitude: the most negative int has no positive counterpart.
    const long long ecart = ecart_minutes;
    return std::string(ecart > 0 ? "Votre système est en avance sur TU de "
                                 : "Votre système est en retard sur TU de ") +
           duree_heures_minutes(ecart > 0 ? ecart : -ecart) + ".";
}

} // namespace orbitel
