// The screen flow of the main window and the side panel, and the work of
// every panel timer: platform-free, driven by the host's events.
#pragma once

#include <cstdint>

#include "world/port.h"

constexpr int SCREEN_TITLE = 1;
constexpr int SCREEN_INTRO = 2;
constexpr int SCREEN_FIELD = 3;
constexpr int SCREEN_FLY_GAME = 4;
constexpr int SCREEN_EXCHANGE = 5;
constexpr int SCREEN_FLY_GAME_PENDING = 101;

constexpr int PANEL_TIMER_MS = 1100;

// Dialog resources opened by the shell.
constexpr int IDD_BANK = 133;
constexpr int IDD_CASINO = 134;
constexpr int IDD_MEDIA = 135;
constexpr int IDD_UNIVERSITY = 136;
constexpr int IDD_HEADQUARTERS = 138;
constexpr int IDD_OTHER_COMPANY = 139;
constexpr int IDD_ELECTION = 140;
constexpr int IDD_SHOP = 141;
constexpr int IDD_MILITARY = 142;
constexpr int IDD_RANKING = 145;
constexpr int IDD_SAVE_LOAD = 146;
constexpr int IDD_POLICE = 147;
constexpr int IDD_DETENTION = 165;
constexpr int IDD_MISSILE = 167;

constexpr int CMD_ABOUT = 104;
constexpr int CMD_EXIT = 105;

extern int32_t mouseX, mouseY;
extern int32_t flyX, flyY;

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
