// The police, the detention with its trial, and the personal asset ranking, driven as the side panel,
// the market day, the calendar and the main timer drive them.
#include <cmath>

#include "display/canvas.h"
#include "influence/police_dialog.h"
#include "influence/ranking_dialog.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

constexpr int POLICE = 147, DETENTION = 165, RANKING = 145;
constexpr Rgb RED{255, 0, 0}, BLUE{0, 0, 255}, WHITE{255, 255, 255};
const char* const NO_MONEY = "[] そんなに金がありません.";

// The colour of the verdict dial `radius` pixels from its centre, `degrees` clockwise from the top.
Rgb OnDial(HeadlessDialog& d, double degrees, double radius) {
    const double a = degrees * 3.14159265358979 / 180.0;
    return d.PixelAt(VERDICT_DIAL_X + static_cast<int>(std::lround(radius * std::sin(a))),
                     VERDICT_DIAL_Y - static_cast<int>(std::lround(radius * std::cos(a))));
}

}  // namespace

class PoliceTest : public GameTest {
protected:
    // Arrests the player; the main timer opens the detention with the severity arranged; `act` runs in it.
    void Detain(int severity, std::function<void(HeadlessDialog&)> act) {
        ClearMessages();
        host.dialogHandlers.push_back([&, act](HeadlessDialog& d) {
            EXPECT_EQ(std::make_tuple(d.ResourceId(), DrawsSince(arranged), arrestState),
                      std::make_tuple(DETENTION, 1, severity));
            EXPECT_EQ(TakeBoxes(), (Boxes{"[] 逮捕されました."})); act(d);
        });
        arrestState = 1; arranged = ArrangeDraws({Mod(10, severity - 10)});
        OnMainTimer();   // one tick, without the market's draws between
        EXPECT_EQ(host.openedDialogs.back(), DETENTION);
    }
    ListedCompany& me = companies[0]; uint32_t arranged = 0;
};

TEST_F(PoliceTest, SidePanelOpensBribesUpToTheFundsAndTheFiguresRefreshEverySecond) {
    const char* const CHIEF = "[警視総監] ありがとう.御社へは配慮しておくよ.";
    const char* const PROSECUTOR = "[検察官] ありがとう.証拠を抹消しておくよ.";
    // police: else the prosecutors; the chance in tenths of a percent. Connection: a point per 100万円,
    // truncated; the chance: a percent per 億円, never below none. Negative bribes are beyond the funds.
    const struct { bool police; const char* typed; int64_t funds; int32_t connection, chance; int64_t fundsAfter;
                   int32_t connectionAfter, chanceAfter; const char* box; } rows[] = {
        {true, "250", 1000, 5, 0, 750, 7, 0, CHIEF}, {true, "751", 750, 7, 0, 750, 7, 0, NO_MONEY},
        {true, "  750yen", 750, 7, 0, 0, 14, 0, CHIEF}, {true, "", 0, 14, 0, 0, 14, 0, CHIEF},
        {true, "-1", 0, 14, 0, 0, 14, 0, NO_MONEY},
        {false, "3", 200000, 0, 125, 170000, 0, 95, PROSECUTOR}, {false, "18", 170000, 0, 95, 170000, 0, 95, NO_MONEY},
        {false, "17", 170000, 0, 95, 0, 0, 0, PROSECUTOR},
        {false, "-9999999999999999999", 5, 0, 0, 5, 0, 0, NO_MONEY},   // the cost saturates instead of wrapping
    };
    policeConnection = 12; prosecutionChance = 569;   // shown in whole percent
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        EXPECT_EQ(std::make_tuple(TextOf(d, 1002), TextOf(d, 1003)), std::make_tuple("12", "56"));
        const uint32_t state = GameRandState();
        for (const auto& r : rows) {
            SCOPED_TRACE(r.typed); me.funds = r.funds; policeConnection = r.connection; prosecutionChance = r.chance;
            d.Type(r.police ? 1004 : 1006, Sjis(r.typed)); d.Press(r.police ? 1017 : 1018);
            EXPECT_EQ(TakeBoxes(), (Boxes{r.box}));
            EXPECT_EQ(std::make_tuple(me.funds, policeConnection, prosecutionChance),
                      std::make_tuple(r.fundsAfter, r.connectionAfter, r.chanceAfter));
            if (r.box != NO_MONEY) {
                EXPECT_EQ(std::make_pair(TextOf(d, 1002), TextOf(d, 1003)),
                          std::make_pair(std::to_string(r.connectionAfter), std::to_string(r.chanceAfter / 10)));
            }
        }
        EXPECT_EQ(DrawsSince(state), 0);
        // The calendar moves the figures behind the dialog; its next second shows them.
        policeConnection = 7; illegalityFactor = 34; host.Advance(999); EXPECT_EQ(TextOf(d, 1002), "0");
        host.Advance(1); EXPECT_EQ(std::make_tuple(TextOf(d, 1002), TextOf(d, 1005)), std::make_tuple("7", "34"));
        d.Press(2); EXPECT_EQ(std::make_pair(d.open(), d.result()), std::make_pair(false, 2));   // Escape closes it
    });
    host.ClickSide(100, 181); EXPECT_EQ(host.openedDialogs, std::vector<int>{POLICE});
}

