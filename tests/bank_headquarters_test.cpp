// The bank and the headquarters, driven by control id through the headless
// host as the side panel opens them.
#include <limits>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "resources/dialog_templates.h"
#include "tests/game_fixture.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int BANK = 133;
constexpr int HQ = 138;
constexpr int64_t I64_MAX = std::numeric_limits<int64_t>::max();
constexpr int64_t I64_MIN = std::numeric_limits<int64_t>::min();

// One lender's row of the bank table.
struct Lender {
    int amount, loan, borrow, repay;
    int64_t limit;
    const char* borrowed;
    const char* repaid;
};
const Lender LENDERS[3] = {
    {1117, 1120, 1017, 1018, 2000000, "DARK金融から借りました.", "DARK金融に金を返済しました."},
    {1118, 1121, 1021, 1022, 500000, "心筋金融から借りました.", "心筋金融に金を返済しました."},
    {1119, 1122, 1023, 1024, 100000, "WHITE金融から借りました.", "WHITE金融に金を返済しました."},
};

// Whether the template has a control of this kind and label (UTF-8).
}  // namespace

using DialogTestBase = GameTest;

// ------------------------------------------------------------------- bank

class BankDialogTest : public DialogTestBase {
protected:
    ListedCompany& me = companies[0];
};

TEST_F(BankDialogTest, SidePanelOpensTheTableOfLenders) {
    const DialogTemplate* t = FindDialogTemplate(BANK);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Utf8(t->title), "銀行");
    for (const char* label : {"銀行名", "利子率/日", "借入可能額", "借入・返済予定額", "借入額（利子を含む）", "DARK金融",
                              "心筋金融", "WHITE金融(自動)",
                              "ここは銀行です.　利子は毎日午前０時に付加されます. "
                              "なお,負債が１０兆円を超えると自動的に破産しますのでご注意下さい."})
        EXPECT_TRUE(HasLabel(*t, CTL_TEXT, label)) << label;
    EXPECT_TRUE(HasLabel(*t, CTL_PICTURE, "154"));
    for (int id : {1111, 1112, 1113, 1007, 1008, 1116, 1120, 1121, 1122}) {
        ASSERT_NE(t->Control(id), nullptr) << id;
        EXPECT_EQ(t->Control(id)->kind, CTL_READONLY) << id;
    }
    for (const Lender& l : LENDERS) {
        ASSERT_NE(t->Control(l.amount), nullptr);
        EXPECT_EQ(t->Control(l.amount)->kind, CTL_EDIT);
        EXPECT_EQ(Utf8(t->Control(l.borrow)->label), "借入");
        EXPECT_EQ(Utf8(t->Control(l.repay)->label), "返済");
    }
    EXPECT_EQ(Utf8(t->Control(1)->label), "OK");

    me.loans[2] = 777;
    bool seen = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        seen = true;
        EXPECT_EQ(d.ResourceId(), BANK);
        EXPECT_EQ(TextOf(d, 1111), "5");
        EXPECT_EQ(TextOf(d, 1112), "3");
        EXPECT_EQ(TextOf(d, 1113), "1");
        EXPECT_EQ(TextOf(d, 1007), "2000000");
        EXPECT_EQ(TextOf(d, 1008), "500000");
        EXPECT_EQ(TextOf(d, 1116), "100000");
        EXPECT_EQ(TextOf(d, 1120), "0");
        EXPECT_EQ(TextOf(d, 1121), "0");
        EXPECT_EQ(TextOf(d, 1122), "777");
        d.Press(1);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(d.result(), 1);
    });
    host.ClickSide(100, 25);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BankDialogTest, BorrowingUpToTheLimitIsAcceptedOneMoreIsRefused) {
    RunDialog(BANK, [&](HeadlessDialog& d) {
        for (int k = 0; k < 3; ++k) {
            const Lender& l = LENDERS[k];
            const int64_t funds = me.funds, debt = me.debt;
            d.Type(l.amount, Sjis(std::to_string(l.limit - 10).c_str()));
            d.Press(l.borrow);
            d.Type(l.amount, Sjis("10"));
            d.Press(l.borrow);
            EXPECT_EQ(me.loans[k], l.limit);
            EXPECT_EQ(me.funds, funds + l.limit);
            EXPECT_EQ(me.debt, debt + l.limit);
            EXPECT_EQ(TextOf(d, l.loan), std::to_string(l.limit));
            EXPECT_EQ(TakeBoxes(), (Boxes{std::string("[] ") + l.borrowed, std::string("[] ") + l.borrowed}));

            d.Type(l.amount, Sjis("1"));
            d.Press(l.borrow);
            EXPECT_EQ(me.loans[k], l.limit);
            EXPECT_EQ(me.funds, funds + l.limit);
            EXPECT_EQ(me.debt, debt + l.limit);
            EXPECT_EQ(TakeBoxes(), (Boxes{"[不可] 限度額を超えます."}));
            EXPECT_TRUE(d.open());
        }
    });
}

