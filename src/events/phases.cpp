#include "events/phases.hpp"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "clock/calendrier.hpp"
#include "clock/fuseau.hpp"
#include "clock/nombres.hpp"
#include "events/tables_phases.hpp"

namespace orbitel {

namespace {

// Sum of coefficient x E^power x trig(argument) over a series, in its published order.
template <std::size_t N, typename Trig>
double somme_termes(const std::array<TermePhase, N>& termes, const PhaseLune& etat, Trig trig) {
    double somme = 0;
    for (const TermePhase& t : termes) {
        const double argument = t.m * etat.M + t.mp * etat.Mp + t.f * etat.F + t.omega * etat.Omega;
        double c = t.coefficient;
        for (int i = 0; i < t.puissance_e; ++i)
            c *= etat.E;
        somme += c * trig(argument * degres_en_radians_phases);
    }
    return somme;
}

template <std::size_t N> double somme_sinus(const std::array<TermePhase, N>& termes, const PhaseLune& etat) {
    return somme_termes(termes, etat, [](double x) { return std::sin(x); });
}

} // namespace

double reduit_360(double x) {
    if (x >= 0 && x <= 360) return x;
    const double n = std::floor(x);
    const double r = x - n;
    const double q = n / 360;
    return (q - std::floor(q)) * 360 + r;
}

float annee_decimale(const DateHeure& reference) {
    const std::int64_t annee = reference.annee();
    const DateHeure premier_janvier = DateHeure::depuis_calendrier(annee, 1, 1);
    return en_simple(static_cast<double>(annee) + (reference.jours() - premier_janvier.jours()) / 365);
}

double terme_w(const PhaseLune& etat) {
    return somme_termes(termes_w, etat, [](double x) { return std::cos(x); });
}

double corrections_nouvelle_lune(const PhaseLune& etat) {
    return somme_sinus(termes_nouvelle_lune, etat);
}

double corrections_pleine_lune(const PhaseLune& etat) {
    return somme_sinus(termes_pleine_lune, etat);
}

double corrections_quartier(const PhaseLune& etat) {
    return somme_sinus(termes_quartier, etat);
}

double corrections_additionnelles(const PhaseLune& etat) {
    double somme = 0;
    for (std::size_t i = 0; i < arguments_planetaires.size(); ++i)
        somme += arguments_planetaires[i].coefficient * std::sin(etat.A[i + 1]);
    return somme;
}

namespace {

// The mean phase of lunation number k (a quarter included): k, T and its powers, the mean JDE and E.
void phase_moyenne(PhaseLune& etat, float k) {
    etat.k = k;
    etat.T = en_simple(etat.k / 1236.85);
    etat.T2 = etat.T * etat.T;
    etat.T3 = etat.T2 * etat.T;
    etat.T4 = etat.T3 * etat.T;
    const double kd = etat.k;
    const double T = etat.T, T2 = etat.T2, T3 = etat.T3, T4 = etat.T4;
    etat.JDE = 2451550.09766 + 29.530588861 * kd + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    etat.E = 1 - 0.002516 * T - 0.0000074 * T2;
}

// The corrected Julian Ephemeris Day (dynamical time) of phase `indice` of lunation k_lunaison: 0 its
// new moon, 1 its first quarter, 2 its full moon, 3 its last quarter. Fills `etat`.
double jde_de_phase(PhaseLune& etat, float k_lunaison, std::int16_t indice) {
    static constexpr float fractions[4] = {0.0f, 0.25f, 0.5f, 0.75f};
    phase_moyenne(etat, k_lunaison + fractions[indice]);
    const double k = etat.k;
    const double T2 = etat.T2, T3 = etat.T3, T4 = etat.T4;

    etat.M = reduit_360(2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3);
    etat.Mp = reduit_360(201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4);
    etat.F = reduit_360(160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4);
    etat.Omega = reduit_360(124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3);

    for (std::size_t i = 0; i < arguments_planetaires.size(); ++i) {
        const ArgumentPlanetaire& a = arguments_planetaires[i];
        double degres = a.constante + a.taux * k;
        if (i == 0) degres -= 0.009173 * T2;
        etat.A[i + 1] = reduit_360(degres);
    }
    for (std::size_t i = 1; i <= arguments_planetaires.size(); ++i)
        etat.A[i] *= degres_en_radians_phases;

    float correction;
    switch (indice) {
    case 0:
        correction = en_simple(corrections_nouvelle_lune(etat));
        break;
    case 2:
        correction = en_simple(corrections_pleine_lune(etat));
        break;
    case 1:
        correction = en_simple(corrections_quartier(etat) + terme_w(etat));
        break;
    default:
        correction = en_simple(corrections_quartier(etat) - terme_w(etat));
        break;
    }
    etat.JDE = static_cast<double>(correction) + etat.JDE + corrections_additionnelles(etat);
    return etat.JDE;
}

// Whether the new moon of lunation k falls at or before jde (dynamical time). The corrections move
// the mean new moon by less than the sum of their coefficients (with E as it is), so the series are
// summed only when jde lies that close to it.
bool nouvelle_lune_avant(float k, double jde) {
    PhaseLune etat;
    phase_moyenne(etat, k);
    static const std::array<double, 4> sommes = [] {
        // Coefficients by the power of E they carry; the planetary terms' at index 3.
        std::array<double, 4> s{};
        for (const TermePhase& t : termes_nouvelle_lune)
            s[static_cast<std::size_t>(t.puissance_e)] += std::fabs(t.coefficient);
        for (const ArgumentPlanetaire& a : arguments_planetaires)
            s[3] += std::fabs(a.coefficient);
        return s;
    }();
    const double e = std::fabs(etat.E);
    // 1e-6: the correction's rounding to single precision, with room to spare.
    const double borne = sommes[0] + sommes[1] * e + sommes[2] * e * e + sommes[3] + 1e-6;
    if (etat.JDE + borne < jde) return true;
    if (etat.JDE - borne > jde) return false;
    return jde_de_phase(etat, k, 0) <= jde;
}

} // namespace

float lunaison_en_cours(double jde) {
    if (!std::isfinite(jde)) return std::numeric_limits<float>::quiet_NaN();
    // The mean synodic month gives the lunation to within a few: far from 2000 the polynomial's
    // T^2 to T^4 terms move the new moons by up to five weeks, and the periodic terms by hours.
    auto k = static_cast<float>(std::floor((jde - 2451550.09766) / 29.530588861));
    if (!(std::fabs(k) < LunaisonMax)) return std::numeric_limits<float>::quiet_NaN();
    while (!nouvelle_lune_avant(k, jde))
        k -= 1;
    while (nouvelle_lune_avant(k + 1, jde))
        k += 1;
    return k;
}

float numero_lunaison(const DateHeure& reference) {
    // The difference is single precision like the decimal year; the product is double.
    const float ecart = annee_decimale(reference) - 2000.0f;
    const float regle = en_simple(std::floor(static_cast<double>(ecart) * 12.3685));
    // The rule counts 12.3685 lunations to every year from 2000, some 0.0002 too many, and drifts by
    // a lunation every four thousand years: from about 1300 to 2200 it lists the lunation the date
    // falls in or the next one, due at most AvanceMaxJours later. Elsewhere the lunation comes from
    // the date's own new moons.
    // The reference's day, month and year are those of the instant line, whose calendar is Julian
    // before 15 October 1582: its Julian day is the astronomers' one of those fields, not that of the
    // same fields in the proleptic Gregorian count (three months apart by the year -10000).
    const double jj =
        jour_julien({static_cast<double>(reference.jour()), static_cast<double>(reference.mois()),
                     static_cast<double>(reference.annee()), 0, 0, 0});
    const float en_cours = lunaison_en_cours(jj);
    if (!std::isfinite(en_cours) || regle == en_cours) return regle;
    const float suivante = en_cours + 1;
    return regle >= suivante && nouvelle_lune_avant(suivante, jj + AvanceMaxJours) ? suivante : en_cours;
}

double jj_phase_de_lunaison(PhaseLune& etat, float k, std::int16_t indice, float DeltaT) {
    return jde_phase(etat, indice, k) - static_cast<double>(DeltaT);
}

double jde_phase(PhaseLune& etat, std::int16_t indice, float k) {
    if (indice < 0 || indice > 4) throw std::invalid_argument("indice de phase hors de 0 à 4");
    // The following new moon is that of the next lunation.
    return indice == 4 ? jde_de_phase(etat, k + 1, 0) : jde_de_phase(etat, k, indice);
}

double jj_phase(PhaseLune& etat, std::int16_t indice, const DateHeure& reference, float DeltaT) {
    return jj_phase_de_lunaison(etat, numero_lunaison(reference), indice, DeltaT);
}

std::optional<DateHeure> pas_de_cycle(const DateHeure& reference, SensCycle sens) {
    if (!std::isfinite(reference.jours())) return std::nullopt;
    const int pas = sens == SensCycle::suivant ? 1 : -1;
    const float cible = numero_lunaison(reference) + static_cast<float>(pas);
    DateHeure d = reference.plus_jours(30 * pas);
    if (!annee_affichable(d)) return std::nullopt;
    // The lunation number never decreases from one day to the next and grows by less than one a
    // day, so every lunation is listed for at least one day and both walks end.
    auto depasse = [&](const DateHeure& x) {
        return sens == SensCycle::suivant ? numero_lunaison(x) > cible : numero_lunaison(x) < cible;
    };
    auto en_deca = [&](const DateHeure& x) {
        return sens == SensCycle::suivant ? numero_lunaison(x) < cible : numero_lunaison(x) > cible;
    };
    while (depasse(d))
        d = d.plus_jours(-pas);
    while (en_deca(d)) {
        d = d.plus_jours(pas);
        if (!annee_affichable(d)) return std::nullopt;
    }
    return d;
}

std::vector<PhaseDatee> phases_entre(double jj_debut, double jj_fin, float DeltaT) {
    std::vector<PhaseDatee> phases;
    if (!std::isfinite(jj_debut) || !std::isfinite(jj_fin) || !(jj_fin > jj_debut)) return phases;
    // The phases of earlier lunations all come before the new moon of the one running at jj_debut.
    const float premiere = lunaison_en_cours(jj_debut + static_cast<double>(DeltaT));
    const float derniere = lunaison_en_cours(jj_fin + static_cast<double>(DeltaT));
    if (!std::isfinite(premiere) || !std::isfinite(derniere)) return phases;
    PhaseLune etat;
    for (float k = premiere; k <= derniere; k += 1)
        for (std::int16_t i = 0; i < 4; ++i) {
            const double jj = jj_phase_de_lunaison(etat, k, i, DeltaT);
            if (jj >= jj_debut && jj < jj_fin) phases.push_back({i, jj});
        }
    return phases;
}

} // namespace orbitel
