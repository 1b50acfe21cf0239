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
    // Whether nobody can be asked (a signal, a session end without interaction): failures then go
    // to standard error.
    virtual void definit_sans_dialogue(bool sans_dialogue) = 0;
    // The quit button's own quit: the window unloaded (the place saved), then the program's end.
    virtual void quitte() = 0;
    // The window's unload: the place saved, nothing when it already was.
    virtual void decharge() = 0;

protected:
    ~FinsDuProgramme() = default;
};

// Saves the place, then the display switches in their own section, each as one unit; when the save fails,
// asks "Enregistrement impossible" with the file and the reason, "Réessayer" trying again, "Quitter sans
// enregistrer" giving up. A settings file that exists but cannot be read is replaced only if the user answers
// "Remplacer" to the question (the default keeps it). Without anyone to ask, the failure is written to
// standard error and the file is kept (sans_dialogue). True once both are saved.
bool enregistre_lieu_en_quittant(QWidget& fenetre, MagasinReglages& magasin, const ChampsLieu& lieu,
                                 const ChoixAffichage& affichage, bool sans_dialogue);

// The text of the question for a failed save.
QString texte_echec_enregistrement(const EchecEcriture& echec);

// Tells at start-up that the settings file exists but cannot be read: the window runs with the
// default place and the file will not be replaced without the user's consent. A message box
// (modal to the window, opened without waiting), or standard error when nobody can be asked.
void signale_lecture_impossible(QWidget& fenetre, const MagasinReglages& magasin, bool sans_dialogue);

// Turns the end signals and the session's end into the quit button's own quit, through the event
// loop, and makes sure the place is saved if the application quits by any other road.
void raccorde_fins(QWidget& fenetre, FinsDuProgramme& fins);

} // namespace orbitel
