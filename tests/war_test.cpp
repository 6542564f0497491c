// The military and the war against the United States, driven by control id
// through the headless host as the field map opens them: weapon purchases,
// the 1 ms battle turn with its draws, the nuclear strikes and every end.
#include <array>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "influence/military_dialog.h"
#include "market/market_tick.h"
#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/world_state.h"

namespace {

constexpr int MILITARY = 142;
constexpr int WAR = 144;

// The military building on the field map.
constexpr int BUILDING_X = 145, BUILDING_Y = 325;

using Forces = std::array<int32_t, 10>;

const Forces US_OPENING{2000, 5000, 3000, 2500, 80000, 500, 500, 500, 500, 25};

struct WeaponRow {
    const char* name;
    int64_t price;
    int64_t limit;
    const char* bought;      // the success message for 1 unit
    const char* limitText;
};

const WeaponRow ROWS[10] = {
    {"爆撃機", 3000000, 50, "爆撃機を%d機購入しました.", "一度に購入できるのは50までです."},
    {"戦闘機", 1000000, 100, "戦闘機を%d機購入しました.", "一度に購入できるのは100機までです."},
    {"戦車", 300000, 50, "戦車を%d機購入しました.", "一度に購入できるのは50機までです."},
    {"対戦車砲", 2000000, 50, "対戦車砲を%d機購入しました.", "一度に購入できるのは50機までです."},
    {"歩兵", 10000, 100000, "歩兵を%d人購入しました.", "一度に購入できるのは100000人までです."},
    {"戦艦", 6000000, 10, "戦艦を%d隻購入しました.", "一度に購入できるのは10隻までです."},
    {"潜水艦", 12000000, 10, "潜水艦を%d隻購入しました.", "一度に購入できるのは10隻までです."},
    {"巡洋艦", 5000000, 10, "巡洋艦を%d隻購入しました.", "一度に購入できるのは10隻までです."},
    {"対空艦", 4000000, 10, "対空艦を%d隻購入しました.", "一度に購入できるのは10隻までです."},
    {"核ミサイル", 100000000, 3, "核ミサイルを%d発購入しました.", "一度に購入できるのは3発までです."},
};

const char* const DECLARE_Q =
    "[確認] アメリカ合衆国に宣戦布告しますか?\n\n（敗北や停戦の際には賠償金を支払う必要があります)";
const char* const SURRENDER_Q = "[確認] 3000億円の賠償金を払う必要がありますがよろしいですか?\n(WHITE金融から借ります)";
const char* const ARMISTICE_Q = "[確認] 500億円を要求してきました.払いますか?\n(WHITE金融から借ります)";
const char* const NUKE_Q = "[確認] 核ミサイルを発射しますか?";

std::string Fill(const char* format, long long n) {
    std::string s = format;
    return s.replace(s.find("%d"), 2, std::to_string(n));
}

void Set(int32_t* side, const Forces& f) {
    for (int k = 0; k < 10; ++k) side[k] = f[static_cast<size_t>(k)];
}

Forces Get(const int32_t* side) {
    Forces f{};
    for (int k = 0; k < 10; ++k) f[static_cast<size_t>(k)] = side[k];
    return f;
}

// The ten numbers shown from control `first` on.
Forces Shown(HeadlessDialog& d, int first) {
    Forces f{};
    for (int k = 0; k < 10; ++k) f[static_cast<size_t>(k)] = std::stoi(d.ItemText(first + k));
    return f;
}

// The forces the United States draws after a war, from the generator in
// state `s`, as the rule lists them.
Forces NewEnemyFrom(uint32_t s) {
    Forces f{};
    f[0] = 2000 - NextDraw(s) % 1000;
    f[1] = 5000 - NextDraw(s) % 1000;
    f[2] = 3000 - NextDraw(s) % 10000;
    f[3] = 2500 - NextDraw(s) % 5000;
    f[4] = 80000 - NextDraw(s) % 20000;
    for (size_t k = 5; k <= 8; ++k) f[k] = 500 - NextDraw(s) % 100;
    f[9] = 25 - NextDraw(s) % 10;
    return f;
}

uint32_t After(uint32_t s, int draws) {
    for (int n = 0; n < draws; ++n) NextDraw(s);
    return s;
}

}  // namespace

class MilitaryTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        companies[0].funds = 100000000000LL;
        // Only the dialogs' own timer runs, so that every draw is the war's.
        for (WindowId w : {WIN_MAIN, WIN_COMPANY, WIN_CHART, WIN_CALENDAR, WIN_BOARD, WIN_TICKER, WIN_SIDE})
            host.KillTimer(w);
    }

    // Clicks the military building on the field map; `act` runs in the dialog.
    void OpenMilitary(std::function<void(HeadlessDialog&)> act) {
        screenMode = SCREEN_FIELD;
        host.dialogHandlers.push_back(std::move(act));
        host.ClickMain(BUILDING_X, BUILDING_Y);
        ASSERT_FALSE(host.openedDialogs.empty());
        EXPECT_EQ(host.openedDialogs.front(), MILITARY);
    }

    // The war dialog from "戦争する"; `afterWar` runs in the military dialog
    // once the war dialog has closed.
    void OpenWar(std::function<void(HeadlessDialog&)> war,
                 std::function<void(HeadlessDialog&)> afterWar = nullptr) {
        OpenMilitary([&](HeadlessDialog& m) {
            host.dialogHandlers.push_back(war);
            m.Press(1042);
            EXPECT_TRUE(m.open());
            if (afterWar) afterWar(m);
        });
        ASSERT_EQ(host.openedDialogs.size(), 2u);
        EXPECT_EQ(host.openedDialogs[1], WAR);
    }

    void Declare(HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1034);
        ASSERT_EQ(warState, 1);
        EXPECT_EQ(TakeBoxes(), (Boxes{DECLARE_Q}));
    }

    // Runs the battle on its timer until the dialog closes.
    void FightToTheEnd(HeadlessDialog& d) {
        for (int ms = 0; ms < 200000 && d.open(); ++ms) host.Advance(1);
        ASSERT_FALSE(d.open());
    }

    void Buy(HeadlessDialog& d, int type, const std::string& count) {
        d.Type(1022 + type, count);
        d.Press(1032 + type);
    }
};

// The war dialog, opened from the military dialog.
class WarTest : public MilitaryTest {};

// ---------------------------------------------------------------- templates

// ---------------------------------------------------------------- purchases

TEST_F(MilitaryTest, OpensWithPricesAndHoldingsAndCloses) {
    Set(playerForces, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    int result = 0;
    OpenMilitary([&](HeadlessDialog& d) {
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(d.ItemText(1002 + k), std::to_string(ROWS[k].price));
            EXPECT_EQ(d.ItemText(1012 + k), std::to_string(k + 1));
        }
        d.Press(1043);
        EXPECT_FALSE(d.open());
        result = d.result();
    });
    EXPECT_EQ(result, 1043);
    EXPECT_TRUE(host.messages.empty());
    // Escape closes it too.
    host.openedDialogs.clear();
    OpenMilitary([&](HeadlessDialog& d) {
        d.Press(2);
        EXPECT_FALSE(d.open());
    });
}

TEST_F(MilitaryTest, EveryTypeBuysItsLimitAtCountTimesPrice) {
    OpenMilitary([&](HeadlessDialog& d) {
        for (int k = 0; k < 10; ++k) {
            const int64_t funds = companies[0].funds;
            Buy(d, k, std::to_string(ROWS[k].limit));
            EXPECT_EQ(TakeBoxes(), (Boxes{"[] " + Fill(ROWS[k].bought, ROWS[k].limit)})) << k;
            EXPECT_EQ(companies[0].funds, funds - ROWS[k].limit * ROWS[k].price) << k;
            EXPECT_EQ(playerForces[k], ROWS[k].limit);
            EXPECT_EQ(d.ItemText(1012 + k), std::to_string(ROWS[k].limit));
        }
        // A second order adds to the holding.
        Buy(d, Battleship, "3");
        EXPECT_EQ(playerForces[Battleship], 13);
        EXPECT_EQ(d.ItemText(1017), "13");
    });
}

