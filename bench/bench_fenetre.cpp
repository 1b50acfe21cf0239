// The window's two hot paths, offscreen: the 500 ms tick (ephemeris, drawing, altitude and azimuth)
// and a keystroke in a place field (which runs the whole day's rise and set search).
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "clock/horloge_fixe.hpp"
#include "clock/instant.hpp"
#include "clock/reglages.hpp"
#include "window/pos_lune.hpp"
#include "window/sans_peripheriques.hpp"

namespace {

using orbitel::SansImprimante;
using orbitel::SansNavigateur;

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
        benchmark::DoNotOptimize(f.fenetre.releve().position);
    }
}
BENCHMARK(BM_tick)->Unit(benchmark::kMicrosecond);

void BM_frappe_lieu(benchmark::State& state) {
    Fenetre f;
    auto* minutes = f.fenetre.findChild<QLineEdit*>(QStringLiteral("TLat_1"));
    bool bascule = false;
    for (auto _ : state) {
        // One keystroke: a digit typed over the minutes, which reads the place and searches the day.
        minutes->setText(bascule ? QStringLiteral("52") : QStringLiteral("53"));
        bascule = !bascule;
    }
}
BENCHMARK(BM_frappe_lieu)->Unit(benchmark::kMillisecond);

// Resident memory of the process, in kB (VmRSS of /proc/self/status).
double memoire_residente_ko() {
    std::ifstream statut("/proc/self/status");
    for (std::string ligne; std::getline(statut, ligne);)
        if (ligne.rfind("VmRSS:", 0) == 0) return std::stod(ligne.substr(6));
    return 0;
}

// A soak: 10^5 ticks (almost 14 hours of real time, through a midnight UT and its new rise and set
// search) on the system clock's own path, the clock moving 500 ms a tick, with the events the
// window posts handled as the event loop would. The resident memory is reported at start, after a
// warm-up of 1000 ticks and at the end: the growth after warm-up must stay nil.
void BM_endurance(benchmark::State& state) {
    const std::int64_t debut = 1796673600; // 7 December 2026, 20:00 UT
    std::int64_t demi_secondes = 0;
    const orbitel::HorlogeSysteme horloge([&] {
        return orbitel::LectureHorloge{debut + demi_secondes / 2, demi_secondes % 2 ? 500000000L : 0L};
    });
    orbitel::MagasinMemoire reglages;
    SansNavigateur navigateur;
    const auto tick = [&](orbitel::PosLune& f) {
        ++demi_secondes;
        f.tick();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    };
    for (auto _ : state) {
        const double depart = memoire_residente_ko();
        SansImprimante imprimante;
        orbitel::PosLune fenetre{horloge, reglages, navigateur, imprimante, ','};
        fenetre.demarre();
        for (int i = 0; i < 1000; ++i)
            tick(fenetre);
        const double chaud = memoire_residente_ko();
        for (int i = 0; i < 100000; ++i)
            tick(fenetre);
        const double fin = memoire_residente_ko();
        state.counters["rss_depart_ko"] = depart;
        state.counters["rss_apres_chauffe_ko"] = chaud;
        state.counters["rss_fin_ko"] = fin;
        state.counters["croissance_ko"] = fin - chaud;
    }
}
BENCHMARK(BM_endurance)->Iterations(1)->Unit(benchmark::kSecond);

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
