#include "ephemeris/moteur.hpp"
#include "text/lignes_geocentriques.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace orbitel;

namespace {

struct Cas {
    double jour, mois, an, h, m;
    float s;
    std::array<const char*, 9> lignes; // Label1 to Label8, then Label9
};

LignesGeocentriques lignes(const Cas& c, char marque) {
    Instant i;
    i.jour = c.jour;
    i.mois = c.mois;
    i.an = c.an;
    i.heures = c.h;
    i.minutes = c.m;
    i.secondes = c.s;
    EtatLune e;
    calcule_lune(e, i);
    return lignes_geocentriques(position_de_l_etat(e, {}), marque);
}

std::string en_francais(std::string texte) {
    // The French texts differ only by the decimal mark; the literals themselves have no point.
    for (char& c : texte)
        if (c == '.') c = ',';
    return texte;
}

// Reference lines, checked against the formulas: 12 April 1992 is the classic worked example;
// 23 January 2026 has a negative Lambda (-5.2669 deg), shown in [0, 360); 1 January 1000 is in the
// Julian calendar; 7 December 2026 is a waning crescent two days before new Moon.
const Cas cas[] = {
    {12,
     4,
     1992,
     0,
     0,
     0,
     {"Longitude = 133° 10' 0.41''", "Latitude = - 3° 13' 44.92''", "Distance terre - Lune = 368405.065 kms",
      "Parallaxe = 59 ' 30.85''", "Ascension droite = 08 h 58 m 45.12s", "Déclinaison = +13° 46' 6.55''",
      "Elongation = 110.8° Est", "Phase = 67.9%", "Instant G.M.T. = 12/04/1992 à 00:00:00"}},
    {23,
     1,
     2026,
     4,
     0,
     0,
     {"Longitude = 354° 43' 59.03''", "Latitude = + 1° 22' 50.71''", "Distance terre - Lune = 381078.063 kms",
      "Parallaxe = 57 ' 32.11''", "Ascension droite = 23 h 38 m 28.37s", "Déclinaison = -00° 49' 29.09''",
      "Elongation = 51.6° Est", "Phase = 19%", "Instant G.M.T. = 23/01/2026 à 04:00:00"}},
    {1,
     1,
     1000,
     12,
     0,
     0,
     {"Longitude = 197° 11' 22.21''", "Latitude = + 0° 49' 11.11''", "Distance terre - Lune = 395500.074 kms",
      "Parallaxe = 55 ' 26.239''", "Ascension droite = 13 h 04 m 35.35s", "Déclinaison = -06° 01' 48.98''",
      "Elongation = 89.1° Ouest", "Phase = 49.3%", "Instant G.M.T. = 01/01/1000 à 12:00:00"}},
    {7,
     12,
     2026,
     5,
     41,
     7,
     {"Longitude = 235° 13' 0.58''", "Latitude = - 5° 1' 23.38''", "Distance terre - Lune = 401172.021 kms",
      "Parallaxe = 54 ' 39.216''", "Ascension droite = 15 h 26 m 13.15s", "Déclinaison = -23° 56' 19.48''",
      "Elongation = 20.5° Ouest", "Phase = 3.2%", "Instant G.M.T. = 07/12/2026 à 05:41:07"}},
};

} // namespace

TEST(LignesGeocentriques, TextesDeReference) {
    for (const Cas& c : cas) {
        for (char marque : {'.', ','}) {
            const LignesGeocentriques l = lignes(c, marque);
            const std::array<std::string, 9> obtenu{l.longitude,  l.latitude,  l.distance,
                                                    l.parallaxe,  l.ascension, l.declinaison,
                                                    l.elongation, l.phase,     l.instant};
            for (std::size_t k = 0; k < 8; ++k) {
                const std::string attendu = marque == ',' ? en_francais(c.lignes[k]) : c.lignes[k];
                EXPECT_EQ(obtenu[k], attendu) << c.jour << "/" << c.mois << "/" << c.an;
            }
            EXPECT_EQ(obtenu[8], c.lignes[8]);
        }
    }
}

namespace {

EtatLune etat_type() {
    Instant i;
    i.jour = 12;
    i.mois = 4;
    i.an = 1992;
    EtatLune e;
    calcule_lune(e, i);
    return e;
}

} // namespace

TEST(LignesGeocentriques, SignesEtZeros) {
    EtatLune e = etat_type();
    e.Declinaison = -0.5;
    e.Beta = 0;
    const LignesGeocentriques l = lignes_geocentriques(position_de_l_etat(e, {}), ',');
    EXPECT_EQ(l.declinaison, "Déclinaison = -00° 30' 0''");
    EXPECT_EQ(l.latitude, "Latitude = + 0° 0' 0''");
}

TEST(LignesGeocentriques, SecondesQuiArrondissentA60Retiennent) {
    EtatLune e = etat_type();
    e.Declinaison = 13 + 46 / 60.0 + 59.996 / 3600;
    e.Ascension = 23 + 59 / 60.0 + 59.999 / 3600;
    e.Lambda = (359 + 59 / 60.0 + 59.997 / 3600) / Rad;
    const LignesGeocentriques l = lignes_geocentriques(position_de_l_etat(e, {}), '.');
    EXPECT_EQ(l.declinaison, "Déclinaison = +13° 47' 0''");
    EXPECT_EQ(l.ascension, "Ascension droite = 00 h 00 m 0s");
    EXPECT_EQ(l.longitude, "Longitude = 0° 0' 0''");
}

TEST(LignesGeocentriques, LongitudeNegativeRameneeDansLeTour) {
    EtatLune e = etat_type();
    e.Lambda = -0.5 / Rad;
    EXPECT_EQ(lignes_geocentriques(position_de_l_etat(e, {}), '.').longitude, "Longitude = 359° 30' 0''");
    e.Lambda = 361.25 / Rad;
    EXPECT_EQ(lignes_geocentriques(position_de_l_etat(e, {}), '.').longitude, "Longitude = 1° 15' 0''");
}
