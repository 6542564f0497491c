#include "influence/media_dialog.h"

void MediaDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
