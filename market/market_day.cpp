#include "market/market_day.h"

#include <cfloat>
#include <cstdint>

#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

// A draw of rand() % n where a table entry of 0 would divide by zero: the
// draw is still made, and the result is 0.
int64_t DrawMod(int64_t n) {
    if (n <= 0) {
        GameRand();
        return 0;
    }
    return RandMod(n);
}

int32_t NextTrendState(int32_t state) {
    struct Row {
        int32_t n, first, second;
    };
    // Rows for states 1..7: first hit, else second hit, else stay.
    static const Row rows[8] = {
        {0, 0, 0}, {500, 2, 5}, {10, 6, 1}, {10, 7, 1}, {10, 9, 1}, {10, 3, 1}, {10, 4, 1}, {10, 8, 1},
    };
    if (state >= 1 && state <= 7) {
        const Row& row = rows[state];
        if (GameRand() % row.n == 1) return row.first;
        if (GameRand() % row.n == 1) return row.second;
        return state;
    }
    // States 8 and 9 last one day; anything else returns to ordinary trading.
    return 1;
}

int64_t DrawDailyChange(const ListedCompany& c) {
    const int32_t* range = c.trendRange;
    switch (c.trendState) {
        case 2: return DrawMod(range[1]);
        case 3: return DrawMod(range[5]);
        case 4: return DrawMod(range[3]);
        case 5: return -DrawMod(range[2]);
        case 6: return -DrawMod(range[6]);
        case 7: return -DrawMod(range[3]);
        case 8: return DrawMod(range[7]);
        case 9: return -DrawMod(range[7]);
        default: return DrawMod(static_cast<int64_t>(range[0]) + 1) - range[0] / 2;
    }
}

// A floating result stored into a share count: rounded to single precision,
// then truncated toward zero.
int64_t StoreAsShares(double x) {
    if (x > FLT_MAX) x = FLT_MAX;
    if (x < -FLT_MAX) x = -FLT_MAX;
    return TruncToInt64(static_cast<double>(static_cast<float>(x)));
}

// Shares follow the price: a rising company sells from its float or issues
// new shares, a falling one buys back. Returns nothing; updates F, I and money.
void SharesFollowPrice(int i, ListedCompany& c, int64_t priceDelta, int64_t& F, int64_t& I) {
    const int64_t H = c.holdings[i];
    const double p = static_cast<double>(c.sharePrice);
    const double Ff = static_cast<float>(F);
    const double If = static_cast<float>(I);
    const double pd = static_cast<float>(priceDelta);
    // r is stored in single precision, as F, I and the delta are.
    const double r = static_cast<float>(pd / (2.0 * p));
    const int64_t room = SatSub(I, H);

    auto shareValue = [&](int64_t issued) { return SatMul(issued / 1000, priceDelta) / 20; };

    if (Ff - r * If > 0 && F < room) {
        F = StoreAsShares(Ff - r * If);
    } else if (F <= room) {
        if (i != 0) {
            I = StoreAsShares(If + r * If);
            int64_t v = shareValue(I);
            if (priceDelta < 0 && c.funds <= Negate(v)) {
                c.loans[2] = SatSub(c.loans[2], v);
                c.debt = SatSub(c.debt, v);
            } else {
                c.funds = SatAdd(c.funds, v);
            }
        }
    } else {
        if (priceDelta >= 0) {
            F = StoreAsShares(Ff - r * If);
        } else if (i != 0 && If + r * If - static_cast<double>(H) > 0) {
            int64_t v = shareValue(I);
            if (c.funds > Negate(v)) {
                c.funds = SatAdd(c.funds, v);
            } else {
                c.loans[2] = SatSub(c.loans[2], v);
                c.debt = SatSub(c.debt, v);
            }
            I = StoreAsShares(If + r * If);
        }
    }
}

}  // namespace

void WipePlayerCompany() {
    ListedCompany& p = companies[0];
    p.bankrupt = 1;
    p.funds = 0;
    p.issuedShares = 0;
    p.floatingShares = 0;
    p.profit = 0;
    p.property = 0;
    p.sharePrice = 0;
    p.name = TXT_BANKRUPT_NAME;
}

