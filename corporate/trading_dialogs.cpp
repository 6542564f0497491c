#include "corporate/trading_dialogs.h"

void OpenBuyDialog() {}
void OpenSellDialog() {}
void AfterHoursTrade() {}
void CancelAllOrders() {}
void BuyDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
void SellDialogProc(DialogHost& dialog, DialogEvent, int) { dialog.Close(2); }
