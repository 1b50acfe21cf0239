// Integrity of the coefficient tables of the ephemeris: sizes, order, signs and values.
#include "ephemeris/moteur.hpp"
#include "ephemeris/tables/distance.hpp"
#include "ephemeris/tables/latitude.hpp"
#include "ephemeris/tables/longitude.hpp"
#include "ephemeris/tables/nutation.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

using namespace orbitel;

using Multiplicateurs = std::array<int, 4>; // D, M, M′, F

// A main-problem series of ELP 2000-82B: after one header line, each line starts with the
// multipliers of D, M, M′ and F and the amplitude in arcseconds.
std::map<Multiplicateurs, double> lit_serie_elp(const std::string& nom) {
    const std::string chemin = std::string(ORBITEL_TEST_DATA_DIR) + "/elp2000-82b/" + nom;
    std::ifstream f(chemin);
    EXPECT_TRUE(f.good()) << chemin;
    std::map<Multiplicateurs, double> serie;
    std::string ligne;
    std::getline(f, ligne); // header
    while (std::getline(f, ligne)) {
        std::istringstream in(ligne);
        Multiplicateurs m{};
        double amplitude = 0.0;
        if (!(in >> m[0] >> m[1] >> m[2] >> m[3] >> amplitude)) continue;
        EXPECT_TRUE(serie.emplace(m, amplitude).second) << nom << ": multipliers repeated in " << ligne;
    }
    return serie;
}

template <class Terme> Multiplicateurs multiplicateurs(const Terme& t) {
    return {t.D, t.M, t.Mp, t.F};
}

bool a_terme_obliquite(const TermeNutation& t) {
    return t.eps != 0.0 || t.eps_t != 0.0;
}

TEST(TableNutation, SoixanteTroisTermesDont38EnObliquite) {
    ASSERT_EQ(table_nutation.size(), 63u);
    int avec = 0;
    for (const auto& t : table_nutation)
        if (a_terme_obliquite(t)) ++avec;
    EXPECT_EQ(avec, 38);
    // A row without a constant obliquity term has no T term either.
    for (const auto& t : table_nutation) {
        if (t.eps == 0.0) {
            EXPECT_EQ(t.eps_t, 0.0);
        }
    }
}

TEST(TableNutation, RangeeParAmplitudeDecroissanteEnLongitude) {
    for (std::size_t i = 1; i < table_nutation.size(); ++i) {
        EXPECT_GE(std::abs(table_nutation[i - 1].psi), std::abs(table_nutation[i].psi)) << "rangée " << i + 1;
    }
}

TEST(TableNutation, ValeursRelevees) {
    const auto& t1 = table_nutation[0];
    EXPECT_EQ((std::array<int, 5>{t1.D, t1.M, t1.Mp, t1.F, t1.Omega}), (std::array<int, 5>{0, 0, 0, 0, 1}));
    EXPECT_EQ(t1.psi, -171996.0);
    EXPECT_EQ(t1.psi_t, -174.2);
    EXPECT_EQ(t1.eps, 92025.0);
    EXPECT_EQ(t1.eps_t, 8.9);

    const auto& t6 = table_nutation[5]; // obliquity term without T
    EXPECT_EQ(t6.psi_t, 0.1);
    EXPECT_EQ(t6.eps, -7.0);
    EXPECT_EQ(t6.eps_t, 0.0);

    const auto& t11 = table_nutation[10]; // no obliquity term
    EXPECT_EQ(t11.psi, -158.0);
    EXPECT_FALSE(a_terme_obliquite(t11));

    const auto& t63 = table_nutation[62];
    EXPECT_EQ((std::array<int, 5>{t63.D, t63.M, t63.Mp, t63.F, t63.Omega}),
              (std::array<int, 5>{2, -1, 0, 2, 2}));
    EXPECT_EQ(t63.psi, -3.0);
    EXPECT_FALSE(a_terme_obliquite(t63));
}

// Row n of a table, numbered from 1 as in the comments of the headers.
const TermeLongitude& longitude(std::size_t n) {
    return table_longitude.at(n - 1);
}

