// Start-up and idle figures of the Windows game's real window, one
// measurement per process (win32_startup_bench.sh runs them alternately):
//   orchidia_win32_startup_bench bare      a bare window of the game's outer
//                                          size, to its first paint
//   orchidia_win32_startup_bench game      the game, to its first painted title
//   orchidia_win32_startup_bench idle S    the game idling on the field map:
//                                          its CPU time over S seconds
// bare and game print two numbers: milliseconds from main() to the end of the
// paint, and the Unix time of that moment in milliseconds, which the script
// holds against the moment it launched the program (Wine's own start-up
// included). idle prints "measuring" when its window opens, then the % of one
// core the process used.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/screen_flow.h"
#include "shell/win32/win_api.h"
#include "shell/win32/win_shell.h"

namespace {

// FILETIME counts 100 ns from 1601; Unix time counts from 1970.
constexpr unsigned long long UNIX_EPOCH_AS_FILETIME = 116444736000000000ULL;

unsigned long long Ticks(const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

double UnixMillisNow() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return static_cast<double>(Ticks(now) - UNIX_EPOCH_AS_FILETIME) / 1e4;
}

double CpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    return static_cast<double>(Ticks(kernel) + Ticks(user)) / 1e7;
}

LRESULT CALLBACK BareWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The least a program does to show a window of the game's style and outer
// size (the 1020 x 685 client area with a menu bar), painted white.
HWND ShowBareWindow(HINSTANCE instance) {
    WNDCLASSW cls = {};
    cls.lpfnWndProc = BareWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.lpszClassName = L"BareWindow";
    if (!RegisterClassW(&cls)) return nullptr;
    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    AdjustWindowRectEx(&frame, MAIN_STYLE, TRUE, 0);
    HWND hwnd = CreateWindowExW(0, cls.lpszClassName, L"BARE", MAIN_STYLE, 0, 0, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return nullptr;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    return hwnd;
}

// Runs the message loop until the thread timer has fired after this long.
void PumpFor(UINT ms) {
    const UINT_PTR timer = SetTimer(nullptr, 0, ms, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, timer);
}

}  // namespace

int main(int argc, char** argv) {
    const double started = UnixMillisNow();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "bare") == 0 || std::strcmp(mode, "game") == 0) {
        // Both paint synchronously before returning: the title, or the white.
        const bool shown = mode[0] == 'b' ? ShowBareWindow(instance) != nullptr
                                          : StartGame(instance, SW_SHOWNORMAL, 1) != nullptr;
        if (!shown) return 1;
        const double painted = UnixMillisNow();
        std::printf("%.3f %.3f\n", painted - started, painted);
        return 0;
    }
    if (std::strcmp(mode, "idle") == 0) {
        const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
        if (!StartGame(instance, SW_SHOWNORMAL, 1)) return 1;
        // The introduction's right click leads to the field map without a dialog.
        screenMode = SCREEN_INTRO;
        OnMainRightClick(100, 100);
        PumpFor(1000);
        std::printf("measuring\n");
        std::fflush(stdout);
        const double cpu0 = CpuSeconds(), wall0 = UnixMillisNow();
        PumpFor(static_cast<UINT>(seconds) * 1000);
        const double wall = (UnixMillisNow() - wall0) / 1000;
        std::printf("%.1f\n", 100.0 * (CpuSeconds() - cpu0) / wall);
        return 0;
    }
    std::fprintf(stderr, "usage: %s bare | game | idle SECONDS\n", argv[0]);
    return 2;
}
