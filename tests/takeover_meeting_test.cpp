// The other-company dialog (bids, the merger) and the shareholders' meeting,
// driven by control id through the headless host as the field map opens
// them; the bids run on the market ticks.
#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "display/canvas.h"
#include "market/calendar.h"
#include "market/market_tick.h"
#include "resources/dialog_templates.h"
#include "tests/game_fixture.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int OTHER = 139;
constexpr int MEETING = 143;
constexpr int T = 5;   // the company selected on the board
constexpr int64_t I64_MAX = std::numeric_limits<int64_t>::max();


Rgb PenColour(PenId pen) { return PEN_SPECS[pen].colour; }

}  // namespace

class TakeoverDialog : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        selectedCompany = T;
        tobTarget = tobHostile = tobPrice = 0;
        agmEffect = 0;
        researchUnderway = 0;
        goalStage = 0;
        ListedCompany& me = companies[0];
        me.funds = 100000;
        me.loans[0] = me.loans[1] = me.loans[2] = 0;
        me.debt = me.property = me.profit = 0;
        for (int64_t& h : me.holdings) h = 0;
        me.holdings[T] = 2000000;   // 20 %
        ListedCompany& t = companies[T];
        t.sharePrice = 1000;
        t.issuedShares = 10000000;
        t.holdings[T] = 3000000;    // the CEO: 30 %
        t.floatingShares = 2000000;
        t.funds = 50000;
        t.property = 20000;
        t.debt = 15000;
        t.loans[2] = 10000;
        t.profit = 3000;
        ClearMessages();
    }

    // Every message box as "[caption] text", a question marked with "?".
    std::vector<std::string> Boxes() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages)
            out.push_back((m.style == MB_STYLE_YES_NO ? "?[" : "[") + Utf8(m.caption) + "] " + Utf8(m.text));
        return out;
    }
    using Lines = std::vector<std::string>;

    void Bid(const char* price) {
        RunDialog(OTHER, [&](HeadlessDialog& d) {
            d.Type(1003, Sjis(price));
            d.Press(1018);
        });
    }
    void Press(int id) {
        RunDialog(OTHER, [&](HeadlessDialog& d) { d.Press(id); });
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
    void NextMonth() {
        const int32_t month = gameMonth;
        while (gameMonth == month) AdvanceCalendarDay(WIN_CALENDAR);
    }
};

TEST_F(TakeoverDialog, PieAndStakeEverySecond) {
    marketHalt = 1;   // no market day moves the stakes while the clock runs
    const auto at = [](HeadlessDialog& d, double degrees) {
        const double a = degrees * 3.14159265358979 / 180.0 - 3.14159265358979 / 2.0;
        return d.PixelAt(420 + static_cast<int>(50 * std::cos(a)), 120 + static_cast<int>(50 * std::sin(a)));
    };
    RunDialog(OTHER, [&](HeadlessDialog& d) {
        EXPECT_EQ(d.ItemText(1002), std::string(companies[T].name));
        // Drawn as the dialog opens, then every second.
        EXPECT_EQ(d.ItemText(1004), "20");
        EXPECT_EQ(at(d, 36), PenColour(PEN_RED3));
        companies[0].holdings[T] = 3000000;
        host.Advance(999);
        EXPECT_EQ(d.ItemText(1004), "20");
        host.Advance(1);
        EXPECT_EQ(d.ItemText(1004), "30");
        companies[0].holdings[T] = 2000000;
        d.Tick();
        EXPECT_EQ(d.ItemText(1004), "20");
        EXPECT_EQ(at(d, 36), PenColour(PEN_RED3));     // the player: 0..72 degrees
        EXPECT_EQ(at(d, 180), PenColour(PEN_BLUE3));   // the general shareholders
        EXPECT_EQ(at(d, 300), PenColour(PEN_GREEN3));  // the CEO: 252..360 degrees
        companies[0].holdings[T] = 7500000;
        d.Tick();
        EXPECT_EQ(d.ItemText(1004), "75");
        EXPECT_EQ(at(d, 180), PenColour(PEN_RED3));
    });
    // The own company: no green part, no stake written.
    selectedCompany = 0;
    companies[0].issuedShares = 1000000;
    companies[0].holdings[0] = 400000;
    RunDialog(OTHER, [&](HeadlessDialog& d) {
        d.Tick();
        EXPECT_EQ(d.ItemText(1004), "");
        EXPECT_EQ(at(d, 100), PenColour(PEN_RED3));
        EXPECT_EQ(at(d, 300), PenColour(PEN_BLUE3));
    });
}

