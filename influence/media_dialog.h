// The media (135): false news about the selected company, bought from five TV stations.
#pragma once

#include "world/port.h"

enum MediaDirection { MEDIA_RAISE, MEDIA_LOWER };

// Opens the media dialog over the main window; returns when it closes.
void OpenMediaDialog();

// Buys a report from station row 1..5 (the top row is the strongest) about
// the selected company; shows exactly one message box.
void BuyMediaReport(int row, MediaDirection direction);

void MediaDialogProc(DialogHost& dialog, DialogEvent event, int id);
