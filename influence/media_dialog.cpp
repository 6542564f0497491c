#include "influence/media_dialog.h"

#include "influence/media_texts.h"
#include "resources/dialog_ids.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_CANCEL = 2;
constexpr int ID_COMPANY_NAME = 1002;
constexpr int STATION_COUNT = 5;

// One row of the dialog, top to bottom.
struct Station {
    int raiseCostId, lowerCostId;
    int raiseButton, lowerButton;
    // Success is rand() % successModulus == 0; 1 means no draw at all.
    int successModulus;
    int32_t raiseState, lowerState;
};

constexpr Station STATIONS[STATION_COUNT] = {
    {1139, 1140, 1017, 1018, 1, 4, 7},
    {1128, 1129, 1019, 1020, 2, 4, 7},
    {1131, 1132, 1021, 1022, 2, 3, 6},
    {1134, 1135, 1023, 1024, 3, 3, 6},
    {1137, 1138, 1025, 1026, 3, 2, 5},
};

// The evidence a lowering report from the strongest station always leaves.
constexpr int32_t TOP_LOWER_EVIDENCE = 1000;

void AddEvidence(int32_t points) {
    // The counter is 32-bit; evidence piles up rather than wrapping negative.
    illegalityFactor = ClampToInt32(static_cast<int64_t>(illegalityFactor) + points);
}

void Fill(DialogHost& dialog) {
    const bool valid = selectedCompany >= 0 && selectedCompany < COMPANY_COUNT;
    const char* name = valid ? companies[selectedCompany].name : nullptr;
    dialog.SetItemText(ID_COMPANY_NAME, name ? name : "");
    for (int k = 0; k < STATION_COUNT; ++k) {
        dialog.SetItemText(STATIONS[k].raiseCostId, StrPrintf("%d", mediaRaiseCost[k]).c_str());
        dialog.SetItemText(STATIONS[k].lowerCostId, StrPrintf("%d", mediaLowerCost[k]).c_str());
    }
}

}  // namespace

void OpenMediaDialog() { port->OpenDialog(IDD_MEDIA, WIN_MAIN); }

void BuyMediaReport(int row, MediaDirection direction) {
    if (row < 1 || row > STATION_COUNT) return;
    const Station& station = STATIONS[row - 1];
    const bool raise = direction == MEDIA_RAISE;
    const int64_t cost = raise ? mediaRaiseCost[row - 1] : mediaLowerCost[row - 1];
    ListedCompany& me = companies[0];
    if (me.funds < cost) {
        ShowInfo(WIN_DIALOG, TXT_MEDIA_NO_MONEY, "");
        return;
    }
    // Evidence is drawn before the broadcast's own draw.
    if (row == 1 && !raise) {
        AddEvidence(TOP_LOWER_EVIDENCE);
    } else {
        AddEvidence(GameRand() % 1000);
    }
    me.funds = SatSub(me.funds, cost);
    const bool success = station.successModulus == 1 || GameRand() % station.successModulus == 0;
    if (success) {
        if (selectedCompany >= 0 && selectedCompany < COMPANY_COUNT) {
            companies[selectedCompany].trendState = raise ? station.raiseState : station.lowerState;
            newsPending[selectedCompany] = 1;
        }
        ShowInfo(WIN_DIALOG, raise ? TXT_MEDIA_RAISE_OK : TXT_MEDIA_LOWER_OK, "");
    } else {
        ShowInfo(WIN_DIALOG, raise ? TXT_MEDIA_RAISE_FAILED : TXT_MEDIA_LOWER_FAILED, "");
    }
}

void MediaDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            // Filled once: the prices do not change while the dialog is open.
            Fill(dialog);
            break;
        case DLG_COMMAND:
            for (int k = 0; k < STATION_COUNT; ++k) {
                if (id == STATIONS[k].raiseButton) BuyMediaReport(k + 1, MEDIA_RAISE);
                if (id == STATIONS[k].lowerButton) BuyMediaReport(k + 1, MEDIA_LOWER);
            }
            if (id == ID_CLOSE || id == ID_CANCEL) dialog.Close(id);
            break;
        case DLG_TIMER:
        case DLG_PAINT:
            break;
    }
}
