// orchidia-sim: the game's start-up, market and calendar ticks and a play
// script, without a window. Every message box is printed as one line
// "[caption] text" (code page 932, newlines as \n); a question is answered
// as the script says, else No.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "tools/headless/sim_script.h"
#include "tools/headless/world_fields.h"
#include "world/file_access.h"

namespace {

const char USAGE[] =
    "usage: orchidia-sim [--seed N] [--scenario] [--load FILE] [--ticks N] [--script FILE] [--save FILE]\n"
    "                    [--dump FILE]\n"
    "  --seed N       seed the game's generator with N (0..4294967295); default: the current time\n"
    "  --scenario     answer Yes to the scenario question (level 1)\n"
    "  --load FILE    load FILE as the save/load dialog's load button does\n"
    "  --ticks N      run N cycles: one market tick, then one calendar tick\n"
    "  --script FILE  player actions, one a line: CYCLE VERB ARGS (below)\n"
    "  --save FILE    at the end, write FILE as the save button does (no overwrite question)\n"
    "  --dump FILE    at the end, after the save, write every field of the world, one line\n"
    "                 \"name value\" (companies[4].holdings[7] 0, trialProgress 0.25, texts in\n"
    "                 code page 932)\n"
    "\n"
    "Every message box is printed as one line \"[caption] text\" (code page 932, newlines as \\n).\n"
    "\n"
    "The script: one action a line, CYCLE VERB ARGS; '#' starts a comment. The actions of cycle c\n"
    "run in file order before cycle c's market tick and calendar tick. A run with a script starts\n"
    "on the field map, as the introduction's right click leaves the game.\n"
    "Orders and fields, set directly:\n"
    "  1 buy 8 10000          market buy: company, quantity\n"
    "  1 limit 5 100 267000   limit buy: company, quantity, price\n"
    "  1 sell 8 5000          market sell: company, quantity\n"
    "  1 afterhours           the after-hours fee is paid\n"
    "  1 halt 2               marketHalt\n"
    "  1 tob 17 100000 1      takeover bid: target, price, hostile (0 or 1)\n"
    "  1 research 8           research of university 1..8 under way (0 none)\n"
    "  1 funds 0 100000000    a company's funds\n"
    "  1 hold 0 8 5000        companies[0].holdings[8]\n"
    "  1 set prosecutionChance 999   any number field by its dump name\n"
    "The player's hand, through the game's own screens and dialogs:\n"
    "  2 board 5              a click on company 5's row of the stock board\n"
    "  2 view 365 85          a click on the main view at (365, 85): here the bank\n"
    "  2 side 100 25          a click on the side panel at (100, 25): here the bank\n"
    "  2 right 100 100        a right click on the main view (leaves the introduction, ends the fly game)\n"
    "  2 menu 104             a command of the main window's menu: 104 About, 105 quit\n"
    "  2 main                 one tick of the main window's timer\n"
    "  2 type 1117 1000       the text of edit 1117 of the top-most dialog (UTF-8 here)\n"
    "  2 press 1017           a click on button or radio button 1017; 2 is Escape\n"
    "  2 answer yes           the answer to the next Yes/No question (none queued: No)\n"
    "  2 tick 50              the top-most dialog's own timer fires 50 times (fewer when it stops)\n"
    "  2 show 1120            prints control 1120 of the top-most dialog as \"{1120} text\"\n"
    "A dialog stays open until an action closes it, and the cycles' ticks go on behind it;\n"
    "while one is open board, view, right, side and menu are refused. The run ends with any\n"
    "dialog still open. Every dialog can be played: the founding dialog from the title (set\n"
    "screenMode 1, then view 275 225), the fly game from the casino (main runs it, view swats,\n"
    "right ends it), and the save/load dialog, which reads and writes save1.dat to save4.dat\n"
    "in the working directory. A quit ends the run there.\n"
    "A script that does not read, names a control the top-most dialog lacks or acts on a\n"
    "dialog when none is open is refused with \"script line N: why\", status 1, and neither\n"
    "save nor dump is written.\n";

// Far beyond any script a person writes, small enough to hold in memory.
constexpr size_t MAX_SCRIPT_BYTES = 256u << 20;

int BadArgs(const std::string& why) {
    std::fprintf(stderr, "orchidia-sim: %s\n%s", why.c_str(), USAGE);
    return 2;
}

bool ReadCount(const char* text, long long lo, long long hi, long long& value) {
    int64_t v = 0;
    if (!ReadWholeNumber(text, v) || v < lo || v > hi) return false;
    value = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool haveSeed = false, scenario = false;
    long long seed = 0, ticks = 0;
    std::string loadPath, savePath, scriptPath, dumpPath;
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
        } else if (a == "--dump") {
            const char* v = value("--dump");
            if (!v) return BadArgs("--dump needs a file");
            dumpPath = v;
        } else if (a == "--save") {
            const char* v = value("--save");
            if (!v) return BadArgs("--save needs a file");
            savePath = v;
        } else {
            return BadArgs("unknown argument '" + a + "'");
        }
    }

    SimRun run;
    if (!scriptPath.empty()) {
        std::string text;
        if (ReadRegularFile(scriptPath, MAX_SCRIPT_BYTES, text) != FileRead::OK) {
            std::fprintf(stderr, "orchidia-sim: cannot read the script %s (it must be a regular file)\n",
                         scriptPath.c_str());
            return 1;
        }
        std::string error;
        if (!ParseSimScript(text, run.actions, error)) {
            std::fprintf(stderr, "orchidia-sim: %s: refused, %s\n", scriptPath.c_str(), error.c_str());
            return 1;
        }
        run.haveScript = true;
    }
    run.seed = haveSeed ? static_cast<uint32_t>(seed) : static_cast<uint32_t>(std::time(nullptr));
    run.scenario = scenario;
    run.loadPath = loadPath;
    run.cycles = ticks;
    run.savePath = savePath;
    run.dumpPath = dumpPath;

    std::string error;
    const int status = RunSimulation(
        run,
        [](const std::string& line) {
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
        },
        error);
    std::fflush(stdout);
    if (status != 0) {
        std::fprintf(stderr, "orchidia-sim: %s\n", error.c_str());
        return status;
    }
    return std::ferror(stdout) ? 1 : 0;
}
