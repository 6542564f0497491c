// The headless host of the port: message boxes are answered from a script
// and recorded, sounds and paint requests are recorded. Used by the tests
// and by orchidia-sim.
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "world/port.h"

struct RecordedMessage {
    WindowId owner;
    std::string text;      // code page 932
    std::string caption;   // code page 932
    MessageStyle style;
};

class HeadlessPort : public Port {
public:
    MessageAnswer ShowMessage(WindowId owner, const char* text, const char* caption, MessageStyle style) override;
    void PlaySound(const char* file) override;
    void PaintWindow(WindowId window) override;
    void DriveTray(bool open) override;
    // The program ends: from now on nothing of the game runs, no box is shown
    // (a question counts as No), as the real hosts unwind their loops.
    void Quit() override { quitRequested = true; }
    bool quitRequested = false;

    // Answers for the next Yes/No questions, in order; when none is queued a
    // question is answered with defaultAnswer.
    std::deque<MessageAnswer> answers;
    MessageAnswer defaultAnswer = ANSWER_NO;
    // Boxes that stay open: each queued action runs while the next box is
    // open (recorded already) and may advance the clock, so that every timer
    // fires inside it as the real loops do; the box is then answered as any
    // other. Without one a box is answered at once.
    std::deque<std::function<void(const RecordedMessage&)>> openBoxes;

    // When set, every message box is also handed to it as one line
    // "[caption] text" with each newline written as \n.
    std::function<void(const std::string& line)> echo;

    std::vector<RecordedMessage> messages;
    std::vector<std::string> sounds;
    std::vector<WindowId> paints;
    std::vector<bool> trayCommands;

    void Clear();
};

// "[caption] text" with newlines written as \n: one line per message box.
std::string MessageLine(const std::string& caption, const std::string& text);

// Installs a port for the lifetime of the object and restores the previous one.
class ScopedPort {
public:
    explicit ScopedPort(Port* p) : previous_(port) { port = p; }
    ~ScopedPort() { port = previous_; }
    ScopedPort(const ScopedPort&) = delete;
    ScopedPort& operator=(const ScopedPort&) = delete;

private:
    Port* previous_;
};
