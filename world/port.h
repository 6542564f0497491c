// The narrow port through which the rules reach the platform. The rules
// never include a windowing header; the shell (Qt) and the headless host
// (tests and tools) each implement this interface once.
#pragma once

#include <cstdint>
#include <string>

class Canvas;
class DialogHost;

// Windows that own message boxes and receive paint requests.
enum WindowId : int32_t {
    WIN_MAIN = 0,        // main view
    WIN_COMPANY = 1,     // "state1": company status panel
    WIN_CHART = 2,       // "state2": price chart
    WIN_CALENDAR = 3,    // "state3": calendar and news lines
    WIN_BOARD = 4,       // "state4": stock board and detail panel
    WIN_TICKER = 5,      // "state5": news ticker
    WIN_SIDE = 6,        // "state6": side button panel
    WIN_DIALOG = 100,    // the dialog that is currently open
};

enum MessageStyle : int32_t {
    MB_STYLE_OK = 0,            // information, OK button
    MB_STYLE_YES_NO = 1,        // question icon, Yes and No
};

enum MessageAnswer : int32_t {
    ANSWER_OK = 1,
    ANSWER_YES = 6,
    ANSWER_NO = 7,
};

class Port {
public:
    virtual ~Port() = default;
    // Called by every rule that tells the player something; modal. Timers keep
    // firing while it is open, so the caller commits its state first.
    // text and caption are code page 932.
    virtual MessageAnswer ShowMessage(WindowId owner, const char* text, const char* caption,
                                      MessageStyle style) = 0;
    // Called when a rule plays a wave file from the working directory; returns at once.
    virtual void PlaySound(const char* file) = 0;
    // Called by the market and calendar ticks after they change what a window shows.
    virtual void PaintWindow(WindowId window) = 0;
    // Called by the drive-tray tools of the shop; fails silently without a drive.
    virtual void DriveTray(bool open) = 0;

    // Called by the screen flow to start (or restart with a new interval) and
    // to stop a window's periodic timer.
    virtual void SetTimer(WindowId window, int intervalMs) { (void)window; (void)intervalMs; }
    virtual void KillTimer(WindowId window) { (void)window; }
    // The persistent drawing surface of a window, or null when there is none.
    virtual Canvas* CanvasOf(WindowId window) { (void)window; return nullptr; }
    // Called after painting into a window's surface: show it on the screen.
    virtual void Present(WindowId window) { (void)window; }
    // Opens dialog resourceId modally and returns when it closes, with the
    // value the dialog closed with.
    virtual int OpenDialog(int resourceId, WindowId owner) { (void)resourceId; (void)owner; return 0; }
    // Posts the quit message: the program ends when the current event returns.
    virtual void Quit() {}
};

// A dialog as its procedure sees it: controls by resource id, one timer, a
// canvas for its pictures. Implemented by the Qt host and the headless host.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    virtual int ResourceId() const = 0;
    // Text of an edit control, code page 932.
    virtual std::string ItemText(int id) = 0;
    virtual void SetItemText(int id, const char* text) = 0;
    virtual bool IsChecked(int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual void StartTimer(int intervalMs) = 0;
    virtual void StopTimer() = 0;
    // Closes the dialog; OpenDialog returns result.
    virtual void Close(int result) = 0;
    virtual Canvas* GetCanvas() = 0;
    virtual void Present() = 0;
};

enum DialogEvent : int32_t {
    DLG_INIT,      // the dialog was created; controls exist
    DLG_COMMAND,   // a button was pressed (id) or Escape (id 2)
    DLG_TIMER,     // the dialog's timer ticked
    DLG_PAINT,     // the dialog's pictures should be drawn
};

using DialogProc = void (*)(DialogHost& dialog, DialogEvent event, int id);

// The platform in use; set once by the shell or the headless host before any tick.
extern Port* port;

// Shorthands for the common message boxes.
MessageAnswer ShowInfo(WindowId owner, const char* text, const char* caption = "");
bool AskYesNo(WindowId owner, const char* text, const char* caption);
void PlaySoundFile(const char* file);
void RequestPaint(WindowId window);

// A port that does nothing, used until a platform installs itself.
class NullPort : public Port {
public:
    MessageAnswer ShowMessage(WindowId, const char*, const char*, MessageStyle style) override {
        return style == MB_STYLE_YES_NO ? ANSWER_NO : ANSWER_OK;
    }
    void PlaySound(const char*) override {}
    void PaintWindow(WindowId) override {}
    void DriveTray(bool) override {}
};
