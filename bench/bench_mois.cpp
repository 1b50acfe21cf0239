#include <benchmark/benchmark.h>

#include "events/mois.hpp"

using namespace orbitel;

namespace {

// A month's table in process (what orbitel-rapport --mois computes), January 2027 at Paris in
// UT + 1 h, in each time scale. Real time, and the CPU time of both threads: the days share the
// machine's two cores.
void BM_mois(benchmark::State& state) {
    const auto echelle = static_cast<EchelleTemps>(state.range(0));
    const FuseauFixe paris(3600);
    const Observateur lieu{48.8666667f, -2.3333333f};
    for (auto _ : state)
        benchmark::DoNotOptimize(mois_lunaire(2027, 1, paris, lieu, echelle));
}
BENCHMARK(BM_mois)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