void AdvanceMarketDay() {
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        // Negative cash moves onto the automatic lender.
        if (companies[i].funds < 0) {
            companies[i].loans[2] = SatSub(companies[i].loans[2], companies[i].funds);
            companies[i].funds = 0;
        }
        while (i < COMPANY_COUNT && companies[i].bankrupt == 1) ++i;
        if (i >= COMPANY_COUNT) break;
        ListedCompany& c = companies[i];

        int32_t next = NextTrendState(c.trendState);
        if (next != c.trendState) {
            c.trendState = next;
            newsPending[i] = 1;
        }

        int64_t priceDelta = DrawDailyChange(c);

        if (c.trendState != 1) {
            if (priceDelta > 0) {
                c.profit = SatAdd(c.profit, RandMod(priceDelta * 1000));
            } else if (priceDelta < 0) {
                c.profit = SatSub(c.profit, RandMod(Negate(priceDelta) * 1000));
            }
        }

        bool noFloor = i != 0 && c.profit <= 0 && SatSub(SatAdd(c.funds, c.property), c.debt) <= 0;
        if (!noFloor) {
            int32_t f = GameRand() % 5 + 5;
            if (c.sharePrice < f) {
                priceDelta = f;
                if (c.profit < 0 && SatSub(c.funds, c.debt) < 0) c.debt = SatMul(c.debt, 2);
            }
            // The loop of the rule (raise by one until positive) in one step.
            if (c.sharePrice + priceDelta <= 0) priceDelta = 1 - static_cast<int64_t>(c.sharePrice);
        }

        if (buyImpactDelta > 0 && buyImpactCompany == i) {
            priceDelta = buyImpactDelta;
            buyImpactDelta = 0;
        }
        if (sellImpactDelta > 0 && sellImpactCompany == i) {
            priceDelta = -static_cast<int64_t>(sellImpactDelta);
            sellImpactDelta = 0;
        }
        c.priceDelta = ClampToInt32(priceDelta);

        if (c.sharePrice + priceDelta <= 0) {
            c.bankrupt = 1;
            c.sharePrice = 0;
            namePoolNext += 1;
            RefoundCompany(i);
            break;
        }

        bool multiplied = false;
        if (i == 0) {
            if (warPriceMultiplier != 0) {
                priceDelta = SatMul(c.sharePrice, static_cast<int64_t>(warPriceMultiplier) - 1);
                multiplied = true;
            }
            if (electionPriceMultiplier != 0) {
                priceDelta = SatMul(c.sharePrice, static_cast<int64_t>(electionPriceMultiplier) - 1);
                multiplied = true;
            }
        }

        // A price beyond the 32-bit range saturates rather than wrapping negative.
        int64_t newPrice = SatAdd(c.sharePrice, priceDelta);
        if (newPrice > INT32_MAX) newPrice = INT32_MAX;
        if (newPrice < 1) newPrice = 1;
        priceDelta = newPrice - c.sharePrice;
        c.sharePrice = static_cast<int32_t>(newPrice);
        c.priceDelta = static_cast<int32_t>(priceDelta);

        int64_t F = c.floatingShares;
        int64_t I = c.issuedShares;
        if (!(i == 0 && multiplied) && c.sharePrice != 0) {
            SharesFollowPrice(i, c, priceDelta, F, I);
        }
        const int64_t H = c.holdings[i];
        if (i != 0 && SatSub(I, H) < F) F = SatSub(I, H);

        if (i == 0) {
            warPriceMultiplier = 0;
            electionPriceMultiplier = 0;
        }

        c.priceDeltaHistory[historyIndex] = c.priceDelta;

        const int64_t playerHolding = companies[0].holdings[i];
        if (i != 0) {
            if (SatAdd(SatAdd(F, playerHolding), H) > I) {
                F = 0;
                I = SatAdd(H, playerHolding);
            }
        } else if (SatAdd(F, playerHolding) > I) {
            F = 0;
        }
        if (i != 0 && SatAdd(H, playerHolding) > I) {
            F = 0;
            I = SatAdd(H, playerHolding);
        }
        if (I > MAX_AMOUNT) I = MAX_AMOUNT;
        if (I <= 0 && playerHolding >= 1000000) I = 1100000000;
        if (I <= 0) I = RandMod(10000) + 1000;
        if (F < 0) F = I / 2;
        c.floatingShares = F;
        c.issuedShares = I;

        if (c.debt < 0 || c.loans[2] < 0) {
            c.debt = DEBT_PENALTY_BASE + RandMod(100000000);
            c.loans[2] = DEBT_PENALTY_BASE + RandMod(100000000);
        }
        if (c.funds > MAX_AMOUNT) c.funds = MAX_AMOUNT;
        if (SatAdd(SatSub(c.funds, c.debt), c.property) > MAX_AMOUNT) c.property = 15000;
        if (i != 0) {
            int32_t s = GameRand() % 2;
            int32_t d = GameRand() % 1000 + 1000;
            if (s == 0) {
                c.ceoAssets = SatAdd(c.ceoAssets, c.ceoAssets / d);
            } else {
                c.ceoAssets = SatSub(c.ceoAssets, c.ceoAssets / d);
            }
            if (c.ceoAssets < 0) c.ceoAssets = 0;
            c.funds = SatAdd(c.funds, c.profit / 1000);
        }
    }

    ListedCompany& player = companies[0];
    player.ceoAssets = SatMul(player.holdings[0] / 10000, player.sharePrice);
    if (player.debt > PLAYER_BANKRUPT_DEBT) WipePlayerCompany();
    if (prosecutionChance >= PROSECUTION_CERTAIN && arrestState == 0) {
        arrestState = 1;
        prosecutionChance = 0;
        monthsToTrial = 5;
    }
    historyIndex += 1;
    if (historyIndex >= HISTORY_SIZE || historyIndex < 0) historyIndex = 0;
}

void RefoundCompany(int i) {
    if (i < 0 || i >= COMPANY_COUNT) return;
    if (namePoolNext >= NAME_POOL_SIZE || namePoolNext < 30) namePoolNext = 30;
    ListedCompany& c = companies[i];
    if (c.bankrupt) {
        if (c.refoundCount < INT32_MAX) c.refoundCount += 1;
    }
    c.bankrupt = 0;

    std::string name = StrPrintf("%s%d", companyNamePool[i], c.refoundCount);
    CopyTextCut(companyNamePool[namePoolNext], NAME_BUF_SIZE, name.c_str());
    c.name = companyNamePool[namePoolNext];

    c.sharePrice = static_cast<int32_t>(RandMod(100000) + 100);
    c.funds = RandMod(10000000000LL) + 1000;
    c.debt = RandMod(100000000);
    c.loans[2] = c.debt;
    c.profit = RandMod(10000000);
    c.issuedShares = RandMod(1000000000) + 5000000;
    c.floatingShares = c.issuedShares / (GameRand() % 4 + 1);
    c.holdings[i] = c.issuedShares - c.floatingShares;

    companies[0].holdings[i] = 0;
    companies[0].avgBuyPrice[i] = 0;
    if (tobTarget == i) {
        tobTarget = 0;
        tobHostile = 0;
    }
    lastRefoundedCompany = i;
    if (goalStage == 10 && i == 17) goalStage = 11;
    if (goalStage == 40 && i == 27) goalStage = 41;
}
