// Long runs with random player actions: the world-state invariants must hold
// after every market day, and (under the sanitizer build) nothing may overflow
// or touch memory it should not.
#include <random>

#include "market/calendar.h"
#include "market/market_tick.h"
#include "tests/test_support.h"
#include "world/new_game.h"
#include "world/save_file.h"

namespace {

// Leaves the world as a dialog might: orders, bids, research, money.
void RandomPlayerAction(std::mt19937_64& rng) {
    auto pick = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(rng); };
    int c = static_cast<int>(pick(0, 29));
    switch (pick(0, 40)) {
        case 0: pendingOrders.marketBuyCompany = c; pendingOrders.marketBuyQty = pick(100, std::max<int64_t>(100, companies[c].floatingShares)); break;
        case 1: pendingOrders.limitBuyCompany = c; pendingOrders.limitBuyQty = pick(100, 100000000);
                pendingOrders.limitBuyPrice = static_cast<int32_t>(companies[c].sharePrice + pick(-3, 3)); break;
        case 2: pendingOrders.sellCompany = c; pendingOrders.sellQty = companies[0].holdings[c]; break;
        case 3: pendingOrders.afterHoursTrade = 1; break;
        case 4: marketHalt = marketHalt ? 0 : static_cast<int32_t>(pick(1, 2)); break;
        case 5:
            if (c == 0) break;
            tobTarget = c, tobHostile = int32_t(pick(0, 1));
            tobPrice = int32_t(std::min<int64_t>(INT32_MAX, companies[c].sharePrice + pick(0, 1000)));
            break;
        case 6: researchUnderway = int32_t(pick(0, 8)); break;
        case 7: companies[0].funds = pick(-1000000, 2000000000000LL); break;
        case 8: companies[0].holdings[c] = pick(0, companies[c].issuedShares); break;
        case 9: warPriceMultiplier = pick(0, 3) == 0 ? 1000 : 0; break;
        case 10: electionPriceMultiplier = int32_t(pick(5, 24)); break;
        case 11: prosecutionChance = int32_t(pick(0, 1000)); break;
        case 12: illegalityFactor = int32_t(pick(0, 100)); break;
        case 13: companies[0].debt = pick(-10, 200000000000LL); break;
        default: break;
    }
}

}  // namespace

class Soak : public WorldTest {};

TEST_F(Soak, InvariantsHoldOverTwoHundredThousandCycles) {
    headless.defaultAnswer = ANSWER_YES;
    std::mt19937_64 rng(20261206);
    const int games = 20, cyclesPerGame = 10000;
    int marketDays = 0;
    for (int g = 0; g < games; ++g) {
        StartGame(static_cast<uint32_t>(rng()));
        if (g % 2 == 0) EnterScenarioMode();
        companies[0].name = playerCompanyNameBuf;
        for (int cycle = 0; cycle < cyclesPerGame; ++cycle) {
            if (rng() % 4 == 0) RandomPlayerAction(rng);
            const int32_t dayBefore = historyIndex;
            lastRefoundedCompany = 0, RunMarketTick(WIN_BOARD);
            marketDays += historyIndex != dayBefore;   // a refilling ends the day early: later companies were not moved
            if (historyIndex != dayBefore && lastRefoundedCompany == 0) {
                ASSERT_EQ(CheckWorldInvariants(), "") << g << " " << cycle;
            }
            AdvanceCalendarDay(WIN_CALENDAR);
            ASSERT_TRUE(gameDay >= 1 && gameDay <= 30 && gameMonth >= 1 && gameMonth <= 12) << gameMonth << "/" << gameDay;
            if (headless.messages.size() > 1000) headless.Clear();
        }
        // The save file round-trips whatever state the game reached.
        const std::string bytes = SerializeSaveData();
        SaveDataError error;
        ASSERT_TRUE(ApplySaveData(bytes, error)) << error.line;
        ASSERT_EQ(SerializeSaveData(), bytes);
    }
    EXPECT_GT(marketDays, games * cyclesPerGame / 2);
}
