// The media, the university and the shop, by control id from the field map; the market tick ends
// research, the drive-tray tools reach the port.
#include "market/market_tick.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/new_game.h"

namespace {

constexpr int MEDIA = 135, UNIVERSITY = 136, SHOP = 141;

// Each station: its buttons, prices, success modulus (1: no success draw) and the trend each report sets.
const struct { int raise, lower; int64_t raiseCost, lowerCost; int modulus; int32_t raiseState, lowerState; }
    STATIONS[5] = {{1017, 1018, 40000000, 20000000, 1, 4, 7}, {1019, 1020, 16000000, 8000000, 2, 4, 7},
                   {1021, 1022, 3000000, 1500000, 2, 3, 6}, {1023, 1024, 800000, 400000, 3, 3, 6},
                   {1025, 1026, 300000, 150000, 3, 2, 5}};
const struct { int button; int64_t fee; } UNIVERSITIES[8] = {{1017, 100000000}, {1019, 50000000}, {1021, 45000000},
    {1023, 40000000}, {1025, 5000000}, {1026, 2300000}, {1027, 2300000}, {1028, 800000}};

}  // namespace

class InfluenceTest : public GameTest {
protected:
    void PressIn(int dialog, int button) { RunDialog(dialog, [&](HeadlessDialog& d) { d.Press(button); }); }
    ListedCompany& me = companies[0];
};

TEST_F(InfluenceTest, CloseAndEscapeEndEachDialogWithTheirIds) {
    for (int dialog : {MEDIA, UNIVERSITY, SHOP})
        for (int id : {1, 2}) RunDialog(dialog, [&](HeadlessDialog& d) { d.Press(id); EXPECT_EQ(d.open() ? -1 : d.result(), id); });
}

// Evidence is drawn first (the top station's lowering leaves 1000, undrawn), then success; money goes anyway.
TEST_F(InfluenceTest, MediaReportsSucceedFailOrAreRefusedWithTheirDraws) {
    enum Outcome { SUCCESS, FAILURE, TOO_POOR };
    for (int row = 0; row < 5; ++row) {
        for (bool raise : {true, false}) {
            for (Outcome o : {SUCCESS, FAILURE, TOO_POOR}) {
                const auto& s = STATIONS[row]; const int m = s.modulus;
                if (o == FAILURE && m == 1) continue;
                SCOPED_TRACE(std::to_string(row) + (raise ? " raise " : " lower ") + std::to_string(o));
                const bool topLower = row == 0 && !raise, drawsEvidence = o != TOO_POOR && !topLower;
                const int64_t cost = raise ? s.raiseCost : s.lowerCost;
                selectedCompany = 7; companies[7].trendState = 1; newsPending[7] = 0; illegalityFactor = 5;
                me.funds = o == TOO_POOR ? cost - 1 : cost + 77;
                // The second draw decides; the first alone would decide otherwise.
                const DrawTest decides = [&](int32_t v) { return m == 1 || (v % m == 0) == (o == SUCCESS); };
                const uint32_t state = ArrangeDraws({[&](int32_t v) { return m == 1 || !decides(v); }, decides});
                uint32_t next = state;
                const int32_t evidence = o == TOO_POOR ? 0 : topLower ? 1000 : NextDraw(next) % 1000;
                PressIn(MEDIA, raise ? s.raise : s.lower);
                EXPECT_EQ(DrawsSince(state), (drawsEvidence ? 1 : 0) + (o != TOO_POOR && m > 1 ? 1 : 0));
                EXPECT_EQ(std::make_pair(illegalityFactor, me.funds), std::make_pair(5 + evidence, o == TOO_POOR ? cost - 1 : 77));
                const int32_t trend = o != SUCCESS ? 1 : raise ? s.raiseState : s.lowerState;
                EXPECT_EQ(std::make_pair(companies[7].trendState, newsPending[7]), std::make_pair(trend, o == SUCCESS ? 1 : 0));
                const std::string what = raise ? "株価を上げる報道" : "株価を下げる報道";
                EXPECT_EQ(TakeBoxes(), (Boxes{o == TOO_POOR ? "[] 金が足りません."
                                                  : "[] " + what + (o == SUCCESS ? "に成功しました." : "は失敗に終わった.")}));
            }
        }
    }
    me.funds = 100000000; illegalityFactor = INT32_MAX - 10; PressIn(MEDIA, STATIONS[0].lower);
    EXPECT_EQ(illegalityFactor, INT32_MAX);   // the evidence stops at its bound instead of wrapping
}

TEST_F(InfluenceTest, EachUniversityStartsItsResearchForExactlyItsFee) {
    for (int row = 1; row <= 8; ++row) {
        const auto& u = UNIVERSITIES[row - 1]; researchUnderway = 0; me.funds = u.fee - 1;
        PressIn(UNIVERSITY, u.button);
        EXPECT_EQ(std::make_tuple(researchUnderway, me.funds), std::make_tuple(0, u.fee - 1)) << row;
        me.funds = u.fee; const uint32_t state = GameRandState(); PressIn(UNIVERSITY, u.button);
        EXPECT_EQ(std::make_tuple(researchUnderway, me.funds, DrawsSince(state)), std::make_tuple(row, int64_t{0}, 0)) << row;
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 金が足りません.", "[] 研究を開始します."})) << row;
    }
}

