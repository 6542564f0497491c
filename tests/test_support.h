// Shared fixture: a fresh world started as the game starts, with the headless port installed and recording.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "tools/headless/headless_port.h"
#include "world/world_state.h"

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Program start followed by the world half of start-up with this seed.
    void StartGame(uint32_t seed);
    HeadlessPort headless;

private:
    Port* previous_ = nullptr;
};

// The world-state invariants that the market day keeps: empty when they hold, else the first violation.
std::string CheckWorldInvariants();

// The invariants that hold at every moment, whatever the player did in a dialog since the last market day:
// indices in range, names present and well formed, news states valid, no computer company left bankrupt, no
// price, share count or holding below zero. Empty when they hold.
std::string CheckStructuralInvariants();

// Reads a text from UTF-8 into the game's code page 932, for tests only.
std::string Sjis(const char* utf8);
std::string Recode(const std::string& in, bool toSjis);
// A new empty folder under the system's temporary folder (empty on failure).
std::string MakeTempDir();

// The game's generator as it is defined, written here independently of the game's code: one step of `state`,
// returning the draw.
int32_t NextDraw(uint32_t& state);
// A test on one draw of the generator, for arranging the draws a case needs.
using DrawTest = std::function<bool(int32_t)>;
// The draw leaves this residue modulo n / any draw.
DrawTest Mod(int n, int residue);
DrawTest Any();
// Puts the generator into a state whose next draws pass the tests in order, so that a step's coin flips come
// out as the case needs. Returns that state.
uint32_t ArrangeDraws(std::initializer_list<DrawTest> tests);
uint32_t ArrangeDraws(const std::vector<DrawTest>& tests);

// Number of draws made since the generator was in state `from` (-1 beyond 1000).
int DrawsSince(uint32_t from);
