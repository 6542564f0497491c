// The media, the university and the shop, driven by control id through the
// headless host as the field map opens them; research is ended by the
// market tick, the drive-tray tools reach the port.
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "market/market_tick.h"
#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/new_game.h"
#include "world/world_state.h"

namespace {

constexpr int MEDIA = 135;
constexpr int UNIVERSITY = 136;
constexpr int SHOP = 141;
constexpr int32_t I32_MAX = std::numeric_limits<int32_t>::max();

using Draws = std::array<int32_t, 4>;

// A generator state whose next four draws satisfy `wanted`.
uint32_t StateWhere(const std::function<bool(const Draws&)>& wanted) {
    for (uint32_t seed = 1;; ++seed) {
        uint32_t s = seed;
        Draws d{};
        for (int32_t& x : d) x = NextDraw(s);
        if (wanted(d)) return seed;
    }
}

Draws DrawsFrom(uint32_t state) {
    Draws d{};
    for (int32_t& x : d) x = NextDraw(state);
    return d;
}

}  // namespace

class InfluenceDialogTest : public GameTest {
protected:

    // Opens a dialog and presses one button in it.
    void PressIn(int dialog, int button) {
        RunDialog(dialog, [&](HeadlessDialog& d) { d.Press(button); });
    }

    ListedCompany& me = companies[0];
};

// ------------------------------------------------------------------ media

namespace {

struct Station {
    const char* name;
    int raiseButton, lowerButton, raiseCostId, lowerCostId;
    int64_t raiseCost, lowerCost;
    int successModulus;   // 1: no success draw
    int32_t raiseState, lowerState;
};

const Station STATIONS[5] = {
    {"帝国テレビ", 1017, 1018, 1139, 1140, 40000000, 20000000, 1, 4, 7},
    {"RAFT TV", 1019, 1020, 1128, 1129, 16000000, 8000000, 2, 4, 7},
    {"列島テレビ", 1021, 1022, 1131, 1132, 3000000, 1500000, 2, 3, 6},
    {"CORPSE TV", 1023, 1024, 1134, 1135, 800000, 400000, 3, 3, 6},
    {"ＴＶ地球", 1025, 1026, 1137, 1138, 300000, 150000, 3, 2, 5},
};

}  // namespace

class MediaDialogTest : public InfluenceDialogTest {
protected:
    void Buy(const Station& s, bool raise) { PressIn(MEDIA, raise ? s.raiseButton : s.lowerButton); }
};

TEST_F(MediaDialogTest, FieldMapOpensItWithTheSelectedCompanyAndThePrices) {
    screenMode = SCREEN_FIELD;
    selectedCompany = 16;
    const uint32_t before = GameRandState();
    bool ran = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        ran = true;
        EXPECT_EQ(d.ItemText(1002), std::string(companies[16].name));
        for (const Station& s : STATIONS) {
            EXPECT_EQ(d.ItemText(s.raiseCostId), std::to_string(s.raiseCost)) << s.name;
            EXPECT_EQ(d.ItemText(s.lowerCostId), std::to_string(s.lowerCost)) << s.name;
        }
        // Shown once: a later selection does not change the dialog.
        selectedCompany = 3;
        d.Tick();
        EXPECT_EQ(d.ItemText(1002), std::string(companies[16].name));
        EXPECT_EQ(DrawsSince(before), 0);
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    host.ClickMain(455, 250);
    EXPECT_TRUE(ran);
    ASSERT_FALSE(host.openedDialogs.empty());
    EXPECT_EQ(host.openedDialogs.back(), MEDIA);
}

