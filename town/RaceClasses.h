#pragma once
// The six race classes: fee, texts and the bounds of the rivals' figures.
#include <array>
#include <cstdint>

#include "game/GameState.h"

namespace ikea {

constexpr int kRaceClasses = 6;

struct RaceClassInfo {
  std::int32_t fee;
  const char* confirmClosing;  // ends the entry question after the fish's name
  const char* winMessage;
  std::array<std::int32_t, kRivals> speedBounds;  // runners 2..6
  std::array<std::int32_t, kRivals> gutsBounds;
  std::array<std::int32_t, kRivals> cheerBounds;
};

// Class 1..6, or nullptr for anything else.
const RaceClassInfo* RaceClassOf(std::int32_t raceClass);

// The prize of a win: 1000 yen per class number.
inline std::int32_t RacePrize(std::int32_t raceClass) { return WrapMul(raceClass, 1000); }

} // namespace ikea
