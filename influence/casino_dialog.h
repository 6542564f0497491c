// The casino (134): the race of eight pedal cars (166) and the hand-over to
// the fly-swatting game in the main view.
#pragma once

#include "resources/dialog_ids.h"
#include <cstdint>

#include "world/port.h"

constexpr int RACER_COUNT = 8;
constexpr int RACE_TIMER_MS = 10;

// The running race, program-wide and never saved. raceBet is 0 while no race
// runs, else the racer (1..8) bet on; it keeps its value when the dialog is
// closed during a race, until the next bet.
extern int32_t raceBet;
extern int32_t racerPosition[RACER_COUNT];   // x of each racer's picture
extern int32_t racerStall[RACER_COUNT];      // ticks left standing still

// Payout of each racer in 億円, lane order.
inline constexpr int32_t RACER_ODDS[RACER_COUNT] = {2, 3, 4, 6, 10, 50, 100, 1000};

void OpenCasinoDialog();
void OpenRaceDialog();

void CasinoDialogProc(DialogHost& dialog, DialogEvent event, int id);
void RaceDialogProc(DialogHost& dialog, DialogEvent event, int id);

// A bet of 1億円 on racer 1..8: starts the race over (also while one runs).
void PlaceRaceBet(DialogHost& dialog, int racer);
// One 10 ms step of a running race: moves and draws the racers, and ends the
// race with its result once a racer is past the line.
void RaceTick(DialogHost& dialog);
