#include "influence/election_dialog.h"

void ElectionDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
