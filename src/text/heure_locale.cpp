#include "text/heure_locale.hpp"

#include <cctype>
#include <cmath>

#include "clock/calendrier.hpp"
#include "clock/instant.hpp"

namespace orbitel {

namespace {

// Day number of a calendar date (the Julian day at noon), in the lines' calendar.
std::int64_t numero_du_jour(std::int64_t an, int mois, int jour) {
    Instant i;
    i.an = static_cast<double>(an);
    i.mois = mois;
    i.jour = jour;
    i.heures = 12;
    return std::llround(jour_julien(i));
}

// Reads an unsigned whole number at t[i]; at most `max` digits.
std::optional<std::int64_t> entier(std::string_view t, std::size_t& i, std::size_t max) {
    const std::size_t debut = i;
    std::int64_t n = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])) && i - debut < max)
        n = n * 10 + (t[i++] - '0');
    if (i == debut || (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))) return std::nullopt;
    return n;
}

std::optional<InstantLigne> lit_a(std::string_view t, std::size_t a) {
    // Back from " à " over "d/m/y".
    std::size_t debut = a;
    while (debut > 0 && (std::isdigit(static_cast<unsigned char>(t[debut - 1])) || t[debut - 1] == '/' ||
                         t[debut - 1] == '-'))
        --debut;
    std::size_t i = debut;
    InstantLigne r;
    const auto jour = entier(t, i, 2);
    if (!jour || i >= t.size() || t[i++] != '/') return std::nullopt;
    const std::size_t debut_mois = i;
    const auto mois = entier(t, i, 2);
    if (!mois || i >= t.size() || t[i++] != '/') return std::nullopt;
    r.deux_chiffres = (debut_mois - debut) == 3 && (i - debut_mois) == 3;
    const bool negatif = i < t.size() && t[i] == '-';
    if (negatif) ++i;
    const auto an = entier(t, i, 12);
    if (!an || i != a) return std::nullopt;
    i += std::string_view(" à ").size();
    const auto h = entier(t, i, 2);
    if (!h || i >= t.size() || t[i++] != ':') return std::nullopt;
    const auto m = entier(t, i, 2);
    if (!m) return std::nullopt;
    std::optional<std::int64_t> s = 0;
    r.avec_secondes = i < t.size() && t[i] == ':';
    if (r.avec_secondes) {
        ++i;
        s = entier(t, i, 2);
        if (!s) return std::nullopt;
    }
    r.an = negatif ? -*an : *an;
    r.mois = static_cast<int>(*mois);
    r.jour = static_cast<int>(*jour);
    r.heures = static_cast<int>(*h);
    r.minutes = static_cast<int>(*m);
    r.secondes = static_cast<int>(*s);
    if (r.mois < 1 || r.mois > 12 || r.jour < 1 || r.heures > 23 || r.minutes > 59 || r.secondes > 59)
        return std::nullopt;
    // The date must be one of the calendar: it comes back unchanged from its day number.
    const DateCalendaire d = date_du_jour_julien(static_cast<double>(numero_du_jour(r.an, r.mois, r.jour)));
    if (d.an != r.an || d.mois != r.mois || d.jour != r.jour) return std::nullopt;
    return r;
}

std::string deux(std::int64_t n) {
    std::string t = std::to_string(n);
    if (t.size() < 2) t.insert(t.begin(), '0');
    return t;
}

} // namespace

std::optional<InstantLigne> instant_de_ligne(std::string_view ligne) {
    constexpr std::string_view a = " à ";
    for (std::size_t p = ligne.find(a); p != std::string_view::npos; p = ligne.find(a, p + 1)) {
        if (auto r = lit_a(ligne, p)) return r;
    }
    return std::nullopt;
}

std::int64_t secondes_depuis_1970(const InstantLigne& t) {
    constexpr std::int64_t jour_1970 = 2440588; // day number of 1 January 1970
    return (numero_du_jour(t.an, t.mois, t.jour) - jour_1970) * 86400 + t.heures * 3600 + t.minutes * 60 +
           t.secondes;
}

std::string texte_duree_decalage(long long secondes) {
    std::string s = std::to_string(secondes / 3600);
    if (secondes % 3600 != 0) (s += ':') += deux(secondes / 60 % 60);
    if (secondes % 60 != 0) (s += ':') += deux(secondes % 60);
    return s;
}

std::string texte_decalage(int secondes) {
    if (secondes == 0) return "UTC";
    // Widened before taking the magnitude: the most negative int has no positive counterpart.
    const long long n = secondes;
    return (n > 0 ? "UTC+" : "UTC\u2212") + texte_duree_decalage(n > 0 ? n : -n);
}

std::string texte_heure_locale(const InstantLigne& tu, int decalage_secondes) {
    std::int64_t jour = numero_du_jour(tu.an, tu.mois, tu.jour);
    std::int64_t s = tu.heures * 3600 + tu.minutes * 60 + tu.secondes + decalage_secondes;
    // A minute line stays a minute line, even for an offset with seconds in it.
    if (!tu.avec_secondes) s = (s + 30 - ((s + 30) % 60 + 60) % 60);
    const std::int64_t jours = (s >= 0 ? s : s - 86399) / 86400;
    jour += jours;
    s -= jours * 86400;
    const DateCalendaire d = date_du_jour_julien(static_cast<double>(jour));
    const auto nombre = [&](std::int64_t n) { return tu.deux_chiffres ? deux(n) : std::to_string(n); };
    std::string t = "Heure locale : ";
    ((t += nombre(d.jour)) += '/') += nombre(d.mois);
    ((t += '/') += std::to_string(d.an)) += " à ";
    ((t += deux(s / 3600)) += ':') += deux(s / 60 % 60);
    if (tu.avec_secondes) (t += ':') += deux(s % 60);
    ((t += " (") += texte_decalage(decalage_secondes)) += ')';
    return t;
}

} // namespace orbitel
