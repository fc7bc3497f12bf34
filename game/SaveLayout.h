#pragma once
// The order of the 28 items in dat/my.dat. Reader and writer both walk this
// one table, so the two can never disagree; the order is the file's own and
// follows neither the record's fields nor their kinds.
#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "game/GameState.h"

namespace ikea {

using SavedScalar = std::int32_t tmy::*;
using SavedIntegers = TankArray<std::int32_t> tmy::*;  // 512 lines, slot order
using SavedTexts = TankArray<Text> tmy::*;             // 512 lines, slot order
using SaveItem = std::variant<SavedScalar, SavedIntegers, SavedTexts>;

inline constexpr std::array<SaveItem, 28> kSaveItems = {
    &tmy::TankKind,     &tmy::TankSize,  &tmy::Bullets,      &tmy::LineWear,   &tmy::Money,
    &tmy::TankName,     &tmy::TankSpeed, &tmy::TankStrength, &tmy::Shrimp,     &tmy::Milk,
    &tmy::JisuDama,     &tmy::TankGuts,  &tmy::TankWits,     &tmy::TankCups1,  &tmy::Sardines,
    &tmy::GunLevel,     &tmy::Tries,     &tmy::LineStrength, &tmy::TankHunger, &tmy::Beans,
    &tmy::TankCups2,    &tmy::TankCups3, &tmy::TankCups4,    &tmy::TankCups5,  &tmy::TankCups6,
    &tmy::TankTime,     &tmy::ReelLevel, &tmy::Hour,
};

constexpr int kSaveFileLines = 7693;

// The items' names, in the same order: scripts and tools name a field of a
// save by them instead of knowing its line.
inline constexpr std::array<const char*, 28> kSaveItemNames = {
    "TankKind",  "TankSize",  "Bullets",      "LineWear",   "Money",     "TankName",  "TankSpeed",
    "TankStrength", "Shrimp", "Milk",         "JisuDama",   "TankGuts",  "TankWits",  "TankCups1",
    "Sardines",  "GunLevel",  "Tries",        "LineStrength", "TankHunger", "Beans",  "TankCups2",
    "TankCups3", "TankCups4", "TankCups5",    "TankCups6",  "TankTime",  "ReelLevel", "Hour",
};

// Where a named item starts in the file (the first line is 1) and how many
// lines it holds; lines is 0 for a name that is no item.
struct SaveLines {
  int first = 0;
  int lines = 0;
};
constexpr SaveLines SaveLinesOf(std::string_view name) {
  int line = 1;
  for (std::size_t i = 0; i < kSaveItems.size(); ++i) {
    const int lines = std::holds_alternative<SavedScalar>(kSaveItems[i]) ? 1 : kTankSlots;
    if (name == kSaveItemNames[i]) return {line, lines};
    line += lines;
  }
  return {};
}

} // namespace ikea
