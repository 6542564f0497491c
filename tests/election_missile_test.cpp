// The presidential election and the intercontinental missiles, driven by
// control id through the headless host as the field map opens them.
#include <climits>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "influence/election_dialog.h"
#include "influence/missile_dialog.h"
#include "market/market_tick.h"
#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ELECTION = 140;
constexpr int MISSILES = 167;

// The government building on the field map.
constexpr int BUILDING_X = 265, BUILDING_Y = 145;

constexpr Rgb WHITE{255, 255, 255};
constexpr Rgb BLACK{0, 0, 0};
constexpr Rgb BLUE{0, 0, 255};
constexpr Rgb GREEN{0, 255, 0};

std::string Num(long long v) { return std::to_string(v); }

}  // namespace

class ElectionTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        companies[0].ceoName = playerNameBuf;
        companies[0].funds = 2000000000000LL;   // 2億億: every accepted campaign is affordable
    }

    // Types the campaign funds in 億円 and presses "大統領選挙に出馬する".
    static void Run(HeadlessDialog& d, const std::string& oku) {
        d.Type(1007, oku);
        d.Press(1017);
    }

};

// ------------------------------------------------------------- election

TEST_F(ElectionTest, OpensIdleWithTheVotersAndThePlayersName) {
    const int result = RunDialog(ELECTION, [&](HeadlessDialog& d) {
        EXPECT_EQ(TextOf(d, 1002), "230000000");
        EXPECT_EQ(TextOf(d, 1003), "0");
        EXPECT_EQ(TextOf(d, 1004), "0");
        EXPECT_EQ(TextOf(d, 1009), "証券 太郎候補");
        // Idle: the close button closes without a question.
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ElectionTest, RunningChargesTheFundsAndCountsEveryMillisecond) {
    const int64_t funds = companies[0].funds;
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "100");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 大統領選挙に出馬します!!."}));
        EXPECT_EQ(companies[0].funds, funds - 1000000);
        EXPECT_EQ(campaignFunds, 1000000);
        EXPECT_EQ(rivalVotes, 0);

        host.Advance(1);
        EXPECT_GE(rivalVotes, 110000);
        EXPECT_LE(rivalVotes, 142767);
        EXPECT_EQ(TextOf(d, 1003), Num(rivalVotes));
        EXPECT_EQ(TextOf(d, 1004), Num(ownVotes));

        host.Advance(9);
        EXPECT_GE(rivalVotes, 10 * 110000);
        EXPECT_LE(rivalVotes, 10 * 142767);

        // During the count the button does nothing: no charge, no message.
        const int64_t before = companies[0].funds;
        Run(d, "100");
        EXPECT_EQ(companies[0].funds, before);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(campaignFunds, 1000000);

        // Withdraw so that the fixture's Escape finds nothing running.
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(ElectionTest, RefusesAmountsTooLargeOrUncovered) {
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        const int64_t funds = companies[0].funds;
        Run(d, "150000");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに資金がありません."}));
        EXPECT_EQ(companies[0].funds, funds);

        // Equality suffices; one 万円 short does not.
        companies[0].funds = 149999LL * 10000 - 1;
        Run(d, "149999");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに資金がありません."}));
        EXPECT_EQ(companies[0].funds, 149999LL * 10000 - 1);
        host.Advance(5);
        EXPECT_EQ(rivalVotes, 0);   // no timer was started

        // A negative amount would pay the player for running: refused.
        companies[0].funds = 500;
        Run(d, "-100");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに資金がありません."}));
        EXPECT_EQ(companies[0].funds, 500);
        host.Advance(5);
        EXPECT_EQ(rivalVotes, 0);

        companies[0].funds = 149999LL * 10000;
        Run(d, "149999");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 大統領選挙に出馬します!!."}));
        EXPECT_EQ(companies[0].funds, 0);
        EXPECT_EQ(campaignFunds, 1499990000);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(ElectionTest, NegativeFundsCannotPayForEvenAFreeCampaign) {
    companies[0].funds = -1;
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "0");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに資金がありません."}));
    });
    EXPECT_EQ(companies[0].funds, -1);
}

