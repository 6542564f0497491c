// The calendar tick through AdvanceCalendarDay: the date, the settlement of
// the 1st, the stake warnings and dismissal, the police and the scenario.

#include "market/calendar.h"
#include "tests/test_support.h"
#include "world/game_texts.h"

using V = std::vector<int64_t>;

class Calendar : public WorldTest {
protected:
    void SetUp() override {   // the player owns the whole company, so no stake warning interferes
        WorldTest::SetUp(), StartGame(2024);
        for (int j = 1; j < COMPANY_COUNT; ++j) companies[0].holdings[j] = 0;
        companies[0].holdings[0] = companies[0].issuedShares, monthsToTrial = 0, SetDate(2007, 5, 10);   // not the 1st
    }
    static void SetDate(int y, int m, int d) { gameYear = y; gameMonth = m; gameDay = d; }
    // One tick with a fresh record.
    void Tick() { headless.Clear(); AdvanceCalendarDay(WIN_CALENDAR); }
    // The texts shown; "?" for a box not owned by the calendar or with a caption.
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& m : headless.messages) out.push_back(m.owner == WIN_CALENDAR && m.caption.empty() ? m.text : "?");
        return out;
    }
};

TEST_F(Calendar, MonthsEndWhenTheDayReachesTheirLength) {
    // The last day never shows: 30 in long months, 29 in short ones, February 27 (28 in years divisible by 200).
    struct Row { int y, m, d, y2, m2, d2; };
    const Row rows[] = {
        {2007, 1, 30, 2007, 2, 1}, {2007, 3, 30, 2007, 4, 1}, {2007, 5, 30, 2007, 6, 1}, {2007, 7, 30, 2007, 8, 1},
        {2007, 8, 30, 2007, 9, 1}, {2007, 10, 30, 2007, 11, 1}, {2007, 12, 29, 2007, 12, 30}, {2010, 12, 30, 2011, 1, 1},
        {2007, 4, 28, 2007, 4, 29}, {2007, 4, 29, 2007, 5, 1}, {2007, 6, 29, 2007, 7, 1}, {2007, 9, 29, 2007, 10, 1},
        {2007, 11, 29, 2007, 12, 1}, {2007, 2, 26, 2007, 2, 27}, {2007, 2, 27, 2007, 3, 1}, {2008, 2, 27, 2008, 3, 1},
        {2100, 2, 27, 2100, 3, 1}, {2200, 2, 27, 2200, 2, 28}, {2200, 2, 28, 2200, 3, 1}, {2000, 2, 27, 2000, 2, 28}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.y * 10000 + r.m * 100 + r.d);
        SetDate(r.y, r.m, r.d), agmEffect = 1, Tick();
        EXPECT_EQ(V({gameYear, gameMonth, gameDay, agmEffect}), V({r.y2, r.m2, r.d2, r.m2 == r.m}));
        EXPECT_EQ(headless.paints, std::vector<WindowId>{WIN_CALENDAR});
    }
}

TEST_F(Calendar, MonthlySettlementOnTheFirst) {
    ListedCompany& p = companies[0];
    lenderInterestRate[0] = 5; lenderInterestRate[1] = 3; lenderInterestRate[2] = 1;
    p.funds = 10000; p.debt = 1000; p.loans[0] = 2000; p.loans[1] = 3000; p.loans[2] = 9950; p.profit = -5000;
    // Dividends: 800 x (123456 / 1000) x 3 / 1000 = 295; fewer than 1000 shares earn nothing, nor negative holdings.
    const int64_t held[][4] = {{3, 123456, 800, 3}, {4, 999, 5000, 9}, {6, -5000, 600, 2}};   // company, held, price, yield
    for (const auto& h : held)
        p.holdings[h[0]] = h[1], companies[h[0]].sharePrice = int32_t(h[2]), companies[h[0]].dividendYield = int32_t(h[3]);
    arrestState = 1; lawyerFee = 70; monthsToTrial = 3; agmEffect = 1;
    companies[9].profit = 12345; companies[10].profit = -999; companies[11].profit = -50;   // 50 / 100 is 0
    const ListedCompany c9 = companies[9], c10 = companies[10], c11 = companies[11];
    SetDate(2007, 6, 2); Tick();   // not on another day
    EXPECT_EQ(V({p.funds, p.debt, monthsToTrial, agmEffect}), V({10000, 1000, 3, 1}));
    SetDate(2007, 6, 1); Tick();
    // The fee is borrowed first, so the automatic lender charges interest on it: (9950 + 70) x 1 / 100 = 100;
    // then the loss of 5000 adds 50.
    EXPECT_EQ(V({p.loans[0], p.loans[1], p.loans[2], p.debt, p.funds, monthsToTrial, agmEffect}),
              V({2000 + 100, 3000 + 90, 9950 + 70 + 100 + 50, 1000 + 70 + 100 + 90 + 100 + 50, 10000 + 295, 2, 0}));
    EXPECT_EQ(V({companies[9].funds, companies[10].debt, companies[10].loans[2], companies[11].debt, companies[11].funds}),
              V({c9.funds + 123, c10.debt + 9, c10.loans[2] + 9, c11.debt, c11.funds}));
    // No fee without an arrest, no countdown below 0; the settlement runs on the tick after the 1st shows.
    struct Row { int64_t profit; int day; int64_t funds, debt; };
    arrestState = monthsToTrial = 0;
    for (int j = 1; j < COMPANY_COUNT; ++j) p.holdings[j] = 0;
    for (const Row& r : {Row{250, 1, 2, 0}, Row{-250, 1, 0, 2}, Row{100, 29, 0, 0}}) {
        p.loans[0] = p.loans[1] = p.loans[2] = p.debt = p.funds = 0, p.profit = r.profit, SetDate(2007, 9, r.day), Tick();
        EXPECT_EQ(V({p.funds, p.debt, p.loans[2], monthsToTrial}), V({r.funds, r.debt, r.debt, 0}));
    }
    EXPECT_EQ(gameDay, 1);
    EXPECT_EQ((Tick(), p.funds), 1);
}

