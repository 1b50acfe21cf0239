#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/lever_coucher.hpp"
#include "text/formats.hpp"
#include "text/lignes_lever_coucher.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace orbitel;

namespace {

constexpr double Seconde = 1.0 / 86400;

Observateur place(double lat_deg, double lat_min, bool nord, double lon_deg, double lon_min, bool est) {
    const float lat = static_cast<float>(lat_deg + lat_min / 60);
    const float lon = static_cast<float>(lon_deg + lon_min / 60);
    return {nord ? lat : -lat, est ? -lon : lon};
}

const Observateur Paris = place(48, 52, true, 2, 20, true);
const Observateur Quito = place(0, 13, false, 78, 31, false);
const Observateur Tromso = place(69, 39, true, 18, 57, true);
const Observateur Sydney = place(33, 52, false, 151, 12, true);

Instant date(double jour, double mois, double an, double heures = 0) {
    Instant i;
    i.jour = jour;
    i.mois = mois;
    i.an = an;
    i.heures = heures;
    return i;
}

double ecart_a_h0(EtatLune& e, double jj, const Observateur& o) {
    evalue_ephemeride(e, jj);
    return calcule_topocentrique_brut(e, o.Lat, -o.Lon).hauteur - HauteurLever;
}

struct Croisement {
    double t; // days from 0 h
    bool montee;
};

// Every crossing of the day seen by a scan of 0.0001-day steps, each placed by linear
// interpolation between the two trials around it.
std::vector<Croisement> force_brute(double jj0, const Observateur& o) {
    constexpr double pas = 1e-4;
    EtatLune e;
    std::vector<Croisement> v;
    double avant = ecart_a_h0(e, jj0, o);
    for (int k = 1; k <= 10000; ++k) {
        const double apres = ecart_a_h0(e, jj0 + k * pas, o);
        if ((avant >= 0) != (apres >= 0)) {
            const double t = (k - 1) * pas + pas * std::fabs(avant) / (std::fabs(avant) + std::fabs(apres));
            if (t < 1) v.push_back({t, apres > avant});
        }
        avant = apres;
    }
    return v;
}

// The crossings left once every pair less than a minute apart (a grazing touch) is taken out.
std::vector<Croisement> sans_frolements(std::vector<Croisement> v) {
    for (std::size_t k = 0; k + 1 < v.size();) {
        if (v[k + 1].t - v[k].t < 60 * Seconde) {
            v.erase(v.begin() + static_cast<std::ptrdiff_t>(k),
                    v.begin() + static_cast<std::ptrdiff_t>(k) + 2);
            k = k > 0 ? k - 1 : 0;
        } else {
            ++k;
        }
    }
    return v;
}

bool commence_par(const std::string& texte, const std::string& debut) {
    return texte.starts_with(debut);
}

const Croisement* premier(const std::vector<Croisement>& v, bool montee) {
    for (const Croisement& c : v)
        if (c.montee == montee) return &c;
    return nullptr;
}

// The search's first rise and first set against the brute force: the same events, told apart by
// the direction of the crossing, to within 2 s. Only a grazing pair may go unseen.
void compare_a_la_force_brute(const LeverCoucher& r, double jj0, const Observateur& o) {
    const std::vector<Croisement> tous = force_brute(jj0, o);
    const std::vector<Croisement> nets = sans_frolements(tous);
    const std::string ou =
        "jour " + texte_date(InstantTu::du_jour_julien(jj0), false) + " lat " + std::to_string(o.Lat);
    for (const bool montee : {true, false}) {
        const EvenementHorizon& ev = montee ? r.lever : r.coucher;
        const Croisement* a = premier(tous, montee);
        const Croisement* b = premier(nets, montee);
        const char* quoi = montee ? "lever" : "coucher";
        if (!ev.trouve) {
            EXPECT_EQ(b, nullptr) << quoi << " manqué, " << ou << " à "
                                  << texte_date(InstantTu::du_jour_julien(jj0 + b->t), true);
            continue;
        }
        ASSERT_NE(a, nullptr) << quoi << " en trop, " << ou;
        const double t = ev.jj - jj0;
        const double ecart = std::min(std::fabs(t - a->t), b ? std::fabs(t - b->t) : 1.0);
        EXPECT_LE(ecart, 2 * Seconde)
            << quoi << ", " << ou << ": " << texte_date(InstantTu::du_jour_julien(ev.jj), true)
            << " au lieu de " << texte_date(InstantTu::du_jour_julien(jj0 + a->t), true);
    }
}

// The stepping method the program first had, for comparison only: steps chosen from |h|, the
// altitude read back from its text cut to three decimals, an event taken at the first trial whose
// altitude falls in the band just below h0, rise and set told apart by the side of the meridian.
struct Ancienne {
    bool lever = false, coucher = false;
    int evaluations = 0;
};
Ancienne methode_pas_a_pas(double jj0, const Observateur& o) {
    Ancienne a;
    EtatLune e;
    for (double jj = jj0; jj - jj0 <= 1;) {
        evalue_ephemeride(e, jj);
        ++a.evaluations;
        const Topocentrique t = calcule_topocentrique(e, o.Lat, -o.Lon);
        const double h = std::stod(texte_image(t.hauteur, "00.0000", '.').substr(0, 7));
        const double ah = std::fabs(h);
        const double pas = ah >= 30 ? 0.05 : ah >= 5 ? 0.02 : ah >= 2 ? 0.005 : 0.0001;
        if (h > -0.883 && h < -0.833) {
            if (t.azimut < 180) a.lever = true;
            if (t.azimut > 180) a.coucher = true;
        }
        jj += pas;
    }
    return a;
}

} // namespace

