// Integrity of the coefficient tables of the ephemeris: sizes, order, signs and values.
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

template <class Terme> Multiplicateurs multiplicateurs(const Terme& t) { return {t.D, t.M, t.Mp, t.F}; }

bool a_terme_obliquite(const TermeNutation& t) { return t.eps != 0.0 || t.eps_t != 0.0; }

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
    EXPECT_EQ((std::array<int, 5>{t63.D, t63.M, t63.Mp, t63.F, t63.Omega}), (std::array<int, 5>{2, -1, 0, 2, 2}));
    EXPECT_EQ(t63.psi, -3.0);
    EXPECT_FALSE(a_terme_obliquite(t63));
}

// Row n of a table, numbered from 1 as in the comments of the headers.
const TermeLongitude& longitude(std::size_t n) { return table_longitude.at(n - 1); }

bool sans_planetes_ni_zeta(const TermeLongitude& t) {
    return t.zeta == 0 && t.venus == 0 && t.terre == 0 && t.mars == 0 && t.jupiter == 0;
}

TEST(TableLongitude, QuatreCentCinqTermes) { EXPECT_EQ(table_longitude.size(), 405u); }

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
    EXPECT_EQ((std::array<int, 9>{t376.D, t376.M, t376.Mp, t376.F, t376.zeta, t376.venus, t376.terre, t376.mars,
                                  t376.jupiter}),
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

const TermeLatitude& latitude(std::size_t n) { return table_latitude.at(n - 1); }

// The 201st term of the latitude depends on time alone and is computed apart from the table.
TEST(TableLatitude, DeuxCentsTermes) { EXPECT_EQ(table_latitude.size(), 200u); }

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
    EXPECT_EQ((std::array<int, 4>{t200.D, t200.Mp, t200.terre, t200.venus}), (std::array<int, 4>{1, -1, 1, 0}));
    EXPECT_EQ(t200.phase_deg, 95.13);
    EXPECT_EQ(t200.coefficient, 0.078);
}

TEST(TableDistance, CentCinqTermesOrdonnes) {
    ASSERT_EQ(table_distance.size(), 105u);
    EXPECT_EQ(distance_constante_km, 385000.56);
    for (std::size_t i = 1; i < table_distance.size(); ++i) {
        EXPECT_LT(multiplicateurs(table_distance[i - 1]), multiplicateurs(table_distance[i])) << "rangée " << i + 1;
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

} // namespace
