// The night's altitude graph, offscreen: where its curve is painted, its files, its keyboard and its
// page.
#include <QAccessible>
#include <QProcess>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

#include "clock/calendrier.hpp"
#include "clock/horloge_fixe.hpp"
#include "outils.hpp"
#include "window/export_image.hpp"
#include "window/graphe_hauteur.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

double jj_de(int an, int mois, int jour, int heures, int minutes = 0) {
    return jour_julien(Instant{static_cast<double>(jour), static_cast<double>(mois), static_cast<double>(an),
                               static_cast<double>(heures), static_cast<double>(minutes), 0});
}

struct Graphe : ::testing::Test {
    Graphe() { application(); }
    QTemporaryDir dossier;
    // 11 April 2025 at 3 h UT; the present at 1 h 30.
    HorlogeFixe horloge{tu_de(2025, 4, 11, 1, 30, 0), HeureLocale{}};
    FuseauFixe quito_heure{-5 * 3600};
    ImprimantePdf imprimante{dossier.filePath("graphe.pdf")};
    const Observateur quito{-0.2167f, 78.5167f};
    GrapheHauteur g{quito_heure, horloge, imprimante, ','};
    Graphe& montre() {
        g.montre(jj_de(2025, 4, 11, 3), quito);
        return *this;
    }
};

} // namespace

// In the paper palette the curve is black on light bands: at instants away from the marked events,
// the middle of the black run in the column is where the engine puts the Moon, within a pixel and a
// half (a tenth of a degree is a third of a pixel).
TEST_F(Graphe, LaCourbeEstOuLeMoteurPlaceLaLune) {
    montre();
    const QImage image = image_rendue(QSize(largeur_graphe, hauteur_graphe), 2, Qt::white,
                                      [&](QPainter& p) { g.peint(p, true); });
    ASSERT_EQ(image.size(), QSize(2 * largeur_graphe, 2 * hauteur_graphe));
    const Intervalle& i = g.nuit().intervalle;
    EtatLune e;
    int verifies = 0;
    for (const double heures : {-5.5, -3.25, -1.0, 1.5, 3.75, 5.5}) {
        const double jj = g.nuit().passage->jj + heures / 24;
        const double h = point_nuit(e, jj, quito).hauteur;
        if (h < hauteur_min_graphe + 2) continue;
        const QPointF attendu = position_graphe(i, jj, h) * 2;
        const int x = qRound(attendu.x());
        // The dark run nearest the expected point.
        double somme = 0, n = 0;
        for (int y = qRound(attendu.y()) - 12; y <= qRound(attendu.y()) + 12; ++y)
            if (image.pixelColor(x, y).lightness() < 60) {
                somme += y;
                ++n;
            }
        ASSERT_GT(n, 2) << heures;
        EXPECT_NEAR(somme / n, attendu.y(), 3) << heures << " h de la culmination, hauteur " << h;
        ++verifies;
    }
    EXPECT_GE(verifies, 4);
}

TEST_F(Graphe, FichiersPngEtSvg) {
    montre();
    const QString png1 = dossier.filePath("un.png"), png2 = dossier.filePath("deux.png");
    ASSERT_TRUE(g.exporte_png(png1, 1));
    ASSERT_TRUE(g.exporte_png(png2, 2));
    EXPECT_EQ(QImage(png1).size(), QSize(largeur_graphe, hauteur_graphe));
    EXPECT_EQ(QImage(png2).size(), QSize(2 * largeur_graphe, 2 * hauteur_graphe));
    const QString svg = dossier.filePath("graphe.svg");
    ASSERT_TRUE(g.exporte_svg(svg));
    QSvgRenderer rendu(svg);
    ASSERT_TRUE(rendu.isValid());
    EXPECT_EQ(rendu.viewBoxF(), QRectF(0, 0, largeur_graphe, hauteur_graphe));
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString contenu = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(contenu.contains("Lever 16 h 50")) << "Quito's moonrise, 21 h 50 UT";
    EXPECT_TRUE(contenu.contains("Passage 23 h 00"));
    EXPECT_FALSE(g.exporte_png(dossier.filePath("absent/un.png")));
}

// The cursor moves by 5 minutes, by the hour with Shift, and says its point to screen readers; the
// present instant follows the clock; Escape closes the window.
TEST_F(Graphe, ClavierEtInstantPresent) {
    montre();
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.zone().setFocus();
    const Intervalle& i = g.nuit().intervalle;
    EXPECT_NEAR(*g.maintenant(), jj_de(2025, 4, 11, 1, 30), 1e-6);
    // The cursor starts at the present instant, 20 h 30 at Quito.
    ASSERT_TRUE(g.curseur().has_value());
    EXPECT_NEAR(*g.curseur(), *g.maintenant(), 1e-6);
    QTest::keyClick(&g.zone(), Qt::Key_Right);
    EXPECT_NEAR(*g.curseur(), jj_de(2025, 4, 11, 1, 35), 1e-6);
    QTest::keyClick(&g.zone(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_NEAR(*g.curseur(), jj_de(2025, 4, 11, 2, 35), 1e-6);
    QTest::keyClick(&g.zone(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&g.zone(), Qt::Key_Left);
    EXPECT_NEAR(*g.curseur(), jj_de(2025, 4, 11, 1, 30), 1e-6);
    EtatLune e;
    const PointNuit p = point_nuit(e, *g.curseur(), quito);
    const QString attendu = QString::fromUtf8("20 h 30 — hauteur ") +
                            QString::number(p.hauteur, 'f', 1).replace('.', ',') +
                            QString::fromUtf8("° — azimut ") +
                            QString::number(p.azimut, 'f', 1).replace('.', ',') + QString::fromUtf8("°");
    EXPECT_EQ(g.texte_curseur(), attendu);
    EXPECT_EQ(g.zone().accessibleDescription(), attendu);
    EXPECT_FALSE(g.zone().accessibleName().isEmpty());
    QTest::keyClick(&g.zone(), Qt::Key_End);
    EXPECT_EQ(*g.curseur(), i.fin);
    QTest::keyClick(&g.zone(), Qt::Key_Right);
    EXPECT_EQ(*g.curseur(), i.fin);

    horloge.regle(tu_de(2025, 4, 11, 2, 0, 0), HeureLocale{});
    QTest::qWait(1100);
    EXPECT_NEAR(*g.maintenant(), jj_de(2025, 4, 11, 2), 1e-6);

    QTest::keyClick(&g.zone(), Qt::Key_Escape);
    EXPECT_FALSE(g.isVisible());
}

TEST_F(Graphe, PageImprimee) {
    if (std::string(ORBITEL_PDFTOTEXT).empty()) FAIL() << "pdftotext (poppler-utils) is needed";
    montre();
    ASSERT_TRUE(g.imprime());
    QProcess texte;
    texte.start(ORBITEL_PDFTOTEXT, {dossier.filePath("graphe.pdf"), "-"});
    ASSERT_TRUE(texte.waitForFinished(60000));
    const QString lu = QString::fromUtf8(texte.readAllStandardOutput()).simplified();
    for (const char* attendu : {"Hauteur de la Lune", "Nuit du 10/04/2025 au 11/04/2025, heures en UTC−5",
                                "Lever 16 h 50", "Coucher 05 h 09", "Horizon", "Crépuscule civil"})
        EXPECT_TRUE(lu.contains(QString::fromUtf8(attendu))) << attendu << "\n" << lu.toStdString();
}
