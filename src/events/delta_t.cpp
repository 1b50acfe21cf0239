#include "events/delta_t.hpp"

#include "clock/nombres.hpp"

namespace orbitel {

EstimationDeltaT calcule_delta_t(std::int16_t annee) {
    double secondes;
    if (annee < 2000) {
        secondes = 57;
    } else if (annee <= 2100) {
        // t and the constants 94 and 102 are single precision, so their part of the sum is formed in
        // single precision; only the last term is double (2024 gives 90.3599957 s, not 90.36).
        const float t = en_simple((annee - 2000) / 100.0);
        const float base = 94.0f + 102.0f * t;
        secondes = static_cast<double>(base) + 0.37 * (annee - 2100);
    } else {
        secondes = 190;
    }
    EstimationDeltaT r;
    r.secondes = secondes;
    r.jours = en_simple(secondes / 60 / 60 / 24);
    return r;
}

} // namespace orbitel
