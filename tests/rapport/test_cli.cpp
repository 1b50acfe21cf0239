// orbitel-rapport driven as a user runs it: its lines, its exit codes and its messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Sortie {
    int statut = -1;
    std::string sortie;
    std::string erreurs;
    std::vector<std::string> lignes() const {
        std::vector<std::string> v;
        std::istringstream in(sortie);
        for (std::string l; std::getline(in, l);) v.push_back(l);
        return v;
    }
};

std::string lit_fichier(const std::filesystem::path& p) {
    std::ifstream in(p);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the program with the given locale and arguments (quoted for the shell by the caller).
Sortie lance(const std::string& locale, const std::string& arguments) {
    const auto dossier = std::filesystem::temp_directory_path() / ("orbitel-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    const auto err = dossier / "stderr";
    // A private configuration folder: the report must not read the user's saved place.
    const std::string commande = "env -u LC_NUMERIC -u LANG XDG_CONFIG_HOME='" + dossier.string() +
                                 "' LC_ALL=" + locale + " '" ORBITEL_RAPPORT_EXE "' " + arguments + " 2>'" +
                                 err.string() + "'";
    Sortie s;
    FILE* f = ::popen(commande.c_str(), "r");
    if (!f) return s;
    std::array<char, 4096> tampon;
    for (std::size_t n; (n = std::fread(tampon.data(), 1, tampon.size(), f)) > 0;) s.sortie.append(tampon.data(), n);
    const int brut = ::pclose(f);
    s.statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
    s.erreurs = lit_fichier(err);
    std::filesystem::remove_all(dossier);
    return s;
}

} // namespace

TEST(Rapport, LignesGeocentriquesDu12Avril1992EnFrancais) {
    const Sortie s = lance("fr_FR.UTF-8", "--date 12/4/1992 --heure 0:0:0");
    ASSERT_EQ(s.statut, 0) << s.erreurs;
    const auto l = s.lignes();
    ASSERT_EQ(l.size(), 22u);
    const std::vector<std::pair<std::size_t, std::string>> attendu{
        {1, "Longitude = 133° 10' 0,41''"},
        {2, "Latitude = - 3° 13' 44,92''"},
        {3, "Distance terre - Lune = 368405,065 kms"},
        {4, "Parallaxe = 59 ' 30,85''"},
        {5, "Ascension droite = 08 h 58 m 45,12s"},
        {6, "Déclinaison = +13° 46' 6,55''"},
        {10, "Elongation = 110,8° Est"},
        {11, "Phase = 67,9%"},
        {12, "Instant G.M.T. = 12/04/1992 à 00:00:00"},
    };
    for (const auto& [n, texte] : attendu) EXPECT_EQ(l[n - 1], texte) << "ligne " << n;
}

TEST(Rapport, PointDecimalHorsLocaleFrancaise) {
    const Sortie s = lance("C", "--date 12/4/1992 --heure 0:0:0");
    ASSERT_EQ(s.statut, 0);
    EXPECT_EQ(s.lignes().at(2), "Distance terre - Lune = 368405.065 kms");
}

TEST(Rapport, DateSeuleVautZeroHeure) {
    const Sortie s = lance("C", "--date 12/4/1992");
    ASSERT_EQ(s.statut, 0);
    EXPECT_EQ(s.lignes().at(11), "Instant G.M.T. = 12/04/1992 à 00:00:00");
}

TEST(Rapport, HeureSeuleEstCelleDuJourTu) {
    const Sortie s = lance("C", "--heure 1:2:3");
    ASSERT_EQ(s.statut, 0);
    EXPECT_NE(s.lignes().at(11).find("à 01:02:03"), std::string::npos) << s.lignes().at(11);
}

TEST(Rapport, SansInstantCestMaintenant) {
    const Sortie s = lance("C", "");
    ASSERT_EQ(s.statut, 0);
    ASSERT_EQ(s.lignes().size(), 22u);
    EXPECT_EQ(s.lignes().at(11).rfind("Instant G.M.T. = ", 0), 0u);
}

TEST(Rapport, SousChampsLusCommeDansLaFenetre) {
    // Blanks ignored, comma or point, a missing sub-field reads 0, 1E999 has nothing to keep: 0.
    const Sortie a = lance("C", "--date '12/4/1 9 9 2' --heure '0:0'");
    const Sortie b = lance("C", "--date=12/4/1992 --heure=0:0:1E999");
    ASSERT_EQ(a.statut, 0);
    ASSERT_EQ(b.statut, 0);
    EXPECT_EQ(a.lignes().at(11), "Instant G.M.T. = 12/04/1992 à 00:00:00");
    EXPECT_EQ(b.lignes().at(11), "Instant G.M.T. = 12/04/1992 à 00:00:00");
    const Sortie c = lance("C", "--date 12/4/1992 --heure 0:30,5:0");
    EXPECT_EQ(c.lignes().at(11), "Instant G.M.T. = 12/04/1992 à 00:30:30");
}

TEST(Rapport, FormesDesOptionsDeLieu) {
    for (const char* args : {"--latitude -10:30 --longitude 2:20w", "--latitude=-10:30n --longitude=2:20O"}) {
        const Sortie s = lance("C", std::string("--date 12/4/1992 ") + args);
        EXPECT_EQ(s.statut, 0) << args << ": " << s.erreurs;
        EXPECT_EQ(s.lignes().size(), 22u);
    }
}

TEST(Rapport, InstantNonCalculable) {
    const Sortie s = lance("C", "--date 1/1/1E300");
    ASSERT_EQ(s.statut, 0);
    const auto l = s.lignes();
    ASSERT_EQ(l.size(), 22u);
    EXPECT_EQ(l[11], "Instant G.M.T. = instant non calculable");
    EXPECT_EQ(l[0], "Longitude = ---");
    for (const auto& ligne : l) {
        EXPECT_EQ(ligne.find("nan"), std::string::npos) << ligne;
        EXPECT_EQ(ligne.find("inf"), std::string::npos) << ligne;
    }
}

TEST(Rapport, AideEnFrancais) {
    const Sortie s = lance("C", "--help");
    EXPECT_EQ(s.statut, 0);
    EXPECT_NE(s.sortie.find("Usage : orbitel-rapport"), std::string::npos);
    EXPECT_NE(s.sortie.find("temps universel"), std::string::npos);
}

TEST(Rapport, MauvaisArgumentsSortie2SansRienSurLaSortie) {
    for (const char* args : {"--inconnue", "--date 1/2/3/4", "--heure 1:2:3:4", "--latitude 48:52:10",
                             "--latitude 48:52X", "--longitude 2:20N", "--date", "--help=oui", "12/4/1992"}) {
        const Sortie s = lance("C", args);
        EXPECT_EQ(s.statut, 2) << args;
        EXPECT_TRUE(s.sortie.empty()) << args;
        EXPECT_EQ(s.erreurs.rfind("orbitel-rapport : ", 0), 0u) << args << ": " << s.erreurs;
    }
}
