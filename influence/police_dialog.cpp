#include "influence/police_dialog.h"

#include <cmath>
#include <string>

#include "display/canvas.h"
#include "influence/police_texts.h"
#include "resources/dialog_ids.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_CANCEL = 2;

// Police dialog 147.
constexpr int ID_CONNECTION = 1002;
constexpr int ID_CHANCE = 1003;
constexpr int ID_POLICE_AMOUNT = 1004;
constexpr int ID_ILLEGALITY = 1005;
constexpr int ID_PROSECUTOR_AMOUNT = 1006;
constexpr int ID_BRIBE_POLICE = 1017;
constexpr int ID_BRIBE_PROSECUTORS = 1018;
constexpr int POLICE_TIMER_MS = 1000;

// Detention dialog 165.
constexpr int ID_JUDGE_CONNECTION = 1002;
constexpr int ID_LAWYER_FEE = 1003;
constexpr int ID_MONTHS = 1004;
constexpr int ID_JUDGE_AMOUNT = 1007;
constexpr int ID_BRIBE_JUDGE = 1017;
constexpr int ID_QUIT = 1019;
constexpr int DETENTION_TIMER_MS = 500;

constexpr int64_t OKU = 10000;   // 万円 per 億円
constexpr double FULL_TURN = 6.28318530717958;
constexpr double QUARTER_TURN = FULL_TURN / 4.0;

void SetNumber(DialogHost& dialog, int id, int32_t value) {
    dialog.SetItemText(id, StrPrintf("%d", value).c_str());
}

void ShowPoliceFields(DialogHost& dialog) {
    SetNumber(dialog, ID_CONNECTION, policeConnection);
    SetNumber(dialog, ID_ILLEGALITY, illegalityFactor);
    SetNumber(dialog, ID_CHANCE, prosecutionChance / 10);
}

void ShowDetentionFields(DialogHost& dialog) {
    SetNumber(dialog, ID_JUDGE_CONNECTION, judgeConnection);
    SetNumber(dialog, ID_LAWYER_FEE, lawyerFee);
    SetNumber(dialog, ID_MONTHS, monthsToTrial);
}

// The one refusal of every bribe. Nothing has changed when it shows.
// A negative amount would be a bribe paid to the player: refused as an
// amount the player cannot pay.
bool CanPay(int64_t cost) {
    if (cost < 0 || cost > companies[0].funds) {
        ShowInfo(WIN_DIALOG, TXT_POLICE_NO_MONEY, "");
        return false;
    }
    return true;
}

// The judge's favour: bribes per point of severity. The severity is at
// least 1 here, so the division is safe.
int32_t JudgeFavour() { return judgeConnection / arrestState; }

void GiveVerdict(DialogHost& dialog, int32_t favour) {
    // The player is free again before any message box, whose wait lets the
    // timers run: nobody is arrested twice for the same case.
    prosecutionChance = 0;
    arrestState = 0;
    judgeConnection = 0;
    monthsToTrial = 10;
    trialProgress = 0.0f;
    if (favour > ACQUITTAL_FAVOUR) {
        ShowInfo(WIN_DIALOG, TXT_POLICE_ACQUITTED, "");
    } else {
        ListedCompany& me = companies[0];
        me.loans[2] = SatAdd(me.loans[2], TRIAL_DAMAGES);
        me.debt = SatAdd(me.debt, TRIAL_DAMAGES);
        ShowInfo(WIN_DIALOG, TXT_POLICE_CONVICTED, "");
        ShowInfo(WIN_DIALOG, TXT_POLICE_DAMAGES, "");
    }
    ShowDetentionFields(dialog);
    dialog.Close(ID_CLOSE);
}

void TurnDial() {
    // Single precision, as the dial is kept; the last steps go faster.
    trialProgress = static_cast<float>(trialProgress + 0.04);
    if (trialProgress > 0.5f) trialProgress = static_cast<float>(trialProgress + 0.1);
    if (trialProgress >= 1.0f) trialProgress = 1.0f;
}

void DetentionTick(DialogHost& dialog) {
    if (arrestState == 0) return;
    if (arrestState < 1) arrestState = 1;
    const int32_t favour = JudgeFavour();
    if (monthsToTrial <= 0 && trialProgress < 1.0f) {
        TurnDial();
        if (Canvas* canvas = dialog.GetCanvas()) {
            PaintVerdictDial(*canvas, trialProgress, favour);
            dialog.Present();
        }
    }
    if (trialProgress >= 1.0f) {
        dialog.StopTimer();
        GiveVerdict(dialog, favour);
        return;
    }
    ShowDetentionFields(dialog);
}

