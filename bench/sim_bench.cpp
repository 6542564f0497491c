// orchidia-sim's play scripts and its dump: a script of 10,000 cycles with
// 2,000 dialog actions played through the screens and dialog procedures, and
// the dump of the whole world.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "tools/headless/sim_script.h"
#include "tools/headless/world_fields.h"
#include "world/file_access.h"

namespace {

constexpr int CYCLES = 10000;
constexpr int DIALOG_VISITS = 400;   // five dialog actions each

// Every 25th cycle the player visits one of four dialogs with five actions
// in it (opening click, typing or showing, buttons, closing); in between the
// market and the calendar run.
std::string PlayScript() {
    std::string s = "1 funds 0 900000000000\n";
    const char* visits[] = {
        "side 100 25\n%d type 1117 100\n%d press 1017\n%d show 1120\n%d press 1\n",
        "view 455 250\n%d show 1002\n%d press 1025\n%d show 1137\n%d press 1\n",
        "side 100 75\n%d type 1005 1000\n%d show 1004\n%d show 1007\n%d press 1\n",
        "view 235 35\n%d show 1017\n%d press 1023\n%d show 1134\n%d press 1\n",
    };
    char line[512];
    for (int k = 0; k < DIALOG_VISITS; ++k) {
        const int c = 1 + k * (CYCLES / DIALOG_VISITS);
        std::snprintf(line, sizeof line, "%d ", c);
        s += line;
        std::snprintf(line, sizeof line, visits[k % 4], c, c, c, c);
        s += line;
    }
    return s;
}

void BM_PlayScript10000Cycles2000DialogActions(benchmark::State& state) {
    SimRun run;
    run.seed = 20261208;
    run.cycles = CYCLES;
    run.haveScript = true;
    std::string error;
    if (!ParseSimScript(PlayScript(), run.actions, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    size_t lines = 0;
    for (auto _ : state) {
        lines = 0;
        const int status = RunSimulation(run, [&](const std::string&) { ++lines; }, error);
        if (status != 0) state.SkipWithError(error.c_str());
    }
    state.counters["printed"] = static_cast<double>(lines);
    state.counters["actions"] = static_cast<double>(run.actions.size());
}
BENCHMARK(BM_PlayScript10000Cycles2000DialogActions)->Unit(benchmark::kMillisecond);

void BM_DumpWholeWorldToFile(benchmark::State& state) {
    SimRun run;
    run.seed = 20261208;
    run.cycles = 300;
    std::string error;
    RunSimulation(run, [](const std::string&) {}, error);
    const std::string path = "orchidia_sim_bench.dump";
    for (auto _ : state) {
        if (!ReplaceFile(path, DumpWorld())) state.SkipWithError("could not write the dump");
    }
    std::remove(path.c_str());
    state.counters["fields"] = static_cast<double>(WorldFields().size());
}
BENCHMARK(BM_DumpWholeWorldToFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
