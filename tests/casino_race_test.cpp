// The casino from the field map: its race with the draws arranged per case, and the fly-swatting game
// on the main timer and clicks.
#include "display/canvas.h"
#include "influence/casino_dialog.h"
#include "influence/fly_game.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

constexpr int CASINO = 134, RACE = 166;
constexpr int BET_IDS[RACER_COUNT] = {1018, 1020, 1021, 1022, 1023, 1024, 1025, 1026};
constexpr int64_t STAKE = 10000;
using Lanes = std::vector<int32_t>;

// One tick's sixteen draws: all cars move, none stalls, but lanes not `moving` stand and lane `stall` stalls.
uint32_t ArrangeTick(std::vector<bool> moving = std::vector<bool>(RACER_COUNT, true), int stall = -1) {
    std::vector<DrawTest> t;
    for (int lane = 0; lane < RACER_COUNT; ++lane) {
        const int n = 10 - lane;
        t.push_back(moving[static_cast<size_t>(lane)] ? DrawTest([n](int32_t v) { return v % n != 0; }) : Mod(n, 0));
        t.push_back(lane == stall ? Mod(100, 50) : DrawTest([](int32_t v) { return v % 100 != 50; }));
    }
    return ArrangeDraws(t);
}
Lanes Positions() { return Lanes(racerPosition, racerPosition + RACER_COUNT); }

}  // namespace

class CasinoTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp(); raceBet = 0; std::fill(racerPosition, racerPosition + RACER_COUNT, 0);
        companies[0].funds = 50 * STAKE; screenMode = SCREEN_FIELD;
    }
    void Casino(std::function<void(HeadlessDialog&)> act) {
        host.openedDialogs.clear(); host.dialogHandlers.push_back(std::move(act)); host.ClickMain(35, 180);
    }
    void Race(std::function<void(HeadlessDialog&)> race) {
        Casino([&](HeadlessDialog& casino) {
            host.dialogHandlers.push_back(race); casino.Press(1018); EXPECT_TRUE(casino.open()); casino.Press(1);
        });
        EXPECT_EQ(host.openedDialogs, (std::vector<int>{CASINO, RACE}));
    }
    static void Bet(HeadlessDialog& d, int racer, const Lanes& positions) {
        d.Press(BET_IDS[racer - 1]); ASSERT_EQ(raceBet, racer);
        std::copy(positions.begin(), positions.end(), racerPosition);
    }
};

