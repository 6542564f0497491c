// One market day for the whole exchange, through AdvanceMarketDay.
#include <climits>

#include "market/market_day.h"
#include "tests/test_support.h"

using V = std::vector<int64_t>;

class MarketDay : public WorldTest {
protected:
    void SetUp() override { WorldTest::SetUp(), StartGame(2024); }
    // Makes company i certain to fall to 0 today, whatever its draw.
    static void DoomCompany(int i) { companies[i].sharePrice = 5; sellImpactDelta = 100; sellImpactCompany = i; }
};

// Each state is left by its first draw, else by its second (1 in 10 each, 1 in 500 from ordinary
// trading); a draw that would hit with one more in the modulus must not.
TEST_F(MarketDay, StatesAreLeftByTheirOwnDraws) {
    const auto hit = [](int n) -> DrawTest { return [n](int32_t d) { return d % n == 1 && d % (n + 1) != 1; }; };
    const auto miss = [](int n) -> DrawTest { return [n](int32_t d) { return d % n != 1 && d % (n + 1) == 1; }; };
    const struct { int state, n, first, second; } rows[] = {
        {1, 500, 2, 5}, {2, 10, 6, 1}, {3, 10, 7, 1}, {4, 10, 9, 1}, {5, 10, 3, 1}, {6, 10, 4, 1}, {7, 10, 8, 1}};
    for (const auto& r : rows)
        for (int k = 0; k < 3; ++k) {   // the first draw hits, the second hits, neither
            companies[0].trendState = r.state;
            ArrangeDraws(k == 0 ? std::vector<DrawTest>{hit(r.n)}
                                : std::vector<DrawTest>{miss(r.n), k == 1 ? hit(r.n) : miss(r.n)});
            AdvanceMarketDay();
            EXPECT_EQ(companies[0].trendState, k == 0 ? r.first : k == 1 ? r.second : r.state) << r.state << " " << k;
        }
}

// Each state draws its move over its own entry of the range table (entry 0, here 21: -10..+11); 8 and 9 last
// one day and return to 1 without a draw. Every change of state raises the company's news.
TEST_F(MarketDay, EachStateDrawsFromItsOwnRange) {
    const DrawTest calm = Mod(500, 0), stay = Mod(10, 0), hit = Mod(10, 1), up = Mod(1000, 500);
    const struct { int state; std::vector<DrawTest> draws; int entry, delta, after; } rows[] = {
        {1, {calm, calm, Mod(22, 0)}, 0, -10, 1}, {1, {calm, calm, Mod(22, 21)}, 0, 11, 1}, {2, {stay, stay, up}, 1, 500, 2},
        {3, {stay, stay, up}, 5, 500, 3}, {4, {stay, stay, up}, 3, 500, 4}, {5, {stay, stay, up}, 2, -500, 5},
        {6, {stay, stay, up}, 6, -500, 6}, {7, {stay, stay, up}, 3, -500, 7}, {7, {hit, up}, 7, 500, 8},
        {4, {hit, up}, 7, -500, 9}, {8, {Mod(22, 0)}, 0, -10, 1}, {9, {Mod(22, 21)}, 0, 11, 1}};
    ListedCompany& c = companies[0];
    for (const auto& r : rows) {
        for (int32_t& n : c.trendRange) n = 0;   // any other entry draws 0
        c.trendRange[r.entry] = r.entry == 0 ? 21 : 1000; c.trendState = r.state; c.sharePrice = 100000; newsPending[0] = 0;
        ArrangeDraws(r.draws), AdvanceMarketDay();
        EXPECT_EQ(V({c.trendState, c.priceDelta, newsPending[0]}), V({r.after, r.delta, r.after != r.state})) << &r - rows;
    }
}

