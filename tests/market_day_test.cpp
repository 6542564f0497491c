// One market day for the whole exchange, through AdvanceMarketDay.
#include <climits>
#include <set>

#include "market/market_day.h"
#include "tests/test_support.h"

class MarketDay : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartGame(2024);
    }
    // Makes company i certain to fall to 0 today, whatever its draw.
    static void DoomCompany(int i) {
        companies[i].sharePrice = 5;
        sellImpactDelta = 100;
        sellImpactCompany = i;
    }
};

TEST_F(MarketDay, OrdinaryRangeAndNewsEpisodesFollowTheirTables) {
    // Allowed successor states; every change raises newsPending.
    const std::set<std::pair<int, int>> allowed = {{1, 2}, {1, 5}, {2, 6}, {2, 1}, {3, 7}, {3, 1}, {4, 9}, {4, 1},
                                                   {5, 3}, {5, 1}, {6, 4}, {6, 1}, {7, 8}, {7, 1}, {8, 1}, {9, 1}};
    std::set<int> statesSeen, seen1, seen0;
    int changes = 0;
    for (int day = 0; day < 20000; ++day) {
        int before[COMPANY_COUNT];
        for (int i = 0; i < COMPANY_COUNT; ++i) before[i] = companies[i].trendState;
        if (day < 4000) companies[0].sharePrice = companies[1].sharePrice = 100000;
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
                ASSERT_TRUE(after != 8 && after != 9) << "states 8 and 9 last one day";
            }
        }
        // Ordinary trading: company 1 (range 20) moves -10..+10, the player (21) -10..+11.
        if (day < 4000 && companies[1].trendState == 1 && before[1] == 1) seen1.insert(companies[1].priceDelta);
        if (day < 4000 && companies[0].trendState == 1 && before[0] == 1) seen0.insert(companies[0].priceDelta);
    }
    EXPECT_GT(changes, 100);
    EXPECT_EQ(statesSeen.size(), 9u);
    EXPECT_EQ(seen1.size(), 21u);
    EXPECT_EQ(*seen1.begin(), -10);
    EXPECT_EQ(*seen1.rbegin(), 10);
    EXPECT_EQ(*seen0.begin(), -10);
    EXPECT_EQ(*seen0.rbegin(), 11);
}

TEST_F(MarketDay, BankruptcyRefillsTheSlotAndStopsTheDay) {
    companies[0].holdings[1] = 5000;
    companies[0].avgBuyPrice[1] = 900;
    companies[3].holdings[1] = 777;   // another CEO's holding survives
    tobTarget = 1;
    tobHostile = 1;
    const int64_t oldAssets = companies[1].ceoAssets;
    const TextRef oldCeo = companies[1].ceoName;
    const int slot = historyIndex;
    companies[2].priceDeltaHistory[slot] = 123456;
    DoomCompany(1);
    AdvanceMarketDay();
    const ListedCompany& c = companies[1];
    EXPECT_EQ(std::string(c.name), Sjis("新日本石油2"));
    EXPECT_EQ(c.name, companyNamePool[31]);
    EXPECT_EQ(c.refoundCount, 2);
    EXPECT_EQ(c.bankrupt, 0);
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
    // Companies after the bankrupt one did not move; the ring still advances.
    EXPECT_EQ(companies[2].priceDeltaHistory[slot], 123456);
    EXPECT_EQ(historyIndex, slot + 1);

    // The name pool runs from entry 30 to 199 and wraps: 175 refillings
    // after the one above end on entry 30 + 176 - 170.
    for (int k = 0; k < 175; ++k) {
        DoomCompany(1 + k % 29);
        AdvanceMarketDay();
        ASSERT_GE(namePoolNext, 30);
        ASSERT_LT(namePoolNext, 200);
    }
    EXPECT_EQ(namePoolNext, 36);
    EXPECT_STREQ(companies[1 + 174 % 29].name, companyNamePool[36]);
    EXPECT_EQ(std::string(companies[1].name), Sjis("新日本石油9"));   // counts on per slot

    // The player's own slot refills under the placeholder, announcing nothing.
    DoomCompany(0);
    sellImpactDelta = 5;
    lastRefoundedCompany = 7;
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].bankrupt, 0);
    EXPECT_EQ(std::string(companies[0].name), " 2");
    EXPECT_EQ(companies[0].holdings[0], 0);
    EXPECT_EQ(lastRefoundedCompany, 0);
}

TEST_F(MarketDay, GoalStagesMoveOnlyOnTheirCompanysRefilling) {
    struct Row { int stage, doomed, after; };
    for (Row r : {Row{10, 16, 10}, Row{10, 17, 11}, Row{10, 27, 10}, Row{40, 27, 41}, Row{40, 17, 40}, Row{11, 17, 11}}) {
        goalStage = r.stage;
        DoomCompany(r.doomed);
        AdvanceMarketDay();
        EXPECT_EQ(goalStage, r.after) << r.stage << " " << r.doomed;
    }
}

