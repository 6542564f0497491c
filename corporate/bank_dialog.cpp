#include "corporate/bank_dialog.h"

void BankDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
