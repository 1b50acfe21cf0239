#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "clock/instant.hpp"
#include "events/date.hpp"

namespace orbitel {

// Instants of the principal lunar phases near a reference date (J. Meeus, Astronomical Algorithms,
// 2nd ed., ch. 49), as Julian days in universal time.
//
// Phase index: 0 the new moon of the lunation the reference date is reckoned to fall in, 1 its first
// quarter, 2 its full moon, 3 its last quarter, 4 the new moon of the following lunation.
//
// The lunation is floor((y - 2000) x 12.3685) with y the decimal year of the reference date; it is
// not moved to the nearest one, so its new moon may lie weeks before the date or a few days after it
// (numero_lunaison says how it is kept from drifting far from 2000).
// The widths below are part of the result: a double decimal year, for instance, lists another
// lunation for 63 reference dates between 1900 and 2199.

// The working quantities of one phase computation, rewritten by each call of calcule_phase. Owned by
// the caller; nothing carries over from one call to the next.
struct PhaseLune {
    float k = 0;  // lunation number: whole for a new moon, + 0.25, 0.5, 0.75 for the other phases
    float T = 0;  // k / 1236.85, Julian centuries from J2000.0
    float T2 = 0; // powers of T by repeated single-precision multiplication
    float T3 = 0;
    float T4 = 0;
    double JDE = 0;             // Julian Ephemeris Day of the phase, mean then corrected
    double E = 0;               // eccentricity factor of the Earth's orbit
    double M = 0;               // Sun's mean anomaly, degrees in [0, 360]
    double Mp = 0;              // Moon's mean anomaly M', degrees
    double F = 0;               // Moon's argument of latitude, degrees
    double Omega = 0;           // longitude of the Moon's ascending node, degrees
    std::array<double, 15> A{}; // planetary arguments A1 to A14 at their own index, radians
};

// The degree-to-radian factor of the phase computation: this truncated value, not pi / 180.
inline constexpr double degres_en_radians_phases = 0.017453292;

// An angle in degrees brought into [0, 360); angles already in [0, 360] are returned unchanged, so
// 360 stays 360.
double reduit_360(double x);

// The decimal year of a date: its calendar year Y plus the days since 1 January of Y at 0 h over 365
// (for every year, leap or not: 31 December of a leap year gives Y + 1), single precision.
float annee_decimale(const DateHeure& reference);

// The lunation number listed for a reference date (the k of index 0): the rule above wherever it
// lists the lunation the date falls in (lunaison_en_cours of the date at its time of day), or the
// next one due at most AvanceMaxJours after the date, as it does from about 1300 to 2200. Where the
// rule has drifted, the lunation the date falls in, or the next one on the same terms when the rule
// runs ahead. The number never decreases from one day to the next and grows by at most one.
float numero_lunaison(const DateHeure& reference);

// How far ahead of the reference date the listed lunation's new moon may lie, in days: around 2000
// the rule lists it up to 6.2 days ahead.
inline constexpr double AvanceMaxJours = 8;

// The periodic corrections, in days, from the state set by calcule_phase (M, M', F, Omega, E, A).
double terme_w(const PhaseLune& etat);
double corrections_nouvelle_lune(const PhaseLune& etat);
double corrections_pleine_lune(const PhaseLune& etat);
double corrections_quartier(const PhaseLune& etat);
double corrections_additionnelles(const PhaseLune& etat);

// The lunation in which an instant of dynamical time (a Julian Ephemeris Day) falls: the k whose new
// moon, as this algorithm computes it, is at or before jde and the next one's after it. NaN when jde
// is not finite or the lunation lies beyond LunaisonMax.
float lunaison_en_cours(double jde);

// The largest lunation number (in magnitude) whose quarters single precision holds exactly (2^22, some
// 339,000 years from 2000).
inline constexpr float LunaisonMax = 0x1p22f;

// Julian day, in universal time, of phase `indice` (0 to 4) of lunation k: its new moon, first
// quarter, full moon and last quarter, then the next lunation's new moon. `DeltaT` in days is
// subtracted from the dynamical-time instant. Fills `etat`. An index outside 0 to 4 throws
// std::invalid_argument.
double jj_phase_de_lunaison(PhaseLune& etat, float k, std::int16_t indice, float DeltaT);

// Julian day, in universal time, of phase `indice` (0 to 4) for the reference date. `DeltaT` is
// Delta T in days for the year of the reference date (calcule_delta_t), subtracted from the
// dynamical-time instant. Fills `etat`. An index outside 0 to 4 throws std::invalid_argument.
double jj_phase(PhaseLune& etat, std::int16_t indice, const DateHeure& reference, float DeltaT);

// The Julian Ephemeris Day (dynamical time, no Delta T) of phase `indice` (0 to 4) of lunation k,
// the whole k of index 0 (index 4 takes k + 1). Fills `etat`; jj_phase is this with the lunation
// listed for its date, less Delta T. An index outside 0 to 4 throws std::invalid_argument.
double jde_phase(PhaseLune& etat, std::int16_t indice, float k);

enum class SensCycle { precedent, suivant };

// The reference date one lunation back or forth: the date 30 days before or after, moved back toward
// the given date one day at a time while it would list a lunation beyond the previous (next) one,
// and on one day at a time in the rare case where the 30 days were not enough (31 December of a
// leap year and 1 January share one decimal year). The listed lunation thus moves by exactly one at
// each step, where a plain 30-day shift now and then skips one. No date when the result would leave
// the years -32767 to 32767.
std::optional<DateHeure> pas_de_cycle(const DateHeure& reference, SensCycle sens);

// A phase found for an almanac: its index (0 new moon, 1 first quarter, 2 full moon, 3 last
// quarter) and its Julian day in universal time.
struct PhaseDatee {
    std::int16_t indice = 0;
    double jj = 0;
};

// Every principal phase whose instant lies in [jj_debut, jj_fin), in time order: the phases of every
// lunation from the one running at jj_debut to the one running at jj_fin, with the instants the
// panel lists for them and the given Delta T (in days) for every phase. Nothing when the range is
// empty or not finite, or reaches lunations beyond LunaisonMax.
std::vector<PhaseDatee> phases_entre(double jj_debut, double jj_fin, float DeltaT);

} // namespace orbitel
