#include "corporate/founding_dialog.h"

#include "world/game_texts.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {
constexpr int ID_OK = 1;
constexpr int ID_COMPANY_NAME = 1002;
constexpr int ID_PLAYER_NAME = 1004;
}  // namespace

void FoundingDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    if (event == DLG_INIT) {
        dialog.SetItemText(ID_COMPANY_NAME, playerCompanyNameBuf);
        dialog.SetItemText(ID_PLAYER_NAME, playerNameBuf);
        return;
    }
    if (event != DLG_COMMAND || id != ID_OK) return;   // Escape included: ignored
    std::string company = dialog.ItemText(ID_COMPANY_NAME);
    std::string player = dialog.ItemText(ID_PLAYER_NAME);
    // A name the host could not write in code page 932 comes back with
    // bytes that are not valid text; storing it would damage the save file.
    if (!IsValidCp932(company.data(), company.size()) || !IsValidCp932(player.data(), player.size())) {
        ShowInfo(WIN_DIALOG, TXT_NAME_NOT_SJIS, TXT_CAP_REFUSED);
        return;
    }
    CopyTextCut(playerCompanyNameBuf, NAME_BUF_SIZE, company.c_str());
    CopyTextCut(playerNameBuf, NAME_BUF_SIZE, player.c_str());
    companies[0].name = playerCompanyNameBuf;
    companies[0].ceoName = playerNameBuf;
    dialog.Close(ID_OK);
}

void AboutDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    if (event == DLG_COMMAND && (id == 1 || id == 2)) dialog.Close(id);
}
