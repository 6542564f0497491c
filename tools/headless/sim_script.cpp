#include "tools/headless/sim_script.h"

#include <algorithm>

#include "market/calendar.h"
#include "market/market_tick.h"
#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "tools/headless/headless_host.h"
#include "tools/headless/recode.h"
#include "tools/headless/world_fields.h"
#include "world/file_access.h"
#include "world/game_texts.h"
#include "world/new_game.h"
#include "world/save_file.h"
#include "world/world_state.h"

namespace {

enum class Args {
    NUMBERS,   // the verb's numbers, each in its range
    SET,       // a field's name and a number
    TYPE,      // a control id and the rest of the line
    ANSWER,    // yes or no
};

struct Verb {
    const char* name;
    Args kind;
    int argc;
    int64_t lo[3], hi[3];
    bool needsDialog;    // acts in the top-most open dialog
    bool needsNoDialog;  // a click on a window under the dialogs
};

constexpr int64_t I32MIN = INT32_MIN, I32MAX = INT32_MAX;
constexpr int64_t MAX_CONTROL_ID = 65535;
constexpr int64_t MAX_TICKS = 1000000000;

const Verb VERBS[] = {
    // Orders and fields set directly.
    {"buy", Args::NUMBERS, 2, {0, 0, 0}, {29, INT64_MAX, 0}, false, false},
    {"limit", Args::NUMBERS, 3, {0, 0, I32MIN}, {29, INT64_MAX, I32MAX}, false, false},
    {"sell", Args::NUMBERS, 2, {0, 0, 0}, {29, INT64_MAX, 0}, false, false},
    {"afterhours", Args::NUMBERS, 0, {0, 0, 0}, {0, 0, 0}, false, false},
    {"halt", Args::NUMBERS, 1, {I32MIN, 0, 0}, {I32MAX, 0, 0}, false, false},
    {"tob", Args::NUMBERS, 3, {0, I32MIN, 0}, {29, I32MAX, 1}, false, false},
    {"research", Args::NUMBERS, 1, {0, 0, 0}, {8, 0, 0}, false, false},
    {"funds", Args::NUMBERS, 2, {0, INT64_MIN, 0}, {29, INT64_MAX, 0}, false, false},
    {"hold", Args::NUMBERS, 3, {0, 0, INT64_MIN}, {29, 29, INT64_MAX}, false, false},
    {"set", Args::SET, 2, {0, 0, 0}, {0, 0, 0}, false, false},
    // The player's hand.
    {"board", Args::NUMBERS, 1, {0, 0, 0}, {COMPANY_COUNT - 1, 0, 0}, false, true},
    {"view", Args::NUMBERS, 2, {0, 0, 0}, {MAIN_VIEW_WIDTH - 1, MAIN_VIEW_HEIGHT - 1, 0}, false, true},
    {"side", Args::NUMBERS, 2, {0, 0, 0}, {PANELS[5].width - 1, PANELS[5].height - 1, 0}, false, true},
    {"right", Args::NUMBERS, 2, {0, 0, 0}, {MAIN_VIEW_WIDTH - 1, MAIN_VIEW_HEIGHT - 1, 0}, false, true},
    {"menu", Args::NUMBERS, 1, {CMD_ABOUT, 0, 0}, {CMD_EXIT, 0, 0}, false, true},
    {"main", Args::NUMBERS, 0, {0, 0, 0}, {0, 0, 0}, false, false},
    {"type", Args::TYPE, 1, {1, 0, 0}, {MAX_CONTROL_ID, 0, 0}, true, false},
    {"press", Args::NUMBERS, 1, {1, 0, 0}, {MAX_CONTROL_ID, 0, 0}, true, false},
    {"answer", Args::ANSWER, 1, {0, 0, 0}, {0, 0, 0}, false, false},
    {"tick", Args::NUMBERS, 1, {0, 0, 0}, {MAX_TICKS, 0, 0}, true, false},
    {"show", Args::NUMBERS, 1, {1, 0, 0}, {MAX_CONTROL_ID, 0, 0}, true, false},
};

const Verb* FindVerb(const std::string& name) {
    for (const Verb& v : VERBS)
        if (name == v.name) return &v;
    return nullptr;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The words of a line and where each ends, so that "type" can take the rest.
struct Words {
    std::vector<std::string> w;
    std::vector<size_t> end;
};

Words Split(const std::string& line) {
    Words out;
    size_t k = 0;
    while (k < line.size()) {
        while (k < line.size() && IsBlank(line[k])) ++k;
        size_t start = k;
        while (k < line.size() && !IsBlank(line[k])) ++k;
        if (k > start) {
            out.w.push_back(line.substr(start, k - start));
            out.end.push_back(k);
        }
    }
    return out;
}

// The rest of the line after a word: its separating blank skipped, trailing blanks dropped.
std::string RestAfter(const std::string& line, size_t pos) {
    if (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    size_t end = line.size();
    while (end > pos && IsBlank(line[end - 1])) --end;
    return pos < end ? line.substr(pos, end - pos) : std::string();
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char ch : text) out += ch == '\n' ? std::string("\\n") : std::string(1, ch);
    return out;
}

// How a run leaves the nested loops of the dialogs that are still open.
struct ScriptEnded {};
struct ScriptRefused {
    std::string why;
};

class ScriptPlayer {
public:
    ScriptPlayer(HeadlessHost& host, const SimRun& run, const std::function<void(const std::string&)>& out,
                 std::function<void()> atEnd)
        : host_(host), actions_(run.actions), cycles_(run.cycles), out_(out), atEnd_(std::move(atEnd)) {
        std::stable_sort(actions_.begin(), actions_.end(),
                         [](const SimAction& x, const SimAction& y) { return x.cycle < y.cycle; });
    }

    // Plays every cycle. Returns false with the refusal when an action could not be carried out.
    bool Play(std::string& refusal) {
        // A dialog that opens takes the script over until it closes, as the
        // game's modal loops take the events: the cycles go on inside it.
        host_.defaultDialogHandler = [this](HeadlessDialog& d) { RunWhileOpen(&d); };
        try {
            RunWhileOpen(nullptr);
        } catch (const ScriptEnded&) {
        } catch (const ScriptRefused& r) {
            refusal = r.why;
            return false;
        }
        return true;
    }

private:
    void RunWhileOpen(HeadlessDialog* dialog) {
        while (!dialog || dialog->open()) {
            if (!Step()) {
                // The end of the run, with whatever dialogs are still open.
                atEnd_();
                throw ScriptEnded{};
            }
        }
    }

    // One action, or one cycle's two ticks. False once the run is over.
    bool Step() {
        if (cycle_ > cycles_ || host_.quitRequested) return false;
        if (next_ < actions_.size() && actions_[next_].cycle == cycle_) {
            Apply(actions_[next_++]);
            return true;
        }
        RunMarketTick(WIN_BOARD);
        AdvanceCalendarDay(WIN_CALENDAR);
        ++cycle_;
        return true;
    }

    [[noreturn]] static void Refuse(const SimAction& a, const std::string& why) {
        throw ScriptRefused{"script line " + std::to_string(a.line) + ": " + why};
    }

    HeadlessDialog* Top() const {
        HeadlessDialog* d = host_.currentDialog;
        return d && d->open() ? d : nullptr;
    }

    // The control of the top-most dialog that an action names, of one of the kinds it accepts.
    HeadlessDialog& Control(const SimAction& a, std::initializer_list<int> kinds, const char* what) {
        HeadlessDialog& d = *Top();
        const int id = static_cast<int>(a.args[0]);
        const int kind = d.KindOf(id);
        if (kind < 0) Refuse(a, "dialog " + std::to_string(d.ResourceId()) + " has no control " + std::to_string(id));
        if (kinds.size() != 0 && std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) {
            Refuse(a, "control " + std::to_string(id) + " of dialog " + std::to_string(d.ResourceId()) + " is not " + what);
        }
        return d;
    }

    void Apply(const SimAction& a) {
        const Verb& verb = *FindVerb(a.verb);
        if (verb.needsDialog && !Top()) Refuse(a, "'" + a.verb + "' needs an open dialog, and none is open");
        if (verb.needsNoDialog && Top()) {
            Refuse(a, "'" + a.verb + "' clicks under dialog " + std::to_string(Top()->ResourceId()) +
                          ", which is open");
        }
        const int64_t* v = a.args;
        const int id = static_cast<int>(v[0]);
        if (a.verb == "buy") {
            pendingOrders.marketBuyCompany = v[0];
            pendingOrders.marketBuyQty = v[1];
        } else if (a.verb == "limit") {
            pendingOrders.limitBuyCompany = v[0];
            pendingOrders.limitBuyQty = v[1];
            pendingOrders.limitBuyPrice = static_cast<int32_t>(v[2]);
        } else if (a.verb == "sell") {
            pendingOrders.sellCompany = v[0];
            pendingOrders.sellQty = v[1];
        } else if (a.verb == "afterhours") {
            pendingOrders.afterHoursTrade = 1;
        } else if (a.verb == "halt") {
            marketHalt = static_cast<int32_t>(v[0]);
        } else if (a.verb == "tob") {
            tobTarget = static_cast<int32_t>(v[0]);
            tobPrice = static_cast<int32_t>(v[1]);
            tobHostile = static_cast<int32_t>(v[2]);
        } else if (a.verb == "research") {
            researchUnderway = static_cast<int32_t>(v[0]);
        } else if (a.verb == "funds") {
            companies[v[0]].funds = v[1];
        } else if (a.verb == "hold") {
            companies[v[0]].holdings[v[1]] = v[2];
        } else if (a.verb == "set") {
            SetWorldField(*a.field, a.text);
        } else if (a.verb == "board") {
            // The middle of the company's row on the stock board.
            host_.ClickBoard(80, 12 * id + 15);
        } else if (a.verb == "view") {
            host_.ClickMain(id, static_cast<int>(v[1]));
        } else if (a.verb == "right") {
            host_.RightClickMain(id, static_cast<int>(v[1]));
        } else if (a.verb == "menu") {
            if (!host_.quitRequested) OnMenuCommand(id);
        } else if (a.verb == "side") {
            host_.ClickSide(id, static_cast<int>(v[1]));
        } else if (a.verb == "main") {
            if (!host_.quitRequested) OnMainTimer();
        } else if (a.verb == "type") {
            Control(a, {CTL_EDIT}, "an edit field").Type(id, a.text);
        } else if (a.verb == "press") {
            // Escape (2) is there whether or not the dialog has a button of that id.
            HeadlessDialog& d = id == 2 ? *Top() : Control(a, {CTL_BUTTON, CTL_DEFBUTTON, CTL_RADIO, CTL_CHECK}, "a button");
            d.Press(id);
        } else if (a.verb == "answer") {
            host_.answers.push_back(v[0] ? ANSWER_YES : ANSWER_NO);
        } else if (a.verb == "tick") {
            HeadlessDialog& d = *Top();
            for (int64_t k = 0; k < v[0] && d.open() && d.TimerInterval() > 0 && !host_.quitRequested; ++k) d.Tick();
        } else if (a.verb == "show") {
            HeadlessDialog& d = Control(a, {}, "");
            out_("{" + std::to_string(id) + "} " + Escaped(d.ItemText(id)));
        }
    }

    HeadlessHost& host_;
    std::vector<SimAction> actions_;
    int64_t cycles_;
    const std::function<void(const std::string&)>& out_;
    std::function<void()> atEnd_;
    int64_t cycle_ = 1;
    size_t next_ = 0;
};

}  // namespace

bool ParseSimScript(const std::string& text, std::vector<SimAction>& actions, std::string& error) {
    size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos) eol = text.size();
        std::string line = text.substr(pos, eol - pos);
        pos = eol + 1;
        ++lineNo;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        const Words words = Split(line);
        const std::vector<std::string>& w = words.w;
        if (w.empty()) continue;
        auto refuse = [&](const std::string& why) {
            error = "script line " + std::to_string(lineNo) + ": " + why;
            return false;
        };
        SimAction a;
        a.line = lineNo;
        if (!ReadWholeNumber(w[0], a.cycle) || a.cycle < 1) return refuse("the cycle must be a number from 1");
        if (w.size() < 2) return refuse("missing action");
        a.verb = w[1];
        const Verb* verb = FindVerb(a.verb);
        if (!verb) return refuse("unknown action '" + a.verb + "'");
        const int given = static_cast<int>(w.size()) - 2;
        if (verb->kind == Args::TYPE ? given < 1 : given != verb->argc) {
            return refuse("'" + a.verb + "' takes " + std::to_string(verb->argc) + " argument(s)" +
                          (verb->kind == Args::TYPE ? " and a text" : ""));
        }
        if (verb->kind == Args::SET) {
            a.field = FindWorldField(w[2]);
            if (!a.field) return refuse("the world has no field '" + w[2] + "'");
            std::string why;
            if (!CanSetWorldField(*a.field, w[3], why)) return refuse(why);
            a.text = w[3];
        } else if (verb->kind == Args::ANSWER) {
            if (w[2] != "yes" && w[2] != "no") return refuse("'answer' takes yes or no");
            a.args[0] = w[2] == "yes";
        } else {
            for (int k = 0; k < verb->argc; ++k) {
                const std::string& word = w[static_cast<size_t>(k) + 2];
                if (!ReadWholeNumber(word, a.args[k])) return refuse("'" + word + "' is not a number");
                if (a.args[k] < verb->lo[k] || a.args[k] > verb->hi[k]) {
                    return refuse("argument " + std::to_string(k + 1) + " of '" + a.verb + "' is out of range (" +
                                  std::to_string(verb->lo[k]) + " to " + std::to_string(verb->hi[k]) + ")");
                }
            }
            if (verb->kind == Args::TYPE && !RecodeText(RestAfter(line, words.end[2]), true, a.text)) {
                return refuse("the text has a character that code page 932 cannot hold");
            }
        }
        actions.push_back(a);
    }
    return true;
}