TEST_F(MilitaryTest, OneAboveTheLimitIsRefusedAndChangesNothing) {
    OpenMilitary([&](HeadlessDialog& d) {
        for (int k = 0; k < 10; ++k) {
            const int64_t funds = companies[0].funds;
            Buy(d, k, std::to_string(ROWS[k].limit + 1));
            EXPECT_EQ(TakeBoxes(), (Boxes{std::string("[] ") + ROWS[k].limitText})) << k;
            EXPECT_EQ(companies[0].funds, funds);
            EXPECT_EQ(playerForces[k], 0);
            EXPECT_EQ(d.ItemText(1012 + k), "0");
        }
        // Tanks: the limit is the 50 their message states.
        Buy(d, Tank, "500");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 一度に購入できるのは50機までです."}));
        EXPECT_EQ(playerForces[Tank], 0);
    });
}

TEST_F(MilitaryTest, FundsEqualToTheCostSufficeOneLessDoNot) {
    OpenMilitary([&](HeadlessDialog& d) {
        companies[0].funds = 3 * 100000000LL - 1;
        Buy(d, NuclearMissile, "3");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] お金が足りません."}));
        EXPECT_EQ(playerForces[NuclearMissile], 0);
        EXPECT_EQ(companies[0].funds, 3 * 100000000LL - 1);

        companies[0].funds = 3 * 100000000LL;
        Buy(d, NuclearMissile, "3");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 核ミサイルを3発購入しました."}));
        EXPECT_EQ(playerForces[NuclearMissile], 3);
        EXPECT_EQ(companies[0].funds, 0);
    });
}

TEST_F(MilitaryTest, TypedCountsFollowTheNumberRule) {
    OpenMilitary([&](HeadlessDialog& d) {
        const int64_t funds = companies[0].funds;
        // Nothing typed: an order for 0 that succeeds and costs nothing.
        Buy(d, Bomber, "");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 爆撃機を0機購入しました."}));
        EXPECT_EQ(companies[0].funds, funds);
        Buy(d, Infantry, "  12abc");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 歩兵を12人購入しました."}));
        EXPECT_EQ(playerForces[Infantry], 12);
        EXPECT_EQ(companies[0].funds, funds - 12 * 10000);
    });
}

TEST_F(MilitaryTest, NegativeOrdersPassAndGiveMoneyBack) {
    OpenMilitary([&](HeadlessDialog& d) {
        const int64_t funds = companies[0].funds;
        Buy(d, Bomber, "-5");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 爆撃機を-5機購入しました."}));
        EXPECT_EQ(playerForces[Bomber], -5);
        EXPECT_EQ(d.ItemText(1012), "-5");
        EXPECT_EQ(companies[0].funds, funds + 5 * 3000000);
    });
}

TEST_F(MilitaryTest, HoldingsStopAtTheBoundsInsteadOfWrapping) {
    OpenMilitary([&](HeadlessDialog& d) {
        playerForces[Infantry] = INT32_MAX - 10;
        Buy(d, Infantry, "100");
        EXPECT_EQ(playerForces[Infantry], INT32_MAX);
        EXPECT_EQ(d.ItemText(1016), std::to_string(INT32_MAX));

        const int64_t funds = companies[0].funds;
        Buy(d, Fighter, "-2147483648");
        EXPECT_EQ(playerForces[Fighter], INT32_MIN);
        Buy(d, Fighter, "-2147483648");
        EXPECT_EQ(playerForces[Fighter], INT32_MIN);
        EXPECT_EQ(companies[0].funds, funds + 2 * 2147483648LL * 1000000);
    });
}

// ---------------------------------------------------------------- peace

