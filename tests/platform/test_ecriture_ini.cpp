// The place saved as one unit: a save that fails at any of its steps leaves the old place whole, a
// save that succeeds leaves the new one whole, and the file stays what QSettings writes and reads.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSettings>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "outils.hpp"
#include "platform/ecriture_ini.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

const ChampsLieu ancien{"33", "52", "70", "15", false, false};
const ChampsLieu nouveau{"-12,5", "", "1E999", " 7 ", true, true};

void attendu_egal(const ChampsLieu& a, const ChampsLieu& b, const char* quand) {
    EXPECT_EQ(a.lat0, b.lat0) << quand;
    EXPECT_EQ(a.lat1, b.lat1) << quand;
    EXPECT_EQ(a.lon0, b.lon0) << quand;
    EXPECT_EQ(a.lon1, b.lon1) << quand;
    EXPECT_EQ(a.nord, b.nord) << quand;
    EXPECT_EQ(a.est, b.est) << quand;
}

// Every file of the folder but the settings file: what a save may have left behind.
QStringList restes(const QString& dossier) {
    QStringList noms =
        QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
    noms.removeAll(QStringLiteral("orbitel.ini"));
    return noms;
}

void ecrit_fichier(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

} // namespace

TEST(EnregistrementAtomique, UnePanneAChaqueEtapeLaisseLAncienLieuEntier) {
    const struct {
        EtapeEcriture etape;
        const char* nom;
    } etapes[] = {{EtapeEcriture::dossier, "dossier"},   {EtapeEcriture::verrou, "verrou"},
                  {EtapeEcriture::lecture, "lecture"},   {EtapeEcriture::ouverture, "ouverture"},
                  {EtapeEcriture::ecriture, "ecriture"}, {EtapeEcriture::validation, "validation"}};
    for (const auto& [etape, nom] : etapes) {
        DossierConfiguration config;
        {
            MagasinIni m(config.chemin_ini());
            ASSERT_EQ(enregistre_lieu(m, ancien), std::nullopt);
        }
        MagasinIni m(config.chemin_ini());
        m.panne = [etape = etape](EtapeEcriture e) { return e == etape ? ENOSPC : 0; };
        const auto echec = enregistre_lieu(m, nouveau);
        ASSERT_TRUE(echec.has_value()) << nom;
        EXPECT_EQ(echec->raison, "disque plein") << nom;
        EXPECT_EQ(echec->fichier, config.chemin_ini().toStdString()) << nom;
        attendu_egal(restaure_lieu(MagasinIni(config.chemin_ini())), ancien, nom);
        EXPECT_TRUE(restes(config.dossier()).isEmpty())
            << nom << ": " << restes(config.dossier()).join(' ').toStdString();

        // The same store, once the disk has room again, holds the whole new place.
        m.panne = {};
        EXPECT_EQ(enregistre_lieu(m, nouveau), std::nullopt) << nom;
        attendu_egal(restaure_lieu(MagasinIni(config.chemin_ini())), nouveau, nom);
    }
}

