// One scenario from level 1 to 16: the calendar tests each goal, the goals that need an event are met
// through the dialogs (mergers, the election, the war, the ranking); the test sets up the money and stakes.
#include "influence/military_dialog.h"
#include "market/calendar.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/new_game.h"

class ScenarioRun : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp(); EnterScenarioMode(); ASSERT_EQ(scenarioLevel, 1);
        ListedCompany& me = companies[0]; me.issuedShares = 8000000; me.holdings[0] = 4000000;
        me.floatingShares = 2000000; me.profit = 0; Money(0, 0);
    }
    // Merges company s through the other-company dialog with 80 % of it held.
    void Merge(int s) {
        ListedCompany& k = companies[s]; k.sharePrice = 100; k.issuedShares = 10000000;
        k.holdings[s] = k.floatingShares = 1000000; companies[0].holdings[s] = 8000000; selectedCompany = s;
        host.answers.push_back(ANSWER_YES);
        RunDialog(IDD_OTHER_COMPANY, [](HeadlessDialog& d) { d.Press(1017); d.Press(1); }); host.answers.clear();
        ASSERT_EQ(companies[0].holdings[s], 0) << "company " << s << " was not merged";
    }
    // The money and net worth a level needs, also after a merger booked its accounts and buy-out loan.
    static void Money(int64_t funds, int64_t property) {
        ListedCompany& me = companies[0]; me.funds = funds; me.property = property;
        me.debt = me.loans[0] = me.loans[1] = me.loans[2] = 0;
    }
};

TEST_F(ScenarioRun, FromVentureToTheStrongestInHistory) {
    auto elect = [&] {   // with all the campaign money a run allows, until won
        for (int attempt = 0; attempt < 20 && presidentFlag == 0; ++attempt) {
            Money(2000000000, 0);
            RunDialog(IDD_ELECTION, [&](HeadlessDialog& d) {
                d.Type(1007, "149999"); d.Press(1017);
                for (int tick = 0; tick < 100000 && d.open() && presidentFlag == 0 && !Said("落選しました."); ++tick) d.Tick();
                d.Press(1); ClearMessages();
            });
        }
        ASSERT_EQ(presidentFlag, 1);
    };
    auto war = [&] {   // an army that cannot lose against a beaten enemy
        std::fill(playerForces, playerForces + 9, 100000); std::fill(enemyForces, enemyForces + 9, 1);
        host.answers.push_back(ANSWER_YES);
        host.dialogHandlers.push_back([](HeadlessDialog& military) { military.Press(1042); });
        host.dialogHandlers.push_back([](HeadlessDialog& war) {
            war.Press(1034); for (int tick = 0; tick < 100000 && war.open(); ++tick) war.Tick();
        });
        host.OpenDialog(IDD_MILITARY, WIN_MAIN); host.answers.clear(); EXPECT_TRUE(Said("勝利しました!!"));
    };
    auto richest = [&] {   // the ranking's tick sees the world's richest
        companies[0].ceoAssets = 900000000000LL; RunDialog(IDD_RANKING, [](HeadlessDialog& d) { d.Tick(); });
    };
    // Each level's goal as the player meets it (funds below 0: the money a merger left is kept); the goal
    // stage an event moves on is checked before and after it.
    const struct { int64_t funds, property, profit; int32_t price; std::function<void()> event; int32_t stageBefore,
                   stageAfter; } levels[] = {
        {20000, 0, 0, 0, nullptr, 0, 0},   // net assets of 2億円
        {20000, 0, 10000, 0, nullptr, 0, 0},
        {100000, 0, 10000, 0, nullptr, 0, 0},
        {-1, 0, 10000, 0, [&] { Merge(5); }, 1, 2},
        {10000000, 0, 10000, 0, nullptr, 0, 0},
        {10000000, 0, 10000, 1000, nullptr, 0, 0},
        {10000000, 1000, 10000, 1000, nullptr, 0, 0},
        {-1, 0, 10000, 1000, [&] { Merge(17); }, 10, 11},   // "日本航空を潰す": a merger replaces it too
        {100000000, 0, 10000, 1000, nullptr, 0, 0},
        {100000000, 0, 20000000, 1000, nullptr, 0, 0},
        {-1, 0, 20000000, 1000, [&] { Merge(2); }, 20, 21},
        {2000000000, 0, 20000000, 1000, elect, 30, 31},
        {2000000000, 0, 20000000, 1000, [&] { Merge(27); }, 40, 41},   // "三菱三井信託を潰すか合併"
        {2000000000, 0, 20000000, 1000, war, 50, 51},
        {2000000000, 0, 20000000, 1000, richest, 60, 61}};
    for (int level = 1; level <= 15; ++level) {
        const auto& l = levels[level - 1];
        if (l.event) { EXPECT_EQ(goalStage, l.stageBefore) << level; l.event(); EXPECT_EQ(goalStage, l.stageAfter) << level; }
        if (l.funds >= 0) Money(l.funds, l.property);
        companies[0].profit = l.profit; if (l.price) companies[0].sharePrice = l.price;
        for (int day = 0; day < 365 && scenarioLevel == level; ++day) AdvanceCalendarDay(WIN_CALENDAR);
        ASSERT_EQ(scenarioLevel, level + 1) << "stuck at level " << level << ", goal stage " << goalStage;
    }
    EXPECT_TRUE(SaidWith("ついに世界一の大富豪になりましたね.おめでとうございます.\nあなたは,人類史上最強さんですね。!"
                         "\n\nあとは自由気ままに権力の乱用など楽しんでください.", "人類史上最強"));
    for (int day = 0; day < 40; ++day) AdvanceCalendarDay(WIN_CALENDAR);   // the last level has no goal
    EXPECT_EQ(std::make_pair(scenarioLevel, CheckStructuralInvariants()), std::make_pair(16, std::string()));
}
