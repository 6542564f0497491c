#include "shell/qt/qt_shell.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSoundEffect>
#include <QSocketNotifier>
#include <QUrl>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "resources/dialog_templates.h"
#include "shell/qt/drive_tray.h"
#include "shell/qt/sjis.h"
#include "shell/screen_flow.h"
#include "shell/wave_file.h"
#include "world/file_access.h"
#include "world/new_game.h"

QtPort qtPort;

// ---------------------------------------------------------------- surfaces

namespace {
// The program icon, for the window and the About dialog. Set once the title
// is on the screen: every widget is told of the change, which costs time.
void InstallProgramIcon() {
    if (!QApplication::windowIcon().isNull()) return;
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/orchidia%1.bmp").arg(size));
    QApplication::setWindowIcon(icon);
}
}  // namespace

SurfaceWidget::SurfaceWidget(WindowId id, int width, int height, QWidget* parent)
    : QWidget(parent), id_(id), canvas_(&surface_) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
}

QColor SurfaceWidget::Background() const {
    if (id_ == WIN_DIALOG) return palette().window().color();
    return id_ == WIN_MAIN ? Qt::white : Qt::black;
}

qreal SurfaceWidget::Ratio() const { return SurfaceRatio(devicePixelRatioF()); }

void SurfaceWidget::MakeSurface() {
    const qreal ratio = Ratio();
    if (surface_.isNull() && pending_.valid()) surface_ = pending_.get();
    if (surface_.isNull()) {
        surface_ = NewSurface(width(), height(), ratio, Background());
    } else if (!qFuzzyCompare(surface_.devicePixelRatio(), ratio)) {
        // The window is on a screen of another density than the surface was
        // made for: the old picture, scaled, until the painters draw again.
        canvas_.Flush();
        surface_ = RescaledSurface(surface_, width(), height(), ratio, Background());
    }
}

void SurfaceWidget::MakeSurfaceAside() {
    if (!surface_.isNull() || pending_.valid()) return;
    // The ratio is read here: the widget must not be asked from the other thread.
    pending_ = std::async(std::launch::async, [w = width(), h = height(), ratio = Ratio(), colour = Background()] {
        return NewSurface(w, h, ratio, colour);
    });
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (surface_.isNull()) {
        p.fillRect(rect(), Background());
    } else {
        MakeSurface();   // follows the window to a screen of another density
        canvas_.Flush();
        p.drawImage(0, 0, surface_);
    }
    if (id_ == WIN_MAIN && !shown_) {
        // The title is on screen: now the panels' first frames.
        shown_ = true;
        QTimer::singleShot(0, qApp, [] {
            InstallProgramIcon();
            PaintFirstFrames();
        });
    }
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
    if (qtPort.quitting()) return;
    QPoint pos = event->position().toPoint();
    if (id_ == WIN_MAIN) OnMainMouseMove(pos.x(), pos.y());
    if (id_ == WIN_SIDE) OnSidePanelMouseMove(pos.x(), pos.y());
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    if (qtPort.quitting()) return;
    QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (id_ == WIN_MAIN) OnMainLeftClick(pos.x(), pos.y());
        if (id_ == WIN_SIDE) OnSidePanelLeftClick(pos.x(), pos.y());
        if (id_ == WIN_BOARD) OnBoardLeftClick(pos.x(), pos.y());
    } else if (event->button() == Qt::RightButton && id_ == WIN_MAIN) {
        OnMainRightClick(pos.x(), pos.y());
    }
}

// ---------------------------------------------------------------- main window

