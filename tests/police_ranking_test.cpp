// The police, the detention with its trial, and the personal asset ranking,
// driven through the headless host as the side panel, the market day, the
// calendar and the main timer drive them.
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "influence/police_dialog.h"
#include "influence/ranking_dialog.h"
#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/world_state.h"

namespace {

constexpr int POLICE = 147;
constexpr int DETENTION = 165;
constexpr int RANKING = 145;

constexpr Rgb RED{255, 0, 0};
constexpr Rgb BLUE{0, 0, 255};
constexpr Rgb WHITE{255, 255, 255};

const char* const QUIT_QUESTION =
    "ゲームを終了しますがよろしいですか？\n\n（データは自動的に保存されません.データの保存は行いましたか?)";

int Count(const std::vector<int>& v, int x) { return static_cast<int>(std::count(v.begin(), v.end(), x)); }

// A point of the verdict dial at `radius` pixels from the centre, `degrees`
// clockwise from the top.
struct DialPoint {
    int x, y;
};
DialPoint OnDial(double degrees, double radius) {
    const double a = degrees * 3.14159265358979 / 180.0;
    return {VERDICT_DIAL_X + static_cast<int>(std::lround(radius * std::sin(a))),
            VERDICT_DIAL_Y - static_cast<int>(std::lround(radius * std::cos(a)))};
}

}  // namespace

// ------------------------------------------------------------------ police

class PoliceDialog : public GameTest {
protected:
    ListedCompany& me = companies[0];
};

TEST_F(PoliceDialog, SidePanelOpensTheFiguresOfTheCase) {

    policeConnection = 12;
    illegalityFactor = 34;
    prosecutionChance = 569;   // shown in whole percent
    bool seen = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        seen = true;
        EXPECT_EQ(d.ResourceId(), POLICE);
        EXPECT_EQ(TextOf(d, 1002), "12");
        EXPECT_EQ(TextOf(d, 1005), "34");
        EXPECT_EQ(TextOf(d, 1003), "56");
        d.Press(1);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(d.result(), 1);
    });
    host.ClickSide(100, 181);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Count(host.openedDialogs, POLICE), 1);
}

TEST_F(PoliceDialog, PoliceBribeBuysOnePointPer100ManYenUpToTheFunds) {
    me.funds = 1000;
    policeConnection = 5;
    RunDialog(POLICE, [&](HeadlessDialog& d) {
        const uint32_t state = GameRandState();
        d.Type(1004, Sjis("250"));
        d.Press(1017);
        EXPECT_EQ(me.funds, 750);
        EXPECT_EQ(policeConnection, 7);   // 250 / 100 truncated
        EXPECT_EQ(TextOf(d, 1002), "7");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[警視総監] ありがとう.御社へは配慮しておくよ."}));

        // One more than the funds is refused; nothing moves.
        d.Type(1004, Sjis("751"));
        d.Press(1017);
        EXPECT_EQ(me.funds, 750);
        EXPECT_EQ(policeConnection, 7);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに金がありません."}));

        // Exactly the funds is enough.
        d.Type(1004, Sjis("  750yen"));
        d.Press(1017);
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(policeConnection, 14);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[警視総監] ありがとう.御社へは配慮しておくよ."}));

        // Nothing typed is a bribe of 0: only the thanks.
        d.Type(1004, "");
        d.Press(1017);
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(policeConnection, 14);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[警視総監] ありがとう.御社へは配慮しておくよ."}));

        // A negative bribe runs the other way, truncating toward zero.
        d.Type(1004, Sjis("-450"));
        d.Press(1017);
        EXPECT_EQ(me.funds, 450);
        EXPECT_EQ(policeConnection, 10);
        EXPECT_EQ(TextOf(d, 1002), "10");
        EXPECT_EQ(DrawsSince(state), 0);
        EXPECT_TRUE(d.open());
    });
}

