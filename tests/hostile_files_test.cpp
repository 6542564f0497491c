// What stands in the place of a save, a picture or a sound need not be a
// file the game wrote: pipes, folders, links and lying wave headers are
// refused at once and lose nothing; and a quit, wherever it is asked for,
// ends everything of the game at once.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <dirent.h>
#include <fstream>
#include <sstream>

#include "shell/screen_flow.h"
#include "shell/wave_file.h"
#include "tests/game_fixture.h"
#include "world/save_file.h"
#include "world/world_state.h"

namespace {

constexpr int ID_SLOT_1 = 1005;
constexpr int ID_SAVE = 1017;
constexpr int ID_LOAD = 1019;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::vector<std::string> FolderNames() {
    std::vector<std::string> names;
    if (DIR* d = opendir(".")) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.emplace_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsRegularFile(const char* path) {
    struct stat st;
    return lstat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// What the test puts where the game looks; "victim.txt" stands for any file
// of the player's that a link could lead to.
enum Place { NOTHING, SAVE, FIFO, FOLDER, LINK_TO_VICTIM, LINK_LOOP, LINK_TO_DEVICE, TEMP_LINK_TO_VICTIM };

void Arrange(Place place, const std::string& save) {
    WriteAll("victim.txt", "the player's own notes\n");
    switch (place) {
        case NOTHING: break;
        case SAVE: WriteAll("save1.dat", save); break;
        case FIFO: ASSERT_EQ(mkfifo("save1.dat", 0600), 0); break;
        case FOLDER: ASSERT_EQ(mkdir("save1.dat", 0700), 0); break;
        case LINK_TO_VICTIM: ASSERT_EQ(symlink("victim.txt", "save1.dat"), 0); break;
        case LINK_LOOP: ASSERT_EQ(symlink("save1.dat", "save1.dat"), 0); break;
        case LINK_TO_DEVICE: ASSERT_EQ(symlink("/dev/zero", "save1.dat"), 0); break;
        case TEMP_LINK_TO_VICTIM:
            WriteAll("save1.dat", save);
            ASSERT_EQ(symlink("victim.txt", "save1.dat.tmp"), 0);
            break;
    }
}

}  // namespace

class HostileFiles : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        save_ = SerializeSaveData();
    }
    // Presses a command of the save dialog on slot 1, answering an overwrite
    // question with answer; returns the boxes it showed.
    Boxes Command(int id, MessageAnswer answer = ANSWER_YES) {
        host.answers.push_back(answer);
        RunDialog(IDD_SAVE_LOAD, [id](HeadlessDialog& d) {
            d.Press(ID_SLOT_1);
            d.Press(id);
        });
        host.answers.clear();
        return TakeBoxes();
    }
    std::string save_;
    TempWorkDir work_;
};

TEST_F(HostileFiles, LoadReadsOnlyARegularFileAndSaysWhyNot) {
    const std::string notRegular =
        "[] セーブデータを読み込めませんでした.\n(save1.dat: 通常のファイルではありません)\n\nゲームの状態は変わっていません.";
    const std::string unreadable =
        "[] セーブデータを読み込めませんでした.\n(save1.dat: 読み取りが許可されていないか,読み込み中にエラーが起きました)"
        "\n\nゲームの状態は変わっていません.";
    const struct {
        Place place;
        std::string box;
    } rows[] = {
        {NOTHING, "[] セーブデータが見つかりません."},
        {FIFO, notRegular},   // would wait for a writer for ever if opened
        {FOLDER, notRegular},
        {LINK_TO_DEVICE, notRegular},
        {LINK_LOOP, unreadable},
        {SAVE, "[] データを読み込みました."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.place);
        Arrange(row.place, save_);
        companies[0].funds = 77;
        EXPECT_EQ(Command(ID_LOAD), (Boxes{row.box}));
        EXPECT_EQ(companies[0].funds == 77, row.place != SAVE);
        std::remove("save1.dat");
        rmdir("save1.dat");
    }
}

TEST_F(HostileFiles, SaveWritesAFreshFileOfItsOwnAndNeverThroughALink) {
    const std::string refused = "[] セーブできませんでした.\n(save1.dat に書き込めません)\n\n元のファイルはそのまま残っています.";
    const std::string overwrite = "[確認] すでにファイルが存在します.\n\n上書きしてよろしいですか?";
    const struct {
        Place place;
        Boxes boxes;
        bool written;
    } rows[] = {
        {NOTHING, {"[] データを保存しました."}, true},
        {SAVE, {overwrite, "[] データを保存しました."}, true},
        {TEMP_LINK_TO_VICTIM, {overwrite, "[] データを保存しました."}, true},
        {LINK_TO_VICTIM, {overwrite, "[] データを保存しました."}, true},   // the link itself is replaced
        {FOLDER, {refused}, false},                                        // refused at once, kept
        {FIFO, {refused}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.place);
        Arrange(row.place, "old\r\n");
        std::vector<std::string> before = FolderNames();
        companies[0].funds = 4321;
        EXPECT_EQ(Command(ID_SAVE), row.boxes);
        EXPECT_EQ(ReadAll("victim.txt"), "the player's own notes\n");
        EXPECT_EQ(IsRegularFile("save1.dat"), row.written);
        if (row.written) EXPECT_EQ(ReadAll("save1.dat"), SerializeSaveData());
        // Nothing of the save's own is left behind beside it.
        if (row.place == NOTHING) before.push_back("save1.dat");
        std::sort(before.begin(), before.end());
        EXPECT_EQ(FolderNames(), before);
        std::remove("save1.dat");
        std::remove("save1.dat.tmp");
        rmdir("save1.dat");
    }
}

