// orchidia-sim: the game's start-up, market and calendar ticks and scripted
// player actions, without a window. Every message box is answered OK and
// printed as one line "[caption] text" (code page 932, newlines as \n).
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "market/calendar.h"
#include "market/market_tick.h"
#include "tools/headless/headless_port.h"
#include "tools/headless/sim_script.h"
#include "world/game_texts.h"
#include "world/new_game.h"
#include "world/save_file.h"
#include "world/world_state.h"

namespace {

const char USAGE[] =
    "usage: orchidia-sim [--seed N] [--scenario] [--load FILE] [--ticks N] [--script FILE] [--save FILE]\n"
    "  --seed N       seed the game's generator with N (0..4294967295); default: the current time\n"
    "  --scenario     answer Yes to the scenario question (level 1)\n"
    "  --load FILE    load FILE as the save/load dialog's load button does\n"
    "  --ticks N      run N cycles: one market tick, then one calendar tick\n"
    "  --script FILE  player actions, one a line: CYCLE ACTION ARGS\n"
    "                 (buy C Q | limit C Q P | sell C Q | afterhours | halt N |\n"
    "                  tob C P H | research R | funds C V | hold C J V)\n"
    "  --save FILE    last, write FILE as the save button does (no overwrite question)\n";

int BadArgs(const std::string& why) {
    std::fprintf(stderr, "orchidia-sim: %s\n%s", why.c_str(), USAGE);
    return 2;
}

bool ReadCount(const char* text, long long lo, long long hi, long long& value) {
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi) return false;
    value = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool haveSeed = false, scenario = false;
    long long seed = 0, ticks = 0;
    std::string loadPath, savePath, scriptPath;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)name;
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (a == "--seed") {
            const char* v = value("--seed");
            if (!v || !ReadCount(v, 0, 4294967295LL, seed)) return BadArgs("--seed needs a number from 0 to 4294967295");
            haveSeed = true;
        } else if (a == "--scenario") {
            scenario = true;
        } else if (a == "--load") {
            const char* v = value("--load");
            if (!v) return BadArgs("--load needs a file");
            loadPath = v;
        } else if (a == "--ticks") {
            const char* v = value("--ticks");
            if (!v || !ReadCount(v, 0, 1000000000000LL, ticks)) return BadArgs("--ticks needs a number of cycles from 0");
        } else if (a == "--script") {
            const char* v = value("--script");
            if (!v) return BadArgs("--script needs a file");
            scriptPath = v;
        } else if (a == "--save") {
            const char* v = value("--save");
            if (!v) return BadArgs("--save needs a file");
            savePath = v;
        } else {
            return BadArgs("unknown argument '" + a + "'");
        }
    }

    std::vector<SimAction> actions;
    if (!scriptPath.empty()) {
        std::ifstream in(scriptPath, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "orchidia-sim: cannot read the script %s\n", scriptPath.c_str());
            return 1;
        }
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!ParseSimScript(text.str(), actions, error)) {
            std::fprintf(stderr, "orchidia-sim: %s: refused, %s\n", scriptPath.c_str(), error.c_str());
            return 1;
        }
    }

    HeadlessPort headless;
    headless.echo = stdout;
    headless.defaultAnswer = ANSWER_NO;
    port = &headless;

    uint32_t startSeed = haveSeed ? static_cast<uint32_t>(seed) : static_cast<uint32_t>(std::time(nullptr));
    StartUpWorld(startSeed);
    if (scenario) {
        EnterScenarioMode();
        ShowInfo(WIN_MAIN, TXT_SCENARIO_START_GOAL, TXT_LEVEL_TITLE_1);
    }
    if (!loadPath.empty() && !LoadGameFile(loadPath, WIN_MAIN)) {
        std::fflush(stdout);
        std::fprintf(stderr, "orchidia-sim: %s was refused: it is missing or damaged (the message above says why)\n",
                     loadPath.c_str());
        return 1;
    }

    size_t next = 0;
    std::stable_sort(actions.begin(), actions.end(),
                     [](const SimAction& x, const SimAction& y) { return x.cycle < y.cycle; });
    for (long long cycle = 1; cycle <= ticks; ++cycle) {
        while (next < actions.size() && actions[next].cycle == cycle) ApplySimAction(actions[next++]);
        RunMarketTick(WIN_BOARD);
        AdvanceCalendarDay(WIN_CALENDAR);
    }

    if (!savePath.empty() && !SaveGameFile(savePath, WIN_MAIN, false)) {
        std::fflush(stdout);
        std::fprintf(stderr, "orchidia-sim: could not write %s\n", savePath.c_str());
        return 1;
    }
    std::fflush(stdout);
    return std::ferror(stdout) ? 1 : 0;
}
