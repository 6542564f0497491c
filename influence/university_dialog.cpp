#include "influence/university_dialog.h"

#include "influence/university_texts.h"
#include "resources/dialog_ids.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_CANCEL = 2;
constexpr int UNIVERSITY_COUNT = 8;

// Fee edits and research buttons, rows 1..8 top to bottom.
constexpr int FEE_IDS[UNIVERSITY_COUNT] = {1139, 1128, 1131, 1134, 1137, 1138, 1140, 1141};
constexpr int BUTTON_IDS[UNIVERSITY_COUNT] = {1017, 1019, 1021, 1023, 1025, 1026, 1027, 1028};

}  // namespace

void OpenUniversityDialog() { port->OpenDialog(IDD_UNIVERSITY, WIN_MAIN); }

void StartResearch(int row) {
    if (row < 1 || row > UNIVERSITY_COUNT) return;
    // Only one project at a time.
    if (researchUnderway != 0) {
        ShowInfo(WIN_DIALOG, TXT_UNI_BUSY, "");
        return;
    }
    const int64_t fee = researchCost[row - 1];
    ListedCompany& me = companies[0];
    if (me.funds < fee) {
        ShowInfo(WIN_DIALOG, TXT_UNI_NO_MONEY, "");
        return;
    }
    researchUnderway = row;
    me.funds = SatSub(me.funds, fee);
    ShowInfo(WIN_DIALOG, TXT_UNI_STARTED, "");
}

void UniversityDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            // Filled once: the fees do not change while the dialog is open.
            for (int k = 0; k < UNIVERSITY_COUNT; ++k)
                dialog.SetItemText(FEE_IDS[k], StrPrintf("%d", researchCost[k]).c_str());
            break;
        case DLG_COMMAND:
            for (int k = 0; k < UNIVERSITY_COUNT; ++k)
                if (id == BUTTON_IDS[k]) StartResearch(k + 1);
            if (id == ID_CLOSE || id == ID_CANCEL) dialog.Close(id);
            break;
        case DLG_TIMER:
        case DLG_PAINT:
            break;
    }
}
