// The Windows host of the port: the main window and its six panels with
// their timers and surfaces, modal dialogs built in memory from the
// templates, message boxes, wave playback and the drive tray.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "shell/win32/win_api.h"
#include "shell/win32/win_canvas.h"
#include "world/port.h"

class WinDialog;

// The main window: its style, sizable and maximisable like any overlapped
// window, and the client area the game's layout fills.
constexpr DWORD MAIN_STYLE = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int CLIENT_WIDTH = 1020;
constexpr int CLIENT_HEIGHT = 685;

// The id of the one timer each window and each dialog has.
constexpr UINT_PTR WINDOW_TIMER = 1;
// The program icon's resources, large and small.
constexpr int PROGRAM_ICON = 107;
constexpr int PROGRAM_ICON_SMALL = 108;
// The window class of a dialog's drawing area, and the control id a canvas
// gets when its template leaves it without one.
extern const wchar_t CANVAS_CLASS[];
constexpr WORD CANVAS_ITEM_ID = 0x7F00;

// Registers the main window's class, the panels' ("state1".."state6") and
// the dialogs' drawing area's.
bool RegisterWindowClasses(HINSTANCE instance);

class WinPort : public Port {
public:
    MessageAnswer ShowMessage(WindowId owner, const char* text, const char* caption, MessageStyle style) override;
    void PlaySound(const char* file) override;
    void PaintWindow(WindowId window) override;
    void DriveTray(bool open) override;
    void SetTimer(WindowId window, int intervalMs) override;
    void KillTimer(WindowId window) override;
    Canvas* CanvasOf(WindowId window) override;
    void Present(WindowId window) override;
    int OpenDialog(int resourceId, WindowId owner) override;
    void Quit() override;

    // Set by Quit: the loops are unwinding and nothing of the game runs again.
    bool quitting() const { return quitting_; }
    // Creates the main window, its panels and their surfaces.
    bool CreateWindows(HINSTANCE instance);
    HWND mainWindow() const { return Window(WIN_MAIN); }

private:
    HWND Window(WindowId window) const;
    HWND OwnerWindow(WindowId owner) const;
    HINSTANCE instance_ = nullptr;
    std::map<WindowId, HWND> windows_;
    std::map<WindowId, std::unique_ptr<GdiSurface>> surfaces_;
    std::vector<WinDialog*> dialogs_;   // open dialogs, innermost last
    std::map<std::string, std::string> sounds_;   // checked wave files, by name
    std::set<std::string> badSounds_;             // refused once, never tried again
    bool quitting_ = false;
};

extern WinPort winPort;

// The world with this seed, the shared drawing resources and the windows,
// with the title painted; the main window, or null when it could not be made.
HWND StartGame(HINSTANCE instance, int show, uint32_t seed);
// The game from start to end: the world with this seed, the shared drawing
// resources, the windows (StartGame), then the message loop. Returns the exit code.
int RunGame(HINSTANCE instance, int show, uint32_t seed);