TEST_F(BankDialogTest, LoanAboveTheLimitRefusesBorrowingButNotANegativeAmount) {
    me.loans[0] = 2000001;   // interest took it past the limit
    RunDialog(BANK, [&](HeadlessDialog& d) {
        d.Type(1117, Sjis("1"));
        d.Press(1017);
        d.Type(1117, Sjis("0"));
        d.Press(1017);
        EXPECT_EQ(me.loans[0], 2000001);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[不可] 限度額を超えます.", "[不可] 限度額を超えます."}));
        const int64_t funds = me.funds;
        d.Type(1117, Sjis("-2"));
        d.Press(1017);
        EXPECT_EQ(me.loans[0], 1999999);
        EXPECT_EQ(me.funds, funds - 2);
        EXPECT_EQ(me.debt, -2);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] DARK金融から借りました."}));
    });
}

TEST_F(BankDialogTest, RepayingChecksTheLoanThenTheCash) {
    me.loans[1] = 1000;
    me.debt = 1000;
    me.funds = 5000;
    RunDialog(BANK, [&](HeadlessDialog& d) {
        // More than the loan: refused on the loan test, before the cash test.
        d.Type(1118, Sjis("9000"));
        d.Press(1022);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[不可] すこし返しすぎとちゃいますか?."}));
        d.Type(1118, Sjis("1001"));
        d.Press(1022);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[不可] すこし返しすぎとちゃいますか?."}));
        EXPECT_EQ(me.loans[1], 1000);

        // Nothing typed reads as 0: accepted, with the message, changing nothing.
        d.Type(1118, "");
        d.Press(1022);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 心筋金融に金を返済しました."}));
        EXPECT_EQ(me.loans[1], 1000);
        EXPECT_EQ(me.funds, 5000);
        EXPECT_EQ(me.debt, 1000);

        // Exactly the loan brings it to 0.
        d.Type(1118, Sjis("  1000万円"));
        d.Press(1022);
        EXPECT_EQ(me.loans[1], 0);
        EXPECT_EQ(me.funds, 4000);
        EXPECT_EQ(me.debt, 0);
        EXPECT_EQ(TextOf(d, 1121), "0");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 心筋金融に金を返済しました."}));
    });
}

TEST_F(BankDialogTest, CashTestRefusesARepaymentTheLoanWouldAllow) {
    me.loans[0] = 1000;
    me.funds = 500;
    RunDialog(BANK, [&](HeadlessDialog& d) {
        d.Type(1117, Sjis("501"));
        d.Press(1018);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[不可] そんなに金持ってないんちゃうんかい?."}));
        EXPECT_EQ(me.loans[0], 1000);
        EXPECT_EQ(me.funds, 500);
        // Equality suffices.
        d.Type(1117, Sjis("500"));
        d.Press(1018);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] DARK金融に金を返済しました."}));
        EXPECT_EQ(me.loans[0], 500);
        EXPECT_EQ(me.funds, 0);
        EXPECT_TRUE(d.open());
    });
}

TEST_F(BankDialogTest, NegativeAmountsMoveMoneyTheOtherWay) {
    me.loans[2] = 100000;   // at the limit
    me.debt = 100000;
    me.funds = 1000;
    RunDialog(BANK, [&](HeadlessDialog& d) {
        // A negative repayment borrows, past the limit: repaying has no limit test.
        d.Type(1119, Sjis("-5000"));
        d.Press(1024);
        EXPECT_EQ(me.loans[2], 105000);
        EXPECT_EQ(me.funds, 6000);
        EXPECT_EQ(me.debt, 105000);
        EXPECT_EQ(TextOf(d, 1122), "105000");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] WHITE金融に金を返済しました."}));
        // A negative borrowing repays, and may take more cash than there is.
        d.Type(1119, Sjis("-7000"));
        d.Press(1023);
        EXPECT_EQ(me.loans[2], 98000);
        EXPECT_EQ(me.funds, -1000);
        EXPECT_EQ(me.debt, 98000);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] WHITE金融から借りました."}));
    });
}

