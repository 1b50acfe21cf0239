#include "text/almanach.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "clock/calendrier.hpp"
#include "clock/fuseau.hpp"

namespace orbitel {

namespace {

// Two digits, for the fields of a time below a day and of a date.
std::string deux(long long n) {
    std::string t(2, '0');
    t[0] = static_cast<char>('0' + n / 10 % 10);
    t[1] = static_cast<char>('0' + n % 10);
    return t;
}

std::string annee_iso(long long an) {
    char t[32];
    if (an >= 0 && an <= 9999)
        std::snprintf(t, sizeof t, "%04lld", an);
    else if (an < 0)
        std::snprintf(t, sizeof t, "-%04lld", -an);
    else
        std::snprintf(t, sizeof t, "+%lld", an);
    return t;
}

// Whole days and seconds of the day of a whole count of seconds: day 0 is 1970-01-01.
struct JourSeconde {
    long long jour;
    long long seconde;
};
JourSeconde jour_seconde(double secondes) {
    const auto jour = static_cast<long long>(std::floor(secondes / 86400));
    return {jour, static_cast<long long>(secondes - static_cast<double>(jour) * 86400)};
}

// The same for an instant rounded to the second.
JourSeconde au_plus_proche(InstantTu instant) {
    return jour_seconde(std::round(instant.secondes));
}

bool ecrivable(InstantTu instant) {
    return std::fabs(instant.jour_julien()) < JourJulienLimite;
}

Cellule nombre(double x) {
    return {nombre_court(x), true};
}

Cellule texte(std::string t) {
    return {std::move(t), false};
}

using R = RangeeAlmanach;
using C = ContexteTable;

// The cells of the engine's values stay empty for a row that could not be computed.
template <double LigneAlmanach::*valeur> Cellule valeur_calculee(const R& r, const C&) {
    return r.ligne.calculable ? nombre(r.ligne.*valeur) : Cellule{{}, true};
}

Cellule instant_evenement(const EvenementHorizon& e, const C& c) {
    return texte(e.trouve ? instant_iso(InstantTu::du_jour_julien(e.jj), c.zone) : std::string());
}

Cellule azimut_evenement(const EvenementHorizon& e) {
    return e.trouve ? nombre(e.azimut) : Cellule{{}, true};
}

constexpr Colonne<R> almanach[] = {
    {"instant",
     [](const R& r, const C& c) {
         return texte(
             instant_iso(r.ligne.calculable ? InstantTu::du_jour_julien(r.ligne.jj) : r.instant, c.zone));
     }},
    {"longitude", valeur_calculee<&LigneAlmanach::longitude>},
    {"latitude", valeur_calculee<&LigneAlmanach::latitude>},
    {"distance_km", valeur_calculee<&LigneAlmanach::distance_km>},
    {"parallaxe", valeur_calculee<&LigneAlmanach::parallaxe>},
    {"ascension_droite", valeur_calculee<&LigneAlmanach::ascension_droite>},
    {"declinaison", valeur_calculee<&LigneAlmanach::declinaison>},
    {"distance_topo_km", valeur_calculee<&LigneAlmanach::distance_topo_km>},
    {"ascension_droite_topo", valeur_calculee<&LigneAlmanach::ascension_droite_topo>},
    {"declinaison_topo", valeur_calculee<&LigneAlmanach::declinaison_topo>},
    {"elongation", valeur_calculee<&LigneAlmanach::elongation>},
    {"cote", [](const R& r, const C&) { return texte(r.ligne.calculable ? std::string(r.ligne.cote) : ""); }},
    {"phase", valeur_calculee<&LigneAlmanach::phase>},
    {"hauteur", valeur_calculee<&LigneAlmanach::hauteur>},
    {"azimut", valeur_calculee<&LigneAlmanach::azimut>},
    {"lever",
     [](const R& r, const C& c) {
         return r.ligne.calculable ? instant_evenement(r.ligne.lever_coucher.lever, c) : Cellule{};
     }},
    {"azimut_lever",
     [](const R& r, const C&) {
         return r.ligne.calculable ? azimut_evenement(r.ligne.lever_coucher.lever) : Cellule{{}, true};
     }},
    {"coucher",
     [](const R& r, const C& c) {
         return r.ligne.calculable ? instant_evenement(r.ligne.lever_coucher.coucher, c) : Cellule{};
     }},
    {"azimut_coucher",
     [](const R& r, const C&) {
         return r.ligne.calculable ? azimut_evenement(r.ligne.lever_coucher.coucher) : Cellule{{}, true};
     }},
};

using P = PhaseDatee;

constexpr Colonne<P> phases[] = {
    {"phase", [](const P& p, const C&) { return texte(std::string(nom_phase_table(p.indice))); }},
    {"instant",
     [](const P& p, const C& c) { return texte(instant_iso(InstantTu::du_jour_julien(p.jj), c.zone)); }},
};

constexpr Colonne<P> phases_texte[] = {
    {"", [](const P& p, const C&) { return texte(ligne_phase(p)); }},
};

std::string debut_icalendar(const P& p) {
    return instant_icalendar(InstantTu::du_jour_julien(p.jj));
}

constexpr Colonne<P> phases_icalendar[] = {
    {"UID",
     [](const P& p, const C&) {
         return texte(debut_icalendar(p) + "-" + std::string(nom_phase_table(p.indice)) + "@orbitel-rapport");
     }},
    {"DTSTAMP", [](const P&, const C& c) { return texte(c.horodatage); }},
    {"DTSTART", [](const P& p, const C&) { return texte(debut_icalendar(p)); }},
    {"SUMMARY",
     [](const P& p, const C&) {
         return texte(std::string(noms_phases.at(static_cast<std::size_t>(p.indice))));
     }},
    {"TRANSP", [](const P&, const C&) { return texte("TRANSPARENT"); }},
};

} // namespace

std::string nombre_court(double x) {
    if (!std::isfinite(x)) return {};
    std::array<char, 32> t;
    const auto [fin, ec] = std::to_chars(t.data(), t.data() + t.size(), x);
    return std::string(t.data(), fin);
}

std::string instant_iso(InstantTu instant, const Fuseau* zone) {
    if (!ecrivable(instant)) return {};
    // Rounded to the second first, and the zone asked at that very second: an instant a hair short
    // of a change of the clocks is written as the second of the change, so it takes the offset that
    // starts there (never a wall-clock time the zone skips or an hour twice with one offset).
    const double secondes_tu = std::round(instant.secondes);
    const std::int32_t decalage = zone ? zone->decalage(secondes_tu) : 0;
    const JourSeconde js = jour_seconde(secondes_tu + decalage);
    const DateCalendaire d = date_du_jour_julien(static_cast<double>(js.jour) + JourJulien1970);
    std::string s = annee_iso(d.an) + "-" + deux(d.mois) + "-" + deux(d.jour) + "T" +
                    deux(js.seconde / 3600) + ":" + deux(js.seconde / 60 % 60) + ":" + deux(js.seconde % 60);
    if (!zone) {
        s.push_back('Z');
        return s;
    }
    const int a = std::abs(decalage);
    s.push_back(decalage < 0 ? '-' : '+');
    s += deux(a / 3600);
    s.push_back(':');
    s += deux(a / 60 % 60);
    // Old local mean times are not whole minutes: their seconds are kept.
    if (a % 60 != 0) {
        s.push_back(':');
        s += deux(a % 60);
    }
    return s;
}

std::span<const Colonne<RangeeAlmanach>> colonnes_almanach() {
    return almanach;
}

std::span<const Colonne<PhaseDatee>> colonnes_phases() {
    return phases;
}

std::span<const Colonne<PhaseDatee>> colonnes_phases_texte() {
    return phases_texte;
}

std::span<const Colonne<PhaseDatee>> colonnes_phases_icalendar() {
    return phases_icalendar;
}

std::string_view nom_phase_table(std::int16_t indice) {
    static constexpr std::array<std::string_view, 4> noms{"nouvelle_lune", "premier_quartier", "pleine_lune",
                                                          "dernier_quartier"};
    return noms.at(static_cast<std::size_t>(indice));
}

std::string ligne_phase(const PhaseDatee& phase) {
    return std::string(noms_phases.at(static_cast<std::size_t>(phase.indice))) +
           " le: " + jj_en_texte(phase.jj);
}

std::string instant_icalendar(InstantTu instant) {
    if (!ecrivable(instant)) return {};
    const JourSeconde js = au_plus_proche(instant);
    const DateCivile d = date_civile(js.jour);
    if (d.annee < 0 || d.annee > 9999) return {};
    return annee_iso(d.annee) + deux(d.mois) + deux(d.jour) + "T" + deux(js.seconde / 3600) +
           deux(js.seconde / 60 % 60) + deux(js.seconde % 60) + "Z";
}

} // namespace orbitel
