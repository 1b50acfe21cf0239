#pragma once
#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/delta_t_precis.hpp"

namespace orbitel {

// How the Moon looks: its apparent size, the face it turns to us and the tilt of its lit side.
// Angles in degrees; position angles are counted from the north point of the disc through east,
// in [0, 360).

// The Moon's mean radius (IAU), km.
inline constexpr double RayonLune = 1737.4;

// Apparent diameter, degrees, of the Moon seen from `distance_km` (centre to centre):
// 2 asin(RayonLune / distance). NaN for a distance not above the radius.
double diametre_apparent(double distance_km);

// Optical libration, geocentric (J. Meeus, Astronomical Algorithms, ch. 53, without the physical
// libration, which stays under 0.04 degree): the selenographic longitude and latitude of the point
// of the Moon at the centre of the disc, and the position angle of the Moon's axis (its north pole).
struct Libration {
    double longitude = 0; // degrees, (-180, 180]; positive: more of the east limb (Mare Crisium) shows
    double latitude = 0;  // degrees; positive: more of the north pole shows
    double angle_axe = 0; // position angle of the axis, [0, 360)
};
// From an evaluation of the ephemeris (evalue_ephemeride), before any topocentric step.
Libration libration_optique(const EtatLune& etat);

// Position angle of the midpoint of the bright limb (Meeus, ch. 48) from the Moon's right
// ascension (hours) and declination (degrees) and the Sun's, [0, 360).
double angle_position_limbe(double ad_lune, double decl_lune, double ad_soleil, double decl_soleil);

// Parallactic angle of a body at hour angle `angle_horaire` and declination `declinaison` for a
// latitude (degrees): the angle at the body from the north point of its disc to the zenith,
// positive west of the meridian, (-180, 180].
double angle_parallactique(double angle_horaire, double declinaison, double latitude);

// Everything above for an instant (Julian day, UT) and a place.
struct AspectLune {
    double diametre_geocentrique = 0;  // degrees
    double diametre_topocentrique = 0; // degrees, from the observer's distance
    Libration libration;
    double angle_limbe = 0;               // bright limb, geocentric Moon and Sun, [0, 360)
    double angle_limbe_topocentrique = 0; // bright limb of the Moon seen from the place, [0, 360)
    double angle_parallactique = 0;       // of the Moon at the place (topocentric), (-180, 180]
    // The tilt of the lit side as seen from the place: the bright limb's position angle less the
    // parallactic angle, counted from the zenith side of the disc toward the left (the east on the
    // sky), [0, 360). 0: lit from above; 90: from the left; 270: from the right.
    double inclinaison_limbe = 0;
};
// Evaluates the ephemeris on etat, which then describes jj with the topocentric right ascension and
// declination in Ascension and Declinaison.
AspectLune aspect_lune(EtatLune& etat, double jj, const Observateur& lieu,
                       EchelleTemps echelle = EchelleTemps::universel);

// The Sun's apparent right ascension (hours) and declination (degrees) from the state an
// evaluation left (LongSoleil, Eps; the solar theory's latitude is 0).
struct EquatorialesSoleil {
    double ad;
    double decl;
};
EquatorialesSoleil equatoriales_soleil(const EtatLune& etat);

} // namespace orbitel
