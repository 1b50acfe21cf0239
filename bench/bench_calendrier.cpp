// The Calendrier lunaire window, offscreen: from its construction to its first painted image, and
// one step to the next month (its days computed and the grid painted again).
#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include "clock/horloge_fixe.hpp"
#include "window/calendrier.hpp"
#include "window/sans_peripheriques.hpp"

namespace {

using namespace orbitel;

const Observateur Paris{48.8666667f, -2.3333333f};

HorlogeFixe horloge_2027() {
    HorlogeTu tu;
    tu.annee = 2027;
    tu.mois = 1;
    tu.jour = 12;
    tu.heure = 10;
    return HorlogeFixe(tu, HeureLocale{});
}

// The window made, shown and painted once into an image as the screen would get it.
void BM_calendrier_premier_affichage(benchmark::State& state) {
    const FuseauFixe paris(3600);
    const HorlogeFixe horloge = horloge_2027();
    SansImprimante imprimante;
    for (auto _ : state) {
        Calendrier c(Paris, paris, EchelleTemps::universel, horloge, imprimante, {2027, 1, 12});
        c.resize(1000, 660);
        QImage image(c.size(), QImage::Format_ARGB32_Premultiplied);
        c.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_calendrier_premier_affichage)->Unit(benchmark::kMillisecond)->UseRealTime();

// A step of a month (what Page Down does): the next month computed and painted.
void BM_calendrier_pas_de_mois(benchmark::State& state) {
    const FuseauFixe paris(3600);
    const HorlogeFixe horloge = horloge_2027();
    SansImprimante imprimante;
    Calendrier c(Paris, paris, EchelleTemps::universel, horloge, imprimante, {2027, 1, 12});
    c.resize(1000, 660);
    QImage image(c.size(), QImage::Format_ARGB32_Premultiplied);
    unsigned mois = 1;
    for (auto _ : state) {
        mois = mois % 12 + 1;
        c.montre({2027, mois, 12});
        c.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_calendrier_pas_de_mois)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
