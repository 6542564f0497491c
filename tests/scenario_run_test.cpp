// One scenario played from level 1 to level 16 through the game's own rules:
// the calendar tests each goal, and the goals that need an event are reached
// through the dialogs (mergers, the election, the war, the ranking). The
// money and stakes each goal needs are set up by the test.
#include <string>

#include "influence/military_dialog.h"
#include "market/calendar.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/new_game.h"
#include "world/world_state.h"

namespace {

constexpr int ID_MERGE = 1017;
constexpr int ID_RUN_FOR_PRESIDENT = 1017;
constexpr int ID_CAMPAIGN_FUNDS = 1007;
constexpr int ID_TO_WAR = 1042;
constexpr int ID_DECLARE_WAR = 1034;

}  // namespace

class ScenarioRun : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        EnterScenarioMode();
        ASSERT_EQ(scenarioLevel, 1);
        // A modest own company with half its shares in the player's hands.
        ListedCompany& me = companies[0];
        me.issuedShares = 8000000;
        me.holdings[0] = 4000000;
        me.floatingShares = 2000000;
        me.funds = 0;
        me.property = 0;
        me.debt = 0;
        me.loans[0] = me.loans[1] = me.loans[2] = 0;
        me.profit = 0;
    }

    // Calendar days until the level moves on (at most a year of them).
    void PassLevel(int level) {
        for (int day = 0; day < 365 && scenarioLevel == level; ++day) AdvanceCalendarDay(WIN_CALENDAR);
        ASSERT_EQ(scenarioLevel, level + 1) << "stuck at level " << level << ", goal stage " << goalStage;
    }

    // Merges company s through the other-company dialog with 80 % of it held.
    void Merge(int s) {
        ListedCompany& k = companies[s];
        k.sharePrice = 100;
        k.issuedShares = 10000000;
        k.holdings[s] = 1000000;
        k.floatingShares = 1000000;
        companies[0].holdings[s] = 8000000;
        selectedCompany = s;
        host.answers.push_back(ANSWER_YES);
        RunDialog(IDD_OTHER_COMPANY, [](HeadlessDialog& d) {
            d.Press(ID_MERGE);
            d.Press(1);
        });
        host.answers.clear();
        ASSERT_EQ(companies[0].holdings[s], 0) << "company " << s << " was not merged";
    }

    // Keeps the player's money and net worth at the level's need after a
    // merger has booked its accounts and its buy-out loan.
    void Money(int64_t funds, int64_t property) {
        ListedCompany& me = companies[0];
        me.funds = funds;
        me.property = property;
        me.debt = 0;
        me.loans[0] = me.loans[1] = me.loans[2] = 0;
    }
};

TEST_F(ScenarioRun, FromVentureToTheStrongestInHistory) {
    Money(20000, 0);   // net assets of 2億円
    PassLevel(1);
    EXPECT_TRUE(SaidWith("純資産を２億円以上にしたかよくやった.\n君は,普通の企業家だ!\n\nでは次は,利益を１億円以上にしてみよ."
                         "\n\nヒント：自社の株主総会にでもいってみたら～",
                         "普通の企業家"));

    companies[0].profit = 10000;
    PassLevel(2);
    Money(100000, 0);
    PassLevel(3);
    EXPECT_EQ(goalStage, 1);

    Merge(5);
    EXPECT_EQ(goalStage, 2);
    PassLevel(4);

    Money(10000000, 0);
    PassLevel(5);
    companies[0].sharePrice = 1000;
    PassLevel(6);
    Money(10000000, 1000);
    PassLevel(7);
    EXPECT_EQ(goalStage, 10);

    // "日本航空を潰す": merging it replaces it as a bankruptcy would.
    Merge(17);
    EXPECT_EQ(goalStage, 11);
    PassLevel(8);

    Money(100000000, 0);
    PassLevel(9);
    companies[0].profit = 20000000;
    PassLevel(10);
    EXPECT_EQ(goalStage, 20);

    Merge(2);
    EXPECT_EQ(goalStage, 21);
    PassLevel(11);
    EXPECT_EQ(goalStage, 30);

    // The election, with all the campaign money a run allows, until it is won.
    Money(2000000000, 0);
    for (int attempt = 0; attempt < 20 && presidentFlag == 0; ++attempt) {
        RunDialog(IDD_ELECTION, [this](HeadlessDialog& d) {
            d.Type(ID_CAMPAIGN_FUNDS, "149999");
            d.Press(ID_RUN_FOR_PRESIDENT);
            for (int tick = 0; tick < 100000 && d.open() && presidentFlag == 0 && !Said("落選しました."); ++tick) d.Tick();
            d.Press(1);
        });
        ClearMessages();
        Money(2000000000, 0);
    }
    ASSERT_EQ(presidentFlag, 1);
    EXPECT_EQ(goalStage, 31);
    PassLevel(12);
    EXPECT_EQ(goalStage, 40);

    // "三菱三井信託を潰すか合併".
    Merge(27);
    EXPECT_EQ(goalStage, 41);
    Money(2000000000, 0);
    PassLevel(13);
    EXPECT_EQ(goalStage, 50);

    // The war, with an army that cannot lose against a beaten enemy.
    for (int t = 0; t < 9; ++t) {
        playerForces[t] = 100000;
        enemyForces[t] = 1;
    }
    host.answers.push_back(ANSWER_YES);
    host.dialogHandlers.push_back([](HeadlessDialog& military) { military.Press(ID_TO_WAR); });
    host.dialogHandlers.push_back([](HeadlessDialog& war) {
        war.Press(ID_DECLARE_WAR);
        for (int tick = 0; tick < 100000 && war.open(); ++tick) war.Tick();
    });
    host.OpenDialog(IDD_MILITARY, WIN_MAIN);
    host.answers.clear();
    EXPECT_TRUE(Said("勝利しました!!"));
    EXPECT_EQ(goalStage, 51);
    Money(2000000000, 0);
    PassLevel(14);
    EXPECT_EQ(goalStage, 60);

    // The richest person of the world: the ranking's tick sees it.
    companies[0].ceoAssets = 900000000000LL;
    RunDialog(IDD_RANKING, [](HeadlessDialog& d) { d.Tick(); });
    EXPECT_EQ(goalStage, 61);
    PassLevel(15);
    EXPECT_TRUE(SaidWith("ついに世界一の大富豪になりましたね.おめでとうございます.\nあなたは,人類史上最強さんですね。!"
                         "\n\nあとは自由気ままに権力の乱用など楽しんでください.",
                         "人類史上最強"));

    // The last level has no goal: it stays.
    for (int day = 0; day < 40; ++day) AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 16);
    EXPECT_EQ(CheckStructuralInvariants(), "");
}
