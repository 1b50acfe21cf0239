#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "clock/fuseau.hpp"
#include "clock/instant_tu.hpp"
#include "events/almanach.hpp"
#include "events/phases.hpp"
#include "text/lignes_phases.hpp"
#include "text/tables.hpp"

namespace orbitel {

// The texts of orbitel-rapport's tables, for scripts and spreadsheets: the point as decimal mark
// whatever the locale, no rounding for display.

// The shortest text that reads back to the same double ("0.1", "384400", "-1.5e-07"); "" for a
// value that is not finite.
std::string nombre_court(double x);

// An instant as ISO 8601, rounded to the nearest second, on the zone's wall clock with the offset
// in force at that second: "2027-03-28T03:30:00+02:00", or in UT with "Z" when `zone` is nullptr.
// The date is in the engine's calendar (Julian before 15 October 1582); years outside 0000-9999
// take the expanded form ("-0044", "+12000"). "" for an instant that cannot be written (beyond
// JourJulienLimite).
std::string instant_iso(InstantTu instant, const Fuseau* zone);

// A row of the almanac: the engine's values, and the row's instant, written when they could not
// be computed.
struct RangeeAlmanach {
    InstantTu instant;
    LigneAlmanach ligne;
};

// The almanac's columns, in order: instant, longitude, latitude, … azimut_coucher. Numbers are
// nombre_court's; cells are "" where there is nothing (rise or set absent, instant not computable).
std::span<const Colonne<RangeeAlmanach>> colonnes_almanach();

// The columns of the phases of a year: as tables (phase, instant), as the panel's lines (one
// unnamed column), and as iCalendar events (UID, DTSTAMP, DTSTART, SUMMARY, TRANSP; the UID depends
// only on the phase and its instant).
std::span<const Colonne<PhaseDatee>> colonnes_phases();
std::span<const Colonne<PhaseDatee>> colonnes_phases_texte();
std::span<const Colonne<PhaseDatee>> colonnes_phases_icalendar();

// The phase names of the tables: "nouvelle_lune", "premier_quartier", "pleine_lune",
// "dernier_quartier".
std::string_view nom_phase_table(std::int16_t indice);

// The panel's line for a phase, a new moon always as "Nouvelle Lune":
// "Pleine Lune le: 24/2/2024 à 12:30:04 T.U".
std::string ligne_phase(const PhaseDatee& phase);

// "20270107T203712Z": the instant in UT to the nearest second, on the proleptic Gregorian calendar
// the iCalendar format is defined on. "" outside the years 0000-9999, which the format cannot write.
std::string instant_icalendar(InstantTu instant);

} // namespace orbitel
