// The exchange screen's trading buttons and the buy and sell dialogs, driven
// as the player drives them: clicks on the exchange screen, typing and
// pressing by control id, the market tick on the virtual clock.
#include <algorithm>
#include <climits>

#include "corporate/trading_dialogs.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/world_state.h"

namespace {

constexpr int ID_ORDER = 1, ID_CANCEL = 2, ID_QUANTITY = 1002, ID_NAME = 1003, ID_PRICE = 1004;
constexpr int ID_MARKET_BUY = 1005, ID_LIMIT_BUY = 1006, ID_LIMIT_PRICE = 1007, ID_ESTIMATE = 1008;
constexpr int STOCK = 5;

const char* const AT_LEAST_100 = "１００株以上注文してください";
const char* const CHOOSE_METHOD = "購入方法を選択して下さい。";
const char* const TOO_MANY_BUY = "一度にそんなに注文できません(1000億株まで)";
const char* const TOO_MANY_SELL = "一度にそんなに注文できません";
const char* const PENDING = "注文中です。\n約定するか,注文を取り消してから注文してください。";
const char* const AFTER_HOURS = "注文を時間外取引で行います.";
using Lines = std::vector<std::string>;

}  // namespace

class TradingTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        screenMode = SCREEN_FIELD;
        host.ClickMain(485, 55);
        ASSERT_EQ(screenMode, SCREEN_EXCHANGE);
        SelectRow(STOCK);
        companies[STOCK].sharePrice = 1234;
        companies[STOCK].floatingShares = 50000;
        companies[0].holdings[STOCK] = 500;
        ClearMessages();
    }

    // A click on the stock board's row, as the player selects a stock.
    void SelectRow(int row) {
        host.ClickBoard(50, 12 * row + 15);
        ASSERT_EQ(selectedCompany, row);
    }
    // The exchange screen's buttons; `act` runs in the dialog the button opens.
    void ClickBuy(std::function<void(HeadlessDialog&)> act = nullptr) { Click(125, std::move(act)); }
    void ClickSell(std::function<void(HeadlessDialog&)> act = nullptr) { Click(177, std::move(act)); }
    void ClickAfterHours() { host.ClickMain(400, 229); }
    void ClickCancelAll() { host.ClickMain(400, 281); }

    int Opened(int id) const {
        return static_cast<int>(std::count(host.openedDialogs.begin(), host.openedDialogs.end(), id));
    }
    // The only message box shown so far: text, caption and owner.
    void ExpectOnly(const char* text, const char* caption, WindowId owner) {
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(Utf8(host.messages[0].text), text);
        EXPECT_EQ(Utf8(host.messages[0].caption), caption);
        EXPECT_EQ(host.messages[0].owner, owner);
        ClearMessages();
    }
    // An order placed through its dialog, which must close.
    void Buy(int method, const std::string& quantity, const char* limitPrice = "") {
        ClickBuy([=](HeadlessDialog& d) {
            d.Press(method);
            d.Type(ID_LIMIT_PRICE, limitPrice);
            d.Type(ID_QUANTITY, quantity);
            d.Press(ID_ORDER);
            EXPECT_FALSE(d.open());
        });
    }
    void Sell(const std::string& quantity) {
        ClickSell([=](HeadlessDialog& d) {
            d.Type(ID_QUANTITY, quantity);
            d.Press(ID_ORDER);
            EXPECT_FALSE(d.open());
        });
    }
    // Types a quantity and lets the dialog's timer tick once.
    static void TypeAndTick(HeadlessDialog& d, const char* quantity) {
        d.Type(ID_QUANTITY, Sjis(quantity));
        d.Tick();
    }

private:
    void Click(int y, std::function<void(HeadlessDialog&)> act) {
        if (act) host.dialogHandlers.push_back(std::move(act));
        host.ClickMain(400, y);
        host.dialogHandlers.clear();
    }
};

// ---------------------------------------------------------------- buy dialog

using TradingBuyDialog = TradingTest;