TEST_F(BankDialogTest, OnlyTheAutomaticLenderIsRepaidInSixtyFourBits) {
    me.loans[0] = 3000000000LL;
    me.loans[2] = 6000000000LL;
    me.funds = 20000000000LL;
    RunDialog(BANK, [&](HeadlessDialog& d) {
        // The first lenders' loans show their low 32 bits.
        EXPECT_EQ(TextOf(d, 1120), "-1294967296");
        EXPECT_EQ(TextOf(d, 1122), "6000000000");
        // 5000000000 typed for lender 0 reads as the 32-bit bound, not as
        // the wrapped 705032704.
        d.Type(1117, Sjis("5000000000"));
        d.Press(1018);
        EXPECT_EQ(me.loans[0], 3000000000LL - 2147483647LL);
        EXPECT_EQ(TextOf(d, 1120), "852516353");
        d.Type(1119, Sjis("5000000000"));
        d.Press(1024);
        EXPECT_EQ(me.loans[2], 1000000000LL);
        EXPECT_EQ(me.funds, 20000000000LL - 2147483647LL - 5000000000LL);
        EXPECT_EQ(TextOf(d, 1122), "1000000000");
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] DARK金融に金を返済しました.", "[] WHITE金融に金を返済しました."}));
        // Borrowing reads 32 bits for every lender.
        me.loans[2] = -10000000000LL;
        d.Type(1119, Sjis("5000000000"));
        d.Press(1023);
        EXPECT_EQ(me.loans[2], -10000000000LL + 2147483647LL);
    });
}

TEST_F(BankDialogTest, SumsSaturateInsteadOfOverflowing) {
    me.funds = I64_MAX - 10;
    me.debt = I64_MAX - 5;
    RunDialog(BANK, [&](HeadlessDialog& d) {
        d.Type(1117, Sjis("100"));
        d.Press(1017);
        EXPECT_EQ(me.loans[0], 100);
        EXPECT_EQ(me.funds, I64_MAX);
        EXPECT_EQ(me.debt, I64_MAX);
        // The most negative 64-bit repayment passes both tests and would
        // overflow every field it is taken from.
        me.funds = 0;
        me.debt = 0;
        d.Type(1119, Sjis("-9223372036854775808"));
        d.Press(1024);
        EXPECT_EQ(me.loans[2], I64_MAX);
        EXPECT_EQ(me.funds, I64_MAX);
        EXPECT_EQ(me.debt, I64_MAX);
        // A loan at the top refuses further borrowing instead of wrapping past the limit test.
        ClearMessages();
        d.Type(1119, Sjis("1"));
        d.Press(1023);
        EXPECT_EQ(me.loans[2], I64_MAX);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[不可] 限度額を超えます."}));
    });
}

TEST_F(BankDialogTest, LoansAreRefreshedEveryHalfSecond) {
    RunDialog(BANK, [&](HeadlessDialog& d) {
        me.loans[0] = 4294967296LL + 7;
        me.loans[2] = 12345;
        host.Advance(499);
        EXPECT_EQ(TextOf(d, 1120), "0");
        EXPECT_EQ(TextOf(d, 1122), "0");
        host.Advance(1);
        EXPECT_EQ(TextOf(d, 1120), "7");
        EXPECT_EQ(TextOf(d, 1122), "12345");
        EXPECT_TRUE(d.open());
    });
}

// ----------------------------------------------------------- headquarters

class HeadquartersDialogTest : public DialogTestBase {
protected:
    ListedCompany& me = companies[0];
    const Rgb red = PEN_SPECS[PEN_RED3].colour;
    const Rgb blue = PEN_SPECS[PEN_BLUE3].colour;
};

