#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "market/calendar.h"
#include "tests/test_support.h"
#include "world/game_texts.h"

namespace {


// Puts the generator into a state whose next draw is exactly `value`.
void ArrangeNextDraw(int32_t value) {
    for (uint32_t start = 1; start < (1u << 30); ++start) {
        uint32_t s = start;
        if (NextDraw(s) == value) {
            SetGameRandState(start);
            return;
        }
    }
    ADD_FAILURE() << "no generator state found";
}


}  // namespace

class Calendar : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartGame(2024);
        // The player owns the whole company, so no stake warning interferes.
        companies[0].holdings[0] = companies[0].issuedShares;
        for (int j = 1; j < COMPANY_COUNT; ++j) companies[0].holdings[j] = 0;
        scenarioLevel = 0;
        goalStage = 0;
        presidentFlag = 0;
        illegalityFactor = 0;
        arrestState = 0;
        monthsToTrial = 0;
    }

    // The date line as the calendar panel shows it.
    static std::string Date() {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", gameYear, gameMonth, gameDay);
        return buf;
    }
    static void SetDate(int y, int m, int d) {
        gameYear = y;
        gameMonth = m;
        gameDay = d;
    }
};

TEST_F(Calendar, DateStartsOnTheTwelfthOfMarch2007AndAdvancesADayATick) {
    EXPECT_EQ(Date(), "2007-03-12");
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(Date(), "2007-03-13");
    EXPECT_EQ(headless.paints, std::vector<WindowId>{WIN_CALENDAR});
    for (int k = 0; k < 30; ++k) AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(Date(), "2007-04-13");
    EXPECT_EQ(gameHour, 11);
    EXPECT_EQ(gameMinute, 23);
}

TEST_F(Calendar, MonthLengthsAndTheYearChange) {
    // The highest day shown in each month of 2007: the month ends as soon as
    // the day reaches its limit, so day 31 never shows.
    SetDate(2007, 1, 1);
    std::map<int, int> lastDay;
    int ticks = 0;
    while (gameYear == 2007) {
        lastDay[gameMonth] = std::max(lastDay[gameMonth], gameDay);
        AdvanceCalendarDay(WIN_CALENDAR);
        ++ticks;
        ASSERT_LT(ticks, 400);
    }
    const std::map<int, int> expected = {{1, 30}, {2, 27}, {3, 30}, {4, 29}, {5, 30}, {6, 29},
                                         {7, 30}, {8, 30}, {9, 29}, {10, 30}, {11, 29}, {12, 30}};
    EXPECT_EQ(lastDay, expected);
    EXPECT_EQ(ticks, 7 * 30 + 4 * 29 + 27);
    EXPECT_EQ(Date(), "2008-01-01");

    // 30 December is followed by 1 January of the next year.
    SetDate(2010, 12, 30);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(Date(), "2011-01-01");

    // February: 27 days, 28 only in the years divisible by both 4 and 200.
    struct Feb {
        int year;
        int last;
    };
    for (Feb f : {Feb{2008, 27}, Feb{2100, 27}, Feb{2007, 27}, Feb{2200, 28}, Feb{2000, 28}}) {
        SCOPED_TRACE(f.year);
        SetDate(f.year, 2, 26);
        AdvanceCalendarDay(WIN_CALENDAR);
        EXPECT_EQ(gameDay, 27);
        AdvanceCalendarDay(WIN_CALENDAR);
        if (f.last == 27) {
            EXPECT_EQ(gameMonth, 3);
            EXPECT_EQ(gameDay, 1);
        } else {
            EXPECT_EQ(gameDay, 28);
            AdvanceCalendarDay(WIN_CALENDAR);
            EXPECT_EQ(gameMonth, 3);
            EXPECT_EQ(gameDay, 1);
        }
        EXPECT_EQ(gameYear, f.year);
    }

    // The meeting of the month is forgotten when the month changes.
    SetDate(2007, 4, 28);
    agmEffect = 1;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(agmEffect, 1);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(Date(), "2007-05-01");
    EXPECT_EQ(agmEffect, 0);
}

