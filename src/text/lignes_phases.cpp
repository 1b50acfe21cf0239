#include "text/lignes_phases.hpp"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "clock/calendrier.hpp"
#include "events/delta_t.hpp"
#include "text/formats.hpp"

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

std::string notice_delta_t(std::int16_t annee, double secondes, char marque) {
    return "Les heures sont en temps universel, la différence avec le temps terrestre dynamique (TDT ou TT) "
           "est, en " +
           std::to_string(annee) + ", de " + texte_image(secondes, "00.00", marque) + " secondes.";
}

std::string jj_en_texte(double jj) {
    if (!std::isfinite(jj)) throw std::domain_error("jour julien non fini");
    const DateCalendaire date = date_du_jour_julien(jj);
    const double jour = date.jour;
    const double mois = date.mois;
    const auto annee = static_cast<double>(date.an);
    const double f = date.fraction;
    const double m = 1440 * f;
    const double h = m / 60;
    const double heure = std::floor(h);
    const double minute = std::floor(60 * (h - heure));
    const double seconde = std::floor(60 * (m - std::floor(m)));

    std::string s;
    s.reserve(32);
    ajoute_entier(s, static_cast<std::int64_t>(jour));
    s.push_back('/');
    ajoute_entier(s, static_cast<std::int64_t>(mois));
    s.push_back('/');
    ajoute_entier(s, static_cast<std::int64_t>(annee));
    s += " à ";
    ajoute_deux_chiffres(s, static_cast<std::int64_t>(heure));
    s.push_back(':');
    ajoute_deux_chiffres(s, static_cast<std::int64_t>(minute));
    s.push_back(':');
    ajoute_deux_chiffres(s, static_cast<std::int64_t>(seconde));
    s += " T.U";
    return s;
}

LignesPhases lignes_phases_absentes() {
    LignesPhases l;
    l.LabPhase.fill("---");
    l.Label10_0 = "---";
    return l;
}

LignesPhases lignes_phases(const DateHeure& reference, char marque) {
    if (!std::isfinite(reference.jours()) || !annee_affichable(reference)) return lignes_phases_absentes();
    const auto annee = static_cast<std::int16_t>(reference.annee());
    const EstimationDeltaT delta_t = calcule_delta_t(annee);
    LignesPhases l;
    l.Label10_0 = notice_delta_t(annee, delta_t.secondes, marque);
    // One lunation for the five lines, found once.
    const float k = numero_lunaison(reference);
    PhaseLune etat;
    for (std::int16_t i = 0; i < 5; ++i) {
        std::string& ligne = l.LabPhase[static_cast<std::size_t>(i)];
        ligne = noms_phases[static_cast<std::size_t>(i)];
        ligne += " le: ";
        ligne += jj_en_texte(jj_phase_de_lunaison(etat, k, i, delta_t.jours));
    }
    return l;
}

std::optional<DateHeure> reference_de_l_instant(const Instant& instant) {
    const double jj = jour_julien(instant);
    if (!(std::fabs(jj) < JourJulienLimite)) return std::nullopt;
    // Read back from the line's own text ("03/03/2025 à 00:00:00"), so that the panel follows the
    // line to the day, its carry of the last half second into the next day included.
    const std::string t = texte_date(jj, true);
    const char* p = t.data();
    const char* fin = t.data() + t.size();
    std::int64_t champs[3] = {0, 0, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto r = std::from_chars(p, fin, champs[i]);
        if (r.ec != std::errc{} || r.ptr == fin || *r.ptr != (i < 2 ? '/' : ' ')) return std::nullopt;
        p = r.ptr + 1;
    }
    const std::int64_t jour = champs[0], mois = champs[1], an = champs[2];
    if (an < AnneeMin || an > AnneeMax || mois < 1 || mois > 12 || jour < 1 || jour > 31) return std::nullopt;
    return DateHeure::depuis_calendrier(an, static_cast<unsigned>(mois), static_cast<unsigned>(jour));
}

LignesPhases lignes_phases(const Instant& instant, char marque) {
    const std::optional<DateHeure> reference = reference_de_l_instant(instant);
    return reference ? lignes_phases(*reference, marque) : lignes_phases_absentes();
}

} // namespace orbitel
