// The other-company dialog (bids, the merger) and the shareholders' meeting,
// driven by control id through the headless host.
#include <cmath>
#include <limits>

#include "display/canvas.h"
#include "market/calendar.h"
#include "tests/game_fixture.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int OTHER = 139, MEETING = 143;
constexpr int T = 5;   // the company selected on the board
constexpr int64_t I64_MAX = std::numeric_limits<int64_t>::max();
const char* const LAUNCHED = "[] 株式公開買い付けを実施します.";
const char* const HOSTILE_Q = "?[確認] 敵対的買収になりますがよろしいですか?";
const char* const MERGE_Q = "?[確認] 合併を行いますか?\n\nその場合,対象となる会社の全株式を強制的に買い取ります.\nまた,その金額はWHITE銀行から自動的に借入します.";
const char* const MERGE_REFUSED = "[] 合併には75%以上の株式を取得する必要があります.";
const char* const MONTHLY = "[] 株主総会が開けるのは１ヶ月に１回までです.";
const char* const ONE_PERCENT = "[] 議案を提出するには1%以上の株式を取得する必要があります.";
const char* const VOTE = "[] 採決を取ります.";

Rgb Pen(PenId pen) { return PEN_SPECS[pen].colour; }

}  // namespace

class Takeover : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        selectedCompany = T;
        tobTarget = tobHostile = tobPrice = agmEffect = researchUnderway = goalStage = 0;
        ListedCompany& me = companies[0];
        me.funds = 100000;
        me.loans[0] = me.loans[1] = me.loans[2] = me.debt = me.property = me.profit = 0;
        for (int64_t& h : me.holdings) h = 0;
        me.holdings[T] = 2000000;   // 20 %
        ListedCompany& t = companies[T];
        t.sharePrice = 1000, t.issuedShares = 10000000, t.floatingShares = 2000000;
        t.holdings[T] = 3000000;    // the CEO: 30 %
        t.funds = 50000, t.property = 20000, t.debt = 15000, t.loans[2] = 10000, t.profit = 3000;
        ClearMessages();
    }
    // Opens the other-company dialog, types the bid price and presses `id`.
    void Press(int id, const char* price = "") {
        RunDialog(OTHER, [&](HeadlessDialog& d) { TypePress(d, 1003, price, id); });
    }
    // The meeting, opened from the other-company dialog as the player does.
    void Meeting(std::function<void(HeadlessDialog&)> act) {
        RunDialog(OTHER, [&](HeadlessDialog& d) {
            host.dialogHandlers.push_back(act);
            const size_t opened = host.openedDialogs.size();
            d.Press(1020);
            ASSERT_EQ(host.openedDialogs.size(), opened + 1) << "the meeting did not open";
            EXPECT_EQ(host.openedDialogs.back(), MEETING);
        });
    }
    // Proposes the change of CEO, answering Yes.
    void ProposeCeo(HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1017);
    }
    void NextMonth() {
        const int32_t month = gameMonth;
        while (gameMonth == month) AdvanceCalendarDay(WIN_CALENDAR);
        EXPECT_EQ(agmEffect, 0);
    }
};

