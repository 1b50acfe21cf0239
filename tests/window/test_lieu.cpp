// The observer's place: read on every change, searched again once start-up is over, kept in the
// settings file between runs.
#include <QFile>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "outils.hpp"
#include "text/lignes_topocentriques.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

void ecrit_ini(const DossierConfiguration& config, const QByteArray& contenu) {
    QFile f(config.chemin_ini());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

struct Lieu : ::testing::Test {
    Banc banc;
    PosLune& f = *banc.fenetre;
    void SetUp() override { f.demarre(); }
    void place(const char* lat0, const char* lat1, const char* lon0, const char* lon1) {
        ui(f).TLat[0]->setText(QString::fromUtf8(lat0));
        ui(f).TLat[1]->setText(QString::fromUtf8(lat1));
        ui(f).TLon[0]->setText(QString::fromUtf8(lon0));
        ui(f).TLon[1]->setText(QString::fromUtf8(lon1));
    }
};

} // namespace

TEST_F(Lieu, UneFrappeRelanceLaRechercheUneFois) {
    QSignalSpy recherches(&f, &PosLune::rechercheLeverCoucher);
    QTest::keyClick(ui(f).TLat[1], Qt::Key_5);
    EXPECT_EQ(texte(ui(f).TLat[1]), "525");
    EXPECT_EQ(recherches.count(), 1);
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, static_cast<float>(48 + 525.0 / 60));
    QTest::keyClick(ui(f).TLat[1], Qt::Key_Backspace);
    EXPECT_EQ(recherches.count(), 2);
    QTest::mouseClick(ui(f).Option1[1], Qt::LeftButton);
    EXPECT_TRUE(ui(f).Option1[1]->isChecked());
    EXPECT_EQ(recherches.count(), 3);
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, -48.866665f);
    QTest::mouseClick(ui(f).Option2[1], Qt::LeftButton);
    EXPECT_EQ(recherches.count(), 4);
    EXPECT_FLOAT_EQ(f.releve().lieu->Lon, 2.3333333f);
}

TEST_F(Lieu, LaRechercheDuModeChoisiPrendLInstantTape) {
    f.bascule_mode();
    ui(f).Date[0]->setText("1");
    ui(f).Date[1]->setText("3");
    ui(f).Date[2]->setText("2024");
    QTest::keyClick(ui(f).TLon[1], Qt::Key_1);
    EXPECT_EQ(f.releve().lever_coucher->saisi.an, 2024);
    EXPECT_EQ(f.releve().lever_coucher->saisi.mois, 3);
    EXPECT_EQ(f.releve().lever_coucher->saisi.jour, 1);
}

TEST_F(Lieu, LectureDesChampsEtDesHemispheres) {
    struct Cas {
        const char *lat0, *lat1, *lon0, *lon1;
        bool nord, est;
        float lat, lon;
    };
    for (const Cas& c : {Cas{"33", "52", "2", "20", false, true, -33.866665f, -2.3333333f},
                         Cas{"48", "52", "70", "15", true, false, 48.866665f, 70.25f},
                         Cas{"10", "75", "0", "0", true, true, 11.25f, -0.0f},
                         Cas{"-10", "30", "0", "0", true, true, -9.5f, -0.0f},
                         Cas{"90", "", "abc", "", true, true, 90.0f, -0.0f},
                         Cas{" 4 8 ", "52,5", "2.5", "1e1", true, true, static_cast<float>(48 + 52.5 / 60),
                             static_cast<float>(-(2.5 + 10.0 / 60))}}) {
        ui(f).Option1[c.nord ? 0 : 1]->click();
        ui(f).Option2[c.est ? 0 : 1]->click();
        place(c.lat0, c.lat1, c.lon0, c.lon1);
        EXPECT_FLOAT_EQ(f.releve().lieu->Lat, c.lat) << c.lat0 << " " << c.lat1;
        EXPECT_FLOAT_EQ(f.releve().lieu->Lon, c.lon) << c.lon0 << " " << c.lon1;
    }
}

TEST_F(Lieu, LieuImpossibleATenirGardeLeLieuPrecedent) {
    f.tick();
    const std::string lever = texte(ui(f).Label18[0]), coucher = texte(ui(f).Label18[1]),
                      hauteur = texte(ui(f).Label12);
    place("1E999", "52", "2", "20");
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, 48.866665f);
    EXPECT_EQ(texte(ui(f).Label18[0]), lever);
    EXPECT_EQ(texte(ui(f).Label18[1]), coucher);
    f.tick();
    EXPECT_EQ(texte(ui(f).Label12), hauteur);
    EXPECT_NE(texte(ui(f).Label14), lignes_topocentriques_absentes().distance);
    // Only the field that cannot be held keeps its value: the minutes still apply.
    place("1E999", "0", "2", "20");
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, 48.0f);
    place("48", "52", "2", "20");
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, 48.866665f);
}

