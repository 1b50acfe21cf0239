// The phase panel: the worked lines, stepping by exactly one lunation with both pictures, click and
// double click, the Delta T notice following the panel's year, and the panel of the date the instant
// line writes after a compute, as orbitel-rapport writes it.
#include <QMouseEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

#include "events/delta_t.hpp"
#include "outils.hpp"
#include "text/lignes_phases.hpp"
#include "window/controles.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

const std::array<std::string, 5> lignes_1_mars_2024{
    "Nouvelle Lune le: 9/2/2024 à 22:58:45 T.U", "Premier quartier le: 16/2/2024 à 15:00:35 T.U",
    "Pleine Lune le: 24/2/2024 à 12:30:04 T.U", "Dernier quartier le: 3/3/2024 à 15:23:18 T.U",
    "Lune suivante le: 10/3/2024 à 09:00:02 T.U"};

// Seconds from 1970 of a phase line's instant: "... le: 9/2/2024 à 22:58:45 T.U".
std::int64_t secondes_de(const std::string& ligne) {
    long long j = 0, m = 0, a = 0;
    int h = 0, mi = 0, se = 0;
    const auto debut = ligne.find("le: ");
    const auto heure = ligne.rfind(" T.U");
    const bool lu = debut != std::string::npos && heure != std::string::npos && heure >= 8 &&
                    std::sscanf(ligne.c_str() + debut + 4, "%lld/%lld/%lld", &j, &m, &a) == 3 &&
                    std::sscanf(ligne.c_str() + heure - 8, "%2d:%2d:%2d", &h, &mi, &se) == 3;
    EXPECT_TRUE(lu) << ligne;
    return jours_civils(a, static_cast<unsigned>(m), static_cast<unsigned>(j)) * 86400 + h * 3600 + mi * 60 +
           se;
}

std::array<std::string, 5> lignes(const PosLune& f) {
    std::array<std::string, 5> l;
    for (int i = 0; i < 5; ++i)
        l[i] = texte(ui(f).LabPhase[i]);
    return l;
}

struct Panneau : ::testing::Test {
    Banc banc{tu_de(2024, 3, 1, 0, 0, 0)};
    PosLune& f = *banc.fenetre;
    void SetUp() override { f.demarre(); }
};

} // namespace

TEST_F(Panneau, LignesDu1erMars2024AuDemarrage) {
    EXPECT_EQ(lignes(f), lignes_1_mars_2024);
    EXPECT_EQ(texte(ui(f).Label10[0]),
              "Les heures sont en temps universel, la différence avec le temps terrestre "
              "dynamique (TDT ou TT) est, en 2024, de 90.36 secondes.");
    EXPECT_FLOAT_EQ(f.delta_t(), calcule_delta_t(2024).jours);
}

TEST_F(Panneau, CalculDu1erMars2024) {
    Banc autre; // another day on the clock: the panel comes from the typed date
    PosLune& g = *autre.fenetre;
    g.demarre();
    g.bascule_mode();
    ui(g).Date[0]->setText("1");
    ui(g).Date[1]->setText("3");
    ui(g).Date[2]->setText("2024");
    ui(g).Heure[0]->setText("0");
    ui(g).Heure[1]->setText("0");
    ui(g).Heure[2]->setText("0");
    g.calcul();
    EXPECT_EQ(lignes(g), lignes_1_mars_2024);
}

TEST_F(Panneau, UnPasDeChaqueCote) {
    QTest::mouseClick(ui(f).Image3, Qt::LeftButton);
    EXPECT_EQ(f.reference_phases(), DateHeure::depuis_calendrier(2024, 3, 31));
    EXPECT_EQ(texte(ui(f).LabPhase[0]), "Nouvelle Lune le: 10/3/2024 à 09:00:02 T.U");
    QTest::mouseClick(ui(f).Image2, Qt::LeftButton);
    EXPECT_EQ(lignes(f), lignes_1_mars_2024);
    QTest::mouseClick(ui(f).Image2, Qt::LeftButton);
    EXPECT_EQ(f.reference_phases(), DateHeure::depuis_calendrier(2024, 1, 31));
    EXPECT_EQ(texte(ui(f).LabPhase[4]), "Lune suivante le: 9/2/2024 à 22:58:45 T.U");
}

