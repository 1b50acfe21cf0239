// Lunar phase dates: the term tables against the data files, the worked values, the calendar text,
// the panel's lines, the lunation chosen for a date, and the stepping of the panel.
#include "clock/calendrier.hpp"
#include "events/delta_t.hpp"
#include "events/phases.hpp"
#include "events/releve.hpp"
#include "events/tables_phases.hpp"
#include "text/lignes_phases.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace orbitel;

constexpr double jj_epoque = 2440587.5; // Julian day of DateHeure's day 0
constexpr double une_seconde = 1.0 / 86400;

DateHeure date(std::int64_t a, unsigned m, unsigned j) {
    return DateHeure::depuis_calendrier(a, m, j);
}

float delta_t_de(const DateHeure& d) {
    return calcule_delta_t(static_cast<std::int16_t>(d.annee())).jours;
}

std::string donnees(const std::string& nom) {
    return std::string(ORBITEL_TEST_DATA_DIR) + "/meeus-phases/" + nom;
}

// ---- Tables ---------------------------------------------------------------------------------

struct LigneTerme {
    int numero; // line in the file, for the messages
    double coefficient;
    int puissance_e, m, mp, f, omega;
};

std::map<std::string, std::vector<LigneTerme>> lit_termes() {
    std::ifstream in(donnees("terms.tsv"));
    EXPECT_TRUE(in.good()) << donnees("terms.tsv");
    std::map<std::string, std::vector<LigneTerme>> series;
    std::string ligne;
    for (int n = 1; std::getline(in, ligne); ++n) {
        if (ligne.empty() || ligne[0] == '#') continue;
        std::istringstream s(ligne);
        std::string serie;
        LigneTerme t{n, 0, 0, 0, 0, 0, 0};
        EXPECT_TRUE(s >> serie >> t.coefficient >> t.puissance_e >> t.m >> t.mp >> t.f >> t.omega)
            << "terms.tsv:" << n;
        series[serie].push_back(t);
    }
    return series;
}

template <std::size_t N>
void compare_au_fichier(const std::array<TermePhase, N>& table, const std::vector<LigneTerme>& fichier,
                        const char* nom) {
    ASSERT_EQ(table.size(), fichier.size()) << nom;
    for (std::size_t i = 0; i < N; ++i) {
        const TermePhase& t = table[i];
        const LigneTerme& l = fichier[i];
        EXPECT_EQ(t.coefficient, l.coefficient) << nom << " row " << i + 1 << ", terms.tsv:" << l.numero;
        EXPECT_EQ(t.puissance_e, l.puissance_e) << nom << " row " << i + 1 << ", terms.tsv:" << l.numero;
        EXPECT_EQ(t.m, l.m) << nom << " row " << i + 1 << ", terms.tsv:" << l.numero;
        EXPECT_EQ(t.mp, l.mp) << nom << " row " << i + 1 << ", terms.tsv:" << l.numero;
        EXPECT_EQ(t.f, l.f) << nom << " row " << i + 1 << ", terms.tsv:" << l.numero;
        EXPECT_EQ(t.omega, l.omega) << nom << " row " << i + 1 << ", terms.tsv:" << l.numero;
    }
}

TEST(TablesPhases, SeriesConformesAuFichier) {
    const auto series = lit_termes();
    ASSERT_EQ(series.size(), 4u);
    compare_au_fichier(termes_nouvelle_lune, series.at("new"), "new");
    compare_au_fichier(termes_pleine_lune, series.at("full"), "full");
    compare_au_fichier(termes_quartier, series.at("quarter"), "quarter");
    compare_au_fichier(termes_w, series.at("w"), "w");
}

