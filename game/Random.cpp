#include "game/Random.h"

#include <ctime>

namespace ikea {

TwisterRandom TwisterRandom::SeededFromClock() {
  // Fold the nanosecond count so both halves change the seed.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const auto ticks = static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u +
                     static_cast<std::uint64_t>(now.tv_nsec);
  return TwisterRandom(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

} // namespace ikea
