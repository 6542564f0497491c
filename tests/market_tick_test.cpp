// The market tick driven through RunMarketTick and OnBoardClick, one table
// per step; the draws each row needs are arranged on the game's generator.
#include <algorithm>
#include <utility>

#include "market/market_tick.h"
#include "tests/test_support.h"

namespace {
using Shows = std::vector<std::pair<std::string, std::string>>;
std::pair<std::string, std::string> Box(const char* caption, const std::string& text) { return {Sjis(caption), Sjis(text.c_str())}; }
const char* const FILLED = "約定";
const Shows kNoFunds = {Box("資金不足", "購入資金が足りません")};
std::string N(long long v) { return std::to_string(v); }
using V = std::vector<int64_t>;
}  // namespace

class MarketTick : public WorldTest {
protected:
    static constexpr int C = 5;   // the company the orders trade
    static constexpr int T = 7;   // the target of the takeover bids
    void SetUp() override {
        WorldTest::SetUp(), StartGame(2024);
        pendingOrders = PendingOrders{}, companies[0].funds = 1000000;
        for (int j = 1; j < COMPANY_COUNT; ++j) companies[0].holdings[j] = companies[0].avgBuyPrice[j] = 0;
        SetCompany(C, 1000, 10000000, 4000000, 3000000);
    }
    static void SetCompany(int i, int32_t price, int64_t issued, int64_t ceo, int64_t floating) {
        ListedCompany& c = companies[i];
        c.sharePrice = price; c.issuedShares = issued; c.holdings[i] = ceo; c.floatingShares = floating; c.trendState = 1;
    }
    // The player's stake in company c, its average price and the player's funds.
    static void SetPlayer(int c, int64_t held, int32_t avg, int64_t funds) {
        companies[0].holdings[c] = held; companies[0].avgBuyPrice[c] = avg; companies[0].funds = funds;
    }
    static V Player(int c) { return {companies[0].holdings[c], companies[0].funds, companies[0].avgBuyPrice[c]}; }
    // One tick on these draws, with a fresh record; returns the draws it made.
    int Tick(const std::vector<DrawTest>& draws) {
        headless.Clear();
        const uint32_t start = ArrangeDraws(draws);
        return RunMarketTick(WIN_BOARD), DrawsSince(start);
    }
    // The recorded boxes; all belong to the board and have only an OK button.
    Shows Shown() const {
        Shows out;
        for (const auto& m : headless.messages) {
            EXPECT_TRUE(m.owner == WIN_BOARD && m.style == MB_STYLE_OK);
            out.emplace_back(m.caption, m.text);
        }
        return out;
    }
    int FillSounds() const { return static_cast<int>(std::count(headless.sounds.begin(), headless.sounds.end(), "yakutei.wav")); }
};

TEST_F(MarketTick, ResearchEndsOnlyOnRollsOneAndTwo) {
    struct Row { int underway, residue; int32_t cost; int64_t profit, profitAfter; int underwayAfter; Shows shown; };
    std::vector<Row> rows = {
        {3, 0, 12345, 5000, 5000 + 1234, 0, {Box("研究", "研究の成果により,会社の利益が1234万円増加しました..")}},
        {8, 0, 809, -100, -100 + 80, 0, {Box("研究", "研究の成果により,会社の利益が80万円増加しました..")}},
        {3, 1, 12345, 5000, 5000, 0, {Box("失敗", "研究は失敗に終わりました.")}},
        {0, -1, 12345, 5000, 5000, 0, {}},   // no research: no draw at all
    };
    for (int residue = 2; residue < 10; ++residue) rows.push_back({3, residue, 12345, 5000, 5000, 3, {}});
    marketHalt = 1;   // no market day: the research draw is the only one
    for (const Row& r : rows) {
        SCOPED_TRACE(r.underway * 100 + r.residue);
        researchUnderway = r.underway; researchCost[std::max(r.underway - 1, 0)] = r.cost; companies[0].profit = r.profit;
        const int draws = Tick(r.residue < 0 ? std::vector<DrawTest>{} : std::vector<DrawTest>{Mod(10, r.residue)});
        EXPECT_EQ(V({draws, companies[0].profit, researchUnderway}), V({r.residue >= 0, r.profitAfter, r.underwayAfter}));
        EXPECT_EQ(Shown(), r.shown);
    }
}

