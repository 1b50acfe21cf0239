#include "clock/fuseau.hpp"

#include <algorithm>

namespace orbitel {

double tu_depuis_local(const Fuseau& fuseau, double secondes_locales) {
    // Clocks change at most a few times a year, by less than a day: the offsets a day before and a
    // day after are the only ones that can apply.
    constexpr double jour = 86400;
    const std::int32_t avant = fuseau.decalage(secondes_locales - jour);
    const std::int32_t apres = fuseau.decalage(secondes_locales + jour);
    const double t_avant = secondes_locales - avant;
    const double t_apres = secondes_locales - apres;
    const bool avant_vaut = fuseau.decalage(t_avant) == avant;
    const bool apres_vaut = fuseau.decalage(t_apres) == apres;
    if (avant_vaut && apres_vaut) return std::min(t_avant, t_apres);
    if (avant_vaut) return t_avant;
    if (apres_vaut) return t_apres;
    // In the gap: the offset in force before it carries the reading past the change.
    return t_avant;
}

} // namespace orbitel
