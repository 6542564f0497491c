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
    // The row's kind follows from the field's own type.
    void Field(const std::string& name, int32_t* where) { Add(name, FieldType::I32, where); }
    void Field(const std::string& name, int64_t* where) { Add(name, FieldType::I64, where); }
    void Field(const std::string& name, float* where) { Add(name, FieldType::F32, where); }
    void Field(const std::string& name, TextRef* where) { Add(name, FieldType::TEXT, where); }
    void Field(const std::string& name, char (*buffer)[NAME_BUF_SIZE]) { Add(name, FieldType::BUFFER, *buffer); }
    template <typename T, size_t N>
    void Array(const std::string& name, T (&items)[N]) {
        for (size_t k = 0; k < N; ++k) Field(name + "[" + std::to_string(k) + "]", &items[k]);
    }

private:
    std::vector<WorldField>& rows_;
};

// The name of each row is the field's own identifier, so the two cannot drift apart.
#define MEMBER(field) t.Field(p + #field, &c.field)
#define MEMBER_ARRAY(field) t.Array(p + #field, c.field)
#define GLOBAL(name) t.Field(#name, &name)
#define GLOBAL_ARRAY(name) t.Array(#name, name)
// The pending orders go by their own names, as the rules list them.
#define ORDER(field) t.Field(#field, &pendingOrders.field)

void AddCompany(TableBuilder& t, int i) {
    ListedCompany& c = companies[i];
    const std::string p = "companies[" + std::to_string(i) + "].";
    MEMBER(bankrupt);
    MEMBER(refoundCount);
    MEMBER(name);
    MEMBER(sharePrice);
    MEMBER(issuedShares);
    MEMBER(floatingShares);
    MEMBER_ARRAY(holdings);
    MEMBER_ARRAY(avgBuyPrice);
    MEMBER(ceoAssets);
    MEMBER(ceoName);
    MEMBER(funds);
    MEMBER(debt);
    MEMBER(profit);
    MEMBER(dividendYield);
    MEMBER(property);
    MEMBER_ARRAY(loans);
    MEMBER(stockCount);
    MEMBER(trendState);
    MEMBER_ARRAY(priceDeltaHistory);
    MEMBER(priceDelta);
    MEMBER_ARRAY(trendRange);
    MEMBER_ARRAY(headline);
}

std::vector<WorldField> BuildTable() {
    std::vector<WorldField> rows;
    rows.reserve(19000);
    TableBuilder t(rows);
    using F = FieldType;
    for (int i = 0; i < COMPANY_COUNT; ++i) AddCompany(t, i);

    GLOBAL(playerCompanyNameBuf);
    GLOBAL(playerNameBuf);
    GLOBAL_ARRAY(companyNamePool);
    GLOBAL(namePoolNext);

    GLOBAL(gameYear);
    GLOBAL(gameMonth);
    GLOBAL(gameDay);
    GLOBAL(gameHour);
    GLOBAL(gameMinute);
    GLOBAL(scenarioLevel);
    GLOBAL(scenarioTitle);
    GLOBAL(scenarioGoal);
    GLOBAL(goalStage);
    GLOBAL(stakeWarningLevel);

    GLOBAL(historyIndex);
    GLOBAL_ARRAY(newsPending);
    GLOBAL(lastRefoundedCompany);
    GLOBAL(buyImpactDelta);
    GLOBAL(buyImpactCompany);
    GLOBAL(sellImpactDelta);
    GLOBAL(sellImpactCompany);
    GLOBAL(warPriceMultiplier);
    GLOBAL(electionPriceMultiplier);
    GLOBAL(tobTarget);
    GLOBAL(tobPrice);
    GLOBAL(tobHostile);
    GLOBAL(selectedCompany);

    ORDER(marketBuyCompany);
    ORDER(marketBuyQty);
    ORDER(limitBuyCompany);
    ORDER(limitBuyQty);
    ORDER(limitBuyPrice);
    ORDER(sellCompany);
    ORDER(sellQty);
    ORDER(afterHoursTrade);
    GLOBAL(marketHalt);
    GLOBAL(orderEntryQty);

    GLOBAL(policeConnection);
    GLOBAL(prosecutionChance);
    GLOBAL(illegalityFactor);
    GLOBAL(arrestState);
    GLOBAL(monthsToTrial);
    GLOBAL(judgeConnection);
    GLOBAL(lawyerFee);
    GLOBAL(trialProgress);
    GLOBAL(presidentFlag);
    GLOBAL(icbmProgress);
    GLOBAL(icbmCount);
    GLOBAL(researchUnderway);
    GLOBAL(agmEffect);
    GLOBAL(voteYes);
    GLOBAL(voteNo);
    GLOBAL(agmNewShareProposal);

    GLOBAL_ARRAY(lenderCreditLimit);
    GLOBAL_ARRAY(lenderInterestRate);
    GLOBAL_ARRAY(researchCost);
    GLOBAL_ARRAY(mediaRaiseCost);
    GLOBAL_ARRAY(mediaLowerCost);
    GLOBAL_ARRAY(shopPrice);
    GLOBAL_ARRAY(shopOwned);
    GLOBAL_ARRAY(weaponPrice);
    GLOBAL_ARRAY(playerForces);
    GLOBAL_ARRAY(enemyForces);

    GLOBAL_ARRAY(newsLines);
    GLOBAL(newsCount);
    GLOBAL(saveSlot);
    GLOBAL(loadedFromFile);

    GLOBAL(screenMode);
    GLOBAL(mouseX);
    GLOBAL(mouseY);
    GLOBAL(titleFade);
    GLOBAL(buttonRepaintCountdown);
    GLOBAL(flyLevel);
    GLOBAL(flyX);
    GLOBAL(flyY);
    GLOBAL_ARRAY(buttonHover);
    GLOBAL_ARRAY(buttonHoverPrev);
    GLOBAL(newsReadA);
    GLOBAL(newsReadB);
    GLOBAL(newsXA);
    GLOBAL(newsXB);

    t.Add("panelTimerMs", F::I32, &panelTimerMs, true);
    t.Add("population", F::I32, const_cast<int32_t*>(&population), true);
    GLOBAL(rivalVotes);
    GLOBAL(ownVotes);
    GLOBAL(campaignFunds);
    GLOBAL(warState);
    GLOBAL(raceBet);
    GLOBAL_ARRAY(racerPosition);
    GLOBAL_ARRAY(racerStall);
    for (int k = 0; k < RANKING_SIZE; ++k) {
        const std::string p = "assetRanking[" + std::to_string(k) + "]";
        t.Field(p + "[0]", &assetRanking[k].company);
        t.Field(p + "[1]", &assetRanking[k].best);
    }
    // The project's own: the generator's state, so that a reading of the
    // rules can start its draws where the game stands.
    t.Add("randState", F::RAND, nullptr);
    return rows;
}

#undef MEMBER
#undef MEMBER_ARRAY
#undef GLOBAL
#undef GLOBAL_ARRAY
#undef ORDER

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