TEST_F(Takeover, PieAndStakeEverySecondAndEscapeCloses) {
    marketHalt = 1;   // no market day moves the stakes while the clock runs
    const auto at = [](HeadlessDialog& d, double degrees) {
        const double a = (degrees - 90) * 3.14159265358979 / 180.0;
        return d.PixelAt(420 + static_cast<int>(50 * std::cos(a)), 120 + static_cast<int>(50 * std::sin(a)));
    };
    RunDialog(OTHER, [&](HeadlessDialog& d) {
        EXPECT_EQ(d.ItemText(1002), std::string(companies[T].name));
        EXPECT_EQ(d.ItemText(1004), "20");   // drawn as the dialog opens, then every second
        EXPECT_EQ(at(d, 36), Pen(PEN_RED3));
        companies[0].holdings[T] = 3000000;
        host.Advance(999);
        EXPECT_EQ(d.ItemText(1004), "20");
        host.Advance(1);
        EXPECT_EQ(d.ItemText(1004), "30");
        companies[0].holdings[T] = 2000000;
        d.Tick();
        // The player 0..72 degrees, the general shareholders, the CEO 252..360.
        EXPECT_EQ(std::vector<Rgb>({at(d, 36), at(d, 180), at(d, 300)}), std::vector<Rgb>({Pen(PEN_RED3), Pen(PEN_BLUE3), Pen(PEN_GREEN3)}));
        companies[0].holdings[T] = 7500000;
        d.Tick();
        EXPECT_EQ(d.ItemText(1004), "75");
        EXPECT_EQ(at(d, 180), Pen(PEN_RED3));
        d.Press(2);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(d.result(), 2);
    });
    // The own company: no green part, no stake written.
    selectedCompany = 0;
    companies[0].issuedShares = 1000000, companies[0].holdings[0] = 400000;
    RunDialog(OTHER, [&](HeadlessDialog& d) {
        d.Tick();
        EXPECT_EQ(d.ItemText(1004), "");
        EXPECT_EQ(std::vector<Rgb>({at(d, 100), at(d, 300)}), std::vector<Rgb>({Pen(PEN_RED3), Pen(PEN_BLUE3)}));
    });
}

TEST_F(Takeover, BidsNeedAPriceAboveTheMarketAndAskWhenHostile) {
    const struct {
        const char* situation;
        int selected, running;
        int64_t loan, targetFunds;   // the player owes `loan` to each lender
        const char* price;
        MessageAnswer answer;
        Boxes boxes;
        int target, hostile, tobPriceAfter;
    } rows[] = {
        {"at the market", T, 0, 0, 50000, "1000", ANSWER_YES, {"[] 少なくとも市場価格より高く設定してください."}, 0, 0, 0},
        {"one yen above", T, 0, 0, 50000, "  1001円", ANSWER_NO, {LAUNCHED}, T, 0, 1001},
        {"while another runs", T, 3, 0, 50000, "5000", ANSWER_YES, {"[] 株式公開買い付け中です."}, 3, 0, 0},
        // 100000 - 3 x 3000 = 91000 against 86000 + 20000 - 15000: equal nets are friendly.
        {"equal nets", T, 0, 3000, 86000, "1200", ANSWER_NO, {LAUNCHED}, T, 0, 1200},
        {"one 万円 more, declined", T, 0, 3000, 86001, "1200", ANSWER_NO, {HOSTILE_Q}, 0, 0, 0},
        {"one 万円 more, accepted", T, 0, 3000, 86001, "1300", ANSWER_YES, {HOSTILE_Q, LAUNCHED}, T, 1, 1300},
        {"the own company runs nothing", 0, 0, 0, 50000, "600", ANSWER_YES, {LAUNCHED}, 0, 0, 600},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.situation);
        selectedCompany = r.selected, tobTarget = r.running, tobHostile = tobPrice = 0;
        companies[0].loans[0] = companies[0].loans[1] = companies[0].loans[2] = r.loan;
        companies[T].funds = r.targetFunds;
        companies[0].sharePrice = 500;
        host.answers.push_back(r.answer);
        Press(1018, r.price);
        host.answers.clear();
        EXPECT_EQ(TakeBoxes(true), r.boxes);
        EXPECT_EQ(std::vector<int>({tobTarget, tobHostile, tobPrice}), std::vector<int>({r.target, r.hostile, r.tobPriceAfter}));
    }
    // Withdrawing ends a bid, and says so even when none runs.
    tobTarget = T, tobHostile = 1;
    Press(1019);
    EXPECT_EQ(tobTarget + tobHostile, 0);
    Press(1019);
    EXPECT_EQ(TakeBoxes(), (Boxes(2, "[] 株式公開買い付けを取り消しました.")));
}

