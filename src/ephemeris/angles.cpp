#include "ephemeris/angles.hpp"

#include <cmath>

#include "ephemeris/etat_lune.hpp"

namespace orbitel {

double reduit_2pi(float x) {
    const double v = x;
    return v - std::floor(v / DeuxPi) * DeuxPi;
}

double arctan2(double y, double x) {
    if (x == 0) {
        if (y > 0) return 2 * std::atan(1.0);
        if (y < 0) return 2 * std::atan(1.0) + PiTronque;
        return 0;
    }
    double a = std::atan(y / x);
    if (x < 0) a += PiTronque;
    if (y < 0 && x > 0) a += DeuxPi;
    return a;
}

double arcsin(double x) {
    if (std::isnan(x)) return x;
    if (x >= 1) return 2 * std::atan(1.0);
    if (x <= -1) return -2 * std::atan(1.0);
    const double racine = std::sqrt(1 - x * x);
    if (racine == 0) return x > 0 ? 2 * std::atan(1.0) : -2 * std::atan(1.0);
    return std::atan(x / racine);
}

double arccos(double x) {
    if (std::isnan(x)) return x;
    if (x >= 1) return 0;
    if (x <= -1) return 4 * std::atan(1.0);
    const double racine = std::sqrt(1 - x * x);
    if (racine == 0) return x > 0 ? 0 : 4 * std::atan(1.0);
    return std::atan(-x / racine) + 2 * std::atan(1.0);
}

} // namespace orbitel