TEST_F(HeadquartersDialogTest, SidePanelOpensTheCompanyFigures) {
    const DialogTemplate* t = FindDialogTemplate(HQ);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Utf8(t->title), "本社");
    for (const char* label : {"社名：", "資金：", "発行株式数：", "持ち株：赤", "万円", "株", "％",
                              "ここでは会社経営に関係する行動ができます."})
        EXPECT_TRUE(HasLabel(*t, CTL_TEXT, label)) << label;
    EXPECT_TRUE(HasLabel(*t, CTL_PICTURE, "163"));
    EXPECT_TRUE(HasLabel(*t, CTL_GROUP, "比率"));
    const struct {
        int id;
        const char* label;
    } buttons[] = {{1017, "新株発行"}, {1018, "自社株買戻し"}, {1019, "株式分割"}, {1020, "破産申請"}, {1, "閉じる"}};
    for (const auto& b : buttons) {
        ASSERT_NE(t->Control(b.id), nullptr) << b.id;
        EXPECT_EQ(Utf8(t->Control(b.id)->label), b.label);
    }
    for (int id : {1002, 1003, 1004, 1007}) EXPECT_EQ(t->Control(id)->kind, CTL_READONLY) << id;
    for (int id : {1005, 1006}) EXPECT_EQ(t->Control(id)->kind, CTL_EDIT) << id;
    // The canvas shows the whole pie and lies inside the "比率" frame.
    for (const ControlTemplate& c : t->controls) {
        if (c.kind == CTL_CANVAS) {
            EXPECT_LE(c.x, 345);
            EXPECT_LE(c.y, 45);
            EXPECT_GE(c.x + c.width, 496);
            EXPECT_GE(c.y + c.height, 196);
        }
        if (c.kind == CTL_GROUP) {
            EXPECT_LT(c.x, 345);
            EXPECT_LT(c.y, 40);
            EXPECT_GT(c.x + c.width, 502);
            EXPECT_GT(c.y + c.height, 202);
        }
    }

    CopyTextCut(playerCompanyNameBuf, NAME_BUF_SIZE, Sjis("蘭花興業").c_str());
    me.name = playerCompanyNameBuf;
    bool seen = false;
    host.dialogHandlers.push_back([&](HeadlessDialog& d) {
        seen = true;
        EXPECT_EQ(d.ResourceId(), HQ);
        EXPECT_EQ(TextOf(d, 1002), "蘭花興業");
        EXPECT_EQ(TextOf(d, 1003), "12000");
        EXPECT_EQ(TextOf(d, 1004), "8000000");
        // The stake and the changed figures come with the 500 ms tick.
        me.funds = 12345678901LL;
        me.issuedShares = 9000000;
        host.Advance(499);
        EXPECT_EQ(TextOf(d, 1007), "");
        EXPECT_EQ(TextOf(d, 1003), "12000");
        host.Advance(1);
        EXPECT_EQ(TextOf(d, 1003), "12345678901");
        EXPECT_EQ(TextOf(d, 1004), "9000000");
        EXPECT_EQ(TextOf(d, 1007), "44");   // 4000000 / 90000
        d.Press(1);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(d.result(), 1);
    });
    host.ClickSide(100, 77);
    EXPECT_TRUE(seen);
}

TEST_F(HeadquartersDialogTest, IssueAtEveryLimitExactly) {
    me.issuedShares = 297000000;
    me.floatingShares = 1000;
    me.profit = 500000;
    me.sharePrice = 280;
    me.funds = 100;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        d.Type(1005, Sjis("3000000"));
        d.Press(1017);
        EXPECT_EQ(me.issuedShares, 300000000);
        EXPECT_EQ(me.floatingShares, 3001000);
        EXPECT_EQ(me.funds, 100 + 30000 * 280 / 100);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 新株を発行しました."}));
        // One share past the total is refused.
        d.Type(1005, Sjis("1"));
        d.Press(1017);
        EXPECT_EQ(me.issuedShares, 300000000);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに発行できません.\n利益を上げてください"}));
    });
}