TEST_F(TradingBuyDialog, OpensHaltsTheMarketAndShowsTheEstimate) {
    const int32_t day = historyIndex;
    ClickBuy([&](HeadlessDialog& d) {
        EXPECT_EQ(d.ItemText(ID_NAME), companies[STOCK].name);
        EXPECT_EQ(TextOf(d, ID_PRICE), "1234");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "0");
        EXPECT_FALSE(d.IsChecked(ID_MARKET_BUY) || d.IsChecked(ID_LIMIT_BUY));
        d.Type(ID_QUANTITY, Sjis("150"));
        host.Advance(2200);   // two market ticks: no market day while open
        EXPECT_EQ(historyIndex, day);
        EXPECT_EQ(marketHalt, 2);
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "12");
        EXPECT_EQ(orderEntryQty, 150);
        // The tick puts the halt back whatever cleared it, and follows the price.
        marketHalt = 0;
        companies[STOCK].sharePrice = 99999;
        TypeAndTick(d, "99");
        EXPECT_EQ(marketHalt, 2);
        EXPECT_EQ(TextOf(d, ID_PRICE), "99999");
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "0");
        TypeAndTick(d, "  2500株");
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "24997");
    });
    EXPECT_EQ(marketHalt, 0);
    EXPECT_TRUE(host.messages.empty());
    host.Advance(1100);
    EXPECT_EQ(historyIndex, day + 1);
}

TEST_F(TradingBuyDialog, HundredSharesAcceptedNinetyNineRefusedTwice) {
    ClickBuy([&](HeadlessDialog& d) {
        d.Press(ID_MARKET_BUY);
        d.Type(ID_QUANTITY, Sjis("99"));
        d.Press(ID_ORDER);
        EXPECT_TRUE(d.open());
        EXPECT_EQ(MessagesUtf8(), (Lines{AT_LEAST_100, CHOOSE_METHOD}));
        EXPECT_EQ(host.messages[0].caption, "");
        EXPECT_EQ(Utf8(host.messages[1].caption), "これじゃ注文は受られまへん");
        EXPECT_EQ(host.messages[1].owner, WIN_DIALOG);
        EXPECT_EQ(pendingOrders.marketBuyQty, 0);
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "99");   // kept for the player to correct
        ClearMessages();
        d.Type(ID_QUANTITY, Sjis("100"));
        d.Press(ID_ORDER);
        EXPECT_FALSE(d.open());
    });
    ExpectOnly("注文しました", "注文完了", WIN_DIALOG);
    EXPECT_EQ(pendingOrders.marketBuyCompany, STOCK);
    EXPECT_EQ(pendingOrders.marketBuyQty, 100);
    EXPECT_EQ(pendingOrders.limitBuyQty, 0);
    EXPECT_EQ(marketHalt, 0);
}

TEST_F(TradingBuyDialog, TheWholeFloatCanBeBoughtButNoMore) {
    for (int method : {ID_MARKET_BUY, ID_LIMIT_BUY}) {
        ClickBuy([&](HeadlessDialog& d) {
            d.Press(method);
            d.Type(ID_QUANTITY, Sjis("50001"));
            d.Press(ID_ORDER);
            EXPECT_TRUE(d.open());
        });
        EXPECT_EQ(MessagesUtf8(), (Lines{"そんなに市場に株がありません", CHOOSE_METHOD}));
        ClearMessages();
    }
    EXPECT_EQ(pendingOrders.marketBuyQty + pendingOrders.limitBuyQty, 0);
    Buy(ID_LIMIT_BUY, "50000", "1236");
    EXPECT_EQ(pendingOrders.limitBuyCompany, STOCK);
    EXPECT_EQ(pendingOrders.limitBuyPrice, 1236);
    EXPECT_EQ(pendingOrders.limitBuyQty, 50000);
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    // A new limit order replaces the old one, its price taken unchecked.
    SelectRow(7);
    companies[7].floatingShares = 1000;
    Buy(ID_LIMIT_BUY, "400", "-5");
    EXPECT_EQ(pendingOrders.limitBuyCompany, 7);
    EXPECT_EQ(pendingOrders.limitBuyPrice, -5);
    EXPECT_EQ(pendingOrders.limitBuyQty, 400);
    Buy(ID_MARKET_BUY, "1000");
    EXPECT_EQ(pendingOrders.marketBuyCompany, 7);
    EXPECT_EQ(pendingOrders.marketBuyQty, 1000);
}

