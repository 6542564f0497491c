// The painters drawn into software surfaces of each window's size: pixels of
// rectangles and lines, and the texts with their places, fonts and colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "display/money_format.h"
#include "display/painters.h"
#include "tests/test_support.h"
#include "tools/headless/raster_canvas.h"
#include "world/new_game.h"
#include "world/world_state.h"

namespace {

constexpr Rgb WHITE{255, 255, 255};
constexpr Rgb BLACK{0, 0, 0};
constexpr Rgb RED{255, 0, 0};
constexpr Rgb BLUE{0, 0, 255};
constexpr Rgb GREEN{0, 255, 0};
constexpr Rgb YELLOW{255, 255, 0};
constexpr Rgb CYAN{0, 255, 255};
constexpr Rgb PROBE{12, 34, 56};   // a colour no painter uses

// The text written at (x, y), or a marker that no painter writes.
std::string TextAt(const RasterCanvas& c, int x, int y) {
    const RasterCanvas::TextCall* t = c.TextAt(x, y);
    return t ? t->text : std::string("<none>");
}

class DisplayTest : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartGame(20240607);
        ResetDisplayState();
        companies[0].name = playerCompanyNameBuf;
        companies[0].ceoName = playerNameBuf;
        for (int i = 0; i < COMPANY_COUNT; ++i) newsPending[i] = 0;
    }
};

// ------------------------------------------------------------ stock board

class DisplayBoard : public DisplayTest {
protected:
    RasterCanvas canvas{450, 370};
    static int RowTop(int i) { return 12 * i + 10; }
};

TEST_F(DisplayBoard, RisingPriceGetsARedBoxAndAPlusSign) {
    companies[3].priceDelta = 7;
    PaintStockBoard(canvas);
    const int y = RowTop(3);
    EXPECT_EQ(canvas.CountPixels(160, y, 200, y + 10, RED), 40 * 10);
    // The box covers [160, 200) x [y, y + 10) and nothing beyond.
    EXPECT_EQ(canvas.Pixel(200, y + 5), BLACK);
    EXPECT_EQ(canvas.Pixel(159, y + 5), BLACK);
    EXPECT_EQ(canvas.Pixel(180, y + 10), BLACK);
    EXPECT_EQ(canvas.Pixel(180, y - 1), BLACK);
    EXPECT_EQ(TextAt(canvas, 160, y), Sjis("+7円"));
    EXPECT_EQ(canvas.TextAt(160, y)->colour, WHITE);
    EXPECT_EQ(canvas.TextAt(160, y)->font, FONT_10);
    EXPECT_FALSE(canvas.TextAt(160, y)->opaque);
}

TEST_F(DisplayBoard, FallingPriceGetsABlueBox) {
    companies[12].priceDelta = -12;
    PaintStockBoard(canvas);
    const int y = RowTop(12);
    EXPECT_EQ(canvas.CountPixels(160, y, 200, y + 10, BLUE), 400);
    EXPECT_EQ(canvas.CountPixels(160, y, 200, y + 10, RED), 0);
    EXPECT_EQ(TextAt(canvas, 160, y), Sjis("-12円"));
}

TEST_F(DisplayBoard, UnchangedPriceHasNoBox) {
    companies[20].priceDelta = 0;
    PaintStockBoard(canvas);
    const int y = RowTop(20);
    EXPECT_EQ(canvas.CountPixels(160, y, 200, y + 10, BLACK), 400);
    EXPECT_EQ(TextAt(canvas, 160, y), Sjis("0円"));
}

TEST_F(DisplayBoard, EveryRowShowsNameAndPrice) {
    for (int i = 0; i < COMPANY_COUNT; ++i) companies[i].sharePrice = 100 + i;
    companies[29].priceDelta = 3;
    companies[28].priceDelta = -3;
    PaintStockBoard(canvas);
    for (int i = 1; i < COMPANY_COUNT; ++i) {
        EXPECT_EQ(TextAt(canvas, 15, RowTop(i)), companies[i].name) << i;
        EXPECT_EQ(TextAt(canvas, 95, RowTop(i)), Sjis((std::to_string(100 + i) + "円").c_str())) << i;
    }
    EXPECT_EQ(canvas.CountPixels(160, RowTop(29), 200, RowTop(29) + 10, RED), 400);
    EXPECT_EQ(canvas.CountPixels(160, RowTop(28), 200, RowTop(28) + 10, BLUE), 400);
}

TEST_F(DisplayBoard, SelectionBoxDividersAndBackground) {
    for (int i = 0; i < COMPANY_COUNT; ++i) companies[i].priceDelta = 0;
    selectedCompany = 5;
    canvas.Clear(PROBE);
    PaintStockBoard(canvas);
    // Green outline of (8, 70)-(88, 80), black inside.
    EXPECT_EQ(canvas.CountPixels(8, 70, 88, 80, GREEN), 2 * 80 + 2 * 8);
    EXPECT_EQ(canvas.Pixel(8, 70), GREEN);
    EXPECT_EQ(canvas.Pixel(87, 79), GREEN);
    EXPECT_EQ(canvas.Pixel(88, 79), BLACK);
    EXPECT_EQ(canvas.Pixel(40, 75), BLACK);
    // Divider at x = 205 over the whole height, blue line at x = 93 from y = 10.
    EXPECT_EQ(canvas.CountPixels(205, 0, 206, 370, GREEN), 370);
    EXPECT_EQ(canvas.CountPixels(93, 0, 94, 370, BLUE), 360);
    EXPECT_EQ(canvas.Pixel(93, 9), BLACK);
    // Everything else is the black fill.
    EXPECT_EQ(canvas.CountPixels(0, 0, 450, 370, PROBE), 0);
    EXPECT_EQ(canvas.CountPixels(0, 0, 450, 370, BLACK), 450 * 370 - 176 - 370 - 360);
}

TEST_F(DisplayBoard, LongPlayerNameIsCutOnTheBoardOnly) {
    const std::string name = Sjis("あいうえおかきくけこ");   // 20 bytes
    ASSERT_EQ(name.size(), 20u);
    std::strcpy(playerCompanyNameBuf, name.c_str());
    selectedCompany = 0;
    PaintStockBoard(canvas);
    PaintStockDetail(canvas);
    EXPECT_EQ(TextAt(canvas, 15, RowTop(0)), name.substr(0, 12));
    EXPECT_EQ(TextAt(canvas, 290, 10), name);
}

