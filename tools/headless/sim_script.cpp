#include "tools/headless/sim_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "world/world_state.h"

namespace {

struct Verb {
    const char* name;
    int argc;
    // Allowed range of each argument.
    int64_t lo[3], hi[3];
};

constexpr int64_t I32MIN = INT32_MIN, I32MAX = INT32_MAX;

const Verb VERBS[] = {
    {"buy", 2, {0, 0, 0}, {29, INT64_MAX, 0}},
    {"limit", 3, {0, 0, I32MIN}, {29, INT64_MAX, I32MAX}},
    {"sell", 2, {0, 0, 0}, {29, INT64_MAX, 0}},
    {"afterhours", 0, {0, 0, 0}, {0, 0, 0}},
    {"halt", 1, {I32MIN, 0, 0}, {I32MAX, 0, 0}},
    {"tob", 3, {0, I32MIN, 0}, {29, I32MAX, 1}},
    {"research", 1, {0, 0, 0}, {8, 0, 0}},
    {"funds", 2, {0, INT64_MIN, 0}, {29, INT64_MAX, 0}},
    {"hold", 3, {0, 0, INT64_MIN}, {29, 29, INT64_MAX}},
};

bool ReadInt(const std::string& word, int64_t& value) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(word.c_str(), &end, 10);
    if (errno != 0 || end == word.c_str() || *end != '\0') return false;
    value = v;
    return true;
}

}  // namespace

bool ParseSimScript(const std::string& text, std::vector<SimAction>& actions, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        std::string word;
        while (words >> word) w.push_back(word);
        if (w.empty()) continue;
        auto refuse = [&](const std::string& why) {
            error = "script line " + std::to_string(lineNo) + ": " + why;
            return false;
        };
        SimAction a;
        if (!ReadInt(w[0], a.cycle) || a.cycle < 1) return refuse("the cycle must be a number from 1");
        if (w.size() < 2) return refuse("missing action");
        a.verb = w[1];
        const Verb* verb = nullptr;
        for (const Verb& v : VERBS)
            if (a.verb == v.name) verb = &v;
        if (!verb) return refuse("unknown action '" + a.verb + "'");
        if (static_cast<int>(w.size()) - 2 != verb->argc) {
            return refuse("'" + a.verb + "' takes " + std::to_string(verb->argc) + " argument(s)");
        }
        for (int k = 0; k < verb->argc; ++k) {
            if (!ReadInt(w[static_cast<size_t>(k) + 2], a.args[k])) return refuse("'" + w[static_cast<size_t>(k) + 2] + "' is not a number");
            if (a.args[k] < verb->lo[k] || a.args[k] > verb->hi[k]) {
                return refuse("argument " + std::to_string(k + 1) + " of '" + a.verb + "' is out of range");
            }
        }
        actions.push_back(a);
    }
    return true;
}

void ApplySimAction(const SimAction& a) {
    const int64_t* v = a.args;
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
    }
}
