#include "influence/shop_dialog.h"

void ShopDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
