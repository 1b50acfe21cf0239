#pragma once
#include <array>

#include "ephemeris/tables/multiplicateur.hpp"

// Periodic terms of the lunar phase instants (J. Meeus, Astronomical Algorithms, 2nd ed., ch. 49),
// in published order. Each table is sized by its rows and checked against the published count, so a
// missing or extra row fails to build. A term is coefficient x E^puissance_e x sin (or cos) of the argument
// m M + mp M' + f F + omega Omega, in degrees, with M the Sun's mean anomaly, M' the Moon's mean
// anomaly, F the Moon's argument of latitude, Omega the longitude of its ascending node and E the
// eccentricity factor of the Earth's orbit. Coefficients are in days.

namespace orbitel {

struct TermePhase {
    double coefficient;   // days
    int puissance_e;      // power of E carried by the term: 0, 1 or 2
    Multiplicateur m;     // multiple of M
    Multiplicateur mp;    // multiple of M'
    Multiplicateur f;     // multiple of F
    Multiplicateur omega; // multiple of Omega
};

// The fourteen planetary arguments A_i = constante + taux k (A1 also has - 0.009173 T^2), and the
// additional correction coefficient sin A_i they carry, for every phase.
struct ArgumentPlanetaire {
    double constante;   // degrees
    double taux;        // degrees per lunation
    double coefficient; // days
};

// New moon, sine terms.
inline constexpr auto termes_nouvelle_lune = std::to_array<TermePhase>({
    // 1-10
    {-0.40720, 0, 0, 1, 0, 0},
    {0.17241, 1, 1, 0, 0, 0},
    {0.01608, 0, 0, 2, 0, 0},
    {0.01039, 0, 0, 0, 2, 0},
    {0.00739, 1, -1, 1, 0, 0},
    {-0.00514, 1, 1, 1, 0, 0},
    {0.00208, 2, 2, 0, 0, 0},
    {-0.00111, 0, 0, 1, -2, 0},
    {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},
    // 11-20
    {-0.00042, 0, 0, 3, 0, 0},
    {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0},
    {-0.00024, 1, -1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0},
    {0.00004, 0, 0, 2, -2, 0},
    {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0, 0, 2, 2, 0},
    // 21-25
    {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0},
    {-0.00002, 0, -1, 1, -2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
});
static_assert(termes_nouvelle_lune.size() == 25);

// Full moon, sine terms.
inline constexpr auto termes_pleine_lune = std::to_array<TermePhase>({
    // 1-10
    {-0.40614, 0, 0, 1, 0, 0},
    {0.17302, 1, 1, 0, 0, 0},
    {0.01614, 0, 0, 2, 0, 0},
    {0.01043, 0, 0, 0, 2, 0},
    {0.00734, 1, -1, 1, 0, 0},
    {-0.00515, 1, 1, 1, 0, 0},
    {0.00209, 2, 2, 0, 0, 0},
    {-0.00111, 0, 0, 1, -2, 0},
    {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},
    // 11-20
    {-0.00042, 0, 0, 3, 0, 0},
    {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0},
    {-0.00024, 1, -1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0},
    {0.00004, 0, 0, 2, -2, 0},
    {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0, 0, 2, 2, 0},
    // 21-25
    {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0},
    {-0.00002, 0, -1, 1, -2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
});
static_assert(termes_pleine_lune.size() == 25);

// First and last quarters, sine terms.
inline constexpr auto termes_quartier = std::to_array<TermePhase>({
    // 1-10
    {-0.62801, 0, 0, 1, 0, 0},
    {0.17172, 1, 1, 0, 0, 0},
    {-0.01183, 1, 1, 1, 0, 0},
    {0.00862, 0, 0, 2, 0, 0},
    {0.00804, 0, 0, 0, 2, 0},
    {0.00454, 1, -1, 1, 0, 0},
    {0.00204, 2, 2, 0, 0, 0},
    {-0.00180, 0, 0, 1, -2, 0},
    {-0.00070, 0, 0, 1, 2, 0},
    {-0.00040, 0, 0, 3, 0, 0},
    // 11-20
    {-0.00034, 1, -1, 2, 0, 0},
    {0.00032, 1, 1, 0, 2, 0},
    {0.00032, 1, 1, 0, -2, 0},
    {-0.00028, 2, 2, 1, 0, 0},
    {0.00027, 1, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1},
    {-0.00005, 0, -1, 1, -2, 0},
    {0.00004, 0, 0, 2, 2, 0},
    {-0.00004, 0, 1, 1, 2, 0},
    {0.00004, 0, -2, 1, 0, 0},
    // 21-25
    {0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0, 3, 0, 0, 0},
    {0.00002, 0, 0, 2, -2, 0},
    {0.00002, 0, -1, 1, 2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
});
static_assert(termes_quartier.size() == 25);

// W of the quarters, cosine terms: added for the first quarter, subtracted for the last.
inline constexpr auto termes_w = std::to_array<TermePhase>({
    // 1-6
    {0.00306, 0, 0, 0, 0, 0},
    {-0.00038, 1, 1, 0, 0, 0},
    {0.00026, 0, 0, 1, 0, 0},
    {-0.00002, 0, -1, 1, 0, 0},
    {0.00002, 0, 1, 1, 0, 0},
    {0.00002, 0, 0, 0, 2, 0},
});
static_assert(termes_w.size() == 6);

inline constexpr auto arguments_planetaires = std::to_array<ArgumentPlanetaire>({
    // A1-A10
    {299.77, 0.107408, 0.000325},
    {251.88, 0.016321, 0.000165},
    {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126},
    {84.66, 18.206239, 0.000110},
    {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},
    {154.84, 7.306860, 0.000056},
    {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},
    // A11-A14
    {291.34, 1.844379, 0.000040},
    {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035},
    {331.55, 3.592518, 0.000023},
});
static_assert(arguments_planetaires.size() == 14);

} // namespace orbitel
