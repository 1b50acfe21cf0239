// The system clock read as seconds: right calendar fields far outside the years a 64-bit count of
// nanoseconds holds (1677-09-21 to 2262-04-11), and an offset of the local clock that cannot
// overflow.
#include <gtest/gtest.h>

#include "clock/instant.hpp"

using namespace orbitel;

namespace {

void attendu(const HorlogeTu& h, int an, int mois, int jour, int semaine, int hh, int mm, int ss, int ms) {
    EXPECT_EQ(h.annee, an);
    EXPECT_EQ(h.mois, mois);
    EXPECT_EQ(h.jour, jour);
    EXPECT_EQ(h.jour_semaine, semaine);
    EXPECT_EQ(h.heure, hh);
    EXPECT_EQ(h.minute, mm);
    EXPECT_EQ(h.seconde, ss);
    EXPECT_EQ(h.millisecondes, ms);
}

} // namespace

TEST(HorlogeSysteme, ChampsDeToutesAnnees) {
    // Friday 1 June 2300, 12:34:56.999 UT.
    attendu(horloge_tu_de({10426838400 + 45296, 999999999}), 2300, 6, 1, 5, 12, 34, 56, 999);
    // Tuesday 15 March 1650, 00:00:00 UT.
    attendu(horloge_tu_de({-10091865600, 0}), 1650, 3, 15, 2, 0, 0, 0, 0);
    // The last second before 1970 and the day past the 64-bit nanoseconds' end.
    attendu(horloge_tu_de({-1, 500000000}), 1969, 12, 31, 3, 23, 59, 59, 500);
    attendu(horloge_tu_de({9223372800, 0}), 2262, 4, 12, 6, 0, 0, 0, 0);
    // The source given is the clock read, for both the UTC and the local reading.
    const HorlogeSysteme horloge([] { return LectureHorloge{10426838400, 0}; });
    EXPECT_EQ(horloge.tu().annee, 2300);
    EXPECT_EQ(horloge.locale().annee, 2300);
}

TEST(HorlogeSysteme, EcartLocalSansDepassement) {
    const HorlogeTu tu{2300, 6, 5, 1, 12, 0, 0, 400};
    EXPECT_EQ(ecart_local_plausible(tu, {2300, 6, 1, 14, 0, 0}), 120);
    EXPECT_EQ(ecart_local_plausible(tu, {2300, 5, 31, 22, 30, 0}), -810);
    // A local clock read in another century: no offset a notice could state, and no overflow.
    EXPECT_EQ(ecart_local_plausible(tu, {1715, 11, 11, 12, 0, 0}), std::nullopt);
    EXPECT_EQ(ecart_local_plausible(tu, {2300, 6, 2, 12, 0, 1}), std::nullopt);
    EXPECT_EQ(ecart_local_plausible({65535, 12, 0, 31, 23, 59, 59, 999}, {-2147483647, -5, -9, 0, 0, 0}),
              std::nullopt);
}