TEST_F(Panneau, CentPasEnAvantCentLunaisonsConsecutives) {
    // Each step lists the lunation that follows: its new moon is the last one's "Lune suivante"
    // (to a second or two, as Delta T changes with the year).
    for (int pas = 0; pas < 100; ++pas) {
        const auto avant = lignes(f);
        f.cycle_suivant();
        const auto apres = lignes(f);
        EXPECT_LE(std::abs(secondes_de(apres[0]) - secondes_de(avant[4])), 2)
            << "pas " << pas << ": " << apres[0];
    }
    for (int pas = 0; pas < 100; ++pas) {
        const auto avant = lignes(f);
        f.cycle_precedent();
        const auto apres = lignes(f);
        EXPECT_LE(std::abs(secondes_de(apres[4]) - secondes_de(avant[0])), 2)
            << "pas " << pas << ": " << apres[4];
    }
    EXPECT_EQ(lignes(f), lignes_1_mars_2024);
}

TEST_F(Panneau, LAnneeDeLaNoticeSuitLePanneau) {
    f.bascule_mode();
    ui(f).Date[0]->setText("1");
    ui(f).Date[1]->setText("12");
    ui(f).Date[2]->setText("2024");
    f.calcul();
    EXPECT_NE(texte(ui(f).Label10[0]).find("en 2024, de 90.36 secondes."), std::string::npos);
    int pas = 0;
    while (f.reference_phases()->annee() == 2024 && pas < 3) {
        f.cycle_suivant();
        ++pas;
    }
    ASSERT_EQ(f.reference_phases()->annee(), 2025);
    EXPECT_NE(texte(ui(f).Label10[0]).find(", en 2025, de "), std::string::npos) << texte(ui(f).Label10[0]);
    EXPECT_FLOAT_EQ(f.delta_t(), calcule_delta_t(2025).jours);
    f.cycle_precedent();
    EXPECT_NE(texte(ui(f).Label10[0]).find(", en 2024, de "), std::string::npos);
}

TEST_F(Panneau, LeRetourAuTempsReelGardeLaNoticeDuPanneau) {
    Banc banc2026; // the clock in 2026
    PosLune& g = *banc2026.fenetre;
    g.demarre();
    g.bascule_mode();
    ui(g).Date[0]->setText("1");
    ui(g).Date[1]->setText("3");
    ui(g).Date[2]->setText("2024");
    g.calcul();
    g.bascule_mode();
    EXPECT_FLOAT_EQ(g.delta_t(), calcule_delta_t(2026).jours);
    EXPECT_NE(texte(ui(g).Label10[0]).find(", en 2024, de "), std::string::npos);
    EXPECT_EQ(lignes(g), lignes_1_mars_2024);
}

TEST_F(Panneau, DoubleClicDeuxPas) {
    Banc temoin{tu_de(2024, 3, 1, 0, 0, 0)};
    temoin.fenetre->demarre();
    temoin.fenetre->cycle_suivant();
    temoin.fenetre->cycle_suivant();
    // Through the window system, as a mouse would: Qt turns the second press into a double click.
    const auto double_clic = [&](QWidget* image) {
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, image->mapTo(&f, image->rect().center()));
    };
    double_clic(ui(f).Image3);
    EXPECT_EQ(f.reference_phases(), temoin.fenetre->reference_phases());
    double_clic(ui(f).Image2);
    EXPECT_EQ(lignes(f), lignes_1_mars_2024);
}

