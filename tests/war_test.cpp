// The military and the war against the United States, by control id from the field map: purchases,
// the 1 ms battle turn and its draws, the nuclear strikes and every end.
#include <array>
#include <climits>

#include "influence/military_dialog.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

constexpr int MILITARY = 142, WAR = 144;
constexpr int64_t RICH = 100000000000LL;
using Forces = std::array<int32_t, 10>;
const Forces US_OPENING{2000, 5000, 3000, 2500, 80000, 500, 500, 500, 500, 25};
const Forces ARMY{1000, 1000, 1000, 1000, 100000, 1000, 1000, 1000, 1000, 0};

// Each type's strike: one draw modulo `modulus`, taken from every target.
const struct { int32_t modulus; std::vector<int> targets; } ATTACKS[9] = {
    {3, {Tank, AntiTankGun, Infantry, Battleship, Cruiser, AntiAircraftShip}},
    {3, {Bomber, Fighter}}, {1000, {Infantry}}, {5, {Tank}}, {2, {Bomber, Fighter, AntiTankGun}},
    {2, {Tank, AntiTankGun, Infantry, Battleship, Cruiser, AntiAircraftShip}},
    {3, {Tank, AntiTankGun, Infantry, Battleship, Cruiser, AntiAircraftShip}},
    {3, {Tank, AntiTankGun, Infantry, Battleship, Submarine}}, {5, {Bomber, Fighter}}};
bool Hits(size_t a, size_t t) {
    return std::count(ATTACKS[a].targets.begin(), ATTACKS[a].targets.end(), static_cast<int>(t)) > 0;
}

const char* const DECLARE_Q =
    "[確認] アメリカ合衆国に宣戦布告しますか?\n\n（敗北や停戦の際には賠償金を支払う必要があります)";
const char* const SURRENDER_Q = "[確認] 3000億円の賠償金を払う必要がありますがよろしいですか?\n(WHITE金融から借ります)";
const char* const ARMISTICE_Q = "[確認] 500億円を要求してきました.払いますか?\n(WHITE金融から借ります)";
const char* const NUKE_Q = "[確認] 核ミサイルを発射しますか?";
const char* const WON[] = {"[] 勝利しました!!", "[] 株価が1000倍に跳ね上がりました."};

void Set(int32_t* side, const Forces& f) { std::copy(f.begin(), f.end(), side); }
Forces Get(const int32_t* side) { Forces f{}; std::copy(side, side + 10, f.begin()); return f; }
Forces Shown(HeadlessDialog& d, int first) {
    Forces f{}; for (size_t k = 0; k < 10; ++k) f[k] = std::stoi(d.ItemText(first + static_cast<int>(k))); return f;
}
Forces NewEnemyFrom(uint32_t s, int skip) {
    for (int n = 0; n < skip; ++n) NextDraw(s);
    const int32_t range[] = {1000, 1000, 10000, 5000, 20000, 100, 100, 100, 100, 10}; Forces f = US_OPENING;
    for (size_t k = 0; k < 10; ++k) f[k] -= NextDraw(s) % range[k];
    return f;
}

}  // namespace

class WarTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp(); companies[0].funds = RICH; screenMode = SCREEN_FIELD;
        for (WindowId w : {WIN_MAIN, WIN_COMPANY, WIN_CHART, WIN_CALENDAR, WIN_BOARD, WIN_TICKER, WIN_SIDE})
            host.KillTimer(w);   // only the dialogs' timers run: every draw is the war's
    }
    void OpenMilitary(std::function<void(HeadlessDialog&)> act) {
        host.openedDialogs.clear(); host.dialogHandlers.push_back(std::move(act)); host.ClickMain(145, 325);
        EXPECT_EQ(host.openedDialogs.at(0), MILITARY);
    }
    // The war dialog from "戦争する", declared unless `declare` is false; `afterWar` runs in the military dialog.
    void War(std::function<void(HeadlessDialog&)> war, std::function<void(HeadlessDialog&)> afterWar = nullptr,
             bool declare = true) {
        OpenMilitary([&](HeadlessDialog& m) {
            host.dialogHandlers.push_back([&](HeadlessDialog& d) {
                if (declare) {
                    host.answers.push_back(ANSWER_YES), d.Press(1034);
                    ASSERT_EQ(warState, 1);
                    EXPECT_EQ(TakeBoxes(), (Boxes{DECLARE_Q}));
                }
                war(d);
            });
            m.Press(1042); EXPECT_TRUE(m.open());
            if (afterWar) afterWar(m);
        });
        EXPECT_EQ(host.openedDialogs, (std::vector<int>{MILITARY, WAR})); ClearMessages();
    }
    static void Expect(HeadlessDialog& d, const Forces& player, const Forces& enemy) {
        EXPECT_EQ(std::make_pair(Get(playerForces), Get(enemyForces)), std::make_pair(player, enemy));
        EXPECT_EQ(std::make_pair(Shown(d, 1012), Shown(d, 1022)), std::make_pair(player, enemy));
    }
    void Surrender(HeadlessDialog& d) { host.answers.push_back(ANSWER_YES); d.Press(1); EXPECT_FALSE(d.open()); }
};

