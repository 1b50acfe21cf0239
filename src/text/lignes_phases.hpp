#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "clock/fuseau.hpp"
#include "clock/instant.hpp"
#include "events/date.hpp"
#include "events/phases.hpp"
#include "events/releve.hpp"

namespace orbitel {

// The phase panel's texts: the instants of events/phases written as French dates in universal
// time, and the Delta T notice.

// The same instant as the phase text: "6/1/2000 à 18:13:49 T.U".
std::string calcule_phase(PhaseLune& etat, std::int16_t indice, const DateHeure& reference, float DeltaT);

// A Julian day written as the phase text: day/month/year in plain digits, " à ", hours, minutes and
// seconds of two digits each, " T.U". Gregorian calendar from Julian day 2299160.5 (15 October 1582),
// Julian before; astronomical years. Every part is truncated, never rounded: 12 h 30 min 4.9 s is
// written 12:30:04.
std::string jj_en_texte(double jj);

// The same on the zone's clock, " T.U" becoming its offset: "24/2/2024 à 14:30:04 (UTC+2)"; jj_en_texte
// when `zone` is nullptr.
std::string jj_en_texte(double jj, const Fuseau* zone);

// Line names of the phase panel, by index.
inline constexpr std::array<std::string_view, 5> noms_phases{
    "Nouvelle Lune", "Premier quartier", "Pleine Lune", "Dernier quartier", "Lune suivante"};

// "Les heures sont en temps universel, la différence avec le temps terrestre dynamique (TDT ou TT)
// est, en 2024, de 90.36 secondes." for Delta T in seconds (calcule_delta_t) and the user's decimal
// mark.
// With `heure_locale` the hours are said to be "en heure locale".
std::string notice_delta_t(std::int16_t annee, double secondes, char marque, bool heure_locale = false);

// The six texts of the phase panel: its five lines ("Pleine Lune le: 24/2/2024 à 12:30:04 T.U") and
// the Delta T notice of the year of the reference date.
struct LignesPhases {
    std::array<std::string, 5> phases;
    std::string notice;
};

// The panel's lines, with the user's decimal mark (',' or '.') in the notice; the "---" lines when
// it lists no lunation.
// With a zone (nullptr: UT), the instants on its clock and the notice saying so.
LignesPhases lignes_phases(const PanneauDesPhases& panneau, char marque, const Fuseau* zone = nullptr);

// The panel for a reference date (the panel passes a date at 0 h). A date outside the years -32767 to
// 32767 gives the "---" lines.
LignesPhases lignes_phases(const DateHeure& reference, char marque);

// The six "---" lines: no panel.
LignesPhases lignes_phases_absentes();

} // namespace orbitel
