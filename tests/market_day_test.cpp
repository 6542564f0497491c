#include <climits>
#include <set>

#include "market/market_day.h"
#include "tests/test_support.h"
#include "world/game_texts.h"

class MarketDay : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartGame(2024);
    }
    // Makes company i certain to fall to 0 today, whatever its draw.
    void DoomCompany(int i) {
        companies[i].sharePrice = 5;
        sellImpactDelta = 100;
        sellImpactCompany = i;
    }
};

TEST_F(MarketDay, OrdinaryTradingRange) {
    // In news state 1 company 1 (range 20) moves by -10..+10, the player's
    // company (range 21) by -10..+11; both prices stay far above the floor.
    std::set<int> seen1, seen0;
    for (int day = 0; day < 4000; ++day) {
        for (int i : {0, 1}) {
            companies[i].trendState = 1;
            companies[i].sharePrice = 100000;
        }
        AdvanceMarketDay();
        if (companies[1].trendState == 1) seen1.insert(companies[1].priceDelta);
        if (companies[0].trendState == 1) seen0.insert(companies[0].priceDelta);
    }
    EXPECT_EQ(*seen1.begin(), -10);
    EXPECT_EQ(*seen1.rbegin(), 10);
    EXPECT_EQ(seen1.size(), 21u);
    EXPECT_EQ(*seen0.begin(), -10);
    EXPECT_EQ(*seen0.rbegin(), 11);
}

TEST_F(MarketDay, NewsEpisodesFollowTheTransitionTable) {
    // Allowed successor states; every change raises newsPending.
    const std::set<std::pair<int, int>> allowed = {
        {1, 2}, {1, 5}, {2, 6}, {2, 1}, {3, 7}, {3, 1}, {4, 9}, {4, 1}, {5, 3},
        {5, 1}, {6, 4}, {6, 1}, {7, 8}, {7, 1}, {8, 1}, {9, 1},
    };
    int changes = 0;
    std::set<int> statesSeen;
    for (int day = 0; day < 20000; ++day) {
        int before[COMPANY_COUNT];
        for (int i = 0; i < COMPANY_COUNT; ++i) before[i] = companies[i].trendState;
        for (auto& n : newsPending) n = 0;
        lastRefoundedCompany = 0;
        AdvanceMarketDay();
        for (int i = 0; i < COMPANY_COUNT; ++i) {
            int after = companies[i].trendState;
            statesSeen.insert(after);
            if (after != before[i]) {
                ++changes;
                ASSERT_TRUE(allowed.count({before[i], after})) << before[i] << "->" << after;
                ASSERT_EQ(newsPending[i], 1);
            } else if (lastRefoundedCompany == 0) {
                ASSERT_EQ(newsPending[i], 0);
                ASSERT_NE(after, 8) << "state 8 lasts one day";
                ASSERT_NE(after, 9) << "state 9 lasts one day";
            }
        }
    }
    EXPECT_GT(changes, 100);
    EXPECT_EQ(statesSeen.size(), 9u);
}

