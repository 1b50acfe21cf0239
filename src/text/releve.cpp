#include "text/releve.hpp"

#include "text/lignes_geocentriques.hpp"
#include "text/lignes_lever_coucher.hpp"
#include "text/lignes_phases.hpp"
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
    return lignes_releve(calcule_releve(instant, lieu, echelle, zone), marque, zone);
}

InstantsDesLignes instants_des_lignes(const Releve& r) {
    InstantsDesLignes i;
    if (r.position && r.position->geocentrique)
        i.instant = instant_ecrit(r.position->instant, FormeInstant::seconde);
    if (r.lever_coucher) {
        if (r.lever_coucher->lever)
            i.lever = instant_ecrit(r.lever_coucher->lever->instant, FormeInstant::minute);
        if (r.lever_coucher->coucher)
            i.coucher = instant_ecrit(r.lever_coucher->coucher->instant, FormeInstant::minute);
    }
    if (r.phases && r.phases->lunaison)
        for (std::size_t k = 0; k < 5; ++k)
            i.phases[k] = instant_ecrit(r.phases->lunaison->phases[k], FormeInstant::phase);
    return i;
}

} // namespace orbitel