TEST_F(MediaDialogTest, EveryStationSucceedsWithItsStateAndDrawsEvidenceFirst) {
    for (int row = 0; row < 5; ++row) {
        const Station& s = STATIONS[row];
        for (bool raise : {true, false}) {
            SCOPED_TRACE(std::string(s.name) + (raise ? " raise" : " lower"));
            const int m = s.successModulus;
            // Where the station draws for success, the first draw alone
            // would fail: success must come from the second draw.
            const uint32_t state = StateWhere([&](const Draws& d) { return m == 1 || (d[1] % m == 0 && d[0] % m != 0); });
            const Draws d = DrawsFrom(state);
            const int64_t cost = raise ? s.raiseCost : s.lowerCost;
            selectedCompany = 7;
            companies[7].trendState = 1;
            newsPending[7] = 0;
            illegalityFactor = 5;
            me.funds = cost;   // exactly enough
            SetGameRandState(state);

            Buy(s, raise);

            const bool topLower = row == 0 && !raise;
            EXPECT_EQ(illegalityFactor, 5 + (topLower ? 1000 : d[0] % 1000));
            EXPECT_EQ(DrawsSince(state), (topLower ? 0 : 1) + (m == 1 ? 0 : 1));
            EXPECT_EQ(me.funds, 0);
            EXPECT_EQ(companies[7].trendState, raise ? s.raiseState : s.lowerState);
            EXPECT_EQ(newsPending[7], 1);
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].owner, WIN_DIALOG);
            EXPECT_EQ(TakeBoxes(), (Boxes{raise ? "[] 株価を上げる報道に成功しました." : "[] 株価を下げる報道に成功しました."}));
        }
    }
}

TEST_F(MediaDialogTest, FailedReportsKeepTheMoneyAndTheEvidenceSpent) {
    for (int row = 1; row < 5; ++row) {
        const Station& s = STATIONS[row];
        for (bool raise : {true, false}) {
            SCOPED_TRACE(std::string(s.name) + (raise ? " raise" : " lower"));
            const int m = s.successModulus;
            // The first draw alone would succeed: failure comes from the second.
            const uint32_t state = StateWhere([&](const Draws& d) { return d[1] % m != 0 && d[0] % m == 0; });
            const Draws d = DrawsFrom(state);
            const int64_t cost = raise ? s.raiseCost : s.lowerCost;
            selectedCompany = 12;
            companies[12].trendState = 8;
            newsPending[12] = 0;
            illegalityFactor = 0;
            me.funds = cost + 77;
            SetGameRandState(state);

            Buy(s, raise);

            EXPECT_EQ(illegalityFactor, d[0] % 1000);
            EXPECT_EQ(DrawsSince(state), 2);
            EXPECT_EQ(me.funds, 77);
            EXPECT_EQ(companies[12].trendState, 8);
            EXPECT_EQ(newsPending[12], 0);
            EXPECT_EQ(TakeBoxes(), (Boxes{raise ? "[] 株価を上げる報道は失敗に終わった." : "[] 株価を下げる報道は失敗に終わった."}));
        }
    }
}

TEST_F(MediaDialogTest, TopStationAlwaysSucceedsAndItsLoweringDrawsNothing) {
    const Station& top = STATIONS[0];
    for (uint32_t state : {1u, 99u, 123456u, 0xdeadbeefu}) {
        companies[4].trendState = 1;
        selectedCompany = 4;
        illegalityFactor = 0;
        me.funds = 100000000;
        SetGameRandState(state);
        Buy(top, false);
        EXPECT_EQ(DrawsSince(state), 0);
        EXPECT_EQ(illegalityFactor, 1000);
        EXPECT_EQ(companies[4].trendState, 7);

        SetGameRandState(state);
        Buy(top, true);
        EXPECT_EQ(DrawsSince(state), 1);
        EXPECT_EQ(illegalityFactor, 1000 + DrawsFrom(state)[0] % 1000);
        EXPECT_EQ(companies[4].trendState, 4);
        EXPECT_EQ(me.funds, 100000000 - 20000000 - 40000000);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 株価を下げる報道に成功しました.", "[] 株価を上げる報道に成功しました."}));
    }
}

