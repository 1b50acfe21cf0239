#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "clock/instant.hpp"
#include "events/date.hpp"
#include "events/phases.hpp"

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

// Line names of the phase panel, by index.
inline constexpr std::array<std::string_view, 5> noms_phases{
    "Nouvelle Lune", "Premier quartier", "Pleine Lune", "Dernier quartier", "Lune suivante"};

// "Les heures sont en temps universel, la différence avec le temps terrestre dynamique (TDT ou TT)
// est, en 2024, de 90.36 secondes." for Delta T in seconds (calcule_delta_t) and the user's decimal
// mark.
std::string notice_delta_t(std::int16_t annee, double secondes, char marque);

// The six texts of the phase panel: LabPhase 0 to 4 ("Pleine Lune le: 24/2/2024 à 12:30:04 T.U") and
// the Delta T notice of Label10 0, for the year of the reference date.
struct LignesPhases {
    std::array<std::string, 5> LabPhase;
    std::string Label10_0;
};

// The panel for a reference date (the panel passes a date at 0 h), with the user's decimal mark
// (',' or '.') in the notice. A date outside the years -32767 to 32767 gives the "---" lines.
LignesPhases lignes_phases(const DateHeure& reference, char marque);

// The six "---" lines: no panel.
LignesPhases lignes_phases_absentes();

// The panel's reference date for an instant: the date its instant line writes, at 0 h. A typed
// 31/2/2025 is written 03/03/2025, 10/10/1582 is written 20/10/1582, 23:59:59.7 the next day. Dates
// before 15 October 1582 are those of the Julian calendar, taken as day, month and year (29/2/1500 is
// the day after 28/2/1500). nullopt when the line writes no date, or a year beyond -32767 to 32767.
std::optional<DateHeure> reference_de_l_instant(const Instant& instant);

// The panel for the reference date of an instant; the "---" lines when it has none.
LignesPhases lignes_phases(const Instant& instant, char marque);

} // namespace orbitel
