// The exchange screen's trading buttons and the buy and sell dialogs, driven as the player drives
// them: clicks on the exchange screen, typing and pressing by control id, the dialogs' own timer.
#include <climits>

#include "corporate/trading_dialogs.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

constexpr int ID_ORDER = 1, ID_CANCEL = 2, ID_QUANTITY = 1002, ID_NAME = 1003, ID_PRICE = 1004;
constexpr int ID_MARKET_BUY = 1005, ID_LIMIT_BUY = 1006, ID_LIMIT_PRICE = 1007, ID_ESTIMATE = 1008;
constexpr int STOCK = 5, BUY = 125, SELL = 177;   // the buttons' heights on the exchange screen

const char* const AT_LEAST_100 = "[] １００株以上注文してください";
const char* const CHOOSE = "[これじゃ注文は受られまへん] 購入方法を選択して下さい。";
const char* const ORDERED = "[注文完了] 注文しました";
const char* const AFTER_HOURS = "[] 注文を時間外取引で行います.";
using V = std::vector<int64_t>;

}  // namespace

class Trading : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        screenMode = SCREEN_FIELD;
        host.ClickMain(485, 55);
        host.ClickBoard(50, 12 * STOCK + 15);
        ASSERT_EQ(V({screenMode, selectedCompany}), V({SCREEN_EXCHANGE, STOCK}));
        companies[STOCK].sharePrice = 1234, companies[STOCK].floatingShares = 50000, companies[0].holdings[STOCK] = 500;
        ClearMessages();
    }
    static V Orders() {
        const PendingOrders& o = pendingOrders;
        return {o.marketBuyCompany, o.marketBuyQty, o.limitBuyCompany, o.limitBuyQty, o.limitBuyPrice, o.sellCompany,
                o.sellQty};
    }
    // A button of the exchange screen; `act` runs in the dialog it opens.
    void Click(int y, std::function<void(HeadlessDialog&)> act = nullptr) {
        if (act) host.dialogHandlers.push_back(std::move(act));
        host.ClickMain(400, y);
        host.dialogHandlers.clear();
    }
    // Every box so far must belong to `owner`.
    Boxes TakeOwned(WindowId owner) {
        for (const auto& m : host.messages) EXPECT_EQ(m.owner, owner) << Utf8(m.text);
        return TakeBoxes(true);
    }
};

TEST_F(Trading, DialogsOpenUnlessBlockedHaltTheMarketAndEveryCloseFreesIt) {
    const char* const noBuy = "[不可] 自社株の買戻しはここでは行えません\n株式情報ウィンドウから他の銘柄を選んでください";
    const char* const noSell = "[不可] 自社株の発行はここでは行えません\n株式情報ウィンドウから他の銘柄を選んでください";
    const char* const pending = "[注文中] 注文中です。\n約定するか,注文を取り消してから注文してください。";
    // refusal nullptr: the dialog opens and is left by `way`: Cancel, left open (the host's Escape),
    // closed by the window system past the procedure. A stray index reads as the own company.
    const struct { int selected; int64_t marketBuy, limitBuy, sell; int button, way; const char* refusal; } rows[] = {
        {0, 0, 0, 0, BUY, 0, noBuy},         {0, 0, 0, 0, SELL, 0, noSell},   {COMPANY_COUNT, 0, 0, 0, BUY, 0, noBuy},
        {8, 1000, 0, 0, BUY, 0, pending},    {8, 1000, 0, 0, SELL, 0, nullptr}, {5, 0, 1000, 0, BUY, 1, nullptr},
        {5, 0, 0, 500, SELL, 0, pending},    {5, 0, 0, 500, BUY, 2, nullptr},  {5, 0, 0, 0, SELL, 1, nullptr},
        {5, 0, 0, 0, SELL, 2, nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.selected << " " << r.button << " " << r.way);
        selectedCompany = r.selected, pendingOrders = PendingOrders{}, pendingOrders.marketBuyQty = r.marketBuy;
        pendingOrders.limitBuyQty = r.limitBuy, pendingOrders.sellQty = r.sell;
        if (!r.refusal) companies[r.selected].sharePrice = 1234;
        const int32_t day = historyIndex;
        host.openedDialogs.clear();
        Click(r.button, [&](HeadlessDialog& d) {
            EXPECT_EQ(d.ItemText(ID_NAME), companies[r.selected].name);
            EXPECT_EQ(TextOf(d, ID_PRICE) + " " + TextOf(d, ID_QUANTITY), "1234 0");
            d.Type(ID_QUANTITY, "150");
            host.Advance(2200);   // two ticks of the market, but no market day while open
            EXPECT_EQ(V({historyIndex, marketHalt, orderEntryQty}), V({day, 2, 150}));
            EXPECT_EQ(TextOf(d, ID_ESTIMATE), "12");
            marketHalt = 0, companies[r.selected].sharePrice = 99999;   // the tick puts the halt back
            d.Type(ID_QUANTITY, Sjis("  2500株"));
            d.Tick();
            EXPECT_EQ(marketHalt, 2);
            EXPECT_EQ(TextOf(d, ID_PRICE) + " " + TextOf(d, ID_ESTIMATE), "99999 24997");
            if (r.way == 0) d.Press(ID_CANCEL);
            if (r.way == 2) d.Close(0);
            EXPECT_EQ(d.open(), r.way == 1);
        });
        EXPECT_EQ(TakeOwned(WIN_MAIN), r.refusal ? Boxes{r.refusal} : Boxes{});
        EXPECT_EQ(V({static_cast<int64_t>(host.openedDialogs.size()), marketHalt}), V({r.refusal ? 0 : 1, 0}));
        EXPECT_EQ(V({pendingOrders.marketBuyQty, pendingOrders.sellQty}), V({r.marketBuy, r.sell}));
        pendingOrders = PendingOrders{};   // nothing to fill on the market day that follows
        host.Advance(1100);
        EXPECT_EQ(historyIndex, day + 1);
    }
}