TEST_F(MediaDialogTest, TooLittleMoneyChangesNothingAndDrawsNothing) {
    for (const Station& s : STATIONS) {
        for (bool raise : {true, false}) {
            SCOPED_TRACE(std::string(s.name) + (raise ? " raise" : " lower"));
            selectedCompany = 9;
            companies[9].trendState = 1;
            newsPending[9] = 0;
            illegalityFactor = 40;
            me.funds = (raise ? s.raiseCost : s.lowerCost) - 1;
            const int64_t funds = me.funds;
            const uint32_t state = GameRandState();
            Buy(s, raise);
            EXPECT_EQ(DrawsSince(state), 0);
            EXPECT_EQ(me.funds, funds);
            EXPECT_EQ(illegalityFactor, 40);
            EXPECT_EQ(companies[9].trendState, 1);
            EXPECT_EQ(newsPending[9], 0);
            EXPECT_EQ(TakeBoxes(), (Boxes{"[] 金が足りません."}));
        }
    }
}

TEST_F(MediaDialogTest, OwnCompanyTakesTheNewsAndTheLastReportWins) {
    selectedCompany = 0;
    me.trendState = 1;
    me.funds = 10000000;
    newsPending[0] = 0;
    // Row 3 raise and then row 5 lower, both succeeding.
    const uint32_t state = StateWhere([](const Draws& d) { return d[1] % 2 == 0 && d[3] % 3 == 0; });
    SetGameRandState(state);
    RunDialog(MEDIA, [&](HeadlessDialog& d) {
        d.Press(STATIONS[2].raiseButton);
        EXPECT_EQ(me.trendState, 3);
        EXPECT_EQ(newsPending[0], 1);
        d.Press(STATIONS[4].lowerButton);
    });
    EXPECT_EQ(DrawsSince(state), 4);
    EXPECT_EQ(me.trendState, 5);
    EXPECT_EQ(me.funds, 10000000 - 3000000 - 150000);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 株価を上げる報道に成功しました.", "[] 株価を下げる報道に成功しました."}));
}

TEST_F(MediaDialogTest, EvidenceStopsAtTheCounterBoundInsteadOfWrapping) {
    selectedCompany = 2;
    me.funds = 100000000;
    illegalityFactor = I32_MAX - 10;
    Buy(STATIONS[0], false);
    EXPECT_EQ(illegalityFactor, I32_MAX);
    const uint32_t state = StateWhere([](const Draws& d) { return d[0] % 1000 > 0; });
    SetGameRandState(state);
    Buy(STATIONS[0], true);
    EXPECT_EQ(illegalityFactor, I32_MAX);
}

// ------------------------------------------------------------- university

namespace {

struct University {
    const char* name;
    int feeId, button;
    int64_t fee;
};

const University UNIVERSITIES[8] = {
    {"東京大学", 1139, 1017, 100000000}, {"京都大学", 1128, 1019, 50000000},
    {"大阪大学", 1131, 1021, 45000000},  {"東京工業大学", 1134, 1023, 40000000},
    {"名古屋大学", 1137, 1025, 5000000}, {"九州大学", 1138, 1026, 2300000},
    {"東北大学", 1140, 1027, 2300000},   {"北海道大学", 1141, 1028, 800000},
};

}  // namespace

class UniversityDialogTest : public InfluenceDialogTest {
protected:
    // One market tick with nothing else to do: no order, no bid, no market day.
    void TickWithoutMarketDay() {
        marketHalt = 1;
        RunMarketTick(WIN_BOARD);
        marketHalt = 0;
    }
    // A state whose first draw gives roll rand() % 10 + 1 == roll.
    static uint32_t StateRolling(int roll) {
        return StateWhere([roll](const Draws& d) { return d[0] % 10 + 1 == roll; });
    }
};

