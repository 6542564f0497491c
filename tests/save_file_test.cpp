// The save file through SaveGameFile / LoadGameFile on a real folder.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "market/calendar.h"
#include "market/market_day.h"
#include "market/market_tick.h"
#include "tests/test_support.h"
#include "world/save_file.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < bytes.size(); start = end + 2) {
        end = std::min(bytes.find("\r\n", start), bytes.size());
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}
std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}
// Everything a load may touch, and more, to show that a refused file changes nothing.
std::string WorldBytes() {
    std::string s = SerializeSaveData();
    s.append(reinterpret_cast<const char*>(companies), sizeof companies);
    s.append(playerCompanyNameBuf, NAME_BUF_SIZE).append(playerNameBuf, NAME_BUF_SIZE);
    s.append(reinterpret_cast<const char*>(&loadedFromFile), sizeof loadedFromFile);
    return s.append(reinterpret_cast<const char*>(&scenarioTitle), sizeof scenarioTitle);
}

}  // namespace

class SaveFile : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp(), dir = MakeTempDir(), path = dir + "/save1.dat";
    }
    void TearDown() override { std::filesystem::remove_all(dir), WorldTest::TearDown(); }
    // A game with some history, so that every field has a telling value.
    void PlaySomeDays(uint32_t seed, int days) {
        StartGame(seed), companies[0].name = playerCompanyNameBuf, companies[0].ceoName = playerNameBuf;
        for (int d = 0; d < days; ++d) RunMarketTick(WIN_BOARD), AdvanceCalendarDay(WIN_CALENDAR);
        headless.Clear();
    }
    std::string Shown() const { return headless.messages.size() == 1 ? headless.messages[0].text : "<not one box>"; }
    std::string dir, path;
};

TEST_F(SaveFile, LoadRestoresWhatWasSavedAndOnlyThat) {
    PlaySomeDays(99, 120), scenarioLevel = 12, companies[0].holdings[5] = 123456789012LL, companies[3].loans[1] = -42;
    playerForces[9] = 7, presidentFlag = 1;
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    const std::string saved = ReadAll(path);
    // Where the fields lie: the names, funds[0], loans[3][1], holdings[0][5], price[0], playerForces[9], the year,
    // the level, the presidency.
    const std::vector<std::string> l = Lines(saved), N = {std::to_string(companies[0].funds),
        std::to_string(companies[0].sharePrice), std::to_string(gameYear)};
    EXPECT_EQ(std::vector<std::string>({l[0], l[1], l[2], l[72], l[307], l[1202], l[1241], l[1262], l[1300], l[1304]}),
              std::vector<std::string>({Sjis("太郎の会社"), Sjis("証券 太郎"), N[0], "-42", "123456789012", N[1], "7", N[2], "12", "1"}));
    // Another running game, whose company 4 was refilled under a new name.
    PlaySomeDays(5, 3);
    companies[4].bankrupt = 1, companies[4].sharePrice = 0, namePoolNext += 1, RefoundCompany(4);
    const TextRef refilled = companies[4].name;
    const int32_t trend = companies[6].trendState;
    std::string lf = saved;   // the reader takes bare line feeds as well
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    WriteAll(path, lf);
    ASSERT_TRUE(LoadGameFile(path, WIN_MAIN));
    EXPECT_TRUE(Shown() == Sjis("データを読み込みました.") && loadedFromFile == 1);
    EXPECT_EQ(SerializeSaveData(), saved);
    // Names of computer companies are not in the file.
    EXPECT_TRUE(companies[4].name == refilled && companies[6].trendState == trend);
    EXPECT_TRUE(companies[0].name == playerCompanyNameBuf && companies[0].ceoName == playerNameBuf);
    EXPECT_EQ(std::string(scenarioTitle) + "/" + scenarioGoal, Sjis("巨大企業の社長/アメリカ大統領になる"));
}

// A damaged file is refused with a message naming the line, and the running game stays exactly as it was;
// a value at a limit of its type is read.
TEST_F(SaveFile, EachLineIsCheckedBeforeAnythingLoads) {
    std::string longName;
    while (longName.size() < 198) longName += Sjis("株");
    // line <= 0: the file cut to -line lines; past the end: a line added. errorLine 0: accepted.
    struct Row { const char* what; int line; std::string value; int errorLine; };
    const std::vector<Row> rows = {
        {"fewer lines", -1000, "", 1001}, {"empty file", 0, "", 1}, {"extra line", 1306, "5", 1306},
        {"overlong name", 1, std::string(200, 'A'), 1}, {"longest name", 2, longName + "A", 0},
        {"overlong number line", 40, std::string(250, '1'), 40}, {"not a number", 500, "12x", 500},
        {"empty number", 1300, "", 1300}, {"sign only", 3, "-", 3}, {"lead byte at the end", 1, "abc\x82", 1},
        {"invalid trail byte", 2, "\x82\x20", 2}, {"control byte in a name", 2, std::string("a\0b", 3), 2},
        {"64-bit overflow", 10, "9223372036854775808", 10}, {"64-bit max", 4, "9223372036854775807", 0},
        {"64-bit min", 3, "-9223372036854775808", 0}, {"32-bit above", 1203, "2147483648", 1203},
        {"32-bit below", 1233, "-2147483649", 1233}, {"32-bit min", 1203, "-2147483648", 0},
        {"month 13", 1264, "13", 1264}, {"month 0", 1264, "0", 1264}, {"month 12", 1264, "12", 0},
        {"day 32", 1265, "32", 1265}, {"day 31", 1265, "31", 0}, {"day 0", 1265, "0", 1265},
        {"day 1", 1265, "1", 0}, {"level 17", 1301, "17", 1301}, {"level 16", 1301, "16", 0},
    };
    PlaySomeDays(31, 15);
    const std::vector<std::string> good = Lines(SerializeSaveData());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        std::vector<std::string> lines = good;
        if (r.line <= 0) lines.resize(static_cast<size_t>(-r.line));
        else if (r.line > static_cast<int>(lines.size())) lines.push_back(r.value);
        else lines[static_cast<size_t>(r.line - 1)] = r.value;
        WriteAll(path, Join(lines));
        PlaySomeDays(77, 2);   // a different running game, so that a partial load would show
        const std::string before = WorldBytes();
        EXPECT_EQ(LoadGameFile(path, WIN_MAIN), r.errorLine == 0);
        // Read: the world holds the file's values; refused: nothing changed and the line is named.
        EXPECT_EQ(r.errorLine == 0 ? SerializeSaveData() : WorldBytes(), r.errorLine == 0 ? Join(lines) : before);
        EXPECT_EQ(Shown().find(Sjis("セーブデータが壊れている")) != std::string::npos, r.errorLine != 0);
        EXPECT_EQ(Shown().find(std::to_string(r.errorLine) + Sjis("行目")) != std::string::npos, r.errorLine != 0);
    }
}
