#pragma once
// The fight on the line: reeling, tension and the three endings of an
// attempt with a creature on it (escape, landing, line break).
#include <cstdint>

namespace ikea {

struct GameState;
struct GameContext;
class RandomSource;

// Clears the line after any ending; positions, size, fight ticks and the
// fight's start are kept.
void LineReset(GameState& s);

// Plays "maku.wav" on a channel drawn at random (2, 3 or 1).
void PlayReelSound(GameContext& ctx);

// Whether a reeling step gains line; draws only for the hit-point band the
// creature is in.
bool ReelGains(GameState& s, RandomSource& rnd);

// Metres gained by one reeling step at a reel level: 1 plus the level's extra.
std::int32_t ReelGainMetres(std::int32_t reelLevel, RandomSource& rnd);

// The hooked part of a tick. Returns true when the attempt ended (the tick
// then ends without a pond step).
bool FightStep(GameContext& ctx);

} // namespace ikea
