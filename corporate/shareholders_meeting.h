// The shareholders' meeting (143) of the selected company: proposals and
// the vote.
#pragma once

#include "resources/dialog_ids.h"
#include "world/port.h"

// Opens the meeting of company s modally from the dialog that is open
// (the other-company dialog, which has made the monthly and stake checks).
void OpenShareholdersMeetingDialog(int s);

void ShareholdersMeetingDialogProc(DialogHost& dialog, DialogEvent event, int id);