TEST_F(CasinoTest, BetsCostOneOkuRestartTheCarsAndAreLostByLeaving) {
    for (int k = 0; k < RACER_COUNT; ++k) racerStall[k] = 7;
    Race([&](HeadlessDialog& d) {
        EXPECT_EQ(Lanes(racerStall, racerStall + RACER_COUNT), Lanes(RACER_COUNT, 0));   // cleared on opening
        companies[0].funds = STAKE - 1; d.Press(1026); EXPECT_EQ(TakeBoxes(), (Boxes{"[] 1億円ありません."}));
        EXPECT_EQ(std::make_tuple(companies[0].funds, raceBet, d.TimerInterval()), std::make_tuple(STAKE - 1, 0, 0));
        companies[0].funds = 8 * STAKE;   // exactly enough for the eight bets
        for (int racer = 1; racer <= RACER_COUNT; ++racer) {
            // Cars left mid-race restart; a running stall stays.
            std::copy_n(Lanes{400, 300, 200, 500, 100, 120, 130, 640}.begin(), RACER_COUNT, racerPosition);
            racerStall[3] = 6; d.Press(BET_IDS[racer - 1]);
            EXPECT_EQ(std::make_tuple(raceBet, companies[0].funds, racerStall[3], Positions()),
                      std::make_tuple(racer, (8 - racer) * STAKE, 6, Lanes(RACER_COUNT, 100)));
        }
        EXPECT_EQ(d.TimerInterval(), 10);
        // The stalled car stands while the others move; lane 4 stalls now for ten ticks, this one included.
        const Lanes moved{103, 103, 103, 100, 100, 103, 103, 103};
        RasterCanvas* s = d.Surface(); s->ClearRecords();
        const uint32_t from = ArrangeTick(std::vector<bool>(RACER_COUNT, true), 4); host.Advance(10);
        EXPECT_EQ(std::make_tuple(Positions(), racerStall[3], racerStall[4], DrawsSince(from)),
                  std::make_tuple(moved, 5, 9, 16));
        ASSERT_EQ(s->bitmapCalls.size(), 8u);   // the cars on their lanes, the lanes and the finish line
        for (size_t k = 0; k < 8; ++k) {
            const auto& c = s->bitmapCalls[k];
            EXPECT_EQ(std::make_tuple(c.bitmap, c.x, c.y), std::make_tuple(BMP_UNIT, moved[k], 60 * int(k) + 20));
        }
        for (int k = 0; k <= RACER_COUNT; ++k) EXPECT_EQ(d.PixelAt(50, 60 * k + 15), (Rgb{0, 0, 255})) << k;
        EXPECT_EQ(d.PixelAt(700, 300), (Rgb{255, 0, 0}));
        d.Press(1); host.Advance(10000); EXPECT_EQ(Positions(), moved);   // leaving ends it: the stake is lost
    });
    EXPECT_EQ(std::make_pair(companies[0].funds, raceBet), std::make_pair(int64_t{0}, 8));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CasinoTest, TheFirstPast650WinsTheLowerLaneOnEqualsAndABetPaysItsOdds) {
    const struct { int bet; Lanes positions; bool all; Boxes boxes; int64_t funds; } cases[] = {
        {8, {600, 600, 600, 600, 600, 600, 600, 648}, true, {"[] １着8番です.", "[] 大当たり!!", "[] 1000億円獲得!!"}, 1049},
        {1, {640, 600, 600, 600, 600, 651, 600, 600}, false, {"[] １着6番です.", "[] はずれ."}, 49},
        {1, {648, 600, 600, 600, 600, 600, 600, 600}, true, {"[] １着1番です.", "[] 大当たり!!", "[] 2億円獲得!!"}, 51},
        {6, {0, 0, 648, 0, 0, 648, 0, 0}, true, {"[] １着6番です.", "[] 大当たり!!", "[] 50億円獲得!!"}, 99},
        {2, {100, 650, 100, 100, 100, 100, 100, 100}, false, {}, 49},   // exactly 650 has not finished
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bet); companies[0].funds = 50 * STAKE;
        Race([&](HeadlessDialog& d) {
            Bet(d, c.bet, c.positions); ArrangeTick({true, c.all, true, true, true, true, true, true});
            host.Advance(10); EXPECT_EQ(TakeBoxes(), c.boxes); EXPECT_EQ(d.open(), c.boxes.empty());
            EXPECT_EQ(std::make_pair(companies[0].funds, raceBet),
                      std::make_pair(c.funds * STAKE, c.boxes.empty() ? c.bet : 0));
            d.Press(1);
        });
        host.Advance(1000); EXPECT_EQ(companies[0].funds, c.funds * STAKE);   // paid once
    }
}

class FlyGame : public CasinoTest {
protected:
    void StartGame() {
        port->SetTimer(WIN_MAIN, 500);
        Casino([&](HeadlessDialog& casino) { casino.Press(1017); EXPECT_FALSE(casino.open()); });
        EXPECT_EQ(screenMode, SCREEN_FLY_GAME_PENDING); host.Advance(500);
        EXPECT_EQ(std::make_tuple(screenMode, host.TimerInterval(WIN_MAIN), flyLevel),
                  std::make_tuple(SCREEN_FLY_GAME, 100, 10));   // started by the next main tick, at level one
    }
    void Swat() { host.ClickMain(flyX + 5, flyY + 5); }   // the middle of the fly
    void ExpectField(int64_t funds) {
        EXPECT_EQ(std::make_tuple(companies[0].funds, screenMode, flyLevel, host.TimerInterval(WIN_MAIN)),
                  std::make_tuple(funds, SCREEN_FIELD, 10, 500));
    }
};