bool sans_planetes_ni_zeta(const TermeLongitude& t) {
    return t.zeta == 0 && t.venus == 0 && t.terre == 0 && t.mars == 0 && t.jupiter == 0;
}

TEST(TableLongitude, QuatreCentCinqTermes) {
    EXPECT_EQ(table_longitude.size(), 405u);
}

TEST(TableLongitude, ProblemePrincipalPositifsPuisNegatifs) {
    for (std::size_t n = 1; n <= 375; ++n) {
        const auto& t = longitude(n);
        EXPECT_TRUE(sans_planetes_ni_zeta(t)) << "rangée " << n;
        EXPECT_EQ(t.phase_deg, 0.0) << "rangée " << n;
        if (n <= 185) {
            EXPECT_GT(t.coefficient, 0.0) << "rangée " << n;
        } else {
            EXPECT_LT(t.coefficient, 0.0) << "rangée " << n;
        }
        if (n != 1 && n != 186) {
            EXPECT_GE(std::abs(longitude(n - 1).coefficient), std::abs(t.coefficient)) << "rangée " << n;
        }
    }
    EXPECT_EQ(longitude(1).coefficient, 22639.55);
    EXPECT_EQ(longitude(185).coefficient, 0.00096);
    EXPECT_EQ(longitude(186).coefficient, -666.44186);
    EXPECT_EQ(longitude(375).coefficient, -0.00098);
}

TEST(TableLongitude, ProblemePrincipalSansDoublon) {
    std::set<Multiplicateurs> vus;
    for (std::size_t n = 1; n <= 375; ++n) {
        EXPECT_TRUE(vus.insert(multiplicateurs(longitude(n))).second) << "rangée " << n;
    }
}

TEST(TableLongitude, ProblemePrincipalEgalAuxAmplitudesElp) {
    const auto elp1 = lit_serie_elp("ELP1");
    ASSERT_EQ(elp1.size(), 1023u);
    for (std::size_t n = 1; n <= 375; ++n) {
        const auto& t = longitude(n);
        const auto it = elp1.find(multiplicateurs(t));
        ASSERT_NE(it, elp1.end()) << "rangée " << n;
        EXPECT_EQ(t.coefficient, it->second) << "rangée " << n;
    }
}

TEST(TableLongitude, TermesPlanetaires) {
    for (std::size_t n = 376; n <= 388; ++n) {
        const auto& t = longitude(n);
        EXPECT_EQ(t.M, 0) << "rangée " << n;
        EXPECT_EQ(t.zeta, 0) << "rangée " << n;
        EXPECT_TRUE(t.venus != 0 || t.terre != 0 || t.mars != 0 || t.jupiter != 0) << "rangée " << n;
        EXPECT_GT(t.phase_deg, 0.0) << "rangée " << n;
        EXPECT_LT(t.phase_deg, 360.0) << "rangée " << n;
        EXPECT_GT(t.coefficient, 0.0) << "rangée " << n;
        if (n > 376) {
            EXPECT_GE(longitude(n - 1).coefficient, t.coefficient) << "rangée " << n;
        }
    }
    const auto& t376 = longitude(376);
    EXPECT_EQ((std::array<int, 9>{t376.D, t376.M, t376.Mp, t376.F, t376.zeta, t376.venus, t376.terre,
                                  t376.mars, t376.jupiter}),
              (std::array<int, 9>{0, 0, -1, 0, 0, 18, -16, 0, 0}));
    EXPECT_EQ(t376.phase_deg, 26.54261);
    EXPECT_EQ(t376.coefficient, 14.2488);
    const auto& t378 = longitude(378);
    EXPECT_EQ((std::array<int, 3>{t378.terre, t378.mars, t378.jupiter}), (std::array<int, 3>{4, -8, 3}));
    EXPECT_EQ(t378.phase_deg, 285.98707);
    EXPECT_EQ(longitude(388).phase_deg, 0.20448);
    EXPECT_EQ(longitude(388).coefficient, 0.3016);
}

