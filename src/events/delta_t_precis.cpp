#include "events/delta_t_precis.hpp"

#include <cmath>

#include "events/tables_delta_t.hpp"

namespace orbitel {

namespace {

constexpr double DerniereAnneeObservee =
    premiere_annee_observee + static_cast<double>(delta_t_observe.size()) - 1;

// Years over which the gap between observation and polynomial fades out beyond the observed span.
constexpr double Raccord = 100;

double parabole(double annee) {
    const double u = (annee - 1820) / 100;
    return -20 + 32 * u * u;
}

double annee_de(double jj_ut) {
    return 2000 + (jj_ut - 2451544.5) / 365.25;
}

double observe(double annee) {
    const double x = annee - premiere_annee_observee;
    const auto i = static_cast<std::size_t>(std::floor(x));
    if (i + 1 >= delta_t_observe.size()) return delta_t_observe.back();
    const double f = x - static_cast<double>(i);
    return delta_t_observe[i] + f * (delta_t_observe[i + 1] - delta_t_observe[i]);
}

} // namespace

double delta_t_espenak_meeus(double y) {
    if (y < -500) return parabole(y);
    if (y < 500) {
        const double u = y / 100;
        return 10583.6 +
               u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 +
                                                                     u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return 1574.2 + u * (-556.01 +
                             u * (71.23472 +
                                  u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700) {
        const double t = y - 1600;
        return 120 + t * (-0.9808 + t * (-0.01532 + t / 7129));
    }
    if (y < 1800) {
        const double t = y - 1700;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000)));
    }
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 +
               t * (-0.332447 +
                    t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 +
                                                           t * (0.0000121272 +
                                                                t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + t * (0.407 + t * (-1.0 / 233 + t / 2547));
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + t * (1.067 + t * (-1.0 / 260 - t / 718));
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 +
               t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + t * (0.32217 + t * 0.005589);
    }
    if (y < 2150) return parabole(y) - 0.5628 * (2150 - y);
    return parabole(y);
}

double delta_t_precis(double jj_ut) {
    const double y = annee_de(jj_ut);
    if (std::isnan(y)) return y;
    if (y < -1999 || y > 3000) return parabole(y);
    if (y >= premiere_annee_observee && y <= DerniereAnneeObservee) return observe(y);
    // Beyond the observations: the polynomial, moved by its gap at the nearest observed year, the
    // move shrinking linearly to zero Raccord years further on.
    const double bord = y < premiere_annee_observee ? premiere_annee_observee : DerniereAnneeObservee;
    const double ecart = observe(bord) - delta_t_espenak_meeus(bord);
    const double poids = std::fmax(0.0, 1 - std::fabs(y - bord) / Raccord);
    return delta_t_espenak_meeus(y) + ecart * poids;
}

double delta_t_precis_jours(double jj_ut) {
    return delta_t_precis(jj_ut) / 86400;
}

double ecart_echelle_jours(EchelleTemps echelle, double jj_ut) {
    return echelle == EchelleTemps::terrestre ? delta_t_precis_jours(jj_ut) : 0.0;
}

} // namespace orbitel