TEST_F(Lieu, QuitterPuisRelancerRestaureLeLieu) {
    place("33", "", "70", "15");
    ui(f).Option1[1]->click();
    ui(f).Option2[1]->click();
    banc.relance();
    const MagasinIni relu(banc.config.chemin_ini());
    EXPECT_EQ(relu.lit("Coord", "Lat1"), "");
    EXPECT_EQ(relu.lit("Coord", "NS"), "False");
    EXPECT_EQ(relu.lit("Coord", "EO"), "False");
    PosLune& g = *banc.fenetre;
    QSignalSpy recherches(&g, &PosLune::rechercheLeverCoucher);
    g.demarre();
    EXPECT_EQ(recherches.count(), 1);
    EXPECT_EQ(texte(ui(g).TLat[0]), "33");
    EXPECT_EQ(texte(ui(g).TLat[1]), ""); // the emptied minutes stay empty and read 0
    EXPECT_EQ(texte(ui(g).TLon[0]), "70");
    EXPECT_EQ(texte(ui(g).TLon[1]), "15");
    EXPECT_TRUE(ui(g).Option1[1]->isChecked());
    EXPECT_TRUE(ui(g).Option2[1]->isChecked());
    EXPECT_FLOAT_EQ(g.releve().lieu->Lat, -33.0f);
    EXPECT_FLOAT_EQ(g.releve().lieu->Lon, 70.25f);
}

TEST_F(Lieu, TextesAvecVirgulesRestauresTelsQuels) {
    place("48,5", "1,2,3", " 2 ", "\"20\"");
    banc.relance();
    banc.fenetre->demarre();
    EXPECT_EQ(texte(ui(*banc.fenetre).TLat[0]), "48,5");
    EXPECT_EQ(texte(ui(*banc.fenetre).TLat[1]), "1,2,3");
    EXPECT_EQ(texte(ui(*banc.fenetre).TLon[0]), " 2 ");
    EXPECT_EQ(texte(ui(*banc.fenetre).TLon[1]), "\"20\"");
}

TEST(LieuMagasinAbime, DemarreSansPlantage) {
    struct Cas {
        QByteArray ini;
        const char *lat0, *lat1;
        bool nord, est;
    };
    const QByteArray enorme(200000, '9');
    static const char abime[] = "\x01\x02[Coord\n==\nLat0\n\xff\xfe";
    for (const Cas& c : {Cas{"[Coord]\nLat0=abc\nLat1=30\nNS=abc\nEO=0\n", "abc", "30", true, false},
                         Cas{"[Coord]\nNS=False\nEO=1\n", "48", "52", false, true},
                         Cas{"[Coord]\nNS=2.5\nEO=TRUE\n", "48", "52", true, true},
                         Cas{"[Coord]\nNS=\nEO=yes\n", "48", "52", true, true},
                         Cas{"[Coord]\nLat0=" + enorme + "\nLat1=" + enorme + "\n", enorme.constData(),
                             enorme.constData(), true, true},
                         Cas{QByteArray::fromRawData(abime, sizeof abime - 1), "48", "52", true, true}}) {
        Banc banc;
        ecrit_ini(banc.config, c.ini);
        banc.reglages = std::make_unique<MagasinIni>(banc.config.chemin_ini());
        banc.ouvre();
        PosLune& f = *banc.fenetre;
        f.demarre();
        EXPECT_EQ(texte(ui(f).TLat[0]), c.lat0);
        EXPECT_EQ(texte(ui(f).TLat[1]), c.lat1);
        EXPECT_EQ(ui(f).Option1[0]->isChecked(), c.nord);
        EXPECT_EQ(ui(f).Option2[0]->isChecked(), c.est);
        EXPECT_EQ(f.demarrage_termine(), true);
        f.tick();
    }
}

TEST(LieuMagasinAbime, TexteNonNumeriqueLuCommeZero) {
    Banc banc;
    ecrit_ini(banc.config, "[Coord]\nLat0=abc\nLat1=30\nLon0=\nLon1=x15\n");
    banc.reglages = std::make_unique<MagasinIni>(banc.config.chemin_ini());
    banc.ouvre();
    banc.fenetre->demarre();
    EXPECT_FLOAT_EQ(banc.fenetre->releve().lieu->Lat, 0.5f);
    EXPECT_FLOAT_EQ(banc.fenetre->releve().lieu->Lon, -0.0f);
}

TEST_F(Lieu, LaRechercheSuitLeNouveauLieu) {
    const std::string lever_paris = texte(ui(f).Label18[0]);
    place("40", "43", "74", "0");
    ui(f).Option2[1]->click(); // New York
    EXPECT_NE(texte(ui(f).Label18[0]), lever_paris);
    EXPECT_EQ(texte(ui(f).Label18[0]).rfind("Lever: 07/12/2026 à ", 0), 0u) << texte(ui(f).Label18[0]);
    place("48", "52", "2", "20");
    ui(f).Option2[0]->click();
    EXPECT_EQ(texte(ui(f).Label18[0]), lever_paris);
}
