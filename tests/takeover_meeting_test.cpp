// The other-company dialog (bids, the merger) and the shareholders' meeting,
// driven by control id through the headless host.
#include <cmath>
#include <limits>

#include "display/canvas.h"
#include "market/calendar.h"
#include "tests/game_fixture.h"

namespace {

constexpr int OTHER = 139, MEETING = 143, T = 5;   // T: the company selected on the board
const char* const LAUNCHED = "[] 株式公開買い付けを実施します.";
const char* const HOSTILE_Q = "?[確認] 敵対的買収になりますがよろしいですか?";
const char* const MONTHLY = "[] 株主総会が開けるのは１ヶ月に１回までです.";
const char* const ONE_PERCENT = "[] 議案を提出するには1%以上の株式を取得する必要があります.";
const char* const VOTE = "[] 採決を取ります.";
const char* const REJECTED = "[] 議案は否決されました.";
using V = std::vector<int64_t>;

Rgb Pen(PenId pen) { return PEN_SPECS[pen].colour; }

}  // namespace

class Takeover : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        selectedCompany = T;
        tobTarget = tobHostile = tobPrice = agmEffect = researchUnderway = goalStage = 0;
        ListedCompany &me = companies[0], &t = companies[T];
        for (int64_t& h : me.holdings) h = 0;
        me.loans[0] = me.loans[1] = me.loans[2] = me.debt = me.property = me.profit = 0;
        me.funds = 100000, me.holdings[T] = 2000000;   // 20 %
        t.sharePrice = 1000, t.issuedShares = 10000000, t.floatingShares = 2000000, t.holdings[T] = 3000000;   // the CEO: 30 %
        t.funds = 50000, t.property = 20000, t.debt = 15000, t.loans[2] = 10000, t.profit = 3000;
        ClearMessages();
    }
    // Opens the other-company dialog, types the bid price and presses `id`, answering `answer`.
    Boxes Press(int id, const char* price = "", MessageAnswer answer = ANSWER_NO) {
        host.answers = {answer};
        RunDialog(OTHER, [&](HeadlessDialog& d) { TypePress(d, 1003, price, id); });
        host.answers.clear();
        return TakeBoxes(true);
    }
    // The meeting, opened from the other-company dialog as the player does (a month on if one was held).
    void Meeting(std::function<void(HeadlessDialog&)> act) {
        if (agmEffect != 0) NextMonth();
        const int opened = Opened(MEETING);
        host.dialogHandlers = {[](HeadlessDialog& d) { d.Press(1020); }, act};
        host.OpenDialog(OTHER, WIN_MAIN);
        ASSERT_EQ(Opened(MEETING), opened + 1) << "the meeting did not open";
    }
    // Proposes `id` (Yes to the question), then lets one vote tick run on arranged draws.
    void Propose(HeadlessDialog& d, int id, std::initializer_list<DrawTest> draws = {}) {
        host.answers.push_back(ANSWER_YES);
        d.Press(id);
        if (draws.size()) ArrangeDraws(draws), d.Tick();
    }
    void NextMonth() {
        for (const int32_t month = gameMonth; gameMonth == month;) AdvanceCalendarDay(WIN_CALENDAR);
        EXPECT_EQ(agmEffect, 0);
    }
};

