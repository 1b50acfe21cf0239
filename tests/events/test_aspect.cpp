#include "ephemeris/moteur.hpp"
#include "events/aspect.hpp"
#include "references.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

using namespace orbitel;
using references::nombre;

namespace {

double ecart_angle(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

} // namespace

// 200 instants and sites from astronomy-engine: libration (its own includes the physical part, under
// 0.04 degree) within 0.1 degree, the axis within 0.2, bright limb and parallactic angles within 0.5,
// diameters within a thousandth of a degree.
TEST(Aspect, SuitAstronomyEngine) {
    const auto lignes = references::lit_tsv("astronomy-engine/aspect.tsv");
    ASSERT_EQ(lignes.size(), 200u);
    double pire[8] = {};
    for (const auto& l : lignes) {
        SCOPED_TRACE(l[0] + " " + l[3]);
        const Observateur o{static_cast<float>(nombre(l[1])), static_cast<float>(-nombre(l[2]))};
        EtatLune e;
        const AspectLune a = aspect_lune(e, nombre(l[3]), o, EchelleTemps::terrestre);
        const double ecarts[8] = {ecart_angle(a.libration.longitude, nombre(l[4])),
                                  std::fabs(a.libration.latitude - nombre(l[5])),
                                  ecart_angle(a.libration.angle_axe, nombre(l[6])),
                                  ecart_angle(a.angle_limbe, nombre(l[7])),
                                  ecart_angle(a.angle_limbe_topocentrique, nombre(l[8])),
                                  ecart_angle(a.angle_parallactique, nombre(l[9])),
                                  std::fabs(a.diametre_geocentrique - nombre(l[10])),
                                  std::fabs(a.diametre_topocentrique - nombre(l[11]))};
        const double tolerances[8] = {0.1, 0.1, 0.2, 0.5, 0.5, 0.5, 1e-3, 1e-3};
        for (int i = 0; i < 8; ++i) {
            EXPECT_LE(ecarts[i], tolerances[i]) << "colonne " << i + 4;
            pire[i] = std::max(pire[i], ecarts[i]);
        }
        EXPECT_GE(a.angle_parallactique, -180);
        EXPECT_LE(a.angle_parallactique, 180);
        EXPECT_NEAR(ecart_angle(a.inclinaison_limbe, a.angle_limbe_topocentrique - a.angle_parallactique), 0,
                    1e-9);
    }
    std::cout
        << "aspect, écarts maximaux (lib. long., lat., axe, limbe, limbe topo, parallactique, diamètres):";
    for (const double p : pire)
        std::cout << ' ' << p;
    std::cout << '\n';
}

// Worked cases of the angle formulas: the bright limb points to the Sun, the parallactic angle is 0
// on the meridian south of the zenith and 180 north of it.
TEST(Aspect, AnglesElementaires) {
    struct Cas {
        double ad, decl, ad0, decl0, attendu;
    } cas[] = {
        {6, 0, 6, 10, 0},    // Sun due north of the Moon
        {6, 0, 7, 0, 90},    // due east
        {6, 0, 5, 0, 270},   // due west
        {6, 10, 6, -5, 180}, // due south
    };
    for (const Cas& c : cas)
        EXPECT_NEAR(angle_position_limbe(c.ad, c.decl, c.ad0, c.decl0), c.attendu, 1e-9);
    EXPECT_NEAR(angle_parallactique(0, 10, 45), 0, 1e-9);
    EXPECT_NEAR(angle_parallactique(0, 60, 45), 180, 1e-9);
    EXPECT_GT(angle_parallactique(30, 10, 45), 0);
    EXPECT_LT(angle_parallactique(-30, 10, 45), 0);
    EXPECT_NEAR(diametre_apparent(384400) * 60, 31.08, 0.01);
    EXPECT_TRUE(std::isnan(diametre_apparent(RayonLune)));
    EXPECT_TRUE(std::isnan(diametre_apparent(std::nan(""))));
}