TEST_F(PoliceDialog, ProsecutorsBribeTakesOnePercentPerOkuYenDownToNone) {
    me.funds = 200000;   // 20億円
    prosecutionChance = 125;
    RunDialog(POLICE, [&](HeadlessDialog& d) {
        EXPECT_EQ(TextOf(d, 1003), "12");
        d.Type(1006, Sjis("3"));
        d.Press(1018);
        EXPECT_EQ(me.funds, 170000);
        EXPECT_EQ(prosecutionChance, 95);
        EXPECT_EQ(TextOf(d, 1003), "9");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[検察官] ありがとう.証拠を抹消しておくよ."}));

        // The cost is the amount in 億円 times 10000 万円.
        d.Type(1006, Sjis("18"));
        d.Press(1018);
        EXPECT_EQ(me.funds, 170000);
        EXPECT_EQ(prosecutionChance, 95);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに金がありません."}));

        // More than the chance leaves it at 0, never below.
        d.Type(1006, Sjis("17"));
        d.Press(1018);
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(prosecutionChance, 0);
        EXPECT_EQ(TextOf(d, 1003), "0");

        // A negative bribe raises the chance and pays the player.
        d.Type(1006, Sjis("-2"));
        d.Press(1018);
        EXPECT_EQ(me.funds, 20000);
        EXPECT_EQ(prosecutionChance, 20);
        EXPECT_EQ(TextOf(d, 1003), "2");
    });
}

TEST_F(PoliceDialog, HugeAmountsSaturateInsteadOfOverflowing) {
    me.funds = 5;
    RunDialog(POLICE, [&](HeadlessDialog& d) {
        // 10^18 億円 would overflow the cost; it is beyond any funds instead.
        d.Type(1006, Sjis("1000000000000000000"));
        d.Press(1018);
        EXPECT_EQ(me.funds, 5);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに金がありません."}));
        // The most negative bribe pays out without wrapping the funds or
        // the counters.
        d.Type(1006, Sjis("-9999999999999999999"));
        d.Press(1018);
        EXPECT_EQ(me.funds, std::numeric_limits<int64_t>::max());
        EXPECT_EQ(prosecutionChance, std::numeric_limits<int32_t>::max());
        d.Type(1004, Sjis("-9999999999999999999"));
        d.Press(1017);
        EXPECT_EQ(me.funds, std::numeric_limits<int64_t>::max());
        EXPECT_EQ(policeConnection, std::numeric_limits<int32_t>::min());
    });
}

TEST_F(PoliceDialog, FieldsFollowTheCalendarsDailyCountdownEverySecond) {
    illegalityFactor = 3;
    policeConnection = 1;
    prosecutionChance = 18;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        // The calendar's first day comes at 1100 ms, the dialog's refresh at 1000 ms.
        host.Advance(999);
        EXPECT_EQ(TextOf(d, 1002), "1");
        illegalityFactor = 3;
        policeConnection = 1;
        host.Advance(101);
        // Day 1: the connection absorbs the evidence.
        EXPECT_EQ(policeConnection, 0);
        EXPECT_EQ(illegalityFactor, 2);
        EXPECT_EQ(prosecutionChance, 18);
        EXPECT_EQ(TextOf(d, 1002), "1");   // not yet refreshed
        host.Advance(900);
        EXPECT_EQ(TextOf(d, 1002), "0");
        EXPECT_EQ(TextOf(d, 1005), "2");
        EXPECT_EQ(TextOf(d, 1003), "1");
        // Days 2 and 3: without connection the evidence turns into chance.
        host.Advance(1100);
        EXPECT_EQ(prosecutionChance, 19);
        EXPECT_EQ(illegalityFactor, 1);
        host.Advance(1100);
        EXPECT_EQ(prosecutionChance, 20);
        EXPECT_EQ(illegalityFactor, 0);
        // Day 4: no evidence left, nothing changes.
        host.Advance(1100);
        EXPECT_EQ(prosecutionChance, 20);
        EXPECT_EQ(illegalityFactor, 0);
        EXPECT_EQ(policeConnection, 0);
        EXPECT_EQ(TextOf(d, 1003), "2");
        EXPECT_EQ(TextOf(d, 1005), "0");
        EXPECT_TRUE(d.open());
    });
    host.ClickSide(100, 181);
}

