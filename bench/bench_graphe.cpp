// The night's altitude graph: the night's samples and events, and one painting of the graph (the
// window repaints it for the present-instant line every second and at every cursor step).
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "clock/calendrier.hpp"
#include "clock/horloge_fixe.hpp"
#include "events/courbe_nuit.hpp"
#include "window/graphe_hauteur.hpp"
#include "window/sans_peripheriques.hpp"

namespace {

const orbitel::Observateur paris{48.866665f, -2.3333333f};
const double instant = orbitel::jour_julien(orbitel::Instant{7, 12, 2026, 20, 0, 0});

void BM_nuit(benchmark::State& state) {
    orbitel::EtatLune e;
    const orbitel::Intervalle nuit = orbitel::nuit_autour(instant, orbitel::FuseauFixe(3600));
    for (auto _ : state) {
        const orbitel::Nuit n = orbitel::calcule_nuit(e, nuit, paris);
        benchmark::DoNotOptimize(n.points.data());
    }
}
BENCHMARK(BM_nuit)->Unit(benchmark::kMillisecond);

// Painted at 1 and at 2 device pixels to one (Arg 10 and 20).
void BM_graphe(benchmark::State& state) {
    orbitel::HorlogeFixe horloge{{2026, 12, 1, 7, 21, 30, 0, 0}, {2026, 12, 7, 22, 30, 0}};
    orbitel::FuseauFixe fuseau(3600);
    orbitel::SansImprimante imprimante;
    orbitel::GrapheHauteur graphe(fuseau, horloge, imprimante, ',');
    graphe.montre(instant, paris);
    const qreal ratio = state.range(0) / 10.0;
    QImage image(QSize(orbitel::largeur_graphe, orbitel::hauteur_graphe) * ratio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        QPainter p(&image);
        graphe.peint(p, false);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_graphe)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace
