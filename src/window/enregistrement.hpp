#pragma once
// The place saved at the window's end, and every way the program can end: the quit button, the
// window closed, SIGTERM, SIGINT or SIGHUP, the end of the user's session.
#include <QString>

#include "clock/reglages.hpp"

class QWidget;

namespace orbitel {

// What the ends of the program ask of the main window.
class FinsDuProgramme {
public:
    // Whether nobody can be asked about a failed save (a signal, a session end without
    // interaction): the failure then goes to standard error.
    virtual void definit_sans_dialogue(bool sans_dialogue) = 0;
    // The quit button's own quit: the window unloaded (the place saved), then the program's end.
    virtual void quitte() = 0;
    // The window's unload: the place saved, nothing when it already was.
    virtual void decharge() = 0;

protected:
    ~FinsDuProgramme() = default;
};

// Saves the place; when the save fails, asks "Enregistrement impossible" with the file and the
// reason, "Réessayer" trying again, "Quitter sans enregistrer" giving up. Without anyone to ask
// (sans_dialogue), the failure is written to standard error. True once the place is saved.
bool enregistre_lieu_en_quittant(QWidget& fenetre, MagasinReglages& magasin, const ChampsLieu& lieu,
                                 bool sans_dialogue);

// The text of the question for a failed save.
QString texte_echec_enregistrement(const EchecEcriture& echec);

// Turns the end signals and the session's end into the quit button's own quit, through the event
// loop, and makes sure the place is saved if the application quits by any other road.
void raccorde_fins(QWidget& fenetre, FinsDuProgramme& fins);

} // namespace orbitel
