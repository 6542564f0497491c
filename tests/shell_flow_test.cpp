// The window's screen flow driven through the headless host: clicks by
// position, dialogs by control id, every timer on the virtual clock.
#include <algorithm>

#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "tests/test_support.h"
#include "tools/headless/headless_host.h"
#include "world/new_game.h"

class ShellFlow : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = port;
        port = &host;
        ResetWorldToProgramStart();
        StartUpWorld(4242);
        ResetShellState();
        host.CreateMainWindow();
    }
    void TearDown() override { port = previous_; }

    bool Opened(int id) const {
        return std::find(host.openedDialogs.begin(), host.openedDialogs.end(), id) != host.openedDialogs.end();
    }
    bool Played(const char* file) const {
        return std::find(host.sounds.begin(), host.sounds.end(), file) != host.sounds.end();
    }
    // Through the title's founding button, accepting the defaults.
    void FoundAndEnterField(bool scenario) {
        host.dialogHandlers.push_back([](HeadlessDialog& d) { d.Press(1); });
        host.answers.push_back(scenario ? ANSWER_YES : ANSWER_NO);
        host.ClickMain(200, 225);
        host.RightClickMain(100, 100);
        ASSERT_EQ(screenMode, SCREEN_FIELD);
    }

    HeadlessHost host;
    Port* previous_ = nullptr;
};

TEST_F(ShellFlow, CreationStartsEveryTimer) {
    EXPECT_TRUE(Played("opening.wav"));
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 300);
    EXPECT_EQ(host.TimerInterval(WIN_COMPANY), 1000);
    EXPECT_EQ(host.TimerInterval(WIN_CHART), 1100);
    EXPECT_EQ(host.TimerInterval(WIN_BOARD), 1100);
    EXPECT_EQ(host.TimerInterval(WIN_CALENDAR), 1100);
    EXPECT_EQ(host.TimerInterval(WIN_TICKER), 50);
    EXPECT_EQ(host.TimerInterval(WIN_SIDE), 1000);
    // The market and the calendar run behind the title screen.
    int32_t day = gameDay;
    host.Advance(1100);
    EXPECT_EQ(historyIndex, 1);
    EXPECT_EQ(gameDay, day + 1);
    EXPECT_EQ(screenMode, SCREEN_TITLE);
}

TEST_F(ShellFlow, TitleFadeReachesBlackAfterSeventeenTicks) {
    host.Advance(300 * 16);
    EXPECT_EQ(titleFade, 15);
    host.Advance(300);
    EXPECT_EQ(titleFade, 0);
    host.Advance(3000);
    EXPECT_EQ(titleFade, 0);
}

TEST_F(ShellFlow, TitleButtonEdgesAreStrict) {
    host.ClickMain(150, 225);
    host.ClickMain(400, 225);
    host.ClickMain(200, 250);
    host.ClickMain(200, 251);
    host.ClickMain(200, 302);
    host.ClickMain(200, 354);
    EXPECT_TRUE(host.openedDialogs.empty());
    EXPECT_FALSE(host.quitRequested);
    EXPECT_EQ(screenMode, SCREEN_TITLE);
    host.ClickMain(200, 353);
    EXPECT_TRUE(host.quitRequested);
}

TEST_F(ShellFlow, FoundingWithDefaultsAndScenario) {
    host.dialogHandlers.push_back([](HeadlessDialog& d) {
        EXPECT_EQ(d.ResourceId(), 132);
        EXPECT_EQ(d.ItemText(1002), Sjis("太郎の会社"));
        EXPECT_EQ(d.ItemText(1004), Sjis("証券 太郎"));
        d.Press(2);   // Escape is ignored: only OK closes
        EXPECT_TRUE(d.open());
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    host.answers.push_back(ANSWER_YES);
    host.ClickMain(151, 201);
    EXPECT_EQ(std::string(companies[0].name), Sjis("太郎の会社"));
    EXPECT_EQ(companies[0].ceoName, playerNameBuf);
    EXPECT_EQ(scenarioLevel, 1);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].caption, Sjis("シナリオ"));
    EXPECT_EQ(host.messages[0].style, MB_STYLE_YES_NO);
    EXPECT_EQ(host.messages[1].caption, Sjis("ベンチャー企業家"));
    EXPECT_EQ(host.messages[1].text, Sjis("到達目標：純資産を２億円以上にすること"));
    EXPECT_EQ(screenMode, SCREEN_INTRO);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 1000);
}

TEST_F(ShellFlow, FoundingTypedNamesCutsAndRefusals) {
    std::string longName(230, 'N');
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        // Bytes that are not code page 932 text are refused, the dialog stays.
        d.Type(1002, "\x82");
        d.Press(1);
        EXPECT_TRUE(d.open());
        d.Type(1002, longName);
        d.Type(1004, "");
        d.Press(1);
    });
    host.answers.push_back(ANSWER_NO);
    host.ClickMain(300, 249);
    EXPECT_EQ(host.messages[0].caption, Sjis("不可"));
    EXPECT_EQ(std::string(companies[0].name), longName.substr(0, 199));
    EXPECT_EQ(std::string(companies[0].ceoName), "");
    EXPECT_EQ(scenarioLevel, 0);
    EXPECT_EQ(screenMode, SCREEN_INTRO);
}

TEST_F(ShellFlow, ContinueOpensTheSaveDialogOverTheFieldMap) {
    host.ClickMain(200, 260);
    EXPECT_EQ(screenMode, SCREEN_FIELD);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 500);
    EXPECT_TRUE(Opened(146));
    EXPECT_EQ(selectedCompany, 11);
    EXPECT_EQ(flyX, 300);
    EXPECT_EQ(flyY, 200);
    EXPECT_TRUE(Played("tab.wav"));
    EXPECT_STREQ(companies[0].name, " ");   // the start-up world
}

