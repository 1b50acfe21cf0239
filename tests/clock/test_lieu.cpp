#include "clock/lieu.hpp"

#include <gtest/gtest.h>

using namespace orbitel;

namespace {

Observateur lieu(const ChampsLieu& champs) {
    const std::optional<Observateur> o = lit_lieu(champs);
    EXPECT_TRUE(o.has_value());
    return o.value_or(Observateur{});
}

} // namespace

TEST(LitLieu, PlacesTypiquesEnSimplePrecision) {
    // The default place: 48° 52' N, 2° 20' E, held as the floats nearest 48 + 52/60 and -(2 + 20/60).
    const Observateur paris = lieu({"48", "52", "2", "20", true, true});
    EXPECT_EQ(paris.Lat, 48.866665f);
    EXPECT_EQ(paris.Lat, static_cast<float>(48 + 52.0 / 60));
    EXPECT_EQ(paris.Lon, -2.3333333f);

    EXPECT_EQ(lieu({"33", "52", "151", "12", false, true}).Lat, -33.866665f);
    // West is positive.
    EXPECT_EQ(lieu({"0", "0", "70", "15", true, false}).Lon, 70.25f);
    EXPECT_EQ(lieu({"0", "13", "78", "31", false, false}).Lat, static_cast<float>(-(13.0 / 60)));
}

TEST(LitLieu, MinutesToujoursAjoutees) {
    EXPECT_EQ(lieu({"10", "75", "0", "0", true, true}).Lat, 11.25f);
    // Minutes are added whatever the sign of the degrees, then the hemisphere flips the lot.
    EXPECT_EQ(lieu({"-10", "30", "0", "0", true, true}).Lat, -9.5f);
    EXPECT_EQ(lieu({"-10", "30", "0", "0", false, true}).Lat, 9.5f);
    EXPECT_EQ(lieu({"0", "0", "-10", "30", true, true}).Lon, 9.5f);
    // The longitude is not bounded: 400° east is a place like 40° east.
    EXPECT_EQ(lieu({"0", "0", "400", "0", true, true}).Lon, -400.0f);
}

TEST(LitLieu, LatitudeAuDelaDe90NonTenueEtChampDesigne) {
    const auto raisons = [](const ChampsLieu& c) { return examine_lieu(c).raisons; };
    using R = std::array<std::string, 4>;
    const std::string lat = "Latitude : 90° au plus", grand = "Nombre trop grand";
    EXPECT_EQ(lieu({"90", "0", "0", "0", false, true}).Lat, -90.0f);
    EXPECT_EQ(lieu({"-90", "0", "0", "0", true, true}).Lat, -90.0f);
    EXPECT_EQ(lieu({"91", "-60", "0", "0", true, true}).Lat, 90.0f);
    // The degrees alone go beyond: they are blamed; minutes that take 90 over are blamed instead.
    EXPECT_EQ(raisons({"95", "0", "2", "20", true, true}), (R{lat, "", "", ""}));
    EXPECT_EQ(raisons({"-400", "10", "2", "20", false, true}), (R{lat, "", "", ""}));
    EXPECT_EQ(raisons({"90", "0.5", "2", "20", true, true}), (R{"", lat, "", ""}));
    EXPECT_EQ(raisons({"0", "6000", "2", "20", true, true}), (R{"", lat, "", ""}));
    EXPECT_EQ(raisons({"1E999", "0", "2", "1E999", true, true}), (R{grand, "", "", grand}));
    EXPECT_EQ(raisons({"48", "52", "3.4E38", "3E38", true, true}), (R{"", "", grand, ""}));
    EXPECT_TRUE(examine_lieu({"48", "52", "2", "20", true, true}).tenable());
    EXPECT_FALSE(lit_lieu({"95", "0", "0", "0", true, true}));
    EXPECT_FALSE(lit_lieu({"90", "0.01", "0", "0", true, true}));
    EXPECT_EQ(lieu_par_defaut().Lat, 48.866665f);
    EXPECT_EQ(lieu_par_defaut().Lon, -2.3333333f);
}

TEST(LitLieu, TextesQuiNeSontPasDesNombres) {
    // Empty fields, letters and blanks read as 0; the number reading takes either decimal mark.
    const Observateur vide = lieu({"", "", "", "", true, true});
    EXPECT_EQ(vide.Lat, 0.0f);
    EXPECT_EQ(vide.Lon, 0.0f);
    EXPECT_EQ(lieu({"abc", "x", "2", "", true, true}).Lat, 0.0f);
    EXPECT_EQ(lieu({" 4 8 ", "30", "0", "0", true, true}).Lat, 48.5f);
    EXPECT_EQ(lieu({"48,5", "0", "0", "0", true, true}).Lat, 48.5f);
    EXPECT_EQ(lieu({"12abc", "6", "0", "0", true, true}).Lat, 12.1f);
}

