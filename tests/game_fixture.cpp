#include "tests/game_fixture.h"

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

#include "shell/screen_flow.h"
#include "world/new_game.h"
#include "world/save_file.h"
#include "world/world_state.h"

std::string Utf8(const std::string& sjis) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::string in = sjis, out(sjis.size() * 4 + 4, '\0');
    char *src = in.data(), *dst = out.data();
    size_t left = in.size(), room = out.size();
    iconv(cd, &src, &left, &dst, &room), iconv_close(cd);
    return out.substr(0, out.size() - room);
}

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

TempWorkDir::TempWorkDir() {
    char cwd[4096], tmpl[] = "/tmp/orchidia-work-XXXXXX";
    if (getcwd(cwd, sizeof cwd)) previous_ = cwd;
    if (mkdtemp(tmpl)) dir_ = tmpl;
    EXPECT_FALSE(dir_.empty());
    EXPECT_EQ(chdir(dir_.c_str()), 0);
}

TempWorkDir::~TempWorkDir() {
    for (int slot = 1; slot <= 4; ++slot) {
        std::remove(SaveFileName(slot).c_str());
        std::remove((SaveFileName(slot) + ".tmp").c_str());
    }
    EXPECT_EQ(chdir(previous_.c_str()), 0);
    if (!dir_.empty()) rmdir(dir_.c_str());
}