TEST_F(TradingBuyDialog, NoMethodChosenKeepsTheDialogOpen) {
    ClickBuy([&](HeadlessDialog& d) {
        d.Type(ID_QUANTITY, Sjis("1000"));
        d.Press(ID_ORDER);
        // A non-numeric quantity reads as 0 and is refused as below 100.
        d.Press(ID_LIMIT_BUY);
        d.Type(ID_QUANTITY, Sjis("abc"));
        d.Press(ID_ORDER);
        EXPECT_TRUE(d.open());
    });
    EXPECT_EQ(MessagesUtf8(), (Lines{CHOOSE_METHOD, AT_LEAST_100, CHOOSE_METHOD}));
    EXPECT_EQ(pendingOrders.marketBuyQty + pendingOrders.limitBuyQty, 0);
    EXPECT_EQ(marketHalt, 0);
}

TEST_F(TradingBuyDialog, TickRefusesOverOneHundredBillionAndNegativeEstimates) {
    ClickBuy([&](HeadlessDialog& d) {
        TypeAndTick(d, "100000000000");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "100000000000");
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "12300000000");
        EXPECT_TRUE(host.messages.empty());
        TypeAndTick(d, "100000000001");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "0");
        ExpectOnly(TOO_MANY_BUY, "不可", WIN_DIALOG);
        d.Tick();   // the reset field raises nothing more
        EXPECT_TRUE(host.messages.empty());

        for (const char* negative : {"-100", "-99999999999999999999"}) {
            TypeAndTick(d, negative);
            EXPECT_EQ(TextOf(d, ID_QUANTITY), "0");
            ExpectOnly(TOO_MANY_BUY, "不可", WIN_DIALOG);
        }
        TypeAndTick(d, "-99");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "-99");
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "0");
        EXPECT_TRUE(host.messages.empty());
        d.Press(ID_MARKET_BUY);
        d.Press(ID_ORDER);
        EXPECT_EQ(MessagesUtf8(), (Lines{AT_LEAST_100, CHOOSE_METHOD}));
    });
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
}

TEST_F(TradingBuyDialog, EveryWayOfClosingFreesTheMarket) {
    ClickBuy([&](HeadlessDialog& d) {
        d.Press(ID_MARKET_BUY);
        d.Type(ID_QUANTITY, Sjis("500"));
        d.Press(ID_CANCEL);
        EXPECT_FALSE(d.open());
    });
    EXPECT_EQ(marketHalt, 0);
    ClickBuy([&](HeadlessDialog& d) { d.Tick(); });   // left open: Escape
    EXPECT_EQ(marketHalt, 0);
    // Closed by the window system, past the procedure.
    ClickBuy([](HeadlessDialog& d) { d.Close(0); });
    EXPECT_EQ(marketHalt, 0);
    EXPECT_EQ(Opened(IDD_BUY), 3);
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    EXPECT_TRUE(host.messages.empty());
}

// ---------------------------------------------------------------- sell dialog

using TradingSellDialog = TradingTest;

