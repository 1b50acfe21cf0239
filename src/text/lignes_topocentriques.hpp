#pragma once
#include <string>

#include "ephemeris/topocentrique.hpp"

namespace orbitel {

// The topocentric lines of the window, in the labels' names.
struct LignesTopocentriques {
    std::string Label14; // topocentric distance
    std::string Label15; // topocentric right ascension
    std::string Label16; // topocentric declination
    std::string Label12; // altitude
    std::string Label13; // azimuth
    bool sous_horizon;   // Label12 in dark red (below the horizon) rather than green
};

// The lines for a calcule_topocentrique result; marque is the user's decimal mark. Seconds that
// round to 60 and minutes that round to 60 carry into the next unit. A value that is not finite
// gets its "---" form.
LignesTopocentriques lignes_topocentriques(const Topocentrique& topo, char marque);

// The "---" forms, for an instant that cannot be computed.
LignesTopocentriques lignes_topocentriques_absentes();

} // namespace orbitel