// ------------------------------------------------------------ detail panel

class DisplayDetail : public DisplayTest {
protected:
    RasterCanvas canvas{450, 370};
    static constexpr int S = 4;

    void SetUp() override {
        DisplayTest::SetUp();
        selectedCompany = S;
        ListedCompany& co = companies[S];
        co.sharePrice = 500;
        co.funds = 30000;
        co.property = 5000;
        co.debt = 12000;
        co.profit = 2500;
        co.ceoAssets = 1234;
        co.issuedShares = 2000000;
        co.floatingShares = 800000;
        co.dividendYield = 3;
        co.stockCount = 0;
        for (int j = 0; j < COMPANY_COUNT; ++j) co.holdings[j] = 0;
        // Counted: 25000 shares of company 7 at 330 yen.
        co.holdings[7] = 25000;
        companies[7].sharePrice = 330;
        // Not counted in the holding value: shares of company 0 and its own.
        co.holdings[0] = 1000000;
        co.holdings[S] = 300000;
        companies[0].holdings[S] = 500000;
        companies[0].avgBuyPrice[S] = 480;
    }
    std::string Value(int y) {
        canvas.ClearRecords();
        PaintStockBoard(canvas);
        PaintStockDetail(canvas);
        return TextAt(canvas, 290, y);
    }
};

TEST_F(DisplayDetail, EveryFigureOfASetUpCompany) {
    ASSERT_NE(companies[S].name, nullptr);
    ASSERT_NE(companies[S].ceoName, nullptr);
    PaintStockBoard(canvas);
    PaintStockDetail(canvas);
    // value = (25000 / 100) * (330 / 10) / 10 = 825
    const struct {
        int y;
        const char* label;
        std::string value;
    } rows[] = {
        {10, "社名", companies[S].name},
        {25, "CEO", companies[S].ceoName},
        {40, "株価", Sjis("500円")},
        {55, "資産", Sjis("3億5825万円")},          // 30000 + 5000 + 825
        {70, "純資産", Sjis("2億3825万円")},        // 30000 - 12000 + 5000 + 825
        {85, "資金", Sjis("3億0万円")},
        {100, "株式", Sjis("0株")},
        {115, "物件", Sjis("5000万円")},
        {130, "利益", Sjis("2500万円")},
        {145, "負債", Sjis("1億2000万円")},
        {160, "CEO資産", Sjis("1234万円")},
        {175, "発行株式", Sjis("200万0株")},
        {195, "PER", "41"},                          // 500 / (2500 / 200)
        {210, "PBR", Sjis("434％")},                 // 50000 / (23000 / 200)
        {225, "配当利回", Sjis("3％")},
        {240, "所持株数", Sjis("50万0株")},
        {255, "所持株比", Sjis("25％")},             // 500000 / 20000
        {270, "平均購価", Sjis("480円")},
        {285, "浮動株式", Sjis("80万0株")},
        {300, "CEO所持率", Sjis("15％")},            // 300000 / 20000
    };
    for (const auto& r : rows) {
        EXPECT_EQ(TextAt(canvas, 210, r.y), Sjis(r.label)) << r.y;
        EXPECT_EQ(TextAt(canvas, 290, r.y), r.value) << r.y;
        const RasterCanvas::TextCall* t = canvas.TextAt(290, r.y);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->font, FONT_15);
        EXPECT_EQ(t->colour, WHITE);
        EXPECT_FALSE(t->opaque);
    }
}

TEST_F(DisplayDetail, PriceEarningsRatioGuards) {
    companies[S].profit = 0;
    EXPECT_EQ(Value(195), "0");
    companies[S].profit = -2500;   // eps -12: a loss gives a negative ratio
    EXPECT_EQ(Value(195), "-41");
    companies[S].profit = 100;     // eps 100 / 200 = 0
    EXPECT_EQ(Value(195), "0");
    companies[S].profit = 2500;
    companies[S].sharePrice = 10;  // a price of 10 is not above 10
    EXPECT_EQ(Value(195), "0");
    companies[S].sharePrice = 0;
    EXPECT_EQ(Value(195), "0");
    EXPECT_EQ(Value(40), Sjis("0円"));
    companies[S].sharePrice = 500;
    companies[S].issuedShares = 10000;   // not above 10000
    EXPECT_EQ(Value(195), "0");
}

TEST_F(DisplayDetail, PriceBookRatioGuards) {
    companies[S].sharePrice = 0;
    EXPECT_EQ(Value(210), Sjis("0％"));
    companies[S].sharePrice = 11;   // 1100 / 115
    EXPECT_EQ(Value(210), Sjis("9％"));
    companies[S].debt = 35000;      // book value 0
    EXPECT_EQ(Value(210), Sjis("0％"));
    companies[S].debt = 12000;
    companies[S].issuedShares = 0;
    EXPECT_EQ(Value(210), Sjis("0％"));
    EXPECT_EQ(Value(195), "0");
}

TEST_F(DisplayDetail, StakesOfASmallIssueAreZero) {
    companies[S].issuedShares = 99;
    EXPECT_EQ(Value(255), Sjis("0％"));
    EXPECT_EQ(Value(300), Sjis("0％"));
    companies[S].issuedShares = 0;
    EXPECT_EQ(Value(255), Sjis("0％"));
    EXPECT_EQ(Value(300), Sjis("0％"));
    EXPECT_EQ(Value(175), Sjis("0株"));
}

TEST_F(DisplayDetail, CeoStakeIsZeroWithoutOwnShares) {
    companies[S].holdings[S] = 0;
    EXPECT_EQ(Value(300), Sjis("0％"));
}

TEST_F(DisplayDetail, SignedAndPositiveThresholdForms) {
    companies[S].funds = -50000;
    companies[S].property = 0;
    companies[S].debt = 0;
    companies[S].holdings[7] = 0;
    EXPECT_EQ(Value(55), Sjis("-5億0万円"));   // signed form
    EXPECT_EQ(Value(85), Sjis("-50000万円"));  // positive-threshold form
    companies[S].profit = -15000;
    EXPECT_EQ(Value(130), Sjis("-1億5000万円"));
}

