// The police (147): bribes and the evidence against the player; the detention
// (165) that follows an arrest, with the trial and its verdict.
#pragma once

#include <cstdint>

#include "world/port.h"

class Canvas;

// Damages of a lost trial, in 万円 (1000億円).
constexpr int64_t TRIAL_DAMAGES = 10000000;
// Favour (judge's bribes in 億円 per point of severity) above which the
// player is acquitted.
constexpr int32_t ACQUITTAL_FAVOUR = 50;
// The verdict dial: centre and radius in the detention dialog's client pixels.
constexpr int VERDICT_DIAL_X = 180;
constexpr int VERDICT_DIAL_Y = 250;
constexpr int VERDICT_DIAL_RADIUS = 75;

void OpenPoliceDialog();

// The bribes; each shows its message and returns true when the money was
// paid (false when the player cannot afford it). Amounts as typed: the
// police's in 万円, the prosecutors' and the judge's in 億円.
bool BribePolice(int64_t amount);
bool BribeProsecutors(int64_t amount);
bool BribeJudge(int64_t amount);

// Draws the verdict dial turned to `progress` (0..1) with `favour` percent
// of a full turn in red, the rest of the turned part in blue.
void PaintVerdictDial(Canvas& canvas, float progress, int32_t favour);

void PoliceDialogProc(DialogHost& dialog, DialogEvent event, int id);
void DetentionDialogProc(DialogHost& dialog, DialogEvent event, int id);