MainWindow::MainWindow() {
    // Reading the font list is the slowest part of the start; it runs
    // beside the making of the window, and the first text waits for it.
    fontScan_ = std::thread([] { QFontDatabase::families(); });
    setWindowTitle(QStringLiteral("ORCHIDIA"));
    auto* client = new QWidget(this);
    client->setFixedSize(1024, 690);
    setCentralWidget(client);
    views_[WIN_MAIN] = new SurfaceWidget(WIN_MAIN, MAIN_VIEW_WIDTH, MAIN_VIEW_HEIGHT, client);
    views_[WIN_MAIN]->move(0, 0);
    views_[WIN_MAIN]->MakeSurfaceAside();
    for (const PanelGeometry& p : PANELS) {
        auto* w = new SurfaceWidget(p.window, p.width, p.height, client);
        w->move(p.x, p.y);
        views_[p.window] = w;
    }
    // The menu and its accelerators: Alt+"?" and Alt+"/" open the About dialog.
    QMenu* file = menuBar()->addMenu(QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    QAction* exit = file->addAction(QString::fromUtf8("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));
    connect(exit, &QAction::triggered, [] { OnMenuCommand(CMD_EXIT); });
    QMenu* help = menuBar()->addMenu(QString::fromUtf8("ﾍﾙﾌﾟ(&H)"));
    QAction* about = help->addAction(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報(&A) ..."));
    about->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Question), QKeySequence(Qt::ALT | Qt::Key_Slash)});
    connect(about, &QAction::triggered, [] { OnMenuCommand(CMD_ABOUT); });
    // The menu's Japanese labels in the game's Gothic face: the default face
    // has no kana, and finding a fallback for them is slow at start-up.
    QFont menuFont;
    menuFont.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
    menuFont.setPixelSize(12);
    menuBar()->setFont(menuFont);
    file->setFont(menuFont);
    help->setFont(menuFont);
    resize(1030, 730);
}

MainWindow::~MainWindow() {
    if (fontScan_.joinable()) fontScan_.join();
}

SurfaceWidget* MainWindow::view(WindowId id) const {
    auto it = views_.find(id);
    return it == views_.end() ? nullptr : it->second;
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) OnMainActivate();
    QMainWindow::changeEvent(event);
}

// The close box ends the program whatever is open, as the menu's exit does.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    qtPort.Quit();
}

// Character input to the main window is swallowed.
void MainWindow::keyPressEvent(QKeyEvent* event) { event->accept(); }

// ---------------------------------------------------------------- dialogs

class QtDialog : public QDialog, public DialogHost {
public:
    QtDialog(const DialogTemplate& t, DialogProc proc, QWidget* owner);
    int ResourceId() const override { return id_; }
    std::string ItemText(int id) override;
    void SetItemText(int id, const char* text) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    void StartTimer(int intervalMs) override { timer_.Start(intervalMs); }
    void StopTimer() override { timer_.Stop(); }
    void Close(int result) override {
        timer_.Stop();
        closed_ = true;
        result_ = result;
        if (isVisible()) done(result);
    }
    bool closed() const { return closed_; }
    int closedResult() const { return result_; }
    // The procedure draws in dialog coordinates onto the canvas control.
    Canvas* GetCanvas() override { return view_.get(); }
    void Present() override {
        if (canvasWidget_) {
            canvasWidget_->canvas().Flush();
            canvasWidget_->update();
        }
    }
    void Start() {
        Send(DLG_INIT, 0);
        Send(DLG_PAINT, 0);
    }

protected:
    // Escape and the close box are commands (id 2) that the procedure decides.
    void reject() override { Send(DLG_COMMAND, 2); }
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        Send(DLG_COMMAND, 2);
    }

private:
    // Once the program is quitting, no procedure runs again: the nested
    // loops are unwinding and what they would start is never shown.
    void Send(DialogEvent event, int id) {
        if (!qtPort.quitting()) proc_(*this, event, id);
    }
    int id_;
    DialogProc proc_;
    ReentrantTimer timer_{[this] { Send(DLG_TIMER, 0); }};
    std::map<int, QWidget*> controls_;
    SurfaceWidget* canvasWidget_ = nullptr;
    std::unique_ptr<OffsetCanvas> view_;
    bool closed_ = false;
    int result_ = 0;
};

