#include "shell/screen_flow.h"

#include "corporate/bank_dialog.h"
#include "corporate/founding_dialog.h"
#include "corporate/headquarters_dialog.h"
#include "corporate/other_company_dialog.h"
#include "corporate/shareholders_meeting.h"
#include "corporate/trading_dialogs.h"
#include "display/canvas.h"
#include "influence/casino_dialog.h"
#include "influence/election_dialog.h"
#include "influence/fly_game.h"
#include "influence/media_dialog.h"
#include "influence/military_dialog.h"
#include "influence/missile_dialog.h"
#include "influence/police_dialog.h"
#include "influence/ranking_dialog.h"
#include "influence/shop_dialog.h"
#include "influence/university_dialog.h"
#include "display/painters.h"
#include "market/calendar.h"
#include "market/market_tick.h"
#include "world/game_texts.h"
#include "world/new_game.h"
#include "world/save_load_dialog.h"
#include "world/text.h"
#include "world/world_state.h"

int32_t mouseX, mouseY;

const PanelGeometry PANELS[6] = {
    {WIN_COMPANY, "state1", "Child1", 0, 400, 300, 285, 1000},
    {WIN_CHART, "state2", "Child2", 300, 400, 520, 200, PANEL_TIMER_MS},
    {WIN_BOARD, "state4", "Child4", 570, 0, 450, 370, 1100},
    {WIN_CALENDAR, "state3", "Child3", 300, 600, 520, 85, 1100},
    {WIN_TICKER, "state5", "Child5", 0, 370, 820, 30, 50},
    {WIN_SIDE, "state6", "Child6", 820, 370, 200, 315, 1000},
};

namespace {

template <typename F>
void Draw(WindowId window, F paint) {
    if (Canvas* canvas = port->CanvasOf(window)) {
        paint(*canvas);
        port->Present(window);
    }
}

void RestartMainTimer(int ms) {
    port->KillTimer(WIN_MAIN);
    port->SetTimer(WIN_MAIN, ms);
}

// The field map after the title or the introduction.
void EnterFieldMap() {
    screenMode = SCREEN_FIELD;
    port->KillTimer(WIN_MAIN);
    Draw(WIN_MAIN, [](Canvas& c) { ClearMainView(c); });
    flyX = 300;
    flyY = 200;
    selectedCompany = 11;
    port->SetTimer(WIN_MAIN, 500);
}

void SwitchScreen(int mode) {
    port->KillTimer(WIN_MAIN);
    screenMode = mode;
    Draw(WIN_MAIN, [](Canvas& c) { ClearMainView(c); });
    port->SetTimer(WIN_MAIN, 500);
}

bool Inside(int v, int low, int high) { return low < v && v < high; }

void TitleClick(int x, int y) {
    if (!Inside(x, 150, 400)) return;
    if (Inside(y, 200, 250)) {
        port->OpenDialog(IDD_FOUNDING, WIN_MAIN);
        if (AskYesNo(WIN_MAIN, TXT_SCENARIO_QUESTION, TXT_CAP_SCENARIO)) {
            EnterScenarioMode();
            ShowInfo(WIN_MAIN, TXT_SCENARIO_START_GOAL, TXT_LEVEL_TITLE_1);
        }
        screenMode = SCREEN_INTRO;
        RestartMainTimer(1000);
    }
    if (Inside(y, 252, 302)) {
        PlaySoundFile("tab.wav");
        EnterFieldMap();
        port->OpenDialog(IDD_SAVE_LOAD, WIN_MAIN);
    }
    if (Inside(y, 304, 354)) port->Quit();
}

void FieldClick(int x, int y) {
    PlaySoundFile("tab.wav");
    if (Inside(x, 430, 480) && Inside(y, 225, 275)) OpenMediaDialog();
    if (Inside(x, 460, 510) && Inside(y, 30, 80)) SwitchScreen(SCREEN_EXCHANGE);
    if (Inside(x, 340, 390) && Inside(y, 60, 110)) OpenBankDialog();
    if (Inside(x, 110, 160) && Inside(y, 110, 160)) port->OpenDialog(IDD_OTHER_COMPANY, WIN_MAIN);
    if (Inside(x, 210, 260) && Inside(y, 10, 60)) OpenUniversityDialog();
    if (Inside(x, 10, 60) && Inside(y, 150, 210)) OpenCasinoDialog();
    if (Inside(x, 240, 290) && Inside(y, 120, 170)) {
        if (scenarioLevel >= 13 || presidentFlag == 1) {
            OpenMissileDialog();
        } else {
            OpenElectionDialog();
        }
    }
    if (Inside(x, 10, 60) && Inside(y, 10, 60)) OpenShopDialog();
    if (Inside(x, 120, 170) && Inside(y, 300, 350)) OpenMilitaryDialog();
}

void ExchangeClick(int x, int y) {
    PlaySoundFile("tab.wav");
    if (!Inside(x, 310, 500)) return;
    if (Inside(y, 100, 150)) OpenBuyDialog();
    if (Inside(y, 152, 202)) OpenSellDialog();
    if (Inside(y, 204, 254)) AfterHoursTrade();
    if (Inside(y, 256, 306)) CancelAllOrders();
    if (Inside(y, 308, 358)) SwitchScreen(SCREEN_FIELD);
}

}  // namespace

