// orbitel-rapport: the texts of the window for one instant and one place, tables of them over a
// range of instants, or the phases of a year, on standard output. The work is execute_rapport's;
// this plugs in the system: its clock, the terminal's character set, and through the platform
// (Qt Core, as in the window) the window's saved place, the locale's decimal mark and the zone.
#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QString>

#include <cerrno>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/rapport.hpp"
#include "cli/sortie.hpp"
#include "clock/instant.hpp"
#include "platform/codage_sortie.hpp"
#include "platform/ecriture_ini.hpp"
#include "platform/fuseau_systeme.hpp"
#include "platform/locale_systeme.hpp"
#include "platform/reglages_ini.hpp"

using namespace orbitel;

namespace {

// Why the file cannot be read (errno), 0 when it can or is not there.
int erreur_de_lecture(const char* chemin) {
    const int fd = ::open(chemin, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? 0 : errno;
    char octet;
    const int erreur = ::read(fd, &octet, 1) < 0 ? errno : 0;
    ::close(fd);
    return erreur;
}

// The window's store. A file that is there but cannot be read would pass for a first run, its place
// silently replaced by Paris: it is refused.
Resultat<std::unique_ptr<MagasinReglages>> reglages() {
    const QString chemin = chemin_reglages_utilisateur(QStringLiteral("orbitel"));
    const QByteArray nom = QFile::encodeName(chemin);
    if (const int erreur = erreur_de_lecture(nom.constData()))
        return Refus{"orbitel-rapport : le lieu enregistré ne peut pas être lu dans " + nom.toStdString() +
                     " (" + raison_erreur_systeme(erreur) + ")."};
    return ouvre_reglages_utilisateur(QStringLiteral("orbitel"));
}

// Why standard output could not be written, in French: the system's own text would be English.
std::string raison_ecriture(int erreur) {
    switch (erreur) {
    case 0:
        return {};
    case ENOSPC:
        return " (plus de place sur le périphérique)";
    case EDQUOT:
        return " (quota de disque dépassé)";
    case EFBIG:
        return " (fichier trop grand)";
    case EBADF:
        return " (elle est fermée)";
    case EPIPE:
        return " (le programme qui la lit s'est arrêté)";
    case EIO:
        return " (erreur d'entrée-sortie)";
    default:
        return " (erreur système " + std::to_string(erreur) + ")";
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const HorlogeSysteme horloge;
    EnvironnementRapport env;
    env.horloge = &horloge;
    env.reglages = reglages;
    env.marque_decimale = marque_decimale_locale;
    env.fuseau_systeme = fuseau_systeme;
    // The terminal's character set, when it is neither UTF-8 nor the C locale's ASCII.
    const std::optional<std::string> jeu = jeu_de_conversion_de_l_environnement();
    if (jeu) env.vers_terminal = [&jeu](std::string_view texte) { return vers_jeu(texte, *jeu); };

    TamponFichier tampon(stdout);
    std::ostream sortie(&tampon);
    const int statut = execute_rapport(args, env, sortie, std::cerr);
    // Output that could not be written fails the run, whatever it was, and says so: a full disk
    // must not pass for an empty report.
    if (!sortie.flush() || !tampon.reussi()) {
        const std::string message = "orbitel-rapport : la sortie standard n'a pas pu être écrite" +
                                    raison_ecriture(tampon.erreur()) + ".";
        std::cerr << (jeu ? vers_jeu(message, *jeu) : message) << "\n";
        return 1;
    }
    return statut;
}
