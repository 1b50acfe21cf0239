#include <benchmark/benchmark.h>

#include <vector>

#include "events/phases.hpp"
#include "text/lignes_phases.hpp"

using namespace orbitel;

namespace {

// Reference dates spread over three centuries, at 0 h as the panel passes them.
std::vector<DateHeure> references() {
    std::vector<DateHeure> v;
    for (int k = 0; k < 997; ++k)
        v.push_back(DateHeure::depuis_calendrier(1900 + (k * 7) % 300, 1 + k % 12, 1 + k % 28));
    return v;
}

// One refresh of the phase panel: Delta T and its notice, then the five phase texts.
void BM_affiche_phases(benchmark::State& state) {
    const auto v = references();
    std::size_t i = 0;
    for (auto _ : state) {
        LignesPhases l = lignes_phases(v[i], ',');
        benchmark::DoNotOptimize(l);
        i = (i + 1) % v.size();
    }
}
BENCHMARK(BM_affiche_phases)->Repetitions(5)->ReportAggregatesOnly(true);

// One step of the panel, which tries a few dates for their lunation number.
void BM_pas_de_cycle(benchmark::State& state) {
    const auto v = references();
    std::size_t i = 0;
    for (auto _ : state) {
        auto d = pas_de_cycle(v[i], SensCycle::suivant);
        benchmark::DoNotOptimize(d);
        i = (i + 1) % v.size();
    }
}
BENCHMARK(BM_pas_de_cycle);

} // namespace
