#pragma once
// The millisecond clock the mixer times its positions with.
#include <cstdint>

namespace pcmmix {

class MsClock {
public:
  virtual ~MsClock() = default;
  // Milliseconds, steadily rising; wraps like any 32-bit tick count.
  virtual uint32_t NowMs() = 0;
};

class SteadyMsClock final : public MsClock {
public:
  uint32_t NowMs() override;
};

} // namespace pcmmix
