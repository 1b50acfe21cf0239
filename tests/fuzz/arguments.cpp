// Any command line through orbitel-rapport (the input's NUL bytes separate the arguments): either
// the 22 lines of the report, or the help, or a clean refusal; never "nan" or "inf", always UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/arguments.hpp"
#include "cli/rapport.hpp"
#include "clock/horloge_fixe.hpp"
#include "outils_fuzz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace orbitel;
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < taille && args.size() <= 16; ++i) {
        if (donnees[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(donnees[i]);
        }
    }
    const HorlogeFixe horloge({2026, 12, 1, 7, 5, 41, 7, 250}, {2026, 12, 7, 6, 41, 7});
    MagasinMemoire reglages;
    const SortieRapport r = execute_rapport(args, horloge, reglages, taille % 2 ? ',' : '.');
    fuzz::exige(fuzz::utf8_valide(r.sortie) && fuzz::utf8_valide(r.erreurs));
    fuzz::exige(!fuzz::nan_ou_inf(r.sortie));
    if (r.code == 2) {
        // A refusal says why on standard error and writes nothing else.
        fuzz::exige(r.sortie.empty() && !r.erreurs.empty() && r.erreurs.back() == '\n');
    } else {
        fuzz::exige(r.code == 0 && r.erreurs.empty());
        if (r.sortie != texte_aide) fuzz::exige(fuzz::lignes(r.sortie) == 22);
    }
    return 0;
}