TEST_F(MarketDay, BankruptcyRefillsTheSlotAndStopsTheDay) {
    companies[0].holdings[1] = 5000;
    companies[0].avgBuyPrice[1] = 900;
    companies[3].holdings[1] = 777;   // another CEO's holding survives
    tobTarget = 1;
    tobHostile = 1;
    int64_t oldAssets = companies[1].ceoAssets;
    TextRef oldCeo = companies[1].ceoName;
    const int slot = historyIndex;
    companies[2].priceDeltaHistory[slot] = 123456;
    DoomCompany(1);
    AdvanceMarketDay();
    const ListedCompany& c = companies[1];
    EXPECT_EQ(std::string(c.name), Sjis("新日本石油2"));
    EXPECT_EQ(c.refoundCount, 2);
    EXPECT_EQ(c.bankrupt, 0);
    EXPECT_EQ(namePoolNext, 31);
    EXPECT_EQ(c.name, companyNamePool[31]);
    EXPECT_EQ(lastRefoundedCompany, 1);
    EXPECT_GE(c.sharePrice, 100);
    EXPECT_LE(c.sharePrice, 100 + 32767);
    EXPECT_EQ(c.loans[2], c.debt);
    EXPECT_EQ(c.holdings[1], c.issuedShares - c.floatingShares);
    EXPECT_EQ(companies[0].holdings[1], 0);
    EXPECT_EQ(companies[0].avgBuyPrice[1], 0);
    EXPECT_EQ(companies[3].holdings[1], 777);
    EXPECT_EQ(c.ceoAssets, oldAssets);
    EXPECT_EQ(c.ceoName, oldCeo);
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(tobHostile, 0);
    // Companies after the bankrupt one did not move: no history written.
    EXPECT_EQ(companies[2].priceDeltaHistory[slot], 123456);
    EXPECT_EQ(historyIndex, slot + 1);
    // The next bankruptcy of the same slot counts on.
    DoomCompany(1);
    AdvanceMarketDay();
    EXPECT_EQ(std::string(companies[1].name), Sjis("新日本石油3"));
}

TEST_F(MarketDay, NamePoolWrapsAndKeepsRecentNames) {
    for (int k = 0; k < 175; ++k) {
        DoomCompany(1 + k % 29);
        AdvanceMarketDay();
        ASSERT_GE(namePoolNext, 30);
        ASSERT_LT(namePoolNext, 200);
    }
    // 175 refillings: entries 31..199 then 30, 31, ... were used.
    EXPECT_EQ(namePoolNext, 30 + (175 - 170));
    EXPECT_STREQ(companies[1 + 174 % 29].name, companyNamePool[namePoolNext]);
}

TEST_F(MarketDay, GoalStagesMoveOnTheRightReplacement) {
    goalStage = 10;
    DoomCompany(16);
    AdvanceMarketDay();
    EXPECT_EQ(goalStage, 10);
    DoomCompany(17);
    AdvanceMarketDay();
    EXPECT_EQ(goalStage, 11);
    goalStage = 40;
    DoomCompany(27);
    AdvanceMarketDay();
    EXPECT_EQ(goalStage, 41);
}

TEST_F(MarketDay, PriceFloorOfHealthyCompanies) {
    // A healthy company below the random threshold f rises by exactly f.
    for (int day = 0; day < 200; ++day) {
        companies[6].sharePrice = 2;
        companies[6].profit = 1000;
        AdvanceMarketDay();
        ASSERT_GE(companies[6].priceDelta, 5);
        ASSERT_LE(companies[6].priceDelta, 9);
        ASSERT_EQ(companies[6].sharePrice, 2 + companies[6].priceDelta);
    }
    // Losing money and owing more than it holds: the debt doubles.
    companies[6].sharePrice = 1;
    companies[6].profit = -1000;
    companies[6].funds = 10;
    companies[6].property = 1000000;
    companies[6].debt = 500;
    companies[6].trendState = 1;
    AdvanceMarketDay();
    EXPECT_EQ(companies[6].debt, 1000);
}

TEST_F(MarketDay, CompanyWithoutFloorGoesBankrupt) {
    // No profit and no net worth: no floor, and a fall to zero replaces it.
    ListedCompany& c = companies[29];
    c.profit = -1;
    c.funds = 0;
    c.property = 0;
    c.debt = 100;
    int bankruptcies = 0;
    for (int day = 0; day < 200 && bankruptcies == 0; ++day) {
        c.sharePrice = 1;
        c.profit = -1;
        c.funds = 0;
        c.property = 0;
        c.debt = 100;
        lastRefoundedCompany = 0;
        AdvanceMarketDay();
        if (lastRefoundedCompany == 29) ++bankruptcies;
    }
    EXPECT_EQ(bankruptcies, 1);
    EXPECT_EQ(std::string(companies[29].name), Sjis("イチヤ2"));
}

