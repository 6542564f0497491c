// The painters of the panels and screens. Each draws into the canvas of its
// window from the world state; the shell calls them on its timers and mouse
// moves, the market and calendar ticks through their paint requests.
#pragma once

#include <cstdint>

#include "display/canvas.h"

// Stock board ("state4", 450 x 370): the 30 rows, then the detail column of
// selectedCompany. Called at the end of every market tick.
void PaintStockBoard(Canvas& canvas);
void PaintStockDetail(Canvas& canvas);

// Company status panel ("state1", 300 x 285), every 1000 ms.
void PaintCompanyPanel(Canvas& canvas);
// Price chart ("state2", 520 x 200) of company c, every 1100 ms.
void PaintPriceChart(Canvas& canvas, int c);
// Calendar panel ("state3", 520 x 85): date line and the five newest news lines.
void PaintCalendarPanel(Canvas& canvas);

// Main view (570 x 370) screens; (x, y) is the mouse position for hovering.
void PaintTitleScreen(Canvas& canvas, int x, int y);
void PaintIntroText(Canvas& canvas);
void PaintFieldMap(Canvas& canvas);
void PaintExchangeScreen(Canvas& canvas, int x, int y);
void ClearMainView(Canvas& canvas);
void ClearExchangeButtons(Canvas& canvas);

// Side button panel ("state6", 200 x 315); (x, y) in panel coordinates.
void PaintSideButtons(Canvas& canvas, int x, int y);

// News ticker ("state5", 820 x 30): its 50 ms tick, and one frame that first
// files company i's headline for news state trend (0 = file nothing).
void NewsTickerTick(Canvas& canvas);
void PaintNewsTicker(Canvas& canvas, int trend, int i);

// A stake pie of radial lines 0.01 apart, centred at (cx, cy): red the
// player's stake (percent) clockwise from the top, green the CEO's stake
// ending at the top (none when ceoStake < 0), blue the rest.
void PaintStakePie(Canvas& canvas, int cx, int cy, int radius, int64_t playerStake, int64_t ceoStake);
// The two vote bars of a shareholders' meeting, growing upwards from y 170,
// one pixel per percent: yes (green) at x 255..300, no (blue) at 350..395.
void PaintVoteBars(Canvas& canvas, int32_t yes, int32_t no);

// Value in 万円 of company s's CEO's shares in the other computer companies.
int64_t HoldingValue(int s);

// Display state shared by the painters.
extern int32_t buttonHover[6];
extern int32_t buttonHoverPrev[6];
extern int32_t newsReadA, newsReadB, newsXA, newsXB;

// Program-start values of the display state.
void ResetDisplayState();
