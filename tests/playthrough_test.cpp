// One game played through the window's own entry points on the headless
// host: found a company, trade a stock on the exchange screen and let the
// market tick fill the orders, borrow from the bank, save, play on, load.
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/save_file.h"

class Playthrough : public GameTest {
protected:
    // Runs the virtual clock in market ticks until done() holds; false after a year of ticks.
    bool TickUntil(std::function<bool()> done) {
        for (int k = 0; k < 365 && !done(); ++k) host.Advance(1100);
        return done();
    }
    TempWorkDir work_;
};

TEST_F(Playthrough, FoundTradeBorrowSaveAndLoad) {
    // The title's "新しく起業する" with names of our own, free play, the introduction, the field map.
    FoundAndEnterField([](HeadlessDialog& d) { d.Type(1002, Sjis("蘭花商事")), TypePress(d, 1004, "蘭 花子", 1); });
    EXPECT_EQ(Utf8(companies[0].name) + " " + std::to_string(scenarioLevel), "蘭花商事 0");
    // The exchange building, then company 3 chosen on the stock board.
    host.ClickMain(485, 55);
    host.ClickBoard(50, 12 * 3 + 15);
    ASSERT_EQ(std::vector<int>({screenMode, selectedCompany, marketHalt}), std::vector<int>({SCREEN_EXCHANGE, 3, 0}));
    // "株式購入": a market order for 1000 shares, filled by the market tick on one tick in three.
    const int64_t fundsBefore = companies[0].funds;
    host.dialogHandlers.push_back([](HeadlessDialog& d) { d.Press(1005), TypePress(d, 1002, "1000", 1); });
    host.ClickMain(400, 125);
    ASSERT_EQ(std::vector<int64_t>({pendingOrders.marketBuyQty, pendingOrders.marketBuyCompany, marketHalt}), std::vector<int64_t>({1000, 3, 0}));
    EXPECT_TRUE(SaidWith("注文しました", "注文完了"));
    ASSERT_TRUE(TickUntil([] { return pendingOrders.marketBuyQty == 0; }));
    EXPECT_EQ(companies[0].holdings[3], 1000);
    // Bought at that tick's price (a lot this small moves none), plus the 1 every update adds.
    const int32_t paid = companies[0].avgBuyPrice[3] - 1;
    EXPECT_TRUE(SaidWith(("平均購入価格" + std::to_string(paid) + "円で購入できました").c_str(), "約定"));
    EXPECT_LT(companies[0].funds, fundsBefore);
    // "株式売却": all of them.
    host.dialogHandlers.push_back([](HeadlessDialog& d) { TypePress(d, 1002, "1000", 1); });
    host.ClickMain(400, 177);
    ASSERT_EQ(pendingOrders.sellQty, 1000);
    ASSERT_TRUE(TickUntil([] { return pendingOrders.sellQty == 0; }));
    EXPECT_EQ(companies[0].holdings[3], 0);
    // "戻る", then the side panel's "銀行": 5000 万円 from DARK金融.
    host.ClickMain(400, 330);
    ASSERT_EQ(screenMode, SCREEN_FIELD);
    const ListedCompany before = companies[0];
    host.dialogHandlers.push_back([](HeadlessDialog& d) { TypePress(d, 1117, "5000", 1017), d.Press(1); });
    host.ClickSide(100, 25);
    EXPECT_EQ(std::vector<int64_t>({companies[0].loans[0] - before.loans[0], companies[0].funds - before.funds, companies[0].debt - before.debt}),
              std::vector<int64_t>(3, 5000));
    EXPECT_TRUE(Said("DARK金融から借りました."));
    // "保存・読込": save to file 3; a month of market later the figures differ; loading brings them back.
    host.dialogHandlers.push_back([](HeadlessDialog& d) { d.Press(1007), d.Press(1017), d.Press(1); });
    host.ClickSide(100, 230);
    ASSERT_TRUE(Said("データを保存しました."));
    const std::string saved = SerializeSaveData();
    const ListedCompany me = companies[0], three = companies[3];
    host.Advance(1100 * 30);
    ASSERT_NE(SerializeSaveData(), saved);
    host.dialogHandlers.push_back([](HeadlessDialog& d) { d.Press(1007), d.Press(1019), d.Press(1); });
    host.ClickSide(100, 230);
    EXPECT_TRUE(Said("データを読み込みました."));
    EXPECT_EQ(SerializeSaveData(), saved);
    EXPECT_EQ(std::vector<int64_t>({companies[0].funds, companies[3].sharePrice, companies[0].loans[0], marketHalt}),
              std::vector<int64_t>({me.funds, three.sharePrice, before.loans[0] + 5000, 0}));
    EXPECT_EQ(CheckWorldInvariants(), "");
}
