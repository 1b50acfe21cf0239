#pragma once
#include <optional>
#include <vector>

#include "clock/fuseau.hpp"
#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/delta_t_precis.hpp"
#include "events/lever_coucher.hpp"
#include "events/passage.hpp"

namespace orbitel {

// A night at a place, from noon to noon: the Moon's altitude through it, the Moon's rise, transit
// and set, and the Sun's twilights, for the night's altitude graph.

// A span of UT Julian days [debut, fin).
struct Intervalle {
    double debut = 0;
    double fin = 0;
    double duree() const { return fin - debut; }
};

// The noon-to-noon span of the zone's wall clock that holds the UT instant jj: from the last noon
// at or before it to the next noon. 24 hours, or 23 or 25 on the nights the clocks change. UT
// itself is FuseauFixe(0).
Intervalle nuit_autour(double jj, const Fuseau& fuseau);

// The Moon's topocentric geometric altitude of the centre and azimuth at one instant (the window's
// altitude, before its rounding to four decimals), with the Sun's altitude.
struct PointNuit {
    double jj = 0;             // UT
    double hauteur = 0;        // degrees
    double azimut = 0;         // degrees from north through east, [0, 360)
    double hauteur_soleil = 0; // degrees, geometric, of the centre
};
PointNuit point_nuit(EtatLune& etat, double jj, const Observateur& lieu,
                     EchelleTemps echelle = EchelleTemps::universel);

// The state of the sky by the Sun's altitude: day above -0.833 degree, then civil, nautical and
// astronomical twilight down to -6, -12 and -18, night below.
enum class Ciel { jour, civil, nautique, astronomique, nuit };
Ciel ciel_pour(double hauteur_soleil);

// A stretch of the span under one state of the sky. Its ends are the Sun's crossings of the
// thresholds (jour_soleil), or the span's own ends.
struct BandeCiel {
    double debut = 0; // UT Julian days
    double fin = 0;
    Ciel ciel = Ciel::jour;
};

struct Nuit {
    Intervalle intervalle;
    // Every PasNuit from the start, the end included, with the Moon's rise, transit and set and the
    // bands' edges added at their own instants: in time order, so that the straight line between
    // two points keeps within a few thousandths of a degree of the Moon's altitude.
    std::vector<PointNuit> points;
    EvenementHorizon lever, coucher; // the first of each in the span
    std::optional<Passage> passage;  // the first upper culmination in the span
    std::vector<BandeCiel> bandes;   // in time order, covering the span
};

inline constexpr double PasNuit = 5.0 / 1440; // days

// The night of the span at the place, on the time scale `echelle` (the instants stay in UT).
// Evaluates the ephemeris on etat. A span that cannot be computed gives a night without points.
Nuit calcule_nuit(EtatLune& etat, const Intervalle& intervalle, const Observateur& lieu,
                  EchelleTemps echelle = EchelleTemps::universel);

// The Moon's altitude and azimuth at jj read from the night's points, straight between the two
// around it (the azimuth the short way round); nullopt outside the span or without points.
struct HauteurAzimut {
    double hauteur;
    double azimut;
};
std::optional<HauteurAzimut> interpole(const Nuit& nuit, double jj);

} // namespace orbitel
