#include "events/phases_precises.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "clock/calendrier.hpp"
#include "events/delta_t.hpp"

namespace orbitel {

namespace {

constexpr double LunaisonMoyenne = 29.530588861; // days
constexpr double NouvelleLune2000 = 2451550.09766;

// UT from TT: Delta T is taken at the UT instant, which two passes find (Delta T changes by far
// less than a second in the minutes it moves the instant).
double tu_de_tt(double jde) {
    double jj = jde - delta_t_precis_jours(jde);
    jj = jde - delta_t_precis_jours(jj);
    return jj;
}

} // namespace

double jj_phase_precise(PhaseLune& etat, std::int16_t indice, float k) {
    return tu_de_tt(jde_phase(etat, indice, k));
}

double jj_phase_precise(PhaseLune& etat, std::int16_t indice, const DateHeure& reference) {
    return jj_phase_precise(etat, indice, numero_lunaison(reference));
}

std::vector<PhaseDatee> phases_precises_entre(double jj_debut, double jj_fin) {
    std::vector<PhaseDatee> phases;
    if (!std::isfinite(jj_debut) || !std::isfinite(jj_fin) || !(jj_fin > jj_debut) ||
        jj_fin - jj_debut > 365250)
        return phases;
    PhaseLune etat;
    // A lunation earlier than the one running at jj_debut, so that none of its phases is missed.
    const double premier =
        std::floor((jj_debut + delta_t_precis_jours(jj_debut) - NouvelleLune2000) / LunaisonMoyenne) - 1;
    if (!(std::fabs(premier) < 1.2e6)) return phases; // beyond the lunations a float numbers
    for (double k = premier;; ++k) {
        for (std::int16_t i = 0; i < 4; ++i) {
            const double jj = jj_phase_precise(etat, i, static_cast<float>(k));
            if (i == 0 && jj >= jj_fin) return phases;
            if (jj >= jj_debut && jj < jj_fin) phases.push_back({i, jj});
        }
    }
}

double nouvelle_lune(PhaseLune& etat, float k, EchelleTemps echelle) {
    const double jde = jde_phase(etat, 0, k);
    if (echelle == EchelleTemps::terrestre) return tu_de_tt(jde);
    const long long an = date_du_jour_julien(jde).an;
    const auto an16 = static_cast<std::int16_t>(std::clamp<long long>(
        an, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    return jde - static_cast<double>(calcule_delta_t(an16).jours);
}

std::optional<AgeLune> age_lune(double jj, EchelleTemps echelle) {
    // Counted on dynamical time, which the mean lunation runs on: far in the past the precise
    // Delta T grows to days.
    const double tt = jj + (echelle == EchelleTemps::terrestre ? delta_t_precis_jours(jj) : 0.0);
    const double k_approche = std::floor((tt - NouvelleLune2000) / LunaisonMoyenne);
    // Float holds every whole k up to 2^24; 1.24 million lunations is 100,000 years.
    if (!(std::fabs(k_approche) < 1.2e6)) return std::nullopt;
    PhaseLune etat;
    // The mean new moon is within about 14 hours of the true one: the latest at or before jj is
    // k_approche - 1, k_approche or k_approche + 1.
    for (double k = k_approche + 1; k >= k_approche - 1; --k) {
        const double nl = nouvelle_lune(etat, static_cast<float>(k), echelle);
        if (nl <= jj) {
            AgeLune a;
            a.jours = jj - nl;
            a.jj_nouvelle_lune = nl;
            a.lunaison = static_cast<std::int64_t>(k);
            a.lunaison_brown = a.lunaison + 953;
            return a;
        }
    }
    return std::nullopt;
}

} // namespace orbitel