TEST(TablesPhases, TermesRemarquables) {
    EXPECT_EQ(termes_nouvelle_lune.size(), 25u);
    EXPECT_EQ(termes_pleine_lune.size(), 25u);
    EXPECT_EQ(termes_quartier.size(), 25u);
    EXPECT_EQ(termes_w.size(), 6u);
    // The leading terms: -0.40720 sin M' + 0.17241 E sin M + 0.01608 sin 2M' ...
    EXPECT_EQ(termes_nouvelle_lune[0].coefficient, -0.40720);
    EXPECT_EQ(termes_nouvelle_lune[0].mp, 1);
    EXPECT_EQ(termes_nouvelle_lune[1].coefficient, 0.17241);
    EXPECT_EQ(termes_nouvelle_lune[1].puissance_e, 1);
    EXPECT_EQ(termes_pleine_lune[0].coefficient, -0.40614);
    EXPECT_EQ(termes_quartier[0].coefficient, -0.62801);
    EXPECT_EQ(termes_quartier[2].coefficient, -0.01183); // E sin(M' + M)
    // 0.00208 E^2 sin 2M, but 0.00007 sin(M' + 2M) with no factor.
    EXPECT_EQ(termes_nouvelle_lune[6].coefficient, 0.00208);
    EXPECT_EQ(termes_nouvelle_lune[6].puissance_e, 2);
    EXPECT_EQ(termes_nouvelle_lune[15].coefficient, -0.00007);
    EXPECT_EQ(termes_nouvelle_lune[15].puissance_e, 0);
    EXPECT_EQ(termes_nouvelle_lune[15].m, 2);
    EXPECT_EQ(termes_nouvelle_lune[15].mp, 1);
    EXPECT_EQ(termes_nouvelle_lune[24].coefficient, 0.00002);
    EXPECT_EQ(termes_nouvelle_lune[24].mp, 4);
    // W's constant is the line with no argument.
    EXPECT_EQ(termes_w[0].coefficient, 0.00306);
    EXPECT_EQ(termes_w[0].m | termes_w[0].mp | termes_w[0].f | termes_w[0].omega, 0);
    // Only the M terms carry E, as many times as |M|: the eccentricity enters through the Sun.
    for (const auto* serie : {&termes_nouvelle_lune, &termes_pleine_lune, &termes_quartier})
        for (const TermePhase& t : *serie)
            if (t.puissance_e != 0) {
                EXPECT_EQ(t.puissance_e, std::abs(t.m));
            }
}

TEST(TablesPhases, ArgumentsPlanetairesConformesAuFichier) {
    std::ifstream in(donnees("planetary.tsv"));
    ASSERT_TRUE(in.good());
    std::string ligne;
    std::size_t lus = 0;
    for (int n = 1; std::getline(in, ligne); ++n) {
        if (ligne.empty() || ligne[0] == '#') continue;
        std::istringstream s(ligne);
        std::size_t indice = 0;
        double constante = 0, taux = 0, coefficient = 0;
        ASSERT_TRUE(s >> indice >> constante >> taux >> coefficient) << "planetary.tsv:" << n;
        ASSERT_EQ(indice, lus + 1) << "planetary.tsv:" << n;
        ASSERT_LT(lus, arguments_planetaires.size()) << "planetary.tsv:" << n;
        const ArgumentPlanetaire& a = arguments_planetaires[lus++];
        EXPECT_EQ(a.constante, constante) << "A" << indice;
        EXPECT_EQ(a.taux, taux) << "A" << indice;
        EXPECT_EQ(a.coefficient, coefficient) << "A" << indice;
    }
    EXPECT_EQ(lus, 14u);
    EXPECT_EQ(arguments_planetaires[0].constante, 299.77);
    EXPECT_EQ(arguments_planetaires[13].taux, 3.592518);
}

// ---- Angle reduction and decimal year -----------------------------------------------------------

TEST(Reduit360, BornesEtNegatifs) {
    EXPECT_EQ(reduit_360(0), 0);
    EXPECT_EQ(reduit_360(360), 360); // kept as it is
    EXPECT_EQ(reduit_360(123.456), 123.456);
    EXPECT_NEAR(reduit_360(365.25), 5.25, 1e-12);
    EXPECT_NEAR(reduit_360(720.5), 0.5, 1e-12);
    EXPECT_NEAR(reduit_360(-10), 350, 1e-12);
    EXPECT_NEAR(reduit_360(-0.25), 359.75, 1e-12);
    EXPECT_NEAR(reduit_360(-360), 0, 1e-12);
    EXPECT_NEAR(reduit_360(-725.5), 354.5, 1e-12);
    for (double x = -100000.3; x < 100000; x += 77.7) {
        const double r = reduit_360(x);
        EXPECT_GE(r, 0) << x;
        EXPECT_LT(r, 360) << x;
        EXPECT_NEAR(std::remainder(r - x, 360), 0, 1e-9) << x;
    }
}

TEST(AnneeDecimale, TroisCentSoixanteCinqJoursParAn) {
    EXPECT_EQ(annee_decimale(date(2000, 1, 1)), 2000.0f);
    EXPECT_EQ(numero_lunaison(date(2000, 1, 1)), 0.0f);
    // 31 December of a leap year is 365 days after 1 January: the next year exactly.
    EXPECT_EQ(annee_decimale(date(2024, 12, 31)), 2025.0f);
    EXPECT_EQ(annee_decimale(date(2025, 1, 1)), 2025.0f);
    EXPECT_EQ(annee_decimale(date(2024, 3, 1)), static_cast<float>(2024 + 60 / 365.0));
    // The time of day counts.
    EXPECT_GT(annee_decimale(DateHeure::depuis_calendrier(2024, 3, 1, 12)), annee_decimale(date(2024, 3, 1)));
    EXPECT_EQ(numero_lunaison(date(2024, 3, 1)), 298.0f);
    EXPECT_EQ(numero_lunaison(date(1999, 12, 31)), -1.0f);
}