TEST_F(TradingSellDialog, OpensHaltsTheMarketAndEveryCloseFreesIt) {
    ClickSell([&](HeadlessDialog& d) {
        EXPECT_EQ(d.ItemText(ID_NAME), companies[STOCK].name);
        EXPECT_EQ(TextOf(d, ID_PRICE), "1234");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "0");
        d.Type(ID_QUANTITY, Sjis("150"));
        host.Advance(100);
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "12");
        EXPECT_EQ(marketHalt, 2);
        d.Press(ID_CANCEL);
    });
    EXPECT_EQ(marketHalt, 0);
    ClickSell([](HeadlessDialog& d) { d.Tick(); });
    EXPECT_EQ(marketHalt, 0);
    ClickSell([](HeadlessDialog& d) { d.Close(0); });
    EXPECT_EQ(marketHalt, 0);
    EXPECT_EQ(Opened(IDD_SELL), 3);
    EXPECT_EQ(pendingOrders.sellQty, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(TradingSellDialog, AtLeastHundredAndAtMostTheHolding) {
    ClickSell([&](HeadlessDialog& d) {
        for (const char* q : {"99", "0", "-50", "x"}) {
            d.Type(ID_QUANTITY, Sjis(q));
            d.Press(ID_ORDER);
            ExpectOnly(AT_LEAST_100, "", WIN_DIALOG);
        }
        d.Type(ID_QUANTITY, Sjis("501"));
        d.Press(ID_ORDER);
        EXPECT_TRUE(d.open());
        ExpectOnly("そんなに株式を持っていません", "不可", WIN_DIALOG);
        EXPECT_EQ(pendingOrders.sellQty, 0);
        d.Type(ID_QUANTITY, Sjis("500"));
        d.Press(ID_ORDER);
        EXPECT_FALSE(d.open());
    });
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(pendingOrders.sellCompany, STOCK);
    EXPECT_EQ(pendingOrders.sellQty, 500);
    EXPECT_EQ(marketHalt, 0);
}

TEST_F(TradingSellDialog, TickRefusesOnlyANegativeEstimate) {
    ClickSell([&](HeadlessDialog& d) {
        TypeAndTick(d, "-100");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "0");
        ExpectOnly(TOO_MANY_SELL, "不可", WIN_DIALOG);
        TypeAndTick(d, "-99");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "-99");
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "0");
        TypeAndTick(d, "100000000001");   // no upper bound here
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "100000000001");
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), "12300000000");
        // 20000 × 10^15 is beyond 64 bits: wrapped, the estimate would turn
        // negative and refuse the field; it saturates instead.
        companies[STOCK].sharePrice = 200000;
        TypeAndTick(d, "100000000000000000");
        EXPECT_EQ(TextOf(d, ID_QUANTITY), "100000000000000000");
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), std::to_string(LLONG_MAX / 10));
        TypeAndTick(d, "99999999999999999999");   // read as the largest number
        EXPECT_EQ(orderEntryQty, LLONG_MAX);
        EXPECT_EQ(TextOf(d, ID_ESTIMATE), std::to_string(LLONG_MAX / 10));
        EXPECT_TRUE(host.messages.empty());
    });
}

// ---------------------------------------------------------------- blocking rules

using TradingBlocking = TradingTest;

TEST_F(TradingBlocking, OwnCompanyCannotBeTraded) {
    const char* const noBuy = "自社株の買戻しはここでは行えません\n株式情報ウィンドウから他の銘柄を選んでください";
    const char* const noSell = "自社株の発行はここでは行えません\n株式情報ウィンドウから他の銘柄を選んでください";
    SelectRow(0);
    ClickBuy();
    ExpectOnly(noBuy, "不可", WIN_MAIN);
    ClickSell();
    ExpectOnly(noSell, "不可", WIN_MAIN);
    // A stray index beyond the board reads as the own company too.
    selectedCompany = COMPANY_COUNT;
    ClickBuy();
    ExpectOnly(noBuy, "不可", WIN_MAIN);
    EXPECT_TRUE(host.openedDialogs.empty());
    EXPECT_EQ(marketHalt, 0);
}

TEST_F(TradingBlocking, PendingMarketBuyBlocksTheBuyDialogOnly) {
    Buy(ID_LIMIT_BUY, "1000", "1200");
    Buy(ID_LIMIT_BUY, "1000", "1200");   // a limit buy blocks nothing
    Buy(ID_MARKET_BUY, "1000");
    EXPECT_EQ(Opened(IDD_BUY), 3);
    ClearMessages();
    SelectRow(8);   // for any stock
    ClickBuy();
    ExpectOnly(PENDING, "注文中", WIN_MAIN);
    EXPECT_EQ(Opened(IDD_BUY), 3);
    EXPECT_EQ(marketHalt, 0);
    ClickSell();
    EXPECT_EQ(Opened(IDD_SELL), 1);
    EXPECT_EQ(pendingOrders.marketBuyQty, 1000);
}

