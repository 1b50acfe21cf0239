#include "window/noyau.hpp"

#include "events/delta_t.hpp"
#include "events/lever_coucher.hpp"
#include "events/phases.hpp"
#include "ephemeris/topocentrique.hpp"
#include "texte/lignes_topocentriques.hpp"

namespace orbitel::noyau {

LignesHorizon hauteur_azimut_absentes() {
    const LignesTopocentriques l = lignes_topocentriques_absentes();
    return {l.Label14, l.Label15, l.Label16, l.Label12, l.Label13, l.sous_horizon};
}

LignesHorizon hauteur_azimut(EtatLune& etat, const Observateur& lieu, char marque) {
    const Topocentrique t = calcule_topocentrique(etat, lieu.Lat, -lieu.Lon);
    etat.Ascension = t.ad;
    etat.Declinaison = t.decl;
    const LignesTopocentriques l = lignes_topocentriques(t, marque);
    return {l.Label14, l.Label15, l.Label16, l.Label12, l.Label13, l.sous_horizon};
}

LignesLeverCoucher cherche_lever_coucher(EtatLune& etat, const Instant& instant, const Observateur& lieu,
                                         char marque) {
    const auto l = lignes_lever_coucher(lever_coucher(etat, instant, lieu), marque);
    return {l.Label18_0, l.Label18_1};
}

std::optional<ReferencePhases> lunaison_voisine(const ReferencePhases& reference, int sens) {
    return pas_de_cycle(reference, sens < 0 ? SensCycle::precedent : SensCycle::suivant);
}

float delta_t_jours(int annee) {
    if (annee < -32767 || annee > 32767) return 0;
    return calcule_delta_t(static_cast<std::int16_t>(annee), '.').jours;
}

} // namespace orbitel::noyau
