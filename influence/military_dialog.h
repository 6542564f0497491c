// The military (142): weapons for the company's army; and the war (144)
// against the United States, fought turn by turn.
#pragma once

#include "world/port.h"

constexpr int IDD_WAR = 144;

void MilitaryDialogProc(DialogHost& dialog, DialogEvent event, int id);
void WarDialogProc(DialogHost& dialog, DialogEvent event, int id);
