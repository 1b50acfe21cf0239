#include "clock/reglages.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "locale_numerique.hpp"

using namespace orbitel;

TEST(LitVerite, MotsDansToutesLesCasses) {
    for (const char* t : {"True", "true", "TRUE", "tRuE", "  True  "})
        EXPECT_EQ(lit_verite(t), true) << t;
    for (const char* t : {"False", "false", "FALSE", "fAlSe", "\tFalse\n"})
        EXPECT_EQ(lit_verite(t), false) << t;
}

TEST(LitVerite, NombresZeroFauxAutresVrais) {
    EXPECT_EQ(lit_verite("0"), false);
    EXPECT_EQ(lit_verite("-0"), false);
    EXPECT_EQ(lit_verite("0.0"), false);
    EXPECT_EQ(lit_verite("0e5"), false);
    EXPECT_EQ(lit_verite("1"), true);
    EXPECT_EQ(lit_verite("-1"), true);
    EXPECT_EQ(lit_verite("2.5"), true);
    EXPECT_EQ(lit_verite(".5"), true);
    EXPECT_EQ(lit_verite("1e-300"), true);
}

TEST(LitVerite, CeQuiNEstPasUneVeriteRendNullopt) {
    for (const char* t : {"", "   ", "abc", "1abc", "Truex", "yes", "Vrai", "inf", "nan", "1E999", "1,5", "+",
                          ".", "1e", "--1", "0x1"})
        EXPECT_EQ(lit_verite(t), std::nullopt) << '"' << t << '"';
}

TEST(LitVerite, MemesNombresSousToutesLesLocales) {
    // The store's truth values are written with a point whatever the user's LC_NUMERIC.
    for (const char* locale : {"C", "fr_FR.UTF-8", "de_DE.UTF-8"}) {
        const essais::LocaleNumerique l(locale);
        ASSERT_TRUE(l.reglee());
        EXPECT_EQ(lit_verite("0.5"), true) << locale;
        EXPECT_EQ(lit_verite(".5"), true) << locale;
        EXPECT_EQ(lit_verite("0.0"), false) << locale;
        EXPECT_EQ(lit_verite("1E999"), std::nullopt) << locale;
        EXPECT_EQ(lit_verite("0,5"), std::nullopt) << locale;
    }
}

TEST(TexteVerite, LesMotsTrueEtFalse) {
    EXPECT_EQ(texte_verite(true), "True");
    EXPECT_EQ(texte_verite(false), "False");
}

TEST(RestaureLieu, MagasinVideDonneParis) {
    const MagasinMemoire vide;
    const ChampsLieu l = restaure_lieu(vide);
    EXPECT_EQ(l.lat0, "48");
    EXPECT_EQ(l.lat1, "52");
    EXPECT_EQ(l.lon0, "2");
    EXPECT_EQ(l.lon1, "20");
    EXPECT_TRUE(l.nord);
    EXPECT_TRUE(l.est);
}

TEST(RestaureLieu, HemispheresLusCommeVerites) {
    struct Cas {
        const char* texte;
        bool attendu;
    };
    for (const Cas c : {Cas{"False", false}, Cas{"0", false}, Cas{"1", true}, Cas{"abc", true}, Cas{"", true},
                        Cas{"FALSE", false}, Cas{"True", true}}) {
        MagasinMemoire m;
        m.ecrit("Coord", "NS", c.texte);
        m.ecrit("Coord", "EO", c.texte);
        const ChampsLieu l = restaure_lieu(m);
        EXPECT_EQ(l.nord, c.attendu) << c.texte;
        EXPECT_EQ(l.est, c.attendu) << c.texte;
    }
}

TEST(RestaureLieu, TextesRendusTelsQuels) {
    MagasinMemoire m;
    m.ecrit("Coord", "Lat0", "  -33,5 abc");
    m.ecrit("Coord", "Lat1", "");
    m.ecrit("Coord", "Lon0", std::string(100000, '9'));
    m.ecrit("Coord", "Lon1", "1E999");
    m.ecrit("Autre", "Lat0", "10"); // another section is not the place
    const ChampsLieu l = restaure_lieu(m);
    EXPECT_EQ(l.lat0, "  -33,5 abc");
    EXPECT_EQ(l.lat1, "");
    EXPECT_EQ(l.lon0, std::string(100000, '9'));
    EXPECT_EQ(l.lon1, "1E999");
}

