#include "market/market_tick.h"

#include <algorithm>

#include "market/market_day.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr const char* FILL_SOUND = "yakutei.wav";

bool ValidCompany(int64_t c) { return c >= 0 && c < COMPANY_COUNT; }

// The average price after the player's stake in c grew by q shares at x yen;
// the bid keeps double precision.
void UpdateAvgPriceDouble(int c, int64_t q, double x) {
    int64_t h = companies[0].holdings[c];
    if (h < 100) return;
    double avg = companies[0].avgBuyPrice[c];
    double hd = static_cast<double>(h);
    companies[0].avgBuyPrice[c] =
        TruncToInt32(avg * static_cast<double>(h - q) / hd + 1 + x * static_cast<double>(q) / hd);
}

// The same for the limit and market buys, which keep single precision.
void UpdateAvgPriceFloat(int c, int64_t q, int64_t x) {
    int64_t h = companies[0].holdings[c];
    if (h < 100) return;
    float hf = static_cast<float>(h);
    float t1 = static_cast<float>(companies[0].avgBuyPrice[c]) * static_cast<float>(h - q) / hf;
    float t2 = static_cast<float>(x) * static_cast<float>(q) / hf;
    companies[0].avgBuyPrice[c] = TruncToInt32(static_cast<double>(t1 + 1.0f + t2));
}

bool OrderMayRun(int64_t qty) { return qty > 0 && (marketHalt == 0 || pendingOrders.afterHoursTrade == 1); }

void EndTakeoverBid(WindowId board, const char* text) {
    tobTarget = 0;
    tobHostile = 0;
    ShowInfo(board, text, TXT_CAP_TOB);
}

void ResearchOutcome(WindowId board) {
    if (researchUnderway <= 0) return;
    int32_t roll = GameRand() % 10 + 1;
    if (roll == 1) {
        int32_t row = researchUnderway - 1;
        int32_t gain = row >= 0 && row < 8 ? researchCost[row] / 10 : 0;
        companies[0].profit = SatAdd(companies[0].profit, gain);
        researchUnderway = 0;
        ShowInfo(board, StrPrintf(TXT_RESEARCH_SUCCESS, gain).c_str(), TXT_CAP_RESEARCH);
    } else if (roll == 2) {
        researchUnderway = 0;
        ShowInfo(board, TXT_RESEARCH_FAILED, TXT_CAP_FAILURE);
    }
}

void BuyBidLot(WindowId board, int t, int64_t lot, int32_t price, bool fromFloat) {
    int64_t cost = SatMul(lot / 10000, price);
    if (cost > companies[0].funds) {
        EndTakeoverBid(board, TXT_TOB_NO_FUNDS);
        return;
    }
    companies[0].holdings[t] = SatAdd(companies[0].holdings[t], lot);
    if (fromFloat) companies[t].floatingShares -= lot;
    companies[0].funds -= cost;
    PlaySoundFile(FILL_SOUND);
    UpdateAvgPriceDouble(t, lot, price);
    ShowInfo(board, StrPrintf(TXT_TOB_BOUGHT, price, static_cast<long long>(lot)).c_str(), TXT_CAP_TOB);
}

void TakeoverBidStep(WindowId board) {
    if (tobTarget <= 0) return;
    const int t = tobTarget;
    if (t >= COMPANY_COUNT) {
        tobTarget = 0;
        tobHostile = 0;
        return;
    }
    const int32_t price = tobPrice;
    if (GameRand() % 8 != 0) return;
    if (price <= companies[t].sharePrice) return;
    const ListedCompany& target = companies[t];
    int64_t available = SatSub(SatSub(SatSub(target.issuedShares, target.holdings[t]), target.floatingShares),
                               companies[0].holdings[t]);
    int64_t lot = available / (GameRand() % 5 + 2);
    lot = lot / 100 * 100;
    if (lot >= 100) {
        BuyBidLot(board, t, lot, price, false);
        return;
    }
    if (target.floatingShares <= 0) {
        EndTakeoverBid(board, TXT_TOB_ENDED);
        return;
    }
    lot = target.floatingShares / (GameRand() % 5 + 2) / 100 * 100;
    if (lot < 100) return;
    BuyBidLot(board, t, lot, price, true);
}

