#pragma once
// Colours as the layout writes them (#RRGGBB). Qt-free, so code that holds
// cp932 literals can use it.
#include <cstdint>

#include "base/Rgb.h"

namespace ikea::tk {

constexpr Rgb Hex(std::uint32_t rrggbb) {
  return Rgb{static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
             static_cast<std::uint8_t>(rrggbb)};
}

namespace colour {
constexpr Rgb kBlack = Hex(0x000000);
constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kRed = Hex(0xFF0000);
constexpr Rgb kYellow = Hex(0xFFFF00);
constexpr Rgb kAqua = Hex(0x00FFFF);
constexpr Rgb kFuchsia = Hex(0xFF00FF);
}  // namespace colour

}  // namespace ikea::tk
