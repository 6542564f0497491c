// The intercontinental missiles (167): building them and firing them at a company.
#pragma once

#include "world/port.h"

void MissileDialogProc(DialogHost& dialog, DialogEvent event, int id);
