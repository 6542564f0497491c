#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <functional>
#include <sys/stat.h>

#include "market/calendar.h"
#include "market/market_tick.h"
#include "tests/test_support.h"
#include "world/game_texts.h"
#include "world/new_game.h"
#include "world/save_file.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// A snapshot of everything a load may touch, and more, to prove that a
// refused file changes nothing.
struct WorldCopy {
    ListedCompany c[COMPANY_COUNT];
    char n1[NAME_BUF_SIZE], n2[NAME_BUF_SIZE];
    int32_t year, month, day, level, stage, loaded;
    int32_t forces[10], shop[10];
    TextRef title;
    WorldCopy() {
        std::memcpy(c, companies, sizeof c);
        std::memcpy(n1, playerCompanyNameBuf, sizeof n1);
        std::memcpy(n2, playerNameBuf, sizeof n2);
        year = gameYear;
        month = gameMonth;
        day = gameDay;
        level = scenarioLevel;
        stage = goalStage;
        loaded = loadedFromFile;
        title = scenarioTitle;
        std::memcpy(forces, playerForces, sizeof forces);
        std::memcpy(shop, shopOwned, sizeof shop);
    }
    bool SameAsWorld() const {
        return std::memcmp(c, companies, sizeof c) == 0 && std::memcmp(n1, playerCompanyNameBuf, sizeof n1) == 0 &&
               std::memcmp(n2, playerNameBuf, sizeof n2) == 0 && year == gameYear && month == gameMonth &&
               day == gameDay && level == scenarioLevel && stage == goalStage && loaded == loadedFromFile &&
               title == scenarioTitle && std::memcmp(forces, playerForces, sizeof forces) == 0 &&
               std::memcmp(shop, shopOwned, sizeof shop) == 0;
    }
};

}  // namespace

class SaveFile : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        char tmpl[] = "/tmp/orchidia-save-XXXXXX";
        dir = mkdtemp(tmpl);
        path = dir + "/save1.dat";
    }
    void TearDown() override {
        std::remove(path.c_str());
        std::remove((path + ".tmp").c_str());
        rmdir(dir.c_str());
        WorldTest::TearDown();
    }
    // A game with some history, so that every field has a telling value.
    void PlaySomeDays(uint32_t seed, int days) {
        StartGame(seed);
        companies[0].name = playerCompanyNameBuf;
        companies[0].ceoName = playerNameBuf;
        for (int d = 0; d < days; ++d) {
            RunMarketTick(WIN_BOARD);
            AdvanceCalendarDay(WIN_CALENDAR);
        }
        headless.Clear();
    }
    std::string dir, path;
};

TEST_F(SaveFile, LayoutOfTheFile) {
    PlaySomeDays(11, 40);
    companies[0].holdings[5] = 123456789012LL;
    companies[3].loans[1] = -42;
    playerForces[9] = 7;
    scenarioLevel = 3;
    presidentFlag = 1;
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text, Sjis("データを保存しました."));
    EXPECT_EQ(headless.messages[0].caption, "");
    std::string bytes = ReadAll(path);
    std::vector<std::string> lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 1305u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], Sjis("太郎の会社"));
    EXPECT_EQ(lines[1], Sjis("証券 太郎"));
    EXPECT_EQ(lines[2], std::to_string(companies[0].funds));
    EXPECT_EQ(lines[62 + 3 * 3 + 1], "-42");               // company 3's loans[1]
    EXPECT_EQ(lines[302 + 5], "123456789012");            // holdings[0][5] on line 308
    EXPECT_EQ(lines[1202], std::to_string(companies[0].sharePrice));
    EXPECT_EQ(lines[1241], "7");                          // playerForces[9]
    EXPECT_EQ(lines[1262], std::to_string(gameYear));
    EXPECT_EQ(lines[1300], "3");                          // scenarioLevel
    EXPECT_EQ(lines[1304], "1");                          // presidentFlag
}

