// orbitel-rapport: the texts of the window for one instant and one place, tables of them over a
// range of instants, or the phases of a year, on standard output. The work is execute_rapport's;
// this plugs in the system: its clock, the terminal's character set, and through the Qt module,
// loaded on first need, the window's saved place, the locale's decimal mark and the time zone.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/module_qt.hpp"
#include "cli/rapport.hpp"
#include "cli/sortie.hpp"
#include "clock/instant.hpp"
#include "platform/codage_sortie.hpp"

using namespace orbitel;

namespace {

struct ModuleIntrouvable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The folder of the running program, "" when the system does not say.
std::string dossier_du_programme() {
    std::string chemin(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", chemin.data(), chemin.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= chemin.size()) return {};
    chemin.resize(static_cast<std::size_t>(n));
    return chemin.substr(0, chemin.rfind('/') + 1);
}

// The module, looked for beside the program (the build tree), then where the installation puts it
// relative to the program's folder (ORBITEL_MODULE_RELATIF, e.g. ../lib/x86_64-linux-gnu/orbitel).
const ModuleQt& module_qt() {
    static const ModuleQt* module = [] {
        const std::string dossier = dossier_du_programme();
        const std::string nom = ORBITEL_MODULE_NOM;
        std::string erreurs;
        for (const std::string& chemin : {dossier + nom, dossier + ORBITEL_MODULE_RELATIF "/" + nom}) {
            if (void* m = ::dlopen(chemin.c_str(), RTLD_NOW | RTLD_LOCAL)) {
                const auto entree =
                    reinterpret_cast<const ModuleQt* (*)()>(::dlsym(m, ORBITEL_POINT_ENTREE_MODULE_QT));
                if (entree) return entree();
            }
            const char* e = ::dlerror();
            erreurs += "\n  " + (e ? std::string(e) : chemin);
        }
        throw ModuleIntrouvable(
            "orbitel-rapport : le module " + nom +
            ", qui lit le lieu enregistré, la locale et le fuseau du système, ne se charge "
            "pas (réinstaller Orbitel) :" +
            erreurs);
    }();
    return *module;
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
    env.reglages = [] { return module_qt().reglages(); };
    env.marque_decimale = [] { return module_qt().marque_decimale(); };
    env.fuseau_systeme = [] { return module_qt().fuseau_systeme(); };
    // The terminal's character set, when it is neither UTF-8 nor the C locale's ASCII.
    const std::optional<std::string> jeu = jeu_de_conversion_de_l_environnement();
    if (jeu) env.vers_terminal = [&jeu](std::string_view texte) { return vers_jeu(texte, *jeu); };

    TamponFichier tampon(stdout);
    std::ostream sortie(&tampon);
    int statut = 0;
    try {
        statut = execute_rapport(args, env, sortie, std::cerr);
    } catch (const ModuleIntrouvable& e) {
        // Asked for before anything is written.
        std::cerr << (jeu ? vers_jeu(e.what(), *jeu) : std::string(e.what())) << "\n";
        return 1;
    }
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
