// The save and load dialog driven by control id, in a folder of its own
// (the game reads and writes "save%d.dat" in its working directory); and the
// reading of typed numbers that every dialog uses.
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "market/market_tick.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"
#include "world/save_file.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_SLOT_1 = 1005;
constexpr int ID_SLOT_2 = 1006;
constexpr int ID_SLOT_4 = 1008;
constexpr int ID_SAVE = 1017;
constexpr int ID_LOAD = 1019;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int CountLines(const std::string& bytes) {
    int n = 0;
    for (char c : bytes) n += c == '\n';
    return n;
}

}  // namespace

class SaveLoadDialog : public GameTest {
protected:
    // Saves to slot through the dialog, answering an overwrite question with answer.
    void SaveThroughDialog(int radio, MessageAnswer answer = ANSWER_YES) {
        host.answers.push_back(answer);
        RunDialog(IDD_SAVE_LOAD, [radio](HeadlessDialog& d) {
            d.Press(radio);
            d.Press(ID_SAVE);
            d.Press(ID_CLOSE);
        });
        host.answers.clear();
    }
    TempWorkDir work_;
};

TEST_F(SaveLoadDialog, NoSlotChosenRefusesBothCommands) {
    RunDialog(IDD_SAVE_LOAD, [](HeadlessDialog& d) {
        d.Press(ID_SAVE);
        d.Press(ID_LOAD);
        EXPECT_TRUE(d.open());
    });
    EXPECT_EQ(CountSaid("ファイル番号を選択してください."), 2);
    EXPECT_EQ(host.messages[0].caption, "");
    std::ifstream probe(SaveFileName(1));
    EXPECT_FALSE(probe.good());
}

TEST_F(SaveLoadDialog, EachOpeningStartsWithoutASlot) {
    // A slot chosen in one opening is not remembered by the next one.
    RunDialog(IDD_SAVE_LOAD, [](HeadlessDialog& d) {
        d.Press(ID_SLOT_2);
        d.Press(ID_CLOSE);
    });
    EXPECT_EQ(saveSlot, 2);
    RunDialog(IDD_SAVE_LOAD, [](HeadlessDialog& d) { d.Press(ID_SAVE); });
    EXPECT_TRUE(Said("ファイル番号を選択してください."));
    EXPECT_FALSE(Said("データを保存しました."));
}

TEST_F(SaveLoadDialog, SaveWritesTheChosenSlotAndAsksBeforeOverwriting) {
    SaveThroughDialog(ID_SLOT_4);
    EXPECT_TRUE(Said("データを保存しました."));
    const std::string first = ReadAll("save4.dat");
    EXPECT_EQ(CountLines(first), SAVE_FILE_LINES);
    EXPECT_EQ(first, SerializeSaveData());
    ClearMessages();

    // A changed world, saved over the file: "No" keeps the file as it was.
    companies[0].funds += 777;
    SaveThroughDialog(ID_SLOT_4, ANSWER_NO);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(Utf8(host.messages[0].text), "すでにファイルが存在します.\n\n上書きしてよろしいですか?");
    EXPECT_EQ(Utf8(host.messages[0].caption), "確認");
    EXPECT_EQ(host.messages[0].style, MB_STYLE_YES_NO);
    EXPECT_EQ(ReadAll("save4.dat"), first);
    ClearMessages();

    // "Yes" writes the new figures.
    SaveThroughDialog(ID_SLOT_4, ANSWER_YES);
    EXPECT_TRUE(Said("データを保存しました."));
    EXPECT_EQ(ReadAll("save4.dat"), SerializeSaveData());
    EXPECT_NE(ReadAll("save4.dat"), first);
}

TEST_F(SaveLoadDialog, LoadRestoresTheSavedWorld) {
    for (int i = 0; i < 20; ++i) RunMarketTick(WIN_BOARD);
    SaveThroughDialog(ID_SLOT_1);
    const std::string saved = SerializeSaveData();
    const int64_t funds = companies[0].funds;
    const int32_t price = companies[5].sharePrice;

    for (int i = 0; i < 20; ++i) RunMarketTick(WIN_BOARD);
    companies[0].funds = 1;
    ClearMessages();
    RunDialog(IDD_SAVE_LOAD, [](HeadlessDialog& d) {
        d.Press(ID_SLOT_1);
        d.Press(ID_LOAD);
        EXPECT_TRUE(d.open());   // loading leaves the dialog open
    });
    EXPECT_TRUE(Said("データを読み込みました."));
    EXPECT_EQ(loadedFromFile, 1);
    EXPECT_EQ(companies[0].funds, funds);
    EXPECT_EQ(companies[5].sharePrice, price);
    EXPECT_EQ(SerializeSaveData(), saved);
}

