// The founding dialog (132) and the About dialog (103).
#pragma once

#include "resources/dialog_ids.h"
#include "world/port.h"

// Names the company and its president; closes only through "OK".
void FoundingDialogProc(DialogHost& dialog, DialogEvent event, int id);
// "OK" or Escape closes it.
void AboutDialogProc(DialogHost& dialog, DialogEvent event, int id);