TEST_F(WarTest, MilitaryShowsHoldingsAndTheWarOpensAtPeace) {
    Set(playerForces, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    OpenMilitary([&](HeadlessDialog& d) {
        EXPECT_EQ(Shown(d, 1012), Get(playerForces)); d.Press(1043); EXPECT_EQ(d.result(), 1043);
    });
    OpenMilitary([&](HeadlessDialog& d) { d.Press(2); EXPECT_FALSE(d.open()); }); EXPECT_TRUE(host.messages.empty());
    warState = 1;   // whatever came before: a new war dialog opens at peace
    War([&](HeadlessDialog& d) {
        EXPECT_EQ(warState, 0); Expect(d, Get(playerForces), US_OPENING);
        // The commands of a war do nothing at peace; a declined declaration keeps it.
        for (int id : {1, 1033, 1035, 1034}) d.Press(id);
        EXPECT_EQ(TakeBoxes(), (Boxes{DECLARE_Q})); const uint32_t s = GameRandState(); host.Advance(20);
        EXPECT_EQ(std::make_pair(DrawsSince(s), warState), std::make_pair(0, 0));
        d.Press(1036); EXPECT_EQ(std::make_pair(d.open(), d.result()), std::make_pair(false, 1036));
    }, nullptr, false);
}

TEST_F(WarTest, OrdersFollowTheLimitTheFundsAndTheNumberRule) {
    const struct { int type; const char* typed; int64_t funds; int32_t held; const char* box; int32_t heldAfter;
                   int64_t fundsAfter; } orders[] = {
        {Bomber, "51", RICH, 0, "一度に購入できるのは50までです.", 0, RICH},   // the bombers' has no counter word
        {Bomber, "50", RICH, 0, "爆撃機を50機購入しました.", 50, RICH - 150000000},
        {Bomber, "", RICH, 50, "爆撃機を0機購入しました.", 50, RICH},   // nothing typed orders 0
        {Bomber, "-1", RICH, 50, "一度に購入できるのは50までです.", 50, RICH},   // nothing sold back for money
        {Infantry, "100001", RICH, 0, "一度に購入できるのは100000人までです.", 0, RICH},
        {Infantry, "  12abc", RICH, 0, "歩兵を12人購入しました.", 12, RICH - 120000},
        {Infantry, "100", RICH, INT32_MAX - 10, "歩兵を100人購入しました.", INT32_MAX, RICH - 1000000},   // capped
        {NuclearMissile, "3", 300000000, 0, "核ミサイルを3発購入しました.", 3, 0},   // the cost itself suffices
        {NuclearMissile, "3", 300000000 - 1, 3, "お金が足りません.", 3, 300000000 - 1}};
    OpenMilitary([&](HeadlessDialog& d) {
        for (const auto& o : orders) {
            SCOPED_TRACE(std::to_string(o.type) + " '" + o.typed + "'");
            companies[0].funds = o.funds; playerForces[o.type] = o.held; d.Type(1022 + o.type, o.typed);
            d.Press(1032 + o.type); EXPECT_EQ(TakeBoxes(), (Boxes{"[] " + std::string(o.box)}));
            EXPECT_EQ(std::make_tuple(playerForces[o.type], d.ItemText(1012 + o.type), companies[0].funds),
                      std::make_tuple(o.heldAfter, std::to_string(o.heldAfter), o.fundsAfter));
        }
    });
}

TEST_F(WarTest, RefusedOrDeclinedCommandsLeaveTheBattleRunning) {
    const struct { int button, type; int32_t count; Boxes boxes; } rows[] = {   // type: an enemy type set to `count`
        {1, -1, 0, {SURRENDER_Q}}, {1035, -1, 0, {"[] 我々は屈しない!"}},   // every enemy type stands
        {1035, Tank, -3, {"[] 我々は屈しない!"}},   // a count below 0 is not a lost type
        {1035, Submarine, 0, {ARMISTICE_Q}}, {1033, -1, 0, {NUKE_Q}}, {1036, -1, 0, {}}, {2, -1, 0, {}},
        {1034, -1, 0, {}},   // a second declaration, even answered yes
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.button) + " " + std::to_string(r.type));
        Forces army = ARMY, enemy = US_OPENING; army[NuclearMissile] = 1;
        if (r.type >= 0) enemy[static_cast<size_t>(r.type)] = r.count;
        Set(playerForces, army); Set(enemyForces, enemy);
        const int64_t loans = companies[0].loans[2], debt = companies[0].debt;
        War([&](HeadlessDialog& d) {
            host.answers.push_back(r.button == 1034 ? ANSWER_YES : ANSWER_NO); d.Press(r.button);
            host.answers.clear(); EXPECT_EQ(TakeBoxes(), r.boxes); EXPECT_TRUE(d.open() && warState == 1);
            Expect(d, army, enemy);
            EXPECT_EQ(std::make_pair(companies[0].loans[2], companies[0].debt), std::make_pair(loans, debt));
            const uint32_t s = GameRandState(); host.Advance(1);   // a turn every millisecond
            EXPECT_GT(DrawsSince(s), 0); Surrender(d);
        });
    }
}

