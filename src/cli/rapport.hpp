#pragma once
// All that orbitel-rapport does for one command line, away from the process: the clock, the saved
// place, the decimal mark and the system's zone come in (each asked for only when the command line
// needs it), the texts go to the two streams and the exit status comes back. main() only plugs in
// the system; the fuzzing harness drives it with any command line.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/resultat.hpp"
#include "clock/fuseau.hpp"
#include "clock/instant.hpp"
#include "clock/reglages.hpp"

namespace orbitel {

struct EnvironnementRapport {
    const Horloge* horloge = nullptr;
    // The store holding the window's place, opened when the command line lacks part of the place;
    // refused (status 1) when it is there but cannot be read.
    std::function<Resultat<std::unique_ptr<MagasinReglages>>()> reglages;
    // The locale's decimal mark, asked for by the window's texts only (tables write a point).
    std::function<char()> marque_decimale;
    // The system's zone, for --fuseau local only.
    std::function<std::unique_ptr<Fuseau>()> fuseau_systeme;
    // The window's texts and the messages as the terminal wants them; empty: they stay UTF-8.
    std::function<std::string(std::string_view)> vers_terminal;
    // A range of more rows than this is refused.
    std::int64_t lignes_maximales = 1000000;
};

// Writes the report of the command line `args` (without the program's name) on `sortie`, or the
// reason of a refusal on `erreurs`. Returns 0, 1 when the saved place cannot be read, or 2 for a
// command line that is refused (then nothing is written on `sortie`).
int execute_rapport(const std::vector<std::string>& args, const EnvironnementRapport& environnement,
                    std::ostream& sortie, std::ostream& erreurs);

// The text with every byte that is not part of a UTF-8 sequence replaced by U+FFFD: a message
// quoting what was typed stays text whatever was typed.
std::string texte_valide(std::string_view texte);

} // namespace orbitel
