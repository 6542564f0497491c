#include "display/painters.h"

#include <algorithm>

#include <cmath>
#include <string>

#include "display/money_format.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

int32_t buttonHover[6];
int32_t buttonHoverPrev[6];

namespace {

constexpr Rgb WHITE{255, 255, 255};
constexpr Rgb BLACK{0, 0, 0};
constexpr Rgb RED{255, 0, 0};
constexpr Rgb BLUE{0, 0, 255};
constexpr Rgb CYAN{0, 255, 255};
constexpr Rgb MAGENTA{255, 0, 255};
constexpr Rgb CHART_ORANGE{255, 155, 55};
constexpr Rgb CALENDAR_ORANGE{255, 200, 50};
constexpr Rgb CALENDAR_GREEN{50, 255, 50};

constexpr double PI = 3.14159265358979323846;

// A text reference not set yet (before the opening position exists) draws as
// an empty text rather than crashing the panel.
const char* Safe(TextRef t) { return t ? t : ""; }

void Text(Canvas& c, int x, int y, const std::string& s) { c.TextOut(x, y, s.c_str()); }

std::string Yen(int32_t v) { return StrPrintf(TXT_FMT_YEN, v); }
std::string Percent(int64_t v) { return StrPrintf(TXT_DISPLAY_PERCENT, Low32(v)); }

uint8_t Channel(int32_t v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// The shared hover rule of the three button painters: a button's rectangle is
// filled only when its hover state changed or while the start-up countdown
// runs, so that the buttons do not flicker under the mouse.
void PaintButton(Canvas& c, int k, bool hovered, int left, int top, int right, int bottom, BrushId hot,
                 BrushId normal) {
    buttonHover[k] = hovered ? 1 : 0;
    if (buttonHover[k] != buttonHoverPrev[k] || buttonRepaintCountdown >= 1) {
        if (buttonRepaintCountdown > 0) buttonRepaintCountdown -= 1;
        c.SelectPen(PEN_BLACK1);
        c.SelectBrush(buttonHover[k] ? hot : normal);
        c.Rectangle(left, top, right, bottom);
    }
    buttonHoverPrev[k] = buttonHover[k];
}

// A label and its value on one row of a figures panel.
struct Row {
    int y;
    const char* label;
    std::string value;
};

template <size_t N>
void PaintRows(Canvas& c, const Row (&rows)[N], int labelX, int valueX) {
    for (const Row& r : rows) {
        c.TextOut(labelX, r.y, r.label);
        Text(c, valueX, r.y, r.value);
    }
}

// d * 10 / range as the chart scales a price, in 32 bits; saturated instead
// of overflowing, 0 when there is no range.
int32_t ChartScale(int32_t d, int32_t range) {
    if (range == 0) return 0;
    int32_t tenfold = ClampToInt32(static_cast<int64_t>(d) * 10);
    return ClampToInt32(SafeDiv(tenfold, range));
}

}  // namespace

void ResetDisplayState() {
    for (int k = 0; k < 6; ++k) {
        buttonHover[k] = 0;
        buttonHoverPrev[k] = 0;
    }
    newsReadA = 1;
    newsReadB = 0;
    newsXA = 1200;
    newsXB = 600;
}

int64_t HoldingValue(int s) {
    int64_t sum = 0;
    for (int j = 1; j < COMPANY_COUNT; ++j) {
        if (j == s) continue;
        int64_t lots = companies[s].holdings[j] / 100;
        int32_t tenth = companies[j].sharePrice / 10;
        sum = SatAdd(sum, SatMul(lots, tenth) / 10);
    }
    return sum;
}

// ------------------------------------------------------------ stock board

void PaintStockBoard(Canvas& c) {
    c.SelectPen(PEN_RED1);
    c.SelectFont(FONT_10);
    c.SelectBrush(BRUSH_BLACK);
    c.Rectangle(-5, -5, 500, 500);
    c.SetTextColour(WHITE);
    c.SetOpaqueText(false);

    c.SelectPen(PEN_GREEN1);
    const int s = selectedCompany;
    c.Rectangle(8, 12 * s + 10, 88, 12 * s + 20);
    c.Line(205, 0, 205, 500);
    c.SelectPen(PEN_BLUE1);
    c.Line(93, 10, 93, 500);

    for (int i = 0; i < COMPANY_COUNT; ++i) {
        const ListedCompany& co = companies[i];
        const int y = 12 * i + 10;
        const char* name = Safe(co.name);
        if (i == 0) {
            // The player chose this name: cut it so that it stays in its column.
            Text(c, 15, y, std::string(name, static_cast<size_t>(CutLength(name, 12))));
        } else {
            c.TextOut(15, y, name);
        }
        Text(c, 95, y, Yen(co.sharePrice));
        if (co.priceDelta > 0) {
            c.SelectPen(PEN_RED1);
            c.SelectBrush(BRUSH_RED);
            c.Rectangle(160, y, 200, y + 10);
        } else if (co.priceDelta < 0) {
            c.SelectPen(PEN_BLUE1);
            c.SelectBrush(BRUSH_BLUE);
            c.Rectangle(160, y, 200, y + 10);
        }
        Text(c, 160, y, co.priceDelta > 0 ? StrPrintf(TXT_BOARD_CHANGE_UP, co.priceDelta) : Yen(co.priceDelta));
    }
}

void PaintStockDetail(Canvas& c) {
    c.SelectFont(FONT_15);
    c.SetTextColour(WHITE);
    c.SetOpaqueText(false);
    const int s = selectedCompany < 0 || selectedCompany >= COMPANY_COUNT ? 0 : selectedCompany;
    const ListedCompany& co = companies[s];
    const int64_t value = HoldingValue(s);
    const int64_t playerShares = companies[0].holdings[s];

    // Book value and earnings per 10,000 shares, as the ratios are quoted.
    std::string per = StrPrintf(TXT_DISPLAY_NUMBER, 0);
    if (co.sharePrice > 10 && co.profit != 0 && co.issuedShares > 10000) {
        int64_t eps = SafeDiv(co.profit, co.issuedShares / 10000);
        if (eps != 0) per = StrPrintf(TXT_DISPLAY_NUMBER, Low32(SafeDiv(co.sharePrice, eps)));
    }
    std::string pbr = Percent(0);
    if (co.sharePrice > 10 && co.issuedShares > 10000) {
        int64_t book = SatAdd(SatSub(co.funds, co.debt), co.property);
        int64_t bps = SafeDiv(book, co.issuedShares / 10000);
        if (bps != 0) pbr = Percent(SafeDiv(static_cast<int64_t>(co.sharePrice) * 100, bps));
    }
    const int64_t ceoStake = co.holdings[s] == 0 ? 0 : StakePercent(co.holdings[s], co.issuedShares);

    const Row rows[] = {
        {10, TXT_DETAIL_NAME, Safe(co.name)},
        {25, TXT_DETAIL_CEO, Safe(co.ceoName)},
        {40, TXT_DETAIL_PRICE, Yen(co.sharePrice)},
        {55, TXT_DETAIL_ASSETS, FormatMoney(SatAdd(SatAdd(co.funds, co.property), value))},
        {70, TXT_DETAIL_NET_ASSETS, FormatMoney(SatAdd(SatAdd(SatSub(co.funds, co.debt), co.property), value))},
        {85, TXT_DETAIL_FUNDS, FormatMoneySimple(co.funds)},
        {100, TXT_DETAIL_STOCK, FormatShares(co.stockCount)},
        {115, TXT_DETAIL_PROPERTY, FormatMoneySimple(co.property)},
        {130, TXT_DETAIL_PROFIT, FormatMoney(co.profit)},
        {145, TXT_DETAIL_DEBT, FormatMoneySimple(co.debt)},
        {160, TXT_DETAIL_CEO_ASSETS, FormatMoneySimple(co.ceoAssets)},
        {175, TXT_DETAIL_ISSUED, FormatShares(co.issuedShares)},
        {195, TXT_DETAIL_PER, per},
        {210, TXT_DETAIL_PBR, pbr},
        {225, TXT_DETAIL_YIELD, Percent(co.dividendYield)},
        {240, TXT_DETAIL_HELD, FormatShares(playerShares)},
        {255, TXT_DETAIL_STAKE, Percent(StakePercent(playerShares, co.issuedShares))},
        {270, TXT_DETAIL_AVG_PRICE, Yen(companies[0].avgBuyPrice[s])},
        {285, TXT_DETAIL_FLOAT, FormatShares(co.floatingShares)},
        {300, TXT_DETAIL_CEO_STAKE, Percent(ceoStake)},
    };
    PaintRows(c, rows, 210, 290);
}

// ------------------------------------------------- company panel and chart

void PaintCompanyPanel(Canvas& c) {
    c.SelectPen(PEN_BLACK1);
    c.SelectFont(FONT_15);
    c.SelectBrush(BRUSH_BLACK);
    c.Rectangle(-5, -5, 500, 500);
    c.SetTextColour(WHITE);
    c.SetOpaqueText(false);

    const ListedCompany& me = companies[0];
    const int64_t value = HoldingValue(0);
    int64_t sharesHeld = 0;
    for (int j = 1; j < COMPANY_COUNT; ++j) sharesHeld = SatAdd(sharesHeld, me.holdings[j]);

    const Row rows[] = {
        {10, TXT_PANEL_COMPANY, Safe(me.name)},
        {30, TXT_DETAIL_CEO, Safe(me.ceoName)},
        {50, TXT_DETAIL_ASSETS, FormatMoneySimple(SatAdd(SatAdd(me.funds, me.property), value))},
        {70, TXT_DETAIL_NET_ASSETS, FormatMoney(SatAdd(SatAdd(SatSub(me.funds, me.debt), me.property), value))},
        {90, TXT_DETAIL_FUNDS, FormatMoneySimple(me.funds)},
        {110, TXT_PANEL_TOTAL_SHARES, FormatShares(sharesHeld)},
        {130, TXT_DETAIL_PROPERTY, FormatMoneySimple(me.property)},
        {150, TXT_DETAIL_PROFIT, FormatMoney(me.profit)},
        {170, TXT_DETAIL_DEBT, FormatMoneySimple(me.debt)},
        {200, TXT_PANEL_PERSONAL_ASSETS, FormatMoneySimple(me.ceoAssets)},
    };
    PaintRows(c, rows, 10, 90);

    if (scenarioLevel != 0) {
        c.SetTextColour(CYAN);
        c.TextOut(10, 230, Safe(scenarioTitle));
        Text(c, 10, 250, StrPrintf(TXT_PANEL_GOAL, Safe(scenarioGoal)));
    }
}

void PaintPriceChart(Canvas& c, int company) {
    const int co = company < 0 || company >= COMPANY_COUNT ? 0 : company;
    const ListedCompany& k = companies[co];

    c.SelectPen(PEN_BLUE1);
    c.SelectFont(FONT_20);
    c.SelectBrush(BRUSH_BLACK);
    c.Rectangle(-5, -5, 600, 600);
    c.SetOpaqueText(false);
    for (int y = 25; y <= 175; y += 25) c.Line(0, y, 500, y);

    // The path runs from today (x = 450) back in time, one pixel per day; a
    // rise on a day puts the day before lower on the screen.
    const int32_t range = k.trendRange[0];
    c.SelectPen(PEN_YELLOW1);
    int x = 450;
    int64_t y = 100;
    c.MoveTo(x, static_cast<int>(y));
    // The entry of the most recent market day; 64-bit so that a corrupt
    // index cannot overflow on the way into the ring.
    int idx = static_cast<int>(((static_cast<int64_t>(historyIndex) - 1) % HISTORY_SIZE + HISTORY_SIZE) % HISTORY_SIZE);
    for (int step = 0; step < HISTORY_SIZE - 1; ++step) {
        y = ClampToInt32(y + ChartScale(k.priceDeltaHistory[idx], range));
        x -= 1;
        c.LineTo(x, static_cast<int>(y));
        idx = idx == 0 ? HISTORY_SIZE - 1 : idx - 1;
    }

    // Where the path would reach a price of zero.
    if (range != 0) {
        const int zero = ClampToInt32(int64_t{100} + ChartScale(k.sharePrice, range));
        c.SelectPen(PEN_RED1);
        c.Line(0, zero, 1000, zero);
        c.SetTextColour(WHITE);
        c.TextOut(50, ClampToInt32(int64_t{zero} - 10), TXT_CHART_DEADLINE);
    }

    c.SetTextColour(WHITE);
    c.TextOut(10, 5, Safe(k.name));

    if (gameHour < 9 || gameHour > 13) {
        c.SelectFont(FONT_50);
        c.SetTextColour(MAGENTA);
        c.TextOut(0, 80, TXT_CHART_CLOSED);
    }

    c.SelectFont(FONT_20);
    c.SetTextColour(CHART_ORANGE);
    Text(c, 14, 30, Yen(k.sharePrice));

    // Holding dial: red the player's stake from the top clockwise, green the
    // company's own CEO's stake ending at the top, blue the rest.
    const int64_t mine = StakePercent(companies[0].holdings[co], k.issuedShares);
    const int64_t ceo = co != 0 ? StakePercent(k.holdings[co], k.issuedShares) : -1;
    PaintStakePie(c, 40, 160, 25, mine, ceo);
}

void PaintStakePie(Canvas& c, int cx, int cy, int radius, int64_t playerStake, int64_t ceoStake) {
    const double mineEnd = static_cast<double>(playerStake) * 2.0 * PI / 100.0;
    const double ceoStart = 2.0 * PI - static_cast<double>(ceoStake) * 2.0 * PI / 100.0;
    c.SelectPen(PEN_RED3);
    for (float a = 0.0f; a < 2.0 * PI; a += 0.01f) {
        if (a > mineEnd) c.SelectPen(PEN_BLUE3);
        if (ceoStake >= 0 && a > ceoStart) c.SelectPen(PEN_GREEN3);
        const double angle = static_cast<double>(a) - PI / 2.0;
        c.Line(cx, cy, TruncToInt32(cx + radius * std::cos(angle)), TruncToInt32(cy + radius * std::sin(angle)));
    }
}

void PaintVoteBars(Canvas& c, int32_t yes, int32_t no) {
    // A bar from the base line up to its height: the corners in either order.
    const auto bar = [&c](int left, int right, int32_t height) {
        const int top = ClampToInt32(170 - static_cast<int64_t>(height));
        c.Rectangle(left, std::min(top, 170), right, std::max(top, 170));
    };
    c.SelectPen(PEN_BLACK1);
    c.SelectBrush(BRUSH_BLUE);
    bar(350, 395, no);
    c.SelectBrush(BRUSH_GREEN);
    bar(255, 300, yes);
}

// ---------------------------------------------------------- calendar panel

void PaintCalendarPanel(Canvas& c) {
    c.SelectPen(PEN_BLACK1);
    c.SelectBrush(BRUSH_BLACK);
    c.Rectangle(0, 0, 800, 400);
    c.SetOpaqueText(false);

    c.SelectFont(FONT_20);
    c.SetTextColour(RED);
    Text(c, 0, 5, StrPrintf(TXT_CALENDAR_DATE, gameYear, gameMonth, gameDay));
    c.SelectPen(PEN_WHITE1);
    c.Line(0, 27, 1000, 27);
    c.SetTextColour(CALENDAR_ORANGE);
    c.TextOut(10, 45, TXT_NEWS_HISTORY);

    c.SelectFont(FONT_10);
    c.SetTextColour(CALENDAR_GREEN);
    for (int k = 1; k <= 5; ++k) {
        // Before five entries exist the missing ones show entry 1.
        int64_t index = static_cast<int64_t>(newsCount) - k;
        if (index < 0 || index >= NEWS_LINE_COUNT) index = 1;
        Text(c, 150, 10 * k + 20, StrPrintf(TXT_CALENDAR_NEWS_LINE, k, Safe(newsLines[index])));
    }
}

// ------------------------------------------------------------ main view

void PaintTitleScreen(Canvas& c, int x, int y) {
    const uint8_t f = Channel(titleFade);
    c.SetOpaqueText(false);
    c.SelectFont(FONT_50);
    c.SetTextColour(Rgb{f, f, f});
    c.TextOut(50, 100, TXT_TITLE_SCREEN_NAME);
    c.SelectFont(FONT_20);
    c.SetTextColour(Rgb{f, f, 255});
    c.TextOut(185, 160, TXT_TITLE_SCREEN_SUB);

    for (int k = 0; k < 3; ++k) {
        const int top = 200 + 52 * k, bottom = 250 + 52 * k;
        const bool hovered = 151 <= x && x < 400 && top < y && y < bottom;
        PaintButton(c, k, hovered, 150, top, 400, bottom, BRUSH_YELLOW, BRUSH_WHITE);
    }

    c.SelectFont(FONT_20);
    c.SetTextColour(BLACK);
    c.TextOut(195, 215, TXT_TITLE_SCREEN_NEW);
    c.TextOut(195, 267, TXT_TITLE_SCREEN_CONTINUE);
    c.TextOut(195, 319, TXT_TITLE_SCREEN_QUIT);
}

void PaintIntroText(Canvas& c) {
    c.SelectFont(FONT_20);
    c.SetTextColour(BLACK);
    c.SetOpaqueText(true);
    const char* const lines[] = {TXT_INTRO_LINE_1, TXT_INTRO_LINE_2, TXT_INTRO_LINE_3, TXT_INTRO_LINE_4,
                                 TXT_INTRO_LINE_5, TXT_INTRO_LINE_6, TXT_INTRO_BLANK_25};
    int y = 100;
    for (const char* line : lines) {
        c.TextOut(10, y, line);
        y += 20;
    }
    // The blank lines wipe what the title screen left beneath.
    c.SelectFont(FONT_50);
    c.SetTextColour(RED);
    c.TextOut(10, 240, TXT_INTRO_BLANK_16);
    c.TextOut(10, 280, TXT_INTRO_START);
    c.TextOut(10, 330, TXT_INTRO_BLANK_16);
    // The other painters of the view write transparently.
    c.SetOpaqueText(false);
}

void PaintFieldMap(Canvas& c) {
    struct Building {
        BitmapId bitmap;
        int x, y;
    };
    static const Building buildings[] = {
        {BMP_ICON1, 430, 225}, {BMP_ICON2, 460, 30}, {BMP_ICON3, 340, 60},  {BMP_ICON4, 110, 110},
        {BMP_ICON5, 210, 10},  {BMP_ICON6, 10, 150}, {BMP_ICON7, 240, 120}, {BMP_ICON8, 10, 10},
        {BMP_ICON9, 120, 300},
    };
    c.DrawBitmap(BMP_FIELD1, 0, 0, ROP_COPY);
    for (const Building& b : buildings) c.DrawBitmap(b.bitmap, b.x, b.y, ROP_COPY);
}

void PaintExchangeScreen(Canvas& c, int x, int y) {
    c.SetOpaqueText(false);
    c.SelectFont(FONT_20);
    c.SetTextColour(BLACK);
    c.TextOut(5, 5, TXT_EXCHANGE_SCREEN_NAME);
    c.SelectFont(FONT_15B);
    c.SetTextColour(BLUE);
    c.TextOut(5, 45, TXT_EXCHANGE_SCREEN_HINT_1);
    c.TextOut(5, 75, TXT_EXCHANGE_SCREEN_HINT_2);
    c.SelectPen(PEN_BLACK1);
    c.Line(0, 30, 1000, 30);
    c.Line(300, 30, 300, 1000);

    for (int k = 0; k < 5; ++k) {
        const int top = 100 + 52 * k, bottom = 150 + 52 * k;
        const bool hovered = 311 <= x && x < 500 && top < y && y < bottom;
        PaintButton(c, k, hovered, 310, top, 500, bottom, BRUSH_YELLOW, BRUSH_WHITE);
    }

    c.DrawBitmap(BMP_TRADECENTER, 10, 90, ROP_COPY);

    c.SelectFont(FONT_20);
    c.SetTextColour(BLACK);
    c.TextOut(325, 115, TXT_EXCHANGE_SCREEN_BUY);
    c.TextOut(325, 167, TXT_EXCHANGE_SCREEN_SELL);
    c.TextOut(325, 219, TXT_EXCHANGE_SCREEN_AFTER_HOURS);
    c.TextOut(325, 271, TXT_EXCHANGE_SCREEN_CANCEL);
    c.TextOut(325, 323, TXT_EXCHANGE_SCREEN_BACK);
}

void ClearMainView(Canvas& c) {
    c.SelectPen(PEN_BLACK1);
    c.SelectBrush(BRUSH_WHITE);
    c.Rectangle(-5, -5, 2000, 2000);
}

void ClearExchangeButtons(Canvas& c) {
    c.SelectPen(PEN_BLACK1);
    c.SelectBrush(BRUSH_WHITE);
    c.Rectangle(300, 30, 600, 1000);
}

// ------------------------------------------------------------ side panel

void PaintSideButtons(Canvas& c, int x, int y) {
    for (int k = 0; k < 6; ++k) {
        const int top = 52 * k, bottom = 52 * k + 50;
        const bool hovered = 11 <= x && x < 200 && top < y && y < bottom;
        PaintButton(c, k, hovered, 10, top, 200, bottom, BRUSH_RED, BRUSH_BLUE);
    }
    c.SelectFont(FONT_20);
    c.SetTextColour(WHITE);
    c.SetOpaqueText(false);
    c.TextOut(25, 15, TXT_SIDE_BUTTON_BANK);
    c.TextOut(25, 67, TXT_SIDE_BUTTON_HQ);
    c.TextOut(25, 119, TXT_SIDE_BUTTON_RANKING);
    c.TextOut(25, 171, TXT_SIDE_BUTTON_POLICE);
    c.TextOut(25, 223, TXT_SIDE_BUTTON_SAVE_LOAD);
    c.TextOut(25, 275, TXT_SIDE_BUTTON_QUIT);
}
