// Any text through the number reading of the typed fields: a value is finite, and the reading
// that gives 0 instead of "too large" agrees with it.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "clock/lecture.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const auto v = orbitel::lit_nombre(texte);
    const double z = orbitel::lit_nombre_ou_zero(texte);
    if (v) {
        if (!std::isfinite(*v)) std::abort();
        if (!(z == *v)) std::abort();
    } else if (z != 0.0) {
        std::abort();
    }
    return 0;
}
