// The save and load dialog driven by control id, in a folder of its own (the game reads and writes
// "save%d.dat" in its working directory); and the reading of typed numbers that every dialog uses.
#include <climits>
#include <fstream>

#include "market/market_tick.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/save_file.h"
#include "world/text.h"

namespace {

constexpr int ID_SLOT_1 = 1005, ID_SLOT_2 = 1006, ID_SLOT_4 = 1008, ID_SAVE = 1017, ID_LOAD = 1019;

}  // namespace

class SaveLoadDialog : public GameTest {
protected:
    void PlayOn() { for (int i = 0; i < 20; ++i) RunMarketTick(WIN_BOARD); }
    TempWorkDir work_;
};

TEST_F(SaveLoadDialog, SaveNeedsASlotAndAsksBeforeOverwriting) {
    const Boxes noSlot = {"[] ファイル番号を選択してください."};
    EXPECT_EQ(SaveDialog(0, ID_SAVE), noSlot);
    EXPECT_EQ(SaveDialog(0, ID_LOAD), noSlot);
    EXPECT_EQ(SaveDialog(ID_SLOT_2, 0), Boxes{});   // chosen, then closed
    EXPECT_EQ(saveSlot, 2);
    EXPECT_EQ(SaveDialog(0, ID_SAVE), noSlot);   // each opening starts without a slot
    EXPECT_EQ(SaveDialog(ID_SLOT_4, ID_SAVE), Boxes{"[] データを保存しました."});
    const std::string first = ReadAll("save4.dat");
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), SAVE_FILE_LINES);
    // A changed world saved over the file: "No" keeps the file, "Yes" writes the new figures.
    PlayOn();
    const std::string overwrite = "?[確認] すでにファイルが存在します.\n\n上書きしてよろしいですか?";
    EXPECT_EQ(SaveDialog(ID_SLOT_4, ID_SAVE, ANSWER_NO), Boxes{overwrite});
    EXPECT_EQ(ReadAll("save4.dat"), first);
    EXPECT_EQ(SaveDialog(ID_SLOT_4, ID_SAVE), (Boxes{overwrite, "[] データを保存しました."}));
    EXPECT_EQ(ReadAll("save4.dat"), SerializeSaveData());
    EXPECT_NE(first, SerializeSaveData());
}

TEST_F(SaveLoadDialog, ContinueOnTheTitleOpensTheDialogOverTheFieldMap) {
    host.ClickMain(200, 260);   // closed without loading: the start-up world, the field map's own start
    EXPECT_EQ(std::vector<int>({screenMode, selectedCompany, flyX, flyY, host.TimerInterval(WIN_MAIN)}),
              std::vector<int>({SCREEN_FIELD, 11, 300, 200, 500}));
    EXPECT_EQ(host.openedDialogs, std::vector<int>{IDD_SAVE_LOAD});
    EXPECT_TRUE(Played("tab.wav"));
    EXPECT_STREQ(companies[0].name, " ");
    SaveDialog(ID_SLOT_1, ID_SAVE);
    const std::string saved = SerializeSaveData();
    PlayOn();
    screenMode = SCREEN_TITLE;
    host.dialogHandlers.push_back([](HeadlessDialog& d) { d.Press(ID_SLOT_1), d.Press(ID_LOAD); });
    host.ClickMain(200, 270);
    EXPECT_EQ(screenMode, SCREEN_FIELD);
    EXPECT_EQ(SerializeSaveData(), saved);
}

TEST(TypedNumbers, ReadAsTheGameReadsThem) {
    const std::pair<const char*, int64_t> in64[] = {
        {"  1234abc", 1234}, {"\t-56", -56}, {"+7", 7}, {"abc", 0}, {"-", 0}, {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", INT64_MAX}, {"-99999999999999999999999", INT64_MIN},   // the bound, never wrapped
    };
    for (const auto& [text, value] : in64) EXPECT_EQ(ParseTypedInt64(text), value) << text;
    const std::pair<std::string, int32_t> in32[] = {{"2147483647", INT32_MAX}, {"5000000000", INT32_MAX},
                                                   {"-5000000000", INT32_MIN}, {Sjis("１２"), 0}};   // full-width: no digits
    for (const auto& [text, value] : in32) EXPECT_EQ(ParseTypedInt32(text), value) << text;
}
