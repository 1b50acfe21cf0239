#pragma once
#include <cstdint>
#include <vector>

#include "events/date.hpp"
#include "events/delta_t_precis.hpp"
#include "events/phases.hpp"

namespace orbitel {

// The phase instants in universal time with the precise Delta T of each instant (delta_t_precis)
// instead of the year's: the phase algorithm gives dynamical time (TT), and UT = TT - Delta T(UT).

// Phase `indice` (0 to 4) of lunation k (whole; index 4 is the new moon of k + 1), Julian day UT.
double jj_phase_precise(PhaseLune& etat, std::int16_t indice, float k);

// The same for the lunation the panel lists for a reference date (numero_lunaison).
double jj_phase_precise(PhaseLune& etat, std::int16_t indice, const DateHeure& reference);

// Every principal phase in [jj_debut, jj_fin), in time order, over every lunation (not the
// panel's), with the precise Delta T. Nothing for a span that is empty, not finite or longer than
// 1000 years.
std::vector<PhaseDatee> phases_precises_entre(double jj_debut, double jj_fin);

// The new moon of lunation k in UT for a time scale: `universel` subtracts the Delta T of its year
// by the program's yearly rule (calcule_delta_t), as the phase panel does; `terrestre` the precise
// Delta T of its instant.
double nouvelle_lune(PhaseLune& etat, float k, EchelleTemps echelle);

// The Moon's age at an instant: the days since the latest new moon at or before it, over every
// lunation.
struct AgeLune {
    double jours = 0;                // jj - jj_nouvelle_lune, 0 to about 29.9
    double jj_nouvelle_lune = 0;     // Julian day, UT
    std::int64_t lunaison = 0;       // Meeus's k of that new moon (0: 6 January 2000)
    std::int64_t lunaison_brown = 0; // Brown's lunation number, k + 953 (1: 17 January 1923)
};

// For jj in UT. Lunations are numbered within float precision, so the age is given within 100,000
// years of 2000; nullopt beyond, or for a jj that is not finite.
std::optional<AgeLune> age_lune(double jj, EchelleTemps echelle = EchelleTemps::universel);

} // namespace orbitel
