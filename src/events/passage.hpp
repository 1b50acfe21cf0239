#pragma once
#include <optional>

#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/delta_t_precis.hpp"

namespace orbitel {

// The Moon's upper culmination: the instant its topocentric local hour angle crosses 0 (the Moon on
// the meridian, due south or due north of the zenith), and its altitude then.
struct Passage {
    double jj = 0;      // Julian day, UT, to within a second
    double hauteur = 0; // topocentric, geometric, of the centre, degrees (no refraction); may be < 0
    double azimut = 0;  // 0 or 180, or near them: the side of the zenith the Moon passes on
};

// The first transit in the UT day [jj0, jj0 + 1): the Moon's day is longer than 24 h, so a day has
// at most one, and about one day a month has none (nullopt). Evaluates the ephemeris on etat, which
// then describes the last trial instant. A day that cannot be computed has none.
std::optional<Passage> passage_meridien(EtatLune& etat, double jj0, const Observateur& lieu,
                                        EchelleTemps echelle = EchelleTemps::universel);

// The same over the `duree` days from jj_debut (a day of a local clock: 23 or 25 hours when the
// clocks change): the first transit in [jj_debut, jj_debut + duree). A span of 25 hours may hold two;
// the first is given. Nothing for an empty span or one over two days.
std::optional<Passage> passage_meridien_entre(EtatLune& etat, double jj_debut, double duree,
                                              const Observateur& lieu,
                                              EchelleTemps echelle = EchelleTemps::universel);

// The topocentric local hour angle of the Moon, degrees in (-180, 180], after evaluating etat at jj.
double angle_horaire_lune(EtatLune& etat, double jj, const Observateur& lieu, EchelleTemps echelle);

} // namespace orbitel
