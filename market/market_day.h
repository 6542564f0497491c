// One market day for the whole exchange, and the refilling of a slot.
#pragma once

// Moves all 30 companies by one market day. Called by the market tick,
// never while the market is halted.
void AdvanceMarketDay();

// Refills slot i with a new company named after the base name. The caller
// first sets bankrupt = 1 and sharePrice = 0 and advances namePoolNext.
// Called by the market day (bankruptcy) and by the merger.
void RefoundCompany(int i);

// The player's company is wiped: no shares, no money, the bankrupt name.
// Called by the market day (excessive debt), the calendar (dismissal) and
// headquarters (filing for bankruptcy).
void WipePlayerCompany();
