#include <benchmark/benchmark.h>

#include <vector>

#include "ephemeris/moteur.hpp"
#include "ephemeris/sinus_lot.hpp"
#include "text/lignes_geocentriques.hpp"

using namespace orbitel;

namespace {

// A spread of instants over three centuries, so that no branch or table row is favoured.
std::vector<Instant> instants() {
    std::vector<Instant> v;
    for (int k = 0; k < 997; ++k) {
        Instant i;
        i.jour = 1 + k % 28;
        i.mois = 1 + k % 12;
        i.an = 1900 + (k * 7) % 300;
        i.heures = k % 24;
        i.minutes = (k * 13) % 60;
        i.secondes = static_cast<float>((k * 17) % 60);
        v.push_back(i);
    }
    return v;
}

void BM_calcule_lune(benchmark::State& state) {
    const auto v = instants();
    EtatLune e;
    std::size_t k = 0;
    for (auto _ : state) {
        calcule_lune(e, v[k]);
        benchmark::DoNotOptimize(e);
        k = (k + 1) % v.size();
    }
}
BENCHMARK(BM_calcule_lune);

// The same run with the nine report texts, as one real-time tick writes them.
void BM_calcule_lune_et_lignes(benchmark::State& state) {
    const auto v = instants();
    EtatLune e;
    std::size_t k = 0;
    for (auto _ : state) {
        calcule_lune(e, v[k]);
        benchmark::DoNotOptimize(lignes_geocentriques(position_de_l_etat(e, v[k]), ','));
        k = (k + 1) % v.size();
    }
}
BENCHMARK(BM_calcule_lune_et_lignes);

void BM_sinus_lot_770(benchmark::State& state) {
    std::vector<double> x(770), s(770);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = -200.0 + 0.52 * static_cast<double>(i);
    for (auto _ : state) {
        sinus_lot(x.data(), s.data(), x.size());
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(BM_sinus_lot_770);

} // namespace
