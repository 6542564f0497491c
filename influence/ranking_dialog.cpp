#include "influence/ranking_dialog.h"

void RankingDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
