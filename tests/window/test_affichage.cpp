// The Affichage menu of the window: its switches (local time, the precise time scale, the drawing
// seen from the place) as orbitel-rapport computes and orbitel.ini keeps them, and the views it
// opens, the month calendar and the night's altitude graph, with their shortcuts.
#include <QAction>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "outils.hpp"
#include "rapport.hpp"
#include "window/calendrier.hpp"
#include "window/graphe_hauteur.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

bool attend(const std::function<bool()>& condition) {
    QDeadlineTimer limite(10000);
    while (!condition() && !limite.hasExpired())
        QTest::qWait(20);
    return condition();
}

QAction* action(const PosLune& f, const char* nom) {
    auto* a = f.findChild<QAction*>(QLatin1String(nom));
    if (a == nullptr) ADD_FAILURE() << "no action " << nom;
    return a;
}

struct Affichage : ::testing::Test {
    // Paris's clocks, as the calendar's local zone reads them.
    Variable tz{"TZ", "Europe/Paris"};
    Banc banc{tu_de(2027, 1, 12, 10, 0, 0), 60, ','};
    PosLune& f = *banc.fenetre;
    void SetUp() override {
        f.demarre();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    void touche(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k, Qt::ControlModifier); }
    void instant(const char* j, const char* m, const char* a, const char* h, const char* mi, const char* s) {
        calcule_instant(f, {j, m, a, h, mi, s});
    }
    QString copie() {
        QGuiApplication::clipboard()->clear();
        touche(Qt::Key_C);
        return QGuiApplication::clipboard()->text();
    }
};

} // namespace

// In local time the calendar of the shown month is orbitel-rapport --mois in the system's zone: each
// day's rise, transit and set and its phases and apsides at the minute.
TEST_F(Affichage, CalendrierDeJanvier2027AParisCommeLeRapportDuMois) {
    touche(Qt::Key_L);
    ASSERT_TRUE(f.affichage().heure_locale);
    EXPECT_EQ(texte(ui(f).Label17[1]), "Heure locale");
    touche(Qt::Key_M);
    Calendrier* c = f.calendrier();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->windowTitle(), "Calendrier lunaire");

    const QStringList lignes = sortie_rapport({"--mois", "1/2027", "--fuseau", "local", "--latitude",
                                               "48:52N", "--longitude", "2:20E"},
                                              "fr_FR.UTF-8")
                                   .split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 2 + 31);
    ASSERT_TRUE(lignes[0].endsWith("heures en UTC+1")) << lignes[0].toStdString();
    const qsizetype evenements = lignes[1].indexOf("Événements");
    ASSERT_GT(evenements, 0);
    for (int jour = 1; jour <= 31; ++jour) {
        const QString ligne = lignes[1 + jour];
        const QStringList mots = ligne.split(' ', Qt::SkipEmptyParts);
        ASSERT_EQ(mots[1].toInt(), jour) << ligne.toStdString();
        QStringList attendu{QString::number(jour), "Lever " + mots[2], "Passage " + mots[4],
                            "Coucher " + mots[6]};
        const QString suite = ligne.mid(evenements).trimmed();
        if (!suite.isEmpty()) attendu << suite.split(", ");
        EXPECT_EQ(c->lignes_case(static_cast<unsigned>(jour)), attendu) << ligne.toStdString();
    }
}

// Enter on a day of the calendar shows that day's 0:00:00 as the chosen instant: the copy is
// orbitel-rapport's for it. The calendar then follows the switches.
TEST_F(Affichage, EntreeSurUnJourDuCalendrierCalculeSonDebut) {
    touche(Qt::Key_M);
    Calendrier* c = f.calendrier();
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(c));
    EXPECT_EQ(c->jour_choisi(), (JourCalendrier{2027, 1, 12}));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(c->focusWidget(), Qt::Key_Right);
    QTest::keyClick(c->focusWidget(), Qt::Key_Return);

    EXPECT_FALSE(f.temps_reel());
    EXPECT_EQ(texte(ui(f).Date[0]) + "/" + texte(ui(f).Date[1]) + "/" + texte(ui(f).Date[2]), "15/01/2027");
    EXPECT_EQ(texte(ui(f).Heure[0]) + ":" + texte(ui(f).Heure[1]) + ":" + texte(ui(f).Heure[2]), "00:00:00");
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    EXPECT_EQ(copie(), sortie_rapport({"--date", "15/1/2027", "--heure", "0:0:0", "--latitude", "48:52N",
                                       "--longitude", "2:20E"},
                                      "fr_FR.UTF-8"));

    // The same calendar, now on the terrestrial time scale.
    action(f, "Precis")->trigger();
    ASSERT_EQ(f.calendrier(), c);
    const std::vector<JourLunaire> precis =
        mois_lunaire(2027, 1, FuseauFixe(0), *f.releve().lieu, EchelleTemps::terrestre);
    ASSERT_EQ(c->jours().size(), precis.size());
    EXPECT_EQ(c->jours()[14].lever, precis[14].lever);
}