class PoliceCountdown : public GameTest {};

TEST_F(PoliceCountdown, ConnectionLargerThanTheEvidenceAbsorbsAllOfIt) {
    illegalityFactor = 3;
    policeConnection = 10;
    prosecutionChance = 0;
    for (int day = 0; day < 5; ++day) OnPanelTimer(WIN_CALENDAR);
    EXPECT_EQ(illegalityFactor, 0);
    EXPECT_EQ(policeConnection, 7);
    EXPECT_EQ(prosecutionChance, 0);
}

TEST_F(PoliceCountdown, ArrestComesWithTheMarketDayOnceTheChanceIsCertain) {
    prosecutionChance = 999;
    OnPanelTimer(WIN_BOARD);
    EXPECT_EQ(arrestState, 0);
    EXPECT_EQ(prosecutionChance, 999);

    prosecutionChance = PROSECUTION_CERTAIN;
    monthsToTrial = 10;
    OnPanelTimer(WIN_BOARD);
    EXPECT_EQ(arrestState, 1);
    EXPECT_EQ(prosecutionChance, 0);
    EXPECT_EQ(monthsToTrial, 5);

    // Nobody is arrested twice: while detained the chance stays as it is.
    arrestState = 14;
    prosecutionChance = 1500;
    OnPanelTimer(WIN_BOARD);
    EXPECT_EQ(arrestState, 14);
    EXPECT_EQ(prosecutionChance, 1500);
    EXPECT_EQ(monthsToTrial, 5);
}

TEST_F(PoliceCountdown, LawyersFeeIsBorrowedOnTheFirstOfTheMonthWhileArrested) {
    ListedCompany& me = companies[0];
    me.loans[0] = me.loans[1] = me.loans[2] = 0;
    me.debt = 0;
    me.profit = 0;
    arrestState = 12;
    monthsToTrial = 5;
    gameDay = 2;
    OnPanelTimer(WIN_CALENDAR);
    EXPECT_EQ(me.loans[2], 0);
    EXPECT_EQ(monthsToTrial, 5);

    gameDay = 1;
    OnPanelTimer(WIN_CALENDAR);
    // The fee is booked before the month's interest (1 %) on the automatic loan.
    EXPECT_EQ(me.loans[2], 8000 + 80);
    EXPECT_EQ(me.debt, 8000 + 80);
    EXPECT_EQ(monthsToTrial, 4);
    EXPECT_EQ(lawyerFee, 8000);

    // Free again: no fee, but the months still count down, never below 0.
    arrestState = 0;
    me.loans[2] = me.debt = 0;
    monthsToTrial = 1;
    gameDay = 1;
    OnPanelTimer(WIN_CALENDAR);
    EXPECT_EQ(me.loans[2], 0);
    EXPECT_EQ(monthsToTrial, 0);
    gameDay = 1;
    OnPanelTimer(WIN_CALENDAR);
    EXPECT_EQ(monthsToTrial, 0);
}

// --------------------------------------------------------------- detention

class DetentionDialog : public GameTest {
protected:
    // Arrests the player and lets the main timer open the detention dialog,
    // with the judge's severity arranged; `act` runs inside it.
    void Detain(int severity, std::function<void(HeadlessDialog&)> act) {
        bool seen = false;
        host.dialogHandlers.push_back([&, act](HeadlessDialog& d) {
            seen = true;
            EXPECT_EQ(d.ResourceId(), DETENTION);
            EXPECT_EQ(DrawsSince(arranged), 1);
            act(d);
        });
        arrestState = 1;
        arranged = ArrangeDraws({Mod(10, severity - 10)});
        // One tick of the main timer, without the market's draws between.
        OnMainTimer();
        EXPECT_EQ(host.openedDialogs.back(), DETENTION);
        ASSERT_TRUE(seen);
    }
    // One tick of the dialog's timer at a time, until the dialog closes or
    // `ticks` have passed; returns the ticks run.
    int TickUntilClosed(HeadlessDialog& d, int ticks) {
        int n = 0;
        while (d.open() && n < ticks) {
            d.Tick();
            ++n;
        }
        return n;
    }
    ListedCompany& me = companies[0];
    uint32_t arranged = 0;
};

