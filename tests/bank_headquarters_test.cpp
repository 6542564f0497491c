// The bank and the headquarters, driven by control id through the headless
// host as the side panel opens them.
#include <limits>

#include "display/canvas.h"
#include "tests/game_fixture.h"
#include "world/text.h"

namespace {

constexpr int BANK = 133, HQ = 138;
constexpr int64_t MAX = std::numeric_limits<int64_t>::max(), MIN = std::numeric_limits<int64_t>::min();

// Each lender's row of the bank: amount field, loan field, borrow and repay buttons.
const struct { int amount, loan, borrow, repay; } LENDERS[3] = {{1117, 1120, 1017, 1018}, {1118, 1121, 1021, 1022}, {1119, 1122, 1023, 1024}};
const char* const LENDER_NAMES[3] = {"DARK金融", "心筋金融", "WHITE金融"};
const char* const OVER_LIMIT = "[不可] 限度額を超えます.";
const char* const TOO_MUCH = "[不可] すこし返しすぎとちゃいますか?.";

}  // namespace

using BankAndHeadquarters = GameTest;

TEST_F(BankAndHeadquarters, SidePanelOpensBothWithTheirFiguresAndEscapeCloses) {
    companies[0].loans[2] = 777;
    CopyTextCut(playerCompanyNameBuf, NAME_BUF_SIZE, Sjis("蘭花興業").c_str());
    companies[0].name = playerCompanyNameBuf;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        EXPECT_EQ(d.ResourceId(), BANK);
        EXPECT_EQ(TextOf(d, 1111) + TextOf(d, 1112) + TextOf(d, 1113) + " " + TextOf(d, 1007) + " " + TextOf(d, 1008) + " "
                  + TextOf(d, 1116), "531 2000000 500000 100000");   // the rates and the limits
        // Interest and automatic borrowing change the loans behind it: shown every half second.
        companies[0].loans[0] = 4294967296LL + 7, companies[0].loans[2] = 12345;
        host.Advance(499);
        EXPECT_EQ(TextOf(d, 1120) + TextOf(d, 1122), "0777");
        host.Advance(1);
        EXPECT_EQ(TextOf(d, 1120) + " " + TextOf(d, 1122), "7 12345");   // the first lenders in 32 bits
        d.Press(2);   // Escape
        EXPECT_EQ(d.open() ? -1 : d.result(), 2);
    });
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        EXPECT_EQ(d.ResourceId(), HQ);
        EXPECT_EQ(TextOf(d, 1002) + " " + TextOf(d, 1003) + " " + TextOf(d, 1004), "蘭花興業 12000 8000000");
        // The stake and the changed figures come with the 500 ms tick.
        companies[0].funds = 12345678901LL, companies[0].issuedShares = 9000000;
        host.Advance(499);
        EXPECT_EQ(TextOf(d, 1007) + "/" + TextOf(d, 1003), "/12000");
        host.Advance(1);
        EXPECT_EQ(TextOf(d, 1007) + " " + TextOf(d, 1003) + " " + TextOf(d, 1004), "44 12345678901 9000000");
        d.Press(2);
        EXPECT_EQ(d.open() ? -1 : d.result(), 2);
    });
    host.ClickSide(100, 25);
    host.ClickSide(100, 77);
    EXPECT_EQ(host.openedDialogs, (std::vector<int>{BANK, HQ}));
    EXPECT_TRUE(host.messages.empty());
    for (int dialog : {BANK, HQ}) EXPECT_EQ(RunDialog(dialog, [](HeadlessDialog& d) { d.Press(1); }), 1);
}

