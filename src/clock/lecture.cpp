#include "clock/lecture.hpp"

#include <cmath>
#include <string>

#include "clock/nombres.hpp"

namespace orbitel {

namespace {

// The blanks the reading skips: spaces, tabs and line feeds, nothing else (a carriage return
// stops the number like any other character).
bool est_blanc(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

int valeur_chiffre(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// What a reading found: the value (nullopt when too large to hold), whether any digit was read,
// and where the number ended in the text stripped of its blanks.
struct Lu {
    std::optional<double> valeur;
    bool chiffres = false;
    std::size_t fin = 0;
    std::size_t taille = 0;
};

// &H1A, &O17: whole numbers in another base. Past the double range is not representable.
Lu lit_entier_base(const std::string& t, std::size_t debut, int base) {
    double v = 0;
    std::size_t i = debut;
    for (; i < t.size(); ++i) {
        const int c = valeur_chiffre(t[i], base);
        if (c < 0) break;
        v = v * base + c;
    }
    Lu lu{v, i > debut, i, t.size()};
    if (!std::isfinite(v)) lu.valeur = std::nullopt;
    return lu;
}

Lu lit(std::string_view texte) {
    std::string t;
    t.reserve(texte.size());
    for (char c : texte)
        if (!est_blanc(c)) t.push_back(c);

    if (t.size() >= 2 && t[0] == '&') {
        if (t[1] == 'H' || t[1] == 'h') return lit_entier_base(t, 2, 16);
        if (t[1] == 'O' || t[1] == 'o') return lit_entier_base(t, 2, 8);
        return {0.0, false, 0, t.size()};
    }

    // The longest leading number, rewritten in the C form (a point, an exponent e) for lit_decimal.
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
    if (!chiffres) return {0.0, false, 0, t.size()};
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
        if (chiffres_exposant) {
            n += exposant;
            i = j;
        }
    }

    // n is a number in the C form: it can fail only by being too large for a double.
    return {lit_decimal(n), true, i, t.size()};
}

} // namespace

std::optional<double> lit_nombre(std::string_view texte) {
    return lit(texte).valeur;
}

std::optional<double> lit_nombre_strict(std::string_view texte) {
    const Lu lu = lit(texte);
    if (!lu.chiffres || lu.fin != lu.taille) return std::nullopt;
    return lu.valeur;
}

double lit_nombre_ou_zero(std::string_view texte) {
    return lit_nombre(texte).value_or(0.0);
}

} // namespace orbitel
