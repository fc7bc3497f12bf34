#pragma once
// Prices of the next equipment level, from the current one. The shop's
// handlers charge them and the status panel's upgrade captions show them.
#include <cstdint>

#include "game/GameState.h"

namespace ikea {

constexpr std::int32_t kLastOfferedGunLevel = 14;      // the gun ends at 15
constexpr std::int32_t kLastOfferedLineStrength = 490;  // the line ends at 500
constexpr std::int32_t kLastOfferedReelLevel = 5;       // the reel ends at 6
constexpr std::int32_t kLineStrengthStep = 10;

inline std::int32_t GunPrice(std::int32_t gunLevel) { return WrapAdd(WrapMul(100, gunLevel), 200); }
inline std::int32_t LinePrice(std::int32_t lineStrength) {
  return WrapAdd(WrapMul(7, WrapSub(lineStrength, 280)), 100);
}
inline std::int32_t ReelPrice(std::int32_t reelLevel) { return WrapAdd(WrapMul(500, reelLevel), 1000); }

} // namespace ikea
