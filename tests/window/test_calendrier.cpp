#include "window/calendrier.hpp"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "clock/horloge_fixe.hpp"
#include "text/mois.hpp"
#include "window/sans_peripheriques.hpp"

using namespace orbitel;

namespace {

const Observateur Paris{48.8666667f, -2.3333333f};

HorlogeFixe horloge(std::uint16_t annee, std::uint16_t mois, std::uint16_t jour, std::uint16_t heure,
                    std::uint16_t minute) {
    HorlogeTu tu;
    tu.annee = annee;
    tu.mois = mois;
    tu.jour = jour;
    tu.heure = heure;
    tu.minute = minute;
    return HorlogeFixe(tu, HeureLocale{});
}

struct Banc {
    FuseauFixe paris{3600};
    HorlogeFixe maintenant = horloge(2027, 1, 12, 10, 0);
    SansImprimante imprimante;
    Calendrier calendrier{Paris, paris, EchelleTemps::universel, maintenant, imprimante, {2027, 1, 12}};
};

QByteArray poppler(const char* outil, const QStringList& arguments) {
    QProcess p;
    p.start(outil, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return p.readAllStandardOutput();
}

// Each day's cell shows the month table's figures for that day: its rise, transit and set, its
// phases and apsides with their times, as orbitel-rapport --mois writes them.
TEST(Calendrier, CasesCommeLaTableDuMois) {
    Banc b;
    const std::vector<JourLunaire> jours = mois_lunaire(2027, 1, b.paris, Paris);
    ASSERT_EQ(b.calendrier.jours().size(), 31u);
    for (const JourLunaire& j : jours) {
        const TextesJour t = textes_jour(j, b.paris, ',');
        QStringList attendu{QString::number(j.jour), QString::fromStdString("Lever " + t.lever),
                            QString::fromStdString("Passage " + t.passage),
                            QString::fromStdString("Coucher " + t.coucher)};
        for (const std::string& e : t.evenements)
            attendu << QString::fromStdString(e);
        EXPECT_EQ(b.calendrier.lignes_case(j.jour), attendu) << j.jour;
    }
    EXPECT_EQ(b.calendrier.windowTitle(), QStringLiteral("Calendrier lunaire"));
}

// Today is the zone's date of the clock's UT reading.
TEST(Calendrier, AujourdhuiDansLaZone) {
    struct Cas {
        HorlogeFixe horloge;
        JourCalendrier jour;
    };
    Banc b;
    for (const Cas& c :
         {Cas{horloge(2027, 1, 12, 10, 0), {2027, 1, 12}}, Cas{horloge(2026, 12, 31, 23, 30), {2027, 1, 1}},
          Cas{horloge(2027, 1, 31, 22, 59), {2027, 1, 31}}}) {
        Calendrier calendrier(Paris, b.paris, EchelleTemps::universel, c.horloge, b.imprimante, {2027, 1, 1});
        EXPECT_EQ(calendrier.aujourdhui(), c.jour) << c.jour.jour;
    }
}

// The keys and the buttons, as a user presses them.
TEST(Calendrier, NavigationAuClavier) {
    Banc b;
    Calendrier& c = b.calendrier;
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    QWidget* grille = c.focusWidget();
    ASSERT_NE(grille, nullptr);
    EXPECT_TRUE(grille->accessibleName().startsWith(QStringLiteral("Mardi 12 janvier 2027 : lever 10 h ")))
        << grille->accessibleName().toStdString();
    QSignalSpy choix(&c, &Calendrier::jourChoisi);

    struct Pas {
        Qt::Key touche;
        JourCalendrier apres;
    };
    for (const Pas p :
         {Pas{Qt::Key_PageDown, {2027, 2, 12}}, Pas{Qt::Key_PageUp, {2027, 1, 12}},
          Pas{Qt::Key_Down, {2027, 1, 19}}, Pas{Qt::Key_Down, {2027, 1, 26}}, Pas{Qt::Key_Down, {2027, 2, 2}},
          Pas{Qt::Key_Left, {2027, 2, 1}}, Pas{Qt::Key_Left, {2027, 1, 31}},
          Pas{Qt::Key_PageDown, {2027, 2, 28}}, Pas{Qt::Key_Right, {2027, 3, 1}},
          Pas{Qt::Key_Up, {2027, 2, 22}}, Pas{Qt::Key_PageUp, {2027, 1, 22}}}) {
        QTest::keyClick(QApplication::focusWidget(), p.touche);
        EXPECT_EQ(c.jour_choisi(), p.apres) << p.apres.mois << '/' << p.apres.jour;
        EXPECT_EQ(c.jours().front().mois, p.apres.mois);
    }
    EXPECT_EQ(c.findChild<QLabel*>()->text(), QStringLiteral("Janvier 2027"));
    EXPECT_EQ(choix.count(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(choix.count(), 1);
    EXPECT_EQ(choix[0], (QList<QVariant>{2027, 1, 22}));

    // The buttons, by their accessible names.
    QPushButton* suivant = nullptr;
    for (QPushButton* bouton : c.findChildren<QPushButton*>()) {
        EXPECT_FALSE(bouton->accessibleName().isEmpty());
        if (bouton->accessibleName() == QStringLiteral("Mois suivant")) suivant = bouton;
    }
    ASSERT_NE(suivant, nullptr);
    suivant->click();
    EXPECT_EQ(c.jour_choisi(), (JourCalendrier{2027, 2, 22}));

    QTest::keyClick(&c, Qt::Key_Escape);
    EXPECT_FALSE(c.isVisible());
}

// A click on a day chooses it.
TEST(Calendrier, ClicSurUnJour) {
    Banc b;
    Calendrier& c = b.calendrier;
    c.resize(1000, 760);
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    QSignalSpy choix(&c, &Calendrier::jourChoisi);
    QWidget* grille = c.focusWidget();
    // January 2027 starts on a Friday: the 12th is the Tuesday of the third row.
    const double largeur = grille->width() / 7.0;
    const double entete = std::max(16.0, grille->height() / 26.0);
    const double hauteur = (grille->height() - entete) / 5;
    QTest::mouseClick(grille, Qt::LeftButton, {},
                      QPoint(static_cast<int>(1.5 * largeur), static_cast<int>(entete + 2.5 * hauteur)));
    ASSERT_EQ(choix.count(), 1);
    EXPECT_EQ(choix[0], (QList<QVariant>{2027, 1, 12}));
}

// The printed page: landscape, every day of the month with its times and the month's phases and
// apsides with theirs, read back from the PDF.
TEST(Calendrier, PageImprimee) {
    if (std::string(ORBITEL_PDFTOPPM).empty() || std::string(ORBITEL_PDFTOTEXT).empty())
        FAIL() << "pdftoppm and pdftotext (poppler-utils, installed by scripts/test) are needed";
    Banc b;
    QTemporaryDir dossier;
    const QString pdf = qEnvironmentVariableIsSet("ORBITEL_GARDE_PDF")
                            ? qEnvironmentVariable("ORBITEL_GARDE_PDF")
                            : dossier.filePath("mois.pdf");
    ImprimantePdf imprimante(pdf);
    Calendrier c(Paris, b.paris, EchelleTemps::universel, b.maintenant, imprimante, {2027, 1, 12});
    ASSERT_TRUE(c.imprime());
    const QString lu = QString::fromUtf8(poppler(ORBITEL_PDFTOTEXT, {"-layout", pdf, "-"})).simplified();
    EXPECT_TRUE(lu.contains(QStringLiteral("Calendrier lunaire : Janvier 2027"))) << lu.toStdString();
    EXPECT_TRUE(lu.contains(QStringLiteral("48° 52′ N, 2° 20′ E, heures en UTC+1"))) << lu.toStdString();
    const QStringList mots = lu.split(QLatin1Char(' '));
    std::size_t evenements = 0;
    for (unsigned jour = 1; jour <= 31; ++jour) {
        const QStringList lignes = c.lignes_case(jour);
        EXPECT_TRUE(mots.contains(lignes[0])) << jour;
        for (qsizetype k = 1; k < lignes.size(); ++k)
            EXPECT_TRUE(lu.contains(lignes[k])) << lignes[k].toStdString();
        evenements += static_cast<std::size_t>(lignes.size() - 4);
    }
    EXPECT_EQ(evenements, 6u); // four phases, an apogee and a perigee
    for (const char* nom :
         {"Nouvelle Lune", "Premier quartier", "Pleine Lune", "Dernier quartier", "Périgée", "Apogée"})
        EXPECT_TRUE(lu.contains(QString::fromUtf8(nom))) << nom;

    const QString base = dossier.filePath("page");
    poppler(ORBITEL_PDFTOPPM, {"-r", "40", "-png", "-singlefile", pdf, base});
    const QImage page(base + ".png");
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
}

} // namespace
