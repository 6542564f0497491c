#include "world/world_state.h"

#include <cstring>

#include "world/game_texts.h"
#include "world/port.h"

const ScenarioLevel SCENARIO_LEVELS[SCENARIO_LEVEL_COUNT] = {
    {TXT_LEVEL_TITLE_1, TXT_LEVEL_GOAL_1},   {TXT_LEVEL_TITLE_2, TXT_LEVEL_GOAL_2},
    {TXT_LEVEL_TITLE_3, TXT_LEVEL_GOAL_3},   {TXT_LEVEL_TITLE_4, TXT_LEVEL_GOAL_4},
    {TXT_LEVEL_TITLE_5, TXT_LEVEL_GOAL_5},   {TXT_LEVEL_TITLE_6, TXT_LEVEL_GOAL_6},
    {TXT_LEVEL_TITLE_7, TXT_LEVEL_GOAL_7},   {TXT_LEVEL_TITLE_8, TXT_LEVEL_GOAL_8},
    {TXT_LEVEL_TITLE_9, TXT_LEVEL_GOAL_9},   {TXT_LEVEL_TITLE_10, TXT_LEVEL_GOAL_10},
    {TXT_LEVEL_TITLE_11, TXT_LEVEL_GOAL_11}, {TXT_LEVEL_TITLE_12, TXT_LEVEL_GOAL_12},
    {TXT_LEVEL_TITLE_13, TXT_LEVEL_GOAL_13}, {TXT_LEVEL_TITLE_14, TXT_LEVEL_GOAL_14},
    {TXT_LEVEL_TITLE_15, TXT_LEVEL_GOAL_15}, {TXT_LEVEL_TITLE_16, TXT_LEVEL_GOAL_16},
};

ListedCompany companies[COMPANY_COUNT];

char playerCompanyNameBuf[NAME_BUF_SIZE];
char playerNameBuf[NAME_BUF_SIZE];
char companyNamePool[NAME_POOL_SIZE][NAME_BUF_SIZE];
int32_t namePoolNext;

int32_t gameYear, gameMonth, gameDay, gameHour, gameMinute;

int32_t scenarioLevel;
TextRef scenarioTitle;
TextRef scenarioGoal;
int32_t goalStage;
int32_t stakeWarningLevel;

int32_t historyIndex;
int32_t newsPending[COMPANY_COUNT];
int32_t lastRefoundedCompany;
int32_t buyImpactDelta, buyImpactCompany;
int32_t sellImpactDelta, sellImpactCompany;
int32_t warPriceMultiplier, electionPriceMultiplier;
int32_t tobTarget, tobPrice, tobHostile;
int32_t selectedCompany;

PendingOrders pendingOrders;
int32_t marketHalt;

int32_t policeConnection, prosecutionChance, illegalityFactor;
int32_t arrestState, monthsToTrial, judgeConnection, lawyerFee;
float trialProgress;
int32_t presidentFlag, icbmProgress, icbmCount;
int32_t researchUnderway;
int32_t agmEffect;
int32_t voteYes, voteNo, agmNewShareProposal;
int64_t orderEntryQty;

int32_t lenderCreditLimit[3];
int32_t lenderInterestRate[3];
int32_t researchCost[8];
int32_t mediaRaiseCost[5];
int32_t mediaLowerCost[5];
int32_t shopPrice[8];
int32_t shopOwned[10];
int32_t weaponPrice[10];
int32_t playerForces[10];
int32_t enemyForces[10];

TextRef newsLines[NEWS_LINE_COUNT];
int32_t newsCount;

int32_t saveSlot;
int32_t loadedFromFile;

int32_t screenMode, titleFade, buttonRepaintCountdown, flyLevel;
int32_t flyX, flyY;

namespace {
uint32_t randState = 1;
}

void GameSrand(uint32_t seed) { randState = seed; }

int32_t GameRand() {
    randState = randState * 214013u + 2531011u;
    return static_cast<int32_t>((randState >> 16) & 0x7fffu);
}

uint32_t GameRandState() { return randState; }
void SetGameRandState(uint32_t state) { randState = state; }

int64_t RandMod(int64_t n) {
    int32_t r = GameRand();
    return n > 32767 ? r : r % n;
}

int64_t StakePercent(int64_t holding, int64_t issuedShares) {
    int64_t d = issuedShares / 100;
    if (d == 0) return 0;
    if (d == -1 && holding == INT64_MIN) return INT64_MAX;
    return holding / d;
}

void ResetWorldToProgramStart() {
    std::memset(companies, 0, sizeof companies);
    std::memset(playerCompanyNameBuf, 0, sizeof playerCompanyNameBuf);
    std::memset(playerNameBuf, 0, sizeof playerNameBuf);
    std::memset(companyNamePool, 0, sizeof companyNamePool);
    namePoolNext = 30;
    gameYear = 2007;
    gameMonth = 3;
    gameDay = 12;
    gameHour = 11;
    gameMinute = 23;
    scenarioLevel = 0;
    scenarioTitle = nullptr;
    scenarioGoal = nullptr;
    goalStage = 0;
    stakeWarningLevel = 0;
    historyIndex = 0;
    std::memset(newsPending, 0, sizeof newsPending);
    lastRefoundedCompany = 0;
    buyImpactDelta = buyImpactCompany = 0;
    sellImpactDelta = sellImpactCompany = 0;
    warPriceMultiplier = electionPriceMultiplier = 0;
    tobTarget = tobPrice = tobHostile = 0;
    selectedCompany = 0;
    pendingOrders = PendingOrders{};
    marketHalt = 0;
    policeConnection = prosecutionChance = illegalityFactor = 0;
    arrestState = 0;
    monthsToTrial = 10;
    judgeConnection = 0;
    lawyerFee = 8000;
    trialProgress = 0.0f;
    presidentFlag = icbmProgress = icbmCount = 0;
    researchUnderway = 0;
    agmEffect = 0;
    voteYes = voteNo = agmNewShareProposal = 0;
    orderEntryQty = 0;
    std::memset(lenderCreditLimit, 0, sizeof lenderCreditLimit);
    std::memset(lenderInterestRate, 0, sizeof lenderInterestRate);
    std::memset(researchCost, 0, sizeof researchCost);
    std::memset(mediaRaiseCost, 0, sizeof mediaRaiseCost);
    std::memset(mediaLowerCost, 0, sizeof mediaLowerCost);
    std::memset(shopPrice, 0, sizeof shopPrice);
    std::memset(shopOwned, 0, sizeof shopOwned);
    std::memset(weaponPrice, 0, sizeof weaponPrice);
    std::memset(playerForces, 0, sizeof playerForces);
    std::memset(enemyForces, 0, sizeof enemyForces);
    for (auto& line : newsLines) line = nullptr;
    newsCount = 3;
    saveSlot = 0;
    loadedFromFile = 0;
    screenMode = 1;
    titleFade = 255;
    buttonRepaintCountdown = 3;
    flyLevel = 10;
    randState = 1;
}

namespace {
// Static initialisation gives the program-start values before main runs.
struct ProgramStart {
    ProgramStart() { ResetWorldToProgramStart(); }
} programStart;
}  // namespace