TEST_F(WarTest, OpensAtPeaceAndClosesOnlyAtPeace) {
    Set(playerForces, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    warState = 1;   // whatever came before: a new war dialog opens at peace
    OpenWar([&](HeadlessDialog& d) {
        EXPECT_EQ(warState, 0);
        EXPECT_EQ(Shown(d, 1012), (Forces{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        EXPECT_EQ(Shown(d, 1022), US_OPENING);
        // Commands of a war do nothing at peace.
        d.Press(1);
        d.Press(1033);
        d.Press(1035);
        EXPECT_TRUE(d.open());
        EXPECT_TRUE(host.messages.empty());
        // Declining the declaration keeps the peace: no battle runs.
        d.Press(1034);
        EXPECT_EQ(TakeBoxes(), (Boxes{DECLARE_Q}));
        EXPECT_EQ(warState, 0);
        const uint32_t s = GameRandState();
        host.Advance(20);
        EXPECT_EQ(DrawsSince(s), 0);
        EXPECT_EQ(Get(enemyForces), US_OPENING);
        d.Press(1036);
        EXPECT_FALSE(d.open());
    });
}

TEST_F(WarTest, AtWarIgnoresCloseEscapeAndASecondDeclaration) {
    Set(playerForces, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 0});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        d.Press(1036);
        d.Press(2);
        host.answers.push_back(ANSWER_YES);
        d.Press(1034);
        EXPECT_TRUE(d.open());
        EXPECT_EQ(warState, 1);
        EXPECT_TRUE(host.messages.empty());
        host.answers.clear();
        // Surrender ends it so that the dialog may close.
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
    EXPECT_EQ(warState, 0);
}

// ---------------------------------------------------------------- battle

// Every present type strikes once, player first, in type order; each draw
// hits all of the attacker's targets; negative counts never strike and are
// zeroed when struck.
TEST_F(WarTest, BattleTurnDrawsInOrderAndStrikesEveryTarget) {
    Set(playerForces, {100, 0, 100, 0, 100, 0, 0, 0, 0, 0});
    Set(enemyForces, {50, 100, -7, 100, 2000, 0, 0, 0, 0, 0});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        uint32_t s = 12345u;
        SetGameRandState(s);
        host.Advance(1);
        EXPECT_EQ(DrawsSince(12345u), 7);
        const int32_t bomber = NextDraw(s) % 3;     // on enemy 2,3,4,5,7,8
        const int32_t tank = NextDraw(s) % 1000;    // on enemy 4
        const int32_t infantry = NextDraw(s) % 2;   // on enemy 0,1,3
        const int32_t eBomber = NextDraw(s) % 3;    // on player 2,3,4,5,7,8
        const int32_t eFighter = NextDraw(s) % 3;   // on player 0,1
        const int32_t eAntiTank = NextDraw(s) % 5;  // on player 2 (the enemy's tank is out)
        const int32_t eInfantry = NextDraw(s) % 2;  // on player 0,1,3
        const Forces enemy{50 - infantry, 100 - infantry, 0, 100 - bomber - infantry,
                           2000 - bomber - tank, 0, 0, 0, 0, 0};
        const Forces player{100 - eFighter - eInfantry, 0, 100 - eBomber - eAntiTank, 0, 100 - eBomber,
                            0, 0, 0, 0, 0};
        EXPECT_EQ(Get(enemyForces), enemy);
        EXPECT_EQ(Get(playerForces), player);
        EXPECT_EQ(Shown(d, 1022), enemy);
        EXPECT_EQ(Shown(d, 1012), player);
        // The timer runs a turn every millisecond.
        const uint32_t before = GameRandState();
        host.Advance(3);
        EXPECT_EQ(DrawsSince(before), 21);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

// The other half of the attack table: the ships, the anti-tank guns, the
// fighters on the player's side, and all nine enemy types striking back.
TEST_F(WarTest, BattleTurnShipsAndTheFullEnemyStrikeTheirTargets) {
    Set(playerForces, {0, 100, 0, 100, 0, 100, 100, 100, 100, 0});
    Set(enemyForces, {100, 100, 100, 100, 100, 100, 100, 100, 100, 0});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        uint32_t s = 4711u;
        SetGameRandState(s);
        host.Advance(1);
        EXPECT_EQ(DrawsSince(4711u), 6 + 9);
        const int32_t p1 = NextDraw(s) % 3, p3 = NextDraw(s) % 5, p5 = NextDraw(s) % 2;
        const int32_t p6 = NextDraw(s) % 3, p7 = NextDraw(s) % 3, p8 = NextDraw(s) % 5;
        const int32_t e0 = NextDraw(s) % 3, e1 = NextDraw(s) % 3;
        NextDraw(s);   // the enemy's tanks strike the player's absent infantry
        NextDraw(s);   // its anti-tank guns the absent tanks
        const int32_t e4 = NextDraw(s) % 2, e5 = NextDraw(s) % 2, e6 = NextDraw(s) % 3;
        const int32_t e7 = NextDraw(s) % 3, e8 = NextDraw(s) % 5;
        const Forces enemy{100 - p1 - p8,      100 - p1 - p8,      100 - p3 - p5 - p6 - p7,
                           100 - p5 - p6 - p7, 100 - p5 - p6 - p7, 100 - p5 - p6 - p7,
                           100 - p7,           100 - p5 - p6,      100 - p5 - p6,
                           0};
        const Forces player{0,
                            100 - e1 - e4 - e8,
                            0,
                            100 - e0 - e4 - e5 - e6 - e7,
                            0,
                            100 - e0 - e5 - e6 - e7,
                            100 - e7,
                            100 - e0 - e5 - e6,
                            100 - e0 - e5 - e6,
                            0};
        EXPECT_EQ(Get(enemyForces), enemy);
        EXPECT_EQ(Get(playerForces), player);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(WarTest, OneUnitStrikesAsHardAsAThousand) {
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        // Infantry keeps the player in the field whatever the bombers suffer.
        Set(playerForces, {1, 0, 0, 0, 1000000, 0, 0, 0, 0, 0});
        Set(enemyForces, US_OPENING);
        SetGameRandState(777u);
        host.Advance(1);
        const Forces fewHit = Get(enemyForces);

        Set(playerForces, {1000, 0, 0, 0, 1000000, 0, 0, 0, 0, 0});
        Set(enemyForces, US_OPENING);
        SetGameRandState(777u);
        host.Advance(1);
        EXPECT_EQ(Get(enemyForces), fewHit);
        EXPECT_NE(fewHit, US_OPENING);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(WarTest, NegativeCountHoldsOffVictoryUntilStruck) {
    Set(playerForces, {0, 5, 0, 0, 0, 0, 0, 0, 0, 0});
    Set(enemyForces, {0, 0, -3, 0, 0, 0, 0, 0, 0, 0});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        // Fighters strike only planes: the negative tank count stays, and
        // it is not 0, so there is no victory; it never strikes back.
        host.Advance(5);
        EXPECT_TRUE(d.open());
        EXPECT_EQ(enemyForces[Tank], -3);
        EXPECT_EQ(playerForces[Fighter], 5);
        EXPECT_TRUE(host.messages.empty());
        // A bomber strikes tanks: even a zero draw clears the negative count.
        playerForces[Bomber] = 1;
        ArrangeDraws({Mod(3, 0), Any()});
        host.Advance(1);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 勝利しました!!", "[] 株価が1000倍に跳ね上がりました."}));
    });
}

TEST_F(WarTest, MostNegativeCountIsZeroedWhenStruck) {
    OpenMilitary([&](HeadlessDialog& m) {
        Buy(m, Infantry, "-2147483648");
        ASSERT_EQ(playerForces[Infantry], INT32_MIN);
        playerForces[Fighter] = 100000;
        ClearMessages();
        host.dialogHandlers.push_back([&](HeadlessDialog& d) {
            Declare(d);
            host.Advance(1);   // the enemy's bombers strike infantry
            EXPECT_EQ(playerForces[Infantry], 0);
            EXPECT_EQ(d.ItemText(1016), "0");
            host.answers.push_back(ANSWER_YES);
            d.Press(1);
        });
        m.Press(1042);
    });
}

// ---------------------------------------------------------------- ends

TEST_F(WarTest, WithOnlyMissilesIsLostInTheFirstTurn) {
    Set(playerForces, {0, 0, 0, 0, 0, 0, 0, 0, 0, 3});
    companies[0].loans[2] = 100;
    companies[0].debt = 200;
    OpenWar(
        [&](HeadlessDialog& d) {
            Declare(d);
            const uint32_t s = GameRandState();
            host.Advance(1);
            EXPECT_FALSE(d.open());
            EXPECT_EQ(warState, 0);
            EXPECT_EQ(TakeBoxes(), (Boxes{"[] 敗北しました.", "[] 賠償金として３０００億円取られました."}));
            // The enemy's nine types struck, then the new forces were drawn.
            EXPECT_EQ(DrawsSince(s), 9 + 10);
            EXPECT_EQ(Get(enemyForces), NewEnemyFrom(After(s, 9)));
        },
        [&](HeadlessDialog& m) { EXPECT_EQ(m.ItemText(1021), "3"); });
    EXPECT_EQ(companies[0].loans[2], 100 + 30000000);
    EXPECT_EQ(companies[0].debt, 200 + 30000000);
    EXPECT_EQ(playerForces[NuclearMissile], 3);
}

TEST_F(WarTest, FoughtWithASmallArmyIsLost) {
    const int64_t loans = companies[0].loans[2];
    OpenMilitary([&](HeadlessDialog& m) {
        Buy(m, Infantry, "10");
        ClearMessages();
        host.dialogHandlers.push_back([&](HeadlessDialog& d) {
            EXPECT_EQ(d.ItemText(1016), "10");
            Declare(d);
            FightToTheEnd(d);
        });
        m.Press(1042);
        EXPECT_EQ(m.ItemText(1016), "0");
    });
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 敗北しました.", "[] 賠償金として３０００億円取られました."}));
    EXPECT_EQ(companies[0].loans[2], loans + 30000000);
    EXPECT_EQ(warState, 0);
    EXPECT_EQ(warPriceMultiplier, 0);
}

TEST_F(WarTest, WonInOneTurnRedrawsTheEnemyAndReachesTheGoal) {
    Set(playerForces, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    Set(enemyForces, {0, 0, 0, 0, -5, 0, 0, 0, 0, 4});
    goalStage = 50;
    const int64_t loans = companies[0].loans[2];
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        const uint32_t s = GameRandState();
        host.Advance(1);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 勝利しました!!", "[] 株価が1000倍に跳ね上がりました."}));
        EXPECT_EQ(DrawsSince(s), 1 + 10);
        EXPECT_EQ(Get(enemyForces), NewEnemyFrom(After(s, 1)));
    });
    EXPECT_EQ(goalStage, 51);
    EXPECT_EQ(warState, 0);
    EXPECT_EQ(warPriceMultiplier, 1000);
    EXPECT_EQ(companies[0].loans[2], loans);
}

TEST_F(WarTest, WonAgainstTheFullEnemyMultipliesThePriceOnTheNextMarketDay) {
    Set(playerForces, {1000000, 1000000, 1000000, 1000000, 1000000, 1000000, 1000000, 1000000, 1000000, 0});
    goalStage = 30;
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        FightToTheEnd(d);
    });
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 勝利しました!!", "[] 株価が1000倍に跳ね上がりました."}));
    EXPECT_EQ(goalStage, 30);
    EXPECT_EQ(warPriceMultiplier, 1000);
    // The redrawn enemy: tanks and anti-tank guns may start below 0.
    EXPECT_GE(enemyForces[0], 1001);
    EXPECT_LE(enemyForces[0], 2000);
    EXPECT_GE(enemyForces[2], 3000 - 9999);
    EXPECT_GE(enemyForces[3], 2500 - 4999);
    EXPECT_GE(enemyForces[4], 60001);
    EXPECT_GE(enemyForces[9], 16);
    EXPECT_LE(enemyForces[9], 25);

    const int32_t price = companies[0].sharePrice;
    ASSERT_EQ(marketHalt, 0);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].sharePrice, price * 1000);
    EXPECT_EQ(warPriceMultiplier, 0);
}

