// The simulator's play-script language: each row plays a tiny script through
// the game's own screens and dialogs and checks what it printed and what the
// dump holds afterwards, or the refusal it earned.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "tests/game_fixture.h"
#include "tools/headless/sim_script.h"

namespace {

struct ScriptCase {
    const char* name;
    const char* script;   // UTF-8
    int64_t cycles;
    // Every line printed, in order, in UTF-8; or, for a refused script, the refusal.
    std::vector<std::string> printed;
    const char* refusal;
    // Fields of the dump after the run: "name value".
    std::vector<std::string> dumped;
};

const ScriptCase CASES[] = {
    {"BankLoanThroughTheSidePanel",
     "1 side 100 25   # the bank\n1 type 1117 1000\n1 press 1017\n1 show 1120\n1 press 1\n", 1,
     {"[] DARK金融から借りました.", "{1120} 1000"}, nullptr,
     {"companies[0].loans[0] 1000", "companies[0].debt 1000", "companies[0].funds 13000"}},
    {"MediaReportThroughTheFieldMap",
     "1 funds 0 100000000\n1 board 5\n1 view 455 250\n1 show 1002\n1 press 1017\n1 press 1\n", 1,
     {"{1002} フジテレビ", "[] 株価を上げる報道に成功しました."}, nullptr,
     {"selectedCompany 5", "companies[0].funds 60000000", "newsPending[5] 1"}},
    {"RaceRunByItsOwnTimerAndTheCasinoGoesOn",
     "1 funds 0 100000\n1 view 35 180\n1 press 1018\n1 press 1018\n1 tick 100000\n1 press 1\n", 2,
     {"[] １着5番です.", "[] はずれ."}, nullptr,
     {"raceBet 0", "companies[0].funds 90000", "racerPosition[4] 652"}},
    {"RaceTicksExactlyAsOftenAsAsked", "1 funds 0 100000\n1 view 35 180\n1 press 1018\n1 press 1018\n1 tick 2\n", 1,
     {}, nullptr, {"raceBet 1", "racerPosition[0] 106", "racerPosition[7] 100"}},
    {"DetentionOpenedByTheMainTimer", "1 set arrestState 1\n1 main\n1 show 1004\n1 show 1003\n", 3,
     {"[] 逮捕されました.", "{1004} 10", "{1003} 8000"}, nullptr, {"arrestState 17"}},
    {"QuestionAnsweredYesEndsTheGame", "1 answer yes\n1 side 100 285\n", 5, {"[確認] ゲームを終了しますがよろしいですか？\\n\\n（データは自動的に保存されません.データの保存は行いましたか?)"},
     nullptr, {"gameDay 12"}},
    {"QuestionWithNoAnswerQueuedIsNo", "1 side 100 285\n", 5, {"[確認] ゲームを終了しますがよろしいですか？\\n\\n（データは自動的に保存されません.データの保存は行いましたか?)"}, nullptr,
     {"gameDay 17"}},
    {"SetWritesNumbersByTheirDumpNames",
     "1 set companies[3].stockCount 7\n1 set trialProgress 0.25\n2 set scenarioLevel 13\n", 1, {}, nullptr,
     {"companies[3].stockCount 7", "trialProgress 0.25", "scenarioLevel 0"}},
    {"BoardClickRunsTheTickWithoutAMarketDay", "1 board 7\n", 1, {}, nullptr,
     {"selectedCompany 7", "historyIndex 1", "marketHalt 0"}},
    {"MarketStaysHaltedBehindAnOpenBuyDialog",
     "1 view 485 55   # the exchange\n1 view 400 125   # buy\n1 press 1005\n1 type 1002 100\n", 3, {}, nullptr,
     {"screenMode 5", "marketHalt 2", "historyIndex 0", "gameDay 15", "marketBuyQty 0"}},
    {"OrderFromTheBuyDialogFillsAtTheNextTick",
     "1 view 485 55\n1 view 400 125\n1 press 1005\n1 type 1002 1000\n1 press 1\n", 4,
     {"[注文完了] 注文しました", "[約定] 平均購入価格66円で購入できました"}, nullptr,
     {"marketHalt 0", "marketBuyQty 0", "companies[0].holdings[11] 1000", "historyIndex 4"}},
    // Exchange: buy, sell, back; side panel: bank, headquarters, ranking,
    // police, save/load; field map: media, other company and its meeting,
    // university, election, missiles, shop, military and its war, casino and
    // its race; the menu's About; the title's founding; detention.
    {"EveryDialogThroughItsOwnPath",
     "1 funds 0 900000000\n"
     "1 hold 0 11 100000000\n"
     "1 view 485 55\n"
     "1 view 400 125\n"
     "1 show 1003\n"
     "1 press 2\n"
     "1 view 400 175\n"
     "1 show 1003\n"
     "1 press 2\n"
     "1 view 400 330\n"
     "1 side 100 25\n"
     "1 show 1111\n"
     "1 press 1\n"
     "1 side 100 75\n"
     "1 show 1019\n"
     "1 press 1\n"
     "1 side 100 125\n"
     "1 show 1\n"
     "1 press 1\n"
     "1 side 100 180\n"
     "1 show 1017\n"
     "1 press 1\n"
     "1 side 100 230\n"
     "1 show 1005\n"
     "1 press 1\n"
     "1 view 455 250\n"
     "1 show 1002\n"
     "1 press 1\n"
     "1 view 135 135\n"
     "1 show 1020\n"
     "1 press 1020\n"
     "1 show 1017\n"
     "1 press 1\n"
     "1 press 1\n"
     "1 view 235 35\n"
     "1 show 1017\n"
     "1 press 1\n"
     "1 view 265 145\n"
     "1 show 1017\n"
     "1 press 1\n"
     "1 set scenarioLevel 13\n"
     "1 view 265 145\n"
     "1 show 1018\n"
     "1 press 1\n"
     "1 view 35 35\n"
     "1 show 1017\n"
     "1 press 1\n"
     "1 view 145 325\n"
     "1 show 1042\n"
     "1 press 1042\n"
     "1 show 1034\n"
     "1 press 1036\n"
     "1 press 1043\n"
     "1 view 35 180\n"
     "1 show 1017\n"
     "1 press 1018\n"
     "1 show 1018\n"
     "1 press 1\n"
     "1 press 1\n"
     "1 menu 104\n"
     "1 show 1\n"
     "1 press 1\n"
     "1 set screenMode 1\n"
     "1 view 275 225\n"
     "1 type 1002 テスト会社  \r\n"
     "1 show 1002\n"
     "1 press 1\n"
     "1 right 10 10\n"
     "1 set arrestState 1\n"
     "1 main\n"
     "1 show 1017\n"
     , 1,
     {"{1003} NISグループ", "{1003} NISグループ", "{1111} 5", "{1019} 株式分割", "{1} OK", "{1017} 警察に賄賂を渡す", "{1005} ファイル１", "{1002} NISグループ", "{1020} 株主総会", "{1017} 社長交代案提出", "{1017} 研究", "{1017} 大統領選挙に出馬する", "{1018} ミサイル発射", "{1017} 購入", "{1042} 戦争する", "{1034} 戦闘開始", "{1017} ハエタタキ", "{1018} 1億円賭ける", "{1} OK", "{1002} テスト会社", "[シナリオ] シナリオモードですか?\\n\\n※達成目標があり,レベルを上げていくモード", "[] 逮捕されました.", "{1017} 裁判官へ賄賂"},
     nullptr, {"screenMode 3", "companies[0].name テスト会社", "scenarioLevel 13", "arrestState 17"}},
    {"FlyGameFromTheCasino", "1 view 35 180\n1 press 1017\n1 main\n1 main\n1 view 305 205\n1 right 5 5\n", 1,
     {"[レベルアップ] よくやった。\\n\\nだが、まだまだ５０００万円はあげられないね", "[ＥＮＤ] 終了します"}, nullptr,
     {"screenMode 3", "flyX 302", "flyY 197"}},
    {"StartsOnTheFieldMap", "", 0, {}, nullptr,
     {"screenMode 3", "selectedCompany 11", "flyX 300", "flyY 200", "population 230000000"}},

    {"UnknownVerb", "1 jump 3\n", 1, {}, "script line 1: unknown action 'jump'", {}},
    {"NumberOutOfRange", "\n1 board 30\n", 1, {}, "script line 2: argument 1 of 'board' is out of range (0 to 29)", {}},
    {"NoDialogOpen", "1 press 1\n", 1, {}, "script line 1: 'press' needs an open dialog, and none is open", {}},
    {"ControlTheDialogLacks", "1 side 100 25\n1 press 4242\n", 1, {}, "script line 2: dialog 133 has no control 4242",
     {}},
    {"TypingIntoAButton", "1 side 100 25\n1 type 1017 5\n", 1, {},
     "script line 2: control 1017 of dialog 133 is not an edit field", {}},
    {"ClickUnderAnOpenDialog", "1 side 100 25\n2 view 10 10\n", 3, {},
     "script line 2: 'view' clicks under dialog 133, which is open", {}},
    {"UnknownField", "1 set nosuch 1\n", 1, {}, "script line 1: the world has no field 'nosuch'", {}},
    {"TextField", "1 set companies[0].name 5\n", 1, {}, "script line 1: companies[0].name is a text, not a number", {}},
    {"ConstantField", "1 set population 5\n", 1, {}, "script line 1: population is a constant", {}},
    {"FieldOutOfRange", "1 set gameYear 3000000000\n", 1, {},
     "script line 1: '3000000000' is out of range for gameYear", {}},
    {"AnswerOtherThanYesOrNo", "1 answer maybe\n", 1, {}, "script line 1: 'answer' takes yes or no", {}},
    {"TextWithoutCodePage932", "1 side 100 25\n1 type 1117 \xF0\x9F\x98\x80\n", 1, {},
     "script line 2: the text has a character that code page 932 cannot hold", {}},
};

void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

std::map<std::string, std::string> ReadDump(const std::string& path) {
    std::map<std::string, std::string> fields;
    std::istringstream in(ReadAll(path));
    std::string line;
    while (std::getline(in, line)) {
        const size_t blank = line.find(' ');
        fields[line.substr(0, blank)] = Utf8(blank == std::string::npos ? "" : line.substr(blank + 1));
    }
    return fields;
}

class SimScriptTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(SimScriptTest, PlaysOrRefuses) {
    const ScriptCase& c = GetParam();
    TempWorkDir work;
    SimRun run;
    run.seed = 3;
    run.cycles = c.cycles;
    // A refused script writes neither; a played one is checked through its dump.
    if (c.refusal) run.savePath = "end.dat";
    run.dumpPath = "end.dump";
    run.haveScript = true;
    std::string error;
    const bool parsed = ParseSimScript(c.script, run.actions, error);
    std::vector<std::string> printed;
    int status = 1;
    if (parsed) status = RunSimulation(run, [&](const std::string& line) { printed.push_back(Utf8(line)); }, error);

