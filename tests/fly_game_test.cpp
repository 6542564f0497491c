// The fly-swatting game in the main view, driven by the main timer and by
// clicks on the headless host.
#include <vector>

#include "influence/fly_game.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/world_state.h"

class FlyGame : public GameTest {
protected:
    // From the field map, as the casino requests it; the next main tick starts it.
    void StartGame() {
        screenMode = SCREEN_FIELD;
        port->SetTimer(WIN_MAIN, 500);
        screenMode = SCREEN_FLY_GAME_PENDING;
        host.Advance(500);
        ASSERT_EQ(screenMode, SCREEN_FLY_GAME);
        ASSERT_EQ(host.TimerInterval(WIN_MAIN), 100);
    }
    // A click in the middle of the fly.
    void Swat() { host.ClickMain(flyX + 5, flyY + 5); }
};

TEST_F(FlyGame, RequestedGameStartsOnTheNextMainTickAtLevelOne) {
    flyX = 300;
    flyY = 200;
    StartGame();
    EXPECT_EQ(flyLevel, 10);
    host.Advance(100);
    // The level display shows the level divided by ten.
    const RasterCanvas* view = host.Surface(WIN_MAIN);
    bool levelShown = false, titleShown = false;
    for (const auto& t : view->texts) {
        levelShown = levelShown || (t.x == 400 && t.y == 0 && t.text == "1");
        titleShown = titleShown || (t.x == 0 && t.y == 0 && Utf8(t.text) == "ミニゲーム");
    }
    EXPECT_TRUE(levelShown);
    EXPECT_TRUE(titleShown);
}

TEST_F(FlyGame, StepsGrowWithTheLevelAndStayInTheField) {
    StartGame();
    flyX = 300;
    flyY = 200;
    int minStep = 0, maxStep = 0;
    for (int k = 0; k < 400; ++k) {
        const int x = flyX, y = flyY;
        FlyGameStep();
        minStep = std::min({minStep, flyX - x, flyY - y});
        maxStep = std::max({maxStep, flyX - x, flyY - y});
    }
    EXPECT_EQ(minStep, -5);
    EXPECT_EQ(maxStep, 4);

    flyLevel = 100;
    minStep = maxStep = 0;
    for (int k = 0; k < 5000; ++k) {
        const int x = flyX, y = flyY;
        FlyGameStep();
        ASSERT_GE(flyX, 10);
        ASSERT_LE(flyX, 600);
        ASSERT_GE(flyY, 10);
        ASSERT_LE(flyY, 400);
        if (x > 60 && x < 550 && y > 60 && y < 350) {
            minStep = std::min({minStep, flyX - x, flyY - y});
            maxStep = std::max({maxStep, flyX - x, flyY - y});
        }
    }
    EXPECT_EQ(minStep, -50);
    EXPECT_EQ(maxStep, 49);
}

TEST_F(FlyGame, TenSwatsPayThePrizeOnceAndReturnToTheField) {
    StartGame();
    const int64_t funds = companies[0].funds;
    for (int swat = 1; swat <= 9; ++swat) {
        Swat();
        EXPECT_EQ(flyLevel, 10 + 10 * swat);
        EXPECT_EQ(screenMode, SCREEN_FLY_GAME);
    }
    EXPECT_EQ(CountSaid("よくやった。\n\nだが、まだまだ５０００万円はあげられないね"), 9);
    EXPECT_TRUE(SaidWith("よくやった。\n\nだが、まだまだ５０００万円はあげられないね", "レベルアップ"));
    EXPECT_EQ(companies[0].funds, funds);

    Swat();
    EXPECT_TRUE(SaidWith("やくやった。５０００万円あげるよ", "任務完了"));
    EXPECT_EQ(companies[0].funds, funds + 5000);
    EXPECT_EQ(screenMode, SCREEN_FIELD);
    EXPECT_EQ(flyLevel, 10);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 500);

    // A click at the same place is now a click on the field map: nothing is paid twice.
    Swat();
    EXPECT_EQ(companies[0].funds, funds + 5000);
    // The next game needs ten swats again.
    StartGame();
    Swat();
    EXPECT_EQ(flyLevel, 20);
    EXPECT_EQ(companies[0].funds, funds + 5000);
}

TEST_F(FlyGame, TheWinningClickIsAlsoAFieldClick) {
    StartGame();
    flyLevel = 100;
    // The fly sits on the bank building of the field map.
    flyX = 350;
    flyY = 70;
    Swat();
    ASSERT_EQ(screenMode, SCREEN_FIELD);
    ASSERT_FALSE(host.openedDialogs.empty());
    EXPECT_EQ(host.openedDialogs.back(), IDD_BANK);
}

TEST_F(FlyGame, EdgesOfTheFlyAreMisses) {
    StartGame();
    flyX = 200;
    flyY = 150;
    host.ClickMain(200, 155);   // the left edge
    host.ClickMain(205, 150);   // the top edge
    host.ClickMain(210, 155);   // just right of it
    EXPECT_EQ(flyLevel, 10);
    EXPECT_TRUE(host.messages.empty());
    host.ClickMain(201, 151);
    EXPECT_EQ(flyLevel, 20);
}

TEST_F(FlyGame, RightClickGivesUpWithoutPay) {
    StartGame();
    Swat();
    Swat();
    const int64_t funds = companies[0].funds;
    host.RightClickMain(10, 10);
    EXPECT_TRUE(SaidWith("終了します", "ＥＮＤ"));
    EXPECT_EQ(screenMode, SCREEN_FIELD);
    EXPECT_EQ(flyLevel, 10);
    EXPECT_EQ(companies[0].funds, funds);
    EXPECT_EQ(host.TimerInterval(WIN_MAIN), 500);
}

TEST_F(FlyGame, TheSpriteShowsTheFlyOnAnUnchangedBackground) {
    StartGame();
    RasterCanvas* view = host.Surface(WIN_MAIN);
    // A fly of one dark pixel in the middle of its 10 x 10 square.
    const Rgb white{255, 255, 255}, black{0, 0, 0}, fly{40, 30, 20};
    std::vector<Rgb> mask(100, black), sprite(100, white);
    mask[55] = white;
    sprite[55] = fly;
    view->SetBitmap(BMP_BUG1MASK, 10, 10, mask);
    view->SetBitmap(BMP_BUG1, 10, 10, sprite);
    const Rgb stage{10, 200, 90};
    std::vector<Rgb> stagePixels(300 * 194, stage);
    view->SetBitmap(BMP_MINISTAGE1, 300, 194, stagePixels);
    flyLevel = 1;   // steps of 0: the fly stays put
    flyX = 200;
    flyY = 150;
    FlyGameStep();
    EXPECT_EQ(view->Pixel(205, 155), fly);
    EXPECT_EQ(view->Pixel(201, 151), stage);
    EXPECT_EQ(view->Pixel(209, 159), stage);
}
