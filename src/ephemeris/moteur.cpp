#include "ephemeris/moteur.hpp"

#include <array>
#include <cmath>
#include <numbers>

#include "clock/calendrier.hpp"
#include "ephemeris/angles.hpp"
#include "ephemeris/sinus_lot.hpp"
#include "ephemeris/tables/distance.hpp"
#include "ephemeris/tables/latitude.hpp"
#include "ephemeris/tables/longitude.hpp"
#include "ephemeris/tables/nutation.hpp"

namespace orbitel {

namespace {

// x - DeuxPi * Int(x / DeuxPi): into [0, DeuxPi) with the theory's own value of a full turn.
double reduit(double x) {
    return x - DeuxPi * std::floor(x / DeuxPi);
}

// The arguments of a series are linear in the fundamental arguments; they are laid out by column
// once, so that each run forms them in one vectorisable pass, in the order of the formula.
enum Colonne { cD, cM, cMp, cF, cZeta, cVenus, cTerre, cMars, cJupiter, nb_colonnes };

template <std::size_t N> struct Serie {
    std::array<std::array<double, N>, nb_colonnes> multiplicateurs{};
    std::array<double, N> phase{}; // radians
    std::array<double, N> coefficient{};
    std::array<bool, nb_colonnes> colonne_utile{};
};

template <std::size_t N>
void arguments(const Serie<N>& s, const std::array<double, nb_colonnes>& base, std::array<double, N>& arg) {
    arg.fill(0.0);
    for (int c = 0; c < nb_colonnes; ++c) {
        if (!s.colonne_utile[static_cast<std::size_t>(c)]) continue;
        const double b = base[static_cast<std::size_t>(c)];
        const auto& m = s.multiplicateurs[static_cast<std::size_t>(c)];
        for (std::size_t i = 0; i < N; ++i)
            arg[i] += m[i] * b;
    }
    for (std::size_t i = 0; i < N; ++i)
        arg[i] += s.phase[i];
}

template <typename Terme> void remplit_commun(auto& s, std::size_t i, const Terme& t) {
    s.multiplicateurs[cD][i] = t.D;
    s.multiplicateurs[cM][i] = t.M;
    s.multiplicateurs[cMp][i] = t.Mp;
    s.multiplicateurs[cF][i] = t.F;
    s.coefficient[i] = t.coefficient;
}

template <std::size_t N> void marque_colonnes(Serie<N>& s) {
    for (int c = 0; c < nb_colonnes; ++c)
        for (double m : s.multiplicateurs[static_cast<std::size_t>(c)])
            if (m != 0) s.colonne_utile[static_cast<std::size_t>(c)] = true;
}

const Serie<table_longitude.size()>& serie_longitude() {
    static const auto s = [] {
        Serie<table_longitude.size()> s;
        for (std::size_t i = 0; i < table_longitude.size(); ++i) {
            const auto& t = table_longitude[i];
            remplit_commun(s, i, t);
            s.multiplicateurs[cZeta][i] = t.zeta;
            s.multiplicateurs[cVenus][i] = t.venus;
            s.multiplicateurs[cTerre][i] = t.terre;
            s.multiplicateurs[cMars][i] = t.mars;
            s.multiplicateurs[cJupiter][i] = t.jupiter;
            s.phase[i] = t.phase_deg / Rad;
        }
        marque_colonnes(s);
        return s;
    }();
    return s;
}

const Serie<table_latitude.size()>& serie_latitude() {
    static const auto s = [] {
        Serie<table_latitude.size()> s;
        for (std::size_t i = 0; i < table_latitude.size(); ++i) {
            const auto& t = table_latitude[i];
            remplit_commun(s, i, t);
            s.multiplicateurs[cZeta][i] = t.zeta;
            s.multiplicateurs[cVenus][i] = t.venus;
            s.multiplicateurs[cTerre][i] = t.terre;
            s.phase[i] = t.phase_deg / Rad;
        }
        marque_colonnes(s);
        return s;
    }();
    return s;
}

const Serie<table_distance.size()>& serie_distance() {
    static const auto s = [] {
        Serie<table_distance.size()> s;
        for (std::size_t i = 0; i < table_distance.size(); ++i)
            remplit_commun(s, i, table_distance[i]);
        marque_colonnes(s);
        return s;
    }();
    return s;
}

std::array<double, nb_colonnes> base_arguments(const EtatLune& e) {
    return {e.D, e.M, e.Mp, e.F, e.Zeta, e.LVenus, e.LTerre, e.LMars, e.LJupiter};
}

// The low-precision solar theory in Julian centuries from 1900.0 (J. Meeus, Astronomical Formulae for
// Calculators, ch. 18, Solar coordinates: the mean longitude, the mean anomaly, the equation of the
// centre, the aberration and nutation correction for the apparent longitude, and the five periodic
// terms A to E from the Moon and the planets).
void calcule_soleil(EtatLune& e) {
    const double t = e.T1900;
    const double L0 = 279.69668 + 36000.76892 * t + 0.0003025 * t * t;
    const double Ms = 358.47583 + 35999.04975 * t - 0.00015 * t * t - 0.0000033 * t * t * t;
    e.AnomalieSoleil = Ms / Rad;
    const double C = (1.91946 - 0.004789 * t - 0.000014 * t * t) * std::sin(Ms / Rad) +
                     (0.020094 - 0.0001 * t) * std::sin(2 * Ms / Rad) + 0.000293 * std::sin(3 * Ms / Rad);
    const double vraie = L0 + C;
    const double noeud = 259.18 - 1934.142 * t;
    const double apparente = vraie - 0.00569 - 0.00479 * std::sin(noeud / Rad);
    const double P1 = 153.23 + 22518.7541 * t;
    const double P2 = 216.57 + 45037.5082 * t;
    const double P3 = 312.69 + 32964.3577 * t;
    const double P4 = 350.74 + 445267.1142 * t - 0.00144 * t * t;
    const double P5 = 231.19 + 20.2 * t;
    const double longitude = apparente + 0.00134 * std::cos(P1 / Rad) + 0.00154 * std::cos(P2 / Rad) +
                             0.002 * std::cos(P3 / Rad) + 0.00179 * std::sin(P4 / Rad) +
                             0.00178 * std::sin(P5 / Rad);
    e.LongSoleil = reduit(longitude / Rad);
}

void calcule_arguments(EtatLune& e) {
    const double T = e.T, T2 = e.T2, T3 = e.T3, T4 = e.T4;
    e.LVenus = reduit((181.979801 + 58517.815676 * T) / Rad);
    e.LTerre = reduit((100.46645 + 35999.372854 * T) / Rad);
    e.LMars = reduit((355.433275 + 19140.299331 * T) / Rad);
    e.LJupiter = reduit((34.351484 + 3034.905675 * T) / Rad);

    e.Omega = (125.044555 - 1934.1361849 * T + 0.0020762 * T2 + T3 / 467410 - T4 / 60616000) / Rad;
    e.Lp = reduit((218.3164591 + 481267.88134236 * T - 0.0013268 * T2 + T3 / 538841 - T4 / 65194000) / Rad);
    e.M = (357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000) / Rad;
    e.F = reduit((93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000 + T4 / 863310000) / Rad);
    e.Mp = reduit((134.9634114 + 477198.8676313 * T + 0.008997 * T2 + T3 / 69699 - T4 / 14712000) / Rad);
    e.D = reduit((297.8502042 + 445267.1115168 * T - 0.00163 * T2 + T3 / 545868 - T4 / 113065000) / Rad);
    e.Zeta = e.Lp + (5029.0966 / 3600) * T / Rad;
}

void calcule_nutation(EtatLune& e) {
    constexpr std::size_t N = table_nutation.size();
    std::array<double, N> arg, s, c;
    for (std::size_t i = 0; i < N; ++i) {
        const auto& t = table_nutation[i];
        arg[i] = t.D * e.D + t.M * e.M + t.Mp * e.Mp + t.F * e.F + t.Omega * e.Omega;
    }
    sinus_lot(arg.data(), s.data(), N);
    cosinus_lot(arg.data(), c.data(), N);
    double psi = 0, eps = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const auto& t = table_nutation[i];
        psi += (t.psi + t.psi_t * e.T) * s[i];
        if (t.eps != 0 || t.eps_t != 0) eps += (t.eps + t.eps_t * e.T) * c[i];
    }
    e.DeltaPsi = psi / 10000;
    e.DeltaEps = eps / 10000;
    const double eps0 = 23 + 26.0 / 60 + 21.448 / 3600 - (46.815 / 3600) * e.T - (0.00059 / 3600) * e.T2 +
                        (0.001813 / 3600) * e.T3;
    e.Eps = eps0 / Rad + e.DeltaEps * SecRad;
}

template <std::size_t N> double somme(const Serie<N>& serie, const EtatLune& e, bool cosinus) {
    std::array<double, N> arg, v;
    arguments(serie, base_arguments(e), arg);
    if (cosinus)
        cosinus_lot(arg.data(), v.data(), N);
    else
        sinus_lot(arg.data(), v.data(), N);
    double total = 0;
    for (std::size_t i = 0; i < N; ++i)
        total += serie.coefficient[i] * v[i]; // in row order
    return total;
}

void calcule_derives(EtatLune& e) {
    // From the value rounded to a thousandth of an arcsecond, with the truncated degree factor.
    e.Parallaxe = parallaxe_secondes(e.Distance) / 60 / 60 * 0.017453292;

    const double y = std::cos(e.Eps) * std::sin(e.Lambda) - std::sin(e.Eps) * std::tan(e.Beta);
    const double x = std::cos(e.Lambda);
    double alpha;
    if (x != 0) {
        alpha = (Rad / 15) * std::atan(y / x);
        if (alpha < 0) alpha += 24;
        if (x < 0) alpha += 12;
        if (alpha > 24) alpha -= 24;
    } else {
        alpha = (Rad / 15) * std::atan2(y, x);
        if (alpha < 0) alpha += 24;
    }
    if (alpha >= 24) alpha -= 24;
    e.Ascension = alpha;

    const double sd =
        std::sin(e.Beta) * std::cos(e.Eps) + std::sin(e.Eps) * std::cos(e.Beta) * std::sin(e.Lambda);
    e.Declinaison = Rad * arcsin(sd);

    e.Elongation = arccos(std::cos(e.Beta) * std::cos(e.Lambda - e.LongSoleil));
}

} // namespace