TEST(TableLongitude, TermesDeFigure) {
    for (std::size_t n = 389; n <= 405; ++n) {
        const auto& t = longitude(n);
        EXPECT_EQ(t.M, 0) << "rangée " << n;
        EXPECT_EQ(t.venus + t.terre + t.mars + t.jupiter, 0) << "rangée " << n;
        EXPECT_GT(t.coefficient, 0.0) << "rangée " << n;
        if (n != 403) {
            EXPECT_NE(t.zeta, 0) << "rangée " << n;
        }
    }
    EXPECT_EQ(longitude(389).zeta, 1);
    EXPECT_EQ(longitude(389).F, -1);
    EXPECT_EQ(longitude(389).phase_deg, 0.00094);
    EXPECT_EQ(longitude(389).coefficient, 7.06304);
    // Row 400: −0.03638″ × sin(2ζ − 2F), written with a phase of exactly 180°.
    EXPECT_EQ(longitude(400).zeta, 2);
    EXPECT_EQ(longitude(400).F, -2);
    EXPECT_EQ(longitude(400).phase_deg, 180.0);
    EXPECT_EQ(longitude(400).coefficient, 0.03638);
    EXPECT_EQ(longitude(405).phase_deg, 0.00102);
    EXPECT_EQ(longitude(405).coefficient, 0.01234);
}

TEST(TableLongitude, Rangee403DistincteDeLaRangee2) {
    const auto& t2 = longitude(2);
    const auto& t403 = longitude(403);
    EXPECT_EQ(multiplicateurs(t403), multiplicateurs(t2));
    EXPECT_TRUE(sans_planetes_ni_zeta(t403));
    EXPECT_EQ(t403.phase_deg, 0.0);
    EXPECT_EQ(t403.coefficient, 0.02206);
    EXPECT_EQ(t2.coefficient, 4586.43061);
}

const TermeLatitude& latitude(std::size_t n) {
    return table_latitude.at(n - 1);
}

// The 201st term of the latitude depends on time alone and is computed apart from the table.
TEST(TableLatitude, DeuxCentsTermes) {
    EXPECT_EQ(table_latitude.size(), 200u);
}

TEST(TableLatitude, ProblemePrincipalOrdonneEtEgalAuxAmplitudesElp) {
    const auto elp2 = lit_serie_elp("ELP2");
    ASSERT_EQ(elp2.size(), 918u);
    for (std::size_t n = 1; n <= 188; ++n) {
        const auto& t = latitude(n);
        EXPECT_EQ(t.zeta + t.venus + t.terre, 0) << "rangée " << n;
        EXPECT_EQ(t.venus, 0) << "rangée " << n;
        EXPECT_EQ(t.phase_deg, 0.0) << "rangée " << n;
        // Strictly increasing D, then M, then M′, then F: also rules out a row written twice.
        if (n > 1) {
            EXPECT_LT(multiplicateurs(latitude(n - 1)), multiplicateurs(t)) << "rangée " << n;
        }
        const auto it = elp2.find(multiplicateurs(t));
        ASSERT_NE(it, elp2.end()) << "rangée " << n;
        EXPECT_EQ(t.coefficient, it->second) << "rangée " << n;
        EXPECT_GE(std::abs(t.coefficient), 0.01009) << "rangée " << n;
        EXPECT_LE(std::abs(t.coefficient), 18461.4) << "rangée " << n;
    }
    EXPECT_EQ(latitude(1).coefficient, 18461.4);
    EXPECT_EQ(latitude(2).coefficient, -6.29664);
    EXPECT_EQ(latitude(103).coefficient, 623.65783);
    EXPECT_EQ(multiplicateurs(latitude(188)), (Multiplicateurs{6, 0, 0, 1}));
}