TEST(LeverCoucher, Exemple12Avril1992AParis) {
    EtatLune e;
    const LeverCoucher r = lever_coucher(e, date(12, 4, 1992), Paris);
    const LignesLeverCoucher l = lignes_lever_coucher(passages_du_jour({}, r), ',');
    EXPECT_EQ(l.lever, "Lever: 12/04/1992 à 13:05 ( Az = 073,4°)");
    EXPECT_EQ(l.coucher, "Coucher: 12/04/1992 à 02:34 ( Az = 290,2°)");
    EXPECT_EQ(lignes_lever_coucher(passages_du_jour({}, r), '.').lever,
              "Lever: 12/04/1992 à 13:05 ( Az = 073.4°)");
    EXPECT_LT(r.evaluations, 80);
    // The state describes the search's last trial, inside the day.
    EXPECT_GE(e.JJ, 2448724.5);
    EXPECT_LE(e.JJ, 2448725.5);

    // The time of day plays no part: the search covers the instant's UT day.
    EtatLune f;
    const LeverCoucher soir = lever_coucher(f, date(12, 4, 1992, 23.9), Paris);
    EXPECT_EQ(soir.lever.jj, r.lever.jj);
    EXPECT_EQ(soir.coucher.azimut, r.coucher.azimut);
    compare_a_la_force_brute(r, 2448724.5, Paris);
}

TEST(LeverCoucher, AccordeALaForceBruteSurDesCentainesDeJours) {
#ifdef ORBITEL_TESTS_RAPIDES
    constexpr int jours = 4;
#else
    constexpr int jours = 75;
#endif
    // Spread over sixty years, so that the Moon's greatest declination runs through its 18.6-year
    // cycle: at 69° N that decides whether it stays up or down for whole days.
    int jours_sans_rien = 0, jours_avec_un_seul = 0;
    long evaluations = 0;
    int plus = 0;
    for (const Observateur* lieu : {&Paris, &Quito, &Tromso, &Sydney}) {
        const Observateur& o = *lieu;
        for (int k = 0; k < jours; ++k) {
            const double jj0 = std::floor(2444239.5 + k * (21915.0 / jours)) + 0.5;
            EtatLune e;
            const LeverCoucher r = lever_coucher_jour(e, jj0, o);
            compare_a_la_force_brute(r, jj0, o);
            evaluations += r.evaluations;
            plus = std::max(plus, r.evaluations);
            if (lieu == &Tromso) {
                jours_sans_rien += !r.lever.trouve && !r.coucher.trouve;
                jours_avec_un_seul += r.lever.trouve != r.coucher.trouve;
            }
        }
    }
#ifndef ORBITEL_TESTS_RAPIDES
    EXPECT_GT(jours_sans_rien, 5);
    EXPECT_GT(jours_avec_un_seul, 2);
#endif
    // A scan whose steps follow the bound needs far fewer evaluations than fixed small steps.
    EXPECT_LE(evaluations / (4 * jours), 40);
    EXPECT_LE(plus, 200);
}