TEST_F(MarketDay, BankruptcyRefillsTheSlotAndStopsTheDay) {
    companies[0].holdings[1] = 5000; companies[0].avgBuyPrice[1] = 900;
    companies[3].holdings[1] = 777;   // another CEO's holding survives
    tobTarget = tobHostile = 1;
    const ListedCompany old = companies[1];
    const int slot = historyIndex;
    companies[2].priceDeltaHistory[slot] = 123456;
    DoomCompany(1), AdvanceMarketDay();
    const ListedCompany& c = companies[1];
    EXPECT_TRUE(std::string(c.name) == Sjis("新日本石油2") && c.name == companyNamePool[31] && c.ceoName == old.ceoName);
    EXPECT_EQ(V({c.refoundCount, c.bankrupt, lastRefoundedCompany, c.ceoAssets}), V({2, 0, 1, old.ceoAssets}));
    EXPECT_EQ(V({companies[0].holdings[1], companies[0].avgBuyPrice[1], companies[3].holdings[1], tobTarget, tobHostile}), V({0, 0, 777, 0, 0}));
    // Companies after the bankrupt one did not move; the ring still advances.
    EXPECT_EQ(V({companies[2].priceDeltaHistory[slot], historyIndex}), V({123456, slot + 1}));
    // The name pool runs from entry 30 to 199 and wraps: 175 refillings after the one above end on entry 31 + 175 - 170.
    for (int k = 0; k < 175; ++k) {
        DoomCompany(1 + k % 29), AdvanceMarketDay();
        ASSERT_TRUE(namePoolNext >= 30 && namePoolNext < 200) << namePoolNext;
    }
    EXPECT_EQ(namePoolNext, 36);
    EXPECT_TRUE(c.name == companyNamePool[36] && std::string(c.name) == Sjis("新日本石油9"));   // counts on per slot
    // The player's own slot refills under the placeholder, announcing nothing.
    DoomCompany(0), sellImpactDelta = 5, lastRefoundedCompany = 7, AdvanceMarketDay();
    EXPECT_EQ(std::string(companies[0].name), " 2");
    EXPECT_EQ(V({companies[0].bankrupt, companies[0].holdings[0], lastRefoundedCompany}), V({0, 0, 0}));
    // A refilled company's figures: one draw each for price, cash, debt, profit, issue and float divisor.
    uint32_t s = GameRandState();
    V d;
    for (int k = 0; k < 6; ++k) d.push_back(NextDraw(s));
    companies[2].bankrupt = 1, RefoundCompany(2);
    const ListedCompany& r = companies[2];
    const int64_t I = 5000000 + d[4], F = I / (d[5] % 4 + 1);
    EXPECT_EQ(V({r.sharePrice, r.funds, r.debt, r.loans[2], r.profit, r.issuedShares, r.floatingShares, r.holdings[2]}),
              V({100 + d[0], 1000 + d[1], d[2], d[2], d[3], I, F, I - F}));
}

TEST_F(MarketDay, GoalStagesMoveOnlyOnTheirCompanysRefilling) {
    struct Row { int stage, doomed, after; };
    for (Row r : {Row{10, 16, 10}, Row{10, 17, 11}, Row{10, 27, 10}, Row{40, 27, 41}, Row{40, 17, 40}, Row{11, 17, 11}}) {
        goalStage = r.stage, DoomCompany(r.doomed), AdvanceMarketDay();
        EXPECT_EQ(goalStage, r.after) << r.stage << " " << r.doomed;
    }
}

TEST_F(MarketDay, PriceFloorAndBankruptcyWithoutOne) {
    ListedCompany& c = companies[6];
    // A healthy company below the random threshold f (5..9) rises by exactly f.
    for (int day = 0; day < 200; ++day) {
        c.sharePrice = 2, c.profit = 1000, AdvanceMarketDay();
        ASSERT_TRUE(c.priceDelta >= 5 && c.priceDelta <= 9 && c.sharePrice == 2 + c.priceDelta) << c.priceDelta;
    }
    // Losing money and owing more than it holds in cash: the debt doubles.
    c.sharePrice = c.trendState = 1; c.profit = -1000; c.funds = 10; c.property = 1000000; c.debt = 500;
    AdvanceMarketDay();
    EXPECT_EQ(c.debt, 1000);
    // No profit and no net worth: no floor, and a fall to zero replaces it.
    int bankruptcies = 0;
    for (int day = 0; day < 200 && bankruptcies == 0; ++day) {
        ListedCompany& d = companies[29];
        d.sharePrice = 1; d.profit = -1; d.funds = d.property = 0; d.debt = 100; lastRefoundedCompany = 0;
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
                        {0, 100, 0, 0, 1000, 5, 500},              // both set: the election wins
                        {0, 5000000, 0, 0, 1000, 0, INT32_MAX}};   // saturates instead of wrapping
    for (const Row& r : rows) {
        SCOPED_TRACE(r.price);
        ListedCompany& c = companies[r.i];
        c.sharePrice = r.price;
        if (r.i == 0) c.floatingShares = 3900000;   // a float the rise would sell from, were shares to follow it
        const int64_t issued = c.issuedShares, floating = c.floatingShares;
        buyImpactDelta = r.buy; sellImpactDelta = r.sell; buyImpactCompany = sellImpactCompany = r.i;
        warPriceMultiplier = r.war; electionPriceMultiplier = r.election;
        AdvanceMarketDay();
        EXPECT_EQ(V({c.sharePrice, c.priceDelta, buyImpactDelta, sellImpactDelta, warPriceMultiplier,
                     electionPriceMultiplier}),
                  V({r.after, r.after - r.price, 0, 0, 0, 0}));
        // A multiplied price moves no shares.
        EXPECT_TRUE(r.i != 0 || (c.issuedShares == issued && c.floatingShares == floating && c.ceoAssets > 0));
    }
}

