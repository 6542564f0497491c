#include "corporate/other_company_dialog.h"

#include <string>

#include "corporate/shareholders_meeting.h"
#include "corporate/takeover_texts.h"
#include "display/painters.h"
#include "market/market_day.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_ESCAPE = 2;
constexpr int ID_NAME = 1002;
constexpr int ID_PRICE = 1003;
constexpr int ID_STAKE = 1004;
constexpr int ID_MERGE = 1017;
constexpr int ID_LAUNCH = 1018;
constexpr int ID_WITHDRAW = 1019;
constexpr int ID_MEETING = 1020;
constexpr int PIE_TIMER_MS = 1000;

constexpr int PIE_X = 420, PIE_Y = 120, PIE_RADIUS = 75;

constexpr int64_t MIN_STAKE_FOR_MEETING = 1;
constexpr int64_t MIN_STAKE_FOR_MERGER = 75;
// The buy-out pays half the market value: shares x yen / 10000 is 万円.
constexpr int64_t BUY_OUT_DIVISOR = 20000;

// The company the dialog acts on: the one selected on the stock board.
int Target() { return selectedCompany >= 0 && selectedCompany < COMPANY_COUNT ? selectedCompany : 0; }

int64_t PlayerStake(int s) { return StakePercent(companies[0].holdings[s], companies[s].issuedShares); }

int64_t PlayerNet() {
    const ListedCompany& me = companies[0];
    return SatSub(SatSub(SatSub(me.funds, me.loans[0]), me.loans[1]), me.loans[2]);
}

int64_t TargetNet(int s) {
    const ListedCompany& t = companies[s];
    return SatSub(SatAdd(t.funds, t.property), t.debt);
}

void PaintPie(DialogHost& dialog) {
    const int s = Target();
    const int64_t mine = PlayerStake(s);
    const int64_t ceo = s != 0 ? StakePercent(companies[s].holdings[s], companies[s].issuedShares) : -1;
    if (Canvas* canvas = dialog.GetCanvas()) PaintStakePie(*canvas, PIE_X, PIE_Y, PIE_RADIUS, mine, ceo);
    dialog.Present();
    if (s != 0) dialog.SetItemText(ID_STAKE, StrPrintf("%d", Low32(mine)).c_str());
}

void LaunchTakeoverBid(DialogHost& dialog) {
    if (tobTarget != 0) {
        ShowInfo(WIN_DIALOG, TXT_TOB_UNDER_WAY);
        return;
    }
    const int s = Target();
    const int32_t price = ParseTypedInt32(dialog.ItemText(ID_PRICE));
    if (price <= companies[s].sharePrice) {
        ShowInfo(WIN_DIALOG, TXT_TOB_ABOVE_MARKET);
        return;
    }
    if (PlayerNet() >= TargetNet(s)) {
        tobTarget = s;
        tobPrice = price;
        ShowInfo(WIN_DIALOG, TXT_TOB_LAUNCHED);
        return;
    }
    if (!AskYesNo(WIN_DIALOG, TXT_TOB_ASK_HOSTILE, TXT_CAP_CONFIRM)) return;
    tobTarget = s;
    tobHostile = 1;
    tobPrice = price;
    ShowInfo(WIN_DIALOG, TXT_TOB_LAUNCHED);
}

void WithdrawTakeoverBid() {
    tobTarget = 0;
    tobHostile = 0;
    ShowInfo(WIN_DIALOG, TXT_TOB_WITHDRAWN);
}

void OpenShareholdersMeeting() {
    if (agmEffect != 0) {
        ShowInfo(WIN_DIALOG, TXT_TOB_MEETING_MONTHLY);
        return;
    }
    const int s = Target();
    if (PlayerStake(s) < MIN_STAKE_FOR_MEETING) {
        ShowInfo(WIN_DIALOG, TXT_TOB_MEETING_STAKE);
        return;
    }
    OpenShareholdersMeetingDialog(s);
}

void MergeCompany() {
    const int s = Target();
    ListedCompany& target = companies[s];
    if (target.issuedShares / 100 == 0 || PlayerStake(s) < MIN_STAKE_FOR_MERGER || s == 0) {
        ShowInfo(WIN_DIALOG, TXT_TOB_MERGE_STAKE);
        return;
    }
    if (!AskYesNo(WIN_DIALOG, TXT_TOB_ASK_MERGE, TXT_CAP_CONFIRM)) return;

    // The accounts come over; the target's other loans and the rest of its
    // debt do not.
    ListedCompany& me = companies[0];
    me.funds = SatAdd(me.funds, target.funds);
    me.property = SatAdd(me.property, target.property);
    me.loans[2] = SatAdd(me.loans[2], target.loans[2]);
    me.debt = SatAdd(me.debt, target.loans[2]);
    me.profit = SatAdd(me.profit, target.profit);

    // The shares still outside are bought compulsorily on credit. A stake
    // beyond the issued shares leaves nothing to buy, not a refund.
    const int64_t outside = SatSub(target.issuedShares, me.holdings[s]);
    int64_t buyOut = SatMul(outside / BUY_OUT_DIVISOR, target.sharePrice);
    if (buyOut < 0) buyOut = 0;
    me.loans[2] = SatAdd(me.loans[2], buyOut);
    me.debt = SatAdd(me.debt, buyOut);

    if (tobTarget == s) {
        tobTarget = 0;
        tobHostile = 0;
    }
    const std::string text = StrPrintf(TXT_TOB_MERGED, Low32(me.loans[2]));
    if (goalStage == 20 && s == 2) goalStage = 21;

    target.bankrupt = 1;
    target.sharePrice = 0;
    if (namePoolNext < INT32_MAX) namePoolNext += 1;
    RefoundCompany(s);

    ShowInfo(WIN_DIALOG, text.c_str());
    if (goalStage == 1) goalStage = 2;
}

void OnCommand(DialogHost& dialog, int id) {
    switch (id) {
        case ID_CLOSE:
        case ID_ESCAPE: dialog.Close(id); break;
        case ID_LAUNCH: LaunchTakeoverBid(dialog); break;
        case ID_WITHDRAW: WithdrawTakeoverBid(); break;
        case ID_MEETING: OpenShareholdersMeeting(); break;
        case ID_MERGE: MergeCompany(); break;
        default: break;
    }
}

}  // namespace

void OtherCompanyDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT: {
            const TextRef name = companies[Target()].name;
            dialog.SetItemText(ID_NAME, name ? name : "");
            dialog.StartTimer(PIE_TIMER_MS);
            break;
        }
        case DLG_COMMAND: OnCommand(dialog, id); break;
        case DLG_TIMER: PaintPie(dialog); break;
        case DLG_PAINT: PaintPie(dialog); break;   // shown at once, not after the first second
    }
}