TEST_F(TakeoverDialog, BidPriceMustBeAboveTheMarket) {
    Bid("1000");
    EXPECT_EQ(tobTarget, 0);
    Bid("  1001円");
    EXPECT_EQ(tobTarget, T);
    EXPECT_EQ(tobPrice, 1001);
    EXPECT_EQ(tobHostile, 0);
    // While a bid runs no other may start.
    Bid("5000");
    EXPECT_EQ(tobPrice, 1001);
    EXPECT_EQ(Boxes(), (Lines{"[] 少なくとも市場価格より高く設定してください.", "[] 株式公開買い付けを実施します.",
                              "[] 株式公開買い付け中です."}));
}

TEST_F(TakeoverDialog, NetWorthsDecideFriendlyOrHostile) {
    // 100000 - 5000 - 3000 - 2000 = 85000 + 20000 - 15000: equal is friendly.
    companies[0].loans[0] = 5000;
    companies[0].loans[1] = 3000;
    companies[0].loans[2] = 2000;
    companies[T].funds = 85000;
    Bid("1200");
    EXPECT_EQ(tobTarget, T);
    EXPECT_EQ(tobHostile, 0);
    EXPECT_EQ(Boxes(), (Lines{"[] 株式公開買い付けを実施します."}));
    Press(1019);

    // One 万円 more for the target: the player is asked; No changes nothing.
    companies[T].funds = 85001;
    ClearMessages();
    Bid("1200");
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(tobHostile, 0);
    EXPECT_EQ(Boxes(), (Lines{"?[確認] 敵対的買収になりますがよろしいですか?"}));

    ClearMessages();
    host.answers.push_back(ANSWER_YES);
    Bid("1300");
    EXPECT_EQ(tobTarget, T);
    EXPECT_EQ(tobHostile, 1);
    EXPECT_EQ(tobPrice, 1300);
    EXPECT_EQ(Boxes(), (Lines{"?[確認] 敵対的買収になりますがよろしいですか?", "[] 株式公開買い付けを実施します."}));

    // Withdrawing ends it, and says so even when no bid runs.
    ClearMessages();
    Press(1019);
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(tobHostile, 0);
    Press(1019);
    EXPECT_EQ(Boxes(), (Lines{"[] 株式公開買い付けを取り消しました.", "[] 株式公開買い付けを取り消しました."}));
}

TEST_F(TakeoverDialog, BidOnTheOwnCompanyRunsNothing) {
    selectedCompany = 0;
    companies[0].sharePrice = 500;
    companies[0].issuedShares = 1000000;
    Bid("600");
    EXPECT_EQ(Boxes(), (Lines{"[] 株式公開買い付けを実施します."}));
    EXPECT_EQ(tobTarget, 0);
    const int64_t held = companies[0].holdings[0];
    for (int k = 0; k < 20; ++k) RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[0], held);
}

TEST_F(TakeoverDialog, FriendlyBidBuysOnAMarketTick) {
    Bid("1001");
    ASSERT_EQ(tobTarget, T);
    ClearMessages();
    marketHalt = 1;   // only the bid step draws
    // 10000000 - 3000000 - 2000000 - 2000000 shares are free; a quarter of them.
    ArrangeDraws({Mod(8, 0), Mod(5, 2)});
    RunMarketTick(WIN_BOARD);
    EXPECT_EQ(companies[0].holdings[T], 2750000);
    EXPECT_EQ(companies[0].funds, 100000 - 75 * 1001);
    EXPECT_EQ(Boxes(), (Lines{"[ＴＯＢ] 1001円で750000株買い付けました."}));
    EXPECT_EQ(tobTarget, T);
}