TEST_F(Calendar, StakeWarningsOnceEachAndDismissal) {
    ListedCompany& p = companies[0];
    const std::string warn25 = TXT_STAKE_WARNING_25, warn1 = TXT_STAKE_WARNING_1, fired = TXT_DISMISSED;
    // The stake is holding / (issued / 100): 2499 of 10099 is 24 %. A draw of -1 is not arranged; below 1 %
    // each tick draws rand() % 100000, the draw itself, and dismisses on 1.
    struct Step { int64_t issued, holding; int level, draw, nDraws, levelAfter; std::vector<std::string> shown; };
    const std::vector<Step> steps = {
        {10099, 2500, 0, -1, 0, 0, {}}, {10099, 2499, 0, -1, 0, 1, {warn25}}, {10099, 2499, 1, -1, 0, 1, {}},
        {10099, 99, 1, 2, 1, 2, {warn1}}, {10099, 99, 2, 3, 1, 2, {}}, {10099, 5000, 2, -1, 0, 2, {}}, {10099, 100, 1, -1, 0, 1, {}}, {10099, 1000, 2, -1, 0, 2, {}},
        {10099, 0, 0, 0, 1, 2, {warn25, warn1}},   // both in one tick, in order
        {99, 0, 0, -1, 0, 0, {}}, {100, 24, 0, -1, 0, 1, {warn25}},   // under 100 shares no stake is computed
        {1000000, 10000, 2, -1, 0, 2, {}}, {1000000, 9999, 2, 32767, 1, 2, {}}, {100, 0, 2, 1, 1, 2, {fired}},
    };
    p.debt = 600; p.holdings[4] = 777;
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.holding) + " of " + std::to_string(s.issued));
        p.issuedShares = s.issued, p.holdings[0] = s.holding, stakeWarningLevel = s.level;
        const uint32_t start = s.draw < 0 ? GameRandState() : ArrangeDraws({Mod(100000, s.draw)});
        Tick();
        EXPECT_EQ(V({DrawsSince(start), stakeWarningLevel, p.bankrupt}), V({s.nDraws, s.levelAfter, s.shown == std::vector<std::string>{fired}}));
        EXPECT_EQ(Texts(), s.shown);
    }
    // Dismissed: the company is wiped but keeps its debt and other stakes; then neither warnings nor dismissal draw.
    EXPECT_EQ(std::string(p.name), Sjis("---破産---"));
    EXPECT_EQ(V({p.funds, p.issuedShares, p.floatingShares, p.profit, p.property, p.sharePrice, p.debt, p.holdings[4]}), V({0, 0, 0, 0, 0, 0, 600, 777}));
    stakeWarningLevel = 0;
    const uint32_t start = GameRandState();
    Tick();
    EXPECT_TRUE(DrawsSince(start) == 0 && headless.messages.empty());
}

TEST_F(Calendar, PropertyCapAndPoliceCountdown) {
    // The police connection absorbs the evidence first; then the chance of prosecution grows daily while evidence remains.
    struct Row { int64_t property; int32_t illegal, police, chance; int64_t propertyAfter; int32_t illegalAfter, policeAfter, chanceAfter; };
    const Row rows[] = {{1000000001, 0, 2, 10, 1000000000, 0, 2, 10}, {1000000000, 3, 2, 10, 1000000000, 2, 1, 10},
                        {999999999, 1, 1, 10, 999999999, 0, 0, 10}, {5, 1, 0, 10, 5, 0, 0, 11}, {5, 2, 0, 11, 5, 1, 0, 12}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.property);
        companies[0].property = r.property, illegalityFactor = r.illegal, policeConnection = r.police;
        prosecutionChance = r.chance, Tick();
        EXPECT_EQ(V({companies[0].property, illegalityFactor, policeConnection, prosecutionChance, static_cast<int64_t>(headless.messages.size())}),
                  V({r.propertyAfter, r.illegalAfter, r.policeAfter, r.chanceAfter, 0}));
    }
}