TEST_F(DetentionDialog, MainTimerOpensItOnceAndTheJudgesSeverityIsDrawn) {
    const DialogTemplate* t = FindDialogTemplate(DETENTION);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Control(1), nullptr);   // no close button

    monthsToTrial = 5;
    judgeConnection = 0;
    Detain(17, [&](HeadlessDialog& d) {
        EXPECT_EQ(arrestState, 17);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 逮捕されました."}));
        EXPECT_EQ(TextOf(d, 1002), "0");
        EXPECT_EQ(TextOf(d, 1003), "8000");
        EXPECT_EQ(TextOf(d, 1004), "5");
        // Its timer runs every 500 ms; months still to go keep the dial still.
        monthsToTrial = 3;
        host.Advance(499);
        EXPECT_EQ(TextOf(d, 1004), "5");
        host.Advance(1);
        EXPECT_EQ(TextOf(d, 1004), "3");
        EXPECT_EQ(trialProgress, 0.0f);
        EXPECT_TRUE(d.open());
    });
    // Later main ticks do not open it again.
    host.Advance(3000);
    EXPECT_EQ(Count(host.openedDialogs, DETENTION), 1);
}

TEST_F(DetentionDialog, EscapeEnterAndTheCloseBoxDoNothing) {
    Detain(10, [&](HeadlessDialog& d) {
        ClearMessages();
        d.Press(2);
        EXPECT_TRUE(d.open());
        d.Press(1);
        EXPECT_TRUE(d.open());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(host.quitRequested);
    });
}

TEST_F(DetentionDialog, QuittingAsksFirstAndEndsTheGameOnlyOnYes) {
    Detain(10, [&](HeadlessDialog& d) {
        ClearMessages();
        host.answers.push_back(ANSWER_NO);
        d.Press(1019);
        EXPECT_FALSE(host.quitRequested);
        EXPECT_TRUE(d.open());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].style, MB_STYLE_YES_NO);
        EXPECT_TRUE(SaidWith(QUIT_QUESTION, "確認"));
        host.answers.push_back(ANSWER_YES);
        d.Press(1019);
        EXPECT_TRUE(host.quitRequested);
        EXPECT_FALSE(d.open());
    });
}

TEST_F(DetentionDialog, JudgesBribeIsPaidInOkuYenUpToTheFunds) {
    me.funds = 60000;   // 6億円
    Detain(12, [&](HeadlessDialog& d) {
        ClearMessages();
        d.Type(1007, Sjis("4"));
        d.Press(1017);
        EXPECT_EQ(me.funds, 20000);
        EXPECT_EQ(judgeConnection, 4);
        EXPECT_EQ(TextOf(d, 1002), "4");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[裁判官] ありがとう.君に有利な判決をするよ."}));
        d.Type(1007, Sjis("3"));
        d.Press(1017);
        EXPECT_EQ(me.funds, 20000);
        EXPECT_EQ(judgeConnection, 4);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに金がありません."}));
        d.Type(1007, Sjis("2"));
        d.Press(1017);
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(judgeConnection, 6);
        // The severity stays; no bribe draws.
        EXPECT_EQ(arrestState, 12);
        EXPECT_EQ(DrawsSince(arranged), 1);
    });
}

TEST_F(DetentionDialog, DialTurnsSixteenTicksOnceTheMonthsAreOverAndTheVerdictComesOnTheLast) {
    Detain(10, [&](HeadlessDialog& d) {
        judgeConnection = 1000;
        monthsToTrial = 1;
        d.Tick();
        EXPECT_EQ(trialProgress, 0.0f);
        monthsToTrial = 0;
        for (int k = 1; k <= 12; ++k) d.Tick();
        EXPECT_NEAR(trialProgress, 0.48f, 1e-5);
        d.Tick();   // past one half the steps are 0.14
        EXPECT_NEAR(trialProgress, 0.62f, 1e-5);
        d.Tick();
        d.Tick();
        EXPECT_NEAR(trialProgress, 0.90f, 1e-5);
        EXPECT_TRUE(d.open());
        ClearMessages();
        d.Tick();
        EXPECT_FALSE(d.open());
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 勝訴しました!!."}));
        EXPECT_EQ(trialProgress, 0.0f);
        EXPECT_EQ(DrawsSince(arranged), 1);
    });
    EXPECT_EQ(arrestState, 0);
}

