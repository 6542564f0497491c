// Speed of the war: one battle turn of a running war (both sides' strikes,
// the defeat and victory tests and the twenty counts shown) on the 1 ms timer.
#include <benchmark/benchmark.h>

#include "bench/dialog_bench.h"
#include "influence/military_dialog.h"
#include "world/world_state.h"

namespace {

// Both armies in the field with every type, so that every turn strikes
// eighteen times and ends neither way.
void FillArmies() {
    for (int k = 0; k < CONVENTIONAL_TYPE_COUNT; ++k) {
        playerForces[k] = 1000000;
        enemyForces[k] = 1000000;
    }
}

bool Worn() {
    for (int k = 0; k < CONVENTIONAL_TYPE_COUNT; ++k)
        if (playerForces[k] < 2000 || enemyForces[k] < 2000) return true;
    return false;
}

void BM_WarBattleTurn(benchmark::State& state) {
    DialogBench bench;
    FillArmies();
    HeadlessDialog& d = bench.Open(IDD_WAR, WarDialogProc);
    bench.host.answers.push_back(ANSWER_YES);
    d.Press(1034);
    for (auto _ : state) {
        if (Worn()) FillArmies();
        d.Tick();
        benchmark::ClobberMemory();
    }
    if (!d.open() || warState != 1) state.SkipWithError("the war ended during the benchmark");
    warState = 0;
}
BENCHMARK(BM_WarBattleTurn);

}  // namespace
