#include "influence/election_dialog.h"

#include <string>

#include "display/canvas.h"
#include "influence/election_texts.h"
#include "resources/dialog_ids.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

int32_t rivalVotes = 0;
int32_t ownVotes = 0;
int64_t campaignFunds = 0;

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_ESCAPE = 2;
constexpr int ID_POPULATION = 1002;
constexpr int ID_RIVAL_VOTES = 1003;
constexpr int ID_OWN_VOTES = 1004;
constexpr int ID_CAMPAIGN_FUNDS = 1007;
constexpr int ID_OWN_LABEL = 1009;
constexpr int ID_RUN = 1017;

constexpr int64_t MAX_CAMPAIGN_OKU = 150000;   // refused from here on
constexpr int64_t MAN_PER_OKU = 10000;

constexpr int64_t RIVAL_BASE_VOTES = 110000;
constexpr int64_t RIVAL_VOTE_RANGE = 20000000000LL;
constexpr int64_t END_MARGIN_RANGE = 100000;

constexpr int64_t GAIN_RANGE = 100000000;
constexpr int64_t GAIN_BASE = 30000000;
constexpr int64_t FACTOR_RANGE = 20;
constexpr int64_t FACTOR_BASE = 5;

// The graph, in dialog client pixels.
constexpr int GRAPH_LEFT = 315;
constexpr int GRAPH_RIGHT = 550;
constexpr int GRAPH_WIDTH = 235;
constexpr int RIVAL_TOP = 70, RIVAL_BOTTOM = 90;
constexpr int OWN_TOP = 100, OWN_BOTTOM = 120;
constexpr int HALF_X = 433, HALF_TOP = 50, HALF_BOTTOM = 140;

bool ElectionRunning() { return rivalVotes != 0 || ownVotes != 0; }

std::string Number(int32_t v) { return StrPrintf("%d", v); }

void ShowCounts(DialogHost& dialog) {
    dialog.SetItemText(ID_RIVAL_VOTES, Number(rivalVotes).c_str());
    dialog.SetItemText(ID_OWN_VOTES, Number(ownVotes).c_str());
}

int BarEnd(int32_t votes) {
    return GRAPH_LEFT + TruncToInt32(static_cast<double>(votes) / population * GRAPH_WIDTH);
}

void DrawVoteGraph(DialogHost& dialog) {
    Canvas* canvas = dialog.GetCanvas();
    if (!canvas) return;
    Canvas& c = *canvas;
    c.SelectPen(PEN_BLACK1);
    c.SelectBrush(BRUSH_WHITE);
    c.Rectangle(GRAPH_LEFT, RIVAL_TOP, GRAPH_RIGHT, RIVAL_BOTTOM);
    c.Rectangle(GRAPH_LEFT, OWN_TOP, GRAPH_RIGHT, OWN_BOTTOM);
    c.SelectBrush(BRUSH_BLUE);
    c.Rectangle(GRAPH_LEFT, RIVAL_TOP, BarEnd(rivalVotes), RIVAL_BOTTOM);
    c.SelectBrush(BRUSH_GREEN);
    c.Rectangle(GRAPH_LEFT, OWN_TOP, BarEnd(ownVotes), OWN_BOTTOM);
    c.Line(HALF_X, HALF_TOP, HALF_X, HALF_BOTTOM);
    dialog.Present();
}

void Won() {
    ListedCompany& me = companies[0];
    const int64_t gain = RandMod(GAIN_RANGE) + GAIN_BASE;
    me.profit = SatAdd(me.profit, gain);
    const int32_t factor = static_cast<int32_t>(RandMod(FACTOR_RANGE) + FACTOR_BASE);
    electionPriceMultiplier = factor;
    presidentFlag = 1;
    if (goalStage == 30) goalStage = 31;
    // The price before the next market day multiplies it.
    const int32_t price = me.sharePrice;
    const int64_t profit = me.profit;
    rivalVotes = ownVotes = 0;

    ShowInfo(WIN_DIALOG, TXT_ELECTION_WON, "");
    ShowInfo(WIN_DIALOG, TXT_ELECTION_PRESIDENT, "");
    ShowInfo(WIN_DIALOG, StrPrintf(TXT_ELECTION_PROFIT_UP, Low32(gain), Low32(profit)).c_str(), "");
    ShowInfo(WIN_DIALOG, StrPrintf(TXT_ELECTION_PRICE_UP, factor, price).c_str(), "");
}

}  // namespace

