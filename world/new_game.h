// The opening position of a game.
#pragma once

#include <cstdint>

// Fills the world with the opening position. Called once by start-up, after
// the generator has been seeded and the player buffers filled; draws 500
// values per company for the price history.
void NewGameSetup();

// The world half of start-up, in the game's order: seed the generator, set
// the main-view start values, fill the player buffers with the default names,
// point company 0's texts at the one-blank text, clear the takeover bid and
// run NewGameSetup.
void StartUpWorld(uint32_t seed);

// The one-blank text that company 0 bears before the player founds it.
extern const char ONE_BLANK_TEXT[];

// Answering Yes to the scenario question: level 1 with its title and goal.
void EnterScenarioMode();