TEST(LitLieu, ValeurQuOnNePeutTenirLaisseLeLieu) {
    // Beyond the double range, in any of the four fields.
    EXPECT_FALSE(lit_lieu({"1E999", "0", "2", "20", true, true}));
    EXPECT_FALSE(lit_lieu({"48", "1E999", "2", "20", true, true}));
    EXPECT_FALSE(lit_lieu({"48", "52", "-1E999", "20", true, true}));
    EXPECT_FALSE(lit_lieu({"48", "52", "2", "1D400", true, true}));
    // Beyond the float range, or a sum of two large doubles that overflows.
    EXPECT_FALSE(lit_lieu({"1E39", "0", "2", "20", true, true}));
    EXPECT_FALSE(lit_lieu({"48", "52", "0", "-1E41", true, false}));
    EXPECT_FALSE(lit_lieu({"1.7E308", "1.7E308", "0", "0", true, true}));
    // The largest float is still a longitude.
    const std::optional<Observateur> grand = lit_lieu({"45", "0", "-3.4E38", "0", false, false});
    ASSERT_TRUE(grand);
    EXPECT_EQ(grand->Lon, -3.4E38f);
}

TEST(SuitSaisie, ChampIntenableRemplaceParSaValeurDAvantLesAutresAppliques) {
    const std::string lat = "Latitude : 90° au plus", grand = "Nombre trop grand";
    using R = std::array<std::string, 4>;
    const LieuRetenu paris{};
    struct Cas {
        const char* nom;
        LieuRetenu avant;
        ChampsLieu affiches;
        int champ;
        const char* repli;
        ChampsLieu attendus;
        R raisons;
    };
    const LieuRetenu lat0_ecarte{{"48", "52", "2", "20", true, true}, {lat, "", "", ""}};
    for (const Cas& c : {
             // Every field can be held: all are used as shown, hemispheres too.
             Cas{"tenable",
                 paris,
                 {"9", "52", "2", "20", false, true},
                 0,
                 "48",
                 {"9", "52", "2", "20", false, true},
                 {}},
             // 95 over 48, 9 on the way: the value from before the edit, not the 9.
             Cas{"95",
                 {{"9", "52", "2", "20", true, true}, {}},
                 {"95", "52", "2", "20", true, true},
                 0,
                 "48",
                 {"48", "52", "2", "20", true, true},
                 {lat, "", "", ""}},
             Cas{"1E999",
                 paris,
                 {"48", "52", "1E999", "20", true, true},
                 2,
                 "2",
                 {"48", "52", "2", "20", true, true},
                 {"", "", grand, ""}},
             // The degrees take 90 over with the minutes: the field edited is the one left out.
             Cas{"90 et 52",
                 paris,
                 {"90", "52", "2", "20", true, true},
                 0,
                 "48",
                 {"48", "52", "2", "20", true, true},
                 {lat, "", "", ""}},
             // The other fields and the hemispheres keep applying while the latitude is left out.
             Cas{"longitude",
                 lat0_ecarte,
                 {"95", "52", "2", "30", false, false},
                 3,
                 "20",
                 {"48", "52", "2", "30", false, false},
                 {lat, "", "", ""}},
             Cas{"minutes",
                 lat0_ecarte,
                 {"95", "0", "2", "20", true, true},
                 1,
                 "52",
                 {"48", "0", "2", "20", true, true},
                 {lat, "", "", ""}},
             // A field left out comes back once the shown texts can be held with it.
             Cas{"repris",
                 {{"48", "52", "2", "20", true, true}, {lat, "", "", ""}},
                 {"90", "0", "2", "20", true, true},
                 1,
                 "52",
                 {"90", "0", "2", "20", true, true},
                 {}},
             // A fallback that no longer goes with the other fields: the value the field had.
             Cas{"repli caduc",
                 {{"10", "30", "2", "20", true, true}, {}},
                 {"95", "30", "2", "20", true, true},
                 0,
                 "90",
                 {"10", "30", "2", "20", true, true},
                 {lat, "", "", ""}},
             Cas{"hemisphere",
                 lat0_ecarte,
                 {"95", "52", "2", "20", false, true},
                 -1,
                 "",
                 {"48", "52", "2", "20", false, true},
                 {lat, "", "", ""}},
         }) {
        const LieuRetenu r = suit_saisie(c.avant, c.affiches, c.champ, c.repli);
        EXPECT_EQ(r.champs.lat0, c.attendus.lat0) << c.nom;
        EXPECT_EQ(r.champs.lat1, c.attendus.lat1) << c.nom;
        EXPECT_EQ(r.champs.lon0, c.attendus.lon0) << c.nom;
        EXPECT_EQ(r.champs.lon1, c.attendus.lon1) << c.nom;
        EXPECT_EQ(r.champs.nord, c.attendus.nord) << c.nom;
        EXPECT_EQ(r.champs.est, c.attendus.est) << c.nom;
        EXPECT_EQ(r.raisons, c.raisons) << c.nom;
        EXPECT_TRUE(lit_lieu(r.champs)) << c.nom;
    }
}
