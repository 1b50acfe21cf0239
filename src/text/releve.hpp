#pragma once
#include <optional>
#include <string>
#include <vector>

#include "clock/instant.hpp"
#include "clock/lieu.hpp"
#include "ephemeris/etat_lune.hpp"
#include "events/date.hpp"
#include "events/delta_t_precis.hpp"
#include "text/lignes_geocentriques.hpp"
#include "text/lignes_lever_coucher.hpp"
#include "text/lignes_topocentriques.hpp"

namespace orbitel {

// The computations behind the window's lines, one step at a time, shared by the window (which runs
// each step on its own, so that one failing leaves the others' lines standing) and orbitel-rapport.
// Each step leaves etat as the next one expects it.

// The geocentric run for the instant and its nine lines ("---" forms when it cannot be computed).
LignesGeocentriques releve_geocentrique(EtatLune& etat, const Instant& instant, char marque);

// The observer's view of the state the geocentric run left: its right ascension and declination
// are written back into etat. The "---" forms when there is no place (it could not be held) or the
// state cannot be computed.
LignesTopocentriques releve_topocentrique(EtatLune& etat, const Observateur* lieu, char marque);

// The rise and set of the instant's UT day; the search leaves etat describing its last trial.
// "Lever: ---" and "Coucher: ---" when there is no place.
LignesLeverCoucher releve_lever_coucher(EtatLune& etat, const Instant& instant, const Observateur* lieu,
                                        char marque);

// The phase panel's reference date after the geocentric run: the date the instant line writes
// (reference_de_l_instant), none when the run could not compute the instant and the line writes no
// date. The panel then reads "---".
std::optional<DateHeure> releve_reference_phases(const EtatLune& etat, const Instant& instant);

// The 22 report texts of an instant and a place, one per line, in the window's reading order: the
// geocentric lines, the topocentric ones, elongation, phase and instant, altitude and azimuth, rise
// and set, the five phase dates and the Delta T notice.
std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque);

// The same 22 texts with the theories driven by the time scale. `terrestre`: the geocentric and
// topocentric lines and the rise and set come from TT = UT + Delta T (delta_t_precis), the five
// phase dates each carry the precise Delta T of its instant, and the notice gives Delta T at the
// instant, as the precise model's; every time written stays in UT. `universel`: the texts above.
std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque,
                                EchelleTemps echelle);

} // namespace orbitel
