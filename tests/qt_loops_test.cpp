// The real window's loops. A quit ends them whatever is open: a dialog that
// ignores its close box, a message box inside a dialog, the detention
// dialog's own "ゲームの終了"; each such case runs the game in a child
// process, which must leave its loop within a second and exit with 0. And a
// window's clock goes on while its own tick sits in a nested loop.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <unistd.h>

#include "corporate/founding_dialog.h"
#include "shell/qt/qt_shell.h"
#include "shell/screen_flow.h"
#include "world/game_texts.h"
#include "world/world_state.h"

namespace {

struct QuitCase {
    const char* what;
    int dialog;                           // opened from the main window's loop
    std::vector<const char*> clicks;      // buttons of the modal windows, in order
    int signal;                           // raised after the clicks; 0 for none
};

void PrintTo(const QuitCase& c, std::ostream* os) { *os << c.what; }

// Clicks the button with this label in the innermost modal window. The click
// is queued: a box it opens must not sit inside the driver's own tick, which
// would hold the driver.
bool Click(const char* label) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return false;
    for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
        if (b->text() == QString::fromUtf8(label)) {
            QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
            return true;
        }
    }
    return false;
}

[[noreturn]] void RunQuitCase(const QuitCase& c) {
    alarm(10);   // a program that never ends fails the case, not the suite
    using Clock = std::chrono::steady_clock;
    Clock::time_point asked{};
    WatchTerminationSignals();
    MainWindow window;
    StartGameWindow(window, 7);
    if (c.dialog == IDD_DETENTION) arrestState = 1;
    QTimer::singleShot(0, [&] { qtPort.OpenDialog(c.dialog, WIN_MAIN); });
    size_t step = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (step < c.clicks.size()) {
            // Timed before the click: the last click is the request itself.
            if (step + 1 == c.clicks.size() && !c.signal) asked = Clock::now();
            // A box the clocks raise meanwhile (news, a bankruptcy) is closed as a player would.
            if (Click(c.clicks[step])) ++step;
            else Click("OK");
        } else if (c.signal && asked == Clock::time_point{}) {
            asked = Clock::now();
            raise(c.signal);
        }
    });
    driver.start(60);
    const int code = QApplication::exec();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count();
    std::fprintf(stderr, "loop ended with %d after %lld ms\n", code, static_cast<long long>(took));
    std::_Exit(code == 0 && step == c.clicks.size() && asked != Clock::time_point{} && took < 1000 ? 0 : 1);
}

class QtQuit : public ::testing::TestWithParam<QuitCase> {};

TEST_P(QtQuit, EndsWithinASecond) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunQuitCase(GetParam()), ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(
    Requests, QtQuit,
    ::testing::Values(QuitCase{"SIGTERM over the founding dialog", IDD_FOUNDING, {}, SIGTERM},
                      QuitCase{"SIGINT over the founding dialog", IDD_FOUNDING, {}, SIGINT},
                      QuitCase{"SIGTERM over detention", IDD_DETENTION, {"OK"}, SIGTERM},
                      QuitCase{"ゲームの終了 in detention", IDD_DETENTION, {"OK", "ゲームの終了", "はい"}, 0},
                      QuitCase{"SIGTERM over a box inside the save dialog", IDD_SAVE_LOAD, {"ロード"}, SIGTERM}),
    [](const ::testing::TestParamInfo<QuitCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace

namespace {

// Runs a nested loop for ms, as a message box does while it is open.
void NestedLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A tick that sits in a nested loop does not silence its own clock; a
// restart or a stop from inside a nested tick takes effect at once.
TEST(ReentrantTimer, TicksGoOnInsideTheirOwnNestedLoops) {
    const struct {
        const char* what;
        int nestedAction;   // 0 none, 1 restart at 100 ms, 2 stop
        int minTicks, maxTicks;
    } rows[] = {
        {"a 20 ms timer goes on behind its own box", 0, 6, 40},
        {"restarted at 100 ms inside a nested tick", 1, 3, 8},
        {"stopped inside a nested tick", 2, 2, 2},
    };
    for (const auto& row : rows) {
        int ticks = 0, depth = 0, deepest = 0;
        ReentrantTimer* self = nullptr;
        ReentrantTimer timer([&] {
            ++ticks;
            deepest = std::max(deepest, ++depth);
            if (ticks == 1) NestedLoop(500);
            if (ticks == 2 && row.nestedAction == 1) self->Start(100);
            if (ticks == 2 && row.nestedAction == 2) self->Stop();
            --depth;
        });
        self = &timer;
        timer.Start(20);
        NestedLoop(520);
        timer.Stop();
        EXPECT_GE(ticks, row.minTicks) << row.what;
        EXPECT_LE(ticks, row.maxTicks) << row.what;
        EXPECT_EQ(deepest, 2) << row.what;
    }
}

// A box grows to hold each line of the game's text whole, as the platform's
// own boxes do: the founding refusal's long first line is not broken.
TEST(QtMessageBox, KeepsEachLineOfTheTextWhole) {
    int lines = 0, lineHeight = 0;
    QTimer::singleShot(300, [&] {
        QWidget* box = QApplication::activeModalWidget();
        for (QLabel* label : box ? box->findChildren<QLabel*>() : QList<QLabel*>()) {
            if (!label->text().contains(QString::fromUtf8("含まれています"))) continue;
            lineHeight = label->fontMetrics().lineSpacing();
            lines = (label->height() + lineHeight / 2) / lineHeight;
        }
        Click("OK");
    });
    qtPort.ShowMessage(WIN_MAIN, TXT_NAME_NOT_SJIS, TXT_CAP_REFUSED, MB_STYLE_OK);
    ASSERT_GT(lineHeight, 0) << "no label holds the text";
    EXPECT_EQ(lines, 2);
}

}  // namespace
