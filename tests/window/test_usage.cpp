// The window as a user at the keyboard meets it: the tab chain, the keys, the copy of the results,
// the local times, the place fields that cannot be held, the About box and the printed page.
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <optional>

#include "outils.hpp"
#include "rapport.hpp"
#include "window/apropos.hpp"
#include "window/cadre_focus.hpp"
#include "window/clavier.hpp"
#include "window/controles.hpp"
#include "window/heures_locales.hpp"
#include "window/impression_pos_lune.hpp"
#include "window/navigateur_systeme.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

// orbitel-rapport's output for 12 April 1992 at 0 h UT and a place ("48:52N", "2:20E"), with the
// window's decimal comma: what the window's copy reads for the same instant and place.
QString rapport(const char* latitude, const char* longitude) {
    QProcess rapport;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "fr_FR.UTF-8");
    rapport.setProcessEnvironment(env);
    rapport.start(ORBITEL_RAPPORT_EXE, {"--date", "12/4/1992", "--heure", "0:0:0", "--latitude", latitude,
                                        "--longitude", longitude});
    EXPECT_TRUE(rapport.waitForFinished(60000));
    EXPECT_EQ(rapport.exitCode(), 0) << rapport.readAllStandardError().toStdString();
    return QString::fromUtf8(rapport.readAllStandardOutput());
}

// Processes events until `condition` holds, for 10 s at most; whether it holds.
bool attend(const std::function<bool()>& condition) {
    QDeadlineTimer limite(10000);
    while (!condition() && !limite.hasExpired())
        QTest::qWait(20);
    return condition();
}

struct Usage : ::testing::Test {
    Banc banc{tu_de(2026, 12, 7, 5, 41, 7), 60, ','};
    PosLune& f = *banc.fenetre;
    void SetUp() override {
        f.demarre();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    void tab(Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focus(), Qt::Key_Tab, m); }
    void instant(const char* j, const char* m, const char* a, const char* h, const char* mi, const char* s) {
        calcule_instant(f, {j, m, a, h, mi, s});
    }
};

} // namespace

TEST_F(Usage, ChaineDeTabulationDepuisLeFocusParqueDansLesDeuxModes) {
    ASSERT_EQ(focus(), ui(f).dummy);
    const std::vector<QWidget*> temps_reel{ui(f).TLat[0],  ui(f).TLat[1],    ui(f).Option1[0], ui(f).TLon[0],
                                           ui(f).TLon[1],  ui(f).Option2[0], ui(f).Image2,     ui(f).Image3,
                                           ui(f).Command2, ui(f).Command4,   ui(f).Command1,   affichage(f),
                                           ui(f).TLat[0]};
    for (QWidget* w : temps_reel) {
        tab();
        ASSERT_EQ(focus(), w) << w->objectName().toStdString() << " expected, got "
                              << focus()->objectName().toStdString();
    }

    // The arrow keys switch the hemisphere, which stays one stop both ways.
    QSignalSpy recherches(&f, &PosLune::rechercheLeverCoucher);
    tab();
    tab();
    ASSERT_EQ(focus(), ui(f).Option1[0]);
    QTest::keyClick(focus(), Qt::Key_Right);
    EXPECT_TRUE(ui(f).Option1[1]->isChecked());
    EXPECT_EQ(focus(), ui(f).Option1[1]);
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, -48.866665f);
    EXPECT_EQ(recherches.count(), 1);
    tab();
    EXPECT_EQ(focus(), ui(f).TLon[0]);
    tab(Qt::ShiftModifier);
    EXPECT_EQ(focus(), ui(f).Option1[1]);

    ui(f).Command1->click();
    ASSERT_EQ(focus(), ui(f).dummy);
    const std::vector<QWidget*> choisi{
        ui(f).Date[0],  ui(f).Date[1],    ui(f).Date[2], ui(f).Heure[0], ui(f).Heure[1],   ui(f).Heure[2],
        ui(f).Command3, ui(f).Command5,   ui(f).TLat[0], ui(f).TLat[1],  ui(f).Option1[1], ui(f).TLon[0],
        ui(f).TLon[1],  ui(f).Option2[0], ui(f).Image2,  ui(f).Image3,   ui(f).Command2,   ui(f).Command4,
        ui(f).Command1, affichage(f),     ui(f).Date[0]};
    for (QWidget* w : choisi) {
        tab();
        ASSERT_EQ(focus(), w) << w->objectName().toStdString() << " expected, got "
                              << focus()->objectName().toStdString();
    }
    // The frame that marks the focus is drawn around the day field, and never around the parked one.
    const auto* cadre = f.findChild<CadreFocus*>();
    ASSERT_NE(cadre, nullptr);
    EXPECT_EQ(cadre->cible(), ui(f).Date[0]);
    EXPECT_TRUE(cadre->visible_autour());
    EXPECT_TRUE(cadre->geometry().contains(ui(f).Date[0]->geometry().translated(ui(f).Frame1->pos())));
    ui(f).dummy->setFocus();
    EXPECT_FALSE(cadre->visible_autour());
}