TEST_F(HeadquartersDialogTest, IssueRefusals) {
    me.profit = 500000;
    const int64_t issued = me.issuedShares, floating = me.floatingShares, funds = me.funds;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        // More than one issue allows, with room and profit.
        d.Type(1005, Sjis("3000001"));
        d.Press(1017);
        // Not enough profit: even one share is refused.
        me.profit = 499999;
        d.Type(1005, Sjis("1"));
        d.Press(1017);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに発行できません.\n利益を上げてください",
                                      "[] そんなに発行できません.\n利益を上げてください"}));
        EXPECT_EQ(me.issuedShares, issued);
        EXPECT_EQ(me.floatingShares, floating);
        EXPECT_EQ(me.funds, funds);
        // A count at the top of its range is refused, not wrapped below the total limit.
        me.profit = 500000;
        me.issuedShares = I64_MAX - 5;
        d.Type(1005, Sjis("10"));
        d.Press(1017);
        EXPECT_EQ(me.issuedShares, I64_MAX - 5);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに発行できません.\n利益を上げてください"}));
    });
}

TEST_F(HeadquartersDialogTest, OnlyWholeHundredsOfSharesBringCash) {
    me.profit = 500000;
    me.sharePrice = 280;
    const int64_t issued = me.issuedShares, floating = me.floatingShares, funds = me.funds;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        d.Type(1005, Sjis("99"));
        d.Press(1017);
        EXPECT_EQ(me.issuedShares, issued + 99);
        EXPECT_EQ(me.floatingShares, floating + 99);
        EXPECT_EQ(me.funds, funds);
        d.Type(1005, Sjis("199"));
        d.Press(1017);
        EXPECT_EQ(me.issuedShares, issued + 298);
        EXPECT_EQ(me.funds, funds + 2);   // (1 x 280) div 100
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 新株を発行しました.", "[] 新株を発行しました."}));
    });
}

TEST_F(HeadquartersDialogTest, HaltedMarketRefusesIssueAndBuyBack) {
    me.profit = 500000;
    me.funds = 1000000;
    const int64_t issued = me.issuedShares, funds = me.funds;
    marketHalt = 2;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        d.Type(1005, Sjis("100"));
        d.Press(1017);
        d.Type(1006, Sjis("100"));
        d.Press(1018);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 市場が開いているときに行ってください.",
                                      "[] 市場が開いているときに行ってください."}));
        EXPECT_EQ(me.issuedShares, issued);
        EXPECT_EQ(me.funds, funds);
        marketHalt = 0;
        d.Press(1017);
        EXPECT_EQ(me.issuedShares, issued + 100);
    });
    marketHalt = 0;
}

TEST_F(HeadquartersDialogTest, BuyBackLimits) {
    // 8000000 issued, 4000000 the player's: 4000000 held by others.
    me.sharePrice = 280;
    me.funds = 112000;   // 4000000 shares cost (40000 x 280) div 100
    const int64_t floating = me.floatingShares;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        me.funds = 10000000;
        d.Type(1006, Sjis("4000001"));
        d.Press(1018);
        EXPECT_EQ(me.issuedShares, 8000000);
        me.funds = 111999;
        d.Type(1006, Sjis("4000000"));
        d.Press(1018);
        EXPECT_EQ(me.issuedShares, 8000000);
        EXPECT_EQ(me.funds, 111999);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに買戻しできません.", "[] そんなに買戻しできません."}));
        me.funds = 112000;
        d.Press(1018);
        EXPECT_EQ(me.issuedShares, 4000000);
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(me.floatingShares, floating);
        EXPECT_EQ(me.holdings[0], 4000000);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 自社株を買い戻しました."}));
    });
}

TEST_F(HeadquartersDialogTest, NegativeCountsAreRefused) {
    // A negative buy-back would issue shares and pay cash without the issue's
    // limits or profit test; a negative issue would shrink the float below zero.
    me.profit = 500000;
    const int64_t issued = me.issuedShares, floating = me.floatingShares, funds = me.funds;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        d.Type(1006, Sjis("-2000000000"));
        d.Press(1018);
        d.Type(1005, Sjis("-100000"));
        d.Press(1017);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] そんなに買戻しできません.", "[] そんなに発行できません.\n利益を上げてください"}));
    });
    EXPECT_EQ(me.issuedShares, issued);
    EXPECT_EQ(me.floatingShares, floating);
    EXPECT_EQ(me.funds, funds);
}

