#pragma once
#include <string>

#include "ephemeris/topocentrique.hpp"
#include "events/releve.hpp"

namespace orbitel {

// The lines of the Moon seen from the place.
struct LignesTopocentriques {
    std::string distance;
    std::string ascension;
    std::string declinaison;
    std::string hauteur;
    std::string azimut;
    bool sous_horizon; // the altitude in dark red (below the horizon) rather than green
};

// The lines of the view from the place; the "---" forms when it has no values.
LignesTopocentriques lignes_topocentriques(const VueDuLieu& vue, char marque);

// The lines for a calcule_topocentrique result; marque is the user's decimal mark. Seconds that
// round to 60 and minutes that round to 60 carry into the next unit. A value that is not finite
// gets its "---" form.
LignesTopocentriques lignes_topocentriques(const Topocentrique& topo, char marque);

// The "---" forms: no place, or an instant that cannot be computed.
LignesTopocentriques lignes_topocentriques_absentes();

} // namespace orbitel