TEST_F(Trading, OrdersAreCheckedThenPlacedAndTheDialogCloses) {
    const char* const short_ = "[] そんなに市場に株がありません";
    const struct { const char* situation; int button, method; const char *quantity, *limitPrice; Boxes boxes;
                   bool placed; } rows[] = {
        {"below a hundred", BUY, ID_MARKET_BUY, "99", "", {AT_LEAST_100, CHOOSE}, false},
        {"no method chosen", BUY, 0, "1000", "", {CHOOSE}, false},
        {"past the float", BUY, ID_LIMIT_BUY, "50001", "", {short_, CHOOSE}, false},
        {"a hundred", BUY, ID_MARKET_BUY, "100", "", {ORDERED}, true},
        {"the whole float", BUY, ID_LIMIT_BUY, "50000", "1236", {ORDERED}, true},
        {"a new limit replaces the old, its price unchecked", BUY, ID_LIMIT_BUY, "400", "-5", {ORDERED}, true},
        {"sale below a hundred", SELL, 0, "99", "", {AT_LEAST_100}, false},
        {"a sale of a hundred", SELL, 0, "100", "", {}, true},
        {"past the holding", SELL, 0, "501", "", {"[不可] そんなに株式を持っていません"}, false},
        {"the whole holding", SELL, 0, "500", "", {}, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.situation);
        V want = Orders();
        const int64_t q = r.placed ? std::stoll(r.quantity) : 0;
        if (r.placed && r.button == SELL) want[5] = STOCK, want[6] = q;
        else if (r.placed && r.method == ID_MARKET_BUY) want[0] = STOCK, want[1] = q;
        else if (r.placed) want[2] = STOCK, want[3] = q, want[4] = std::stoi(r.limitPrice);
        Click(r.button, [&](HeadlessDialog& d) {
            if (r.method) d.Press(r.method);
            d.Type(ID_LIMIT_PRICE, r.limitPrice);   // the sell dialog has no such field
            TypePress(d, ID_QUANTITY, r.quantity, ID_ORDER);
            EXPECT_EQ(d.open(), !r.placed);
            if (!r.placed) { EXPECT_EQ(TextOf(d, ID_QUANTITY), r.quantity); }   // kept for the player to correct
        });
        EXPECT_EQ(TakeOwned(WIN_DIALOG), r.boxes);
        EXPECT_EQ(marketHalt, 0);
        EXPECT_EQ(Orders(), want);
        pendingOrders.marketBuyQty = pendingOrders.sellQty = 0;   // lets the next dialogs open
    }
}

