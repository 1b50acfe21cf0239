// orbitel: the main window, in real time from the system clock, for the place kept in orbitel.ini.
#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "clock/instant.hpp"
#include "platform/affichage.hpp"
#include "platform/codage_sortie.hpp"
#include "platform/locale_systeme.hpp"
#include "platform/reglages_ini.hpp"
#include "platform/traductions.hpp"
#include "version_orbitel.hpp"
#include "window/enregistrement.hpp"
#include "window/impression.hpp"
#include "window/navigateur_systeme.hpp"
#include "window/pos_lune.hpp"

namespace {

// A line on standard error, in the terminal's character set.
void ecrit_erreur(const std::string& utf8) {
    const std::optional<std::string> jeu = orbitel::jeu_de_conversion_de_l_environnement();
    std::fprintf(stderr, "%s\n", (jeu ? orbitel::vers_jeu(utf8, *jeu) : utf8).c_str());
    std::fflush(stderr);
}

// Qt's messages while the application starts its window plugin: held back, and dropped for the
// French one if the plugin cannot start (Qt would abort).
struct MessageRetenu {
    QtMsgType type;
    const char* fichier;
    int ligne;
    const char* fonction;
    const char* categorie;
    QString texte;
};
std::vector<MessageRetenu> retenus;
QtMessageHandler precedent = nullptr;

void retient(QtMsgType type, const QMessageLogContext& contexte, const QString& texte) {
    if (type == QtFatalMsg) {
        ecrit_erreur(orbitel::message_affichage_injoignable());
        std::_Exit(1);
    }
    // Warnings made fatal for debugging are Qt's to show: it aborts right after them.
    if (qEnvironmentVariableIsSet("QT_FATAL_WARNINGS") || qEnvironmentVariableIsSet("QT_FATAL_CRITICALS")) {
        precedent(type, contexte, texte);
        return;
    }
    retenus.push_back({type, contexte.file, contexte.line, contexte.function, contexte.category, texte});
}

} // namespace

int main(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (orbitel::affichage_absent(orbitel::plateforme_demandee(argc, argv, std::getenv("QT_QPA_PLATFORM")),
                                  std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) {
        ecrit_erreur(orbitel::message_sans_affichage());
        return 1;
    }
#endif
    precedent = qInstallMessageHandler(retient);
    QApplication app(argc, argv);
    qInstallMessageHandler(precedent);
    for (const MessageRetenu& m : retenus)
        precedent(m.type, QMessageLogContext(m.fichier, m.ligne, m.fonction, m.categorie), m.texte);
    retenus.clear();

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
