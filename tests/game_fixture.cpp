#include "tests/game_fixture.h"

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

#include "shell/screen_flow.h"
#include "world/new_game.h"
#include "world/save_file.h"
#include "world/world_state.h"

std::string Utf8(const std::string& sjis) { return Recode(sjis, false); }

void GameTest::SetUp() {
    previous_ = std::exchange(port, &host);
    ResetWorldToProgramStart();
    StartUpWorld(4242);
    ResetShellState();
    host.CreateMainWindow();
    startSounds = host.sounds;
    host.Clear();
}

void GameTest::TearDown() { port = previous_; }

int GameTest::RunDialog(int resourceId, std::function<void(HeadlessDialog&)> act) {
    host.dialogHandlers.push_back(std::move(act));
    return host.OpenDialog(resourceId, WIN_MAIN);
}

void GameTest::TypePress(HeadlessDialog& d, int field, const std::string& utf8, int button) {
    if (field != 0) d.Type(field, Sjis(utf8.c_str()));
    d.Press(button);
}

void GameTest::FoundAndEnterField(std::function<void(HeadlessDialog&)> founding) {
    host.dialogHandlers.push_back(founding ? founding : [](HeadlessDialog& d) { d.Press(1); });
    host.answers.push_back(ANSWER_NO);
    host.ClickMain(200, 225);
    ASSERT_EQ(screenMode, SCREEN_INTRO);
    host.RightClickMain(100, 100);
    ASSERT_EQ(screenMode, SCREEN_FIELD);
}

bool GameTest::SaidWhere(const char* utf8Text, const char* utf8Caption) const {
    const std::string text = Sjis(utf8Text), caption = utf8Caption ? Sjis(utf8Caption) : "";
    return std::any_of(host.messages.begin(), host.messages.end(),
                       [&](const auto& m) { return m.text == text && (!utf8Caption || m.caption == caption); });
}

GameTest::Boxes GameTest::TakeBoxes(bool markQuestions) {
    Boxes out;
    for (const auto& m : host.messages)
        out.push_back((markQuestions && m.style == MB_STYLE_YES_NO ? "?[" : "[") + Utf8(m.caption) + "] " + Utf8(m.text));
    ClearMessages();
    return out;
}

GameTest::Boxes GameTest::SaveDialog(int slot, int command, MessageAnswer answer) {
    host.answers = {answer};
    RunDialog(IDD_SAVE_LOAD, [=](HeadlessDialog& d) {
        if (slot) d.Press(slot);
        if (command) d.Press(command);
        EXPECT_TRUE(d.open());   // saving and loading leave the dialog open
        d.Press(1);
    });
    host.answers.clear();
    return TakeBoxes(true);
}

std::string GameTest::TextOf(HeadlessDialog& d, int id) { return Utf8(d.ItemText(id)); }

std::string ReadAll(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

TempWorkDir::TempWorkDir() : dir_(MakeTempDir()), previous_(std::filesystem::current_path().string()) {
    EXPECT_FALSE(dir_.empty());
    std::filesystem::current_path(dir_);
}

TempWorkDir::~TempWorkDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}
