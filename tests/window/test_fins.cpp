// Every end of the program keeps the place or says why it could not: the quit button with a store
// that cannot write or a file that cannot be read, SIGTERM to the running program, while a signal it
// was started with ignored (nohup) stays ignored; a start without a display ends at once with a
// French message; and the clocks of any year, the notice following a daylight-saving switch.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <signal.h>
#include <string>
#include <sys/types.h>
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

// Waits until the program of process `pid` catches SIGTERM (bit 15 of SigCgt): its handlers are in
// place. Whether they came in time.
bool attend_gestionnaires(qint64 pid) {
    const std::string statut = "/proc/" + std::to_string(pid) + "/status";
    for (int i = 0; i < 1000; ++i) {
        std::ifstream f(statut);
        for (std::string ligne; std::getline(f, ligne);)
            if (ligne.rfind("SigCgt:", 0) == 0 && ((std::stoull(ligne.substr(7), nullptr, 16) >> 14) & 1))
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The environment of a program started from the tests: their own settings folder, no display.
QProcessEnvironment environnement_sans_ecran(const DossierConfiguration& config) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.dossier());
    env.insert("LC_ALL", "C.UTF-8");
    for (const char* nom : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(nom);
    return env;
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
    EXPECT_EQ(
        erreur,
        "orbitel : Enregistrement impossible. Le lieu n'a pas pu être enregistré dans le fichier «\u00a0" +
            banc.config.chemin_ini().toStdString() + "\u00a0»\u00a0: disque plein.\n");
    EXPECT_EQ(banc.fenetre->code_de_sortie(0), 1);
}

TEST(FinEnregistrement, FichierIllisibleSignaleAuDemarrageEtGardeSaufAccord) {
    const QByteArray ancien = "[Autre]\nFenetre=12\n\n[Coord]\nLat0=33\n";
    // The read of the settings file fails (the tests run as root, who reads any file).
    const auto illisible = [](MagasinIni& m) {
        const auto ouvre = m.systeme.ouvre;
        m.systeme.ouvre = [ouvre](const char* chemin, int drapeaux, mode_t mode) {
            if ((drapeaux & O_ACCMODE) == O_RDONLY) {
                errno = EIO;
                return -1;
            }
            return ouvre(chemin, drapeaux, mode);
        };
    };
    const struct {
        const char* nom;
        bool sans_dialogue;
        const char* reponse; // the button clicked at quit; nullptr: Enter, the default
        bool remplace;
    } cas[] = {
        {"réponse par défaut", false, nullptr, false},
        {"Ne pas remplacer", false, "Ne pas remplacer", false},
        {"Remplacer", false, "Remplacer", true},
        {"personne à qui demander", true, nullptr, false},
    };
    for (const auto& c : cas) {
        Banc banc;
        ecrit_fichier(banc.config.chemin_ini(), ancien);
        illisible(*banc.reglages);
        const QString chemin = banc.config.chemin_ini();
        const std::string dit = "«\u00a0" + chemin.toStdString() + "\u00a0»";

        // Start-up: told, the window on the default place.
        testing::internal::CaptureStderr();
        if (c.sans_dialogue) banc.fenetre->definit_sans_dialogue(true);
        banc.fenetre->demarre();
        const std::string erreur_demarrage = testing::internal::GetCapturedStderr();
        EXPECT_EQ(texte(ui(*banc.fenetre).TLat[0]), "48") << c.nom;
        const std::string annonce =
            "Le lieu enregistré n'a pas pu être lu dans le fichier\n" + dit +
            "\u00a0: erreur d'entrée-sortie du disque.\nLe lieu par défaut est utilisé\u00a0; "
            "le fichier ne sera pas remplacé sans votre accord.";
        auto* boite = banc.fenetre->findChild<QMessageBox*>("LectureImpossible");
        if (c.sans_dialogue) {
            std::string ligne = annonce;
            std::replace(ligne.begin(), ligne.end(), '\n', ' ');
            EXPECT_EQ(erreur_demarrage, "orbitel : Lecture impossible. " + ligne + "\n") << c.nom;
            EXPECT_EQ(boite, nullptr) << c.nom;
        } else {
            // Start-up went on to its end: the box does not hold up the event loop.
            ASSERT_NE(boite, nullptr) << c.nom;
            EXPECT_TRUE(boite->isVisible()) << c.nom;
            EXPECT_EQ(boite->windowModality(), Qt::WindowModal) << c.nom;
            EXPECT_EQ(boite->windowTitle(), "Lecture impossible") << c.nom;
            EXPECT_EQ(boite->text().toStdString(), annonce) << c.nom;
            EXPECT_NE(texte(ui(*banc.fenetre).Label18[0]), "---") << c.nom;
            boite->button(QMessageBox::Ok)->click();
        }

        // Quit: a question whose default keeps the file.
        ui(*banc.fenetre).TLat[0]->setText("-5");
        QString question, par_defaut;
        testing::internal::CaptureStderr();
        if (!c.sans_dialogue) {
            repond_a_la_boite([&](QMessageBox& boite) {
                question = boite.windowTitle();
                par_defaut = boite.defaultButton()->text();
                if (c.reponse) {
                    bouton(boite, c.reponse)->click();
                } else {
                    QTest::keyClick(&boite, Qt::Key_Return);
                }
            });
        }
        banc.fenetre->quitte();
        const std::string erreur_fin = testing::internal::GetCapturedStderr();
        if (c.remplace) {
            EXPECT_TRUE(contenu(chemin).contains("Lat0=-5")) << c.nom;
            EXPECT_FALSE(contenu(chemin).contains("[Autre]")) << c.nom;
            EXPECT_EQ(banc.fenetre->code_de_sortie(0), 0) << c.nom;
        } else {
            EXPECT_EQ(contenu(chemin), ancien) << c.nom;
            EXPECT_EQ(banc.fenetre->code_de_sortie(0), 1) << c.nom;
        }
        if (c.sans_dialogue) {
            EXPECT_EQ(erreur_fin,
                      "orbitel : Enregistrement impossible. Le fichier " + dit +
                          " n'a pas pu être lu (erreur d'entrée-sortie du disque)\u00a0; il est laissé "
                          "tel quel, sans le lieu.\n")
                << c.nom;
        } else {
            EXPECT_EQ(question, "Fichier de réglages illisible") << c.nom;
            EXPECT_EQ(par_defaut, "Ne pas remplacer") << c.nom;
            EXPECT_EQ(erreur_fin.find("orbitel :"), std::string::npos) << c.nom; // Qt's own notes aside
        }
        EXPECT_EQ(banc.fins, 1) << c.nom;
    }
}

TEST(FinEnregistrement, DisquePleinALEcritureDitEtFichierGarde) {
    Banc banc;
    banc.fenetre->demarre();
    const QByteArray ancien = "[Autre]\nFenetre=12\n\n[Coord]\nLat0=33\n";
    ecrit_fichier(banc.config.chemin_ini(), ancien);
    ui(*banc.fenetre).TLat[0]->setText("-5");
    // The disk fills up while the new file is written: the write fails after taking a few bytes.
    int ecritures = 0;
    const auto ecrit = banc.reglages->systeme.ecrit;
    banc.reglages->systeme.ecrit = [&](int fd, const void* octets, std::size_t n) -> ssize_t {
        if (++ecritures > 1) {
            errno = ENOSPC;
            return -1;
        }
        return ecrit(fd, octets, std::min<std::size_t>(n, 4));
    };
    QString texte;
    repond_a_la_boite([&](QMessageBox& boite) {
        texte = boite.text();
        bouton(boite, "Quitter sans enregistrer")->click();
    });
    banc.fenetre->quitte();
    EXPECT_EQ(texte, "Le lieu n'a pas pu être enregistré dans le fichier\n«\u00a0" +
                         banc.config.chemin_ini() + "\u00a0»\u00a0: disque plein.");
    EXPECT_EQ(contenu(banc.config.chemin_ini()), ancien);
    EXPECT_EQ(QDir(banc.config.dossier()).entryList(QDir::Files | QDir::Hidden), QStringList{"orbitel.ini"});
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
    ASSERT_TRUE(attend_gestionnaires(programme.processId()));
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

TEST(FinSansEcran, MessageEnFrancaisEtStatut1AuLieuDUnAbandon) {
    struct Cas {
        const char* nom;
        std::optional<QString> plateforme; // QT_QPA_PLATFORM, unset when empty
        std::optional<QString> display;
        QStringList arguments;
        const char* message; // the start of standard error, or null: the window opens
    };
    for (const Cas& c : {
             Cas{"rien", {}, {}, {}, "orbitel : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY"},
             Cas{"xcb", "xcb", {}, {}, "orbitel : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY"},
             Cas{"wayland",
                 "wayland",
                 {},
                 {},
                 "orbitel : aucun écran disponible (ni DISPLAY ni WAYLAND_DISPLAY"},
             Cas{"un écran qui ne répond pas", {}, ":7319", {}, "orbitel : l'écran n'a pas pu être joint"},
             Cas{"offscreen", "offscreen", {}, {}, nullptr},
             Cas{"-platform offscreen", {}, {}, {"-platform", "offscreen"}, nullptr},
         }) {
        SCOPED_TRACE(c.nom);
        DossierConfiguration config;
        QProcessEnvironment env = environnement_sans_ecran(config);
        if (c.plateforme) env.insert("QT_QPA_PLATFORM", *c.plateforme);
        if (c.display) env.insert("DISPLAY", *c.display);
        QProcess programme;
        programme.setProcessEnvironment(env);
        programme.start(ORBITEL_EXE, c.arguments);
        ASSERT_TRUE(programme.waitForStarted());
        if (c.message != nullptr) {
            ASSERT_TRUE(programme.waitForFinished(30000));
            EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(programme.exitCode(), 1);
            const QString erreur = QString::fromUtf8(programme.readAllStandardError());
            EXPECT_TRUE(erreur.startsWith(QString::fromUtf8(c.message))) << erreur.toStdString();
            EXPECT_EQ(erreur.count('\n'), 1) << erreur.toStdString();
        } else {
            ASSERT_TRUE(attend_gestionnaires(programme.processId()));
            programme.terminate();
            ASSERT_TRUE(programme.waitForFinished(30000));
            EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
        }
    }
}

TEST(FinSignaux, UnSignalIgnoreAuLancementResteIgnore) {
    struct Cas {
        const char* nom;
        bool nohup;    // started through nohup, SIGHUP ignored
        int ignore;    // a signal ignored by the parent, 0 for none
        int envoye;    // then sent to the program
        bool s_arrete; // whether it ends on it (with status 0, the place saved)
    };
    for (const Cas& c : {
             Cas{"nohup, SIGHUP", true, 0, SIGHUP, false},
             Cas{"tâche de fond d'un shell, SIGINT", false, SIGINT, SIGINT, false},
             Cas{"SIGHUP ignoré, SIGTERM", false, SIGHUP, SIGTERM, true},
             Cas{"rien d'ignoré, SIGHUP", false, 0, SIGHUP, true},
         }) {
        SCOPED_TRACE(c.nom);
        DossierConfiguration config;
        QProcessEnvironment env = environnement_sans_ecran(config);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess programme;
        programme.setProcessEnvironment(env);
        // Whatever the tests were started with, only the case's signal is ignored.
        const int ignore = c.ignore;
        programme.setChildProcessModifier([ignore] {
            for (const int s : {SIGHUP, SIGINT, SIGTERM})
                ::signal(s, s == ignore ? SIG_IGN : SIG_DFL);
        });
        if (c.nohup) {
            programme.start("nohup", {ORBITEL_EXE});
        } else {
            programme.start(ORBITEL_EXE, {});
        }
        ASSERT_TRUE(programme.waitForStarted());
        ASSERT_TRUE(attend_gestionnaires(programme.processId()));
        ::kill(static_cast<pid_t>(programme.processId()), c.envoye);
        if (!c.s_arrete) {
            EXPECT_FALSE(programme.waitForFinished(1500)) << "ended on the ignored signal";
            programme.terminate();
        }
        ASSERT_TRUE(programme.waitForFinished(30000));
        EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programme.exitCode(), 0) << programme.readAllStandardError().toStdString();
        EXPECT_EQ(restaure_lieu(MagasinIni(config.chemin_ini())).lat0, "48");
        EXPECT_TRUE(contenu(config.chemin_ini()).contains("Lat0=48"));
    }
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
