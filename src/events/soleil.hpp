#pragma once
#include <array>
#include <optional>

#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/delta_t_precis.hpp"

namespace orbitel {

// The Sun from the engine's own low-precision solar theory (apparent longitude, latitude 0, true
// obliquity). Altitudes are geometric, of the centre, without refraction, and geocentric: the
// Sun's parallax, 8.8", is left out.

struct PositionSoleil {
    double hauteur = 0;     // degrees
    double azimut = 0;      // degrees from north through east, [0, 360)
    double ad = 0;          // apparent right ascension, hours
    double declinaison = 0; // degrees
};

// Evaluates the solar part of the engine on etat (evalue_soleil) at jj (UT).
PositionSoleil position_soleil(EtatLune& etat, double jj, const Observateur& lieu,
                               EchelleTemps echelle = EchelleTemps::universel);

// The altitudes of the centre that the day's events are the crossings of, degrees.
enum class SeuilSoleil { lever_coucher, civil, nautique, astronomique };
inline constexpr std::array<double, 4> hauteurs_seuils{-0.833, -6, -12, -18};
inline constexpr std::array<SeuilSoleil, 4> seuils_soleil{SeuilSoleil::lever_coucher, SeuilSoleil::civil,
                                                          SeuilSoleil::nautique, SeuilSoleil::astronomique};

// Where the Sun stands relative to a threshold on a day without any crossing of it.
enum class SansPassage {
    non,             // the day has at least one crossing
    toujours_dessus, // above it all day (midnight sun; for twilight, a night never that dark)
    toujours_dessous // below it all day (polar night)
};

struct PassagesSeuil {
    std::optional<double> montee;   // first instant the centre comes up through the threshold (UT)
    std::optional<double> descente; // first instant it goes down through it (UT)
    SansPassage sans_passage = SansPassage::non;
};

// The day's events for each threshold, indexed by SeuilSoleil: sunrise (montee) and sunset
// (descente) at -0.833 degree, then the morning (montee) and evening (descente) ends of civil
// (-6), nautical (-12) and astronomical (-18) twilight, each the first in the UT day
// [jj0, jj0 + 1), to within a second. A day whose extreme altitude lies within a few hundredths of
// a degree of a threshold may miss its two crossings, minutes apart.
struct JourSoleil {
    std::array<PassagesSeuil, 4> seuils;
    const PassagesSeuil& operator[](SeuilSoleil s) const { return seuils[static_cast<std::size_t>(s)]; }
};
JourSoleil jour_soleil(EtatLune& etat, double jj0, const Observateur& lieu,
                       EchelleTemps echelle = EchelleTemps::universel);

// The same over the `duree` days from jj_debut, for a day of a local clock (23 or 25 hours when the
// clocks change): each event the first in [jj_debut, jj_debut + duree). Nothing for an empty span or
// one over two days.
JourSoleil jour_soleil_entre(EtatLune& etat, double jj_debut, double duree, const Observateur& lieu,
                             EchelleTemps echelle = EchelleTemps::universel);

} // namespace orbitel
