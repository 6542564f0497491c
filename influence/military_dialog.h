// The military (142): weapons for the company's army; and the war (144)
// against the United States, fought turn by turn.
#pragma once

#include "resources/dialog_ids.h"
#include <cstdint>

#include "world/port.h"

// The ten weapon types; the index addresses playerForces, enemyForces,
// weaponPrice and the attack table.
enum WeaponType : int32_t {
    Bomber = 0,
    Fighter = 1,
    Tank = 2,
    AntiTankGun = 3,
    Infantry = 4,
    Battleship = 5,
    Submarine = 6,
    Cruiser = 7,
    AntiAircraftShip = 8,
    NuclearMissile = 9,
};
constexpr int WEAPON_TYPE_COUNT = 10;
// Types 0..8 fight in the battle turns; the missile only by launch.
constexpr int CONVENTIONAL_TYPE_COUNT = 9;

// Units one order may buy, per type.
extern const int32_t WEAPON_ORDER_LIMIT[WEAPON_TYPE_COUNT];

constexpr int WAR_TIMER_MS = 1;
// Reparations, in 万円, borrowed from the automatic lender.
constexpr int64_t WAR_REPARATIONS = 30000000;       // 3000億円: defeat or surrender
constexpr int64_t ARMISTICE_PAYMENT = 5000000;      // 500億円
constexpr int32_t VICTORY_PRICE_MULTIPLIER = 1000;

// 0 at peace, 1 while a war runs; 0 whenever the war dialog is closed.
extern int32_t warState;

void OpenMilitaryDialog();
void MilitaryDialogProc(DialogHost& dialog, DialogEvent event, int id);
void WarDialogProc(DialogHost& dialog, DialogEvent event, int id);

// The purchase button of a type: reads the count typed for it and buys.
void BuyWeapons(DialogHost& dialog, int type, int64_t count);

// One tick of a running war: both sides strike, then the defeat and the
// victory tests; shows the counts.
void WarBattleTurn(DialogHost& dialog);

// Draws the United States' forces anew after a war ended other than by surrender.
void DrawNewEnemyForces();
