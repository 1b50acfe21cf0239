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
// `ini`, when given, is the content of the saved settings the run finds.
Sortie lance(const std::string& locale, const std::string& arguments, const std::string& ini = {}) {
    const auto dossier = std::filesystem::temp_directory_path() / ("orbitel-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    if (!ini.empty()) std::ofstream(dossier / "orbitel.ini") << ini;
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

TEST(Rapport, InstantTropLointainPourEtreEcrit) {
    // Finite but far beyond any date that can be written to the second: the "---" forms, never a
    // garbled date such as 00/-1/-9.22337203685478E+18.
    for (const char* args : {"--date 1/1/1E30", "--date 1/1/1E20 --heure 12:0:0", "--heure 1E30:0:0"}) {
        const Sortie s = lance("C", args);
        ASSERT_EQ(s.statut, 0) << args;
        const auto l = s.lignes();
        ASSERT_EQ(l.size(), 22u) << args;
        EXPECT_EQ(l[11], "Instant G.M.T. = instant non calculable") << args;
        EXPECT_EQ(l[0], "Longitude = ---") << args;
        EXPECT_EQ(l[12], "Hauteur: ---") << args;
        EXPECT_EQ(l[14], "Lever: ---") << args;
        EXPECT_EQ(l[15], "Coucher: ---") << args;
    }
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
                             "--latitude 48:52X", "--latitude 48:52é", "--longitude 2:20N", "--date", "--help=oui", "12/4/1992"}) {
        const Sortie s = lance("C", args);
        EXPECT_EQ(s.statut, 2) << args;
        EXPECT_TRUE(s.sortie.empty()) << args;
        EXPECT_EQ(s.erreurs.rfind("orbitel-rapport : ", 0), 0u) << args << ": " << s.erreurs;
    }
}

TEST(Rapport, PhasesEtDeltaTDeLaDateDeLInstant) {
    const Sortie s = lance("fr_FR.UTF-8", "--date 1/3/2024 --heure 15:0:0");
    ASSERT_EQ(s.statut, 0);
    const auto l = s.lignes();
    ASSERT_EQ(l.size(), 22u);
    EXPECT_EQ(l[16], "Nouvelle Lune le: 9/2/2024 à 22:58:45 T.U");
    EXPECT_EQ(l[17], "Premier quartier le: 16/2/2024 à 15:00:35 T.U");
    EXPECT_EQ(l[18], "Pleine Lune le: 24/2/2024 à 12:30:04 T.U");
    EXPECT_EQ(l[19], "Dernier quartier le: 3/3/2024 à 15:23:18 T.U");
    EXPECT_EQ(l[20], "Lune suivante le: 10/3/2024 à 09:00:02 T.U");
    EXPECT_EQ(l[21], "Les heures sont en temps universel, la différence avec le temps terrestre dynamique "
                     "(TDT ou TT) est, en 2024, de 90,36 secondes.");
}

TEST(Rapport, DateHorsCalendrierSansPhases) {
    const Sortie s = lance("C", "--date 31/2/2026");
    ASSERT_EQ(s.statut, 0);
    const auto l = s.lignes();
    ASSERT_EQ(l.size(), 22u);
    for (std::size_t i = 16; i < 22; ++i) EXPECT_EQ(l[i], "---") << i;
    // The ephemeris itself runs: 31 February is 3 March for the Julian day.
    EXPECT_EQ(l[11], "Instant G.M.T. = 03/03/2026 à 00:00:00");
}

TEST(Rapport, LignesTopocentriquesEtLeverCoucherAParis) {
    const Sortie s = lance("fr_FR.UTF-8", "--date 12/4/1992 --heure 0:0:0 --latitude 48:52N --longitude 2:20E");
    ASSERT_EQ(s.statut, 0) << s.erreurs;
    const auto l = s.lignes();
    ASSERT_EQ(l.size(), 22u);
    const std::vector<std::pair<std::size_t, std::string>> attendu{
        {7, "Distance Topocentrique = 365787,139 kms"},
        {8, "Ascension droite Topo = 08 h 56 m 14,89s"},
        {9, "Déclinaison Topocentrique = +13° 05' 42,97''"},
        {13, "Hauteur: +23° 47'"},
        {14, "Azimut: 262° 38'"},
        {15, "Lever: 12/04/1992 à 13:05 ( Az = 073,4°)"},
        {16, "Coucher: 12/04/1992 à 02:34 ( Az = 290,2°)"},
    };
    for (const auto& [n, texte] : attendu) EXPECT_EQ(l[n - 1], texte) << "ligne " << n;
}

