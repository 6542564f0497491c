#include "corporate/headquarters_dialog.h"

#include "market/market_day.h"

#include "corporate/headquarters_texts.h"
#include "display/painters.h"
#include "resources/dialog_ids.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_CANCEL = 2;
constexpr int ID_NAME = 1002;
constexpr int ID_FUNDS = 1003;
constexpr int ID_ISSUED = 1004;
constexpr int ID_ISSUE_COUNT = 1005;
constexpr int ID_BUY_BACK_COUNT = 1006;
constexpr int ID_STAKE = 1007;
constexpr int ID_ISSUE = 1017;
constexpr int ID_BUY_BACK = 1018;
constexpr int ID_SPLIT = 1019;
constexpr int ID_BANKRUPTCY = 1020;
constexpr int TIMER_MS = 500;

constexpr int PIE_X = 420, PIE_Y = 120, PIE_RADIUS = 75;


int64_t PlayerStake() { return StakePercent(companies[0].holdings[0], companies[0].issuedShares); }

// The worth in 万円 of n shares at the company's price, as the game
// rounds it: whole hundreds of shares only.
int64_t SharesValue(int64_t n) { return (n / 100) * companies[0].sharePrice / 100; }

void ShowFigures(DialogHost& dialog) {
    dialog.SetItemText(ID_FUNDS, Int64Text(companies[0].funds).c_str());
    dialog.SetItemText(ID_ISSUED, Int64Text(companies[0].issuedShares).c_str());
}

void PaintPie(DialogHost& dialog) {
    Canvas* canvas = dialog.GetCanvas();
    if (!canvas) return;
    PaintStakePie(*canvas, PIE_X, PIE_Y, PIE_RADIUS, PlayerStake(), -1);
    dialog.Present();
}

// Typed share counts are 32-bit numbers, widened with their sign.
int64_t TypedShares(DialogHost& dialog, int field) { return ParseTypedInt32(dialog.ItemText(field)); }

}  // namespace

void OpenHeadquartersDialog() { port->OpenDialog(IDD_HEADQUARTERS, WIN_MAIN); }

void IssueNewShares(DialogHost& dialog) {
    if (marketHalt != 0) {
        ShowInfo(WIN_DIALOG, TXT_HQ_MARKET_CLOSED, "");
        return;
    }
    ListedCompany& me = companies[0];
    const int64_t n = TypedShares(dialog, ID_ISSUE_COUNT);
    // A negative issue would be a buy-back that skips the buy-back's tests
    // and can leave the float below zero.
    if (n >= 0 && SatAdd(me.issuedShares, n) <= MAX_ISSUED_AFTER_NEW_ISSUE && n <= MAX_NEW_ISSUE &&
        me.profit >= MIN_PROFIT_FOR_NEW_ISSUE) {
        me.issuedShares = SatAdd(me.issuedShares, n);
        me.floatingShares = SatAdd(me.floatingShares, n);
        me.funds = SatAdd(me.funds, SharesValue(n));
        ShowInfo(WIN_DIALOG, TXT_HQ_ISSUED, "");
        return;
    }
    ShowInfo(WIN_DIALOG, TXT_HQ_CANNOT_ISSUE, "");
}

void BuyBackShares(DialogHost& dialog) {
    if (marketHalt != 0) {
        ShowInfo(WIN_DIALOG, TXT_HQ_MARKET_CLOSED, "");
        return;
    }
    ListedCompany& me = companies[0];
    const int64_t n = TypedShares(dialog, ID_BUY_BACK_COUNT);
    // A negative buy-back would issue shares for money from nowhere,
    // without the issue's limits or its profit test.
    if (n >= 0 && n <= SatSub(me.issuedShares, me.holdings[0])) {
        const int64_t cost = SharesValue(n);
        if (cost <= me.funds) {
            // The shares come back from holders of every kind, so the
            // floating count is left as it is.
            me.issuedShares = SatSub(me.issuedShares, n);
            me.funds = SatSub(me.funds, cost);
            ShowInfo(WIN_DIALOG, TXT_HQ_BOUGHT_BACK, "");
            return;
        }
    }
    ShowInfo(WIN_DIALOG, TXT_HQ_CANNOT_BUY_BACK, "");
}

void SplitShares() {
    ListedCompany& me = companies[0];
    if (me.issuedShares > MAX_ISSUED_FOR_SPLIT) {
        ShowInfo(WIN_DIALOG, TXT_HQ_NO_MORE_SPLIT, "");
        return;
    }
    if (!AskYesNo(WIN_DIALOG, TXT_HQ_SPLIT_QUESTION, TXT_CAP_CONFIRM)) return;
    me.issuedShares = SatMul(me.issuedShares, 2);
    me.floatingShares = SatMul(me.floatingShares, 2);
    me.sharePrice /= 2;
    // Only the player's own stake doubles; other holders keep their count.
    me.holdings[0] = SatMul(me.holdings[0], 2);
    ShowInfo(WIN_DIALOG, TXT_HQ_SPLIT_DONE, "");
}

void FileForBankruptcy() {
    if (!AskYesNo(WIN_DIALOG, TXT_HQ_BANKRUPTCY_QUESTION, TXT_CAP_CONFIRM)) return;
    // Loans, debt and holdings stay: the market day settles what follows.
    WipePlayerCompany();
    ShowInfo(WIN_DIALOG, TXT_HQ_BANKRUPT, "");
}

void HeadquartersDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            dialog.StartTimer(TIMER_MS);
            dialog.SetItemText(ID_NAME, companies[0].name ? companies[0].name : "");
            ShowFigures(dialog);
            return;
        case DLG_TIMER:
            ShowFigures(dialog);
            dialog.SetItemText(ID_STAKE, Int64Text(PlayerStake()).c_str());
            PaintPie(dialog);
            return;
        case DLG_PAINT:
            // A repaint shows the pie at once instead of after the first tick.
            PaintPie(dialog);
            return;
        case DLG_COMMAND:
            switch (id) {
                case ID_CLOSE:
                case ID_CANCEL: dialog.Close(id); return;
                case ID_ISSUE: IssueNewShares(dialog); return;
                case ID_BUY_BACK: BuyBackShares(dialog); return;
                case ID_SPLIT: SplitShares(); return;
                case ID_BANKRUPTCY: FileForBankruptcy(); return;
                default: return;
            }
    }
}