TEST_F(TakeoverDialog, HostileBidBuysOnTheClock) {
    companies[0].funds = 100000000;
    companies[T].funds = 500000000;
    host.answers.push_back(ANSWER_YES);
    Bid("2000");
    ASSERT_EQ(tobHostile, 1);
    const int64_t before = companies[0].holdings[T];
    for (int k = 0; k < 200 && companies[0].holdings[T] == before; ++k) host.Advance(1100);
    const int64_t lot = companies[0].holdings[T] - before;
    ASSERT_GT(lot, 0);
    EXPECT_TRUE(SaidWith(StrPrintf("2000円で%lld株買い付けました.", static_cast<long long>(lot)).c_str(), "ＴＯＢ"));
    // Meanwhile the target defended itself, as only a hostile target does.
    int defences = 0;
    for (const auto& m : host.messages) defences += m.caption == Sjis("敵対") ? 1 : 0;
    EXPECT_GT(defences, 0);
    EXPECT_EQ(tobTarget, T);
    EXPECT_EQ(tobHostile, 1);
}

TEST_F(TakeoverDialog, MergerNeedsThreeQuarters) {
    companies[0].holdings[T] = 7499999;   // 74 %
    Press(1017);
    companies[0].holdings[T] = 7500000;
    Press(1017);   // answered No
    selectedCompany = 0;
    companies[0].issuedShares = 1000000;
    companies[0].holdings[0] = 1000000;
    Press(1017);
    selectedCompany = T;
    companies[T].issuedShares = 99;
    companies[0].holdings[T] = 99;
    Press(1017);
    const std::string refusal = "[] 合併には75%以上の株式を取得する必要があります.";
    EXPECT_EQ(Boxes(), (Lines{refusal,
                              "?[確認] 合併を行いますか?\n\nその場合,対象となる会社の全株式を強制的に買い取ります.\n"
                              "また,その金額はWHITE銀行から自動的に借入します.",
                              refusal, refusal}));
    EXPECT_EQ(companies[0].funds, 100000);
    EXPECT_EQ(companies[0].loans[2], 0);
    EXPECT_EQ(companies[T].bankrupt, 0);
}

TEST_F(TakeoverDialog, MergerTakesOverAndBorrowsTheBuyOut) {
    ListedCompany& me = companies[0];
    me.funds = 1000;
    me.property = 200;
    me.loans[2] = 300;
    me.debt = 400;
    me.profit = 500;
    me.holdings[T] = 7500000;
    tobTarget = T;
    tobHostile = 1;
    goalStage = 1;
    const TextRef oldName = companies[T].name;
    const int32_t refounds = companies[T].refoundCount;
    const int32_t pool = namePoolNext;
    host.answers.push_back(ANSWER_YES);
    Press(1017);
    // 2500000 shares outside: 125 x 1000 万円, half their market value.
    EXPECT_EQ(me.funds, 1000 + 50000);
    EXPECT_EQ(me.property, 200 + 20000);
    EXPECT_EQ(me.loans[2], 300 + 10000 + 125000);
    EXPECT_EQ(me.debt, 400 + 10000 + 125000);
    EXPECT_EQ(me.profit, 500 + 3000);
    EXPECT_EQ(me.holdings[T], 0);
    EXPECT_EQ(tobTarget, 0);
    EXPECT_EQ(tobHostile, 0);
    EXPECT_EQ(goalStage, 2);
    EXPECT_EQ(Boxes().back(), "[] 合併しました.\n\n（WHITE銀行への負債が135300万円になりました.)");
    // The slot holds a new company, announced on the next main-view tick.
    EXPECT_EQ(companies[T].bankrupt, 0);
    EXPECT_EQ(companies[T].refoundCount, refounds + 1);
    EXPECT_NE(std::string(companies[T].name), std::string(oldName));
    EXPECT_EQ(namePoolNext, pool + 1);
    ClearMessages();
    host.Advance(300);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(Boxes().front(), "[新規] 会社が倒産し,新たに[ " + Utf8(companies[T].name) + " ]が現れました");
}

TEST_F(TakeoverDialog, MergerEdgeCases) {
    // Everything held: no buy-out, the accounts still come over; the
    // scenario's merger with company 2 is recorded. A bid elsewhere runs on.
    selectedCompany = 2;
    ListedCompany& t = companies[2];
    t.issuedShares = 1000000;
    t.sharePrice = 800;
    t.loans[2] = 700;
    t.funds = 900;
    companies[0].holdings[2] = 1000000;
    goalStage = 20;
    tobTarget = T;
    host.answers.push_back(ANSWER_YES);
    Press(1017);
    EXPECT_EQ(companies[0].loans[2], 700);
    EXPECT_EQ(companies[0].funds, 100900);
    EXPECT_EQ(goalStage, 21);
    EXPECT_EQ(tobTarget, T);

    // More shares held than issued buy nothing and refund nothing; the sums saturate.
    selectedCompany = T;
    companies[0].holdings[T] = companies[T].issuedShares + 40000;
    companies[0].funds = I64_MAX - 10;
    companies[0].loans[2] = 100;
    host.answers.push_back(ANSWER_YES);
    Press(1017);
    EXPECT_EQ(companies[0].funds, I64_MAX);
    EXPECT_EQ(companies[0].loans[2], 100 + 10000);
}

