#include "corporate/shareholders_meeting.h"

void ShareholdersMeetingDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
