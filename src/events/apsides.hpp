#pragma once
#include <optional>
#include <vector>

#include "ephemeris/etat_lune.hpp"
#include "events/delta_t_precis.hpp"

namespace orbitel {

enum class TypeApside { perigee, apogee };

// A perigee (the Moon nearest the Earth: a "super moon" when it falls near a full moon) or an
// apogee, found on the engine's own geocentric distance (centre to centre).
struct Apside {
    TypeApside type = TypeApside::perigee;
    double jj = 0;          // Julian day, UT, to within a minute
    double distance_km = 0; // the engine's distance then
};

// Every apsis whose instant lies in [jj_debut, jj_fin), in time order (about two a month).
// Evaluates the ephemeris on etat. Nothing for a span that is empty, not finite, longer than
// 100 years or beyond JourJulienLimite.
std::vector<Apside> apsides_entre(EtatLune& etat, double jj_debut, double jj_fin,
                                  EchelleTemps echelle = EchelleTemps::universel);

// The first apsis of the given type at or after jj (within the next 32 days); nullopt only where
// apsides_entre finds nothing.
std::optional<Apside> apside_suivante(EtatLune& etat, double jj, TypeApside type,
                                      EchelleTemps echelle = EchelleTemps::universel);

} // namespace orbitel
