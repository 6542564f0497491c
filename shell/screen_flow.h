// The screen flow of the main window and the side panel, and the work of
// every panel timer: platform-free, driven by the host's events.
#pragma once

#include <cstdint>

#include "resources/dialog_ids.h"
#include "world/port.h"
#include "world/world_state.h"

constexpr int PANEL_TIMER_MS = 1100;

constexpr int CMD_ABOUT = 104;
constexpr int CMD_EXIT = 105;

extern int32_t mouseX, mouseY;

// Geometry of the window and its panels, in client coordinates.
struct PanelGeometry {
    WindowId window;
    const char* className;
    const char* title;
    int x, y, width, height;
    int timerMs;
};
extern const PanelGeometry PANELS[6];   // in the order of creation
constexpr int MAIN_VIEW_WIDTH = 570;
constexpr int MAIN_VIEW_HEIGHT = 370;

// Called by the host when the main window has been created: plays the
// opening sound and starts the main timer and the six panel timers.
void OnMainCreate();
// The first frames of the panels, which the host asks for once the main
// window has been shown (so the title is on screen first).
void PaintFirstFrames();
// Called on every tick of the main window's timer.
void OnMainTimer();
void OnMainMouseMove(int x, int y);
void OnMainLeftClick(int x, int y);
void OnMainRightClick(int x, int y);
void OnMainActivate();
// Menu and accelerator commands (104 About, 105 exit).
void OnMenuCommand(int id);

void OnSidePanelMouseMove(int x, int y);
void OnSidePanelLeftClick(int x, int y);
// A left click on the stock board.
void OnBoardLeftClick(int x, int y);

// Called on every tick of a panel's timer (the six panels of PANELS).
void OnPanelTimer(WindowId panel);

// Called by the hosts' PaintWindow: paints what a paint request of the
// market or calendar tick asks for into the window's surface.
void PaintWindowContents(WindowId window);

// The procedure of a dialog resource, or null when the dialog does not exist.
DialogProc FindDialogProc(int resourceId);

// Program-start values of the shell's own state.
void ResetShellState();
