#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "clock/fuseau.hpp"
#include "events/almanach.hpp"
#include "events/phases.hpp"
#include "text/lignes_phases.hpp"

namespace orbitel {

// The texts of orbitel-rapport's tables, for scripts and spreadsheets: the point as decimal mark
// whatever the locale, no rounding for display.

// The shortest text that reads back to the same double ("0.1", "384400", "-1.5e-07"); "" for a
// value that is not finite.
std::string nombre_court(double x);

// An instant as ISO 8601, rounded to the nearest second, on the zone's wall clock with the offset
// in force at that second: "2027-03-28T03:30:00+02:00", or in UT with "Z" when `tu`. The date is in
// the engine's calendar (Julian before 15 October 1582); years outside 0000-9999 take the expanded
// form ("-0044", "+12000"). "" for an instant that cannot be written (beyond JourJulienLimite).
std::string instant_iso(double jj_tu, const Fuseau& fuseau, bool tu);

// The column names, in order, of an almanac row.
inline constexpr std::string_view colonnes_almanach =
    "instant,longitude,latitude,distance_km,parallaxe,ascension_droite,declinaison,distance_topo_km,"
    "ascension_droite_topo,declinaison_topo,elongation,cote,phase,hauteur,azimut,lever,azimut_lever,coucher,"
    "azimut_coucher";

// The cells of a row as texts, "" where there is nothing (rise or set absent, instant not
// computable). `instant`, `lever` and `coucher` are already written by instant_iso.
struct CellulesAlmanach {
    static constexpr std::size_t nombre = 19;
    std::string textes[nombre];
    bool nombres[nombre]; // true for the numeric columns (JSON writes them unquoted)
};
CellulesAlmanach cellules_almanach(const LigneAlmanach& ligne, const std::string& instant,
                                   const std::string& lever, const std::string& coucher);

// "instant,...\n" then one line per row, no quoting (no cell holds a comma).
std::string ligne_csv(const CellulesAlmanach& cellules);

// {"instant":"…","longitude":133.1,…,"lever":null,…}
std::string objet_json(const CellulesAlmanach& cellules);

// The phase names of the tables: "nouvelle_lune", "premier_quartier", "pleine_lune",
// "dernier_quartier".
std::string_view nom_phase_table(std::int16_t indice);

// The panel's line for a phase, a new moon always as "Nouvelle Lune":
// "Pleine Lune le: 24/2/2024 à 12:30:04 T.U".
std::string ligne_phase(const PhaseDatee& phase);

// "20270107T203712Z": the instant in UT to the nearest second, on the proleptic Gregorian calendar
// the iCalendar format is defined on. "" outside the years 0000-9999, which the format cannot write.
std::string instant_icalendar(double jj_tu);

// A VEVENT of an iCalendar file for a phase, CRLF line ends: SUMMARY the phase's name ("Pleine
// Lune"), DTSTART its instant, a UID that depends only on the phase and its instant, DTSTAMP the
// given stamp (instant_icalendar form).
std::string evenement_icalendar(const PhaseDatee& phase, const std::string& horodatage);

} // namespace orbitel
