// Start-up, the tick, the two modes and the compute action, on a fixed clock.
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "ephemeris/moteur.hpp"
#include "outils.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

void tape_instant(PosLune& f, const char* j, const char* m, const char* a, const char* h, const char* mi,
                  const char* s) {
    ui(f).Date[0]->setText(QString::fromUtf8(j));
    ui(f).Date[1]->setText(QString::fromUtf8(m));
    ui(f).Date[2]->setText(QString::fromUtf8(a));
    ui(f).Heure[0]->setText(QString::fromUtf8(h));
    ui(f).Heure[1]->setText(QString::fromUtf8(mi));
    ui(f).Heure[2]->setText(QString::fromUtf8(s));
}

std::optional<DateHeure> reference(double jour, double mois, double an) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = an;
    return date_de_instant(i);
}

} // namespace

TEST(Demarrage, PremierLancementMagasinVide) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    EXPECT_EQ(texte(ui(f).TLat[0]), "48");
    EXPECT_EQ(texte(ui(f).TLat[1]), "52");
    EXPECT_EQ(texte(ui(f).TLon[0]), "2");
    EXPECT_EQ(texte(ui(f).TLon[1]), "20");
    EXPECT_TRUE(ui(f).Option1[0]->isChecked());
    EXPECT_FALSE(ui(f).Option1[1]->isChecked());
    EXPECT_TRUE(ui(f).Option2[0]->isChecked());
    EXPECT_FALSE(ui(f).Option2[1]->isChecked());
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, 48.866665f);
    EXPECT_FLOAT_EQ(f.releve().lieu->Lon, -2.3333333f);
    EXPECT_EQ(texte(ui(f).Label9), "Instant G.M.T. = 07/12/2026 à 05:41:07");
    EXPECT_EQ(f.demarrage_termine(), true);
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.reference_phases(), reference(7, 12, 2026));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // the busy pointer is gone
    // Altitude, azimuth and the topocentric lines wait for the first tick.
    for (QLabel* l : {ui(f).Label12, ui(f).Label13, ui(f).Label14, ui(f).Label15, ui(f).Label16})
        EXPECT_EQ(texte(l), "---");
    f.tick();
    EXPECT_TRUE(ui(f).Label12->text().startsWith(QStringLiteral("Hauteur: ")));
    EXPECT_TRUE(ui(f).Label13->text().startsWith(QStringLiteral("Azimut: ")));
    EXPECT_TRUE(ui(f).Label14->text().startsWith(QStringLiteral("Distance Topocentrique = ")));
    EXPECT_TRUE(ui(f).Label15->text().startsWith(QStringLiteral("Ascension droite Topo = ")));
    EXPECT_TRUE(ui(f).Label16->text().startsWith(QStringLiteral("Déclinaison Topocentrique = ")));
}

TEST(Demarrage, MarqueDecimaleDeLUtilisateur) {
    Banc banc(tu_de(2026, 12, 7, 5, 41, 7, 250), 60, ',');
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.tick();
    EXPECT_EQ(texte(ui(f).Label3), "Distance terre - Lune = 401172,021 kms");
    EXPECT_EQ(texte(ui(f).Label18[0]), "Lever: 07/12/2026 à 06:17 ( Az = 128,3°)");
    EXPECT_EQ(texte(ui(f).Label14), "Distance Topocentrique = 401730,523 kms");
    EXPECT_TRUE(ui(f).Label10[0]->text().endsWith(QStringLiteral(", en 2026, de 93,14 secondes.")));
}

TEST(Demarrage, LaRechercheTourneUneFoisApresLAffichage) {
    Banc banc;
    QSignalSpy recherches(banc.fenetre.get(), &PosLune::rechercheLeverCoucher);
    banc.fenetre->demarre(); // the restore changes four fields and two options: none starts it
    EXPECT_EQ(recherches.count(), 1);
}

