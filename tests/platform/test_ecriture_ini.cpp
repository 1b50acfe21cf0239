// The place saved as one unit: a save that fails at any of its steps leaves the old place whole, a
// save that succeeds leaves the new one whole, and the file stays what QSettings writes and reads.
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSettings>

#include <cerrno>
#include <gtest/gtest.h>

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
