#pragma once
// The rival runners' names that dat/name.dat ships with.
#include <array>

namespace ikea::assets {

constexpr int kRivalNameCount = 255;

const std::array<const char*, kRivalNameCount>& RivalNamesUtf8();

} // namespace ikea::assets