TEST(LeverCoucher, MethodePasAPasManqueLeverDeParisLe10Septembre2026) {
    // A 0.02-day step carries the Moon from below -5° to above the band: the old stepping shows
    // "Lever: ---" for a moonrise at 04:18.
    const double jj0 = 2461293.5;
    const Ancienne a = methode_pas_a_pas(jj0, Paris);
    EXPECT_FALSE(a.lever);
    EtatLune e;
    const LeverCoucher r = lever_coucher(e, date(10, 9, 2026), Paris);
    ASSERT_TRUE(r.lever.trouve);
    EXPECT_PRED2(commence_par, lignes_lever_coucher(passages_du_jour({}, r), ',').lever,
                 "Lever: 10/09/2026 à 04:18 ( Az = ");
    EXPECT_LT(r.lever.azimut, 180);
    compare_a_la_force_brute(r, jj0, Paris);
    EXPECT_GT(a.evaluations, 10 * r.evaluations);

    // At the equator the altitude moves fastest and the old stepping misses more often.
    const Ancienne q = methode_pas_a_pas(2461046.5, Quito);
    const LeverCoucher rq = lever_coucher_jour(e, 2461046.5, Quito);
    EXPECT_FALSE(q.lever);
    ASSERT_TRUE(rq.lever.trouve);
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(rq.lever.jj), false), "06/01/2026 à 01:49");
}

TEST(LeverCoucher, CoucherSansLeverEtLInverse) {
    // The Moon rises some fifty minutes later each day, so once a month a UT day holds no rise,
    // and once a month no set.
    EtatLune e;
    const LeverCoucher sans_lever = lever_coucher(e, date(10, 1, 2026), Paris);
    EXPECT_FALSE(sans_lever.lever.trouve);
    ASSERT_TRUE(sans_lever.coucher.trouve);
    EXPECT_EQ(lignes_lever_coucher(passages_du_jour({}, sans_lever), ',').lever, "Lever: ---");
    EXPECT_PRED2(commence_par, lignes_lever_coucher(passages_du_jour({}, sans_lever), ',').coucher,
                 "Coucher: 10/01/2026 à ");
    compare_a_la_force_brute(sans_lever, 2461050.5, Paris);

    const LeverCoucher sans_coucher = lever_coucher(e, date(25, 1, 2026), Paris);
    EXPECT_TRUE(sans_coucher.lever.trouve);
    EXPECT_FALSE(sans_coucher.coucher.trouve);
    EXPECT_EQ(lignes_lever_coucher(passages_du_jour({}, sans_coucher), ',').coucher, "Coucher: ---");
    compare_a_la_force_brute(sans_coucher, 2461065.5, Paris);
}

TEST(LeverCoucher, LuneLeveeOuCoucheeToutLeJourAuNordDuCerclePolaire) {
    EtatLune e;
    for (const double jj0 : {2461041.5 /* 1 January 2026, up */, 2461053.5 /* 13 January, down */}) {
        const LeverCoucher r = lever_coucher_jour(e, jj0, Tromso);
        EXPECT_FALSE(r.lever.trouve);
        EXPECT_FALSE(r.coucher.trouve);
        const LignesLeverCoucher l = lignes_lever_coucher(passages_du_jour({}, r), ',');
        EXPECT_EQ(l.lever, "Lever: ---");
        EXPECT_EQ(l.coucher, "Coucher: ---");
        EXPECT_TRUE(force_brute(jj0, Tromso).empty());
    }
    EXPECT_GT(ecart_a_h0(e, 2461041.5, Tromso), 0);
    EXPECT_LT(ecart_a_h0(e, 2461053.5, Tromso), 0);
}

