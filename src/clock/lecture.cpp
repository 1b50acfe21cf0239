#include "clock/lecture.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace orbitel {

namespace {

// The blanks the reading skips: spaces, tabs and line feeds, nothing else (a carriage return
// stops the number like any other character).
bool est_blanc(char c) { return c == ' ' || c == '\t' || c == '\n'; }

int valeur_chiffre(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

// &H1A, &O17: whole numbers in another base. Past the double range is not representable.
std::optional<double> lit_entier_base(const std::string& t, std::size_t debut, int base) {
    double v = 0;
    for (std::size_t i = debut; i < t.size(); ++i) {
        const int c = valeur_chiffre(t[i], base);
        if (c < 0) break;
        v = v * base + c;
    }
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace

std::optional<double> lit_nombre(std::string_view texte) {
    std::string t;
    t.reserve(texte.size());
    for (char c : texte)
        if (!est_blanc(c)) t.push_back(c);

    if (t.size() >= 2 && t[0] == '&') {
        if (t[1] == 'H' || t[1] == 'h') return lit_entier_base(t, 2, 16);
        if (t[1] == 'O' || t[1] == 'o') return lit_entier_base(t, 2, 8);
        return 0.0;
    }

    // The longest leading number, rewritten in the C locale's form for strtod.
    std::string n;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) n.push_back(t[i++]);
    bool chiffres = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        n.push_back(t[i++]);
        chiffres = true;
    }
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        n.push_back('.');
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            n.push_back(t[i++]);
            chiffres = true;
        }
    }
    if (!chiffres) return 0.0;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exposant = "e";
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) exposant.push_back(t[j++]);
        bool chiffres_exposant = false;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9') {
            exposant.push_back(t[j++]);
            chiffres_exposant = true;
        }
        // "1E" or "1E+" stop before the letter, which cannot continue the number.
        if (chiffres_exposant) n += exposant;
    }

    errno = 0;
    const double v = std::strtod(n.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(v)) return std::nullopt;
    return v;
}

double lit_nombre_ou_zero(std::string_view texte) { return lit_nombre(texte).value_or(0.0); }

} // namespace orbitel