TEST_F(Calendar, MonthlySettlementOnTheFirst) {
    ListedCompany& p = companies[0];
    lenderInterestRate[0] = 5;
    lenderInterestRate[1] = 3;
    lenderInterestRate[2] = 1;
    p.funds = 10000;
    p.debt = 1000;
    p.loans[0] = 2000;
    p.loans[1] = 3000;
    p.loans[2] = 9950;
    p.profit = -5000;
    // Dividends: 800 x (123456 / 1000) x 3 / 1000 = 295; a holding under
    // 1000 shares earns nothing, and only positive holdings are paid.
    p.holdings[3] = 123456;
    companies[3].sharePrice = 800;
    companies[3].dividendYield = 3;
    p.holdings[4] = 999;
    companies[4].sharePrice = 5000;
    companies[4].dividendYield = 9;
    p.holdings[6] = -5000;
    companies[6].sharePrice = 600;
    companies[6].dividendYield = 2;
    arrestState = 1;
    lawyerFee = 70;
    monthsToTrial = 3;
    agmEffect = 1;
    // Other companies book their profit too.
    companies[9].profit = 12345;
    companies[10].profit = -999;
    companies[11].profit = -50;
    const int64_t funds9 = companies[9].funds, debt10 = companies[10].debt, loan10 = companies[10].loans[2];
    const int64_t debt11 = companies[11].debt, funds11 = companies[11].funds;

    // Not on another day.
    SetDate(2007, 6, 2);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(p.funds, 10000);
    EXPECT_EQ(p.debt, 1000);
    EXPECT_EQ(monthsToTrial, 3);
    EXPECT_EQ(agmEffect, 1);

    SetDate(2007, 6, 1);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(Date(), "2007-06-02");
    EXPECT_EQ(monthsToTrial, 2);
    EXPECT_EQ(agmEffect, 0);
    // The fee is borrowed first, so the automatic lender charges interest on
    // it: (9950 + 70) x 1 / 100 = 100; then the loss of 5000 adds 50.
    EXPECT_EQ(p.loans[0], 2000 + 100);
    EXPECT_EQ(p.loans[1], 3000 + 90);
    EXPECT_EQ(p.loans[2], 9950 + 70 + 100 + 50);
    EXPECT_EQ(p.debt, 1000 + 70 + 100 + 90 + 100 + 50);
    EXPECT_EQ(p.funds, 10000 + 295);
    EXPECT_EQ(companies[9].funds, funds9 + 123);
    EXPECT_EQ(companies[10].debt, debt10 + 9);
    EXPECT_EQ(companies[10].loans[2], loan10 + 9);
    EXPECT_EQ(companies[11].debt, debt11);   // 50 / 100 is 0
    EXPECT_EQ(companies[11].funds, funds11);

    // The opening profit of 250 brings 2 into funds; a loss of 250 costs 2
    // in debt and on the automatic lender. No fee without an arrest, and no
    // trial countdown below 0.
    arrestState = 0;
    monthsToTrial = 0;
    for (int j = 1; j < COMPANY_COUNT; ++j) p.holdings[j] = 0;
    p.loans[0] = p.loans[1] = p.loans[2] = 0;
    p.debt = 0;
    p.funds = 0;
    p.profit = 250;
    SetDate(2007, 7, 1);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(p.funds, 2);
    EXPECT_EQ(p.debt, 0);
    EXPECT_EQ(p.loans[2], 0);
    EXPECT_EQ(monthsToTrial, 0);
    p.profit = -250;
    SetDate(2007, 8, 1);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(p.funds, 2);
    EXPECT_EQ(p.debt, 2);
    EXPECT_EQ(p.loans[2], 2);

    // The settlement runs on the tick after the date line first shows 01.
    p.profit = 100;
    p.funds = 0;
    SetDate(2007, 9, 29);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(Date(), "2007-10-01");
    EXPECT_EQ(p.funds, 0);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(p.funds, 1);
}