double parallaxe_secondes(double distance_km) {
    const double p = std::sin(6378.136 / distance_km) * Rad * 3600;
    return std::floor(p * 1000 + 0.5) / 1000;
}

void calcule_latitude(EtatLune& e) {
    double somme_b = somme(serie_latitude(), e, false);
    // A term of its own, in time alone; its amplitude really is 0.063144 / Rad arcseconds.
    somme_b -= (0.063144 / Rad) * std::sin(183.3 / Rad + (483202 / Rad) * e.T);
    e.Beta = somme_b / 3600 / Rad;
}

namespace {

// jj_theorie is the time argument of the theories: UT by default, TT in the precise time scale.
inline void evalue_soleil_et_arguments(EtatLune& e, double jj, double jj_theorie) {
    e.JJ = jj;
    e.T1900 = (jj_theorie - 2415020) / 36525;
    e.T = (jj_theorie - 2451545) / 36525;
    e.T2 = e.T * e.T;
    e.T3 = e.T2 * e.T;
    e.T4 = e.T2 * e.T2;

    calcule_soleil(e);
    calcule_arguments(e);
    calcule_nutation(e);
}

inline void evalue_lune(EtatLune& e) {
    e.Lambda = e.Lp + somme(serie_longitude(), e, false) / 3600 / Rad + e.DeltaPsi * SecRad;
    calcule_latitude(e);
    e.Distance = distance_constante_km + somme(serie_distance(), e, true);
    calcule_derives(e);
}

} // namespace