TEST_F(DisplayDetail, HugeAmountsSaturateInsteadOfWrapping) {
    const int64_t max = std::numeric_limits<int64_t>::max();
    companies[S].funds = max;
    companies[S].property = max;
    companies[S].debt = std::numeric_limits<int64_t>::min();
    // The sums would leave 64 bits: they stop at the largest amount rather
    // than wrapping round to a negative one.
    EXPECT_EQ(Value(55), FormatMoney(max));
    EXPECT_EQ(Value(70), FormatMoney(max));
    companies[S].debt = max;
    companies[S].funds = std::numeric_limits<int64_t>::min();
    companies[S].property = 0;
    companies[S].holdings[7] = 0;
    EXPECT_EQ(Value(70), FormatMoney(std::numeric_limits<int64_t>::min()));
}

// ------------------------------------------------------------ company panel

class DisplayCompanyPanel : public DisplayTest {
protected:
    RasterCanvas canvas{300, 285};
    void SetUp() override {
        DisplayTest::SetUp();
        ListedCompany& me = companies[0];
        me.funds = -50000;
        me.property = 3000;
        me.debt = 7000;
        me.profit = -250;
        me.ceoAssets = 99999;
        for (int j = 0; j < COMPANY_COUNT; ++j) me.holdings[j] = 0;
        me.holdings[0] = 777;   // own shares count in neither sum
        me.holdings[5] = 12345;
        companies[5].sharePrice = 200;
        me.holdings[9] = 100000;
        companies[9].sharePrice = 1234;
        scenarioLevel = 0;
    }
};

TEST_F(DisplayCompanyPanel, FiguresOfThePlayersCompany) {
    canvas.Clear(PROBE);
    PaintCompanyPanel(canvas);
    EXPECT_EQ(canvas.CountPixels(0, 0, 300, 285, BLACK), 300 * 285);
    // value = 123 * 20 / 10 + 1000 * 123 / 10 = 246 + 12300 = 12546
    const struct {
        int y;
        const char* label;
        std::string value;
    } rows[] = {
        {10, "会社名", Sjis("太郎の会社")},
        {30, "CEO", Sjis("証券 太郎")},
        {50, "資産", Sjis("-34454万円")},
        {70, "純資産", Sjis("-4億1454万円")},
        {90, "資金", Sjis("-50000万円")},
        {110, "総株式", Sjis("11万2345株")},
        {130, "物件", Sjis("3000万円")},
        {150, "利益", Sjis("-250万円")},
        {170, "負債", Sjis("7000万円")},
        {200, "個人資産", Sjis("9億9999万円")},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(TextAt(canvas, 10, r.y), Sjis(r.label)) << r.y;
        EXPECT_EQ(TextAt(canvas, 90, r.y), r.value) << r.y;
        ASSERT_NE(canvas.TextAt(90, r.y), nullptr);
        EXPECT_EQ(canvas.TextAt(90, r.y)->colour, WHITE);
        EXPECT_EQ(canvas.TextAt(90, r.y)->font, FONT_15);
    }
    // Free play: ten lines, no title or goal.
    EXPECT_EQ(canvas.texts.size(), 20u);
    EXPECT_EQ(canvas.TextAt(10, 230), nullptr);
    EXPECT_EQ(canvas.TextAt(10, 250), nullptr);
}

TEST_F(DisplayCompanyPanel, ScenarioTitleAndGoalInCyan) {
    EnterScenarioMode();
    PaintCompanyPanel(canvas);
    ASSERT_NE(canvas.TextAt(10, 230), nullptr);
    EXPECT_EQ(TextAt(canvas, 10, 230), Sjis("ベンチャー企業家"));
    EXPECT_EQ(TextAt(canvas, 10, 250), Sjis("目標:純資産を２億円以上に"));
    EXPECT_EQ(canvas.TextAt(10, 230)->colour, CYAN);
    EXPECT_EQ(canvas.TextAt(10, 250)->colour, CYAN);
}

// ------------------------------------------------------------ price chart

class DisplayChart : public DisplayTest {
protected:
    RasterCanvas canvas{520, 200};
    static constexpr int C = 6;
    void SetUp() override {
        DisplayTest::SetUp();
        ListedCompany& k = companies[C];
        for (int d = 0; d < HISTORY_SIZE; ++d) k.priceDeltaHistory[d] = 0;
        k.trendRange[0] = 20;
        k.sharePrice = 40;   // zero line at y = 120, clear of the dial
        k.issuedShares = 1000000;
        k.holdings[C] = 0;
        companies[0].holdings[C] = 0;
        historyIndex = 10;
        gameHour = 11;
    }
    // Red pixels of the dial's quadrants, two pixels clear of the axes so that
    // the three-pixel pen on an axis counts for neither side.
    int RedTopRight() const { return canvas.CountPixels(42, 130, 70, 158, RED); }
    int RedBottomRight() const { return canvas.CountPixels(42, 162, 70, 190, RED); }
    int RedBottomLeft() const { return canvas.CountPixels(10, 162, 38, 190, RED); }
    int RedTopLeft() const { return canvas.CountPixels(10, 130, 38, 158, RED); }
};

TEST_F(DisplayChart, ZeroLineAtTheScaledPrice) {
    companies[C].sharePrice = 130;
    PaintPriceChart(canvas, C);
    // 100 + 130 * 10 / 20 = 165; the dial covers x < 70.
    EXPECT_EQ(canvas.CountPixels(70, 165, 520, 166, RED), 450);
    EXPECT_EQ(canvas.CountPixels(70, 0, 520, 200, RED), 450);
    ASSERT_NE(canvas.TextAt(50, 155), nullptr);
    EXPECT_EQ(TextAt(canvas, 50, 155), "DeadLine");
    EXPECT_EQ(canvas.TextAt(50, 155)->colour, WHITE);
}

TEST_F(DisplayChart, NoZeroLineWithoutRange) {
    companies[C].trendRange[0] = 0;
    companies[C].priceDeltaHistory[9] = 500;
    PaintPriceChart(canvas, C);
    EXPECT_EQ(canvas.CountPixels(70, 0, 520, 200, RED), 0);
    EXPECT_EQ(canvas.FindText("DeadLine"), nullptr);
    // And the path stays flat at y = 100.
    EXPECT_EQ(canvas.CountPixels(0, 100, 451, 101, YELLOW), 451);
}

