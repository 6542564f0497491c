#include "influence/fly_game.h"

#include <algorithm>

#include "display/canvas.h"
#include "influence/fly_game_texts.h"
#include "resources/dialog_ids.h"
#include "world/port.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr Rgb BLUE{0, 0, 255};
constexpr Rgb RED{255, 0, 0};

// Back to the field map at its own pace.
void ReturnToField() {
    screenMode = SCREEN_FIELD;
    port->KillTimer(WIN_MAIN);
    flyLevel = 10;
}

void Erase(Canvas& c, int left, int top, int right, int bottom) {
    c.SelectPen(PEN_WHITE2);
    c.SelectBrush(BRUSH_WHITE);
    c.Rectangle(left, top, right, bottom);
}

}  // namespace

void FlyGameStep() {
    // A level below 1 would make the step's modulus zero; the game never
    // sets one, but a level is kept usable whatever came before.
    const int32_t level = std::max<int32_t>(flyLevel, 1);
    const int32_t dx = static_cast<int32_t>(RandMod(level)) - level / 2;
    const int32_t dy = static_cast<int32_t>(RandMod(level)) - level / 2;
    flyX = std::clamp(flyX + dx, 10, 600);
    flyY = std::clamp(flyY + dy, 10, 400);

    Canvas* canvas = port->CanvasOf(WIN_MAIN);
    if (!canvas) return;
    Canvas& c = *canvas;
    Erase(c, flyX - level, flyY - level, flyX + level + 10, flyY + level + 10);
    Erase(c, 400, 0, 450, 60);
    c.DrawBitmap(BMP_MINISTAGE1, 110, 110);
    c.SelectFont(FONT_50);
    c.SetTextColour(BLUE);
    c.SetOpaqueText(true);
    c.TextOut(0, 0, TXT_FLY_TITLE);
    c.SetTextColour(RED);
    c.SetOpaqueText(false);
    c.TextOut(400, 0, StrPrintf("%d", flyLevel / 10).c_str());
    c.DrawBitmap(BMP_BUG1MASK, flyX, flyY, ROP_OR);
    c.DrawBitmap(BMP_BUG1, flyX, flyY, ROP_AND);
    port->Present(WIN_MAIN);
}

void FlySwat(int x, int y) {
    if (!(flyX < x && x < flyX + 10 && flyY < y && y < flyY + 10)) return;
    if (flyLevel >= FLY_WIN_LEVEL) {
        ShowInfo(WIN_MAIN, TXT_FLY_WON, TXT_FLY_CAP_WON);
        ReturnToField();
        companies[0].funds = SatAdd(companies[0].funds, FLY_PRIZE);
        port->SetTimer(WIN_MAIN, 500);
        return;
    }
    ShowInfo(WIN_MAIN, TXT_FLY_LEVEL_UP, TXT_FLY_CAP_LEVEL_UP);
    flyLevel += 10;
}

void FlyGameQuit() {
    ReturnToField();
    ShowInfo(WIN_MAIN, TXT_FLY_QUIT, TXT_FLY_CAP_QUIT);
    port->SetTimer(WIN_MAIN, 500);
}