TEST(AnneeDecimale, SimplePrecisionChoisitLaLunaison) {
    // The same rule with a double decimal year lists another lunation for 63 dates of 1900-2199.
    int autres = 0;
    for (DateHeure d = date(1900, 1, 1); d.annee() < 2200; d = d.plus_jours(1)) {
        const std::int64_t annee = d.annee();
        const double y = static_cast<double>(annee) + (d.jours() - date(annee, 1, 1).jours()) / 365;
        if (std::floor((y - 2000) * 12.3685) != numero_lunaison(d)) ++autres;
    }
    EXPECT_EQ(autres, 63);
}

// ---- Worked values -----------------------------------------------------------------------------

struct CasPanneau {
    DateHeure reference;
    std::array<const char*, 5> phases;
};

const CasPanneau cas_travailles[] = {
    {date(2024, 3, 1),
     {"9/2/2024 à 22:58:45 T.U", "16/2/2024 à 15:00:35 T.U", "24/2/2024 à 12:30:04 T.U",
      "3/3/2024 à 15:23:18 T.U", "10/3/2024 à 09:00:02 T.U"}},
    {date(2024, 12, 31),
     {"30/12/2024 à 22:26:29 T.U", "6/1/2025 à 23:56:03 T.U", "13/1/2025 à 22:26:34 T.U",
      "21/1/2025 à 20:30:25 T.U", "29/1/2025 à 12:35:38 T.U"}},
};

TEST(CalculePhase, TableTravaillee) {
    PhaseLune etat;
    for (const CasPanneau& c : cas_travailles) {
        // Delta T is that of the reference year (2024) for all five, even those in 2025.
        const float delta_t = calcule_delta_t(2024).jours;
        for (std::int16_t i = 0; i < 5; ++i)
            EXPECT_EQ(calcule_phase(etat, i, c.reference, delta_t), c.phases[static_cast<std::size_t>(i)])
                << c.reference.texte() << " index " << i;
    }
}

TEST(CalculePhase, PremierJanvier2000) {
    PhaseLune etat;
    const float delta_t = calcule_delta_t(2000).jours;
    EXPECT_EQ(calcule_phase(etat, 0, date(2000, 1, 1), delta_t), "6/1/2000 à 18:13:49 T.U");
    EXPECT_EQ(etat.k, 0.0f);
    EXPECT_EQ(etat.T, 0.0f);
    EXPECT_EQ(calcule_phase(etat, 4, date(2000, 1, 1), delta_t), "5/2/2000 à 13:03:25 T.U");
    EXPECT_EQ(etat.k, 1.0f);
}

TEST(CalculePhase, ExemplesDuChapitre) {
    // The book's two worked phases, in dynamical time (no Delta T): the new moon k = -283 of
    // February 1977 and the last quarter k = 544.75 of January 2044. Single-precision T and the
    // truncated degree factor keep them to a fraction of a second.
    constexpr double tolerance_jours = 1e-5;
    PhaseLune etat;
    EXPECT_NEAR(jj_phase(etat, 0, date(1977, 3, 1), 0), 2443192.65118, tolerance_jours);
    EXPECT_EQ(etat.k, -283.0f);
    EXPECT_NEAR(jj_phase(etat, 3, date(2044, 1, 1), 0), 2467636.49186, tolerance_jours);
    EXPECT_EQ(etat.k, 544.75f);
}

TEST(CalculePhase, EtatDeTravail) {
    PhaseLune etat;
    jj_phase(etat, 2, date(2024, 3, 1), 0);
    EXPECT_EQ(etat.k, 298.5f);
    EXPECT_EQ(etat.T, static_cast<float>(298.5 / 1236.85));
    EXPECT_EQ(etat.T2, etat.T * etat.T);
    EXPECT_EQ(etat.T3, etat.T2 * etat.T);
    EXPECT_EQ(etat.T4, etat.T3 * etat.T);
    for (double angle : {etat.M, etat.Mp, etat.F, etat.Omega}) {
        EXPECT_GE(angle, 0);
        EXPECT_LE(angle, 360);
    }
    for (std::size_t i = 1; i <= 14; ++i) {
        EXPECT_GE(etat.A[i], 0) << "A" << i;
        EXPECT_LE(etat.A[i], 360 * degres_en_radians_phases) << "A" << i;
    }
    EXPECT_EQ(etat.A[0], 0);
    EXPECT_NEAR(etat.E, 1, 0.001);
    // Each correction is bounded by the sum of its coefficients.
    EXPECT_LT(std::fabs(corrections_pleine_lune(etat)), 0.65);
    EXPECT_LT(std::fabs(corrections_quartier(etat)), 0.9);
    EXPECT_LT(std::fabs(corrections_additionnelles(etat)), 0.0013);
    EXPECT_GT(terme_w(etat), 0.00306 - 0.0007);
    EXPECT_LT(terme_w(etat), 0.00306 + 0.0007);
}

