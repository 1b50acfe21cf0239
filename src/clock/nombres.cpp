#include "clock/nombres.hpp"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace orbitel {

namespace {

// The power of ten of the first significant digit of a decimal number in the C form that
// from_chars found out of the double's range, saturated far beyond that range: positive when the
// number was too large, negative when too small.
long long puissance_de_dix(std::string_view mantisse, std::string_view exposant) {
    constexpr long long borne = 1'000'000'000;
    long long e = 0;
    bool negatif = false;
    for (char c : exposant) {
        if (c == '-') negatif = true;
        if (c >= '0' && c <= '9') e = std::min(borne, e * 10 + (c - '0'));
    }
    if (negatif) e = -e;
    const std::size_t point = std::min(mantisse.find('.'), mantisse.size());
    const std::size_t premier = mantisse.find_first_not_of("0.");
    const long long p = premier < point ? static_cast<long long>(point - premier) - 1
                                        : -static_cast<long long>(premier - point);
    return p + e;
}

} // namespace

std::optional<double> lit_decimal(std::string_view t) {
    std::size_t i = 0;
    const auto chiffres = [&] {
        const std::size_t debut = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i;
        return i - debut;
    };
    const bool negatif = !t.empty() && t[0] == '-';
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t debut_mantisse = i;
    std::size_t n = chiffres();
    if (i < t.size() && t[i] == '.') {
        ++i;
        n += chiffres();
    }
    if (n == 0) return std::nullopt;
    const std::size_t fin_mantisse = i;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (chiffres() == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;

    // from_chars reads the C form in every locale, but takes no "+" sign.
    const char* debut = t.data() + (t[0] == '+' ? 1 : 0);
    double valeur = 0;
    const auto [fin, erreur] = std::from_chars(debut, t.data() + t.size(), valeur);
    if (erreur == std::errc() && fin == t.data() + t.size()) return valeur;
    if (erreur == std::errc::result_out_of_range) {
        const std::string_view mantisse = t.substr(debut_mantisse, fin_mantisse - debut_mantisse);
        if (puissance_de_dix(mantisse, t.substr(fin_mantisse)) > 0) return std::nullopt;
        return negatif ? -0.0 : 0.0;
    }
    return std::nullopt;
}

std::string chiffres_arrondis(double x, int n) {
    // The form of printf's "%.14e" in the C locale, whatever LC_NUMERIC says.
    char tampon[40];
    const auto ecrit =
        std::to_chars(tampon, tampon + sizeof tampon - 1, std::fabs(x), std::chars_format::scientific, 14);
    *ecrit.ptr = '\0';
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
