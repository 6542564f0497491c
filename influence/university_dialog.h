// The university (136): research projects that may raise the company's profit.
#pragma once

#include "world/port.h"

// Opens the university dialog over the main window; returns when it closes.
void OpenUniversityDialog();

// Starts joint research with university row 1..8; one message box per call.
// The market tick later ends the research with its result.
void StartResearch(int row);

void UniversityDialogProc(DialogHost& dialog, DialogEvent event, int id);