TEST_F(HostileFiles, AnsweringNoToTheOverwriteQuestionKeepsTheFile) {
    Arrange(SAVE, "old\r\n");
    EXPECT_EQ(Command(ID_SAVE, ANSWER_NO), (Boxes{"[確認] すでにファイルが存在します.\n\n上書きしてよろしいですか?"}));
    EXPECT_EQ(ReadAll("save1.dat"), "old\r\n");
    // A folder that does not exist is reported, not a crash.
    EXPECT_FALSE(SaveGameFile("no/such/folder/save1.dat", WIN_MAIN, false));
    EXPECT_EQ(TakeBoxes().size(), 1u);
}

// A wave file is played only when everything it says about itself holds.
TEST(WaveFile, OnlyHonestUncompressedPcmIsPlayable) {
    const auto le = [](std::string& s, size_t at, uint32_t v, int bytes) {
        for (int k = 0; k < bytes; ++k) s[at + static_cast<size_t>(k)] = static_cast<char>(v >> (8 * k) & 0xFF);
    };
    // RIFF header, a 16-byte "fmt " chunk at 12 and a "data" chunk at 36.
    const auto wave = [&](uint32_t channels, uint32_t rate, uint32_t bits, uint32_t dataBytes) {
        std::string s(44 + dataBytes, '\0');
        s.replace(0, 4, "RIFF");
        le(s, 4, 36 + dataBytes, 4);
        s.replace(8, 8, "WAVEfmt ");
        le(s, 16, 16, 4);
        le(s, 20, 1, 2);
        le(s, 22, channels, 2);
        le(s, 24, rate, 4);
        le(s, 28, rate * channels * bits / 8, 4);
        le(s, 32, channels * bits / 8, 2);
        le(s, 34, bits, 2);
        s.replace(36, 4, "data");
        le(s, 40, dataBytes, 4);
        return s;
    };
    const std::string good = wave(1, 22050, 16, 8000);
    std::string lyingData = good, lyingRiff = good, floatFormat = good, badRate = good, dataFirst = good, padded = good,
                tag257 = good;
    le(tag257, 20, 0x0101, 2);   // a format whose low byte alone would read as PCM
    le(lyingData, 40, 0xFFFFFFF0u, 4);
    le(lyingRiff, 4, 36 + 8001, 4);
    le(floatFormat, 20, 3, 2);
    le(badRate, 28, 22050, 4);
    dataFirst.replace(12, 4, "data");
    // An odd-sized chunk before the data is padded to an even length.
    padded.insert(36, std::string("LIST\x03\0\0\0abc\0", 12));
    le(padded, 4, 36 + 12 + 8000, 4);
    const struct {
        const char* what;
        std::string bytes;
        bool playable;
    } rows[] = {
        {"16-bit mono", good, true},
        {"8-bit stereo at 8000 Hz", wave(2, 8000, 8, 100), true},
        {"16-bit stereo at 48000 Hz", wave(2, 48000, 16, 4), true},
        {"a padded chunk before the data", padded, true},
        {"cut after 8 KiB", good.substr(0, 8192 - 4096), false},
        {"a data chunk of 4 GB", lyingData, false},
        {"a RIFF length past the end", lyingRiff, false},
        {"no data", wave(1, 22050, 16, 0), false},
        {"floating point", floatFormat, false},
        {"format tag 257", tag257, false},
        {"inconsistent byte rate", badRate, false},
        {"24 bits", wave(1, 22050, 24, 300), false},
        {"six channels", wave(6, 22050, 16, 1200), false},
        {"96000 Hz", wave(1, 96000, 16, 20), false},
        {"7000 Hz", wave(1, 7000, 16, 20), false},
        {"data before the format", dataFirst, false},
        {"not RIFF", "RIFX" + good.substr(4), false},
        {"empty", "", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsPlayableWave(row.bytes), row.playable) << row.what;
}

// A quit, from the detention dialog as from anywhere, ends the game there:
// no timer fires after it, no box is shown, no dialog opens, no click counts.
TEST_F(GameTest, AQuitFromDetentionStopsEverythingOfTheGame) {
    arrestState = 1;
    host.answers.push_back(ANSWER_YES);
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        d.Press(1019);   // "ゲームの終了"
        EXPECT_TRUE(host.quitRequested);
        EXPECT_FALSE(d.open());
    });
    OnMainTimer();
    ASSERT_TRUE(host.quitRequested);
    const int day = gameDay, month = gameMonth;
    const size_t opened = host.openedDialogs.size();
    ClearMessages();
    host.Advance(120000);
    host.ClickSide(100, 90);
    EXPECT_EQ(host.OpenDialog(IDD_BANK, WIN_MAIN), 0);
    EXPECT_EQ(AskYesNo(WIN_MAIN, "?", ""), false);
    EXPECT_EQ(gameDay * 100 + gameMonth, day * 100 + month);
    EXPECT_EQ(host.openedDialogs.size(), opened);
    EXPECT_TRUE(host.messages.empty());
}