TEST(LeverCoucher, EvenementDansLaPremiereOuLaDerniereMinuteDuJour) {
    // Moving the observer west delays the rise by about a day per 348 degrees: the longitude is
    // nudged until the rise falls 30 s after midnight, then 30 s before the next.
    struct Cas {
        double jj0;
        double cible;
        const char* ligne;
    };
    EtatLune e;
    for (const Cas& c :
         {Cas{0, 30 * Seconde, " à 00:00 ( Az = "}, Cas{0, 1 - 30 * Seconde, " à 23:59 ( Az = "}}) {
        // A day whose rise at Paris falls within the first or the last forty minutes.
        double jj0 = 2461041.5;
        for (;; jj0 += 1) {
            const LeverCoucher r = lever_coucher_jour(e, jj0, Paris);
            if (r.lever.trouve && std::fabs(r.lever.jj - jj0 - c.cible) < 40.0 / 1440) break;
        }
        Observateur o = Paris;
        LeverCoucher r;
        for (int k = 0; k < 5; ++k) {
            r = lever_coucher_jour(e, jj0, o);
            ASSERT_TRUE(r.lever.trouve);
            o.Lon = static_cast<float>(o.Lon + (c.cible - (r.lever.jj - jj0)) * 348);
        }
        r = lever_coucher_jour(e, jj0, o);
        ASSERT_TRUE(r.lever.trouve);
        EXPECT_NEAR(r.lever.jj - jj0, c.cible, 5 * Seconde);
        EXPECT_PRED2(commence_par, lignes_lever_coucher(passages_du_jour({}, r), ',').lever,
                     "Lever: " + texte_date(InstantTu::du_jour_julien(jj0), false).substr(0, 10) + c.ligne);
        compare_a_la_force_brute(r, jj0, o);
    }
}

TEST(LeverCoucher, FrolementDeLHorizonAuNordDuCerclePolaire) {
    // On 19 October 2026 the Moon clears the horizon at 69° 39' N for under an hour and a half.
    // Moving the observer north lowers its culmination degree for degree; at a culmination just
    // above h0 the rise and the set come minutes apart, and the search must find both.
    const double jj0 = 2461332.5;
    EtatLune e;
    const LeverCoucher base = lever_coucher_jour(e, jj0, Tromso);
    ASSERT_TRUE(base.lever.trouve && base.coucher.trouve);
    const double milieu = (base.lever.jj + base.coucher.jj) / 2 - jj0;
    const auto culmination = [&](const Observateur& o) {
        // Golden-section search of the highest altitude around the middle of the passage.
        double a = milieu - 0.05, b = milieu + 0.05;
        const double r = (std::sqrt(5.0) - 1) / 2;
        for (int k = 0; k < 60; ++k) {
            const double x1 = b - r * (b - a), x2 = a + r * (b - a);
            if (ecart_a_h0(e, jj0 + x1, o) > ecart_a_h0(e, jj0 + x2, o))
                b = x2;
            else
                a = x1;
        }
        return ecart_a_h0(e, jj0 + (a + b) / 2, o);
    };
    const auto place_pour = [&](double hauteur_au_dessus_de_h0) {
        Observateur o = Tromso;
        for (int k = 0; k < 4; ++k)
            o.Lat = static_cast<float>(o.Lat + culmination(o) - hauteur_au_dessus_de_h0);
        return o;
    };

    // A twentieth of a minute of arc above h0: rise and set about five minutes apart.
    const Observateur rasant = place_pour(1.2e-3);
    const LeverCoucher r = lever_coucher_jour(e, jj0, rasant);
    ASSERT_TRUE(r.lever.trouve);
    ASSERT_TRUE(r.coucher.trouve);
    EXPECT_GT(r.coucher.jj - r.lever.jj, 2.0 / 1440);
    EXPECT_LT(r.coucher.jj - r.lever.jj, 10.0 / 1440);
    compare_a_la_force_brute(r, jj0, rasant);

    // A culmination 2e-5 degree above h0: the two crossings are under a minute apart, and such a
    // touch may count as no event at all. It is never half seen: a rise without its set.
    const Observateur effleure = place_pour(2e-5);
    const LeverCoucher t = lever_coucher_jour(e, jj0, effleure);
    EXPECT_EQ(t.lever.trouve, t.coucher.trouve);
    if (t.lever.trouve) {
        EXPECT_LT(std::fabs(t.coucher.jj - t.lever.jj), 60 * Seconde);
    }
}

