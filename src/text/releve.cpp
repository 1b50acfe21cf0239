#include "text/releve.hpp"

#include "events/phases_precises.hpp"
#include "text/lignes_geocentriques.hpp"
#include "text/lignes_lever_coucher.hpp"
#include "text/lignes_phases.hpp"
#include "text/lignes_planification.hpp"
#include "text/lignes_topocentriques.hpp"

namespace orbitel {

std::vector<std::string> lignes_releve(const Releve& r, char marque, const Fuseau* zone) {
    LignesGeocentriques g;
    if (r.position) {
        g = lignes_geocentriques(*r.position, marque, zone);
    } else {
        for (std::string* l : {&g.instant, &g.longitude, &g.latitude, &g.distance, &g.parallaxe, &g.ascension,
                               &g.declinaison, &g.elongation, &g.phase})
            *l = "---";
    }
    LignesTopocentriques t = r.vue ? lignes_topocentriques(*r.vue, marque) : LignesTopocentriques{};
    if (!r.vue) t = {"---", "---", "---", "---", "---", false};
    const LignesLeverCoucher lc = r.lever_coucher ? lignes_lever_coucher(*r.lever_coucher, marque, zone)
                                                  : LignesLeverCoucher{"---", "---"};
    const LignesPhases p = r.phases ? lignes_phases(*r.phases, marque, zone) : lignes_phases_absentes();
    return {g.longitude, g.latitude,  g.distance,    g.parallaxe,  g.ascension, g.declinaison,
            t.distance,  t.ascension, t.declinaison, g.elongation, g.phase,     g.instant,
            t.hauteur,   t.azimut,    lc.lever,      lc.coucher,   p.phases[0], p.phases[1],
            p.phases[2], p.phases[3], p.phases[4],   p.notice};
}

std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque) {
    return lignes_releve(calcule_releve(instant, lieu), marque);
}

std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque,
                                EchelleTemps echelle, const Fuseau* zone) {
    return lignes_releve(calcule_releve(instant, lieu, echelle, zone), marque, echelle, zone);
}

LignesPhases lignes_panneau(const Releve& r, char marque, EchelleTemps echelle, const Fuseau* zone) {
    if (!r.phases) return lignes_phases_absentes();
    if (echelle == EchelleTemps::universel) return lignes_phases(*r.phases, marque, zone);
    if (!r.phases->lunaison || !r.position || !r.position->geocentrique) return lignes_phases_absentes();
    return lignes_phases_precises(r.phases->lunaison->reference, r.position->instant.jour_julien(), marque,
                                  zone);
}

std::vector<std::string> lignes_releve(const Releve& r, char marque, EchelleTemps echelle,
                                       const Fuseau* zone) {
    std::vector<std::string> lignes = lignes_releve(r, marque, zone);
    if (echelle == EchelleTemps::universel) return lignes;
    const LignesPhases p = lignes_panneau(r, marque, echelle, zone);
    for (std::size_t k = 0; k < 5; ++k)
        lignes[16 + k] = p.phases[k];
    lignes[21] = p.notice;
    return lignes;
}

InstantsDesLignes instants_des_lignes(const Releve& r, EchelleTemps echelle) {
    InstantsDesLignes i;
    if (r.position && r.position->geocentrique)
        i.instant = instant_ecrit(r.position->instant, FormeInstant::seconde);
    if (r.lever_coucher) {
        if (r.lever_coucher->lever)
            i.lever = instant_ecrit(r.lever_coucher->lever->instant, FormeInstant::minute);
        if (r.lever_coucher->coucher)
            i.coucher = instant_ecrit(r.lever_coucher->coucher->instant, FormeInstant::minute);
    }
    if (r.phases && r.phases->lunaison) {
        PhaseLune etat;
        for (std::size_t k = 0; k < 5; ++k) {
            const InstantTu phase =
                echelle == EchelleTemps::universel
                    ? r.phases->lunaison->phases[k]
                    : InstantTu::du_jour_julien(jj_phase_precise(etat, static_cast<std::int16_t>(k),
                                                                 r.phases->lunaison->reference));
            i.phases[k] = instant_ecrit(phase, FormeInstant::phase);
        }
    }
    return i;
}

} // namespace orbitel