TEST_F(MarketDay, PriceFloorAndBankruptcyWithoutOne) {
    // A healthy company below the random threshold f (5..9) rises by exactly f.
    for (int day = 0; day < 200; ++day) {
        companies[6].sharePrice = 2;
        companies[6].profit = 1000;
        AdvanceMarketDay();
        ASSERT_GE(companies[6].priceDelta, 5);
        ASSERT_LE(companies[6].priceDelta, 9);
        ASSERT_EQ(companies[6].sharePrice, 2 + companies[6].priceDelta);
    }
    // Losing money and owing more than it holds in cash: the debt doubles.
    ListedCompany& c = companies[6];
    c.sharePrice = 1;
    c.profit = -1000;
    c.funds = 10;
    c.property = 1000000;
    c.debt = 500;
    c.trendState = 1;
    AdvanceMarketDay();
    EXPECT_EQ(c.debt, 1000);
    // No profit and no net worth: no floor, and a fall to zero replaces it.
    int bankruptcies = 0;
    for (int day = 0; day < 200 && bankruptcies == 0; ++day) {
        companies[29].sharePrice = 1;
        companies[29].profit = -1;
        companies[29].funds = companies[29].property = 0;
        companies[29].debt = 100;
        lastRefoundedCompany = 0;
        AdvanceMarketDay();
        bankruptcies += lastRefoundedCompany == 29;
    }
    EXPECT_EQ(bankruptcies, 1);
    EXPECT_EQ(std::string(companies[29].name), Sjis("イチヤ2"));
}

TEST_F(MarketDay, PlayerEffectsOverrideTheDrawOnce) {
    // {company, price, buy impact, sell impact, war, election, price after}
    struct Row { int i; int32_t price, buy, sell, war, election, after; };
    const Row rows[] = {{8, 1000, 37, 0, 0, 0, 1037}, {8, 1000, 0, 50, 0, 0, 950}, {0, 300, 0, 0, 1000, 0, 300000},
                        {0, 100, 0, 0, 1000, 5, 500},   // both set: the election wins
                        {0, 5000000, 0, 0, 1000, 0, INT32_MAX}};   // saturates instead of wrapping
    for (const Row& r : rows) {
        SCOPED_TRACE(r.price);
        ListedCompany& c = companies[r.i];
        c.sharePrice = r.price;
        const int64_t issued = c.issuedShares, floating = c.floatingShares;
        buyImpactDelta = r.buy;
        sellImpactDelta = r.sell;
        buyImpactCompany = sellImpactCompany = r.i;
        warPriceMultiplier = r.war;
        electionPriceMultiplier = r.election;
        AdvanceMarketDay();
        EXPECT_EQ(c.sharePrice, r.after);
        EXPECT_EQ(c.priceDelta, r.after - r.price);
        EXPECT_EQ(buyImpactDelta + sellImpactDelta + warPriceMultiplier + electionPriceMultiplier, 0);
        if (r.i == 0) {   // a multiplied price moves no shares
            EXPECT_EQ(c.issuedShares, issued);
            EXPECT_EQ(c.floatingShares, floating);
            EXPECT_GT(c.ceoAssets, 0);
        }
    }
}

TEST_F(MarketDay, SharesFollowTheRise) {
    // r = 100 / (2 x 1000): a float left sells off by r x I; a float used up
    // makes a computer company issue r x I new shares and be paid for them.
    for (bool usedUp : {false, true}) {
        ListedCompany& c = companies[9];
        c.trendState = 1;
        c.sharePrice = 900;
        c.profit = 1000000;
        if (usedUp) {
            c.floatingShares = 0;
            c.holdings[9] = c.issuedShares;
        }
        const int64_t F = c.floatingShares, I = c.issuedShares, funds = c.funds;
        ASSERT_TRUE(usedUp || F < I - c.holdings[9]);
        buyImpactDelta = 100;
        buyImpactCompany = 9;
        AdvanceMarketDay();
        const float fI = static_cast<float>(I);
        const int64_t grown = static_cast<int64_t>(static_cast<float>(static_cast<double>(fI) * (1 + 0.05)));
        const int64_t sold = static_cast<int64_t>(static_cast<float>(static_cast<double>(static_cast<float>(F)) - 0.05 * fI));
        EXPECT_EQ(c.issuedShares, usedUp ? grown : I);
        EXPECT_EQ(c.floatingShares, usedUp ? 0 : sold);
        EXPECT_EQ(c.funds, funds + (usedUp ? grown / 1000 * 100 / 20 : 0) + c.profit / 1000);
    }
}