void ResetShellState() {
    mouseX = mouseY = 0;
    flyX = flyY = 0;
    ResetDisplayState();
}

void OnMainCreate() {
    PlaySoundFile("opening.wav");
    port->SetTimer(WIN_MAIN, 300);
    for (const PanelGeometry& p : PANELS) port->SetTimer(p.window, p.timerMs);
    // The title at once rather than after the first 300 ms tick.
    Draw(WIN_MAIN, [](Canvas& c) { PaintTitleScreen(c, mouseX, mouseY); });
}

void PaintFirstFrames() {
    // A first frame of every panel that only reads the world, so that the
    // market shows from the start instead of after each timer's first tick.
    // All six side buttons get their fill in their first frame. The repaint
    // countdown is meant for the title's three buttons; spent here it would
    // leave the lower side buttons unfilled until hovered.
    const int32_t countdown = buttonRepaintCountdown;
    buttonRepaintCountdown = 6;
    Draw(WIN_SIDE, [](Canvas& c) { PaintSideButtons(c, -1, -1); });
    buttonRepaintCountdown = countdown;
    PaintWindowContents(WIN_BOARD);
    PaintWindowContents(WIN_CALENDAR);
    Draw(WIN_COMPANY, [](Canvas& c) { PaintCompanyPanel(c); });
    Draw(WIN_CHART, [](Canvas& c) { PaintPriceChart(c, selectedCompany); });
}

void OnMainTimer() {
    if (lastRefoundedCompany != 0) {
        PlaySoundFile("bankrupt.wav");
        int i = lastRefoundedCompany;
        std::string text = StrPrintf(TXT_REFOUNDED, companies[i].name);
        lastRefoundedCompany = 0;
        ShowInfo(WIN_MAIN, text.c_str(), TXT_CAP_NEW);
    }
    switch (screenMode) {
        case SCREEN_TITLE:
            if (titleFade > 0) titleFade -= 15;
            Draw(WIN_MAIN, [](Canvas& c) { PaintTitleScreen(c, mouseX, mouseY); });
            break;
        case SCREEN_INTRO: Draw(WIN_MAIN, [](Canvas& c) { PaintIntroText(c); }); break;
        case SCREEN_FIELD: Draw(WIN_MAIN, [](Canvas& c) { PaintFieldMap(c); }); break;
        case SCREEN_EXCHANGE: Draw(WIN_MAIN, [](Canvas& c) { PaintExchangeScreen(c, mouseX, mouseY); }); break;
        case SCREEN_FLY_GAME: FlyGameStep(); break;
        case SCREEN_FLY_GAME_PENDING:
            port->KillTimer(WIN_MAIN);
            Draw(WIN_MAIN, [](Canvas& c) { ClearMainView(c); });
            screenMode = SCREEN_FLY_GAME;
            port->SetTimer(WIN_MAIN, 100);
            break;
        default: break;
    }
    if (arrestState == 1) {
        arrestState = 2;
        port->OpenDialog(IDD_DETENTION, WIN_MAIN);
    }
}

void OnMainMouseMove(int x, int y) {
    mouseX = x;
    mouseY = y;
    if (screenMode == SCREEN_TITLE) Draw(WIN_MAIN, [](Canvas& c) { PaintTitleScreen(c, mouseX, mouseY); });
    if (screenMode == SCREEN_EXCHANGE) Draw(WIN_MAIN, [](Canvas& c) { PaintExchangeScreen(c, mouseX, mouseY); });
}

void OnMainLeftClick(int x, int y) {
    mouseX = x;
    mouseY = y;
    if (screenMode == SCREEN_TITLE) TitleClick(x, y);
    // The winning swat returns to the field map, which then takes the same click.
    if (screenMode == SCREEN_FLY_GAME) FlySwat(x, y);
    if (screenMode == SCREEN_FIELD) FieldClick(x, y);
    if (screenMode == SCREEN_EXCHANGE) ExchangeClick(x, y);
}

