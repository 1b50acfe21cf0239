#pragma once
#include <optional>
#include <string>

class QLabel;

namespace orbitel {

// The local-clock notice of the window, for the offset of the local clock from UT in minutes
// (positive when the local clock is ahead): "Votre système est en avance sur TU de 2 heures.",
// "... en retard sur TU de 5 heures.", "... de 5 heures 30 minutes." for zones that are not a
// whole number of hours, and "Votre système est à l'heure TU." when both agree.
std::string notice_ecart_local(int ecart_minutes);

// Writes that notice into `label` unless it already states this offset, so that every tick may ask
// for it at the cost of one comparison; an offset that makes no sense (nullopt) leaves it empty.
void ecrit_notice_ecart_local(QLabel& label, std::optional<int> ecart_minutes);

} // namespace orbitel
