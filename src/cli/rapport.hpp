#pragma once
// All that orbitel-rapport does for one command line, away from the terminal: the clock, the saved
// place and the decimal mark come in, the texts and the exit status go out. main() only writes
// them; the fuzzing harness drives this with any command line.
#include <string>
#include <vector>

#include "clock/instant.hpp"
#include "clock/reglages.hpp"

namespace orbitel {

struct SortieRapport {
    int code = 0;        // 0 done, 2 refused (bad command line, a place that cannot be held)
    std::string sortie;  // for standard output, UTF-8
    std::string erreurs; // for standard error, UTF-8
};

SortieRapport execute_rapport(const std::vector<std::string>& args, const Horloge& horloge,
                              const MagasinReglages& reglages, char marque);

} // namespace orbitel