TEST_F(WarTest, SurrenderPaysAndKeepsTheEnemyAsItStands) {
    Set(playerForces, {1000, 1000, 1000, 1000, 100000, 1000, 1000, 1000, 1000, 0});
    companies[0].debt = 0;
    OpenWar(
        [&](HeadlessDialog& d) {
            Declare(d);
            host.Advance(5);
            // No: the battle goes on.
            d.Press(1);
            EXPECT_EQ(TakeBoxes(), (Boxes{SURRENDER_Q}));
            EXPECT_EQ(warState, 1);
            EXPECT_EQ(companies[0].debt, 0);
            uint32_t s = GameRandState();
            host.Advance(1);
            EXPECT_GT(DrawsSince(s), 0);

            const Forces enemy = Get(enemyForces);
            s = GameRandState();
            host.answers.push_back(ANSWER_YES);
            d.Press(1);
            EXPECT_FALSE(d.open());
            EXPECT_EQ(TakeBoxes(), (Boxes{SURRENDER_Q, "[] 降伏しました."}));
            EXPECT_EQ(DrawsSince(s), 0);
            EXPECT_EQ(Get(enemyForces), enemy);
        },
        // The military dialog shows the holdings left after the war.
        [&](HeadlessDialog& m) { EXPECT_EQ(Shown(m, 1012), Get(playerForces)); });
    EXPECT_NE(playerForces[Infantry], 100000);
    EXPECT_EQ(warState, 0);
    EXPECT_EQ(companies[0].debt, 30000000);
    EXPECT_EQ(warPriceMultiplier, 0);
}