TEST_F(MarketDay, CapsPenaltiesAndTheAutomaticLender) {
    ListedCompany& c = companies[4];
    c.issuedShares = c.holdings[4] = c.funds = MAX_AMOUNT;
    c.floatingShares = 0;
    c.property = 10;
    c.debt = 0;
    buyImpactDelta = 1000;
    buyImpactCompany = 4;
    // A negative automatic loan is replaced by a random huge debt.
    companies[5].loans[2] = -1;
    // Negative cash moves onto the automatic lender, the debt stays.
    companies[0].funds = -500;
    companies[0].loans[2] = 0;
    const int64_t debt = companies[0].debt;
    AdvanceMarketDay();
    EXPECT_LE(c.issuedShares, MAX_AMOUNT);
    EXPECT_EQ(c.property, 15000);   // net worth above the cap
    EXPECT_GE(companies[5].debt, DEBT_PENALTY_BASE);
    EXPECT_LE(companies[5].debt, DEBT_PENALTY_BASE + 32767);
    EXPECT_GE(companies[5].loans[2], DEBT_PENALTY_BASE);
    EXPECT_EQ(companies[0].loans[2], 500);
    EXPECT_EQ(companies[0].debt, debt);
    EXPECT_EQ(companies[0].funds, 0);
}

TEST_F(MarketDay, PlayerBankruptcyAndArrest) {
    // {debt, prosecution chance, already arrested} -> bankrupt, arrested, chance after, months to trial
    struct Row { int64_t debt; int32_t chance, arrested; bool bankrupt; int32_t arrestedAfter, chanceAfter, months; };
    const Row rows[] = {{PLAYER_BANKRUPT_DEBT, 999, 0, false, 0, 999, 10}, {PLAYER_BANKRUPT_DEBT + 1, 1000, 0, true, 1, 0, 5},
                        {-1, 1000, 1, true, 1, 1000, 10}};   // a negative debt becomes a huge one the same day
    for (const Row& r : rows) {
        SCOPED_TRACE(r.debt);
        StartGame(2024);
        companies[0].debt = r.debt;
        companies[0].holdings[3] = 100;
        prosecutionChance = r.chance;
        arrestState = r.arrested;
        AdvanceMarketDay();
        const ListedCompany& p = companies[0];
        EXPECT_EQ(p.bankrupt, r.bankrupt);
        EXPECT_EQ(arrestState, r.arrestedAfter);
        EXPECT_EQ(prosecutionChance, r.chanceAfter);
        EXPECT_EQ(monthsToTrial, r.months);
        EXPECT_EQ(p.holdings[3], 100);
        if (!r.bankrupt) continue;
        EXPECT_EQ(std::string(p.name), Sjis("---破産---"));
        EXPECT_EQ(p.funds, 0);
        EXPECT_EQ(p.issuedShares, 0);
        EXPECT_EQ(p.sharePrice, 0);
        EXPECT_EQ(p.debt, r.debt > 0 ? r.debt : p.debt);
    }
    // Later days skip the record; only its personal assets are recomputed.
    const int32_t history = companies[0].priceDeltaHistory[historyIndex];
    companies[0].funds = -20;   // applied to company 0, then the loop moves on
    companies[1].funds = -30;   // ... so company 1's overdraft waits a day
    const int64_t loan0 = companies[0].loans[2], loan1 = companies[1].loans[2];
    AdvanceMarketDay();
    EXPECT_EQ(companies[0].priceDeltaHistory[historyIndex - 1], history);
    EXPECT_EQ(companies[0].ceoAssets, 0);
    EXPECT_EQ(companies[0].loans[2], loan0 + 20);
    EXPECT_EQ(companies[1].loans[2], loan1);
}

TEST_F(MarketDay, HistoryRingOpeningFloatAndInvariants) {
    AdvanceMarketDay();
    // The opening float of the companies with divisors below 4/3 is cut.
    for (int i : {3, 10, 12, 20, 23})
        EXPECT_LE(companies[i].floatingShares, companies[i].issuedShares - companies[i].holdings[i]) << i;
    EXPECT_EQ(CheckWorldInvariants(), "");
    for (int day = 1; day < 499; ++day) AdvanceMarketDay();
    EXPECT_EQ(historyIndex, 499);
    AdvanceMarketDay();
    EXPECT_EQ(historyIndex, 0);
    EXPECT_EQ(companies[0].priceDeltaHistory[499], companies[0].priceDelta);
    EXPECT_EQ(companies[0].ceoAssets, companies[0].holdings[0] / 10000 * companies[0].sharePrice);
}