TEST(LeverCoucher, InstantNonCalculable) {
    EtatLune e;
    const LeverCoucher nan = lever_coucher(e, date(1, 1, std::nan("")), Paris);
    EXPECT_FALSE(nan.lever.trouve);
    EXPECT_FALSE(nan.coucher.trouve);
    EXPECT_EQ(nan.evaluations, 0);
    const LeverCoucher loin = lever_coucher(e, date(1, 1, 1e300), Paris);
    EXPECT_FALSE(loin.lever.trouve);
    EXPECT_FALSE(loin.coucher.trouve);
    EXPECT_LE(loin.evaluations, 1);
    // Finite, but a day there can no longer be cut into instants, nor its times written.
    const LeverCoucher lointain = lever_coucher(e, date(1, 1, 1e12), Paris);
    EXPECT_FALSE(lointain.lever.trouve);
    EXPECT_FALSE(lointain.coucher.trouve);
    EXPECT_EQ(lointain.evaluations, 0);

    const LignesLeverCoucher a = lignes_lever_coucher_absentes();
    EXPECT_EQ(a.lever, "Lever: ---");
    EXPECT_EQ(a.coucher, "Coucher: ---");
    EXPECT_EQ(lignes_lever_coucher(passages_du_jour({}, loin), ',').lever, a.lever);
    EXPECT_EQ(lignes_lever_coucher(passages_du_jour({}, loin), ',').coucher, a.coucher);
}

TEST(LignesLeverCoucher, HeureArrondieALaSecondeEtAzimutAuDixieme) {
    LeverCoucher r;
    r.lever = {true, 2448724.5 + (13 * 3600 + 5 * 60 + 59.4) * Seconde, 45.26};
    r.coucher = {true, 2448724.5 + (23 * 3600 + 59 * 60 + 59.7) * Seconde, 359.96};
    const LignesLeverCoucher l = lignes_lever_coucher(passages_du_jour({}, r), ',');
    EXPECT_EQ(l.lever, "Lever: 12/04/1992 à 13:05 ( Az = 045,3°)");
    // 23:59:59.7 rounds to midnight, which belongs to the next date.
    EXPECT_EQ(l.coucher, "Coucher: 13/04/1992 à 00:00 ( Az = 360,0°)");
    r.coucher.trouve = false;
    EXPECT_EQ(lignes_lever_coucher(passages_du_jour({}, r), '.').coucher, "Coucher: ---");
}

TEST(BornesHauteur, TiennentSurDesAnneesDeLune) {
    // Differences of the altitude over five minutes, sampled through sixty years: the rate never
    // reaches the bound, nor, within its band near the horizon, the second derivative.
    const double dt = 300 * Seconde;
#ifdef ORBITEL_TESTS_RAPIDES
    constexpr int jours = 3;
#else
    constexpr int jours = 40;
#endif
    for (const float lat : {0.0f, 30.0f, 48.866665f, -45.0f, 69.65f, 80.0f, 89.9f}) {
        const BornesHauteur b = bornes_hauteur(lat);
        EXPECT_EQ(b.vitesse, bornes_hauteur(-lat).vitesse);
        EtatLune e;
        for (int d = 0; d < jours; ++d) {
            double jj = 2444239.5 + d * (21915.0 / jours);
            const auto h = [&](double t) {
                evalue_ephemeride(e, t);
                return calcule_topocentrique_brut(e, lat, 12.5f).hauteur;
            };
            double h0 = h(jj), h1 = h(jj + dt);
            for (int k = 0; k < 288; ++k) {
                const double h2 = h(jj + 2 * dt);
                ASSERT_LT(std::fabs(h1 - h0) / dt, b.vitesse) << lat << " " << jj;
                if (std::fabs(h1) < BornesHauteur::hauteur_courbure) {
                    ASSERT_LT(std::fabs(h2 - 2 * h1 + h0) / (dt * dt), b.courbure) << lat << " " << jj;
                }
                h0 = h1;
                h1 = h2;
                jj += dt;
            }
        }
    }
    EXPECT_GT(bornes_hauteur(0).vitesse, bornes_hauteur(60).vitesse);
    EXPECT_LT(bornes_hauteur(0).vitesse, 0.3 * 1440); // under 0.3° a minute
}
