#include "text/releve.hpp"

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/lever_coucher.hpp"
#include "text/lignes_phases.hpp"
#include "text/lignes_planification.hpp"

namespace orbitel {

LignesGeocentriques releve_geocentrique(EtatLune& etat, const Instant& instant, char marque) {
    calcule_lune(etat, instant);
    return lignes_geocentriques(etat, marque);
}

LignesTopocentriques releve_topocentrique(EtatLune& etat, const Observateur* lieu, char marque) {
    if (!lieu || !est_calculable(etat)) return lignes_topocentriques_absentes();
    // Like the engine, the topocentric step leaves its right ascension and declination in etat.
    const Topocentrique t = calcule_topocentrique(etat, lieu->Lat, lieu->lon_est());
    etat.Ascension = t.ad;
    etat.Declinaison = t.decl;
    return lignes_topocentriques(t, marque);
}

LignesLeverCoucher releve_lever_coucher(EtatLune& etat, const Instant& instant, const Observateur* lieu,
                                        char marque) {
    if (!lieu) return lignes_lever_coucher_absentes();
    return lignes_lever_coucher(lever_coucher(etat, instant, *lieu), marque);
}

std::optional<DateHeure> releve_reference_phases(const EtatLune& etat, const Instant& instant) {
    if (!est_calculable(etat)) return std::nullopt;
    return reference_de_l_instant(instant);
}

std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque) {
    EtatLune etat;
    const LignesGeocentriques g = releve_geocentrique(etat, instant, marque);
    const bool calculable = est_calculable(etat);
    const std::optional<DateHeure> reference = releve_reference_phases(etat, instant);

    // As the window does: the topocentric lines right after the geocentric run, then the search of
    // the instant's UT day. Only a computable instant is searched here.
    const LignesTopocentriques t = releve_topocentrique(etat, &lieu, marque);
    const LignesLeverCoucher lc =
        calculable ? releve_lever_coucher(etat, instant, &lieu, marque) : lignes_lever_coucher_absentes();

    // The panel of the date the instant line writes, at 0 h.
    const LignesPhases p = reference ? lignes_phases(*reference, marque) : lignes_phases_absentes();
    return {g.Label1,      g.Label2,      g.Label3,      g.Label4,     g.Label5,      g.Label6,
            t.Label14,     t.Label15,     t.Label16,     g.Label7,     g.Label8,      g.Label9,
            t.Label12,     t.Label13,     lc.Label18_0,  lc.Label18_1, p.LabPhase[0], p.LabPhase[1],
            p.LabPhase[2], p.LabPhase[3], p.LabPhase[4], p.Label10_0};
}

std::vector<std::string> releve(const Instant& instant, const Observateur& lieu, char marque,
                                EchelleTemps echelle) {
    if (echelle == EchelleTemps::universel) return releve(instant, lieu, marque);
    // The steps of the lines above, each driven by terrestrial time.
    EtatLune etat;
    const double jj = jour_julien(instant);
    calcule_lune(etat, instant, ecart_echelle_jours(echelle, jj));
    const LignesGeocentriques g = lignes_geocentriques(etat, marque);
    const bool calculable = est_calculable(etat);
    const std::optional<DateHeure> reference = releve_reference_phases(etat, instant);
    const LignesTopocentriques t = releve_topocentrique(etat, &lieu, marque);
    const LignesLeverCoucher lc =
        calculable ? lignes_lever_coucher(
                         lever_coucher_entre(etat, jour_julien_0h(instant), 1, lieu, echelle), marque)
                   : lignes_lever_coucher_absentes();
    const LignesPhases p =
        reference ? lignes_phases_precises(*reference, jj, marque) : lignes_phases_absentes();
    return {g.Label1,      g.Label2,      g.Label3,      g.Label4,     g.Label5,      g.Label6,
            t.Label14,     t.Label15,     t.Label16,     g.Label7,     g.Label8,      g.Label9,
            t.Label12,     t.Label13,     lc.Label18_0,  lc.Label18_1, p.LabPhase[0], p.LabPhase[1],
            p.LabPhase[2], p.LabPhase[3], p.LabPhase[4], p.Label10_0};
}

} // namespace orbitel
