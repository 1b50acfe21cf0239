// The phase drawing on the window's persistent surface, sampled along the disc's horizontal
// diameter (y = 2700 twips), away from the antialiased edges.
#include <gtest/gtest.h>

#include <QSvgRenderer>
#include <QTemporaryDir>

#include <cmath>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "events/aspect.hpp"
#include "events/soleil.hpp"
#include "outils.hpp"
#include "window/dessin_lune.hpp"
#include "window/export_image.hpp"
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

namespace {

// Where the lit part of a drawing lies: the centroid of its light pixels relative to the disc's
// centre, in twips, y downward.
QPointF centre_eclaire(double partie, double inclinaison) {
    const qreal ratio = 1;
    QImage image(QSize(420, 420), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.scale(1 / 15.0, 1 / 15.0);
    dessine_phase_orientee(p, partie, inclinaison, palette_lune(false));
    p.end();
    double sx = 0, sy = 0, n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() > 128) {
                sx += x;
                sy += y;
                ++n;
            }
    if (n == 0) return {};
    return {sx / n * 15 - lune_cx, sy / n * 15 - lune_cy};
}

} // namespace

// The crescent of 28 June 2025 at the end of civil dusk, three days after new moon, turned as the
// sky of each place shows it: on its back near the equator (at the solstice the evening ecliptic
// stands nearly upright there); lit from below and the right at 35° N; the mirror of that at 35° S.
TEST(DessinOriente, CroissantDuSoirSelonLeLieu) {
    const struct Cas {
        const char* nom;
        float lat;
        // Directions of the lit side on the screen it may take: 0 up, 90 left, 180 down, 270 right.
        double min, max;
    } cas[] = {{"5° N", 5, 160, 200}, {"35° N", 35, 200, 250}, {"35° S", -35, 110, 160}};
    double angles[3] = {};
    for (std::size_t k = 0; k < std::size(cas); ++k) {
        const Cas& c = cas[k];
        SCOPED_TRACE(c.nom);
        const Observateur lieu{c.lat, 0};
        EtatLune e;
        const double jj0 = jour_julien(Instant{28, 6, 2025, 0, 0, 0});
        const std::optional<double> crepuscule = jour_soleil(e, jj0, lieu)[SeuilSoleil::civil].descente;
        ASSERT_TRUE(crepuscule.has_value());
        const AspectLune aspect = aspect_lune(e, *crepuscule, lieu);
        const double partie = fraction_eclairee(e);
        ASSERT_GT(partie, 0.05);
        ASSERT_LT(partie, 0.2);
        const QPointF c_eclaire = centre_eclaire(partie, aspect.inclinaison_limbe);
        ASSERT_GT(std::hypot(c_eclaire.x(), c_eclaire.y()), 1000);
        // Screen angle from the top toward the left.
        double angle = std::atan2(-c_eclaire.x(), -c_eclaire.y()) * 180 / M_PI;
        if (angle < 0) angle += 360;
        EXPECT_GT(angle, c.min);
        EXPECT_LT(angle, c.max);
        // The drawing's lit side is where the place's tilt puts it.
        EXPECT_NEAR(std::remainder(angle - aspect.inclinaison_limbe, 360.0), 0, 2);
        angles[k] = angle;
    }
    EXPECT_NEAR(angles[2], 360 - angles[1], 15); // south and north, left and right
}

// Turned or not, a drawing written as PNG has the density asked for and one written as SVG loads.
TEST(DessinOriente, ExportsPngEtSvg) {
    QTemporaryDir dossier;
    const VueLune vue{0.3, false, 180.0};
    const QString png = dossier.filePath("lune.png"), svg = dossier.filePath("lune.svg");
    ASSERT_TRUE(exporte_lune_png(png, vue, false, 2));
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(2 * cote_lune_exportee, 2 * cote_lune_exportee));
    // Lit from below: white low on the disc, black high on it.
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() * 9 / 10), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 10), QColor(0, 0, 0));
    ASSERT_TRUE(exporte_lune_svg(svg, vue));
    QSvgRenderer rendu(svg);
    EXPECT_TRUE(rendu.isValid());
    EXPECT_EQ(rendu.viewBoxF(), QRectF(0, 0, cote_lune_exportee, cote_lune_exportee));
    EXPECT_FALSE(exporte_lune_png(dossier.filePath("absent/lune.png"), vue));
}
