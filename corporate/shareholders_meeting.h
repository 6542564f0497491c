// The shareholders' meeting (143) of the selected company: proposals and
// the vote.
#pragma once

#include "world/port.h"

constexpr int IDD_MEETING = 143;

void ShareholdersMeetingDialogProc(DialogHost& dialog, DialogEvent event, int id);
