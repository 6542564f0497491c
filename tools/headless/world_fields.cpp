#include "tools/headless/world_fields.h"

#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "display/painters.h"
#include "influence/casino_dialog.h"
#include "influence/election_dialog.h"
#include "influence/military_dialog.h"
#include "influence/ranking_dialog.h"
#include "shell/screen_flow.h"
#include "world/world_state.h"

namespace {

// The period of the market's, the calendar's and the chart's timers, which
// the rules name like a field.
int32_t panelTimerMs = PANEL_TIMER_MS;

class TableBuilder {
public:
    explicit TableBuilder(std::vector<WorldField>& rows) : rows_(rows) {}
    void Add(const std::string& name, FieldType type, void* where, bool constant = false) {
        rows_.push_back({name, type, where, constant});
    }
    template <typename T, size_t N>
    void Array(const std::string& name, FieldType type, T (&items)[N]) {
        for (size_t k = 0; k < N; ++k) Add(name + "[" + std::to_string(k) + "]", type, &items[k]);
    }

private:
    std::vector<WorldField>& rows_;
};

void AddCompany(TableBuilder& t, int i) {
    ListedCompany& c = companies[i];
    const std::string p = "companies[" + std::to_string(i) + "].";
    t.Add(p + "bankrupt", FieldType::I32, &c.bankrupt);
    t.Add(p + "refoundCount", FieldType::I32, &c.refoundCount);
    t.Add(p + "name", FieldType::TEXT, &c.name);
    t.Add(p + "sharePrice", FieldType::I32, &c.sharePrice);
    t.Add(p + "issuedShares", FieldType::I64, &c.issuedShares);
    t.Add(p + "floatingShares", FieldType::I64, &c.floatingShares);
    t.Array(p + "holdings", FieldType::I64, c.holdings);
    t.Array(p + "avgBuyPrice", FieldType::I32, c.avgBuyPrice);
    t.Add(p + "ceoAssets", FieldType::I64, &c.ceoAssets);
    t.Add(p + "ceoName", FieldType::TEXT, &c.ceoName);
    t.Add(p + "funds", FieldType::I64, &c.funds);
    t.Add(p + "debt", FieldType::I64, &c.debt);
    t.Add(p + "profit", FieldType::I64, &c.profit);
    t.Add(p + "dividendYield", FieldType::I32, &c.dividendYield);
    t.Add(p + "property", FieldType::I64, &c.property);
    t.Array(p + "loans", FieldType::I64, c.loans);
    t.Add(p + "stockCount", FieldType::I32, &c.stockCount);
    t.Add(p + "trendState", FieldType::I32, &c.trendState);
    t.Array(p + "priceDeltaHistory", FieldType::I32, c.priceDeltaHistory);
    t.Add(p + "priceDelta", FieldType::I32, &c.priceDelta);
    t.Array(p + "trendRange", FieldType::I32, c.trendRange);
    t.Array(p + "headline", FieldType::TEXT, c.headline);
}

std::vector<WorldField> BuildTable() {
    std::vector<WorldField> rows;
    rows.reserve(19000);
    TableBuilder t(rows);
    using F = FieldType;
    for (int i = 0; i < COMPANY_COUNT; ++i) AddCompany(t, i);

    t.Add("playerCompanyNameBuf", F::BUFFER, playerCompanyNameBuf);
    t.Add("playerNameBuf", F::BUFFER, playerNameBuf);
    for (int k = 0; k < NAME_POOL_SIZE; ++k)
        t.Add("companyNamePool[" + std::to_string(k) + "]", F::BUFFER, companyNamePool[k]);
    t.Add("namePoolNext", F::I32, &namePoolNext);

    t.Add("gameYear", F::I32, &gameYear);
    t.Add("gameMonth", F::I32, &gameMonth);
    t.Add("gameDay", F::I32, &gameDay);
    t.Add("gameHour", F::I32, &gameHour);
    t.Add("gameMinute", F::I32, &gameMinute);
    t.Add("scenarioLevel", F::I32, &scenarioLevel);
    t.Add("scenarioTitle", F::TEXT, &scenarioTitle);
    t.Add("scenarioGoal", F::TEXT, &scenarioGoal);
    t.Add("goalStage", F::I32, &goalStage);
    t.Add("stakeWarningLevel", F::I32, &stakeWarningLevel);

    t.Add("historyIndex", F::I32, &historyIndex);
    t.Array("newsPending", F::I32, newsPending);
    t.Add("lastRefoundedCompany", F::I32, &lastRefoundedCompany);
    t.Add("buyImpactDelta", F::I32, &buyImpactDelta);
    t.Add("buyImpactCompany", F::I32, &buyImpactCompany);
    t.Add("sellImpactDelta", F::I32, &sellImpactDelta);
    t.Add("sellImpactCompany", F::I32, &sellImpactCompany);
    t.Add("warPriceMultiplier", F::I32, &warPriceMultiplier);
    t.Add("electionPriceMultiplier", F::I32, &electionPriceMultiplier);
    t.Add("tobTarget", F::I32, &tobTarget);
    t.Add("tobPrice", F::I32, &tobPrice);
    t.Add("tobHostile", F::I32, &tobHostile);
    t.Add("selectedCompany", F::I32, &selectedCompany);

    t.Add("marketBuyCompany", F::I64, &pendingOrders.marketBuyCompany);
    t.Add("marketBuyQty", F::I64, &pendingOrders.marketBuyQty);
    t.Add("limitBuyCompany", F::I64, &pendingOrders.limitBuyCompany);
    t.Add("limitBuyQty", F::I64, &pendingOrders.limitBuyQty);
    t.Add("limitBuyPrice", F::I32, &pendingOrders.limitBuyPrice);
    t.Add("sellCompany", F::I64, &pendingOrders.sellCompany);
    t.Add("sellQty", F::I64, &pendingOrders.sellQty);
    t.Add("afterHoursTrade", F::I32, &pendingOrders.afterHoursTrade);
    t.Add("marketHalt", F::I32, &marketHalt);
    t.Add("orderEntryQty", F::I64, &orderEntryQty);

    t.Add("policeConnection", F::I32, &policeConnection);
    t.Add("prosecutionChance", F::I32, &prosecutionChance);
    t.Add("illegalityFactor", F::I32, &illegalityFactor);
    t.Add("arrestState", F::I32, &arrestState);
    t.Add("monthsToTrial", F::I32, &monthsToTrial);
    t.Add("judgeConnection", F::I32, &judgeConnection);
    t.Add("lawyerFee", F::I32, &lawyerFee);
    t.Add("trialProgress", F::F32, &trialProgress);
    t.Add("presidentFlag", F::I32, &presidentFlag);
    t.Add("icbmProgress", F::I32, &icbmProgress);
    t.Add("icbmCount", F::I32, &icbmCount);
    t.Add("researchUnderway", F::I32, &researchUnderway);
    t.Add("agmEffect", F::I32, &agmEffect);
    t.Add("voteYes", F::I32, &voteYes);
    t.Add("voteNo", F::I32, &voteNo);
    t.Add("agmNewShareProposal", F::I32, &agmNewShareProposal);

    t.Array("lenderCreditLimit", F::I32, lenderCreditLimit);
    t.Array("lenderInterestRate", F::I32, lenderInterestRate);
    t.Array("researchCost", F::I32, researchCost);
    t.Array("mediaRaiseCost", F::I32, mediaRaiseCost);
    t.Array("mediaLowerCost", F::I32, mediaLowerCost);
    t.Array("shopPrice", F::I32, shopPrice);
    t.Array("shopOwned", F::I32, shopOwned);
    t.Array("weaponPrice", F::I32, weaponPrice);
    t.Array("playerForces", F::I32, playerForces);
    t.Array("enemyForces", F::I32, enemyForces);

    t.Array("newsLines", F::TEXT, newsLines);
    t.Add("newsCount", F::I32, &newsCount);
    t.Add("saveSlot", F::I32, &saveSlot);
    t.Add("loadedFromFile", F::I32, &loadedFromFile);

    t.Add("screenMode", F::I32, &screenMode);
    t.Add("mouseX", F::I32, &mouseX);
    t.Add("mouseY", F::I32, &mouseY);
    t.Add("titleFade", F::I32, &titleFade);
    t.Add("buttonRepaintCountdown", F::I32, &buttonRepaintCountdown);
    t.Add("flyLevel", F::I32, &flyLevel);
    t.Add("flyX", F::I32, &flyX);
    t.Add("flyY", F::I32, &flyY);
    t.Array("buttonHover", F::I32, buttonHover);
    t.Array("buttonHoverPrev", F::I32, buttonHoverPrev);
    t.Add("newsReadA", F::I32, &newsReadA);
    t.Add("newsReadB", F::I32, &newsReadB);
    t.Add("newsXA", F::I32, &newsXA);
    t.Add("newsXB", F::I32, &newsXB);

    t.Add("panelTimerMs", F::I32, &panelTimerMs, true);
    t.Add("population", F::I32, const_cast<int32_t*>(&population), true);
    t.Add("rivalVotes", F::I32, &rivalVotes);
    t.Add("ownVotes", F::I32, &ownVotes);
    t.Add("campaignFunds", F::I64, &campaignFunds);
    t.Add("warState", F::I32, &warState);
    t.Add("raceBet", F::I32, &raceBet);
    t.Array("racerPosition", F::I32, racerPosition);
    t.Array("racerStall", F::I32, racerStall);
    for (int k = 0; k < RANKING_SIZE; ++k) {
        const std::string p = "assetRanking[" + std::to_string(k) + "]";
        t.Add(p + "[0]", F::I32, &assetRanking[k].company);
        t.Add(p + "[1]", F::I64, &assetRanking[k].best);
    }
    // The project's own: the generator's state, so that a reading of the
    // rules can start its draws where the game stands.
    t.Add("randState", F::RAND, nullptr);
    return rows;
}

const std::unordered_map<std::string, size_t>& Index() {
    static const std::unordered_map<std::string, size_t> index = [] {
        std::unordered_map<std::string, size_t> m;
        const auto& rows = WorldFields();
        m.reserve(rows.size());
        for (size_t k = 0; k < rows.size(); ++k) m.emplace(rows[k].name, k);
        return m;
    }();
    return index;
}

bool ReadReal(const std::string& text, double& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !std::isfinite(v)) return false;
    value = v;
    return true;
}

