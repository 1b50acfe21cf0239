#include "text/releve.hpp"

#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/lever_coucher.hpp"
#include "events/phases.hpp"
#include "text/lignes_topocentriques.hpp"
#include "text/lignes_geocentriques.hpp"

namespace orbitel {

std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque) {
    EtatLune etat;
    calcule_lune(etat, instant);
    const LignesGeocentriques g = lignes_geocentriques(etat, marque);

    // As the window does: the topocentric lines right after the geocentric run, then the search of
    // the instant's UT day, which leaves etat describing its own last trial.
    LignesTopocentriques t = lignes_topocentriques_absentes();
    LignesLeverCoucher lc = lignes_lever_coucher_absentes();
    if (est_calculable(etat)) {
        t = lignes_topocentriques(calcule_topocentrique(etat, lieu.Lat, -lieu.Lon), marque);
        lc = lignes_lever_coucher(lever_coucher(etat, instant, lieu), marque);
    }

    // The panel lists the lunation of the instant's date at 0 h; "---" when that is no calendar date.
    const LignesPhases p = lignes_phases(instant, marque);
    return {g.Label1,      g.Label2,      g.Label3,      g.Label4,      g.Label5,      g.Label6,
            t.Label14,     t.Label15,     t.Label16,     g.Label7,      g.Label8,      g.Label9,
            t.Label12,     t.Label13,     lc.Label18_0,  lc.Label18_1,  p.LabPhase[0], p.LabPhase[1],
            p.LabPhase[2], p.LabPhase[3], p.LabPhase[4], p.Label10_0};
}

} // namespace orbitel