TEST_F(PoliceTest, DetentionOpensOnceAndEndsOnlyByTheVerdictOrTheQuit) {
    monthsToTrial = 5; judgeConnection = 0; me.funds = 60000;   // 6億円
    Detain(17, [&](HeadlessDialog& d) {
        EXPECT_EQ(std::make_tuple(TextOf(d, 1002), TextOf(d, 1003), TextOf(d, 1004)), std::make_tuple("0", "8000", "5"));
        monthsToTrial = 3; host.Advance(499); EXPECT_EQ(TextOf(d, 1004), "5");
        host.Advance(1); EXPECT_EQ(TextOf(d, 1004), "3"); EXPECT_EQ(trialProgress, 0.0f);   // months to go: still
        // The judge is paid in 億円, up to the funds; the severity stays.
        const char* const JUDGE = "[裁判官] ありがとう.君に有利な判決をするよ.";
        const struct { const char* typed; int64_t fundsAfter; int32_t connectionAfter; const char* box; } bribes[] = {
            {"4", 20000, 4, JUDGE}, {"3", 20000, 4, NO_MONEY}, {"-1", 20000, 4, NO_MONEY}, {"2", 0, 6, JUDGE}};
        for (const auto& b : bribes) {
            d.Type(1007, Sjis(b.typed)); d.Press(1017); EXPECT_EQ(TakeBoxes(), (Boxes{b.box}));
            EXPECT_EQ(std::make_tuple(me.funds, judgeConnection, TextOf(d, 1002)),
                      std::make_tuple(b.fundsAfter, b.connectionAfter, std::to_string(b.connectionAfter)));
        }
        EXPECT_EQ(std::make_pair(arrestState, DrawsSince(arranged)), std::make_pair(17, 1));
        host.answers.push_back(ANSWER_NO);
        for (int id : {2, 1, 1019}) d.Press(id);   // Escape, Enter and a declined quit do nothing
        EXPECT_TRUE(d.open()); EXPECT_FALSE(host.quitRequested);
        prosecutionChance = PROSECUTION_CERTAIN; host.Advance(3000);
        EXPECT_EQ(std::make_pair(Opened(DETENTION), arrestState), std::make_pair(1, 17));   // once only
        host.answers.push_back(ANSWER_YES); d.Press(1019); EXPECT_TRUE(host.quitRequested); EXPECT_FALSE(d.open());
    });
}