TEST_F(Calendar, StakeWarningsShowOnceEach) {
    ListedCompany& p = companies[0];
    SetDate(2007, 5, 10);
    p.issuedShares = 10099;   // the stake divides by 10099 / 100 = 100
    p.holdings[0] = 2500;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(stakeWarningLevel, 0);
    EXPECT_TRUE(headless.messages.empty());

    const std::string warn25 = Sjis("持ち株比が25％未満になりました.\n会社の乗っ取りに気をつけて下さい.");
    const std::string warn1 = Sjis(
        "持ち株比が1％未満になりました.\n代表取締役を解任させられる可能性が高くなってきました.\n気をつけてください.");
    p.holdings[0] = 2499;   // 24 %, although 24.7 % of the issue
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(stakeWarningLevel, 1);
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text, warn25);
    EXPECT_EQ(headless.messages[0].caption, "");
    EXPECT_EQ(headless.messages[0].owner, WIN_CALENDAR);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(headless.messages.size(), 1u);

    // Below 1 % the second warning shows once; the dismissal draw is made.
    p.holdings[0] = 99;
    ArrangeNextDraw(2);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(stakeWarningLevel, 2);
    ASSERT_EQ(headless.messages.size(), 2u);
    EXPECT_EQ(headless.messages[1].text, warn1);
    EXPECT_EQ(headless.messages[1].caption, "");
    EXPECT_EQ(p.bankrupt, 0);
    ArrangeNextDraw(3);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(headless.messages.size(), 2u);

    // Rising and falling again shows nothing more.
    p.holdings[0] = 5000;
    AdvanceCalendarDay(WIN_CALENDAR);
    p.holdings[0] = 1000;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(headless.messages.size(), 2u);

    // From no warning straight to 0 %: both in one tick, in order.
    headless.Clear();
    stakeWarningLevel = 0;
    p.holdings[0] = 0;
    ArrangeNextDraw(0);
    AdvanceCalendarDay(WIN_CALENDAR);
    ASSERT_EQ(headless.messages.size(), 2u);
    EXPECT_EQ(headless.messages[0].text, warn25);
    EXPECT_EQ(headless.messages[1].text, warn1);

    // Under 100 issued shares no stake is computed: no warning, no draw.
    headless.Clear();
    stakeWarningLevel = 0;
    p.issuedShares = 99;
    uint32_t start = GameRandState();
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(DrawsSince(start), 0);
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_EQ(stakeWarningLevel, 0);
}

TEST_F(Calendar, DismissalOnADrawOfOneBelowOnePercent) {
    ListedCompany& p = companies[0];
    SetDate(2007, 5, 10);
    stakeWarningLevel = 2;
    p.issuedShares = 1000000;
    p.holdings[0] = 9999;   // 0 %
    p.holdings[4] = 777;
    p.funds = 5000;
    p.profit = 300;
    p.property = 400;
    p.floatingShares = 1000;
    p.debt = 600;

    // At 1 % no draw is made.
    p.holdings[0] = 10000;
    uint32_t start = GameRandState();
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(DrawsSince(start), 0);

    // Below 1 % each tick draws once; rand() % 100000 is the draw itself.
    p.holdings[0] = 9999;
    start = GameRandState();
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(DrawsSince(start), 1);
    ArrangeNextDraw(32767);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(p.bankrupt, 0);
    EXPECT_TRUE(headless.messages.empty());

    ArrangeNextDraw(1);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(p.bankrupt, 1);
    EXPECT_EQ(p.funds, 0);
    EXPECT_EQ(p.issuedShares, 0);
    EXPECT_EQ(p.floatingShares, 0);
    EXPECT_EQ(p.profit, 0);
    EXPECT_EQ(p.property, 0);
    EXPECT_EQ(p.sharePrice, 0);
    EXPECT_EQ(std::string(p.name), Sjis("---破産---"));
    EXPECT_EQ(p.debt, 600);
    EXPECT_EQ(p.holdings[4], 777);
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text, Sjis("代表取締役を解任させられました."));
    EXPECT_EQ(headless.messages[0].caption, "");

    // From then on neither warnings nor dismissal draws.
    stakeWarningLevel = 0;
    start = GameRandState();
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(DrawsSince(start), 0);
    EXPECT_EQ(headless.messages.size(), 1u);
}