TEST(EnregistrementAtomique, PannesReellesDitesEnFrancaisEtFichierIntact) {
    {
        // A folder where the file should be.
        DossierConfiguration config;
        ASSERT_TRUE(QDir().mkpath(config.chemin_ini()));
        MagasinIni m(config.chemin_ini());
        const auto echec = enregistre_lieu(m, nouveau);
        ASSERT_TRUE(echec.has_value());
        EXPECT_EQ(echec->raison, "un dossier porte le nom du fichier");
        EXPECT_TRUE(QFileInfo(config.chemin_ini()).isDir());
    }
    {
        // The configuration folder is a file: nothing can be made under it.
        DossierConfiguration config;
        const QString dossier = config.dossier() + "/fichier";
        QFile f(dossier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        MagasinIni m(dossier + "/orbitel/orbitel.ini");
        const auto echec = enregistre_lieu(m, nouveau);
        ASSERT_TRUE(echec.has_value());
        EXPECT_EQ(echec->raison, "le dossier de configuration est un fichier");
        EXPECT_FALSE(m.ecrit("Coord", "Lat0", "1"));
    }
}

TEST(EnregistrementAtomique, FichierEcritCommeQSettingsLEcritEtAutresClesGardees) {
    // The same texts written by QSettings itself and by the one-unit writer give the same bytes, so
    // that any version reads the new files, and the files of older versions are read as before.
    DossierConfiguration config;
    const QStringList textes{"48",
                             "",
                             "48,5",
                             " 48 ",
                             "\"q\"",
                             "a\\b",
                             "@Variant(x)",
                             "x;y#z",
                             "=",
                             "l1\nl2",
                             "été à 2°",
                             QString(QChar(0)) + "1",
                             "\t7",
                             "\x1f"
                             "a",
                             "😀",
                             "[Coord]",
                             "Lat0=1",
                             "fin "};
    const QString par_qt = config.dossier() + "/qt.ini";
    {
        QSettings s(par_qt, QSettings::IniFormat);
        for (qsizetype i = 0; i < textes.size(); ++i)
            s.setValue("Coord/K" + QString::number(i), textes[i]);
        s.setValue("Autre/cl\u00e9 b", "v");
        s.setValue("General/x", "g");
        s.setValue("haut", "h");
    }
    ContenuIni contenu;
    for (qsizetype i = 0; i < textes.size(); ++i)
        contenu["Coord"]["K" + QString::number(i)] = textes[i];
    contenu["Autre"]["cl\u00e9 b"] = "v";
    contenu["General"]["x"] = "g";
    contenu[""]["haut"] = "h";
    QFile f(par_qt);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray attendu = f.readAll();
    // QSettings orders sections its own way; each section's block must be the same.
    const QByteArray ecrit = texte_ini(contenu);
    for (const QString& bloc : QString::fromUtf8(attendu).split("\n\n"))
        EXPECT_TRUE(ecrit.contains(bloc.trimmed().toUtf8())) << bloc.toStdString() << "\n---\n"
                                                             << ecrit.toStdString();
    EXPECT_EQ(lit_contenu_ini(par_qt), contenu);

    // Saving the place keeps every other key of the file.
    MagasinIni m(par_qt);
    ASSERT_EQ(enregistre_lieu(m, nouveau), std::nullopt);
    ContenuIni apres = lit_contenu_ini(par_qt);
    EXPECT_EQ(apres["Coord"]["K17"], "fin ");
    EXPECT_EQ(apres["Autre"]["cl\u00e9 b"], "v");
    EXPECT_EQ(apres["General"]["x"], "g");
    EXPECT_EQ(apres[""]["haut"], "h");
    EXPECT_EQ(apres["Coord"]["Lon1"], " 7 ");

    // A lone surrogate, which QSettings itself would write as U+FFFD, comes back as it was.
    const QString seul = QString(QChar(0xD800)) + "a";
    ASSERT_EQ(remplace_section_ini(par_qt, "Coord", {{"Lat0", "x"}}), std::nullopt);
    ContenuIni avec = lit_contenu_ini(par_qt);
    avec["Coord"]["Lat0"] = seul;
    ecrit_fichier(par_qt, texte_ini(avec));
    EXPECT_EQ(lit_contenu_ini(par_qt)["Coord"]["Lat0"], seul);
}

TEST(EnregistrementAtomique, RestesNettoyesSeulementQuandPersonneNeLesUtilise) {
    DossierConfiguration config;
    const QString chemin = config.chemin_ini();
    const auto cree = [](const QString& nom) {
        QFile f(nom);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Lat0=99\n");
    };
    cree(chemin + ".Ab12Cd"); // a temporary file of an interrupted save
    cree(chemin + ".sauve");  // the user's own copy: not our pattern
    cree(config.dossier() + "/autre.ini.Ab12Cd");
    {
        // A save running in another window holds the lock: its temporary file is left alone.
        QLockFile verrou(chemin + ".lock");
        ASSERT_TRUE(verrou.tryLock(0));
        MagasinIni m(chemin);
        EXPECT_TRUE(QFile::exists(chemin + ".Ab12Cd"));
    }
    {
        // A lock whose owner died (no such process) is stale: it goes, and the leftovers with it.
        QFile verrou(chemin + ".lock");
        ASSERT_TRUE(verrou.open(QIODevice::WriteOnly));
        verrou.write("999999999\norbitel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    MagasinIni m(chemin);
    EXPECT_FALSE(QFile::exists(chemin + ".Ab12Cd"));
    EXPECT_FALSE(QFile::exists(chemin + ".lock"));
    EXPECT_TRUE(QFile::exists(chemin + ".sauve"));
    EXPECT_TRUE(QFile::exists(config.dossier() + "/autre.ini.Ab12Cd"));
}

namespace {

// The calls of a save a test makes fail, counted from 1 on the new (temporary) file.
enum class Appel { creation, ecriture, synchronisation, fermeture, renommage, lecture };

// Real system calls, but the `numero`th call of kind `appel` fails with `erreur` (EINTR: it is
// interrupted and the save goes on; 0 for a write: it writes nothing); reads are counted from 1 in
// each file opened. Each write takes at most
// `par_ecriture` bytes, each read gives at most `par_lecture`, when non-zero.
struct Panne {
    Appel appel = Appel::ecriture;
    int numero = 0; // 0: no call fails
    int erreur = 0;
    ssize_t par_ecriture = 0;
    ssize_t par_lecture = 0;
};

class SystemeEnPanne : Panne {
public:
    explicit SystemeEnPanne(const Panne& panne) : Panne(panne) {}

    AppelsSysteme appels() {
        AppelsSysteme reel;
        AppelsSysteme s = reel;
        const auto rate = [this](Appel a) {
            if (a != appel || ++compte_[a] != numero) return false;
            errno = erreur;
            return true;
        };
        s.ouvre = [this, reel, rate](const char* chemin, int drapeaux, mode_t mode) {
            if ((drapeaux & O_CREAT) != 0) {
                if (rate(Appel::creation)) return -1;
                temporaire_ = reel.ouvre(chemin, drapeaux, mode);
                return temporaire_;
            }
            compte_[Appel::lecture] = 0; // reads are counted file by file
            return reel.ouvre(chemin, drapeaux, mode);
        };
        s.lit = [this, reel, rate](int fd, void* octets, std::size_t n) -> ssize_t {
            if (rate(Appel::lecture)) return -1;
            if (par_lecture > 0) n = std::min(n, static_cast<std::size_t>(par_lecture));
            return reel.lit(fd, octets, n);
        };
        s.ecrit = [this, reel, rate](int fd, const void* octets, std::size_t n) -> ssize_t {
            if (rate(Appel::ecriture)) return erreur == 0 ? 0 : -1;
            if (par_ecriture > 0) n = std::min(n, static_cast<std::size_t>(par_ecriture));
            return reel.ecrit(fd, octets, n);
        };
        s.synchronise = [reel, rate](int fd) {
            return rate(Appel::synchronisation) ? -1 : reel.synchronise(fd);
        };
        s.ferme = [this, reel, rate](int fd) {
            if (fd == temporaire_ && rate(Appel::fermeture)) {
                reel.ferme(fd); // the descriptor is released all the same, as Linux does
                errno = erreur;
                return -1;
            }
            return reel.ferme(fd);
        };
        s.renomme = [reel, rate](const char* de, const char* vers) {
            return rate(Appel::renommage) ? -1 : reel.renomme(de, vers);
        };
        return s;
    }

private:
    std::map<Appel, int> compte_;
    int temporaire_ = -1;
};

QByteArray octets_de(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(illisible)");
}

const QByteArray fichier_ancien = "[Autre]\nFenetre=12\n\n[Coord]\nLat0=33\nLat1=52\nLon0=70\nLon1=15\n"
                                  "NS=False\nEO=False\n";

} // namespace

TEST(EnregistrementAtomique, EcritureSynchronisationOuFermetureEnEchecGardeLAncienFichierEtLeDit) {
    const struct {
        const char* nom;
        Panne panne;
        const char* raison; // nullptr: the save succeeds
    } cas[] = {
        {"disque plein dès la première écriture", {Appel::ecriture, 1, ENOSPC}, "disque plein"},
        {"disque plein après une écriture partielle", {Appel::ecriture, 3, ENOSPC, 7}, "disque plein"},
        {"erreur d'entrée-sortie à l'écriture",
         {Appel::ecriture, 1, EIO},
         "erreur d'entrée-sortie du disque"},
        {"quota dépassé à l'écriture", {Appel::ecriture, 2, EDQUOT, 5}, "quota de disque dépassé"},
        {"écriture qui ne prend plus rien", {Appel::ecriture, 2, 0, 4}, "disque plein"},
        {"pas de place pour le fichier temporaire", {Appel::creation, 1, ENOSPC}, "disque plein"},
        {"synchronisation en échec", {Appel::synchronisation, 1, EIO}, "erreur d'entrée-sortie du disque"},
        {"allocation retardée refusée à la synchronisation",
         {Appel::synchronisation, 1, ENOSPC},
         "disque plein"},
        {"fermeture en échec (système de fichiers réseau)",
         {Appel::fermeture, 1, EIO},
         "erreur d'entrée-sortie du disque"},
        {"quota dépassé à la fermeture", {Appel::fermeture, 1, EDQUOT}, "quota de disque dépassé"},
        {"renommage refusé",
         {Appel::renommage, 1, EACCES},
         "accès refusé (fichier ou dossier en lecture seule)"},
        // Short writes and interruptions are the system's ordinary answers: the save goes through.
        {"un octet par écriture", {Appel::ecriture, 0, 0, 1}, nullptr},
        {"écriture interrompue", {Appel::ecriture, 2, EINTR, 9}, nullptr},
        {"synchronisation interrompue", {Appel::synchronisation, 1, EINTR}, nullptr},
        {"fermeture interrompue", {Appel::fermeture, 1, EINTR}, nullptr},
    };
    for (const auto& c : cas) {
        DossierConfiguration config;
        ecrit_fichier(config.chemin_ini(), fichier_ancien);
        SystemeEnPanne systeme(c.panne);
        MagasinIni m(config.chemin_ini());
        m.systeme = systeme.appels();
        const auto echec = enregistre_lieu(m, nouveau);
        if (c.raison == nullptr) {
            EXPECT_EQ(echec, std::nullopt) << c.nom << ": " << echec->raison;
            attendu_egal(restaure_lieu(MagasinIni(config.chemin_ini())), nouveau, c.nom);
            EXPECT_EQ(MagasinIni(config.chemin_ini()).lit("Autre", "Fenetre"), "12") << c.nom;
        } else {
            ASSERT_TRUE(echec.has_value()) << c.nom;
            EXPECT_EQ(echec->raison, c.raison) << c.nom;
            EXPECT_EQ(echec->fichier, config.chemin_ini().toStdString()) << c.nom;
            EXPECT_FALSE(echec->fichier_illisible) << c.nom;
            EXPECT_EQ(octets_de(config.chemin_ini()), fichier_ancien) << c.nom;
        }
        EXPECT_TRUE(restes(config.dossier()).isEmpty())
            << c.nom << ": " << restes(config.dossier()).join(' ').toStdString();
    }
}

namespace {

// Sets the file's modification date `secondes` ago.
void date_de(const QString& chemin, int secondes) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addSecs(-secondes), QFileDevice::FileModificationTime));
}

} // namespace

