// Speed of the war: one battle turn of a running war (both sides' strikes,
// the defeat and victory tests and the twenty counts shown) on the 1 ms timer.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"

#include "influence/military_dialog.h"
#include "resources/dialog_templates.h"
#include "tools/headless/headless_host.h"
#include "world/new_game.h"
#include "world/port.h"
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
    HeadlessHost host;
    Port* previous = port;
    FreshGame(host);
    FillArmies();
    HeadlessDialog d(*FindDialogTemplate(IDD_WAR), WarDialogProc, host);
    d.Start();
    host.answers.push_back(ANSWER_YES);
    d.Press(1034);
    for (auto _ : state) {
        if (Worn()) FillArmies();
        d.Tick();
        benchmark::ClobberMemory();
    }
    if (!d.open() || warState != 1) state.SkipWithError("the war ended during the benchmark");
    warState = 0;
    host.messages.clear();
    port = previous;
}
BENCHMARK(BM_WarBattleTurn);

}  // namespace
