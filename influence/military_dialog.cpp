#include "influence/military_dialog.h"

#include <cstdio>
#include <string>

#include "influence/military_texts.h"
#include "resources/dialog_ids.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

int32_t warState = 0;

// Tanks follow the number their refusal message states, so that the player
// is told the true limit.
const int32_t WEAPON_ORDER_LIMIT[WEAPON_TYPE_COUNT] = {50, 100, 50, 50, 100000, 10, 10, 10, 10, 3};

namespace {

// Military dialog controls.
constexpr int ID_PRICE_FIRST = 1002;
constexpr int ID_HELD_FIRST = 1012;
constexpr int ID_ORDER_FIRST = 1022;
constexpr int ID_BUY_FIRST = 1032;
constexpr int ID_GO_TO_WAR = 1042;
constexpr int ID_MILITARY_CLOSE = 1043;

// War dialog controls.
constexpr int ID_OWN_FIRST = 1012;
constexpr int ID_ENEMY_FIRST = 1022;
constexpr int ID_LAUNCH = 1033;
constexpr int ID_DECLARE = 1034;
constexpr int ID_ARMISTICE = 1035;
constexpr int ID_SURRENDER = 1;
constexpr int ID_WAR_CLOSE = 1036;
constexpr int ID_ESCAPE = 2;

const char* const BOUGHT[WEAPON_TYPE_COUNT] = {
    TXT_ARMY_BOUGHT_0, TXT_ARMY_BOUGHT_1, TXT_ARMY_BOUGHT_2, TXT_ARMY_BOUGHT_3, TXT_ARMY_BOUGHT_4,
    TXT_ARMY_BOUGHT_5, TXT_ARMY_BOUGHT_6, TXT_ARMY_BOUGHT_7, TXT_ARMY_BOUGHT_8, TXT_ARMY_BOUGHT_9,
};

const char* const LIMIT_MESSAGE[WEAPON_TYPE_COUNT] = {
    TXT_ARMY_LIMIT_50,        TXT_ARMY_LIMIT_100_PLANES, TXT_ARMY_LIMIT_50_UNITS, TXT_ARMY_LIMIT_50_UNITS,
    TXT_ARMY_LIMIT_INFANTRY,  TXT_ARMY_LIMIT_SHIPS,      TXT_ARMY_LIMIT_SHIPS,    TXT_ARMY_LIMIT_SHIPS,
    TXT_ARMY_LIMIT_SHIPS,     TXT_ARMY_LIMIT_MISSILES,
};

// One strike per present attacking type: a single draw, subtracted from
// every target type of the other side.
struct Attack {
    int32_t modulus;
    int32_t targetCount;
    int32_t targets[6];
};

const Attack ATTACKS[CONVENTIONAL_TYPE_COUNT] = {
    {3, 6, {Tank, AntiTankGun, Infantry, Battleship, Cruiser, AntiAircraftShip}},
    {3, 2, {Bomber, Fighter}},
    {1000, 1, {Infantry}},
    {5, 1, {Tank}},
    {2, 3, {Bomber, Fighter, AntiTankGun}},
    {2, 6, {Tank, AntiTankGun, Infantry, Battleship, Cruiser, AntiAircraftShip}},
    {3, 6, {Tank, AntiTankGun, Infantry, Battleship, Cruiser, AntiAircraftShip}},
    {3, 5, {Tank, AntiTankGun, Infantry, Battleship, Submarine}},
    {5, 2, {Bomber, Fighter}},
};

void ShowNumber(DialogHost& dialog, int id, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    dialog.SetItemText(id, text);
}

void ShowOwnForces(DialogHost& dialog) {
    for (int k = 0; k < WEAPON_TYPE_COUNT; ++k) ShowNumber(dialog, ID_OWN_FIRST + k, playerForces[k]);
}

void ShowEnemyForces(DialogHost& dialog) {
    for (int k = 0; k < WEAPON_TYPE_COUNT; ++k) ShowNumber(dialog, ID_ENEMY_FIRST + k, enemyForces[k]);
}

void RefreshMilitary(DialogHost& dialog) {
    for (int k = 0; k < WEAPON_TYPE_COUNT; ++k) {
        ShowNumber(dialog, ID_PRICE_FIRST + k, weaponPrice[k]);
        ShowNumber(dialog, ID_HELD_FIRST + k, playerForces[k]);
    }
}

// The side strikes with every type it has units of, in type order. A count
// below 0 never strikes and is set to 0 when struck, whatever the damage;
// the difference is taken in 64 bits so that no count can wrap.
void Strike(const int32_t* attacker, int32_t* defender) {
    for (int a = 0; a < CONVENTIONAL_TYPE_COUNT; ++a) {
        if (attacker[a] <= 0) continue;
        const Attack& attack = ATTACKS[a];
        const int32_t damage = GameRand() % attack.modulus;
        for (int n = 0; n < attack.targetCount; ++n) {
            int32_t& count = defender[attack.targets[n]];
            const int64_t left = static_cast<int64_t>(count) - damage;
            count = left < 0 ? 0 : static_cast<int32_t>(left);
        }
    }
}

bool AllZero(const int32_t* forces) {
    for (int k = 0; k < CONVENTIONAL_TYPE_COUNT; ++k)
        if (forces[k] != 0) return false;
    return true;
}

bool AnyZero(const int32_t* forces) {
    for (int k = 0; k < CONVENTIONAL_TYPE_COUNT; ++k)
        if (forces[k] == 0) return true;
    return false;
}

// A nuclear strike leaves four fifths of every conventional type, taken in
// 64 bits so that a count beyond a quarter of the 32-bit range (negative
// counts bought by a negative order included) cannot wrap.
void NuclearStrike(int32_t* forces) {
    for (int k = 0; k < CONVENTIONAL_TYPE_COUNT; ++k)
        forces[k] = static_cast<int32_t>(static_cast<int64_t>(forces[k]) * 4 / 5);
}

void BorrowReparations(int64_t amount) {
    ListedCompany& me = companies[0];
    me.loans[2] = SatAdd(me.loans[2], amount);
    me.debt = SatAdd(me.debt, amount);
}

void Surrender(DialogHost& dialog) {
    if (warState != 1) return;
    dialog.StopTimer();
    if (!AskYesNo(WIN_DIALOG, TXT_WAR_SURRENDER_ASK, TXT_CAP_CONFIRM)) {
        dialog.StartTimer(WAR_TIMER_MS);
        return;
    }
    // The enemy keeps its forces: nothing is redrawn after a surrender.
    BorrowReparations(WAR_REPARATIONS);
    warState = 0;
    ShowInfo(WIN_DIALOG, TXT_WAR_SURRENDERED, "");
    dialog.Close(ID_SURRENDER);
}

void LaunchNuclearMissile(DialogHost& dialog) {
    if (warState != 1 || playerForces[NuclearMissile] < 1) return;
    dialog.StopTimer();
    if (AskYesNo(WIN_DIALOG, TXT_WAR_NUKE_ASK, TXT_CAP_CONFIRM)) {
        ShowInfo(WIN_DIALOG, TXT_WAR_NUKE_LAUNCHED, "");
        NuclearStrike(enemyForces);
        playerForces[NuclearMissile] -= 1;
        ShowEnemyForces(dialog);
        ShowOwnForces(dialog);
        ShowInfo(WIN_DIALOG, TXT_WAR_NUKE_DAMAGE_DEALT, "");
        if (enemyForces[NuclearMissile] > 0) {
            ShowInfo(WIN_DIALOG, TXT_WAR_NUKE_RETALIATION, "");
            while (enemyForces[NuclearMissile] >= 1) {
                // Once nothing is left the remaining missiles change no count:
                // they are spent at once instead of one by one.
                if (AllZero(playerForces)) {
                    enemyForces[NuclearMissile] = 0;
                    break;
                }
                NuclearStrike(playerForces);
                enemyForces[NuclearMissile] -= 1;
            }
            ShowOwnForces(dialog);
            ShowEnemyForces(dialog);
            ShowInfo(WIN_DIALOG, TXT_WAR_NUKE_DAMAGE_TAKEN, "");
        }
    }
    dialog.StartTimer(WAR_TIMER_MS);
}

void AskForArmistice(DialogHost& dialog) {
    if (warState != 1) return;
    dialog.StopTimer();
    // The enemy talks only once it has lost a whole type; a negative count
    // is not a lost type.
    if (!AnyZero(enemyForces)) {
        ShowInfo(WIN_DIALOG, TXT_WAR_NO_YIELD, "");
        dialog.StartTimer(WAR_TIMER_MS);
        return;
    }
    if (!AskYesNo(WIN_DIALOG, TXT_WAR_ARMISTICE_ASK, TXT_CAP_CONFIRM)) {
        dialog.StartTimer(WAR_TIMER_MS);
        return;
    }
    BorrowReparations(ARMISTICE_PAYMENT);
    warState = 0;
    DrawNewEnemyForces();
    ShowInfo(WIN_DIALOG, TXT_WAR_ARMISTICE, "");
    dialog.Close(1);
}

void DeclareWar(DialogHost& dialog) {
    if (warState != 0) return;
    if (!AskYesNo(WIN_DIALOG, TXT_WAR_DECLARE, TXT_CAP_CONFIRM)) return;
    warState = 1;
    dialog.StartTimer(WAR_TIMER_MS);
}

}  // namespace

