// orbitel-rapport: the texts of the window for one instant and one place, on standard output.

#include <iostream>
#include <string>
#include <vector>

#include "cli/rapport.hpp"
#include "platform/codage_sortie.hpp"
#include "platform/locale_systeme.hpp"
#include "platform/reglages_ini.hpp"

using namespace orbitel;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const SortieRapport r =
        execute_rapport(args, HorlogeSysteme{}, *ouvre_reglages_utilisateur(QStringLiteral("orbitel")),
                        marque_decimale_locale());
    // Texts and messages in the terminal's character set when it is not UTF-8 ("?" for what it lacks).
    const std::optional<std::string> jeu = jeu_de_conversion_de_l_environnement();
    std::cout << (jeu ? vers_jeu(r.sortie, *jeu) : r.sortie);
    std::cerr << (jeu ? vers_jeu(r.erreurs, *jeu) : r.erreurs);
    return r.code;
}
