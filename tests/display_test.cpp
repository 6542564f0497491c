// The painters on surfaces of each window's size; a scene lists the texts and pixel counts it must leave.
// The surface starts in a colour no painter uses, so every fill shows.

#include <array>
#include <cstring>
#include <limits>

#include "display/money_format.h"
#include "display/painters.h"
#include "tests/test_support.h"
#include "tools/headless/raster_canvas.h"
#include "world/new_game.h"

namespace {

constexpr Rgb WHITE{255, 255, 255}, BLACK{0, 0, 0}, RED{255, 0, 0}, BLUE{0, 0, 255}, GREEN{0, 255, 0},
    YELLOW{255, 255, 0}, CYAN{0, 255, 255}, PROBE{12, 34, 56}, MARK{1, 2, 3};
constexpr FontId ANY_FONT = FONT_COUNT;
const std::string NONE = "<no text>";
std::string J(const char* utf8) { return Sjis(utf8); }

// A text at (x, y); font and colour are checked unless ANY_FONT and PROBE.
struct Text { int x, y; std::string text; FontId font = ANY_FONT; Rgb colour = PROBE; bool opaque = false; };
struct Area { int l, t, r, b; Rgb colour; int n; char cmp = '='; };   // [l, r) x [t, b): exactly n, or more with '>' 
Area At(int x, int y, Rgb colour) { return {x, y, x + 1, y + 1, colour, 1}; }
using Act = std::function<void(RasterCanvas&)>;   // arranges the world and paints
struct Scene { const char* name; int width, height; Act act; std::vector<Text> texts; std::vector<Area> areas; };
void PrintTo(const Scene& s, std::ostream* os) { *os << s.name; }
std::string Named(const ::testing::TestParamInfo<Scene>& info) { return info.param.name; }
// Figures at x, white in the 15-pixel font, after `more`.
std::vector<Text> Figures(int x, std::initializer_list<std::pair<int, const char*>> rows, std::vector<Text> more) {
    for (const auto& [y, value] : rows) more.push_back({x, y, J(value), FONT_15, WHITE});
    return more;
}

class DisplayTest : public WorldTest {
protected:
    void SetUp() override { WorldTest::SetUp(), Fresh(); }
    void Fresh() {
        StartGame(20240607), ResetDisplayState();
        companies[0].name = playerCompanyNameBuf, companies[0].ceoName = playerNameBuf;
        for (int i = 0; i < COMPANY_COUNT; ++i) newsPending[i] = 0;
    }
};
class DisplayScene : public DisplayTest, public ::testing::WithParamInterface<Scene> {};

TEST_P(DisplayScene, Paints) {
    const Scene& s = GetParam();
    RasterCanvas c(s.width, s.height);
    c.Clear(PROBE), s.act(c);
    for (const Text& t : s.texts) {
        const RasterCanvas::TextCall* call = c.TextAt(t.x, t.y);
        SCOPED_TRACE(testing::Message() << "text at " << t.x << "," << t.y);
        ASSERT_EQ(call == nullptr, t.text == NONE);
        if (!call) continue;
        EXPECT_EQ(call->text, t.text);
        EXPECT_FALSE((t.font != ANY_FONT && call->font != t.font) || (t.colour != PROBE && call->colour != t.colour));
        EXPECT_EQ(call->opaque, t.opaque);
    }
    for (const Area& a : s.areas) {
        const int n = c.CountPixels(a.l, a.t, a.r, a.b, a.colour);
        EXPECT_TRUE(a.cmp == '>' ? n > a.n : n == a.n) << n << " at " << a.l << "," << a.t << "-" << a.r << "," << a.b;
    }
}

constexpr int S = 4;   // the company of the detail column
// 25000 shares of company 7 at 330 yen are worth 250 x 33 / 10 = 825; the player's and its own don't count.
void ArrangeDetail() {
    ListedCompany& co = companies[S];
    co.sharePrice = 500, co.funds = 30000, co.property = 5000, co.debt = 12000, co.profit = 2500, co.stockCount = 0;
    co.ceoAssets = 1234, co.issuedShares = 2000000, co.floatingShares = 800000, co.dividendYield = 3;
    for (int j = 0; j < COMPANY_COUNT; ++j) co.holdings[j] = 0;
    co.holdings[7] = 25000, co.holdings[0] = 1000000, co.holdings[S] = 300000, companies[7].sharePrice = 330;
    companies[0].holdings[S] = 500000, companies[0].avgBuyPrice[S] = 480, selectedCompany = S;
}
void PaintStock(RasterCanvas& c) { PaintStockBoard(c), PaintStockDetail(c); }
const std::string LONG_NAME = J("あいうえおかきくけこ");   // 20 bytes

constexpr int C = 6;   // the company of the chart
// A flat history, the zero line at 100 + 40 * 10 / 20 = 120, in trading hours.
Act Chart(std::function<void(ListedCompany&)> change) {
    return [change](RasterCanvas& c) {
        ListedCompany& k = companies[C];
        for (int32_t& d : k.priceDeltaHistory) d = 0;
        k.trendRange[0] = 20, k.sharePrice = 40, k.issuedShares = 1000000, k.holdings[C] = 0;
        companies[0].holdings[C] = 0, historyIndex = 10, gameHour = 11;
        change(k), PaintPriceChart(c, C);
    };
}
// The dial's quadrants round (40, 160), clear of the three-pixel pen on the axes.
Area TopRight(Rgb c, int n, char cmp = '=') { return {42, 130, 70, 158, c, n, cmp}; }
Area BottomRight(Rgb c, int n, char cmp = '=') { return {42, 162, 70, 190, c, n, cmp}; }
Area BottomLeft(Rgb c, int n, char cmp = '=') { return {10, 162, 38, 190, c, n, cmp}; }
Area TopLeft(Rgb c, int n, char cmp = '=') { return {10, 130, 38, 158, c, n, cmp}; }
const std::string CLOSED = J("市場は閉まっています");

const std::string NEWS0 = J("～東都証券取引所～"), NEWS1 = J("ここにニュースが表示されます");
Text News(int k, const std::string& s) { return {150, 10 * k + 20, std::to_string(k) + ":" + s, FONT_10, {50, 255, 50}}; }
Act Calendar(int count, int entry, const char* text) {
    return [=](RasterCanvas& c) { newsLines[entry] = text, newsCount = count, PaintCalendarPanel(c); };
}

// The interiors of 50-pixel-high buttons 52 apart from `top`, in these colours, after `more`.
std::vector<Area> Buttons(int l, int r, int top, std::initializer_list<Rgb> colours, std::vector<Area> more = {}) {
    for (Rgb c : colours) more.push_back({l + 1, top + 1, r - 1, top + 49, c, (r - l - 2) * 48}), top += 52;
    return more;
}
Text Label(int x, int y, const char* utf8, Rgb colour) { return {x, y, J(utf8), FONT_20, colour}; }
// 20-pixel labels 52 apart from (x, y), after `more`.
std::vector<Text> Column(int x, int y, Rgb c, std::initializer_list<const char*> texts, std::vector<Text> more = {}) {
    for (const char* text : texts) more.push_back(Label(x, y, text, c)), y += 52;
    return more;
}
std::vector<Text> Title(Rgb name, Rgb sub, std::vector<Text> more = {}) {
    more.push_back({50, 100, J("オルキディア"), FONT_50, name}), more.push_back(Label(185, 160, "～ルミナリア～", sub));
    return more;
}
Act Fade(int fade) { return [fade](RasterCanvas& c) { titleFade = fade, PaintTitleScreen(c, 0, 0); }; }
const std::string BLANKS16 = J("　　　　　　　　　　　　　　　　");

const Scene SCENES[] = {
    // Rows at y = 12 i + 10: a rise in row 3, a fall in row 12, row 20 unchanged, row 5 selected.
    {"BoardRowsBoxesSelectionAndDividers", 450, 370, [](RasterCanvas& c) {
         for (int i = 0; i < COMPANY_COUNT; ++i) companies[i].priceDelta = 0, companies[i].sharePrice = 100 + i;
         companies[3].priceDelta = 7, companies[12].priceDelta = -12, selectedCompany = 5, PaintStockBoard(c);
         for (int i : {1, 29}) EXPECT_EQ(c.TextAt(15, 12 * i + 10)->text, companies[i].name) << i;
     },
     {{160, 46, J("+7円"), FONT_10, WHITE}, {160, 154, J("-12円")}, {160, 250, J("0円")}, {95, 22, J("101円")},
      {95, 358, J("129円"), FONT_10, WHITE}},
     {{160, 46, 200, 56, RED, 400}, At(200, 51, BLACK), At(159, 51, BLACK), At(180, 56, BLACK), At(180, 45, BLACK),
      {160, 154, 200, 164, BLUE, 400}, {160, 250, 200, 260, BLACK, 400},
      {8, 70, 88, 80, GREEN, 2 * 80 + 2 * 8}, At(8, 70, GREEN), At(87, 79, GREEN), At(88, 79, BLACK), At(40, 75, BLACK),
      {205, 0, 206, 370, GREEN, 370}, {93, 0, 94, 370, BLUE, 360}, At(93, 9, BLACK),   // the column dividers
      {0, 0, 450, 370, BLACK, 450 * 370 - 176 - 370 - 360 - 800}}},
    {"LongPlayerNameIsCutOnTheBoardOnly", 450, 370,
     [](RasterCanvas& c) { std::strcpy(playerCompanyNameBuf, LONG_NAME.c_str()), selectedCompany = 0, PaintStock(c); },
     {{15, 10, LONG_NAME.substr(0, 12), FONT_10}, {290, 10, LONG_NAME, FONT_15}}, {}},
    {"DetailFigures", 450, 370, [](RasterCanvas& c) {
         ArrangeDetail(), PaintStock(c);
         EXPECT_TRUE(c.TextAt(290, 10)->text == companies[S].name && c.TextAt(290, 25)->text == companies[S].ceoName);
     },
     // Assets 35000 + 825, net of the debt; PER 500 / (2500 / 200); PBR 50000 / (23000 / 200); stakes in 20000ths.
     Figures(290, {{40, "500円"}, {55, "3億5825万円"}, {70, "2億3825万円"}, {85, "3億0万円"}, {100, "0株"}, {115, "5000万円"},
                   {130, "2500万円"}, {145, "1億2000万円"}, {160, "1234万円"}, {175, "200万0株"}, {195, "41"}, {210, "434％"},
                   {225, "3％"}, {240, "50万0株"}, {255, "25％"}, {270, "480円"}, {285, "80万0株"}, {300, "15％"}},
             {{210, 10, J("社名"), FONT_15, WHITE}, {210, 300, J("CEO所持率"), FONT_15, WHITE}}),
     {}},
    // The player's own shares count in neither sum; 123 lots at 200 and 1000 at 1234 are worth 12546.
    {"CompanyFiguresInFreePlay", 300, 285, [](RasterCanvas& c) {
         ListedCompany& me = companies[0];
         me.funds = -50000, me.property = 3000, me.debt = 7000, me.profit = -250, me.ceoAssets = 99999;
         for (int j = 0; j < COMPANY_COUNT; ++j) me.holdings[j] = 0;
         me.holdings[0] = 777, me.holdings[5] = 12345, me.holdings[9] = 100000;
         companies[5].sharePrice = 200, companies[9].sharePrice = 1234, PaintCompanyPanel(c);
         EXPECT_EQ(c.texts.size(), 20u); },
     Figures(90, {{10, "太郎の会社"}, {30, "証券 太郎"}, {50, "-34454万円"}, {70, "-4億1454万円"}, {90, "-50000万円"},
                  {110, "11万2345株"}, {130, "3000万円"}, {150, "-250万円"}, {170, "7000万円"}, {200, "9億9999万円"}},
             {{10, 10, J("会社名"), FONT_15, WHITE}, {10, 200, J("個人資産")}, {10, 230, NONE}, {10, 250, NONE}}),
     {{0, 0, 300, 285, BLACK, 300 * 285}}},
    {"ScenarioTitleAndGoalInCyan", 300, 285, [](RasterCanvas& c) { EnterScenarioMode(), PaintCompanyPanel(c); },
     {{10, 230, J("ベンチャー企業家"), FONT_15, CYAN}, {10, 250, J("目標:純資産を２億円以上に"), FONT_15, CYAN}}, {}},
    // Price 100: the zero line at 150 lies over a grid line; open until 13 o'clock.
    {"ChartGridZeroLineNameAndPrice", 520, 200, [](RasterCanvas& c) {
         Chart([](ListedCompany& k) { k.sharePrice = 100, gameHour = 13; })(c);
         EXPECT_TRUE(c.TextAt(10, 5)->text == companies[C].name && c.TextAt(10, 5)->colour == WHITE); },
     {{50, 140, "DeadLine", FONT_20, WHITE}, {14, 30, J("100円"), FONT_20, {255, 155, 55}}, {0, 80, NONE}},
     {{0, 25, 500, 26, BLUE, 500}, {0, 50, 500, 51, BLUE, 500}, {0, 75, 500, 76, BLUE, 500},
      {0, 125, 500, 126, BLUE, 500}, At(500, 125, BLACK), At(500, 25, BLACK), {70, 150, 520, 151, RED, 450},
      {70, 0, 520, 200, RED, 450}, {0, 100, 451, 101, YELLOW, 451}}},
    // A rise of 20 yen on the latest day puts the day before 10 pixels lower; no stake, so no red but the zero line.
    {"ChartRiseDropsTheDayBeforeClosedBeforeNine", 520, 200,
     Chart([](ListedCompany& k) { k.priceDeltaHistory[9] = 20, gameHour = 8; }),
     {{0, 80, CLOSED, FONT_50, {255, 0, 255}}},
     {At(450, 100, YELLOW), {449, 100, 451, 110, YELLOW, 10}, {0, 110, 450, 111, YELLOW, 450},
      {0, 100, 449, 101, YELLOW, 0}, At(420, 100, BLUE), {451, 0, 520, 200, YELLOW, 0}, {0, 0, 520, 200, RED, 520},
      {0, 130, 70, 190, RED, 0}}},
    // From entry 499 back 499 steps to entry 1: entry 0 is never walked. Closed after 13 o'clock.
    {"ChartPathWalksBackAcrossTheRingStart", 520, 200, Chart([](ListedCompany& k) {
         historyIndex = 0, k.priceDeltaHistory[499] = -20, k.priceDeltaHistory[0] = 200, gameHour = 14; }), {{0, 80, CLOSED}},
     {{449, 91, 451, 101, YELLOW, 10}, {0, 90, 450, 91, YELLOW, 450}, {0, 101, 520, 200, YELLOW, 0}}},
    // The player's quarter red from the top, the CEO's tenth green up to it; no range: no zero line; open at 9.
    {"DialStakesAndNoZeroLineWithoutARange", 520, 200, Chart([](ListedCompany& k) {
         k.holdings[C] = 200000, companies[0].holdings[C] = 250000, k.trendRange[0] = 0, gameHour = 9; }), {{0, 80, NONE}},
     {TopRight(RED, 350, '>'), BottomRight(RED, 0), BottomLeft(RED, 0), TopLeft(GREEN, 100, '>'), {70, 0, 520, 200, RED, 0},
      {10, 162, 70, 190, BLUE, 390, '>'}, At(55, 145, RED), At(55, 175, BLUE), {0, 162, 70, 200, GREEN, 0},
      {42, 130, 70, 190, GREEN, 0}}},
    // 60 % of the player's own company: red past the bottom, not to the top left; no green.
    {"DialOfTheOwnCompanyHasNoGreen", 520, 200,
     [](RasterCanvas& c) { companies[0].issuedShares = 1000000, companies[0].holdings[0] = 600000, PaintPriceChart(c, 0); },
     {}, {{0, 130, 70, 190, GREEN, 0}, BottomRight(RED, 350, '>'), TopLeft(BLUE, 300, '>'), BottomLeft(RED, 20, '>')}},
    {"ChartExtremeChangesStayDefined", 520, 200, Chart([](ListedCompany& k) {
         using L = std::numeric_limits<int32_t>;
         for (int32_t& d : k.priceDeltaHistory) d = L::min();
         k.trendRange[0] = 1, k.sharePrice = L::max(), historyIndex = L::min(); }),
     {}, {{70, 0, 520, 200, RED, 0}, At(450, 100, YELLOW), {0, 0, 449, 200, YELLOW, 0}}},
    // At start entries 2, 1, 0 exist; the missing ones show entry 1.
    {"DateHeadingDividerAndOpeningNews", 520, 85,
     [](RasterCanvas& c) { gameYear = 2007, gameMonth = 3, gameDay = 13, PaintCalendarPanel(c); },
     {{0, 5, J("現在時刻：西暦2007年03月13日"), FONT_20, RED}, {10, 45, J("ニュース経歴"), FONT_20, {255, 200, 50}},
      News(1, J("右上の各銘柄をクリックし、企業データを参照できます。")), News(2, NEWS1), News(3, NEWS0),
      News(4, NEWS1), News(5, NEWS1)},
     {{0, 27, 520, 28, WHITE, 520}, {0, 0, 520, 85, BLACK, 520 * 85 - 520}}},
    // Index 201 lies outside the ring: entry 1 instead; 200 is its last entry.
    {"IndexAtAndPastTheRingEnd", 520, 85, Calendar(202, 200, "last"), {News(1, NEWS1), News(2, "last")}, {}},
    {"TitleStartUpFillsEveryButton", 570, 370,
     [](RasterCanvas& c) { PaintTitleScreen(c, 200, 225); EXPECT_EQ(buttonRepaintCountdown, 0); },
     Title(WHITE, WHITE, Column(195, 215, BLACK, {"新しく起業する", "続きから始める", "ゲームを終了"})),
     Buttons(150, 400, 200, {YELLOW, WHITE, WHITE},
             {{150, 200, 400, 250, BLACK, 2 * 250 + 2 * 48}, At(399, 249, BLACK), At(400, 225, PROBE), At(200, 250, PROBE)})},
    // After the countdown only a button whose hover changed is refilled; the labels are written every time.
    {"TitleRefillsOnlyOnAHoverChange", 570, 370, [](RasterCanvas& c) {
         PaintTitleScreen(c, 200, 225), c.SetPixel(300, 330, MARK), c.ClearRecords();
         PaintTitleScreen(c, 200, 277), c.SetPixel(300, 280, MARK), PaintTitleScreen(c, 210, 280); },
     {Label(195, 319, "ゲームを終了", BLACK)},
     Buttons(150, 400, 200, {WHITE}, {{151, 253, 399, 301, YELLOW, 248 * 48 - 1}, At(300, 330, MARK), At(300, 280, MARK)})},
    {"TitleFadesHalfway", 570, 370, Fade(120), Title({120, 120, 120}, {120, 120, 255}), {}},
    {"IntroTextIsOpaque", 570, 370, PaintIntroText,
     {{10, 280, J("右クリックでスタート"), FONT_50, RED, true},
      {10, 100, J("会社を起業します。総資産は１億４０００万円です。　　　"), FONT_20, BLACK, true},
      {10, 200, J("ただし、負債が1000兆円を超えるとゲームオーバーです...　"), FONT_20, BLACK, true},
      {10, 330, BLANKS16, FONT_50, RED, true}},
     {At(20, 300, WHITE)}},
    // (300, 30)-(600, 1000): black outline on the left and top, white inside.
    {"ClearExchangeButtons", 570, 370, ClearExchangeButtons, {},
     {{300, 30, 301, 370, BLACK, 340}, {300, 30, 570, 31, BLACK, 270}, {301, 31, 570, 370, WHITE, 269 * 339},
      At(299, 100, PROBE), At(400, 29, PROBE)}},
    {"ExchangeButtonsLinesAndTexts", 570, 370,
     [](RasterCanvas& c) { buttonRepaintCountdown = 6, PaintExchangeScreen(c, 400, 125); },
     Column(325, 115, BLACK, {"株式購入", "株式売却", "時間外取引", "注文取消", "戻る"},
            {Label(5, 5, "東都証券取引所", BLACK), {5, 45, J("右側の株式情報ウィンドウから,"), FONT_15B, BLUE},
             {5, 75, J("銘柄を選んで取引を行ってください。"), FONT_15B, BLUE}}),
     Buttons(310, 500, 100, {YELLOW, WHITE, WHITE, WHITE, WHITE},   // and the dividers from y 30
             {{310, 100, 500, 150, BLACK, 2 * 190 + 2 * 48}, {0, 30, 570, 31, BLACK, 570},
              {300, 30, 301, 370, BLACK, 340}, At(300, 29, PROBE), At(400, 365, PROBE)})},   // one repaint left, no sixth
    {"ExchangePictureAtItsPlace", 570, 370,
     [](RasterCanvas& c) { c.SetBitmap(BMP_TRADECENTER, 276, 264, std::vector<Rgb>(276 * 264, GREEN)), PaintExchangeScreen(c, 0, 0); },
     {}, {{10, 90, 286, 354, GREEN, 276 * 264}, At(286, 100, PROBE), At(100, 89, PROBE)}},
    {"SideHoveredRedTheOthersBlue", 200, 315,
     [](RasterCanvas& c) { buttonRepaintCountdown = 6, PaintSideButtons(c, 100, 233); EXPECT_EQ(buttonRepaintCountdown, 0); },
     Column(25, 15, WHITE, {"銀行", "本社", "長者番付", "警視庁", "保存・読込", "ゲームの終了"}),
     Buttons(10, 200, 0, {BLUE, BLUE, BLUE, BLUE, RED, BLUE}, {{10, 208, 200, 258, BLACK, 2 * 190 + 2 * 48},
             At(10, 208, BLACK), At(199, 257, BLACK), At(9, 230, PROBE), At(100, 258, PROBE)})},
    {"TickerOpeningEntriesScrollFromTheRight", 820, 30, [](RasterCanvas& c) { NewsTickerTick(c), NewsTickerTick(c); },
     {{1200, 10, NEWS1, FONT_15B, GREEN}, {600, 10, NEWS0, FONT_15B, GREEN}, {1190, 10, NEWS1}, {590, 10, NEWS0}},
     {{0, 0, 820, 30, BLACK, 820 * 30}}},
    // A dialog draws in its own pixels onto a surface placed at (10, 20) of it.
    {"OffsetCanvasShiftsEveryCall", 100, 100, [](RasterCanvas& c) {
         OffsetCanvas o(c, 10, 20);
         c.SetBitmap(BMP_UNIT, 2, 2, std::vector<Rgb>(4, BLUE)), o.DrawBitmap(BMP_UNIT, 12, 83);
         o.SelectPen(PEN_RED1), o.SelectBrush(BRUSH_RED), o.Rectangle(15, 25, 25, 35), o.SetTextColour(WHITE);
         o.TextOut(30, 40, "x"), o.SelectPen(PEN_GREEN1), o.Line(10, 60, 20, 60);
         EXPECT_TRUE(o.Width() == 110 && o.Height() == 120); },
     {{20, 20, "x", ANY_FONT, WHITE}}, {{5, 5, 15, 15, RED, 100}, {0, 40, 10, 41, GREEN, 10}, {2, 63, 4, 65, BLUE, 4}}},
};
INSTANTIATE_TEST_SUITE_P(Painters, DisplayScene, ::testing::ValuesIn(SCENES), Named);

// Figures of the detail column after one change to the arranged company.
TEST_F(DisplayTest, DetailGuardsSignsAndSaturation) {
    using L = std::numeric_limits<int64_t>;
    ListedCompany& k = companies[S];
    const std::string zero = J("0％"), MAX = FormatMoney(L::max());
    const struct { std::function<void()> change; std::vector<std::pair<int, std::string>> shown; } rows[] = {
        {[&] { k.profit = -2500; }, {{195, "-41"}}},   // a loss: negative
        {[&] { k.profit = 100; }, {{195, "0"}}},       // earnings 100 / 200 = 0, not a divisor
        {[&] { k.sharePrice = 10; }, {{195, "0"}, {210, zero}}},        // a price of 10 is not above 10,
        {[&] { k.issuedShares = 10000; }, {{195, "0"}, {210, zero}}},   // nor an issue of 10000 above 10000
        {[&] { k.sharePrice = 11, k.profit = 200; }, {{195, "11"}, {210, J("9％")}}},   // 11 / 1, 1100 / 115
        {[&] { k.debt = 35000; }, {{210, zero}}},     // book value 0
        {[&] { k.issuedShares = 10001, k.profit = 10; }, {{195, "50"}, {210, J("2％")}}},   // 500 / 10, 50000 / 23000
        {[&] { k.issuedShares = 99; }, {{255, zero}, {300, zero}}},
        // The signed form and the positive-threshold form of a negative amount.
        {[&] { k.funds = -50000, k.property = k.debt = k.holdings[7] = 0; }, {{55, J("-5億0万円")}, {85, J("-50000万円")}}},
        // Sums beyond 64 bits stop at the largest amount rather than wrapping.
        {[&] { k.funds = k.property = L::max(), k.debt = L::min(); }, {{55, MAX}, {70, MAX}}},
        {[&] { k.funds = L::min(), k.debt = L::max(), k.property = k.holdings[7] = 0; }, {{70, FormatMoney(L::min())}}},
    };
    for (const auto& r : rows) {
        RasterCanvas c(450, 370);
        ArrangeDetail(), r.change(), PaintStock(c);
        for (const auto& [y, value] : r.shown) EXPECT_EQ(c.TextAt(290, y)->text, value) << &r - rows << ", y " << y;
    }
}

// The hover of each button painter: the left edge inside, the others outside.
TEST_F(DisplayTest, HoverBounds) {
    const auto T = PaintTitleScreen, E = PaintExchangeScreen, B = PaintSideButtons;
    const struct { void (*paint)(Canvas&, int, int); int x, y, button, hovered; } rows[] = {
        {T, 150, 225, 0, 0}, {T, 151, 225, 0, 1}, {T, 399, 249, 0, 1}, {T, 400, 225, 0, 0}, {T, 200, 200, 0, 0},
        {T, 200, 250, 0, 0}, {T, 200, 250, 1, 0}, {T, 200, 353, 2, 1}, {E, 311, 257, 3, 1}, {E, 310, 257, 3, 0},
        {E, 499, 357, 4, 1}, {E, 500, 125, 0, 0}, {E, 400, 100, 0, 0}, {B, 11, 1, 0, 1},    {B, 10, 1, 0, 0},
        {B, 150, 52, 1, 0},  {B, 199, 53, 1, 1},  {B, 200, 60, 1, 0},  {B, 100, 50, 0, 0},
    };
    RasterCanvas c(570, 370);
    for (const auto& r : rows) EXPECT_EQ((r.paint(c, r.x, r.y), buttonHover[r.button]), r.hovered) << "row " << &r - rows;
}

// One ticker tick: the writer's count, the readers' entries and places, the texts drawn; each filed headline
// {entry, company, news state}.
TEST_F(DisplayTest, NewsTickerFilesAndScrolls) {
    const struct {
        std::function<void()> arrange;
        std::array<int, 6> countReadAXaReadBXbTexts;
        std::vector<std::array<int, 3>> filed;
    } rows[] = {
        // A company in the calm state files nothing however pending.
        {[] { companies[7].trendState = 4, newsPending[7] = 1, companies[8].trendState = 1, newsPending[8] = 1; },
         {4, 1, 1190, 0, 590, 2}, {{3, 7, 4}}},
        {[] { companies[2].trendState = 2, newsPending[2] = 1, companies[9].trendState = 9, newsPending[9] = 1; },
         {5, 1, 1180, 0, 580, 4}, {{3, 2, 2}, {4, 9, 9}}},   // two headlines, two frames
        {[] { newsCount = 200, companies[5].trendState = 3, newsPending[5] = 1; },   // the writer wraps to entry 1
         {1, 1, 1190, 0, 590, 2}, {{200, 5, 3}}},
        {[] { newsXA = newsXB = -195; }, {3, 3, 1200, 2, 1200, 2}, {}},   // a text that left: its reader moves by two
        {[] { newsXA = newsXB = -190; }, {3, 1, -200, 0, -200, 2}, {}},   // at -200 it has not yet left
        {[] { newsReadB = 3, newsLines[3] = "x"; }, {3, 1, 1190, 3, 590, 1}, {}},   // a reader at the writer shows nothing
        {[] { newsReadA = 3, newsReadB = 4, newsXA = 700, newsXB = 100; }, {3, 3, 700, 4, 100, 0}, {}},   // caught up
        {[] { newsReadA = newsReadB = 103; }, {3, 103, 1200, 103, 600, 0}, {}},   // 100 ahead counts as caught up
        {[] { newsReadA = 104, newsReadB = 103; }, {3, 104, 1190, 103, 590, 0}, {}},   // one 101 ahead: still scrolling
        {[] { newsReadA = 103, newsReadB = 104; }, {3, 103, 1190, 104, 590, 0}, {}},
        // Past 200 reader A starts at 0 and B at 1; readers over 100 ahead of the writer keep scrolling.
        {[] { newsReadA = 199, newsReadB = 200, newsXA = newsXB = -195, newsCount = 50; }, {50, 0, 1200, 1, 1200, 0}, {}},
    };
    for (const auto& r : rows) {
        RasterCanvas c(820, 30);
        Fresh(), r.arrange(), NewsTickerTick(c);
        const std::array<int, 6> got{newsCount, newsReadA, newsXA, newsReadB, newsXB, static_cast<int>(c.texts.size())};
        EXPECT_EQ(got, r.countReadAXaReadBXbTexts) << "row " << &r - rows;
        for (const auto& [entry, company, state] : r.filed) {
            EXPECT_EQ(newsLines[entry], companies[company].headline[state - 2]) << entry;
            EXPECT_EQ(newsPending[company], 0) << company;
        }
    }
}

}  // namespace