TEST_F(Trading, TheTickRefusesQuantitiesOutOfRange) {
    const char *const tooMany = "[不可] 一度にそんなに注文できません(1000億株まで)";
    const char *const tooManySell = "[不可] 一度にそんなに注文できません";
    // field: the quantity after the tick; estimate nullptr: not written.
    const struct { int button; int32_t price; const char *typed, *field, *estimate, *refusal; } rows[] = {
        {BUY, 1234, "100000000000", "100000000000", "12300000000", nullptr},
        {BUY, 1234, "100000000001", "0", nullptr, tooMany},
        {BUY, 1234, "-100", "0", nullptr, tooMany},
        {BUY, 1234, "-99", "-99", "0", nullptr},
        {SELL, 1234, "-100", "0", nullptr, tooManySell},
        {SELL, 1234, "100000000001", "100000000001", "12300000000", nullptr},   // no upper bound here
        // 20000 × 10^15 is beyond 64 bits: refused as a negative estimate is, never shown saturated.
        {SELL, 200000, "46116860184273800", "46116860184273800", "922337203685476000", nullptr},
        {SELL, 200000, "46116860184273900", "0", nullptr, tooManySell},
        {SELL, 5, "99999999999999999999", "99999999999999999999", "0", nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        companies[STOCK].sharePrice = r.price;
        Click(r.button, [&](HeadlessDialog& d) {
            d.Type(ID_QUANTITY, r.typed);
            d.Tick();
            EXPECT_EQ(TextOf(d, ID_QUANTITY) + " " + (r.estimate ? TextOf(d, ID_ESTIMATE) : ""),
                      std::string(r.field) + " " + (r.estimate ? r.estimate : ""));
            EXPECT_EQ(TakeOwned(WIN_DIALOG), r.refusal ? Boxes{r.refusal} : Boxes{});
            d.Tick();   // the reset field raises nothing more
            EXPECT_TRUE(host.messages.empty());
        });
    }
    EXPECT_EQ(orderEntryQty, LLONG_MAX);   // the last: read as the largest number
}

TEST_F(Trading, AfterHoursTradeChargesItsFeeAndCancelAllDropsEveryQuantity) {
    const char *const open = "[] 現在は市場は開いています.", *const nothing = "[] なにも注文されていません";
    const std::string fee15 = "?[確認] 費用が15万円かかりますが宜しいですか?";
    const std::string fee1 = "?[確認] 費用が1万円かかりますが宜しいですか?";
    const struct { int32_t hour, halt; int64_t marketBuy, limitBuy, sell, funds; MessageAnswer answer; Boxes boxes;
                   int64_t fundsAfter, flag; } rows[] = {
        {9, 0, 1000, 0, 0, 500, ANSWER_YES, {open}, 500, 0},
        {13, 0, 1000, 0, 0, 500, ANSWER_YES, {open}, 500, 0},
        {11, 1, 0, 0, 0, 500, ANSWER_YES, {nothing}, 500, 0},   // a halt closes
        {8, 0, 0, 1000, 0, 500, ANSWER_YES, {nothing}, 500, 0},   // a limit buy is not bought through
        {18, 0, 1050, 0, 499, 500, ANSWER_NO, {AFTER_HOURS, fee15}, 500, 0},
        {18, 0, 1050, 0, 499, 14, ANSWER_YES, {AFTER_HOURS, fee15, "[] お金が足りません."}, 14, 0},
        {18, 0, 1050, 0, 499, 15, ANSWER_YES, {AFTER_HOURS, fee15}, 0, 1},   // equality suffices
        {14, 0, 100, 0, 0, 15, ANSWER_YES, {AFTER_HOURS, fee1}, 14, 1},
        {8, 0, 0, 0, 100, 15, ANSWER_YES, {AFTER_HOURS, fee1}, 14, 1},
        // One share left of a partly filled order is still bought through, for no fee.
        {18, 0, 1, 0, 0, 15, ANSWER_YES, {AFTER_HOURS, "?[確認] 費用が0万円かかりますが宜しいですか?"}, 15, 1},
        // 3000億 shares: a fee beyond 32 bits, asked and charged in full.
        {18, 0, 0, 0, 300000000000LL, 5000000000LL, ANSWER_YES,
         {AFTER_HOURS, "?[確認] 費用が3000000000万円かかりますが宜しいですか?"}, 2000000000LL, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.hour << " " << r.funds);
        gameHour = r.hour, marketHalt = r.halt, companies[0].funds = r.funds, pendingOrders = PendingOrders{};
        pendingOrders.marketBuyQty = r.marketBuy, pendingOrders.limitBuyQty = r.limitBuy, pendingOrders.sellQty = r.sell;
        host.answers = {r.answer};
        host.ClickMain(400, 229);
        EXPECT_EQ(TakeOwned(WIN_MAIN), r.boxes);
        EXPECT_EQ(V({companies[0].funds, pendingOrders.afterHoursTrade, pendingOrders.marketBuyQty, pendingOrders.sellQty}),
                  V({r.fundsAfter, r.flag, r.marketBuy, r.sell}));   // the orders stay
    }
    PendingOrders& o = pendingOrders;
    o.limitBuyCompany = o.marketBuyCompany = o.sellCompany = STOCK, o.limitBuyPrice = 1231;
    o.limitBuyQty = 2000, o.marketBuyQty = 1000, o.sellQty = 500;
    host.ClickMain(400, 281);
    EXPECT_EQ(TakeOwned(WIN_MAIN), Boxes{"[取り消し] 全ての注文を取り消しました"});
    EXPECT_EQ(Orders(), V({STOCK, 0, STOCK, 0, 1231, STOCK, 0}));
}
