#include "corporate/trading_dialogs.h"

#include <cstdint>
#include <string>

#include "corporate/trading_texts.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_ORDER = 1;
constexpr int ID_CANCEL = 2;
constexpr int ID_QUANTITY = 1002;
constexpr int ID_NAME = 1003;
constexpr int ID_PRICE = 1004;
constexpr int ID_MARKET_BUY = 1005;
constexpr int ID_LIMIT_BUY = 1006;
constexpr int ID_LIMIT_PRICE = 1007;
constexpr int ID_ESTIMATE = 1008;

constexpr int TIMER_MS = 100;
constexpr int64_t MIN_ORDER = 100;
// The buy dialog refuses more than 1000億 shares at once.
constexpr int64_t MAX_BUY_ORDER = 100000000000LL;

// The traded company; the board only selects valid rows, but a stray index
// must not reach past the table: it reads as the player's own company, which
// cannot be traded here.
int Traded() {
    return selectedCompany >= 0 && selectedCompany < COMPANY_COUNT ? selectedCompany : 0;
}

int64_t TypedQuantity(DialogHost& dialog) { return ParseTypedInt64(dialog.ItemText(ID_QUANTITY)); }

// The value of the order in 万円, counted in whole hundreds of shares and
// whole tens of yen. A value beyond 64 bits comes back negative, as a
// wrapped one would, so that both dialogs refuse it rather than show a
// saturated figure; a negative quantity gives a negative estimate too.
int64_t Estimate(int32_t price, int64_t quantity) {
    const int64_t perShare = price / 10, hundreds = quantity / 100;
    if (perShare > 0 && hundreds > 0 && hundreds > INT64_MAX / perShare) return -1;
    return SatMul(perShare, hundreds) / 10;
}

void ShowCompany(DialogHost& dialog) {
    const ListedCompany& c = companies[Traded()];
    dialog.SetItemText(ID_NAME, c.name ? c.name : "");
    dialog.SetItemText(ID_PRICE, StrPrintf(TXT_TRADING_PRICE, c.sharePrice).c_str());
}

void OpenTradingDialog(DialogHost& dialog) {
    ShowCompany(dialog);
    dialog.StartTimer(TIMER_MS);
    dialog.SetItemText(ID_QUANTITY, TXT_TRADING_ZERO);
}

// The shared part of both dialogs' ticks: keeps the market halted, refreshes
// the company and the estimate, and returns the estimate.
int64_t RefreshTradingDialog(DialogHost& dialog) {
    marketHalt = 2;
    ShowCompany(dialog);
    orderEntryQty = TypedQuantity(dialog);
    const int64_t estimate = Estimate(companies[Traded()].sharePrice, orderEntryQty);
    dialog.SetItemText(ID_ESTIMATE, StrPrintf(TXT_TRADING_ESTIMATE, static_cast<long long>(estimate)).c_str());
    return estimate;
}

// The field is reset before the message: the timer keeps ticking while the
// message is open and must not find the same quantity again.
void RejectQuantity(DialogHost& dialog, const char* text) {
    dialog.SetItemText(ID_QUANTITY, TXT_TRADING_ZERO);
    ShowInfo(WIN_DIALOG, text, TXT_CAP_REFUSED);
}

void CloseTradingDialog(DialogHost& dialog, int result) {
    marketHalt = 0;
    dialog.Close(result);
}

// Checks a buy quantity against the float; tells the player why it fails.
bool BuyQuantityAccepted(int64_t q, int s) {
    if (q >= MIN_ORDER && q <= companies[s].floatingShares) return true;
    ShowInfo(WIN_DIALOG, q < MIN_ORDER ? TXT_TRADING_AT_LEAST_100 : TXT_TRADING_NOT_ON_MARKET, "");
    return false;
}

void PlaceBuyOrder(DialogHost& dialog) {
    const int s = Traded();
    PendingOrders& o = pendingOrders;
    if (dialog.IsChecked(ID_MARKET_BUY)) {
        const int64_t q = TypedQuantity(dialog);
        if (BuyQuantityAccepted(q, s)) {
            // The order is placed as checked before the message; the market
            // stays halted until the dialog closes, so it cannot fill early.
            o.marketBuyCompany = s;
            o.marketBuyQty = q;
            ShowInfo(WIN_DIALOG, TXT_TRADING_ORDERED, TXT_TRADING_CAP_ORDERED);
            CloseTradingDialog(dialog, ID_ORDER);
            return;
        }
    } else if (dialog.IsChecked(ID_LIMIT_BUY)) {
        const int64_t q = TypedQuantity(dialog);
        if (BuyQuantityAccepted(q, s)) {
            // A new limit order replaces a pending one.
            o.limitBuyCompany = s;
            o.limitBuyPrice = ParseTypedInt32(dialog.ItemText(ID_LIMIT_PRICE));
            o.limitBuyQty = q;
            ShowInfo(WIN_DIALOG, TXT_TRADING_ORDERED, TXT_TRADING_CAP_ORDERED);
            CloseTradingDialog(dialog, ID_ORDER);
            return;
        }
    }
    ShowInfo(WIN_DIALOG, TXT_TRADING_CHOOSE_METHOD, TXT_TRADING_CAP_CHOOSE_METHOD);
}

