#include "window/noyau.hpp"

#include <cmath>

#include "clock/lecture.hpp"

#if __has_include("ephemeris/topocentrique.hpp") && __has_include("texte/lignes_topocentriques.hpp")
#include "ephemeris/topocentrique.hpp"
#include "texte/lignes_topocentriques.hpp"
#endif
#if __has_include("events/lever_coucher.hpp")
#include "events/lever_coucher.hpp"
#endif
#include "events/delta_t.hpp"
#include "events/phases.hpp"

namespace orbitel {

#ifndef ORBITEL_LIEU_DU_NOYAU
std::optional<Observateur> lit_lieu(const ChampsLieu& champs) {
    const auto d_lat = lit_nombre(champs.lat0), m_lat = lit_nombre(champs.lat1);
    const auto d_lon = lit_nombre(champs.lon0), m_lon = lit_nombre(champs.lon1);
    if (!d_lat || !m_lat || !d_lon || !m_lon) return std::nullopt;
    Observateur o;
    o.Lat = static_cast<float>(*d_lat + *m_lat / 60);
    if (!champs.nord) o.Lat = -o.Lat;
    o.Lon = static_cast<float>(-(*d_lon + *m_lon / 60));
    if (!champs.est) o.Lon = -o.Lon;
    if (!std::isfinite(o.Lat) || !std::isfinite(o.Lon)) return std::nullopt;
    return o;
}
#endif

namespace noyau {

LignesHorizon hauteur_azimut_absentes() { return {}; }

LignesHorizon hauteur_azimut(EtatLune& etat, const Observateur& lieu, char marque) {
#if __has_include("ephemeris/topocentrique.hpp") && __has_include("texte/lignes_topocentriques.hpp")
    const Topocentrique t = calcule_topocentrique(etat, lieu.Lat, -lieu.Lon);
    etat.Ascension = t.ad;
    etat.Declinaison = t.decl;
    const auto l = lignes_topocentriques(t, marque);
    return {l.Label14, l.Label15, l.Label16, l.Label12, l.Label13, l.sous_horizon};
#else
    (void)etat, (void)lieu, (void)marque;
    return hauteur_azimut_absentes();
#endif
}

LignesLeverCoucher cherche_lever_coucher(EtatLune& etat, const Instant& instant, const Observateur& lieu,
                                         char marque) {
#if __has_include("events/lever_coucher.hpp")
    const LeverCoucher lc = lever_coucher(etat, instant, lieu);
    const auto l = lignes_lever_coucher(lc, marque);
    return {l.Label18_0, l.Label18_1};
#else
    (void)etat, (void)instant, (void)lieu, (void)marque;
    return {};
#endif
}

std::optional<ReferencePhases> lunaison_voisine(const ReferencePhases& reference, int sens) {
    return pas_de_cycle(reference, sens < 0 ? SensCycle::precedent : SensCycle::suivant);
}

float delta_t_jours(int annee) {
    if (annee < -32767 || annee > 32767) return 0;
    return calcule_delta_t(static_cast<std::int16_t>(annee), '.').jours;
}

} // namespace noyau
} // namespace orbitel