QtDialog::QtDialog(const DialogTemplate& t, DialogProc proc, QWidget* owner) : QDialog(owner), id_(t.id), proc_(proc) {
    setWindowTitle(FromSjis(t.title));
    setFixedSize(t.width, t.height);
    // The template's Gothic face at its size in points on a 96 dpi screen;
    // the proportional face for a proportional name ("Ｐ" in it).
    QFont font = sharedDrawing.fonts[FONT_15];
    const bool proportional = t.fontFace.empty() || FromSjis(t.fontFace).contains(QChar(0xFF30));
    font.setFamilies(proportional ? QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}
                                  : QStringList{QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(t.fontPoints > 0 ? (t.fontPoints * 4 + 2) / 3 : 12);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferDefault);
    setFont(font);
    for (const ControlTemplate& c : t.controls) {
        QWidget* w = nullptr;
        QString label = FromSjis(c.label);
        switch (c.kind) {
            case CTL_TEXT: {
                auto* l = new QLabel(label, this);
                l->setWordWrap(true);
                l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                w = l;
                break;
            }
            case CTL_EDIT:
            case CTL_READONLY: {
                auto* e = new QLineEdit(this);
                e->setReadOnly(c.kind == CTL_READONLY);
                if (c.kind == CTL_READONLY) {
                    // A field the player cannot type into looks like one.
                    QPalette look = e->palette();
                    look.setColor(QPalette::Base, look.color(QPalette::Window));
                    e->setPalette(look);
                    // Tab and the opening focus go to what the player can use.
                    e->setFocusPolicy(Qt::ClickFocus);
                }
                w = e;
                break;
            }
            case CTL_BUTTON:
            case CTL_DEFBUTTON: {
                auto* b = new QPushButton(label, this);
                b->setAutoDefault(false);
                b->setDefault(c.kind == CTL_DEFBUTTON);
                int id = c.id;
                connect(b, &QPushButton::clicked, this, [this, id] { Send(DLG_COMMAND, id); });
                w = b;
                break;
            }
            case CTL_RADIO: {
                auto* r = new QRadioButton(label, this);
                int id = c.id;
                connect(r, &QRadioButton::clicked, this, [this, id] { Send(DLG_COMMAND, id); });
                w = r;
                break;
            }
            case CTL_CHECK: {
                auto* r = new QCheckBox(label, this);
                int id = c.id;
                connect(r, &QCheckBox::clicked, this, [this, id] { Send(DLG_COMMAND, id); });
                w = r;
                break;
            }
            case CTL_GROUP: w = new QGroupBox(label, this); w->lower(); break;
            case CTL_PICTURE: {
                auto* l = new QLabel(this);
                QPixmap pixmap(QStringLiteral(":/bitmaps/bmp%1.bmp").arg(FromSjis(c.label)));
                if (c.label == "107") pixmap = QApplication::windowIcon().pixmap(c.width, c.height);
                l->setPixmap(pixmap);
                w = l;
                break;
            }
            case CTL_CANVAS: {
                canvasWidget_ = new SurfaceWidget(WIN_DIALOG, c.width, c.height, this);
                view_ = std::make_unique<OffsetCanvas>(canvasWidget_->canvas(), c.x, c.y);
                w = canvasWidget_;
                break;
            }
        }
        if (!w) continue;
        w->setGeometry(c.x, c.y, c.width, c.height);
        if (c.id >= 0) controls_[c.id] = w;
    }
}

std::string QtDialog::ItemText(int id) {
    auto it = controls_.find(id);
    if (it == controls_.end()) return std::string();
    auto* edit = qobject_cast<QLineEdit*>(it->second);
    if (!edit) return std::string();
    bool ok = true;
    std::string bytes = ToSjis(edit->text(), &ok);
    // A character without a code page 932 form comes back as a control byte,
    // which the procedures refuse as text that is not valid.
    if (!ok) bytes.push_back('\x01');
    return bytes;
}

void QtDialog::SetItemText(int id, const char* text) {
    auto it = controls_.find(id);
    if (it == controls_.end()) return;
    if (auto* edit = qobject_cast<QLineEdit*>(it->second)) edit->setText(FromSjis(text));
    if (auto* label = qobject_cast<QLabel*>(it->second)) label->setText(FromSjis(text));
    if (auto* button = qobject_cast<QAbstractButton*>(it->second)) button->setText(FromSjis(text));
}

bool QtDialog::IsChecked(int id) {
    auto it = controls_.find(id);
    if (it == controls_.end()) return false;
    auto* button = qobject_cast<QAbstractButton*>(it->second);
    return button && button->isChecked();
}