void AppendValue(std::string& out, const WorldField& f) {
    char buf[48];
    switch (f.type) {
        case FieldType::I32:
            std::snprintf(buf, sizeof buf, "%" PRId32, *static_cast<const int32_t*>(f.where));
            out += buf;
            break;
        case FieldType::I64:
            std::snprintf(buf, sizeof buf, "%" PRId64, *static_cast<const int64_t*>(f.where));
            out += buf;
            break;
        case FieldType::F32:
            std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(*static_cast<const float*>(f.where)));
            out += buf;
            break;
        case FieldType::TEXT:
            if (const char* text = *static_cast<const TextRef*>(f.where)) out += text;
            break;
        case FieldType::BUFFER: {
            const char* text = static_cast<const char*>(f.where);
            out.append(text, strnlen(text, NAME_BUF_SIZE));
            break;
        }
        case FieldType::RAND:
            std::snprintf(buf, sizeof buf, "%" PRIu32, GameRandState());
            out += buf;
            break;
    }
}

}  // namespace

std::string FieldValue(const WorldField& field) {
    std::string out;
    AppendValue(out, field);
    return out;
}

bool ReadWholeNumber(const std::string& text, int64_t& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0') return false;
    value = v;
    return true;
}

const std::vector<WorldField>& WorldFields() {
    static const std::vector<WorldField> rows = BuildTable();
    return rows;
}

