#include "text/mois.hpp"

#include <gtest/gtest.h>

#include <algorithm>
// GCC 12 takes std::regex's inner std::function for uninitialised when it optimises with the
// sanitizers (a known false alarm); the patterns themselves are plain.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#include <sstream>

using namespace orbitel;

namespace {

const Observateur Paris{48.8666667f, -2.3333333f};

// UT + 1 h, then UT + 2 h from an instant on.
class FuseauBascule final : public Fuseau {
public:
    explicit FuseauBascule(double bascule) : bascule_(bascule) {}
    std::int32_t decalage(double secondes_tu) const override { return secondes_tu < bascule_ ? 3600 : 7200; }

private:
    double bascule_;
};

// The characters [debut, debut + n) of a UTF-8 line, counted in characters.
std::string caracteres(const std::string& ligne, std::size_t debut, std::size_t n) {
    std::string r;
    std::size_t c = 0;
    for (const char octet : ligne) {
        const bool suite = (static_cast<unsigned char>(octet) & 0xC0) == 0x80;
        if (!suite) ++c;
        if (c > debut && c <= debut + n) r += octet;
    }
    return r;
}

// Where `texte` starts in the line, in characters.
std::size_t position(const std::string& ligne, std::string_view texte) {
    const auto fin = ligne.begin() + static_cast<std::ptrdiff_t>(ligne.find(texte));
    return static_cast<std::size_t>(std::count_if(
        ligne.begin(), fin, [](char o) { return (static_cast<unsigned char>(o) & 0xC0) != 0x80; }));
}

std::vector<std::string> lignes(const std::string& texte) {
    std::vector<std::string> l;
    std::istringstream flux(texte);
    for (std::string ligne; std::getline(flux, ligne);)
        l.push_back(ligne);
    return l;
}

TEST(TexteMois, JourDeLaSemaine) {
    struct Cas {
        std::int64_t annee;
        unsigned mois, jour;
        std::string_view nom;
    };
    for (const Cas c : {Cas{2027, 1, 1, "vendredi"}, Cas{1970, 1, 1, "jeudi"}, Cas{2000, 1, 1, "samedi"},
                        Cas{2027, 1, 12, "mardi"}, Cas{1582, 10, 4, "jeudi"}, Cas{1582, 10, 15, "vendredi"},
                        Cas{-4712, 1, 1, "lundi"}})
        EXPECT_EQ(nom_jour_semaine(jour_semaine(c.annee, c.mois, c.jour)), c.nom) << c.annee << c.jour;
}

// Instants on the zone's clock, rounded to the second and the seconds dropped, as the rise and set
// lines write them.
TEST(TexteMois, HeureDansLaZone) {
    struct Cas {
        double jj;
        std::int32_t decalage;
        std::string_view texte;
    };
    constexpr double Midi = 2461413.0; // 8 January 2027, 12 h UT
    for (const Cas c : {Cas{Midi, 0, "12:00"}, Cas{Midi, 3600, "13:00"}, Cas{Midi, -5 * 3600, "07:00"},
                        Cas{Midi + 59.4 / 86400, 0, "12:00"}, Cas{Midi + 59.6 / 86400, 0, "12:01"},
                        Cas{Midi, 19800, "17:30"}, Cas{Midi + 0.5, 3600, "01:00"}})
        EXPECT_EQ(heure_zone(c.jj, FuseauFixe(c.decalage)), c.texte) << c.jj << ' ' << c.decalage;
}

TEST(TexteMois, DecalagesDuMois) {
    // The clocks go forward at 1 h UT on 28 March 2027.
    const FuseauBascule zone((2461492.5 + 1.0 / 24 - JourJulien1970) * 86400);
    EXPECT_EQ(texte_decalages_mois(mois_lunaire(2027, 3, zone, Paris), zone), "UTC+1, UTC+2 à partir du 28");
    EXPECT_EQ(texte_decalages_mois(mois_lunaire(2027, 4, zone, Paris), zone), "UTC+2");
}

// The table of January 2027 at Paris: a title, the column titles, 31 lines whose columns line up,
// and the month's phases and apsides on their days (astronomy-engine's, in
// tests/data/mois-paris-2027).
TEST(TexteMois, TableDeJanvier2027) {
    const FuseauFixe paris(3600);
    const std::vector<std::string> l =
        lignes(table_mois(mois_lunaire(2027, 1, paris, Paris), paris, Paris, ','));
    ASSERT_EQ(l.size(), 33u);
    EXPECT_EQ(l[0], "Lune : Janvier 2027, 48° 52′ N, 2° 20′ E, heures en UTC+1");
    ASSERT_NE(l[1].find("Coucher "), std::string::npos);
    // The set column's texts end, in characters, where its title does.
    const std::size_t fin_coucher = position(l[1], "Coucher ") + 7;
    const std::regex jour(R"(^(lun|mar|mer|jeu|ven|sam|dim)\. \d\d  (\d\d:\d\d|  ---)  +(\d+,\d°|---)  .*)");
    for (std::size_t i = 2; i < l.size(); ++i) {
        EXPECT_TRUE(std::regex_match(l[i], jour)) << l[i];
        EXPECT_TRUE(
            std::regex_match(caracteres(l[i], fin_coucher - 6, 6), std::regex(R"( (\d\d:\d\d|  ---))")))
            << l[i];
    }
    EXPECT_EQ(l[2].substr(0, 7), "ven. 01");
    EXPECT_EQ(l[32].substr(0, 7), "dim. 31");
    struct Evenement {
        std::size_t jour;
        std::string_view nom;
    };
    for (const Evenement e :
         {Evenement{7, "Apogée "}, Evenement{7, "Nouvelle Lune "}, Evenement{15, "Premier quartier "},
          Evenement{21, "Périgée "}, Evenement{22, "Pleine Lune "}, Evenement{29, "Dernier quartier "}})
        EXPECT_NE(l[e.jour + 1].find(e.nom), std::string::npos) << e.jour << ' ' << e.nom;
    // The day without a set and the one without a rise.
    EXPECT_EQ(l[15].substr(0, 7), "jeu. 14");
    EXPECT_NE(l[15].find("    ---     ---"), std::string::npos) << l[15];
    EXPECT_EQ(l[28].substr(0, 16), "mer. 27    ---  ");
}

TEST(TexteMois, ResumePourLecteurDEcran) {
    const FuseauFixe paris(3600);
    const std::vector<JourLunaire> jours = mois_lunaire(2027, 1, paris, Paris);
    EXPECT_TRUE(std::regex_match(resume_jour(jours[11], paris, ','),
                                 std::regex(R"(Mardi 12 janvier 2027 : lever 10 h \d\d, passage 16 h \d\d, )"
                                            R"(coucher 22 h \d\d, phase \d+,\d %)")))
        << resume_jour(jours[11], paris, ',');
    EXPECT_TRUE(
        std::regex_match(resume_jour(jours[21], paris, ','),
                         std::regex(R"(Vendredi 22 janvier 2027 : .*, Pleine Lune à 13 h \d\d, .*)")));
    EXPECT_NE(resume_jour(jours[13], paris, ',').find("coucher aucun"), std::string::npos);
}

} // namespace