TEST_F(Takeover, MergerNeedsThreeQuartersAndBuysTheRestOnCredit) {
    const struct {
        const char* situation;
        int selected;
        int64_t held, issued;
        int32_t price;
        MessageAnswer answer;
        int64_t loanAfter;   // -1: nothing merged
    } rows[] = {
        {"74 %", T, 7499999, 10000000, 1000, ANSWER_YES, -1},
        {"75 %, declined", T, 7500000, 10000000, 1000, ANSWER_NO, -1},
        {"the own company", 0, 1000000, 1000000, 1000, ANSWER_YES, -1},
        {"fewer than a hundred shares", T, 99, 99, 1000, ANSWER_YES, -1},
        // The buy-out pays half the market value of whole lots of 20000 outside shares:
        // 2487655 outside are 124 lots (not 124.38) of 1000 万円.
        {"outside shares with a remainder", T, 7512345, 10000000, 1000, ANSWER_YES, 10000 + 124000},
        {"a remainder and an odd price", T, 7512345, 10000000, 1234, ANSWER_YES, 10000 + 124 * 1234},
        {"everything held", T, 10000000, 10000000, 1000, ANSWER_YES, 10000},
        {"more held than issued refunds nothing", T, 10040000, 10000000, 1000, ANSWER_YES, 10000},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.situation);
        selectedCompany = r.selected;
        companies[0].holdings[r.selected] = r.held, companies[0].loans[2] = 0, companies[0].funds = 100000;
        companies[r.selected].issuedShares = r.issued, companies[r.selected].sharePrice = r.price;
        companies[T].loans[2] = 10000;
        host.answers.push_back(r.answer);
        Press(1017);
        host.answers.clear();
        const Boxes boxes = TakeBoxes(true);
        if (r.loanAfter < 0) {
            EXPECT_EQ(boxes, r.answer == ANSWER_NO ? Boxes{MERGE_Q} : Boxes{MERGE_REFUSED});
            EXPECT_EQ(companies[0].loans[2] + companies[0].funds, 100000);
        } else {
            EXPECT_EQ(boxes, (Boxes{MERGE_Q, "[] 合併しました.\n\n（WHITE銀行への負債が" + std::to_string(r.loanAfter) + "万円になりました.)"}));
            EXPECT_EQ(companies[0].loans[2], r.loanAfter);
            EXPECT_EQ(companies[0].holdings[T], 0);
        }
    }
}

TEST_F(Takeover, MergerTakesTheAccountsOverAndRefoundsTheSlot) {
    ListedCompany& me = companies[0];
    me.funds = 1000, me.property = 200, me.loans[2] = 300, me.debt = 400, me.profit = 500, me.holdings[T] = 7500000;
    tobTarget = T, tobHostile = 1, goalStage = 1;
    const std::string oldName = companies[T].name;
    const int32_t refounds = companies[T].refoundCount, pool = namePoolNext;
    host.answers.push_back(ANSWER_YES);
    Press(1017);
    // The target's WHITE loan comes over, its other debt does not; 2500000 shares bought out.
    EXPECT_EQ(std::vector<int64_t>({me.funds, me.property, me.loans[2], me.debt, me.profit}),
              std::vector<int64_t>({1000 + 50000, 200 + 20000, 300 + 10000 + 125000, 400 + 10000 + 125000, 500 + 3000}));
    EXPECT_EQ(std::vector<int>({tobTarget, tobHostile, goalStage}), std::vector<int>({0, 0, 2}));
    EXPECT_EQ(companies[T].bankrupt, 0);   // the slot holds a new company, announced on the next main-view tick
    EXPECT_EQ(companies[T].refoundCount, refounds + 1);
    EXPECT_NE(std::string(companies[T].name), oldName);
    EXPECT_EQ(namePoolNext, pool + 1);
    ClearMessages();
    host.Advance(300);
    EXPECT_EQ(TakeBoxes().at(0), "[新規] 会社が倒産し,新たに[ " + Utf8(companies[T].name) + " ]が現れました");

    // The scenario's merger with company 2 is recorded; a bid elsewhere runs on; sums saturate.
    selectedCompany = 2;
    companies[2].issuedShares = me.holdings[2] = 1000000, companies[2].funds = 900;
    me.funds = I64_MAX - 10, goalStage = 20, tobTarget = T;
    host.answers.push_back(ANSWER_YES);
    Press(1017);
    EXPECT_EQ(me.funds, I64_MAX);
    EXPECT_EQ(std::vector<int>({goalStage, tobTarget}), std::vector<int>({21, T}));
}

using ShareholdersMeeting = Takeover;