TEST_F(Takeover, PieAndStakeEverySecondAndEscapeCloses) {
    marketHalt = 1;   // no market day moves the stakes while the clock runs
    const auto at = [](HeadlessDialog& d, double degrees) {   // 50 from the centre, clockwise from the top
        const double a = (degrees - 90) * 3.14159265358979 / 180.0;
        return d.PixelAt(420 + static_cast<int>(50 * std::cos(a)), 120 + static_cast<int>(50 * std::sin(a)));
    };
    using Rgbs = std::vector<Rgb>;
    RunDialog(OTHER, [&](HeadlessDialog& d) {
        EXPECT_EQ(d.ItemText(1002), std::string(companies[T].name));
        EXPECT_TRUE(d.PixelAt(420, 44) == (Rgb{255, 255, 255}) && d.PixelAt(420, 45) != (Rgb{255, 255, 255}));
        companies[0].holdings[T] = 3000000, host.Advance(999);
        EXPECT_TRUE(d.ItemText(1004) == "20" && at(d, 90) == Pen(PEN_BLUE3));   // drawn as it opened
        host.Advance(1);   // then every second: the player, the general shareholders, the CEO
        EXPECT_EQ(d.ItemText(1004), "30");
        EXPECT_EQ(Rgbs({at(d, 100), at(d, 180), at(d, 300)}), Rgbs({Pen(PEN_RED3), Pen(PEN_BLUE3), Pen(PEN_GREEN3)}));
        d.Press(2);
        EXPECT_EQ(d.open() ? -1 : d.result(), 2);
    });
    selectedCompany = 0, companies[0].issuedShares = 1000000, companies[0].holdings[0] = 400000;
    RunDialog(OTHER, [&](HeadlessDialog& d) {   // the own company: no green part, no stake written
        d.Tick();
        EXPECT_EQ(Rgbs({at(d, 100), at(d, 300)}), Rgbs({Pen(PEN_RED3), Pen(PEN_BLUE3)})) << d.ItemText(1004);
        EXPECT_EQ(d.ItemText(1004), "");
    });
}

TEST_F(Takeover, BidsNeedAPriceAboveTheMarketAndAskWhenHostile) {
    const struct { const char* situation; int selected, running; int64_t loan, targetFunds; const char* price; MessageAnswer answer;
                   Boxes boxes; V bid; } rows[] = {   // loan: owed to each lender; bid: target, hostile, price
        {"at the market", T, 0, 0, 50000, "1000", ANSWER_YES, {"[] 少なくとも市場価格より高く設定してください."}, {0, 0, 0}},
        {"one yen above", T, 0, 0, 50000, "  1001円", ANSWER_NO, {LAUNCHED}, {T, 0, 1001}},
        {"while another runs", T, 3, 0, 50000, "5000", ANSWER_YES, {"[] 株式公開買い付け中です."}, {3, 0, 0}},
        // 100000 - 3 x 3000 = 91000 against 86000 + 20000 - 15000: equal nets are friendly.
        {"equal nets", T, 0, 3000, 86000, "1200", ANSWER_NO, {LAUNCHED}, {T, 0, 1200}},
        {"one 万円 more, declined", T, 0, 3000, 86001, "1200", ANSWER_NO, {HOSTILE_Q}, {0, 0, 0}},
        {"one 万円 more, accepted", T, 0, 3000, 86001, "1300", ANSWER_YES, {HOSTILE_Q, LAUNCHED}, {T, 1, 1300}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.situation);
        selectedCompany = r.selected, tobTarget = r.running, tobHostile = tobPrice = 0, companies[0].sharePrice = 500;
        companies[0].loans[0] = companies[0].loans[1] = companies[0].loans[2] = r.loan, companies[T].funds = r.targetFunds;
        EXPECT_EQ(Press(1018, r.price, r.answer), r.boxes);
        EXPECT_EQ(V({tobTarget, tobHostile, tobPrice}), r.bid);
    }
    tobTarget = T, tobHostile = 1;   // withdrawing ends a bid
    EXPECT_EQ(Press(1019), Boxes{"[] 株式公開買い付けを取り消しました."});
    EXPECT_EQ(tobTarget + tobHostile, 0);
}

