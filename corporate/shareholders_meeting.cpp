#include "corporate/shareholders_meeting.h"

#include <string>

#include "corporate/meeting_texts.h"
#include "display/painters.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_ESCAPE = 2;
constexpr int ID_STAKE = 1002;
constexpr int ID_YES = 1003;
constexpr int ID_NO = 1004;
constexpr int ID_NEW_SHARE_COUNT = 1008;
constexpr int ID_NEW_SHARES = 1032;
constexpr int VOTE_TIMER_MS = 100;

// A new issue must stay below both bounds.
constexpr int64_t MAX_NEW_SHARES = 1000000000LL;
constexpr int64_t MAX_ISSUED_AFTER = 50000000000LL;

struct BusinessProposal {
    int button;
    const char* question;
    int64_t noDivisor;   // the no side starts at (100 - stake) / noDivisor
    int64_t factor;      // the effect in 万円 per yen of the share price
};

const BusinessProposal BUSINESS_PROPOSALS[] = {
    {1017, TXT_AGM_ASK_CEO, 2, 1000},
    {1018, TXT_AGM_ASK_LAYOFFS, 3, 700},
    {1019, TXT_AGM_ASK_ABROAD, 4, 500},
    {1020, TXT_AGM_ASK_SHRINK, 5, 300},
    {1021, TXT_AGM_ASK_EXPAND, 6, 100},
};

int requestedCompany = -1;   // set while the other-company dialog opens us
int meetingCompany = 0;      // s for the meeting that is open
// Set once the meeting has closed: a question still open when a vote tick
// ended the meeting must not start a new vote in a closed dialog.
bool meetingClosed = true;

bool ValidCompany(int c) { return c >= 0 && c < COMPANY_COUNT; }

int64_t Stake() {
    const int s = meetingCompany;
    return StakePercent(companies[0].holdings[s], companies[s].issuedShares);
}

std::string Number(int64_t v) { return StrPrintf("%d", Low32(v)); }

void CloseMeeting(DialogHost& dialog) {
    meetingClosed = true;
    dialog.Close(ID_CLOSE);
}

// The announcement that opens every vote; false when the meeting closed
// behind it.
bool AnnounceVote() {
    ShowInfo(WIN_DIALOG, TXT_AGM_VOTE_STARTS);
    return !meetingClosed;
}

// The shared tail of every proposal: the starting votes and the (re)started
// timer.
void StartVote(DialogHost& dialog, int64_t noDivisor, int32_t effect, int32_t newShareIssue) {
    const int64_t stake = Stake();
    voteYes = ClampToInt32(stake);
    voteNo = ClampToInt32(SatSub(100, stake) / noDivisor);
    agmEffect = effect;
    agmNewShareProposal = newShareIssue;
    dialog.StartTimer(VOTE_TIMER_MS);
}

void SubmitBusinessProposal(DialogHost& dialog, const BusinessProposal& p) {
    if (!AskYesNo(WIN_DIALOG, p.question, TXT_CAP_CONFIRM) || meetingClosed || !AnnounceVote()) return;
    // The price is read once the announcement is answered (the market moves
    // behind it); the product is taken to its low 32 bits, as the game keeps it.
    const int32_t effect = Low32(SatMul(companies[meetingCompany].sharePrice, p.factor));
    StartVote(dialog, p.noDivisor, effect, 0);
}

void SubmitNewShareProposal(DialogHost& dialog) {
    const int64_t n = ParseTypedInt32(dialog.ItemText(ID_NEW_SHARE_COUNT));
    const int64_t issued = companies[meetingCompany].issuedShares;
    // A count of zero or below would shrink the company (or leave the
    // meeting unrecorded); it is refused with the other impossible counts.
    if (n <= 0 || SatAdd(issued, n) >= MAX_ISSUED_AFTER || n >= MAX_NEW_SHARES) {
        ShowInfo(WIN_DIALOG, TXT_AGM_TOO_MANY_SHARES);
        return;
    }
    const std::string question = StrPrintf(TXT_AGM_ASK_NEW_SHARES, static_cast<int>(n));
    if (!AskYesNo(WIN_DIALOG, question.c_str(), TXT_CAP_CONFIRM) || meetingClosed || !AnnounceVote()) return;
    StartVote(dialog, 2, static_cast<int32_t>(n), 1);
}