TEST_F(ShareholdersMeeting, OpensOnceAMonthWithOnePercent) {
    companies[0].holdings[T] = 99999;   // below 1 %
    Press(1020);
    EXPECT_EQ(TakeBoxes(), (Boxes{ONE_PERCENT}));
    companies[0].holdings[T] = 100000;
    Meeting([](HeadlessDialog& d) { EXPECT_EQ(d.ItemText(1002), "1"); });   // closed without a proposal
    EXPECT_EQ(agmEffect, 0);
    Meeting([&](HeadlessDialog& d) { ProposeCeo(d); });
    Press(1020);
    EXPECT_EQ(TakeBoxes().back(), MONTHLY);
    NextMonth();
    EXPECT_EQ(gameDay, 1);
    selectedCompany = 0;   // the own company may hold its meeting too
    companies[0].issuedShares = 1000000, companies[0].holdings[0] = 600000;
    Meeting([](HeadlessDialog& d) { EXPECT_EQ(d.ItemText(1002), "60"); });
    companies[T].issuedShares = 99, selectedCompany = T;
    Press(1020);
    EXPECT_EQ(TakeBoxes().back(), ONE_PERCENT);   // after the calendar's stake warnings
}

TEST_F(ShareholdersMeeting, ProposalsStartTheirVotes) {
    companies[0].holdings[T] = 100000;   // 1 %
    companies[T].sharePrice = 1234;
    const struct { int id; const char* question; int32_t no, factor; } rows[] = {
        {1017, "社長交代案を提出します.よろしいですか?.", 49, 1000}, {1018, "大量リストラ案を提出します.よろしいですか?.", 33, 700},
        {1019, "海外進出案を提出します.よろしいですか?.", 24, 500},   {1020, "事業の縮小案を提出します.よろしいですか?.", 19, 300},
        {1021, "事業の拡大案を提出します.よろしいですか?.", 16, 100},
    };
    Meeting([&](HeadlessDialog& d) {
        voteYes = voteNo = 77;
        d.Press(1017);   // answered No: nothing changes
        EXPECT_EQ(std::vector<int>({voteYes, agmEffect}), std::vector<int>({77, 0}));
        EXPECT_EQ(TakeBoxes(true), (Boxes{"?[確認] 社長交代案を提出します.よろしいですか?."}));
        for (const auto& r : rows) {   // each proposal restarts the vote with its own figures
            host.answers.push_back(ANSWER_YES);
            d.Press(r.id);
            EXPECT_EQ(TakeBoxes(true), (Boxes{std::string("?[確認] ") + r.question, VOTE}));
            EXPECT_EQ(std::vector<int>({voteYes, voteNo, agmEffect, agmNewShareProposal}), std::vector<int>({1, r.no, 1234 * r.factor, 0}));
        }
        EXPECT_TRUE(d.open());
    });
    NextMonth();
    companies[T].sharePrice = std::numeric_limits<int32_t>::max();
    Meeting([&](HeadlessDialog& d) { ProposeCeo(d); });
    EXPECT_EQ(agmEffect, -1000);   // an effect that does not fit keeps its low 32 bits
}

