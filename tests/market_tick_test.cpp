#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "market/market_tick.h"
#include "tests/test_support.h"
#include "world/game_texts.h"

class MarketTick : public WorldTest {
protected:
    static constexpr int C = 5;   // the company the orders trade
    static constexpr int T = 7;   // the target of the takeover bids

    void SetUp() override {
        WorldTest::SetUp();
        StartGame(2024);
        pendingOrders = PendingOrders{};
        marketHalt = 0;
        researchUnderway = 0;
        tobTarget = 0;
        tobHostile = 0;
        tobPrice = 0;
        buyImpactDelta = buyImpactCompany = 0;
        sellImpactDelta = sellImpactCompany = 0;
        companies[0].funds = 1000000;
        for (int j = 1; j < COMPANY_COUNT; ++j) {
            companies[0].holdings[j] = 0;
            companies[0].avgBuyPrice[j] = 0;
        }
        SetCompany(C, 1000, 10000000, 4000000, 3000000);
    }

    static void SetCompany(int i, int32_t price, int64_t issued, int64_t ceo, int64_t floating) {
        ListedCompany& c = companies[i];
        c.sharePrice = price;
        c.issuedShares = issued;
        c.holdings[i] = ceo;
        c.floatingShares = floating;
        c.trendState = 1;
    }

    // The recorded message boxes as (caption, text); all must belong to the
    // board and have only an OK button.
    std::vector<std::pair<std::string, std::string>> Shown() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& m : headless.messages) {
            EXPECT_EQ(m.owner, WIN_BOARD);
            EXPECT_EQ(m.style, MB_STYLE_OK);
            out.emplace_back(m.caption, m.text);
        }
        return out;
    }

    using Shows = std::vector<std::pair<std::string, std::string>>;

    static std::pair<std::string, std::string> Box(const char* caption, const char* text) {
        return {Sjis(caption), Sjis(text)};
    }

    int SoundCount(const char* file) const {
        int n = 0;
        for (const auto& s : headless.sounds)
            if (s == file) ++n;
        return n;
    }
};

TEST_F(MarketTick, ResearchEndsOnlyOnRollsOneAndTwo) {
    researchCost[2] = 12345;
    marketHalt = 1;   // no market day: the research draw is the only one
    for (int roll = 1; roll <= 10; ++roll) {
        SCOPED_TRACE(roll);
        headless.Clear();
        researchUnderway = 3;
        companies[0].profit = 5000;
        uint32_t start = ArrangeDraws({Mod(10, roll - 1)});
        RunMarketTick(WIN_BOARD);
        EXPECT_EQ(DrawsSince(start), 1);
        if (roll == 1) {
            // A tenth of the third university's fee, 12345 / 10.
            EXPECT_EQ(companies[0].profit, 5000 + 1234);
            EXPECT_EQ(researchUnderway, 0);
            EXPECT_EQ(Shown(), (Shows{Box("研究", "研究の成果により,会社の利益が1234万円増加しました..")}));
        } else if (roll == 2) {
            EXPECT_EQ(companies[0].profit, 5000);
            EXPECT_EQ(researchUnderway, 0);
            EXPECT_EQ(Shown(), (Shows{Box("失敗", "研究は失敗に終わりました.")}));
        } else {
            EXPECT_EQ(companies[0].profit, 5000);
            EXPECT_EQ(researchUnderway, 3);
            EXPECT_TRUE(Shown().empty());
        }
    }
    // The last university's row is used for research number 8.
    headless.Clear();
    researchCost[7] = 809;
    researchUnderway = 8;
    companies[0].profit = -100;
    ArrangeDraws({Mod(10, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].profit, -100 + 80);
    EXPECT_TRUE(HasMessage(Sjis("研究の成果により,会社の利益が80万円増加しました..")));

    // Without research no draw is made at all.
    headless.Clear();
    uint32_t start = GameRandState();
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 0);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MarketTick, ResearchEndsOnAboutTwoTicksInTen) {
    GameSrand(77);
    marketHalt = 1;
    researchCost[0] = 100;
    int successes = 0, failures = 0;
    for (int k = 0; k < 20000; ++k) {
        researchUnderway = 1;
        RunMarketTick(WIN_BOARD);
        if (researchUnderway == 0) {
            if (headless.messages.back().caption == Sjis("研究")) ++successes;
            else ++failures;
            headless.Clear();
        }
    }
    EXPECT_NEAR(successes, 2000, 200);
    EXPECT_NEAR(failures, 2000, 200);
}

