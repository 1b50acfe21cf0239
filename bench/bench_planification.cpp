#include <benchmark/benchmark.h>

#include "ephemeris/moteur.hpp"
#include "events/apsides.hpp"
#include "events/aspect.hpp"
#include "events/passage.hpp"
#include "events/phases_precises.hpp"
#include "events/soleil.hpp"

using namespace orbitel;

namespace {

constexpr double Premier2026 = 2461041.5; // 1 January 2026, 0 h UT
const Observateur Paris{48.8667f, -2.3333f};

// One day's transit search, cycling over the days of 2026.
void BM_passage(benchmark::State& state) {
    const auto echelle = static_cast<EchelleTemps>(state.range(0));
    EtatLune e;
    int jour = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(passage_meridien(e, Premier2026 + jour, Paris, echelle));
        jour = (jour + 1) % 365;
    }
}
BENCHMARK(BM_passage)->Arg(0)->Arg(1);

// The engine with the terrestrial time scale, beside BM_calcule_lune's default one.
void BM_evalue_tt(benchmark::State& state) {
    EtatLune e;
    double jj = Premier2026;
    for (auto _ : state) {
        evalue_ephemeride(e, jj, delta_t_precis_jours(jj));
        benchmark::DoNotOptimize(e.Lambda);
        jj += 0.01;
    }
}
BENCHMARK(BM_evalue_tt);

void BM_apsides_mois(benchmark::State& state) {
    EtatLune e;
    for (auto _ : state)
        benchmark::DoNotOptimize(apsides_entre(e, Premier2026, Premier2026 + 30));
}
BENCHMARK(BM_apsides_mois);

void BM_jour_soleil(benchmark::State& state) {
    EtatLune e;
    int jour = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(jour_soleil(e, Premier2026 + jour, Paris));
        jour = (jour + 1) % 365;
    }
}
BENCHMARK(BM_jour_soleil);

void BM_aspect_lune(benchmark::State& state) {
    EtatLune e;
    double jj = Premier2026;
    for (auto _ : state) {
        benchmark::DoNotOptimize(aspect_lune(e, jj, Paris));
        jj += 0.37;
    }
}
BENCHMARK(BM_aspect_lune);

void BM_age_lune(benchmark::State& state) {
    double jj = Premier2026;
    for (auto _ : state) {
        benchmark::DoNotOptimize(age_lune(jj, EchelleTemps::terrestre));
        jj += 0.37;
    }
}
BENCHMARK(BM_age_lune);

} // namespace
