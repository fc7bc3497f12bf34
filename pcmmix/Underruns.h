#pragma once
// Underruns as a device sees them: its stream ran dry before a block that
// the writer meant to follow the one before it without a gap. A writer that
// goes quiet and later starts afresh (a new time line, or a reset) causes
// none; a writer that comes late with the next block of the same time line
// does. The count is read from any thread.
#include <atomic>
#include <cstdint>
#include <memory>

namespace pcmmix {

using UnderrunTotal = std::shared_ptr<std::atomic<uint64_t>>;

class UnderrunCount {
public:
  // total, when given, counts too: a backend's sum over the devices it opened.
  explicit UnderrunCount(UnderrunTotal total = nullptr) : total_(std::move(total)) {}

  // Whether a block starting at streamStart follows the last one begun
  // without the writer having stopped in between.
  bool Continues(int64_t streamStart, bool startsLine) const {
    return !startsLine && streamStart >= 0 && streamStart == expected_;
  }
  // A block begins on the stream (the device's thread, under its lock).
  void Begin(int64_t streamStart, uint32_t length) {
    expected_ = streamStart >= 0 ? streamStart + int64_t(length) : -1;
  }
  // After a reset nothing follows what was played before.
  void Forget() { expected_ = -1; }
  void Add() {
    count_.fetch_add(1, std::memory_order_relaxed);
    if (total_) total_->fetch_add(1, std::memory_order_relaxed);
  }
  uint64_t Count() const { return count_.load(std::memory_order_relaxed); }

private:
  int64_t expected_ = -1;
  std::atomic<uint64_t> count_{0};
  UnderrunTotal total_;
};

} // namespace pcmmix
