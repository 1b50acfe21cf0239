#pragma once
#include <string_view>

#include "clock/instant.hpp"

namespace orbitel {

// Working constants of the lunar theory. Their literals are those the coefficients were fitted
// with: pi cut to twelve decimals, not std::numbers::pi. The two differ by 8e-13, enough to move
// a shown digit now and then, so each keeps its own uses.
inline constexpr double PiTronque = 3.141592653589;
inline constexpr double Rad = 180.0 / PiTronque; // degrees per radian
inline constexpr double DeuxPi = 2 * PiTronque;
static_assert(DeuxPi == 6.283185307178, "the full turn of the theory is twice its pi, to the last bit");
inline constexpr double SecRad = 4.84814e-06; // radians per arcsecond

// Everything the engine knows about one instant. Angles in radians unless stated otherwise.
struct EtatLune {
    double JJ = 0;                        // Julian day, UT used as the time argument
    double T1900 = 0;                     // Julian centuries from 1900 (solar theory)
    double T = 0, T2 = 0, T3 = 0, T4 = 0; // Julian centuries from J2000 and powers

    double LongSoleil = 0;     // apparent longitude of the Sun, reduced
    double AnomalieSoleil = 0; // mean anomaly of the solar theory, not reduced

    double Lp = 0;    // mean longitude of the Moon, reduced
    double D = 0;     // mean elongation, reduced
    double M = 0;     // mean anomaly of the Sun (lunar theory), not reduced
    double Mp = 0;    // mean anomaly of the Moon, reduced
    double F = 0;     // argument of latitude, reduced
    double Omega = 0; // mean ascending node, not reduced
    double Zeta = 0;  // Lp plus general precession, not reduced

    double LVenus = 0, LTerre = 0, LMars = 0, LJupiter = 0; // planetary mean longitudes, reduced

    double DeltaPsi = 0; // nutation in longitude, arcseconds
    double DeltaEps = 0; // nutation in obliquity, arcseconds
    double Eps = 0;      // true obliquity of the ecliptic

    double Lambda = 0;   // apparent geocentric longitude (not reduced)
    double Beta = 0;     // geocentric latitude
    double Distance = 0; // km, centre to centre

    double Parallaxe = 0;      // equatorial horizontal parallax
    double Ascension = 0;      // hours; topocentric once the topocentric routine has run
    double Declinaison = 0;    // degrees; likewise
    double Elongation = 0;     // geocentric elongation from the Sun
    double Phase = 0;          // illuminated fraction, percent to a tenth
    std::string_view EstOuest; // "Est" or "Ouest": the side of the Sun the Moon stands on
};

} // namespace orbitel
