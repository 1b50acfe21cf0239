#pragma once
#include "ephemeris/angles.hpp"
#include "ephemeris/etat_lune.hpp"

namespace orbitel {

// Local sidereal time in degrees for the state's Julian day and an east-positive longitude,
// brought into [0, 360] by whole turns (360 itself stays 360).
double temps_sideral_local(const EtatLune& etat, float lon_est);

// Where the observer sees the Moon.
struct Topocentrique {
    double ad;       // right ascension, hours
    double decl;     // declination, degrees
    double distance; // km, observer to the Moon's centre
    double hauteur;  // geometric altitude of the centre, degrees (no refraction)
    double azimut;   // degrees from north through east, 0 to 360
};

// For the state an ephemeris evaluation left and the observer (latitude north positive, longitude
// EAST positive: Observateur::lon_est). The Earth is a sphere of radius 1 with the observer on it.
// hauteur and azimut are rounded to four decimals, the precision every display and the search's
// azimuth are read at; the caller writes ad and decl into the state's Ascension and Declinaison.
Topocentrique calcule_topocentrique(const EtatLune& etat, float lat, float lon_est);

// The same without the rounding of hauteur and azimut: a smooth function of time for the rise
// and set search to bracket and refine.
Topocentrique calcule_topocentrique_brut(const EtatLune& etat, float lat, float lon_est);

// Rounded to four decimals as the picture "00.0000" writes it: halves away from zero on the
// 15-digit decimal form (arrondi_decimal), so that what is shown and what is used agree to the digit.
double arrondi_quatre_decimales(double x);

} // namespace orbitel
