// The casino and its race, driven by control id through the headless host
// as the field map opens them; the race's coin flips arranged per case.
#include <cstdio>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "influence/casino_dialog.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "tests/test_support.h"
#include "world/world_state.h"

namespace {

constexpr int CASINO = 134;
constexpr int RACE = 166;
constexpr int BUILDING_X = 35, BUILDING_Y = 180;   // the casino on the field map
constexpr int BET_IDS[RACER_COUNT] = {1018, 1020, 1021, 1022, 1023, 1024, 1025, 1026};
constexpr int64_t STAKE = 10000;

constexpr Rgb BLUE{0, 0, 255};
constexpr Rgb RED{255, 0, 0};

// A draw that is not a multiple of n: the lane's car moves when not stalled.
DrawTest Moves(int n) {
    return [n](int32_t v) { return v % n != 0; };
}
DrawTest Stands(int n) { return Mod(n, 0); }
DrawTest NoStall() {
    return [](int32_t v) { return v % 100 != 50; };
}
DrawTest Stall() { return Mod(100, 50); }

// The sixteen draws of one tick: every car moves and none stalls, except
// where `moving` says a lane stands (its a-draw is 0).
uint32_t ArrangeTick(const std::vector<bool>& moving) {
    std::vector<DrawTest> t;
    for (int lane = 0; lane < RACER_COUNT; ++lane) {
        t.push_back(moving[lane] ? Moves(10 - lane) : Stands(10 - lane));
        t.push_back(NoStall());
    }
    return ArrangeDraws({t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7],
                         t[8], t[9], t[10], t[11], t[12], t[13], t[14], t[15]});
}
uint32_t ArrangeAllMove() { return ArrangeTick(std::vector<bool>(RACER_COUNT, true)); }

}  // namespace

class CasinoTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        raceBet = 0;
        for (int k = 0; k < RACER_COUNT; ++k) racerPosition[k] = racerStall[k] = 0;
        companies[0].funds = 50 * STAKE;
    }

    // The race dialog from the casino's "人力レース", as a player reaches it.
    void OpenRace(std::function<void(HeadlessDialog&)> race) {
        screenMode = SCREEN_FIELD;
        host.dialogHandlers.push_back([&](HeadlessDialog& casino) {
            host.dialogHandlers.push_back(race);
            casino.Press(1018);
            EXPECT_TRUE(casino.open());
            casino.Press(1);
        });
        host.ClickMain(BUILDING_X, BUILDING_Y);
        ASSERT_EQ(host.openedDialogs, (std::vector<int>{CASINO, RACE}));
    }

    // Bets on racer n and puts the cars where the case needs them.
    void BetWithPositions(HeadlessDialog& d, int racer, std::vector<int32_t> positions) {
        d.Press(BET_IDS[racer - 1]);
        ASSERT_EQ(raceBet, racer);
        for (int k = 0; k < RACER_COUNT; ++k) racerPosition[k] = positions[k];
    }
};

// ------------------------------------------------------------- casino

TEST_F(CasinoTest, FlySwatHandsOverToTheMainViewOnItsNextTick) {
    screenMode = SCREEN_FIELD;
    host.dialogHandlers.push_back([&](HeadlessDialog& casino) {
        casino.Press(1017);
        EXPECT_FALSE(casino.open());
        EXPECT_EQ(screenMode, SCREEN_FLY_GAME_PENDING);
    });
    port->SetTimer(WIN_MAIN, 500);
    host.ClickMain(BUILDING_X, BUILDING_Y);
    ASSERT_EQ(host.openedDialogs, (std::vector<int>{CASINO}));
    host.Advance(500);
    EXPECT_EQ(screenMode, SCREEN_FLY_GAME);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 100);
}

TEST_F(CasinoTest, LeavingTheCasinoChangesNothing) {
    const int64_t funds = companies[0].funds;
    EXPECT_EQ(RunDialog(CASINO, [&](HeadlessDialog& d) { d.Press(1); }), 1);
    EXPECT_EQ(RunDialog(CASINO, [&](HeadlessDialog& d) { d.Press(2); }), 2);
    EXPECT_EQ(companies[0].funds, funds);
    EXPECT_EQ(host.openedDialogs, (std::vector<int>{CASINO, CASINO}));
    EXPECT_TRUE(host.messages.empty());
}

// ------------------------------------------------------------- bets

TEST_F(CasinoTest, BetNeedsOneOkuAndExactlyOneOkuIsEnough) {
    OpenRace([&](HeadlessDialog& d) {
        companies[0].funds = STAKE - 1;
        d.Press(1026);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 1億円ありません."}));
        EXPECT_EQ(companies[0].funds, STAKE - 1);
        EXPECT_EQ(raceBet, 0);
        EXPECT_EQ(d.TimerInterval(), 0);
        host.Advance(100);
        EXPECT_EQ(racerPosition[0], 0);

        companies[0].funds = STAKE;
        d.Press(1026);
        EXPECT_TRUE(TakeBoxes().empty());
        EXPECT_EQ(companies[0].funds, 0);
        EXPECT_EQ(raceBet, 8);
        for (int k = 0; k < RACER_COUNT; ++k) EXPECT_EQ(racerPosition[k], 100) << k;
        EXPECT_EQ(d.TimerInterval(), 10);
        d.Press(1);
    });
}