TEST_F(TradingBlocking, PendingSellBlocksTheSellDialogOnly) {
    Sell("500");
    ClearMessages();
    ClickSell();
    ExpectOnly(PENDING, "注文中", WIN_MAIN);
    EXPECT_EQ(Opened(IDD_SELL), 1);
    ClickBuy();
    EXPECT_EQ(Opened(IDD_BUY), 1);
}

// ---------------------------------------------------------------- after hours

class TradingAfterHours : public TradingTest {
protected:
    // Outside the trading hours the command goes on to the fee.
    void CloseTheMarket() { gameHour = 18; }
};

TEST_F(TradingAfterHours, DuringTradingHoursTheMarketIsOpen) {
    ASSERT_EQ(gameHour, 11);
    Buy(ID_MARKET_BUY, "1000");
    ClearMessages();
    const int64_t funds = companies[0].funds;
    for (int hour : {11, 9, 13}) {
        gameHour = hour;
        ClickAfterHours();
        ExpectOnly("現在は市場は開いています.", "", WIN_MAIN);
    }
    EXPECT_EQ(companies[0].funds, funds);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);
}

TEST_F(TradingAfterHours, NothingOrderedButALimitBuy) {
    marketHalt = 1;   // a halt counts as closed, within the hours too
    ClickAfterHours();
    ExpectOnly("なにも注文されていません", "", WIN_MAIN);
    marketHalt = 0;
    Buy(ID_LIMIT_BUY, "1000", "1234");
    ClearMessages();
    gameHour = 8;
    ClickAfterHours();
    ExpectOnly("なにも注文されていません", "", WIN_MAIN);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);
}

TEST_F(TradingAfterHours, FeeIsAskedAndMustBeAffordable) {
    Buy(ID_MARKET_BUY, "1050");
    Sell("499");
    CloseTheMarket();
    ClearMessages();
    const int64_t funds = companies[0].funds;
    ClickAfterHours();   // declined
    EXPECT_EQ(MessagesUtf8(), (Lines{AFTER_HOURS, "費用が15万円かかりますが宜しいですか?"}));
    EXPECT_EQ(host.messages[0].caption, "");
    EXPECT_EQ(Utf8(host.messages[1].caption), "確認");
    EXPECT_EQ(host.messages[1].style, MB_STYLE_YES_NO);
    EXPECT_EQ(host.messages[1].owner, WIN_MAIN);
    EXPECT_EQ(companies[0].funds, funds);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);

    ClearMessages();
    companies[0].funds = 14;
    host.answers.push_back(ANSWER_YES);
    ClickAfterHours();
    EXPECT_EQ(MessagesUtf8(), (Lines{AFTER_HOURS, "費用が15万円かかりますが宜しいですか?", "お金が足りません."}));
    EXPECT_EQ(host.messages[2].caption, "");
    EXPECT_EQ(companies[0].funds, 14);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);

    companies[0].funds = 15;   // equality suffices
    host.answers.push_back(ANSWER_YES);
    ClickAfterHours();
    EXPECT_EQ(companies[0].funds, 0);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 1);
    EXPECT_EQ(pendingOrders.marketBuyQty, 1050);
    EXPECT_EQ(pendingOrders.sellQty, 499);
}

TEST_F(TradingAfterHours, LargeFeeIsAskedAndChargedInFull) {
    // 3000億 shares sold: a fee of 30億万円, beyond 32 bits.
    companies[0].holdings[STOCK] = 300000000000LL;
    Sell("300000000000");
    CloseTheMarket();
    companies[0].funds = 5000000000LL;
    ClearMessages();
    host.answers.push_back(ANSWER_YES);
    ClickAfterHours();
    EXPECT_TRUE(SaidWith("費用が3000000000万円かかりますが宜しいですか?", "確認"));
    EXPECT_EQ(companies[0].funds, 2000000000LL);
}

