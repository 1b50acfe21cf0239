#pragma once
#include <string>

namespace orbitel {

// The local-clock notice of the window, for the offset of the local clock from UT in minutes
// (positive when the local clock is ahead): "Votre système est en avance sur TU de 2 heures.",
// "... en retard sur TU de 5 heures.", "... de 5 heures 30 minutes." for zones that are not a
// whole number of hours, and "Votre système est à l'heure TU." when both agree.
std::string notice_ecart_local(int ecart_minutes);

} // namespace orbitel