// Each present type strikes all its targets with one draw; the player's side first, each in type order.
TEST_F(WarTest, EachTypeStrikesItsTargetsWithOneDrawPlayerFirst) {
    for (size_t a = 0; a < 9; ++a) {
        SCOPED_TRACE(a); Forces player{}, enemy{5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 0};
        player[a] = 5000; Set(playerForces, player); Set(enemyForces, enemy);
        War([&](HeadlessDialog& d) {
            // The lone type's draw does damage, so no target can hide.
            std::vector<DrawTest> draws(10, Any()); draws[0] = [&](int32_t v) { return v % ATTACKS[a].modulus != 0; };
            const uint32_t seed = ArrangeDraws(draws); uint32_t s = seed;
            host.Advance(1); EXPECT_EQ(DrawsSince(seed), 10); const int32_t damage = NextDraw(s) % ATTACKS[a].modulus;
            for (size_t t = 0; t < 9; ++t) {
                const int32_t draw = NextDraw(s);
                if (Hits(a, t)) enemy[t] -= damage;
                if (Hits(t, a)) player[a] -= draw % ATTACKS[t].modulus;
            }
            Expect(d, player, enemy); Surrender(d);
        });
    }
}

TEST_F(WarTest, NegativeCountNeitherStrikesNorIsBeatenUntilStruck) {
    Set(playerForces, {0, 5, 0, 0, 0, 0, 0, 0, 0, 0}); Set(enemyForces, {0, 0, 0, 0, 0, 0, 0, 0, -3, 0});
    War([&](HeadlessDialog& d) {
        host.Advance(5); EXPECT_TRUE(d.open());   // fighters do not strike ships; the ships' -3 would strike them
        EXPECT_EQ(std::make_pair(enemyForces[AntiAircraftShip], playerForces[Fighter]), std::make_pair(-3, 5));
        // A bomber strikes ships: even a zero draw clears the negative count.
        playerForces[Bomber] = 1; ArrangeDraws({Mod(3, 0), Any()}); host.Advance(1); EXPECT_FALSE(d.open());
        EXPECT_EQ(TakeBoxes(), (Boxes{WON[0], WON[1]})); EXPECT_EQ(d.result(), 1);
    });
}

