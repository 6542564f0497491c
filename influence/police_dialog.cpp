#include "influence/police_dialog.h"

void PoliceDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
void DetentionDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
