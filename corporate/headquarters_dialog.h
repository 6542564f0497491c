// The headquarters (138): new shares, buy-back, split and bankruptcy of the
// player's own company.
#pragma once

#include "world/port.h"

void HeadquartersDialogProc(DialogHost& dialog, DialogEvent event, int id);