TEST_F(MarketTick, TakeoverBidBuysOutsideTheFloatThenFromIt) {
    const Shows noFunds = {Box("ＴＯＢ", "資金がなくなったので,株式公開買い付けを終了します")};
    auto bought = [](long long n) { return Shows{Box("ＴＯＢ", "600円で" + N(n) + "株買い付けました.")}; };
    // The CEO holds 300000; `outside` shares are held by nobody.
    struct Row { const char* what; int64_t floating, stake, outside; int32_t avg; int64_t funds; int32_t price; int hostile, halt;
                 std::vector<DrawTest> draws; int nDraws; int64_t heldAfter, fundsAfter, floatAfter; int32_t avgAfter; bool running; Shows shown; };
    const std::vector<Row> rows = {
        {"waits seven ticks in eight", 100000, 0, 612345, 0, 100000, 600, 0, 1, {Mod(8, 3)}, 1, 0, 100000, 100000, 0, true, {}},
        {"bid at the market price", 100000, 0, 612345, 0, 100000, 500, 0, 1, {Mod(8, 0)}, 1, 0, 100000, 100000, 0, true, {}},
        // 612345 / 4 -> 153000, paid per whole 10000 shares: 15 x 600.
        {"buys", 100000, 0, 612345, 0, 100000, 600, 0, 1, {Mod(8, 0), Mod(5, 2)}, 2, 153000, 91000, 100000, 601, true, bought(153000)},
        {"funds equal to the cost", 100000, 0, 612345, 0, 9000, 600, 0, 1, {Mod(8, 0), Mod(5, 2)}, 2, 153000, 0, 100000, 601, true, bought(153000)},
        {"one short ends even a hostile bid", 100000, 0, 612345, 0, 8999, 600, 1, 1, {Mod(8, 0), Mod(5, 2)}, 2, 0, 8999, 100000, 0, false, noFunds},
        // 500 * 10000 / 163000 + 1 + 600 * 153000 / 163000 = 594.87
        {"adds to a stake", 100000, 10000, 612345, 500, 100000, 600, 0, 1, {Mod(8, 0), Mod(5, 2)}, 2, 163000, 91000, 100000, 594, true, bought(153000)},
        // Nothing outside: 100000 / 5 from the float; 550 * 600000 / 620000 + 1 + 600 * 20000 / 620000 = 552.6
        {"from the float", 100000, 600000, 0, 550, 50000, 600, 0, 1, {Mod(8, 0), Any(), Mod(5, 3)}, 3, 620000, 48800, 80000, 552, true, bought(20000)},
        {"under 100 from the float waits", 150, 600000, 0, 550, 50000, 600, 0, 1, {Mod(8, 0), Any(), Mod(5, 0)}, 3, 600000, 50000, 150, 550, true, {}},
        {"no float ends it", 0, 600000, 0, 550, 50000, 600, 1, 1, {Mod(8, 0), Any()}, 2, 600000, 50000, 0, 550, false, {Box("ＴＯＢ", "株式公開買い付けを終了します")}},
        {"float lot unaffordable", 100000, 600000, 0, 550, 1199, 600, 0, 1, {Mod(8, 0), Any(), Mod(5, 3)}, 3, 600000, 1199, 100000, 550, false, noFunds},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        SetCompany(T, 500, 300000 + r.floating + r.stake + r.outside, 300000, r.floating);
        SetPlayer(T, r.stake, r.avg, r.funds);
        tobTarget = T, tobPrice = r.price, tobHostile = r.hostile, marketHalt = r.halt;
        const int draws = Tick(r.draws);
        EXPECT_EQ(Player(T), V({r.heldAfter, r.fundsAfter, r.avgAfter}));
        EXPECT_EQ(V({draws, companies[T].floatingShares, tobTarget, tobHostile, FillSounds()}),
                  V({r.nDraws, r.floatAfter, r.running ? T : 0, r.running ? r.hostile : 0, r.heldAfter != r.stake}));
        EXPECT_EQ(Shown(), r.shown);
    }
}