TEST_F(DetentionDialog, FavourAboveFiftyAcquitsElseTheDamagesAreBorrowed) {
    struct Case {
        int severity;
        int64_t bribe;   // 億円
        bool acquitted;
    };
    // favour = bribes / severity: 510 / 10 = 51, 509 / 10 = 50, 969 / 19 = 51, 968 / 19 = 50.
    for (const Case& c : {Case{10, 510, true}, Case{10, 509, false}, Case{19, 969, true}, Case{19, 968, false}}) {
        SCOPED_TRACE(c.severity * 10000 + c.bribe);
        me.funds = c.bribe * 10000;
        me.loans[2] = 500;
        me.debt = 700;
        prosecutionChance = 0;
        Detain(c.severity, [&](HeadlessDialog& d) {
            d.Type(1007, Sjis(std::to_string(c.bribe).c_str()));
            d.Press(1017);
            EXPECT_EQ(me.funds, 0);
            prosecutionChance = 300;   // evidence gathered meanwhile
            monthsToTrial = 0;
            ClearMessages();
            EXPECT_EQ(TickUntilClosed(d, 100), 16);
            if (c.acquitted) {
                EXPECT_EQ(TakeBoxes(), (Boxes{"[] 勝訴しました!!."}));
            } else {
                EXPECT_EQ(TakeBoxes(), (Boxes{"[] 敗訴しました...", "[] 賠償金として1000億円取られました"}));
            }
        });
        EXPECT_EQ(me.loans[2], c.acquitted ? 500 : 500 + 10000000);
        EXPECT_EQ(me.debt, c.acquitted ? 700 : 700 + 10000000);
        EXPECT_EQ(arrestState, 0);
        EXPECT_EQ(prosecutionChance, 0);
        EXPECT_EQ(judgeConnection, 0);
        EXPECT_EQ(monthsToTrial, 10);
        EXPECT_EQ(trialProgress, 0.0f);
        EXPECT_FALSE(host.quitRequested);
    }
    EXPECT_EQ(Count(host.openedDialogs, DETENTION), 4);
}

TEST_F(DetentionDialog, VerdictDialIsRedForTheFavourAndBlueBeyondClockwiseFromTheTop) {
    Detain(10, [&](HeadlessDialog& d) {
        judgeConnection = 250;   // favour 25: a quarter of the turn
        monthsToTrial = 0;
        RasterCanvas* surface = d.Surface();
        ASSERT_NE(surface, nullptr);
        // Thirteen steps turn the dial to 0.62: just past 223 degrees.
        for (int k = 0; k < 13; ++k) d.Tick();
        for (double deg : {5.0, 45.0, 85.0}) {
            const DialPoint p = OnDial(deg, 60);
            EXPECT_EQ(d.PixelAt(p.x, p.y), RED) << deg;
        }
        for (double deg : {95.0, 135.0, 180.0, 215.0}) {
            const DialPoint p = OnDial(deg, 60);
            EXPECT_EQ(d.PixelAt(p.x, p.y), BLUE) << deg;
        }
        for (double deg : {235.0, 270.0, 350.0}) {
            const DialPoint p = OnDial(deg, 60);
            EXPECT_EQ(d.PixelAt(p.x, p.y), WHITE) << deg;
        }
        // Three more steps fill the dial and give the verdict.
        EXPECT_EQ(TickUntilClosed(d, 10), 3);
        for (double deg : {270.0, 350.0}) {
            const DialPoint p = OnDial(deg, 60);
            EXPECT_EQ(d.PixelAt(p.x, p.y), BLUE) << deg;
        }
        // Nothing beyond the radius.
        const DialPoint out = OnDial(180.0, 79);
        EXPECT_EQ(d.PixelAt(out.x, out.y), WHITE);
        // About a quarter of the disc is red.
        const int red = surface->CountPixels(0, 0, surface->Width(), surface->Height(), RED);
        const int blue = surface->CountPixels(0, 0, surface->Width(), surface->Height(), BLUE);
        EXPECT_NEAR(static_cast<double>(red) / (red + blue), 0.25, 0.02);
        EXPECT_TRUE(Said("敗訴しました..."));
    });
}

