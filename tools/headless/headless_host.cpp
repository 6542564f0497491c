#include "tools/headless/headless_host.h"

#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"

// ---------------------------------------------------------------- dialogs

HeadlessDialog::HeadlessDialog(const DialogTemplate& t, DialogProc proc, HeadlessHost& host)
    : id_(t.id), proc_(proc), host_(host) {
    for (const ControlTemplate& c : t.controls) {
        if (c.kind == CTL_CANVAS) {
            canvas_ = std::make_unique<RasterCanvas>(c.width, c.height);
            view_ = std::make_unique<OffsetCanvas>(*canvas_, c.x, c.y);
            canvasX_ = c.x;
            canvasY_ = c.y;
        }
        if (c.id < 0) continue;
        Control control;
        control.kind = c.kind;
        if (c.kind != CTL_EDIT && c.kind != CTL_READONLY) control.text = c.label;
        controls_[c.id] = control;
    }
}

std::vector<std::pair<int, int>> HeadlessDialog::Controls() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& [id, c] : controls_) out.emplace_back(id, c.kind);
    return out;
}

int HeadlessDialog::KindOf(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? -1 : it->second.kind;
}

Rgb HeadlessDialog::PixelAt(int x, int y) const {
    if (!canvas_) return Rgb{0, 0, 0};
    const int cx = x - canvasX_, cy = y - canvasY_;
    if (cx < 0 || cy < 0 || cx >= canvas_->Width() || cy >= canvas_->Height()) return Rgb{0, 0, 0};
    return canvas_->Pixel(cx, cy);
}

void HeadlessDialog::Tick() {
    if (!host_.quitRequested) proc_(*this, DLG_TIMER, 0);
}

void HeadlessDialog::Start() {
    proc_(*this, DLG_INIT, 0);
    if (open_) proc_(*this, DLG_PAINT, 0);
}

std::string HeadlessDialog::ItemText(int id) {
    auto it = controls_.find(id);
    return it == controls_.end() ? std::string() : it->second.text;
}

void HeadlessDialog::SetItemText(int id, const char* text) {
    auto it = controls_.find(id);
    if (it != controls_.end()) it->second.text = text ? text : "";
}

bool HeadlessDialog::IsChecked(int id) {
    auto it = controls_.find(id);
    return it != controls_.end() && it->second.checked;
}

void HeadlessDialog::SetChecked(int id, bool checked) {
    auto it = controls_.find(id);
    if (it == controls_.end()) return;
    if (checked && it->second.kind == CTL_RADIO) {
        for (auto& [cid, c] : controls_)
            if (c.kind == CTL_RADIO) c.checked = false;
    }
    it->second.checked = checked;
}

void HeadlessDialog::StartTimer(int intervalMs) {
    if (timerSlot_ < 0) timerSlot_ = host_.AddTimer([this] {
            if (open_) Tick();
        });
    host_.StartSlot(timerSlot_, intervalMs);
}

// The slot goes back to the host, so that a long session of dialogs does not
// leave every timer scan walking thousands of dead slots.
HeadlessDialog::~HeadlessDialog() {
    if (timerSlot_ >= 0) host_.ReleaseTimer(timerSlot_);
}

void HeadlessDialog::StopTimer() {
    if (timerSlot_ >= 0) host_.timers_[static_cast<size_t>(timerSlot_)].running = false;
}

int HeadlessDialog::TimerInterval() const {
    if (timerSlot_ < 0) return 0;
    const auto& t = host_.timers_[static_cast<size_t>(timerSlot_)];
    return t.running ? t.interval : 0;
}

void HeadlessDialog::Close(int result) {
    StopTimer();
    open_ = false;
    result_ = result;
}

void HeadlessDialog::Type(int id, const std::string& text) {
    auto it = controls_.find(id);
    if (it != controls_.end() && it->second.kind == CTL_EDIT) it->second.text = text;
}

void HeadlessDialog::Select(int id) { SetChecked(id, true); }

void HeadlessDialog::Press(int id) {
    if (!open_ || host_.quitRequested) return;
    auto it = controls_.find(id);
    if (it != controls_.end() && it->second.kind == CTL_RADIO) SetChecked(id, true);
    if (it != controls_.end() && it->second.kind == CTL_CHECK) it->second.checked = !it->second.checked;
    proc_(*this, DLG_COMMAND, id);
}

// ---------------------------------------------------------------- host

HeadlessHost::HeadlessHost() {
    surfaces_[WIN_MAIN] = std::make_unique<RasterCanvas>(MAIN_VIEW_WIDTH, MAIN_VIEW_HEIGHT);
    for (const PanelGeometry& p : PANELS) {
        surfaces_[p.window] = std::make_unique<RasterCanvas>(p.width, p.height);
        surfaces_[p.window]->Clear({0, 0, 0});
    }
}

HeadlessHost::~HeadlessHost() = default;

int HeadlessHost::AddTimer(std::function<void()> fire) {
    for (size_t k = 0; k < timers_.size(); ++k) {
        if (!timers_[k].free) continue;
        timers_[k] = Timer{};
        timers_[k].fire = std::move(fire);
        return static_cast<int>(k);
    }
    Timer t;
    t.fire = std::move(fire);
    timers_.push_back(std::move(t));
    return static_cast<int>(timers_.size()) - 1;
}

