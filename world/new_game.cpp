#include "world/new_game.h"

#include <cstring>

#include "world/game_texts.h"
#include "world/text.h"
#include "world/world_state.h"

const char ONE_BLANK_TEXT[] = " ";

namespace {

struct CompanyRow {
    TextRef name;
    TextRef ceo;
    int32_t sharePrice;
    int64_t issuedShares;
    double stakeDivisor;   // used when integerDivisor is 0
    int64_t integerDivisor;
    int64_t funds, debt, profit, ceoAssets;
    int32_t dividendYield;
    int64_t property;
    int32_t range[8];
};

const CompanyRow COMPANY_ROWS[29] = {
    {TXT_COMPANY_1, TXT_CEO_1, 925, 1464508000LL, 1.4, 0, 13943700LL, 123773200LL, 4500000LL, 100LL, 2, 419610100LL,
     {20, 40, 30, 16, 0, 80, 70, 600}},
    {TXT_COMPANY_2, TXT_CEO_2, 2930, 1000000000LL, 1.5, 0, 16298300LL, 2390000LL, 1700000LL, 500000000LL, 0,
     380000000LL, {60, 120, 100, 30, 0, 240, 220, 1600}},
    {TXT_COMPANY_3, TXT_CEO_3, 2730, 1600000000LL, 1.2, 0, 19861800LL, 385300000LL, 20000000LL, 120000LL, 2,
     1000000000LL, {60, 80, 70, 20, 0, 120, 100, 600}},
    {TXT_COMPANY_4, TXT_CEO_4, 1533, 1400000000LL, 1.4, 0, 17800000LL, 200000000LL, 4000000LL, 32000LL, 2,
     1400000000LL, {30, 40, 30, 10, 0, 60, 50, 460}},
    {TXT_COMPANY_5, TXT_CEO_5, 267000, 2364000LL, 1.7, 0, 14620000LL, 5863800LL, 2360000LL, 82000LL, 1, 54000000LL,
     {1000, 1500, 1200, 500, 0, 2400, 2000, 20000}},
    {TXT_COMPANY_6, TXT_CEO_6, 670, 87000000LL, 1.6, 0, 1685900LL, 1800000LL, 690000LL, 12000LL, 0, 28900000LL,
     {6, 10, 8, 8, 0, 20, 15, 50}},
    {TXT_COMPANY_7, TXT_CEO_7, 1120000, 7733000LL, 0, 2, 142000000LL, 866000LL, 24500000LL, 450000LL, 0,
     10000000000LL, {5000, 20000, 15000, 5000, 0, 50000, 40000, 100000}},
    {TXT_COMPANY_8, TXT_CEO_8, 6160, 1000000000LL, 1.9, 0, 62500000LL, 100000000LL, 8000000LL, 850000LL, 1,
     1000000000LL, {180, 230, 200, 500, 0, 350, 300, 1600}},
    {TXT_COMPANY_9, TXT_CEO_9, 880, 6800000000LL, 1.4, 0, 41900000LL, 130000000LL, 24500000LL, 1250000LL, 2,
     320000000LL, {10, 20, 15, 80, 0, 40, 30, 400}},
    {TXT_COMPANY_10, TXT_CEO_10, 2135, 320000000LL, 1.2, 0, 2980000LL, 33000LL, 1850000LL, 50000LL, 1, 62000000LL,
     {18, 54, 44, 80, 0, 202, 152, 200}},
    {TXT_COMPANY_11, TXT_CEO_11, 65, 2900000000LL, 0, 2, 1600000LL, 50000000LL, 380000LL, 8550000LL, 1, 38000000LL,
     {6, 4, 3, 8, 0, 6, 5, 28}},
    {TXT_COMPANY_12, TXT_CEO_12, 57700, 13000000LL, 1.3, 0, 10700000LL, 60000000LL, 1200000LL, 850000LL, 0,
     138000000LL, {1500, 2500, 2200, 3000, 0, 3500, 3000, 10000}},
    {TXT_COMPANY_13, TXT_CEO_13, 657, 3300000000LL, 0, 2, 26500000LL, 120000000LL, 3250000LL, 98500000LL, 1,
     370000000LL, {14, 30, 20, 90, 0, 60, 50, 400}},
    {TXT_COMPANY_14, TXT_CEO_14, 1400000, 10000000LL, 0, 2, 138000000LL, 127000000LL, 51000000LL, 23500000LL, 1,
     18000000000LL, {5000, 30000, 20000, 5000, 0, 50000, 30000, 100000}},
    {TXT_COMPANY_15, TXT_CEO_15, 647, 1000000000LL, 1.5, 0, 10300000LL, 800000LL, 1200000LL, 50000LL, 2, 168000000LL,
     {10, 15, 12, 30, 0, 24, 18, 120}},
    {TXT_COMPANY_16, TXT_CEO_16, 33000, 140000000LL, 0, 2, 1000000LL, 0LL, 6000000LL, 850LL, 2, 120000000LL,
     {200, 500, 400, 100, 0, 1500, 1200, 4000}},
    {TXT_COMPANY_17, TXT_CEO_17, 263, 2730000000LL, 2.5, 0, 17400000LL, 116000000LL, 150000LL, 87500LL, 0,
     210000000LL, {6, 8, 6, 16, 0, 10, 7, 48}},
    {TXT_COMPANY_18, TXT_CEO_18, 2135, 1700000000LL, 0, 2, 29500000LL, 380000000LL, 15000000LL, 37500LL, 2,
     910000000LL, {20, 100, 80, 200, 0, 150, 100, 800}},
    {TXT_COMPANY_19, TXT_CEO_19, 1174, 256000000LL, 2.2, 0, 1700000LL, 900000LL, 550000LL, 383200LL, 2, 38000000LL,
     {18, 30, 20, 100, 0, 50, 40, 600}},
    {TXT_COMPANY_20, TXT_CEO_20, 312000, 2800000LL, 1.2, 0, 5900000LL, 92000LL, 2700000LL, 78200LL, 1, 110000000LL,
     {3600, 5000, 4000, 10000, 0, 8000, 6000, 40000}},
    {TXT_COMPANY_21, TXT_CEO_21, 821, 3368000000LL, 2.5, 0, 28200000LL, 2600000LL, -5500000LL, 38200LL, 0,
     970000000LL, {8, 15, 10, 15, 0, 20, 15, 80}},
    {TXT_COMPANY_22, TXT_CEO_22, 841, 1440000000LL, 1.6, 0, 10300000LL, 24200000LL, 2950000LL, 329300LL, 2,
     135000000LL, {6, 12, 8, 18, 0, 22, 18, 160}},
    {TXT_COMPANY_23, TXT_CEO_23, 7860, 3600000000LL, 1.3, 0, 39700000LL, 1100000000LL, 100000000LL, 56000000LL, 2,
     2960000000LL, {20, 100, 80, 80, 0, 200, 160, 1000}},
    {TXT_COMPANY_24, TXT_CEO_24, 606000, 15000000LL, 1.7, 0, 938000LL, 516000000LL, 29300000LL, 380000LL, 1,
     1700000000LL, {1000, 2000, 1500, 4000, 0, 4000, 3000, 10000}},
    {TXT_COMPANY_25, TXT_CEO_25, 941000, 4000000LL, 1.8, 0, 20000000LL, 370000000LL, 15000000LL, 90000LL, 1,
     660000000LL, {1000, 2000, 1600, 8000, 0, 4000, 3000, 40000}},
    {TXT_COMPANY_26, TXT_CEO_26, 612, 2000000000LL, 2.1, 0, 33782200LL, 65400000LL, 40000LL, 500000LL, 1, 335000000LL,
     {10, 20, 15, 40, 0, 30, 20, 140}},
    {TXT_COMPANY_27, TXT_CEO_27, 23890, 730000000000LL, 0, 2, 650000000000LL, 0LL, 4120000000LL, 800000000LL, 2,
     270000000LL, {530, 800, 500, 2000, 0, 1000, 700, 8000}},
    {TXT_COMPANY_28, TXT_CEO_28, 473, 1900000000LL, 1.9, 0, 16000000LL, 76700000LL, 3740000LL, 28000000LL, 1,
     148000000LL, {4, 6, 5, 12, 0, 8, 6, 60}},
    {TXT_COMPANY_29, TXT_CEO_29, 13, 1140000000LL, 0, 3, 922300LL, 1400LL, -60000LL, 50LL, 1, 111800LL,
     {2, 2, 1, 2, 0, 2, 2, 3}},
};

const char* const HEADLINE_SUFFIX[8] = {
    TXT_HEADLINE_SUFFIX_0, TXT_HEADLINE_SUFFIX_1, TXT_HEADLINE_SUFFIX_2, TXT_HEADLINE_SUFFIX_3,
    TXT_HEADLINE_SUFFIX_4, TXT_HEADLINE_SUFFIX_5, TXT_HEADLINE_SUFFIX_6, TXT_HEADLINE_SUFFIX_7,
};

// Headlines are fixed texts built once: a refilled company keeps them.
char headlineText[COMPANY_COUNT][8][NAME_BUF_SIZE];

}  // namespace