TEST(TableLatitude, TermesDeFigureEtPlanetaires) {
    for (std::size_t n = 189; n <= 200; ++n) {
        const auto& t = latitude(n);
        EXPECT_EQ(t.M, 0) << "rangée " << n;
        if (n <= 192) {
            EXPECT_EQ(t.zeta, 1) << "rangée " << n;
            EXPECT_EQ(t.venus + t.terre, 0) << "rangée " << n;
        } else {
            EXPECT_EQ(t.zeta, 0) << "rangée " << n;
            EXPECT_NE(t.terre, 0) << "rangée " << n;
        }
    }
    EXPECT_EQ(latitude(189).phase_deg, 180.0);
    EXPECT_EQ(latitude(189).coefficient, 8.045);
    EXPECT_EQ(latitude(191).phase_deg, 0.0);
    EXPECT_EQ(latitude(192).F, -2);
    const auto& t193 = latitude(193);
    EXPECT_EQ((std::array<int, 5>{t193.Mp, t193.F, t193.venus, t193.terre, t193.D}),
              (std::array<int, 5>{-1, 1, 18, -16, 0}));
    EXPECT_EQ(t193.phase_deg, 26.54);
    EXPECT_EQ(t193.coefficient, 0.63);
    EXPECT_EQ(latitude(199).phase_deg, 275.13);
    EXPECT_EQ(latitude(199).coefficient, 1.375);
    const auto& t200 = latitude(200);
    EXPECT_EQ((std::array<int, 4>{t200.D, t200.Mp, t200.terre, t200.venus}),
              (std::array<int, 4>{1, -1, 1, 0}));
    EXPECT_EQ(t200.phase_deg, 95.13);
    EXPECT_EQ(t200.coefficient, 0.078);
}

TEST(TableDistance, CentCinqTermesOrdonnes) {
    ASSERT_EQ(table_distance.size(), 105u);
    EXPECT_EQ(distance_constante_km, 385000.56);
    for (std::size_t i = 1; i < table_distance.size(); ++i) {
        EXPECT_LT(multiplicateurs(table_distance[i - 1]), multiplicateurs(table_distance[i]))
            << "rangée " << i + 1;
    }
    EXPECT_EQ(multiplicateurs(table_distance[0]), (Multiplicateurs{0, 0, 0, 2}));
    EXPECT_EQ(table_distance[0].coefficient, -3.14837);
    EXPECT_EQ(table_distance[2].coefficient, -20905.32206);
    EXPECT_EQ(multiplicateurs(table_distance[57]), (Multiplicateurs{2, 0, -1, 0}));
    EXPECT_EQ(table_distance[57].coefficient, -3699.10468);
    EXPECT_EQ(table_distance[60].coefficient, -2955.9665);
    EXPECT_EQ(multiplicateurs(table_distance[104]), (Multiplicateurs{6, 0, -1, 0}));
    EXPECT_EQ(table_distance[104].coefficient, -0.28663);
}

// A plain sum of every series at one instant, as a cross-check of the tables as a whole. The
// fundamental arguments are written out here on purpose, independently of the engine.
struct Arguments {
    double T, D, M, Mp, F, Omega, Lp, Zeta, LVenus, LTerre, LMars, LJupiter;
};

constexpr double Rad = 180.0 / 3.141592653589;
constexpr double DeuxPi = 6.283185307178;
constexpr double SecRad = 4.84814e-06;

double reduit(double x) {
    return x - DeuxPi * std::floor(x / DeuxPi);
}

Arguments arguments(double jj) {
    Arguments a{};
    const double T = (jj - 2451545.0) / 36525.0, T2 = T * T, T3 = T2 * T, T4 = T2 * T2;
    a.T = T;
    a.LVenus = reduit((181.979801 + 58517.815676 * T) / Rad);
    a.LTerre = reduit((100.46645 + 35999.372854 * T) / Rad);
    a.LMars = reduit((355.433275 + 19140.299331 * T) / Rad);
    a.LJupiter = reduit((34.351484 + 3034.905675 * T) / Rad);
    a.Omega = (125.044555 - 1934.1361849 * T + 0.0020762 * T2 + T3 / 467410.0 - T4 / 60616000.0) / Rad;
    a.Lp =
        reduit((218.3164591 + 481267.88134236 * T - 0.0013268 * T2 + T3 / 538841.0 - T4 / 65194000.0) / Rad);
    a.M = (357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0) / Rad;
    a.F =
        reduit((93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000.0 + T4 / 863310000.0) / Rad);
    a.Mp = reduit((134.9634114 + 477198.8676313 * T + 0.008997 * T2 + T3 / 69699.0 - T4 / 14712000.0) / Rad);
    a.D = reduit((297.8502042 + 445267.1115168 * T - 0.00163 * T2 + T3 / 545868.0 - T4 / 113065000.0) / Rad);
    a.Zeta = a.Lp + (5029.0966 / 3600.0) * T / Rad;
    return a;
}