// A carried business proposal: a coin decides whether the profit gains or
// loses the effect.
void ApplyBusinessEffect(int32_t effect) {
    ListedCompany& c = companies[meetingCompany];
    const int32_t r = GameRand() % 2;
    ShowInfo(WIN_DIALOG, TXT_AGM_EFFECT_IS);
    ShowInfo(WIN_DIALOG, TXT_AGM_DOTS);
    ShowInfo(WIN_DIALOG, TXT_AGM_DOTS);
    if (r == 0) {
        c.profit = SatAdd(c.profit, effect);
        ShowInfo(WIN_DIALOG, StrPrintf(TXT_AGM_GREAT_SUCCESS, effect).c_str());
    } else {
        c.profit = SatSub(c.profit, effect);
        ShowInfo(WIN_DIALOG, StrPrintf(TXT_AGM_GREAT_FAILURE, effect).c_str());
    }
}

// A carried new-share issue: the company sells the shares at a tenth of a
// 万円 per thousand shares and yen; nobody's holding changes.
void ApplyNewShareIssue(int32_t effect) {
    ListedCompany& c = companies[meetingCompany];
    c.funds = SatAdd(c.funds, SatMul(effect / 1000, c.sharePrice) / 10);
    c.issuedShares = SatAdd(c.issuedShares, effect);
    agmNewShareProposal = 0;
    ShowInfo(WIN_DIALOG, StrPrintf(TXT_AGM_SHARES_ISSUED, effect).c_str());
}

void VoteTick(DialogHost& dialog) {
    int64_t yes = static_cast<int64_t>(voteYes) + GameRand() % 2;
    const int64_t no = static_cast<int64_t>(voteNo) + GameRand() % 3;
    if (yes + no > 100) yes = 100 - no;
    voteYes = ClampToInt32(yes);
    voteNo = ClampToInt32(no);

    if (Canvas* canvas = dialog.GetCanvas()) PaintVoteBars(*canvas, voteYes, voteNo);
    dialog.Present();
    dialog.SetItemText(ID_YES, Number(voteYes).c_str());
    dialog.SetItemText(ID_NO, Number(voteNo).c_str());

    if (voteYes > 50) {
        dialog.StopTimer();
        // The proposal decided is the one voted on, even if the calendar
        // clears the marker while the messages are read.
        const int32_t effect = agmEffect;
        const bool newShareIssue = agmNewShareProposal == 1;
        ShowInfo(WIN_DIALOG, TXT_AGM_CARRIED);
        if (newShareIssue) {
            ApplyNewShareIssue(effect);
        } else {
            ApplyBusinessEffect(effect);
        }
        CloseMeeting(dialog);
    } else if (voteNo > 50) {
        dialog.StopTimer();
        ShowInfo(WIN_DIALOG, TXT_AGM_REJECTED);
        CloseMeeting(dialog);
    } else if (static_cast<int64_t>(voteYes) + voteNo >= 100 && voteYes == voteNo) {
        dialog.StopTimer();
        ShowInfo(WIN_DIALOG, TXT_AGM_TIED);
    }
}

void OnCommand(DialogHost& dialog, int id) {
    if (id == ID_CLOSE || id == ID_ESCAPE) {
        CloseMeeting(dialog);
        return;
    }
    if (id == ID_NEW_SHARES) {
        SubmitNewShareProposal(dialog);
        return;
    }
    for (const BusinessProposal& p : BUSINESS_PROPOSALS) {
        if (p.button == id) {
            SubmitBusinessProposal(dialog, p);
            return;
        }
    }
}

}  // namespace

void OpenShareholdersMeetingDialog(int s) {
    requestedCompany = s;
    port->OpenDialog(IDD_MEETING, WIN_DIALOG);
    requestedCompany = -1;
}

void ShareholdersMeetingDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            if (ValidCompany(requestedCompany)) {
                meetingCompany = requestedCompany;
            } else {
                meetingCompany = ValidCompany(selectedCompany) ? selectedCompany : 0;
            }
            meetingClosed = false;
            dialog.SetItemText(ID_STAKE, Number(Stake()).c_str());
            break;
        case DLG_COMMAND: OnCommand(dialog, id); break;
        case DLG_TIMER:
            if (!meetingClosed) VoteTick(dialog);
            break;
        case DLG_PAINT: break;
    }
}
