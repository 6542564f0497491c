// Random play over every screen, panel and dialog for 100,000 virtual seconds, every question answered
// at random: the world's invariants hold after every action (and the sanitizer build sees no fault).
#include <random>
#include <set>

#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

// Numbers and texts a player might type, the awkward ones included.
const char* const TYPED[] = {"0", "1", "99", "100", "101", "1000", "5000", "12345", "1000000", "3000000", "100000000",
                             "100000000000", "100000000001", "2147483647", "2147483648", "-1", "-100", "-2147483648",
                             "9223372036854775807", "99999999999999999999999", "  42", "+7", "abc", "", "12abc"};

class RandomPlayer {
public:
    RandomPlayer(HeadlessHost& host, uint32_t seed) : host_(host), rng_(seed) {
        host_.defaultDialogHandler = [this](HeadlessDialog& d) { PlayDialog(d); };
    }

    void Act() {
        host_.defaultAnswer = Chance(2) ? ANSWER_YES : ANSWER_NO;
        // Now and then a sure prosecution, so that random play meets the detention whatever its luck.
        if (Chance(4000)) prosecutionChance = PROSECUTION_CERTAIN;
        switch (Pick(10)) {
            case 0: case 1: host_.ClickMain(Pick(570), Pick(370)); break;
            case 2: host_.MoveMain(Pick(570), Pick(370)); break;
            case 3: host_.RightClickMain(Pick(570), Pick(370)); break;
            case 4: host_.ClickSide(Pick(200), Pick(315)); break;
            case 5: host_.MoveSide(Pick(200), Pick(315)); break;
            case 6: host_.ClickBoard(Pick(450), Pick(370)); break;
            default: host_.Advance(100 + Pick(3000)); break;
        }
        host_.quitRequested = false; ++actions;   // a quit only ends the real program
    }

    int64_t actions = 0, dialogs = 0;

private:
    int Pick(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
    bool Chance(int n) { return Pick(n) == 0; }

    // A few random actions inside a dialog (other controls let time pass), then often a way out.
    void PlayDialog(HeadlessDialog& d) {
        ++dialogs; if (depth_ >= 4) return;   // the host presses Escape and closes it
        ++depth_; const auto controls = d.Controls(); const int steps = Pick(12);
        for (int k = 0; k < steps && d.open() && !controls.empty(); ++k) {
            host_.defaultAnswer = Chance(2) ? ANSWER_YES : ANSWER_NO;
            const auto& [id, kind] = controls[static_cast<size_t>(Pick(static_cast<int>(controls.size())))];
            if (kind == CTL_EDIT) d.Type(id, TYPED[Pick(static_cast<int>(std::size(TYPED)))]);
            else if (kind == CTL_BUTTON || kind == CTL_DEFBUTTON || kind == CTL_RADIO || kind == CTL_CHECK) d.Press(id);
            else host_.Advance(1 + Pick(700));
        }
        if (d.open() && Chance(2)) d.Press(1);
        --depth_;
    }

    HeadlessHost& host_; std::mt19937 rng_; int depth_ = 0;
};

}  // namespace

class UiSoak : public GameTest { TempWorkDir work_; };

TEST_F(UiSoak, RandomPlayOverEveryScreenAndDialogKeepsTheWorldSound) {
    RandomPlayer player(host, 20261207);
    const int64_t goal = 100000 * 1000LL;   // virtual milliseconds
    std::set<int> reached;
    // The panels paint in the first and last thousand seconds only: the middle runs the rules at full speed.
    while (host.now() < goal) {
        host.paintPanels = host.now() < 1000 * 1000 || host.now() > goal - 1000 * 1000; player.Act();
        const std::string broken = CheckStructuralInvariants();
        ASSERT_EQ(broken, "") << "after " << player.actions << " actions at " << host.now() << " ms";
        ASSERT_TRUE((screenMode >= SCREEN_TITLE && screenMode <= SCREEN_EXCHANGE) ||
                    screenMode == SCREEN_FLY_GAME_PENDING) << screenMode;
        ASSERT_TRUE(marketHalt >= 0 && marketHalt <= 2) << marketHalt;
        host.messages.clear(); host.sounds.clear(); host.paints.clear(); host.presents.clear();
        reached.insert(host.openedDialogs.begin(), host.openedDialogs.end()); host.openedDialogs.clear();
        for (WindowId w : {WIN_MAIN, WIN_COMPANY, WIN_CHART, WIN_CALENDAR, WIN_BOARD, WIN_TICKER, WIN_SIDE})
            host.Surface(w)->texts.clear(), host.Surface(w)->bitmapCalls.clear();
    }
    EXPECT_GT(player.dialogs, 100);
    // Every dialog random play opens without a set-up (not the meeting, which needs a stake, nor the missiles).
    std::string ids; for (int id : reached) ids += " " + std::to_string(id);
    for (int id : {130, 131, 132, 133, 134, 135, 136, 138, 139, 140, 141, 142, 144, 145, 146, 147, 165, 166})
        EXPECT_EQ(reached.count(id), 1u) << "dialog " << id << " never opened; reached:" << ids;
    EXPECT_GE(host.now(), goal);
}