TEST_F(Calendar, NetAssetsCountOtherCompaniesShares) {
    ListedCompany& p = companies[0];
    p.funds = 5000, p.debt = 1200, p.property = 300, p.holdings[0] = 1000000000;   // the own stake does not count
    // (12345 / 100) x (987 / 10) / 10 = 1205; (250 / 100) x (1999 / 10) / 10 = 39;
    // a price under 10 yen counts nothing, nor do fewer than 100 shares.
    const int64_t held[][3] = {{1, 12345, 987}, {3, 250, 1999}, {2, 1000000, 9}, {29, 99, 100000}};   // company, held, price
    for (const auto& h : held) { p.holdings[h[0]] = h[1]; companies[h[0]].sharePrice = static_cast<int32_t>(h[2]); }
    EXPECT_EQ(NetAssetsForGoal(), 5000 - 1200 + 300 + 1205 + 39);
    EXPECT_EQ((p.debt = 100000, NetAssetsForGoal()), 5000 - 100000 + 300 + 1205 + 39);
}

TEST_F(Calendar, EveryScenarioLevelPassesJustAtItsGoal) {
    ListedCompany& p = companies[0];
    auto net = [&](int64_t v) { p.funds = v; p.debt = p.property = 0; };
    auto stage = [](int32_t s) { return [s] { goalStage = s; }; };
    struct Level { std::function<void()> fail, pass; int stageAfter; const char* text; };
    const std::vector<Level> levels = {
        {[&] { net(19999); }, [&] { net(20000); }, 0, TXT_LEVEL_DONE_1},
        {[&] { p.profit = 9999; }, [&] { p.profit = 10000; }, 0, TXT_LEVEL_DONE_2},
        {[&] { net(99999); }, [&] { net(100000); }, 1, TXT_LEVEL_DONE_3},
        {stage(1), stage(2), 2, TXT_LEVEL_DONE_4},
        {[&] { p.funds = 9999999; }, [&] { p.funds = 10000000; }, 2, TXT_LEVEL_DONE_5},
        {[&] { p.sharePrice = 999; }, [&] { p.sharePrice = 1000; }, 2, TXT_LEVEL_DONE_6},
        {[&] { net(9999999); }, [&] { net(10000000); }, 10, TXT_LEVEL_DONE_7},
        {stage(10), stage(11), 11, TXT_LEVEL_DONE_8},
        {[&] { p.funds = 99999999; }, [&] { p.funds = 100000000; }, 11, TXT_LEVEL_DONE_9},
        {[&] { p.profit = 19999999; }, [&] { p.profit = 20000000; }, 20, TXT_LEVEL_DONE_10},
        {stage(20), stage(21), 30, TXT_LEVEL_DONE_11},
        {stage(30), stage(31), 40, TXT_LEVEL_DONE_12},
        {stage(42), stage(41), 50, TXT_LEVEL_DONE_13},   // a stage is met only by its exact value
        {stage(50), stage(51), 60, TXT_LEVEL_DONE_14},
        {stage(60), stage(61), 61, TXT_LEVEL_DONE_15},
    };
    scenarioLevel = 1;
    for (size_t k = 0; k < levels.size(); ++k) {
        const int level = static_cast<int>(k) + 1;
        SCOPED_TRACE(level);
        levels[k].fail();
        const int32_t stageFail = goalStage;
        Tick();
        EXPECT_EQ(V({scenarioLevel, goalStage, static_cast<int64_t>(headless.messages.size())}), V({level, stageFail, 0}));
        levels[k].pass(), Tick();
        EXPECT_EQ(V({scenarioLevel, goalStage}), V({level + 1, levels[k].stageAfter}));
        EXPECT_TRUE(scenarioTitle == SCENARIO_LEVELS[level].title && scenarioGoal == SCENARIO_LEVELS[level].goal);
        EXPECT_EQ(Texts(), std::vector<std::string>{"?"});   // one box, captioned with the new title (the run checks it)
    }
    // The last level tests nothing more; the presidency passes level 12 without its stage.
    presidentFlag = 1, Tick();
    EXPECT_EQ(V({scenarioLevel, static_cast<int64_t>(headless.messages.size())}), V({16, 0}));
    scenarioLevel = 12, goalStage = 30, Tick();
    EXPECT_EQ(V({scenarioLevel, goalStage}), V({13, 40}));
}

TEST_F(Calendar, OneLevelPerTick) {
    ListedCompany& p = companies[0];
    p.funds = 200000000, p.debt = 0, p.profit = 30000000, p.sharePrice = 5000;   // every money goal met at once
    scenarioLevel = 1;
    for (int level : {2, 3, 4, 4}) EXPECT_EQ((Tick(), scenarioLevel), level);   // the merger goal waits for its event
    // Net assets count held shares: 200000 shares at 1000 yen are worth 20000.
    p.funds = p.property = 0, companies[3].sharePrice = 1000, p.holdings[3] = 200000, scenarioLevel = 1;
    EXPECT_EQ((Tick(), scenarioLevel), 2);
}
