#include "world/save_file.h"

#include <cstdio>
#include <vector>

#include "world/file_access.h"
#include "world/game_texts.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int MAX_LINE_BYTES = NAME_BUF_SIZE - 1;
constexpr size_t MAX_FILE_BYTES = 1 << 20;

// One numeric line of the file: where it lives in the world and its type.
struct Field {
    int64_t* wide;
    int32_t* narrow;
    int64_t min, max;
};

// The numeric lines 3..1305 in the file's order.
const std::vector<Field>& SaveFields() {
    static const std::vector<Field> fields = [] {
        std::vector<Field> f;
        auto wide = [&f](int64_t* p) { f.push_back({p, nullptr, INT64_MIN, INT64_MAX}); };
        auto narrow = [&f](int32_t* p, int64_t lo = INT32_MIN, int64_t hi = INT32_MAX) {
            f.push_back({nullptr, p, lo, hi});
        };
        for (auto& c : companies) wide(&c.funds);
        for (auto& c : companies) wide(&c.debt);
        for (auto& c : companies)
            for (auto& loan : c.loans) wide(&loan);
        for (auto& c : companies) wide(&c.property);
        for (auto& c : companies) wide(&c.ceoAssets);
        for (auto& c : companies) wide(&c.profit);
        for (auto& c : companies) wide(&c.issuedShares);
        for (auto& c : companies) wide(&c.floatingShares);
        for (auto& c : companies)
            for (auto& h : c.holdings) wide(&h);
        for (auto& c : companies) narrow(&c.sharePrice);
        for (auto& v : playerForces) narrow(&v);
        for (auto& v : enemyForces) narrow(&v);
        for (auto& v : shopOwned) narrow(&v);
        narrow(&gameYear);
        // A month or day outside the calendar would never reach a month end.
        narrow(&gameMonth, 1, 12);
        narrow(&gameDay, 1, 31);
        narrow(&gameHour);
        narrow(&gameMinute);
        for (auto& v : companies[0].avgBuyPrice) narrow(&v);
        narrow(&policeConnection);
        narrow(&prosecutionChance);
        narrow(&illegalityFactor);
        narrow(&scenarioLevel, 0, SCENARIO_LEVEL_COUNT);
        narrow(&goalStage);
        narrow(&icbmProgress);
        narrow(&icbmCount);
        narrow(&presidentFlag);
        return f;
    }();
    return fields;
}

// Plain signed decimal: leading blanks, an optional sign, digits, nothing else.
enum class NumberRead { Ok, NotNumber, OutOfRange };

NumberRead ReadNumber(const std::string& line, int64_t& value) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    if (i == line.size()) return NumberRead::NotNumber;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (; i < line.size(); ++i) {
        char ch = line[i];
        if (ch < '0' || ch > '9') return NumberRead::NotNumber;
        uint64_t digit = static_cast<uint64_t>(ch - '0');
        if (magnitude > (UINT64_MAX - digit) / 10) {
            overflow = true;
        } else {
            magnitude = magnitude * 10 + digit;
        }
    }
    const uint64_t limit = negative ? static_cast<uint64_t>(INT64_MAX) + 1 : static_cast<uint64_t>(INT64_MAX);
    if (overflow || magnitude > limit) return NumberRead::OutOfRange;
    if (negative) {
        value = magnitude == static_cast<uint64_t>(INT64_MAX) + 1 ? INT64_MIN : -static_cast<int64_t>(magnitude);
    } else {
        value = static_cast<int64_t>(magnitude);
    }
    return NumberRead::Ok;
}

// A name is written on one line; a line break inside it would shift every
// later line, so it is left out.
std::string OneLine(const char* text) {
    std::string s = text ? text : "";
    std::string r;
    for (char ch : s)
        if (ch != '\r' && ch != '\n') r += ch;
    return r;
}

}  // namespace

std::string SaveFileName(int slot) { return StrPrintf("save%d.dat", slot); }

std::string SerializeSaveData() {
    std::string out;
    out.reserve(24 * 1024);
    out += OneLine(companies[0].name);
    out += "\r\n";
    out += OneLine(companies[0].ceoName);
    out += "\r\n";
    char buf[32];
    for (const Field& f : SaveFields()) {
        int n = f.wide ? std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(*f.wide))
                       : std::snprintf(buf, sizeof buf, "%d", *f.narrow);
        out.append(buf, static_cast<size_t>(n));
        out += "\r\n";
    }
    return out;
}

