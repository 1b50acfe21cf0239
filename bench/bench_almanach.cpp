#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// One whole run of orbitel-rapport, start-up included, its output thrown away: what a user or a
// script waits for.
void lance_rapport(benchmark::State& state, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), ORBITEL_RAPPORT_EXE);
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // The processor time the runs took (user and system), apart from the wall-clock time, which a
    // busy machine stretches.
    rusage avant{};
    getrusage(RUSAGE_CHILDREN, &avant);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("orbitel-rapport ne démarre pas");
            break;
        }
        int statut = 0;
        waitpid(pid, &statut, 0);
        if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
            state.SkipWithError("orbitel-rapport a échoué");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    rusage apres{};
    getrusage(RUSAGE_CHILDREN, &apres);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    const double cpu = ms(apres.ru_utime) - ms(avant.ru_utime) + ms(apres.ru_stime) - ms(avant.ru_stime);
    state.counters["cpu_ms"] = benchmark::Counter(cpu / static_cast<double>(state.iterations()));
}

// A year of daily rows with the day's rise and set, as a table.
void BM_almanach_annee(benchmark::State& state) {
    lance_rapport(state, {"--du", "1/1/2027", "--au", "31/12/2027", "--format", "csv", "--latitude", "48:52N",
                          "--longitude", "2:20E"});
}
BENCHMARK(BM_almanach_annee)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The days of a month with their rise, transit, set, phases, apsides and the Sun's day, as a table.
void BM_mois_rapport(benchmark::State& state) {
    lance_rapport(state,
                  {"--mois", "1/2027", "--format", "csv", "--latitude", "48:52N", "--longitude", "2:20E"});
}
BENCHMARK(BM_mois_rapport)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The apsides of a year.
void BM_apsides_annee(benchmark::State& state) {
    lance_rapport(state, {"--apsides", "2027", "--format", "csv"});
}
BENCHMARK(BM_apsides_annee)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The phases of a year.
void BM_phases_annee(benchmark::State& state) {
    lance_rapport(state, {"--phases", "2027", "--format", "csv"});
}
BENCHMARK(BM_phases_annee)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