TEST_F(UniversityDialogTest, FieldMapOpensItWithTheFees) {
    screenMode = SCREEN_FIELD;
    bool ran = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        ran = true;
        for (const University& u : UNIVERSITIES) EXPECT_EQ(d.ItemText(u.feeId), std::to_string(u.fee)) << u.name;
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    host.ClickMain(235, 35);
    EXPECT_TRUE(ran);
    ASSERT_FALSE(host.openedDialogs.empty());
    EXPECT_EQ(host.openedDialogs.back(), UNIVERSITY);
}

TEST_F(UniversityDialogTest, EachUniversityStartsItsResearchForExactlyItsFee) {
    for (int row = 1; row <= 8; ++row) {
        const University& u = UNIVERSITIES[row - 1];
        SCOPED_TRACE(u.name);
        researchUnderway = 0;
        me.funds = u.fee;
        const uint32_t state = GameRandState();
        PressIn(UNIVERSITY, u.button);
        EXPECT_EQ(researchUnderway, row);
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(DrawsSince(state), 0);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 研究を開始します."}));
    }
}

TEST_F(UniversityDialogTest, RunningResearchAndShortFundsRefuseWithoutCharge) {
    me.funds = 200000000;
    RunDialog(UNIVERSITY, [&](HeadlessDialog& d) {
        d.Press(1025);
        d.Press(1017);   // another university while the first one runs
        d.Press(1025);   // the same one again
    });
    EXPECT_EQ(researchUnderway, 5);
    EXPECT_EQ(me.funds, 200000000 - 5000000);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 研究を開始します.", "[] 研究中です.", "[] 研究中です."}));

    // The running project is reported before the money.
    me.funds = 0;
    PressIn(UNIVERSITY, 1028);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 研究中です."}));
    EXPECT_EQ(researchUnderway, 5);

    researchUnderway = 0;
    me.funds = 800000 - 1;
    PressIn(UNIVERSITY, 1028);
    EXPECT_EQ(researchUnderway, 0);
    EXPECT_EQ(me.funds, 800000 - 1);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 金が足りません."}));
}

TEST_F(UniversityDialogTest, MarketTickEndsResearchWithATenthOfTheFee) {
    me.funds = 5000000;
    PressIn(UNIVERSITY, 1025);
    ASSERT_EQ(researchUnderway, 5);
    ClearMessages();
    const int64_t profit = me.profit;
    const uint32_t state = StateRolling(1);
    SetGameRandState(state);
    TickWithoutMarketDay();
    EXPECT_EQ(DrawsSince(state), 1);
    EXPECT_EQ(researchUnderway, 0);
    EXPECT_EQ(me.profit, profit + 500000);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].owner, WIN_BOARD);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[研究] 研究の成果により,会社の利益が500000万円増加しました.."}));

    // Ended: the next tick draws nothing for it.
    const uint32_t after = GameRandState();
    TickWithoutMarketDay();
    EXPECT_EQ(DrawsSince(after), 0);
    EXPECT_TRUE(host.messages.empty());
    // And a new project may start.
    me.funds = 800000;
    PressIn(UNIVERSITY, 1028);
    EXPECT_EQ(researchUnderway, 8);
}

TEST_F(UniversityDialogTest, MarketTickFailsOrContinuesTheResearch) {
    me.funds = 100000000;
    PressIn(UNIVERSITY, 1017);
    ClearMessages();
    const int64_t profit = me.profit;
    // Rolls 3 to 10 let the research go on, one draw per tick.
    for (int roll = 3; roll <= 10; ++roll) {
        const uint32_t state = StateRolling(roll);
        SetGameRandState(state);
        TickWithoutMarketDay();
        EXPECT_EQ(DrawsSince(state), 1) << roll;
        EXPECT_EQ(researchUnderway, 1) << roll;
    }
    EXPECT_TRUE(host.messages.empty());
    SetGameRandState(StateRolling(2));
    TickWithoutMarketDay();
    EXPECT_EQ(researchUnderway, 0);
    EXPECT_EQ(me.profit, profit);
    EXPECT_EQ(me.funds, 0);   // the fee stays spent
    EXPECT_EQ(TakeBoxes(), (Boxes{"[失敗] 研究は失敗に終わりました."}));
}