TEST_F(WarTest, NuclearStrikeCutsAFifthAndDrawsEveryEnemyMissileBack) {
    Set(playerForces, {1000, 2000000000, 5, 0, 100000, 1, 2, 3, 4, 2});   // four fifths of 2e9 must not wrap
    Set(enemyForces, {2000, 5000, -7, 2500, 80000, 500, 500, 500, 504, 3});
    War([&](HeadlessDialog& d) {
        host.answers.push_back(ANSWER_YES); d.Press(1033);
        EXPECT_EQ(TakeBoxes(), (Boxes{NUKE_Q, "[] 発射しました.", "[] 大きな損害を与えました.",
                                      "[] アメリカ軍が全ての核ミサイルをわが社に向けて発射しました.",
                                      "[] 大きな損害を被りました."}));
        Expect(d, {512, 1024000000, 2, 0, 51200, 0, 0, 0, 1, 1}, {1600, 4000, -5, 2000, 64000, 400, 400, 400, 403, 0});
        host.answers.push_back(ANSWER_YES); d.Press(1033);
        EXPECT_EQ(TakeBoxes(), (Boxes{NUKE_Q, "[] 発射しました.", "[] 大きな損害を与えました."}));
        Expect(d, {512, 1024000000, 2, 0, 51200, 0, 0, 0, 1, 0}, {1280, 3200, -4, 1600, 51200, 320, 320, 320, 322, 0});
        d.Press(1033); EXPECT_TRUE(host.messages.empty());   // no missiles left: nothing; the battle resumes
        const uint32_t s = GameRandState(); host.Advance(1); EXPECT_GT(DrawsSince(s), 0);
        Surrender(d);
    });
}

TEST_F(WarTest, EveryEndPaysRedrawsTheEnemyAndRewardsAsItShould) {
    const Forces tank{0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, beaten{0, 0, 0, 0, -5, 0, 0, 0, 0, 4};
    const Forces missiles{0, 0, 0, 0, 0, 0, 0, 0, 0, 3}, subsLost{2000, 5000, 3000, 2500, 80000, 500, 0, 500, 500, 25};
    const Boxes lost{"[] 敗北しました.", "[] 賠償金として３０００億円取られました."}, won{WON[0], WON[1]};
    // button 0: the battle turn decides; redrawAfter: draws before the new enemy is drawn, -1: kept.
    const struct { const char* name; Forces player, enemy; int button; Boxes boxes; int64_t owed; int redrawAfter;
                   int32_t goal, goalAfter, multiplier; } ends[] = {
        {"defeat", missiles, US_OPENING, 0, lost, 30000000, 9, 50, 50, 0},
        {"victory", tank, beaten, 0, won, 0, 1, 50, 51, 1000},
        {"victory off the goal", tank, beaten, 0, won, 0, 1, 49, 49, 1000},
        {"surrender", ARMY, US_OPENING, 1, {SURRENDER_Q, "[] 降伏しました."}, 30000000, -1, 50, 50, 0},
        {"armistice", ARMY, subsLost, 1035, {ARMISTICE_Q, "[] 休戦しました."}, 5000000, 0, 50, 50, 0}};
    for (const auto& e : ends) {
        SCOPED_TRACE(e.name);
        Set(playerForces, e.player); Set(enemyForces, e.enemy); goalStage = e.goal; warPriceMultiplier = 0;
        companies[0].loans[2] = 100; companies[0].debt = 200;
        War([&](HeadlessDialog& d) {
                const uint32_t s = GameRandState(); host.answers.push_back(ANSWER_YES);
                if (e.button == 0) host.Advance(1);
                else d.Press(e.button);
                host.answers.clear(); EXPECT_EQ(std::make_pair(d.open(), d.result()), std::make_pair(false, 1));
                EXPECT_EQ(TakeBoxes(), e.boxes); EXPECT_EQ(DrawsSince(s), e.redrawAfter < 0 ? 0 : e.redrawAfter + 10);
                EXPECT_EQ(Get(enemyForces), e.redrawAfter < 0 ? e.enemy : NewEnemyFrom(s, e.redrawAfter));
            },
            [&](HeadlessDialog& m) { EXPECT_EQ(Shown(m, 1012), Get(playerForces)); });
        EXPECT_EQ(std::make_tuple(playerForces[NuclearMissile], warState, warPriceMultiplier, goalStage),
                  std::make_tuple(e.player[NuclearMissile], 0, e.multiplier, e.goalAfter));
        EXPECT_EQ(std::make_pair(companies[0].loans[2], companies[0].debt), std::make_pair(100 + e.owed, 200 + e.owed));
    }
}