TEST(Demarrage, UneEtapeQuiEchoueNArretePasLesSuivantes) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    QFile ini(banc.config.chemin_ini());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Coord]\nLat0=1E999\n");
    ini.close();
    banc.reglages = std::make_unique<MagasinIni>(banc.config.chemin_ini());
    banc.ouvre();
    PosLune& g = *banc.fenetre;
    (void)f;
    g.demarre();
    EXPECT_EQ(texte(ui(g).TLat[0]), "1E999");
    // The saved place cannot be held: the first run's place is searched, the field marked.
    EXPECT_FLOAT_EQ(g.releve().lieu->Lat, 48.866665f);
    EXPECT_EQ(texte(ui(g).Label18[0]).rfind("Lever: 07/12/2026 à ", 0), 0u) << texte(ui(g).Label18[0]);
    EXPECT_EQ(ui(g).TLat[0]->toolTip(), "Nombre trop grand");
    EXPECT_EQ(g.demarrage_termine(), true);
    EXPECT_NE(texte(ui(g).Label10[1]), "xxx");
}

TEST(NoticeHorloge, EcriteAuDemarrageDepuisLesDeuxHorloges) {
    struct Cas {
        int decalage;
        const char* notice;
    };
    for (const Cas c : {Cas{120, "Votre système est en avance sur TU de 2 heures."},
                        Cas{-300, "Votre système est en retard sur TU de 5 heures."},
                        Cas{0, "Votre système est à l'heure TU."},
                        Cas{330, "Votre système est en avance sur TU de 5 heures 30 minutes."}}) {
        // UTC 12:00:00.400 against a local clock to the whole second.
        Banc banc(tu_de(2026, 6, 21, 12, 0, 0, 400), c.decalage);
        banc.fenetre->demarre();
        EXPECT_EQ(texte(ui(*banc.fenetre).Label10[1]), c.notice) << c.decalage;
    }
}

TEST(Modes, BasculeVersLInstantChoisiPuisRetour) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.tick();
    QTest::mouseClick(ui(f).Command1, Qt::LeftButton);
    EXPECT_FALSE(f.temps_reel());
    EXPECT_FALSE(ui(f).Timer1->isActive());
    EXPECT_EQ(texte(ui(f).Date[0]), "07");
    EXPECT_EQ(texte(ui(f).Date[1]), "12");
    EXPECT_EQ(texte(ui(f).Date[2]), "2026");
    EXPECT_EQ(texte(ui(f).Heure[0]), "05");
    EXPECT_EQ(texte(ui(f).Heure[1]), "41");
    EXPECT_EQ(texte(ui(f).Heure[2]), "07");
    EXPECT_FALSE(ui(f).Frame1->isHidden());
    EXPECT_FALSE(ui(f).Command3->isHidden());
    EXPECT_FALSE(ui(f).Command5->isHidden());
    EXPECT_EQ(ui(f).Command1->text(), QStringLiteral("&Temps réel"));
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);

    QSignalSpy recherches(&f, &PosLune::rechercheLeverCoucher);
    QTest::mouseClick(ui(f).Command1, Qt::LeftButton);
    EXPECT_TRUE(f.temps_reel());
    EXPECT_TRUE(ui(f).Frame1->isHidden());
    EXPECT_TRUE(ui(f).Command3->isHidden());
    EXPECT_TRUE(ui(f).Command5->isHidden());
    EXPECT_EQ(ui(f).Command1->text(), QStringLiteral("Choisir un &Instant"));
    EXPECT_EQ(recherches.count(), 1);
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);
}

TEST(Modes, RetourAuTempsReelReconstruitLePanneauDuDernierCalcul) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    tape_instant(f, "1", "3", "2024", "0", "0", "0");
    f.calcul();
    f.cycle_suivant();
    f.cycle_suivant();
    f.bascule_mode();
    // The panel is back on the computed date; the search ran for the present day.
    EXPECT_EQ(f.reference_phases(), reference(1, 3, 2024));
    EXPECT_EQ(f.releve().lever_coucher->saisi.an, 2026);
    EXPECT_EQ(f.releve().lever_coucher->saisi.mois, 12);
    // The report lines wait for the next tick.
    EXPECT_EQ(texte(ui(f).Label9), "Instant G.M.T. = 01/03/2024 à 00:00:00");
    f.tick();
    EXPECT_EQ(texte(ui(f).Label9), "Instant G.M.T. = 07/12/2026 à 05:41:07");
}

