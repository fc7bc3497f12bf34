#pragma once
// How long something waited, in 0.5 ms steps. For posted messages, the wait
// for the GUI thread: a device's block comes back to the mixer only through
// it, so its longest is how close the game came to letting the output run
// dry. For cues, how long after its call a cue is heard.
#include <array>
#include <cstdint>

namespace ikea {

class AnswerTimes {
public:
  void Add(int64_t waitedUs);
  uint64_t Count() const { return count_; }
  double LongestMs() const { return double(longestUs_) / 1000.0; }
  // The wait that the given share of messages (0..1) kept within, to the
  // 0.5 ms step above it (100 ms and over count as the longest).
  double WithinMs(double share) const;

private:
  static constexpr int kStepUs = 500;
  std::array<uint64_t, 200> steps_{};
  uint64_t count_ = 0;
  int64_t longestUs_ = 0;
};

} // namespace ikea