TEST_F(DisplayChart, ZeroLineBelowTheWindow) {
    companies[C].sharePrice = 400;   // y = 300
    PaintPriceChart(canvas, C);
    EXPECT_EQ(canvas.CountPixels(70, 0, 520, 200, RED), 0);
    EXPECT_NE(canvas.TextAt(50, 290), nullptr);
}

TEST_F(DisplayChart, PathOfARiseDropsTheDayBefore) {
    companies[C].priceDeltaHistory[9] = 20;   // the most recent day: +20 yen
    PaintPriceChart(canvas, C);
    // First segment from (450, 100) down to (449, 110), one point per row.
    EXPECT_EQ(canvas.Pixel(450, 100), YELLOW);
    EXPECT_EQ(canvas.CountPixels(449, 100, 451, 110, YELLOW), 10);
    // Then flat at y = 110 to the left edge and beyond.
    EXPECT_EQ(canvas.CountPixels(0, 110, 450, 111, YELLOW), 450);
    EXPECT_EQ(canvas.CountPixels(0, 100, 449, 101, YELLOW), 0);
    EXPECT_EQ(canvas.CountPixels(451, 0, 520, 200, YELLOW), 0);
}

TEST_F(DisplayChart, PathWalksBackAcrossTheRingStart) {
    historyIndex = 0;                           // the most recent entry is 499
    companies[C].priceDeltaHistory[499] = -20;  // a fall: the day before is higher
    // 499 steps from entry 499 end with entry 1: entry 0 is never walked.
    companies[C].priceDeltaHistory[0] = 200;
    PaintPriceChart(canvas, C);
    EXPECT_EQ(canvas.CountPixels(449, 91, 451, 101, YELLOW), 10);
    EXPECT_EQ(canvas.CountPixels(0, 90, 450, 91, YELLOW), 450);
    EXPECT_EQ(canvas.CountPixels(0, 101, 520, 200, YELLOW), 0);
}

TEST_F(DisplayChart, GridNameAndPrice) {
    PaintPriceChart(canvas, C);
    for (int y : {25, 50, 75, 125}) {
        EXPECT_EQ(canvas.CountPixels(0, y, 500, y + 1, BLUE), 500) << y;
        EXPECT_EQ(canvas.Pixel(500, y), BLACK) << y;
    }
    EXPECT_EQ(TextAt(canvas, 10, 5), companies[C].name);
    EXPECT_EQ(canvas.TextAt(10, 5)->colour, WHITE);
    ASSERT_NE(canvas.TextAt(14, 30), nullptr);
    EXPECT_EQ(TextAt(canvas, 14, 30), Sjis("40円"));
    EXPECT_EQ(canvas.TextAt(14, 30)->colour, (Rgb{255, 155, 55}));
    EXPECT_EQ(canvas.TextAt(14, 30)->font, FONT_20);
    EXPECT_EQ(canvas.TextAt(0, 80), nullptr);
}

TEST_F(DisplayChart, ClosedMarketMessageOutsideTradingHours) {
    gameHour = 8;
    PaintPriceChart(canvas, C);
    ASSERT_NE(canvas.TextAt(0, 80), nullptr);
    EXPECT_EQ(TextAt(canvas, 0, 80), Sjis("市場は閉まっています"));
    EXPECT_EQ(canvas.TextAt(0, 80)->font, FONT_50);
    EXPECT_EQ(canvas.TextAt(0, 80)->colour, (Rgb{255, 0, 255}));
    gameHour = 14;
    canvas.ClearRecords();
    PaintPriceChart(canvas, C);
    EXPECT_NE(canvas.TextAt(0, 80), nullptr);
    gameHour = 13;
    canvas.ClearRecords();
    PaintPriceChart(canvas, C);
    EXPECT_EQ(canvas.TextAt(0, 80), nullptr);
}

TEST_F(DisplayChart, QuarterStakeFillsTheTopRightQuarterRed) {
    companies[0].holdings[C] = 250000;   // 250000 / (1000000 / 100) = 25 %
    PaintPriceChart(canvas, C);
    // The quarter disc of radius 25 (about 490 pixels) less two-pixel strips
    // along the axes (about 100) is red.
    EXPECT_GT(RedTopRight(), 350);
    EXPECT_EQ(RedBottomRight(), 0);
    EXPECT_EQ(RedBottomLeft(), 0);
    EXPECT_EQ(RedTopLeft(), 0);
    EXPECT_GT(canvas.CountPixels(10, 162, 70, 190, BLUE), 390);
    EXPECT_EQ(canvas.Pixel(55, 145), RED);
    EXPECT_EQ(canvas.Pixel(55, 175), BLUE);
}

TEST_F(DisplayChart, HalfStakeIsRedOnTheRightHalf) {
    companies[0].holdings[C] = 500000;
    PaintPriceChart(canvas, C);
    EXPECT_GT(RedTopRight(), 350);
    EXPECT_GT(RedBottomRight(), 350);
    EXPECT_EQ(RedBottomLeft(), 0);
    EXPECT_EQ(RedTopLeft(), 0);
}

TEST_F(DisplayChart, NoStakeNoRed) {
    PaintPriceChart(canvas, C);
    EXPECT_EQ(canvas.CountPixels(0, 0, 520, 200, RED), 520);   // only the zero line
    EXPECT_EQ(canvas.CountPixels(0, 130, 70, 190, RED), 0);
}

TEST_F(DisplayChart, CeoStakeIsGreenJustLeftOfTheTop) {
    companies[C].holdings[C] = 200000;   // 20 %
    PaintPriceChart(canvas, C);
    EXPECT_GT(canvas.CountPixels(10, 130, 38, 158, GREEN), 100);
    EXPECT_EQ(canvas.CountPixels(0, 162, 70, 200, GREEN), 0);
    EXPECT_EQ(canvas.CountPixels(42, 130, 70, 190, GREEN), 0);
}

TEST_F(DisplayChart, OwnCompanyDialHasNoGreen) {
    companies[0].issuedShares = 1000000;
    companies[0].holdings[0] = 600000;
    companies[0].trendRange[0] = 20;
    companies[0].sharePrice = 40;
    PaintPriceChart(canvas, 0);
    EXPECT_EQ(canvas.CountPixels(0, 130, 70, 190, GREEN), 0);
    // 60 % of the player's own: red past the bottom, blue at the top left.
    EXPECT_GT(RedBottomRight(), 350);
    EXPECT_GT(canvas.CountPixels(10, 130, 38, 158, BLUE), 300);
}

