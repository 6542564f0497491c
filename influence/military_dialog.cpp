#include "influence/military_dialog.h"

void MilitaryDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
void WarDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
