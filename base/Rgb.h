#pragma once
// A colour as the game and the widgets name it: 8 bits a channel.
#include <cstdint>

namespace ikea {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

} // namespace ikea
