#pragma once
#include <QString>

namespace orbitel {

class PosLune;

// The keyboard of the main window, and the copy of its results:
// - Tab runs day, month, year, hours, minutes, seconds, Calcul, print, latitude degrees and minutes,
//   N/S (one stop, the arrow keys switch), longitude degrees and minutes, E/O (one stop), the two
//   stepping arrows, Quitter, A Propos, the mode button, and round again; hidden controls are
//   passed over. dummy keeps the parked focus but Tab never lands on it; the next stop from it is
//   the first shown control of that cycle.
// - Enter in any of the six instant fields computes, as Calcul; Ctrl+P prints in chosen-instant
//   mode, as the print button; Ctrl+Q quits; Page Up / Page Down step the phase panel one lunation
//   back / forward, as the two arrows.
// - Ctrl+C, unless a field with a selection holds the focus, and "Copier le relevé" in the results
//   panel's menu put texte_releve on the clipboard.
// - A bright frame marks the control that has the focus.
void installe_clavier(PosLune& fenetre);

// The 22 texts of the results as shown, one per line with a final line end, in the order
// orbitel-rapport prints them: geocentric lines 1 to 6, the three topocentric lines, geocentric
// lines 7 and 8, the instant, altitude, azimuth, rise, set, the five phase dates and the Delta T
// notice.
QString texte_releve(const PosLune& fenetre);

// Puts texte_releve on the clipboard.
void copie_releve(const PosLune& fenetre);

} // namespace orbitel
