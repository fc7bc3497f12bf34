#include "sound/AnswerTimes.h"

#include <algorithm>
#include <cstddef>

namespace ikea {

void AnswerTimes::Add(int64_t waitedUs) {
  waitedUs = std::max<int64_t>(waitedUs, 0);
  ++count_;
  longestUs_ = std::max(longestUs_, waitedUs);
  ++steps_[size_t(std::min<int64_t>(waitedUs / kStepUs, int64_t(steps_.size()) - 1))];
}

double AnswerTimes::WithinMs(double share) const {
  if (count_ == 0) return 0;
  const double wanted = std::clamp(share, 0.0, 1.0) * double(count_);
  uint64_t seen = 0;
  for (size_t i = 0; i + 1 < steps_.size(); ++i) {
    seen += steps_[i];
    if (double(seen) >= wanted) return std::min(LongestMs(), double((i + 1) * kStepUs) / 1000.0);
  }
  return LongestMs();
}

} // namespace ikea
