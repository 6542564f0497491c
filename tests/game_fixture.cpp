#include "tests/game_fixture.h"

#include <iconv.h>
#include <unistd.h>

#include <cstdio>

#include "shell/screen_flow.h"
#include "world/new_game.h"
#include "world/save_file.h"
#include "world/world_state.h"

std::string Utf8(const std::string& sjis) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string();
    std::string in = sjis, out(sjis.size() * 4 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    size_t left = in.size(), room = out.size();
    iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

void GameTest::SetUp() {
    previous_ = port;
    port = &host;
    ResetWorldToProgramStart();
    StartUpWorld(4242);
    ResetShellState();
    host.CreateMainWindow();
    host.Clear();
}

void GameTest::TearDown() { port = previous_; }

int GameTest::RunDialog(int resourceId, std::function<void(HeadlessDialog&)> act) {
    host.dialogHandlers.push_back(std::move(act));
    return host.OpenDialog(resourceId, WIN_MAIN);
}

bool GameTest::Said(const char* utf8Text) const { return CountSaid(utf8Text) > 0; }

int GameTest::CountSaid(const char* utf8Text) const {
    const std::string text = Sjis(utf8Text);
    int n = 0;
    for (const auto& m : host.messages)
        if (m.text == text) ++n;
    return n;
}

bool GameTest::SaidWith(const char* utf8Text, const char* utf8Caption) const {
    const std::string text = Sjis(utf8Text), caption = Sjis(utf8Caption);
    for (const auto& m : host.messages)
        if (m.text == text && m.caption == caption) return true;
    return false;
}

std::vector<std::string> GameTest::MessagesUtf8() const {
    std::vector<std::string> out;
    for (const auto& m : host.messages) out.push_back(Utf8(m.text));
    return out;
}

GameTest::Boxes GameTest::TakeBoxes() {
    Boxes out;
    for (const auto& m : host.messages) out.push_back("[" + Utf8(m.caption) + "] " + Utf8(m.text));
    ClearMessages();
    return out;
}

std::string GameTest::TextOf(HeadlessDialog& d, int id) { return Utf8(d.ItemText(id)); }

TempWorkDir::TempWorkDir() {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) previous_ = cwd;
    char tmpl[] = "/tmp/orchidia-work-XXXXXX";
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

bool HasLabel(const DialogTemplate& t, ControlKind kind, const std::string& utf8Label) {
    const std::string label = Sjis(utf8Label.c_str());
    for (const ControlTemplate& c : t.controls)
        if (c.kind == kind && c.label == label) return true;
    return false;
}

bool HasControl(const DialogTemplate& t, ControlKind kind, int id) {
    const ControlTemplate* c = t.Control(id);
    return c && c->kind == kind;
}