TEST_F(Takeover, MergerNeedsThreeQuartersAndBuysTheRestOnCredit) {
    const char* const asked =
        "?[確認] 合併を行いますか?\n\nその場合,対象となる会社の全株式を強制的に買い取ります.\nまた,その金額はWHITE銀行から自動的に借入します.";
    const struct { const char* situation; int selected; int64_t held, issued; int32_t price; MessageAnswer answer; int64_t loan; } rows[] = {
        {"74 %", T, 7499999, 10000000, 1000, ANSWER_YES, -1},   // loan -1: nothing merged
        {"75 %, declined", T, 7500000, 10000000, 1000, ANSWER_NO, -1}, {"the own company", 0, 1000000, 1000000, 1000, ANSWER_YES, -1},
        {"fewer than a hundred shares", T, 99, 99, 1000, ANSWER_YES, -1},
        // Half the market value of whole lots of 20000 outside shares: 2487655 are 124 lots, not 124.38.
        {"outside shares with a remainder", T, 7512345, 10000000, 1000, ANSWER_YES, 10000 + 124000},
        {"everything held", T, 10000000, 10000000, 1000, ANSWER_YES, 10000},
        {"more held than issued refunds nothing", T, 10040000, 10000000, 1000, ANSWER_YES, 10000},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.situation);
        selectedCompany = r.selected, companies[0].loans[2] = 0, companies[0].funds = 100000, companies[T].loans[2] = 10000;
        companies[0].holdings[r.selected] = r.held, companies[r.selected].issuedShares = r.issued, companies[r.selected].sharePrice = r.price;
        const Boxes merged = {asked, "[] 合併しました.\n\n（WHITE銀行への負債が" + std::to_string(r.loan) + "万円になりました.)"};
        EXPECT_EQ(Press(1017, "", r.answer), r.loan >= 0 ? merged : r.answer == ANSWER_NO ? Boxes{asked}
                                                                   : Boxes{"[] 合併には75%以上の株式を取得する必要があります."});
        EXPECT_EQ(companies[0].loans[2], r.loan >= 0 ? r.loan : 0);
        EXPECT_EQ(companies[0].holdings[r.selected], r.loan >= 0 ? 0 : r.held);
    }
}

TEST_F(Takeover, MergerTakesTheAccountsOverAndRefoundsTheSlot) {
    ListedCompany& me = companies[0];
    me.funds = 1000, me.property = 200, me.loans[2] = 300, me.debt = 400, me.profit = 500, me.holdings[T] = 7500000;
    tobTarget = T, tobHostile = 1;
    const int32_t refounds = companies[T].refoundCount;
    Press(1017, "", ANSWER_YES);
    // The target's WHITE loan comes over, its other debt does not; 2500000 shares bought out.
    EXPECT_EQ(V({me.funds, me.property, me.loans[2], me.debt, me.profit}), V({51000, 20200, 135300, 135400, 3500}));
    EXPECT_EQ(V({tobTarget, tobHostile, companies[T].refoundCount - refounds}), V({0, 0, 1}));
    // A bid elsewhere runs on; sums saturate.
    selectedCompany = 2, companies[2].issuedShares = me.holdings[2] = 1000000, companies[2].funds = 900;
    me.funds = INT64_MAX - 10, tobTarget = T;
    Press(1017, "", ANSWER_YES);
    EXPECT_EQ(V({me.funds, tobTarget}), V({INT64_MAX, T}));
}

using ShareholdersMeeting = Takeover;

TEST_F(ShareholdersMeeting, OpensOnceAMonthWithOnePercent) {
    companies[0].holdings[T] = 99999;   // below 1 %
    EXPECT_EQ(Press(1020), Boxes{ONE_PERCENT});
    companies[0].holdings[T] = 100000;
    Meeting([](HeadlessDialog& d) { EXPECT_EQ(d.ItemText(1002), "1"); });   // closed without a proposal
    EXPECT_EQ(agmEffect, 0);
    Meeting([&](HeadlessDialog& d) { Propose(d, 1017); });
    EXPECT_EQ(Press(1020).back(), MONTHLY);
    selectedCompany = 0, companies[0].issuedShares = 1000000, companies[0].holdings[0] = 600000;   // the own company too
    Meeting([](HeadlessDialog& d) { EXPECT_EQ(d.ItemText(1002), "60"); });
    EXPECT_EQ(gameDay, 1);
    companies[T].issuedShares = 99, selectedCompany = T;
    EXPECT_EQ(Press(1020).back(), ONE_PERCENT);   // after the calendar's stake warnings
}