// The draws of one tick: rival votes, own votes, end test, each made once.
TEST_F(ElectionTest, EachTickDrawsRivalThenOwnThenTheEndTest) {
    struct Case {
        const char* oku;
        int64_t ownBase;     // campaignFunds / 8000
        int64_t ownModulus;  // campaignFunds / 40 + 1
    };
    const Case cases[] = {
        {"0", 0, 1},
        {"1", 1, 251},
        {"10000", 12500, 2500001},
        {"149999", 187498, 37499751},
    };
    for (const Case& c : cases) {
        RunDialog(ELECTION, [&](HeadlessDialog& d) {
            Run(d, c.oku);
            for (uint32_t seed : {1u, 77u, 123456789u}) {
                const int64_t rival0 = rivalVotes, own0 = ownVotes;
                SetGameRandState(seed);
                uint32_t s = seed;
                const int32_t r1 = NextDraw(s);
                const int32_t r2 = NextDraw(s);
                d.Tick();
                EXPECT_EQ(rivalVotes, rival0 + 110000 + r1) << c.oku;
                EXPECT_EQ(ownVotes, own0 + r2 % c.ownModulus + c.ownBase) << c.oku;
                EXPECT_EQ(DrawsSince(seed), 3) << c.oku;
                EXPECT_EQ(TextOf(d, 1003), Num(rivalVotes));
                EXPECT_EQ(TextOf(d, 1004), Num(ownVotes));
            }
            host.answers.push_back(ANSWER_YES);
            d.Press(1);
        });
    }
}

TEST_F(ElectionTest, AWinMakesThePresidentAndTheNextMarketDayMultipliesThePrice) {
    goalStage = 30;
    companies[0].sharePrice = 1500;
    const int64_t profit0 = companies[0].profit;
    int32_t factor = 0;
    int64_t gain = 0;
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "10000");
        d.Tick();
        ClearMessages();
        // The count is near its end: this tick ends it whatever is drawn.
        rivalVotes = 100000000;
        ownVotes = 129900000;
        const uint32_t seed = 2024;
        SetGameRandState(seed);
        uint32_t s = seed;
        NextDraw(s);
        NextDraw(s);
        NextDraw(s);
        gain = NextDraw(s) + 30000000;   // rand() % 100000000 is rand() itself
        factor = NextDraw(s) % 20 + 5;
        d.Tick();
        EXPECT_EQ(DrawsSince(seed), 5);
        EXPECT_EQ(TakeBoxes(), (Boxes{
                                   "[] 当選しました.",
                                   "[] 大統領になり,政府企業として大幅利益アップ!!.",
                                   "[] わが社の利益が" + Num(gain) + "万円アップし," + Num(profit0 + gain) +
                                       "万円になりました.",
                                   "[] わが社の株価が" + Num(factor) + "倍になり,1500円になりました.",
                               }));
        EXPECT_EQ(presidentFlag, 1);
        EXPECT_EQ(goalStage, 31);
        EXPECT_EQ(electionPriceMultiplier, factor);
        EXPECT_EQ(companies[0].profit, profit0 + gain);
        EXPECT_EQ(companies[0].sharePrice, 1500);   // not before the market day
        EXPECT_EQ(rivalVotes, 0);
        EXPECT_EQ(ownVotes, 0);
        // The count has stopped and the dialog stays open.
        host.Advance(20);
        EXPECT_EQ(rivalVotes, 0);
        ASSERT_TRUE(d.open());
        d.Press(1);
        EXPECT_FALSE(d.open());
        EXPECT_TRUE(host.messages.empty());
    });
    ASSERT_GE(factor, 5);
    ASSERT_LE(factor, 24);

    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].sharePrice, 1500 * factor);
    EXPECT_EQ(electionPriceMultiplier, 0);

    // From now on the building holds the missiles.
    screenMode = SCREEN_FIELD;
    host.openedDialogs.clear();
    host.ClickMain(BUILDING_X, BUILDING_Y);
    EXPECT_EQ(host.openedDialogs, std::vector<int>{MISSILES});
}

TEST_F(ElectionTest, AWinOutsideTheScenarioStepLeavesTheGoalStage) {
    goalStage = 20;
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "1");
        rivalVotes = 1;
        ownVotes = 229999999;
        d.Tick();
        EXPECT_TRUE(Said("当選しました."));
    });
    EXPECT_EQ(presidentFlag, 1);
    EXPECT_EQ(goalStage, 20);
}

