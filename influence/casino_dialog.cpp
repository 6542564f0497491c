#include "influence/casino_dialog.h"

void CasinoDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
void RaceDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
