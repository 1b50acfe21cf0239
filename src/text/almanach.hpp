#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "clock/fuseau.hpp"
#include "clock/instant_tu.hpp"
#include "events/almanach.hpp"
#include "events/apsides.hpp"
#include "events/mois.hpp"
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

// The columns of the apsides of a year: as tables (apside, instant, distance_km), as French lines
// (one unnamed column, ligne_apside_datee) and as iCalendar events (as the phases', SUMMARY
// "Périgée (357273 km)").
std::span<const Colonne<Apside>> colonnes_apsides();
std::span<const Colonne<Apside>> colonnes_apsides_texte();
std::span<const Colonne<Apside>> colonnes_apsides_icalendar();

// The columns of a month, a row a day: date ("2027-01-12", the zone's calendar), lever,
// azimut_lever, passage, hauteur_passage, coucher, azimut_coucher, age, phase, distance_km, diametre,
// evenement and evenement_instant (lists: the day's phases and apsides by name, nom_evenement, and
// their instants), soleil_lever, soleil_coucher, nuit_debut, nuit_fin, soleil_note
// (texte_note_soleil). Instants on the zone's clock as instant_iso writes them; "" where there is
// nothing.
std::span<const Colonne<JourLunaire>> colonnes_mois();

// "perigee" or "apogee".
std::string_view nom_apside_table(TypeApside type);

// An apsis as a line in the phase lines' style, the distance to the kilometre:
// "Périgée le: 4/1/2027 à 08:41:12 T.U (357273 km)"; with a zone (nullptr: UT) on its clock,
// "Périgée le: 4/1/2027 à 09:41:12 (UTC+1) (357273 km)".
std::string ligne_apside_datee(const Apside& apside, const Fuseau* zone = nullptr);

// The phase names of the tables: "nouvelle_lune", "premier_quartier", "pleine_lune",
// "dernier_quartier".
std::string_view nom_phase_table(std::int16_t indice);

// The panel's line for a phase, a new moon always as "Nouvelle Lune":
// "Pleine Lune le: 24/2/2024 à 12:30:04 T.U"; with a zone on its clock, as jj_en_texte writes it.
std::string ligne_phase(const PhaseDatee& phase, const Fuseau* zone = nullptr);

// "20270107T203712Z": the instant in UT to the nearest second, on the proleptic Gregorian calendar
// the iCalendar format is defined on. "" outside the years 0000-9999, which the format cannot write.
std::string instant_icalendar(InstantTu instant);

} // namespace orbitel