TEST_F(DetentionDialog, FavourAboveOneHundredPaintsTheWholeDialRed) {
    Detain(10, [&](HeadlessDialog& d) {
        judgeConnection = 1200;
        monthsToTrial = 0;
        EXPECT_EQ(TickUntilClosed(d, 100), 16);
        RasterCanvas* surface = d.Surface();
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->CountPixels(0, 0, surface->Width(), surface->Height(), BLUE), 0);
        for (double deg : {0.0, 90.0, 180.0, 270.0, 355.0}) {
            const DialPoint p = OnDial(deg, 70);
            EXPECT_EQ(d.PixelAt(p.x, p.y), RED) << deg;
        }
        EXPECT_TRUE(Said("勝訴しました!!."));
    });
}

TEST_F(DetentionDialog, ArrestToVerdictWhileTheGameClockRuns) {
    // The whole case on the running clock: the market day arrests, the main
    // timer opens the detention, the calendar counts five months down while
    // the dialog waits, then the dial turns and the judge decides.
    prosecutionChance = PROSECUTION_CERTAIN;
    me.funds = 20000000;   // 2000億円 for the judge: favour 100 or more
    std::vector<int32_t> monthsSeen;
    bool turned = false;
    bool seen = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        seen = true;
        EXPECT_GE(arrestState, 10);
        EXPECT_LE(arrestState, 19);
        d.Type(1007, Sjis("2000"));
        d.Press(1017);
        for (int step = 0; step < 1000 && d.open(); ++step) {
            if (monthsSeen.empty() || monthsSeen.back() != monthsToTrial) monthsSeen.push_back(monthsToTrial);
            host.Advance(500);
            if (!d.open()) break;
            EXPECT_NE(arrestState, 0);
            // The dial stays still until the last month is over.
            if (monthsToTrial > 0) {
                EXPECT_EQ(trialProgress, 0.0f);
            }
            turned = turned || trialProgress > 0.0f;
        }
        EXPECT_FALSE(d.open());
    });
    host.Advance(1100);
    EXPECT_EQ(arrestState, 1);
    host.Advance(100);
    ASSERT_TRUE(seen);
    EXPECT_EQ(monthsSeen, (std::vector<int32_t>{5, 4, 3, 2, 1, 0}));
    EXPECT_TRUE(turned);
    EXPECT_EQ(Count(host.openedDialogs, DETENTION), 1);
    EXPECT_TRUE(SaidWith("逮捕されました.", ""));
    EXPECT_TRUE(SaidWith("勝訴しました!!.", ""));
    EXPECT_FALSE(Said("敗訴しました..."));
    EXPECT_EQ(arrestState, 0);
    EXPECT_EQ(monthsToTrial, 10);
    // Free again: the main timer leaves the player alone.
    host.Advance(3000);
    EXPECT_EQ(Count(host.openedDialogs, DETENTION), 1);
}

// ----------------------------------------------------------------- ranking

class RankingDialog : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (ListedCompany& c : companies) c.ceoAssets = 0;
        companies[0].ceoName = playerNameBuf;
        // The market and the calendar stand still: only the test moves
        // the fortunes.
        host.KillTimer(WIN_BOARD);
        host.KillTimer(WIN_CALENDAR);
    }
    static std::string Name(int company) { return Utf8(companies[company].ceoName); }
};