TEST_F(MarketDay, PlayerEffectsOverrideTheDraw) {
    buyImpactDelta = 37;
    buyImpactCompany = 8;
    int32_t price = companies[8].sharePrice;
    AdvanceMarketDay();
    EXPECT_EQ(companies[8].priceDelta, 37);
    EXPECT_EQ(companies[8].sharePrice, price + 37);
    EXPECT_EQ(buyImpactDelta, 0);
    // Once only.
    AdvanceMarketDay();
    EXPECT_EQ(companies[8].sharePrice - companies[8].priceDelta, price + 37);

    sellImpactDelta = 50;
    sellImpactCompany = 8;
    price = companies[8].sharePrice;
    AdvanceMarketDay();
    EXPECT_EQ(companies[8].sharePrice, price - 50);
    EXPECT_EQ(sellImpactDelta, 0);
}

TEST_F(MarketDay, WarAndElectionMultiplyThePlayersPrice) {
    int64_t issued = companies[0].issuedShares, floating = companies[0].floatingShares;
    companies[0].sharePrice = 300;
    warPriceMultiplier = 1000;
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].sharePrice, 300000);
    EXPECT_EQ(companies[0].issuedShares, issued);   // shares do not follow
    EXPECT_EQ(companies[0].floatingShares, floating);
    EXPECT_EQ(warPriceMultiplier, 0);
    // Both set: the election wins.
    companies[0].sharePrice = 100;
    warPriceMultiplier = 1000;
    electionPriceMultiplier = 5;
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].sharePrice, 500);
    EXPECT_EQ(electionPriceMultiplier, 0);
    // A product beyond the 32-bit price saturates instead of wrapping.
    companies[0].sharePrice = 5000000;
    warPriceMultiplier = 1000;
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].sharePrice, INT32_MAX);
    EXPECT_GT(companies[0].ceoAssets, 0);
}

TEST_F(MarketDay, SharesFollowThePrice) {
    // A rising company whose float is used up issues new shares and is paid.
    ListedCompany& c = companies[9];
    c.floatingShares = 0;
    c.holdings[9] = c.issuedShares;   // float at its largest: F <= I - H
    c.trendState = 1;
    c.profit = 1000000;
    buyImpactDelta = 100;
    buyImpactCompany = 9;
    c.sharePrice = 900;
    int64_t I = c.issuedShares;
    int64_t funds = c.funds;
    AdvanceMarketDay();
    // p = 1000, r = 100 / 2000; I grows by r * I in single precision.
    const double r = 100.0 / 2000.0;
    int64_t expectedI = static_cast<int64_t>(static_cast<float>(static_cast<double>(static_cast<float>(I)) * (1 + r)));
    EXPECT_EQ(c.sharePrice, 1000);
    int64_t v = (expectedI / 1000) * 100 / 20;
    EXPECT_EQ(c.funds, funds + v + c.profit / 1000);
}

TEST_F(MarketDay, FloatSellsOffWhenThePriceRises) {
    ListedCompany& c = companies[15];
    c.trendState = 1;
    c.sharePrice = 900;
    int64_t F = c.floatingShares, I = c.issuedShares;
    ASSERT_LT(F, I - c.holdings[15]);
    buyImpactDelta = 100;
    buyImpactCompany = 15;
    AdvanceMarketDay();
    const double r = 100.0 / 2000.0;
    double expected = static_cast<double>(static_cast<float>(F)) - r * static_cast<double>(static_cast<float>(I));
    EXPECT_EQ(c.floatingShares, static_cast<int64_t>(static_cast<float>(expected)));
    EXPECT_EQ(c.issuedShares, I);
}

TEST_F(MarketDay, CapsAndPenalties) {
    ListedCompany& c = companies[4];
    c.issuedShares = MAX_AMOUNT;
    c.floatingShares = 0;
    c.holdings[4] = MAX_AMOUNT;
    c.funds = MAX_AMOUNT;
    c.property = 10;
    c.debt = 0;
    buyImpactDelta = 1000;
    buyImpactCompany = 4;
    AdvanceMarketDay();
    EXPECT_LE(c.issuedShares, MAX_AMOUNT);
    EXPECT_EQ(c.property, 15000);   // net worth above the cap
    // A negative automatic loan is replaced by a random huge debt.
    ListedCompany& d = companies[5];
    d.loans[2] = -1;
    AdvanceMarketDay();
    EXPECT_GE(d.debt, DEBT_PENALTY_BASE);
    EXPECT_LE(d.debt, DEBT_PENALTY_BASE + 32767);
    EXPECT_GE(d.loans[2], DEBT_PENALTY_BASE);
}