TEST_F(SaveLoadDialog, MissingAndDamagedFilesLeaveTheGameAsItWas) {
    const std::string before = SerializeSaveData();
    RunDialog(IDD_SAVE_LOAD, [](HeadlessDialog& d) {
        d.Press(ID_SLOT_2);
        d.Press(ID_LOAD);
    });
    EXPECT_TRUE(Said("セーブデータが見つかりません."));

    // A file cut short in the middle.
    std::string bytes = SerializeSaveData();
    bytes.resize(bytes.size() / 2);
    {
        std::ofstream out("save2.dat", std::ios::binary);
        out << bytes;
    }
    companies[0].funds += 5;
    const std::string changed = SerializeSaveData();
    ClearMessages();
    RunDialog(IDD_SAVE_LOAD, [](HeadlessDialog& d) {
        d.Press(ID_SLOT_2);
        d.Press(ID_LOAD);
    });
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(Utf8(host.messages[0].text).find("セーブデータが壊れているため読み込めません."), std::string::npos);
    EXPECT_EQ(SerializeSaveData(), changed);
    EXPECT_NE(SerializeSaveData(), before);
    EXPECT_EQ(loadedFromFile, 0);
}

TEST_F(SaveLoadDialog, SidePanelRefusesDuringDetentionAndOpensOtherwise) {
    arrestState = 2;
    host.ClickSide(100, 230);
    EXPECT_TRUE(Said("裁判が終わるまでセーブできません."));
    EXPECT_TRUE(host.openedDialogs.empty());

    arrestState = 0;
    ClearMessages();
    host.dialogHandlers.push_back([](HeadlessDialog& d) {
        d.Press(ID_SLOT_1);
        d.Press(ID_SAVE);
        d.Press(ID_CLOSE);
    });
    host.ClickSide(100, 230);
    ASSERT_EQ(host.openedDialogs.size(), 1u);
    EXPECT_EQ(host.openedDialogs[0], IDD_SAVE_LOAD);
    EXPECT_TRUE(Said("データを保存しました."));
}

TEST_F(SaveLoadDialog, ContinueOnTheTitleLoadsOverTheFieldMap) {
    for (int i = 0; i < 5; ++i) RunMarketTick(WIN_BOARD);
    SaveThroughDialog(ID_SLOT_1);
    const std::string saved = SerializeSaveData();
    for (int i = 0; i < 5; ++i) RunMarketTick(WIN_BOARD);

    host.dialogHandlers.push_back([](HeadlessDialog& d) {
        d.Press(ID_SLOT_1);
        d.Press(ID_LOAD);
        d.Press(ID_CLOSE);
    });
    host.ClickMain(200, 270);
    EXPECT_EQ(screenMode, SCREEN_FIELD);
    EXPECT_EQ(SerializeSaveData(), saved);
}

TEST(TypedNumbers, ReadAsTheGameReadsThem) {
    EXPECT_EQ(ParseTypedInt64("  1234abc"), 1234);
    EXPECT_EQ(ParseTypedInt64("\t-56"), -56);
    EXPECT_EQ(ParseTypedInt64("+7"), 7);
    EXPECT_EQ(ParseTypedInt64("abc"), 0);
    EXPECT_EQ(ParseTypedInt64(""), 0);
    EXPECT_EQ(ParseTypedInt64("-"), 0);
    EXPECT_EQ(ParseTypedInt64("12 34"), 12);
    EXPECT_EQ(ParseTypedInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(ParseTypedInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(ParseTypedInt32("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseTypedInt32("-2147483648"), INT32_MIN);
    // Too long a number reads as the bound of its type, never wrapped.
    EXPECT_EQ(ParseTypedInt64("9223372036854775808"), INT64_MAX);
    EXPECT_EQ(ParseTypedInt64("-99999999999999999999999"), INT64_MIN);
    EXPECT_EQ(ParseTypedInt32("5000000000"), INT32_MAX);
    EXPECT_EQ(ParseTypedInt32("-5000000000"), INT32_MIN);
    // Full-width digits are not digits.
    EXPECT_EQ(ParseTypedInt32(Sjis("１２")), 0);
}