TEST_F(BankAndHeadquarters, BankChecksTheLimitTheLoanAndTheCash) {
    // refusal nullptr: the lender's own message; shown: the loan field afterwards.
    const struct { int k; bool repay; int64_t loan, funds, debt; const char* typed; int64_t loanAfter, fundsAfter, debtAfter;
                   const char *refusal, *shown; } rows[] = {
        {0, false, 1999990, 0, 0, "10", 2000000, 10, 10, nullptr, "2000000"},   // up to each limit exactly
        {1, false, 499990, 0, 0, "10", 500000, 10, 10, nullptr, "500000"},
        {2, false, 100000, 0, 0, "1", 100000, 0, 0, OVER_LIMIT, "100000"},
        {0, false, 2000001, 0, 0, "0", 2000001, 0, 0, OVER_LIMIT, "2000001"},   // interest took it past
        {0, false, 2000001, 0, 0, "-2", 1999999, -2, -2, nullptr, "1999999"},   // a negative amount repays
        {1, true, 1000, 5000, 1000, "9000", 1000, 5000, 1000, TOO_MUCH, "1000"},   // the loan test comes first
        {1, true, 1000, 5000, 1000, "1001", 1000, 5000, 1000, TOO_MUCH, "1000"},
        {1, true, 1000, 5000, 1000, "  1000万円", 0, 4000, 0, nullptr, "0"},
        {0, true, 1000, 500, 0, "501", 1000, 500, 0, "[不可] そんなに金持ってないんちゃうんかい?.", "1000"},
        {0, true, 1000, 500, 0, "500", 500, 0, -500, nullptr, "500"},   // equality suffices
        // Repaying has no limit test, and a negative borrowing may take more cash than there is.
        {2, true, 100000, 1000, 100000, "-5000", 105000, 6000, 105000, nullptr, "105000"},
        // Only the automatic lender is repaid in 64 bits; typed amounts beyond read as the 32-bit bound.
        {2, true, 6000000000LL, 20000000000LL, 0, "5000000000", 1000000000, 15000000000LL, -5000000000LL, nullptr, "1000000000"},
        {2, false, -10000000000LL, 0, 0, "5000000000", -10000000000LL + INT32_MAX, INT32_MAX, INT32_MAX, nullptr, "-7852516353"},
        // The sums saturate instead of wrapping.
        {0, false, 0, MAX - 10, MAX - 5, "100", 100, MAX, MAX, nullptr, "100"},
        {2, true, 0, 0, 0, "-9223372036854775808", MAX, MAX, MAX, nullptr, "9223372036854775807"},
        {2, false, MAX, 0, 0, "1", MAX, 0, 0, OVER_LIMIT, "9223372036854775807"},
    };
    ListedCompany& me = companies[0];
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.k << (r.repay ? " repays " : " borrows ") << r.typed);
        me.loans[r.k] = r.loan, me.funds = r.funds, me.debt = r.debt;
        RunDialog(BANK, [&](HeadlessDialog& d) {
            TypePress(d, LENDERS[r.k].amount, r.typed, r.repay ? LENDERS[r.k].repay : LENDERS[r.k].borrow);
            EXPECT_EQ(TextOf(d, LENDERS[r.k].loan), r.shown);
            EXPECT_TRUE(d.open());
        });
        EXPECT_EQ(std::vector<int64_t>({me.loans[r.k], me.funds, me.debt}), std::vector<int64_t>({r.loanAfter, r.fundsAfter, r.debtAfter}));
        const std::string done = std::string("[] ") + LENDER_NAMES[r.k] + (r.repay ? "に金を返済しました." : "から借りました.");
        EXPECT_EQ(TakeBoxes(), (Boxes{r.refusal ? r.refusal : done}));
    }
}