TEST_F(DisplayChart, ExtremeChangesStayDefined) {
    companies[C].trendRange[0] = 1;
    companies[C].sharePrice = std::numeric_limits<int32_t>::max();
    for (int d = 0; d < HISTORY_SIZE; ++d) companies[C].priceDeltaHistory[d] = std::numeric_limits<int32_t>::min();
    historyIndex = std::numeric_limits<int32_t>::min();
    PaintPriceChart(canvas, C);
    // The zero line lies far below; the path leaves the window at once upwards.
    EXPECT_EQ(canvas.CountPixels(70, 0, 520, 200, RED), 0);
    EXPECT_EQ(canvas.Pixel(450, 100), YELLOW);
    EXPECT_EQ(canvas.CountPixels(0, 0, 449, 200, YELLOW), 0);
}

// ------------------------------------------------------------ calendar panel

class DisplayCalendar : public DisplayTest {
protected:
    RasterCanvas canvas{520, 85};
    std::string Line(int k) const { return TextAt(canvas, 150, 10 * k + 20); }
};

TEST_F(DisplayCalendar, DateLineHeadingAndDivider) {
    gameYear = 2007;
    gameMonth = 3;
    gameDay = 13;
    canvas.Clear(PROBE);
    PaintCalendarPanel(canvas);
    ASSERT_NE(canvas.TextAt(0, 5), nullptr);
    EXPECT_EQ(TextAt(canvas, 0, 5), Sjis("現在時刻：西暦2007年03月13日"));
    EXPECT_EQ(canvas.TextAt(0, 5)->colour, RED);
    EXPECT_EQ(canvas.TextAt(0, 5)->font, FONT_20);
    ASSERT_NE(canvas.TextAt(10, 45), nullptr);
    EXPECT_EQ(TextAt(canvas, 10, 45), Sjis("ニュース経歴"));
    EXPECT_EQ(canvas.TextAt(10, 45)->colour, (Rgb{255, 200, 50}));
    EXPECT_EQ(canvas.TextAt(10, 45)->font, FONT_20);
    EXPECT_EQ(canvas.CountPixels(0, 27, 520, 28, WHITE), 520);
    EXPECT_EQ(canvas.CountPixels(0, 0, 520, 85, BLACK), 520 * 85 - 520);
}

TEST_F(DisplayCalendar, FiveNewsLinesAtStart) {
    ASSERT_EQ(newsCount, 3);
    PaintCalendarPanel(canvas);
    // Entries 2, 1, 0, then entry 1 for the missing ones.
    const std::string e0 = Sjis("～東都証券取引所～");
    const std::string e1 = Sjis("ここにニュースが表示されます");
    const std::string e2 = Sjis("右上の各銘柄をクリックし、企業データを参照できます。");
    EXPECT_EQ(Line(1), "1:" + e2);
    EXPECT_EQ(Line(2), "2:" + e1);
    EXPECT_EQ(Line(3), "3:" + e0);
    EXPECT_EQ(Line(4), "4:" + e1);
    EXPECT_EQ(Line(5), "5:" + e1);
    for (int k = 1; k <= 5; ++k) {
        const RasterCanvas::TextCall* t = canvas.TextAt(150, 10 * k + 20);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->font, FONT_10);
        EXPECT_EQ(t->colour, (Rgb{50, 255, 50}));
        EXPECT_FALSE(t->opaque);
    }
}

TEST_F(DisplayCalendar, NewestEntryFirst) {
    static const char* const lines[] = {"five", "six", "seven", "eight", "nine"};
    for (int e = 5; e <= 9; ++e) newsLines[e] = lines[e - 5];
    newsCount = 10;
    PaintCalendarPanel(canvas);
    EXPECT_EQ(Line(1), "1:nine");
    EXPECT_EQ(Line(2), "2:eight");
    EXPECT_EQ(Line(3), "3:seven");
    EXPECT_EQ(Line(4), "4:six");
    EXPECT_EQ(Line(5), "5:five");
}

TEST_F(DisplayCalendar, IndexOutsideTheRingShowsEntryOne) {
    newsLines[1] = "one";
    newsLines[200] = "last";
    newsCount = 201;   // 200 is inside, 199.. too
    PaintCalendarPanel(canvas);
    EXPECT_EQ(Line(1), "1:last");
    newsCount = 250;   // 249..245 lie outside
    canvas.ClearRecords();
    PaintCalendarPanel(canvas);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(Line(k), std::to_string(k) + ":one");
}

// ------------------------------------------------------------ title screen

class DisplayTitle : public DisplayTest {
protected:
    RasterCanvas canvas{570, 370};
    static int ButtonTop(int k) { return 200 + 52 * k; }
    // Interior pixels of title button k in this colour.
    int Inside(int k, Rgb colour) const {
        return canvas.CountPixels(151, ButtonTop(k) + 1, 399, ButtonTop(k) + 49, colour);
    }
    static constexpr int INTERIOR = 248 * 48;
};

TEST_F(DisplayTitle, StartUpRepaintsEveryButtonAndHoverFillsYellow) {
    canvas.Clear(PROBE);
    PaintTitleScreen(canvas, 200, 225);
    EXPECT_EQ(buttonRepaintCountdown, 0);
    EXPECT_EQ(Inside(0, YELLOW), INTERIOR);
    EXPECT_EQ(Inside(1, WHITE), INTERIOR);
    EXPECT_EQ(Inside(2, WHITE), INTERIOR);
    // Black one-pixel outline of (150, 200)-(400, 250).
    EXPECT_EQ(canvas.CountPixels(150, 200, 400, 250, BLACK), 2 * 250 + 2 * 48);
    EXPECT_EQ(canvas.Pixel(399, 249), BLACK);
    EXPECT_EQ(canvas.Pixel(400, 225), PROBE);
    EXPECT_EQ(canvas.Pixel(200, 250), PROBE);   // the gap between two buttons
    EXPECT_EQ(TextAt(canvas, 195, 215), Sjis("新しく起業する"));
    EXPECT_EQ(TextAt(canvas, 195, 267), Sjis("続きから始める"));
    EXPECT_EQ(TextAt(canvas, 195, 319), Sjis("ゲームを終了"));
    EXPECT_EQ(canvas.TextAt(195, 215)->colour, BLACK);
    EXPECT_EQ(canvas.TextAt(195, 215)->font, FONT_20);
}

