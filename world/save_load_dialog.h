// The save and load dialog (146): four slots, "ロード", "セーブ", "閉じる".
#pragma once

#include "world/port.h"

void SaveLoadDialogProc(DialogHost& dialog, DialogEvent event, int id);