TEST_F(UniversityDialogTest, NewGameEndsResearchWithoutResult) {
    me.funds = 45000000;
    PressIn(UNIVERSITY, 1021);
    ASSERT_EQ(researchUnderway, 3);
    NewGameSetup();
    EXPECT_EQ(researchUnderway, 0);
    ClearMessages();
    const uint32_t state = GameRandState();
    TickWithoutMarketDay();
    EXPECT_EQ(DrawsSince(state), 0);
    EXPECT_TRUE(host.messages.empty());
}

// ------------------------------------------------------------------- shop

class ShopDialogTest : public InfluenceDialogTest {};

TEST_F(ShopDialogTest, FieldMapOpensItWithPricesCountsAndLabels) {
    screenMode = SCREEN_FIELD;
    shopOwned[1] = 1;
    shopOwned[2] = 4;
    shopOwned[3] = 2;
    bool ran = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        ran = true;
        EXPECT_EQ(d.ItemText(1002), "100000");
        EXPECT_EQ(d.ItemText(1003), "150000");
        EXPECT_EQ(d.ItemText(1004), "300000");
        EXPECT_EQ(d.ItemText(1005), "2000000");
        EXPECT_EQ(d.ItemText(1007), "4");
        EXPECT_EQ(d.ItemText(1008), "2");
        EXPECT_EQ(TextOf(d, 1017), "購入");
        EXPECT_EQ(TextOf(d, 1018), "使う");
        EXPECT_EQ(TextOf(d, 1019), "購入");
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    host.ClickMain(35, 35);
    EXPECT_TRUE(ran);
    ASSERT_FALSE(host.openedDialogs.empty());
    EXPECT_EQ(host.openedDialogs.back(), SHOP);
}

TEST_F(ShopDialogTest, ToolsAreBoughtOnceThenMoveTheTray) {
    struct Tool {
        int button;
        int64_t price;
        bool open;
    };
    const Tool tools[2] = {{1017, 100000, true}, {1018, 150000, false}};
    for (int k = 0; k < 2; ++k) {
        const Tool& tool = tools[k];
        SCOPED_TRACE(tool.button);
        host.trayCommands.clear();
        me.funds = tool.price;   // exactly enough
        const int64_t profit = me.profit, property = me.property;
        RunDialog(SHOP, [&](HeadlessDialog& d) {
            d.Press(tool.button);
            EXPECT_EQ(TextOf(d, tool.button), "使う");
            EXPECT_EQ(me.funds, 0);
            EXPECT_EQ(shopOwned[k], 1);
            EXPECT_TRUE(host.trayCommands.empty());
            EXPECT_EQ(TakeBoxes(), (Boxes{"[] 購入しました."}));
            d.Press(tool.button);
        });
        EXPECT_EQ(host.trayCommands, (std::vector<bool>{tool.open}));
        // Using is free and silent.
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(me.profit, profit);
        EXPECT_EQ(me.property, property);
        // Owned for good: the reopened dialog offers the use again.
        RunDialog(SHOP, [&](HeadlessDialog& d) {
            EXPECT_EQ(TextOf(d, tool.button), "使う");
            d.Press(tool.button);
            d.Press(tool.button);
        });
        EXPECT_EQ(host.trayCommands, (std::vector<bool>{tool.open, tool.open, tool.open}));
        EXPECT_EQ(me.funds, 0);
    }
    // The other tool's button was never affected.
    EXPECT_EQ(shopOwned[0], 1);
    EXPECT_EQ(shopOwned[1], 1);
}