TEST_F(HeadquartersDialogTest, SplitAtTheLimitThenRefused) {
    me.issuedShares = 400000000;
    me.floatingShares = 100000001;
    me.holdings[0] = 150000000;
    me.sharePrice = 1001;
    companies[5].holdings[0] = 777;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        // No keeps everything.
        host.answers.push_back(ANSWER_NO);
        d.Press(1019);
        EXPECT_EQ(me.issuedShares, 400000000);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].style, MB_STYLE_YES_NO);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[確認] 株式の分割を行います.よろしいですか?"}));

        host.answers.push_back(ANSWER_YES);
        d.Press(1019);
        EXPECT_EQ(me.issuedShares, 800000000);
        EXPECT_EQ(me.floatingShares, 200000002);
        EXPECT_EQ(me.holdings[0], 300000000);
        EXPECT_EQ(me.sharePrice, 500);
        EXPECT_EQ(companies[5].holdings[0], 777);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[確認] 株式の分割を行います.よろしいですか?", "[] 株式の分割を行いました."}));

        host.answers.push_back(ANSWER_YES);
        d.Press(1019);
        EXPECT_EQ(me.issuedShares, 800000000);
        EXPECT_EQ(me.sharePrice, 500);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] これ以上株式の分割はできません."}));
    });
}

TEST_F(HeadquartersDialogTest, SplitNeverWrapsACount) {
    // Far negative counts pass the limit test; doubling them saturates.
    me.issuedShares = I64_MIN / 2 - 1;
    me.floatingShares = I64_MAX / 2 + 1;
    me.holdings[0] = I64_MIN;
    RunDialog(HQ, [&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1019);
    });
    EXPECT_EQ(me.issuedShares, I64_MIN);
    EXPECT_EQ(me.floatingShares, I64_MAX);
    EXPECT_EQ(me.holdings[0], I64_MIN);
}

TEST_F(HeadquartersDialogTest, BankruptcyClearsTheCompanyAndTheDialogStays) {
    me.loans[1] = 300;
    me.debt = 300;
    me.holdings[3] = 1234;
    const int64_t own = me.holdings[0];
    RunDialog(HQ, [&](HeadlessDialog& d) {
        d.Press(1020);   // answered No
        EXPECT_EQ(me.bankrupt, 0);
        EXPECT_EQ(me.funds, 12000);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[確認] 破産申請を行いますか?"}));

        host.answers.push_back(ANSWER_YES);
        d.Press(1020);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[確認] 破産申請を行いますか?", "[] 破産しました."}));
        EXPECT_EQ(me.bankrupt, 1);
        EXPECT_EQ(Utf8(me.name), "---破産---");
        EXPECT_EQ(me.funds, 0);
        EXPECT_EQ(me.issuedShares, 0);
        EXPECT_EQ(me.floatingShares, 0);
        EXPECT_EQ(me.profit, 0);
        EXPECT_EQ(me.property, 0);
        EXPECT_EQ(me.sharePrice, 0);
        EXPECT_EQ(me.loans[1], 300);
        EXPECT_EQ(me.debt, 300);
        EXPECT_EQ(me.holdings[0], own);
        EXPECT_EQ(me.holdings[3], 1234);
        EXPECT_TRUE(d.open());

        d.Tick();
        EXPECT_EQ(TextOf(d, 1007), "0");
        EXPECT_EQ(TextOf(d, 1003), "0");
        EXPECT_EQ(TextOf(d, 1004), "0");
        // A stake of 0: the whole pie is blue, also at its start at the top.
        EXPECT_EQ(d.PixelAt(430, 80), blue);
        EXPECT_EQ(d.PixelAt(450, 150), blue);
    });
}

TEST_F(HeadquartersDialogTest, PieShowsTheStakeClockwiseFromTheTop) {
    RunDialog(HQ, [&](HeadlessDialog& d) {
        // Opened at 50 %: the right half is red.
        EXPECT_EQ(d.PixelAt(450, 150), red);
        EXPECT_EQ(d.PixelAt(390, 150), blue);
        me.holdings[0] = me.issuedShares / 4;
        d.Tick();
        EXPECT_EQ(TextOf(d, 1007), "25");
        EXPECT_EQ(d.PixelAt(450, 90), red);     // top right
        EXPECT_EQ(d.PixelAt(450, 150), blue);   // bottom right
        EXPECT_EQ(d.PixelAt(390, 150), blue);   // bottom left
        EXPECT_EQ(d.PixelAt(390, 90), blue);    // top left
        // Outside the radius nothing is drawn.
        EXPECT_EQ(d.PixelAt(500, 40), (Rgb{255, 255, 255}));
    });
}