TEST_F(TakeoverDialog, MeetingChecksOnceAMonthAndOnePercent) {
    companies[0].holdings[T] = 99999;   // below 1 %
    Press(1020);
    EXPECT_EQ(Boxes(), (Lines{"[] 議案を提出するには1%以上の株式を取得する必要があります."}));
    ClearMessages();
    companies[0].holdings[T] = 100000;
    Meeting([](HeadlessDialog& d) { EXPECT_EQ(d.ItemText(1002), "1"); });   // closed without a proposal
    EXPECT_EQ(agmEffect, 0);
    Meeting([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1021);
    });
    EXPECT_NE(agmEffect, 0);
    ClearMessages();
    Press(1020);
    EXPECT_EQ(Boxes(), (Lines{"[] 株主総会が開けるのは１ヶ月に１回までです."}));
    NextMonth();
    EXPECT_EQ(gameDay, 1);
    Meeting([](HeadlessDialog&) {});
    // The own company may hold its meeting too.
    selectedCompany = 0;
    companies[0].issuedShares = 1000000;
    companies[0].holdings[0] = 600000;
    Meeting([](HeadlessDialog& d) { EXPECT_EQ(d.ItemText(1002), "60"); });
    EXPECT_EQ(CountSaid("議案を提出するには1%以上の株式を取得する必要があります."), 0);
    ClearMessages();
    companies[T].issuedShares = 99;
    selectedCompany = T;
    Press(1020);
    EXPECT_EQ(Boxes(), (Lines{"[] 議案を提出するには1%以上の株式を取得する必要があります."}));
}

using MeetingVote = TakeoverDialog;

TEST_F(MeetingVote, ProposalsStartTheirVotes) {
    companies[0].holdings[T] = 100000;   // 1 %
    companies[T].sharePrice = 1234;
    struct Case {
        int id;
        const char* question;
        int32_t no;
        int32_t factor;
    };
    const Case cases[] = {
        {1017, "社長交代案を提出します.よろしいですか?.", 49, 1000},
        {1018, "大量リストラ案を提出します.よろしいですか?.", 33, 700},
        {1019, "海外進出案を提出します.よろしいですか?.", 24, 500},
        {1020, "事業の縮小案を提出します.よろしいですか?.", 19, 300},
        {1021, "事業の拡大案を提出します.よろしいですか?.", 16, 100},
    };
    Meeting([&](HeadlessDialog& d) {
        // A question answered No changes nothing.
        voteYes = voteNo = 77;
        d.Press(1017);
        EXPECT_EQ(voteYes, 77);
        EXPECT_EQ(agmEffect, 0);
        EXPECT_EQ(Boxes(), (Lines{"?[確認] 社長交代案を提出します.よろしいですか?."}));
        // Each proposal restarts the vote with its own figures.
        for (const Case& c : cases) {
            ClearMessages();
            host.answers.push_back(ANSWER_YES);
            d.Press(c.id);
            EXPECT_EQ(Boxes(), (Lines{std::string("?[確認] ") + c.question, "[] 採決を取ります."}));
            EXPECT_EQ(voteYes, 1);
            EXPECT_EQ(voteNo, c.no);
            EXPECT_EQ(agmEffect, 1234 * c.factor);
            EXPECT_EQ(agmNewShareProposal, 0);
        }
        EXPECT_TRUE(d.open());
    });
    // A price whose effect does not fit keeps its low 32 bits.
    NextMonth();
    companies[T].sharePrice = std::numeric_limits<int32_t>::max();
    Meeting([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1017);
        EXPECT_EQ(agmEffect, -1000);   // 2147483647000 mod 2^32
    });
}

