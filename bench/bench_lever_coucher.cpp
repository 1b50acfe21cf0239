#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <vector>

#include "events/lever_coucher.hpp"

using namespace orbitel;

namespace {

constexpr double Premier2026 = 2461041.5; // 1 January 2026, 0 h UT

// One day's search, rise and set, cycling over the days of 2026. Beside the time per search: the
// ephemeris evaluations it took, on average and at most, and the slowest day's time (each day's
// best time over the passes, so that a preempted run does not pass for a slow day).
void cherche_sur_2026(benchmark::State& state, const Observateur& lieu) {
    EtatLune e;
    int jour = 0;
    long evaluations = 0, recherches = 0;
    int plus = 0;
    std::vector<double> meilleur(365, std::numeric_limits<double>::infinity());
    for (auto _ : state) {
        const auto debut = std::chrono::steady_clock::now();
        const LeverCoucher r = lever_coucher_jour(e, Premier2026 + jour, lieu);
        const auto fin = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(r);
        meilleur[jour] = std::min(meilleur[jour], std::chrono::duration<double>(fin - debut).count());
        evaluations += r.evaluations;
        plus = std::max(plus, r.evaluations);
        ++recherches;
        jour = (jour + 1) % 365;
    }
    state.counters["evaluations"] = static_cast<double>(evaluations) / static_cast<double>(recherches);
    state.counters["evaluations_max"] = plus;
    double plus_lent = 0;
    for (const double t : meilleur)
        if (t < std::numeric_limits<double>::infinity()) plus_lent = std::max(plus_lent, t);
    state.counters["jour_le_plus_lent_ms"] = plus_lent * 1e3;
}

void BM_lever_coucher(benchmark::State& state) {
    cherche_sur_2026(state, {48.866665f, -2.3333333f});
}
BENCHMARK(BM_lever_coucher)->Unit(benchmark::kMicrosecond);

// 69° 39' N 18° 57' E: days when the Moon grazes the horizon or never crosses it.
void BM_lever_coucher_polaire(benchmark::State& state) {
    cherche_sur_2026(state, {69.65f, -18.95f});
}
BENCHMARK(BM_lever_coucher_polaire)->Unit(benchmark::kMicrosecond);

} // namespace