TEST_F(Calendar, PropertyCapAndPoliceCountdown) {
    SetDate(2007, 5, 10);
    companies[0].property = 1000000001;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(companies[0].property, 1000000000);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(companies[0].property, 1000000000);
    companies[0].property = 999999999;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(companies[0].property, 999999999);

    // The police connection absorbs the evidence first, then the chance of
    // prosecution grows, one per day while evidence remains.
    illegalityFactor = 3;
    policeConnection = 2;
    prosecutionChance = 10;
    const int32_t expected[5][3] = {{2, 1, 10}, {1, 0, 10}, {0, 0, 11}, {0, 0, 11}, {0, 0, 11}};
    for (const auto& e : expected) {
        AdvanceCalendarDay(WIN_CALENDAR);
        EXPECT_EQ(illegalityFactor, e[0]);
        EXPECT_EQ(policeConnection, e[1]);
        EXPECT_EQ(prosecutionChance, e[2]);
    }
    illegalityFactor = 2;
    AdvanceCalendarDay(WIN_CALENDAR);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(prosecutionChance, 13);
    EXPECT_EQ(illegalityFactor, 0);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(Calendar, NetAssetsForGoalCountsOtherCompaniesOnly) {
    ListedCompany& p = companies[0];
    p.funds = 5000;
    p.debt = 1200;
    p.property = 300;
    p.holdings[0] = 1000000000;   // the own stake does not count
    // (12345 / 100) x (987 / 10) / 10 = 123 x 98 / 10 = 1205.
    p.holdings[1] = 12345;
    companies[1].sharePrice = 987;
    // (250 / 100) x (1999 / 10) / 10 = 2 x 199 / 10 = 39.
    p.holdings[3] = 250;
    companies[3].sharePrice = 1999;
    // A price under 10 yen counts nothing, nor do fewer than 100 shares.
    p.holdings[2] = 1000000;
    companies[2].sharePrice = 9;
    p.holdings[29] = 99;
    companies[29].sharePrice = 100000;
    EXPECT_EQ(NetAssetsForGoal(), 5000 - 1200 + 300 + 1205 + 39);
    p.debt = 100000;
    EXPECT_EQ(NetAssetsForGoal(), 5000 - 100000 + 300 + 1205 + 39);
}

TEST_F(Calendar, EveryScenarioLevelAndItsText) {
    struct Level {
        int level;
        std::function<void()> fail;   // just short of the goal
        std::function<void()> pass;   // the goal just met
        int stageAfter;               // goalStage after passing
        const char* text;
    };
    ListedCompany& p = companies[0];
    // Net assets from funds alone.
    auto net = [&](int64_t v) {
        p.funds = v;
        p.debt = 0;
        p.property = 0;
    };
    const std::vector<Level> levels = {
        {1, [&] { net(19999); }, [&] { net(20000); }, 0,
         "純資産を２億円以上にしたかよくやった.\n君は,普通の企業家だ!\n\nでは次は,利益を１億円以上にしてみよ.\n\nヒント：自社の株主総会にでもいってみたら～"},
        {2, [&] { p.profit = 9999; }, [&] { p.profit = 10000; }, 0,
         "利益を１億円以上にしたかよくやった.\n君は,なかなかの企業家だ!\n\nでは次は,純資産を１０億円以上にしてみよ."},
        {3, [&] { net(99999); }, [&] { net(100000); }, 1,
         "純資産を１０億円以上にしたかよくやった.\n君は,優秀な企業家だ!\n\nでは次は,他社を吸収合併してみよ."},
        {4, [&] { goalStage = 1; }, [&] { goalStage = 2; }, 2,
         "吸収合併したかよくやった.\n君は,危険な企業家だ!\n\nでは次は,資金を１０００億円以上にしてみよ."},
        {5, [&] { p.funds = 9999999; }, [&] { p.funds = 10000000; }, 2,
         "資金を1000億円以上にしたかよくやった.\n君は,市場の魔術師だ!\n\nでは次は,自社の株価を1000円以上にしてみよ.\n\nヒント：メディアをつかって...."},
        {6, [&] { p.sharePrice = 999; }, [&] { p.sharePrice = 1000; }, 2,
         "自社株価を1000円以上にしたかよくやった.\n君は,資本主義の巨木だ!\n\nでは次は,純資産を1000億円以上にしてみよ."},
        {7, [&] { net(9999999); }, [&] { net(10000000); }, 10,
         "純資産を1000億円以上にしたかよくやった.\n君は,波乗り多項式だ!\n\nでは次は,日本航空を倒産させてみよ."},
        {8, [&] { goalStage = 10; }, [&] { goalStage = 11; }, 11,
         "日本航空を倒産させたかよくやった.\n君は,株式の特殊解だ!\n\nでは次は,資金を１兆円以上にしてみよ."},
        {9, [&] { p.funds = 99999999; }, [&] { p.funds = 100000000; }, 11,
         "資金を１兆円以上にしたかよくやった.\n君は,経済の番人だ!\n\nでは次は,利益を2000億円以上にしてみよ."},
        {10, [&] { p.profit = 19999999; }, [&] { p.profit = 20000000; }, 20,
         "利益を2000億円以上にしたかよくやった.\n君は,天空の住人だ!\n\nでは次は,ソフトバンクを吸収合併してみよ."},
        {11, [&] { goalStage = 20; }, [&] { goalStage = 21; }, 30,
         "ソフトバンクを吸収合併したかよくやった.\n君は,巨大企業の社長だ!\n\nでは次は,アメリカ大統領になってみよ."},
        {12, [&] { goalStage = 30; }, [&] { goalStage = 31; }, 40,
         "アメリカ大統領になったかよくやった.\n君は,アメリカ大統領だ!\n\nでは次は,三菱三井信託を潰すか吸収合併してみよ."},
        {13, [&] { goalStage = 40; }, [&] { goalStage = 41; }, 50,
         "ついに目標を達成しましたね.おめでとうございます.\nあなたは,世界の最高権力者だ!\n\n次は,アメリカに戦争して勝ってみてはいかがでしょう?."},
        {14, [&] { goalStage = 50; }, [&] { goalStage = 51; }, 60,
         "ついにアメリカに戦争で勝ちましたね.おめでとうございます.\nあなたは,匿名希望さんですね。!\n\n次は,世界の長者番付１位になってみるのもいいかもしれませんね."},
        {15, [&] { goalStage = 60; }, [&] { goalStage = 61; }, 61,
         "ついに世界一の大富豪になりましたね.おめでとうございます.\nあなたは,人類史上最強さんですね。!\n\nあとは自由気ままに権力の乱用など楽しんでください."},
    };
    const char* titles[16] = {"ベンチャー企業家", "普通の企業家", "なかなかの企業家", "優秀な企業家",
                              "危険な企業家", "市場の魔術師", "資本主義の巨木", "波乗り多項式",
                              "株式の特殊解", "経済の番人", "天空の住人", "巨大企業の社長",
                              "アメリカ大統領", "世界の最高権力者", "匿名希望", "人類史上最強"};
    const char* goals[16] = {"純資産を２億円以上に", "利益を１億円以上に", "純資産を１０億円以上に",
                             "他社を吸収合併する", "資金を1000億円以上に", "自社株価を1000円以上に",
                             "純資産を1000億円以上に", "日本航空を潰す", "資金を１兆円以上に",
                             "利益を2000億円以上に", "ソフトバンクを吸収合併", "アメリカ大統領になる",
                             "三菱三井信託を潰すか合併", "アメリカに戦争で勝つ", "長者番付１位になる",
                             "自由気まま"};
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(std::string(SCENARIO_LEVELS[k].title), Sjis(titles[k])) << k;
        EXPECT_EQ(std::string(SCENARIO_LEVELS[k].goal), Sjis(goals[k])) << k;
    }

    scenarioLevel = 1;
    scenarioTitle = SCENARIO_LEVELS[0].title;
    scenarioGoal = SCENARIO_LEVELS[0].goal;
    goalStage = 0;
    for (const Level& l : levels) {
        SCOPED_TRACE(l.level);
        ASSERT_EQ(scenarioLevel, l.level);
        headless.Clear();
        SetDate(2007, 5, 10);   // away from the settlement day
        l.fail();
        const int32_t stageFail = goalStage;
        AdvanceCalendarDay(WIN_CALENDAR);
        EXPECT_EQ(scenarioLevel, l.level);
        EXPECT_EQ(goalStage, stageFail);
        EXPECT_TRUE(headless.messages.empty());

        l.pass();
        AdvanceCalendarDay(WIN_CALENDAR);
        EXPECT_EQ(scenarioLevel, l.level + 1);
        EXPECT_EQ(scenarioTitle, SCENARIO_LEVELS[l.level].title);
        EXPECT_EQ(scenarioGoal, SCENARIO_LEVELS[l.level].goal);
        EXPECT_EQ(goalStage, l.stageAfter);
        ASSERT_EQ(headless.messages.size(), 1u);
        EXPECT_EQ(headless.messages[0].text, Sjis(l.text));
        EXPECT_EQ(headless.messages[0].caption, Sjis(titles[l.level]));
        EXPECT_EQ(headless.messages[0].owner, WIN_CALENDAR);
        EXPECT_EQ(headless.messages[0].style, MB_STYLE_OK);
    }

    // The last level tests nothing more.
    headless.Clear();
    goalStage = 61;
    presidentFlag = 1;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 16);
    EXPECT_TRUE(headless.messages.empty());
}