void HeadlessHost::ReleaseTimer(int slot) {
    Timer& t = timers_[static_cast<size_t>(slot)];
    t.running = false, t.free = true;
}

void HeadlessHost::StartSlot(int slot, int intervalMs) {
    Timer& t = timers_[static_cast<size_t>(slot)];
    t.running = true;
    t.interval = intervalMs > 0 ? intervalMs : 1;
    t.due = now_ + t.interval;
    t.order = nextOrder_++;
}

void HeadlessHost::SetTimer(WindowId window, int intervalMs) {
    auto it = windowTimers_.find(window);
    int slot;
    if (it == windowTimers_.end()) {
        slot = AddTimer([window] {
            if (window == WIN_MAIN) {
                OnMainTimer();
            } else {
                OnPanelTimer(window);
            }
        });
        windowTimers_[window] = slot;
    } else {
        slot = it->second;
    }
    StartSlot(slot, intervalMs);
}

void HeadlessHost::KillTimer(WindowId window) {
    auto it = windowTimers_.find(window);
    if (it != windowTimers_.end()) timers_[static_cast<size_t>(it->second)].running = false;
}

int HeadlessHost::TimerInterval(WindowId window) const {
    auto it = windowTimers_.find(window);
    if (it == windowTimers_.end()) return 0;
    const Timer& t = timers_[static_cast<size_t>(it->second)];
    return t.running ? t.interval : 0;
}

void HeadlessHost::Advance(int64_t ms) {
    const int64_t target = now_ + ms;
    for (;;) {
        int best = -1;
        for (size_t k = 0; k < timers_.size(); ++k) {
            const Timer& t = timers_[k];
            if (!t.running || t.due > target) continue;
            if (best < 0) {
                best = static_cast<int>(k);
                continue;
            }
            const Timer& b = timers_[static_cast<size_t>(best)];
            if (t.due < b.due || (t.due == b.due && t.order < b.order)) best = static_cast<int>(k);
        }
        if (best < 0 || quitRequested) break;
        Timer& t = timers_[static_cast<size_t>(best)];
        now_ = t.due;
        t.due += t.interval;
        t.order = nextOrder_++;
        std::function<void()> fire = t.fire;
        fire();
    }
    // A nested advance (a box held open inside a tick) may have gone further.
    if (now_ < target) now_ = target;
}

Canvas* HeadlessHost::CanvasOf(WindowId window) {
    if (window == WIN_DIALOG) return currentDialog ? currentDialog->GetCanvas() : nullptr;
    if (!paintPanels && window != WIN_MAIN) return nullptr;
    return Surface(window);
}

RasterCanvas* HeadlessHost::Surface(WindowId window) {
    auto it = surfaces_.find(window);
    return it == surfaces_.end() ? nullptr : it->second.get();
}

void HeadlessHost::PaintWindow(WindowId window) {
    HeadlessPort::PaintWindow(window);
    PaintWindowContents(window);
}

int HeadlessHost::OpenDialog(int resourceId, WindowId owner) {
    (void)owner;
    if (quitRequested) return 0;
    openedDialogs.push_back(resourceId);
    const DialogTemplate* t = FindDialogTemplate(resourceId);
    DialogProc proc = FindDialogProc(resourceId);
    if (!t || !proc) return 0;
    HeadlessDialog dialog(*t, proc, *this);
    // The outer dialog is on top again however this one ends, also when a
    // handler unwinds past it (a script run that ends inside a dialog).
    struct Restore {
        HeadlessDialog*& top;
        HeadlessDialog* outer;
        ~Restore() { top = outer; }
    } restore{currentDialog, currentDialog};
    currentDialog = &dialog;
    dialog.Start();
    if (dialog.open() && !dialogHandlers.empty()) {
        auto handler = std::move(dialogHandlers.front());
        dialogHandlers.pop_front();
        handler(dialog);
    } else if (dialog.open() && defaultDialogHandler) {
        // A copy: the handler may open dialogs that use it in turn.
        auto handler = defaultDialogHandler;
        handler(dialog);
    }
    if (dialog.open()) dialog.Press(2);
    if (dialog.open()) dialog.Close(0);
    return dialog.result();
}

void HeadlessHost::CreateMainWindow() {
    OnMainCreate();
    PaintFirstFrames();
}

void HeadlessHost::ClickMain(int x, int y) {
    if (!quitRequested) OnMainLeftClick(x, y);
}
void HeadlessHost::RightClickMain(int x, int y) {
    if (!quitRequested) OnMainRightClick(x, y);
}
void HeadlessHost::MoveMain(int x, int y) {
    if (!quitRequested) OnMainMouseMove(x, y);
}
void HeadlessHost::ClickSide(int x, int y) {
    if (!quitRequested) OnSidePanelLeftClick(x, y);
}
void HeadlessHost::MoveSide(int x, int y) {
    if (!quitRequested) OnSidePanelMouseMove(x, y);
}
void HeadlessHost::ClickBoard(int x, int y) {
    if (!quitRequested) OnBoardLeftClick(x, y);
}
