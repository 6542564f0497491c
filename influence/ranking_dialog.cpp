#include "influence/ranking_dialog.h"

#include "influence/ranking_texts.h"
#include "resources/dialog_ids.h"
#include "world/text.h"

AssetRankEntry assetRanking[RANKING_SIZE];

namespace {

constexpr int ID_OK = 1;
constexpr int ID_CANCEL = 2;
constexpr int ID_FIRST_NAME = 1002;     // ranks 1..10: 1002..1011
constexpr int ID_FIRST_ASSETS = 1023;   // ranks 1..10: 1023..1032
constexpr int TIMER_MS = 500;

// The stage at which topping the list is the scenario goal, and the next.
constexpr int32_t GOAL_RICHEST = 60;
constexpr int32_t GOAL_RICHEST_DONE = 61;

bool Placed(int32_t company) {
    for (const AssetRankEntry& e : assetRanking)
        if (e.company == company) return true;
    return false;
}

void ShowRanks(DialogHost& dialog) {
    for (int r = 0; r < RANKS_SHOWN; ++r) {
        const int32_t c = assetRanking[r].company;
        const bool filled = c >= 0 && c < COMPANY_COUNT;
        const char* name = filled && companies[c].ceoName ? companies[c].ceoName : "";
        dialog.SetItemText(ID_FIRST_NAME + r, filled ? name : TXT_RANK_VACANT);
        const std::string assets = filled ? Int64Text(companies[c].ceoAssets) : "";
        dialog.SetItemText(ID_FIRST_ASSETS + r, assets.c_str());
    }
}

}  // namespace

void BuildAssetRanking() {
    for (AssetRankEntry& e : assetRanking) e.company = RANK_NOBODY;
    for (AssetRankEntry& slot : assetRanking) {
        slot.best = 0;
        // Strictly greater: the first (lowest index) of equal fortunes stays.
        for (int32_t c = 0; c < COMPANY_COUNT; ++c) {
            if (Placed(c)) continue;
            if (companies[c].ceoAssets > slot.best) {
                slot.company = c;
                slot.best = companies[c].ceoAssets;
            }
        }
    }
}

void OpenRankingDialog() { port->OpenDialog(IDD_RANKING, WIN_SIDE); }

void RankingDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            BuildAssetRanking();
            ShowRanks(dialog);
            dialog.StartTimer(TIMER_MS);
            return;
        case DLG_TIMER:
            BuildAssetRanking();
            if (goalStage == GOAL_RICHEST && assetRanking[0].company == 0) goalStage = GOAL_RICHEST_DONE;
            ShowRanks(dialog);
            return;
        case DLG_COMMAND:
            if (id == ID_OK || id == ID_CANCEL) dialog.Close(id);
            return;
        case DLG_PAINT:
            return;
    }
}
