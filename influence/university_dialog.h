// The university (136): research projects that may raise the company's profit.
#pragma once

#include "world/port.h"

void UniversityDialogProc(DialogHost& dialog, DialogEvent event, int id);