TEST_F(SaveFile, RoundTripIsByteForByte) {
    PlaySomeDays(99, 120);
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    std::string first = ReadAll(path);
    // A different running game, then load the file and save it again.
    PlaySomeDays(5, 3);
    ASSERT_TRUE(LoadGameFile(path, WIN_MAIN));
    EXPECT_EQ(loadedFromFile, 1);
    EXPECT_TRUE(HasMessage(Sjis("データを読み込みました.")));
    std::string second_path = dir + "/save2.dat";
    ASSERT_TRUE(SaveGameFile(second_path, WIN_MAIN, false));
    EXPECT_EQ(ReadAll(second_path), first);
    std::remove(second_path.c_str());
}

TEST_F(SaveFile, LoadKeepsNamesOfComputerCompaniesAndUnsavedFields) {
    PlaySomeDays(21, 10);
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    // Refill company 4 under a new name, then load the older file.
    companies[4].bankrupt = 1;
    companies[4].sharePrice = 0;
    namePoolNext += 1;
    extern void RefoundCompany(int);
    RefoundCompany(4);
    TextRef refilledName = companies[4].name;
    int32_t trend = companies[6].trendState;
    ASSERT_TRUE(LoadGameFile(path, WIN_MAIN));
    EXPECT_EQ(companies[4].name, refilledName);   // names are not in the file
    EXPECT_EQ(companies[6].trendState, trend);
    EXPECT_EQ(companies[0].name, playerCompanyNameBuf);
    EXPECT_EQ(companies[0].ceoName, playerNameBuf);
}

TEST_F(SaveFile, PlaceholderNameAndLongNamesSurvive) {
    StartGame(8);   // company 0 still has the one-blank text
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    EXPECT_EQ(Lines(ReadAll(path))[0], " ");

    std::string longName;
    while (longName.size() < 198) longName += Sjis("株");
    ASSERT_EQ(longName.size(), 198u);
    std::strcpy(playerCompanyNameBuf, longName.c_str());
    std::string longest = longName + "A";   // 199 bytes, the most a buffer holds
    std::strcpy(playerNameBuf, longest.c_str());
    companies[0].name = playerCompanyNameBuf;
    companies[0].ceoName = playerNameBuf;
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    std::memset(playerCompanyNameBuf, 0, NAME_BUF_SIZE);
    std::memset(playerNameBuf, 0, NAME_BUF_SIZE);
    ASSERT_TRUE(LoadGameFile(path, WIN_MAIN));
    EXPECT_EQ(std::string(companies[0].name), longName);
    EXPECT_EQ(std::string(companies[0].ceoName), longest);
}

TEST_F(SaveFile, ScenarioTextsFollowTheLoadedLevel) {
    StartGame(2);
    scenarioLevel = 12;
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    StartGame(2);
    ASSERT_TRUE(LoadGameFile(path, WIN_MAIN));
    EXPECT_EQ(scenarioLevel, 12);
    EXPECT_EQ(std::string(scenarioTitle), Sjis("巨大企業の社長"));
    EXPECT_EQ(std::string(scenarioGoal), Sjis("アメリカ大統領になる"));
}

TEST_F(SaveFile, ReaderAcceptsBareLineFeeds) {
    PlaySomeDays(4, 5);
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    std::string bytes = ReadAll(path);
    std::string lf;
    for (size_t k = 0; k < bytes.size(); ++k)
        if (bytes[k] != '\r') lf += bytes[k];
    WriteAll(path, lf);
    int64_t funds = companies[9].funds;
    companies[9].funds = 1;
    ASSERT_TRUE(LoadGameFile(path, WIN_MAIN));
    EXPECT_EQ(companies[9].funds, funds);
}

TEST_F(SaveFile, MissingFileIsReported) {
    StartGame(1);
    WorldCopy before;
    EXPECT_FALSE(LoadGameFile(dir + "/save3.dat", WIN_MAIN));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text, Sjis("セーブデータが見つかりません."));
    EXPECT_TRUE(before.SameAsWorld());
}