void OpenDetention(DialogHost& dialog) {
    ShowDetentionFields(dialog);
    dialog.StartTimer(DETENTION_TIMER_MS);
    ShowInfo(WIN_DIALOG, TXT_POLICE_ARRESTED, "");
    // The judge's severity, 10 to 19.
    arrestState = static_cast<int32_t>(RandMod(10)) + 10;
}

}  // namespace

void OpenPoliceDialog() { port->OpenDialog(IDD_POLICE, WIN_SIDE); }

bool BribePolice(int64_t amount) {
    if (!CanPay(amount)) return false;
    companies[0].funds = SatSub(companies[0].funds, amount);
    // One point of connection per 100万円.
    policeConnection = ClampToInt32(static_cast<int64_t>(policeConnection) + amount / 100);
    ShowInfo(WIN_DIALOG, TXT_POLICE_THANKS, TXT_POLICE_CAP_CHIEF);
    return true;
}

bool BribeProsecutors(int64_t amount) {
    const int64_t cost = SatMul(amount, OKU);
    if (!CanPay(cost)) return false;
    companies[0].funds = SatSub(companies[0].funds, cost);
    // 1億円 takes one percent (ten tenths) off the chance, down to none.
    int64_t chance = SatSub(prosecutionChance, SatMul(amount, 10));
    if (chance < 0) chance = 0;
    prosecutionChance = ClampToInt32(chance);
    ShowInfo(WIN_DIALOG, TXT_POLICE_PROSECUTOR_THANKS, TXT_POLICE_CAP_PROSECUTOR);
    return true;
}

bool BribeJudge(int64_t amount) {
    const int64_t cost = SatMul(amount, OKU);
    if (!CanPay(cost)) return false;
    companies[0].funds = SatSub(companies[0].funds, cost);
    judgeConnection = ClampToInt32(SatAdd(judgeConnection, amount));
    ShowInfo(WIN_DIALOG, TXT_POLICE_JUDGE_THANKS, TXT_POLICE_CAP_JUDGE);
    return true;
}

void PaintVerdictDial(Canvas& c, float progress, int32_t favour) {
    const double end = static_cast<double>(progress) * FULL_TURN;
    const double red = static_cast<double>(favour) * FULL_TURN / 100.0;
    for (float a = 0.0f; a < end; a += 0.01f) {
        c.SelectPen(a <= red ? PEN_RED3 : PEN_BLUE3);
        // From the top, clockwise on the screen.
        const double angle = static_cast<double>(a) - QUARTER_TURN;
        c.Line(VERDICT_DIAL_X, VERDICT_DIAL_Y, TruncToInt32(VERDICT_DIAL_X + VERDICT_DIAL_RADIUS * std::cos(angle)),
               TruncToInt32(VERDICT_DIAL_Y + VERDICT_DIAL_RADIUS * std::sin(angle)));
    }
}

void PoliceDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            ShowPoliceFields(dialog);
            dialog.StartTimer(POLICE_TIMER_MS);
            return;
        case DLG_TIMER:
            // The calendar moves the figures behind the dialog.
            ShowPoliceFields(dialog);
            return;
        case DLG_COMMAND:
            if (id == ID_CLOSE || id == ID_CANCEL) {
                dialog.Close(id);
                return;
            }
            if (id == ID_BRIBE_POLICE && BribePolice(ParseTypedInt64(dialog.ItemText(ID_POLICE_AMOUNT))))
                ShowPoliceFields(dialog);
            if (id == ID_BRIBE_PROSECUTORS && BribeProsecutors(ParseTypedInt64(dialog.ItemText(ID_PROSECUTOR_AMOUNT))))
                ShowPoliceFields(dialog);
            return;
        case DLG_PAINT:
            return;
    }
}

void DetentionDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            OpenDetention(dialog);
            return;
        case DLG_TIMER:
            DetentionTick(dialog);
            return;
        case DLG_COMMAND:
            // Escape, Enter and the close box do nothing: detention ends
            // only with the verdict or with the game.
            if (id == ID_BRIBE_JUDGE && BribeJudge(ParseTypedInt64(dialog.ItemText(ID_JUDGE_AMOUNT))))
                ShowDetentionFields(dialog);
            if (id == ID_QUIT && AskYesNo(WIN_DIALOG, TXT_QUIT_QUESTION, TXT_CAP_CONFIRM)) {
                port->Quit();
                dialog.Close(ID_CANCEL);
            }
            return;
        case DLG_PAINT:
            // A dial already turning is drawn again when the dialog is shown.
            if (trialProgress > 0.0f && arrestState >= 1) {
                if (Canvas* canvas = dialog.GetCanvas()) {
                    PaintVerdictDial(*canvas, trialProgress, JudgeFavour());
                    dialog.Present();
                }
            }
            return;
    }
}
