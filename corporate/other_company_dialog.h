// The other-company dialog (139): takeover bids, the shareholders' meeting
// and the merger, for the company selected on the stock board.
#pragma once

#include "world/port.h"

void OtherCompanyDialogProc(DialogHost& dialog, DialogEvent event, int id);