TEST_F(ShareholdersMeeting, ProposalsStartTheirVotesOnThePriceAfterTheAnnouncement) {
    companies[0].holdings[T] = 100000;   // 1 %
    Meeting([&](HeadlessDialog& d) {
        voteYes = voteNo = 77;
        d.Press(1017);   // answered No: nothing changes
        EXPECT_EQ(V({voteYes, voteNo, agmEffect}), V({77, 77, 0}));
        EXPECT_EQ(TakeBoxes(true), Boxes{"?[確認] 社長交代案を提出します.よろしいですか?."});
        // The market moves behind the announcement: the effect reads the price once that box is answered.
        host.openBoxes.push_back([](const RecordedMessage&) {});
        host.openBoxes.push_back([&](const RecordedMessage&) { companies[T].sharePrice = 1234; });
        Propose(d, 1017);
        EXPECT_EQ(TakeBoxes(true), (Boxes{"?[確認] 社長交代案を提出します.よろしいですか?.", VOTE}));
        EXPECT_EQ(V({voteYes, voteNo, agmEffect, agmNewShareProposal}), V({1, 49, 1234 * 1000, 0}));
        Propose(d, 1021);   // another proposal restarts the vote with its own figures
        EXPECT_EQ(V({voteYes, voteNo, agmEffect}), V({1, 16, 1234 * 100}));
        Propose(d, 1018);
        EXPECT_EQ(V({voteYes, voteNo, agmEffect}), V({1, 33, 1234 * 700}));
        EXPECT_TRUE(d.open());
    });
    companies[T].sharePrice = INT32_MAX;
    Meeting([&](HeadlessDialog& d) { Propose(d, 1017); });
    EXPECT_EQ(agmEffect, -1000);   // an effect that does not fit keeps its low 32 bits
}

TEST_F(ShareholdersMeeting, VotesCarryRejectOrTie) {
    companies[0].holdings[T] = 5100000;   // 51 %: a majority carries on the first tick, a coin decides the effect
    Meeting([&](HeadlessDialog& d) {
        Propose(d, 1017);
        ClearMessages();
        const uint32_t start = ArrangeDraws({Mod(2, 1), Mod(3, 2), Mod(2, 1)});
        d.Tick();
        EXPECT_EQ(DrawsSince(start), 3);
        EXPECT_EQ(TextOf(d, 1002) + " " + TextOf(d, 1003) + ":" + TextOf(d, 1004) + (d.open() ? " open" : ""), "51 52:26");
    });
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 議案は可決されました.", "[] 議案の効果は・・・", "[] ・・・", "[] ・・・",
                                  "[] 大失敗!!　会社の利益が1000000万円減少しました."}));
    EXPECT_EQ(companies[T].profit, 3000 - 1000000);
    companies[0].holdings[T] = 3400000;   // 34 : 33 + 1, equal below a hundred votes, is no tie yet
    Meeting([&](HeadlessDialog& d) { Propose(d, 1017, {Mod(2, 0), Mod(3, 1)}); EXPECT_EQ(d.TimerInterval(), 100); });
    EXPECT_EQ(V({voteYes, voteNo}), V({34, 34}));
    companies[0].holdings[T] = 5000000;   // 50 % against 25; no climbs by two each tick to 49
    const auto climbTo49 = [&](HeadlessDialog& d) {
        Propose(d, 1017);
        for (int k = 0; k < 12; ++k) ArrangeDraws({Mod(2, 0), Mod(3, 2)}), d.Tick();
        EXPECT_EQ(V({voteYes, voteNo}), V({50, 49}));
        ClearMessages();
    };
    Meeting([&](HeadlessDialog& d) {
        climbTo49(d);
        ArrangeDraws({Mod(2, 1), Mod(3, 1)}), d.Tick();   // 51 : 50 is capped to 50 : 50, a tie
        EXPECT_EQ(TakeBoxes(), Boxes{"[] 同数票で議案は否決されました."});
        host.Advance(1000);   // the vote timer has stopped
        EXPECT_EQ(TextOf(d, 1003) + ":" + TextOf(d, 1004) + (d.open() ? " open" : ""), "50:50 open");
        EXPECT_EQ(V({voteYes, voteNo}), V({50, 50}));
        climbTo49(d);   // another proposal: 51 : 51 is capped to 49 : 51, rejected
        ArrangeDraws({Mod(2, 1), Mod(3, 2)}), d.Tick();
        EXPECT_EQ(TakeBoxes(), Boxes{REJECTED});
        EXPECT_EQ(V({voteYes, d.open()}), V({49, false}));
    });
}

