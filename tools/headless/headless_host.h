// The headless host of the whole game: the recording port plus a virtual
// clock that fires every window's timer in time order, drawing surfaces in
// memory, dialogs built from their templates as control tables, clicks by
// position and typing and pressing by control id.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/headless/headless_port.h"
#include "tools/headless/raster_canvas.h"

struct DialogTemplate;

class HeadlessDialog : public DialogHost {
public:
    HeadlessDialog(const DialogTemplate& t, DialogProc proc, class HeadlessHost& host);
    ~HeadlessDialog();
    HeadlessDialog(const HeadlessDialog&) = delete;
    HeadlessDialog& operator=(const HeadlessDialog&) = delete;
    int ResourceId() const override { return id_; }
    std::string ItemText(int id) override;
    void SetItemText(int id, const char* text) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    void StartTimer(int intervalMs) override;
    void StopTimer() override;
    void Close(int result) override;
    // The procedure draws in dialog coordinates onto the canvas control.
    Canvas* GetCanvas() override { return view_.get(); }
    void Present() override {}

    // What a player does in a dialog.
    void Type(int id, const std::string& text);   // replaces the text, code page 932
    void Press(int id);                           // a button, a radio button or Escape (2)
    void Select(int id);                          // a radio button, checked without a command
    bool open() const { return open_; }
    int result() const { return result_; }
    void Start();
    void Tick();
    // Interval of the dialog's running timer, 0 when stopped.
    int TimerInterval() const;
    // The ids and kinds (ControlKind) of the controls the procedure addresses.
    std::vector<std::pair<int, int>> Controls() const;
    // The kind (ControlKind) of control id, or -1 when the dialog has none.
    int KindOf(int id) const;
    // The canvas control's pixels, and where it stands in the dialog.
    RasterCanvas* Surface() { return canvas_.get(); }
    int canvasX() const { return canvasX_; }
    int canvasY() const { return canvasY_; }
    // A pixel of the drawing at dialog coordinates (x, y); black outside the canvas.
    Rgb PixelAt(int x, int y) const;

private:
    struct Control {
        int kind;
        std::string text;
        bool checked = false;
    };
    int id_;
    DialogProc proc_;
    HeadlessHost& host_;
    std::map<int, Control> controls_;
    std::unique_ptr<RasterCanvas> canvas_;
    std::unique_ptr<OffsetCanvas> view_;
    bool open_ = true;
    int result_ = 0;
    int timerSlot_ = -1;
    int canvasX_ = 0, canvasY_ = 0;
};

class HeadlessHost : public HeadlessPort {
public:
    HeadlessHost();
    ~HeadlessHost() override;

    void SetTimer(WindowId window, int intervalMs) override;
    void KillTimer(WindowId window) override;
    Canvas* CanvasOf(WindowId window) override;
    void Present(WindowId window) override { presents.push_back(window); }
    int OpenDialog(int resourceId, WindowId owner) override;
    void PaintWindow(WindowId window) override;

    // Creates the main window: the same start as the game's (the flow's
    // OnMainCreate), with every timer on the virtual clock.
    void CreateMainWindow();

    // Advances the virtual clock, firing every due timer in time order (ties
    // in the order the timers were started). After a quit nothing fires.
    void Advance(int64_t ms);
    int64_t now() const { return now_; }
    // Interval of a window's running timer, 0 when stopped.
    int TimerInterval(WindowId window) const;

    // What the player does with the mouse.
    void ClickMain(int x, int y);
    void RightClickMain(int x, int y);
    void MoveMain(int x, int y);
    void ClickSide(int x, int y);
    void MoveSide(int x, int y);
    void ClickBoard(int x, int y);

    // Handlers for the dialogs the game opens, used in order: each acts in
    // the open dialog (types, presses, advances the clock). A dialog still
    // open when its handler returns gets Escape, then is closed.
    std::deque<std::function<void(HeadlessDialog&)>> dialogHandlers;
    // Used for a dialog when no queued handler is left (none: Escape at once).
    std::function<void(HeadlessDialog&)> defaultDialogHandler;
    std::vector<int> openedDialogs;        // resource ids, in order
    std::vector<WindowId> presents;
    // When false the six panels have no surface, so their timers run the
    // rules without painting (long soaks); the main view and dialogs paint.
    bool paintPanels = true;
    HeadlessDialog* currentDialog = nullptr;

    RasterCanvas* Surface(WindowId window);

private:
    friend class HeadlessDialog;
    struct Timer {
        bool running = false;
        bool free = false;   // a closed dialog's slot, taken again by the next one
        int interval = 0;
        int64_t due = 0;
        uint64_t order = 0;
        std::function<void()> fire;
    };
    int AddTimer(std::function<void()> fire);
    void ReleaseTimer(int slot);
    void StartSlot(int slot, int intervalMs);
    std::vector<Timer> timers_;
    std::map<WindowId, int> windowTimers_;
    std::map<WindowId, std::unique_ptr<RasterCanvas>> surfaces_;
    int64_t now_ = 0;
    uint64_t nextOrder_ = 0;
};
