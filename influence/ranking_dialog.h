// The personal asset ranking (145).
#pragma once

#include <cstdint>

#include "world/port.h"
#include "world/world_state.h"

constexpr int RANKING_SIZE = COMPANY_COUNT;
constexpr int RANKS_SHOWN = 10;
// The company index of a slot no CEO fills.
constexpr int32_t RANK_NOBODY = COMPANY_COUNT;

struct AssetRankEntry {
    int32_t company;   // RANK_NOBODY when empty
    int64_t best;      // the assets of the company placed here, 万円
};
// Slot 0 is the richest CEO. Rebuilt from scratch at every refresh.
extern AssetRankEntry assetRanking[RANKING_SIZE];

// Richest first, only CEOs with assets above 0; equal assets go to the
// lower company index.
void BuildAssetRanking();

void OpenRankingDialog();
void RankingDialogProc(DialogHost& dialog, DialogEvent event, int id);
