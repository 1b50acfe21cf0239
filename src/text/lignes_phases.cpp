#include "text/lignes_phases.hpp"

#include <charconv>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "clock/calendrier.hpp"
#include "events/delta_t.hpp"
#include "text/formats.hpp"
#include "text/heure_locale.hpp"
#include "text/lignes_planification.hpp"

namespace orbitel {

namespace {

void ajoute_entier(std::string& s, std::int64_t n) {
    char tampon[24];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, n);
    s.append(tampon, r.ptr);
}

// Two digits with a leading zero, for the hours, minutes and seconds (always 0 to 59 here).
void ajoute_deux_chiffres(std::string& s, std::int64_t n) {
    if (n >= 0 && n < 10) s.push_back('0');
    ajoute_entier(s, n);
}

} // namespace

std::string calcule_phase(PhaseLune& etat, std::int16_t indice, const DateHeure& reference, float DeltaT) {
    return jj_en_texte(jj_phase(etat, indice, reference, DeltaT));
}

std::string notice_delta_t(std::int16_t annee, double secondes, char marque, bool heure_locale) {
    return std::string("Les heures sont en ") + (heure_locale ? "heure locale" : "temps universel") +
           ", la différence avec le temps terrestre dynamique (TDT ou TT) "
           "est, en " +
           std::to_string(annee) + ", de " + texte_image(secondes, "00.00", marque) + " secondes.";
}

std::string jj_en_texte(double jj) {
    if (!std::isfinite(jj)) throw std::domain_error("jour julien non fini");
    const std::optional<InstantLigne> l = instant_ecrit(InstantTu::du_jour_julien(jj), FormeInstant::phase);
    if (!l) throw std::domain_error("heure hors du jour");
    const DateHeureTu& t = l->tu;
    std::string s;
    s.reserve(32);
    ajoute_entier(s, t.jour);
    s.push_back('/');
    ajoute_entier(s, t.mois);
    s.push_back('/');
    ajoute_entier(s, t.an);
    s += " à ";
    ajoute_deux_chiffres(s, t.heures);
    s.push_back(':');
    ajoute_deux_chiffres(s, t.minutes);
    s.push_back(':');
    ajoute_deux_chiffres(s, t.secondes);
    s += " T.U";
    return s;
}

std::string jj_en_texte(double jj, const Fuseau* zone) {
    if (!zone) return jj_en_texte(jj);
    if (!std::isfinite(jj)) throw std::domain_error("jour julien non fini");
    return texte_instant_local(InstantTu::du_jour_julien(jj), FormeInstant::phase, *zone);
}

LignesPhases lignes_phases_absentes() {
    LignesPhases l;
    l.phases.fill("---");
    l.notice = "---";
    return l;
}

LignesPhases lignes_phases(const PanneauDesPhases& panneau, char marque, const Fuseau* zone) {
    if (!panneau.lunaison) return lignes_phases_absentes();
    const Lunaison& lunaison = *panneau.lunaison;
    LignesPhases l;
    l.notice = lunaison.precis
                   ? notice_delta_t_precis(lunaison.precis->instant.jour_julien(), lunaison.precis->secondes,
                                           marque, zone)
                   : notice_delta_t(lunaison.annee, lunaison.delta_t.secondes, marque, zone != nullptr);
    for (std::size_t i = 0; i < 5; ++i) {
        std::string& ligne = l.phases[i];
        ligne = noms_phases[i];
        ligne += " le: ";
        ligne += jj_en_texte(lunaison.phases[i].jour_julien(), zone);
    }
    return l;
}

LignesPhases lignes_phases(const DateHeure& reference, char marque) {
    return lignes_phases(panneau_des_phases(reference), marque);
}

} // namespace orbitel