TEST(EnregistrementAtomique, VerrouDontLeProprietaireNEstPasProuveVivantRepris) {
    const QByteArray hote = QSysInfo::machineHostName().toUtf8();
    // This process, named as QLockFile names it (a pid taken by another program is no owner).
    const QByteArray moi = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                           QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    const struct {
        const char* nom;
        QByteArray contenu;
        int age_s;                // age of the lock file
        int sans_proprietaire_ms; // the moment an ownerless lock is left to its maker
        bool tenu;                // a living process holds flock on it, as QLockFile does
        bool repris;
    } cas[] = {
        {"vide, laissé par un arrêt brutal", "", 60, 2000, false, true},
        {"vide, à peine créé: repris une fois le moment passé", "", 0, 200, false, true},
        {"illisible", "\x01\x02 pas un verrou", 60, 2000, false, true},
        {"processus mort", "999999999\norbitel\n" + hote + "\n", 0, 2000, false, true},
        {"autre machine, personne ne le tient", "1\norbitel\nune-autre-machine\n", 0, 2000, false, true},
        {"vide, à peine créé: son auteur l'écrit peut-être", "", 0, 60000, false, false},
        {"vide mais tenu par un processus vivant", "", 60, 2000, true, false},
        {"processus vivant de cette machine", moi + "\n" + hote + "\n", 60, 2000, false, false},
    };
    for (const auto& c : cas) {
        DossierConfiguration config;
        ecrit_fichier(config.chemin_ini(), fichier_ancien);
        const QString chemin_verrou = config.chemin_ini() + ".lock";
        ecrit_fichier(chemin_verrou, c.contenu);
        date_de(chemin_verrou, c.age_s);
        const int tenu = c.tenu ? ::open(QFile::encodeName(chemin_verrou).constData(), O_RDONLY) : -1;
        if (c.tenu) {
            ASSERT_EQ(::flock(tenu, LOCK_EX | LOCK_NB), 0) << c.nom;
        }

        MagasinIni m(config.chemin_ini());
        m.systeme.attente_verrou = std::chrono::milliseconds(c.repris ? 5000 : 300);
        m.systeme.age_verrou_sans_proprietaire = std::chrono::milliseconds(c.sans_proprietaire_ms);
        const auto echec = enregistre_lieu(m, nouveau);
        if (c.repris) {
            EXPECT_EQ(echec, std::nullopt) << c.nom << ": " << echec->raison;
            attendu_egal(restaure_lieu(MagasinIni(config.chemin_ini())), nouveau, c.nom);
            EXPECT_FALSE(QFile::exists(chemin_verrou)) << c.nom;
        } else {
            ASSERT_TRUE(echec.has_value()) << c.nom;
            EXPECT_EQ(echec->raison, "le fichier est verrouillé par un autre programme") << c.nom;
            EXPECT_EQ(octets_de(config.chemin_ini()), fichier_ancien) << c.nom;
            EXPECT_EQ(octets_de(chemin_verrou), c.contenu) << c.nom;
        }
        if (tenu >= 0) ::close(tenu);
    }
}

