// The presidential election and the intercontinental missiles, by control id from the field map.
#include "display/canvas.h"
#include "influence/election_dialog.h"
#include "influence/missile_dialog.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

constexpr int ELECTION = 140, MISSILES = 167;
constexpr int BUILDING_X = 265, BUILDING_Y = 145;   // the government on the field map
constexpr int64_t RICH = 2000000000000LL;           // affords every accepted campaign
constexpr Rgb WHITE{255, 255, 255}, BLACK{0, 0, 0}, BLUE{0, 0, 255}, GREEN{0, 255, 0};

std::string Num(long long v) { return std::to_string(v); }

}  // namespace

class ElectionTest : public GameTest {
protected:
    void SetUp() override { GameTest::SetUp(); companies[0].ceoName = playerNameBuf; companies[0].funds = RICH; }
    static void Run(HeadlessDialog& d, const std::string& oku) { d.Type(1007, oku); d.Press(1017); }
    void Withdraw(HeadlessDialog& d) { host.answers.push_back(ANSWER_YES); d.Press(1); }
};

TEST_F(ElectionTest, OpensIdleAndRefusesCampaignsTooLargeNegativeOrUncovered) {
    const struct { int64_t funds; const char* oku; } refused[] = {
        {RICH, "150000"}, {149999LL * 10000 - 1, "149999"}, {500, "-100"}, {-1, "0"}};
    const int result = RunDialog(ELECTION, [&](HeadlessDialog& d) {
        EXPECT_EQ(std::make_tuple(TextOf(d, 1002), TextOf(d, 1003), TextOf(d, 1004), TextOf(d, 1009)),
                  std::make_tuple("230000000", "0", "0", "証券 太郎候補"));
        for (const auto& r : refused) {
            companies[0].funds = r.funds; Run(d, r.oku); EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに資金がありません."}));
            host.Advance(5);   // no count started
            EXPECT_EQ(std::make_pair(companies[0].funds, rivalVotes), std::make_pair(r.funds, 0)) << r.oku;
        }
        // Equality suffices; the count runs every millisecond.
        companies[0].funds = 149999LL * 10000; Run(d, "149999");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 大統領選挙に出馬します!!."}));
        EXPECT_EQ(std::make_pair(companies[0].funds, campaignFunds), std::make_pair(int64_t{0}, int64_t{1499990000}));
        host.Advance(10); EXPECT_GE(rivalVotes, 10 * 110000); EXPECT_EQ(TextOf(d, 1003), Num(rivalVotes));
        companies[0].funds = RICH; Run(d, "100");   // nothing during the count
        EXPECT_EQ(std::make_pair(companies[0].funds, campaignFunds), std::make_pair(RICH, int64_t{1499990000}));
        EXPECT_TRUE(host.messages.empty()); Withdraw(d);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(ElectionTest, EachTickDrawsRivalThenOwnThenTheEndTest) {
    // The campaign funds in 億円; own votes: campaignFunds / 8000 + a draw modulo campaignFunds / 40 + 1.
    const struct { const char* oku; int64_t base, modulus; } cases[] = {{"0", 0, 1}, {"149999", 187498, 37499751}};
    for (const auto& c : cases) {
        RunDialog(ELECTION, [&](HeadlessDialog& d) {
            Run(d, c.oku);
            for (uint32_t seed : {1u, 123456789u}) {
                const int64_t rival0 = rivalVotes, own0 = ownVotes; SetGameRandState(seed); uint32_t s = seed;
                const int32_t r1 = NextDraw(s), r2 = NextDraw(s); d.Tick();
                EXPECT_EQ(std::make_tuple(rivalVotes, ownVotes, DrawsSince(seed), TextOf(d, 1004)),
                          std::make_tuple(rival0 + 110000 + r1, own0 + r2 % c.modulus + c.base, 3, Num(ownVotes))) << c.oku;
            }
            Withdraw(d);
        });
    }
}

TEST_F(ElectionTest, TheCountEndsInAWinOrALossAndATieIsALoss) {
    const struct { int32_t rival, own, goal; bool won; int32_t goalAfter; } cases[] = {
        {100000000, 129900000, 30, true, 31},   // near the end this tick ends it, whatever is drawn
        {1, 229999999, 20, true, 20},           // off the scenario step the goal stays
        {114900000, 114900000, 30, false, 30},  // `own` gets the tick's rival votes too: a tie
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.own);
        companies[0].sharePrice = 1500; presidentFlag = 0; goalStage = c.goal; electionPriceMultiplier = 0;
        const int64_t profit0 = companies[0].profit;
        RunDialog(ELECTION, [&](HeadlessDialog& d) {
            Run(d, "0"); ClearMessages(); const uint32_t seed = 2024; uint32_t s = seed;
            const int32_t r1 = NextDraw(s); rivalVotes = c.rival; ownVotes = c.won ? c.own : c.own + 110000 + r1;
            NextDraw(s); NextDraw(s); const int32_t gain = NextDraw(s) + 30000000, factor = NextDraw(s) % 20 + 5;
            SetGameRandState(seed); d.Tick();
            EXPECT_EQ(DrawsSince(seed), c.won ? 5 : 3);   // a loss draws no gain nor factor
            EXPECT_EQ(TakeBoxes(), (!c.won ? Boxes{"[] 落選しました."}
                : Boxes{"[] 当選しました.", "[] 大統領になり,政府企業として大幅利益アップ!!.",
                        "[] わが社の利益が" + Num(gain) + "万円アップし," + Num(profit0 + gain) + "万円になりました.",
                        "[] わが社の株価が" + Num(factor) + "倍になり,1500円になりました."}));
            EXPECT_EQ(std::make_tuple(presidentFlag, electionPriceMultiplier, companies[0].profit, companies[0].sharePrice),
                      std::make_tuple(c.won ? 1 : 0, c.won ? factor : 0, profit0 + (c.won ? gain : 0), 1500));
            // The count has stopped; the dialog stays open, and closes at once.
            host.Advance(20); EXPECT_EQ(std::make_pair(rivalVotes, ownVotes), std::make_pair(0, 0));
            d.Press(1); EXPECT_FALSE(d.open()); EXPECT_TRUE(host.messages.empty());
        });
        EXPECT_EQ(goalStage, c.goalAfter);
    }
}

TEST_F(ElectionTest, WithdrawingAsksKeepsTheFundsSpentAndLeavesNoCount) {
    const int64_t funds = companies[0].funds;
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        Run(d, "100"); host.Advance(5); ClearMessages();
        // The graph of the counts before the tick's votes: the rival's half, the player's fifth, the half mark.
        rivalVotes = 115000000; ownVotes = 47000000; d.Tick();
        const struct { int x, y; Rgb c; } px[] = {{320, 80, BLUE}, {430, 80, BLUE}, {431, 80, BLACK}, {440, 80, WHITE},
            {361, 110, GREEN}, {362, 110, BLACK}, {365, 110, WHITE}, {433, 95, BLACK}};
        for (const auto& p : px) EXPECT_EQ(d.PixelAt(p.x, p.y), p.c) << p.x << "," << p.y;
        d.Press(1); EXPECT_EQ(TakeBoxes(), (Boxes{"[確認] 選挙を辞退しますか?"}));   // No: the count goes on
        const int32_t rival = rivalVotes; host.Advance(3); EXPECT_GT(rivalVotes, rival);
        host.answers.push_back(ANSWER_YES); d.Press(2);   // Yes, from Escape as from the button
        EXPECT_EQ(TakeBoxes(), (Boxes{"[確認] 選挙を辞退しますか?", "[] 辞退しました."}));
        EXPECT_EQ(std::make_pair(d.open(), d.result()), std::make_pair(false, 1));
    });
    EXPECT_EQ(std::make_tuple(rivalVotes, ownVotes, companies[0].funds), std::make_tuple(0, 0, funds - 1000000));
    RunDialog(ELECTION, [&](HeadlessDialog& d) { Run(d, "1"); host.Advance(2); });   // host-closed: no count left
    companies[0].ceoName = nullptr;   // a company without a named head stands for the player
    RunDialog(ELECTION, [&](HeadlessDialog& d) {
        EXPECT_EQ(std::make_tuple(TextOf(d, 1003), rivalVotes, TextOf(d, 1009)), std::make_tuple("0", 0, "証券 太郎候補"));
        Run(d, "100"); EXPECT_TRUE(Said("大統領選挙に出馬します!!.")); Withdraw(d);
    });
}

