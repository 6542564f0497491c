// The fly-swatting game in the main view: a fly wanders over the stage in
// steps that grow with the level; ten swats win the prize.
#pragma once

#include <cstdint>

constexpr int32_t FLY_PRIZE = 5000;   // 万円
constexpr int32_t FLY_WIN_LEVEL = 100;

// One step on every main-timer tick while the game runs: moves and draws.
void FlyGameStep();
// A left click on the main view during the game.
void FlySwat(int x, int y);
// A right click on the main view during the game: back to the field map.
void FlyGameQuit();
