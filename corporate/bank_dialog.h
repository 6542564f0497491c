// The bank (133): borrowing from and repaying the three lenders.
#pragma once

#include "world/port.h"

void BankDialogProc(DialogHost& dialog, DialogEvent event, int id);
