#include "pcmmix/MsClock.h"

#include <chrono>

namespace pcmmix {

uint32_t SteadyMsClock::NowMs() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace pcmmix