void NewGameSetup() {
    const int32_t rates[3] = {5, 3, 1};
    const int32_t limits[3] = {2000000, 500000, 100000};
    const int32_t media[5] = {40000000, 16000000, 3000000, 800000, 300000};
    const int32_t research[8] = {100000000, 50000000, 45000000, 40000000, 5000000, 2300000, 2300000, 800000};
    const int32_t shop[8] = {100000, 150000, 300000, 2000000, 14000000, 38000000, 89000000, 460000000};
    const int32_t weapons[10] = {3000000, 1000000, 300000, 2000000, 10000,
                                 6000000, 12000000, 5000000, 4000000, 100000000};
    const int32_t enemy[10] = {2000, 5000, 3000, 2500, 80000, 500, 500, 500, 500, 25};

    std::memcpy(lenderInterestRate, rates, sizeof rates);
    std::memcpy(lenderCreditLimit, limits, sizeof limits);
    std::memcpy(mediaRaiseCost, media, sizeof media);
    std::memcpy(researchCost, research, sizeof research);
    researchUnderway = 0;
    std::memcpy(shopPrice, shop, sizeof shop);
    std::memcpy(weaponPrice, weapons, sizeof weapons);
    std::memcpy(enemyForces, enemy, sizeof enemy);
    for (int k = 0; k < 5; ++k) mediaLowerCost[k] = mediaRaiseCost[k] / 2;
    std::memset(shopOwned, 0, sizeof shopOwned);
    std::memset(playerForces, 0, sizeof playerForces);

    newsLines[0] = TXT_NEWS_OPENING_0;
    newsLines[1] = TXT_NEWS_OPENING_1;
    newsLines[2] = TXT_NEWS_OPENING_2;

    ListedCompany& p = companies[0];
    p.funds = 12000;
    p.profit = 250;
    p.issuedShares = 8000000;
    p.sharePrice = 280;
    p.debt = 0;
    p.ceoAssets = 100;
    p.dividendYield = 0;
    p.property = 2000;
    const int32_t playerRange[8] = {21, 40, 30, 120, 0, 80, 60, 320};
    std::memcpy(p.trendRange, playerRange, sizeof playerRange);
    for (int k = 0; k < 8; ++k) {
        bool buy = k == 0 || k == 1 || k == 2 || k == 6;
        p.headline[k] = buy ? TXT_PLAYER_HEADLINE_BUY : TXT_PLAYER_HEADLINE_SELL;
    }
    p.holdings[0] = p.issuedShares / 2;

    for (int i = 1; i < COMPANY_COUNT; ++i) {
        const CompanyRow& row = COMPANY_ROWS[i - 1];
        ListedCompany& c = companies[i];
        c.name = row.name;
        c.ceoName = row.ceo;
        c.funds = row.funds;
        c.profit = row.profit;
        c.issuedShares = row.issuedShares;
        c.sharePrice = row.sharePrice;
        c.debt = row.debt;
        c.ceoAssets = row.ceoAssets;
        c.dividendYield = row.dividendYield;
        std::memcpy(c.trendRange, row.range, sizeof row.range);
        c.property = row.property;
        for (int k = 0; k < 8; ++k) {
            std::string text = std::string(row.name) + HEADLINE_SUFFIX[k];
            CopyTextCut(headlineText[i][k], NAME_BUF_SIZE, text.c_str());
            c.headline[k] = headlineText[i][k];
        }
        if (row.integerDivisor != 0) {
            c.holdings[i] = c.issuedShares / row.integerDivisor;
        } else {
            c.holdings[i] = static_cast<int64_t>(static_cast<double>(c.issuedShares) / row.stakeDivisor);
        }
    }

    for (int i = 0; i < COMPANY_COUNT; ++i) {
        ListedCompany& c = companies[i];
        CopyTextCut(companyNamePool[i], NAME_BUF_SIZE, c.name ? c.name : "");
        c.floatingShares = c.issuedShares / 4;
        c.trendState = 1;
        c.refoundCount = 1;
        if (c.trendRange[0] != 0) {
            for (int k = 0; k < HISTORY_SIZE; ++k) {
                c.priceDeltaHistory[k] =
                    static_cast<int32_t>(RandMod(c.trendRange[0]) - c.trendRange[0] / 2);
            }
        }
    }
}

void StartUpWorld(uint32_t seed) {
    GameSrand(seed);
    titleFade = 255;
    buttonRepaintCountdown = 3;
    flyLevel = 10;
    screenMode = 1;
    CopyTextCut(playerCompanyNameBuf, NAME_BUF_SIZE, TXT_DEFAULT_COMPANY_NAME);
    CopyTextCut(playerNameBuf, NAME_BUF_SIZE, TXT_DEFAULT_PLAYER_NAME);
    companies[0].name = ONE_BLANK_TEXT;
    companies[0].ceoName = ONE_BLANK_TEXT;
    tobTarget = 0;
    NewGameSetup();
}

void EnterScenarioMode() {
    scenarioLevel = 1;
    scenarioTitle = SCENARIO_LEVELS[0].title;
    scenarioGoal = SCENARIO_LEVELS[0].goal;
}
