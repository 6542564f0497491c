// Speed of the core: one market day, one full cycle (market tick and
// calendar tick), one save and one load of a save file.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"

#include <cstdio>
#include <string>

#include "market/calendar.h"
#include "market/market_day.h"
#include "market/market_tick.h"
#include "world/new_game.h"
#include "world/port.h"
#include "world/save_file.h"
#include "world/world_state.h"

namespace {


void BM_AdvanceMarketDay(benchmark::State& state) {
    FreshGame();
    for (auto _ : state) {
        AdvanceMarketDay();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AdvanceMarketDay);

void BM_FullCycle(benchmark::State& state) {
    FreshGame();
    for (auto _ : state) {
        RunMarketTick(WIN_BOARD);
        AdvanceCalendarDay(WIN_CALENDAR);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullCycle);

std::string BenchPath() { return "/tmp/orchidia-bench-save1.dat"; }

void BM_SaveGame(benchmark::State& state) {
    FreshGame();
    for (int d = 0; d < 100; ++d) AdvanceMarketDay();
    for (auto _ : state) {
        if (!SaveGameFile(BenchPath(), WIN_MAIN, false)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveGame);

void BM_LoadGame(benchmark::State& state) {
    FreshGame();
    for (int d = 0; d < 100; ++d) AdvanceMarketDay();
    SaveGameFile(BenchPath(), WIN_MAIN, false);
    for (auto _ : state) {
        if (!LoadGameFile(BenchPath(), WIN_MAIN)) state.SkipWithError("load failed");
    }
    std::remove(BenchPath().c_str());
}
BENCHMARK(BM_LoadGame);

void BM_SaveThenLoad(benchmark::State& state) {
    FreshGame();
    for (int d = 0; d < 100; ++d) AdvanceMarketDay();
    for (auto _ : state) {
        SaveGameFile(BenchPath(), WIN_MAIN, false);
        LoadGameFile(BenchPath(), WIN_MAIN);
    }
    std::remove(BenchPath().c_str());
}
BENCHMARK(BM_SaveThenLoad);

}  // namespace

BENCHMARK_MAIN();
