// The print procedure's pieces that stand on their own: the page placement and the snapshot of the
// screen colours. The procedure itself is tested on the real window (test_impression_pos_lune.cpp).
#include "window/impression.hpp"

#include <QLabel>
#include <gtest/gtest.h>

using namespace orbitel;

TEST(Impression, PlaceSurLaPage) {
    // A wide window on a portrait page: full width, centred vertically.
    const QRectF a = place_sur_page({640, 435}, {0, 0, 1000, 1400});
    EXPECT_DOUBLE_EQ(a.width(), 1000);
    EXPECT_DOUBLE_EQ(a.height(), 435 * 1000.0 / 640);
    EXPECT_DOUBLE_EQ(a.center().y(), 700);
    EXPECT_DOUBLE_EQ(a.left(), 0);
    // On a landscape page the height limits.
    const QRectF b = place_sur_page({640, 435}, {50, 20, 2000, 1000});
    EXPECT_DOUBLE_EQ(b.height(), 1000);
    EXPECT_DOUBLE_EQ(b.width(), 640 * 1000.0 / 435);
    EXPECT_DOUBLE_EQ(b.center().x(), 1050);
    EXPECT_NEAR(b.top(), 20, 1e-9);
    EXPECT_TRUE(place_sur_page({0, 0}, {0, 0, 100, 100}).isEmpty());
}

TEST(CouleursEcran, PaletteHeriteeResteHeritee) {
    QWidget parent;
    auto* enfant = new QLabel("texte", &parent);
    auto* propre = new QLabel("propre", &parent);
    QPalette p = propre->palette();
    p.setColor(QPalette::WindowText, QColor(1, 2, 3));
    propre->setPalette(p);
    const CouleursEcran instantane(parent);
    const QPalette enfant_avant = enfant->palette();

    applique_papier(parent);
    EXPECT_TRUE(enfant->testAttribute(Qt::WA_SetPalette));
    instantane.restaure();
    EXPECT_FALSE(enfant->testAttribute(Qt::WA_SetPalette));
    EXPECT_TRUE(propre->testAttribute(Qt::WA_SetPalette));
    EXPECT_TRUE(enfant->palette() == enfant_avant);
    EXPECT_EQ(propre->palette().color(QPalette::WindowText), QColor(1, 2, 3));

    // Inherited means it still follows its parent afterwards.
    QPalette rouge = parent.palette();
    rouge.setColor(QPalette::WindowText, Qt::red);
    parent.setPalette(rouge);
    EXPECT_EQ(enfant->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(propre->palette().color(QPalette::WindowText), QColor(1, 2, 3));

    // A widget deleted in between is passed over.
    delete propre;
    instantane.restaure();
    EXPECT_EQ(enfant->palette().color(QPalette::WindowText), enfant_avant.color(QPalette::WindowText));
}
