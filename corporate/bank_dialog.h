// The bank (133): borrowing from and repaying the three lenders.
#pragma once

#include "world/port.h"

// Opens the bank modally over the main view.
void OpenBankDialog();

void BankDialogProc(DialogHost& dialog, DialogEvent event, int id);

// The "借入" and "返済" buttons of lender k (0, 1, 2): read the row's
// amount from the dialog and move it between the lender and the company.
void Borrow(DialogHost& dialog, int k);
void Repay(DialogHost& dialog, int k);
