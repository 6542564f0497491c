// Start-up on Windows: find the game's pictures and sounds, then run the
// game with a seed from the clock.
#include <ctime>
#include <string>

#include "shell/win32/win_api.h"
#include "shell/win32/win_shell.h"
#include "world/file_access.h"

namespace {
// The pictures and sounds lie beside the program. Started by a double-click
// or from a shortcut, the working folder may be another one: then the
// program's own folder is made the working folder.
void EnterProgramFolder() {
    if (KindOfPath("field1.bmp") == PathKind::REGULAR) return;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return;
    path.resize(slash + 1);
    SetCurrentDirectoryW(path.c_str());
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    EnterProgramFolder();
    return RunGame(instance, show, static_cast<uint32_t>(std::time(nullptr)));
}
