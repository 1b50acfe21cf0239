#include "clock/nombres.hpp"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace orbitel {

std::string chiffres_arrondis(double x, int n) {
    char tampon[40];
    std::snprintf(tampon, sizeof tampon, "%.14e", std::fabs(x));
    const std::string mantisse = std::string(1, tampon[0]) + std::string(tampon + 2, 14);
    const int exposant = std::atoi(tampon + 17);

    // The digits kept are those down to 10^-n: exposant + 1 + n of them.
    const int gardes = exposant + 1 + n;
    std::string resultat;
    bool retenue = false;
    if (gardes <= 0) {
        retenue = gardes == 0 && mantisse[0] >= '5';
    } else {
        resultat = mantisse.substr(0, static_cast<std::size_t>(std::min(gardes, 15)));
        if (gardes < 15) retenue = mantisse[static_cast<std::size_t>(gardes)] >= '5';
        resultat.append(static_cast<std::size_t>(std::max(0, gardes - 15)), '0');
    }
    if (retenue) {
        int i = static_cast<int>(resultat.size()) - 1;
        for (; i >= 0; --i) {
            if (resultat[static_cast<std::size_t>(i)] == '9') {
                resultat[static_cast<std::size_t>(i)] = '0';
            } else {
                ++resultat[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) resultat = "1" + resultat;
    }
    // At least one integer digit, and exactly n decimals.
    if (static_cast<int>(resultat.size()) < n + 1)
        resultat = std::string(static_cast<std::size_t>(n + 1) - resultat.size(), '0') + resultat;
    return resultat;
}

double arrondi_decimal(double x, int decimales) {
    if (!std::isfinite(x)) return x;
    std::string texte = chiffres_arrondis(x, decimales);
    if (texte.find_first_not_of('0') == std::string::npos) return 0.0; // no sign on a rounded zero
    texte.insert(texte.size() - static_cast<std::size_t>(decimales), 1, '.');
    if (x < 0) texte.insert(0, 1, '-');
    // Read back from the decimal text, so the value is the double nearest to it.
    double valeur = x;
    std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    return valeur;
}

float en_simple(double x) {
    if (!(std::fabs(x) > FLT_MAX)) return static_cast<float>(x); // in range, or NaN
    // Halfway between the largest float and the next power of two: from there on, the hardware's
    // round-to-nearest gives infinity; below it, the largest float.
    constexpr double debordement = 0x1.ffffffp127;
    const float magnitude = std::fabs(x) >= debordement ? std::numeric_limits<float>::infinity() : FLT_MAX;
    return std::copysign(magnitude, static_cast<float>(std::signbit(x) ? -1 : 1));
}

} // namespace orbitel
