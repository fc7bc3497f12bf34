#pragma once
// The pond's effect ring: splashes, sprays, ripples, shot sparks and
// floating damage numbers. Entries 0..98 are used in turn; entry 99 stays free.
#include <cstdint>

namespace ikea {

struct GameState;
class RandomSource;
class Canvas;

enum EffectKinds : std::int32_t {
  kSplash = 0,
  kSpray = 1,
  kRipple = 2,
  kShot = 3,
  kDamageNumber = 4,
};

constexpr std::int32_t kEffectRingSize = 99;  // entries 0..98
constexpr std::int32_t kEffectLifetime = 30;  // drawn at ages 1..29

// Puts an effect into the next ring entry, cutting short whatever lived
// there. A param of 0 picks a random size 1..3.
void SpawnEffect(GameState& s, RandomSource& rnd, std::int32_t kind, std::int32_t x,
                 std::int32_t y, std::int32_t param);

// Draws every live effect in entry order and ages it; an effect is freed
// after it has been drawn at age 29.
void DrawAndAgeEffects(GameState& s, RandomSource& rnd, Canvas& canvas);

} // namespace ikea