void QtDialog::SetChecked(int id, bool checked) {
    auto it = controls_.find(id);
    if (it == controls_.end()) return;
    if (auto* button = qobject_cast<QAbstractButton*>(it->second)) button->setChecked(checked);
}

// ---------------------------------------------------------------- timers

ReentrantTimer::~ReentrantTimer() {
    *alive_ = false;
    for (Slot& s : pool_) delete s.timer.data();
}

void ReentrantTimer::Start(int intervalMs) {
    interval_ = intervalMs > 0 ? intervalMs : 1;
    running_ = true;
    if (pool_.empty()) {
        pool_.push_back({new QTimer(qApp)});
        QObject::connect(pool_[0].timer, &QTimer::timeout, [this] { Fire(0); });
    }
    // Only the current slot runs; the others are idle or on the stack.
    for (Slot& s : pool_)
        if (s.timer) s.timer->stop();
    if (!pool_[current_].timer) return;
    pool_[current_].timer->start(interval_);
}

void ReentrantTimer::Stop() {
    running_ = false;
    for (Slot& s : pool_)
        if (s.timer) s.timer->stop();
}

void ReentrantTimer::Fire(size_t slot) {
    if (!running_ || slot != current_ || !pool_[slot].timer) return;
    // The period goes on in a slot that is not on the stack.
    size_t next = 0;
    while (next < pool_.size() && (next == slot || pool_[next].depth > 0)) ++next;
    if (next == pool_.size()) {
        pool_.push_back({new QTimer(qApp)});
        QObject::connect(pool_[next].timer, &QTimer::timeout, [this, next] { Fire(next); });
    }
    pool_[slot].timer->stop();
    if (pool_[next].timer) pool_[next].timer->start(interval_);
    current_ = next;
    ++pool_[slot].depth;
    const std::shared_ptr<bool> alive = alive_;
    tick_();
    // The owner (a dialog) may be gone when a nested loop returns.
    if (*alive) --pool_[slot].depth;
}

// ---------------------------------------------------------------- port

QWidget* QtPort::OwnerWidget(WindowId owner) const {
    if (owner == WIN_DIALOG && !dialogs_.empty()) return dialogs_.back();
    if (!main_) return nullptr;
    if (!dialogs_.empty()) return dialogs_.back();
    return main_;
}

