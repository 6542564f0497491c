// The started game the benchmarks measure: the world of a fixed seed with the
// player's default names, messages going nowhere.
#pragma once

#include "world/new_game.h"
#include "world/port.h"
#include "world/world_state.h"

// The started game on the given port (a headless host for the dialogs).
inline void FreshGame(Port& on) {
    port = &on;
    ResetWorldToProgramStart();
    StartUpWorld(20261206);
    companies[0].name = playerCompanyNameBuf;
    companies[0].ceoName = playerNameBuf;
}

inline void FreshGame() {
    static NullPort quiet;
    FreshGame(quiet);
}
