#pragma once
#include <optional>
#include <string_view>

#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "events/aspect.hpp"
#include "events/delta_t_precis.hpp"
#include "events/lever_coucher.hpp"
#include "events/passage.hpp"
#include "events/phases_precises.hpp"
#include "events/soleil.hpp"

namespace orbitel {

// One row of an almanac: the engine's values for an instant and a place, before any rounding for
// display. Angles in degrees, right ascensions in hours.
struct LigneAlmanach {
    bool calculable = false; // false: the instant cannot be computed, nothing below holds
    double jj = 0;           // Julian day of the instant, UT
    double longitude = 0;    // apparent geocentric, in [0, 360)
    double latitude = 0;
    double distance_km = 0;
    double parallaxe = 0;
    double ascension_droite = 0;
    double declinaison = 0;
    double distance_topo_km = 0;
    double ascension_droite_topo = 0;
    double declinaison_topo = 0;
    double elongation = 0;
    std::string_view cote; // "Est" or "Ouest"
    double phase = 0;      // illuminated percentage
    double hauteur = 0;    // topocentric, geometric, of the centre
    double azimut = 0;
    LeverCoucher lever_coucher;
    // What helps plan an observation: the age and lunation at the instant, the Moon's look from the
    // place (diameters, libration, axis, bright limb, parallactic angle), the Sun's altitude and
    // azimuth, and the first transit of the row's day (none some days).
    std::optional<AgeLune> age;
    AspectLune aspect;
    PositionSoleil soleil;
    std::optional<Passage> passage;
};

// The row for the instant, with the first rise, set and transit in the `duree` days from
// jj_debut_jour: the instant's UT day (jour_julien_0h, 1 day) gives the window's two lines. The
// theories are driven by the time scale; every instant stays in UT.
LigneAlmanach ligne_almanach(const Instant& instant, const Observateur& lieu, double jj_debut_jour,
                             double duree, EchelleTemps echelle = EchelleTemps::universel);

} // namespace orbitel
