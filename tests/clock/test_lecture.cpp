#include "clock/instant.hpp"
#include "clock/lecture.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "locale_numerique.hpp"

using orbitel::lit_nombre;

TEST(LectureNombre, CasDeLaSaisie) {
    EXPECT_EQ(lit_nombre("2 0 2 6"), 2026.0);
    EXPECT_EQ(lit_nombre("\t20\n26 "), 2026.0);
    // Only blanks, tabs and line feeds are skipped: any other character ends the number.
    EXPECT_EQ(lit_nombre("20\r26"), 20.0);
    EXPECT_EQ(lit_nombre("20\v26"), 20.0);
    EXPECT_EQ(lit_nombre("2026abc"), 2026.0);
    EXPECT_EQ(lit_nombre("12.5"), 12.5);
    EXPECT_EQ(lit_nombre("-3"), -3.0);
    EXPECT_EQ(lit_nombre("+7"), 7.0);
    EXPECT_EQ(lit_nombre("1e2"), 100.0);
    EXPECT_EQ(lit_nombre("1D2"), 100.0);
    EXPECT_EQ(lit_nombre("2.5E-1"), 0.25);
    EXPECT_EQ(lit_nombre("&H1A"), 26.0);
    EXPECT_EQ(lit_nombre("&hff"), 255.0);
    EXPECT_EQ(lit_nombre("&O17"), 15.0);
    EXPECT_EQ(lit_nombre("&O19"), 1.0);
    EXPECT_EQ(lit_nombre("abc"), 0.0);
    EXPECT_EQ(lit_nombre(""), 0.0);
    EXPECT_EQ(lit_nombre("."), 0.0);
    EXPECT_EQ(lit_nombre("-"), 0.0);
    EXPECT_EQ(lit_nombre(".5"), 0.5);
    EXPECT_EQ(lit_nombre("5."), 5.0);
}

TEST(LectureNombre, LaVirguleEstUneMarqueDecimale) {
    // The window writes numbers with the French comma; typing 12,5 means 12.5.
    EXPECT_EQ(lit_nombre("12,5"), 12.5);
    EXPECT_EQ(lit_nombre("0,25e1"), 2.5);
    // At most one mark: the second one stops the reading.
    EXPECT_EQ(lit_nombre("1,2.3"), 1.2);
    EXPECT_EQ(lit_nombre("1.2,3"), 1.2);
}

TEST(LectureNombre, ExposantIncompletEstIgnore) {
    EXPECT_EQ(lit_nombre("1e"), 1.0);
    EXPECT_EQ(lit_nombre("1e+"), 1.0);
    EXPECT_EQ(lit_nombre("3Dx"), 3.0);
}

TEST(LectureNombre, HorsDePorteeDUnDouble) {
    EXPECT_FALSE(lit_nombre("1E999").has_value());
    EXPECT_FALSE(lit_nombre("-1E999").has_value());
    EXPECT_FALSE(lit_nombre("&H" + std::string(300, 'F')).has_value());
    EXPECT_EQ(lit_nombre("1E-999"), 0.0); // underflow is simply zero
    EXPECT_EQ(orbitel::lit_nombre_ou_zero("1E999"), 0.0);
}

TEST(LectureNombre, LaLocaleDuSystemeNEntrePasDansLaLecture) {
    // The window runs under the user's LC_NUMERIC, whose decimal mark is a comma in French and
    // German: the reading takes the point and the comma alike under every one.
    struct Cas {
        const char* texte;
        std::optional<double> valeur;
        std::optional<double> stricte;
    };
    const Cas cas[] = {
        {"12.5", 12.5, 12.5},
        {"12,5", 12.5, 12.5},
        {" 1 2 . 5 ", 12.5, 12.5},
        {"-0.25e1", -2.5, -2.5},
        {"2,5D-1", 0.25, 0.25},
        {".5", 0.5, 0.5},
        {"5.", 5.0, 5.0},
        {"12.5abc", 12.5, std::nullopt},
        {"1E999", std::nullopt, std::nullopt},
        {"1E-999", 0.0, 0.0},
        {"&H1A", 26.0, 26.0},
        {"48.866665", 48.866665, 48.866665},
    };
    for (const char* locale : {"C", "fr_FR.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"}) {
        const orbitel::essais::LocaleNumerique l(locale);
        ASSERT_TRUE(l.reglee());
        for (const Cas& c : cas) {
            EXPECT_EQ(lit_nombre(c.texte), c.valeur) << locale << " \"" << c.texte << '"';
            EXPECT_EQ(orbitel::lit_nombre_strict(c.texte), c.stricte) << locale << " \"" << c.texte << '"';
        }
    }
}

namespace {

class HorlogeFixe : public orbitel::Horloge {
public:
    orbitel::HorlogeTu tu_;
    orbitel::HeureLocale locale_;
    orbitel::HorlogeTu tu() const override { return tu_; }
    orbitel::HeureLocale locale() const override { return locale_; }
};

} // namespace

TEST(LectureInstant, TempsReelTronqueALaSeconde) {
    HorlogeFixe h;
    h.tu_ = {2026, 12, 1, 7, 23, 59, 59, 999};
    orbitel::Instant i;
    orbitel::HorlogeTu lu;
    orbitel::lit_instant(i, lu, h);
    EXPECT_EQ(i.secondes, 59.0f);
    EXPECT_EQ(i.minutes, 59);
    EXPECT_EQ(i.heures, 23);
    EXPECT_EQ(i.jour, 7);
    EXPECT_EQ(i.mois, 12);
    EXPECT_EQ(i.an, 2026);
    EXPECT_EQ(lu.millisecondes, 999);
}

TEST(LectureInstant, ChampsSaisis) {
    orbitel::Instant i;
    orbitel::lit_instant(i, orbitel::ChampsInstant{"5", "41", "12.3", "32", "13", "2026"});
    EXPECT_EQ(i.heures, 5);
    EXPECT_EQ(i.minutes, 41);
    EXPECT_EQ(i.secondes, 12.3f); // held in single precision
    EXPECT_NE(static_cast<double>(i.secondes), 12.3);
    EXPECT_EQ(i.jour, 32); // out of calendar range, stored as typed
    EXPECT_EQ(i.mois, 13);

    orbitel::lit_instant(i, orbitel::ChampsInstant{"1", "2", "", "3", "4", "1E999"});
    EXPECT_EQ(i.secondes, 0.0f);
    EXPECT_EQ(i.an, 2026); // kept: the typed year cannot be held
    EXPECT_EQ(i.jour, 3);
    EXPECT_EQ(i.mois, 4);
}

TEST(LectureInstant, SecondesAuDelaDuFlottant) {
    orbitel::Instant i;
    orbitel::lit_instant(i, orbitel::ChampsInstant{"0", "0", "1E300", "1", "1", "2000"});
    EXPECT_EQ(i.secondes, std::numeric_limits<float>::infinity());
}

TEST(EcartLocal, HeuresEntieres) {
    const orbitel::HorlogeTu midi{2026, 12, 1, 7, 12, 0, 0, 0};
    EXPECT_EQ(orbitel::ecart_local_plausible(midi, {2026, 12, 7, 17, 30, 0}), 330);
    EXPECT_EQ(orbitel::ecart_local_plausible(midi, {2026, 12, 7, 12, 0, 0}), 0);
}
