#include "window/notices.hpp"

#include "text/note_locale.hpp"

namespace orbitel {

std::string notice_ecart_local(int ecart_minutes) {
    if (ecart_minutes == 0) return "Votre système est à l'heure TU.";
    // Widened before taking the magnitude: the most negative int has no positive counterpart.
    const long long ecart = ecart_minutes;
    return std::string(ecart > 0 ? "Votre système est en avance sur TU de " : "Votre système est en retard sur TU de ") +
           duree_heures_minutes(ecart > 0 ? ecart : -ecart) + ".";
}

} // namespace orbitel
