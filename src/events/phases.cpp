#include "events/phases.hpp"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "clock/calendrier.hpp"
#include "events/delta_t.hpp"
#include "events/tables_phases.hpp"
#include "text/formats.hpp"

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
    return static_cast<float>(static_cast<double>(annee) +
                              (reference.jours() - premier_janvier.jours()) / 365);
}

float numero_lunaison(const DateHeure& reference) {
    // The difference is single precision like the decimal year; the product is double.
    const float ecart = annee_decimale(reference) - 2000.0f;
    return static_cast<float>(std::floor(static_cast<double>(ecart) * 12.3685));
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

double jj_phase(PhaseLune& etat, std::int16_t indice, const DateHeure& reference, float DeltaT) {
    if (indice < 0 || indice > 4) throw std::invalid_argument("indice de phase hors de 0 à 4");
    static constexpr float fractions[5] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
    etat.k = numero_lunaison(reference) + fractions[indice];
    etat.T = static_cast<float>(etat.k / 1236.85);
    etat.T2 = etat.T * etat.T;
    etat.T3 = etat.T2 * etat.T;
    etat.T4 = etat.T3 * etat.T;
    const double k = etat.k;
    const double T = etat.T, T2 = etat.T2, T3 = etat.T3, T4 = etat.T4;

    etat.JDE = 2451550.09766 + 29.530588861 * k + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    etat.E = 1 - 0.002516 * T - 0.0000074 * T2;
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
    case 4:
        correction = static_cast<float>(corrections_nouvelle_lune(etat));
        break;
    case 2:
        correction = static_cast<float>(corrections_pleine_lune(etat));
        break;
    case 1:
        correction = static_cast<float>(corrections_quartier(etat) + terme_w(etat));
        break;
    default:
        correction = static_cast<float>(corrections_quartier(etat) - terme_w(etat));
        break;
    }
    etat.JDE = static_cast<double>(correction) + etat.JDE + corrections_additionnelles(etat);
    return etat.JDE - static_cast<double>(DeltaT);
}

std::string calcule_phase(PhaseLune& etat, std::int16_t indice, const DateHeure& reference, float DeltaT) {
    return jj_en_texte(jj_phase(etat, indice, reference, DeltaT));
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

namespace {

LignesPhases lignes_vides() {
    LignesPhases l;
    l.LabPhase.fill("---");
    l.Label10_0 = "---";
    return l;
}

bool annee_affichable(const DateHeure& d) {
    const std::int64_t a = d.annee();
    return a >= AnneeMin && a <= AnneeMax;
}

} // namespace

LignesPhases lignes_phases(const DateHeure& reference, char marque) {
    if (!std::isfinite(reference.jours()) || !annee_affichable(reference)) return lignes_vides();
    const EstimationDeltaT delta_t = calcule_delta_t(static_cast<std::int16_t>(reference.annee()), marque);
    LignesPhases l;
    l.Label10_0 = delta_t.notice;
    PhaseLune etat;
    for (std::int16_t i = 0; i < 5; ++i) {
        std::string& ligne = l.LabPhase[static_cast<std::size_t>(i)];
        ligne = noms_phases[static_cast<std::size_t>(i)];
        ligne += " le: ";
        ligne += calcule_phase(etat, i, reference, delta_t.jours);
    }
    return l;
}

LignesPhases lignes_phases(const Instant& instant, char marque) {
    const std::optional<DateHeure> date = date_de_instant(instant);
    return date ? lignes_phases(*date, marque) : lignes_vides();
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

} // namespace orbitel
