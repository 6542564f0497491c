// The media (135): false news about the selected company, bought from five TV stations.
#pragma once

#include "world/port.h"

void MediaDialogProc(DialogHost& dialog, DialogEvent event, int id);
