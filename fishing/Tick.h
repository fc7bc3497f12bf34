#pragma once
// The game's clockwork: the 50 ms timer runs one game tick whenever more
// than 100 ms have passed since the last, and the tick advances the fishing
// state, the pond and a running race.
#include <functional>

#include "fishing/Status.h"

namespace ikea {

struct GameContext;
struct GameState;

// One race step; the window binds it to the race rules.
using StepRaceFn = std::function<void()>;

// True when a tick is due at `now` (strictly after NextTickAt); the next one
// is then scheduled 100 ms later.
bool ClaimTickIfDue(GameState& s, double now);

// One game step: the hooked caption, reeling with nothing on the line, the
// fight, and on a tick that ends no attempt the pond step, the race step and
// the tank card's jiggle. Draws on the view's pond canvas.
void GameTick(GameContext& ctx, const StepRaceFn& stepRace);

// The timer handler: a tick when due, then the status the window must show
// (its widgets are set only where a value changed).
StatusTexts Timer1Timer(GameContext& ctx, const StepRaceFn& stepRace);

} // namespace ikea
