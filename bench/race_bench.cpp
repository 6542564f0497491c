// Speed of the race: one tick of a running race (sixteen draws, eight cars
// and the lines drawn, the finish test) on the 10 ms timer.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "influence/casino_dialog.h"
#include "resources/dialog_templates.h"
#include "tools/headless/headless_host.h"
#include "world/port.h"
#include "world/world_state.h"

namespace {

void BM_RaceTick(benchmark::State& state) {
    HeadlessHost host;
    Port* previous = port;
    FreshGame(host);
    companies[0].funds = 100000000;
    HeadlessDialog d(*FindDialogTemplate(IDD_RACE), RaceDialogProc, host);
    d.Start();
    d.Press(1018);
    for (auto _ : state) {
        // Keep every car short of the line so that each tick is an ordinary one.
        for (int32_t& x : racerPosition)
            if (x > 600) x = 100;
        d.Tick();
        benchmark::ClobberMemory();
    }
    if (raceBet == 0) state.SkipWithError("the race ended");
    raceBet = 0;
    host.messages.clear();
    port = previous;
}
BENCHMARK(BM_RaceTick);

}  // namespace
