// Painted panels checked pixel by pixel on the software surface the headless
// host gives every window: the board's change boxes, the chart's path, zero
// line and holding dial.
#include "display/painters.h"
#include "tests/test_support.h"
#include "tools/headless/raster_canvas.h"

namespace {

constexpr Rgb RED{255, 0, 0}, BLUE{0, 0, 255}, GREEN{0, 255, 0}, YELLOW{255, 255, 0}, BLACK{0, 0, 0};

bool Same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

class PanelPixels : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        StartGame(77);
    }
};

TEST_F(PanelPixels, BoardBoxesShowRisesRedAndFallsBlue) {
    for (int i = 0; i < COMPANY_COUNT; ++i) companies[i].priceDelta = 0;
    companies[2].priceDelta = 7;
    companies[3].priceDelta = -4;
    selectedCompany = 10;
    RasterCanvas c(450, 370);
    PaintStockBoard(c);
    // Row i's box covers [160, 200) x [12 i + 10, 12 i + 20).
    const int y2 = 12 * 2 + 10, y3 = 12 * 3 + 10, y4 = 12 * 4 + 10;
    EXPECT_EQ(c.CountPixels(160, y2, 200, y2 + 10, RED), 400);
    EXPECT_EQ(c.CountPixels(160, y3, 200, y3 + 10, BLUE), 400);
    EXPECT_EQ(c.CountPixels(160, y4, 200, y4 + 10, BLACK), 400);   // unchanged: no box
    EXPECT_TRUE(Same(c.Pixel(200, y2), BLACK));
    ASSERT_NE(c.TextAt(160, y2), nullptr);
    EXPECT_EQ(c.TextAt(160, y2)->text, "+7" + Sjis("円"));
    EXPECT_EQ(c.TextAt(160, y3)->text, "-4" + Sjis("円"));
    EXPECT_EQ(c.TextAt(160, y4)->text, "0" + Sjis("円"));
    // The selection box of row 10 and the two dividers.
    const int ys = 12 * 10 + 10;
    EXPECT_TRUE(Same(c.Pixel(8, ys), GREEN));
    EXPECT_TRUE(Same(c.Pixel(87, ys + 9), GREEN));
    EXPECT_TRUE(Same(c.Pixel(40, ys + 5), BLACK));
    EXPECT_TRUE(Same(c.Pixel(205, 300), GREEN));
    EXPECT_TRUE(Same(c.Pixel(93, 300), BLUE));
}

TEST_F(PanelPixels, ChartPathAndZeroLine) {
    const int co = 4;
    ListedCompany& k = companies[co];
    for (int32_t& d : k.priceDeltaHistory) d = 0;
    k.trendRange[0] = 20;
    k.sharePrice = 100;
    // Yesterday's change of +20 yen: the first step drops 10 pixels.
    historyIndex = 7;
    k.priceDeltaHistory[6] = 20;
    companies[0].holdings[co] = 0;
    RasterCanvas c(520, 200);
    PaintPriceChart(c, co);
    EXPECT_TRUE(Same(c.Pixel(450, 100), YELLOW));
    EXPECT_TRUE(Same(c.Pixel(420, 110), YELLOW));
    EXPECT_TRUE(Same(c.Pixel(420, 100), BLUE));   // the grid line the path left
    // Zero line at 100 + 100 * 10 / 20 = 150, over the grid, across the panel.
    EXPECT_TRUE(Same(c.Pixel(300, 150), RED));
    EXPECT_TRUE(Same(c.Pixel(510, 150), RED));
    EXPECT_TRUE(Same(c.Pixel(510, 125), BLACK));   // the grid stops at 500
    EXPECT_TRUE(Same(c.Pixel(499, 125), BLUE));

    // Price 400: the zero line falls at 300, below the panel: no red row.
    k.sharePrice = 400;
    RasterCanvas far(520, 200);
    PaintPriceChart(far, co);
    int redRows = 0;
    for (int y = 0; y < 200; ++y) redRows += Same(far.Pixel(300, y), RED);
    EXPECT_EQ(redRows, 0);

    // Without a range the path stays flat and there is no zero line.
    k.trendRange[0] = 0;
    RasterCanvas flat(520, 200);
    PaintPriceChart(flat, co);
    EXPECT_TRUE(Same(flat.Pixel(420, 100), YELLOW));
    EXPECT_TRUE(Same(flat.Pixel(300, 150), BLUE));
}

TEST_F(PanelPixels, HoldingDialShowsAQuarterInRed) {
    const int co = 6;
    ListedCompany& k = companies[co];
    k.issuedShares = 4000000;
    k.holdings[co] = 0;   // no CEO stake: no green
    companies[0].holdings[co] = 1000000;   // 25 %
    RasterCanvas c(520, 200);
    PaintPriceChart(c, co);
    // Quadrants of the dial around its centre (40, 160), radius 25.
    const int upperRightRed = c.CountPixels(41, 136, 66, 160, RED);
    const int upperLeftRed = c.CountPixels(15, 136, 40, 160, RED);
    const int lowerRed = c.CountPixels(15, 161, 66, 186, RED);
    EXPECT_GT(upperRightRed, 350);   // most of a quarter disc of radius 25 (~490)
    EXPECT_EQ(upperLeftRed, 0);
    EXPECT_LT(lowerRed, 30);   // only the 3 pixel pen spilling past the edge
    EXPECT_GT(c.CountPixels(15, 161, 66, 186, BLUE), 700);
    EXPECT_EQ(c.CountPixels(0, 130, 80, 190, GREEN), 0);

    // A CEO stake of 25 % shows green just left of the top.
    k.holdings[co] = 1000000;
    RasterCanvas g(520, 200);
    PaintPriceChart(g, co);
    EXPECT_GT(g.CountPixels(15, 136, 40, 160, GREEN), 350);
    EXPECT_GT(g.CountPixels(41, 136, 66, 160, RED), 350);
}

}  // namespace
