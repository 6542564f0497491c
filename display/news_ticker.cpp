// The news ticker: headlines filed into the news ring and two readers that
// scroll alternate entries across the strip, 600 pixels apart.
#include "display/painters.h"

#include "world/world_state.h"

int32_t newsReadA = 1, newsReadB = 0, newsXA = 1200, newsXB = 600;

void NewsTickerTick(Canvas& c) {
    bool painted = false;
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        if (companies[i].trendState != 1 && newsPending[i] == 1) {
            PaintNewsTicker(c, companies[i].trendState, i);
            newsCount += 1;
            newsPending[i] = 0;
            if (newsCount > 200) newsCount = 1;
            painted = true;
        }
    }
    if (!painted) PaintNewsTicker(c, 0, 0);
}

void PaintNewsTicker(Canvas& c, int trend, int i) {
    c.SelectPen(PEN_RED1);
    c.SelectBrush(BRUSH_BLACK);
    c.Rectangle(-5, -5, 1500, 300);
    c.SelectFont(FONT_15B);
    c.SetTextColour(Rgb{0, 255, 0});
    c.SetOpaqueText(false);

    if (trend >= 2 && trend <= 9 && i >= 0 && i < COMPANY_COUNT && newsCount >= 0 && newsCount < NEWS_LINE_COUNT)
        newsLines[newsCount] = companies[i].headline[trend - 2];

    // Both readers have caught up with the writer: the strip stays black and
    // nothing moves until the next headline.
    const int64_t aAhead = static_cast<int64_t>(newsReadA) - newsCount;
    const int64_t bAhead = static_cast<int64_t>(newsReadB) - newsCount;
    if (aAhead >= 0 && bAhead >= 0 && aAhead <= 100 && bAhead <= 100) return;

    if (newsReadA < newsCount && newsReadA >= 0 && newsLines[newsReadA]) c.TextOut(newsXA, 10, newsLines[newsReadA]);
    newsXA -= 10;
    if (newsXA < -200) {
        newsXA = 1200;
        newsReadA += 2;
        if (newsReadA > 200) newsReadA = 0;
    }

    if (newsReadB < newsCount && newsReadB >= 0 && newsLines[newsReadB]) c.TextOut(newsXB, 10, newsLines[newsReadB]);
    newsXB -= 10;
    if (newsXB < -200) {
        newsXB = 1200;
        newsReadB += 2;
        if (newsReadB > 200) newsReadB = 1;
    }
}
