#include "events/courbe_nuit.hpp"
#include "references.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "clock/calendrier.hpp"
#include "events/soleil.hpp"

using namespace orbitel;
using references::nombre;

namespace {

constexpr double Minute = 1.0 / 1440;

Observateur lieu(double lat, double lon_est) {
    return {static_cast<float>(lat), static_cast<float>(-lon_est)};
}

double jj_de(int an, int mois, int jour, int heures) {
    return jour_julien(Instant{static_cast<double>(jour), static_cast<double>(mois), static_cast<double>(an),
                               static_cast<double>(heures), 0, 0});
}

// A zone that puts its clocks forward by an hour at a given UT instant.
class FuseauEte final : public Fuseau {
public:
    FuseauEte(std::int32_t hiver, double changement_tu) : hiver_(hiver), changement_(changement_tu) {}
    std::int32_t decalage(double s) const override { return s < changement_ ? hiver_ : hiver_ + 3600; }

private:
    std::int32_t hiver_;
    double changement_;
};

double secondes(double jj) {
    return (jj - JourJulien1970) * 86400;
}

} // namespace

TEST(CourbeNuit, DeMidiAMidi) {
    const FuseauFixe tu(0), sydney(10 * 3600);
    // Paris's zone in 2026: +1 h, then +2 h from 29 March at 1 h UT.
    const FuseauEte paris(3600, secondes(jj_de(2026, 3, 29, 1)));
    struct Cas {
        const Fuseau& fuseau;
        double jj;
        double debut, fin;
    } cas[] = {
        {tu, jj_de(2026, 12, 7, 20), jj_de(2026, 12, 7, 12), jj_de(2026, 12, 8, 12)},
        {tu, jj_de(2026, 12, 8, 3), jj_de(2026, 12, 7, 12), jj_de(2026, 12, 8, 12)},
        {tu, jj_de(2026, 12, 7, 12), jj_de(2026, 12, 7, 12), jj_de(2026, 12, 8, 12)},
        {sydney, jj_de(2026, 12, 7, 20), jj_de(2026, 12, 7, 2), jj_de(2026, 12, 8, 2)},
        {sydney, jj_de(2026, 12, 7, 1), jj_de(2026, 12, 6, 2), jj_de(2026, 12, 7, 2)},
        // The night the clocks go forward is 23 hours long: 11 h UT on Saturday to 10 h UT on Sunday.
        {paris, jj_de(2026, 3, 28, 22), jj_de(2026, 3, 28, 11), jj_de(2026, 3, 29, 10)},
        {paris, jj_de(2026, 3, 29, 9), jj_de(2026, 3, 28, 11), jj_de(2026, 3, 29, 10)},
        {paris, jj_de(2026, 3, 29, 10), jj_de(2026, 3, 29, 10), jj_de(2026, 3, 30, 10)},
    };
    for (const Cas& c : cas) {
        const Intervalle i = nuit_autour(c.jj, c.fuseau);
        EXPECT_NEAR(i.debut, c.debut, 1e-6) << c.jj;
        EXPECT_NEAR(i.fin, c.fin, 1e-6) << c.jj;
    }
}

