// The personal asset ranking (145).
#pragma once

#include "world/port.h"

void RankingDialogProc(DialogHost& dialog, DialogEvent event, int id);
