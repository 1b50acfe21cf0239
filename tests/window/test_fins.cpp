// Every end of the program keeps the place or says why it could not: the quit button with a store
// that cannot write, SIGTERM to the running program; and the clocks of any year, the notice
// following a daylight-saving switch.
#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "outils.hpp"
#include "window/enregistrement.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

// Runs `reponse` on the message box as soon as it is shown (modal, inside quitte()).
void repond_a_la_boite(std::function<void(QMessageBox&)> reponse) {
    auto* minuterie = new QTimer;
    QObject::connect(minuterie, &QTimer::timeout, minuterie, [minuterie, reponse] {
        if (auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            minuterie->stop();
            minuterie->deleteLater();
            reponse(*boite);
        }
    });
    minuterie->start(10);
}

QAbstractButton* bouton(QMessageBox& boite, const QString& texte) {
    for (QAbstractButton* b : boite.buttons())
        if (b->text() == texte) return b;
    return nullptr;
}

void ecrit_fichier(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

QByteArray contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(FinEnregistrement, BoiteSurUnMagasinQuiNePeutEcrireEtSesDeuxChoix) {
    Banc banc;
    banc.fenetre->demarre();
    ecrit_fichier(banc.config.chemin_ini(), "[Coord]\nLat0=10\n");
    ui(*banc.fenetre).TLat[0]->setText("33");
    int pannes = 0;
    banc.reglages->panne = [&](EtapeEcriture e) {
        return e == EtapeEcriture::validation && ++pannes ? ENOSPC : 0;
    };

    // Réessayer, the disk having room again: the place is saved, the program ends normally.
    QString titre, texte;
    QStringList boutons;
    repond_a_la_boite([&](QMessageBox& boite) {
        titre = boite.windowTitle();
        texte = boite.text();
        for (QAbstractButton* b : boite.buttons())
            boutons << b->text();
        banc.reglages->panne = {};
        bouton(boite, "Réessayer")->click();
    });
    banc.fenetre->quitte();
    EXPECT_EQ(titre, "Enregistrement impossible");
    EXPECT_EQ(texte, "Le lieu n'a pas pu être enregistré dans le fichier\n«\u00a0" +
                         banc.config.chemin_ini() + "\u00a0»\u00a0: disque plein.");
    boutons.sort();
    EXPECT_EQ(boutons, QStringList({"Quitter sans enregistrer", "Réessayer"}));
    EXPECT_EQ(pannes, 1);
    EXPECT_EQ(banc.fins, 1);
    EXPECT_EQ(MagasinIni(banc.config.chemin_ini()).lit("Coord", "Lat0"), "33");
    EXPECT_EQ(banc.fenetre->code_de_sortie(0), 0);

    // Quitter sans enregistrer: the file is left as it was and the program ends with status 1.
    banc.fenetre.reset();
    banc.ouvre();
    banc.fenetre->demarre();
    ui(*banc.fenetre).TLat[0]->setText("-5");
    banc.reglages->panne = [](EtapeEcriture e) { return e == EtapeEcriture::ouverture ? EACCES : 0; };
    const QByteArray avant = contenu(banc.config.chemin_ini());
    int boites = 0;
    repond_a_la_boite([&](QMessageBox& boite) {
        ++boites;
        EXPECT_TRUE(boite.text().endsWith("\u00a0: accès refusé (fichier ou dossier en lecture seule)."));
        bouton(boite, "Quitter sans enregistrer")->click();
    });
    banc.fenetre->quitte();
    EXPECT_EQ(boites, 1);
    EXPECT_EQ(banc.fins, 2);
    EXPECT_EQ(contenu(banc.config.chemin_ini()), avant);
    EXPECT_EQ(banc.fenetre->code_de_sortie(0), 1);

    // Nobody to ask (ending on a signal): the failure goes to standard error, still status 1.
    banc.fenetre.reset();
    banc.ouvre();
    banc.fenetre->demarre();
    banc.fenetre->definit_sans_dialogue(true);
    banc.reglages->panne = [](EtapeEcriture e) { return e == EtapeEcriture::ecriture ? ENOSPC : 0; };
    testing::internal::CaptureStderr();
    banc.fenetre->quitte();
    const std::string erreur = testing::internal::GetCapturedStderr();
    EXPECT_EQ(erreur, "orbitel : Le lieu n'a pas pu être enregistré dans le fichier «\u00a0" +
                          banc.config.chemin_ini().toStdString() + "\u00a0»\u00a0: disque plein.\n");
    EXPECT_EQ(banc.fenetre->code_de_sortie(0), 1);
}

TEST(FinEnregistrement, SigtermAuProgrammeEnCoursEnregistreLeLieu) {
    DossierConfiguration config;
    // A place as an older version left it: the save rewrites all six keys, NS in words.
    ecrit_fichier(config.chemin_ini(), "[Coord]\nLat0=33\nNS=0\n");
    QProcess programme;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.dossier());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    programme.setProcessEnvironment(env);
    programme.start(ORBITEL_EXE, {});
    ASSERT_TRUE(programme.waitForStarted());
    // Wait until the program catches SIGTERM (bit 15 of SigCgt): its handlers are in place.
    const std::string statut = "/proc/" + std::to_string(programme.processId()) + "/status";
    bool pret = false;
    for (int i = 0; i < 1000 && !pret; ++i) {
        std::ifstream f(statut);
        for (std::string ligne; std::getline(f, ligne);)
            if (ligne.rfind("SigCgt:", 0) == 0) pret = (std::stoull(ligne.substr(7), nullptr, 16) >> 14) & 1;
        if (!pret) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(pret);
    programme.terminate(); // SIGTERM
    ASSERT_TRUE(programme.waitForFinished(30000));
    EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programme.exitCode(), 0);
    const ChampsLieu lieu = restaure_lieu(MagasinIni(config.chemin_ini()));
    EXPECT_EQ(lieu.lat0, "33");
    EXPECT_EQ(lieu.lat1, "52");
    EXPECT_FALSE(lieu.nord);
    EXPECT_TRUE(contenu(config.chemin_ini()).contains("NS=False"));
}

