#include <cstring>

#include "tests/test_support.h"
#include "world/game_texts.h"
#include "world/new_game.h"

class NewGame : public WorldTest {};

TEST_F(NewGame, PlayerCompanyBeforeFounding) {
    StartGame(12345);
    const ListedCompany& p = companies[0];
    EXPECT_STREQ(p.name, " ");
    EXPECT_STREQ(p.ceoName, " ");
    EXPECT_EQ(std::string(playerCompanyNameBuf), Sjis("太郎の会社"));
    EXPECT_EQ(std::string(playerNameBuf), Sjis("証券 太郎"));
    EXPECT_EQ(p.funds, 12000);
    EXPECT_EQ(p.profit, 250);
    EXPECT_EQ(p.issuedShares, 8000000);
    EXPECT_EQ(p.sharePrice, 280);
    EXPECT_EQ(p.ceoAssets, 100);
    EXPECT_EQ(p.property, 2000);
    EXPECT_EQ(p.holdings[0], 4000000);
    EXPECT_EQ(p.floatingShares, 2000000);
    EXPECT_EQ(std::string(p.headline[0]), Sjis("自社株買気配"));
    EXPECT_EQ(std::string(p.headline[3]), Sjis("自社株売気配"));
    EXPECT_EQ(std::string(p.headline[6]), Sjis("自社株買気配"));
    EXPECT_EQ(std::string(p.headline[7]), Sjis("自社株売気配"));
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(screenMode, 1);
    EXPECT_EQ(titleFade, 255);
    // Pool entry 0 keeps the placeholder, not a later chosen name.
    EXPECT_STREQ(companyNamePool[0], " ");
}

TEST_F(NewGame, ComputerCompaniesAndOwnStakes) {
    StartGame(1);
    EXPECT_EQ(std::string(companies[1].name), Sjis("新日本石油"));
    EXPECT_EQ(std::string(companies[1].headline[0]), Sjis("新日本石油、業績上方修正"));
    EXPECT_EQ(std::string(companies[29].headline[7]), Sjis("イチヤ、業績大幅下方修正および減配"));
    // Decimal divisors divide in double precision and truncate.
    EXPECT_EQ(companies[1].holdings[1], static_cast<int64_t>(1464508000.0 / 1.4));
    EXPECT_EQ(companies[3].holdings[3], static_cast<int64_t>(1600000000.0 / 1.2));
    // Integer divisors.
    EXPECT_EQ(companies[7].holdings[7], 7733000 / 2);
    EXPECT_EQ(companies[29].holdings[29], 1140000000LL / 3);
    EXPECT_EQ(companies[27].issuedShares, 730000000000LL);
    EXPECT_EQ(companies[27].funds, 650000000000LL);
    EXPECT_EQ(companies[21].profit, -5500000);
    EXPECT_EQ(companies[29].profit, -60000);
    EXPECT_EQ(companies[25].sharePrice, 941000);
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        EXPECT_EQ(companies[i].floatingShares, companies[i].issuedShares / 4) << i;
        EXPECT_EQ(companies[i].trendState, 1) << i;
        EXPECT_EQ(companies[i].refoundCount, 1) << i;
        EXPECT_EQ(companies[i].trendRange[4], 0) << i;
        EXPECT_EQ(companies[i].bankrupt, 0) << i;
        if (i > 0) {
            EXPECT_STREQ(companyNamePool[i], companies[i].name) << i;
            EXPECT_NE(companies[i].ceoName, nullptr);
        }
    }
    // Divisors below 4/3 leave own stake plus float above the issue at first.
    for (int i : {3, 10, 12, 20, 23}) {
        EXPECT_GT(companies[i].holdings[i] + companies[i].floatingShares, companies[i].issuedShares) << i;
    }
}

TEST_F(NewGame, TablesAndNews) {
    StartGame(5);
    EXPECT_EQ(lenderInterestRate[0], 5);
    EXPECT_EQ(lenderInterestRate[2], 1);
    EXPECT_EQ(lenderCreditLimit[1], 500000);
    EXPECT_EQ(mediaLowerCost[0], 20000000);
    EXPECT_EQ(mediaLowerCost[4], 150000);
    EXPECT_EQ(researchCost[7], 800000);
    EXPECT_EQ(shopPrice[7], 460000000);
    EXPECT_EQ(weaponPrice[9], 100000000);
    EXPECT_EQ(enemyForces[4], 80000);
    EXPECT_EQ(enemyForces[9], 25);
    EXPECT_EQ(std::string(newsLines[0]), Sjis("～東都証券取引所～"));
    EXPECT_EQ(std::string(newsLines[2]), Sjis("右上の各銘柄をクリックし、企業データを参照できます。"));
    EXPECT_EQ(newsCount, 3);
    EXPECT_EQ(gameYear, 2007);
    EXPECT_EQ(gameMonth, 3);
    EXPECT_EQ(gameDay, 12);
    EXPECT_EQ(lawyerFee, 8000);
    EXPECT_EQ(monthsToTrial, 10);
}

TEST_F(NewGame, HistoryDrawsAreTheSeedsAndInRange) {
    StartGame(777);
    // Company 1 (range 20) lies in -10..+9; the player (21) in -10..+10.
    for (int k = 0; k < HISTORY_SIZE; ++k) {
        ASSERT_GE(companies[1].priceDeltaHistory[k], -10);
        ASSERT_LE(companies[1].priceDeltaHistory[k], 9);
        ASSERT_GE(companies[0].priceDeltaHistory[k], -10);
        ASSERT_LE(companies[0].priceDeltaHistory[k], 10);
    }
    // Exactly 500 draws per company, in company order.
    GameSrand(777);
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        for (int k = 0; k < HISTORY_SIZE; ++k) {
            int32_t r = companies[i].trendRange[0];
            ASSERT_EQ(companies[i].priceDeltaHistory[k], GameRand() % r - r / 2) << i << " " << k;
        }
    }
    uint32_t after = GameRandState();
    StartGame(777);
    EXPECT_EQ(GameRandState(), after);
    // One seed gives one game; another seed another.
    int32_t first = companies[5].priceDeltaHistory[0];
    StartGame(778);
    bool differs = false;
    for (int k = 0; k < HISTORY_SIZE && !differs; ++k) differs = companies[5].priceDeltaHistory[k] != first;
    EXPECT_TRUE(differs);
}

TEST_F(NewGame, ScenarioMode) {
    StartGame(3);
    EXPECT_EQ(scenarioLevel, 0);
    EnterScenarioMode();
    EXPECT_EQ(scenarioLevel, 1);
    EXPECT_EQ(std::string(scenarioTitle), Sjis("ベンチャー企業家"));
    EXPECT_EQ(std::string(scenarioGoal), Sjis("純資産を２億円以上に"));
}