namespace {

// A store that fails on one key, to show that the others are still read and written.
class MagasinCapricieux final : public MagasinReglages {
public:
    explicit MagasinCapricieux(std::string cle) : cle_(std::move(cle)) {}
    std::optional<std::string> lit(std::string_view section, std::string_view cle) const override {
        if (cle == cle_) throw std::runtime_error("lecture impossible");
        return dedans.lit(section, cle);
    }
    bool ecrit(std::string_view section, std::string_view cle, std::string_view valeur) override {
        if (cle == cle_) return false;
        return dedans.ecrit(section, cle, valeur);
    }
    MagasinMemoire dedans;

private:
    std::string cle_;
};

} // namespace

TEST(RestaureLieu, UneCleIllisibleNArretePasLesAutres) {
    MagasinCapricieux m("Lat1");
    m.dedans.ecrit("Coord", "Lat0", "10");
    m.dedans.ecrit("Coord", "Lat1", "30");
    m.dedans.ecrit("Coord", "Lon0", "70");
    m.dedans.ecrit("Coord", "NS", "False");
    const ChampsLieu l = restaure_lieu(m);
    EXPECT_EQ(l.lat0, "10");
    EXPECT_EQ(l.lat1, "52"); // kept its default
    EXPECT_EQ(l.lon0, "70");
    EXPECT_FALSE(l.nord);
}

TEST(SauveLieu, SixClesDansLOrdreEtVeritesEnMots) {
    MagasinMemoire m;
    ChampsLieu l;
    l.lat0 = "33";
    l.lat1 = "";
    l.lon0 = "70,5";
    l.lon1 = "15";
    l.nord = false;
    l.est = true;
    EXPECT_TRUE(sauve_lieu(m, l));
    EXPECT_EQ(m.lit("Coord", "Lat0"), "33");
    EXPECT_EQ(m.lit("Coord", "Lat1"), "");
    EXPECT_EQ(m.lit("Coord", "Lon0"), "70,5");
    EXPECT_EQ(m.lit("Coord", "Lon1"), "15");
    EXPECT_EQ(m.lit("Coord", "NS"), "False");
    EXPECT_EQ(m.lit("Coord", "EO"), "True");
    const ChampsLieu relu = restaure_lieu(m);
    EXPECT_EQ(relu.lat0, l.lat0);
    EXPECT_EQ(relu.lat1, l.lat1);
    EXPECT_EQ(relu.lon0, l.lon0);
    EXPECT_EQ(relu.lon1, l.lon1);
    EXPECT_EQ(relu.nord, l.nord);
    EXPECT_EQ(relu.est, l.est);
}

TEST(SauveLieu, EchecSignaleEtAutresClesEcrites) {
    MagasinCapricieux m("Lon0");
    EXPECT_FALSE(sauve_lieu(m, ChampsLieu{}));
    EXPECT_EQ(m.dedans.lit("Coord", "Lat0"), "48");
    EXPECT_EQ(m.dedans.lit("Coord", "Lon1"), "20");
    EXPECT_EQ(m.dedans.lit("Coord", "EO"), "True");
    EXPECT_EQ(m.dedans.lit("Coord", "Lon0"), std::nullopt);
}

// Each switch reads its own key of [Affichage]; an absent key or a text that is no truth value
// leaves it off, and what is written reads back.
TEST(RestaureAffichage, ClesLuesCommeVeritesEtAbsentesEteintes) {
    struct Cas {
        std::vector<std::pair<const char*, const char*>> cles;
        ChoixAffichage attendu;
    };
    const std::vector<Cas> cas{
        {{}, {}},
        {{{"HeureLocale", "True"}}, {true, false, false}},
        {{{"Precis", "true"}, {"Oriente", "1"}}, {false, true, true}},
        {{{"HeureLocale", "abc"}, {"Precis", "0"}, {"Oriente", "False"}}, {}},
    };
    for (const Cas& c : cas) {
        MagasinMemoire m;
        m.ecrit("Coord", "Precis", "True"); // another section's key is not the switch's
        for (const auto& [cle, valeur] : c.cles)
            m.ecrit("Affichage", cle, valeur);
        EXPECT_EQ(restaure_affichage(m), c.attendu) << c.cles.size();
        MagasinMemoire relu;
        ASSERT_EQ(enregistre_affichage(relu, c.attendu), std::nullopt);
        EXPECT_EQ(restaure_affichage(relu), c.attendu);
        EXPECT_EQ(relu.lit("Affichage", "HeureLocale"), std::string(texte_verite(c.attendu.heure_locale)));
    }
}
