// orbitel-rapport's texts in the terminal's character set: converted only when the locale is
// neither UTF-8 nor C/POSIX, each missing character a "?".
#include <gtest/gtest.h>

#include "platform/codage_sortie.hpp"

using namespace orbitel;

TEST(CodageSortie, ConversionSeulementHorsUtf8EtHorsLocaleC) {
    EXPECT_EQ(jeu_de_conversion("fr_FR.ISO-8859-1", "ISO-8859-1"), "ISO-8859-1");
    EXPECT_EQ(jeu_de_conversion("fr_FR@euro", "ISO-8859-15"), "ISO-8859-15");
    EXPECT_EQ(jeu_de_conversion("en_US", "ANSI_X3.4-1968"), "ANSI_X3.4-1968");
    EXPECT_EQ(jeu_de_conversion("fr_FR.UTF-8", "UTF-8"), std::nullopt);
    EXPECT_EQ(jeu_de_conversion("fr_FR.utf8", "utf8"), std::nullopt);
    EXPECT_EQ(jeu_de_conversion("C", "ANSI_X3.4-1968"), std::nullopt);
    EXPECT_EQ(jeu_de_conversion("POSIX", "ANSI_X3.4-1968"), std::nullopt);
}

TEST(CodageSortie, CaracteresManquantsEnPointDInterrogation) {
    EXPECT_EQ(vers_jeu("Lever à 05:41, azimut 12° — 3 €", "ISO-8859-1"),
              "Lever \xe0 05:41, azimut 12\xb0 ? 3 ?");
    EXPECT_EQ(vers_jeu("Lever à 05:41, azimut 12° — 3 €", "ISO-8859-15"),
              "Lever \xe0 05:41, azimut 12\xb0 ? 3 \xa4");
    EXPECT_EQ(vers_jeu("Coordonnées à l'été", "ASCII"), "Coordonn?es ? l'?t?");
    // Bytes that are not UTF-8: one "?" each, the next character kept.
    EXPECT_EQ(vers_jeu("a\xc3"
                       "Ab\xff",
                       "ISO-8859-1"),
              "a?Ab?");
    EXPECT_EQ(vers_jeu("fin coupée \xe2\x82", "ISO-8859-1"), "fin coup\xe9"
                                                             "e ?");
    // Longer than one round of the converter.
    std::string long_texte, attendu;
    for (int i = 0; i < 300; ++i) {
        long_texte += "é€";
        attendu += "\xe9?";
    }
    EXPECT_EQ(vers_jeu(long_texte, "ISO-8859-1"), attendu);
    EXPECT_EQ(vers_jeu("à", "jeu-inconnu"), "à");
}
