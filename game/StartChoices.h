#pragma once
// The start screen's two choices and the save button.
#include "game/GameState.h"

namespace ikea {

struct GameContext;

constexpr std::int32_t kSaveFee = 50;

// Save button ("セーブ \50"): pays the fee and saves. A failed save keeps the
// fee paid and lets the GameError through for the window to show.
void Button2Click(GameContext& ctx);

// NEW GAME: asks, then resets the game in memory (the file only changes with
// the next save).
void Button8Click(GameContext& ctx);

// COUNTINE: goes on with the loaded game.
void Button9Click(GameContext& ctx);

// The NEW GAME values: money, stock and equipment of a beginner, every slot
// emptied. Bellies and cups are left as they are.
void ResetToNewGame(tmy& saved);

// A fresh state as NEW GAME leaves it, for a first save file.
GameState NewGameState();

} // namespace ikea
