// The window's screen flow driven through the headless host: clicks by
// position, dialogs by control id, every timer on the virtual clock.
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

using ShellFlow = GameTest;

TEST_F(ShellFlow, CreationStartsEveryTimerAndTheTitleFades) {
    EXPECT_EQ(std::count(startSounds.begin(), startSounds.end(), "opening.wav"), 1);
    const std::pair<WindowId, int> timers[] = {{WIN_MAIN, 300},     {WIN_COMPANY, 1000}, {WIN_CHART, 1100}, {WIN_BOARD, 1100},
                                               {WIN_CALENDAR, 1100}, {WIN_TICKER, 50},    {WIN_SIDE, 1000}};
    for (const auto& [window, ms] : timers) EXPECT_EQ(host.TimerInterval(window), ms) << window;
    // The market and the calendar run behind the title screen, which fades to black in 17 ticks.
    const int32_t day = gameDay;
    host.Advance(300 * 16);
    EXPECT_EQ(std::vector<int>({titleFade, historyIndex, gameDay}), std::vector<int>({15, 4, day + 4}));
    host.Advance(300);
    EXPECT_EQ(titleFade, 0);
    host.Advance(3000);
    EXPECT_EQ(std::vector<int>({titleFade, screenMode}), std::vector<int>({0, SCREEN_TITLE}));
}

TEST_F(ShellFlow, ClicksOnEdgesDoNothingAndInsideOpenTheirTarget) {
    const auto main = [&](int x, int y) { host.ClickMain(x, y); };
    const auto side = [&](int x, int y) { host.ClickSide(x, y); };
    const struct { std::function<void(int, int)> click; int x, y, screen, dialog; } rows[] = {
        // The title's buttons have strict edges; the last one quits (checked below).
        {main, 150, 225, SCREEN_TITLE, 0}, {main, 400, 225, SCREEN_TITLE, 0}, {main, 200, 250, SCREEN_TITLE, 0},
        {main, 200, 354, SCREEN_TITLE, 0},
        // The field map's buildings; between them nothing; the exchange and back.
        {main, 455, 250, SCREEN_FIELD, 135}, {main, 365, 85, SCREEN_FIELD, 133}, {main, 135, 135, SCREEN_FIELD, 139},
        {main, 235, 35, SCREEN_FIELD, 136},  {main, 35, 180, SCREEN_FIELD, 134}, {main, 265, 145, SCREEN_FIELD, 140},
        {main, 35, 35, SCREEN_FIELD, 141},   {main, 145, 325, SCREEN_FIELD, 142}, {main, 300, 250, SCREEN_FIELD, 0},
        {main, 460, 50, SCREEN_FIELD, 0},    {main, 470, 31, SCREEN_EXCHANGE, 0}, {main, 400, 308, SCREEN_EXCHANGE, 0},
        {main, 400, 309, SCREEN_FIELD, 0},
        // The side panel's buttons, the same on every screen.
        {side, 100, 25, SCREEN_FIELD, 133},  {side, 100, 77, SCREEN_FIELD, 138}, {side, 100, 129, SCREEN_FIELD, 145},
        {side, 100, 181, SCREEN_FIELD, 147}, {side, 100, 233, SCREEN_FIELD, 146}, {side, 10, 25, SCREEN_FIELD, 0},
        {side, 100, 51, SCREEN_FIELD, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.x << "," << r.y);
        if (r.screen == SCREEN_FIELD && screenMode == SCREEN_TITLE) FoundAndEnterField(), ClearMessages();
        host.openedDialogs.clear();
        r.click(r.x, r.y);
        EXPECT_EQ(screenMode, r.screen);
        EXPECT_EQ(host.openedDialogs, r.dialog ? std::vector<int>{r.dialog} : std::vector<int>{});
    }
    EXPECT_FALSE(host.quitRequested);
    // The government building holds the missiles once the player governs, or at the last level.
    presidentFlag = 1;
    host.ClickMain(265, 145);
    presidentFlag = 0, scenarioLevel = 13;
    host.ClickMain(265, 145);
    // No saving during detention; quitting asks first.
    arrestState = 10;
    host.ClickSide(100, 233);
    EXPECT_EQ(host.openedDialogs, (std::vector<int>{167, 167}));
    host.answers = {ANSWER_NO};
    host.ClickSide(100, 285);
    EXPECT_FALSE(host.quitRequested);
    const Boxes boxes = TakeBoxes(true);
    EXPECT_EQ(boxes.at(0), "[] 裁判が終わるまでセーブできません.");
    EXPECT_EQ(boxes.at(1).rfind("?[確認] ゲームを終了しますがよろしいですか？", 0), 0u);
    host.answers = {ANSWER_YES};
    host.ClickSide(100, 285);
    EXPECT_TRUE(host.quitRequested);
}

