#include "corporate/other_company_dialog.h"

void OtherCompanyDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
