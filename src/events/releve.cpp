#include "events/releve.hpp"

#include <cmath>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "events/lever_coucher.hpp"
#include "events/phases.hpp"
#include "events/phases_precises.hpp"

namespace orbitel {

namespace {

std::optional<PassageHorizon> passage(const EvenementHorizon& e) {
    if (!e.trouve) return std::nullopt;
    return PassageHorizon{InstantTu::du_jour_julien(e.jj), e.azimut};
}

} // namespace

PositionLune position_de_l_etat(const EtatLune& e, const Instant& instant) {
    PositionLune p{instant, InstantTu::du_jour_julien(e.JJ), std::nullopt};
    if (est_calculable(e))
        p.geocentrique =
            Geocentrique{e.Lambda,      e.Beta,
                         e.Distance,    e.Ascension,
                         e.Declinaison, e.Elongation,
                         e.Phase,       e.EstOuest == "Est" ? CoteSoleil::est : CoteSoleil::ouest};
    return p;
}

PositionLune position_lune(EtatLune& etat, const Instant& instant, EchelleTemps echelle) {
    if (echelle == EchelleTemps::universel)
        calcule_lune(etat, instant);
    else
        calcule_lune(etat, instant, ecart_echelle_jours(echelle, jour_julien(instant)));
    return position_de_l_etat(etat, instant);
}

VueDuLieu vue_du_lieu(const EtatLune& etat, const PositionLune& position, const Observateur* lieu) {
    VueDuLieu v{position.instant, std::nullopt};
    if (lieu && position.geocentrique) v.valeurs = calcule_topocentrique(etat, lieu->Lat, lieu->lon_est());
    return v;
}

LeverCoucherJour passages_du_jour(const Instant& saisi, const LeverCoucher& trouves) {
    return {saisi, passage(trouves.lever), passage(trouves.coucher)};
}

LeverCoucherJour lever_coucher_du_jour(EtatLune& etat, const Instant& instant, const Observateur* lieu,
                                       EchelleTemps echelle, const Fuseau* zone) {
    if (!lieu) return {instant, std::nullopt, std::nullopt};
    if (zone) {
        const JourLocal j = jour_local(instant_des_champs(instant), *zone);
        return passages_du_jour(instant, lever_coucher_entre(etat, j.jj_debut, j.duree, *lieu, echelle));
    }
    if (echelle == EchelleTemps::universel)
        return passages_du_jour(instant, lever_coucher(etat, instant, *lieu));
    return passages_du_jour(instant, lever_coucher_entre(etat, jour_julien_0h(instant), 1, *lieu, echelle));
}

float delta_t_jours(long long annee) {
    if (annee < AnneeMin || annee > AnneeMax) return 0;
    return calcule_delta_t(static_cast<std::int16_t>(annee)).jours;
}

PanneauDesPhases panneau_des_phases(const std::optional<DateHeure>& reference, EchelleTemps echelle,
                                    std::optional<InstantTu> montre) {
    PanneauDesPhases p;
    if (!reference || !std::isfinite(reference->jours()) || !annee_affichable(*reference)) return p;
    Lunaison l;
    l.reference = *reference;
    l.annee = static_cast<std::int16_t>(reference->annee());
    l.delta_t = calcule_delta_t(l.annee);
    const bool precis = echelle == EchelleTemps::terrestre;
    if (precis) {
        if (!montre || !std::isfinite(montre->secondes)) return p;
        l.precis = Lunaison::DeltaTPrecis{*montre, delta_t_precis(montre->jour_julien())};
    }
    // One lunation for the five instants, found once.
    const float k = numero_lunaison(*reference);
    PhaseLune etat;
    for (std::int16_t i = 0; i < 5; ++i) {
        const double jj =
            precis ? jj_phase_precise(etat, i, k) : jj_phase_de_lunaison(etat, k, i, l.delta_t.jours);
        // An instant that is no date leaves the whole panel unlisted.
        if (!std::isfinite(jj)) return p;
        l.phases[static_cast<std::size_t>(i)] = InstantTu::du_jour_julien(jj);
    }
    p.lunaison = l;
    return p;
}

std::optional<DateHeure> reference_de_l_instant(InstantTu instant, const Fuseau* zone) {
    // The date of the instant line, its carry of the last half second into the next day included;
    // the zone's offsets are whole seconds, so the local line is the UT one moved by the offset.
    if (zone && std::isfinite(instant.secondes)) instant.secondes += zone->decalage(instant.secondes);
    const std::optional<DateHeureTu> t = a_la_seconde(instant);
    if (!t || t->an < AnneeMin || t->an > AnneeMax) return std::nullopt;
    return DateHeure::depuis_calendrier(t->an, static_cast<unsigned>(t->mois),
                                        static_cast<unsigned>(t->jour));
}

std::optional<DateHeure> reference_de_la_position(const PositionLune& position, const Fuseau* zone) {
    if (!position.geocentrique) return std::nullopt;
    return reference_de_l_instant(position.instant, zone);
}

Releve calcule_releve(const Instant& instant, const Observateur& lieu, EchelleTemps echelle,
                      const Fuseau* zone) {
    Releve r;
    r.lieu = lieu;
    EtatLune etat;
    r.position = position_lune(etat, instant, echelle);
    // As the window does: the view from the place right after the position, then the search of the
    // instant's day, here only for a computable instant.
    r.vue = vue_du_lieu(etat, *r.position, &lieu);
    r.lever_coucher =
        lever_coucher_du_jour(etat, instant, r.position->geocentrique ? &lieu : nullptr, echelle, zone);
    r.phases =
        panneau_des_phases(reference_de_la_position(*r.position, zone), echelle,
                           r.position->geocentrique ? std::optional(r.position->instant) : std::nullopt);
    return r;
}

} // namespace orbitel