TEST_F(DisplayTitle, OnlyHoverChangesRepaintAfterTheCountdown) {
    PaintTitleScreen(canvas, 200, 225);
    // Mark the third button: a repaint would wipe the mark.
    canvas.SetPixel(300, 330, PROBE);
    canvas.ClearRecords();
    PaintTitleScreen(canvas, 200, 277);
    EXPECT_EQ(Inside(0, WHITE), INTERIOR);
    EXPECT_EQ(Inside(1, YELLOW), INTERIOR);
    EXPECT_EQ(canvas.Pixel(300, 330), PROBE);
    // Labels are written on every paint.
    EXPECT_NE(canvas.TextAt(195, 319), nullptr);
    // No change: nothing is refilled.
    canvas.SetPixel(300, 280, PROBE);
    PaintTitleScreen(canvas, 210, 280);
    EXPECT_EQ(canvas.Pixel(300, 280), PROBE);
}

TEST_F(DisplayTitle, HoverBoundsAreStrictExceptTheLeftEdge) {
    buttonRepaintCountdown = 0;
    PaintTitleScreen(canvas, 150, 225);
    EXPECT_EQ(buttonHover[0], 0);
    PaintTitleScreen(canvas, 151, 225);
    EXPECT_EQ(buttonHover[0], 1);
    PaintTitleScreen(canvas, 399, 249);
    EXPECT_EQ(buttonHover[0], 1);
    PaintTitleScreen(canvas, 400, 225);
    EXPECT_EQ(buttonHover[0], 0);
    PaintTitleScreen(canvas, 200, 200);
    EXPECT_EQ(buttonHover[0], 0);
    PaintTitleScreen(canvas, 200, 250);
    EXPECT_EQ(buttonHover[0], 0);
    EXPECT_EQ(buttonHover[1], 0);
    PaintTitleScreen(canvas, 200, 353);
    EXPECT_EQ(buttonHover[2], 1);
}

TEST_F(DisplayTitle, TitleFadesFromWhiteToBlack) {
    PaintTitleScreen(canvas, 0, 0);
    ASSERT_NE(canvas.TextAt(50, 100), nullptr);
    EXPECT_EQ(TextAt(canvas, 50, 100), Sjis("オルキディア"));
    EXPECT_EQ(canvas.TextAt(50, 100)->colour, WHITE);
    EXPECT_EQ(canvas.TextAt(50, 100)->font, FONT_50);
    EXPECT_EQ(TextAt(canvas, 185, 160), Sjis("～ルミナリア～"));
    EXPECT_EQ(canvas.TextAt(185, 160)->colour, WHITE);
    EXPECT_EQ(canvas.TextAt(185, 160)->font, FONT_20);

    titleFade = 120;
    canvas.ClearRecords();
    PaintTitleScreen(canvas, 0, 0);
    EXPECT_EQ(canvas.TextAt(50, 100)->colour, (Rgb{120, 120, 120}));
    EXPECT_EQ(canvas.TextAt(185, 160)->colour, (Rgb{120, 120, 255}));

    titleFade = 0;
    canvas.ClearRecords();
    PaintTitleScreen(canvas, 0, 0);
    EXPECT_EQ(canvas.TextAt(50, 100)->colour, BLACK);
    EXPECT_EQ(canvas.TextAt(185, 160)->colour, BLUE);
    EXPECT_FALSE(canvas.TextAt(50, 100)->opaque);
}

TEST_F(DisplayTitle, IntroTextIsOpaque) {
    canvas.Clear(PROBE);
    PaintIntroText(canvas);
    ASSERT_NE(canvas.TextAt(10, 280), nullptr);
    EXPECT_EQ(TextAt(canvas, 10, 280), Sjis("右クリックでスタート"));
    EXPECT_EQ(canvas.TextAt(10, 280)->font, FONT_50);
    EXPECT_EQ(canvas.TextAt(10, 280)->colour, RED);
    EXPECT_TRUE(canvas.TextAt(10, 280)->opaque);
    EXPECT_EQ(TextAt(canvas, 10, 100), Sjis("会社を起業します。総資産は１億４０００万円です。　　　"));
    EXPECT_EQ(TextAt(canvas, 10, 200), Sjis("ただし、負債が1000兆円を超えるとゲームオーバーです...　"));
    EXPECT_EQ(canvas.TextAt(10, 100)->colour, BLACK);
    EXPECT_EQ(canvas.TextAt(10, 100)->font, FONT_20);
    std::string blanks16;
    for (int i = 0; i < 16; ++i) blanks16 += Sjis("　");
    EXPECT_EQ(TextAt(canvas, 10, 240), blanks16);
    EXPECT_EQ(TextAt(canvas, 10, 330), blanks16);
    // The opaque cells overwrite what lay beneath.
    EXPECT_EQ(canvas.Pixel(20, 300), WHITE);
}

TEST_F(DisplayTitle, FieldMapCopiesTheTownAndItsBuildings) {
    PaintFieldMap(canvas);
    const RasterCanvas::BitmapCall expected[] = {
        {BMP_FIELD1, 0, 0, ROP_COPY},    {BMP_ICON1, 430, 225, ROP_COPY}, {BMP_ICON2, 460, 30, ROP_COPY},
        {BMP_ICON3, 340, 60, ROP_COPY},  {BMP_ICON4, 110, 110, ROP_COPY}, {BMP_ICON5, 210, 10, ROP_COPY},
        {BMP_ICON6, 10, 150, ROP_COPY},  {BMP_ICON7, 240, 120, ROP_COPY}, {BMP_ICON8, 10, 10, ROP_COPY},
        {BMP_ICON9, 120, 300, ROP_COPY},
    };
    ASSERT_EQ(canvas.bitmapCalls.size(), 10u);
    for (size_t n = 0; n < 10; ++n) {
        EXPECT_EQ(canvas.bitmapCalls[n].bitmap, expected[n].bitmap) << n;
        EXPECT_EQ(canvas.bitmapCalls[n].x, expected[n].x) << n;
        EXPECT_EQ(canvas.bitmapCalls[n].y, expected[n].y) << n;
        EXPECT_EQ(canvas.bitmapCalls[n].op, ROP_COPY) << n;
    }
}

