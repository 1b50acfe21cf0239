#pragma once
#include "ephemeris/etat_lune.hpp"

namespace orbitel {

// The silent evaluation: fills every field of etat for the Julian day jj (time arguments, Sun,
// fundamental arguments, nutation, obliquity, the three series, parallax, right ascension,
// declination, elongation). EstOuest and Phase are left as they are: only the full report
// (calcule_lune) sets them.
void evalue_ephemeride(EtatLune& etat, double jj);

// The same with the theories driven by terrestrial time: the solar, lunar and nutation series take
// jj + delta_t_jours (TT = UT + Delta T, in days) as their time argument, while JJ keeps the UT Julian
// day jj, which the sidereal time and every instant written read. The time arguments T1900 and T to
// T4 are those of TT. A delta_t_jours of 0 gives exactly evalue_ephemeride(etat, jj).
void evalue_ephemeride(EtatLune& etat, double jj, double delta_t_jours);

// The Sun alone, for a search on the Sun: JJ, the time arguments, LongSoleil, AnomalieSoleil, the
// fundamental arguments, the nutation and Eps, as evalue_ephemeride sets them; the Moon's fields
// are left as they are. Time scale as above.
void evalue_soleil(EtatLune& etat, double jj, double delta_t_jours = 0);

// The latitude series alone, from the arguments already in etat.
void calcule_latitude(EtatLune& etat);

// The illuminated fraction, 0 to 1, before any rounding, from the state an evaluation left.
double fraction_eclairee(const EtatLune& etat);

// "Est" or "Ouest": the side of the Sun the Moon stands on, from the state an evaluation left.
std::string_view cote_du_soleil(const EtatLune& etat);

// The full run for an instant: evalue_ephemeride plus the side of the Sun and the phase.
void calcule_lune(EtatLune& etat, const Instant& instant);

// The horizontal parallax in arcseconds, rounded to the thousandth as it is shown; Parallaxe is
// derived from this rounded value.
double parallaxe_secondes(double distance_km);

// False when the instant yields a non-finite Julian day or result, or a date outside the years
// AnneeMin..AnneeMax: nothing of it can be shown.
bool est_calculable(const EtatLune& etat);

} // namespace orbitel
