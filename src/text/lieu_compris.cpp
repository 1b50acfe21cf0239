#include "text/lieu_compris.hpp"

#include <cmath>

namespace orbitel {

namespace {

std::string angle(double degres, const char* positif, const char* negatif) {
    const double minutes = std::round(std::fabs(degres) * 60);
    const auto d = static_cast<long long>(std::floor(minutes / 60));
    const auto m = static_cast<int>(minutes - static_cast<double>(d) * 60);
    std::string t = std::to_string(d) + "° ";
    if (m < 10) t += '0';
    t += std::to_string(m) + "′ ";
    return t + (std::signbit(degres) && minutes != 0 ? negatif : positif);
}

} // namespace

std::string texte_lieu(const Observateur& lieu) {
    // Held west positive, written as the user types it.
    return angle(lieu.Lat, "N", "S") + ", " + angle(-static_cast<double>(lieu.Lon), "E", "O");
}

} // namespace orbitel
