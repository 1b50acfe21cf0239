#include "texte/releve.hpp"

#include "ephemeris/moteur.hpp"
#include "events/phases.hpp"
#include "texte/rapport.hpp"

namespace orbitel {

std::vector<std::string> releve(const Instant& instant, const LieuReleve& lieu, char marque) {
    (void)lieu;
    EtatLune etat;
    calcule_lune(etat, instant);
    const LignesGeocentriques g = lignes_geocentriques(etat, marque);
    const std::string absent = "---";
    // The panel lists the lunation of the instant's date at 0 h; "---" when that is no calendar date.
    const LignesPhases p = lignes_phases(instant, marque);
    return {g.Label1,     g.Label2,     g.Label3,     g.Label4,     g.Label5,     g.Label6,    absent, absent,
            absent,       g.Label7,     g.Label8,     g.Label9,     absent,       absent,      absent, absent,
            p.LabPhase[0], p.LabPhase[1], p.LabPhase[2], p.LabPhase[3], p.LabPhase[4], p.Label10_0};
}

} // namespace orbitel
