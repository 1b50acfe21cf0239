// The phase drawing on the window's persistent surface, sampled along the disc's horizontal
// diameter (y = 2700 twips), away from the antialiased edges.
#include <gtest/gtest.h>

#include "outils.hpp"
#include "window/dessin_lune.hpp"
#include "window/surface_lune.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

const QColor noir(0, 0, 0), blanc(255, 255, 255), gris_papier(200, 200, 200);

struct Dessin : ::testing::Test {
    Banc banc;
    PosLune& f = *banc.fenetre;
    // A surface of the window's size and density, drawn for a side of the Sun and a latitude as the
    // window's own is drawn from the engine's side and the place.
    SurfaceLune surface{f};

    QColor en(double x, double y = lune_cy) const { return pixel_twips(surface.image(), x, y); }
    void dessine(double partie, CoteSoleil cote, float lat) {
        surface.dessine(partie, cote, lat, f.mode_impression());
    }
    void attend(std::initializer_list<double> xs, const QColor& couleur) const {
        for (const double x : xs)
            EXPECT_EQ(en(x), couleur) << "x = " << x << " twips";
    }
};

} // namespace

TEST_F(Dessin, SurfaceDeLaFenetreEntiere) {
    EXPECT_EQ(f.surface().size() / f.surface().devicePixelRatio(), QSize(640, 435));
}

TEST_F(Dessin, LaFenetreDessineLeCroissantDuMatin) {
    // 7 December 2026 at dawn in Paris: 3.2 % lit, west of the Sun, so the thin crescent is on the left.
    f.demarre();
    f.tick();
    EXPECT_EQ(f.releve().position->geocentrique->cote, CoteSoleil::ouest);
    EXPECT_EQ(pixel_twips(f.surface(), 300, lune_cy), blanc);
    EXPECT_EQ(pixel_twips(f.surface(), 5100, lune_cy), noir);
    EXPECT_EQ(pixel_twips(f.surface(), 2700, lune_cy), noir);
}

TEST_F(Dessin, QuartDeLuneEstAuNordCroissantADroite) {
    dessine(0.25, CoteSoleil::est, 48.866665f);
    // The dark ellipse of half-width 2490 / 1.99992 ~ 1245 leaves the crescent 3945 to 5190.
    attend({3990, 4300, 4700, 5100, 5160}, blanc);
    attend({3900, 3600, 2700, 1500, 400}, noir);
    attend({5300, 6100, 100}, noir); // the background square
    EXPECT_EQ(en(2700, 100), noir);
}

TEST_F(Dessin, QuartDeLuneAuSudEnMiroir) {
    dessine(0.25, CoteSoleil::est, -33.866665f);
    attend({240, 700, 1100, 1410}, blanc);
    attend({1500, 1800, 2700, 4000, 5100}, noir);
}

TEST_F(Dessin, GibbeuseOuestAuNordDebordeADroite) {
    dessine(0.75, CoteSoleil::ouest, 10);
    attend({400, 1500, 2700, 3500, 3900}, blanc);
    attend({4000, 4500, 5100}, noir);
}

TEST_F(Dessin, DemiLuneTraitVerticalAuCentre) {
    dessine(0.5, CoteSoleil::est, 48);
    attend({2800, 3500, 5100}, blanc);
    attend({300, 1500, 2600}, noir);
    // The terminator is a stroke through the centre, dark at every height of the disc.
    for (const double y : {500.0, 1500.0, 2700.0, 3900.0, 4900.0})
        EXPECT_LT(en(2700, y).red(), 200) << y;
}

TEST_F(Dessin, NouvelleLuneNoireSaufLeContour) {
    dessine(0, CoteSoleil::est, 48);
    for (const double x : {300.0, 1000.0, 2700.0, 4400.0, 5100.0})
        EXPECT_EQ(en(x), noir) << x;
    for (const double y : {300.0, 2700.0, 5100.0})
        EXPECT_EQ(en(2700, y), noir) << y;
    // The limb in its grey, on the left and right ends of the diameter.
    int gris_max = 0;
    for (double x = 150; x <= 270; x += 15)
        gris_max = std::max(gris_max, en(x).red());
    EXPECT_GT(gris_max, 40);
    EXPECT_LE(gris_max, 100);
}

TEST_F(Dessin, PleineLuneDisqueEntier) {
    dessine(1, CoteSoleil::ouest, 48);
    for (const double x : {300.0, 1000.0, 2700.0, 4400.0, 5100.0})
        EXPECT_EQ(en(x), blanc) << x;
    for (const double y : {300.0, 1500.0, 3900.0, 5100.0})
        EXPECT_EQ(en(2700, y), blanc) << y;
    attend({100, 5300}, noir);
}

TEST_F(Dessin, PaletteDImpression) {
    f.met_mode_impression(true);
    dessine(0.25, CoteSoleil::est, 48);
    attend({4300, 5100}, gris_papier);
    attend({3600, 2000, 400}, blanc);
    EXPECT_EQ(en(100, 100), blanc);
    int plus_sombre = 255;
    for (double x = 5130; x <= 5250; x += 15)
        plus_sombre = std::min(plus_sombre, en(x).red());
    EXPECT_LT(plus_sombre, 100); // the black outline
}

TEST_F(Dessin, RedessinRecouvreToutLeCarre) {
    dessine(1, CoteSoleil::est, 48);
    dessine(0, CoteSoleil::est, 48);
    for (const double x : {300.0, 2700.0, 5100.0})
        EXPECT_EQ(en(x), noir) << x;
}

TEST_F(Dessin, FractionNonFinieLaisseLeDessin) {
    dessine(1, CoteSoleil::est, 48);
    dessine(std::nan(""), CoteSoleil::est, 48);
    EXPECT_EQ(en(2700), blanc);
}

TEST(Terminateur, AspectsAuxLimites) {
    const Terminateur plein = terminateur(0); // fraction 1
    EXPECT_TRUE(plein.eclaire);
    EXPECT_FLOAT_EQ(plein.aspect, 1.00002f);
    const Terminateur nouveau = terminateur(1); // fraction 0
    EXPECT_FALSE(nouveau.eclaire);
    EXPECT_FLOAT_EQ(nouveau.aspect, 0.99998f);
    const Terminateur demi = terminateur(0.5);
    EXPECT_FALSE(demi.eclaire);
    EXPECT_FLOAT_EQ(demi.aspect, 50000.0f);
    EXPECT_FLOAT_EQ(terminateur(0.75).aspect, static_cast<float>(0.5 / (0.75 - 0.49999)));
}

TEST(PaletteLune, DeuxPalettes) {
    const PaletteLune ecran = palette_lune(false), papier = palette_lune(true);
    EXPECT_EQ(ecran.sombre, QColor(0, 0, 0));
    EXPECT_EQ(ecran.claire, QColor(255, 255, 255));
    EXPECT_EQ(ecran.contour, QColor(100, 100, 100));
    EXPECT_EQ(papier.sombre, QColor(255, 255, 255));
    EXPECT_EQ(papier.claire, QColor(200, 200, 200));
    EXPECT_EQ(papier.contour, QColor(0, 0, 0));
}
