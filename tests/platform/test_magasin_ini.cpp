// The INI store behind the window's place: what is written comes back exactly, whatever it holds.
#include <QFile>

#include <gtest/gtest.h>

#include "outils.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

std::string cle(std::size_t i) {
    std::string c = std::to_string(i);
    c.insert(c.begin(), 'K');
    return c;
}

} // namespace

TEST(MagasinIni, FichierDuDossierDeConfigurationDeLUtilisateur) {
    DossierConfiguration config;
    EXPECT_EQ(chemin_reglages_utilisateur(QStringLiteral("orbitel")), config.dossier() + "/orbitel.ini");
    EXPECT_EQ(chemin_reglages_utilisateur(QStringLiteral("autre")), config.dossier() + "/autre.ini");
}

TEST(MagasinIni, CleAbsenteRendNullopt) {
    DossierConfiguration config;
    const MagasinIni m(config.chemin_ini());
    EXPECT_EQ(m.lit("Coord", "Lat0"), std::nullopt);
}

TEST(MagasinIni, TextesRelusExactementApresReouverture) {
    DossierConfiguration config;
    const std::vector<std::string> textes{"48",
                                          "",
                                          "48,5",
                                          "1,2,3",
                                          ",",
                                          " 48 ",
                                          "\"quoted\"",
                                          "a\\b",
                                          "@Variant(x)",
                                          "@",
                                          "x;y#z",
                                          "=",
                                          "ligne\nsuite",
                                          "Coordonnées à l'été",
                                          "1E999",
                                          std::string(20000, '7'),
                                          "True"};
    {
        MagasinIni m(config.chemin_ini());
        for (std::size_t i = 0; i < textes.size(); ++i)
            ASSERT_TRUE(m.ecrit("Coord", cle(i), textes[i]));
    }
    const MagasinIni relu(config.chemin_ini());
    for (std::size_t i = 0; i < textes.size(); ++i)
        EXPECT_EQ(relu.lit("Coord", cle(i)), textes[i]) << "texte " << i;
}

TEST(MagasinIni, VeritesEcritesEnMotsDansLeFichier) {
    DossierConfiguration config;
    {
        MagasinIni m(config.chemin_ini());
        sauve_lieu(m, ChampsLieu{"33", "52", "70", "15", false, true});
    }
    QFile f(config.chemin_ini());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString contenu = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(contenu.contains("[Coord]"));
    EXPECT_TRUE(contenu.contains("NS=False"));
    EXPECT_TRUE(contenu.contains("EO=True"));
    EXPECT_TRUE(contenu.contains("Lat0=33"));
}

TEST(MagasinIni, VirgulesNonCiteesDUnFichierEditeALaMain) {
    DossierConfiguration config;
    QFile f(config.chemin_ini());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Coord]\nLat0=48,5\nLat1=abc\nNS=0\nEO=nimporte\n");
    f.close();
    const MagasinIni m(config.chemin_ini());
    EXPECT_EQ(m.lit("Coord", "Lat0"), "48,5");
    const ChampsLieu l = restaure_lieu(m);
    EXPECT_EQ(l.lat0, "48,5");
    EXPECT_EQ(l.lat1, "abc");
    EXPECT_EQ(l.lon0, "2");
    EXPECT_FALSE(l.nord);
    EXPECT_TRUE(l.est);
}

TEST(MagasinIni, FichierIllisibleDonneLesValeursParDefaut) {
    DossierConfiguration config;
    QFile f(config.chemin_ini());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    static const char abime[] = "\x00\xff\xfe[[[\n=\n\x01garbage";
    f.write(QByteArray(abime, sizeof abime - 1));
    f.close();
    const MagasinIni m(config.chemin_ini());
    const ChampsLieu l = restaure_lieu(m);
    EXPECT_EQ(l.lat0, "48");
    EXPECT_TRUE(l.nord);
}

TEST(MagasinIni, EcritureImpossibleSignalee) {
    DossierConfiguration config;
    // The store's path is a folder: nothing can be written there.
    QDir(config.dossier()).mkdir("orbitel.ini");
    MagasinIni m(config.chemin_ini());
    EXPECT_FALSE(m.ecrit("Coord", "Lat0", "48"));
}