TEST_F(ShareholdersMeeting, VotesCarryRejectOrTie) {
    companies[0].holdings[T] = 5100000;   // 51 %
    for (int coin = 0; coin < 2; ++coin) {
        if (coin == 1) NextMonth();
        const int64_t profit = companies[T].profit;
        Meeting([&](HeadlessDialog& d) {
            EXPECT_EQ(d.ItemText(1002), "51");
            ProposeCeo(d);
            ClearMessages();
            const uint32_t start = ArrangeDraws({Mod(2, 1), Mod(3, 2), Mod(2, coin)});
            d.Tick();   // a majority carries on the first tick
            EXPECT_EQ(DrawsSince(start), 3);
            EXPECT_EQ(TextOf(d, 1003) + ":" + TextOf(d, 1004), "52:26");
            EXPECT_FALSE(d.open());
        });
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 議案は可決されました.", "[] 議案の効果は・・・", "[] ・・・", "[] ・・・",
                                      coin == 0 ? "[] 大成功!!　会社の利益が1000000万円増加しました." : "[] 大失敗!!　会社の利益が1000000万円減少しました."}));
        EXPECT_EQ(companies[T].profit, profit + (coin == 0 ? 1000000 : -1000000));
    }
    NextMonth();
    const int64_t profit = companies[T].profit;
    companies[0].holdings[T] = 2000000;   // 20 against 40
    Meeting([&](HeadlessDialog& d) {
        ProposeCeo(d);
        ArrangeDraws({Mod(2, 0), Mod(3, 0)});
        d.Tick();
        EXPECT_EQ(d.PixelAt(277, 160), BRUSH_COLOURS[BRUSH_GREEN]);   // yes: y 150..170
        EXPECT_EQ(d.PixelAt(255, 160), Pen(PEN_BLACK1));
        EXPECT_EQ(d.PixelAt(277, 140), (Rgb{255, 255, 255}));
        EXPECT_EQ(d.PixelAt(372, 140), BRUSH_COLOURS[BRUSH_BLUE]);    // no: y 130..170
        EXPECT_EQ(d.PixelAt(372, 125), (Rgb{255, 255, 255}));
        ClearMessages();
        for (int k = 0; k < 100 && d.open(); ++k) d.Tick();
        EXPECT_FALSE(d.open());
    });
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 議案は否決されました."}));
    EXPECT_GT(voteNo, 50);
    EXPECT_EQ(companies[T].profit, profit);

    NextMonth();
    companies[0].holdings[T] = 5000000;   // 50 % against 25; no climbs by two each tick to 49
    const auto climbTo49 = [&](HeadlessDialog& d) {
        ProposeCeo(d);
        for (int k = 0; k < 12; ++k) ArrangeDraws({Mod(2, 0), Mod(3, 2)}), d.Tick();
        EXPECT_EQ(std::vector<int>({voteYes, voteNo}), std::vector<int>({50, 49}));
        ClearMessages();
    };
    Meeting([&](HeadlessDialog& d) {
        climbTo49(d);
        ArrangeDraws({Mod(2, 1), Mod(3, 1)});
        d.Tick();   // 51 : 50 is capped to 50 : 50, a tie
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 同数票で議案は否決されました."}));
        EXPECT_EQ(TextOf(d, 1003) + ":" + TextOf(d, 1004), "50:50");
        host.Advance(1000);   // the vote timer has stopped
        EXPECT_EQ(std::vector<int>({voteYes, voteNo}), std::vector<int>({50, 50}));
        EXPECT_TRUE(d.open());
        climbTo49(d);   // another proposal: 51 : 51 is capped to 49 : 51, rejected
        ArrangeDraws({Mod(2, 1), Mod(3, 2)});
        d.Tick();
        EXPECT_EQ(voteYes, 49);
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 議案は否決されました."}));
        EXPECT_FALSE(d.open());
    });
}

TEST_F(ShareholdersMeeting, NewSharesWithinTheirLimits) {
    companies[0].holdings[T] = 100000;
    Meeting([&](HeadlessDialog& d) {
        for (const char* n : {"1000000000", "0", "-5", "999999999"}) TypePress(d, 1008, n, 1032);   // the last answered No
        companies[T].issuedShares = 49000000001LL;
        d.Press(1032);
        companies[T].issuedShares = 49000000000LL;
        host.answers.push_back(ANSWER_YES);
        d.Press(1032);
        EXPECT_EQ(std::vector<int>({agmEffect, agmNewShareProposal, voteYes, voteNo}), std::vector<int>({999999999, 1, 0, 50}));
        for (int k = 0; k < 100 && d.open(); ++k) d.Tick();
    });
    const std::string refused = "[] そんなに新株を発行できません.", asked = "?[確認] 新たに999999999株発行する案を提出しますがよろしいですか?";
    EXPECT_EQ(TakeBoxes(true), (Boxes{refused, refused, refused, asked, refused, asked, VOTE, "[] 議案は否決されました."}));
    EXPECT_EQ(agmNewShareProposal, 1);
    // A business proposal after the rejected issue changes the profit, not the shares.
    NextMonth();
    companies[T].issuedShares = 10000000, companies[0].holdings[T] = 9000000;
    Meeting([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1021);   // 1000 x 100
        ArrangeDraws({Mod(2, 0), Mod(3, 0), Mod(2, 0)});
        d.Tick();
    });
    EXPECT_EQ(companies[T].profit, 3000 + 100000);
    EXPECT_EQ(companies[T].issuedShares, 10000000);
    // Carried: shares and cash for the company, nobody's holding changes; fewer than 1000 bring no cash.
    companies[0].holdings[T] = 6000000;   // 60 %
    for (const char* n : {"123456", "999"}) {
        NextMonth();
        const int64_t issued = companies[T].issuedShares, funds = companies[T].funds, floating = companies[T].floatingShares;
        Meeting([&](HeadlessDialog& d) {
            host.answers.push_back(ANSWER_YES);
            TypePress(d, 1008, n, 1032);
            ClearMessages();
            const uint32_t start = GameRandState();
            d.Tick();
            EXPECT_EQ(DrawsSince(start), 2);   // no coin for an issue
            EXPECT_FALSE(d.open());
        });
        EXPECT_EQ(TakeBoxes(), (Boxes{"[] 議案は可決されました.", std::string("[] 新たに") + n + "株発行しました."}));
        EXPECT_EQ(companies[T].issuedShares, issued + std::stoi(n));
        EXPECT_EQ(companies[T].funds, funds + std::stoi(n) / 1000 * 1000 / 10);
        EXPECT_EQ(std::vector<int64_t>({companies[T].floatingShares, companies[0].holdings[T]}), std::vector<int64_t>({floating, 6000000}));
        EXPECT_EQ(agmNewShareProposal, 0);
    }
}

