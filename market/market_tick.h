// The market tick: research outcome, takeover-bid step, the three pending
// orders, the hostile defence, the market day and the repaint.
#pragma once

#include "world/port.h"

// Called on every tick of the stock board's timer and by a click on a board
// row. Its message boxes are owned by the given window.
void RunMarketTick(WindowId board);

// A left click on the stock board at window coordinates (x, y): selects the
// row under it and runs one tick without a market day.
void OnBoardClick(int x, int y);