namespace {

// The process's time zone for one test.
class FuseauHoraire {
public:
    explicit FuseauHoraire(const char* tz) {
        if (const char* a = std::getenv("TZ")) ancien_ = a;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~FuseauHoraire() {
        if (ancien_) {
            setenv("TZ", ancien_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> ancien_;
};

std::int64_t secondes_de(int an, int mois, int jour, int h, int m, int s) {
    return jours_civils(an, static_cast<unsigned>(mois), static_cast<unsigned>(jour)) * 86400 + h * 3600 +
           m * 60 + s;
}

} // namespace

TEST(HorlogesDeToutesAnnees, InstantEtNoticeEn2300En1650EtAuPassageALHeureDEte) {
    FuseauHoraire paris("Europe/Paris");
    LectureHorloge maintenant;
    HorlogeSysteme horloge([&] { return maintenant; });
    DossierConfiguration config;
    MagasinIni reglages(config.chemin_ini());
    NavigateurEspion navigateur;
    ImprimanteEssai imprimante(config.dossier() + QStringLiteral("/page.pdf"));
    const auto fenetre_a = [&](std::int64_t secondes) {
        maintenant = {secondes, 250000000};
        auto f = std::make_unique<PosLune>(horloge, reglages, navigateur, imprimante, '.');
        f->definit_fin_programme([] {});
        f->demarre();
        return f;
    };
    {
        const auto f = fenetre_a(secondes_de(2300, 6, 1, 12, 0, 0));
        EXPECT_EQ(texte(ui(*f).Label9), "Instant G.M.T. = 01/06/2300 à 12:00:00");
        EXPECT_EQ(texte(ui(*f).Label10[1]), "Votre système est en avance sur TU de 2 heures.");
    }
    {
        // Paris kept its mean solar time then: 9 minutes 21 seconds ahead of Greenwich.
        const auto f = fenetre_a(secondes_de(1650, 3, 15, 12, 0, 0));
        EXPECT_EQ(texte(ui(*f).Label9), "Instant G.M.T. = 15/03/1650 à 12:00:00");
        EXPECT_EQ(texte(ui(*f).Label10[1]), "Votre système est en avance sur TU de 9 minutes.");
    }
    {
        const auto f = fenetre_a(secondes_de(2027, 3, 28, 0, 59, 59));
        EXPECT_EQ(texte(ui(*f).Label9), "Instant G.M.T. = 28/03/2027 à 00:59:59");
        EXPECT_EQ(texte(ui(*f).Label10[1]), "Votre système est en avance sur TU de 1 heure.");
        maintenant = {secondes_de(2027, 3, 28, 1, 0, 0), 250000000};
        f->tick();
        EXPECT_EQ(texte(ui(*f).Label9), "Instant G.M.T. = 28/03/2027 à 01:00:00");
        EXPECT_EQ(texte(ui(*f).Label10[1]), "Votre système est en avance sur TU de 2 heures.");
    }
}