void OpenMilitaryDialog() { port->OpenDialog(IDD_MILITARY, WIN_MAIN); }

void BuyWeapons(DialogHost& dialog, int type, int64_t count) {
    if (type < 0 || type >= WEAPON_TYPE_COUNT) return;
    // A negative order would sell weapons back for money from nothing: it
    // is outside what one order may hold, as one above the limit is.
    if (count < 0 || count > WEAPON_ORDER_LIMIT[type]) {
        ShowInfo(WIN_DIALOG, LIMIT_MESSAGE[type], "");
        return;
    }
    ListedCompany& me = companies[0];
    const int64_t cost = SatMul(count, weaponPrice[type]);
    if (cost > me.funds) {
        ShowInfo(WIN_DIALOG, TXT_ARMY_NO_MONEY, "");
        return;
    }
    // The 32-bit count stops at its bounds rather than wrapping sign after
    // many orders.
    playerForces[type] = ClampToInt32(static_cast<int64_t>(playerForces[type]) + count);
    me.funds = SatSub(me.funds, cost);
    ShowNumber(dialog, ID_HELD_FIRST + type, playerForces[type]);
    ShowInfo(WIN_DIALOG, StrPrintf(BOUGHT[type], Low32(count)).c_str(), "");
}

void DrawNewEnemyForces() {
    enemyForces[Bomber] = 2000 - GameRand() % 1000;
    enemyForces[Fighter] = 5000 - GameRand() % 1000;
    enemyForces[Tank] = 3000 - GameRand() % 10000;
    enemyForces[AntiTankGun] = 2500 - GameRand() % 5000;
    enemyForces[Infantry] = 80000 - GameRand() % 20000;
    for (int k = Battleship; k <= AntiAircraftShip; ++k) enemyForces[k] = 500 - GameRand() % 100;
    enemyForces[NuclearMissile] = 25 - GameRand() % 10;
}