void OpenElectionDialog() { port->OpenDialog(IDD_ELECTION, WIN_MAIN); }

void RunForPresident(DialogHost& dialog, int64_t fundsOku) {
    if (ElectionRunning()) return;
    ListedCompany& me = companies[0];
    // A negative amount would pay the player for running and count the
    // votes downwards, so it is refused like an amount that is too large.
    if (fundsOku < 0 || fundsOku >= MAX_CAMPAIGN_OKU) {
        ShowInfo(WIN_DIALOG, TXT_ELECTION_NO_FUNDS, "");
        return;
    }
    const int64_t cost = fundsOku * MAN_PER_OKU;
    if (cost > me.funds) {
        ShowInfo(WIN_DIALOG, TXT_ELECTION_NO_FUNDS, "");
        return;
    }
    me.funds -= cost;
    campaignFunds = cost;
    ShowInfo(WIN_DIALOG, TXT_ELECTION_RUNNING, "");
    dialog.StartTimer(ELECTION_TIMER_MS);
}

void ElectionTick(DialogHost& dialog) {
    DrawVoteGraph(dialog);

    rivalVotes = ClampToInt32(static_cast<int64_t>(rivalVotes) + RIVAL_BASE_VOTES + RandMod(RIVAL_VOTE_RANGE));
    const int64_t funds = campaignFunds;
    ownVotes = ClampToInt32(SatAdd(ownVotes, RandMod(funds / 40 + 1) + funds / 8000));
    ShowCounts(dialog);

    const int64_t total = static_cast<int64_t>(rivalVotes) + ownVotes;
    if (total <= population - RandMod(END_MARGIN_RANGE)) return;

    dialog.StopTimer();
    if (rivalVotes < ownVotes) {
        Won();
    } else {
        rivalVotes = ownVotes = 0;
        ShowInfo(WIN_DIALOG, TXT_ELECTION_LOST, "");
    }
}

void WithdrawFromElection(DialogHost& dialog) {
    if (!ElectionRunning()) {
        dialog.Close(ID_CLOSE);
        return;
    }
    if (!AskYesNo(WIN_DIALOG, TXT_ELECTION_ASK_WITHDRAW, TXT_CAP_CONFIRM)) return;
    // The count may have ended while the question was open; the result has
    // then been told and there is nothing left to withdraw from.
    if (!ElectionRunning()) {
        dialog.Close(ID_CLOSE);
        return;
    }
    dialog.StopTimer();
    rivalVotes = ownVotes = 0;
    ShowInfo(WIN_DIALOG, TXT_ELECTION_WITHDRAWN, "");
    dialog.Close(ID_CLOSE);
}

void ElectionDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT: {
            // An election only runs inside its dialog: a dialog that went
            // away without its close button leaves no count behind.
            rivalVotes = ownVotes = 0;
            const char* ceo = companies[0].ceoName ? companies[0].ceoName : playerNameBuf;
            dialog.SetItemText(ID_OWN_LABEL, StrPrintf(TXT_ELECTION_CANDIDATE, ceo).c_str());
            dialog.SetItemText(ID_POPULATION, Number(population).c_str());
            ShowCounts(dialog);
            break;
        }
        case DLG_COMMAND:
            if (id == ID_RUN) RunForPresident(dialog, ParseTypedInt32(dialog.ItemText(ID_CAMPAIGN_FUNDS)));
            if (id == ID_CLOSE || id == ID_ESCAPE) WithdrawFromElection(dialog);
            break;
        case DLG_TIMER:
            ElectionTick(dialog);
            break;
        case DLG_PAINT:
            DrawVoteGraph(dialog);
            break;
    }
}
