#include "pcmmix/Steadiness.h"

#include <algorithm>
#include <cstring>

namespace pcmmix {

unsigned NextBufferMs(const SteadinessPolicy& policy, BufferMode mode, unsigned currentMs, bool underrun,
                      uint64_t calmPlayedMs) {
  if (mode == BufferMode::Low) return policy.lowMs;
  if (mode == BufferMode::Steady) return policy.capMs;
  const unsigned current = std::clamp(currentMs, policy.lowMs, policy.capMs);
  if (underrun) return std::min(current + policy.stepMs, policy.capMs);
  if (calmPlayedMs >= policy.calmMs && current > policy.lowMs)
    return std::max(current - std::min(current, policy.stepMs), policy.lowMs);
  return current;
}

BufferMode ParseBufferMode(const char* text) {
  if (text && std::strcmp(text, "low") == 0) return BufferMode::Low;
  if (text && std::strcmp(text, "steady") == 0) return BufferMode::Steady;
  return BufferMode::Auto;
}

} // namespace pcmmix