TEST_F(ShellFlow, TitleQuitButtonAndMenuCommands) {
    OnMenuCommand(CMD_ABOUT);
    EXPECT_EQ(host.openedDialogs, std::vector<int>{103});
    EXPECT_FALSE(host.quitRequested);
    OnMenuCommand(CMD_EXIT);
    EXPECT_TRUE(host.quitRequested);
    host.quitRequested = false;
    host.ClickMain(200, 353);
    EXPECT_TRUE(host.quitRequested);
}

TEST_F(ShellFlow, FoundingRefusesBadNamesCutsLongOnesAndAsksForTheScenario) {
    const std::string longName(230, 'N');
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        EXPECT_EQ(d.ResourceId(), 132);
        EXPECT_EQ(TextOf(d, 1002) + "/" + TextOf(d, 1004), "太郎の会社/証券 太郎");
        d.Press(2);   // Escape is ignored: only OK closes
        d.Type(1002, "\x82");   // not code page 932 text: refused, the dialog stays
        d.Press(1);
        EXPECT_TRUE(d.open());
        d.Type(1002, longName);
        TypePress(d, 1004, "", 1);
    });
    host.answers.push_back(ANSWER_YES);
    host.ClickMain(151, 201);
    EXPECT_EQ(std::string(companies[0].name) + "/" + companies[0].ceoName, longName.substr(0, 199) + "/");
    EXPECT_EQ(companies[0].ceoName, playerNameBuf);
    EXPECT_EQ(std::vector<int>({scenarioLevel, screenMode, host.TimerInterval(WIN_MAIN)}),
              std::vector<int>({1, SCREEN_INTRO, 1000}));
    const Boxes boxes = TakeBoxes(true);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].rfind("[不可]", 0), 0u);
    EXPECT_EQ(boxes[1].rfind("?[シナリオ] シナリオモードですか?", 0), 0u);
    EXPECT_EQ(boxes[2], "[ベンチャー企業家] 到達目標：純資産を２億円以上にすること");
    host.RightClickMain(100, 100);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 500);
}

TEST_F(ShellFlow, MainTimerAnnouncesRefoundsArrestsAndTheFlyGame) {
    lastRefoundedCompany = 9;   // only the last of several is announced, once
    host.Advance(300);
    EXPECT_EQ(TakeBoxes(), (Boxes{"[新規] 会社が倒産し,新たに[ " + Utf8(companies[9].name) + " ]が現れました"}));
    EXPECT_TRUE(Played("bankrupt.wav") && lastRefoundedCompany == 0);
    host.Advance(300);
    EXPECT_TRUE(host.messages.empty());
    arrestState = 1;
    host.Advance(300);
    EXPECT_TRUE(arrestState >= 10 && arrestState <= 19) << arrestState;   // the dialog drew the judge's severity
    host.Advance(3000);
    EXPECT_EQ(Opened(165), 1);
    screenMode = SCREEN_FLY_GAME_PENDING;
    host.Advance(300);
    EXPECT_EQ(std::vector<int>({screenMode, host.TimerInterval(WIN_MAIN)}), std::vector<int>({SCREEN_FLY_GAME, 100}));
}

TEST_F(ShellFlow, BoardClickRunsATickWithoutAMarketDay) {
    const int32_t day = historyIndex;
    host.ClickBoard(15, 12 * 3 + 15);
    EXPECT_EQ(std::vector<int>({selectedCompany, historyIndex, marketHalt, mouseX}), std::vector<int>({3, day, 0, 15}));
    EXPECT_TRUE(Played("cho.wav"));
    for (const auto& [x, y] : {std::pair{160, 75}, {50, 70}, {50, 80}}) host.ClickBoard(x, y);   // edges of row 5
    EXPECT_EQ(selectedCompany, 3);
}