TEST_F(MarketDay, NegativeCashMovesToTheAutomaticLender) {
    companies[0].funds = -500;
    int64_t debt = companies[0].debt;
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].loans[2], 500);
    EXPECT_EQ(companies[0].debt, debt);
    EXPECT_EQ(companies[0].funds, 0);
}

TEST_F(MarketDay, PlayerBankruptcyAndAfter) {
    companies[0].debt = PLAYER_BANKRUPT_DEBT + 1;
    companies[0].holdings[3] = 100;
    AdvanceMarketDay();
    const ListedCompany& p = companies[0];
    EXPECT_EQ(p.bankrupt, 1);
    EXPECT_EQ(std::string(p.name), Sjis("---破産---"));
    EXPECT_EQ(p.funds, 0);
    EXPECT_EQ(p.issuedShares, 0);
    EXPECT_EQ(p.sharePrice, 0);
    EXPECT_EQ(p.holdings[3], 100);
    EXPECT_EQ(p.debt, PLAYER_BANKRUPT_DEBT + 1);
    // Later days skip the record; only its personal assets are recomputed.
    int32_t history = p.priceDeltaHistory[historyIndex];
    companies[0].funds = -20;   // applied to company 0, then the loop moves on
    companies[1].funds = -30;   // ... so company 1's overdraft waits a day
    int64_t loan1 = companies[1].loans[2];
    AdvanceMarketDay();
    EXPECT_EQ(p.priceDeltaHistory[historyIndex - 1], history);
    EXPECT_EQ(p.ceoAssets, 0);
    EXPECT_EQ(companies[0].loans[2], 20);
    EXPECT_EQ(companies[1].loans[2], loan1);
}

TEST_F(MarketDay, NegativeDebtBankruptsThePlayerTheSameDay) {
    companies[0].debt = -1;
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].bankrupt, 1);
}

TEST_F(MarketDay, PlayerRefilledBySaleOfTheWholePrice) {
    companies[0].sharePrice = 5;
    sellImpactDelta = 5;
    sellImpactCompany = 0;
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].bankrupt, 0);
    EXPECT_EQ(std::string(companies[0].name), " 2");
    EXPECT_EQ(companies[0].holdings[0], 0);
    EXPECT_EQ(lastRefoundedCompany, 0);   // nothing to announce
}

TEST_F(MarketDay, ArrestWhenProsecutionIsCertain) {
    prosecutionChance = 999;
    AdvanceMarketDay();
    EXPECT_EQ(arrestState, 0);
    prosecutionChance = 1000;
    AdvanceMarketDay();
    EXPECT_EQ(arrestState, 1);
    EXPECT_EQ(prosecutionChance, 0);
    EXPECT_EQ(monthsToTrial, 5);
}

TEST_F(MarketDay, HistoryRingAndPlayerAssets) {
    for (int day = 0; day < 499; ++day) AdvanceMarketDay();
    EXPECT_EQ(historyIndex, 499);
    AdvanceMarketDay();
    EXPECT_EQ(historyIndex, 0);
    EXPECT_EQ(companies[0].priceDeltaHistory[499], companies[0].priceDelta);
    EXPECT_EQ(companies[0].ceoAssets, companies[0].holdings[0] / 10000 * companies[0].sharePrice);
}

TEST_F(MarketDay, OpeningFloatIsCutOnTheFirstDay) {
    AdvanceMarketDay();
    for (int i : {3, 10, 12, 20, 23}) {
        EXPECT_LE(companies[i].floatingShares, companies[i].issuedShares - companies[i].holdings[i]) << i;
    }
    EXPECT_EQ(CheckWorldInvariants(), "");
}
