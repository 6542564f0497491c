// What stands in the place of a save, a picture or a sound need not be a file the game wrote:
// pipes, folders, links, damaged saves and lying wave headers are refused at once and lose nothing;
// and a quit, wherever it is asked for, ends everything of the game at once.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "shell/screen_flow.h"
#include "shell/wave_file.h"
#include "tests/game_fixture.h"
#include "world/save_file.h"

namespace {

namespace fs = std::filesystem;
constexpr int ID_SLOT_1 = 1005, ID_SAVE = 1017, ID_LOAD = 1019;
const char* const SAVED = "[] データを保存しました.";

std::set<std::string> FolderNames() {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(".")) names.insert(e.path().filename().string());
    return names;
}

// What the test puts where the game looks for save 1. "victim.txt" stands for any file of the
// player's that a link could lead to; TEMP_TAKEN is a link by the name the save's own new file tries first.
enum Place { NOTHING, SAVE, DAMAGED, FIFO, FOLDER, LINK_TO_VICTIM, LINK_LOOP, LINK_TO_DEVICE, TEMP_TAKEN };

void Arrange(Place place, const std::string& save) {
    std::ofstream("victim.txt") << "the player's own notes\n";
    if (place == SAVE || place == DAMAGED || place == TEMP_TAKEN)
        std::ofstream("save1.dat", std::ios::binary) << (place == DAMAGED ? save.substr(0, save.size() / 2) : save);
    const std::string temp = "save1.dat." + std::to_string(getpid()) + "-0.tmp";
    ASSERT_EQ(place == FIFO ? mkfifo("save1.dat", 0600) : place == FOLDER ? mkdir("save1.dat", 0700)
              : place == LINK_TO_VICTIM ? symlink("victim.txt", "save1.dat") : place == LINK_LOOP ? symlink("save1.dat", "save1.dat")
              : place == LINK_TO_DEVICE ? symlink("/dev/zero", "save1.dat") : place == TEMP_TAKEN ? symlink("victim.txt", temp.c_str()) : 0, 0);
}

}  // namespace

class HostileFiles : public GameTest {
protected:
    void Clear() { for (const auto& name : FolderNames()) fs::remove_all(name); }   // links themselves, not their targets
    TempWorkDir work_;
    const std::string save_ = SerializeSaveData();
};

TEST_F(HostileFiles, LoadReadsOnlyAWholeRegularFileAndSaysWhyNot) {
    const std::string cannot = "[] セーブデータを読み込めませんでした.\n(save1.dat: ", unchanged = ")\n\nゲームの状態は変わっていません.";
    const std::string notRegular = cannot + "通常のファイルではありません" + unchanged;
    // box: the start of the only box shown (a damaged save names its line).
    const struct { Place place; std::string box; } rows[] = {
        {NOTHING, "[] セーブデータが見つかりません."}, {DAMAGED, "[] セーブデータが壊れているため読み込めません.\n"},
        {FIFO, notRegular},   // would wait for a writer for ever if opened
        {FOLDER, notRegular}, {LINK_TO_DEVICE, notRegular},
        {LINK_LOOP, cannot + "読み取りが許可されていないか,読み込み中にエラーが起きました" + unchanged},
        {SAVE, "[] データを読み込みました."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.place);
        Arrange(r.place, save_);
        companies[0].funds += 5;
        const std::string changed = SerializeSaveData();
        const Boxes boxes = SaveDialog(ID_SLOT_1, ID_LOAD);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].substr(0, r.box.size()), r.box);
        EXPECT_EQ(SerializeSaveData(), r.place == SAVE ? save_ : changed);
        EXPECT_EQ(loadedFromFile, r.place == SAVE);
        Clear();
    }
}

TEST_F(HostileFiles, SaveWritesAFreshFileOfItsOwnAndNeverThroughALink) {
    const std::string overwrite = "?[確認] すでにファイルが存在します.\n\n上書きしてよろしいですか?";
    const Boxes refused = {"[] セーブできませんでした.\n(save1.dat に書き込めません)\n\n元のファイルはそのまま残っています."};
    const struct { Place place; Boxes boxes; } rows[] = {
        {NOTHING, {SAVED}}, {SAVE, {overwrite, SAVED}}, {TEMP_TAKEN, {overwrite, SAVED}},
        {LINK_TO_VICTIM, {overwrite, SAVED}},   // the link itself is replaced
        {FOLDER, refused}, {FIFO, refused},      // refused at once, kept
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.place);
        Arrange(r.place, "old\r\n");
        std::set<std::string> names = FolderNames();
        names.insert("save1.dat");   // and nothing else of the save's own left beside it
        companies[0].funds = 4321;
        EXPECT_EQ(SaveDialog(ID_SLOT_1, ID_SAVE), r.boxes);
        EXPECT_EQ(ReadAll("victim.txt"), "the player's own notes\n");
        ASSERT_EQ(fs::is_regular_file(fs::symlink_status("save1.dat")), r.boxes != refused);   // a pipe is not read here
        if (r.boxes != refused) { EXPECT_EQ(ReadAll("save1.dat"), SerializeSaveData()); }
        EXPECT_EQ(FolderNames(), names);
        Clear();
    }
    // Started with standard input closed, the save's new file may get descriptor 0: still a file.
    const int input = dup(0);
    close(0);
    EXPECT_EQ(SaveDialog(ID_SLOT_1, ID_SAVE), Boxes{SAVED});
    dup2(input, 0), close(input);
    EXPECT_EQ(ReadAll("save1.dat"), SerializeSaveData());
}

