#pragma once
// The place saved at the window's end, and every way the program can end: the quit button, the
// window closed, SIGTERM, SIGINT or SIGHUP, the end of the user's session.
#include <QString>

#include "clock/reglages.hpp"

class QWidget;

namespace orbitel {

class PosLune;

// Dynamic properties of the main window read here: "sansDialogue" (true when nobody can be asked,
// a signal or a session end without interaction: failures then go to standard error) and
// "lieuNonEnregistre" (set once the user gave up a save that failed; the program then ends with
// status 1).
inline constexpr char propriete_sans_dialogue[] = "sansDialogue";
inline constexpr char propriete_lieu_non_enregistre[] = "lieuNonEnregistre";

// Saves the place; when the save fails, asks "Enregistrement impossible" with the file and the
// reason, "Réessayer" trying again, "Quitter sans enregistrer" giving up. A settings file that
// exists but cannot be read is replaced only if the user answers "Remplacer" to the question
// (the default keeps it). Without anyone to ask, the failure is written to standard error and the
// file is kept. True once the place is saved.
bool enregistre_lieu_en_quittant(QWidget& fenetre, MagasinReglages& magasin, const ChampsLieu& lieu);

// The text of the question for a failed save.
QString texte_echec_enregistrement(const EchecEcriture& echec);

// Tells at start-up that the settings file exists but cannot be read: the window runs with the
// default place and the file will not be replaced without the user's consent. A message box
// (modal to the window, opened without waiting), or standard error when nobody can be asked.
void signale_lecture_impossible(QWidget& fenetre, const MagasinReglages& magasin);

// Turns the end signals and the session's end into the quit button's own quit, through the event
// loop, and makes sure the place is saved if the application quits by any other road.
void raccorde_fins(PosLune& fenetre);

// The program's exit status: 1 when the place could not be saved, else the event loop's.
int code_de_sortie(const QWidget& fenetre, int code_boucle);

} // namespace orbitel
