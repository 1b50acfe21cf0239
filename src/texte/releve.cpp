#include "texte/releve.hpp"

#include "ephemeris/moteur.hpp"
#include "texte/rapport.hpp"

namespace orbitel {

std::vector<std::string> releve(const Instant& instant, const LieuReleve& lieu, char marque) {
    (void)lieu;
    EtatLune etat;
    calcule_lune(etat, instant);
    const LignesGeocentriques g = lignes_geocentriques(etat, marque);
    const std::string absent = "---";
    return {g.Label1, g.Label2, g.Label3, g.Label4, g.Label5, g.Label6, absent, absent, absent, g.Label7, g.Label8,
            g.Label9, absent, absent, absent, absent, absent, absent, absent, absent, absent, absent};
}

} // namespace orbitel
