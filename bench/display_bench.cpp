// Speed of the painters: each panel painted once into a software surface of
// its window's size, after a started game.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"

#include <vector>

#include "display/painters.h"
#include "market/market_day.h"
#include "tools/headless/raster_canvas.h"
#include "world/new_game.h"
#include "world/port.h"
#include "world/world_state.h"

namespace {

void PlayedGame() {
    FreshGame();
    ResetDisplayState();
    // A played-in market: a filled price history and moving prices.
    for (int d = 0; d < 100; ++d) AdvanceMarketDay();
    selectedCompany = 11;
}

void BM_StockBoardAndDetail(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(450, 370);
    for (auto _ : state) {
        PaintStockBoard(canvas);
        PaintStockDetail(canvas);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StockBoardAndDetail);

void BM_CompanyPanel(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(300, 285);
    for (auto _ : state) {
        PaintCompanyPanel(canvas);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CompanyPanel);

void BM_PriceChart(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(520, 200);
    for (auto _ : state) {
        PaintPriceChart(canvas, selectedCompany);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PriceChart);

void BM_CalendarPanel(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(520, 85);
    for (auto _ : state) {
        PaintCalendarPanel(canvas);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CalendarPanel);

void BM_TitleScreen(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(570, 370);
    int k = 0;
    for (auto _ : state) {
        // Alternate between two buttons so that each paint refills two.
        PaintTitleScreen(canvas, 200, (k++ & 1) ? 225 : 277);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TitleScreen);

void BM_FieldMap(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(570, 370);
    canvas.SetBitmap(BMP_FIELD1, 589, 376, std::vector<Rgb>(589 * 376, Rgb{30, 120, 40}));
    for (int b : {BMP_ICON1, BMP_ICON2, BMP_ICON3, BMP_ICON4, BMP_ICON5, BMP_ICON6, BMP_ICON7, BMP_ICON8, BMP_ICON9})
        canvas.SetBitmap(static_cast<BitmapId>(b), 50, 51, std::vector<Rgb>(50 * 51, Rgb{200, 200, 200}));
    for (auto _ : state) {
        PaintFieldMap(canvas);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FieldMap);

void BM_ExchangeScreen(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(570, 370);
    canvas.SetBitmap(BMP_TRADECENTER, 276, 264, std::vector<Rgb>(276 * 264, Rgb{90, 90, 160}));
    int k = 0;
    for (auto _ : state) {
        PaintExchangeScreen(canvas, 400, (k++ & 1) ? 125 : 177);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ExchangeScreen);

void BM_SideButtons(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(200, 315);
    int k = 0;
    for (auto _ : state) {
        PaintSideButtons(canvas, 100, (k++ & 1) ? 25 : 77);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SideButtons);

void BM_NewsTicker(benchmark::State& state) {
    PlayedGame();
    RasterCanvas canvas(820, 30);
    // Keep the readers scrolling: they stop once both catch up with the writer.
    newsCount = 150;
    for (auto _ : state) {
        if (newsReadA >= newsCount && newsReadB >= newsCount) {
            newsReadA = 1;
            newsReadB = 0;
        }
        NewsTickerTick(canvas);
        canvas.ClearRecords();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NewsTicker);

}  // namespace

BENCHMARK_MAIN();