TEST_F(Usage, EntreeDansChaqueChampDInstantCalcule) {
    f.bascule_mode();
    QSignalSpy recherches(&f, &PosLune::rechercheLeverCoucher);
    const std::array<QLineEdit*, 6> champs{ui(f).Date[0],  ui(f).Date[1],  ui(f).Date[2],
                                           ui(f).Heure[0], ui(f).Heure[1], ui(f).Heure[2]};
    const std::array<const char*, 6> valeurs{"12", "4", "1992", "3", "4", "5"};
    for (int i = 0; i < 6; ++i) {
        champs[i]->setFocus();
        QTest::keyClicks(champs[i], "");
        champs[i]->setText(valeurs[i]);
        QTest::keyClick(champs[i], i == 5 ? Qt::Key_Enter : Qt::Key_Return,
                        i == 5 ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(recherches.count(), i + 1) << i;
        EXPECT_EQ(focus(), ui(f).dummy);
    }
    EXPECT_EQ(texte(ui(f).Label9), "Instant G.M.T. = 12/04/1992 à 03:04:05");
}

// A printer whose dialog is always cancelled: counts how often printing was asked for.
class ImprimanteRefusee final : public Imprimante {
public:
    bool choisit(QWidget*) override {
        ++demandes;
        return false;
    }
    bool imprime(QWidget&) override { return false; }
    int demandes = 0;
};

TEST_F(Usage, RaccourcisImprimerQuitterEtCycles) {
    ImprimanteRefusee refusee;
    banc.imprimante.remplacante = &refusee;
    const int& impressions = refusee.demandes;
    QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(impressions, 0); // no printing in real time, as there is no print button
    f.bascule_mode();
    QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(impressions, 1);
    EXPECT_EQ(ui(f).Command5->toolTip(), "Imprimer");

    // Page Up / Page Down and the arrows from the keyboard: exactly one lunation each.
    const double depart = f.reference_phases()->jours();
    const std::string premiere = texte(ui(f).LabPhase[0]);
    QTest::keyClick(focus(), Qt::Key_PageDown);
    EXPECT_DOUBLE_EQ(f.reference_phases()->jours(), depart + 30);
    EXPECT_NE(texte(ui(f).LabPhase[0]), premiere);
    QTest::keyClick(focus(), Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(f.reference_phases()->jours(), depart);
    EXPECT_EQ(texte(ui(f).LabPhase[0]), premiere);
    ui(f).Image3->setFocus();
    QTest::keyClick(ui(f).Image3, Qt::Key_Space);
    EXPECT_DOUBLE_EQ(f.reference_phases()->jours(), depart + 30);
    ui(f).Image2->setFocus();
    QTest::keyClick(ui(f).Image2, Qt::Key_Space);
    QTest::keyClick(ui(f).Image2, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(f.reference_phases()->jours(), depart - 30);

    QTest::keyClick(&f, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(banc.fins, 1);
    EXPECT_TRUE(MagasinIni(banc.config.chemin_ini()).lit("Coord", "Lat0").has_value());
}

TEST_F(Usage, LaCopieEstLeRapportDuMemeInstantEtDuMemeLieu) {
    ui(f).TLat[0]->setText("33");
    ui(f).TLat[1]->setText("52");
    ui(f).Option1[1]->click();
    ui(f).TLon[0]->setText("151");
    ui(f).TLon[1]->setText("12");
    instant("12", "4", "1992", "0", "0", "0");

    // A comma, as the window's.
    const QString attendu = sortie_rapport(
        {"--date", "12/4/1992", "--heure", "0:0:0", "--latitude", "33:52S", "--longitude", "151:12E"},
        "fr_FR.UTF-8");
    ASSERT_EQ(attendu.count('\n'), 22);
    ASSERT_TRUE(attendu.contains("Instant G.M.T. = 12/04/1992 à 00:00:00\n"));
    ASSERT_TRUE(attendu.contains(',')); // the decimal mark did reach both

    QClipboard* presse_papiers = QGuiApplication::clipboard();
    presse_papiers->clear();
    ASSERT_EQ(focus(), ui(f).dummy); // the parked focus never holds a copy of its own
    QTest::keyClick(focus(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(presse_papiers->text(), attendu);

    // A field with a selection copies its selection; without one, the results.
    ui(f).TLon[0]->setFocus();
    ui(f).TLon[0]->selectAll();
    QTest::keyClick(ui(f).TLon[0], Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(presse_papiers->text(), "151");
    ui(f).TLon[0]->deselect();
    QTest::keyClick(ui(f).TLon[0], Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(presse_papiers->text(), attendu);

    // The results panel's menu.
    presse_papiers->clear();
    ASSERT_EQ(ui(f).Frame2->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(ui(f).Frame2->actions().size(), 1);
    EXPECT_EQ(ui(f).Frame2->actions()[0]->text(), "Copier le relevé");
    ui(f).Frame2->actions()[0]->trigger();
    EXPECT_EQ(presse_papiers->text(), attendu);
}

// In local time the window shows what orbitel-rapport --fuseau local prints, in its labels and its
// copy: a winter evening, and a summer night whose UT date is the day before.
TEST_F(Usage, EnHeureLocaleLesLignesDuRapportEnFuseauLocal) {
    const Variable tz("TZ", "Europe/Paris");
    ui(f).TLat[0]->setText("48");
    ui(f).TLat[1]->setText("52");
    ui(f).TLon[0]->setText("2");
    ui(f).TLon[1]->setText("20");
    f.essai_heure_locale(true);
    EXPECT_EQ(texte(ui(f).Label17[1]), "Heure locale");
    struct Cas {
        const char *jour, *mois, *an, *heure, *minute, *date, *utc;
    };
    for (const Cas& c : {Cas{"15", "1", "2027", "21", "30", "15/1/2027", "15/01/2027 à 20:30:00"},
                         Cas{"15", "7", "2027", "1", "30", "15/7/2027", "14/07/2027 à 23:30:00"}}) {
        SCOPED_TRACE(c.date);
        instant(c.jour, c.mois, c.an, c.heure, c.minute, "0");
        const QString attendu =
            sortie_rapport({"--date", c.date, "--heure", QString(c.heure) + ":" + c.minute, "--latitude",
                            "48:52N", "--longitude", "2:20E", "--fuseau", "local"},
                           "fr_FR.UTF-8");
        const QStringList lignes = attendu.split('\n');
        ASSERT_EQ(lignes.size(), 23);
        ASSERT_TRUE(lignes[11].startsWith("Instant (heure locale) = ")) << lignes[11].toStdString();
        EXPECT_EQ(f.texte_releve(), attendu);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(focus(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), attendu);
        EXPECT_EQ(ui(f).Label9->text(), lignes[11]);
        EXPECT_EQ(ui(f).Label18[0]->text(), lignes[14]);
        EXPECT_EQ(ui(f).Label18[1]->text(), lignes[15]);
        for (std::size_t k = 0; k < 5; ++k)
            EXPECT_EQ(ui(f).LabPhase[k]->text(), lignes[16 + static_cast<int>(k)]);
        EXPECT_EQ(ui(f).Label10[0]->text(), lignes[21]);
        // The tool tip gives what the line no longer shows: the UT instant.
        EXPECT_EQ(bulle(ui(f).Label9), QString("Temps universel : ") + c.utc);
    }
    f.essai_heure_locale(false);
    EXPECT_EQ(texte(ui(f).Label17[1]), "T.U.");
    EXPECT_TRUE(texte(ui(f).Label9).starts_with("Instant G.M.T. = 14/07/2027 à 23:30:00"));
}

// Switching converts the typed fields so that they keep their instant: a time the clocks skip
// stands for the instant past the gap, one they show twice for its first occurrence.
TEST_F(Usage, LaBasculeConvertitLesChampsSaisis) {
    const Variable tz("TZ", "Europe/Paris");
    const auto champs = [this] {
        std::string t;
        const auto u = ui(f);
        for (const auto& l : {u.Date, u.Heure})
            for (QLineEdit* e : l)
                t += e->text().toStdString() + " ";
        return t;
    };
    struct Cas {
        bool local;
        std::array<const char*, 6> saisi;
        const char* converti;
    };
    for (const Cas& c : {Cas{false, {"15", "1", "2027", "23", "30", "0"}, "16 01 2027 00 30 00 "},
                         Cas{true, {"16", "1", "2027", "0", "30", "0"}, "15 01 2027 23 30 00 "},
                         Cas{true, {"28", "3", "2027", "2", "30", "0"}, "28 03 2027 01 30 00 "},
                         Cas{true, {"31", "10", "2027", "2", "30", "0"}, "31 10 2027 00 30 00 "},
                         Cas{false, {"28", "3", "2027", "1", "30", "0"}, "28 03 2027 03 30 00 "}}) {
        f.essai_heure_locale(c.local);
        instant(c.saisi[0], c.saisi[1], c.saisi[2], c.saisi[3], c.saisi[4], c.saisi[5]);
        f.essai_heure_locale(!c.local);
        EXPECT_EQ(champs(), c.converti) << c.saisi[0] << "/" << c.saisi[1] << " " << c.saisi[3];
    }
}

TEST_F(Usage, HeuresLocalesDUneDateDHiverDEteEtDUnFuseauALaDemiHeure) {
    const Variable tz("TZ", "Europe/Paris");
    // The 1 March 2024 panel: winter time for every phase of it.
    instant("1", "3", "2024", "12", "0", "0");
    EXPECT_EQ(bulle(ui(f).Label9), "Heure locale : 01/03/2024 à 13:00:00 (UTC+1)");
    EXPECT_EQ(texte(ui(f).LabPhase[0]), "Nouvelle Lune le: 9/2/2024 à 22:58:45 T.U");
    EXPECT_EQ(bulle(ui(f).LabPhase[0]), "Heure locale : 9/2/2024 à 23:58:45 (UTC+1)");
    EXPECT_EQ(bulle(ui(f).LabPhase[4]), "Heure locale : 10/3/2024 à 10:00:02 (UTC+1)");
    // One lunation on, the last quarter falls after the change to summer time (31 March): each line
    // takes the offset of its own date.
    QTest::keyClick(focus(), Qt::Key_PageDown);
    const QRegularExpression date(R"((\d+/\d+/\d+) à (\d\d):(\d\d):(\d\d))");
    for (QLabel* l : ui(f).LabPhase) {
        const auto m = date.match(l->text());
        ASSERT_TRUE(m.hasMatch()) << texte(l);
        const QDateTime tu = QDateTime::fromString(m.captured(1) + " " + m.captured(2) + ":" + m.captured(3) +
                                                       ":" + m.captured(4),
                                                   "d/M/yyyy HH:mm:ss");
        const bool ete = QDate(2024, 3, 31) < tu.date();
        EXPECT_TRUE(bulle(l).endsWith(ete ? "(UTC+2)" : "(UTC+1)")) << texte(l);
    }
    // A summer instant, a minute line, and the tool tip as the user gets it.
    instant("15", "7", "2024", "12", "0", "0");
    EXPECT_EQ(bulle(ui(f).Label9), "Heure locale : 15/07/2024 à 14:00:00 (UTC+2)");
    const auto lever = QRegularExpression(R"(à (\d\d):(\d\d) )").match(ui(f).Label18[0]->text());
    ASSERT_TRUE(lever.hasMatch()) << texte(ui(f).Label18[0]);
    const QTime local = QTime(lever.captured(1).toInt(), lever.captured(2).toInt()).addSecs(7200);
    EXPECT_TRUE(bulle(ui(f).Label18[0]).endsWith(local.toString("HH:mm") + " (UTC+2)"))
        << texte(ui(f).Label18[0]);
    QHelpEvent survol(QEvent::ToolTip, QPoint(2, 2), ui(f).Label9->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(ui(f).Label9, &survol);
    EXPECT_EQ(QToolTip::text(), "Heure locale : 15/07/2024 à 14:00:00 (UTC+2)");
    QToolTip::hideText();

    const Variable inde("TZ", "Asia/Kolkata");
    instant("12", "4", "1992", "0", "0", "0");
    EXPECT_EQ(bulle(ui(f).Label9), "Heure locale : 12/04/1992 à 05:30:00 (UTC+5:30)");
}

TEST_F(Usage, ChampIntenableGardeSaValeurDAvantLaSaisieEtLesAutresChampsAppliquent) {
    struct Cas {
        int champ;          // TLat 0, TLat 1, TLon 0, TLon 1
        const char* frappe; // typed over the field's text, one key at a time
        const char* raison;
        int autre; // then another field, typed over
        const char* autre_frappe;
        bool reste_rouge; // whether the first field is still left out after it
        const char* lieu; // the place then held, and the same place for orbitel-rapport
        const char *latitude, *longitude;
    };
    const std::array<QLineEdit*, 4> champs{ui(f).TLat[0], ui(f).TLat[1], ui(f).TLon[0], ui(f).TLon[1]};
    const auto tape = [&](QLineEdit* champ, const char* frappe) {
        champ->setFocus();
        ASSERT_EQ(focus(), champ);
        champ->selectAll();
        QTest::keyClicks(champ, frappe);
        EXPECT_EQ(texte(champ), frappe);
    };
    const auto copie = [&] {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(focus(), Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    };
    for (const Cas& c : {
             // 9 then 95: the latitude stays 48, not the 9 typed on the way; the longitude applies.
             Cas{0, "95", "Latitude : 90° au plus", 3, "30", true, "48° 52′ N, 2° 30′ E", "48:52N", "2:30E"},
             // 1, 1E9, 1E99 (a float no more), 1E999: still 48.
             Cas{0, "1E999", "Nombre trop grand", 2, "3", true, "48° 52′ N, 3° 20′ E", "48:52N", "3:20E"},
             // 9 then 90: 90° 52′ goes beyond; 90° 00′ is taken back once the minutes allow it.
             Cas{0, "90", "Latitude : 90° au plus", 1, "0", false, "90° 00′ N, 2° 20′ E", "90:0N", "2:20E"},
             // 6, 60 and 600 can be held on the way; 6000 cannot, the minutes stay 52.
             Cas{1, "6000", "Latitude : 90° au plus", 0, "45", true, "45° 52′ N, 2° 20′ E", "45:52N",
                 "2:20E"},
             // 1E9 degrees of longitude can be held on the way, 1E99 cannot: 2, not 1E9.
             Cas{2, "1E99", "Nombre trop grand", 1, "0", true, "48° 00′ N, 2° 20′ E", "48:0N", "2:20E"},
             Cas{3, "1E999", "Nombre trop grand", 0, "33", true, "33° 52′ N, 2° 20′ E", "33:52N", "2:20E"},
         }) {
        SCOPED_TRACE(std::string("champ ") + std::to_string(c.champ) + " : " + c.frappe);
        instant("12", "4", "1992", "0", "0", "0");
        const std::array<const char*, 4> paris{"48", "52", "2", "20"};
        for (std::size_t i = 0; i < 4; ++i)
            champs[i]->setText(paris[i]);
        QLineEdit* champ = champs[static_cast<std::size_t>(c.champ)];
        tape(champ, c.frappe);
        EXPECT_EQ(champ->toolTip(), QString::fromUtf8(c.raison));
        EXPECT_EQ(champ->palette().color(QPalette::Text), QColor(204, 0, 0));
        EXPECT_EQ(ui(f).Label17[0]->toolTip(), "48° 52′ N, 2° 20′ E");
        EXPECT_FLOAT_EQ(f.releve().lieu->Lat, 48.866665f);
        EXPECT_FLOAT_EQ(f.releve().lieu->Lon, -2.3333333f);
        f.calcul();
        EXPECT_EQ(copie(), rapport("48:52N", "2:20E"));

        tape(champs[static_cast<std::size_t>(c.autre)], c.autre_frappe);
        EXPECT_EQ(ui(f).Label17[0]->toolTip(), QString::fromUtf8(c.lieu));
        EXPECT_EQ(champ->toolTip().isEmpty(), !c.reste_rouge);
        EXPECT_EQ(champs[static_cast<std::size_t>(c.autre)]->toolTip(), "");
        f.calcul();
        EXPECT_EQ(copie(), rapport(c.latitude, c.longitude));
    }
}

TEST(UsageDemarrage, LieuEnregistreIntenableGardeLesAutresChampsEtMarqueLeSien) {
    Banc banc;
    QFile ini(banc.config.chemin_ini());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Coord]\nLat0=10\nLat1=6000\nLon0=70\nLon1=15\nNS=False\nEO=False\n");
    ini.close();
    banc.reglages = std::make_unique<MagasinIni>(banc.config.chemin_ini());
    banc.ouvre();
    PosLune& f = *banc.fenetre;
    f.demarre();
    // The minutes that cannot be held keep the first run's 52 (not 0, the empty field read on the
    // way); the other fields and both hemispheres are the saved ones.
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, static_cast<float>(-(10 + 52.0 / 60)));
    EXPECT_FLOAT_EQ(f.releve().lieu->Lon, 70.25f);
    EXPECT_EQ(texte(ui(f).TLat[1]), "6000");
    EXPECT_EQ(ui(f).TLat[1]->toolTip(), "Latitude : 90° au plus");
    EXPECT_EQ(ui(f).TLat[0]->toolTip(), "");
    EXPECT_EQ(ui(f).Label17[0]->toolTip(), "10° 52′ S, 70° 15′ O");
    EXPECT_NE(texte(ui(f).Label18[0]), "Lever: ---");
}

TEST(UsageAPropos, RetourAuFocusEtLienQuiEchoueSignale) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    {
        NavigateurEspion espion;
        About boite(espion, &f);
        boite.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
        EXPECT_TRUE(boite.command1()->isDefault());
        ASSERT_EQ(boite.focusWidget(), boite.command1());
        QTest::keyClick(boite.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(boite.focusWidget(), boite.label3());
        QTest::keyClick(boite.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(boite.focusWidget(), boite.label2());
        QTest::keyClick(boite.focusWidget(), Qt::Key_Space);
        ASSERT_EQ(espion.adresses.size(), 1u);
        EXPECT_EQ(espion.adresses[0], boite.adresse_contact());
        QTest::keyClick(boite.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(boite.focusWidget(), boite.command1());
        QTest::keyClick(boite.focusWidget(), Qt::Key_Return);
        EXPECT_EQ(boite.result(), QDialog::Accepted);
        EXPECT_FALSE(boite.isVisible());
    }

    // A browser that fails: the system opener, found on the path, ends with a non-zero status.
    QTemporaryDir dossier;
    QFile faux(dossier.filePath("xdg-open"));
    ASSERT_TRUE(faux.open(QIODevice::WriteOnly));
    faux.write("#!/bin/sh\nexit 3\n");
    faux.close();
    faux.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const Variable chemin("PATH", dossier.path().toLocal8Bit());
    NavigateurSysteme systeme;
    About boite(systeme, &f);
    boite.show();
    QTest::mouseClick(boite.label3(), Qt::LeftButton);
    QMessageBox* message = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((message = boite.findChild<QMessageBox*>("EchecLien")) != nullptr, 10000);
    EXPECT_TRUE(message->isVisible());
    EXPECT_TRUE(message->text().contains(QString::fromStdString(adresse_site())))
        << message->text().toStdString();
    EXPECT_TRUE(message->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(boite.isVisible());
    message->close();
}

TEST(UsageAPropos, UnLienQuiEchoueEstSignaleQuelQueSoitLOuvreur) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    // Fake openers that write what they were given into a journal, then end with their status.
    QTemporaryDir dossier, avec_xdg_open, sans_rien;
    const QString journal = dossier.filePath("journal");
    const auto script = [&](const QString& chemin, int code) {
        QFile s(chemin);
        EXPECT_TRUE(s.open(QIODevice::WriteOnly));
        s.write(QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2'\nexit %3\n")
                    .arg(QFileInfo(chemin).fileName(), journal)
                    .arg(code)
                    .toUtf8());
        s.close();
        s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return chemin;
    };
    script(avec_xdg_open.filePath("xdg-open"), 3);
    const QString echoue = script(dossier.filePath("echoue"), 1);
    const QString reussit = script(dossier.filePath("reussit"), 0);
    const QString absent = dossier.filePath("absent");
    const QString adresse = QString::fromStdString(adresse_site());

    struct Cas {
        const char* nom;
        bool xdg_open;
        std::optional<QString> browser; // unset when empty
        QStringList lances;
        bool message;
    };
    for (const Cas& c : {
             Cas{"xdg-open qui échoue", true, {}, {"xdg-open " + adresse}, true},
             Cas{"BROWSER qui échoue", false, echoue, {"echoue " + adresse}, true},
             Cas{"BROWSER introuvable", false, absent, {}, true},
             Cas{"BROWSER dont le second réussit",
                 false,
                 echoue + ":" + reussit + " --fenetre %s",
                 {"echoue " + adresse, "reussit --fenetre " + adresse},
                 false},
             Cas{"BROWSER qui réussit", false, reussit, {"reussit " + adresse}, false},
             Cas{"ni xdg-open ni BROWSER", false, {}, {}, true},
         }) {
        SCOPED_TRACE(c.nom);
        QFile::remove(journal);
        const Variable chemin("PATH", (c.xdg_open ? avec_xdg_open : sans_rien).path().toLocal8Bit());
        const Variable browser =
            c.browser ? Variable("BROWSER", c.browser->toLocal8Bit()) : Variable("BROWSER", std::nullopt);
        const auto lances = [&] {
            QFile j(journal);
            if (!j.open(QIODevice::ReadOnly)) return QStringList();
            return QString::fromUtf8(j.readAll()).split('\n', Qt::SkipEmptyParts);
        };
        NavigateurSysteme systeme;
        About boite(systeme, &f);
        boite.show();
        QTest::mouseClick(boite.label3(), Qt::LeftButton);
        const auto message = [&] { return boite.findChild<QMessageBox*>("EchecLien"); };
        if (c.message) {
            ASSERT_TRUE(attend([&] { return message() != nullptr; }));
            EXPECT_TRUE(message()->isVisible());
            EXPECT_TRUE(message()->text().startsWith("Impossible d'ouvrir cette page"));
            EXPECT_TRUE(message()->text().contains(adresse)) << message()->text().toStdString();
            EXPECT_EQ(lances(), c.lances);
        } else {
            EXPECT_TRUE(attend([&] { return lances() == c.lances; })) << lances().join(" | ").toStdString();
            QTest::qWait(300); // the opener's end seen
            EXPECT_EQ(message(), nullptr);
        }
        EXPECT_TRUE(boite.isVisible());
    }
}

TEST(UsageImpression, PasDeCurseurNiDeSelectionDansLesChampsDuLieuSurLaPage) {
    if (std::string(ORBITEL_PDFTOPPM).empty()) FAIL() << "pdftoppm (poppler-utils) is needed";
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTemporaryDir dossier;
    const auto page = [&](const QString& nom) {
        ImprimantePdf imprimante(dossier.filePath(nom + ".pdf"));
        banc.imprimante.remplacante = &imprimante;
        EXPECT_EQ(f.imprime(), IssueImpression::imprimee);
        banc.imprimante.remplacante = nullptr;
        QProcess p;
        p.start(ORBITEL_PDFTOPPM,
                {"-r", "100", "-png", "-singlefile", dossier.filePath(nom + ".pdf"), dossier.filePath(nom)});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QImage(dossier.filePath(nom + ".png")).convertToFormat(QImage::Format_RGB32);
    };
    // The focus parked, as the compute action leaves it.
    const QImage reference = page("parque");
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);

    // The user was typing the latitude, the caret in the field, part of the minutes selected.
    ui(f).TLat[0]->setFocus();
    QTest::keyClick(ui(f).TLat[0], Qt::Key_Home);
    QTest::keyClick(ui(f).TLat[0], Qt::Key_Right);
    ui(f).TLat[1]->setSelection(0, 1);
    const QImage en_saisie = page("saisie");
    EXPECT_TRUE(en_saisie == reference) << "the page differs from the one printed with the focus parked";
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);
    EXPECT_FALSE(ui(f).TLat[0]->isReadOnly());
}