TEST_F(InfluenceTest, RunningResearchRefusesAnotherAndTheMarketTickPaysATenthOfTheFee) {
    me.funds = 200000000;
    RunDialog(UNIVERSITY, [&](HeadlessDialog& d) {
        EXPECT_EQ(TextOf(d, 1139) + " " + TextOf(d, 1141), "100000000 800000");   // the fees of the top and last rows
        for (int id : {1025, 1017, 1025}) d.Press(id);   // the same or another while the first runs
    });
    EXPECT_EQ(me.funds, 200000000 - 5000000);
    me.funds = 0; PressIn(UNIVERSITY, 1028);   // the running project is reported before the money
    EXPECT_EQ(researchUnderway, 5);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 研究を開始します.", "[] 研究中です.", "[] 研究中です.", "[] 研究中です."}));
    const int64_t profit = me.profit;
    marketHalt = 1; ArrangeDraws({Mod(10, 0)}); RunMarketTick(WIN_BOARD);   // a tick with nothing else to do
    EXPECT_EQ(std::make_tuple(researchUnderway, me.profit, me.funds), std::make_tuple(0, profit + 500000, int64_t{0}));
    EXPECT_EQ(TakeBoxes(), (Boxes{"[研究] 研究の成果により,会社の利益が500000万円増加しました.."}));
    me.funds = 800000; PressIn(UNIVERSITY, 1028); ASSERT_EQ(researchUnderway, 8);
    NewGameSetup(); EXPECT_EQ(researchUnderway, 0);   // a new game ends it without a result
}

TEST_F(InfluenceTest, ToolsAreBoughtOnceForExactlyTheirPriceThenMoveTheTrayForFree) {
    shopOwned[2] = 4; shopOwned[3] = 2; screenMode = SCREEN_FIELD;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) { EXPECT_EQ(TextOf(d, 1007) + TextOf(d, 1008), "42"); });
    host.ClickMain(35, 35); EXPECT_EQ(host.openedDialogs, std::vector<int>{SHOP});   // from the field map
    const struct { int button; int64_t price; bool open; } tools[2] = {{1017, 100000, true}, {1018, 150000, false}};
    for (int k = 0; k < 2; ++k) {
        const auto& t = tools[k]; host.trayCommands.clear(); const int64_t profit = me.profit, property = me.property;
        RunDialog(SHOP, [&](HeadlessDialog& d) {
            me.funds = t.price - 1; d.Press(t.button); EXPECT_EQ(TextOf(d, t.button), "購入");
            me.funds = t.price; d.Press(t.button); EXPECT_EQ(TextOf(d, t.button), "使う");
            EXPECT_EQ(std::make_tuple(me.funds, shopOwned[k], host.trayCommands.empty()), std::make_tuple(int64_t{0}, 1, true));
            EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに資金がありません.", "[] 購入しました."})); d.Press(t.button);
        });
        // Owned for good: the reopened dialog offers the use again, silently and for free.
        RunDialog(SHOP, [&](HeadlessDialog& d) { EXPECT_EQ(TextOf(d, t.button), "使う"); d.Press(t.button); });
        EXPECT_EQ(host.trayCommands, (std::vector<bool>{t.open, t.open})); EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(std::make_tuple(me.funds, me.profit, me.property), std::make_tuple(int64_t{0}, profit, property));
    }
}

// Buildings add their profit and a tenth of their price to the property; a sale gives back only that tenth.
TEST_F(InfluenceTest, BuildingsAreBoughtAndSoldOneAtATime) {
    const struct { int button; int64_t funds; int32_t apartments, offices; const char* box; int64_t fundsAfter, profit,
                   property; int32_t apartmentsAfter, officesAfter; } rows[] = {
        {1019, 300000, 0, 0, "購入しました.", 0, 100, 30000, 1, 0},
        {1021, 0, 1, 0, "売却しました.", 30000, -100, -30000, 0, 0},
        {1020, 2000000, 0, 0, "購入しました.", 0, 500, 200000, 0, 1},
        {1020, 1999999, 0, 1, "そんなに資金がありません.", 1999999, 0, 0, 0, 1},
        {1022, 0, 0, 2, "売却しました.", 200000, -500, -200000, 0, 1},
        {1021, 500, 0, 3, "所持していません.", 500, 0, 0, 0, 3}, {1022, 500, 3, 0, "所持していません.", 500, 0, 0, 3, 0},
        {1019, 300000, INT32_MAX, 0, "これ以上は購入できません.", 300000, 0, 0, INT32_MAX, 0},   // nothing charged
    };
    RunDialog(SHOP, [&](HeadlessDialog& d) {
        for (const auto& r : rows) {
            SCOPED_TRACE(std::to_string(r.button) + " " + std::to_string(r.funds));
            me.funds = r.funds; shopOwned[2] = r.apartments; shopOwned[3] = r.offices;
            const int64_t profit = me.profit, property = me.property; d.Press(r.button);
            EXPECT_EQ(TakeBoxes(), (Boxes{std::string("[] ") + r.box}));
            EXPECT_EQ(std::make_tuple(me.funds, me.profit - profit, me.property - property, shopOwned[2], shopOwned[3]),
                      std::make_tuple(r.fundsAfter, r.profit, r.property, r.apartmentsAfter, r.officesAfter));
            const bool apartment = r.button % 2 == 1;   // else an office building
            if (r.fundsAfter != r.funds) {
                EXPECT_EQ(d.ItemText(apartment ? 1007 : 1008), std::to_string(apartment ? r.apartmentsAfter : r.officesAfter));
            }
        }
    });
}
