// The exchange screen's trading commands and the buy (130) and sell (131)
// dialogs. The dialogs only fill the pending orders; the market tick carries
// them out.
#pragma once

#include "resources/dialog_ids.h"
#include "world/port.h"

// The exchange-screen commands; the main window owns their messages.
void OpenBuyDialog();
void OpenSellDialog();
void AfterHoursTrade();
void CancelAllOrders();

void BuyDialogProc(DialogHost& dialog, DialogEvent event, int id);
void SellDialogProc(DialogHost& dialog, DialogEvent event, int id);