void LimitBuyStep(WindowId board) {
    PendingOrders& o = pendingOrders;
    if (!OrderMayRun(o.limitBuyQty)) return;
    if (!ValidCompany(o.limitBuyCompany)) {
        o.limitBuyQty = 0;
        return;
    }
    const int c = static_cast<int>(o.limitBuyCompany);
    const int64_t p = companies[c].sharePrice;
    const int64_t L = o.limitBuyPrice;
    int64_t q = o.limitBuyQty;
    if (L > p + 2 || L < p - 2) return;
    if (GameRand() % 2 != 1) return;
    o.afterHoursTrade = 0;
    bool partial = false;
    int64_t issued = companies[c].issuedShares;
    int64_t ratio = issued != 0 ? SafeDiv(SatMul(q, p), issued) : 0;
    if (ratio > 0) {
        q = TruncToInt64(static_cast<double>(q) * (1.0 / static_cast<double>(ratio)));
        partial = true;
    }
    double cost = static_cast<double>(L) * (static_cast<double>(q) / 10000.0);
    if (cost > static_cast<double>(companies[0].funds)) {
        o.limitBuyQty = 0;
        ShowInfo(board, TXT_NOT_ENOUGH_FUNDS, TXT_CAP_NO_FUNDS);
        return;
    }
    companies[0].holdings[c] = SatAdd(companies[0].holdings[c], q);
    companies[0].funds = TruncToInt64(static_cast<double>(companies[0].funds) - cost);
    UpdateAvgPriceFloat(c, q, p);
    PlaySoundFile(FILL_SOUND);
    std::string text = StrPrintf(partial ? TXT_LIMIT_PARTIAL : TXT_LIMIT_FILLED, Low32(L), Low32(q));
    o.limitBuyQty = 0;
    ShowInfo(board, text.c_str(), TXT_CAP_FILLED);
}

// The shared opening of the market buy and sell: the flag is taken and
// cleared, then a third of the ticks fill (an after-hours order at once).
bool MarketOrderFills() {
    int32_t afterHours = pendingOrders.afterHoursTrade;
    pendingOrders.afterHoursTrade = 0;
    int32_t roll = GameRand() % 3 + 1;
    return roll == 2 || afterHours == 1;
}

int64_t ImpactOf(int c, int64_t q, int64_t p) {
    int64_t issued = companies[c].issuedShares;
    if (issued == 0) return 0;
    int64_t r = SafeDiv(SatMul(q, p), issued);
    return ClampToInt32(r);
}

void MarketBuyStep(WindowId board) {
    PendingOrders& o = pendingOrders;
    if (!OrderMayRun(o.marketBuyQty)) return;
    if (!ValidCompany(o.marketBuyCompany)) {
        o.marketBuyQty = 0;
        return;
    }
    const int c = static_cast<int>(o.marketBuyCompany);
    const int64_t q = o.marketBuyQty;
    if (!MarketOrderFills()) return;
    const int64_t p = companies[c].sharePrice;
    const int64_t r = ImpactOf(c, q, p);
    const int64_t cost = SatMul(q / 100, (2 * p + r) / 20) / 10;
    if (companies[0].funds < cost) {
        o.marketBuyQty = 0;
        ShowInfo(board, TXT_NOT_ENOUGH_FUNDS, TXT_CAP_NO_FUNDS);
        return;
    }
    companies[0].holdings[c] = SatAdd(companies[0].holdings[c], q);
    companies[0].funds -= cost;
    const int64_t average = (2 * p + r) / 2;
    UpdateAvgPriceFloat(c, q, average);
    buyImpactDelta = static_cast<int32_t>(r);
    buyImpactCompany = c;
    o.marketBuyQty = 0;
    PlaySoundFile(FILL_SOUND);
    ShowInfo(board, StrPrintf(TXT_MARKET_BUY_FILLED, Low32(average)).c_str(), TXT_CAP_FILLED);
    if (r > 0) ShowInfo(board, StrPrintf(TXT_MARKET_BUY_IMPACT, Low32(r)).c_str(), TXT_CAP_FILLED);
}

