// orbitel-rapport driven as a user runs it: its lines, its exit codes and its messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../events/references.hpp"
#include "cli/options.hpp"
#include "events/delta_t_precis.hpp"

namespace {

struct Sortie {
    int statut = -1;
    std::string sortie;
    std::string erreurs;
    std::vector<std::string> lignes() const {
        std::vector<std::string> v;
        std::istringstream in(sortie);
        for (std::string l; std::getline(in, l);)
            v.push_back(l);
        return v;
    }
};

std::string lit_fichier(const std::filesystem::path& p) {
    std::ifstream in(p);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the program with the given locale and arguments (quoted for the shell by the caller).
// `ini`, when given, is the content of the saved settings the run finds.
// `environnement` adds variables to the run ("TZ=Europe/Paris").
Sortie lance(const std::string& locale, const std::string& arguments, const std::string& ini = {},
             const std::string& environnement = {}) {
    const auto dossier =
        std::filesystem::temp_directory_path() / ("orbitel-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    if (!ini.empty()) std::ofstream(dossier / "orbitel.ini") << ini;
    const auto err = dossier / "stderr";
    // A private configuration folder: the report must not read the user's saved place.
    const std::string commande = "env -u LC_NUMERIC -u LANG XDG_CONFIG_HOME='" + dossier.string() +
                                 "' LC_ALL=" + locale + " " + environnement + " '" ORBITEL_RAPPORT_EXE "' " +
                                 arguments + " 2>'" + err.string() + "'";
    Sortie s;
    FILE* f = ::popen(commande.c_str(), "r");
    if (!f) return s;
    std::array<char, 4096> tampon;
    for (std::size_t n; (n = std::fread(tampon.data(), 1, tampon.size(), f)) > 0;)
        s.sortie.append(tampon.data(), n);
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
    for (const auto& [n, texte] : attendu)
        EXPECT_EQ(l[n - 1], texte) << "ligne " << n;
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
        const Sortie s = lance("C", std::string("--saisie fenetre ") + args);
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
    const Sortie a = lance("C", "--saisie fenetre --date '12/4/1 9 9 2' --heure '0:0'");
    const Sortie b = lance("C", "--saisie fenetre --date=12/4/1992 --heure=0:0:1E999");
    ASSERT_EQ(a.statut, 0);
    ASSERT_EQ(b.statut, 0);
    EXPECT_EQ(a.lignes().at(11), "Instant G.M.T. = 12/04/1992 à 00:00:00");
    EXPECT_EQ(b.lignes().at(11), "Instant G.M.T. = 12/04/1992 à 00:00:00");
    const Sortie c = lance("C", "--saisie fenetre --date 12/4/1992 --heure 0:30,5:0");
    EXPECT_EQ(c.lignes().at(11), "Instant G.M.T. = 12/04/1992 à 00:30:30");
}

TEST(Rapport, FormesDesOptionsDeLieu) {
    for (const char* args : {"--latitude -10:30 --longitude 2:20w", "--latitude=-10:30n --longitude=2:20O"}) {
        const Sortie s = lance("C", std::string("--saisie fenetre --date 12/4/1992 ") + args);
        EXPECT_EQ(s.statut, 0) << args << ": " << s.erreurs;
        EXPECT_EQ(s.lignes().size(), 22u);
    }
}

TEST(Rapport, InstantNonCalculable) {
    const Sortie s = lance("C", "--saisie fenetre --date 1/1/1E300");
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

TEST(Rapport, AideDonneLesTroisStatuts) {
    const Sortie s = lance("C", "--help");
    ASSERT_EQ(s.statut, 0);
    const auto debut = s.sortie.find("Statut de sortie :");
    ASSERT_NE(debut, std::string::npos) << s.sortie;
    const std::string statuts = s.sortie.substr(debut);
    for (const char* ligne :
         {"\n  0  ", "\n  1  la sortie standard n'a pas pu être écrite", "\n  2  argument refusé"})
        EXPECT_NE(statuts.find(ligne), std::string::npos) << ligne << "\n" << statuts;
}

TEST(Rapport, OptionDonneeDeuxFoisRefusee) {
    // Whichever way each is written, the second time an option comes is refused: the last one
    // winning would hide a slip.
    const std::vector<std::pair<std::string, std::string>> cas{
        {"--date 1/1/2020 --date 2/2/2020", "l'option --date est donnée deux fois (« 1/1/2020 » puis « "
                                            "2/2/2020 ») ; une seule valeur attendue."},
        {"--date=1/1/2020 --heure 1:0 --date=1/1/2020", "l'option --date est donnée deux fois (« 1/1/2020 » "
                                                        "puis « 1/1/2020 ») ; une seule valeur attendue."},
        {"--latitude 48:52N --longitude 2:20E --latitude 10S",
         "l'option --latitude est donnée deux fois (« 48:52N » puis « 10S ») ; une seule valeur attendue."},
        {"--du 1/1/2027 --au 2/1/2027 --au=3/1/2027",
         "l'option --au est donnée deux fois (« 2/1/2027 » puis « 3/1/2027 ») ; une seule valeur attendue."},
        {"--phases 2027 --format csv --format json",
         "l'option --format est donnée deux fois (« csv » puis « json ») ; une seule valeur attendue."},
        {"--fuseau tu --format csv --fuseau local",
         "l'option --fuseau est donnée deux fois (« tu » puis « local ») ; une seule valeur attendue."},
        {"--saisie fenetre --saisie fenetre", "l'option --saisie est donnée deux fois (« fenetre » puis « "
                                              "fenetre ») ; une seule valeur attendue."},
        {"--du 1/1/2027 --au 2/1/2027 --pas 1h --pas 2h",
         "l'option --pas est donnée deux fois (« 1h » puis « 2h ») ; une seule valeur attendue."},
        {"--version --version", "l'option --version est donnée deux fois."},
        {"--help -h", "l'option -h est donnée deux fois."},
    };
    for (const auto& [args, message] : cas) {
        const Sortie s = lance("C", args);
        EXPECT_EQ(s.statut, 2) << args;
        EXPECT_TRUE(s.sortie.empty()) << args;
        EXPECT_EQ(s.erreurs, "orbitel-rapport : " + message + "\n") << args;
    }
}

TEST(Rapport, SortieImpossibleAEcrireStatut1AvecMessage) {
    // A full disk or a closed output must not pass for a report written: status 1 and a French
    // message, whatever the output was to be (a line, the help, a table, many blocks).
    const std::string plein =
        "orbitel-rapport : la sortie standard n'a pas pu être écrite (plus de place sur le "
        "périphérique).\n";
    const std::string fermee =
        "orbitel-rapport : la sortie standard n'a pas pu être écrite (elle est fermée).\n";
    const std::vector<std::pair<std::string, std::string>> cas{
        {"--version > /dev/full", plein},
        {"--help > /dev/full", plein},
        {"--date 12/4/1992 --latitude 48:52N --longitude 2:20E > /dev/full", plein},
        {"--phases 2027 --format ics > /dev/full", plein},
        {"--du 1/1/2027 --au 31/12/2027 --pas 1h --latitude 48:52N --longitude 2:20E --format csv > "
         "/dev/full",
         plein},
        {"--phases 2027 --format csv >&-", fermee},
    };
    for (const auto& [args, message] : cas) {
        const Sortie s = lance("C", args);
        EXPECT_EQ(s.statut, 1) << args;
        EXPECT_EQ(s.erreurs, message) << args;
    }
    // A refusal stays a refusal: nothing was to be written.
    const Sortie refus = lance("C", "--date 31/2/2025 > /dev/full");
    EXPECT_EQ(refus.statut, 2);
    EXPECT_EQ(refus.erreurs.find("sortie standard"), std::string::npos) << refus.erreurs;
}

TEST(Rapport, NombreTropGrandDitLeQuil) {
    // A number past the double range is a number, too large; a text that is no number says so.
    const std::vector<std::pair<std::string, std::string>> cas{
        {"--latitude 1E999",
         "--latitude « 1E999 » : « 1E999 » est un nombre trop grand (DD ou DD:MM suivi de N ou S attendu)."},
        {"--longitude '-1D999:0E'", "--longitude « -1D999:0E » : « -1D999 » est un nombre trop grand (DD ou "
                                    "DD:MM suivi de E ou O attendu)."},
        {"--date '1/1/ 1,5 e 400 '", "--date « 1/1/ 1,5 e 400  » : «  1,5 e 400  » est un nombre trop grand "
                                     "(J/M/A attendu : jour, mois et année entiers)."},
        {"--heure 0:1E309",
         "--heure « 0:1E309 » : « 1E309 » est un nombre trop grand (H:M ou H:M:S attendu)."},
        {"--heure '0:0:&H" + std::string(300, 'F') + "'",
         "--heure « 0:0:&H" + std::string(300, 'F') + " » : « &H" + std::string(300, 'F') +
             " » est un nombre trop grand (H:M ou H:M:S attendu)."},
        {"--heure '0:0:&O" + std::string(410, '7') + "'",
         "--heure « 0:0:&O" + std::string(410, '7') + " » : « &O" + std::string(410, '7') +
             " » est un nombre trop grand (H:M ou H:M:S attendu)."},
        {"--phases 1E999",
         "--phases « 1E999 » : c'est un nombre trop grand (une année entière de -32767 à 32767 attendue)."},
        {"--du 1/1/2027 --au 2/1/2027 --pas 10000000000h",
         "--pas « 10000000000h » : N trop grand (au plus 999999999)."},
        // Too large, but with something else after it, or a digit the base lacks: not a number.
        {"--heure 0:1E999x", "--heure « 0:1E999x » : « 1E999x » n'est pas un nombre (H:M ou H:M:S attendu)."},
        {"--heure '0:0:&O" + std::string(410, '7') + "8'",
         "--heure « 0:0:&O" + std::string(410, '7') + "8 » : « &O" + std::string(410, '7') +
             "8 » n'est pas un nombre (H:M ou H:M:S attendu)."},
        {"--phases 1E999abc",
         "--phases « 1E999abc » : ce n'est pas un nombre (une année entière de -32767 à 32767 attendue)."},
    };
    for (const auto& [args, message] : cas) {
        const Sortie s = lance("C", args);
        EXPECT_EQ(s.statut, 2) << args;
        EXPECT_TRUE(s.sortie.empty()) << args;
        EXPECT_EQ(s.erreurs, "orbitel-rapport : " + message + "\n") << args;
    }
}

TEST(Rapport, MauvaisArgumentsSortie2SansRienSurLaSortie) {
    for (const char* args :
         {"--inconnue", "--date 1/2/3/4", "--heure 1:2:3:4", "--latitude 48:52:10", "--latitude 48:52X",
          "--latitude 48:52é", "--longitude 2:20N", "--date", "--help=oui", "12/4/1992"}) {
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

TEST(Rapport, PhasesDeLaDateQueLitLaLigneInstant) {
    // Typed fields out of the calendar run on as the Julian day takes them: the panel and its notice
    // are those of the date the instant line writes, "---" where it writes none the panel can list.
    struct Cas {
        const char* date;
        const char* ecrite; // nullptr: the six lines read "---"
    };
    for (const Cas c :
         {Cas{"31/2/2026", "3/3/2026"}, Cas{"/2/2025", "31/1/2025"}, Cas{"29/2/1900", "1/3/1900"},
          Cas{"10/10/1582", "20/10/1582"}, Cas{"1/1/99999", nullptr}, Cas{"1/1/1E300", nullptr}}) {
        const Sortie s = lance("C", std::string("--saisie fenetre --date ") + c.date);
        ASSERT_EQ(s.statut, 0) << c.date;
        const auto l = s.lignes();
        ASSERT_EQ(l.size(), 22u) << c.date;
        std::vector<std::string> attendu(6, "---");
        if (c.ecrite) {
            const auto t = lance("C", std::string("--date ") + c.ecrite).lignes();
            ASSERT_EQ(t.size(), 22u) << c.ecrite;
            EXPECT_EQ(l[11], t[11]) << c.date; // the same instant line
            attendu.assign(t.begin() + 16, t.end());
        }
        EXPECT_EQ(std::vector<std::string>(l.begin() + 16, l.end()), attendu) << c.date;
    }
}

TEST(Rapport, LignesTopocentriquesEtLeverCoucherAParis) {
    const Sortie s =
        lance("fr_FR.UTF-8", "--date 12/4/1992 --heure 0:0:0 --latitude 48:52N --longitude 2:20E");
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
    for (const auto& [n, texte] : attendu)
        EXPECT_EQ(l[n - 1], texte) << "ligne " << n;
}

TEST(Rapport, LieuHemispheresEtValeursIllisibles) {
    // 48:52S 2:20O is a different sky; 1E999 minutes read 0, as 48:0N.
    const Sortie sud = lance("C", "--saisie fenetre --date 12/4/1992 --latitude 48:52s --longitude 2:20o");
    const Sortie zero = lance("C", "--saisie fenetre --date 12/4/1992 --latitude 48:1E999 --longitude 2:20");
    const Sortie net = lance("C", "--saisie fenetre --date 12/4/1992 --latitude 48:0 --longitude 2:20");
    ASSERT_EQ(sud.statut, 0);
    EXPECT_NE(sud.lignes().at(12), lance("C", "--saisie fenetre --date 12/4/1992").lignes().at(12));
    EXPECT_EQ(zero.lignes(), net.lignes());
    const Sortie enorme = lance("C", "--saisie fenetre --date 12/4/1992 --latitude 1E300:0");
    EXPECT_EQ(enorme.statut, 2);
    EXPECT_TRUE(enorme.sortie.empty());
}

TEST(Rapport, InstantNonCalculableSansLignesTopocentriques) {
    const auto l = lance("C", "--saisie fenetre --date 1/1/1E300").lignes();
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
    EXPECT_EQ(lance("C", "--date 12/4/1992 --latitude 48:52 --longitude 2:20E", ini).lignes(),
              paris.lignes());
}

namespace {

std::vector<std::string> cellules(const std::string& ligne) {
    std::vector<std::string> v(1);
    for (char c : ligne) {
        if (c == ',')
            v.emplace_back();
        else
            v.back().push_back(c);
    }
    return v;
}

// Seconds from 1 January 2027 at 0 h of "2027-03-28T01:47:18Z" or of "28/03/2027 à 01:47".
long secondes_2027(int jour, int mois, int heure, int minute, int seconde) {
    static const int avant[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return ((avant[mois - 1] + jour - 1) * 24L + heure) * 3600 + minute * 60 + seconde;
}
long secondes_iso(const std::string& t) {
    return secondes_2027(std::stoi(t.substr(8, 2)), std::stoi(t.substr(5, 2)), std::stoi(t.substr(11, 2)),
                         std::stoi(t.substr(14, 2)), std::stoi(t.substr(17, 2)));
}

// UTF-8 text as ISO-8859-1 would hold it, "?" for what it lacks: the expected output of a Latin-1
// terminal, written independently of the program's conversion.
std::string en_latin1(const std::string& utf8) {
    std::string r;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        unsigned code = n == 1 ? c : c & (0x7Fu >> n);
        for (std::size_t k = 1; k < n; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        r += code <= 0xFF ? static_cast<char>(code) : '?';
        i += n;
    }
    return r;
}

} // namespace

TEST(Rapport, LectureStricteRefusEtSaisieFenetre) {
    // Each refusal: status 2, nothing on standard output, the message quoting the option and the text.
    const std::vector<std::pair<std::string, std::string>> refus{
        {"--date 31/2/2025",
         "--date « 31/2/2025 » : ce jour n'existe pas (mois de 1 à 12, jour dans le mois ; "
         "calendrier julien avant le 15/10/1582, grégorien ensuite)."},
        {"--date abc/1/2000",
         "--date « abc/1/2000 » : « abc » n'est pas un nombre (J/M/A attendu : jour, mois et "
         "année entiers)."},
        {"--date 12/4",
         "--date « 12/4 » : il manque des champs (J/M/A attendu : jour, mois et année entiers)."},
        {"--date 1.5/4/1992", "--date « 1.5/4/1992 » : J/M/A attendu : jour, mois et année entiers."},
        {"--date 29/2/1900",
         "--date « 29/2/1900 » : ce jour n'existe pas (mois de 1 à 12, jour dans le mois ; "
         "calendrier julien avant le 15/10/1582, grégorien ensuite)."},
        {"--date 10/10/1582",
         "--date « 10/10/1582 » : les jours du 5 au 14/10/1582 n'existent pas (le 4/10/1582, "
         "julien, est suivi du 15/10/1582, grégorien)."},
        {"--date 1/1/32768", "--date « 1/1/32768 » : année de -32767 à 32767 attendue."},
        {"--heure 12::30", "--heure « 12::30 » : un champ est vide (H:M ou H:M:S attendu)."},
        {"--heure 24:0", "--heure « 24:0 » : heures entières de 0 à 23 attendues."},
        {"--heure 0:30,5", "--heure « 0:30,5 » : minutes entières de 0 à 59 attendues."},
        {"--heure 0:0:60", "--heure « 0:0:60 » : secondes de 0 à moins de 60 attendues."},
        {"--heure 0:0:1E999",
         "--heure « 0:0:1E999 » : « 1E999 » est un nombre trop grand (H:M ou H:M:S attendu)."},
        {"--latitude 95:00N", "--latitude « 95:00N » : au plus 90° attendus."},
        {"--latitude 90:01S", "--latitude « 90:01S » : au plus 90° attendus."},
        {"--latitude -10:30",
         "--latitude « -10:30 » : degrés et minutes positifs attendus (la lettre donne le côté)."},
        {"--latitude 48:60", "--latitude « 48:60 » : minutes inférieures à 60 attendues."},
        {"--longitude 180:0,5E", "--longitude « 180:0,5E » : au plus 180° attendus."},
        {"--du 2/1/2027 --au 1/1/2027",
         "--au « 1/1/2027 » est avant --du « 2/1/2027 » (la période va de --du à --au)."},
        {"--du 1/1/2027 --au 2/1/2027 --pas 0h",
         "--pas « 0h » : un pas nul n'avance pas (N d'au moins 1 attendu)."},
        {"--du 1/1/2027 --au 2/1/2027 --pas 3s",
         "--pas « 3s » : N(j|h|min) attendu, N entier : 1j, 6h, 30min."},
        {"--date 1/1/2027 --du 1/1/2027 --au 2/1/2027",
         "--du ne va pas avec --date (une date ou une période, pas les deux)."},
        {"--du 1/1/2027", "--du demande --au (la période va de --du à --au)."},
        {"--phases 2027 --date 1/1/2027",
         "--phases ne va pas avec --date (les phases d'une année ne dépendent que de l'année)."},
        {"--phases 2027 --du 1/1/2027 --au 2/1/2027",
         "--phases ne va pas avec --du (les phases d'une année ne dépendent que de l'année)."},
        {"--phases 2027,5", "--phases « 2027,5 » : une année entière de -32767 à 32767 attendue."},
        {"--date 1/1/2027 --format ics", "--format ics ne sert qu'avec --phases AAAA ou --apsides AAAA."},
        {"--date 1/1/2027 --format csv --fuseau +25:00",
         "--fuseau « +25:00 » : heures de 0 à 23 et minutes de 0 à 59 attendues."},
        {"--date 1/1/2027 --format csv --fuseau 02:00",
         "--fuseau « 02:00 » : tu, local ou ±HH:MM attendu (+02:00, -05:00, +05:30)."},
        {"--format xml", "--format « xml » : texte, csv, json ou ics attendu."},
        {"--saisie souple", "--saisie « souple » : stricte ou fenetre attendu."},
        {"--du 1/1/2027 --au 1/1/2029 --pas 1min --format csv",
         "la période de --du « 1/1/2027 » à --au « 1/1/2029 » par --pas « 1min » ferait 1054080 lignes ; au "
         "plus "
         "1000000 (prendre un pas plus long ou une période plus courte)."},
        {"--saisie fenetre --latitude 89:61",
         "--latitude « 89:61 » : une latitude va au plus à 90° (degrés et "
         "minutes ensemble)."},
    };
    for (const auto& [args, message] : refus) {
        const Sortie s = lance("C", args);
        EXPECT_EQ(s.statut, 2) << args;
        EXPECT_TRUE(s.sortie.empty()) << args;
        EXPECT_EQ(s.erreurs, "orbitel-rapport : " + message + "\n") << args;
    }
    // Accepted: the window's number forms in strict reading; anything the window reads in its own.
    const std::vector<std::pair<std::string, std::string>> acceptes{
        {"--date '1/1/&H7EA' --heure '12:30:7,25'", "Instant G.M.T. = 01/01/2026 à 12:30:07"},
        {"--date ' 4 / 10 / 1582 ' --heure 23:59 --latitude 90 --longitude 180:00W",
         "Instant G.M.T. = 04/10/1582 à 23:59:00"},
        {"--date 1/1/-32767", "Instant G.M.T. = 01/01/-32767 à 00:00:00"},
        {"--date 29/2/1500", "Instant G.M.T. = 29/02/1500 à 00:00:00"}, // a Julian leap year
        {"--saisie fenetre --date 31/2/2025", "Instant G.M.T. = 03/03/2025 à 00:00:00"},
        {"--saisie fenetre --date abc/1/2000 --heure 0:30,5", "Instant G.M.T. = 31/12/1999 à 00:30:30"},
        {"--saisie fenetre --date 12/4/1992 --heure 12::30 --latitude 89:60 --longitude 200",
         "Instant G.M.T. = 12/04/1992 à 12:00:30"},
    };
    for (const auto& [args, ligne] : acceptes) {
        const Sortie s = lance("C", args);
        EXPECT_EQ(s.statut, 0) << args << ": " << s.erreurs;
        ASSERT_EQ(s.lignes().size(), 22u) << args;
        EXPECT_EQ(s.lignes()[11], ligne) << args;
    }
    EXPECT_EQ(lance("C", "--version").sortie, "orbitel-rapport 1.0.0\n");
}

TEST(Rapport, AnneeEnCsvLeverEtCoucherDesLignesDeLaFenetre) {
    const std::string lieu = " --latitude 48:52N --longitude 2:20E";
    const Sortie annee = lance("fr_FR.UTF-8", "--du 1/1/2027 --au 31/12/2027 --format csv" + lieu);
    ASSERT_EQ(annee.statut, 0) << annee.erreurs;
    const auto l = annee.lignes();
    ASSERT_EQ(l.size(), 366u);
    EXPECT_EQ(
        l[0],
        "instant,longitude,latitude,distance_km,parallaxe,ascension_droite,declinaison,distance_topo_km,"
        "ascension_droite_topo,declinaison_topo,elongation,cote,phase,hauteur,azimut,lever,azimut_lever,"
        "coucher,azimut_coucher,age,lunaison,diametre,diametre_topo,libration_longitude,libration_latitude,"
        "angle_axe,angle_limbe,angle_parallactique,soleil_hauteur,soleil_azimut,passage,hauteur_passage");
    int absents = 0;
    for (int jour = 0; jour < 365; jour += 23) {
        const auto c = cellules(l[1 + jour]);
        ASSERT_EQ(c.size(), 32u) << l[1 + jour];
        const int mois = std::stoi(c[0].substr(5, 2));
        const int jour_mois = std::stoi(c[0].substr(8, 2));
        EXPECT_EQ(secondes_iso(c[0]), jour * 86400L) << c[0];
        // A point whatever the locale, no rounding: the phase has more than one decimal.
        EXPECT_NE(c[12].find('.'), std::string::npos) << c[12];
        EXPECT_GT(c[12].size(), 6u) << c[12];
        const auto texte =
            lance("C", "--date " + std::to_string(jour_mois) + "/" + std::to_string(mois) + "/2027" + lieu)
                .lignes();
        ASSERT_EQ(texte.size(), 22u);
        // "Lever: 12/04/1992 à 13:05 ( Az = 073.4°)": the line drops the seconds, the table rounds
        // them; the azimuth to a tenth.
        for (const auto& [ligne, instant, azimut] :
             {std::tuple{texte[14], c[15], c[16]}, std::tuple{texte[15], c[17], c[18]}}) {
            if (ligne.find("---") != std::string::npos) {
                EXPECT_TRUE(instant.empty() && azimut.empty()) << ligne;
                ++absents;
                continue;
            }
            const auto a = ligne.find(": ") + 2;
            const long minute =
                secondes_2027(std::stoi(ligne.substr(a, 2)), std::stoi(ligne.substr(a + 3, 2)),
                              std::stoi(ligne.substr(a + 14, 2)), std::stoi(ligne.substr(a + 17, 2)), 0);
            EXPECT_GE(secondes_iso(instant) - minute, 0) << ligne << " / " << instant;
            EXPECT_LE(secondes_iso(instant) - minute, 60) << ligne << " / " << instant;
            EXPECT_NEAR(std::stod(ligne.substr(ligne.find("Az = ") + 5)), std::stod(azimut), 0.05 + 1e-9)
                << ligne;
        }
    }
    EXPECT_LE(absents, 2);
}

TEST(Rapport, JsonEtICalendarLisibles) {
    // Every hour of a night, UTC+2: 28 objects with the table's keys, null for what is absent.
    const std::string script =
        "import json,sys; d=json.load(sys.stdin); "
        "k='instant,longitude,latitude,distance_km,parallaxe,ascension_droite,declinaison,distance_topo_km,"
        "ascension_droite_topo,declinaison_topo,elongation,cote,phase,hauteur,azimut,lever,azimut_lever,"
        "coucher,azimut_coucher,age,lunaison,diametre,diametre_topo,libration_longitude,libration_latitude,"
        "angle_axe,angle_limbe,angle_parallactique,soleil_hauteur,soleil_azimut,passage,"
        "hauteur_passage'.split(','); "
        "assert len(d)==28 and all(list(o)==k for o in d); "
        "assert d[0]['instant']=='2027-08-12T20:00:00+02:00' and "
        "d[27]['instant']=='2027-08-13T23:00:00+02:00'; "
        "assert all(isinstance(o['hauteur'],float) and o['cote'] in ('Est','Ouest') for o in d); "
        "assert all((o['lever'] is None)==(o['azimut_lever'] is None) for o in d); "
        "p=json.load(open(sys.argv[1])); assert [o['phase'] for o in "
        "p][:2]==['dernier_quartier','nouvelle_lune']; "
        "assert len(p)==50 and p[1]['instant']=='2024-01-11T11:57:02Z'; print('ok')";
    const auto dossier =
        std::filesystem::temp_directory_path() / ("orbitel-json-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    const auto phases = dossier / "phases.json";
    ASSERT_EQ(lance("C", "--phases 2024 --format json > '" + phases.string() + "'").statut, 0);
    const Sortie s =
        lance("C", "--du 12/8/2027 --au 13/8/2027 --heure 20:00 --pas 1h --format json --fuseau +02:00 | "
                   "python3 -c \"" +
                       script + "\" '" + phases.string() + "'");
    std::filesystem::remove_all(dossier);
    EXPECT_EQ(s.sortie, "ok\n") << s.erreurs;

    // iCalendar: CRLF lines, one VEVENT per phase with its UID, DTSTAMP, DTSTART in UTC and SUMMARY.
    const Sortie ics = lance("C", "--phases 2027 --format ics --fuseau local", {}, "TZ=Europe/Paris");
    const Sortie csv = lance("C", "--phases 2027 --format csv --fuseau local", {}, "TZ=Europe/Paris");
    ASSERT_EQ(ics.statut, 0) << ics.erreurs;
    std::vector<std::string> lignes;
    for (std::size_t debut = 0, fin; (fin = ics.sortie.find("\r\n", debut)) != std::string::npos;
         debut = fin + 2)
        lignes.push_back(ics.sortie.substr(debut, fin - debut));
    ASSERT_GE(lignes.size(), 4u);
    EXPECT_EQ(ics.sortie.size(), [&] {
        std::size_t n = 0;
        for (const auto& x : lignes)
            n += x.size() + 2;
        return n;
    }());
    EXPECT_EQ(lignes.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lignes[1], "VERSION:2.0");
    EXPECT_EQ(lignes[2].rfind("PRODID:", 0), 0u);
    EXPECT_EQ(lignes.back(), "END:VCALENDAR");
    const auto phases_csv = csv.lignes();
    std::vector<std::string> uids;
    std::size_t evenements = 0;
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        if (lignes[i] != "BEGIN:VEVENT") continue;
        std::map<std::string, std::string> champs;
        std::size_t j = i + 1;
        for (; j < lignes.size() && lignes[j] != "END:VEVENT"; ++j) {
            EXPECT_LE(lignes[j].size(), 75u);
            const auto deux_points = lignes[j].find(':');
            ASSERT_NE(deux_points, std::string::npos) << lignes[j];
            champs[lignes[j].substr(0, deux_points)] = lignes[j].substr(deux_points + 1);
        }
        ASSERT_LT(j, lignes.size());
        ++evenements;
        ASSERT_LT(evenements, phases_csv.size());
        const auto phase = cellules(phases_csv[evenements]);
        const std::map<std::string, std::string> noms{{"nouvelle_lune", "Nouvelle Lune"},
                                                      {"premier_quartier", "Premier quartier"},
                                                      {"pleine_lune", "Pleine Lune"},
                                                      {"dernier_quartier", "Dernier quartier"}};
        EXPECT_EQ(champs["SUMMARY"], noms.at(phase[0]));
        EXPECT_EQ(champs["DTSTART"].size(), 16u);
        EXPECT_EQ(champs["DTSTART"].back(), 'Z');
        EXPECT_EQ(champs["DTSTAMP"].size(), 16u);
        EXPECT_FALSE(champs["UID"].empty());
        uids.push_back(champs["UID"]);
        i = j;
    }
    EXPECT_EQ(evenements + 1, phases_csv.size());
    EXPECT_GE(evenements, 48u);
    EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size());
    // The same UIDs at the next run.
    EXPECT_EQ(
        lance("C", "--phases 2027 --format ics --fuseau local", {}, "TZ=Europe/Paris").sortie.find(uids[7]) !=
            std::string::npos,
        true);
}

TEST(Rapport, FuseauLocalAuxChangementsDHeure) {
    const std::string paris = "TZ=Europe/Paris";
    const std::string lieu = " --latitude 48:52N --longitude 2:20E --format csv --fuseau local";
    // 2:30 does not exist on 28 March 2027: it moves past the gap. On 31 October it comes twice: the
    // first one. Every rise and set lies in its row's local day.
    const std::vector<std::pair<std::string, std::vector<std::string>>> cas{
        {"--du 27/3/2027 --au 29/3/2027 --heure 2:30",
         {"2027-03-27T02:30:00+01:00", "2027-03-28T03:30:00+02:00", "2027-03-29T02:30:00+02:00"}},
        {"--du 30/10/2027 --au 1/11/2027 --heure 2:30",
         {"2027-10-30T02:30:00+02:00", "2027-10-31T02:30:00+02:00", "2027-11-01T02:30:00+01:00"}},
    };
    for (const auto& [args, instants] : cas) {
        const Sortie s = lance("C", args + lieu, {}, paris);
        ASSERT_EQ(s.statut, 0) << s.erreurs;
        const auto l = s.lignes();
        ASSERT_EQ(l.size(), 4u);
        for (std::size_t i = 0; i < 3; ++i) {
            const auto c = cellules(l[i + 1]);
            EXPECT_EQ(c[0], instants[i]);
            for (const std::string& evenement : {c[15], c[17]}) {
                if (evenement.empty()) continue;
                EXPECT_EQ(evenement.substr(0, 10), instants[i].substr(0, 10)) << evenement;
                // Winter time before the change of the day, summer time after (or the reverse).
                const std::string decalage = evenement.substr(19);
                const std::string heure = evenement.substr(11, 5);
                if (instants[i].substr(5, 5) == "03-28") {
                    EXPECT_EQ(decalage, heure < "02:00" ? "+01:00" : "+02:00") << evenement;
                }
                if (instants[i].substr(5, 5) == "10-31") {
                    EXPECT_EQ(decalage, heure < "02:00" ? "+02:00" : "+01:00") << evenement;
                }
            }
        }
    }
    // Hourly rows: the day of the change has 23, then 25 hours.
    EXPECT_EQ(lance("C", "--du 28/3/2027 --au 28/3/2027 --pas 1h" + lieu, {}, paris).lignes().size(), 24u);
    EXPECT_EQ(lance("C", "--du 31/10/2027 --au 31/10/2027 --pas 1h" + lieu, {}, paris).lignes().size(), 26u);
    // On an ordinary day the local zone is its fixed offset.
    const auto cellules_de = [](const Sortie& s) { return cellules(s.lignes().at(1)); };
    const auto local = cellules_de(lance("C", "--date 15/1/2027 --heure 12:0" + lieu, {}, paris));
    const auto fixe =
        cellules_de(lance("C", "--date 15/1/2027 --heure 12:0 --latitude 48:52N --longitude 2:20E "
                               "--format csv --fuseau +01:00"));
    EXPECT_EQ(local, fixe);
}

namespace {

// The process's TZ for the length of a test (the C library reads it at tzset).
class FuseauDuProcessus {
public:
    explicit FuseauDuProcessus(const std::string& zone) {
        if (const char* a = std::getenv("TZ")) ancien_ = a;
        ::setenv("TZ", zone.c_str(), 1);
        ::tzset();
    }
    ~FuseauDuProcessus() {
        if (ancien_)
            ::setenv("TZ", ancien_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    FuseauDuProcessus(const FuseauDuProcessus&) = delete;
    FuseauDuProcessus& operator=(const FuseauDuProcessus&) = delete;

private:
    std::optional<std::string> ancien_;
};

// The instant as ISO 8601 on the process zone's clock, by the C library (localtime_r, tm_gmtoff).
std::string iso_selon_libc(std::time_t t) {
    std::tm l{};
    ::localtime_r(&t, &l);
    const long d = std::labs(l.tm_gmtoff);
    char s[64];
    std::snprintf(s, sizeof s, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", l.tm_year + 1900, l.tm_mon + 1,
                  l.tm_mday, l.tm_hour, l.tm_min, l.tm_sec, l.tm_gmtoff < 0 ? '-' : '+', d / 3600,
                  d / 60 % 60);
    return s;
}

// The instant an ISO 8601 text with an offset stands for; nullopt for another form.
std::optional<std::time_t> instant_de_iso(const std::string& iso) {
    std::tm l{};
    char signe = 0;
    int oh = 0, om = 0;
    if (std::sscanf(iso.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%2d:%2d", &l.tm_year, &l.tm_mon, &l.tm_mday,
                    &l.tm_hour, &l.tm_min, &l.tm_sec, &signe, &oh, &om) != 9 ||
        (signe != '+' && signe != '-'))
        return std::nullopt;
    l.tm_year -= 1900;
    l.tm_mon -= 1;
    return ::timegm(&l) - (signe == '-' ? -1 : 1) * (oh * 3600 + om * 60);
}

std::time_t minuit_local(int jour, int mois, int an) {
    std::tm l{};
    l.tm_mday = jour;
    l.tm_mon = mois - 1;
    l.tm_year = an - 1900;
    l.tm_isdst = -1;
    return std::mktime(&l);
}

} // namespace

// Every instant --fuseau local writes carries the offset in force at that instant, checked against
// the C library's own reading of the zone database, which shares no code with the program's. Hourly
// rows through the changes of the clocks: a row every hour of UT, never a wall-clock time the zone
// skips, the hour the clock is put back twice with its two offsets; Lord Howe moves by half an hour,
// Kolkata never. The rise and set instants, not whole seconds of the engine, follow the same rule.
TEST(Rapport, FuseauLocalDecalageDeChaqueInstantSelonLaBibliothequeC) {
#ifdef ORBITEL_TESTS_RAPIDES
    // Under the sanitizers: the spring changes of the north and the autumn one of Lord Howe.
    const int debut[3] = {1, 3, 2027}, fin[3] = {10, 4, 2027};
#else
    const int debut[3] = {1, 1, 2027}, fin[3] = {31, 12, 2027};
#endif
    const std::string periode = "--du " + std::to_string(debut[0]) + "/" + std::to_string(debut[1]) + "/" +
                                std::to_string(debut[2]) + " --au " + std::to_string(fin[0]) + "/" +
                                std::to_string(fin[1]) + "/" + std::to_string(fin[2]);
    for (const std::string zone :
         {"Europe/Paris", "Europe/London", "America/New_York", "Australia/Lord_Howe", "Asia/Kolkata"}) {
        SCOPED_TRACE(zone);
        const Sortie s =
            lance("C", periode + " --pas 1h --latitude 48:52N --longitude 2:20E --format csv --fuseau local",
                  {}, "TZ=" + zone);
        ASSERT_EQ(s.statut, 0) << s.erreurs;
        const FuseauDuProcessus tz(zone);
        const std::time_t premier = minuit_local(debut[0], debut[1], debut[2]);
        const std::time_t limite = minuit_local(fin[0] + 1, fin[1], fin[2]);
        const auto l = s.lignes();
        // A row every hour from the first instant while before the limit (a header line first): over
        // one of Lord Howe's half-hour changes the span is not whole hours.
        ASSERT_EQ(static_cast<std::time_t>(l.size()), 1 + (limite - premier + 3599) / 3600);
        int fautes = 0;
        for (std::size_t i = 1; i < l.size() && fautes < 5; ++i) {
            const auto c = cellules(l[i]);
            const std::time_t t = premier + static_cast<std::time_t>(i - 1) * 3600;
            fautes += c[0] != iso_selon_libc(t);
            EXPECT_EQ(c[0], iso_selon_libc(t)) << "ligne " << i;
            for (const std::string& evenement : {c[15], c[17]}) {
                if (evenement.empty()) continue;
                const auto instant = instant_de_iso(evenement);
                ASSERT_TRUE(instant) << evenement;
                fautes += evenement != iso_selon_libc(*instant);
                EXPECT_EQ(evenement, iso_selon_libc(*instant)) << "ligne " << i;
            }
        }
    }
}

namespace {

// "dd/mm/yyyy à hh:mm[:ss]" (or the phase lines' unpadded day and month) read as a UT instant.
std::time_t instant_de_texte(const std::string& t) {
    std::tm u{};
    const int n = std::sscanf(t.c_str(), "%d/%d/%d à %d:%d:%d", &u.tm_mday, &u.tm_mon, &u.tm_year, &u.tm_hour,
                              &u.tm_min, &u.tm_sec);
    EXPECT_GE(n, 5) << t;
    u.tm_year -= 1900;
    u.tm_mon -= 1;
    return ::timegm(&u);
}

// The UT instant written on the process zone's clock by the C library, as a line writes it, with
// the offset of that instant: "15/07/2027 à 01:30:00 (UTC+2)".
std::string texte_local_libc(std::time_t t, bool secondes, bool phase) {
    std::tm l{};
    ::localtime_r(&t, &l);
    char s[80];
    std::snprintf(s, sizeof s, phase ? "%d/%d/%d à %02d:%02d" : "%02d/%02d/%d à %02d:%02d", l.tm_mday,
                  l.tm_mon + 1, l.tm_year + 1900, l.tm_hour, l.tm_min);
    std::string r = s;
    if (secondes) {
        std::snprintf(s, sizeof s, ":%02d", l.tm_sec);
        r += s;
    }
    const long d = l.tm_gmtoff;
    r += " (UTC" + std::string(d >= 0 ? "+" : "\u2212") + std::to_string(std::labs(d) / 3600);
    if (d % 3600) {
        std::snprintf(s, sizeof s, ":%02ld", std::labs(d) / 60 % 60);
        r += s;
    }
    return r + ")";
}

std::string date_libc(std::time_t t, bool locale) {
    std::tm l{};
    locale ? ::localtime_r(&t, &l) : ::gmtime_r(&t, &l);
    char s[32];
    std::snprintf(s, sizeof s, "%d/%d/%d", l.tm_mday, l.tm_mon + 1, l.tm_year + 1900);
    return s;
}

} // namespace

// --format texte --fuseau local: the window's 22 lines on the zone's clock, built here from the UT
// lines and the C library's offsets. A winter evening, a summer night whose UT date is the day
// before, and the day the clocks go forward (23 hours, the rise before the change, the set after).
// The rise and set are the UT ones that fall on the local date, from the UT days around it; the
// panel is that of the local date.
TEST(Rapport, TexteEnHeureLocaleCommeLesLignesTuDecalees) {
    const std::string lieu = " --latitude 48:52N --longitude 2:20E";
    const FuseauDuProcessus tz("Europe/Paris");
    const std::tuple<int, int, int, int, int> cas[] = {
        {15, 1, 2027, 21, 30},
        {15, 7, 2027, 1, 30},
        {28, 3, 2027, 12, 0},
        // Local midnight: the typed fields' instant lies a hair before it once counted in seconds.
        {12, 4, 1992, 0, 0},
        {1, 1, 2027, 0, 0}};
    for (const auto& [jour, mois, an, h, m] : cas) {
        const std::string date = std::to_string(jour) + "/" + std::to_string(mois) + "/" + std::to_string(an);
        SCOPED_TRACE(date);
        std::tm l{};
        l.tm_mday = jour;
        l.tm_mon = mois - 1;
        l.tm_year = an - 1900;
        l.tm_hour = h;
        l.tm_min = m;
        l.tm_isdst = -1;
        const std::time_t t = std::mktime(&l);
        const Sortie locale = lance("fr_FR.UTF-8",
                                    "--date " + date + " --heure " + std::to_string(h) + ":" +
                                        std::to_string(m) + lieu + " --fuseau local",
                                    {}, "TZ=Europe/Paris");
        ASSERT_EQ(locale.statut, 0) << locale.erreurs;
        std::tm u{};
        ::gmtime_r(&t, &u);
        const auto tu = [&](std::time_t instant, const std::string& heure) {
            return lance("fr_FR.UTF-8", "--date " + date_libc(instant, false) + " --heure " + heure + lieu)
                .lignes();
        };
        std::vector<std::string> attendu = tu(t, std::to_string(u.tm_hour) + ":" + std::to_string(u.tm_min) +
                                                     ":" + std::to_string(u.tm_sec));
        ASSERT_EQ(attendu.size(), 22u);
        attendu[11] = "Instant (heure locale) = " + texte_local_libc(t, true, false);
        // Rise and set: the first of the UT days around that falls on the local date.
        for (std::size_t k : {14u, 15u}) {
            const std::string nom = k == 14 ? "Lever: " : "Coucher: ";
            std::optional<std::time_t> premier;
            std::string azimut;
            for (const std::time_t d : {t - 86400, t, t + 86400}) {
                const std::string ligne = tu(d, "12:00").at(k);
                if (ligne == nom + "---") continue;
                const std::size_t az = ligne.find(" ( Az");
                const std::time_t e = instant_de_texte(ligne.substr(nom.size(), az - nom.size()));
                if (date_libc(e, true) == date && (!premier || e < *premier)) {
                    premier = e;
                    azimut = ligne.substr(az);
                }
            }
            attendu[k] = premier ? nom + texte_local_libc(*premier, false, false) + azimut : nom + "---";
        }
        // The panel of the local date, its instants moved to the local clock.
        const auto panneau = lance("fr_FR.UTF-8", "--date " + date + lieu).lignes();
        ASSERT_EQ(panneau.size(), 22u);
        for (std::size_t k = 16; k < 21; ++k) {
            const std::size_t le = panneau[k].find(" le: ") + 5;
            const std::string texte = panneau[k].substr(le, panneau[k].size() - le - 4); // " T.U"
            ASSERT_EQ(panneau[k].substr(panneau[k].size() - 4), " T.U");
            attendu[k] = panneau[k].substr(0, le) + texte_local_libc(instant_de_texte(texte), true, true);
        }
        attendu[21] = panneau[21];
        const std::string universel = "temps universel";
        attendu[21].replace(attendu[21].find(universel), universel.size(), "heure locale");
        EXPECT_EQ(locale.lignes(), attendu);
    }
    // A fixed zone, and the yearly lists in a zone.
    EXPECT_EQ(lance("C", "--date 1/1/2027 --heure 12:00 --fuseau +05:30" + lieu).lignes().at(11),
              "Instant (heure locale) = 01/01/2027 à 12:00:00 (UTC+5:30)");
    EXPECT_EQ(lance("C", "--phases 2024 --fuseau local", {}, "TZ=Europe/Paris").lignes().front(),
              "Dernier quartier le: 4/1/2024 à 04:30:04 (UTC+1)");
    EXPECT_EQ(lance("C", "--apsides 2027 --fuseau local", {}, "TZ=Europe/Paris").lignes().front(),
              "Apogée le: 7/1/2027 à 09:08:51 (UTC+1) (406607 km)");
}

TEST(Rapport, PhasesDeLAnneeCommeLeTableau) {
    const Sortie annee = lance("fr_FR.UTF-8", "--phases 2024");
    ASSERT_EQ(annee.statut, 0);
    const auto l = annee.lignes();
    ASSERT_EQ(l.size(), 50u);
    EXPECT_EQ(l.front(), "Dernier quartier le: 4/1/2024 à 03:30:04 T.U");
    EXPECT_EQ(l.back(), "Nouvelle Lune le: 30/12/2024 à 22:26:29 T.U");
    // The panel of 1 March 2024, its next new moon written as a new moon, in a row.
    auto panneau = lance("fr_FR.UTF-8", "--date 1/3/2024").lignes();
    ASSERT_EQ(panneau.size(), 22u);
    std::vector<std::string> attendu(panneau.begin() + 16, panneau.begin() + 21);
    attendu[4].replace(0, std::string("Lune suivante").size(), "Nouvelle Lune");
    const auto debut = std::find(l.begin(), l.end(), attendu[0]);
    ASSERT_NE(debut, l.end()) << attendu[0];
    ASSERT_LE(debut + 5, l.end());
    EXPECT_EQ(std::vector<std::string>(debut, debut + 5), attendu);
}

TEST(Rapport, PhasesDesAnneesExtremes) {
    // Every phase of the year, far from 2000 too: 48 to 51, all dated in the year.
    for (const char* an : {"-32767", "12233", "32767"}) {
        const Sortie s = lance("C", std::string("--phases ") + an);
        ASSERT_EQ(s.statut, 0) << an << ": " << s.erreurs;
        const auto l = s.lignes();
        EXPECT_GE(l.size(), 48u) << an;
        EXPECT_LE(l.size(), 51u) << an;
        for (const std::string& ligne : l)
            EXPECT_NE(ligne.find(std::string("/") + an + " à "), std::string::npos) << ligne;
    }
}

TEST(Rapport, TexteEtMessagesDansLeJeuDeCaracteresDeLaLocale) {
    // An ISO-8859-1 locale of our own, made for the test where the system has none.
    const auto dossier =
        std::filesystem::temp_directory_path() / ("orbitel-locale-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    const std::string fabrique =
        "localedef -i fr_FR -f ISO-8859-1 '" + (dossier / "fr_FR.ISO-8859-1").string() + "' >/dev/null 2>&1";
    if (std::system(fabrique.c_str()) != 0 && !std::filesystem::exists(dossier / "fr_FR.ISO-8859-1"))
        GTEST_SKIP() << "localedef cannot make an ISO-8859-1 locale here";
    const std::string latin1 = "fr_FR.ISO-8859-1 LOCPATH='" + dossier.string() + "'";
    for (const char* arguments :
         {"--date 12/4/1992 --heure 0:0:0 --latitude 33:52S", "--inconnue", "--help"}) {
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

TEST(Rapport, ChaqueOptionDeLaTableDansLAideEtRefuseeDeuxFois) {
    const std::string aide = lance("C", "--help").sortie;
    EXPECT_EQ(aide, orbitel::texte_aide());
    const auto debut = aide.find("\n\n  --");
    const std::string rangees = aide.substr(debut, aide.find("\n\nSans") - debut);
    for (const orbitel::Option& o : orbitel::options_rapport()) {
        const std::string nom(o.nom);
        EXPECT_NE(rangees.find(" " + nom + " "), std::string::npos) << nom;
        const std::string valeur = o.valeur ? " x" : "";
        const Sortie s = lance("C", nom + valeur + " " + nom + valeur);
        EXPECT_EQ(s.statut, 2) << nom;
        EXPECT_TRUE(s.sortie.empty()) << nom;
        EXPECT_EQ(s.erreurs, "orbitel-rapport : l'option " + nom + " est donnée deux fois" +
                                 (o.valeur ? " (« x » puis « x ») ; une seule valeur attendue.\n" : ".\n"))
            << nom;
    }
    // Each description row starts in one column, its later lines under its first.
    std::istringstream lignes(aide.substr(aide.find("\n\n  --")));
    for (std::string l; std::getline(lignes, l);) {
        if (l.rfind("  -", 0) != 0) continue;
        const auto fin_option = l.find("  ", 2);
        ASSERT_NE(fin_option, std::string::npos) << l;
        std::size_t colonne = 0;
        for (std::size_t i = 0; i < l.find_first_not_of(' ', fin_option); ++i)
            colonne += (static_cast<unsigned char>(l[i]) & 0xC0) != 0x80;
        EXPECT_GE(colonne, 26u) << l;
    }
}

TEST(Rapport, LieuEnregistreIlisibleStatut1QuandIlFaut) {
    // A folder where the file should be: unreadable, so the place would silently be Paris's.
    const auto dossier =
        std::filesystem::temp_directory_path() / ("orbitel-illisible-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier / "orbitel.ini");
    const auto lance_ici = [&](const std::string& arguments) {
        Sortie s;
        const std::string commande = "LC_ALL=C XDG_CONFIG_HOME='" + dossier.string() +
                                     "' '" ORBITEL_RAPPORT_EXE "' " + arguments + " 2>'" +
                                     (dossier / "stderr").string() + "'";
        FILE* f = ::popen(commande.c_str(), "r");
        std::array<char, 4096> tampon;
        for (std::size_t n; (n = std::fread(tampon.data(), 1, tampon.size(), f)) > 0;)
            s.sortie.append(tampon.data(), n);
        const int brut = ::pclose(f);
        s.statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
        s.erreurs = lit_fichier(dossier / "stderr");
        return s;
    };
    for (const char* arguments : {"--date 12/4/1992", "--date 12/4/1992 --latitude 10N",
                                  "--du 1/1/2027 --au 2/1/2027 --format csv --longitude 3E"}) {
        const Sortie s = lance_ici(arguments);
        EXPECT_EQ(s.statut, 1) << arguments;
        EXPECT_TRUE(s.sortie.empty()) << arguments;
        EXPECT_EQ(s.erreurs, "orbitel-rapport : le lieu enregistré ne peut pas être lu dans " +
                                 (dossier / "orbitel.ini").string() +
                                 " (un dossier porte le nom du fichier).\n")
            << arguments;
    }
    // Not needed, not read.
    for (const char* arguments : {"--phases 2027", "--date 12/4/1992 --latitude 10N --longitude 3E"})
        EXPECT_EQ(lance_ici(arguments).statut, 0) << arguments;
    std::filesystem::remove_all(dossier);
}

// The planning columns, --apsides and --precis, against independent references (tests/data).
namespace {

using references::nombre;

// The Julian day of a Gregorian date and time (J. Meeus, Astronomical Algorithms, ch. 7).
double jj_gregorien(long an, long mois, long jour, double secondes_du_jour) {
    if (mois <= 2) {
        --an;
        mois += 12;
    }
    const long a = an / 100;
    const long b = 2 - a + a / 4;
    return std::floor(365.25 * static_cast<double>(an + 4716)) +
           std::floor(30.6001 * static_cast<double>(mois + 1)) + static_cast<double>(jour + b) - 1524.5 +
           secondes_du_jour / 86400;
}

// "2027-01-07T08:08:52Z" as a Julian day.
double jj_iso(const std::string& t) {
    return jj_gregorien(std::stol(t.substr(0, 4)), std::stol(t.substr(5, 2)), std::stol(t.substr(8, 2)),
                        std::stol(t.substr(11, 2)) * 3600.0 + std::stol(t.substr(14, 2)) * 60.0 +
                            std::stol(t.substr(17, 2)));
}

// The Gregorian date and the milliseconds of the day of a Julian day in UT (1900-2100).
struct Civile {
    long an, mois, jour, ms;
};
Civile civile(double jj) {
    const double jour0 = std::floor(jj - 0.5) + 0.5;
    auto ms = static_cast<long>(std::llround((jj - jour0) * 86400000));
    long z = static_cast<long>(jour0 + 0.5);
    if (ms >= 86400000) { // rounded up to the next day
        ms -= 86400000;
        ++z;
    }
    const long alpha = static_cast<long>((static_cast<double>(z) - 1867216.25) / 36524.25);
    const long a = z + 1 + alpha - alpha / 4;
    const long b = a + 1524;
    const auto c = static_cast<long>((static_cast<double>(b) - 122.1) / 365.25);
    const auto d = static_cast<long>(365.25 * static_cast<double>(c));
    const auto e = static_cast<long>(static_cast<double>(b - d) / 30.6001);
    const long mois = e < 14 ? e - 1 : e - 13;
    return {mois > 2 ? c - 4716 : c - 4715, mois, b - d - static_cast<long>(30.6001 * static_cast<double>(e)),
            ms};
}

// "--date J/M/A --heure H:M:S.mmm" of a Julian day in UT.
std::string options_instant(double jj) {
    const Civile c = civile(jj);
    std::string millis = std::to_string(c.ms % 1000);
    millis.insert(0, 3 - millis.size(), '0');
    return "--date " + std::to_string(c.jour) + "/" + std::to_string(c.mois) + "/" + std::to_string(c.an) +
           " --heure " + std::to_string(c.ms / 3600000) + ":" + std::to_string(c.ms / 60000 % 60) + ":" +
           std::to_string(c.ms / 1000 % 60) + "." + millis;
}

// The place of a reference row, north and east positive in decimal degrees, as options.
std::string options_lieu(const std::string& lat, const std::string& lon_est) {
    const auto cote = [](const std::string& x, char plus, char moins) {
        return x[0] == '-' ? x.substr(1) + moins : x + plus;
    };
    return " --latitude " + cote(lat, 'N', 'S') + " --longitude " + cote(lon_est, 'E', 'O');
}

// The first row of a CSV table by column name.
std::map<std::string, std::string> rangee_csv(const Sortie& s, std::size_t rang = 1) {
    const auto l = s.lignes();
    std::map<std::string, std::string> r;
    if (l.size() <= rang) return r;
    const auto noms = cellules(l[0]);
    const auto valeurs = cellules(l[rang]);
    for (std::size_t i = 0; i < noms.size() && i < valeurs.size(); ++i)
        r[noms[i]] = valeurs[i];
    return r;
}

double ecart_angle(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360 - d);
}

} // namespace

TEST(Rapport, ColonnesDePlanificationSelonAstronomyEngine) {
    // The first transit of the row's UT day and its altitude, every tenth day of the reference.
    const auto passages = references::lit_tsv("astronomy-engine/passages.tsv");
    ASSERT_EQ(passages.size(), 200u);
    for (std::size_t i = 0; i < passages.size(); i += 10) {
        const auto& p = passages[i];
        const Sortie s =
            lance("C", options_instant(nombre(p[3])) + options_lieu(p[1], p[2]) + " --format csv");
        ASSERT_EQ(s.statut, 0) << s.erreurs;
        auto r = rangee_csv(s);
        if (p[4] == "-") {
            EXPECT_EQ(r["passage"], "") << p[0] << " " << p[3];
            EXPECT_EQ(r["hauteur_passage"], "") << p[0] << " " << p[3];
            continue;
        }
        EXPECT_NEAR(jj_iso(r["passage"]), nombre(p[4]), 1.0 / 1440) << p[0] << " " << p[3];
        EXPECT_NEAR(nombre(r["hauteur_passage"]), nombre(p[5]), 0.05) << p[0] << " " << p[3];
    }
    // Libration, axis, bright limb, parallactic angle and diameters at an instant, every tenth row.
    const auto aspects = references::lit_tsv("astronomy-engine/aspect.tsv");
    ASSERT_EQ(aspects.size(), 200u);
    const struct {
        const char* colonne;
        std::size_t reference;
        double tolerance;
        bool angle;
    } colonnes[] = {
        {"libration_longitude", 4, 0.1, true}, {"libration_latitude", 5, 0.1, false},
        {"angle_axe", 6, 0.2, true},           {"angle_limbe", 7, 0.5, true},
        {"angle_parallactique", 9, 0.5, true}, {"diametre", 10, 1e-3, false},
        {"diametre_topo", 11, 1e-3, false},
    };
    for (std::size_t i = 5; i < aspects.size(); i += 10) {
        const auto& a = aspects[i];
        const Sortie s =
            lance("C", options_instant(nombre(a[3])) + options_lieu(a[1], a[2]) + " --format csv");
        ASSERT_EQ(s.statut, 0) << s.erreurs;
        auto r = rangee_csv(s);
        EXPECT_NEAR(jj_iso(r["instant"]), nombre(a[3]), 1.0 / 86400) << a[3];
        for (const auto& c : colonnes) {
            const double v = nombre(r[c.colonne]);
            const double attendu = nombre(a[c.reference]);
            EXPECT_LE(c.angle ? ecart_angle(v, attendu) : std::fabs(v - attendu), c.tolerance)
                << c.colonne << " " << a[0] << " " << a[3] << ": " << r[c.colonne] << " / " << a[c.reference];
        }
        // Position angles in [0, 360), the parallactic angle in (-180, 180].
        for (const char* colonne : {"angle_axe", "angle_limbe"})
            EXPECT_TRUE(nombre(r[colonne]) >= 0 && nombre(r[colonne]) < 360) << r[colonne];
        EXPECT_TRUE(nombre(r["angle_parallactique"]) > -180 && nombre(r["angle_parallactique"]) <= 180);
    }
}

TEST(Rapport, ApsidesDeLAnneeSelonAstronomyEngineDansChaqueFormat) {
    // Each reference apsis is in its year's list, within 10 minutes and 20 km, with its kind.
    const auto apsides = references::lit_tsv("astronomy-engine/apsides.tsv");
    ASSERT_EQ(apsides.size(), 100u);
    std::map<std::string, std::vector<std::string>> annees;
    for (std::size_t i = 0; i < apsides.size(); i += 9) {
        const auto& a = apsides[i];
        const std::string annee = std::to_string(civile(nombre(a[1])).an);
        if (!annees.count(annee)) annees[annee] = lance("C", "--apsides " + annee + " --format csv").lignes();
        const auto& l = annees[annee];
        ASSERT_GE(l.size(), 26u) << annee;
        EXPECT_EQ(l[0], "apside,instant,distance_km");
        double meilleur = 1e9;
        std::vector<std::string> trouvee;
        for (std::size_t k = 1; k < l.size(); ++k) {
            const auto c = cellules(l[k]);
            if (std::fabs(jj_iso(c[1]) - nombre(a[1])) < meilleur) {
                meilleur = std::fabs(jj_iso(c[1]) - nombre(a[1]));
                trouvee = c;
            }
        }
        EXPECT_EQ(trouvee[0], a[0]) << a[1];
        EXPECT_LE(meilleur, 10.0 / 1440) << a[1];
        EXPECT_NEAR(nombre(trouvee[2]), nombre(a[2]), 20) << a[1];
    }

    // 2027 in the three other forms, row for row as the table.
    const auto csv = lance("C", "--apsides 2027 --format csv").lignes();
    ASSERT_EQ(csv.size(), 27u);
    const auto premier_perigee = cellules(csv[2]);
    ASSERT_EQ(premier_perigee[0], "perigee");
    const std::string km = std::to_string(std::llround(nombre(premier_perigee[2])));
    const std::string jour = std::to_string(std::stoi(premier_perigee[1].substr(8, 2))) + "/" +
                             std::to_string(std::stoi(premier_perigee[1].substr(5, 2))) + "/2027 à ";
    const auto texte = lance("fr_FR.UTF-8", "--apsides 2027").lignes();
    ASSERT_EQ(texte.size(), 26u);
    EXPECT_EQ(texte[1].rfind("Périgée le: " + jour, 0), 0u) << texte[1];
    EXPECT_TRUE(texte[1].ends_with(" T.U (" + km + " km)")) << texte[1];
    EXPECT_EQ(texte[0].rfind("Apogée le: ", 0), 0u) << texte[0];

    const Sortie ics = lance("C", "--apsides 2027 --format ics");
    ASSERT_EQ(ics.statut, 0) << ics.erreurs;
    EXPECT_EQ(ics.sortie.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Orbitel//orbitel-rapport ", 0),
              0u);
    EXPECT_NE(ics.sortie.find("\r\nX-WR-CALNAME:Périgées et apogées de la Lune 2027\r\n"), std::string::npos);
    EXPECT_TRUE(ics.sortie.ends_with("\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    std::string debut = premier_perigee[1];
    std::erase(debut, '-');
    std::erase(debut, ':');
    EXPECT_NE(ics.sortie.find("UID:" + debut + "-perigee@orbitel-rapport\r\n"), std::string::npos) << debut;
    EXPECT_NE(
        ics.sortie.find("DTSTART:" + debut + "\r\nSUMMARY:Périgée (" + km + " km)\r\nTRANSP:TRANSPARENT\r\n"),
        std::string::npos)
        << ics.sortie.substr(0, 600);
    std::size_t evenements = 0;
    for (std::size_t p = 0; (p = ics.sortie.find("BEGIN:VEVENT\r\n", p)) != std::string::npos; ++p)
        ++evenements;
    EXPECT_EQ(evenements, 26u);

    const Sortie json =
        lance("C", "--apsides 2027 --format json | python3 -c \"import json,sys; d=json.load(sys.stdin); "
                   "print(len(d), list(d[1]), d[1]['apside'], isinstance(d[1]['distance_km'], float))\"");
    EXPECT_EQ(json.sortie, "26 ['apside', 'instant', 'distance_km'] perigee True\n") << json.erreurs;
}

TEST(Rapport, PrecisSuitDE405AuMemeTT) {
    // With --precis the engine's theories run on TT: the apparent longitude at the UT instant of a
    // reference TT stays within 6" of DE405; without it, on UT, it lags by Delta T's worth of motion.
    const auto lignes = references::lit_tsv("de405/longitude.tsv");
    ASSERT_EQ(lignes.size(), 200u);
    for (std::size_t i = 0; i < lignes.size(); i += 20) {
        const double tt = nombre(lignes[i][0]);
        // The UT of that TT, by the program's Delta T model, which --precis adds back.
        double ut = tt - orbitel::delta_t_precis_jours(tt);
        ut = tt - orbitel::delta_t_precis_jours(ut);
        const std::string instant = options_instant(ut) + " --latitude 48:52N --longitude 2:20E --format csv";
        auto precis = rangee_csv(lance("C", instant + " --precis"));
        auto defaut = rangee_csv(lance("C", instant));
        // The instant written to the second: what that rounding moves is allowed for.
        const double arrondi = std::fabs(jj_iso(precis["instant"]) - ut) * 86400 * 0.56;
        const double ecart = std::remainder(nombre(precis["longitude"]) - nombre(lignes[i][1]), 360.0) * 3600;
        EXPECT_LT(std::fabs(ecart), 6.0 + arrondi) << lignes[i][0];
        const double ecart_tu =
            std::remainder(nombre(defaut["longitude"]) - nombre(lignes[i][1]), 360.0) * 3600;
        EXPECT_GT(std::fabs(ecart_tu), 10.0) << lignes[i][0];
    }
    // The texts' notice then gives Delta T at the instant, as the precise model's.
    const auto l = lance("fr_FR.UTF-8", "--date 12/4/1992 --precis").lignes();
    ASSERT_EQ(l.size(), 22u);
    EXPECT_EQ(
        l[21].rfind("Les heures sont en temps universel, la différence avec le temps terrestre (TT) est, "
                    "le 12/04/1992, de 58,",
                    0),
        0u)
        << l[21];
    EXPECT_TRUE(l[21].ends_with(" secondes (modèle précis).")) << l[21];
}

TEST(Rapport, MoisEnCsvCommeAstronomyEngine) {
    // January 2027 at Paris on UT + 1 h: each day's instants, on that clock, within a minute (and the
    // second the table rounds to); the day's phases and apsides as a list.
    const auto reference = references::lit_tsv("mois-paris-2027/jours.tsv");
    ASSERT_EQ(reference.size(), 31u);
    const Sortie s =
        lance("C", "--mois 1/2027 --format csv --fuseau +01:00 --latitude 48:52N --longitude 2:20E");
    ASSERT_EQ(s.statut, 0) << s.erreurs;
    const auto l = s.lignes();
    ASSERT_EQ(l.size(), 32u);
    EXPECT_EQ(l[0],
              "date,lever,azimut_lever,passage,hauteur_passage,coucher,azimut_coucher,age,phase,distance_km,"
              "diametre,evenement,evenement_instant,soleil_lever,soleil_coucher,nuit_debut,nuit_fin,"
              "soleil_note");
    const std::pair<const char*, std::size_t> instants[] = {
        {"lever", 2},          {"coucher", 3},    {"passage", 4}, {"soleil_lever", 6},
        {"soleil_coucher", 7}, {"nuit_debut", 8}, {"nuit_fin", 9}};
    for (std::size_t i = 0; i < 31; ++i) {
        auto r = rangee_csv(s, i + 1);
        const auto& ref = reference[i];
        EXPECT_EQ(r["date"], "2027-01-" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1));
        for (const auto& [colonne, rang] : instants) {
            if (ref[rang] == "-") {
                EXPECT_EQ(r[colonne], "") << colonne << " " << i + 1;
                continue;
            }
            ASSERT_TRUE(r[colonne].ends_with("+01:00")) << colonne << " " << r[colonne];
            EXPECT_NEAR(jj_iso(r[colonne]) - 1.0 / 24, nombre(ref[rang]), 61.0 / 86400)
                << colonne << " " << i + 1;
        }
        EXPECT_NEAR(nombre(r["hauteur_passage"]), nombre(ref[5]), 0.05) << i + 1;
        EXPECT_NEAR(nombre(r["phase"]), nombre(ref[10]), 0.3) << i + 1;
        EXPECT_NEAR(nombre(r["distance_km"]), nombre(ref[11]), 30) << i + 1;
    }
    // 7 January: the apogee at 09:08 and the new moon at 21:24, in time order.
    const auto septieme = rangee_csv(s, 7);
    EXPECT_EQ(septieme.at("evenement"), "apogee;nouvelle_lune");
    EXPECT_EQ(septieme.at("evenement_instant").size(), 2 * 25 + 1) << septieme.at("evenement_instant");
    EXPECT_EQ(septieme.at("evenement_instant").substr(0, 14), "2027-01-07T09:");
}
