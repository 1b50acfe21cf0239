// Integrity of the coefficient tables of the ephemeris: sizes, order, signs and values.
#include "ephemeris/tables/nutation.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using namespace orbitel;

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

} // namespace