TEST_F(ElectionTest, WithoutCampaignFundsTheRivalWinsTheFullCount) {
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "0");
        ClearMessages();
        int ticks = 0;
        // The market and the calendar run on behind the count.
        while (!Said("落選しました.") && ticks < 5000) {
            host.Advance(1);
            ++ticks;
            if (rivalVotes != 0) {
                ASSERT_EQ(TextOf(d, 1004), "0");
            }
        }
        // 230 million voters at 110000 to 142767 a tick.
        EXPECT_GE(ticks, 1600);
        EXPECT_LE(ticks, 2100);
        EXPECT_FALSE(Said("当選しました."));
        EXPECT_EQ(rivalVotes, 0);
        EXPECT_EQ(ownVotes, 0);
        EXPECT_EQ(presidentFlag, 0);
        EXPECT_EQ(electionPriceMultiplier, 0);
        // The result ends the count; the dialog stays and closes at once.
        ASSERT_TRUE(d.open());
        d.Press(1);
        EXPECT_FALSE(d.open());
        EXPECT_FALSE(Said("選挙を辞退しますか?"));
    });
}

TEST_F(ElectionTest, ATieIsADefeat) {
    const int64_t profit0 = companies[0].profit;
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "0");
        d.Tick();
        ClearMessages();
        const uint32_t seed = 99;
        uint32_t s = seed;
        const int32_t r1 = NextDraw(s);
        rivalVotes = 114900000;
        ownVotes = 114900000 + 110000 + r1;
        SetGameRandState(seed);
        d.Tick();
        EXPECT_EQ(DrawsSince(seed), 3);   // no gain and no factor drawn
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 落選しました."}));
        EXPECT_EQ(rivalVotes, 0);
        EXPECT_EQ(ownVotes, 0);
    });
    EXPECT_EQ(presidentFlag, 0);
    EXPECT_EQ(electionPriceMultiplier, 0);
    EXPECT_EQ(companies[0].profit, profit0);
}

TEST_F(ElectionTest, WithdrawingAsksKeepsTheFundsSpentAndAllowsARunAtOnce) {
    const int64_t funds = companies[0].funds;
    const int result = RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "100");
        host.Advance(5);
        ClearMessages();

        // No: the count goes on.
        d.Press(1);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(Utf8(host.messages[0].text), "選挙を辞退しますか?");
        EXPECT_EQ(Utf8(host.messages[0].caption), "確認");
        EXPECT_EQ(host.messages[0].style, MB_STYLE_YES_NO);
        ClearMessages();
        ASSERT_TRUE(d.open());
        const int32_t rival = rivalVotes;
        host.Advance(3);
        EXPECT_GT(rivalVotes, rival);

        // Yes (from Escape as from the button): withdrawn and closed.
        host.answers.push_back(ANSWER_YES);
        d.Press(2);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[確認] 選挙を辞退しますか?", "[] 辞退しました."}));
        EXPECT_FALSE(d.open());
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(rivalVotes, 0);
    EXPECT_EQ(ownVotes, 0);
    EXPECT_EQ(companies[0].funds, funds - 1000000);

    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        EXPECT_EQ(TextOf(d, 1003), "0");
        Run(d, "100");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 大統領選挙に出馬します!!."}));
        host.Advance(1);
        EXPECT_GT(rivalVotes, 0);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
    EXPECT_EQ(companies[0].funds, funds - 2000000);
}

TEST_F(ElectionTest, TheGraphShowsTheCountsBeforeTheTicksVotes) {
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        // On opening: empty frames and the half mark.
        EXPECT_EQ(d.PixelAt(315, 80), BLACK);
        EXPECT_EQ(d.PixelAt(549, 80), BLACK);
        EXPECT_EQ(d.PixelAt(320, 80), WHITE);
        EXPECT_EQ(d.PixelAt(320, 110), WHITE);
        EXPECT_EQ(d.PixelAt(433, 60), BLACK);
        EXPECT_EQ(d.PixelAt(433, 139), BLACK);
        EXPECT_EQ(d.PixelAt(433, 45), WHITE);
        EXPECT_EQ(d.PixelAt(433, 141), WHITE);

        Run(d, "0");
        // Half the voters for the rival (bar to 315 + 117), a fifth for the player (to 315 + 48).
        rivalVotes = 115000000;
        ownVotes = 47000000;
        d.Tick();
        EXPECT_EQ(d.PixelAt(320, 80), BLUE);
        EXPECT_EQ(d.PixelAt(430, 80), BLUE);
        EXPECT_EQ(d.PixelAt(431, 80), BLACK);   // the bar's outline
        EXPECT_EQ(d.PixelAt(433, 80), BLACK);   // the half mark over the frame
        EXPECT_EQ(d.PixelAt(440, 80), WHITE);
        EXPECT_EQ(d.PixelAt(340, 110), GREEN);
        EXPECT_EQ(d.PixelAt(361, 110), GREEN);
        EXPECT_EQ(d.PixelAt(362, 110), BLACK);
        EXPECT_EQ(d.PixelAt(365, 110), WHITE);
        EXPECT_EQ(d.PixelAt(433, 95), BLACK);   // between the frames

        // The next tick draws the counts this one reached.
        rivalVotes = 230000000 - 3000000;
        ownVotes = 0;
        d.Tick();
        EXPECT_EQ(d.PixelAt(540, 80), BLUE);   // to 315 + 231
        EXPECT_EQ(d.PixelAt(545, 80), BLACK);
        EXPECT_EQ(d.PixelAt(547, 80), WHITE);
        EXPECT_EQ(d.PixelAt(340, 110), WHITE);
        host.answers.push_back(ANSWER_YES);
        d.Press(1);
    });
}

