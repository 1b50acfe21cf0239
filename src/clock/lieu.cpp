#include "clock/lieu.hpp"

#include <cfloat>
#include <cmath>

#include "clock/lecture.hpp"
#include "clock/nombres.hpp"

namespace orbitel {

namespace {

// Degrees and minutes in single precision, or nothing when either text or the sum cannot be held.
std::optional<float> degres_minutes(const std::string& degres, const std::string& minutes) {
    const std::optional<double> m = lit_nombre(minutes);
    const std::optional<double> d = lit_nombre(degres);
    if (!m || !d) return std::nullopt;
    const double valeur = *d + *m / 60;
    // Converting a double beyond the float range is undefined, and inf would poison every line.
    if (!(std::fabs(valeur) <= FLT_MAX)) return std::nullopt;
    return en_simple(valeur);
}

} // namespace

std::optional<Observateur> lit_lieu(const ChampsLieu& champs) {
    const std::optional<float> lat = degres_minutes(champs.lat0, champs.lat1);
    const std::optional<float> lon = degres_minutes(champs.lon0, champs.lon1);
    if (!lat || !lon) return std::nullopt;

    Observateur lieu;
    lieu.Lat = champs.nord ? *lat : -*lat;
    // Typed east positive, held west positive.
    lieu.Lon = champs.est ? -*lon : *lon;
    return lieu;
}

} // namespace orbitel
