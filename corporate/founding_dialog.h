// The founding dialog (132) and the About dialog (103).
#pragma once

#include "world/port.h"

constexpr int IDD_FOUNDING = 132;
constexpr int IDD_ABOUT = 103;

// Names the company and its president; closes only through "OK".
void FoundingDialogProc(DialogHost& dialog, DialogEvent event, int id);
// "OK" or Escape closes it.
void AboutDialogProc(DialogHost& dialog, DialogEvent event, int id);
