#pragma once
// The constant rows the catalogues are filled from, kept as plain data apart
// from the code that copies and looks them up.
#include <cstdint>
#include <span>

namespace ikea::tables {

struct SpeciesRow {
  const char* name;
  const char* remark;
  std::int32_t baseValue;
  std::int32_t baseStrength;
  std::int32_t baseWits;
  std::int32_t baseGuts;
  std::int32_t timeClass;
};

// Species 1..69 in catalogue order (row 0 is species 1).
std::span<const SpeciesRow> SpeciesRows();

// Reel levels 0..6 and gun levels 0..15.
std::span<const char* const> ReelNameRows();
std::span<const char* const> GunNameRows();

// Line names by strength: row i names strength kFirstLineStrength + i * kLineStrengthStep.
constexpr int kFirstLineStrength = 280;
constexpr int kLineStrengthStep = 10;
std::span<const char* const> LineNameRows();

// Sayings 0..65.
std::span<const char* const> PondSayingRows();

} // namespace ikea::tables