TEST_F(RankingDialog, SidePanelOpensTheTenRichestWithTiesToTheLowerIndex) {
    companies[25].ceoAssets = 3000000000LL;   // beyond 32 bits
    companies[12].ceoAssets = 9000;
    companies[7].ceoAssets = 5000;
    companies[3].ceoAssets = 5000;
    companies[0].ceoAssets = 5000;
    companies[20].ceoAssets = -100;
    companies[21].ceoAssets = 1;
    bool seen = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        seen = true;
        const struct {
            int company;
            const char* assets;
        } expected[] = {{25, "3000000000"}, {12, "9000"}, {0, "5000"}, {3, "5000"}, {7, "5000"}, {21, "1"}};
        for (int r = 0; r < 6; ++r) {
            EXPECT_EQ(TextOf(d, 1002 + r), Name(expected[r].company)) << r;
            EXPECT_EQ(TextOf(d, 1023 + r), expected[r].assets) << r;
        }
        EXPECT_EQ(TextOf(d, 1004), "証券 太郎");   // the player, under the player's name
        // Assets of 0 or below are never listed: the rest stay vacant.
        for (int r = 6; r < 10; ++r) {
            EXPECT_EQ(TextOf(d, 1002 + r), "―") << r;
            EXPECT_EQ(TextOf(d, 1023 + r), "") << r;
        }
        d.Press(1);
        EXPECT_EQ(d.result(), 1);
    });
    host.ClickSide(100, 129);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RankingDialog, TableHoldsEveryPlacedCompanyOnceAndEmptySlotsAsThirty) {
    for (int c = 0; c < COMPANY_COUNT; ++c) companies[c].ceoAssets = c % 3 == 0 ? 0 : 100 + c % 4;
    BuildAssetRanking();
    std::vector<int32_t> order;
    for (const AssetRankEntry& e : assetRanking) order.push_back(e.company);
    // 103: 7, 11, 19, 23; 102: 2, 10, 14, 22, 26; 101: 1, 5, 13, 17, 25, 29; 100: 4, 8, 16, 20, 28.
    std::vector<int32_t> expected = {7, 11, 19, 23, 2, 10, 14, 22, 26, 1, 5, 13, 17, 25, 29, 4, 8, 16, 20, 28};
    expected.resize(RANKING_SIZE, RANK_NOBODY);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(assetRanking[0].best, 103);
    EXPECT_EQ(assetRanking[19].best, 100);
    EXPECT_EQ(assetRanking[20].best, 0);
}

TEST_F(RankingDialog, RefreshesEveryHalfSecondAndTheRichestPlayerMeetsTheGoal) {
    companies[4].ceoAssets = 800;
    companies[0].ceoAssets = 500;
    goalStage = 60;
    RunDialog(RANKING, [&](HeadlessDialog& d) {
        const uint32_t state = GameRandState();
        EXPECT_EQ(TextOf(d, 1002), Name(4));
        // Second is not enough.
        host.Advance(500);
        EXPECT_EQ(goalStage, 60);
        // The player tops the list: the goal is tested on the next tick only.
        companies[0].ceoAssets = 801;
        host.Advance(499);
        EXPECT_EQ(TextOf(d, 1002), Name(4));
        EXPECT_EQ(goalStage, 60);
        host.Advance(1);
        EXPECT_EQ(TextOf(d, 1002), "証券 太郎");
        EXPECT_EQ(TextOf(d, 1023), "801");
        EXPECT_EQ(TextOf(d, 1003), Name(4));
        EXPECT_EQ(goalStage, 61);
        host.Advance(500);
        EXPECT_EQ(goalStage, 61);
        EXPECT_EQ(DrawsSince(state), 0);
        d.Press(2);
        EXPECT_FALSE(d.open());
    });

    // Richest at another stage: no goal is touched.
    goalStage = 59;
    RunDialog(RANKING, [&](HeadlessDialog& d) {
        host.Advance(500);
        EXPECT_EQ(TextOf(d, 1002), "証券 太郎");
    });
    EXPECT_EQ(goalStage, 59);

    // Opening alone does not meet the goal.
    goalStage = 60;
    RunDialog(RANKING, [&](HeadlessDialog& d) { EXPECT_EQ(TextOf(d, 1002), "証券 太郎"); });
    EXPECT_EQ(goalStage, 60);
}
