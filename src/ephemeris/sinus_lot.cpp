#include "ephemeris/sinus_lot.hpp"

#include <cmath>

namespace orbitel {

namespace {

// Cody-Waite reduction by pi/2 in three parts (the first holds 33 bits, so k * part is exact for
// |k| < 2^20), then the classic minimax polynomials on [-pi/4, pi/4].
constexpr double deux_sur_pi = 6.36619772367581382433e-01;
constexpr double pi2_1 = 1.57079632673412561417e+00;
constexpr double pi2_2 = 6.07710050650619224932e-11;
constexpr double pi2_3 = 2.02226624871116645580e-21;
constexpr double arrondi_magique = 6755399441055744.0; // 1.5 * 2^52: adding it rounds to an integer

constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                 S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                 S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                 C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                 C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;

constexpr double borne_rapide = 1e5;

// Nearest integer of |v| < 2^51 by the magic-number trick: plain arithmetic that vectorises. Used on
// values whose fraction is never one half, where it is also the floor plus a fixed offset.
inline double entier_proche(double v) {
    return (v + arrondi_magique) - arrondi_magique;
}

// decalage 0 gives the sine, 1 the cosine (cos x = sin(x + pi/2): one more quarter turn).
inline double noyau(double x, double decalage) {
    const double kd = entier_proche(x * deux_sur_pi);
    const double r = ((x - kd * pi2_1) - kd * pi2_2) - kd * pi2_3;
    const double z = r * r;
    const double ps = r + r * z * (S1 + z * (S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)))));
    const double pc = 1.0 - (0.5 * z - z * z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6))))));
    const double q = kd + decalage;
    // Quadrant selection without branches, so that the loop vectorises: with quart in {0, 1, 2, 3},
    // impair is 0 or 1 and moitie 0 or 1; 0 * a + 1 * b is exactly b.
    const double quart = q - 4.0 * entier_proche(q * 0.25 - 0.375);
    const double moitie = entier_proche(quart * 0.5 - 0.25);
    const double impair = quart - 2.0 * moitie;
    const double v = (1.0 - impair) * ps + impair * pc;
    return (1.0 - 2.0 * moitie) * v;
}

bool tous_rapides(const double* x, std::size_t n) {
    bool ok = true;
    for (std::size_t i = 0; i < n; ++i)
        ok &= std::fabs(x[i]) < borne_rapide; // false for NaN
    return ok;
}

// An AVX2 clone, chosen at load time on processors that have it, where the target has such clones:
// x86-64 with GCC or Clang. Elsewhere the one portable version is built.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ORBITEL_CLONES_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define ORBITEL_CLONES_AVX2
#endif

ORBITEL_CLONES_AVX2 void lot(const double* __restrict x, double* __restrict out, std::size_t n,
                             double decalage) {
    for (std::size_t i = 0; i < n; ++i)
        out[i] = noyau(x[i], decalage);
}

} // namespace

void sinus_lot(const double* x, double* sinus, std::size_t n) {
    if (tous_rapides(x, n)) {
        lot(x, sinus, n, 0.0);
        return;
    }
    for (std::size_t i = 0; i < n; ++i)
        sinus[i] = std::sin(x[i]);
}

void cosinus_lot(const double* x, double* cosinus, std::size_t n) {
    if (tous_rapides(x, n)) {
        lot(x, cosinus, n, 1.0);
        return;
    }
    for (std::size_t i = 0; i < n; ++i)
        cosinus[i] = std::cos(x[i]);
}

} // namespace orbitel
