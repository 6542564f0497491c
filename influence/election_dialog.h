// The presidential election (140): the campaign and the live vote count.
#pragma once

#include <cstdint>

#include "world/port.h"

// The voters; the election ends when the votes cast come near this.
inline constexpr int32_t population = 230000000;

// The running election. Both counts are 0 while none runs; the rival gains
// votes on every tick, so a running election always has a count above 0.
extern int32_t rivalVotes;
extern int32_t ownVotes;
extern int64_t campaignFunds;   // 万円

constexpr int ELECTION_TIMER_MS = 1;

// Opens the election modally over the main view.
void OpenElectionDialog();

void ElectionDialogProc(DialogHost& dialog, DialogEvent event, int id);

// The button handlers. RunForPresident takes the campaign funds in 億円 and
// does nothing while an election runs; WithdrawFromElection asks first and
// closes the dialog on Yes.
void RunForPresident(DialogHost& dialog, int64_t fundsOku);
void WithdrawFromElection(DialogHost& dialog);

// One tick of a running election: the graph, both candidates' new votes and
// the end test with its result.
void ElectionTick(DialogHost& dialog);
