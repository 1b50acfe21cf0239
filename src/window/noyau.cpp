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
#if __has_include("events/phases.hpp") && __has_include("events/date.hpp") && __has_include("events/delta_t.hpp")
#include "events/date.hpp"
#include "events/delta_t.hpp"
#include "events/phases.hpp"
#endif

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

namespace {

bool est_entier(double x) { return std::isfinite(x) && std::floor(x) == x; }

bool date_gregorienne(double jour, double mois, double an) {
    if (!est_entier(jour) || !est_entier(mois) || !est_entier(an)) return false;
    if (an < -32767 || an > 32767 || mois < 1 || mois > 12 || jour < 1) return false;
    const auto a = static_cast<long long>(an);
    const bool bissextile = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
    constexpr int longueurs[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int longueur = longueurs[static_cast<int>(mois) - 1] + (mois == 2 && bissextile ? 1 : 0);
    return jour <= longueur;
}

} // namespace

bool date_valide(const Instant& instant) { return date_gregorienne(instant.jour, instant.mois, instant.an); }

std::optional<ReferencePhases> reference_de(const Instant& instant) {
    if (!date_valide(instant)) return std::nullopt;
    return ReferencePhases{jours_civils(static_cast<std::int64_t>(instant.an), static_cast<unsigned>(instant.mois),
                                        static_cast<unsigned>(instant.jour))};
}

int annee_de(const ReferencePhases& reference) {
    // Civil date of a day count (the inverse of jours_civils).
    const long long z = reference.jours + 719468;
    const long long ere = (z >= 0 ? z : z - 146096) / 146097;
    const long long jour_ere = z - ere * 146097;
    const long long annee_ere = (jour_ere - jour_ere / 1460 + jour_ere / 36524 - jour_ere / 146096) / 365;
    const long long jour_annee = jour_ere - (365 * annee_ere + annee_ere / 4 - annee_ere / 100);
    const long long mp = (5 * jour_annee + 2) / 153;
    const long long mois = mp < 10 ? mp + 3 : mp - 9;
    return static_cast<int>(annee_ere + ere * 400 + (mois <= 2));
}

LignesPhases lignes_phases(const ReferencePhases& reference, char marque) {
    (void)reference, (void)marque;
    LignesPhases l;
    l.LabPhase.fill("---");
    return l;
}

ReferencePhases lunaison_voisine(const ReferencePhases& reference, int sens) {
    (void)sens;
    return reference;
}

float delta_t_jours(int annee) {
    (void)annee;
    return 0;
}

} // namespace noyau
} // namespace orbitel
