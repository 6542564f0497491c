// While a tick's message box is open every timer fires on, its own included, so a tick runs inside
// another; every step has committed its change to the world by the time its box opens.
#include <array>
#include <vector>

#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

std::vector<int32_t> Prices() {
    std::vector<int32_t> p; for (const ListedCompany& c : companies) p.push_back(c.sharePrice); return p;
}
std::array<int32_t, 3> Date() { return {gameYear, gameMonth, gameDay}; }

}  // namespace

using NestedTicks = GameTest;

TEST_F(NestedTicks, ClocksGoOnBehindTheirOwnBoxes) {
    // caption: of the box held open; committed: checked as the box opens.
    const struct { const char* what; std::function<void()> arrange; const char* caption; std::function<void()> committed; }
        rows[] = {
        {"the market behind a fill message (the board inside its own tick)",
         [] {
             pendingOrders.marketBuyCompany = 5, pendingOrders.marketBuyQty = 1000, pendingOrders.afterHoursTrade = 1;
             companies[0].funds = 100000000;
         }, "約定", [] {
             EXPECT_EQ(companies[0].holdings[5], 1000); EXPECT_EQ(pendingOrders.marketBuyQty, 0);
             EXPECT_LT(companies[0].funds, 100000000);
         }},
        {"the calendar behind its own stake warning",
         [] { companies[0].holdings[0] = companies[0].issuedShares / 10, stakeWarningLevel = 0; }, "",
         [] { EXPECT_EQ(stakeWarningLevel, 1); }},
        {"the main timer announcing behind its own announcement", [] { lastRefoundedCompany = 7; }, "新規",
         [] { EXPECT_EQ(lastRefoundedCompany, 0); }}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what); row.arrange(); bool held = false;
        host.openBoxes.push_back([&](const RecordedMessage& box) {
            held = true; EXPECT_EQ(Utf8(box.caption), row.caption); row.committed();
            // Prices and the date move on, and a later bankruptcy is announced, while the first box is still up.
            const auto prices = Prices(); const auto date = Date(); const size_t shown = host.messages.size();
            lastRefoundedCompany = 9; host.Advance(3400); EXPECT_NE(Prices(), prices); EXPECT_NE(Date(), date);
            EXPECT_EQ(lastRefoundedCompany, 0); EXPECT_GT(host.messages.size(), shown);
        });
        host.Advance(1100); EXPECT_TRUE(held); host.openBoxes.clear();
    }
}

// The fly keeps flying behind a "新規" box, and a bankruptcy is announced
// while the detention dialog is open.
TEST_F(NestedTicks, TheMainTimerGoesOnBehindBoxesAndDialogs) {
    screenMode = SCREEN_FLY_GAME_PENDING; host.Advance(500);   // the fly game starts on the next main tick, at 100 ms
    ASSERT_EQ(screenMode, SCREEN_FLY_GAME);
    lastRefoundedCompany = 4; int moves = 0;
    host.openBoxes.push_back([&](const RecordedMessage&) {
        for (int k = 0; k < 10; ++k) {
            const int32_t x = flyX, y = flyY; host.Advance(100); moves += x != flyX || y != flyY;
        }
    });
    host.Advance(100); EXPECT_GE(moves, 5);

    screenMode = SCREEN_FIELD; port->SetTimer(WIN_MAIN, 500); arrestState = 1; bool announced = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        lastRefoundedCompany = 6; host.Advance(600); EXPECT_TRUE(d.open());
        announced = Said(("会社が倒産し,新たに[ " + Utf8(companies[6].name) + " ]が現れました").c_str());
    });
    host.Advance(500); EXPECT_EQ(host.openedDialogs.back(), IDD_DETENTION); EXPECT_TRUE(announced);
}

TEST_F(NestedTicks, DialogStepsCommitBeforeTheirBoxes) {
    const struct { int dialog, field, button; const char* typed; std::function<bool()> committed; } rows[] = {
        {IDD_BANK, 1117, 1017, "1000", [] { return companies[0].loans[0] == 1000; }},
        {IDD_HEADQUARTERS, 1005, 1017, "1000", [] { return companies[0].issuedShares == 8001000; }}};
    companies[0].profit = 1000000000;   // enough to issue shares
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dialog); bool seen = false;
        host.openBoxes.push_back([&](const RecordedMessage&) { seen = row.committed(); });
        RunDialog(row.dialog, [&](HeadlessDialog& d) { d.Type(row.field, row.typed); d.Press(row.button); });
        EXPECT_TRUE(seen); host.openBoxes.clear();
    }
}
