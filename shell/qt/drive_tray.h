// Opening and closing the tray of the machine's optical drive, for the
// shop's tools. Fails silently where there is no drive.
#pragma once

// True when the drive took the request.
bool RequestDriveTray(bool open);
