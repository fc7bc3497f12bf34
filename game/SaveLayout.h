#pragma once
// The order of the 28 items in dat/my.dat. Reader and writer both walk this
// one table, so the two can never disagree; the order is the file's own and
// follows neither the record's fields nor their kinds.
#include <array>
#include <cstdint>
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

} // namespace ikea