TEST_F(MarketDay, SharesFollowThePrice) {
    // r = delta / (2 p): a float left sells r x I; a used-up one makes the company issue r x I, paid for,
    // or, falling, pay for buying back -r x I, from its cash while that lasts, else through the automatic lender.
    ListedCompany& c = companies[9];
    const struct { bool usedUp; int delta; bool broke; } rows[] = {{false, 100, false}, {true, 100, false}, {true, -100, false}, {true, -100, true}};
    for (const auto& row : rows) {
        StartGame(2024);
        c.trendState = 1; c.sharePrice = 900; c.profit = 1000000;
        if (row.usedUp) c.holdings[9] = c.issuedShares, c.floatingShares = 0;
        if (row.broke) c.funds = 0;
        const int64_t F = c.floatingShares, I = c.issuedShares, funds = c.funds, lender = c.loans[2], debt = c.debt;
        ASSERT_TRUE(row.usedUp || F < I - c.holdings[9]);
        (row.delta > 0 ? buyImpactDelta : sellImpactDelta) = 100, (row.delta > 0 ? buyImpactCompany : sellImpactCompany) = 9;
        AdvanceMarketDay();
        // r = delta / (2 p), with p the price after the impact, is kept in single precision, as F and I are.
        const double fI = static_cast<float>(I), r = static_cast<float>(row.delta / (2.0 * (900 + row.delta)));
        const int64_t moved = static_cast<int64_t>(static_cast<float>(fI + r * fI)), paid = moved / 1000 * row.delta / 20;
        const int64_t sold = static_cast<int64_t>(static_cast<float>(static_cast<double>(static_cast<float>(F)) - r * fI));
        // Falling, the issue cannot shrink below what is held: here the company holds all of it.
        EXPECT_EQ(V({c.issuedShares, c.floatingShares}), row.usedUp ? V({row.delta > 0 ? moved : I, 0}) : V({I, sold}));
        const int64_t cash = row.usedUp && !row.broke ? paid : 0, credit = row.broke ? -paid : 0;
        EXPECT_EQ(V({c.funds, c.loans[2], c.debt}), V({funds + cash + c.profit / 1000, lender + credit, debt + credit}));
    }
    // Halved, company 3's opening float above issued minus its own stake: the issue stays, the float is cut.
    StartGame(2024);
    ListedCompany& d = companies[3];
    d.trendState = 1; d.sharePrice = 1000; sellImpactDelta = 500; sellImpactCompany = 3;
    const int64_t issued = d.issuedShares;
    ASSERT_GT(d.floatingShares, issued - d.holdings[3]);
    AdvanceMarketDay();
    EXPECT_EQ(V({d.sharePrice, d.issuedShares, d.floatingShares}), V({500, issued, issued - d.holdings[3]}));
}

