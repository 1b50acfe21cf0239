// orbitel: the main window, in real time from the system clock, for the place kept in orbitel.ini.
#include <QApplication>
#include <QFileInfo>

#include "clock/instant.hpp"
#include "platform/locale_systeme.hpp"
#include "platform/reglages_ini.hpp"
#include "platform/traductions.hpp"
#include "version_orbitel.hpp"
#include "window/enregistrement.hpp"
#include "window/impression.hpp"
#include "window/navigateur_systeme.hpp"
#include "window/pos_lune.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orbitel::charge_traductions_qt(app);
    // The settings are the program's own: named after its file, whatever it was started as.
    const QString nom = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QCoreApplication::setApplicationName(nom);
    QGuiApplication::setDesktopFileName(QString::fromUtf8(orbitel::construction::identifiant_application));

    orbitel::HorlogeSysteme horloge;
    orbitel::MagasinIni reglages(orbitel::chemin_reglages_utilisateur(nom));
    orbitel::NavigateurSysteme navigateur;
    // One printer for the run, so the dialog offers the choices made at the previous printout.
    orbitel::ImprimanteSysteme imprimante;
    orbitel::PosLune fenetre(horloge, reglages, navigateur, imprimante, orbitel::marque_decimale_locale());
    orbitel::raccorde_fins(fenetre, fenetre);
    fenetre.demarre();
    // A signal handled while starting up has already unloaded the window: no loop left to run.
    return fenetre.code_de_sortie(fenetre.isVisible() ? QApplication::exec() : 0);
}
