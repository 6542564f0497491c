#include "shell/win32/win_shell.h"

#include <algorithm>
#include <cstdlib>

#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "shell/wave_file.h"
#include "shell/win32/win_text.h"
#include "world/file_access.h"
#include "world/new_game.h"

WinPort winPort;

namespace {

constexpr wchar_t MAIN_CLASS[] = L"ORCHIDIAWND";
constexpr wchar_t CANVAS_CLASS[] = L"ORCHIDIACANVAS";
constexpr int MENU_RESOURCE = 109;
constexpr int PROGRAM_ICON = 107;
constexpr int PROGRAM_ICON_SMALL = 108;
constexpr UINT_PTR TIMER_ID = 1;
constexpr int CLIENT_WIDTH = 1020;
constexpr int CLIENT_HEIGHT = 685;
constexpr DWORD MAIN_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The control id a canvas gets when its template leaves it without one.
constexpr WORD CANVAS_ITEM_ID = 0x7F00;

COLORREF Background(WindowId id) { return id == WIN_MAIN ? RGB(255, 255, 255) : RGB(0, 0, 0); }

WindowId IdOf(HWND hwnd) { return static_cast<WindowId>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

// The mouse, routed as the other host routes it: moves to the main view and
// the side panel, left clicks to those and the stock board, right clicks to
// the main view.
void RouteMouse(WindowId id, UINT msg, LPARAM lParam) {
    if (winPort.quitting()) return;
    // Signed: a drag may leave the window to the left or above.
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
        case WM_MOUSEMOVE:
            if (id == WIN_MAIN) OnMainMouseMove(x, y);
            if (id == WIN_SIDE) OnSidePanelMouseMove(x, y);
            break;
        case WM_LBUTTONDOWN:
            if (id == WIN_MAIN) OnMainLeftClick(x, y);
            if (id == WIN_SIDE) OnSidePanelLeftClick(x, y);
            if (id == WIN_BOARD) OnBoardLeftClick(x, y);
            break;
        case WM_RBUTTONDOWN:
            if (id == WIN_MAIN) OnMainRightClick(x, y);
            break;
        default: break;
    }
}

void PaintFromSurface(HWND hwnd, Canvas* canvas) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (auto* surface = static_cast<GdiSurface*>(canvas)) surface->CopyTo(dc);
    EndPaint(hwnd, &ps);
}

