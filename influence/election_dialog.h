// The presidential election (140): the campaign and the live vote count.
#pragma once

#include "world/port.h"

void ElectionDialogProc(DialogHost& dialog, DialogEvent event, int id);