TEST_F(MarketTick, OrdersFillOnTheirRollWithinTheirLimitsAndFunds) {
    auto filled = [](int limit, long long q) { return Shows{Box(FILLED, "購入価格" + N(limit) + "円で" + N(q) + "株購入できました")}; };
    auto partial = [](long long q) { return Shows{Box(FILLED, "購入価格1000円で" + N(q) + "株だけ購入できました.\n残りの注文は自動的に取り消されました.")}; };
    const Shows bought = {Box(FILLED, "平均購入価格1000円で購入できました")}, sold = {Box(FILLED, "平均売却価格1000円で売却できました")};
    const Shows bigBuy = {Box(FILLED, "平均購入価格1125円で購入できました"), Box(FILLED, "プレイヤの大量購入により株価が250円上昇しました")};
    const Shows bigSale = {Box(FILLED, "平均売却価格875円で売却できました"), Box(FILLED, "プレイヤの大量売却により株価が250円下落しました")};
    enum Kind { LIMIT, BUY, SELL };
    // halt 2: after hours, with the flag. roll: the limit buy's coin (mod 2) or a market order's (mod 3); -1: none.
    struct Row { Kind kind; int32_t price; int64_t issued; int32_t limit; int64_t qty, held; int32_t avg; int64_t funds; int halt, roll;
                 int64_t heldAfter, fundsAfter; int32_t avgAfter; int64_t qtyLeft; int32_t impact; Shows shown; };
    const int64_t M = 1000000, Q = 2500000;   // Q: a quarter of an issue of 10^7
    const std::vector<Row> rows = {
        // The limit buy fills within 2 yen of the price, on heads, paid at the limit; the average takes the market price.
        {LIMIT, 1000, 10 * M, 997, 5000, 0, 0, M, 2, -1, 0, M, 0, 5000, 0, {}},
        {LIMIT, 1000, 10 * M, 1003, 5000, 0, 0, M, 2, -1, 0, M, 0, 5000, 0, {}},
        {LIMIT, 1000, 10 * M, 998, 5000, 0, 0, M, 2, 0, 0, M, 0, 5000, 0, {}},
        {LIMIT, 1000, 10 * M, 1002, 5000, 0, 0, M, 2, 1, 5000, M - 501, 1001, 0, 0, filled(1002, 5000)},
        {LIMIT, 1000, 10 * M, 998, 5000, 0, 0, M, 2, 1, 5000, M - 499, 1001, 0, 0, filled(998, 5000)},
        {LIMIT, 1000, 10 * M, 1001, 5000, 0, 0, M, 2, 1, 5000, M - 501, 1001, 0, 0, filled(1001, 5000)},   // 500.5 rounds up
        {LIMIT, 1000, 10 * M, 1000, 50, 0, 0, M, 2, 1, 50, M - 5, 0, 0, 0, filled(1000, 50)},             // under 100: no average
        // 800 * 1000 / 4000 + 1 + 1000 * 3000 / 4000 = 951 (952.5 at the limit price)
        {LIMIT, 1000, 10 * M, 1002, 3000, 1000, 800, M, 2, 1, 4000, M - 301, 951, 0, 0, filled(1002, 3000)},
        // Cut by the ratio q * p / issued; a ratio of 1 still reports a partial fill; the cut quantity is paid for.
        {LIMIT, 1000, M, 1000, 1500, 0, 0, M, 2, 1, 1500, M - 150, 1001, 0, 0, partial(1500)},
        {LIMIT, 1000, M, 1000, 2500, 0, 0, M, 2, 1, 1250, M - 125, 1001, 0, 0, partial(1250)},
        {LIMIT, 1000, M, 1000, 2500, 0, 0, 125, 2, 1, 1250, 0, 1001, 0, 0, partial(1250)},
        {LIMIT, 1000, M, 1000, 2500, 0, 0, 124, 2, 1, 0, 124, 0, 0, 0, kNoFunds},
        {LIMIT, 1, MAX_AMOUNT, 1, 4294967396LL, 0, 0, M, 2, 1, 4294967396LL, M - 429497, 2, 0, 0, filled(1, 100)},   // prints 32 bits
        {LIMIT, 1000, 0, 1000, 100, 0, 0, M, 2, 1, 100, M - 10, 1001, 0, 0, filled(1000, 100)},   // no issue, no ratio: never partial
        // r = q * p / issued yen, 250 for Q; a buy costs q / 100 x ((2p + r) / 20) / 10 at an average of p + r / 2.
        {BUY, 1000, 10 * M, 0, 100, 0, 0, M, 0, 0, 0, M, 0, 100, 0, {}},
        {BUY, 1000, 10 * M, 0, 100, 0, 0, M, 0, 2, 0, M, 0, 100, 0, {}},
        {BUY, 1000, 10 * M, 0, 100, 0, 0, M, 0, 1, 100, M - 10, 1001, 0, 0, bought},
        {BUY, 1000, 10 * M, 0, Q, 0, 0, M, 0, 1, Q, M - 280000, 1126, 0, 250, bigBuy},
        {BUY, 1000, 10 * M, 0, Q, 0, 0, 280000, 0, 1, Q, 0, 1126, 0, 250, bigBuy},
        {BUY, 1000, 10 * M, 0, Q, 0, 0, 279999, 0, 1, 0, 279999, 0, 0, 0, kNoFunds},
        {BUY, 1000, 100 * M, 0, 12345, 0, 0, M, 0, 1, 12345, M - 1230, 1001, 0, 0, bought},   // 123 x 100 / 10
        // 900 * 10^6 / 3.5 10^6 + 1 + 1125 * 2.5 10^6 / 3.5 10^6 = 1061.7; the rise waits for the next day.
        {BUY, 1000, 10 * M, 0, Q, M, 900, M, 2, 0, 3500000, M - 280000, 1061, 0, 250, bigBuy},
        {SELL, 1000, 10 * M, 0, 100, 1000, 0, M, 0, 1, 900, M + 10, 0, 0, 0, sold},
        {SELL, 1000, 10 * M, 0, Q, 3 * M, 900, 1000, 0, 1, 500000, 1000 + 217500, 900, 0, 250, bigSale},   // 25000 x 87 / 10
        {SELL, 1000, 100 * M, 0, 12345, 12345, 0, 0, 2, 2, 0, 1230, 0, 0, 0, sold},
        // Shares gone since the order (refounded, merged) are not sold.
        {SELL, 1000, 100 * M, 0, 12345, 5000, 0, 0, 2, 2, 0, 500, 0, 0, 0, sold},
        {SELL, 1000, 100 * M, 0, 12345, 0, 0, 0, 2, 2, 0, 0, 0, 0, 0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(N(r.kind) + ": " + N(r.qty) + " at " + N(r.limit) + " holding " + N(r.held) + " funds " + N(r.funds) + " roll " + N(r.roll));
        SetCompany(C, r.price, r.issued, r.issued * 4 / 10, r.issued * 3 / 10), SetPlayer(C, r.held, r.avg, r.funds);
        marketHalt = r.halt, buyImpactCompany = sellImpactCompany = 0;
        pendingOrders = {C, r.kind == BUY ? r.qty : 0, C, r.kind == LIMIT ? r.qty : 0, r.limit, C, r.kind == SELL ? r.qty : 0, r.halt == 2};
        const int32_t history = historyIndex;
        const int draws = Tick(r.roll < 0 ? std::vector<DrawTest>{} : std::vector<DrawTest>{Mod(r.kind == LIMIT ? 2 : 3, r.roll)});
        const bool filled = r.heldAfter != r.held;
        const int64_t left = r.kind == LIMIT ? pendingOrders.limitBuyQty : r.kind == BUY ? pendingOrders.marketBuyQty : pendingOrders.sellQty;
        EXPECT_EQ(Player(C), V({r.heldAfter, r.fundsAfter, r.avgAfter}));
        // A waiting limit buy keeps its after-hours flag; a limit buy moves no price.
        EXPECT_EQ(V({left, FillSounds(), r.kind == SELL ? sellImpactCompany : buyImpactCompany, pendingOrders.afterHoursTrade}),
                  V({r.qtyLeft, filled, filled && r.kind != LIMIT ? C : 0, r.kind == LIMIT && r.shown.empty()}));
        EXPECT_EQ(Shown(), r.shown);
        if (r.halt != 0) {
            EXPECT_EQ(V({draws, historyIndex, r.kind == SELL ? sellImpactDelta : buyImpactDelta, companies[C].sharePrice}),
                      V({r.roll >= 0, history, r.impact, r.price}));
            marketHalt = 0, pendingOrders = PendingOrders{}, Tick({});   // the next market day applies the impact
        }
        EXPECT_EQ(historyIndex, (history + 1) % HISTORY_SIZE);   // one market day either way
        const int32_t move = r.kind == SELL ? -r.impact : r.impact;
        EXPECT_TRUE(r.impact == 0 || (companies[C].priceDelta == move && companies[C].sharePrice == 1000 + move));
        EXPECT_EQ(buyImpactDelta + sellImpactDelta, 0);
    }
}

TEST_F(MarketTick, OneTickRunsItsStepsInOrder) {
    researchUnderway = 1, researchCost[0] = 1000, tobTarget = T, tobPrice = 600, companies[0].holdings[8] = 10000;
    SetCompany(T, 500, 1012345, 300000, 100000), SetCompany(6, 2000, 100000000, 0, 0), SetCompany(8, 3000, 100000000, 0, 0);
    pendingOrders = {6, 100, C, 100, 1000, 8, 10000, 0};
    const int32_t history = historyIndex;
    Tick({Mod(10, 0), Mod(8, 0), Mod(5, 2), Mod(2, 1), Mod(3, 1), Mod(3, 1)});
    EXPECT_EQ(Shown(), (Shows{Box("研究", "研究の成果により,会社の利益が100万円増加しました.."),
                              Box("ＴＯＢ", "600円で153000株買い付けました."), Box(FILLED, "購入価格1000円で100株購入できました"),
                              Box(FILLED, "平均購入価格2000円で購入できました"), Box(FILLED, "平均売却価格3000円で売却できました")}));
    EXPECT_EQ(V({FillSounds(), historyIndex}), V({4, history + 1}));
    EXPECT_EQ(headless.paints, std::vector<WindowId>{WIN_BOARD});
}

TEST_F(MarketTick, HaltedMarketRunsOrdersOnlyAfterHoursOneFlagAtATime) {
    // Halted, each after-hours flag lets one order step run: the limit buy, then the market buy; the sale waits.
    pendingOrders = {C, 200, C, 100, 1000, C, 300, 0};
    struct Step { int halt, flag; std::vector<DrawTest> draws; int64_t limitLeft, buyLeft, sellLeft, held; };
    const Step steps[] = {{1, 0, {}, 100, 200, 300, 0}, {2, 0, {}, 100, 200, 300, 0}, {2, 1, {Mod(2, 1)}, 0, 200, 300, 100},
                          {2, 1, {Mod(3, 2)}, 0, 0, 300, 300}, {0, 0, {Mod(3, 1)}, 0, 0, 0, 0}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.held);
        marketHalt = s.halt; pendingOrders.afterHoursTrade = s.flag;
        const int32_t history = historyIndex, price = companies[9].sharePrice;
        const int draws = Tick(s.draws);
        EXPECT_TRUE((s.halt == 0 || (draws == static_cast<int>(s.draws.size()) && companies[9].sharePrice == price)));
        EXPECT_EQ(historyIndex == history, s.halt != 0);
        EXPECT_EQ(V({pendingOrders.limitBuyQty, pendingOrders.marketBuyQty, pendingOrders.sellQty, pendingOrders.afterHoursTrade, companies[0].holdings[C]}),
                  V({s.limitLeft, s.buyLeft, s.sellLeft, 0, s.held}));
        EXPECT_EQ(Shown().size(), s.draws.size());
        EXPECT_EQ(headless.paints, std::vector<WindowId>{WIN_BOARD});
    }
    // On a running market the first market order spends the flag; the sale then needs its own roll.
    companies[0].holdings[C] = 1000, pendingOrders = {C, 100, 0, 0, 0, C, 200, 1}, Tick({Mod(3, 0), Mod(3, 0)});
    EXPECT_EQ(V({pendingOrders.marketBuyQty, pendingOrders.sellQty, companies[0].holdings[C]}), V({0, 200, 1100}));
    pendingOrders = {C, 0, COMPANY_COUNT, 100, 1000, C, 0, 0}, Tick({});   // a limit buy of no listed company is dropped
    EXPECT_EQ(pendingOrders.limitBuyQty, 0);
}