TEST_F(WarTest, ArmisticeIsRefusedWhileEveryEnemyTypeStands) {
    Set(playerForces, {1000, 1000, 1000, 1000, 100000, 1000, 1000, 1000, 1000, 0});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        const int64_t loans = companies[0].loans[2];
        d.Press(1035);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 我々は屈しない!"}));
        // A count below 0 is not a lost type either.
        enemyForces[Tank] = -3;
        d.Press(1035);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 我々は屈しない!"}));
        EXPECT_EQ(warState, 1);
        EXPECT_EQ(companies[0].loans[2], loans);
        const uint32_t s = GameRandState();
        host.Advance(1);
        EXPECT_GT(DrawsSince(s), 0);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(WarTest, ArmisticeIsBoughtOnceTheEnemyLostAType) {
    Set(playerForces, {1000, 1000, 1000, 1000, 100000, 1000, 1000, 1000, 1000, 0});
    companies[0].loans[2] = 0;
    companies[0].debt = 0;
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        host.Advance(2);
        enemyForces[Submarine] = 0;
        // No: nothing paid, the battle resumes.
        d.Press(1035);
        EXPECT_EQ(TakeBoxes(), (Boxes{ARMISTICE_Q}));
        EXPECT_EQ(companies[0].loans[2], 0);
        uint32_t s = GameRandState();
        host.Advance(1);
        EXPECT_GT(DrawsSince(s), 0);

        enemyForces[Submarine] = 0;
        s = GameRandState();
        host.answers.push_back(ANSWER_YES);
        d.Press(1035);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(TakeBoxes(), (Boxes{ARMISTICE_Q, "[] 休戦しました."}));
        EXPECT_EQ(DrawsSince(s), 10);
        EXPECT_EQ(Get(enemyForces), NewEnemyFrom(s));
    });
    EXPECT_EQ(warState, 0);
    EXPECT_EQ(companies[0].loans[2], 5000000);
    EXPECT_EQ(companies[0].debt, 5000000);
}