TEST_F(Calendar, PresidencyPassesLevelTwelveWithoutItsStage) {
    SetDate(2007, 5, 10);
    scenarioLevel = 12;
    goalStage = 30;
    presidentFlag = 1;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 13);
    EXPECT_EQ(goalStage, 40);
    EXPECT_EQ(scenarioTitle, SCENARIO_LEVELS[12].title);
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].caption, Sjis("アメリカ大統領"));
    // The stages the level waits for are met only by their exact value.
    scenarioLevel = 13;
    goalStage = 42;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 13);
}

TEST_F(Calendar, OneLevelPerTickAndNoneInFreePlay) {
    ListedCompany& p = companies[0];
    SetDate(2007, 5, 10);
    // Every money goal met at once.
    p.funds = 200000000;
    p.debt = 0;
    p.profit = 30000000;
    p.sharePrice = 5000;

    // Free play: nothing happens however rich the player is.
    scenarioLevel = 0;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 0);
    EXPECT_TRUE(headless.messages.empty());

    scenarioLevel = 1;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 2);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 3);
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 4);
    EXPECT_EQ(goalStage, 1);
    // The merger goal waits for its event.
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 4);
    ASSERT_EQ(headless.messages.size(), 3u);
    EXPECT_EQ(headless.messages[0].caption, Sjis("普通の企業家"));
    EXPECT_EQ(headless.messages[1].caption, Sjis("なかなかの企業家"));
    EXPECT_EQ(headless.messages[2].caption, Sjis("優秀な企業家"));

    // Net assets count held shares: 200000 shares at 1000 yen are worth 20000.
    scenarioLevel = 1;
    p.funds = 0;
    p.property = 0;
    p.holdings[3] = 200000;
    companies[3].sharePrice = 1000;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 2);
    scenarioLevel = 1;
    p.holdings[3] = 199900;
    AdvanceCalendarDay(WIN_CALENDAR);
    EXPECT_EQ(scenarioLevel, 1);
}
