// Shared fixture of the dialog tests: the whole game on the headless host,
// started as the window starts it, with helpers to read what the player saw.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/dialog_templates.h"
#include "tests/test_support.h"
#include "tools/headless/headless_host.h"

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens dialog resourceId as the game does (owned by the main window)
    // and runs `act` inside it; returns the dialog's closing value.
    int RunDialog(int resourceId, std::function<void(HeadlessDialog&)> act);

    // Texts (UTF-8 in the test, compared in code page 932).
    bool Said(const char* utf8Text) const;                      // any message box with this text
    int CountSaid(const char* utf8Text) const;
    bool SaidWith(const char* utf8Text, const char* utf8Caption) const;
    // The texts of the message boxes shown since the last ClearMessages, in order, as UTF-8.
    std::vector<std::string> MessagesUtf8() const;
    void ClearMessages() { host.messages.clear(); }
    // The message boxes shown since the last call, as "[caption] text" in
    // UTF-8, and forgets them.
    using Boxes = std::vector<std::string>;
    Boxes TakeBoxes();
    // The text of a dialog control, converted to UTF-8.
    static std::string TextOf(HeadlessDialog& d, int id);

    HeadlessHost host;

private:
    Port* previous_ = nullptr;
};

// Makes a fresh temporary folder the working directory for its lifetime
// (the game keeps its save files in the working directory), then removes
// the save files and the folder.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

private:
    std::string dir_, previous_;
};

// Whether a dialog template has a control of this kind with this label
// (UTF-8), or with this id.
bool HasLabel(const DialogTemplate& t, ControlKind kind, const std::string& utf8Label);
bool HasControl(const DialogTemplate& t, ControlKind kind, int id);

// Code page 932 to UTF-8, for tests only.
std::string Utf8(const std::string& sjis);