TEST(CalculePhase, IndiceHorsDomaine) {
    PhaseLune etat;
    EXPECT_THROW(jj_phase(etat, 5, date(2024, 3, 1), 0), std::invalid_argument);
    EXPECT_THROW(calcule_phase(etat, -1, date(2024, 3, 1), 0), std::invalid_argument);
}

TEST(CalculePhase, DeltaTRetranche) {
    PhaseLune etat;
    const double tt = jj_phase(etat, 0, date(2024, 3, 1), 0);
    const float delta_t = calcule_delta_t(2024).jours;
    EXPECT_DOUBLE_EQ(tt - jj_phase(etat, 0, date(2024, 3, 1), delta_t), static_cast<double>(delta_t));
}

// ---- Calendar text -------------------------------------------------------------------------------

TEST(JjEnTexte, CalendrierEtTroncature) {
    EXPECT_EQ(jj_en_texte(2451545.0), "1/1/2000 à 12:00:00 T.U");
    // A binary-exact 6 h 45 min keeps its zero seconds.
    EXPECT_EQ(jj_en_texte(2451544.5 + 0.28125), "1/1/2000 à 06:45:00 T.U");
    // 12 h 30 min 4.9 s: truncated, never rounded.
    EXPECT_EQ(jj_en_texte(2451544.5 + (12 * 3600 + 30 * 60 + 4.9) / 86400), "1/1/2000 à 12:30:04 T.U");
    EXPECT_EQ(jj_en_texte(2451544.5 + (23 * 3600 + 59 * 60 + 59.9) / 86400), "1/1/2000 à 23:59:59 T.U");
    // The reform: the day after Julian 4 October 1582 is Gregorian 15 October.
    EXPECT_EQ(jj_en_texte(2299159.5), "4/10/1582 à 00:00:00 T.U");
    EXPECT_EQ(jj_en_texte(2299160.5), "15/10/1582 à 00:00:00 T.U");
    // Astronomical years, and negative Julian days.
    EXPECT_EQ(jj_en_texte(1721057.5), "1/1/0 à 00:00:00 T.U");
    EXPECT_EQ(jj_en_texte(0), "1/1/-4712 à 12:00:00 T.U");
    EXPECT_EQ(jj_en_texte(-1), "31/12/-4713 à 12:00:00 T.U");
    EXPECT_EQ(jj_en_texte(-1 - 365), "31/12/-4714 à 12:00:00 T.U");
    EXPECT_THROW(jj_en_texte(std::nan("")), std::domain_error);
}

