// Scripted player actions for headless runs: one action a line,
// "CYCLE ACTION ARGS", each carried out just before the market tick of its
// cycle. They leave the world as the dialogs would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SimAction {
    int64_t cycle = 0;
    std::string verb;
    int64_t args[3] = {0, 0, 0};
};

// Parses a script. On failure returns false with a message naming the line.
bool ParseSimScript(const std::string& text, std::vector<SimAction>& actions, std::string& error);

// Carries out one action on the world.
void ApplySimAction(const SimAction& action);