const WorldField* FindWorldField(const std::string& name) {
    const auto& index = Index();
    auto it = index.find(name);
    return it == index.end() ? nullptr : &WorldFields()[it->second];
}

std::string DumpWorld() {
    const auto& rows = WorldFields();
    std::string out;
    out.reserve(rows.size() * 40);
    for (const WorldField& f : rows) {
        out += f.name;
        out += ' ';
        AppendValue(out, f);
        out += '\n';
    }
    return out;
}

bool CanSetWorldField(const WorldField& f, const std::string& value, std::string& why) {
    if (f.constant) {
        why = f.name + " is a constant";
        return false;
    }
    if (f.type == FieldType::TEXT || f.type == FieldType::BUFFER) {
        why = f.name + " is a text, not a number";
        return false;
    }
    if (f.type == FieldType::F32) {
        double v = 0;
        if (!ReadReal(value, v)) {
            why = "'" + value + "' is not a number";
            return false;
        }
        if (std::fabs(v) > 3.4e38) {
            why = "'" + value + "' is out of range for " + f.name;
            return false;
        }
        return true;
    }
    int64_t v = 0;
    if (!ReadWholeNumber(value, v)) {
        why = "'" + value + "' is not a whole number";
        return false;
    }
    const bool fits = f.type == FieldType::I64 || (f.type == FieldType::I32 && v >= INT32_MIN && v <= INT32_MAX) ||
                      (f.type == FieldType::RAND && v >= 0 && v <= UINT32_MAX);
    if (!fits) {
        why = "'" + value + "' is out of range for " + f.name;
        return false;
    }
    return true;
}

void SetWorldField(const WorldField& f, const std::string& value) {
    int64_t v = 0;
    double real = 0;
    switch (f.type) {
        case FieldType::I32:
            ReadWholeNumber(value, v);
            *static_cast<int32_t*>(f.where) = static_cast<int32_t>(v);
            break;
        case FieldType::I64:
            ReadWholeNumber(value, v);
            *static_cast<int64_t*>(f.where) = v;
            break;
        case FieldType::F32:
            ReadReal(value, real);
            *static_cast<float*>(f.where) = static_cast<float>(real);
            break;
        case FieldType::RAND:
            ReadWholeNumber(value, v);
            SetGameRandState(static_cast<uint32_t>(v));
            break;
        case FieldType::TEXT:
        case FieldType::BUFFER: break;
    }
}

void ResetWholeWorld() {
    ResetWorldToProgramStart();
    ResetShellState();
    rivalVotes = ownVotes = 0;
    campaignFunds = 0;
    warState = 0;
    raceBet = 0;
    for (int k = 0; k < RACER_COUNT; ++k) racerPosition[k] = racerStall[k] = 0;
    for (AssetRankEntry& e : assetRanking) e = AssetRankEntry{0, 0};
}
