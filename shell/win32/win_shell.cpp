#include "shell/win32/win_shell.h"

#include <algorithm>

#include "resources/dialog_templates.h"
#include "shell/win32/win_dialog.h"
#include "shell/screen_flow.h"
#include "shell/wave_file.h"
#include "shell/win32/win_text.h"
#include "world/file_access.h"
#include "world/new_game.h"

WinPort winPort;

namespace {

// The string resources of the main window's title and class name.
constexpr UINT TITLE_STRING = 103;
constexpr UINT CLASS_STRING = 109;
constexpr int MENU_RESOURCE = 109;

// A string of the program's string table, empty when it has none of that id.
std::wstring ResourceString(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    const int n = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

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
        case WM_ERASEBKGND:
            // A panel's surface covers it; the main window's covers the main
            // view, and the panels, its children, the rest of the layout.
            if (id == WIN_MAIN) {
                const HDC dc = reinterpret_cast<HDC>(wParam);
                RECT client;
                GetClientRect(hwnd, &client);
                ExcludeClipRect(dc, 0, 0, MAIN_VIEW_WIDTH, MAIN_VIEW_HEIGHT);
                FillRect(dc, &client, reinterpret_cast<HBRUSH>(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND)));
            }
            return 1;
        case WM_TIMER:
            // A tick may open a message box or a dialog; their loops go on
            // delivering this window's ticks, which the game relies on.
            if (wParam != WINDOW_TIMER || winPort.quitting()) return 0;
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

}  // namespace

const wchar_t CANVAS_CLASS[] = L"ORCHIDIACANVAS";

bool RegisterWindowClasses(HINSTANCE instance) {
    // Registering again is no fault: the classes are the same.
    const auto registered = [](const WNDCLASSEXW& wc) {
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    };
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
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    const std::wstring mainClass = ResourceString(instance, CLASS_STRING);
    if (mainClass.empty()) return false;   // a program without its resources
    wc.lpszClassName = mainClass.c_str();
    if (!registered(wc)) return false;
    wc.hIcon = wc.hIconSm = nullptr;
    wc.lpszMenuName = nullptr;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const PanelGeometry& p : PANELS) {
        const std::wstring name = FromCp932(p.className);
        wc.lpszClassName = name.c_str();
        if (!registered(wc)) return false;
    }
    wc.lpfnWndProc = CanvasControlProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = CANVAS_CLASS;
    return registered(wc);
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
    if (!RegisterWindowClasses(instance)) return false;
    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRectEx(&frame, MAIN_STYLE, TRUE, 0);
    const std::wstring mainClass = ResourceString(instance, CLASS_STRING);
    const std::wstring caption = ResourceString(instance, TITLE_STRING);
    HWND main = CreateWindowExW(0, mainClass.c_str(), caption.c_str(), MAIN_STYLE, 0, 0, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance,
                                reinterpret_cast<LPVOID>(static_cast<INT_PTR>(WIN_MAIN)));
    if (!main) return false;
    windows_[WIN_MAIN] = main;
    surfaces_[WIN_MAIN] = std::make_unique<GdiSurface>(MAIN_VIEW_WIDTH, MAIN_VIEW_HEIGHT, Background(WIN_MAIN));
    for (const PanelGeometry& p : PANELS) {
        const std::wstring cls = FromCp932(p.className), title = FromCp932(p.title);
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
            badSounds_.insert(name);
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
    if (HWND hwnd = Window(window)) ::SetTimer(hwnd, WINDOW_TIMER, static_cast<UINT>(std::max(intervalMs, 1)), nullptr);
}

void WinPort::KillTimer(WindowId window) {
    if (HWND hwnd = Window(window)) ::KillTimer(hwnd, WINDOW_TIMER);
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
    for (auto& [window, hwnd] : windows_) ::KillTimer(hwnd, WINDOW_TIMER);
    sndPlaySoundA(nullptr, 0);
    // Every open dialog ends, innermost first, and the quit message ends the
    // loops of message boxes and dialogs on its way to the main loop.
    for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) (*it)->Close(0);
    PostQuitMessage(0);
}

HWND StartGame(HINSTANCE instance, int show, uint32_t seed) {
    StartUpWorld(seed);
    ResetShellState();
    gdiDrawing.Create();
    port = &winPort;
    if (!winPort.CreateWindows(instance)) return nullptr;
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
    return main;
}

int RunGame(HINSTANCE instance, int show, uint32_t seed) {
    HWND main = StartGame(instance, show, seed);
    if (!main) return 1;
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