TEST_F(MarketDay, CapsPenaltiesAndTheAutomaticLender) {
    ListedCompany &c = companies[4], &e = companies[6], &g = companies[9];
    c.issuedShares = c.holdings[4] = c.funds = MAX_AMOUNT; c.floatingShares = c.debt = 0; c.property = 10;
    buyImpactDelta = 1000; buyImpactCompany = 4;
    companies[5].loans[2] = -1;   // replaced by a random huge debt
    companies[0].funds = -500; companies[0].loans[2] = 0;   // moves onto the automatic lender, the debt stays
    e.funds = MAX_AMOUNT - 10; e.debt = 0; e.property = 10; e.sharePrice = 100000; e.trendState = 1;   // worth at the cap
    // Stakes filling the issue leave a negative float alone, which is then rebuilt as half the issue.
    for (int32_t& n : g.trendRange) n = 0;   // no move today
    g.trendState = 1; g.sharePrice = 1000; g.issuedShares = 1000000; g.holdings[9] = 600000; g.floatingShares = -1;
    companies[0].holdings[9] = 400000;
    const int64_t debt = companies[0].debt;
    AdvanceMarketDay();
    EXPECT_LE(c.issuedShares, MAX_AMOUNT);
    EXPECT_EQ(V({c.property, e.property, g.issuedShares, g.floatingShares}), V({15000, 10, 1000000, 500000}));
    EXPECT_TRUE(companies[5].debt >= DEBT_PENALTY_BASE && companies[5].loans[2] >= DEBT_PENALTY_BASE) << companies[5].debt;
    EXPECT_EQ(V({companies[0].loans[2], companies[0].debt, companies[0].funds}), V({500, debt, 0}));
}

TEST_F(MarketDay, PlayerBankruptcyAndArrest) {
    // A negative debt becomes a huge one the same day.
    struct Row { int64_t debt; int32_t chance, arrested; bool bankrupt; int32_t arrestedAfter, chanceAfter, months; };
    const Row rows[] = {{PLAYER_BANKRUPT_DEBT, 999, 0, false, 0, 999, 10}, {PLAYER_BANKRUPT_DEBT + 1, 1000, 0, true, 1, 0, 5},
                        {-1, 1000, 1, true, 1, 1000, 10}};
    const ListedCompany& p = companies[0];
    for (const Row& r : rows) {
        SCOPED_TRACE(r.debt);
        StartGame(2024);
        companies[0].debt = r.debt; companies[0].holdings[3] = 100; prosecutionChance = r.chance; arrestState = r.arrested;
        companies[0].trendState = 8;   // returns to 1 without a draw: change, floor, then the penalty's draw of 0
        ArrangeDraws({Any(), Any(), Mod(32768, 0)}), AdvanceMarketDay();
        EXPECT_EQ(V({p.bankrupt, arrestState, prosecutionChance, monthsToTrial, p.holdings[3], p.debt}),
                  V({r.bankrupt, r.arrestedAfter, r.chanceAfter, r.months, 100, r.debt < 0 ? DEBT_PENALTY_BASE : r.debt}));
        EXPECT_EQ(std::string(p.name), r.bankrupt ? Sjis("---破産---") : " ");
        EXPECT_TRUE(!r.bankrupt || (p.funds == 0 && p.issuedShares == 0 && p.sharePrice == 0));
    }
    // Later days skip the record; only its personal assets are recomputed.
    const int32_t history = p.priceDeltaHistory[historyIndex];
    companies[0].funds = -20;   // applied to company 0, then the loop moves on
    companies[1].funds = -30;   // ... so company 1's overdraft waits a day
    const int64_t loan0 = p.loans[2], loan1 = companies[1].loans[2];
    AdvanceMarketDay();
    EXPECT_EQ(V({p.priceDeltaHistory[historyIndex - 1], p.ceoAssets, p.loans[2], companies[1].loans[2]}), V({history, 0, loan0 + 20, loan1}));
}

TEST_F(MarketDay, HistoryRingWrapsAfterItsLastEntry) {
    for (int day = 0; day < 499; ++day) AdvanceMarketDay();
    EXPECT_EQ(historyIndex, 499);
    AdvanceMarketDay();
    EXPECT_EQ(V({historyIndex, companies[0].priceDeltaHistory[499]}), V({0, companies[0].priceDelta}));
    EXPECT_EQ(companies[0].ceoAssets, companies[0].holdings[0] / 10000 * companies[0].sharePrice);
}
