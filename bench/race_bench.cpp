// Speed of the race: one tick of a running race (sixteen draws, eight cars
// and the lines drawn, the finish test) on the 10 ms timer.
#include <benchmark/benchmark.h>

#include "bench/dialog_bench.h"
#include "influence/casino_dialog.h"
#include "world/world_state.h"

namespace {

void BM_RaceTick(benchmark::State& state) {
    DialogBench bench;
    companies[0].funds = 100000000;
    HeadlessDialog& d = bench.Open(IDD_RACE, RaceDialogProc);
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
}
BENCHMARK(BM_RaceTick);

}  // namespace
