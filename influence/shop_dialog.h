// The shop (141): goods to buy and sell, and the drive-tray tools.
#pragma once

#include "world/port.h"

void ShopDialogProc(DialogHost& dialog, DialogEvent event, int id);