TEST_F(MarketTick, HostileTargetIssuesSharesOrBuysBack) {
    // The bid is priced below the market: its step draws once and buys nothing.
    const DrawTest by4 = [](int32_t d) { return d % 5 == 1 && d % 6 != 1; };   // a lot of a quarter
    struct Row { const char* what; int64_t issued, ceo, player, funds; int hostile; bool bid; std::vector<DrawTest> draws;
                 int nDraws; int64_t issuedAfter, ceoAfter, fundsAfter; const char* text; };
    const std::vector<Row> rows = {
        // More than half the CEO's stake but less than it: issued / 4 new, paid 25 x 500.
        {"issue", 1000000, 400000, 300000, 10000, 1, true, {Any(), Mod(5, 1), Mod(5, 2)}, 3, 1250000, 400000, 22500, "が新たに250000株を発行しました"},
        {"issue draw fails", 1000000, 400000, 300000, 10000, 1, true, {Any(), Mod(5, 0)}, 2, 1000000, 400000, 10000, nullptr},
        {"exactly half", 1000000, 400000, 200000, 10000, 1, true, {Any()}, 1, 1000000, 400000, 10000, nullptr},
        {"issue at 50 billion", 50000000000LL, 400000, 300000, 10000, 1, true, {Any(), Mod(5, 1)}, 2, 50000000000LL, 400000, 10000, nullptr},
        {"issue just below it", 49999999999LL, 400000, 300000, 10000, 1, true, {Any(), Mod(5, 1), Mod(5, 0)}, 3, 74999999998LL, 400000, 10000 + 2499999 * 500LL, "が新たに24999999999株を発行しました"},
        // The player above the CEO: the issue's draw is made, its test fails;
        // (1000000 - 500000 - 300000) / 4 = 50000 bought for 5 x 500.
        {"buy back", 1000000, 300000, 500000, 2500, 1, true, {Any(), Mod(5, 1), Mod(5, 1), by4}, 4, 1000000, 350000, 0, "が50000株取得しました"},
        {"buy back one short", 1000000, 300000, 500000, 2499, 1, true, {Any(), Any(), Mod(5, 1), Mod(5, 1)}, 4, 1000000, 300000, 2499, nullptr},
        {"buy back of none", 800002, 300000, 500000, 0, 1, true, {Any(), Any(), Mod(5, 1), Mod(5, 0)}, 4, 800002, 300000, 0, "が0株取得しました"},
        // Stakes above the issue give a negative lot, which is not bought.
        {"negative lot", 700000, 300000, 500000, 100, 1, true, {Any(), Any(), Mod(5, 1), Mod(5, 0)}, 4, 700000, 300000, 100, nullptr},
        {"friendly bid", 1000000, 300000, 500000, 100000, 0, true, {Any()}, 1, 1000000, 300000, 100000, nullptr},
        {"hostile flag without a bid", 1000000, 300000, 500000, 100000, 1, false, {}, 0, 1000000, 300000, 100000, nullptr},
    };
    marketHalt = 1;
    const std::string name = companies[T].name;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        SetCompany(T, 500, r.issued, r.ceo, 0);
        companies[T].funds = r.funds, companies[0].holdings[T] = r.player;
        tobTarget = r.bid ? T : 0, tobPrice = 100, tobHostile = r.hostile;
        const int draws = Tick(r.draws);
        EXPECT_EQ(V({draws, companies[T].issuedShares, companies[T].holdings[T], companies[T].funds, companies[0].holdings[T], companies[T].floatingShares}),
                  V({r.nDraws, r.issuedAfter, r.ceoAfter, r.fundsAfter, r.player, 0}));
        EXPECT_EQ(Shown(), (r.text ? Shows{{Sjis("敵対"), name + Sjis(r.text)}} : Shows{}));
    }
}