TEST_F(MeetingVote, MajorityCarriesOnTheFirstTick) {
    companies[0].holdings[T] = 5100000;   // 51 %
    const int64_t profit = companies[T].profit;
    for (int coin = 0; coin < 2; ++coin) {
        if (coin == 1) NextMonth();
        ClearMessages();
        Meeting([&](HeadlessDialog& d) {
            EXPECT_EQ(d.ItemText(1002), "51");
            host.answers.push_back(ANSWER_YES);
            d.Press(1017);
            ClearMessages();
            const uint32_t start = ArrangeDraws({Mod(2, 1), Mod(3, 2), Mod(2, coin)});
            d.Tick();
            EXPECT_EQ(DrawsSince(start), 3);
            EXPECT_EQ(d.ItemText(1003), "52");
            EXPECT_EQ(d.ItemText(1004), "26");
            EXPECT_FALSE(d.open());
        });
        const std::string effect = coin == 0 ? "[] 大成功!!　会社の利益が1000000万円増加しました."
                                             : "[] 大失敗!!　会社の利益が1000000万円減少しました.";
        EXPECT_EQ(Boxes(), (Lines{"[] 議案は可決されました.", "[] 議案の効果は・・・", "[] ・・・", "[] ・・・", effect}));
        EXPECT_EQ(companies[T].profit, coin == 0 ? profit + 1000000 : profit);
    }
}

TEST_F(MeetingVote, MinorityIsRejectedAndTheBarsShowIt) {
    companies[0].holdings[T] = 2000000;   // 20 %: 20 against 40
    Meeting([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1017);
        ArrangeDraws({Mod(2, 0), Mod(3, 0)});
        d.Tick();
        EXPECT_EQ(d.PixelAt(277, 160), BRUSH_COLOURS[BRUSH_GREEN]);   // yes: y 150..170
        EXPECT_EQ(d.PixelAt(255, 160), PenColour(PEN_BLACK1));
        EXPECT_EQ(d.PixelAt(277, 140), (Rgb{255, 255, 255}));
        EXPECT_EQ(d.PixelAt(372, 140), BRUSH_COLOURS[BRUSH_BLUE]);    // no: y 130..170
        EXPECT_EQ(d.PixelAt(372, 125), (Rgb{255, 255, 255}));
        ClearMessages();
        for (int k = 0; k < 100 && d.open(); ++k) d.Tick();
        EXPECT_FALSE(d.open());
    });
    EXPECT_EQ(Boxes(), (Lines{"[] 議案は否決されました."}));
    EXPECT_GT(voteNo, 50);
    EXPECT_EQ(companies[T].profit, 3000);
}

TEST_F(MeetingVote, TiesLeaveTheMeetingOpen) {
    companies[0].holdings[T] = 5000000;   // 50 % against 25
    // yes stays at 50 while no climbs by two each tick to 49.
    const auto climbTo49 = [](HeadlessDialog& d) {
        for (int k = 0; k < 12; ++k) {
            ArrangeDraws({Mod(2, 0), Mod(3, 2)});
            d.Tick();
        }
        EXPECT_EQ(voteYes, 50);
        EXPECT_EQ(voteNo, 49);
    };
    Meeting([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1017);
        climbTo49(d);
        // 51 : 50 is capped to 50 : 50, a tie.
        ClearMessages();
        ArrangeDraws({Mod(2, 1), Mod(3, 1)});
        d.Tick();
        EXPECT_EQ(Boxes(), (Lines{"[] 同数票で議案は否決されました."}));
        EXPECT_TRUE(d.open());
        EXPECT_EQ(d.ItemText(1003), "50");
        EXPECT_EQ(d.ItemText(1004), "50");
        // The vote timer has stopped.
        host.Advance(1000);
        EXPECT_EQ(voteYes, 50);
        EXPECT_EQ(voteNo, 50);
        EXPECT_TRUE(d.open());

        // Another proposal: 51 : 51 is capped to 49 : 51, rejected.
        host.answers.push_back(ANSWER_YES);
        d.Press(1017);
        climbTo49(d);
        ClearMessages();
        ArrangeDraws({Mod(2, 1), Mod(3, 2)});
        d.Tick();
        EXPECT_EQ(voteYes, 49);
        EXPECT_EQ(Boxes(), (Lines{"[] 議案は否決されました."}));
        EXPECT_FALSE(d.open());
    });
}