// The phase text by an independent route: the Julian calendar by Richards' integer method before
// the reform, the proleptic Gregorian calendar of DateHeure after, and the time of day cut to the
// whole second.
std::int64_t div_floor(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::string texte_attendu(double jj) {
    const double x = jj + 0.5;
    const auto z = static_cast<std::int64_t>(std::floor(x));
    std::int64_t annee;
    long mois, jour;
    if (z < 2299161) {
        const std::int64_t f = z + 1401;
        const std::int64_t e = 4 * f + 3;
        const std::int64_t g = div_floor(e - div_floor(e, 1461) * 1461, 4);
        const std::int64_t h = 5 * g + 2;
        jour = static_cast<long>((h % 153) / 5 + 1);
        mois = static_cast<long>((h / 153 + 2) % 12 + 1);
        annee = div_floor(e, 1461) - 4716 + (12 + 2 - mois) / 12;
    } else {
        const DateHeure d = DateHeure::depuis_jours(static_cast<double>(z) - 0.5 - jj_epoque + 0.5);
        annee = d.annee();
        mois = static_cast<long>(d.mois());
        jour = static_cast<long>(d.jour());
    }
    const auto s = static_cast<long>(std::floor((x - std::floor(x)) * 86400));
    char tampon[80];
    std::snprintf(tampon, sizeof tampon, "%ld/%ld/%lld à %02ld:%02ld:%02ld T.U", jour, mois,
                  static_cast<long long>(annee), s / 3600, s / 60 % 60, s % 60);
    return tampon;
}

struct CasLointain {
    DateHeure reference;
    std::array<const char*, 5> phases;
};

TEST(CalculePhase, AvantLaReformeCalendrierJulien) {
    // The reference's fields are those the instant line writes, in the Julian calendar before the
    // reform: 20 February 1500 (1 March in the proleptic Gregorian count) lies in the lunation of
    // 30 January, and the next new moon falls on 29 February, a day the Gregorian 1500 does not have.
    const CasLointain c{date(1500, 2, 20),
                        {"30/1/1500 à 18:38:41 T.U", "7/2/1500 à 04:44:18 T.U", "15/2/1500 à 06:41:59 T.U",
                         "22/2/1500 à 10:03:54 T.U", "29/2/1500 à 06:25:45 T.U"}};
    PhaseLune etat;
    const float delta_t = delta_t_de(c.reference);
    EXPECT_EQ(numero_lunaison(c.reference), -6183.0f);
    for (std::int16_t i = 0; i < 5; ++i) {
        const double jj = jj_phase(etat, i, c.reference, delta_t);
        EXPECT_LT(jj, 2299161) << "index " << i;
        EXPECT_EQ(jj_en_texte(jj), c.phases[static_cast<std::size_t>(i)]) << "index " << i;
        EXPECT_EQ(jj_en_texte(jj), texte_attendu(jj)) << "index " << i;
    }
}

TEST(CalculePhase, AnneeLointaine) {
    const CasLointain c{date(3000, 7, 1),
                        {"24/6/3000 à 07:40:17 T.U", "30/6/3000 à 22:44:59 T.U", "8/7/3000 à 21:14:33 T.U",
                         "16/7/3000 à 21:34:20 T.U", "23/7/3000 à 14:20:29 T.U"}};
    PhaseLune etat;
    const float delta_t = delta_t_de(c.reference);
    EXPECT_EQ(delta_t, static_cast<float>(190.0 / 86400));
    EXPECT_EQ(numero_lunaison(c.reference), 12374.0f);
    for (std::int16_t i = 0; i < 5; ++i) {
        const double jj = jj_phase(etat, i, c.reference, delta_t);
        EXPECT_EQ(jj_en_texte(jj), c.phases[static_cast<std::size_t>(i)]) << "index " << i;
        EXPECT_EQ(jj_en_texte(jj), texte_attendu(jj)) << "index " << i;
    }
}

TEST(CalculePhase, BornesDesAnnees) {
    // At the ends of the typed years the phases stay ordered and their texts sound.
    PhaseLune etat;
    for (const DateHeure d : {date(-32767, 1, 1), date(-1000, 6, 15), date(32767, 12, 31)}) {
        double precedent = -1e300;
        for (std::int16_t i = 0; i < 5; ++i) {
            const double jj = jj_phase(etat, i, d, delta_t_de(d));
            EXPECT_GT(jj, precedent) << d.texte() << " index " << i;
            precedent = jj;
            EXPECT_EQ(jj_en_texte(jj), texte_attendu(jj)) << d.texte() << " index " << i;
        }
    }
}

// ---- The panel -----------------------------------------------------------------------------------

const std::string notice_2024 = "Les heures sont en temps universel, la différence avec le temps terrestre "
                                "dynamique (TDT ou TT) est, en 2024, "
                                "de 90,36 secondes.";

TEST(LignesPhases, PanneauDuPremierMars2024) {
    const LignesPhases l = lignes_phases(date(2024, 3, 1), ',');
    EXPECT_EQ(l.phases[0], "Nouvelle Lune le: 9/2/2024 à 22:58:45 T.U");
    EXPECT_EQ(l.phases[1], "Premier quartier le: 16/2/2024 à 15:00:35 T.U");
    EXPECT_EQ(l.phases[2], "Pleine Lune le: 24/2/2024 à 12:30:04 T.U");
    EXPECT_EQ(l.phases[3], "Dernier quartier le: 3/3/2024 à 15:23:18 T.U");
    EXPECT_EQ(l.phases[4], "Lune suivante le: 10/3/2024 à 09:00:02 T.U");
    EXPECT_EQ(l.notice, notice_2024);
    // The mark only reaches the notice.
    const LignesPhases point = lignes_phases(date(2024, 3, 1), '.');
    EXPECT_EQ(point.phases, l.phases);
    EXPECT_EQ(point.notice.substr(point.notice.size() - 15), "90.36 secondes.");
}

TEST(LignesPhases, TrenteEtUnDecembreGardeLAnneeDeReference) {
    const LignesPhases l = lignes_phases(date(2024, 12, 31), ',');
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(l.phases[i], std::string(noms_phases[i]) + " le: " + cas_travailles[1].phases[i]);
    EXPECT_EQ(l.notice, notice_2024);
}

TEST(LignesPhases, DepuisLInstant) {
    Instant i;
    i.jour = 1;
    i.mois = 3;
    i.an = 2024;
    i.heures = 21;
    i.minutes = 17;
    const LignesPhases l =
        lignes_phases(panneau_des_phases(reference_de_l_instant(instant_des_champs(i))), ',');
    EXPECT_EQ(l.phases, lignes_phases(date(2024, 3, 1), ',').phases);
    EXPECT_EQ(l.notice, notice_2024);
}

TEST(LignesPhases, DeLaDateQueLitLaLigneInstant) {
    // The panel's date is the one the instant line writes, at 0 h: fields out of the calendar run on
    // as the Julian day takes them; no panel where the line writes no date or a year past 32767.
    struct Cas {
        Instant instant;
        std::optional<DateHeure> reference;
    };
    const auto inf = std::numeric_limits<float>::infinity();
    for (const Cas& c : {
             Cas{{31, 2, 2025, 0, 0, 0}, date(2025, 3, 3)},
             Cas{{0, 2, 2025, 0, 0, 0}, date(2025, 1, 31)}, // an empty day field reads 0
             Cas{{29, 2, 1900, 0, 0, 0}, date(1900, 3, 1)},
             Cas{{10, 10, 1582, 0, 0, 0}, date(1582, 10, 20)},
             Cas{{1.5, 3, 2024, 21, 0, 0}, date(2024, 3, 2)},
             Cas{{1, 3, 2024, 23, 59, 59.7f}, date(2024, 3, 2)}, // written 02/03/2024 à 00:00:00
             Cas{{1, 3, 2024, 23, 59, 59.4f}, date(2024, 3, 1)},
             Cas{{1, 1, -32767, 0, 0, 0}, date(-32767, 1, 1)},
             Cas{{31, 12, 32767, 12, 0, 0}, date(32767, 12, 31)},
             Cas{{1, 1, 32768, 0, 0, 0}, std::nullopt},
             Cas{{1, 1, 99999, 0, 0, 0}, std::nullopt},
             Cas{{1, 1, 1e300, 0, 0, 0}, std::nullopt},
             Cas{{1, 1, 2024, 0, 0, inf}, std::nullopt},
         }) {
        const Instant& i = c.instant;
        const std::string quoi =
            std::to_string(i.jour) + "/" + std::to_string(i.mois) + "/" + std::to_string(i.an);
        EXPECT_EQ(reference_de_l_instant(instant_des_champs(i)), c.reference) << quoi;
        const LignesPhases l =
            lignes_phases(panneau_des_phases(reference_de_l_instant(instant_des_champs(i))), ',');
        const LignesPhases attendu =
            c.reference ? lignes_phases(*c.reference, ',') : lignes_phases_absentes();
        EXPECT_EQ(l.phases, attendu.phases) << quoi;
        EXPECT_EQ(l.notice, attendu.notice) << quoi;
    }
    EXPECT_EQ(lignes_phases_absentes().phases[4], "---");
    EXPECT_EQ(lignes_phases_absentes().notice, "---");
    EXPECT_EQ(lignes_phases(date(32768, 1, 1), ',').phases[0], "---");
}

// ---- Lunations over fifty years ---------------------------------------------------------------------

TEST(Lunaisons, CinquanteAnsDeDates) {
    // Quarter to quarter: 6.6 to 8.2 days (mean 7.38); new moon to new moon: 29.27 to 29.83 days.
    constexpr double quart_min = 6.4, quart_max = 8.4;
    constexpr double lunaison_min = 29.2, lunaison_max = 29.9;
    // The listed new moon: at most 26 days before the reference date, at most 8 after.
    constexpr double avant_max = 26, apres_max = 8;
    const int pas =
#ifdef ORBITEL_TESTS_RAPIDES
        7;
#else
        1;
#endif
    PhaseLune etat;
    double suivante_precedente = 0;
    float k_precedent = 0;
    std::int64_t annee_precedente = 0;
    int enchainees = 0;
    for (DateHeure d = date(1990, 1, 1); d.annee() < 2040; d = d.plus_jours(pas)) {
        const float delta_t = delta_t_de(d);
        double jj[5];
        for (std::int16_t i = 0; i < 5; ++i) {
            jj[i] = jj_phase(etat, i, d, delta_t);
            // The text is the instant cut to the second.
            const std::string t = jj_en_texte(jj[i]);
            ASSERT_EQ(t, texte_attendu(jj[i])) << d.texte() << " index " << i;
        }
        for (int i = 0; i < 4; ++i) {
            ASSERT_GT(jj[i + 1] - jj[i], quart_min) << d.texte() << " index " << i;
            ASSERT_LT(jj[i + 1] - jj[i], quart_max) << d.texte() << " index " << i;
        }
        ASSERT_GT(jj[4] - jj[0], lunaison_min) << d.texte();
        ASSERT_LT(jj[4] - jj[0], lunaison_max) << d.texte();
        const double ecart = jj[0] - (d.jours() + jj_epoque);
        ASSERT_GT(ecart, -avant_max) << d.texte();
        ASSERT_LT(ecart, apres_max) << d.texte();
        // The next lunation's new moon is this one's "Lune suivante", to the bit, under one Delta T.
        const float k = numero_lunaison(d);
        if (k == k_precedent + 1 && d.annee() == annee_precedente) {
            ASSERT_EQ(jj[0], suivante_precedente) << d.texte();
            ++enchainees;
        }
        suivante_precedente = jj[4];
        k_precedent = k;
        annee_precedente = d.annee();
    }
    EXPECT_GT(enchainees, 500 / pas);
}

// ---- Far from 2000 ------------------------------------------------------------------------------------

TEST(Lunaisons, LaLunaisonDeLaDateLoinDe2000) {
    // The rule's 12.3685 lunations a year drift by seven lunations at 32767; the panel still lists
    // the lunation the date falls in, or the next one due within AvanceMaxJours, and steps by one.
    for (const DateHeure d : {date(32767, 1, 1), date(32767, 12, 1), date(12233, 7, 1), date(5000, 3, 1),
                              date(1000, 1, 1), date(-20000, 6, 15), date(-32767, 1, 1)}) {
        // The date's fields as the instant line writes them: Julian calendar before the reform.
        const double jj = jour_julien({static_cast<double>(d.jour()), static_cast<double>(d.mois()),
                                       static_cast<double>(d.annee()), 0, 0, 0});
        PhaseLune etat;
        const double nouvelle = jj_phase(etat, 0, d, 0);
        const double suivante = jj_phase(etat, 4, d, 0);
        EXPECT_LE(nouvelle, jj + AvanceMaxJours) << d.texte();
        EXPECT_GT(suivante, jj) << d.texte();
        EXPECT_GT(nouvelle, jj - 30) << d.texte();
        EXPECT_TRUE(nouvelle <= jj || numero_lunaison(d) == lunaison_en_cours(jj) + 1) << d.texte();
        EXPECT_EQ(lunaison_en_cours(nouvelle), numero_lunaison(d)) << d.texte();
        for (const SensCycle sens : {SensCycle::suivant, SensCycle::precedent}) {
            const auto p = pas_de_cycle(d, sens);
            if (!p) continue; // past the years a date is written with
            EXPECT_EQ(numero_lunaison(*p), numero_lunaison(d) + (sens == SensCycle::suivant ? 1.0f : -1.0f))
                << d.texte();
        }
    }
}

TEST(PhasesEntre, ToutesLesPhasesDeLAnnee) {
    // Every year -32767 to 32767 has 48 to 51 phases, the four kinds in turn, none missed at either
    // end: the first and last lie less than a quarter (at most 8.4 days) from the year's bounds.
    constexpr double quart_max = 8.4;
    for (const int an : {-32767, -4000, 1582, 2024, 12233, 32767}) {
        Instant premier;
        premier.jour = 1;
        premier.mois = 1;
        premier.an = an;
        Instant suivant = premier;
        suivant.an = an + 1;
        const double debut = jour_julien_0h(premier);
        const double fin = jour_julien_0h(suivant);
        const float delta_t = calcule_delta_t(static_cast<std::int16_t>(an)).jours;
        const std::vector<PhaseDatee> phases = phases_entre(debut, fin, delta_t);
        ASSERT_GE(phases.size(), 48u) << an;
        ASSERT_LE(phases.size(), 51u) << an;
        EXPECT_LT(phases.front().jj - debut, quart_max) << an;
        EXPECT_LT(fin - phases.back().jj, quart_max) << an;
        for (std::size_t i = 0; i < phases.size(); ++i) {
            EXPECT_GE(phases[i].jj, debut) << an;
            EXPECT_LT(phases[i].jj, fin) << an;
            if (i == 0) continue;
            EXPECT_EQ(phases[i].indice, (phases[i - 1].indice + 1) % 4) << an << " " << i;
            EXPECT_GT(phases[i].jj - phases[i - 1].jj, 6.4) << an << " " << i;
            EXPECT_LT(phases[i].jj - phases[i - 1].jj, quart_max) << an << " " << i;
        }
    }
    // Nothing where single precision no longer holds the lunation's quarters.
    EXPECT_TRUE(phases_entre(1e9, 1e9 + 365, 0).empty());
    EXPECT_TRUE(phases_entre(std::nan(""), 2451545, 0).empty());
}

// ---- Stepping the panel -----------------------------------------------------------------------------

TEST(PasDeCycle, TrenteJoursQuandLaLunaisonSuit) {
    EXPECT_EQ(pas_de_cycle(date(2024, 3, 1), SensCycle::suivant), date(2024, 3, 31));
    EXPECT_EQ(pas_de_cycle(date(2024, 3, 1), SensCycle::precedent), date(2024, 1, 31));
}

void verifie_cent_pas(const DateHeure& depart, SensCycle sens) {
    const int signe = sens == SensCycle::suivant ? 1 : -1;
    DateHeure d = depart;
    std::string nouvelle_lune = lignes_phases(d, ',').phases[0];
    std::string suivante = lignes_phases(d, ',').phases[4];
    for (int n = 0; n < 100; ++n) {
        const auto p = pas_de_cycle(d, sens);
        ASSERT_TRUE(p.has_value()) << d.texte();
        EXPECT_EQ(numero_lunaison(*p), numero_lunaison(d) + static_cast<float>(signe)) << d.texte();
        const double jours = (p->jours() - d.jours()) * signe;
        EXPECT_GE(jours, 29) << d.texte();
        EXPECT_LE(jours, 31) << d.texte();
        const LignesPhases l = lignes_phases(*p, ',');
        // Consecutive lunations: one panel's next new moon is the other's new moon (same instant,
        // the text may differ by Delta T when the step changes the year).
        const std::string& attendue = sens == SensCycle::suivant ? suivante : nouvelle_lune;
        const std::string& obtenue = sens == SensCycle::suivant ? l.phases[0] : l.phases[4];
        if (p->annee() == d.annee()) {
            EXPECT_EQ(obtenue.substr(obtenue.find(": ")), attendue.substr(attendue.find(": "))) << d.texte();
        }
        nouvelle_lune = l.phases[0];
        suivante = l.phases[4];
        d = *p;
    }
    EXPECT_EQ(numero_lunaison(d), numero_lunaison(depart) + 100.0f * static_cast<float>(signe));
}

TEST(PasDeCycle, CentPasEnAvantCentLunaisonsConsecutives) {
    verifie_cent_pas(date(2024, 3, 1), SensCycle::suivant);
}

TEST(PasDeCycle, CentPasEnArriere) {
    verifie_cent_pas(date(2024, 3, 1), SensCycle::precedent);
}

TEST(PasDeCycle, PassageDuNouvelAn) {
    const DateHeure decembre = date(2024, 12, 15);
    const auto janvier = pas_de_cycle(decembre, SensCycle::suivant);
    ASSERT_TRUE(janvier.has_value());
    EXPECT_EQ(janvier->annee(), 2025);
    const LignesPhases avant = lignes_phases(decembre, ',');
    const LignesPhases apres = lignes_phases(*janvier, ',');
    EXPECT_NE(avant.notice.find("en 2024, de 90,36 secondes."), std::string::npos);
    EXPECT_NE(apres.notice.find("en 2025, de 91,75 secondes."), std::string::npos);
    // The same new moon under the two years' Delta T (90.36 s and 91.75 s).
    PhaseLune etat;
    const double jj_avant = jj_phase(etat, 4, decembre, delta_t_de(decembre));
    const double jj_apres = jj_phase(etat, 0, *janvier, delta_t_de(*janvier));
    EXPECT_NEAR((jj_avant - jj_apres) * 86400, 91.75 - 90.36, 0.01);
    // And back.
    EXPECT_EQ(numero_lunaison(*pas_de_cycle(*janvier, SensCycle::precedent)), numero_lunaison(decembre));
}

TEST(PasDeCycle, NiSautNiSurPlace) {
    // A plain 30-day shift skips a lunation now and then, and stays on the same one when the leap
    // day's repeat of the decimal year eats a day (2 December 1904 and 1 January 1905 share one).
    int sauts = 0, sur_place = 0;
    for (DateHeure d = date(1900, 1, 1); d.annee() < 2000; d = d.plus_jours(1)) {
        const float k = numero_lunaison(d);
        const float k30 = numero_lunaison(d.plus_jours(30));
        if (k30 == k + 2) ++sauts;
        if (k30 == k) ++sur_place;
        if (k30 == k + 1) continue;
        const auto p = pas_de_cycle(d, SensCycle::suivant);
        ASSERT_TRUE(p.has_value());
        ASSERT_EQ(numero_lunaison(*p), k + 1) << d.texte();
        if (k30 == k + 2) {
            ASSERT_LT(p->jours(), d.jours() + 30) << d.texte();
        } else {
            ASSERT_GT(p->jours(), d.jours() + 30) << d.texte();
        }
    }
    EXPECT_GT(sauts, 100);
    EXPECT_GT(sur_place, 0);
    EXPECT_EQ(numero_lunaison(date(1904, 12, 2)), numero_lunaison(date(1905, 1, 1)));
    EXPECT_EQ(pas_de_cycle(date(1904, 12, 2), SensCycle::suivant), date(1905, 1, 2));
}

TEST(PasDeCycle, HorsDesAnneesPossibles) {
    EXPECT_FALSE(pas_de_cycle(date(32767, 12, 15), SensCycle::suivant).has_value());
    EXPECT_FALSE(pas_de_cycle(date(-32767, 1, 10), SensCycle::precedent).has_value());
    EXPECT_TRUE(pas_de_cycle(date(32767, 11, 1), SensCycle::suivant).has_value());
    EXPECT_FALSE(pas_de_cycle(DateHeure::depuis_jours(std::nan("")), SensCycle::suivant).has_value());
}

} // namespace
