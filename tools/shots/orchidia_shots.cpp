// orchidia-shots OUTDIR: plays through the opening screens of the real window
// and saves a picture of each (title, founding dialog, scenario question,
// introduction, field map, exchange screen, About dialog), then opens every
// dialog in turn (a race and an election count running), the fly game, and
// the window twice behind an open fill message, for looking at what the
// player sees. Run in a folder holding the pictures and sounds;
// works on the offscreen platform as well as on a display.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "shell/qt/qt_shell.h"
#include "shell/screen_flow.h"
#include "world/world_state.h"

namespace {

QString outDir;
MainWindow* mainWindow = nullptr;

void Save(QWidget* w, const char* name) {
    const QString path = outDir + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png");
    if (!w || !w->grab().save(path)) std::fprintf(stderr, "orchidia-shots: could not save %s\n", name);
}

// Presses the button of the open modal window whose label starts with text
// (or its default button when text is empty).
void Press(const QString& text) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
        auto* push = qobject_cast<QPushButton*>(b);
        if (text.isEmpty() ? (push && push->isDefault()) : b->text().startsWith(text)) {
            b->click();
            return;
        }
    }
}

void After(int ms, std::function<void()> f) { QTimer::singleShot(ms, qApp, std::move(f)); }

// Closes the open modal dialog through its own close button.
void CloseModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    for (const char* label : {"閉じる", "帰る", "ｷｬﾝｾﾙ", "OK"}) {
        for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
            if (b->text() == QString::fromUtf8(label)) {
                b->click();
                return;
            }
        }
    }
    // The detention room has no way out for a player; the tool leaves anyway.
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(0);
}

// Types into the index-th field of the open dialog that a player can edit.
void TypeInto(int index, const QString& text) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    const auto edits = modal->findChildren<QLineEdit*>();
    int n = 0;
    for (QLineEdit* e : edits) {
        if (e->isReadOnly()) continue;
        if (n++ == index) {
            e->setText(text);
            return;
        }
    }
}

void AnswerBoxes(int tries) {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        if (QPushButton* yes = box->defaultButton()) yes->click();
        else box->done(QMessageBox::Ok);
    }
    if (tries > 1) After(200, [tries] { AnswerBoxes(tries - 1); });
}

// Saves the open dialog and closes it; a message box that the running game
// put over it (a scenario level, a fill) is answered first.
void SaveDialog(const char* name) {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        box->done(QMessageBox::Ok);
        After(200, [name] { SaveDialog(name); });
        return;
    }
    Save(modal, name);
    // Leaving may ask first (withdrawing from a running election) or tell a
    // result; those boxes are answered Yes.
    After(300, [] { AnswerBoxes(5); });
    CloseModal();
}

struct DialogShot {
    const char* name;
    int resourceId;
    // Done inside the open dialog before its picture is taken (a bet, a
    // campaign), and how long after it the picture is taken.
    std::function<void()> prepare = nullptr;
    int settleMs = 0;
};

// Opens each dialog in turn (OpenDialog returns when it closes), with a
// picture taken and the dialog closed from a timer while it is open.
void ShootDialogs(const std::vector<DialogShot>& shots, size_t next, std::function<void()> then) {
    if (next >= shots.size()) {
        After(300, then);
        return;
    }
    const DialogShot shot = shots[next];
    if (shot.prepare) {
        After(500, [shot] {
            // Queued first: the action may open a message box of its own.
            After(shot.settleMs, [shot] { SaveDialog(shot.name); });
            shot.prepare();
        });
    } else {
        After(700, [shot] { SaveDialog(shot.name); });
    }
    port->OpenDialog(shot.resourceId, WIN_MAIN);
    After(200, [shots, next, then] { ShootDialogs(shots, next + 1, then); });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    MainWindow window;
    mainWindow = &window;
    StartGameWindow(window, static_cast<uint32_t>(std::time(nullptr)));

    After(1500, [] {
        Save(mainWindow, "1-title");
        // Each modal step is queued before the click that opens it.
        After(500, [] {
            Save(QApplication::activeModalWidget(), "2-founding");
            Press(QString());
            After(500, [] {
                Save(QApplication::activeModalWidget(), "3-scenario-question");
                Press(QString::fromUtf8("はい"));
                After(500, [] {
                    Save(QApplication::activeModalWidget(), "4-scenario-goal");
                    Press(QString());
                });
            });
        });
        OnMainLeftClick(200, 225);
        After(2500, [] {
            Save(mainWindow, "5-intro");
            OnMainRightClick(100, 100);
            After(1200, [] {
                Save(mainWindow, "6-field-map");
                OnMainLeftClick(470, 50);
                After(1200, [] {
                    OnMainMouseMove(400, 170);
                    After(600, [] {
                        Save(mainWindow, "7-exchange");
                        After(300, [] {
                            Save(QApplication::activeModalWidget(), "8-about");
                            Press(QString());
                            After(300, [] {
                                // A company of the board, with a stake of the player's in it.
                                selectedCompany = 3;
                                scenarioLevel = 0;   // no level announcements over the dialogs
                                companies[0].holdings[3] = companies[3].issuedShares / 5;
                                companies[0].funds = 100000000;   // 1兆円, for the bets and campaigns
                                for (int k = 0; k < 10; ++k) playerForces[k] = 20 * (k + 1);
                                const std::vector<DialogShot> shots = {
                                    {"9-buy", 130}, {"10-sell", 131}, {"11-bank", 133},
                                    {"12-headquarters", 138}, {"13-other-company", 139},
                                    {"14-meeting", 143}, {"15-save-load", 146},
                                    {"16-media", 135}, {"17-university", 136}, {"18-shop", 141},
                                    {"19-police", 147}, {"20-ranking", 145}, {"21-military", 142},
                                    {"22-war", 144}, {"23-election", 140},
                                    {"24-election-count", 140,
                                     [] {
                                         TypeInto(0, QStringLiteral("5000"));
                                         Press(QString::fromUtf8("大統領選挙に出馬する"));
                                     },
                                     400},
                                    {"25-casino", 134},
                                    {"26-race", 166, [] { Press(QString::fromUtf8("1億円賭ける")); }, 1200},
                                    {"27-missiles", 167}, {"28-detention", 165},
                                };
                                ShootDialogs(shots, 0, [] {
                                    arrestState = 0;
                                    // The fly game, as the casino hands it over.
                                    screenMode = SCREEN_FLY_GAME_PENDING;
                                    After(2500, [] {
                                        Save(mainWindow, "29-fly-game");
                                        // Queued first: quitting the game shows a box.
                                        After(300, [] { AnswerBoxes(5); });
                                        OnMainRightClick(100, 100);
                                        // A market order fills; while its box is open the
                                        // board and the calendar go on behind it.
                                        After(2500, [] {
                                            pendingOrders.marketBuyCompany = 3;
                                            pendingOrders.marketBuyQty = 1000;
                                            pendingOrders.afterHoursTrade = 1;
                                            After(1500, [] {
                                                Save(QApplication::activeModalWidget(), "30-fill-box");
                                                Save(mainWindow, "31-behind-the-fill-box");
                                                After(3500, [] {
                                                    Save(mainWindow, "32-behind-the-fill-box-later");
                                                    AnswerBoxes(5);
                                                    After(1500, [] { QApplication::quit(); });
                                                });
                                            });
                                        });
                                    });
                                });
                            });
                        });
                        OnMenuCommand(CMD_ABOUT);
                    });
                });
            });
        });
    });
    return app.exec();
}