TEST(Calcul, InstantTapeDansLesChamps) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    tape_instant(f, "1", "3", "2024", "0", "0", "0");
    QSignalSpy recherches(&f, &PosLune::rechercheLeverCoucher);
    QTest::mouseClick(ui(f).Command3, Qt::LeftButton);
    EXPECT_EQ(texte(ui(f).Label9), "Instant G.M.T. = 01/03/2024 à 00:00:00");
    EXPECT_EQ(f.reference_phases(), reference(1, 3, 2024));
    EXPECT_EQ(recherches.count(), 1);
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Calcul, DateImpossibleCalculeToutEtLePanneauDeSaDateEcrite) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    const QImage avant = f.surface().copy();
    tape_instant(f, "31", "02", "2026", "12", "0", "0");
    QSignalSpy recherches(&f, &PosLune::rechercheLeverCoucher);
    f.calcul();
    // The day count runs on into March; the panel follows the date the instant line writes.
    EXPECT_EQ(texte(ui(f).Label9), "Instant G.M.T. = 03/03/2026 à 12:00:00");
    EXPECT_NE(f.surface(), avant);
    EXPECT_EQ(recherches.count(), 1);
    EXPECT_EQ(f.reference_phases(), reference(3, 3, 2026));
}

TEST(Calcul, DateDuPanneauCelleQueLitLaLigneInstant) {
    struct Cas {
        const char *jour, *mois, *an;
        std::optional<DateHeure> attendue; // nullopt: no panel date
    };
    const auto date = [](std::int64_t a, unsigned m, unsigned j) {
        return DateHeure::depuis_calendrier(a, m, j);
    };
    for (const Cas c : {Cas{"29", "2", "2024", date(2024, 2, 29)}, Cas{"29", "2", "2023", date(2023, 3, 1)},
                        Cas{"29", "2", "1900", date(1900, 3, 1)}, Cas{"29", "2", "2000", date(2000, 2, 29)},
                        Cas{"1", "1", "50", date(50, 1, 1)}, Cas{"1", "1", "0", date(0, 1, 1)},
                        Cas{"15", "6", "-100", date(-100, 6, 15)}, Cas{"1", "1", "32767", date(32767, 1, 1)},
                        Cas{"1", "1", "32768", std::nullopt}, Cas{"1", "1", "-32768", std::nullopt},
                        Cas{"1.5", "1", "2024", date(2024, 1, 1)}, Cas{"0", "1", "2024", date(2023, 12, 31)},
                        Cas{"1", "13", "2024", date(2025, 1, 1)}, Cas{"31", "4", "2024", date(2024, 5, 1)},
                        Cas{"abc", "1", "2024", date(2023, 12, 31)}}) {
        Banc banc;
        PosLune& f = *banc.fenetre;
        f.demarre();
        f.bascule_mode();
        tape_instant(f, c.jour, c.mois, c.an, "0", "0", "0");
        f.calcul();
        EXPECT_EQ(f.reference_phases(), c.attendue) << c.jour << "/" << c.mois << "/" << c.an;
    }
}

TEST(Calcul, ChampsInvraisemblablesSansPlantage) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    for (const auto& champs :
         std::vector<std::array<const char*, 6>>{{"1E999", "1E999", "1E999", "1E999", "1E999", "1E999"},
                                                 {"", "", "", "", "", ""},
                                                 {"-1E300", "1E300", "9", "1", "1", "1"},
                                                 {"1", "1", "-4712", "12", "0", "0"}}) {
        tape_instant(f, champs[0], champs[1], champs[2], champs[3], champs[4], champs[5]);
        f.calcul();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(Calcul, InstantIncalculableLaisseLeDessin) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    const QImage avant = f.surface().copy();
    tape_instant(f, "1", "1", "1E300", "0", "0", "0");
    f.calcul();
    EXPECT_FALSE(f.releve().position->geocentrique.has_value());
    EXPECT_EQ(f.surface(), avant);
    EXPECT_EQ(f.reference_phases(), std::nullopt);
    EXPECT_EQ(texte(ui(f).LabPhase[0]), "---");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Tick, MinuitTURelanceLaRecherche) {
    Banc banc(tu_de(2026, 12, 6, 23, 59, 59, 500));
    PosLune& f = *banc.fenetre;
    f.demarre();
    QSignalSpy recherches(&f, &PosLune::rechercheLeverCoucher);
    f.tick();
    EXPECT_EQ(recherches.count(), 0); // a tick alone does not search
    banc.regle(tu_de(2026, 12, 7, 0, 0, 0, 0));
    f.tick();
    EXPECT_EQ(recherches.count(), 1);
    EXPECT_EQ(f.releve().position->saisi.jour, 7);
    f.tick();
    EXPECT_EQ(recherches.count(), 1);
}

