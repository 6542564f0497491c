// Start-up and idle figures of the real window, one measurement per process:
//   orchidia_startup_bench bare      a bare 1030 x 730 window to its first paint
//   orchidia_startup_bench game      the game to its first painted title
//   orchidia_startup_bench idle S    the game idling on the field map: CPU
//                                    time over S seconds, as % of one core
// Each prints one number; bench/startup_bench.sh runs them alternately and
// reports medians. The clock starts at main(), before the application.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

#include "shell/qt/qt_shell.h"
#include "shell/screen_flow.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point started;

double MillisSinceStart() { return std::chrono::duration<double, std::milli>(Clock::now() - started).count(); }

// Stops the clock once the watched widget has finished a paint event.
class WatchingApp : public QApplication {
public:
    using QApplication::QApplication;
    QWidget* watched = nullptr;
    bool done = false;
    bool notify(QObject* receiver, QEvent* event) override {
        const bool isPaint = event->type() == QEvent::Paint;
        const bool result = QApplication::notify(receiver, event);
        if (isPaint && !done && watched && receiver == watched) {
            done = true;
            std::printf("%.3f\n", MillisSinceStart());
            QTimer::singleShot(0, this, &QApplication::quit);
        }
        return result;
    }
};

// What a minimal Qt program of the same size does: one surface, one paint.
class BareWindow : public QWidget {
public:
    BareWindow() : surface_(1030, 730, QImage::Format_RGB32) {
        setFixedSize(1030, 730);
        surface_.fill(Qt::white);
        setWindowTitle(QStringLiteral("bare"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, surface_);
    }

private:
    QImage surface_;
};

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    started = Clock::now();
    const char* mode = argc > 1 ? argv[1] : "";
    WatchingApp app(argc, argv);
    if (std::strcmp(mode, "bare") == 0) {
        BareWindow w;
        app.watched = &w;
        w.show();
        return app.exec();
    }
    MainWindow window;
    if (std::strcmp(mode, "game") == 0) {
        app.watched = window.view(WIN_MAIN);
        StartGameWindow(window, 1);
        return app.exec();
    }
    if (std::strcmp(mode, "idle") == 0) {
        const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
        StartGameWindow(window, 1);
        // "続きから始める" leads to the field map (its dialog does nothing here).
        OnMainLeftClick(200, 260);
        static double cpu0 = 0;
        static Clock::time_point wall0;
        QTimer::singleShot(1000, [] {
            cpu0 = CpuSeconds();
            wall0 = Clock::now();
        });
        QTimer::singleShot(1000 + seconds * 1000, [] {
            const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
            std::printf("%.3f\n", 100.0 * (CpuSeconds() - cpu0) / wall);
            QApplication::quit();
        });
        return app.exec();
    }
    std::fprintf(stderr, "usage: %s bare | game | idle SECONDS\n", argv[0]);
    return 2;
}
