// orbitel-rapport: the texts of the window for one instant and one place, tables of them over a
// range of instants, or the phases of a year, on standard output. The work is execute_rapport's;
// this plugs in the system: its clock, the window's saved place, the locale and the time zone.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/rapport.hpp"
#include "cli/sortie.hpp"
#include "clock/instant.hpp"
#include "platform/codage_sortie.hpp"
#include "platform/fuseau_systeme.hpp"
#include "platform/locale_systeme.hpp"
#include "platform/reglages_ini.hpp"

using namespace orbitel;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const HorlogeSysteme horloge;
    EnvironnementRapport env;
    env.horloge = &horloge;
    env.reglages = [] { return ouvre_reglages_utilisateur(QStringLiteral("orbitel")); };
    env.marque_decimale = marque_decimale_locale;
    env.fuseau_systeme = fuseau_systeme;
    // The terminal's character set, when it is neither UTF-8 nor the C locale's ASCII.
    if (const std::optional<std::string> jeu = jeu_de_conversion_de_l_environnement())
        env.vers_terminal = [jeu = *jeu](std::string_view texte) { return vers_jeu(texte, jeu); };

    TamponFichier tampon(stdout);
    std::ostream sortie(&tampon);
    const int statut = execute_rapport(args, env, sortie, std::cerr);
    // Output that could not be written fails the run, whatever it was.
    if (!sortie.flush() || !tampon.reussi()) return 1;
    return statut;
}