// ---------------------------------------------------------------- missiles

TEST_F(WarTest, NuclearStrikeCutsTheEnemyByAFifth) {
    Set(playerForces, {1000, 1000, 1000, 1000, 100000, 1000, 1000, 1000, 1000, 3});
    Set(enemyForces, {2000, 5000, -7, 2500, 80000, 500, 500, 500, 504, 0});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        const Forces own = Get(playerForces);
        host.answers.push_back(ANSWER_YES);
        d.Press(1033);
        EXPECT_EQ(TakeBoxes(), (Boxes{NUKE_Q, "[] 発射しました.", "[] 大きな損害を与えました."}));
        const Forces cut{1600, 4000, -5, 2000, 64000, 400, 400, 400, 403, 0};
        EXPECT_EQ(Get(enemyForces), cut);
        EXPECT_EQ(Shown(d, 1022), cut);
        Forces left = own;
        left[9] = 2;
        EXPECT_EQ(Get(playerForces), left);
        EXPECT_EQ(d.ItemText(1021), "2");
        // The battle resumes.
        const uint32_t s = GameRandState();
        host.Advance(1);
        EXPECT_GT(DrawsSince(s), 0);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(WarTest, NuclearStrikeDrawsEveryEnemyMissileBack) {
    Set(playerForces, {1000, 7, 5, 0, 100000, 1, 2, 3, 4, 2});
    Set(enemyForces, {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 3});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        host.answers.push_back(ANSWER_YES);
        d.Press(1033);
        EXPECT_EQ(TakeBoxes(), (Boxes{NUKE_Q, "[] 発射しました.", "[] 大きな損害を与えました.",
                                      "[] アメリカ軍が全ての核ミサイルをわが社に向けて発射しました.",
                                      "[] 大きな損害を被りました."}));
        // Three missiles: four fifths taken three times, each truncated.
        const Forces left{512, 3, 2, 0, 51200, 0, 0, 0, 1, 1};
        EXPECT_EQ(Get(playerForces), left);
        EXPECT_EQ(Shown(d, 1012), left);
        EXPECT_EQ(enemyForces[NuclearMissile], 0);
        EXPECT_EQ(d.ItemText(1031), "0");
        EXPECT_EQ(enemyForces[Bomber], 800);

        // The enemy has none left: a second launch is not answered.
        host.answers.push_back(ANSWER_YES);
        d.Press(1033);
        EXPECT_EQ(TakeBoxes(), (Boxes{NUKE_Q, "[] 発射しました.", "[] 大きな損害を与えました."}));
        EXPECT_EQ(Get(playerForces), (Forces{512, 3, 2, 0, 51200, 0, 0, 0, 1, 0}));

        // Without missiles the button does nothing.
        d.Press(1033);
        EXPECT_TRUE(host.messages.empty());
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(WarTest, NuclearLaunchDeclinedChangesNothing) {
    Set(playerForces, {1000, 1000, 1000, 1000, 100000, 1000, 1000, 1000, 1000, 1});
    OpenWar([&](HeadlessDialog& d) {
        Declare(d);
        const Forces own = Get(playerForces), enemy = Get(enemyForces);
        d.Press(1033);
        EXPECT_EQ(TakeBoxes(), (Boxes{NUKE_Q}));
        EXPECT_EQ(Get(playerForces), own);
        EXPECT_EQ(Get(enemyForces), enemy);
        const uint32_t s = GameRandState();
        host.Advance(1);
        EXPECT_GT(DrawsSince(s), 0);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(WarTest, NuclearStrikeOnHugeCountsDoesNotWrap) {
    OpenMilitary([&](HeadlessDialog& m) {
        Buy(m, Infantry, "-2147483648");
        playerForces[Fighter] = 2000000000;
        playerForces[NuclearMissile] = 1;
        Set(enemyForces, {2000000000, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        ClearMessages();
        host.dialogHandlers.push_back([&](HeadlessDialog& d) {
            Declare(d);
            host.answers.push_back(ANSWER_YES);
            d.Press(1033);
            EXPECT_EQ(enemyForces[Bomber], 1600000000);
            EXPECT_EQ(playerForces[Fighter], 1600000000);
            EXPECT_EQ(playerForces[Infantry], -1717986918);
            host.answers.push_back(ANSWER_YES);
            d.Press(1);
        });
        m.Press(1042);
    });
}
