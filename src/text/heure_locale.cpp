#include "text/heure_locale.hpp"

#include <cmath>

#include "clock/calendrier.hpp"
#include "clock/instant.hpp"
#include "text/formats.hpp"

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

std::string deux(std::int64_t n) {
    std::string t = std::to_string(n);
    if (t.size() < 2) t.insert(t.begin(), '0');
    return t;
}

} // namespace

std::optional<InstantLigne> instant_ecrit(InstantTu instant, FormeInstant forme) {
    if (forme != FormeInstant::phase) {
        const std::optional<DateHeureTu> t = a_la_seconde(instant);
        if (!t) return std::nullopt;
        InstantLigne l{*t, forme == FormeInstant::seconde, true};
        if (!l.avec_secondes) l.tu.secondes = 0;
        return l;
    }
    const double jj = instant.jour_julien();
    if (!std::isfinite(jj)) return std::nullopt;
    // As jj_en_texte writes it: every part truncated.
    const DateCalendaire date = date_du_jour_julien(jj);
    const double m = 1440 * date.fraction;
    const double h = m / 60;
    const double heure = std::floor(h);
    InstantLigne l;
    l.tu = {date.an,
            date.mois,
            date.jour,
            static_cast<int>(heure),
            static_cast<int>(std::floor(60 * (h - heure))),
            static_cast<int>(std::floor(60 * (m - std::floor(m))))};
    // The local time takes two digits for its day and month where the phase line's own date has
    // two for both.
    l.deux_chiffres = l.tu.jour >= 10 && l.tu.mois >= 10;
    if (l.tu.heures > 23 || l.tu.minutes > 59 || l.tu.secondes > 59) return std::nullopt;
    return l;
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

DateHeureTu champs_locaux(const InstantLigne& ligne, int decalage_secondes) {
    const DateHeureTu& tu = ligne.tu;
    std::int64_t jour = numero_du_jour(tu.an, tu.mois, tu.jour);
    std::int64_t s = tu.heures * 3600 + tu.minutes * 60 + tu.secondes + decalage_secondes;
    if (!ligne.avec_secondes) s = (s + 30 - ((s + 30) % 60 + 60) % 60);
    const std::int64_t jours = (s >= 0 ? s : s - 86399) / 86400;
    jour += jours;
    s -= jours * 86400;
    const DateCalendaire d = date_du_jour_julien(static_cast<double>(jour));
    return {d.an,
            d.mois,
            d.jour,
            static_cast<int>(s / 3600),
            static_cast<int>(s / 60 % 60),
            static_cast<int>(s % 60)};
}

std::string texte_instant_local(InstantTu instant, FormeInstant forme, const Fuseau& zone) {
    const std::optional<InstantLigne> ligne = instant_ecrit(instant, forme);
    if (!ligne) return "---";
    // The zone is asked at the second the line writes (truncated for a phase, else rounded), so that
    // an instant a hair short of a change of the clocks takes the offset of the time it shows.
    const double seconde =
        forme == FormeInstant::phase ? std::floor(instant.secondes) : std::round(instant.secondes);
    const int decalage = zone.decalage(seconde);
    const DateHeureTu l = champs_locaux(*ligne, decalage);
    // The phase lines write their day and month in plain digits, the others on two.
    const bool phase = forme == FormeInstant::phase;
    const auto nombre = [&](std::int64_t n) { return phase ? std::to_string(n) : deux(n); };
    std::string t = nombre(l.jour);
    ((t += '/') += nombre(l.mois)) += '/';
    t += phase ? std::to_string(l.an) : texte_nombre(static_cast<double>(l.an));
    t += " à ";
    (((t += deux(l.heures)) += ':') += deux(l.minutes));
    if (ligne->avec_secondes) (t += ':') += deux(l.secondes);
    ((t += " (") += texte_decalage(decalage)) += ')';
    return t;
}

std::string texte_temps_universel(const InstantLigne& ligne) {
    const std::string t = texte_heure_locale(ligne, 0);
    // The same date and time, without the zone: the prefix and the " (UTC)" replaced.
    return "Temps universel : " + t.substr(std::string("Heure locale : ").size(),
                                           t.size() - std::string("Heure locale : ").size() - 6);
}

std::string texte_heure_locale(const InstantLigne& ligne, int decalage_secondes) {
    const DateHeureTu l = champs_locaux(ligne, decalage_secondes);
    const auto nombre = [&](std::int64_t n) { return ligne.deux_chiffres ? deux(n) : std::to_string(n); };
    std::string t = "Heure locale : ";
    ((t += nombre(l.jour)) += '/') += nombre(l.mois);
    ((t += '/') += std::to_string(l.an)) += " à ";
    ((t += deux(l.heures)) += ':') += deux(l.minutes);
    if (ligne.avec_secondes) (t += ':') += deux(l.secondes);
    ((t += " (") += texte_decalage(decalage_secondes)) += ')';
    return t;
}

} // namespace orbitel
