// The headquarters (138): new shares, buy-back, split and bankruptcy of the
// player's own company.
#pragma once

#include <cstdint>

#include "world/port.h"

constexpr int64_t MAX_NEW_ISSUE = 3000000;
constexpr int64_t MAX_ISSUED_AFTER_NEW_ISSUE = 300000000;
constexpr int64_t MIN_PROFIT_FOR_NEW_ISSUE = 500000;
constexpr int64_t MAX_ISSUED_FOR_SPLIT = 400000000;

// Opens the headquarters modally over the main view.
void OpenHeadquartersDialog();

void HeadquartersDialogProc(DialogHost& dialog, DialogEvent event, int id);

// The button handlers; the first two read their share count from the dialog.
void IssueNewShares(DialogHost& dialog);
void BuyBackShares(DialogHost& dialog);
void SplitShares();
void FileForBankruptcy();