// With "Calcul précis" every line of the window, and so its copy, is orbitel-rapport --precis for the
// typed instant; switched off, the window is back to the universal time lines.
TEST_F(Affichage, CalculPrecisCommeLeRapportPrecis) {
    instant("12", "4", "1992", "3", "4", "5");
    const QStringList arguments{"--date",     "12/4/1992", "--heure",     "3:4:5",
                                "--latitude", "48:52N",    "--longitude", "2:20E"};
    const QString universel = sortie_rapport(arguments, "fr_FR.UTF-8");
    const QString precis = sortie_rapport(QStringList(arguments) << "--precis", "fr_FR.UTF-8");
    ASSERT_NE(universel, precis);
    ASSERT_EQ(copie(), universel);

    action(f, "Precis")->trigger();
    EXPECT_TRUE(f.affichage().precis);
    EXPECT_EQ(copie(), precis);
    const QStringList lignes = precis.split('\n');
    EXPECT_EQ(ui(f).Label10[0]->text(), lignes[21]);
    EXPECT_TRUE(lignes[21].endsWith("(modèle précis).")) << lignes[21].toStdString();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ui(f).LabPhase[i]->text(), lignes[16 + i]);
    EXPECT_EQ(ui(f).Label18[0]->text(), lignes[14]);

    action(f, "Precis")->trigger();
    EXPECT_EQ(copie(), universel);
}

// The three switches are kept in [Affichage] of orbitel.ini beside the place; a file of an earlier
// version, [Coord] only, keeps its place and reads them off.
TEST_F(Affichage, InterrupteursEnregistresEtFichierAncien) {
    f.quitte();
    banc.fenetre.reset();
    {
        QFile ancien(banc.config.chemin_ini());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(ancien).path()));
        ASSERT_TRUE(ancien.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ancien.write("[Coord]\nLat0=33\nLat1=52\nLon0=151\nLon1=12\nNS=False\nEO=True\n");
    }
    banc.reglages = std::make_unique<MagasinIni>(banc.config.chemin_ini());
    banc.ouvre(',');
    PosLune* g = banc.fenetre.get();
    g->demarre();
    EXPECT_FLOAT_EQ(g->releve().lieu->Lat, -33.866665f);
    EXPECT_EQ(g->affichage(), ChoixAffichage{});
    EXPECT_EQ(texte(ui(*g).Label17[1]), "T.U.");
    const QImage droit = g->surface();

    for (const char* nom : {"HeureLocale", "Precis", "Oriente"}) {
        EXPECT_FALSE(action(*g, nom)->isChecked()) << nom;
        action(*g, nom)->trigger();
    }
    EXPECT_NE(g->surface(), droit); // turned as seen from Sydney
    banc.relance(',');
    g = banc.fenetre.get();
    g->demarre();
    EXPECT_EQ(g->affichage(), (ChoixAffichage{true, true, true}));
    for (const char* nom : {"HeureLocale", "Precis", "Oriente"})
        EXPECT_TRUE(action(*g, nom)->isChecked()) << nom;
    EXPECT_EQ(texte(ui(*g).Label17[1]), "Heure locale");
    EXPECT_FLOAT_EQ(g->releve().lieu->Lat, -33.866665f);
    EXPECT_TRUE(g->releve().position->instant.secondes > 0);

    const MagasinIni fichier(banc.config.chemin_ini());
    for (const auto& [section, cle, valeur] :
         std::vector<std::array<const char*, 3>>{{"Coord", "Lat0", "33"},
                                                 {"Coord", "Lon0", "151"},
                                                 {"Coord", "NS", "False"},
                                                 {"Affichage", "HeureLocale", "True"},
                                                 {"Affichage", "Precis", "True"},
                                                 {"Affichage", "Oriente", "True"}})
        EXPECT_EQ(fichier.lit(section, cle), std::string(valeur)) << section << '/' << cle;

    // Off again, the drawing is the upright one, pixel for pixel.
    action(*g, "Oriente")->trigger();
    action(*g, "Precis")->trigger();
    EXPECT_EQ(g->surface(), droit);
}

// Ctrl+M and Ctrl+G open the views from the main window, once each (a second press raises the
// open one), and Escape closes them.
TEST_F(Affichage, RaccourcisOuvrentLesVuesEtEchapLesFerme) {
    touche(Qt::Key_G);
    GrapheHauteur* g = f.graphe();
    ASSERT_NE(g, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(g));
    EXPECT_EQ(g->windowTitle(), "Hauteur de la Lune");
    const double jj = f.releve().position->instant.jour_julien();
    EXPECT_LE(g->nuit().intervalle.debut, jj);
    EXPECT_GT(g->nuit().intervalle.fin, jj);
    ASSERT_TRUE(g->maintenant().has_value());
    EXPECT_NEAR(*g->maintenant(), jj, 1.0 / 86400);

    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    touche(Qt::Key_M);
    Calendrier* c = f.calendrier();
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(c));
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    touche(Qt::Key_M);
    EXPECT_EQ(f.calendrier(), c);
    ASSERT_TRUE(QTest::qWaitForWindowActive(c));

    QTest::keyClick(c->focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(attend([&] { return f.calendrier() == nullptr; }));
    g->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(g));
    QTest::keyClick(&g->zone(), Qt::Key_Escape);
    EXPECT_TRUE(attend([&] { return f.graphe() == nullptr; }));
}
