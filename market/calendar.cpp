#include "market/calendar.h"

#include "market/market_day.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/world_state.h"

namespace {

const char* const LEVEL_DONE_TEXT[15] = {
    TXT_LEVEL_DONE_1,  TXT_LEVEL_DONE_2,  TXT_LEVEL_DONE_3,  TXT_LEVEL_DONE_4,  TXT_LEVEL_DONE_5,
    TXT_LEVEL_DONE_6,  TXT_LEVEL_DONE_7,  TXT_LEVEL_DONE_8,  TXT_LEVEL_DONE_9,  TXT_LEVEL_DONE_10,
    TXT_LEVEL_DONE_11, TXT_LEVEL_DONE_12, TXT_LEVEL_DONE_13, TXT_LEVEL_DONE_14, TXT_LEVEL_DONE_15,
};

// The goal of the current level; stageOnSuccess is -1 where the level sets none.
bool GoalMet(int32_t level, int32_t& stageOnSuccess) {
    const ListedCompany& p = companies[0];
    stageOnSuccess = -1;
    switch (level) {
        case 1: return NetAssetsForGoal() >= 20000;
        case 2: return p.profit >= 10000;
        case 3: stageOnSuccess = 1; return NetAssetsForGoal() >= 100000;
        case 4: return goalStage == 2;
        case 5: return p.funds >= 10000000;
        case 6: return p.sharePrice >= 1000;
        case 7: stageOnSuccess = 10; return NetAssetsForGoal() >= 10000000;
        case 8: return goalStage == 11;
        case 9: return p.funds >= 100000000;
        case 10: stageOnSuccess = 20; return p.profit >= 20000000;
        case 11: stageOnSuccess = 30; return goalStage == 21;
        case 12: stageOnSuccess = 40; return goalStage == 31 || presidentFlag == 1;
        case 13: stageOnSuccess = 50; return goalStage == 41;
        case 14: stageOnSuccess = 60; return goalStage == 51;
        case 15: return goalStage == 61;
        default: return false;
    }
}

bool MonthEnds() {
    switch (gameMonth) {
        case 1: case 3: case 5: case 7: case 8: case 10: case 12: return gameDay >= 31;
        case 4: case 6: case 9: case 11: return gameDay >= 30;
        case 2:
            if (gameYear % 4 == 0 && gameYear % 200 == 0) return gameDay >= 29;
            return gameDay >= 28;
        default: return false;
    }
}

}  // namespace

int64_t NetAssetsForGoal() {
    const ListedCompany& p = companies[0];
    int64_t total = SatAdd(SatSub(p.funds, p.debt), p.property);
    for (int j = 1; j < COMPANY_COUNT; ++j) {
        int64_t value = SatMul(p.holdings[j] / 100, companies[j].sharePrice / 10) / 10;
        total = SatAdd(total, value);
    }
    return total;
}

void CheckScenarioGoal(WindowId window) {
    if (scenarioLevel < 1 || scenarioLevel > 15) return;
    int32_t stage = -1;
    const int32_t level = scenarioLevel;
    if (!GoalMet(level, stage)) return;
    scenarioLevel = level + 1;
    scenarioTitle = SCENARIO_LEVELS[level].title;
    scenarioGoal = SCENARIO_LEVELS[level].goal;
    if (stage >= 0) goalStage = stage;
    ShowInfo(window, LEVEL_DONE_TEXT[level - 1], SCENARIO_LEVELS[level].title);
}

void MonthlySettlement() {
    ListedCompany& p = companies[0];
    if (arrestState != 0) {
        p.loans[2] = SatAdd(p.loans[2], lawyerFee);
        p.debt = SatAdd(p.debt, lawyerFee);
    }
    if (monthsToTrial > 0) monthsToTrial -= 1;
    for (int j = 1; j < COMPANY_COUNT; ++j) {
        if (p.holdings[j] > 0) {
            int64_t dividend = SatMul(SatMul(companies[j].sharePrice, p.holdings[j] / 1000), companies[j].dividendYield) / 1000;
            p.funds = SatAdd(p.funds, dividend);
        }
    }
    for (int k = 0; k < 3; ++k) {
        int64_t interest = SatMul(lenderInterestRate[k], p.loans[k]) / 100;
        p.debt = SatAdd(p.debt, interest);
        p.loans[k] = SatAdd(p.loans[k], interest);
    }
    agmEffect = 0;
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        ListedCompany& c = companies[i];
        if (c.profit >= 0) {
            c.funds = SatAdd(c.funds, c.profit / 100);
        } else {
            int64_t loss = Negate(c.profit) / 100;
            c.debt = SatAdd(c.debt, loss);
            c.loans[2] = SatAdd(c.loans[2], loss);
        }
    }
}

void AdvanceCalendarDay(WindowId window) {
    CheckScenarioGoal(window);

    ListedCompany& p = companies[0];
    if (p.issuedShares >= 100) {
        int64_t stake = StakePercent(p.holdings[0], p.issuedShares);
        if (stakeWarningLevel == 0 && stake < 25) {
            stakeWarningLevel = 1;
            ShowInfo(window, TXT_STAKE_WARNING_25);
        }
        if (stakeWarningLevel == 1 && stake < 1) {
            stakeWarningLevel = 2;
            ShowInfo(window, TXT_STAKE_WARNING_1);
        }
    }
    if (p.issuedShares >= 100) {
        int64_t stake = StakePercent(p.holdings[0], p.issuedShares);
        if (stake < 1 && RandMod(100000) == 1) {
            WipePlayerCompany();
            ShowInfo(window, TXT_DISMISSED);
        }
    }

    if (p.property > 1000000000) p.property = 1000000000;

    if (illegalityFactor > 0) {
        if (policeConnection > 0) {
            policeConnection -= 1;
        } else if (prosecutionChance < INT32_MAX) {
            prosecutionChance += 1;
        }
        illegalityFactor -= 1;
    }

    if (gameDay == 1) MonthlySettlement();

    if (gameDay < INT32_MAX) gameDay += 1;
    if (MonthEnds()) {
        gameDay = 1;
        gameMonth += 1;
        agmEffect = 0;
    }
    if (gameMonth > 12) {
        if (gameYear < INT32_MAX) gameYear += 1;
        gameMonth = 1;
    }

    RequestPaint(window);
}