// The main window and the panels share one procedure: each is a window of
// the game with a surface, a timer and the mouse.
LRESULT CALLBACK GameWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    const WindowId id = IdOf(hwnd);
    switch (msg) {
        case WM_PAINT: PaintFromSurface(hwnd, winPort.CanvasOf(id)); return 0;
        case WM_ERASEBKGND: return 1;   // the surface covers the window
        case WM_TIMER:
            // A tick may open a message box or a dialog; their loops go on
            // delivering this window's ticks, which the game relies on.
            if (wParam != TIMER_ID || winPort.quitting()) return 0;
            if (id == WIN_MAIN) {
                OnMainTimer();
            } else {
                OnPanelTimer(id);
            }
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: RouteMouse(id, msg, lParam); return 0;
        case WM_COMMAND:
            if (id == WIN_MAIN && HIWORD(wParam) <= 1 && !winPort.quitting()) OnMenuCommand(LOWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            if (id == WIN_MAIN && LOWORD(wParam) != WA_INACTIVE && !winPort.quitting()) OnMainActivate();
            break;
        case WM_CLOSE:
            // The close box ends the program whatever is open, as the menu's exit does.
            winPort.Quit();
            return 0;
        case WM_DESTROY:
            if (id == WIN_MAIN) PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The area of a dialog the procedure draws in: shows the surface its dialog
// keeps for it.
LRESULT CALLBACK CanvasControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            PaintFromSurface(hwnd, reinterpret_cast<GdiSurface*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
            return 0;
        case WM_ERASEBKGND:
            if (GetWindowLongPtrW(hwnd, GWLP_USERDATA) != 0) return 1;
            break;
        default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = GameWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(PROGRAM_ICON), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(PROGRAM_ICON_SMALL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszMenuName = MAKEINTRESOURCEW(MENU_RESOURCE);
    wc.lpszClassName = MAIN_CLASS;
    if (!RegisterClassExW(&wc)) return false;
    wc.hIcon = wc.hIconSm = nullptr;
    wc.lpszMenuName = nullptr;
    for (const PanelGeometry& p : PANELS) {
        const std::wstring name(p.className, p.className + std::char_traits<char>::length(p.className));
        wc.lpszClassName = name.c_str();
        if (!RegisterClassExW(&wc)) return false;
    }
    wc.lpfnWndProc = CanvasControlProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = CANVAS_CLASS;
    return RegisterClassExW(&wc) != 0;
}

// ---------------------------------------------------------------- dialog templates

// A DLGTEMPLATE and its items, written as the dialog manager reads them.
class TemplateWriter {
public:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const std::wstring& s) {
        for (wchar_t c : s) Word(static_cast<WORD>(c));
        Word(0);
    }
    void Ordinal(WORD value) {
        Word(0xFFFF);
        Word(value);
    }
    void AlignDword() {
        if (words_.size() % 2) Word(0);
    }
    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

bool IsButtonKind(ControlKind kind) {
    return kind == CTL_BUTTON || kind == CTL_DEFBUTTON || kind == CTL_RADIO || kind == CTL_CHECK;
}

// Dialog units for the template; the controls are put at their exact pixels
// when the dialog starts, whatever the font's base units come to.
short Units(int pixels) { return static_cast<short>(pixels * 2 / 3); }

}  // namespace

// ---------------------------------------------------------------- dialogs

class WinDialog : public DialogHost {
public:
    WinDialog(const DialogTemplate& t, DialogProc proc) : t_(t), proc_(proc) {}
    ~WinDialog() override { StopTimer(); }
    int ResourceId() const override { return t_.id; }
    std::string ItemText(int id) override;
    void SetItemText(int id, const char* text) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    void StartTimer(int intervalMs) override {
        if (hwnd_) ::SetTimer(hwnd_, TIMER_ID, static_cast<UINT>(std::max(intervalMs, 1)), nullptr);
    }
    void StopTimer() override {
        if (hwnd_) ::KillTimer(hwnd_, TIMER_ID);
    }
    void Close(int result) override {
        StopTimer();
        if (closed_) return;
        closed_ = true;
        result_ = result;
        if (hwnd_) EndDialog(hwnd_, result);
    }
    Canvas* GetCanvas() override { return view_.get(); }
    void Present() override {
        if (canvasWindow_) InvalidateRect(canvasWindow_, nullptr, FALSE);
    }
    int closedResult() const { return result_; }
    HWND hwnd() const { return hwnd_; }

    // The template in memory, controls in the order the dialog manager
    // creates them.
    void Build(TemplateWriter& out);
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Start(HWND hwnd);
    // Once the program is quitting, no procedure runs again: the nested
    // loops are unwinding and what they would start is never shown.
    void Send(DialogEvent event, int id) {
        if (!winPort.quitting() && !closed_) proc_(*this, event, id);
    }
    const ControlTemplate* Control(int id) const { return t_.Control(id); }
    const DialogTemplate& t_;
    DialogProc proc_;
    HWND hwnd_ = nullptr;
    std::vector<const ControlTemplate*> order_;   // creation order
    HWND canvasWindow_ = nullptr;
    std::unique_ptr<GdiSurface> surface_;
    std::unique_ptr<OffsetCanvas> view_;
    bool closed_ = false;
    int result_ = 0;
};

void WinDialog::Build(TemplateWriter& out) {
    // Group boxes last: at the bottom of the order they never cover the
    // controls they frame.
    order_.clear();
    for (const ControlTemplate& c : t_.controls)
        if (c.kind != CTL_GROUP) order_.push_back(&c);
    for (const ControlTemplate& c : t_.controls)
        if (c.kind == CTL_GROUP) order_.push_back(&c);

    const std::wstring face = gdiDrawing.DialogFace(FromCp932(t_.fontFace));
    out.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    out.Dword(0);
    out.Word(static_cast<WORD>(order_.size()));
    out.Word(0);
    out.Word(0);
    out.Word(static_cast<WORD>(Units(t_.width)));
    out.Word(static_cast<WORD>(Units(t_.height)));
    out.Word(0);   // no menu
    out.Word(0);   // the dialog class
    out.Text(FromCp932(t_.title));
    out.Word(static_cast<WORD>(t_.fontPoints > 0 ? t_.fontPoints : 9));
    out.Text(face);

    bool previousRadio = false;
    for (const ControlTemplate* c : order_) {
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        WORD atom = 0x0082;   // static
        std::wstring title = FromCp932(c->label);
        WORD imageOrdinal = 0;
        const wchar_t* className = nullptr;
        switch (c->kind) {
            case CTL_TEXT: style |= SS_LEFT; break;
            case CTL_EDIT:
            case CTL_READONLY:
                atom = 0x0081;
                style |= ES_AUTOHSCROLL | ES_LEFT;
                exStyle |= WS_EX_CLIENTEDGE;
                // Tab and the opening focus go to what the player can use.
                if (c->kind == CTL_READONLY) {
                    style |= ES_READONLY;
                } else {
                    style |= WS_TABSTOP;
                }
                title.clear();
                break;
            case CTL_BUTTON: atom = 0x0080; style |= BS_PUSHBUTTON | WS_TABSTOP; break;
            case CTL_DEFBUTTON: atom = 0x0080; style |= BS_DEFPUSHBUTTON | WS_TABSTOP; break;
            case CTL_RADIO: atom = 0x0080; style |= BS_AUTORADIOBUTTON; break;
            case CTL_CHECK: atom = 0x0080; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
            case CTL_GROUP: atom = 0x0080; style |= BS_GROUPBOX; break;
            case CTL_PICTURE:
                // The program icon or a bitmap of the program's resources.
                imageOrdinal = static_cast<WORD>(std::atoi(c->label.c_str()));
                style |= imageOrdinal == PROGRAM_ICON ? SS_ICON : SS_BITMAP;
                break;
            case CTL_CANVAS: className = CANVAS_CLASS; break;
        }
        // The radio buttons of a dialog are one group, as they are to the
        // procedures: a run of them starts a group, and so does what follows.
        const bool radio = c->kind == CTL_RADIO;
        if (radio != previousRadio) style |= WS_GROUP | (radio ? WS_TABSTOP : 0);
        previousRadio = radio;

        out.AlignDword();
        out.Dword(style);
        out.Dword(exStyle);
        out.Word(static_cast<WORD>(Units(c->x)));
        out.Word(static_cast<WORD>(Units(c->y)));
        out.Word(static_cast<WORD>(Units(c->width)));
        out.Word(static_cast<WORD>(Units(c->height)));
        out.Word(c->kind == CTL_CANVAS && c->id < 0 ? CANVAS_ITEM_ID : static_cast<WORD>(c->id));
        if (className) {
            out.Text(className);
        } else {
            out.Ordinal(atom);
        }
        if (imageOrdinal) {
            out.Ordinal(imageOrdinal);
        } else {
            out.Text(title);
        }
        out.Word(0);   // no creation data
    }
}

void WinDialog::Start(HWND hwnd) {
    hwnd_ = hwnd;
    // The template's pixels, exactly: the client area and every control.
    RECT frame = {0, 0, t_.width, t_.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    // Centred over the window it belongs to, as the other host centres it.
    RECT over;
    HWND owner = GetWindow(hwnd, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    const int x = std::max<int>(0, (over.left + over.right - w) / 2);
    const int y = std::max<int>(0, (over.top + over.bottom - h) / 2);
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND child = GetWindow(hwnd, GW_CHILD);
    for (const ControlTemplate* c : order_) {
        if (!child) break;
        MoveWindow(child, c->x, c->y, c->width, c->height, FALSE);
        if (c->kind == CTL_CANVAS && !surface_) {
            surface_ = std::make_unique<GdiSurface>(c->width, c->height, GetSysColor(COLOR_BTNFACE));
            if (surface_->ok()) {
                canvasWindow_ = child;
                SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(surface_.get()));
                // The procedure draws in dialog coordinates.
                view_ = std::make_unique<OffsetCanvas>(*surface_, c->x, c->y);
            }
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    Send(DLG_INIT, 0);
    Send(DLG_PAINT, 0);
}

INT_PTR CALLBACK WinDialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<WinDialog*>(lParam)->Start(hwnd);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<WinDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!dialog) return FALSE;
    switch (msg) {
        case WM_COMMAND: {
            // Buttons, and Escape or the close box as command 2, which the
            // procedure decides; an edit's notifications are not commands.
            const int id = LOWORD(wParam);
            const ControlTemplate* c = dialog->Control(id);
            if (HIWORD(wParam) == BN_CLICKED && (id == IDCANCEL || (c && IsButtonKind(c->kind)))) {
                dialog->Send(DLG_COMMAND, id);
            }
            return TRUE;
        }
        case WM_TIMER:
            if (wParam == TIMER_ID) dialog->Send(DLG_TIMER, 0);
            return TRUE;
        case WM_DESTROY:
            dialog->StopTimer();
            dialog->hwnd_ = nullptr;
            return FALSE;
        default: return FALSE;
    }
}

std::string WinDialog::ItemText(int id) {
    const ControlTemplate* c = Control(id);
    if (!hwnd_ || !c || (c->kind != CTL_EDIT && c->kind != CTL_READONLY)) return std::string();
    HWND edit = GetDlgItem(hwnd_, id);
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(GetWindowTextW(edit, text.data(), length + 1), 0)));
    bool ok = true;
    std::string bytes = ToCp932(text, &ok);
    // A character without a code page 932 form comes back as a control byte,
    // which the procedures refuse as text that is not valid.
    if (!ok) bytes.push_back('\x01');
    return bytes;
}

void WinDialog::SetItemText(int id, const char* text) {
    if (hwnd_ && Control(id)) SetDlgItemTextW(hwnd_, id, FromCp932(text).c_str());
}

bool WinDialog::IsChecked(int id) {
    const ControlTemplate* c = Control(id);
    if (!hwnd_ || !c || (c->kind != CTL_RADIO && c->kind != CTL_CHECK)) return false;
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void WinDialog::SetChecked(int id, bool checked) {
    const ControlTemplate* c = Control(id);
    if (!hwnd_ || !c || (c->kind != CTL_RADIO && c->kind != CTL_CHECK && !IsButtonKind(c->kind))) return;
    // Checking a radio button clears the others of the dialog, as a click does.
    if (checked && c->kind == CTL_RADIO) {
        for (const ControlTemplate& other : t_.controls)
            if (other.kind == CTL_RADIO && other.id != id) CheckDlgButton(hwnd_, other.id, BST_UNCHECKED);
    }
    CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

// ---------------------------------------------------------------- port

HWND WinPort::Window(WindowId window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second;
}

HWND WinPort::OwnerWindow(WindowId owner) const {
    (void)owner;
    // Whatever asks, the innermost open dialog owns what opens next, so that
    // it stays modal to the player.
    return dialogs_.empty() ? Window(WIN_MAIN) : dialogs_.back()->hwnd();
}

bool WinPort::CreateWindows(HINSTANCE instance) {
    instance_ = instance;
    if (!RegisterClasses(instance)) return false;
    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRectEx(&frame, MAIN_STYLE, TRUE, 0);
    HWND main = CreateWindowExW(0, MAIN_CLASS, L"ORCHIDIA", MAIN_STYLE, 0, 0, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance,
                                reinterpret_cast<LPVOID>(static_cast<INT_PTR>(WIN_MAIN)));
    if (!main) return false;
    windows_[WIN_MAIN] = main;
    surfaces_[WIN_MAIN] = std::make_unique<GdiSurface>(MAIN_VIEW_WIDTH, MAIN_VIEW_HEIGHT, Background(WIN_MAIN));
    for (const PanelGeometry& p : PANELS) {
        const std::wstring cls(p.className, p.className + std::char_traits<char>::length(p.className));
        const std::wstring title(p.title, p.title + std::char_traits<char>::length(p.title));
        surfaces_[p.window] = std::make_unique<GdiSurface>(p.width, p.height, Background(p.window));
        HWND panel = CreateWindowExW(0, cls.c_str(), title.c_str(), WS_CHILD | WS_VISIBLE, p.x, p.y, p.width,
                                     p.height, main, nullptr, instance,
                                     reinterpret_cast<LPVOID>(static_cast<INT_PTR>(p.window)));
        if (!panel) return false;
        windows_[p.window] = panel;
    }
    return true;
}

MessageAnswer WinPort::ShowMessage(WindowId owner, const char* text, const char* caption, MessageStyle style) {
    // Nothing is asked once the program is ending; a question counts as No.
    if (quitting_) return style == MB_STYLE_YES_NO ? ANSWER_NO : ANSWER_OK;
    const std::wstring body = FromCp932(text), title = FromCp932(caption);
    if (style == MB_STYLE_YES_NO) {
        const int answer = MessageBoxW(OwnerWindow(owner), body.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION);
        return answer == IDYES && !quitting_ ? ANSWER_YES : ANSWER_NO;
    }
    MessageBoxW(OwnerWindow(owner), body.c_str(), title.c_str(), MB_OK);
    return ANSWER_OK;
}

void WinPort::PlaySound(const char* file) {
    if (quitting_ || !file) return;
    const std::string name(file);
    auto it = sounds_.find(name);
    if (it == sounds_.end()) {
        // A missing, unreadable or damaged file only loses its sound; it is
        // looked at once, and never handed to the player unchecked.
        if (badSounds_.count(name)) return;
        std::string bytes;
        if (ReadRegularFile(name, MAX_WAVE_BYTES, bytes) != FileRead::OK || !IsPlayableWave(bytes)) {
            badSounds_[name] = true;
            return;
        }
        it = sounds_.emplace(name, std::move(bytes)).first;
    }
    // The bytes that were checked are the ones played, from memory; a new
    // sound stops the one playing.
    sndPlaySoundA(it->second.data(), SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
}

void WinPort::PaintWindow(WindowId window) { PaintWindowContents(window); }

void WinPort::DriveTray(bool open) {
    // Fails silently without a drive.
    mciSendStringA(open ? "set cdaudio door open" : "set cdaudio door closed", nullptr, 0, nullptr);
}

void WinPort::SetTimer(WindowId window, int intervalMs) {
    if (quitting_) return;
    if (HWND hwnd = Window(window)) ::SetTimer(hwnd, TIMER_ID, static_cast<UINT>(std::max(intervalMs, 1)), nullptr);
}

void WinPort::KillTimer(WindowId window) {
    if (HWND hwnd = Window(window)) ::KillTimer(hwnd, TIMER_ID);
}

Canvas* WinPort::CanvasOf(WindowId window) {
    if (window == WIN_DIALOG) return dialogs_.empty() ? nullptr : dialogs_.back()->GetCanvas();
    auto it = surfaces_.find(window);
    return it != surfaces_.end() && it->second->ok() ? it->second.get() : nullptr;
}

void WinPort::Present(WindowId window) {
    if (window == WIN_DIALOG) {
        if (!dialogs_.empty()) dialogs_.back()->Present();
        return;
    }
    HWND hwnd = Window(window);
    if (!hwnd) return;
    // The main window's own surface is the main view; the panels cover the rest.
    const RECT view = {0, 0, MAIN_VIEW_WIDTH, MAIN_VIEW_HEIGHT};
    InvalidateRect(hwnd, window == WIN_MAIN ? &view : nullptr, FALSE);
}

int WinPort::OpenDialog(int resourceId, WindowId owner) {
    const DialogTemplate* t = FindDialogTemplate(resourceId);
    DialogProc proc = FindDialogProc(resourceId);
    // Dialogs that the game does not have yet open nothing.
    if (!t || !proc || quitting_) return 0;
    WinDialog dialog(*t, proc);
    TemplateWriter memory;
    dialog.Build(memory);
    HWND ownerWindow = OwnerWindow(owner);
    dialogs_.push_back(&dialog);
    DialogBoxIndirectParamW(instance_, memory.data(), ownerWindow, WinDialog::Proc, reinterpret_cast<LPARAM>(&dialog));
    dialogs_.pop_back();
    return dialog.closedResult();
}

void WinPort::Quit() {
    if (quitting_) return;
    quitting_ = true;
    for (auto& [window, hwnd] : windows_) ::KillTimer(hwnd, TIMER_ID);
    sndPlaySoundA(nullptr, 0);
    // Every open dialog ends, innermost first, and the quit message ends the
    // loops of message boxes and dialogs on its way to the main loop.
    for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) (*it)->Close(0);
    PostQuitMessage(0);
}

int RunGame(HINSTANCE instance, int show, uint32_t seed) {
    StartUpWorld(seed);
    ResetShellState();
    gdiDrawing.Create();
    port = &winPort;
    if (!winPort.CreateWindows(instance)) return 1;
    HWND main = winPort.mainWindow();
    ShowWindow(main, show);
    // The menu bar may take more than one row: the client area is made exact.
    RECT client, frame;
    GetClientRect(main, &client);
    GetWindowRect(main, &frame);
    if (client.right != CLIENT_WIDTH || client.bottom != CLIENT_HEIGHT) {
        SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left + CLIENT_WIDTH - client.right,
                     frame.bottom - frame.top + CLIENT_HEIGHT - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }
    OnMainCreate();
    UpdateWindow(main);   // the title on the screen first
    PaintFirstFrames();
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(MENU_RESOURCE));
    MSG msg;
    int code = 0;
    while (true) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            code = static_cast<int>(msg.wParam);
            break;
        }
        if (got < 0) break;
        if (accelerators && TranslateAcceleratorW(main, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    winPort.Quit();
    if (IsWindow(main)) DestroyWindow(main);
    return code;
}