template <class Terme> double argument_principal(const Terme& t, const Arguments& a) {
    return t.D * a.D + t.M * a.M + t.Mp * a.Mp + t.F * a.F;
}

// The series summed the plain way, with std::sin and std::cos, as a reference for the engine.
struct Sommes {
    double delta_psi, eps, lambda, beta, distance;
};

Sommes sommes_de_reference(double jj) {
    const Arguments a = arguments(jj);

    double psi = 0.0, eps = 0.0;
    for (const auto& t : table_nutation) {
        const double arg = t.D * a.D + t.M * a.M + t.Mp * a.Mp + t.F * a.F + t.Omega * a.Omega;
        psi += (t.psi + t.psi_t * a.T) * std::sin(arg);
        eps += (t.eps + t.eps_t * a.T) * std::cos(arg);
    }
    const double delta_psi = psi / 10000.0, delta_eps = eps / 10000.0;
    const double eps0 = 23.0 + 26.0 / 60.0 + 21.448 / 3600.0 - (46.815 / 3600.0) * a.T -
                        (0.00059 / 3600.0) * a.T * a.T + (0.001813 / 3600.0) * a.T * a.T * a.T;

    double somme_l = 0.0;
    for (const auto& t : table_longitude) {
        const double arg = argument_principal(t, a) + t.zeta * a.Zeta + t.venus * a.LVenus +
                           t.terre * a.LTerre + t.mars * a.LMars + t.jupiter * a.LJupiter + t.phase_deg / Rad;
        somme_l += t.coefficient * std::sin(arg);
    }
    const double lambda = a.Lp + somme_l / 3600.0 / Rad + delta_psi * SecRad;

    double somme_b = 0.0;
    for (const auto& t : table_latitude) {
        const double arg = argument_principal(t, a) + t.zeta * a.Zeta + t.venus * a.LVenus +
                           t.terre * a.LTerre + t.phase_deg / Rad;
        somme_b += t.coefficient * std::sin(arg);
    }
    somme_b -= (0.063144 / Rad) * std::sin(183.3 / Rad + (483202.0 / Rad) * a.T);

    double distance = distance_constante_km;
    for (const auto& t : table_distance) {
        distance += t.coefficient * std::cos(argument_principal(t, a));
    }
    return {delta_psi, eps0 / Rad + delta_eps * SecRad, lambda, somme_b / 3600.0 / Rad, distance};
}

TEST(SommeDesSeries, DouzeAvril1992ZeroHeureTU) {
    const Sommes s = sommes_de_reference(2448724.5);
    // The sum gives 16.5945″; the reference value is rounded to the thousandth.
    EXPECT_NEAR(s.delta_psi, 16.595, 0.001);
    EXPECT_NEAR(s.eps * Rad, 23.44064, 0.000005);
    EXPECT_NEAR(s.lambda * Rad, 133.1668, 0.00005);
    EXPECT_NEAR(s.beta * Rad, -3.2291, 0.00005);
    EXPECT_NEAR(s.distance, 368405.0, 0.5);
}

TEST(SommeDesSeries, LeMoteurVectoriseDonneLesSommesDeReference) {
    // The engine's batch sine may differ from std::sin by a few ulps; over the whole series that
    // must stay far below anything a text shows (1E-4 arcsecond, 1 mm).
    for (double jj = 2268923.5; jj < 2561118.5; jj += 1234.56789) {
        orbitel::EtatLune e;
        orbitel::evalue_ephemeride(e, jj);
        const Sommes s = sommes_de_reference(jj);
        EXPECT_NEAR(e.DeltaPsi, s.delta_psi, 1e-10) << jj;
        EXPECT_NEAR(e.Eps, s.eps, 1e-14) << jj;
        EXPECT_NEAR(e.Lambda, s.lambda, 1e-13) << jj;
        EXPECT_NEAR(e.Beta, s.beta, 1e-13) << jj;
        EXPECT_NEAR(e.Distance, s.distance, 1e-8) << jj;
    }
}

} // namespace