TEST_F(MarketTick, TakeoverBidBuysOutsideTheFloat) {
    marketHalt = 1;   // the bid runs on halted ticks too; no market day interferes
    // 612345 shares are held by neither the CEO, the float nor the player.
    auto reset = [&](int64_t funds, int64_t playerStake, int32_t playerAvg) {
        headless.Clear();
        SetCompany(T, 500, 1012345 + playerStake, 300000, 100000);
        companies[0].holdings[T] = playerStake;
        companies[0].avgBuyPrice[T] = playerAvg;
        companies[0].funds = funds;
        tobTarget = T;
        tobPrice = 600;
        tobHostile = 0;
    };

    // Seven ticks in eight the bid waits.
    reset(100000, 0, 0);
    uint32_t start = ArrangeDraws({Mod(8, 3)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 1);
    EXPECT_EQ(companies[0].holdings[T], 0);
    EXPECT_EQ(tobTarget, T);
    EXPECT_TRUE(Shown().empty());

    // A bid at the market price buys nothing and draws no lot.
    reset(100000, 0, 0);
    tobPrice = 500;
    start = ArrangeDraws({Mod(8, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 1);
    EXPECT_EQ(companies[0].holdings[T], 0);
    EXPECT_EQ(tobTarget, T);
    EXPECT_TRUE(Shown().empty());

    // A purchase: 612345 / 4 = 153086, in whole hundreds 153000; paid for
    // in whole units of 10000 shares: 15 x 600.
    reset(100000, 0, 0);
    start = ArrangeDraws({Mod(8, 0), Mod(5, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 2);
    EXPECT_EQ(companies[0].holdings[T], 153000);
    EXPECT_EQ(companies[0].funds, 100000 - 9000);
    EXPECT_EQ(companies[T].floatingShares, 100000);
    EXPECT_EQ(companies[0].avgBuyPrice[T], 601);   // 0 + 1 + 600
    EXPECT_EQ(tobTarget, T);
    EXPECT_EQ(Shown(), (Shows{Box("ＴＯＢ", "600円で153000株買い付けました.")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 1);

    // Equality of cost and funds suffices.
    reset(9000, 0, 0);
    ArrangeDraws({Mod(8, 0), Mod(5, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[T], 153000);
    EXPECT_EQ(companies[0].funds, 0);

    // One 万円 short: the bid ends, a hostile one too.
    reset(8999, 0, 0);
    tobHostile = 1;
    ArrangeDraws({Mod(8, 0), Mod(5, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[T], 0);
    EXPECT_EQ(companies[0].funds, 8999);
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(tobHostile, 0);
    EXPECT_EQ(Shown(), (Shows{Box("ＴＯＢ", "資金がなくなったので,株式公開買い付けを終了します")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 0);

    // With a stake already held: 612345 / 4 = 153086 -> 153000 more, and the
    // average mixes 10000 shares at 500 with 153000 at 600, plus 1:
    // 500 * 10000 / 163000 + 1 + 600 * 153000 / 163000 = 594.87.
    reset(100000, 10000, 500);
    ArrangeDraws({Mod(8, 0), Mod(5, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[T], 163000);
    EXPECT_EQ(companies[0].avgBuyPrice[T], 594);
    EXPECT_TRUE(HasMessage(Sjis("600円で153000株買い付けました.")));

    // The bid also buys on an ordinary tick with a market day.
    marketHalt = 0;
    reset(100000, 0, 0);
    ArrangeDraws({Mod(8, 0), Mod(5, 0)});   // divisor 2: 306172 -> 306100
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[T], 306100);
    EXPECT_EQ(companies[0].funds, 100000 - 30 * 600);
}

TEST_F(MarketTick, TakeoverBidFallsBackOnTheFloat) {
    marketHalt = 1;
    // The CEO, the float and the player hold every share: nothing is available.
    auto reset = [&](int64_t floating, int64_t funds) {
        headless.Clear();
        SetCompany(T, 500, 300000 + floating + 600000, 300000, floating);
        companies[0].holdings[T] = 600000;
        companies[0].avgBuyPrice[T] = 550;
        companies[0].funds = funds;
        tobTarget = T;
        tobPrice = 600;
        tobHostile = 0;
    };

    // 100000 / 5 = 20000 from the float, 2 units of 10000 at 600.
    reset(100000, 50000);
    uint32_t start = ArrangeDraws({Mod(8, 0), Any(), Mod(5, 3)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 3);
    EXPECT_EQ(companies[0].holdings[T], 620000);
    EXPECT_EQ(companies[T].floatingShares, 80000);
    EXPECT_EQ(companies[0].funds, 50000 - 1200);
    // 550 * 600000 / 620000 + 1 + 600 * 20000 / 620000 = 552.6
    EXPECT_EQ(companies[0].avgBuyPrice[T], 552);
    EXPECT_EQ(tobTarget, T);
    EXPECT_EQ(Shown(), (Shows{Box("ＴＯＢ", "600円で20000株買い付けました.")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 1);

    // A lot of 9900 shares costs nothing and is still bought.
    reset(19800, 50000);
    ArrangeDraws({Mod(8, 0), Any(), Mod(5, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[T], 609900);
    EXPECT_EQ(companies[T].floatingShares, 9900);
    EXPECT_EQ(companies[0].funds, 50000);
    EXPECT_EQ(Shown(), (Shows{Box("ＴＯＢ", "600円で9900株買い付けました.")}));

    // Less than a hundred shares from the float: the bid waits.
    reset(150, 50000);
    start = ArrangeDraws({Mod(8, 0), Any(), Mod(5, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 3);
    EXPECT_EQ(companies[0].holdings[T], 600000);
    EXPECT_EQ(tobTarget, T);
    EXPECT_TRUE(Shown().empty());

    // No float left: the bid ends, without a third draw.
    reset(0, 50000);
    tobHostile = 1;
    start = ArrangeDraws({Mod(8, 0), Any()});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 2);
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(tobHostile, 0);
    EXPECT_EQ(companies[0].holdings[T], 600000);
    EXPECT_EQ(Shown(), (Shows{Box("ＴＯＢ", "株式公開買い付けを終了します")}));

    // The float lot is unaffordable: the bid ends, the float stays.
    reset(100000, 1199);
    ArrangeDraws({Mod(8, 0), Any(), Mod(5, 3)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(companies[T].floatingShares, 100000);
    EXPECT_EQ(companies[0].holdings[T], 600000);
    EXPECT_EQ(companies[0].funds, 1199);
    EXPECT_EQ(Shown(), (Shows{Box("ＴＯＢ", "資金がなくなったので,株式公開買い付けを終了します")}));
}

TEST_F(MarketTick, LimitBuyFillsOnlyWithinTwoYenAndOnHeads) {
    // Halted with the after-hours flag: the step runs, no market day draws.
    auto place = [&](int32_t limit, int64_t qty) {
        headless.Clear();
        marketHalt = 2;
        pendingOrders.afterHoursTrade = 1;
        pendingOrders.limitBuyCompany = C;
        pendingOrders.limitBuyQty = qty;
        pendingOrders.limitBuyPrice = limit;
    };
    for (int32_t limit : {997, 1003}) {
        SCOPED_TRACE(limit);
        place(limit, 5000);
        uint32_t start = GameRandState();
        RunMarketTick(WIN_BOARD);
        EXPECT_EQ(DrawsSince(start), 0);
        EXPECT_EQ(pendingOrders.limitBuyQty, 5000);
        EXPECT_EQ(pendingOrders.afterHoursTrade, 1);
        EXPECT_EQ(companies[0].holdings[C], 0);
        EXPECT_TRUE(Shown().empty());
    }
    // Tails: the order waits and the after-hours flag is kept.
    for (int32_t limit : {998, 1002}) {
        SCOPED_TRACE(limit);
        place(limit, 5000);
        uint32_t start = ArrangeDraws({Mod(2, 0)});
        RunMarketTick(WIN_BOARD);
        EXPECT_EQ(DrawsSince(start), 1);
        EXPECT_EQ(pendingOrders.limitBuyQty, 5000);
        EXPECT_EQ(pendingOrders.afterHoursTrade, 1);
        EXPECT_EQ(companies[0].holdings[C], 0);
        EXPECT_TRUE(Shown().empty());
    }
    // Heads at the top of the window: paid at the limit, 1002 x 0.5 万円;
    // the average takes the market price, 0 + 1 + 1000.
    place(1002, 5000);
    ArrangeDraws({Mod(2, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 5000);
    EXPECT_EQ(companies[0].funds, 1000000 - 501);
    EXPECT_EQ(companies[0].avgBuyPrice[C], 1001);
    EXPECT_EQ(pendingOrders.limitBuyQty, 0);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);
    EXPECT_EQ(buyImpactDelta, 0);   // a limit buy moves no price
    EXPECT_EQ(Shown(), (Shows{Box("約定", "購入価格1002円で5000株購入できました")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 1);

    // At the bottom of the window; a fractional cost of 500.5 is rounded up.
    companies[0].holdings[C] = 0;
    companies[0].funds = 1000000;
    place(998, 5000);
    ArrangeDraws({Mod(2, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].funds, 1000000 - 499);
    EXPECT_EQ(Shown(), (Shows{Box("約定", "購入価格998円で5000株購入できました")}));
    companies[0].holdings[C] = 0;
    companies[0].funds = 1000000;
    place(1001, 5000);
    ArrangeDraws({Mod(2, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].funds, 1000000 - 501);

    // A fill of fewer than 100 shares leaves the average alone.
    companies[0].holdings[C] = 0;
    companies[0].avgBuyPrice[C] = 0;
    place(1000, 50);
    ArrangeDraws({Mod(2, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 50);
    EXPECT_EQ(companies[0].avgBuyPrice[C], 0);

    // Adding to a stake: 800 * 1000 / 4000 + 1 + 1000 * 3000 / 4000 = 951
    // (at the limit price it would be 952.5).
    companies[0].holdings[C] = 1000;
    companies[0].avgBuyPrice[C] = 800;
    place(1002, 3000);
    ArrangeDraws({Mod(2, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 4000);
    EXPECT_EQ(companies[0].avgBuyPrice[C], 951);
}

TEST_F(MarketTick, LimitBuyPartialFillsAndFunds) {
    SetCompany(C, 1000, 1000000, 400000, 300000);
    auto place = [&](int64_t qty, int64_t funds) {
        headless.Clear();
        marketHalt = 2;
        pendingOrders.afterHoursTrade = 1;
        pendingOrders.limitBuyCompany = C;
        pendingOrders.limitBuyQty = qty;
        pendingOrders.limitBuyPrice = 1000;
        companies[0].holdings[C] = 0;
        companies[0].funds = funds;
        ArrangeDraws({Mod(2, 1)});
    };
    const char* partial1500 = "購入価格1000円で1500株だけ購入できました.\n残りの注文は自動的に取り消されました.";
    // Worth 1.5 times the issue: ratio 1, the whole order, reported as partial.
    place(1500, 1000000);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 1500);
    EXPECT_EQ(companies[0].funds, 1000000 - 150);
    EXPECT_EQ(Shown(), (Shows{Box("約定", partial1500)}));

    // Ratio 2 halves the order.
    place(2500, 1000000);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 1250);
    EXPECT_EQ(companies[0].funds, 1000000 - 125);
    EXPECT_EQ(Shown(), (Shows{Box("約定", "購入価格1000円で1250株だけ購入できました.\n残りの注文は自動的に取り消されました.")}));
    EXPECT_EQ(pendingOrders.limitBuyQty, 0);

    // Ratio 7: 7500 / 7 = 1071.4.
    place(7500, 1000000);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 1071);

    // The funds test takes the cut quantity: 1250 shares cost 125, and
    // equality suffices.
    place(2500, 125);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 1250);
    EXPECT_EQ(companies[0].funds, 0);

    place(2500, 124);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 0);
    EXPECT_EQ(companies[0].funds, 124);
    EXPECT_EQ(pendingOrders.limitBuyQty, 0);   // dropped
    EXPECT_EQ(Shown(), (Shows{Box("資金不足", "購入資金が足りません")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 0);

    // The quantity is printed as a 32-bit number: 2^32 + 100 shows as 100.
    SetCompany(C, 1, MAX_AMOUNT, 0, 0);
    headless.Clear();
    pendingOrders.limitBuyQty = 4294967396LL;
    pendingOrders.limitBuyPrice = 1;
    pendingOrders.afterHoursTrade = 1;
    companies[0].holdings[C] = 0;
    companies[0].funds = 1000000;
    ArrangeDraws({Mod(2, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 4294967396LL);
    EXPECT_EQ(companies[0].funds, 1000000 - 429497);   // 429496.7396 rounded up
    EXPECT_EQ(Shown(), (Shows{Box("約定", "購入価格1円で100株購入できました")}));
}

TEST_F(MarketTick, LimitBuyAtTheEdgeFillsOnAboutHalfTheTicks) {
    GameSrand(99);
    int fills = 0;
    for (int k = 0; k < 4000; ++k) {
        marketHalt = 2;
        pendingOrders.afterHoursTrade = 1;
        pendingOrders.limitBuyCompany = C;
        pendingOrders.limitBuyQty = 100;
        pendingOrders.limitBuyPrice = 1002;
        RunMarketTick(WIN_BOARD);
        if (pendingOrders.limitBuyQty == 0) ++fills;
    }
    EXPECT_NEAR(fills, 2000, 150);
    EXPECT_EQ(companies[0].holdings[C], 100 * fills);
}

TEST_F(MarketTick, MarketBuyFillsOnRollTwoAndMovesThePrice) {
    // One roll in three fills.
    for (int residue = 0; residue < 3; ++residue) {
        SCOPED_TRACE(residue);
        headless.Clear();
        companies[0].holdings[C] = 0;
        pendingOrders.marketBuyCompany = C;
        pendingOrders.marketBuyQty = 100;
        ArrangeDraws({Mod(3, residue)});
        RunMarketTick(WIN_BOARD);
        if (residue == 1) {
            EXPECT_EQ(pendingOrders.marketBuyQty, 0);
            EXPECT_EQ(companies[0].holdings[C], 100);
        } else {
            EXPECT_EQ(pendingOrders.marketBuyQty, 100);
            EXPECT_EQ(companies[0].holdings[C], 0);
            EXPECT_TRUE(Shown().empty());
        }
    }

    // A purchase worth a quarter of the issue: r = 2500000 * 1000 / 10^7 =
    // 250 yen; cost 25000 x (2250 / 20 = 112) / 10 = 280000; average 1125.
    pendingOrders.marketBuyQty = 0;
    SetCompany(C, 1000, 10000000, 4000000, 3000000);
    auto place = [&](int64_t funds) {
        headless.Clear();
        companies[0].holdings[C] = 0;
        companies[0].avgBuyPrice[C] = 0;
        companies[0].funds = funds;
        pendingOrders.marketBuyCompany = C;
        pendingOrders.marketBuyQty = 2500000;
        ArrangeDraws({Mod(3, 1)});
    };
    place(1000000);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 2500000);
    EXPECT_EQ(companies[0].funds, 1000000 - 280000);
    EXPECT_EQ(companies[0].avgBuyPrice[C], 1126);   // 0 + 1 + 1125
    EXPECT_EQ(Shown(), (Shows{Box("約定", "平均購入価格1125円で購入できました"),
                              Box("約定", "プレイヤの大量購入により株価が250円上昇しました")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 1);
    // The market day of the same tick applied the rise.
    EXPECT_EQ(companies[C].priceDelta, 250);
    EXPECT_EQ(companies[C].sharePrice, 1250);
    EXPECT_EQ(buyImpactDelta, 0);

    // Equality of funds and cost suffices; one short drops the order.
    SetCompany(C, 1000, 10000000, 4000000, 3000000);
    place(280000);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 2500000);
    EXPECT_EQ(companies[0].funds, 0);

    SetCompany(C, 1000, 10000000, 4000000, 3000000);
    place(279999);
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 0);
    EXPECT_EQ(companies[0].funds, 279999);
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    EXPECT_EQ(Shown(), (Shows{Box("資金不足", "購入資金が足りません")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 0);
}

TEST_F(MarketTick, MarketBuyFiguresAndTheImpactOnTheNextDay) {
    // A small order has no impact: 12345 shares cost 123 x 100 / 10 = 1230,
    // less than 12345 x 1000 / 10000 = 1234.5.
    SetCompany(C, 1000, 100000000, 40000000, 30000000);
    pendingOrders.marketBuyCompany = C;
    pendingOrders.marketBuyQty = 12345;
    ArrangeDraws({Mod(3, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 12345);
    EXPECT_EQ(companies[0].funds, 1000000 - 1230);
    EXPECT_EQ(companies[0].avgBuyPrice[C], 1001);
    EXPECT_EQ(Shown(), (Shows{Box("約定", "平均購入価格1000円で購入できました")}));
    EXPECT_EQ(buyImpactCompany, C);

    // Bought after hours behind an open dialog: it fills at once whatever the
    // roll, and the rise waits for the next market day, which applies it to
    // the bought company even after another row was selected.
    headless.Clear();
    SetCompany(C, 1000, 10000000, 4000000, 3000000);
    companies[0].holdings[C] = 1000000;
    companies[0].avgBuyPrice[C] = 900;
    companies[0].funds = 1000000;
    marketHalt = 2;
    pendingOrders.afterHoursTrade = 1;
    pendingOrders.marketBuyQty = 2500000;
    const int32_t history = historyIndex;
    uint32_t start = ArrangeDraws({Mod(3, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 1);
    EXPECT_EQ(historyIndex, history);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);
    EXPECT_EQ(companies[0].holdings[C], 3500000);
    // The impact is that of the order alone: 2500000 * 1000 / 10^7 = 250.
    EXPECT_EQ(buyImpactDelta, 250);
    EXPECT_EQ(buyImpactCompany, C);
    // 900 * 1000000 / 3500000 + 1 + 1125 * 2500000 / 3500000 = 1061.7
    EXPECT_EQ(companies[0].avgBuyPrice[C], 1061);
    EXPECT_EQ(companies[C].sharePrice, 1000);

    marketHalt = 0;
    selectedCompany = 9;
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(historyIndex, history + 1);
    EXPECT_EQ(companies[C].priceDelta, 250);
    EXPECT_EQ(companies[C].sharePrice, 1250);
    EXPECT_EQ(buyImpactDelta, 0);
}

TEST_F(MarketTick, MarketSellFillsOnRollTwoAndLowersThePrice) {
    for (int residue = 0; residue < 3; ++residue) {
        SCOPED_TRACE(residue);
        headless.Clear();
        companies[0].holdings[C] = 1000;
        pendingOrders.sellCompany = C;
        pendingOrders.sellQty = 100;
        ArrangeDraws({Mod(3, residue)});
        RunMarketTick(WIN_BOARD);
        EXPECT_EQ(pendingOrders.sellQty, residue == 1 ? 0 : 100);
        EXPECT_EQ(companies[0].holdings[C], residue == 1 ? 900 : 1000);
    }

    // r = 250 yen; proceeds 25000 x (1750 / 20 = 87) / 10 = 217500; average 875.
    headless.Clear();
    SetCompany(C, 1000, 10000000, 4000000, 3000000);
    companies[0].holdings[C] = 3000000;
    companies[0].avgBuyPrice[C] = 900;
    companies[0].funds = 1000;
    pendingOrders.sellQty = 2500000;
    ArrangeDraws({Mod(3, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 500000);
    EXPECT_EQ(companies[0].funds, 1000 + 217500);
    EXPECT_EQ(companies[0].avgBuyPrice[C], 900);
    EXPECT_EQ(pendingOrders.sellQty, 0);
    EXPECT_EQ(Shown(), (Shows{Box("約定", "平均売却価格875円で売却できました"),
                              Box("約定", "プレイヤの大量売却により株価が250円下落しました")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 1);
    EXPECT_EQ(companies[C].priceDelta, -250);
    EXPECT_EQ(companies[C].sharePrice, 750);
    EXPECT_EQ(sellImpactDelta, 0);

    // A small sale after hours: 123 x 100 / 10 = 1230 and no price message.
    headless.Clear();
    SetCompany(C, 1000, 100000000, 40000000, 30000000);
    companies[0].holdings[C] = 12345;
    companies[0].funds = 0;
    marketHalt = 2;
    pendingOrders.afterHoursTrade = 1;
    pendingOrders.sellQty = 12345;
    ArrangeDraws({Mod(3, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 0);
    EXPECT_EQ(companies[0].funds, 1230);
    EXPECT_EQ(sellImpactDelta, 0);
    EXPECT_EQ(sellImpactCompany, C);
    EXPECT_EQ(Shown(), (Shows{Box("約定", "平均売却価格1000円で売却できました")}));

    // Shares that went away after the order (the company was refounded or
    // merged) are not sold: only what is still held, and nothing from nothing.
    headless.Clear();
    companies[0].holdings[C] = 5000;
    companies[0].funds = 0;
    pendingOrders.afterHoursTrade = 1;
    pendingOrders.sellQty = 12345;
    ArrangeDraws({Mod(3, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[C], 0);
    EXPECT_EQ(companies[0].funds, 500);   // 50 x 100 / 10
    EXPECT_EQ(pendingOrders.sellQty, 0);
    headless.Clear();
    pendingOrders.afterHoursTrade = 1;
    pendingOrders.sellQty = 12345;
    uint32_t lapsed = ArrangeDraws({Mod(3, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(lapsed), 1);   // the roll is still drawn
    EXPECT_EQ(companies[0].holdings[C], 0);
    EXPECT_EQ(companies[0].funds, 500);
    EXPECT_EQ(pendingOrders.sellQty, 0);
    EXPECT_TRUE(headless.messages.empty());
    marketHalt = 0;

    // On a running market the after-hours flag is spent by the first market
    // order: the buy fills at once, the sale then needs its own roll.
    headless.Clear();
    marketHalt = 0;
    companies[0].holdings[C] = 1000;
    pendingOrders.afterHoursTrade = 1;
    pendingOrders.marketBuyCompany = C;
    pendingOrders.marketBuyQty = 100;
    pendingOrders.sellQty = 200;
    ArrangeDraws({Mod(3, 0), Mod(3, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    EXPECT_EQ(pendingOrders.sellQty, 200);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);
    EXPECT_EQ(companies[0].holdings[C], 1100);
}

TEST_F(MarketTick, OneTickRunsItsStepsInOrder) {
    researchUnderway = 1;
    researchCost[0] = 1000;
    SetCompany(T, 500, 1012345, 300000, 100000);
    tobTarget = T;
    tobPrice = 600;
    SetCompany(6, 2000, 100000000, 0, 0);
    SetCompany(8, 3000, 100000000, 0, 0);
    companies[0].holdings[8] = 10000;
    pendingOrders.limitBuyCompany = C;
    pendingOrders.limitBuyQty = 100;
    pendingOrders.limitBuyPrice = 1000;
    pendingOrders.marketBuyCompany = 6;
    pendingOrders.marketBuyQty = 100;
    pendingOrders.sellCompany = 8;
    pendingOrders.sellQty = 10000;
    const int32_t history = historyIndex;
    ArrangeDraws({Mod(10, 0), Mod(8, 0), Mod(5, 2), Mod(2, 1), Mod(3, 1), Mod(3, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(Shown(), (Shows{Box("研究", "研究の成果により,会社の利益が100万円増加しました.."),
                              Box("ＴＯＢ", "600円で153000株買い付けました."),
                              Box("約定", "購入価格1000円で100株購入できました"),
                              Box("約定", "平均購入価格2000円で購入できました"),
                              Box("約定", "平均売却価格3000円で売却できました")}));
    EXPECT_EQ(SoundCount("yakutei.wav"), 4);
    EXPECT_EQ(historyIndex, history + 1);
    ASSERT_FALSE(headless.paints.empty());
    EXPECT_EQ(headless.paints.back(), WIN_BOARD);
}

TEST_F(MarketTick, HaltedMarketRunsNoOrderAndNoDay) {
    pendingOrders.limitBuyCompany = C;
    pendingOrders.limitBuyQty = 100;
    pendingOrders.limitBuyPrice = 1000;
    pendingOrders.marketBuyCompany = C;
    pendingOrders.marketBuyQty = 200;
    pendingOrders.sellCompany = C;
    pendingOrders.sellQty = 300;
    for (int halt : {1, 2}) {
        SCOPED_TRACE(halt);
        headless.Clear();
        marketHalt = halt;
        const int32_t history = historyIndex;
        int32_t prices[COMPANY_COUNT];
        for (int i = 0; i < COMPANY_COUNT; ++i) prices[i] = companies[i].sharePrice;
        uint32_t start = GameRandState();
        RunMarketTick(WIN_BOARD);
        EXPECT_EQ(DrawsSince(start), 0);
        EXPECT_EQ(historyIndex, history);
        for (int i = 0; i < COMPANY_COUNT; ++i) EXPECT_EQ(companies[i].sharePrice, prices[i]);
        EXPECT_EQ(pendingOrders.limitBuyQty, 100);
        EXPECT_EQ(pendingOrders.marketBuyQty, 200);
        EXPECT_EQ(pendingOrders.sellQty, 300);
        EXPECT_TRUE(Shown().empty());
        EXPECT_EQ(headless.paints, std::vector<WindowId>{WIN_BOARD});
    }

    // After hours, one order step runs: the limit buy fills on heads and
    // takes the flag, so the market buy and the sale wait without a draw.
    headless.Clear();
    marketHalt = 2;
    pendingOrders.afterHoursTrade = 1;
    uint32_t start = ArrangeDraws({Mod(2, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 1);
    EXPECT_EQ(pendingOrders.limitBuyQty, 0);
    EXPECT_EQ(pendingOrders.marketBuyQty, 200);
    EXPECT_EQ(pendingOrders.sellQty, 300);
    EXPECT_EQ(pendingOrders.afterHoursTrade, 0);

    // Next the market buy takes the flag and fills at once; the sale waits.
    headless.Clear();
    pendingOrders.afterHoursTrade = 1;
    start = ArrangeDraws({Mod(3, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 1);
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    EXPECT_EQ(pendingOrders.sellQty, 300);
    EXPECT_EQ(companies[0].holdings[C], 300);

    // With the market running again the sale fills on its roll.
    marketHalt = 0;
    ArrangeDraws({Mod(3, 1)});
    const int32_t history = historyIndex;
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(pendingOrders.sellQty, 0);
    EXPECT_EQ(companies[0].holdings[C], 0);
    EXPECT_EQ(historyIndex, history + 1);
}

TEST_F(MarketTick, HostileTargetIssuesSharesOrBuysBack) {
    marketHalt = 1;
    // The bid is priced below the market, so its step draws once and buys nothing.
    auto reset = [&](int64_t issued, int64_t ceo, int64_t player, int64_t targetFunds) {
        headless.Clear();
        SetCompany(T, 500, issued, ceo, 0);
        companies[T].funds = targetFunds;
        companies[0].holdings[T] = player;
        tobTarget = T;
        tobPrice = 100;
        tobHostile = 1;
    };
    const std::string name = companies[T].name;

    // The player holds more than half of the CEO's stake but less than it:
    // 1000000 / 4 new shares, paid 25 x 500 into the target's funds.
    reset(1000000, 400000, 300000, 10000);
    uint32_t start = ArrangeDraws({Any(), Mod(5, 1), Mod(5, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 3);
    EXPECT_EQ(companies[T].issuedShares, 1250000);
    EXPECT_EQ(companies[T].funds, 10000 + 12500);
    EXPECT_EQ(companies[T].holdings[T], 400000);
    EXPECT_EQ(companies[T].floatingShares, 0);
    EXPECT_EQ(companies[0].holdings[T], 300000);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], std::make_pair(Sjis("敵対"), name + Sjis("が新たに250000株を発行しました")));

    // The draw fails: nothing is issued.
    reset(1000000, 400000, 300000, 10000);
    start = ArrangeDraws({Any(), Mod(5, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 2);
    EXPECT_EQ(companies[T].issuedShares, 1000000);
    EXPECT_TRUE(Shown().empty());

    // At exactly half of the CEO's stake the target does not react.
    reset(1000000, 400000, 200000, 10000);
    start = ArrangeDraws({Any()});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 1);
    EXPECT_EQ(companies[T].issuedShares, 1000000);

    // An issue of 50 billion shares or more is not enlarged; just below it is.
    reset(50000000000LL, 400000, 300000, 10000);
    start = ArrangeDraws({Any(), Mod(5, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 2);
    EXPECT_EQ(companies[T].issuedShares, 50000000000LL);
    EXPECT_TRUE(Shown().empty());
    reset(49999999999LL, 400000, 300000, 10000);
    ArrangeDraws({Any(), Mod(5, 1), Mod(5, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[T].issuedShares, 49999999999LL + 24999999999LL);

    // The player holds more than the CEO: the issue's draw is made but the
    // CEO test fails; the counter-purchase takes (1000000 - 500000 - 300000)
    // / 4 = 50000 shares for 5 x 500, which the funds just cover.
    reset(1000000, 300000, 500000, 2500);
    start = ArrangeDraws({Any(), Mod(5, 1), Mod(5, 1), Mod(5, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 4);
    EXPECT_EQ(companies[T].issuedShares, 1000000);
    EXPECT_EQ(companies[T].holdings[T], 350000);
    EXPECT_EQ(companies[T].funds, 0);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], std::make_pair(Sjis("敵対"), name + Sjis("が50000株取得しました")));

    // One 万円 short: skipped silently.
    reset(1000000, 300000, 500000, 2499);
    start = ArrangeDraws({Any(), Any(), Mod(5, 1), Mod(5, 1)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 4);
    EXPECT_EQ(companies[T].holdings[T], 300000);
    EXPECT_EQ(companies[T].funds, 2499);
    EXPECT_TRUE(Shown().empty());

    // Nothing left outside the two stakes: 2 / 3 = 0 shares cost nothing and
    // the purchase of none is still reported.
    reset(800002, 300000, 500000, 0);
    ArrangeDraws({Any(), Any(), Mod(5, 1), Mod(5, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[T].holdings[T], 300000);
    EXPECT_EQ(Shown(), (Shows{std::make_pair(Sjis("敵対"), name + Sjis("が0株取得しました"))}));

    // Stakes above the issue (the player's buys can do that within a tick)
    // give a negative lot: it is not bought, so the CEO's stake and the
    // funds stay as they were.
    reset(700000, 300000, 500000, 100);
    ArrangeDraws({Any(), Any(), Mod(5, 1), Mod(5, 0)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[T].holdings[T], 300000);
    EXPECT_EQ(companies[T].funds, 100);
    EXPECT_TRUE(Shown().empty());

    // A friendly bid draws no defence.
    reset(1000000, 300000, 500000, 100000);
    tobHostile = 0;
    start = ArrangeDraws({Any()});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 1);
    EXPECT_EQ(companies[T].holdings[T], 300000);
    // Nor does a hostile flag without a running bid.
    reset(1000000, 300000, 500000, 100000);
    tobTarget = 0;
    start = GameRandState();
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(DrawsSince(start), 0);
}

TEST_F(MarketTick, BoardClickSelectsARowAndRunsAHaltedTick) {
    selectedCompany = 3;
    pendingOrders.marketBuyCompany = C;
    pendingOrders.marketBuyQty = 100;
    const int32_t history = historyIndex;

    // The row bounds are strict: none of these hits a row.
    for (auto xy : std::vector<std::pair<int, int>>{{10, 75}, {160, 75}, {11, 70}, {11, 80}, {11, 10}, {11, 380}, {200, 75}}) {
        SCOPED_TRACE(xy.first * 1000 + xy.second);
        uint32_t start = GameRandState();
        OnBoardClick(xy.first, xy.second);
        EXPECT_EQ(DrawsSince(start), 0);
        EXPECT_EQ(selectedCompany, 3);
        EXPECT_TRUE(headless.sounds.empty());
        EXPECT_TRUE(headless.paints.empty());
    }

    // Row 5 spans 70 < y < 80: the tick runs halted, so no order and no day.
    uint32_t start = GameRandState();
    OnBoardClick(11, 71);
    EXPECT_EQ(selectedCompany, 5);
    EXPECT_EQ(marketHalt, 0);
    EXPECT_EQ(DrawsSince(start), 0);
    EXPECT_EQ(historyIndex, history);
    EXPECT_EQ(pendingOrders.marketBuyQty, 100);
    EXPECT_EQ(headless.sounds, std::vector<std::string>{"cho.wav"});
    EXPECT_EQ(headless.paints, std::vector<WindowId>{WIN_BOARD});

    OnBoardClick(159, 79);
    EXPECT_EQ(selectedCompany, 5);
    OnBoardClick(11, 11);
    EXPECT_EQ(selectedCompany, 0);
    OnBoardClick(100, 12 * 29 + 19);
    EXPECT_EQ(selectedCompany, 29);

    // With the after-hours flag the click fills the market buy at once.
    headless.Clear();
    pendingOrders.afterHoursTrade = 1;
    ArrangeDraws({Mod(3, 0)});
    OnBoardClick(50, 12 * 8 + 15);
    EXPECT_EQ(selectedCompany, 8);
    EXPECT_EQ(pendingOrders.marketBuyQty, 0);
    EXPECT_EQ(companies[0].holdings[C], 100);
    EXPECT_EQ(historyIndex, history);
    EXPECT_EQ(marketHalt, 0);
    EXPECT_EQ(headless.sounds, (std::vector<std::string>{"cho.wav", "yakutei.wav"}));

    // Research and the bid are settled on a click as well.
    headless.Clear();
    researchUnderway = 2;
    SetCompany(T, 500, 1012345, 300000, 100000);
    tobTarget = T;
    tobPrice = 600;
    ArrangeDraws({Mod(10, 1), Mod(8, 0), Mod(5, 2)});
    OnBoardClick(50, 12 * 2 + 15);
    EXPECT_EQ(selectedCompany, 2);
    EXPECT_EQ(researchUnderway, 0);
    EXPECT_EQ(companies[0].holdings[T], 153000);
    EXPECT_EQ(Shown(), (Shows{Box("失敗", "研究は失敗に終わりました."),
                              Box("ＴＯＢ", "600円で153000株買い付けました.")}));
    EXPECT_EQ(historyIndex, history);
}