TEST_F(ElectionTest, TheBuildingOpensTheElectionUntilThePlayerGovernsOrLevel13) {
    screenMode = SCREEN_FIELD;
    const struct {
        int32_t president, level, dialog;
    } cases[] = {{0, 0, ELECTION}, {0, 12, ELECTION}, {0, 13, MISSILES}, {0, 16, MISSILES}, {1, 0, MISSILES}};
    for (const auto& c : cases) {
        presidentFlag = c.president;
        scenarioLevel = c.level;
        host.openedDialogs.clear();
        host.ClickMain(BUILDING_X, BUILDING_Y);
        EXPECT_EQ(host.openedDialogs, std::vector<int>{c.dialog}) << c.president << " " << c.level;
    }
}

TEST_F(ElectionTest, ADialogLeftWithoutItsButtonLeavesNoCountBehind) {
    // The host closes a dialog that refuses Escape; the next opening is idle.
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "1");
        host.Advance(2);
    });
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        EXPECT_EQ(TextOf(d, 1003), "0");
        EXPECT_EQ(rivalVotes, 0);
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
}

// ------------------------------------------------------------- missiles

class MissileTest : public GameTest {
protected:
    static void Invest(HeadlessDialog& d, const char* cho) {
        d.Type(1003, cho);
        d.Press(1017);
    }
    // A generator state whose next draw is even (or odd).
    static uint32_t StateWithNextDraw(bool even) {
        for (uint32_t seed = 1;; ++seed) {
            uint32_t s = seed;
            if ((NextDraw(s) % 2 == 0) == even) return seed;
        }
    }
};

