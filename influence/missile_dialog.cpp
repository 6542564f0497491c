#include "influence/missile_dialog.h"

#include <string>

#include "influence/missile_texts.h"
#include "resources/dialog_ids.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_PROGRESS = 1002;
constexpr int ID_AMOUNT = 1003;
constexpr int ID_COUNT = 1004;
constexpr int ID_TARGET = 1007;
constexpr int ID_INVEST = 1017;
constexpr int ID_LAUNCH = 1018;

bool ValidCompany(int c) { return c >= 0 && c < COMPANY_COUNT; }

void Refresh(DialogHost& dialog) {
    dialog.SetItemText(ID_PROGRESS, StrPrintf("%d", icbmProgress).c_str());
    dialog.SetItemText(ID_COUNT, StrPrintf("%d", icbmCount).c_str());
    const char* target = ValidCompany(selectedCompany) ? companies[selectedCompany].name : nullptr;
    dialog.SetItemText(ID_TARGET, target ? target : "");
}

}  // namespace

void OpenMissileDialog() { port->OpenDialog(IDD_MISSILE, WIN_MAIN); }

void InvestInMissiles(DialogHost& dialog, int64_t amountCho) {
    if (amountCho <= 0) return;
    ListedCompany& me = companies[0];
    if (me.funds / MAN_PER_CHO < amountCho) {
        ShowInfo(WIN_DIALOG, TXT_MISSILE_NO_FUNDS, "");
        Refresh(dialog);
        return;
    }
    // The pot is a 32-bit count of 兆円: it stops at its bound rather than
    // wrapping negative (only funds far beyond the market's cap reach it).
    icbmProgress = ClampToInt32(static_cast<int64_t>(icbmProgress) + amountCho);
    me.funds = SatSub(me.funds, SatMul(amountCho, MAN_PER_CHO));
    if (icbmProgress >= MISSILE_COST_CHO) {
        icbmCount = ClampToInt32(static_cast<int64_t>(icbmCount) + 1);
        icbmProgress -= MISSILE_COST_CHO;
        ShowInfo(WIN_DIALOG, TXT_MISSILE_COMPLETED, "");
    }
    Refresh(dialog);
}

void LaunchMissile(DialogHost& dialog) {
    if (icbmCount < 1) return;
    icbmCount -= 1;
    Refresh(dialog);
    const int target = selectedCompany;
    if (GameRand() % 2 == 0) {
        if (ValidCompany(target)) companies[target].profit = 0;
        ShowInfo(WIN_DIALOG, TXT_MISSILE_HIT, "");
    } else {
        ShowInfo(WIN_DIALOG, TXT_MISSILE_DUD, "");
    }
}

void MissileDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            Refresh(dialog);
            break;
        case DLG_COMMAND:
            if (id == ID_INVEST) InvestInMissiles(dialog, ParseTypedInt32(dialog.ItemText(ID_AMOUNT)));
            if (id == ID_LAUNCH) LaunchMissile(dialog);
            if (id == 1 || id == 2) dialog.Close(id);
            break;
        case DLG_TIMER:
        case DLG_PAINT:
            break;
    }
}
