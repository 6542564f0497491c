// The Qt host of the port: the main window with its six panels, their
// timers and surfaces, modal dialogs built from the templates, message boxes
// with Japanese buttons, and asynchronous wave playback.
#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QSoundEffect>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <thread>

#include "shell/qt/qt_canvas.h"
#include "world/port.h"

struct DialogTemplate;

// A periodic timer whose tick may run inside itself, as the game's timers
// do: a tick that opens a message box or a dialog must not silence its own
// clock. Qt never delivers a timer again while that timer's handler runs, so
// each firing hands the period over to another timer of a small pool before
// the tick starts; the next interval then fires inside the nested loop.
class ReentrantTimer {
public:
    explicit ReentrantTimer(std::function<void()> tick) : tick_(std::move(tick)) {}
    ~ReentrantTimer();
    ReentrantTimer(const ReentrantTimer&) = delete;
    ReentrantTimer& operator=(const ReentrantTimer&) = delete;
    // Starts, or restarts with a new interval, counting from now.
    void Start(int intervalMs);
    void Stop();
    bool running() const { return running_; }
    int interval() const { return interval_; }

private:
    struct Slot {
        QPointer<QTimer> timer;   // owned by the application, which may go first
        int depth = 0;   // ticks of this slot on the stack
    };
    void Fire(size_t slot);
    std::function<void()> tick_;
    std::vector<Slot> pool_;
    size_t current_ = 0;
    int interval_ = 0;
    bool running_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A window of the game: a persistent surface that paintEvent only copies.
// The surface is made when first drawn into, so that the panels cost
// nothing before the title is on the screen. It holds the device pixels of
// the window's screen; on a screen of another density it is made again.
class SurfaceWidget : public QWidget {
public:
    SurfaceWidget(WindowId id, int width, int height, QWidget* parent);
    WindowId id() const { return id_; }
    QImage& surface() {
        MakeSurface();
        return surface_;
    }
    QtCanvas& canvas() {
        MakeSurface();
        return canvas_;
    }
    // Starts making the surface on another thread, at the ratio of the
    // screen the widget is on now; the first drawing takes it.
    void MakeSurfaceAside();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void MakeSurface();
    // The device pixel ratio the surface is made at.
    qreal Ratio() const;
    QColor Background() const;
    WindowId id_;
    QImage surface_;
    std::future<QImage> pending_;
    QtCanvas canvas_;
    bool shown_ = false;
};

class MainWindow : public QMainWindow {
public:
    MainWindow();
    ~MainWindow() override;
    SurfaceWidget* view(WindowId id) const;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::map<WindowId, SurfaceWidget*> views_;
    std::thread fontScan_;
};

class QtDialog;

class QtPort : public Port {
public:
    MessageAnswer ShowMessage(WindowId owner, const char* text, const char* caption, MessageStyle style) override;
    void PlaySound(const char* file) override;
    void PaintWindow(WindowId window) override;
    void DriveTray(bool open) override;
    void SetTimer(WindowId window, int intervalMs) override;
    void KillTimer(WindowId window) override;
    Canvas* CanvasOf(WindowId window) override;
    void Present(WindowId window) override;
    int OpenDialog(int resourceId, WindowId owner) override;
    void Quit() override;

    void Attach(MainWindow* window) { main_ = window; }
    // Set by Quit: the loops are unwinding and nothing of the game runs again.
    bool quitting() const { return quitting_; }
    QWidget* OwnerWidget(WindowId owner) const;

private:
    QPointer<MainWindow> main_;
    std::map<WindowId, std::unique_ptr<ReentrantTimer>> timers_;
    QHash<QString, QSoundEffect*> sounds_;
    std::vector<QtDialog*> dialogs_;   // open dialogs, innermost last
    QSet<QString> badSounds_;
    QPointer<QSoundEffect> playing_;   // the last sound started          // wave files refused once, never tried again
    bool quitting_ = false;
};

extern QtPort qtPort;

// The game's start-up after the application exists: the world with this
// seed, the shared drawing resources, then the main window shown at (0, 0)
// and created as the flow creates it.
void StartGameWindow(MainWindow& window, uint32_t seed);

// SIGTERM and SIGINT end the program as the window's close box does, whatever
// is open; called once the application exists.
void WatchTerminationSignals();
