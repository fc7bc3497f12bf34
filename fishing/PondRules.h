#pragma once
// The two game rules the pond step runs: the bite while the float is in the
// water, and the hooked creature's wandering.
namespace ikea {

struct GameContext;

// One chance in 100 per call: hooks a creature whose size grows with the
// distance of the float and, at dawn and dusk, with the hour.
void BiteRule(GameContext& ctx);

// Splashes, sprays and ripples around the creature, then a random step kept
// inside x 0..300, y 50..200.
void MoveHookedCreature(GameContext& ctx);

} // namespace ikea
