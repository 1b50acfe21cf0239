// The Delta T notice of the phase panel, in both decimal marks.
#include "events/delta_t.hpp"
#include "text/lignes_phases.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace orbitel;

std::string notice(std::int16_t annee, const std::string& nombre) {
    return "Les heures sont en temps universel, la différence avec le temps terrestre dynamique (TDT ou TT) "
           "est, "
           "en " +
           std::to_string(annee) + ", de " + nombre + " secondes.";
}

std::string texte_notice(std::int16_t annee, char marque) {
    return notice_delta_t(annee, calcule_delta_t(annee).secondes, marque);
}

TEST(DeltaT, NoticeDansLesDeuxMarques) {
    EXPECT_EQ(texte_notice(2024, ','), notice(2024, "90,36"));
    EXPECT_EQ(texte_notice(2024, '.'), notice(2024, "90.36"));
    EXPECT_EQ(texte_notice(2050, ','), notice(2050, "126,50"));
    EXPECT_EQ(texte_notice(1990, ','), notice(1990, "57,00"));
    EXPECT_EQ(texte_notice(-32767, ','), notice(-32767, "57,00"));
}

TEST(DeltaT, NoticeDeChaqueAnneeDeLaTable) {
    const struct {
        std::int16_t annee;
        const char* nombre;
    } cas[] = {{1990, "57.00"},  {1999, "57.00"},  {2000, "57.00"}, {2024, "90.36"},  {2050, "126.50"},
               {2100, "196.00"}, {2101, "190.00"}, {-500, "57.00"}, {32767, "190.00"}};
    for (const auto& c : cas)
        EXPECT_EQ(texte_notice(c.annee, '.'), notice(c.annee, c.nombre));
}

} // namespace