int RunSimulation(const SimRun& run, const std::function<void(const std::string& line)>& out, std::string& error) {
    ResetWholeWorld();
    HeadlessHost host;
    host.paintPanels = false;
    host.echo = out;
    host.defaultAnswer = ANSWER_NO;
    ScopedPort scoped(&host);

    StartUpWorld(run.seed);
    if (run.scenario) {
        EnterScenarioMode();
        ShowInfo(WIN_MAIN, TXT_SCENARIO_START_GOAL, TXT_LEVEL_TITLE_1);
    }
    if (!run.loadPath.empty() && !LoadGameFile(run.loadPath, WIN_MAIN)) {
        error = run.loadPath + " was refused: it is missing or damaged (the message above says why)";
        return 1;
    }
    if (run.haveScript) {
        // Where the introduction's right click leaves the game.
        screenMode = SCREEN_INTRO;
        host.RightClickMain(0, 0);
    }

    int status = 0;
    auto atEnd = [&] {
        if (!run.savePath.empty() && !SaveGameFile(run.savePath, WIN_MAIN, false)) {
            error = "could not write " + run.savePath;
            status = 1;
            return;
        }
        if (!run.dumpPath.empty() && !ReplaceFile(run.dumpPath, DumpWorld())) {
            error = "could not write " + run.dumpPath;
            status = 1;
        }
    };
    ScriptPlayer player(host, run, out, atEnd);
    std::string refusal;
    if (!player.Play(refusal)) {
        error = refusal;
        return 1;
    }
    return status;
}
