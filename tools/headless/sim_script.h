// orchidia-sim's play scripts and the run they drive: one action a line,
// "CYCLE VERB ARGS", carried out in file order before the market tick and
// the calendar tick of its cycle. Some verbs leave orders and fields as the
// dialogs would; the others play the game as a player does, through the
// screen flow's click handlers and the dialog procedures on the headless
// host, so that no rule is written a second time here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct WorldField;

struct SimAction {
    int64_t cycle = 0;
    int line = 0;                        // in the script, for refusals
    std::string verb;
    int64_t args[3] = {0, 0, 0};
    std::string text;                    // type: code page 932; set: the value as written
    const WorldField* field = nullptr;   // set
};

// Parses a script. On failure returns false with "script line N: why".
bool ParseSimScript(const std::string& text, std::vector<SimAction>& actions, std::string& error);

// One run of the simulator, as its command line asks.
struct SimRun {
    uint32_t seed = 0;
    bool scenario = false;      // answer Yes to the scenario question
    std::string loadPath;       // load as the save/load dialog's load button does
    int64_t cycles = 0;         // market tick then calendar tick, this many times
    bool haveScript = false;    // a script starts from the field map
    std::vector<SimAction> actions;
    std::string savePath;       // written at the end as the save button does
    std::string dumpPath;       // every field of the world, after the save
};

// Plays a run. Every message box and every "show" goes to out as one line
// (code page 932); a refusal or failure is described in error. Returns the
// exit status: 0, or 1 when the load, the script, the save or the dump failed
// (a refused script writes neither save nor dump).
int RunSimulation(const SimRun& run, const std::function<void(const std::string& line)>& out, std::string& error);