void PlaceSellOrder(DialogHost& dialog) {
    const int s = Traded();
    const int64_t q = TypedQuantity(dialog);
    if (q < MIN_ORDER) {
        ShowInfo(WIN_DIALOG, TXT_TRADING_AT_LEAST_100, "");
        return;
    }
    if (q > companies[0].holdings[s]) {
        ShowInfo(WIN_DIALOG, TXT_TRADING_NOT_HELD, TXT_CAP_REFUSED);
        return;
    }
    pendingOrders.sellCompany = s;
    pendingOrders.sellQty = q;
    CloseTradingDialog(dialog, ID_ORDER);
}

// Opens a trading dialog with the market halted. The halt is lifted again
// however the dialog ended, so that the market can never stay stopped.
void RunTradingDialog(int resourceId) {
    marketHalt = 2;
    port->OpenDialog(resourceId, WIN_MAIN);
    marketHalt = 0;
}

// The trading hours of the calendar; outside them, or while anything halts
// the market, the pending orders may be bought through after hours.
bool MarketIsOpen() { return gameHour >= 9 && gameHour <= 13 && marketHalt == 0; }

int64_t PendingQuantity(int64_t q) { return q > 0 ? q : 0; }

}  // namespace

void OpenBuyDialog() {
    if (Traded() == 0) {
        ShowInfo(WIN_MAIN, TXT_TRADING_NO_OWN_BUY, TXT_CAP_REFUSED);
        return;
    }
    if (pendingOrders.marketBuyQty > 0) {
        ShowInfo(WIN_MAIN, TXT_TRADING_PENDING, TXT_TRADING_CAP_PENDING);
        return;
    }
    RunTradingDialog(IDD_BUY);
}

void OpenSellDialog() {
    if (Traded() == 0) {
        ShowInfo(WIN_MAIN, TXT_TRADING_NO_OWN_SELL, TXT_CAP_REFUSED);
        return;
    }
    if (pendingOrders.sellQty > 0) {
        ShowInfo(WIN_MAIN, TXT_TRADING_PENDING, TXT_TRADING_CAP_PENDING);
        return;
    }
    RunTradingDialog(IDD_SELL);
}

void AfterHoursTrade() {
    if (MarketIsOpen()) {
        ShowInfo(WIN_MAIN, TXT_TRADING_MARKET_OPEN, "");
        return;
    }
    const int64_t buy = PendingQuantity(pendingOrders.marketBuyQty);
    const int64_t sell = PendingQuantity(pendingOrders.sellQty);
    if (buy == 0 && sell == 0) {
        ShowInfo(WIN_MAIN, TXT_TRADING_NOTHING_ORDERED, "");
        return;
    }
    // One 万円 per hundred shares.
    const int64_t fee = SatAdd(buy, sell) / 100;
    ShowInfo(WIN_MAIN, TXT_TRADING_AFTER_HOURS, "");
    const std::string question = StrPrintf(TXT_TRADING_FEE_QUESTION, static_cast<long long>(fee));
    if (!AskYesNo(WIN_MAIN, question.c_str(), TXT_CAP_CONFIRM)) return;
    if (fee > companies[0].funds) {
        ShowInfo(WIN_MAIN, TXT_TRADING_NO_MONEY, "");
        return;
    }
    pendingOrders.afterHoursTrade = 1;
    companies[0].funds = SatSub(companies[0].funds, fee);
}

void CancelAllOrders() {
    pendingOrders.marketBuyQty = 0;
    pendingOrders.limitBuyQty = 0;
    pendingOrders.sellQty = 0;
    ShowInfo(WIN_MAIN, TXT_TRADING_CANCELLED, TXT_TRADING_CAP_CANCELLED);
}

void BuyDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT: OpenTradingDialog(dialog); break;
        case DLG_TIMER: {
            const int64_t estimate = RefreshTradingDialog(dialog);
            if (estimate < 0 || orderEntryQty > MAX_BUY_ORDER) RejectQuantity(dialog, TXT_TRADING_TOO_MANY_BUY);
            break;
        }
        case DLG_COMMAND:
            if (id == ID_ORDER) PlaceBuyOrder(dialog);
            if (id == ID_CANCEL) CloseTradingDialog(dialog, ID_CANCEL);
            break;
        case DLG_PAINT: break;
    }
}

void SellDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT: OpenTradingDialog(dialog); break;
        case DLG_TIMER:
            if (RefreshTradingDialog(dialog) < 0) RejectQuantity(dialog, TXT_TRADING_TOO_MANY_SELL);
            break;
        case DLG_COMMAND:
            if (id == ID_ORDER) PlaceSellOrder(dialog);
            if (id == ID_CANCEL) CloseTradingDialog(dialog, ID_CANCEL);
            break;
        case DLG_PAINT: break;
    }
}