TEST_F(TradingAfterHours, PaidOrderFillsAtOnceWhileTheMarketIsHalted) {
    Buy(ID_MARKET_BUY, "1000");
    CloseTheMarket();
    host.answers.push_back(ANSWER_YES);
    ClickAfterHours();
    ASSERT_EQ(pendingOrders.afterHoursTrade, 1);
    const int64_t held = companies[0].holdings[STOCK];
    const int32_t day = historyIndex;
    ClearMessages();
    ClickSell([&](HeadlessDialog&) { host.Advance(1100); });   // halted by the dialog
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);
    EXPECT_EQ(companies[0].holdings[STOCK], held + 1000);
    EXPECT_EQ(historyIndex, day);
    EXPECT_EQ(Utf8(host.messages.front().caption), "約定");
}

// ---------------------------------------------------------------- cancel all

using TradingCancelAll = TradingTest;

TEST_F(TradingCancelAll, DropsEveryQuantityAndKeepsTheRest) {
    Buy(ID_LIMIT_BUY, "2000", "1231");
    Buy(ID_MARKET_BUY, "1000");
    Sell("500");
    ClearMessages();
    ClickCancelAll();
    ExpectOnly("全ての注文を取り消しました", "取り消し", WIN_MAIN);
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    EXPECT_EQ(pendingOrders.limitBuyQty, 0);
    EXPECT_EQ(pendingOrders.sellQty, 0);
    EXPECT_EQ(pendingOrders.marketBuyCompany, STOCK);
    EXPECT_EQ(pendingOrders.limitBuyCompany, STOCK);
    EXPECT_EQ(pendingOrders.limitBuyPrice, 1231);
    EXPECT_EQ(pendingOrders.sellCompany, STOCK);
    ClickBuy();
    ClickSell();
    EXPECT_EQ(Opened(IDD_BUY), 3);
    EXPECT_EQ(Opened(IDD_SELL), 2);
    EXPECT_TRUE(host.messages.empty());
}

// ---------------------------------------------------------------- one order end to end

using TradingOrderFlow = TradingTest;

TEST_F(TradingOrderFlow, MarketBuyFillsOnAMarketTick) {
    // Enough shares that the purchase moves the price.
    ListedCompany& c = companies[STOCK];
    c.floatingShares = c.issuedShares;
    companies[0].funds = 1000000000;
    const int64_t q = c.issuedShares / 100 / 100 * 100;
    Buy(ID_MARKET_BUY, std::to_string(q));
    ASSERT_EQ(pendingOrders.marketBuyQty, q);
    ClearMessages();

    const int64_t held = companies[0].holdings[STOCK];
    int64_t price = 0, issued = 0, funds = 0;
    for (int tick = 0; tick < 15 && pendingOrders.marketBuyQty > 0; ++tick) {
        price = c.sharePrice;
        issued = c.issuedShares;
        funds = companies[0].funds;
        host.Advance(1100);   // one market tick (and the calendar beside it)
    }
    ASSERT_EQ(pendingOrders.marketBuyQty, 0);
    const int64_t r = q * price / issued;
    ASSERT_GT(r, 0);
    EXPECT_EQ(companies[0].holdings[STOCK], held + q);
    EXPECT_EQ(companies[0].funds, funds - (q / 100) * ((2 * price + r) / 20) / 10);
    EXPECT_TRUE(SaidWith(("平均購入価格" + std::to_string((2 * price + r) / 2) + "円で購入できました").c_str(), "約定"));
    EXPECT_TRUE(SaidWith(("プレイヤの大量購入により株価が" + std::to_string(r) + "円上昇しました").c_str(), "約定"));
    EXPECT_EQ(host.messages.front().owner, WIN_BOARD);
}