TEST(Tick, LeTickNeTouchePasAuPanneau) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.cycle_suivant();
    const auto r = f.reference_phases();
    banc.regle(tu_de(2027, 1, 15, 12, 0, 0));
    f.tick();
    EXPECT_EQ(f.reference_phases(), r);
    EXPECT_EQ(texte(ui(f).Label9), "Instant G.M.T. = 15/01/2027 à 12:00:00");
}

TEST(Quitter, SauveEtTermine) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    QTest::mouseClick(ui(f).Command2, Qt::LeftButton);
    EXPECT_EQ(banc.fins, 1);
    EXPECT_FALSE(f.isVisible());
    const MagasinIni relu(banc.config.chemin_ini());
    EXPECT_EQ(relu.lit("Coord", "Lat0"), "48");
    EXPECT_EQ(relu.lit("Coord", "Lat1"), "52");
    EXPECT_EQ(relu.lit("Coord", "Lon0"), "2");
    EXPECT_EQ(relu.lit("Coord", "Lon1"), "20");
    EXPECT_EQ(relu.lit("Coord", "NS"), "True");
    EXPECT_EQ(relu.lit("Coord", "EO"), "True");
}

TEST(Quitter, FermerLaFenetreSauveAussi) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    ui(f).TLat[0]->setText(QStringLiteral("33"));
    f.close();
    EXPECT_EQ(MagasinIni(banc.config.chemin_ini()).lit("Coord", "Lat0"), "33");
    EXPECT_EQ(banc.fins, 0);
}

TEST(Actions, ImpressionEtAProposRendentLeFocusADummy) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    // The window's printer, its dialog cancelled after taking the focus.
    struct Refus final : Imprimante {
        PosLune& f;
        int impressions = 0;
        explicit Refus(PosLune& p) : f(p) {}
        bool choisit(QWidget* parent) override {
            EXPECT_EQ(parent, &f);
            ++impressions;
            ui(f).TLat[0]->setFocus();
            return false;
        }
        bool imprime(QWidget&) override { return false; }
    } refus(f);
    banc.imprimante.remplacante = &refus;
    f.bascule_mode();
    QTest::mouseClick(ui(f).Command5, Qt::LeftButton);
    EXPECT_EQ(refus.impressions, 1);
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);
    int a_propos = 0;
    QTimer::singleShot(0, [&] {
        if (QWidget* boite = QApplication::activeModalWidget()) {
            ++a_propos;
            ui(f).TLat[1]->setFocus();
            boite->close();
        }
    });
    QTest::mouseClick(ui(f).Command4, Qt::LeftButton);
    EXPECT_EQ(a_propos, 1);
    EXPECT_EQ(f.focusWidget(), ui(f).dummy);
}

TEST(Horizon, LignesDuLeverEtDuCoucherDuJourTU) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    EXPECT_EQ(texte(ui(f).Label18[0]), "Lever: 07/12/2026 à 06:17 ( Az = 128.3°)");
    EXPECT_EQ(texte(ui(f).Label18[1]), "Coucher: 07/12/2026 à 14:20 ( Az = 230.0°)");
    // The search covers the UT day of the instant, whatever its hour.
    banc.regle(tu_de(2026, 12, 7, 23, 59, 59));
    f.cherche_lever_coucher();
    EXPECT_EQ(texte(ui(f).Label18[0]), "Lever: 07/12/2026 à 06:17 ( Az = 128.3°)");
}

TEST(Horizon, CouleurDeLaHauteurSaufPendantLImpression) {
    Banc banc; // 05:41 UT in Paris: the Moon is still below the horizon
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.tick();
    EXPECT_TRUE(ui(f).Label12->text().startsWith(QStringLiteral("Hauteur: -")));
    EXPECT_EQ(ui(f).Label12->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    banc.regle(tu_de(2026, 12, 7, 10, 0, 0));
    f.met_mode_impression(true);
    f.tick();
    EXPECT_TRUE(ui(f).Label12->text().startsWith(QStringLiteral("Hauteur: +")));
    EXPECT_EQ(ui(f).Label12->palette().color(QPalette::WindowText), QColor(192, 0, 0)); // kept while printing
    f.met_mode_impression(false);
    f.tick();
    EXPECT_EQ(ui(f).Label12->palette().color(QPalette::WindowText), QColor(0, 192, 0));
}