TEST_F(MeetingVote, NewShareLimits) {
    companies[0].holdings[T] = 100000;
    Meeting([&](HeadlessDialog& d) {
        for (const char* n : {"1000000000", "0", "-5"}) {
            d.Type(1008, n);
            d.Press(1032);
        }
        d.Type(1008, "999999999");
        d.Press(1032);   // answered No
        companies[T].issuedShares = 49000000001LL;
        d.Press(1032);
        companies[T].issuedShares = 49000000000LL;
        host.answers.push_back(ANSWER_YES);
        d.Press(1032);
        EXPECT_EQ(agmEffect, 999999999);
        EXPECT_EQ(agmNewShareProposal, 1);
        EXPECT_EQ(voteYes, 0);   // 100000 of 49000000000 shares
        EXPECT_EQ(voteNo, 50);
    });
    const std::string refused = "[] そんなに新株を発行できません.";
    const std::string asked = "?[確認] 新たに999999999株発行する案を提出しますがよろしいですか?";
    EXPECT_EQ(Boxes(), (Lines{refused, refused, refused, asked, refused, asked, "[] 採決を取ります."}));
}

TEST_F(MeetingVote, NewSharesCarriedAddSharesAndCash) {
    companies[0].holdings[T] = 6000000;   // 60 %
    const int64_t floating = companies[T].floatingShares;
    Meeting([&](HeadlessDialog& d) {
        d.Type(1008, "123456");
        host.answers.push_back(ANSWER_YES);
        d.Press(1032);
        ClearMessages();
        const uint32_t start = GameRandState();
        d.Tick();
        EXPECT_EQ(DrawsSince(start), 2);   // no coin for an issue
        EXPECT_FALSE(d.open());
    });
    EXPECT_EQ(Boxes(), (Lines{"[] 議案は可決されました.", "[] 新たに123456株発行しました."}));
    EXPECT_EQ(companies[T].issuedShares, 10123456);
    EXPECT_EQ(companies[T].funds, 50000 + 123 * 1000 / 10);
    EXPECT_EQ(companies[T].floatingShares, floating);
    EXPECT_EQ(companies[0].holdings[T], 6000000);
    EXPECT_EQ(agmNewShareProposal, 0);

    // Fewer than 1000 shares bring no cash.
    NextMonth();
    const int64_t funds = companies[T].funds;
    Meeting([&](HeadlessDialog& d) {
        d.Type(1008, "999");
        host.answers.push_back(ANSWER_YES);
        d.Press(1032);
        d.Tick();
    });
    EXPECT_EQ(companies[T].issuedShares, 10124455);
    EXPECT_EQ(companies[T].funds, funds);
}

TEST_F(MeetingVote, BusinessAfterARejectedIssueChangesTheProfit) {
    companies[0].holdings[T] = 100000;
    Meeting([&](HeadlessDialog& d) {
        d.Type(1008, "5000");
        host.answers.push_back(ANSWER_YES);
        d.Press(1032);
        for (int k = 0; k < 100 && d.open(); ++k) d.Tick();
    });
    EXPECT_TRUE(Said("議案は否決されました."));
    EXPECT_EQ(agmNewShareProposal, 1);
    NextMonth();
    companies[0].holdings[T] = 9000000;
    const int64_t issued = companies[T].issuedShares;
    Meeting([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1021);   // 1000 x 100
        ArrangeDraws({Mod(2, 0), Mod(3, 0), Mod(2, 0)});
        d.Tick();
    });
    EXPECT_EQ(companies[T].profit, 3000 + 100000);
    EXPECT_EQ(companies[T].issuedShares, issued);
}

TEST_F(MeetingVote, ClosingDuringAVoteDecidesNothing) {
    companies[0].holdings[T] = 9000000;
    Meeting([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES);
        d.Press(1017);
        d.Press(1);
        EXPECT_FALSE(d.open());
    });
    EXPECT_EQ(companies[T].profit, 3000);
    EXPECT_EQ(agmEffect, 1000000);
    host.Advance(500);   // no vote tick is left behind
    EXPECT_FALSE(Said("議案は可決されました."));
    ClearMessages();
    Press(1020);
    EXPECT_EQ(Boxes(), (Lines{"[] 株主総会が開けるのは１ヶ月に１回までです."}));
}
