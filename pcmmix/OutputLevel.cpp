#include "pcmmix/OutputLevel.h"

#include <algorithm>
#include <cstring>

namespace pcmmix {

void OutputLevel::Set(int percent, bool muted) {
  state_.store(std::clamp(percent, 0, kFull) | (muted ? kMutedBit : 0), std::memory_order_relaxed);
}

int OutputLevel::Effective() const {
  const int state = state_.load(std::memory_order_relaxed);
  return (state & kMutedBit) ? 0 : state & kPercentBits;
}

void CopyAtLevel(uint8_t* to, const uint8_t* from, uint32_t count, int percent) {
  if (percent >= OutputLevel::kFull) {
    std::memcpy(to, from, count);
    return;
  }
  if (percent <= 0) {
    std::memset(to, 128, count);
    return;
  }
  for (uint32_t i = 0; i < count; ++i)
    to[i] = uint8_t(128 + (int(from[i]) - 128) * percent / OutputLevel::kFull);
}

void CopyAtLevelWide(int16_t* to, const uint8_t* from, uint32_t count, int percent) {
  uint8_t scaled[256];
  for (uint32_t done = 0; done < count;) {
    const uint32_t n = std::min<uint32_t>(count - done, sizeof scaled);
    CopyAtLevel(scaled, from + done, n, percent);
    for (uint32_t i = 0; i < n; ++i) to[done + i] = int16_t((int(scaled[i]) - 128) * 256);
    done += n;
  }
}

} // namespace pcmmix