TEST_F(FlyGame, TheFlyStepsByTheLevelInsideTheFieldOverAnUnchangedBackground) {
    StartGame();
    for (int level : {10, 100}) {
        flyLevel = level; flyX = 300; flyY = 200; int lo = 0, hi = 0;
        for (int k = 0; k < 5000; ++k) {
            const int x = flyX, y = flyY; FlyGameStep();
            ASSERT_TRUE(flyX >= 10 && flyX <= 600 && flyY >= 10 && flyY <= 400);
            if (x > 60 && x < 550 && y > 60 && y < 350)   // away from the clamped edges
                lo = std::min({lo, flyX - x, flyY - y}), hi = std::max({hi, flyX - x, flyY - y});
        }
        EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(-level / 2, level / 2 - 1)) << level;
    }
    // A fly of one dark pixel in the middle of its 10 x 10 square, masked onto the stage.
    RasterCanvas* view = host.Surface(WIN_MAIN);
    const Rgb white{255, 255, 255}, black{0, 0, 0}, fly{40, 30, 20}, stage{10, 200, 90};
    std::vector<Rgb> mask(100, black), sprite(100, white); mask[55] = white; sprite[55] = fly;
    view->SetBitmap(BMP_BUG1MASK, 10, 10, mask); view->SetBitmap(BMP_BUG1, 10, 10, sprite);
    view->SetBitmap(BMP_MINISTAGE1, 300, 194, std::vector<Rgb>(300 * 194, stage));
    flyLevel = 1; flyX = 200; flyY = 150; FlyGameStep();   // steps of 0: the fly stays put
    EXPECT_EQ(std::make_tuple(view->Pixel(205, 155), view->Pixel(201, 151), view->Pixel(209, 159)),
              std::make_tuple(fly, stage, stage));
    // Off the stage the fly's old place is wiped white, `level` pixels round its square and no further.
    view->DrawBitmap(BMP_MINISTAGE1, 250, 306); flyLevel = 3; flyX = 300; flyY = 320; FlyGameStep();
    for (int d : {-4, -3, 9, 12, 13}) {
        const Rgb expected = d == -4 || d == 13 ? stage : white;
        EXPECT_EQ(std::make_pair(view->Pixel(flyX + d, flyY + 2), view->Pixel(flyX + 2, flyY + d)),
                  std::make_pair(expected, expected)) << d;
    }
    flyLevel = 120; FlyGameStep(); EXPECT_EQ(view->TextAt(400, 0)->text, "12");   // the level shown, in tens
}

TEST_F(FlyGame, TenSwatsPayThePrizeOnceAndTheEdgesOfTheFlyAreMisses) {
    StartGame(); const int64_t funds = companies[0].funds; flyX = 200; flyY = 150;
    // The left and top edges and just right of the fly are misses.
    for (auto [x, y] : {std::pair(200, 155), std::pair(205, 150), std::pair(210, 155)}) host.ClickMain(x, y);
    EXPECT_EQ(std::make_pair(flyLevel, host.messages.size()), std::make_pair(10, size_t{0}));
    for (int swat = 1; swat <= 9; ++swat) { Swat(); EXPECT_EQ(flyLevel, 10 + 10 * swat); }
    EXPECT_EQ(TakeBoxes(), Boxes(9, "[レベルアップ] よくやった。\n\nだが、まだまだ５０００万円はあげられないね"));
    EXPECT_EQ(std::make_pair(companies[0].funds, screenMode), std::make_pair(funds, SCREEN_FLY_GAME));
    flyX = 350; flyY = 70; Swat();   // the winning click is also a click on the field map: the bank
    EXPECT_EQ(TakeBoxes(), (Boxes{"[任務完了] やくやった。５０００万円あげるよ"}));
    ExpectField(funds + 5000); EXPECT_EQ(host.openedDialogs.back(), IDD_BANK);
    // The next game needs ten swats again; giving up pays nothing.
    StartGame(); Swat(); EXPECT_EQ(flyLevel, 20); ClearMessages(); host.RightClickMain(10, 10);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[ＥＮＤ] 終了します"})); ExpectField(funds + 5000);
}
