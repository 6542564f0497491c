// Start-up: seed the generator, set up the world, create the shared drawing
// resources and the main window, and run the message loop.
#include <QApplication>
#include <QDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "shell/qt/early_start.h"
#include "shell/qt/qt_canvas.h"
#include "shell/qt/qt_shell.h"
#include "world/world_state.h"

namespace {
// Once the loop has ended nothing may keep the process alive: tearing down
// the toolkit (a sound still loading, say) gets this long, then the program
// ends with the loop's code anyway.
constexpr auto TEARDOWN_LIMIT = std::chrono::milliseconds(800);
}  // namespace

int main(int argc, char** argv) {
    EarlyStart early;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orchidia"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orchidia.Orchidia"));
    WatchTerminationSignals();

    MainWindow window;
    StartGameWindow(window, static_cast<uint32_t>(std::time(nullptr)));
    const int code = app.exec();
    port->KillTimer(WIN_MAIN);
    std::thread([code] {
        std::this_thread::sleep_for(TEARDOWN_LIMIT);
        std::fflush(nullptr);
        std::_Exit(code);
    }).detach();
    return code;
}
