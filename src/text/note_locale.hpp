#pragma once
#include <string>

namespace orbitel {

// The note printed under the window, telling the reader how to go from the universal times shown
// to the local clock. `decalage_secondes` is the zone's offset from UT at the printed instant
// (positive when the local clock is ahead). Whole hours read "... ajouter 2 heures." ("1 heure");
// any other offset is written as the local-time tool tips write it ("... retirer 3:30.",
// "... ajouter 0:09:21." for a local mean time); no offset says so plainly.
std::string note_heure_locale(int decalage_secondes);

// The note of a page whose lines are already on the local clock: "Les heures sont en heure locale
// (UTC+2)." with the zone's offset at the printed instant.
std::string note_lignes_locales(int decalage_secondes);

// The local-clock notice of the window, for the offset of the local clock from UT in minutes
// (positive when the local clock is ahead): "Votre système est en avance sur TU de 2 heures.",
// "... en retard sur TU de 1 heure.", "... de 5 heures 30 minutes." for zones that are not a
// whole number of hours, and "Votre système est à l'heure TU." when both agree.
std::string notice_ecart_local(int ecart_minutes);

// A length of time in minutes (not negative) as the notes write it: "2 heures", "30 minutes",
// "5 heures 30 minutes", with the singular below two ("1 heure 1 minute").
std::string duree_heures_minutes(long long minutes);

} // namespace orbitel