TEST_F(ShopDialogTest, ToolBeyondTheFundsStaysForSale) {
    me.funds = 150000 - 1;
    RunDialog(SHOP, [&](HeadlessDialog& d) {
        d.Press(1018);
        EXPECT_EQ(TextOf(d, 1018), "購入");
        d.Press(1017);   // the cheaper opener is affordable
        EXPECT_EQ(TextOf(d, 1017), "使う");
    });
    EXPECT_EQ(shopOwned[1], 0);
    EXPECT_EQ(shopOwned[0], 1);
    EXPECT_EQ(me.funds, 150000 - 1 - 100000);
    EXPECT_TRUE(host.trayCommands.empty());
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに資金がありません.", "[] 購入しました."}));
}

TEST_F(ShopDialogTest, ApartmentSoldAtOnceLosesNineTenthsOfItsPrice) {
    me.funds = 1000000;
    const int64_t profit = me.profit, property = me.property;
    RunDialog(SHOP, [&](HeadlessDialog& d) {
        d.Press(1019);
        EXPECT_EQ(d.ItemText(1007), "1");
        EXPECT_EQ(shopOwned[2], 1);
        EXPECT_EQ(me.funds, 1000000 - 300000);
        EXPECT_EQ(me.profit, profit + 100);
        EXPECT_EQ(me.property, property + 30000);
        d.Press(1021);
        EXPECT_EQ(d.ItemText(1007), "0");
    });
    EXPECT_EQ(shopOwned[2], 0);
    EXPECT_EQ(me.funds, 1000000 - 270000);
    EXPECT_EQ(me.profit, profit);
    EXPECT_EQ(me.property, property);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 購入しました.", "[] 売却しました."}));
}

TEST_F(ShopDialogTest, OfficeBuildingsCountTheirProfitAndATenthOfTheirPrice) {
    me.funds = 4000000;   // exactly two buildings
    const int64_t profit = me.profit, property = me.property;
    RunDialog(SHOP, [&](HeadlessDialog& d) {
        d.Press(1020);
        d.Press(1020);
        EXPECT_EQ(d.ItemText(1008), "2");
        EXPECT_EQ(me.funds, 0);
        d.Press(1020);   // nothing left to pay with
        EXPECT_EQ(d.ItemText(1008), "2");
        d.Press(1022);
        EXPECT_EQ(d.ItemText(1008), "1");
        // The apartments are a separate count.
        EXPECT_EQ(d.ItemText(1007), "0");
    });
    EXPECT_EQ(shopOwned[3], 1);
    EXPECT_EQ(shopOwned[2], 0);
    EXPECT_EQ(me.funds, 200000);
    EXPECT_EQ(me.profit, profit + 500);
    EXPECT_EQ(me.property, property + 200000);
    EXPECT_EQ(TakeBoxes(),
              (Boxes{"[] 購入しました.", "[] 購入しました.", "[] そんなに資金がありません.", "[] 売却しました."}));
}

TEST_F(ShopDialogTest, SellingWithNoneOwnedChangesNothing) {
    me.funds = 500;
    const int64_t profit = me.profit, property = me.property;
    PressIn(SHOP, 1021);
    PressIn(SHOP, 1022);
    // A count below zero (only a damaged save could hold one) is not sold either.
    shopOwned[2] = -1;
    PressIn(SHOP, 1021);
    EXPECT_EQ(shopOwned[2], -1);
    EXPECT_EQ(shopOwned[3], 0);
    EXPECT_EQ(me.funds, 500);
    EXPECT_EQ(me.profit, profit);
    EXPECT_EQ(me.property, property);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 所持していません.", "[] 所持していません.", "[] 所持していません."}));
}

TEST_F(ShopDialogTest, ApartmentCountStopsAtItsBoundInsteadOfWrapping) {
    shopOwned[2] = I32_MAX;
    me.funds = 300000;
    RunDialog(SHOP, [&](HeadlessDialog& d) {
        d.Press(1019);
        EXPECT_EQ(d.ItemText(1007), std::to_string(I32_MAX));
    });
    EXPECT_EQ(shopOwned[2], I32_MAX);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 購入しました."}));
}
