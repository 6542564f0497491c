#include "corporate/headquarters_dialog.h"

void HeadquartersDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