void evalue_ephemeride(EtatLune& e, double jj) {
    evalue_soleil_et_arguments(e, jj, jj);
    evalue_lune(e);
}

void evalue_ephemeride(EtatLune& e, double jj, double delta_t_jours) {
    evalue_soleil_et_arguments(e, jj, jj + delta_t_jours);
    evalue_lune(e);
}

void evalue_soleil(EtatLune& e, double jj, double delta_t_jours) {
    evalue_soleil_et_arguments(e, jj, jj + delta_t_jours);
}

double fraction_eclairee(const EtatLune& e) {
    // Phase angle: the numerator takes the lunar theory's solar anomaly, the denominator the solar
    // theory's own.
    const double psi = e.Elongation;
    double i =
        180 - psi * Rad -
        0.1468 * (1 - 0.0549 * std::sin(e.M)) / (1 - 0.0167 * std::sin(e.AnomalieSoleil)) * std::sin(psi);
    i /= Rad;
    return (std::cos(i) + 1) * 0.5;
}

std::string_view cote_du_soleil(const EtatLune& e) {
    const bool ouest = (e.Lambda < e.LongSoleil && e.LongSoleil - e.Lambda < std::numbers::pi) ||
                       (e.Lambda > e.LongSoleil && e.Lambda - e.LongSoleil > std::numbers::pi);
    return ouest ? "Ouest" : "Est";
}

void calcule_lune(EtatLune& e, const Instant& instant) {
    evalue_ephemeride(e, jour_julien(instant));
    e.EstOuest = cote_du_soleil(e);

    const double k = fraction_eclairee(e);
    double phase = std::floor(k * 1000 + 0.5) * 100 / 1000;
    e.Phase = std::floor(phase * 100 + 0.5) / 100;
}

bool est_calculable(const EtatLune& e) {
    // A typed year of 1E30 gives a finite Julian day, but one whose date cannot be written and
    // whose time of day has been rounded away.
    if (!(std::fabs(e.JJ) < JourJulienLimite)) return false;
    // Dates are typed, read and written within AnneeMin..AnneeMax: beyond them the phase panel has
    // no lunation and the command line refuses the year, so no line is shown for such an instant.
    static const double premier = jour_julien({1, 1, static_cast<double>(AnneeMin), 0, 0, 0});
    static const double apres_dernier = jour_julien({1, 1, static_cast<double>(AnneeMax + 1), 0, 0, 0});
    if (!(e.JJ >= premier && e.JJ < apres_dernier)) return false;
    for (double v : {e.JJ, e.Lambda, e.Beta, e.Distance, e.Parallaxe, e.Ascension, e.Declinaison,
                     e.Elongation, e.Phase, e.LongSoleil, e.Eps})
        if (!std::isfinite(v)) return false;
    return true;
}

} // namespace orbitel