MessageAnswer QtPort::ShowMessage(WindowId owner, const char* text, const char* caption, MessageStyle style) {
    // Nothing is asked once the program is ending; a question counts as No.
    if (quitting_) return style == MB_STYLE_YES_NO ? ANSWER_NO : ANSWER_OK;
    QMessageBox box(OwnerWidget(owner));
    box.setWindowTitle(FromSjis(caption));
    // Each line of the game's text stays whole, and the box grows to fit it,
    // as the platform's own boxes do; a plain label would break a Japanese
    // line anywhere at a fixed width.
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral("<p style=\"white-space:nowrap\">") +
                FromSjis(text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
                QStringLiteral("</p>"));
    if (style == MB_STYLE_YES_NO) {
        box.setIcon(QMessageBox::Question);
        QPushButton* yes = box.addButton(QString::fromUtf8("はい"), QMessageBox::YesRole);
        box.addButton(QString::fromUtf8("いいえ"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes && !quitting_ ? ANSWER_YES : ANSWER_NO;
    }
    box.setIcon(QMessageBox::NoIcon);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return ANSWER_OK;
}

void QtPort::PlaySound(const char* file) {
    // Played from the event loop: the first sound starts the audio system,
    // which must not hold up the frame being drawn.
    const QString name = QString::fromLatin1(file);
    QTimer::singleShot(0, qApp, [this, name] {
        if (quitting_) return;
        QSoundEffect* effect = sounds_.value(name, nullptr);
        if (!effect) {
            // A missing, unreadable or damaged file only loses its sound; it
            // is looked at once, and never handed to the player unchecked.
            if (badSounds_.contains(name)) return;
            std::string bytes;
            if (ReadRegularFile(name.toStdString(), MAX_WAVE_BYTES, bytes) != FileRead::OK || !IsPlayableWave(bytes)) {
                badSounds_.insert(name);
                return;
            }
            effect = new QSoundEffect(qApp);
            effect->setSource(QUrl::fromLocalFile(QFileInfo(name).absoluteFilePath()));
            effect->setVolume(0.8f);
            sounds_.insert(name, effect);
        }
        // One sound at a time: a new one cuts the one playing.
        if (playing_ && playing_ != effect) playing_->stop();
        effect->stop();
        effect->play();
        playing_ = effect;
    });
}

void QtPort::PaintWindow(WindowId window) { PaintWindowContents(window); }

void QtPort::DriveTray(bool open) { RequestDriveTray(open); }

void QtPort::SetTimer(WindowId window, int intervalMs) {
    if (quitting_) return;
    std::unique_ptr<ReentrantTimer>& timer = timers_[window];
    if (!timer) {
        timer = std::make_unique<ReentrantTimer>([this, window] {
            // No tick once the program is ending or the window is gone.
            if (quitting_ || !main_) return;
            if (window == WIN_MAIN) {
                OnMainTimer();
            } else {
                OnPanelTimer(window);
            }
        });
    }
    timer->Start(intervalMs);
}

void QtPort::KillTimer(WindowId window) {
    auto it = timers_.find(window);
    if (it != timers_.end() && it->second) it->second->Stop();
}

Canvas* QtPort::CanvasOf(WindowId window) {
    if (window == WIN_DIALOG) return dialogs_.empty() ? nullptr : dialogs_.back()->GetCanvas();
    SurfaceWidget* w = main_ ? main_->view(window) : nullptr;
    return w ? &w->canvas() : nullptr;
}

void QtPort::Present(WindowId window) {
    if (window == WIN_DIALOG) {
        if (!dialogs_.empty()) dialogs_.back()->Present();
        return;
    }
    if (SurfaceWidget* w = main_ ? main_->view(window) : nullptr) {
        w->canvas().Flush();
        w->update();
    }
}

int QtPort::OpenDialog(int resourceId, WindowId owner) {
    const DialogTemplate* t = FindDialogTemplate(resourceId);
    DialogProc proc = FindDialogProc(resourceId);
    // Dialogs that the game does not have yet open nothing.
    if (!t || !proc || quitting_) return 0;
    QtDialog dialog(*t, proc, OwnerWidget(owner));
    dialogs_.push_back(&dialog);
    dialog.Start();
    if (!dialog.closed()) dialog.exec();
    dialogs_.pop_back();
    return dialog.closedResult();
}

void QtPort::Quit() {
    if (quitting_) return;
    quitting_ = true;
    for (auto& [window, timer] : timers_)
        if (timer) timer->Stop();
    for (QtDialog* dialog : dialogs_) dialog->StopTimer();
    // Ends every running loop, the nested ones of message boxes and dialogs
    // included, without asking the windows: a dialog that ignores its close
    // box must not keep the program alive.
    QCoreApplication::exit(0);
}

// ---------------------------------------------------------------- signals

namespace {
// A termination request ends the game as closing the window does.
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const int saved = errno;
    char c = 1;
    ssize_t n = write(signalPipe[1], &c, 1);
    (void)n;
    errno = saved;
}
}  // namespace

void WatchTerminationSignals() {
    if (signalPipe[0] >= 0 || pipe(signalPipe) != 0) return;
    // The handler must never block, even if the pipe were full.
    fcntl(signalPipe[1], F_SETFL, fcntl(signalPipe[1], F_GETFL) | O_NONBLOCK);
    fcntl(signalPipe[0], F_SETFL, fcntl(signalPipe[0], F_GETFL) | O_NONBLOCK);
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        // Emptied, or the notifier would fire again at once for ever.
        char buf[64];
        while (read(signalPipe[0], buf, sizeof buf) > 0) {
        }
        qtPort.Quit();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

void StartGameWindow(MainWindow& window, uint32_t seed) {
    StartUpWorld(seed);
    ResetShellState();
    sharedDrawing.Create();
    port = &qtPort;
    qtPort.Attach(&window);
    window.move(0, 0);
    window.show();
    OnMainCreate();
}
