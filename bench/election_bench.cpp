// Speed of the election's count: one tick of a running election (the vote
// graph, both candidates' votes and the end test) on the 1 ms timer.
#include <benchmark/benchmark.h>

#include "bench/dialog_bench.h"
#include "influence/election_dialog.h"
#include "shell/screen_flow.h"
#include "world/world_state.h"

namespace {

void BM_ElectionTick(benchmark::State& state) {
    DialogBench bench;
    companies[0].funds = 100000000;
    HeadlessDialog& d = bench.Open(IDD_ELECTION, ElectionDialogProc);
    d.Type(1007, "10000");
    d.Press(1017);
    for (auto _ : state) {
        // Keep the count far from its end so that every tick is an ordinary one.
        if (rivalVotes > 200000000) rivalVotes = ownVotes = 1;
        d.Tick();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ElectionTick);

}  // namespace
