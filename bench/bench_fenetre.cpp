// The window's two hot paths, offscreen: the 500 ms tick (ephemeris, drawing, altitude and azimuth)
// and a keystroke in a place field (which runs the whole day's rise and set search).
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include "clock/horloge_fixe.hpp"
#include "clock/reglages.hpp"
#include "window/pos_lune.hpp"

namespace {

class SansNavigateur final : public orbitel::Navigateur {
  public:
    void ouvre(const std::string&) override {}
};

// Nothing is printed here: the dialog is always cancelled.
class SansImprimante final : public orbitel::Imprimante {
  public:
    bool choisit(QWidget*) override { return false; }
    bool imprime(QWidget&) override { return false; }
};

struct Fenetre {
    orbitel::HorlogeFixe horloge{{2026, 12, 1, 7, 5, 41, 7, 250}, {2026, 12, 7, 6, 41, 7}};
    orbitel::MagasinMemoire reglages;
    SansNavigateur navigateur;
    SansImprimante imprimante;
    orbitel::PosLune fenetre{horloge, reglages, navigateur, imprimante, ','};
    Fenetre() { fenetre.demarre(); }
};

void BM_tick(benchmark::State& state) {
    Fenetre f;
    for (auto _ : state) {
        f.fenetre.tick();
        benchmark::DoNotOptimize(f.fenetre.etat().Phase);
    }
}
BENCHMARK(BM_tick)->Unit(benchmark::kMicrosecond);

void BM_frappe_lieu(benchmark::State& state) {
    Fenetre f;
    QLineEdit* minutes = f.fenetre.TLat[1];
    bool bascule = false;
    for (auto _ : state) {
        // One keystroke: a digit typed over the minutes, which reads the place and searches the day.
        minutes->setText(bascule ? QStringLiteral("52") : QStringLiteral("53"));
        bascule = !bascule;
    }
}
BENCHMARK(BM_frappe_lieu)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