// The curve the graph draws, read between its points as the painting reads it, crosses the rise and
// set altitude within a minute of the rises and sets that the day-by-day search finds in the span
// (and nowhere else), and passes through the altitude of the transit at its instant; everywhere it
// keeps within 0.05 degree of the engine.
TEST(CourbeNuit, SuitLesEvenementsDuMoteur) {
    const struct Cas {
        const char* nom;
        Observateur lieu;
        double jj;
        EchelleTemps echelle;
    } cas[] = {
        {"Paris", lieu(48.8667, 2.3333), jj_de(2026, 12, 7, 20), EchelleTemps::universel},
        {"Sydney", lieu(-33.8667, 151.2), jj_de(2024, 3, 20, 9), EchelleTemps::terrestre},
        // The Moon passes within a degree of the zenith (89.3 degrees) at Quito that night.
        {"Quito", lieu(-0.2167, -78.5167), jj_de(2025, 4, 11, 3), EchelleTemps::universel},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EtatLune e;
        const Intervalle span = nuit_autour(c.jj, FuseauFixe(0));
        const Nuit nuit = calcule_nuit(e, span, c.lieu, c.echelle);
        ASSERT_GT(nuit.points.size(), 288u);

        // The events in the span, from the searches over whole UT days.
        std::vector<double> evenements;
        std::optional<Passage> passage;
        for (double jj0 = std::floor(span.debut - 0.5) + 0.5; jj0 < span.fin; jj0 += 1) {
            const LeverCoucher lc = lever_coucher_entre(e, jj0, 1, c.lieu, c.echelle);
            for (const EvenementHorizon& ev : {lc.lever, lc.coucher})
                if (ev.trouve && ev.jj >= span.debut && ev.jj < span.fin) evenements.push_back(ev.jj);
            const auto p = passage_meridien(e, jj0, c.lieu, c.echelle);
            if (p && p->jj >= span.debut && p->jj < span.fin && !passage) passage = p;
        }
        ASSERT_TRUE(passage.has_value());
        ASSERT_FALSE(evenements.empty());

        // The curve's crossings of -0.833, by steps of 10 s.
        std::vector<double> croisements;
        double pire = 0;
        double avant = interpole(nuit, span.debut)->hauteur;
        for (double t = span.debut + 10.0 / 86400; t < span.fin; t += 10.0 / 86400) {
            const double h = interpole(nuit, t)->hauteur;
            if ((h >= HauteurLever) != (avant >= HauteurLever)) croisements.push_back(t);
            avant = h;
        }
        for (double t = span.debut; t < span.fin; t += 3 * Minute + 1e-4)
            pire = std::max(
                pire, std::fabs(interpole(nuit, t)->hauteur - point_nuit(e, t, c.lieu, c.echelle).hauteur));
        EXPECT_LT(pire, 0.05);

        ASSERT_EQ(croisements.size(), evenements.size());
        std::sort(evenements.begin(), evenements.end());
        for (std::size_t k = 0; k < evenements.size(); ++k)
            EXPECT_NEAR(croisements[k], evenements[k], Minute) << k;
        EXPECT_NEAR(interpole(nuit, passage->jj)->hauteur, passage->hauteur, 0.05);
        ASSERT_TRUE(nuit.passage.has_value());
        EXPECT_NEAR(nuit.passage->jj, passage->jj, 1.0 / 86400);
    }
}

// The bands of the sky over a UT day begin and end where astronomy-engine puts sunrise, sunset and the
// twilights, within a minute, in the order of the Sun's descent and climb.
TEST(CourbeNuit, BandesAuxPassagesDuSoleil) {
    const auto lignes = references::lit_tsv("astronomy-engine/soleil.tsv");
    int verifies = 0;
    for (const auto& l : lignes) {
        if (verifies == 6) break;
        bool complet = true;
        for (std::size_t k = 6; k < 14; ++k)
            complet = complet && l[k] != "-" && l[k] != "rase";
        if (!complet) continue;
        SCOPED_TRACE(l[0] + " " + l[3]);
        const Observateur o = lieu(nombre(l[1]), nombre(l[2]));
        const double jj0 = nombre(l[3]);
        EtatLune e;
        const Nuit nuit = calcule_nuit(e, {jj0, jj0 + 1}, o, EchelleTemps::terrestre);
        std::vector<double> attendus;
        for (std::size_t k = 6; k < 14; ++k)
            if (nombre(l[k]) < jj0 + 1) attendus.push_back(nombre(l[k]));
        std::sort(attendus.begin(), attendus.end());
        ASSERT_EQ(nuit.bandes.size(), attendus.size() + 1);
        EXPECT_EQ(nuit.bandes.front().debut, jj0);
        EXPECT_EQ(nuit.bandes.back().fin, jj0 + 1);
        for (std::size_t k = 0; k < attendus.size(); ++k) {
            EXPECT_NEAR(nuit.bandes[k].fin, attendus[k], Minute) << k;
            EXPECT_EQ(nuit.bandes[k + 1].debut, nuit.bandes[k].fin);
            // One threshold at a time.
            EXPECT_EQ(
                std::abs(static_cast<int>(nuit.bandes[k + 1].ciel) - static_cast<int>(nuit.bandes[k].ciel)),
                1);
        }
        ++verifies;
    }
    EXPECT_EQ(verifies, 6);
}
