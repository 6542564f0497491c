#include "world/save_load_dialog.h"

#include "world/save_file.h"
#include "world/world_state.h"

namespace {
constexpr int ID_CLOSE = 1;
constexpr int ID_SLOT_1 = 1005;
constexpr int ID_SLOT_4 = 1008;
constexpr int ID_SAVE = 1017;
constexpr int ID_LOAD = 1019;

// The chosen slot, read from the radio buttons before every command.
void ReadSlot(DialogHost& dialog) {
    for (int id = ID_SLOT_1; id <= ID_SLOT_4; ++id) {
        if (dialog.IsChecked(id)) saveSlot = id - ID_SLOT_1 + 1;
    }
}
}  // namespace

void SaveLoadDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    if (event == DLG_INIT) {
        saveSlot = 0;
        return;
    }
    if (event != DLG_COMMAND) return;
    ReadSlot(dialog);
    switch (id) {
        case ID_LOAD: LoadGame(saveSlot, WIN_DIALOG); break;
        case ID_SAVE: SaveGame(saveSlot, WIN_DIALOG); break;
        case ID_CLOSE:
        case 2: dialog.Close(ID_CLOSE); break;   // Escape closes as "閉じる" does
        default: break;
    }
}