TEST_F(DisplayTitle, ClearingTheViewAndTheButtonColumn) {
    canvas.Clear(PROBE);
    ClearMainView(canvas);
    EXPECT_EQ(canvas.CountPixels(0, 0, 570, 370, WHITE), 570 * 370);
    canvas.Clear(PROBE);
    ClearExchangeButtons(canvas);
    // (300, 30)-(600, 1000): black outline on the left and top, white inside.
    EXPECT_EQ(canvas.CountPixels(300, 30, 301, 370, BLACK), 340);
    EXPECT_EQ(canvas.CountPixels(300, 30, 570, 31, BLACK), 270);
    EXPECT_EQ(canvas.CountPixels(301, 31, 570, 370, WHITE), 269 * 339);
    EXPECT_EQ(canvas.Pixel(299, 100), PROBE);
    EXPECT_EQ(canvas.Pixel(400, 29), PROBE);
}

// ------------------------------------------------------------ exchange screen

class DisplayExchange : public DisplayTest {
protected:
    RasterCanvas canvas{570, 370};
    static int ButtonTop(int k) { return 100 + 52 * k; }
    int Inside(int k, Rgb colour) const {
        return canvas.CountPixels(311, ButtonTop(k) + 1, 499, ButtonTop(k) + 49, colour);
    }
    static constexpr int INTERIOR = 188 * 48;
};

TEST_F(DisplayExchange, ButtonsLinesAndTexts) {
    buttonRepaintCountdown = 5;   // all five are filled
    canvas.Clear(PROBE);
    PaintExchangeScreen(canvas, 400, 125);
    EXPECT_EQ(Inside(0, YELLOW), INTERIOR);
    for (int k = 1; k < 5; ++k) EXPECT_EQ(Inside(k, WHITE), INTERIOR) << k;
    EXPECT_EQ(canvas.CountPixels(310, 100, 500, 150, BLACK), 2 * 190 + 2 * 48);
    // Divider lines: along y = 30 and down x = 300 from y = 30.
    EXPECT_EQ(canvas.CountPixels(0, 30, 570, 31, BLACK), 570);
    EXPECT_EQ(canvas.CountPixels(300, 30, 301, 370, BLACK), 340);
    EXPECT_EQ(canvas.Pixel(300, 29), PROBE);

    EXPECT_EQ(TextAt(canvas, 5, 5), Sjis("東都証券取引所"));
    EXPECT_EQ(canvas.TextAt(5, 5)->font, FONT_20);
    EXPECT_EQ(canvas.TextAt(5, 5)->colour, BLACK);
    EXPECT_EQ(TextAt(canvas, 5, 45), Sjis("右側の株式情報ウィンドウから,"));
    EXPECT_EQ(TextAt(canvas, 5, 75), Sjis("銘柄を選んで取引を行ってください。"));
    EXPECT_EQ(canvas.TextAt(5, 45)->font, FONT_15B);
    EXPECT_EQ(canvas.TextAt(5, 75)->colour, BLUE);
    const char* labels[] = {"株式購入", "株式売却", "時間外取引", "注文取消", "戻る"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(TextAt(canvas, 325, 115 + 52 * k), Sjis(labels[k])) << k;
        EXPECT_EQ(canvas.TextAt(325, 115 + 52 * k)->colour, BLACK);
    }
    ASSERT_EQ(canvas.bitmapCalls.size(), 1u);
    EXPECT_EQ(canvas.bitmapCalls[0].bitmap, BMP_TRADECENTER);
    EXPECT_EQ(canvas.bitmapCalls[0].x, 10);
    EXPECT_EQ(canvas.bitmapCalls[0].y, 90);
}

TEST_F(DisplayExchange, PictureIsCopiedAtItsPlace) {
    canvas.SetBitmap(BMP_TRADECENTER, 276, 264, std::vector<Rgb>(276 * 264, GREEN));
    PaintExchangeScreen(canvas, 0, 0);
    EXPECT_EQ(canvas.CountPixels(10, 90, 286, 354, GREEN), 276 * 264);
    EXPECT_EQ(canvas.Pixel(286, 100), WHITE);
}

TEST_F(DisplayExchange, HoverMovesDownTheColumn) {
    PaintExchangeScreen(canvas, 0, 0);   // spends the start-up countdown
    EXPECT_EQ(buttonRepaintCountdown, 0);
    PaintExchangeScreen(canvas, 311, 101 + 52 * 3);
    EXPECT_EQ(buttonHover[3], 1);
    EXPECT_EQ(Inside(3, YELLOW), INTERIOR);
    PaintExchangeScreen(canvas, 310, 101 + 52 * 3);
    EXPECT_EQ(buttonHover[3], 0);
    EXPECT_EQ(Inside(3, WHITE), INTERIOR);
    PaintExchangeScreen(canvas, 499, 149 + 52 * 4);
    EXPECT_EQ(buttonHover[4], 1);
    PaintExchangeScreen(canvas, 500, 125);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(buttonHover[k], 0) << k;
}

// ------------------------------------------------------------ side panel

class DisplaySide : public DisplayTest {
protected:
    RasterCanvas canvas{200, 315};
    int Inside(int k, Rgb colour) const { return canvas.CountPixels(11, 52 * k + 1, 199, 52 * k + 49, colour); }
    static constexpr int INTERIOR = 188 * 48;
};