TEST_F(ShareholdersMeeting, ClosingOrRacingTheVoteDecidesNothingTwice) {
    companies[0].holdings[T] = 9000000;
    for (int closer : {1, 2}) {   // the close button and Escape
        if (closer == 2) NextMonth();
        Meeting([&](HeadlessDialog& d) {
            ProposeCeo(d);
            d.Press(closer);
            EXPECT_FALSE(d.open());
        });
        EXPECT_EQ(companies[T].profit, 3000);
        EXPECT_EQ(agmEffect, 1000000);
        host.Advance(500);   // no vote tick is left behind
        EXPECT_FALSE(Said("議案は可決されました."));
        Press(1020);
        EXPECT_EQ(TakeBoxes().back(), MONTHLY);
    }
    // A month turning while the carried vote's boxes are read: the proposal voted on still decides.
    NextMonth();
    Meeting([&](HeadlessDialog& d) {
        ProposeCeo(d);
        host.whileShown = [&] { NextMonth(), ArrangeDraws({Mod(2, 0)}); };   // the calendar draws too
        ArrangeDraws({Mod(2, 0), Mod(3, 0)});
        d.Tick();
    });
    EXPECT_EQ(companies[T].profit, 3000 + 1000000);
    // A question answered after a vote tick has closed the meeting starts no vote in the closed dialog.
    NextMonth();
    companies[T].profit = 0;
    Meeting([&](HeadlessDialog& d) {
        ProposeCeo(d);
        ArrangeDraws({Mod(2, 0), Mod(3, 0), Mod(2, 1)});
        host.whileShown = [&] { d.Tick(); };   // behind the next proposal's question
        host.answers.push_back(ANSWER_YES);
        ClearMessages();
        d.Press(1021);
        EXPECT_FALSE(d.open());
        EXPECT_EQ(d.TimerInterval(), 0);
    });
    EXPECT_EQ(companies[T].profit, -1000000);
    EXPECT_EQ(agmEffect, 1000000);   // still the CEO proposal's
    EXPECT_FALSE(Said("採決を取ります."));
    // Same race behind the announcement of the vote.
    NextMonth();
    Meeting([&](HeadlessDialog& d) {
        ProposeCeo(d);
        host.whileShown = [&] { host.whileShown = [&] { ArrangeDraws({Mod(2, 0), Mod(3, 0), Mod(2, 0)}), d.Tick(); }; };
        host.answers.push_back(ANSWER_YES);
        d.Press(1021);   // the question, then the announcement with the tick behind it
        EXPECT_FALSE(d.open());
        EXPECT_EQ(d.TimerInterval(), 0);
    });
    EXPECT_EQ(agmEffect, 1000000);
    EXPECT_EQ(voteNo, 5);   // the closing tick's count, not a restarted vote's
}