TEST_F(ShellFlow, IntroRightClickAndExchangeRoundTrip) {
    FoundAndEnterField(false);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 500);
    host.ClickMain(460, 50);   // on the edge of the exchange building
    EXPECT_EQ(screenMode, SCREEN_FIELD);
    host.ClickMain(470, 50);
    EXPECT_EQ(screenMode, SCREEN_EXCHANGE);
    host.ClickMain(400, 308);   // edge of "戻る"
    EXPECT_EQ(screenMode, SCREEN_EXCHANGE);
    host.ClickMain(400, 320);
    EXPECT_EQ(screenMode, SCREEN_FIELD);
}

TEST_F(ShellFlow, BuildingsOpenTheirDialogs) {
    FoundAndEnterField(false);
    const struct {
        int x, y, dialog;
    } buildings[] = {
        {455, 250, 135}, {365, 85, 133}, {135, 135, 139}, {235, 35, 136}, {35, 180, 134},
        {265, 145, 140}, {35, 35, 141},  {145, 325, 142},
    };
    for (const auto& b : buildings) {
        host.openedDialogs.clear();
        host.ClickMain(b.x, b.y);
        ASSERT_EQ(host.openedDialogs.size(), 1u) << b.dialog;
        EXPECT_EQ(host.openedDialogs[0], b.dialog);
    }
    // Between the buildings nothing opens.
    host.openedDialogs.clear();
    host.ClickMain(300, 250);
    EXPECT_TRUE(host.openedDialogs.empty());
    // The government building holds the missiles once the player governs.
    presidentFlag = 1;
    host.ClickMain(265, 145);
    EXPECT_EQ(host.openedDialogs.back(), 167);
    presidentFlag = 0;
    scenarioLevel = 13;
    host.ClickMain(265, 145);
    EXPECT_EQ(host.openedDialogs.back(), 167);
}

TEST_F(ShellFlow, SidePanelButtons) {
    const struct {
        int y, dialog;
    } buttons[] = {{25, 133}, {77, 138}, {129, 145}, {181, 147}, {233, 146}};
    for (const auto& b : buttons) {
        host.openedDialogs.clear();
        host.ClickSide(100, b.y);
        ASSERT_EQ(host.openedDialogs.size(), 1u);
        EXPECT_EQ(host.openedDialogs[0], b.dialog);
    }
    host.openedDialogs.clear();
    host.ClickSide(10, 25);
    host.ClickSide(100, 51);
    EXPECT_TRUE(host.openedDialogs.empty());
    // No saving during detention.
    arrestState = 10;
    host.ClickSide(100, 233);
    EXPECT_TRUE(host.openedDialogs.empty());
    EXPECT_EQ(host.messages.back().text, Sjis("裁判が終わるまでセーブできません."));
    // Quitting asks first.
    host.answers.push_back(ANSWER_NO);
    host.ClickSide(100, 285);
    EXPECT_FALSE(host.quitRequested);
    EXPECT_EQ(host.messages.back().caption, Sjis("確認"));
    host.answers.push_back(ANSWER_YES);
    host.ClickSide(100, 285);
    EXPECT_TRUE(host.quitRequested);
}

TEST_F(ShellFlow, RefoundedCompanyIsAnnouncedOnceForTheLast) {
    lastRefoundedCompany = 5;
    lastRefoundedCompany = 9;
    host.Advance(300);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, Sjis("新規"));
    EXPECT_EQ(host.messages[0].text,
              Sjis("会社が倒産し,新たに[ ") + companies[9].name + Sjis(" ]が現れました"));
    EXPECT_TRUE(Played("bankrupt.wav"));
    EXPECT_EQ(lastRefoundedCompany, 0);
    host.Advance(300);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(ShellFlow, ArrestOpensTheDetentionDialogOnce) {
    arrestState = 1;
    host.Advance(300);
    // No longer 1: the dialog has drawn the judge's severity (10..19) into it.
    EXPECT_GE(arrestState, 10);
    EXPECT_LE(arrestState, 19);
    EXPECT_EQ(std::count(host.openedDialogs.begin(), host.openedDialogs.end(), 165), 1);
    host.Advance(3000);
    EXPECT_EQ(std::count(host.openedDialogs.begin(), host.openedDialogs.end(), 165), 1);
}

TEST_F(ShellFlow, BoardClickRunsATickWithoutAMarketDay) {
    int32_t day = historyIndex;
    host.ClickBoard(15, 12 * 3 + 15);
    EXPECT_EQ(selectedCompany, 3);
    EXPECT_EQ(historyIndex, day);
    EXPECT_EQ(marketHalt, 0);
    EXPECT_TRUE(Played("cho.wav"));
    EXPECT_EQ(mouseX, 15);
    // Edges select nothing.
    host.ClickBoard(160, 12 * 5 + 15);
    host.ClickBoard(50, 12 * 5 + 10);
    host.ClickBoard(50, 12 * 5 + 20);
    EXPECT_EQ(selectedCompany, 3);
}

TEST_F(ShellFlow, FlyGameRequestStartsOnTheNextMainTick) {
    screenMode = SCREEN_FLY_GAME_PENDING;
    host.Advance(300);
    EXPECT_EQ(screenMode, SCREEN_FLY_GAME);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 100);
}

TEST_F(ShellFlow, MenuCommands) {
    host.dialogHandlers.push_back([](HeadlessDialog& d) {
        EXPECT_EQ(d.ResourceId(), 103);
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    OnMenuCommand(CMD_ABOUT);
    EXPECT_TRUE(Opened(103));
    OnMenuCommand(CMD_EXIT);
    EXPECT_TRUE(host.quitRequested);
}

