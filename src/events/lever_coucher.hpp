#pragma once
#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/delta_t_precis.hpp"

namespace orbitel {

// Altitude of the Moon's centre, topocentric and geometric, at which it rises or sets: the
// semi-diameter and the refraction at the horizon put its upper limb on the horizon then.
inline constexpr double HauteurLever = -0.833; // degrees

struct EvenementHorizon {
    bool trouve = false;
    double jj = 0;     // Julian day, UT
    double azimut = 0; // degrees from north through east, to four decimals
};

struct LeverCoucher {
    EvenementHorizon lever, coucher;
    int evaluations = 0; // ephemeris evaluations the search made
};

// The first moonrise and the first moonset of the UT day [0 h, 24 h) of instant.jour, mois, an
// (the time of day plays no part) for the observer: the first instants at which the topocentric
// altitude of the centre crosses HauteurLever going up, and going down, each to within 0.1 s.
// No crossing is jumped over, except that two crossings less than a minute apart (a grazing touch
// at high latitude) may count as none. The search evaluates the ephemeris on etat, which then
// describes the last trial instant. An instant that cannot be computed finds nothing.
LeverCoucher lever_coucher(EtatLune& etat, const Instant& instant, const Observateur& lieu);

// The same from the Julian day of 0 h UT of the day.
LeverCoucher lever_coucher_jour(EtatLune& etat, double jj0, const Observateur& lieu);

// The same over the `duree` days from jj_debut, for a day of a local clock: 23 or 25 hours when the
// clocks change, or from noon to noon. An empty span, or one over two days, finds nothing. The
// theories run on the time scale `echelle`; the instants stay in UT.
LeverCoucher lever_coucher_entre(EtatLune& etat, double jj_debut, double duree, const Observateur& lieu,
                                 EchelleTemps echelle = EchelleTemps::universel);

// Bounds of the altitude's motion that keep the scan from stepping over a crossing, for a
// latitude in degrees: the rate anywhere, and the second derivative while the Moon is within
// BornesHauteur::hauteur_courbure degrees of the horizon.
struct BornesHauteur {
    static constexpr double hauteur_courbure = 10; // degrees
    double vitesse;                                // degrees per day
    double courbure;                               // degrees per day squared
};
BornesHauteur bornes_hauteur(float lat);

} // namespace orbitel