// Past the months the dial turns 0.04 a tick (0.14 past half); then favour (bribes / severity) above 50 acquits.
TEST_F(PoliceTest, VerdictFollowsTheFavourWhenTheDialIsFull) {
    const struct { int severity; int64_t bribe; bool acquitted; } cases[] = {   // the bribe in 億円
        {10, 510, true}, {10, 509, false}, {19, 969, true}, {19, 968, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.severity * 10000 + c.bribe); me.funds = c.bribe * 10000; me.loans[2] = 500; me.debt = 700;
        Detain(c.severity, [&](HeadlessDialog& d) {
            d.Type(1007, Sjis(std::to_string(c.bribe).c_str())); d.Press(1017); EXPECT_EQ(me.funds, 0);
            prosecutionChance = 300; monthsToTrial = 1; d.Tick(); EXPECT_EQ(trialProgress, 0.0f);
            monthsToTrial = 0; ClearMessages();
            for (int k = 1; k <= 15; ++k) {
                d.Tick(); EXPECT_NEAR(trialProgress, k <= 12 ? 0.04 * k : 0.48 + 0.14 * (k - 12), 1e-5) << k;
            }
            // The dial clockwise from the top: red to the favour (about half a turn), then blue, then bare.
            EXPECT_EQ(std::make_tuple(OnDial(d, 10, 60), OnDial(d, 170, 60), OnDial(d, 200, 60), OnDial(d, 340, 60)),
                      std::make_tuple(RED, RED, BLUE, WHITE));
            EXPECT_EQ(OnDial(d, 180.0, 79), WHITE);   // nothing beyond the radius
            EXPECT_TRUE(d.open()); d.Tick(); EXPECT_FALSE(d.open()); EXPECT_EQ(DrawsSince(arranged), 1);
            EXPECT_EQ(TakeBoxes(), (c.acquitted ? Boxes{"[] 勝訴しました!!."}
                                                : Boxes{"[] 敗訴しました...", "[] 賠償金として1000億円取られました"}));
        });
        const int64_t damages = c.acquitted ? 0 : 10000000;
        EXPECT_EQ(std::make_pair(me.loans[2], me.debt), std::make_pair(500 + damages, 700 + damages));
        EXPECT_EQ(std::make_tuple(arrestState, prosecutionChance, judgeConnection, monthsToTrial, trialProgress),
                  std::make_tuple(0, 0, 0, 10, 0.0f));
    }
}

class RankingTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp(); companies[0].ceoName = playerNameBuf;
        for (ListedCompany& c : companies) c.ceoAssets = 0;
        host.KillTimer(WIN_BOARD); host.KillTimer(WIN_CALENDAR);   // only the test moves the fortunes
    }
    static std::string Name(int company) { return Utf8(companies[company].ceoName); }
};

TEST_F(RankingTest, SidePanelListsTheTenRichestAndItsHalfSecondTickMeetsTheGoal) {
    const struct { int company; int64_t assets; } fortunes[] = {
        {25, 3000000000LL}, {12, 9000}, {7, 5000}, {3, 5000}, {0, 5000}, {20, -100}, {21, 1}};
    for (const auto& f : fortunes) companies[f.company].ceoAssets = f.assets;
    goalStage = 60;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        // Ties go to the lower index; assets of 0 or below are never listed.
        const int order[] = {25, 12, 0, 3, 7, 21, -1, -1, -1, -1};
        for (int r = 0; r < 10; ++r) {
            const int c = order[r]; EXPECT_EQ(TextOf(d, 1002 + r), c < 0 ? "―" : Name(c)) << r;
            EXPECT_EQ(TextOf(d, 1023 + r), c < 0 ? "" : std::to_string(companies[c].ceoAssets)) << r;
        }
        EXPECT_EQ(TextOf(d, 1004), "証券 太郎");   // the player, under the player's name
        // Second is not enough; the player on top is seen by the next half-second tick only.
        const uint32_t state = GameRandState(); host.Advance(500); EXPECT_EQ(goalStage, 60);
        companies[0].ceoAssets = 3000000001LL; host.Advance(499);
        EXPECT_EQ(std::make_pair(TextOf(d, 1002), goalStage), std::make_pair(Name(25), 60)); host.Advance(1);
        EXPECT_EQ(std::make_tuple(TextOf(d, 1002), TextOf(d, 1023), TextOf(d, 1003), goalStage),
                  std::make_tuple("証券 太郎", "3000000001", Name(25), 61));
        host.Advance(500); EXPECT_EQ(std::make_pair(goalStage, DrawsSince(state)), std::make_pair(61, 0));
        d.Press(1); EXPECT_EQ(d.result(), 1);
    });
    host.ClickSide(100, 129); EXPECT_EQ(host.openedDialogs, std::vector<int>{RANKING});
    EXPECT_TRUE(host.messages.empty());
    for (int32_t stage : {59, 60}) {   // richest at another stage, or only on opening: the goal stays
        goalStage = stage; RunDialog(RANKING, [&](HeadlessDialog&) { if (stage == 59) host.Advance(500); });
        EXPECT_EQ(goalStage, stage);
    }
}