void OnMainRightClick(int x, int y) {
    (void)x;
    (void)y;
    if (screenMode == SCREEN_INTRO) {
        PlaySoundFile("tab.wav");
        EnterFieldMap();
    } else if (screenMode == SCREEN_FLY_GAME) {
        FlyGameQuit();
    }
}

void OnMainActivate() {
    if (screenMode == SCREEN_EXCHANGE) Draw(WIN_MAIN, [](Canvas& c) { ClearExchangeButtons(c); });
}

void OnMenuCommand(int id) {
    if (id == CMD_ABOUT) port->OpenDialog(IDD_ABOUT, WIN_MAIN);
    if (id == CMD_EXIT) port->Quit();
}

void OnSidePanelMouseMove(int x, int y) {
    Draw(WIN_SIDE, [x, y](Canvas& c) { PaintSideButtons(c, x, y); });
}

void OnSidePanelLeftClick(int x, int y) {
    if (!Inside(x, 10, 200)) return;
    if (Inside(y, 0, 50)) port->OpenDialog(IDD_BANK, WIN_SIDE);
    if (Inside(y, 52, 102)) port->OpenDialog(IDD_HEADQUARTERS, WIN_SIDE);
    if (Inside(y, 104, 154)) OpenRankingDialog();
    if (Inside(y, 156, 206)) OpenPoliceDialog();
    if (Inside(y, 208, 258)) {
        if (arrestState != 0) {
            ShowInfo(WIN_SIDE, TXT_NO_SAVE_IN_TRIAL);
        } else {
            port->OpenDialog(IDD_SAVE_LOAD, WIN_SIDE);
        }
    }
    if (Inside(y, 260, 310)) {
        if (AskYesNo(WIN_SIDE, TXT_QUIT_QUESTION, TXT_CAP_CONFIRM)) port->Quit();
    }
}

void OnBoardLeftClick(int x, int y) {
    mouseX = x;
    mouseY = y;
    OnBoardClick(x, y);
}

void OnPanelTimer(WindowId panel) {
    switch (panel) {
        case WIN_COMPANY: Draw(WIN_COMPANY, [](Canvas& c) { PaintCompanyPanel(c); }); break;
        case WIN_CHART: Draw(WIN_CHART, [](Canvas& c) { PaintPriceChart(c, selectedCompany); }); break;
        case WIN_BOARD: RunMarketTick(WIN_BOARD); break;
        case WIN_CALENDAR: AdvanceCalendarDay(WIN_CALENDAR); break;
        case WIN_TICKER: Draw(WIN_TICKER, [](Canvas& c) { NewsTickerTick(c); }); break;
        case WIN_SIDE: Draw(WIN_SIDE, [](Canvas& c) { PaintSideButtons(c, -1, -1); }); break;
        default: break;
    }
}

void PaintWindowContents(WindowId window) {
    if (window == WIN_BOARD) {
        Draw(WIN_BOARD, [](Canvas& c) {
            PaintStockBoard(c);
            PaintStockDetail(c);
        });
    }
    if (window == WIN_CALENDAR) Draw(WIN_CALENDAR, [](Canvas& c) { PaintCalendarPanel(c); });
}

DialogProc FindDialogProc(int resourceId) {
    switch (resourceId) {
        case IDD_FOUNDING: return FoundingDialogProc;
        case IDD_ABOUT: return AboutDialogProc;
        case IDD_BUY: return BuyDialogProc;
        case IDD_SELL: return SellDialogProc;
        case IDD_BANK: return BankDialogProc;
        case IDD_HEADQUARTERS: return HeadquartersDialogProc;
        case IDD_OTHER_COMPANY: return OtherCompanyDialogProc;
        case IDD_MEETING: return ShareholdersMeetingDialogProc;
        case IDD_SAVE_LOAD: return SaveLoadDialogProc;
        case IDD_MEDIA: return MediaDialogProc;
        case IDD_POLICE: return PoliceDialogProc;
        case IDD_DETENTION: return DetentionDialogProc;
        case IDD_UNIVERSITY: return UniversityDialogProc;
        case IDD_ELECTION: return ElectionDialogProc;
        case IDD_MILITARY: return MilitaryDialogProc;
        case IDD_WAR: return WarDialogProc;
        case IDD_MISSILE: return MissileDialogProc;
        case IDD_SHOP: return ShopDialogProc;
        case IDD_CASINO: return CasinoDialogProc;
        case IDD_RACE: return RaceDialogProc;
        case IDD_RANKING: return RankingDialogProc;
        default: return nullptr;
    }
}
