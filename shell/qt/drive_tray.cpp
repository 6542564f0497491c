#include "shell/qt/drive_tray.h"

bool RequestDriveTray(bool open) {
    (void)open;
    return false;
}