TEST_F(MissileTest, OpensWithThePotTheMissilesAndTheTarget) {
    icbmProgress = 1234;
    icbmCount = 2;
    selectedCompany = 2;
    const int result = RunDialog(MISSILES, [&](HeadlessDialog& d) {
        EXPECT_EQ(TextOf(d, 1002), "1234");
        EXPECT_EQ(TextOf(d, 1004), "2");
        EXPECT_EQ(d.ItemText(1007), std::string(companies[2].name));
        EXPECT_EQ(TextOf(d, 1007), "ソフトバンク");
        d.Press(1);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(MissileTest, OneMissilePerInvestmentTheRestStaysInThePot) {
    companies[0].funds = 30000 * MAN_PER_CHO + 7;
    RunDialog(MISSILES, [&](HeadlessDialog& d) {
        Invest(d, "25000");
        EXPECT_EQ(icbmCount, 1);
        EXPECT_EQ(icbmProgress, 15000);
        EXPECT_EQ(companies[0].funds, 5000 * MAN_PER_CHO + 7);
        EXPECT_EQ(TextOf(d, 1002), "15000");
        EXPECT_EQ(TextOf(d, 1004), "1");
        EXPECT_EQ(MessagesUtf8(), std::vector<std::string>{"核ＩＣＢＭが１つ完成しました."});
        EXPECT_EQ(host.messages[0].caption, "");

        Invest(d, "1");
        EXPECT_EQ(icbmCount, 2);
        EXPECT_EQ(icbmProgress, 5001);
        EXPECT_EQ(TextOf(d, 1002), "5001");
        EXPECT_EQ(TextOf(d, 1004), "2");
        EXPECT_EQ(CountSaid("核ＩＣＢＭが１つ完成しました."), 2);

        // Below the price of a missile: the pot grows silently.
        ClearMessages();
        Invest(d, "3000");
        EXPECT_EQ(icbmCount, 2);
        EXPECT_EQ(icbmProgress, 8001);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(companies[0].funds, 1999 * MAN_PER_CHO + 7);
    });
}

TEST_F(MissileTest, InvestmentsTheFundsDoNotCoverOrThatAreNotPositive) {
    companies[0].funds = 99999999;   // less than 1兆円
    RunDialog(MISSILES, [&](HeadlessDialog& d) {
        Invest(d, "1");
        EXPECT_EQ(MessagesUtf8(), std::vector<std::string>{"資金が足りません."});
        EXPECT_EQ(host.messages[0].caption, "");
        EXPECT_EQ(companies[0].funds, 99999999);
        EXPECT_EQ(icbmProgress, 0);
        ClearMessages();

        companies[0].funds = 5 * MAN_PER_CHO;
        for (const char* typed : {"0", "-3", "abc", ""}) {
            Invest(d, typed);
            EXPECT_TRUE(host.messages.empty()) << typed;
            EXPECT_EQ(companies[0].funds, 5 * MAN_PER_CHO) << typed;
            EXPECT_EQ(icbmProgress, 0) << typed;
        }
        Invest(d, "6");
        EXPECT_TRUE(Said("資金が足りません."));
        EXPECT_EQ(icbmProgress, 0);
        // Equality suffices.
        Invest(d, "5");
        EXPECT_EQ(icbmProgress, 5);
        EXPECT_EQ(companies[0].funds, 0);
        EXPECT_EQ(TextOf(d, 1002), "5");
    });
}

TEST_F(MissileTest, ThePotStopsAtItsBoundInsteadOfWrapping) {
    icbmProgress = INT32_MAX - 5;   // as a loaded save may hold it
    companies[0].funds = 10 * MAN_PER_CHO;
    RunDialog(MISSILES, [&](HeadlessDialog& d) { Invest(d, "10"); });
    EXPECT_EQ(icbmCount, 1);
    EXPECT_EQ(icbmProgress, INT32_MAX - 10000);
    EXPECT_EQ(companies[0].funds, 0);
}

TEST_F(MissileTest, FiringDrawsOnceAHitWipesTheTargetsProfit) {
    selectedCompany = 7;
    companies[7].profit = 123456;
    RunDialog(MISSILES, [&](HeadlessDialog& d) {
        // Without a missile nothing happens, not even a draw.
        uint32_t seed = GameRandState();
        d.Press(1018);
        EXPECT_EQ(DrawsSince(seed), 0);
        EXPECT_TRUE(host.messages.empty());

        icbmCount = 2;
        seed = StateWithNextDraw(false);
        SetGameRandState(seed);
        d.Press(1018);
        EXPECT_EQ(DrawsSince(seed), 1);
        EXPECT_EQ(icbmCount, 1);
        EXPECT_EQ(TextOf(d, 1004), "1");
        EXPECT_EQ(companies[7].profit, 123456);
        EXPECT_EQ(MessagesUtf8(), std::vector<std::string>{"核ＩＣＢＭは正常に動作しませんでした."});
        ClearMessages();

        seed = StateWithNextDraw(true);
        SetGameRandState(seed);
        d.Press(1018);
        EXPECT_EQ(DrawsSince(seed), 1);
        EXPECT_EQ(icbmCount, 0);
        EXPECT_EQ(TextOf(d, 1004), "0");
        EXPECT_EQ(companies[7].profit, 0);
        EXPECT_TRUE(SaidWith("核ＩＣＢＭが命中.\n\n会社の利益を０にしてやりました.", ""));
        ClearMessages();

        d.Press(1018);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(icbmCount, 0);
    });
}

TEST_F(MissileTest, BuiltAndFiredFromTheBuildingAtThePlayersOwnCompany) {
    presidentFlag = 1;
    screenMode = SCREEN_FIELD;
    selectedCompany = 0;
    companies[0].profit = 5000000;
    companies[0].funds = 10000 * MAN_PER_CHO;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        EXPECT_EQ(d.ResourceId(), MISSILES);
        Invest(d, "10000");
        EXPECT_TRUE(Said("核ＩＣＢＭが１つ完成しました."));
        EXPECT_EQ(TextOf(d, 1004), "1");
        EXPECT_EQ(TextOf(d, 1002), "0");
        SetGameRandState(StateWithNextDraw(true));
        d.Press(1018);
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    host.ClickMain(BUILDING_X, BUILDING_Y);
    EXPECT_EQ(host.openedDialogs.back(), MISSILES);
    EXPECT_EQ(companies[0].funds, 0);
    EXPECT_EQ(icbmCount, 0);
    EXPECT_EQ(companies[0].profit, 0);
    EXPECT_TRUE(Said("核ＩＣＢＭが命中.\n\n会社の利益を０にしてやりました."));
}
