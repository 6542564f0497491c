// Start-up: seed the generator, set up the world, create the shared drawing
// resources and the main window, and run the message loop.
#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <csignal>
#include <ctime>
#include <unistd.h>

#include "shell/qt/early_start.h"
#include "shell/qt/qt_canvas.h"
#include "shell/qt/qt_shell.h"
#include "world/world_state.h"

namespace {

// A termination request ends the game as closing the window does.
int signalPipe[2] = {-1, -1};

void OnTerminate(int) {
    char c = 1;
    ssize_t n = write(signalPipe[1], &c, 1);
    (void)n;
}

void WatchTermination(QApplication& app) {
    if (pipe(signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QApplication::quit(); });
    struct sigaction action = {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    EarlyStart early;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orchidia"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orchidia.Orchidia"));
    WatchTermination(app);

    MainWindow window;
    StartGameWindow(window, static_cast<uint32_t>(std::time(nullptr)));
    int code = app.exec();
    port->KillTimer(WIN_MAIN);
    return code;
}
