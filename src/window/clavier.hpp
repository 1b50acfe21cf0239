#pragma once
#include <functional>

class QWidget;

namespace orbitel {

struct PosLuneUi;

// What the keyboard asks of the window.
struct ActionsClavier {
    std::function<bool()> temps_reel; // Ctrl+P prints only in chosen-instant mode
    std::function<void()> copie_releve;
};

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
//   panel's menu copy the results (ActionsClavier::copie_releve).
// - A bright frame marks the control that has the focus.
void installe_clavier(QWidget& fenetre, const PosLuneUi& ui, ActionsClavier actions);

} // namespace orbitel
