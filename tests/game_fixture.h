// Shared fixture of the dialog and flow tests: the whole game on the headless
// host, started as the window starts it; the player's acts and what they saw.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "resources/dialog_templates.h"
#include "tests/test_support.h"   // and the world state
#include "tools/headless/headless_host.h"

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens dialog resourceId owned by the main window, runs `act` in it; returns its closing value.
    int RunDialog(int resourceId, std::function<void(HeadlessDialog&)> act);
    // Types utf8 into field (0: none) and presses button.
    static void TypePress(HeadlessDialog& d, int field, const std::string& utf8, int button);
    // The title's founding (`founding` acts in its dialog, else OK), free play, into the field map.
    void FoundAndEnterField(std::function<void(HeadlessDialog&)> founding = nullptr);
    // How often dialog id has been opened; whether a sound was played.
    int Opened(int id) const { return static_cast<int>(std::count(host.openedDialogs.begin(), host.openedDialogs.end(), id)); }
    bool Played(const char* file) const { return std::count(host.sounds.begin(), host.sounds.end(), file) > 0; }
    // Any message box with this text (and caption), given in UTF-8.
    bool Said(const char* utf8Text) const { return SaidWhere(utf8Text, nullptr); }
    bool SaidWith(const char* utf8Text, const char* utf8Caption) const { return SaidWhere(utf8Text, utf8Caption); }
    void ClearMessages() { host.messages.clear(); }
    // The boxes since the last call as "[caption] text" in UTF-8 (a question "?[..." if marked); forgets them.
    using Boxes = std::vector<std::string>;
    Boxes TakeBoxes(bool markQuestions = false);
    // The save and load dialog: chooses a slot button (0: none), presses command (0: none), answers a
    // question with answer and closes; returns the boxes shown, questions marked.
    Boxes SaveDialog(int slot, int command, MessageAnswer answer = ANSWER_YES);
    static std::string TextOf(HeadlessDialog& d, int id);   // in UTF-8

    HeadlessHost host;
    std::vector<std::string> startSounds;   // played while the window was created

private:
    bool SaidWhere(const char* utf8Text, const char* utf8Caption) const;
    Port* previous_ = nullptr;
};

// A fresh temporary working directory for its lifetime (the game keeps its
// save files there), removed with the save files afterwards.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;

private:
    std::string dir_, previous_;
};

// Code page 932 to UTF-8, for tests only.
std::string Utf8(const std::string& sjis);
// A whole file's bytes; empty if it cannot be read.
std::string ReadAll(const std::string& path);