using MissileTest = ElectionTest;

TEST_F(MissileTest, MissilesAreBuiltOneForEvery10000ChoYenInvested) {
    const int64_t CHO = MAN_PER_CHO; const char* const DONE = "核ＩＣＢＭが１つ完成しました.";
    const struct { int64_t funds; int32_t pot; const char* cho; int64_t fundsAfter; int32_t potAfter, count;
                   const char* box; } rows[] = {
        {30000 * CHO + 7, 0, "25000", 5000 * CHO + 7, 15000, 1, DONE},
        {5000 * CHO + 7, 15000, "1", 4999 * CHO + 7, 5001, 2, DONE},
        {4999 * CHO + 7, 5001, "3000", 1999 * CHO + 7, 8001, 2, nullptr},   // the pot grows silently
        {5 * CHO, 0, "-3", 5 * CHO, 0, 2, nullptr},   // amounts not above 0 do nothing
        {5 * CHO, 0, "6", 5 * CHO, 0, 2, "資金が足りません."},
        {5 * CHO, 0, "5", 0, 5, 2, nullptr},   // equality suffices
        {10 * CHO, INT32_MAX - 5, "10", 0, INT32_MAX - 10000, 3, DONE},   // stops at its bound
    };
    icbmCount = 0;
    RunDialog(MISSILES, [&](HeadlessDialog& d) {
        for (const auto& r : rows) {
            SCOPED_TRACE(r.cho);
            companies[0].funds = r.funds; icbmProgress = r.pot; d.Type(1003, r.cho); d.Press(1017);
            EXPECT_EQ(std::make_tuple(companies[0].funds, icbmProgress, icbmCount),
                      std::make_tuple(r.fundsAfter, r.potAfter, r.count));
            EXPECT_EQ(TakeBoxes(), (r.box ? Boxes{std::string("[] ") + r.box} : Boxes{}));
            if (r.potAfter != 0) {
                EXPECT_EQ(std::make_pair(TextOf(d, 1002), TextOf(d, 1004)), std::make_pair(Num(r.potAfter), Num(r.count)));
            }
        }
    });
}

