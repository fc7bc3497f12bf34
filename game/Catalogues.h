#pragma once
// The fixed catalogues, filled once at start-up and constant afterwards.
// Every lookup by a value that may come from the save file stays in bounds:
// an index outside a table reads as an empty entry.
#include <array>
#include <cstdint>

#include "base/Text.h"

namespace ikea {

struct tfish {
  Text Name;
  Text Remark;
  std::int32_t BaseValue = 0;
  std::int32_t BaseStrength = 0;
  std::int32_t BaseWits = 0;
  std::int32_t BaseGuts = 0;
  std::int32_t TimeClass = 0;  // 0 night, 1 morning, 2 day, 3 evening
};

struct Catalogues {
  std::array<tfish, 512> SpeciesTable{};
  std::array<Text, 256> ReelNames{};
  std::array<Text, 256> GunNames{};
  std::array<Text, 601> LineNames{};
  std::array<Text, 257> PondSayings{};
  std::array<Text, 255> RivalNames{};

  // Fills the species, equipment names and pond sayings with their constant
  // values (the rival names come from name.dat).
  void FillConstants();

  // Bounds-safe reads.
  const tfish& Species(std::int64_t index) const;
  const Text& ReelName(std::int64_t level) const;
  const Text& GunName(std::int64_t level) const;
  const Text& LineName(std::int64_t strength) const;
  const Text& PondSaying(std::int64_t index) const;
  const Text& RivalName(std::int64_t index) const;
};

// The 184-byte cp932 syllable string: 92 two-byte syllables.
const Text& KanaSyllables();
// Syllable k (two bytes), or empty past the 92nd.
Text KanaSyllable(std::int64_t k);

// Time class of an hour: 5..7 morning (1), 8..16 day (2), 17..19 evening (3),
// anything else night (0).
int TimeClassOfHour(std::int32_t hour);

} // namespace ikea
