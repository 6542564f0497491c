// A new game as start-up leaves it, and the game's generator behind it.
#include <cstring>

#include "tests/test_support.h"
#include "world/new_game.h"

TEST(GameRandom, PinnedSequencesRangeAndModulo) {
    // The output for given seeds is pinned: one seed gives one game.
    GameSrand(1);
    for (int32_t draw : {41, 18467, 6334, 26500}) EXPECT_EQ(GameRand(), draw);
    // rand() % n above the draw's range is the draw itself.
    GameSrand(7);
    const int32_t a = GameRand();
    EXPECT_EQ((GameSrand(7), RandMod(100000)), a);
    EXPECT_EQ((GameSrand(7), RandMod(10)), a % 10);
}

class NewGame : public WorldTest {};

TEST_F(NewGame, StartingWorld) {
    StartGame(12345);
    const ListedCompany& p = companies[0];
    // Before founding the player's company shows the one-blank placeholder, which pool entry 0 keeps.
    const std::vector<std::string> texts = {p.name, p.ceoName, companyNamePool[0], playerCompanyNameBuf, playerNameBuf,
                                            std::string(p.headline[0]) + p.headline[3] + p.headline[6] + p.headline[7], companies[1].name,
                                            companies[1].headline[0], companies[29].headline[7], newsLines[0], newsLines[2]};
    const char* const want[] = {" ", " ", " ", "太郎の会社", "証券 太郎", "自社株買気配自社株売気配自社株買気配自社株売気配", "新日本石油",
                                "新日本石油、業績上方修正", "イチヤ、業績大幅下方修正および減配", "～東都証券取引所～",
                                "右上の各銘柄をクリックし、企業データを参照できます。"};
    for (size_t k = 0; k < texts.size(); ++k) EXPECT_EQ(texts[k], Sjis(want[k])) << "text " << k;
    const int64_t values[][2] = {
        {p.funds, 12000}, {p.profit, 250}, {p.issuedShares, 8000000}, {p.sharePrice, 280}, {p.ceoAssets, 100}, {p.property, 2000},
        {p.holdings[0], 4000000}, {p.floatingShares, 2000000}, {tobTarget, 0}, {screenMode, 1}, {titleFade, 255}, {scenarioLevel, 0},
        // Own stakes: decimal divisors divide in double precision and truncate.
        {companies[1].holdings[1], static_cast<int64_t>(1464508000.0 / 1.4)}, {companies[3].holdings[3], static_cast<int64_t>(1600000000.0 / 1.2)},
        {companies[7].holdings[7], 7733000 / 2}, {companies[29].holdings[29], 1140000000LL / 3}, {companies[27].issuedShares, 730000000000LL},
        {companies[27].funds, 650000000000LL}, {companies[21].profit, -5500000}, {companies[29].profit, -60000}, {companies[25].sharePrice, 941000},
        {buyImpactDelta, 0}, {buyImpactCompany, 0}, {sellImpactDelta, 0}, {sellImpactCompany, 0}, {newsCount, 3}, {gameYear, 2007}, {gameMonth, 3}, {gameDay, 12}, {gameHour, 11}, {gameMinute, 23}, {lawyerFee, 8000}, {monthsToTrial, 10},
    };
    for (size_t k = 0; k < sizeof values / sizeof values[0]; ++k) EXPECT_EQ(values[k][0], values[k][1]) << "row " << k;
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        SCOPED_TRACE(i);
        const ListedCompany& c = companies[i];
        EXPECT_EQ(c.floatingShares, c.issuedShares / 4);
        EXPECT_TRUE(c.trendState == 1 && c.refoundCount == 1 && c.trendRange[4] == 0 && c.bankrupt == 0);
        EXPECT_TRUE(i == 0 || (std::strcmp(companyNamePool[i], c.name) == 0 && c.ceoName != nullptr));
    }
    EnterScenarioMode();
    EXPECT_EQ(std::to_string(scenarioLevel) + scenarioTitle + "/" + scenarioGoal, Sjis("1ベンチャー企業家/純資産を２億円以上に"));
}

TEST_F(NewGame, HistoryDrawsAreTheSeedsAndInRange) {
    // Exactly 500 draws per company, in company order, over each company's range (company 1's, 20: -10..+9).
    StartGame(777);
    EXPECT_EQ(companies[1].trendRange[0], 20);
    GameSrand(777);
    for (int i = 0; i < COMPANY_COUNT; ++i) {
        const int32_t r = companies[i].trendRange[0];
        for (int k = 0; k < HISTORY_SIZE; ++k) ASSERT_EQ(companies[i].priceDeltaHistory[k], GameRand() % r - r / 2) << i << " " << k;
    }
    const uint32_t after = GameRandState();
    EXPECT_EQ((StartGame(777), GameRandState()), after);
}
