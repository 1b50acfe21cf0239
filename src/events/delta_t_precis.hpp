#pragma once

namespace orbitel {

// The time scale the theories are driven by. `universel`: UT is passed as their time argument, as
// the program always did (the default; every text stays as it was). `terrestre`: TT = UT + Delta T
// of delta_t_precis, for the lunar, solar and nutation series and the phase algorithm. In both,
// sidereal time, day boundaries and every instant written stay in UT.
enum class EchelleTemps { universel, terrestre };

// Delta T (TT - UT) in seconds at the instant jj_ut (Julian day, UT), interpolated, not taken per
// year:
// - from 1657 to the last year observed (2023): the observed values of 1 January of each year
//   (USNO's historic values, then IERS), interpolated linearly;
// - from -1999 to 3000 outside them: the polynomials of F. Espenak and J. Meeus (2006), moved by the
//   gap between observation and polynomial at the nearest observed year, a gap that fades linearly
//   to nothing over the century beyond it, so that the model has no jump at either end;
// - outside -1999 to 3000: the long-term parabola -20 + 32 u^2, u = (year - 1820) / 100.
// The year of an instant is 2000 + (jj_ut - 2451544.5) / 365.25. NaN gives NaN.
double delta_t_precis(double jj_ut);

// The same in days.
double delta_t_precis_jours(double jj_ut);

// Espenak and Meeus's polynomials alone, for a decimal year (no observed value).
double delta_t_espenak_meeus(double annee);

// TT - UT in days that the engine adds to jj_ut for the scale: 0 for `universel`.
double ecart_echelle_jours(EchelleTemps echelle, double jj_ut);

} // namespace orbitel
