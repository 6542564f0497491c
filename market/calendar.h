// The calendar tick: scenario goal, stake warnings, dismissal, property cap,
// police countdown, monthly settlement on day 1, date advance and painting.
#pragma once

#include <cstdint>

#include "world/port.h"

// Called on every tick of the calendar window's timer; its message boxes are
// owned by the given window.
void AdvanceCalendarDay(WindowId window);

// The parts of the calendar day, in their order.
void CheckScenarioGoal(WindowId window);
void MonthlySettlement();

// Funds - debt + property + the value of the shares held in companies 1..29.
int64_t NetAssetsForGoal();