TEST_F(CasinoTest, EachButtonBetsOnItsOwnRacer) {
    OpenRace([&](HeadlessDialog& d) {
        for (int racer = 1; racer <= RACER_COUNT; ++racer) {
            const int64_t funds = companies[0].funds;
            d.Press(BET_IDS[racer - 1]);
            EXPECT_EQ(raceBet, racer);
            EXPECT_EQ(companies[0].funds, funds - STAKE);
        }
        d.Press(1);
    });
}

TEST_F(CasinoTest, BettingAgainRestartsTheCarsAndKeepsRunningStalls) {
    OpenRace([&](HeadlessDialog& d) {
        BetWithPositions(d, 1, {400, 300, 200, 500, 100, 120, 130, 640});
        racerStall[3] = 6;
        d.Press(1024);
        EXPECT_EQ(raceBet, 6);
        EXPECT_EQ(companies[0].funds, 48 * STAKE);
        for (int k = 0; k < RACER_COUNT; ++k) EXPECT_EQ(racerPosition[k], 100) << k;
        EXPECT_EQ(racerStall[3], 6);
        // The stalled car stands; every other moves.
        ArrangeAllMove();
        host.Advance(10);
        EXPECT_EQ(racerPosition[3], 100);
        EXPECT_EQ(racerStall[3], 5);
        EXPECT_EQ(racerPosition[0], 103);
        EXPECT_EQ(racerPosition[7], 103);
        d.Press(1);
    });
}

// ------------------------------------------------------------- the race

TEST_F(CasinoTest, OpeningTheRaceClearsStalls) {
    for (int k = 0; k < RACER_COUNT; ++k) racerStall[k] = 7;
    OpenRace([&](HeadlessDialog& d) {
        for (int k = 0; k < RACER_COUNT; ++k) EXPECT_EQ(racerStall[k], 0) << k;
        d.Press(1);
    });
}

TEST_F(CasinoTest, EachTickDrawsTwiceForEveryLaneAndMovesThreePixels) {
    OpenRace([&](HeadlessDialog& d) {
        d.Press(1018);
        // Lanes 0, 2 and 7 draw a zero and stand; the rest move.
        const uint32_t from = ArrangeTick({false, true, false, true, true, true, true, false});
        host.Advance(10);
        EXPECT_EQ(DrawsSince(from), 16);
        const std::vector<int32_t> expected = {100, 103, 100, 103, 103, 103, 103, 100};
        for (int k = 0; k < RACER_COUNT; ++k) EXPECT_EQ(racerPosition[k], expected[k]) << k;
        d.Press(1);
    });
}

TEST_F(CasinoTest, StallLastsTenTicksAndStillDraws) {
    OpenRace([&](HeadlessDialog& d) {
        d.Press(1018);
        // Lane 4 stalls in the first tick even though its car would move.
        ArrangeDraws({Moves(10), NoStall(), Moves(9), NoStall(), Moves(8), NoStall(), Moves(7), NoStall(),
                      Moves(6), Stall(), Moves(5), NoStall(), Moves(4), NoStall(), Moves(3), NoStall()});
        host.Advance(10);
        EXPECT_EQ(racerPosition[4], 100);
        EXPECT_EQ(racerPosition[3], 103);
        EXPECT_EQ(racerStall[4], 9);
        for (int tick = 2; tick <= 10; ++tick) {
            const uint32_t from = ArrangeAllMove();
            host.Advance(10);
            EXPECT_EQ(DrawsSince(from), 16);
            EXPECT_EQ(racerPosition[4], 100) << tick;
        }
        EXPECT_EQ(racerStall[4], 0);
        ArrangeAllMove();
        host.Advance(10);
        EXPECT_EQ(racerPosition[4], 103);
        d.Press(1);
    });
}

TEST_F(CasinoTest, WinningBetPaysItsOddsOnceAndClosesTheRace) {
    OpenRace([&](HeadlessDialog& d) {
        BetWithPositions(d, 8, {600, 600, 600, 600, 600, 600, 600, 648});
        EXPECT_EQ(companies[0].funds, 49 * STAKE);
        ArrangeAllMove();
        host.Advance(10);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] １着8番です.", "[] 大当たり!!", "[] 1000億円獲得!!"}));
        // The net gain is 999億円: the stake went before the race.
        EXPECT_EQ(companies[0].funds, 49 * STAKE + 1000 * STAKE);
        EXPECT_EQ(raceBet, 0);
    });
    const int64_t funds = companies[0].funds;
    host.Advance(1000);
    EXPECT_EQ(companies[0].funds, funds);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(CasinoTest, LosingBetSaysAMissAndKeepsTheStake) {
    OpenRace([&](HeadlessDialog& d) {
        BetWithPositions(d, 1, {640, 600, 600, 600, 600, 651, 600, 600});
        host.Advance(10);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] １着6番です.", "[] はずれ."}));
        EXPECT_EQ(companies[0].funds, 49 * STAKE);
        EXPECT_EQ(raceBet, 0);
    });
}