// Every kind of damage is refused with a message naming the line, and the
// running game stays exactly as it was.
TEST_F(SaveFile, DamagedFilesAreRefusedAndChangeNothing) {
    PlaySomeDays(31, 15);
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    const std::vector<std::string> good = Lines(ReadAll(path));
    auto damaged = [&](const char* what, int line, auto change) {
        std::vector<std::string> lines = good;
        change(lines);
        WriteAll(path, Join(lines));
        // A different running game, so that a partial load would show.
        PlaySomeDays(77, 2);
        WorldCopy before;
        EXPECT_FALSE(LoadGameFile(path, WIN_MAIN)) << what;
        EXPECT_TRUE(before.SameAsWorld()) << what;
        ASSERT_EQ(headless.messages.size(), 1u) << what;
        const std::string& text = headless.messages[0].text;
        EXPECT_NE(text.find(Sjis("セーブデータが壊れている")), std::string::npos) << what;
        EXPECT_NE(text.find(std::to_string(line) + Sjis("行目")), std::string::npos) << what << " line " << line;
    };
    damaged("fewer lines", 1001, [](auto& l) { l.resize(1000); });
    damaged("empty file", 1, [](auto& l) { l.clear(); });
    damaged("extra line", 1306, [](auto& l) { l.push_back("5"); });
    damaged("overlong name", 1, [](auto& l) { l[0] = std::string(200, 'A'); });
    damaged("overlong number line", 40, [](auto& l) { l[39] = std::string(250, '1'); });
    damaged("not a number", 500, [](auto& l) { l[499] = "12x"; });
    damaged("empty number", 1300, [](auto& l) { l[1299] = ""; });
    damaged("sign only", 3, [](auto& l) { l[2] = "-"; });
    damaged("invalid CP932 lead byte at the end", 1, [](auto& l) { l[0] = "abc\x82"; });
    damaged("invalid CP932 trail byte", 2, [](auto& l) { l[1] = "\x82\x20"; });
    damaged("control byte in a name", 2, [](auto& l) { l[1] = std::string("a\0b", 3); });
    damaged("64-bit overflow", 10, [](auto& l) { l[9] = "9223372036854775808"; });
    damaged("32-bit field above range", 1203, [](auto& l) { l[1202] = "2147483648"; });
    damaged("32-bit field below range", 1233, [](auto& l) { l[1232] = "-2147483649"; });
    damaged("month outside the calendar", 1264, [](auto& l) { l[1263] = "13"; });
    damaged("scenario level beyond 16", 1301, [](auto& l) { l[1300] = "17"; });
}

TEST_F(SaveFile, LimitsOfTheTypesAreAccepted) {
    StartGame(6);
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, false));
    std::vector<std::string> lines = Lines(ReadAll(path));
    lines[2] = "-9223372036854775808";
    lines[3] = "9223372036854775807";
    lines[1202] = "-2147483648";
    WriteAll(path, Join(lines));
    ASSERT_TRUE(LoadGameFile(path, WIN_MAIN));
    EXPECT_EQ(companies[0].funds, INT64_MIN);
    EXPECT_EQ(companies[1].funds, INT64_MAX);
    EXPECT_EQ(companies[0].sharePrice, INT32_MIN);
}

TEST_F(SaveFile, OverwriteQuestionAndSlots) {
    StartGame(3);
    EXPECT_FALSE(SaveGame(0, WIN_MAIN));
    EXPECT_EQ(headless.messages.back().text, Sjis("ファイル番号を選択してください."));
    EXPECT_FALSE(LoadGame(0, WIN_MAIN));
    EXPECT_EQ(headless.messages.back().text, Sjis("ファイル番号を選択してください."));
    ASSERT_TRUE(SaveGameFile(path, WIN_MAIN, true));   // no file yet: no question
    std::string before = ReadAll(path);
    companies[0].funds = 987654321;
    headless.Clear();
    headless.answers.push_back(ANSWER_NO);
    EXPECT_FALSE(SaveGameFile(path, WIN_MAIN, true));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].caption, Sjis("確認"));
    EXPECT_EQ(headless.messages[0].style, MB_STYLE_YES_NO);
    EXPECT_EQ(headless.messages[0].text, Sjis("すでにファイルが存在します.\n\n上書きしてよろしいですか?"));
    EXPECT_EQ(ReadAll(path), before);
    headless.answers.push_back(ANSWER_YES);
    EXPECT_TRUE(SaveGameFile(path, WIN_MAIN, true));
    EXPECT_EQ(Lines(ReadAll(path))[2], "987654321");
    EXPECT_EQ(SaveFileName(4), "save4.dat");
}