TEST_F(MissileTest, AMissileFiredFromTheBuildingDrawsOnceAndAHitWipesTheTargetsProfit) {
    screenMode = SCREEN_FIELD;   // the building opens the election until the player governs or reaches level 13
    for (int level : {12, 13}) { scenarioLevel = level; host.ClickMain(BUILDING_X, BUILDING_Y); }
    EXPECT_EQ(host.openedDialogs, (std::vector<int>{ELECTION, MISSILES}));
    host.openedDialogs.clear(); scenarioLevel = 0; presidentFlag = 1;
    selectedCompany = 2; companies[2].profit = 123456; icbmProgress = 1234;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        EXPECT_EQ(std::make_tuple(TextOf(d, 1002), TextOf(d, 1004), TextOf(d, 1007)),
                  std::make_tuple("1234", "0", "ソフトバンク"));
        // No missile: nothing, not even a draw; with one, an odd draw is a dud, an even one a hit.
        uint32_t seed = GameRandState(); d.Press(1018);
        EXPECT_EQ(std::make_pair(DrawsSince(seed), host.messages.empty()), std::make_pair(0, true));
        icbmCount = 2; seed = ArrangeDraws({Mod(2, 1)}); d.Press(1018); EXPECT_EQ(DrawsSince(seed), 1);
        EXPECT_EQ(std::make_tuple(icbmCount, TextOf(d, 1004), companies[2].profit), std::make_tuple(1, "1", 123456));
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 核ＩＣＢＭは正常に動作しませんでした."}));
        seed = ArrangeDraws({Mod(2, 0)}); d.Press(1018); EXPECT_EQ(DrawsSince(seed), 1);
        EXPECT_EQ(std::make_tuple(icbmCount, TextOf(d, 1004), companies[2].profit), std::make_tuple(0, "0", 0));
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 核ＩＣＢＭが命中.\n\n会社の利益を０にしてやりました."}));
        d.Press(1); EXPECT_FALSE(d.open());
    });
    host.ClickMain(BUILDING_X, BUILDING_Y); EXPECT_EQ(host.openedDialogs, std::vector<int>{MISSILES});
    selectedCompany = 0; companies[0].profit = 99; icbmCount = 1;   // the own company is a target like any other
    host.dialogHandlers.push_back([&](HeadlessDialog& d) { EXPECT_EQ(TextOf(d, 1007), Utf8(companies[0].name)); ArrangeDraws({Mod(2, 0)}); d.Press(1018); });
    host.ClickMain(BUILDING_X, BUILDING_Y); EXPECT_EQ(companies[0].profit, 0);
}
