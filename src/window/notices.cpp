#include "window/notices.hpp"

#include <cstdlib>

namespace orbitel {

std::string notice_ecart_local(int ecart_minutes) {
    if (ecart_minutes == 0) return "Votre système est à l'heure TU.";
    const int total = std::abs(ecart_minutes);
    const int heures = total / 60;
    const int minutes = total % 60;
    std::string t = ecart_minutes > 0 ? "Votre système est en avance sur TU de "
                                      : "Votre système est en retard sur TU de ";
    if (heures > 0 || minutes == 0) {
        t += std::to_string(heures);
        t += " heures";
        if (minutes > 0) t += ' ';
    }
    if (minutes > 0) {
        t += std::to_string(minutes);
        t += " minutes";
    }
    t += '.';
    return t;
}

} // namespace orbitel