// A wave file is played only when everything it says about itself holds.
TEST(WaveFile, OnlyHonestUncompressedPcmIsPlayable) {
    const auto le = [](std::string& s, size_t at, uint32_t v, int bytes) {   // a little-endian field
        for (int k = 0; k < bytes; ++k) s[at + static_cast<size_t>(k)] = static_cast<char>(v >> (8 * k) & 0xFF);
    };
    // RIFF header, a 16-byte "fmt " chunk at 12 and a "data" chunk at 36.
    const auto wave = [&](uint32_t channels, uint32_t rate, uint32_t bits, uint32_t dataBytes) {
        std::string s(44 + dataBytes, '\0');
        s.replace(0, 16, "RIFF    WAVEfmt "), s.replace(36, 4, "data"), le(s, 4, 36 + dataBytes, 4), le(s, 16, 16, 4), le(s, 20, 1, 2);
        le(s, 22, channels, 2), le(s, 24, rate, 4), le(s, 28, rate * channels * bits / 8, 4), le(s, 32, channels * bits / 8, 2);
        le(s, 34, bits, 2), le(s, 40, dataBytes, 4);
        return s;
    };
    const std::string good = wave(1, 22050, 16, 8000);
    const auto with = [&](std::string s, size_t at, uint32_t v, int bytes) { return le(s, at, v, bytes), s; };
    std::string padded = good, dataFirst = good;
    padded.insert(36, std::string("LIST\x03\0\0\0abc\0", 12));   // an odd-sized chunk is padded to an even length
    dataFirst.replace(12, 4, "data");
    const struct { const char* what; std::string bytes; bool playable; } rows[] = {
        {"16-bit mono", good, true}, {"8-bit stereo at 8000 Hz", wave(2, 8000, 8, 100), true},
        {"16-bit stereo at 48000 Hz", wave(2, 48000, 16, 4), true}, {"a padded chunk first", with(padded, 4, 36 + 12 + 8000, 4), true},
        {"a data chunk of 4 GB", with(good, 40, 0xFFFFFFF0u, 4), false},
        {"a RIFF length past the end", with(good, 4, 36 + 8001, 4), false}, {"no data", wave(1, 22050, 16, 0), false},
        {"format tag 257, its low byte PCM's", with(good, 20, 0x0101, 2), false},
        {"inconsistent byte rate", with(good, 28, 22050, 4), false}, {"24 bits", wave(1, 22050, 24, 300), false},
        {"six channels", wave(6, 22050, 16, 1200), false}, {"96000 Hz", wave(1, 96000, 16, 20), false},
        {"7000 Hz", wave(1, 7000, 16, 20), false}, {"data before the format", dataFirst, false},
        {"not RIFF", "RIFX" + good.substr(4), false}, {"empty", "", false},
    };
    for (const auto& r : rows) EXPECT_EQ(IsPlayableWave(r.bytes), r.playable) << r.what;
}

// A quit, from the detention dialog as from anywhere, ends the game there:
// no timer fires after it, no box is shown, no dialog opens, no click counts.
TEST_F(GameTest, AQuitFromDetentionStopsEverythingOfTheGame) {
    arrestState = 1, host.answers.push_back(ANSWER_YES);
    host.dialogHandlers.push_back([&](HeadlessDialog& d) { d.Press(1019); EXPECT_FALSE(d.open()); });   // "ゲームの終了"
    OnMainTimer();
    ASSERT_TRUE(host.quitRequested);
    const std::vector<size_t> before = {size_t(gameDay), size_t(gameMonth), host.openedDialogs.size()};
    ClearMessages();
    host.Advance(120000);
    host.ClickSide(100, 90);
    EXPECT_EQ(host.OpenDialog(IDD_BANK, WIN_MAIN), 0);
    EXPECT_FALSE(AskYesNo(WIN_MAIN, "?", ""));
    EXPECT_EQ(std::vector<size_t>({size_t(gameDay), size_t(gameMonth), host.openedDialogs.size()}), before);
    EXPECT_TRUE(host.messages.empty());
}
