#include "events/delta_t.hpp"

#include "text/formats.hpp"

namespace orbitel {

EstimationDeltaT calcule_delta_t(std::int16_t annee, char marque) {
    double secondes;
    if (annee < 2000) {
        secondes = 57;
    } else if (annee <= 2100) {
        // t and the constants 94 and 102 are single precision, so their part of the sum is formed in
        // single precision; only the last term is double (2024 gives 90.3599957 s, not 90.36).
        const float t = static_cast<float>((annee - 2000) / 100.0);
        const float base = 94.0f + 102.0f * t;
        secondes = static_cast<double>(base) + 0.37 * (annee - 2100);
    } else {
        secondes = 190;
    }
    EstimationDeltaT r;
    r.secondes = secondes;
    r.jours = static_cast<float>(secondes / 60 / 60 / 24);
    r.notice =
        "Les heures sont en temps universel, la différence avec le temps terrestre dynamique (TDT ou TT) "
        "est, en " +
        std::to_string(annee) + ", de " + texte_image(secondes, "00.00", marque) + " secondes.";
    return r;
}

} // namespace orbitel