void WarBattleTurn(DialogHost& dialog) {
    Strike(playerForces, enemyForces);
    Strike(enemyForces, playerForces);

    if (AllZero(playerForces)) {
        dialog.StopTimer();
        BorrowReparations(WAR_REPARATIONS);
        DrawNewEnemyForces();
        warState = 0;
        ShowInfo(WIN_DIALOG, TXT_WAR_DEFEAT, "");
        ShowInfo(WIN_DIALOG, TXT_WAR_DEFEAT_REPARATIONS, "");
        dialog.Close(1);
        // The new enemy always has bombers, so no victory can follow.
        return;
    }

    if (AllZero(enemyForces)) {
        dialog.StopTimer();
        warPriceMultiplier = VICTORY_PRICE_MULTIPLIER;
        DrawNewEnemyForces();
        warState = 0;
        if (goalStage == 50) goalStage = 51;
        ShowInfo(WIN_DIALOG, TXT_WAR_VICTORY, "");
        ShowInfo(WIN_DIALOG, TXT_WAR_VICTORY_PRICE, "");
        dialog.Close(1);
        return;
    }

    ShowOwnForces(dialog);
    ShowEnemyForces(dialog);
}

void MilitaryDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            RefreshMilitary(dialog);
            break;
        case DLG_COMMAND:
            if (id >= ID_BUY_FIRST && id < ID_BUY_FIRST + WEAPON_TYPE_COUNT) {
                const int type = id - ID_BUY_FIRST;
                BuyWeapons(dialog, type, ParseTypedInt32(dialog.ItemText(ID_ORDER_FIRST + type)));
            } else if (id == ID_GO_TO_WAR) {
                port->OpenDialog(IDD_WAR, WIN_DIALOG);
                // Back from the war: the holdings have changed.
                RefreshMilitary(dialog);
            } else if (id == ID_MILITARY_CLOSE || id == ID_ESCAPE) {
                dialog.Close(id);
            }
            break;
        case DLG_TIMER:
        case DLG_PAINT:
            break;
    }
}

void WarDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            // Every war ends with its dialog, so a new dialog opens at peace.
            warState = 0;
            ShowOwnForces(dialog);
            ShowEnemyForces(dialog);
            break;
        case DLG_COMMAND:
            switch (id) {
                case ID_DECLARE: DeclareWar(dialog); break;
                case ID_LAUNCH: LaunchNuclearMissile(dialog); break;
                case ID_ARMISTICE: AskForArmistice(dialog); break;
                case ID_SURRENDER: Surrender(dialog); break;
                case ID_WAR_CLOSE:
                case ID_ESCAPE:
                    // At war only the war's own ends close the dialog.
                    if (warState == 0) dialog.Close(id);
                    break;
                default: break;
            }
            break;
        case DLG_TIMER:
            if (warState == 1) WarBattleTurn(dialog);
            break;
        case DLG_PAINT:
            break;
    }
}