TEST_F(ShareholdersMeeting, NewSharesWithinTheirLimits) {
    companies[0].holdings[T] = 100000;
    Meeting([&](HeadlessDialog& d) {
        for (const char* n : {"1000000000", "0", "999999999"}) TypePress(d, 1008, n, 1032);   // the last answered No
        companies[T].issuedShares = 49000000001LL;
        d.Press(1032);
        companies[T].issuedShares = 49000000000LL;
        Propose(d, 1032);
        EXPECT_EQ(V({agmEffect, agmNewShareProposal, voteYes, voteNo}), V({999999999, 1, 0, 50}));
        for (int k = 0; k < 100 && d.open(); ++k) d.Tick();
    });
    const std::string refused = "[] そんなに新株を発行できません.", asked = "?[確認] 新たに999999999株発行する案を提出しますがよろしいですか?";
    EXPECT_EQ(TakeBoxes(true), (Boxes{refused, refused, asked, refused, asked, VOTE, REJECTED}));
    EXPECT_EQ(agmNewShareProposal, 1);
    companies[T].issuedShares = 10000000;
    // Carried: shares and cash (whole thousands) for the company, nobody's holding changes.
    companies[0].holdings[T] = 6000000;   // 60 %
    NextMonth();   // before the figures: the month's settlement pays the profit in
    const int64_t funds = companies[T].funds, floating = companies[T].floatingShares;
    Meeting([&](HeadlessDialog& d) {
        d.Type(1008, "123456");
        Propose(d, 1032);
        ClearMessages();
        const uint32_t start = GameRandState();
        d.Tick();
        EXPECT_EQ(V({DrawsSince(start), d.open()}), V({2, false}));   // no coin for an issue
    });
    EXPECT_EQ(TakeBoxes(), (Boxes{"[] 議案は可決されました.", "[] 新たに123456株発行しました."}));
    const ListedCompany& t = companies[T];
    EXPECT_EQ(V({t.issuedShares, t.funds, t.floatingShares, companies[0].holdings[T], agmNewShareProposal}),
              V({10000000 + 123456, funds + 12300, floating, 6000000, 0}));
}

TEST_F(ShareholdersMeeting, ClosingOrRacingTheVoteDecidesNothingTwice) {
    companies[0].holdings[T] = 9000000;
    for (int closer : {1, 2}) {   // the close button and Escape
        Meeting([&](HeadlessDialog& d) { Propose(d, 1017); d.Press(closer); EXPECT_FALSE(d.open()); });
        host.Advance(500);   // no vote tick is left behind
        EXPECT_EQ(V({companies[T].profit, agmEffect}), V({3000, 1000000}));
        EXPECT_EQ(Press(1020).back(), MONTHLY);
    }
    // A month turning while the carried vote's boxes are read: the proposal voted on still decides.
    Meeting([&](HeadlessDialog& d) {
        Propose(d, 1017);
        host.openBoxes.push_back([&](const RecordedMessage&) { NextMonth(), ArrangeDraws({Mod(2, 0)}); });   // the calendar draws too
        ArrangeDraws({Mod(2, 0), Mod(3, 0)}), d.Tick();
    });
    EXPECT_EQ(companies[T].profit, 3000 + 1000000);
    // A question answered after a vote tick closed the meeting starts no vote in the closed dialog.
    companies[T].profit = 0;
    Meeting([&](HeadlessDialog& d) {
        Propose(d, 1017);
        ArrangeDraws({Mod(2, 0), Mod(3, 0), Mod(2, 1)});
        host.openBoxes.push_back([&](const RecordedMessage&) { d.Tick(); });   // behind the next proposal's question
        ClearMessages();
        Propose(d, 1021);
        EXPECT_FALSE(d.open() || d.TimerInterval() != 0);
    });
    EXPECT_EQ(V({companies[T].profit, agmEffect}), V({-1000000, 1000000}));   // still the CEO proposal's
    EXPECT_FALSE(Said("採決を取ります."));
    // The same race behind the announcement of the vote.
    Meeting([&](HeadlessDialog& d) {
        Propose(d, 1017);
        host.openBoxes.push_back([](const RecordedMessage&) {});
        host.openBoxes.push_back([&](const RecordedMessage&) { ArrangeDraws({Mod(2, 0), Mod(3, 0), Mod(2, 0)}), d.Tick(); });
        Propose(d, 1021);   // the question, then the announcement with the tick behind it
        EXPECT_FALSE(d.open() || d.TimerInterval() != 0);
    });
    EXPECT_EQ(V({agmEffect, voteNo}), V({1000000, 5}));   // the closing tick's count, not a restarted vote's
}
