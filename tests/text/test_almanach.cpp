#include "text/almanach.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "clock/calendrier.hpp"
#include "clock/fuseau.hpp"
#include "events/delta_t.hpp"

using namespace orbitel;

namespace {

double jj_0h(double jour, double mois, double an) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = an;
    return jour_julien_0h(i);
}

std::string iso_tu(double jj) {
    return instant_iso(InstantTu::du_jour_julien(jj), nullptr);
}

std::string iso(double jj, const Fuseau& zone) {
    return instant_iso(InstantTu::du_jour_julien(jj), &zone);
}

std::string ics(double jj) {
    return instant_icalendar(InstantTu::du_jour_julien(jj));
}

} // namespace

TEST(Almanach, InstantsIsoDansLeCalendrierDuMoteur) {
    EXPECT_EQ(iso_tu(2451545.0), "2000-01-01T12:00:00Z");
    EXPECT_EQ(iso(2451545.0, FuseauFixe(7200)), "2000-01-01T14:00:00+02:00");
    EXPECT_EQ(iso(2451545.0, FuseauFixe(-(5 * 3600 + 30 * 60))), "2000-01-01T06:30:00-05:30");
    EXPECT_EQ(iso(2451545.0, FuseauFixe(0)), "2000-01-01T12:00:00+00:00");
    // The nearest second, carried up to the next year; half a second below stays.
    EXPECT_EQ(iso_tu(jj_0h(1, 1, 2000) - 0.4 / 86400), "2000-01-01T00:00:00Z");
    EXPECT_EQ(iso_tu(jj_0h(1, 1, 2000) - 0.6 / 86400), "1999-12-31T23:59:59Z");
    // Julian calendar up to 4 October 1582, whose next day is 15 October.
    EXPECT_EQ(iso_tu(jj_0h(4, 10, 1582) + 1), "1582-10-15T00:00:00Z");
    EXPECT_EQ(iso_tu(jj_0h(15, 3, -43)), "-0043-03-15T00:00:00Z");
    EXPECT_EQ(iso_tu(jj_0h(29, 2, -32764)), "-32764-02-29T00:00:00Z");
    EXPECT_EQ(iso_tu(jj_0h(1, 1, 12000)), "+12000-01-01T00:00:00Z");
    EXPECT_EQ(iso(jj_0h(31, 12, 9999) + 0.5, FuseauFixe(14 * 3600)), "+10000-01-01T02:00:00+14:00");
    EXPECT_EQ(iso_tu(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(iso_tu(1e300), "");
    // iCalendar: the Gregorian calendar it is defined on, years 0000-9999 only.
    EXPECT_EQ(ics(2451545.0 + 0.49999 / 86400), "20000101T120000Z");
    EXPECT_EQ(ics(jj_0h(4, 10, 1582)), "15821014T000000Z");
    EXPECT_EQ(ics(jj_0h(1, 1, 10000)), "");
}

namespace {

// Winter time until 2027-03-28 01:00 UT, then summer time, as in Paris.
class FuseauAuPrintemps final : public Fuseau {
public:
    std::int32_t decalage(double secondes_tu) const override {
        return secondes_tu < 1806195600 ? 3600 : 7200;
    }
};

} // namespace

TEST(Almanach, InstantIsoAuDecalageDeLaSecondeEcrite) {
    // A Julian day a hair short of the change, as the calendar fields give it, is the second of the
    // change: summer time, never the 02:00 the clock skips.
    const double changement = jj_0h(28, 3, 2027) + 1.0 / 24;
    const FuseauAuPrintemps fuseau;
    EXPECT_EQ(iso(changement - 1e-9, fuseau), "2027-03-28T03:00:00+02:00");
    EXPECT_EQ(iso(changement - 0.4 / 86400, fuseau), "2027-03-28T03:00:00+02:00");
    EXPECT_EQ(iso(changement - 0.6 / 86400, fuseau), "2027-03-28T01:59:59+01:00");
}

TEST(Almanach, NombresLesPlusCourtsQuiSeRelisent) {
    for (double x : {0.1, 384400.0, -1.5e-7, 1.0 / 3, 359.99999999999994, -0.0}) {
        const std::string t = nombre_court(x);
        EXPECT_EQ(std::stod(t), x) << t;
        EXPECT_EQ(t.find(','), std::string::npos);
    }
    EXPECT_EQ(nombre_court(0.1), "0.1");
    EXPECT_EQ(nombre_court(384400), "384400");
    EXPECT_EQ(nombre_court(std::numeric_limits<double>::infinity()), "");
}

TEST(Almanach, PhasesDUneAnneeCellesDuTableauJourApresJour) {
    // Every phase the panel lists for any reference date, and falling in the year, is one of the
    // year's phases, and the year lists nothing else.
    for (int an : {-4000, 1582, 2024, 2101}) {
        const double debut = jj_0h(1, 1, an);
        const double fin = jj_0h(1, 1, an + 1);
        const auto phases = phases_entre(debut, fin, calcule_delta_t(static_cast<std::int16_t>(an)).jours);
        std::set<std::string> annee;
        for (std::size_t i = 0; i < phases.size(); ++i) {
            EXPECT_TRUE(annee.insert(ligne_phase(phases[i])).second);
            if (i > 0) {
                EXPECT_GT(phases[i].jj, phases[i - 1].jj);
            }
        }
        EXPECT_GE(phases.size(), 48u);
        EXPECT_LE(phases.size(), 51u);
        // The panel's five lines for every reference date from six weeks before the year to six after, with
        // the year's Delta T.
        const float delta_t = calcule_delta_t(static_cast<std::int16_t>(an)).jours;
        std::set<std::string> panneaux;
        PhaseLune etat;
        for (double jj = debut - 42; jj < fin + 42; jj += 1) {
            const DateHeure reference = DateHeure::depuis_jours(jj - JourJulien1970);
            for (std::int16_t i = 0; i < 5; ++i) {
                const double instant = jj_phase(etat, i, reference, delta_t);
                if (instant < debut || instant >= fin) continue;
                panneaux.insert(std::string(noms_phases[i == 4 ? 0 : static_cast<std::size_t>(i)]) +
                                " le: " + calcule_phase(etat, i, reference, delta_t));
            }
        }
        for (const std::string& ligne : panneaux)
            EXPECT_TRUE(annee.count(ligne)) << an << " " << ligne;
        for (const std::string& ligne : annee)
            EXPECT_TRUE(panneaux.count(ligne)) << an << " " << ligne;
    }
}

TEST(Almanach, HeureLocaleAuxChangements) {
    // A zone an hour ahead until 1000000 s, then two hours ahead.
    class Zone final : public Fuseau {
    public:
        std::int32_t decalage(double t) const override { return t < 1000000 ? 3600 : 7200; }
    } zone;
    EXPECT_EQ(tu_depuis_local(zone, 1000000 + 3600 - 1), 1000000 - 1);
    // The skipped hour moves forward by the gap; the hour after it reads normally.
    EXPECT_EQ(tu_depuis_local(zone, 1000000 + 3600 + 1800), 1000000 + 1800);
    EXPECT_EQ(tu_depuis_local(zone, 1000000 + 7200 + 10), 1000000 + 10);
    // Put back: the first of the two instants.
    class Retour final : public Fuseau {
    public:
        std::int32_t decalage(double t) const override { return t < 1000000 ? 7200 : 3600; }
    } retour;
    EXPECT_EQ(tu_depuis_local(retour, 1000000 + 3600 + 1800), 1000000 - 1800);
    EXPECT_EQ(tu_depuis_local(retour, 1000000 + 7200 + 1800), 1000000 + 3600 + 1800);
}

namespace {

struct Essai {
    std::string nom;
    double valeur;
};

constexpr Colonne<Essai> colonnes_essai[] = {
    {"nom",
     [](const Essai& e, const ContexteTable&) {
         return Cellule{e.nom, false};
     }},
    {"valeur",
     [](const Essai& e, const ContexteTable&) {
         return Cellule{nombre_court(e.valeur), true};
     }},
};

std::string ecrit(EcrivainTable& e, const std::vector<Essai>& rangees) {
    const std::span<const Colonne<Essai>> colonnes(colonnes_essai);
    const auto noms = noms_colonnes(colonnes);
    std::string s = e.debut(noms);
    for (const Essai& r : rangees)
        s += e.rangee(noms, cellules(colonnes, r, ContexteTable{}));
    return s + e.fin();
}

} // namespace

TEST(Almanach, EcrivainsDesTables) {
    // Each form from the same columns, with an empty cell, with no row and with two.
    const std::vector<Essai> deux{{"a", 0.5}, {"", std::nan("")}};
    const struct {
        std::unique_ptr<EcrivainTable> (*ecrivain)();
        std::string vide, rangees;
    } cas[] = {
        {ecrivain_csv, "nom,valeur\n", "nom,valeur\na,0.5\n,\n"},
        {ecrivain_json, "[]\n", "[\n{\"nom\":\"a\",\"valeur\":0.5},\n{\"nom\":null,\"valeur\":null}\n]\n"},
        {[] { return ecrivain_texte(true); }, "", "a\n0.5\n\n\n\n\n"},
        {[] { return ecrivain_icalendar("-//P//FR", "N"); },
         "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//P//FR\r\nCALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\n"
         "X-WR-CALNAME:N\r\nEND:VCALENDAR\r\n",
         "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//P//FR\r\nCALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\n"
         "X-WR-CALNAME:N\r\nBEGIN:VEVENT\r\nnom:a\r\nvaleur:0.5\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nnom:\r\n"
         "valeur:\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(ecrit(*c.ecrivain(), {}), c.vide);
        EXPECT_EQ(ecrit(*c.ecrivain(), deux), c.rangees);
    }
}

TEST(Almanach, ColonnesDesTablesDansLOrdreEtSansCelluleSiIncalculable) {
    std::string noms;
    for (const std::string_view n : noms_colonnes(colonnes_almanach()))
        noms += std::string(n) + ",";
    EXPECT_EQ(
        noms,
        "instant,longitude,latitude,distance_km,parallaxe,ascension_droite,declinaison,distance_topo_km,"
        "ascension_droite_topo,declinaison_topo,elongation,cote,phase,hauteur,azimut,lever,azimut_lever,"
        "coucher,azimut_coucher,");
    // A row that could not be computed keeps only its instant.
    const RangeeAlmanach r{InstantTu::du_jour_julien(2451545.0), LigneAlmanach{}};
    const auto c = cellules(colonnes_almanach(), r, ContexteTable{});
    EXPECT_EQ(c[0].texte, "2000-01-01T12:00:00Z");
    for (std::size_t i = 1; i < c.size(); ++i)
        EXPECT_EQ(c[i].texte, "") << i;
}
