#include "influence/missile_dialog.h"

void MissileDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
