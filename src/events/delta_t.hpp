#pragma once
#include <cstdint>

namespace orbitel {

// Delta T (terrestrial dynamical time minus universal time) for a calendar year, by the program's
// own piecewise rule: 57 s before 2000; 94 + 102 t + 0.37 (year - 2100) s with t = (year - 2000) / 100
// from 2000 to 2100 (57 s at 2000, 196 s at 2100); 190 s after 2100. It only converts the phase
// instants, which come out in dynamical time, to universal time.
struct EstimationDeltaT {
    double secondes = 0;
    float jours = 0; // secondes / 60 / 60 / 24, narrowed to the single precision the phases use
};

EstimationDeltaT calcule_delta_t(std::int16_t annee);

} // namespace orbitel