TEST_F(CasinoTest, EqualFinishGoesToTheLowerLane) {
    OpenRace([&](HeadlessDialog& d) {
        BetWithPositions(d, 3, {100, 100, 648, 100, 100, 648, 100, 100});
        ArrangeAllMove();
        host.Advance(10);
        EXPECT_EQ(racerPosition[2], 651);
        EXPECT_EQ(racerPosition[5], 651);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] １着6番です.", "[] はずれ."}));
    });
    host.openedDialogs.clear();
    OpenRace([&](HeadlessDialog& d) {
        BetWithPositions(d, 6, {100, 100, 648, 100, 100, 648, 100, 100});
        ArrangeAllMove();
        host.Advance(10);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] １着6番です.", "[] 大当たり!!", "[] 50億円獲得!!"}));
    });
}

TEST_F(CasinoTest, ExactlySixHundredFiftyHasNotFinished) {
    OpenRace([&](HeadlessDialog& d) {
        BetWithPositions(d, 2, {100, 650, 100, 100, 100, 100, 100, 100});
        ArrangeTick({true, false, true, true, true, true, true, true});
        host.Advance(10);
        EXPECT_TRUE(d.open());
        EXPECT_TRUE(TakeBoxes().empty());
        d.Press(1);
    });
}

TEST_F(CasinoTest, LeavingDuringARaceLosesTheStakeWithoutAResult) {
    OpenRace([&](HeadlessDialog& d) {
        d.Press(1022);
        host.Advance(200);
        const std::vector<int32_t> left(racerPosition, racerPosition + RACER_COUNT);
        d.Press(1);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(d.TimerInterval(), 0);
        host.Advance(10000);
        EXPECT_EQ(std::vector<int32_t>(racerPosition, racerPosition + RACER_COUNT), left);
    });
    EXPECT_EQ(companies[0].funds, 49 * STAKE);
    EXPECT_EQ(raceBet, 4);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(CasinoTest, WholeRaceRunsToOneResult) {
    SetGameRandState(12345);
    int ticks = 0;
    OpenRace([&](HeadlessDialog& d) {
        d.Press(1018);
        while (d.open() && ticks < 100000) {
            host.Advance(10);
            ++ticks;
        }
    });
    // From 100 to past 650 at 3 pixels a tick takes at least 184 ticks.
    EXPECT_GE(ticks, 184);
    const Boxes boxes = TakeBoxes();
    ASSERT_FALSE(boxes.empty());
    int winner = 0;
    ASSERT_EQ(std::sscanf(boxes[0].c_str(), "[] １着%d番です.", &winner), 1);
    ASSERT_GE(winner, 1);
    ASSERT_LE(winner, 8);
    EXPECT_GT(racerPosition[winner - 1], 650);
    for (int k = winner; k < RACER_COUNT; ++k) EXPECT_LE(racerPosition[k], 650) << k;
    if (winner == 1) {
        EXPECT_EQ(boxes, (Boxes{boxes[0], "[] 大当たり!!", "[] 2億円獲得!!"}));
        EXPECT_EQ(companies[0].funds, 51 * STAKE);
    } else {
        EXPECT_EQ(boxes, (Boxes{boxes[0], "[] はずれ."}));
        EXPECT_EQ(companies[0].funds, 49 * STAKE);
    }
}

// ------------------------------------------------------------- drawing

TEST_F(CasinoTest, TrackAndCarsAreDrawnOnTheirLanes) {
    OpenRace([&](HeadlessDialog& d) {
        RasterCanvas* s = d.Surface();
        ASSERT_NE(s, nullptr);
        // On opening: the track, every car at the start.
        ASSERT_EQ(s->bitmapCalls.size(), 8u);
        for (int k = 0; k < RACER_COUNT; ++k) {
            EXPECT_EQ(s->bitmapCalls[k].bitmap, BMP_UNIT);
            EXPECT_EQ(s->bitmapCalls[k].x, 100);
            EXPECT_EQ(s->bitmapCalls[k].y, 60 * k + 20);
        }
        for (int k = 0; k < RACER_COUNT; ++k) EXPECT_EQ(d.PixelAt(50, 60 * k + 15), BLUE) << k;
        EXPECT_EQ(d.PixelAt(50, 495), BLUE);
        EXPECT_EQ(d.PixelAt(700, 300), RED);
        EXPECT_EQ(d.PixelAt(750, 300), (Rgb{255, 255, 255}));

        BetWithPositions(d, 5, {100, 200, 300, 400, 500, 600, 120, 130});
        s->ClearRecords();
        ArrangeAllMove();
        host.Advance(10);
        ASSERT_EQ(s->bitmapCalls.size(), 8u);
        const std::vector<int> xs = {103, 203, 303, 403, 503, 603, 123, 133};
        for (int k = 0; k < RACER_COUNT; ++k) {
            EXPECT_EQ(s->bitmapCalls[k].x, xs[k]) << k;
            EXPECT_EQ(s->bitmapCalls[k].y, 60 * k + 20) << k;
        }
        d.Press(1);
    });
}
