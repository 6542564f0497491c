// The casino (134): the race (166) and the fly-swatting game.
#pragma once

#include "world/port.h"

constexpr int IDD_RACE = 166;

void CasinoDialogProc(DialogHost& dialog, DialogEvent event, int id);
void RaceDialogProc(DialogHost& dialog, DialogEvent event, int id);
