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

// The same for a Julian day rounded to the second.
JourSeconde au_plus_proche(double jj) {
    return jour_seconde(std::round((jj - JourJulien1970) * 86400));
}

} // namespace

std::string nombre_court(double x) {
    if (!std::isfinite(x)) return {};
    std::array<char, 32> t;
    const auto [fin, ec] = std::to_chars(t.data(), t.data() + t.size(), x);
    return std::string(t.data(), fin);
}

std::string instant_iso(double jj_tu, const Fuseau& fuseau, bool tu) {
    if (!(std::fabs(jj_tu) < JourJulienLimite)) return {};
    // Rounded to the second first, and the zone asked at that very second: a Julian day a hair short
    // of a change of the clocks is written as the second of the change, so it takes the offset that
    // starts there (never a wall-clock time the zone skips or an hour twice with one offset).
    const double secondes_tu = std::round((jj_tu - JourJulien1970) * 86400);
    const std::int32_t decalage = tu ? 0 : fuseau.decalage(secondes_tu);
    const JourSeconde js = jour_seconde(secondes_tu + decalage);
    const DateCalendaire d = date_du_jour_julien(static_cast<double>(js.jour) + JourJulien1970);
    std::string s = annee_iso(d.an) + "-" + deux(d.mois) + "-" + deux(d.jour) + "T" +
                    deux(js.seconde / 3600) + ":" + deux(js.seconde / 60 % 60) + ":" + deux(js.seconde % 60);
    if (tu) {
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

CellulesAlmanach cellules_almanach(const LigneAlmanach& l, const std::string& instant,
                                   const std::string& lever, const std::string& coucher) {
    CellulesAlmanach c;
    for (bool& n : c.nombres)
        n = true;
    c.nombres[0] = c.nombres[11] = c.nombres[15] = c.nombres[17] = false;
    c.textes[0] = instant;
    if (!l.calculable) return c;
    const double valeurs[] = {l.longitude,        l.latitude,    l.distance_km,      l.parallaxe,
                              l.ascension_droite, l.declinaison, l.distance_topo_km, l.ascension_droite_topo,
                              l.declinaison_topo, l.elongation};
    for (std::size_t i = 0; i < 10; ++i)
        c.textes[1 + i] = nombre_court(valeurs[i]);
    c.textes[11] = std::string(l.cote);
    c.textes[12] = nombre_court(l.phase);
    c.textes[13] = nombre_court(l.hauteur);
    c.textes[14] = nombre_court(l.azimut);
    if (l.lever_coucher.lever.trouve) {
        c.textes[15] = lever;
        c.textes[16] = nombre_court(l.lever_coucher.lever.azimut);
    }
    if (l.lever_coucher.coucher.trouve) {
        c.textes[17] = coucher;
        c.textes[18] = nombre_court(l.lever_coucher.coucher.azimut);
    }
    return c;
}

std::string ligne_csv(const CellulesAlmanach& c) {
    std::string s;
    for (std::size_t i = 0; i < CellulesAlmanach::nombre; ++i) {
        if (i > 0) s.push_back(',');
        s += c.textes[i];
    }
    s.push_back('\n');
    return s;
}

std::string objet_json(const CellulesAlmanach& c) {
    std::string s = "{";
    std::size_t debut = 0;
    for (std::size_t i = 0; i < CellulesAlmanach::nombre; ++i) {
        const std::size_t fin = colonnes_almanach.find(',', debut);
        if (i > 0) s.push_back(',');
        s += '"';
        s += colonnes_almanach.substr(debut, fin - debut);
        s += "\":";
        debut = fin + 1;
        if (c.textes[i].empty())
            s += "null";
        else if (c.nombres[i])
            s += c.textes[i];
        else
            s += '"' + c.textes[i] + '"';
    }
    s.push_back('}');
    return s;
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

std::string instant_icalendar(double jj_tu) {
    if (!(std::fabs(jj_tu) < JourJulienLimite)) return {};
    const JourSeconde js = au_plus_proche(jj_tu);
    const DateCivile d = date_civile(js.jour);
    if (d.annee < 0 || d.annee > 9999) return {};
    return annee_iso(d.annee) + deux(d.mois) + deux(d.jour) + "T" + deux(js.seconde / 3600) +
           deux(js.seconde / 60 % 60) + deux(js.seconde % 60) + "Z";
}

std::string evenement_icalendar(const PhaseDatee& phase, const std::string& horodatage) {
    const std::string debut = instant_icalendar(phase.jj);
    return "BEGIN:VEVENT\r\nUID:" + debut + "-" + std::string(nom_phase_table(phase.indice)) +
           "@orbitel-rapport\r\nDTSTAMP:" + horodatage + "\r\nDTSTART:" + debut +
           "\r\nSUMMARY:" + std::string(noms_phases.at(static_cast<std::size_t>(phase.indice))) +
           "\r\nTRANSP:TRANSPARENT\r\nEND:VEVENT\r\n";
}

} // namespace orbitel
