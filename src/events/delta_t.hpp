#pragma once
#include <cstdint>
#include <string>

namespace orbitel {

// Delta T (terrestrial dynamical time minus universal time) for a calendar year, by the program's
// own piecewise rule: 57 s before 2000; 94 + 102 t + 0.37 (year - 2100) s with t = (year - 2000) / 100
// from 2000 to 2100 (57 s at 2000, 196 s at 2100); 190 s after 2100. It only converts the phase
// instants, which come out in dynamical time, to universal time.
struct EstimationDeltaT {
    double secondes = 0;
    float jours = 0; // secondes / 60 / 60 / 24, narrowed to the single precision the phases use
    // "Les heures sont en temps universel, la différence avec le temps terrestre dynamique (TDT ou TT)
    // est, en 2024, de 90.36 secondes." with the given decimal mark.
    std::string notice;
};

// `marque` is the user's decimal mark, ',' or '.'.
EstimationDeltaT calcule_delta_t(std::int16_t annee, char marque);

} // namespace orbitel
