#include "tools/headless/headless_port.h"

std::string MessageLine(const std::string& caption, const std::string& text) {
    std::string line = "[" + caption + "] ";
    for (char ch : text) {
        if (ch == '\n') {
            line += "\\n";
        } else {
            line += ch;
        }
    }
    return line;
}

MessageAnswer HeadlessPort::ShowMessage(WindowId owner, const char* text, const char* caption, MessageStyle style) {
    if (quitRequested) return style == MB_STYLE_YES_NO ? ANSWER_NO : ANSWER_OK;
    messages.push_back({owner, text ? text : "", caption ? caption : "", style});
    if (echo) {
        echo(MessageLine(messages.back().caption, messages.back().text));
    }
    if (!openBoxes.empty()) {
        auto act = std::move(openBoxes.front());
        openBoxes.pop_front();
        const RecordedMessage shown = messages.back();
        act(shown);
        if (quitRequested) return style == MB_STYLE_YES_NO ? ANSWER_NO : ANSWER_OK;
    }
    if (style != MB_STYLE_YES_NO) return ANSWER_OK;
    if (answers.empty()) return defaultAnswer;
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

void HeadlessPort::PlaySound(const char* file) { sounds.emplace_back(file ? file : ""); }

void HeadlessPort::PaintWindow(WindowId window) { paints.push_back(window); }

void HeadlessPort::DriveTray(bool open) { trayCommands.push_back(open); }

void HeadlessPort::Clear() {
    messages.clear();
    sounds.clear();
    paints.clear();
    trayCommands.clear();
}