TEST_F(BankAndHeadquarters, HeadquartersIssuesBuysBackSplitsWithinTheirLimits) {
    const char *const CANNOT_ISSUE = "[] そんなに発行できません.\n利益を上げてください", *const ISSUED = "[] 新株を発行しました.";
    const char *const CANNOT_BUY_BACK = "[] そんなに買戻しできません.", *const CLOSED = "[] 市場が開いているときに行ってください.";
    const char *const SPLIT_Q = "?[確認] 株式の分割を行います.よろしいですか?", *const SPLIT = "[] 株式の分割を行いました.";
    using Figures = std::vector<int64_t>;   // issued, floating, own stake, funds, price
    const Figures usual = {8000000, 1000, 0, 100, 280}, toSplit = {400000000, 100000001, 150000000, 0, 1001};
    constexpr int ISSUE = 1017, BUY_BACK = 1018, SPLIT_BUTTON = 1019;
    // after: the figures afterwards, none when unchanged.
    const struct { const char* situation; Figures before; int64_t profit; int32_t halt; int button; const char* typed; Boxes boxes;
                   Figures after; MessageAnswer answer = ANSWER_NO; } rows[] = {
        {"issue to the total limit", {297000000, 1000, 0, 100, 280}, 500000, 0, ISSUE, "3000000", {ISSUED}, {300000000, 3001000, 0, 84100, 280}},
        {"one past the total", {300000000, 1000, 0, 100, 280}, 500000, 0, ISSUE, "1", {CANNOT_ISSUE}, {}},
        {"one past one issue", usual, 500000, 0, ISSUE, "3000001", {CANNOT_ISSUE}, {}},
        {"too little profit", usual, 499999, 0, ISSUE, "1", {CANNOT_ISSUE}, {}},
        {"negative issue", usual, 500000, 0, ISSUE, "-100000", {CANNOT_ISSUE}, {}},
        {"whole hundreds only", usual, 500000, 0, ISSUE, "199", {ISSUED}, {8000199, 1199, 0, 102, 280}},
        {"halted: no issue", usual, 500000, 2, ISSUE, "100", {CLOSED}, {}},
        {"more than others hold", {8000000, 1000, 4000000, 10000000, 280}, 0, 0, BUY_BACK, "4000001", {CANNOT_BUY_BACK}, {}},
        {"one 万円 short", {8000000, 1000, 4000000, 111999, 280}, 0, 0, BUY_BACK, "4000000", {CANNOT_BUY_BACK}, {}},
        {"all others hold", {8000000, 1000, 4000000, 112000, 280}, 0, 0, BUY_BACK, "4000000", {"[] 自社株を買い戻しました."},
         {4000000, 1000, 4000000, 0, 280}},
        {"split declined", toSplit, 0, 0, SPLIT_BUTTON, "", {SPLIT_Q}, {}},
        {"split at the limit", toSplit, 0, 0, SPLIT_BUTTON, "", {SPLIT_Q, SPLIT}, {800000000, 200000002, 300000000, 0, 500}, ANSWER_YES},
        {"split past the limit", {400000001, 1, 1, 0, 1001}, 0, 0, SPLIT_BUTTON, "", {"[] これ以上株式の分割はできません."}, {}, ANSWER_YES},
        {"split never wraps", {MIN / 2 - 1, MAX / 2 + 1, MIN, 0, 2}, 0, 0, SPLIT_BUTTON, "", {SPLIT_Q, SPLIT}, {MIN, MAX, MIN, 0, 1}, ANSWER_YES},
    };
    ListedCompany& me = companies[0];
    companies[5].holdings[0] = 777;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.situation);
        me.issuedShares = r.before[0], me.floatingShares = r.before[1], me.holdings[0] = r.before[2], me.funds = r.before[3];
        me.sharePrice = static_cast<int32_t>(r.before[4]), me.profit = r.profit, marketHalt = r.halt, host.answers = {r.answer};
        RunDialog(HQ, [&](HeadlessDialog& d) { TypePress(d, r.button == ISSUE ? 1005 : r.button == BUY_BACK ? 1006 : 0, r.typed, r.button); });
        EXPECT_EQ(Figures({me.issuedShares, me.floatingShares, me.holdings[0], me.funds, me.sharePrice}), r.after.empty() ? r.before : r.after);
        EXPECT_EQ(TakeBoxes(true), r.boxes);
    }
    EXPECT_EQ(companies[5].holdings[0], 777);   // only the player's stake doubles; a buy-back keeps the float
    marketHalt = 0;
}

TEST_F(BankAndHeadquarters, BankruptcyClearsTheCompanyAndThePieFollowsTheStake) {
    ListedCompany& me = companies[0];
    me.loans[1] = me.debt = 300, me.holdings[3] = 1234;
    const int64_t own = me.holdings[0];
    const Rgb red = PEN_SPECS[PEN_RED3].colour, blue = PEN_SPECS[PEN_BLUE3].colour;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        // A quarter, clockwise from the top; outside the radius nothing is drawn.
        me.holdings[0] = me.issuedShares / 4;
        d.Tick();
        EXPECT_EQ(TextOf(d, 1007), "25");
        EXPECT_EQ(std::vector<Rgb>({d.PixelAt(450, 90), d.PixelAt(450, 150), d.PixelAt(390, 90), d.PixelAt(500, 40)}),
                  std::vector<Rgb>({red, blue, blue, Rgb{255, 255, 255}}));
        me.holdings[0] = own;

        d.Press(1020);   // answered No
        EXPECT_EQ(std::vector<int64_t>({me.bankrupt, me.funds}), std::vector<int64_t>({0, 12000}));
        host.answers.push_back(ANSWER_YES);
        d.Press(1020);
        EXPECT_EQ(TakeBoxes(true), (Boxes{"?[確認] 破産申請を行いますか?", "?[確認] 破産申請を行いますか?", "[] 破産しました."}));
        EXPECT_EQ(std::to_string(me.bankrupt) + Utf8(me.name), "1---破産---");
        EXPECT_EQ(std::vector<int64_t>({me.funds, me.issuedShares, me.floatingShares, me.profit, me.property, me.sharePrice}),
                  std::vector<int64_t>(6, 0));
        // Loans, debt and holdings stay: the market day settles what follows.
        EXPECT_EQ(std::vector<int64_t>({me.loans[1], me.debt, me.holdings[0], me.holdings[3]}),
                  std::vector<int64_t>({300, 300, own, 1234}));
        d.Tick();
        EXPECT_EQ(TextOf(d, 1007) + TextOf(d, 1003) + TextOf(d, 1004), "000");
        EXPECT_EQ(d.PixelAt(430, 80), blue);   // a stake of 0: all blue, also at its start at the top
    });
}
