// The police (147): bribes and the evidence against the player; the detention
// (165) that follows an arrest, with the trial and its verdict.
#pragma once

#include "world/port.h"

void PoliceDialogProc(DialogHost& dialog, DialogEvent event, int id);
void DetentionDialogProc(DialogHost& dialog, DialogEvent event, int id);
