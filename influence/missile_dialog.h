// The intercontinental missiles (167): building them and firing them at a company.
#pragma once

#include <cstdint>

#include "world/port.h"

// 1兆円 in 万円, and the investment in 兆円 that completes one missile.
constexpr int64_t MAN_PER_CHO = 100000000;
constexpr int32_t MISSILE_COST_CHO = 10000;

// Opens the missile dialog modally over the main view.
void OpenMissileDialog();

void MissileDialogProc(DialogHost& dialog, DialogEvent event, int id);

// The button handlers: an investment in 兆円 (ignored unless above 0), and a
// launch at the company selected on the stock board (ignored without a
// missile).
void InvestInMissiles(DialogHost& dialog, int64_t amountCho);
void LaunchMissile(DialogHost& dialog);
