// The one world state of the game: plain global data that every rule reads
// and changes in place, the game's random generator and the shared helpers.
#pragma once

#include <cstdint>

constexpr int COMPANY_COUNT = 30;
constexpr int HISTORY_SIZE = 500;
constexpr int NAME_BUF_SIZE = 200;   // 199 bytes of text and the terminator
constexpr int NAME_POOL_SIZE = 200;
constexpr int NEWS_LINE_COUNT = 201;
constexpr int SCENARIO_LEVEL_COUNT = 16;

constexpr int64_t MAX_AMOUNT = 999999999999LL;
constexpr int64_t PLAYER_BANKRUPT_DEBT = 100000000000LL;
constexpr int64_t DEBT_PENALTY_BASE = 400000000000LL;
constexpr int32_t PROSECUTION_CERTAIN = 1000;

// Text references point at code page 932 byte strings: constant texts,
// entries of companyNamePool, or one of the two player buffers.
using TextRef = const char*;

struct ListedCompany {
    int32_t bankrupt;
    int32_t refoundCount;
    TextRef name;
    int32_t sharePrice;
    int64_t issuedShares;
    int64_t floatingShares;
    int64_t holdings[COMPANY_COUNT];
    int32_t avgBuyPrice[COMPANY_COUNT];
    int64_t ceoAssets;
    TextRef ceoName;
    int64_t funds;
    int64_t debt;
    int64_t profit;
    int32_t dividendYield;
    int64_t property;
    int64_t loans[3];
    int32_t stockCount;
    int32_t trendState;
    int32_t priceDeltaHistory[HISTORY_SIZE];
    int32_t priceDelta;
    int32_t trendRange[8];
    TextRef headline[8];
};

struct ScenarioLevel {
    TextRef title;
    TextRef goal;
};

// Row k - 1 describes level k.
extern const ScenarioLevel SCENARIO_LEVELS[SCENARIO_LEVEL_COUNT];

extern ListedCompany companies[COMPANY_COUNT];

extern char playerCompanyNameBuf[NAME_BUF_SIZE];
extern char playerNameBuf[NAME_BUF_SIZE];
extern char companyNamePool[NAME_POOL_SIZE][NAME_BUF_SIZE];
extern int32_t namePoolNext;

extern int32_t gameYear, gameMonth, gameDay, gameHour, gameMinute;

extern int32_t scenarioLevel;
extern TextRef scenarioTitle;
extern TextRef scenarioGoal;
extern int32_t goalStage;
extern int32_t stakeWarningLevel;

// Market-step inputs and outputs.
extern int32_t historyIndex;
extern int32_t newsPending[COMPANY_COUNT];
extern int32_t lastRefoundedCompany;
extern int32_t buyImpactDelta, buyImpactCompany;
extern int32_t sellImpactDelta, sellImpactCompany;
extern int32_t warPriceMultiplier, electionPriceMultiplier;
extern int32_t tobTarget, tobPrice, tobHostile;
extern int32_t selectedCompany;

// Pending orders: one slot of each kind; a quantity of 0 means none.
struct PendingOrders {
    int64_t marketBuyCompany, marketBuyQty;
    int64_t limitBuyCompany, limitBuyQty;
    int32_t limitBuyPrice;
    int64_t sellCompany, sellQty;
    int32_t afterHoursTrade;
};
extern PendingOrders pendingOrders;
extern int32_t marketHalt;
// The quantity last read from a trading dialog (a working value).
extern int64_t orderEntryQty;

// Legal and influence counters.
extern int32_t policeConnection, prosecutionChance, illegalityFactor;
extern int32_t arrestState, monthsToTrial, judgeConnection, lawyerFee;
extern float trialProgress;
extern int32_t presidentFlag, icbmProgress, icbmCount;
extern int32_t researchUnderway;
extern int32_t agmEffect;
// The running vote of a shareholders' meeting, in percent, and whether the
// proposal voted on is a new-share issue.
extern int32_t voteYes, voteNo, agmNewShareProposal;

// Price and quantity tables.
extern int32_t lenderCreditLimit[3];
extern int32_t lenderInterestRate[3];
extern int32_t researchCost[8];
extern int32_t mediaRaiseCost[5];
extern int32_t mediaLowerCost[5];
extern int32_t shopPrice[8];
extern int32_t shopOwned[10];
extern int32_t weaponPrice[10];
extern int32_t playerForces[10];
extern int32_t enemyForces[10];

// News history: a ring of 201 entries written from entry 1 on after a wrap.
extern TextRef newsLines[NEWS_LINE_COUNT];
extern int32_t newsCount;

extern int32_t saveSlot;
extern int32_t loadedFromFile;

// Main-view state that start-up sets. screenMode is one of these screens.
constexpr int SCREEN_TITLE = 1;
constexpr int SCREEN_INTRO = 2;
constexpr int SCREEN_FIELD = 3;
constexpr int SCREEN_FLY_GAME = 4;
constexpr int SCREEN_EXCHANGE = 5;
constexpr int SCREEN_FLY_GAME_PENDING = 101;   // asked for by the casino
extern int32_t screenMode, titleFade, buttonRepaintCountdown, flyLevel;
// Where the fly of the fly game is, in main-view coordinates.
extern int32_t flyX, flyY;

// The game's one random generator (a linear congruential generator):
// state = state * 214013 + 2531011 mod 2^32; each draw is (state >> 16) & 0x7FFF.
void GameSrand(uint32_t seed);
int32_t GameRand();
uint32_t GameRandState();
void SetGameRandState(uint32_t state);

// rand() % n as the game computes it: for n above 32767 this is rand() itself,
// and the draw is always made. n must be positive.
int64_t RandMod(int64_t n);

// Puts every field back to its value at program start (the static initial
// values; everything else 0). The game does this once by being loaded; tests
// and tools call it to start a fresh world in the same process.
void ResetWorldToProgramStart();

// Holding / (issuedShares / 100), 0 when the divisor is 0.
int64_t StakePercent(int64_t holding, int64_t issuedShares);