TEST(EnregistrementAtomique, FichierIllisibleSignaleEtRemplaceSeulementSurAccord) {
    const struct {
        const char* nom;
        Panne panne;
        const char* raison;
    } cas[] = {
        {"ouverture refusée", {Appel::lecture, 0, 0}, "lecture refusée par les droits du fichier"},
        {"erreur d'entrée-sortie à la lecture", {Appel::lecture, 1, EIO}, "erreur d'entrée-sortie du disque"},
        {"erreur d'entrée-sortie après une lecture partielle",
         {Appel::lecture, 2, EIO, 0, 16},
         "erreur d'entrée-sortie du disque"},
    };
    for (const auto& c : cas) {
        DossierConfiguration config;
        ecrit_fichier(config.chemin_ini(), fichier_ancien);
        // Write-only, as chmod 200 leaves it: the tests run as root, who reads it all the same,
        // so the refusal is the system call's.
        ASSERT_EQ(::chmod(QFile::encodeName(config.chemin_ini()).constData(), 0200), 0);
        SystemeEnPanne systeme(c.panne);
        MagasinIni m(config.chemin_ini());
        m.systeme = systeme.appels();
        if (c.panne.numero == 0) {
            const auto ouvre = m.systeme.ouvre;
            m.systeme.ouvre = [ouvre](const char* chemin, int drapeaux, mode_t mode) {
                if ((drapeaux & O_ACCMODE) == O_RDONLY) {
                    errno = EACCES;
                    return -1;
                }
                return ouvre(chemin, drapeaux, mode);
            };
        }

        // At start-up: told, and the default place.
        const auto lecture = m.lecture_impossible();
        ASSERT_TRUE(lecture.has_value()) << c.nom;
        EXPECT_EQ(lecture->raison, c.raison) << c.nom;
        EXPECT_EQ(lecture->fichier, config.chemin_ini().toStdString()) << c.nom;
        attendu_egal(restaure_lieu(m), ChampsLieu{}, c.nom);

        // At quit: the file and its other section are kept...
        const auto echec = enregistre_lieu(m, nouveau);
        ASSERT_TRUE(echec.has_value()) << c.nom;
        EXPECT_TRUE(echec->fichier_illisible) << c.nom;
        EXPECT_EQ(echec->raison, c.raison) << c.nom;
        EXPECT_EQ(octets_de(config.chemin_ini()), fichier_ancien) << c.nom;
        EXPECT_TRUE(restes(config.dossier()).isEmpty()) << c.nom;

        // ...unless the user agrees to lose them; the new file can be read by its owner.
        EXPECT_EQ(enregistre_lieu(m, nouveau, SiIllisible::remplace), std::nullopt) << c.nom;
        m.systeme = AppelsSysteme();
        attendu_egal(restaure_lieu(m), nouveau, c.nom);
        EXPECT_EQ(m.lit("Autre", "Fenetre"), std::nullopt) << c.nom;
        EXPECT_EQ(QFileInfo(config.chemin_ini()).permissions() & QFile::ReadOwner, QFile::ReadOwner) << c.nom;
    }
}