TEST_F(MarketTick, BoardClickSelectsARowAndRunsAHaltedTick) {
    selectedCompany = 3, pendingOrders = {C, 100, 0, 0, 0, 0, 0, 0};
    const int32_t history = historyIndex;
    // The bounds are strict: x in 11..159, row i in 12i+11..12i+19.
    struct Click { int x, y; bool hit; int selected; };
    const Click clicks[] = {{10, 75, false, 3}, {11, 10, false, 3}, {11, 380, false, 3}, {11, 71, true, 5},
                            {159, 79, true, 5}, {11, 11, true, 0}, {100, 12 * 29 + 19, true, 29}};   // outer edges: shell
    for (const Click& k : clicks) {
        SCOPED_TRACE(N(k.x) + "," + N(k.y));
        headless.Clear();
        const uint32_t start = GameRandState();
        OnBoardClick(k.x, k.y);
        // Halted: no order and no market day, so no draw.
        EXPECT_EQ(V({selectedCompany, DrawsSince(start), marketHalt}), V({k.selected, 0, 0}));
        EXPECT_EQ(headless.sounds, k.hit ? std::vector<std::string>{"cho.wav"} : std::vector<std::string>{});
        EXPECT_EQ(headless.paints, k.hit ? std::vector<WindowId>{WIN_BOARD} : std::vector<WindowId>{});
    }
    EXPECT_EQ(pendingOrders.marketBuyQty, 100);
    // With the after-hours flag the click fills the market buy at once, and settles the research and the bid.
    headless.Clear(), SetCompany(T, 500, 1012345, 300000, 100000);
    pendingOrders.afterHoursTrade = 1, researchUnderway = 2, tobTarget = T, tobPrice = 600;
    ArrangeDraws({Mod(10, 1), Mod(8, 0), Mod(5, 2), Mod(3, 0)}), OnBoardClick(50, 12 * 8 + 15);
    EXPECT_EQ(V({selectedCompany, companies[0].holdings[C], companies[0].holdings[T], researchUnderway, historyIndex, marketHalt}),
              V({8, 100, 153000, 0, history, 0}));
    EXPECT_EQ(Shown(), (Shows{Box("失敗", "研究は失敗に終わりました."), Box("ＴＯＢ", "600円で153000株買い付けました."),
                              Box(FILLED, "平均購入価格1000円で購入できました")}));
    EXPECT_EQ(headless.sounds, (std::vector<std::string>{"cho.wav", "yakutei.wav", "yakutei.wav"}));
}