void MarketSellStep(WindowId board) {
    PendingOrders& o = pendingOrders;
    if (!OrderMayRun(o.sellQty)) return;
    if (!ValidCompany(o.sellCompany)) {
        o.sellQty = 0;
        return;
    }
    const int c = static_cast<int>(o.sellCompany);
    if (!MarketOrderFills()) return;
    // The dialog allowed no more than the player held; but the holding may
    // have gone since (the company was refounded or merged), and selling
    // shares the player no longer has would make money from nothing.
    const int64_t q = std::min(o.sellQty, companies[0].holdings[c]);
    if (q <= 0) {
        o.sellQty = 0;
        return;
    }
    const int64_t p = companies[c].sharePrice;
    const int64_t r = ImpactOf(c, q, p);
    companies[0].holdings[c] = SatSub(companies[0].holdings[c], q);
    companies[0].funds = SatAdd(companies[0].funds, SatMul(q / 100, (2 * p - r) / 20) / 10);
    sellImpactDelta = static_cast<int32_t>(r);
    sellImpactCompany = c;
    o.sellQty = 0;
    PlaySoundFile(FILL_SOUND);
    ShowInfo(board, StrPrintf(TXT_SELL_FILLED, Low32((2 * p - r) / 2)).c_str(), TXT_CAP_FILLED);
    if (r > 0) ShowInfo(board, StrPrintf(TXT_SELL_IMPACT, Low32(r)).c_str(), TXT_CAP_FILLED);
}

void HostileDefence(WindowId board) {
    if (tobHostile != 1 || tobTarget <= 0 || tobTarget >= COMPANY_COUNT) return;
    const int t = tobTarget;
    ListedCompany& target = companies[t];
    int64_t ceo = target.holdings[t];
    int64_t h = companies[0].holdings[t];
    if (h > ceo / 2 && GameRand() % 5 == 1 && target.issuedShares < 50000000000LL && ceo > h) {
        int64_t n = target.issuedShares / (GameRand() % 5 + 2);
        target.issuedShares = SatAdd(target.issuedShares, n);
        target.funds = SatAdd(target.funds, SatMul(n / 10000, target.sharePrice));
        ShowInfo(board, StrPrintf(TXT_HOSTILE_ISSUE, target.name, static_cast<long long>(n)).c_str(), TXT_CAP_HOSTILE);
    }
    // The counter-purchase sees the figures as the issue left them.
    ceo = target.holdings[t];
    h = companies[0].holdings[t];
    if (h > ceo && GameRand() % 5 == 1) {
        int64_t n = SatSub(SatSub(target.issuedShares, h), ceo) / (GameRand() % 5 + 3);
        int64_t cost = SatMul(n / 10000, target.sharePrice);
        // When the stakes already exceed the issue, n is negative: buying a
        // negative lot would shrink the CEO's stake and pay the company.
        if (n >= 0 && cost <= target.funds) {
            target.funds -= cost;
            target.holdings[t] = SatAdd(target.holdings[t], n);
            ShowInfo(board, StrPrintf(TXT_HOSTILE_BUY, target.name, static_cast<long long>(n)).c_str(), TXT_CAP_HOSTILE);
        }
    }
}

}  // namespace

void RunMarketTick(WindowId board) {
    ResearchOutcome(board);
    TakeoverBidStep(board);
    LimitBuyStep(board);
    MarketBuyStep(board);
    MarketSellStep(board);
    HostileDefence(board);
    if (marketHalt == 0) AdvanceMarketDay();
    RequestPaint(board);
}

void OnBoardClick(int x, int y) {
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        if (10 < x && x < 160 && 12 * i + 10 < y && y < 12 * i + 20) {
            selectedCompany = i;
            marketHalt = 1;
            PlaySoundFile("cho.wav");
            RunMarketTick(WIN_BOARD);
            marketHalt = 0;
        }
    }
}
