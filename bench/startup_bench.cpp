// Start-up and idle figures of the real window, one measurement per process:
//   orchidia_startup_bench bare      a bare 1030 x 730 window to its first paint
//   orchidia_startup_bench game      the game to its first painted title
//   orchidia_startup_bench idle S    the game idling on the field map: CPU
//                                    time over S seconds, as % of one core
//   orchidia_startup_bench paint N   each panel painted N times into its
//                                    window's surface: mean microseconds
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
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>

#include "shell/qt/early_start.h"
#include "shell/qt/qt_shell.h"
#include "display/painters.h"
#include "shell/screen_flow.h"
#include "world/world_state.h"

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
    // The game's main() begins with this; a bare program does not.
    std::unique_ptr<EarlyStart> early;
    if (std::strcmp(mode, "bare") != 0) early = std::make_unique<EarlyStart>();
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
        // The introduction's right click leads to the field map without a dialog.
        screenMode = SCREEN_INTRO;
        OnMainRightClick(100, 100);
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
    if (std::strcmp(mode, "paint") == 0) {
        const int n = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
        StartGameWindow(window, 1);
        // A month of market so that the chart has a path to draw.
        for (int k = 0; k < 40; ++k) {
            OnPanelTimer(WIN_BOARD);
            OnPanelTimer(WIN_CALENDAR);
        }
        const struct {
            const char* name;
            WindowId window;
            void (*paint)(Canvas&);
        } panels[] = {
            {"stock board + detail", WIN_BOARD, [](Canvas& c) { PaintStockBoard(c); PaintStockDetail(c); }},
            {"company panel", WIN_COMPANY, [](Canvas& c) { PaintCompanyPanel(c); }},
            {"price chart", WIN_CHART, [](Canvas& c) { PaintPriceChart(c, 0); }},
            {"calendar panel", WIN_CALENDAR, [](Canvas& c) { PaintCalendarPanel(c); }},
            {"news ticker", WIN_TICKER, [](Canvas& c) { PaintNewsTicker(c, 0, 0); }},
            {"side buttons", WIN_SIDE, [](Canvas& c) { PaintSideButtons(c, -1, -1); }},
            {"title screen", WIN_MAIN, [](Canvas& c) { PaintTitleScreen(c, -1, -1); }},
            {"field map", WIN_MAIN, [](Canvas& c) { PaintFieldMap(c); }},
            {"exchange screen", WIN_MAIN, [](Canvas& c) { PaintExchangeScreen(c, -1, -1); }},
        };
        for (const auto& p : panels) {
            Canvas* canvas = port->CanvasOf(p.window);
            p.paint(*canvas);   // warm the glyph caches
            const auto t0 = Clock::now();
            for (int k = 0; k < n; ++k) {
                p.paint(*canvas);
                port->Present(p.window);
            }
            const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / n;
            std::printf("%-22s %9.1f us\n", p.name, us);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: %s bare | game | idle SECONDS | paint N\n", argv[0]);
    return 2;
}