namespace {

// orbitel-rapport's six panel lines (the 17th to the 22nd) for a date typed as the window reads it.
std::vector<std::string> panneau_du_rapport(const char* jour, const char* mois, const char* an) {
    QProcess rapport;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C"); // a point, as the window's here
    rapport.setProcessEnvironment(env);
    rapport.start(ORBITEL_RAPPORT_EXE,
                  {"--saisie", "fenetre", "--date", QString("%1/%2/%3").arg(jour, mois, an), "--heure",
                   "0:0:0", "--latitude", "48:52N", "--longitude", "2:20E"});
    EXPECT_TRUE(rapport.waitForFinished(60000));
    EXPECT_EQ(rapport.exitCode(), 0) << rapport.readAllStandardError().toStdString();
    const QStringList l = QString::fromUtf8(rapport.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    std::vector<std::string> six;
    for (qsizetype i = 16; i < l.size(); ++i)
        six.push_back(l[i].toStdString());
    return six;
}

} // namespace

TEST(PanneauApresCalcul, CeluiDeLaDateQueLitLaLigneInstantCommeLeRapport) {
    // Computed after 1 March 1900, each panel and its notice are those of the date the instant line
    // writes, or "---" when it writes none; never the panel of 1900, and the same six lines as
    // orbitel-rapport's for the same fields.
    struct Cas {
        const char *jour, *mois, *an;
        std::optional<DateHeure> ecrite;
    };
    const auto date = [](std::int64_t a, unsigned m, unsigned j) {
        return DateHeure::depuis_calendrier(a, m, j);
    };
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    for (const Cas c : {Cas{"31", "2", "2025", date(2025, 3, 3)}, Cas{"", "2", "2025", date(2025, 1, 31)},
                        Cas{"29", "2", "1900", date(1900, 3, 1)}, Cas{"10", "10", "1582", date(1582, 10, 20)},
                        Cas{"1", "1", "99999", std::nullopt}, Cas{"1", "1", "1E300", std::nullopt}}) {
        const std::string quoi = std::string(c.jour) + "/" + c.mois + "/" + c.an;
        ui(f).Date[0]->setText("1");
        ui(f).Date[1]->setText("3");
        ui(f).Date[2]->setText("1900");
        f.calcul();
        ASSERT_NE(texte(ui(f).Label10[0]).find(", en 1900, de 57.00 secondes."), std::string::npos);
        ui(f).Date[0]->setText(c.jour);
        ui(f).Date[1]->setText(c.mois);
        ui(f).Date[2]->setText(c.an);
        f.calcul();
        const LignesPhases attendu = c.ecrite ? lignes_phases(*c.ecrite, '.') : lignes_phases_absentes();
        EXPECT_EQ(f.reference_phases(), c.ecrite) << quoi;
        EXPECT_EQ(lignes(f), attendu.phases) << quoi;
        EXPECT_EQ(texte(ui(f).Label10[0]), attendu.notice) << quoi;
        std::vector<std::string> six(attendu.phases.begin(), attendu.phases.end());
        six.push_back(attendu.notice);
        EXPECT_EQ(panneau_du_rapport(c.jour, c.mois, c.an), six) << quoi;
        if (!c.ecrite) {
            // No date to step from: the arrows leave the "---".
            f.cycle_suivant();
            EXPECT_EQ(lignes(f), attendu.phases) << quoi;
        }
    }
}

namespace {

void envoie(QWidget* w, QEvent::Type type) {
    const QPointF p(5, 5);
    QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

TEST(ImageCliquable, UnClicParClicEtDeuxPourUnDoubleClic) {
    application();
    ImageCliquable image;
    image.resize(21, 19);
    QSignalSpy clics(&image, &ImageCliquable::clic);
    envoie(&image, QEvent::MouseButtonPress);
    envoie(&image, QEvent::MouseButtonRelease);
    EXPECT_EQ(clics.count(), 1);
    // The platform's double click: press, release, then press and double click, release.
    envoie(&image, QEvent::MouseButtonPress);
    envoie(&image, QEvent::MouseButtonRelease);
    envoie(&image, QEvent::MouseButtonPress);
    envoie(&image, QEvent::MouseButtonDblClick);
    envoie(&image, QEvent::MouseButtonRelease);
    EXPECT_EQ(clics.count(), 3);
    // Some deliver the double click in place of the second press.
    envoie(&image, QEvent::MouseButtonPress);
    envoie(&image, QEvent::MouseButtonRelease);
    envoie(&image, QEvent::MouseButtonDblClick);
    envoie(&image, QEvent::MouseButtonRelease);
    EXPECT_EQ(clics.count(), 5);
    // A release that does not follow a press over the picture is no click.
    envoie(&image, QEvent::MouseButtonRelease);
    EXPECT_EQ(clics.count(), 5);
}