    if (c.refusal) {
        EXPECT_NE(status, 0);
        EXPECT_EQ(error, c.refusal);
        EXPECT_FALSE(std::filesystem::exists("end.dat"));
        EXPECT_FALSE(std::filesystem::exists("end.dump"));
        return;
    }
    ASSERT_EQ(status, 0) << error;
    EXPECT_EQ(printed, c.printed);
    const auto dump = ReadDump("end.dump");
    for (const std::string& want : c.dumped) {
        const size_t blank = want.find(' ');
        auto it = dump.find(want.substr(0, blank));
        ASSERT_NE(it, dump.end()) << want;
        EXPECT_EQ(it->first + " " + it->second, want);
    }
}

INSTANTIATE_TEST_SUITE_P(Verbs, SimScriptTest, ::testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// The bounds of each verb's numbers: the ends are taken, one beyond is refused.
TEST(SimScriptBounds, EndsTakenAndOneBeyondRefused) {
    struct Bound {
        const char* line;   // %s stands for the number tried
        int64_t low, high;
    };
    const Bound bounds[] = {
        {"board %s", 0, 29},      {"view %s 0", 0, 569},  {"view 0 %s", 0, 369},   {"right %s 0", 0, 569},
        {"right 0 %s", 0, 369},   {"side %s 0", 0, 199},  {"side 0 %s", 0, 314},   {"menu %s", 104, 105},
        {"research %s", 0, 8},    {"tob %s 1 0", 0, 29},  {"tob 1 1 %s", 0, 1},    {"hold 0 %s 0", 0, 29},
        {"buy %s 1", 0, 29},      {"sell %s 1", 0, 29},   {"limit %s 1 1", 0, 29}, {"funds %s 1", 0, 29},
        {"tick %s", 0, 1000000000}, {"press %s", 1, 65535}, {"show %s", 1, 65535}, {"type %s x", 1, 65535},
    };
    for (const Bound& b : bounds) {
        for (int64_t n : {b.low - 1, b.low, b.high, b.high + 1}) {
            char line[64];
            std::snprintf(line, sizeof line, (std::string("1 ") + b.line).c_str(), std::to_string(n).c_str());
            std::vector<SimAction> actions;
            std::string error;
            const bool inside = b.low <= n && n <= b.high;
            EXPECT_EQ(ParseSimScript(line, actions, error), inside) << line << ": " << error;
            if (!inside) {
                EXPECT_NE(error.find("out of range"), std::string::npos) << line << ": " << error;
            }
        }
    }
}

// Every field the rules name is in the dump, once, under its own name, and
// a text comes out as its code page 932 bytes.
TEST(WorldDump, NamesEveryFieldOnce) {
    TempWorkDir work;
    SimRun run;
    run.seed = 11;
    run.cycles = 2;
    run.dumpPath = "w.dump";
    std::string error;
    ASSERT_EQ(RunSimulation(run, [](const std::string&) {}, error), 0) << error;
    const std::string text = ReadAll("w.dump");
    const auto dump = ReadDump("w.dump");
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), dump.size()) << "a name twice";
    const char* names[] = {
        "companies[29].priceDeltaHistory[499]", "companies[0].avgBuyPrice[29]", "companies[4].headline[7]",
        "companyNamePool[199]", "newsLines[200]", "newsPending[29]", "judgeConnection", "trialProgress", "warState",
        "campaignFunds", "ownVotes", "rivalVotes", "raceBet", "racerPosition[7]", "racerStall[7]", "voteYes",
        "agmEffect", "agmNewShareProposal", "assetRanking[29][1]", "stakeWarningLevel", "lenderCreditLimit[2]",
        "enemyForces[9]", "shopPrice[7]", "limitBuyPrice", "afterHoursTrade", "orderEntryQty", "newsXB",
        "buttonHoverPrev[5]", "lawyerFee", "randState"};
    for (const char* name : names) EXPECT_EQ(dump.count(name), 1u) << name;
    EXPECT_EQ(dump.at("gameYear"), "2007");
    EXPECT_EQ(dump.at("gameDay"), "14");
    EXPECT_EQ(dump.at("companies[12].name"), "楽天");
    EXPECT_EQ(dump.at("companies[1].headline[0]"), "新日本石油、業績上方修正");
    EXPECT_EQ(dump.at("playerNameBuf"), "証券 太郎");
    EXPECT_EQ(dump.at("newsLines[0]"), "～東都証券取引所～");
    EXPECT_EQ(dump.at("weaponPrice[9]"), "100000000");
    EXPECT_EQ(dump.at("monthsToTrial"), "10");
}

}  // namespace
