#include "influence/casino_dialog.h"

#include "display/canvas.h"
#include "influence/casino_texts.h"
#include "resources/dialog_ids.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

int32_t raceBet = 0;
int32_t racerPosition[RACER_COUNT] = {};
int32_t racerStall[RACER_COUNT] = {};

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_ESCAPE = 2;
constexpr int ID_RACE = 1018;
constexpr int ID_FLY_GAME = 1017;

// Bet buttons of racers 1..8.
constexpr int BET_IDS[RACER_COUNT] = {1018, 1020, 1021, 1022, 1023, 1024, 1025, 1026};

constexpr int64_t STAKE = 10000;   // 万円: 1億円
constexpr int START_X = 100;
constexpr int STEP = 3;
constexpr int STALL_TICKS = 10;
constexpr int STALL_DRAW = 50;
constexpr int FINISH_PAST = 650;

// The track, in dialog pixels.
constexpr int LANE_PITCH = 60;
constexpr int LANE_LINE_Y = 15;
constexpr int RACER_Y = 20;
constexpr int LAST_LINE_Y = 495;
constexpr int TRACK_END = 1000;
constexpr int FINISH_X = 700;

int LaneTop(int lane) { return LANE_PITCH * lane; }

void DrawLaneLine(Canvas& c, int y) {
    c.SelectPen(PEN_BLUE1);
    c.Line(0, y, TRACK_END, y);
}

void DrawClosingLines(Canvas& c) {
    DrawLaneLine(c, LAST_LINE_Y);
    c.SelectPen(PEN_RED1);
    c.Line(FINISH_X, 0, FINISH_X, TRACK_END);
}

// The whole track on a white ground, for a dialog just opened: the
// racers stand at the start until a bet is placed.
void DrawTrack(DialogHost& dialog) {
    Canvas* canvas = dialog.GetCanvas();
    if (!canvas) return;
    Canvas& c = *canvas;
    c.SelectPen(PEN_WHITE1);
    c.SelectBrush(BRUSH_WHITE);
    c.Rectangle(0, 0, c.Width(), c.Height());
    c.SelectFont(FONT_15);
    c.SetTextColour(Rgb{0, 0, 0});
    c.SetOpaqueText(false);
    for (int lane = 0; lane < RACER_COUNT; ++lane) {
        DrawLaneLine(c, LaneTop(lane) + LANE_LINE_Y);
        c.TextOut(20, LaneTop(lane) + 32, StrPrintf(TXT_RACE_LANE, lane + 1).c_str());
        c.DrawBitmap(BMP_UNIT, START_X, LaneTop(lane) + RACER_Y);
    }
    DrawClosingLines(c);
    dialog.Present();
}

void ShowResult(DialogHost& dialog, int winner) {
    ShowInfo(WIN_DIALOG, StrPrintf(TXT_RACE_FIRST, winner + 1).c_str(), "");
    if (winner + 1 == raceBet) {
        const int32_t odds = RACER_ODDS[winner];
        // Paid before the boxes: timers run while they are open.
        companies[0].funds = SatAdd(companies[0].funds, odds * STAKE);
        ShowInfo(WIN_DIALOG, TXT_RACE_JACKPOT, "");
        ShowInfo(WIN_DIALOG, StrPrintf(TXT_RACE_WON, odds).c_str(), "");
    } else {
        ShowInfo(WIN_DIALOG, TXT_RACE_MISS, "");
    }
    raceBet = 0;
    dialog.Close(ID_CLOSE);
}

}  // namespace

void OpenCasinoDialog() { port->OpenDialog(IDD_CASINO, WIN_MAIN); }
void OpenRaceDialog() { port->OpenDialog(IDD_RACE, WIN_DIALOG); }

void PlaceRaceBet(DialogHost& dialog, int racer) {
    if (racer < 1 || racer > RACER_COUNT) return;
    ListedCompany& me = companies[0];
    if (me.funds < STAKE) {
        ShowInfo(WIN_DIALOG, TXT_RACE_NO_FUNDS, "");
        return;
    }
    me.funds -= STAKE;
    raceBet = racer;
    for (int32_t& x : racerPosition) x = START_X;
    dialog.StartTimer(RACE_TIMER_MS);
}

void RaceTick(DialogHost& dialog) {
    if (raceBet == 0) return;
    Canvas* canvas = dialog.GetCanvas();
    for (int lane = 0; lane < RACER_COUNT; ++lane) {
        const int64_t a = RandMod(10 - lane);
        const int64_t b = RandMod(100);
        if (b == STALL_DRAW) racerStall[lane] = STALL_TICKS;
        if (racerStall[lane] != 0) {
            --racerStall[lane];
        } else if (a != 0) {
            racerPosition[lane] += STEP;
        }
        if (canvas) {
            DrawLaneLine(*canvas, LaneTop(lane) + LANE_LINE_Y);
            canvas->DrawBitmap(BMP_UNIT, racerPosition[lane], LaneTop(lane) + RACER_Y);
        }
    }
    if (canvas) {
        DrawClosingLines(*canvas);
        dialog.Present();
    }

    int winner = -1;
    for (int lane = 0; lane < RACER_COUNT; ++lane)
        if (racerPosition[lane] > FINISH_PAST) winner = lane;
    if (winner < 0) return;
    dialog.StopTimer();
    ShowResult(dialog, winner);
}

void RaceDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            for (int32_t& s : racerStall) s = 0;
            break;
        case DLG_COMMAND:
            for (int k = 0; k < RACER_COUNT; ++k)
                if (id == BET_IDS[k]) PlaceRaceBet(dialog, k + 1);
            // Leaving during a race ends it without a result: the stake is lost.
            if (id == ID_CLOSE || id == ID_ESCAPE) dialog.Close(id);
            break;
        case DLG_TIMER:
            RaceTick(dialog);
            break;
        case DLG_PAINT:
            DrawTrack(dialog);
            break;
    }
}

void CasinoDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_COMMAND:
            if (id == ID_RACE) OpenRaceDialog();
            if (id == ID_FLY_GAME) {
                // The main timer starts the game on its next tick.
                screenMode = SCREEN_FLY_GAME_PENDING;
                dialog.Close(ID_CLOSE);
            }
            if (id == ID_CLOSE || id == ID_ESCAPE) dialog.Close(id);
            break;
        case DLG_INIT:
        case DLG_TIMER:
        case DLG_PAINT:
            break;
    }
}