TEST_F(DisplaySide, HoveredButtonIsRedTheOthersBlue) {
    buttonRepaintCountdown = 6;
    canvas.Clear(PROBE);
    PaintSideButtons(canvas, 100, 52 * 4 + 25);
    EXPECT_EQ(buttonRepaintCountdown, 0);
    EXPECT_EQ(Inside(4, RED), INTERIOR);
    for (int k : {0, 1, 2, 3, 5}) EXPECT_EQ(Inside(k, BLUE), INTERIOR) << k;
    // Black one-pixel outline of (10, 208)-(200, 258).
    EXPECT_EQ(canvas.CountPixels(10, 208, 200, 258, BLACK), 2 * 190 + 2 * 48);
    EXPECT_EQ(canvas.Pixel(10, 208), BLACK);
    EXPECT_EQ(canvas.Pixel(199, 257), BLACK);
    EXPECT_EQ(canvas.Pixel(9, 230), PROBE);
    EXPECT_EQ(canvas.Pixel(100, 258), PROBE);
    const char* labels[] = {"銀行", "本社", "長者番付", "警視庁", "保存・読込", "ゲームの終了"};
    for (int k = 0; k < 6; ++k) {
        const RasterCanvas::TextCall* t = canvas.TextAt(25, 15 + 52 * k);
        ASSERT_NE(t, nullptr) << k;
        EXPECT_EQ(t->text, Sjis(labels[k]));
        EXPECT_EQ(t->colour, WHITE);
        EXPECT_EQ(t->font, FONT_20);
        EXPECT_FALSE(t->opaque);
    }
}

TEST_F(DisplaySide, StartUpCountdownCoversThreeRepaints) {
    ASSERT_EQ(buttonRepaintCountdown, 3);
    canvas.Clear(PROBE);
    PaintSideButtons(canvas, -1, -1);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(Inside(k, BLUE), INTERIOR) << k;
    for (int k = 3; k < 6; ++k) EXPECT_EQ(Inside(k, PROBE), INTERIOR) << k;
}

TEST_F(DisplaySide, LeavingAButtonRefillsItBlue) {
    buttonRepaintCountdown = 0;
    PaintSideButtons(canvas, 11, 1);
    EXPECT_EQ(Inside(0, RED), INTERIOR);
    PaintSideButtons(canvas, 10, 1);
    EXPECT_EQ(Inside(0, BLUE), INTERIOR);
    PaintSideButtons(canvas, 150, 52);   // the top edge of button 1 is outside
    EXPECT_EQ(buttonHover[1], 0);
    PaintSideButtons(canvas, 199, 53);
    EXPECT_EQ(buttonHover[1], 1);
    EXPECT_EQ(Inside(1, RED), INTERIOR);
}

// ------------------------------------------------------------ news ticker

class DisplayTicker : public DisplayTest {
protected:
    RasterCanvas canvas{820, 30};
};

TEST_F(DisplayTicker, OpeningEntriesScrollFromTheRight) {
    canvas.Clear(PROBE);
    NewsTickerTick(canvas);
    EXPECT_EQ(canvas.CountPixels(0, 0, 820, 30, BLACK), 820 * 30);
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(TextAt(canvas, 1200, 10), Sjis("ここにニュースが表示されます"));
    EXPECT_EQ(TextAt(canvas, 600, 10), Sjis("～東都証券取引所～"));
    EXPECT_EQ(canvas.TextAt(600, 10)->font, FONT_15B);
    EXPECT_EQ(canvas.TextAt(600, 10)->colour, GREEN);
    EXPECT_FALSE(canvas.TextAt(600, 10)->opaque);
    EXPECT_EQ(newsXA, 1190);
    EXPECT_EQ(newsXB, 590);
    canvas.ClearRecords();
    NewsTickerTick(canvas);
    EXPECT_NE(canvas.TextAt(1190, 10), nullptr);
    EXPECT_NE(canvas.TextAt(590, 10), nullptr);
}

TEST_F(DisplayTicker, FilesAPendingHeadline) {
    companies[7].trendState = 4;
    newsPending[7] = 1;
    NewsTickerTick(canvas);
    EXPECT_EQ(newsLines[3], companies[7].headline[2]);
    EXPECT_EQ(newsCount, 4);
    EXPECT_EQ(newsPending[7], 0);
    // One frame: the readers moved once.
    EXPECT_EQ(newsXA, 1190);
    EXPECT_EQ(newsXB, 590);
}

TEST_F(DisplayTicker, CalmCompanyFilesNothing) {
    companies[7].trendState = 1;
    newsPending[7] = 1;
    NewsTickerTick(canvas);
    EXPECT_EQ(newsCount, 3);
    EXPECT_EQ(newsPending[7], 1);
}

TEST_F(DisplayTicker, TwoHeadlinesTwoFrames) {
    companies[2].trendState = 2;
    newsPending[2] = 1;
    companies[9].trendState = 9;
    newsPending[9] = 1;
    NewsTickerTick(canvas);
    EXPECT_EQ(newsLines[3], companies[2].headline[0]);
    EXPECT_EQ(newsLines[4], companies[9].headline[7]);
    EXPECT_EQ(newsCount, 5);
    EXPECT_EQ(newsXA, 1180);
    EXPECT_EQ(newsXB, 580);
}

TEST_F(DisplayTicker, WriterWrapsToEntryOne) {
    newsCount = 200;
    companies[5].trendState = 3;
    newsPending[5] = 1;
    NewsTickerTick(canvas);
    EXPECT_EQ(newsLines[200], companies[5].headline[1]);
    EXPECT_EQ(newsCount, 1);
}

TEST_F(DisplayTicker, StopsWhenBothReadersCaughtUp) {
    newsReadA = 3;
    newsReadB = 4;
    newsXA = 700;
    newsXB = 100;
    canvas.Clear(PROBE);
    NewsTickerTick(canvas);
    EXPECT_EQ(canvas.CountPixels(0, 0, 820, 30, BLACK), 820 * 30);
    EXPECT_TRUE(canvas.texts.empty());
    EXPECT_EQ(newsXA, 700);
    EXPECT_EQ(newsXB, 100);
}

TEST_F(DisplayTicker, ReadersMoveOnByTwoWhenTheirTextLeaves) {
    newsXA = -195;
    newsXB = -195;
    NewsTickerTick(canvas);
    EXPECT_EQ(newsXA, 1200);
    EXPECT_EQ(newsReadA, 3);
    EXPECT_EQ(newsXB, 1200);
    EXPECT_EQ(newsReadB, 2);
    newsReadA = 199;
    newsReadB = 200;
    newsXA = newsXB = -195;
    newsCount = 50;   // readers more than 100 ahead: they keep scrolling
    NewsTickerTick(canvas);
    EXPECT_EQ(newsReadA, 0);   // past 200 reader A starts at 0
    EXPECT_EQ(newsReadB, 1);   // and reader B at 1
}

}  // namespace