TEST(Rapport, LieuHemispheresEtValeursIllisibles) {
    // 48:52S 2:20O is a different sky; 1E999 minutes read 0, as 48:0N.
    const Sortie sud = lance("C", "--date 12/4/1992 --latitude 48:52s --longitude 2:20o");
    const Sortie zero = lance("C", "--date 12/4/1992 --latitude 48:1E999 --longitude 2:20");
    const Sortie net = lance("C", "--date 12/4/1992 --latitude 48:0 --longitude 2:20");
    ASSERT_EQ(sud.statut, 0);
    EXPECT_NE(sud.lignes().at(12), lance("C", "--date 12/4/1992").lignes().at(12));
    EXPECT_EQ(zero.lignes(), net.lignes());
    const Sortie enorme = lance("C", "--date 12/4/1992 --latitude 1E300:0");
    EXPECT_EQ(enorme.statut, 2);
    EXPECT_TRUE(enorme.sortie.empty());
}

TEST(Rapport, InstantNonCalculableSansLignesTopocentriques) {
    const auto l = lance("C", "--date 1/1/1E300").lignes();
    ASSERT_EQ(l.size(), 22u);
    EXPECT_EQ(l[14], "Lever: ---");
    EXPECT_EQ(l[15], "Coucher: ---");
    EXPECT_EQ(l[12].find("---") != std::string::npos, true) << l[12];
}

TEST(Rapport, LieuParDefautCeluiQueLaFenetreAEnregistre) {
    const std::string ini = "[Coord]\nLat0=33\nLat1=52\nLon0=151\nLon1=12\nNS=False\nEO=True\n";
    const Sortie enregistre = lance("C", "--date 12/4/1992", ini);
    const Sortie explicite = lance("C", "--date 12/4/1992 --latitude 33:52S --longitude 151:12E");
    const Sortie paris = lance("C", "--date 12/4/1992");
    ASSERT_EQ(enregistre.statut, 0);
    EXPECT_EQ(enregistre.lignes(), explicite.lignes());
    EXPECT_NE(enregistre.lignes(), paris.lignes());
    // The command line wins over the saved place.
    EXPECT_EQ(lance("C", "--date 12/4/1992 --latitude 48:52 --longitude 2:20E", ini).lignes(), paris.lignes());
}

namespace {

// UTF-8 text as ISO-8859-1 would hold it, "?" for what it lacks: the expected output of a Latin-1
// terminal, written independently of the program's conversion.
std::string en_latin1(const std::string& utf8) {
    std::string r;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        unsigned code = n == 1 ? c : c & (0x7Fu >> n);
        for (std::size_t k = 1; k < n; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        r += code <= 0xFF ? static_cast<char>(code) : '?';
        i += n;
    }
    return r;
}

} // namespace

TEST(Rapport, TexteEtMessagesDansLeJeuDeCaracteresDeLaLocale) {
    // An ISO-8859-1 locale of our own, made for the test where the system has none.
    const auto dossier = std::filesystem::temp_directory_path() / ("orbitel-locale-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    const std::string fabrique = "localedef -i fr_FR -f ISO-8859-1 '" + (dossier / "fr_FR.ISO-8859-1").string() +
                                 "' >/dev/null 2>&1";
    if (std::system(fabrique.c_str()) != 0 && !std::filesystem::exists(dossier / "fr_FR.ISO-8859-1"))
        GTEST_SKIP() << "localedef cannot make an ISO-8859-1 locale here";
    const std::string latin1 = "fr_FR.ISO-8859-1 LOCPATH='" + dossier.string() + "'";
    for (const char* arguments : {"--date 12/4/1992 --heure 0:0:0 --latitude 33:52S", "--inconnue", "--help"}) {
        const Sortie utf8 = lance("fr_FR.UTF-8", arguments);
        const Sortie iso = lance(latin1, arguments);
        EXPECT_EQ(iso.statut, utf8.statut) << arguments;
        EXPECT_EQ(iso.sortie, en_latin1(utf8.sortie)) << arguments;
        EXPECT_EQ(iso.erreurs, en_latin1(utf8.erreurs)) << arguments;
        EXPECT_NE(iso.sortie + iso.erreurs, utf8.sortie + utf8.erreurs) << arguments; // accents to convert
    }
    // The C locale keeps UTF-8.
    const Sortie c = lance("C", "--date 12/4/1992 --heure 0:0:0");
    EXPECT_NE(c.sortie.find("à"), std::string::npos);
    std::filesystem::remove_all(dossier);
}