bool ApplySaveData(const std::string& bytes, SaveDataError& error) {
    std::vector<std::string> lines;
    lines.reserve(SAVE_FILE_LINES + 1);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        size_t len = end - start;
        if (len > 0 && bytes[end - 1] == '\r') --len;
        lines.emplace_back(bytes, start, len);
        start = next;
    }
    // Blank lines after the last value carry nothing.
    while (lines.size() > SAVE_FILE_LINES && lines.back().empty()) lines.pop_back();

    auto fail = [&error](int line, std::string reason) {
        error.line = line;
        error.reason = std::move(reason);
        return false;
    };
    if (lines.size() < static_cast<size_t>(SAVE_FILE_LINES)) {
        return fail(static_cast<int>(lines.size()) + 1, StrPrintf(TXT_DAMAGE_SHORT, static_cast<int>(lines.size())));
    }
    if (lines.size() > static_cast<size_t>(SAVE_FILE_LINES)) return fail(SAVE_FILE_LINES + 1, TXT_DAMAGE_LONG_FILE);
    for (size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].size() > static_cast<size_t>(MAX_LINE_BYTES)) return fail(static_cast<int>(k) + 1, TXT_DAMAGE_LONG_LINE);
    }
    for (int k = 0; k < 2; ++k) {
        if (!IsValidCp932(lines[k].data(), lines[k].size())) return fail(k + 1, TXT_DAMAGE_BAD_TEXT);
    }
    const std::vector<Field>& fields = SaveFields();
    std::vector<int64_t> values(fields.size());
    for (size_t k = 0; k < fields.size(); ++k) {
        const int lineNo = static_cast<int>(k) + 3;
        NumberRead read = ReadNumber(lines[k + 2], values[k]);
        if (read == NumberRead::NotNumber) return fail(lineNo, TXT_DAMAGE_NOT_NUMBER);
        if (read == NumberRead::OutOfRange || values[k] < fields[k].min || values[k] > fields[k].max) {
            return fail(lineNo, TXT_DAMAGE_RANGE);
        }
    }

    // Everything read: only now does the world change.
    CopyTextCut(playerCompanyNameBuf, NAME_BUF_SIZE, lines[0].c_str());
    CopyTextCut(playerNameBuf, NAME_BUF_SIZE, lines[1].c_str());
    companies[0].name = playerCompanyNameBuf;
    companies[0].ceoName = playerNameBuf;
    for (size_t k = 0; k < fields.size(); ++k) {
        if (fields[k].wide) {
            *fields[k].wide = values[k];
        } else {
            *fields[k].narrow = static_cast<int32_t>(values[k]);
        }
    }
    if (scenarioLevel >= 1 && scenarioLevel <= SCENARIO_LEVEL_COUNT) {
        scenarioTitle = SCENARIO_LEVELS[scenarioLevel - 1].title;
        scenarioGoal = SCENARIO_LEVELS[scenarioLevel - 1].goal;
    }
    return true;
}

bool LoadGameFile(const std::string& path, WindowId owner) {
    std::string bytes;
    const FileRead read = ReadRegularFile(path, MAX_FILE_BYTES, bytes);
    if (read == FileRead::MISSING) {
        ShowInfo(owner, TXT_SAVE_NOT_FOUND);
        return false;
    }
    if (read == FileRead::NOT_REGULAR || read == FileRead::UNREADABLE) {
        const char* reason = read == FileRead::NOT_REGULAR ? TXT_FILE_NOT_REGULAR : TXT_FILE_NOT_READABLE;
        ShowInfo(owner, StrPrintf(TXT_SAVE_UNREADABLE, path.c_str(), reason).c_str());
        return false;
    }
    SaveDataError error;
    bool ok = false;
    if (read == FileRead::TOO_LARGE) {
        error = {SAVE_FILE_LINES + 1, TXT_DAMAGE_LONG_FILE};
    } else {
        ok = ApplySaveData(bytes, error);
    }
    if (!ok) {
        ShowInfo(owner, StrPrintf(TXT_LOAD_DAMAGED, error.line, error.reason.c_str()).c_str());
        return false;
    }
    loadedFromFile = 1;
    ShowInfo(owner, TXT_LOADED);
    return true;
}

bool SaveGameFile(const std::string& path, WindowId owner, bool askOverwrite) {
    const PathKind kind = KindOfPath(path);
    // A directory, pipe or device of that name is never written to or waited on.
    const bool writable = kind != PathKind::OTHER;
    if (writable && askOverwrite && kind != PathKind::NONE) {
        if (!AskYesNo(owner, TXT_OVERWRITE, TXT_CAP_CONFIRM)) return false;
    }
    if (!writable || !ReplaceFile(path, SerializeSaveData())) {
        ShowInfo(owner, StrPrintf(TXT_SAVE_FAILED, path.c_str()).c_str());
        return false;
    }
    ShowInfo(owner, TXT_SAVED);
    return true;
}

bool LoadGame(int slot, WindowId owner) {
    if (slot < 1 || slot > 4) {
        ShowInfo(owner, TXT_CHOOSE_FILE);
        return false;
    }
    return LoadGameFile(SaveFileName(slot), owner);
}

bool SaveGame(int slot, WindowId owner) {
    if (slot < 1 || slot > 4) {
        ShowInfo(owner, TXT_CHOOSE_FILE);
        return false;
    }
    return SaveGameFile(SaveFileName(slot), owner, true);
}
