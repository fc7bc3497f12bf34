#pragma once
// A random source that gives scripted values in order and records every
// draw's bound, so tests can check both outcomes and draw order.
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/Random.h"

namespace ikea::test {

class ScriptedRandom final : public RandomSource {
public:
  ScriptedRandom() = default;
  ScriptedRandom(std::initializer_list<std::int32_t> values) : values_(values) {}

  void Push(std::int32_t value) { values_.push_back(value); }
  void Push(std::initializer_list<std::int32_t> values) { values_.insert(values_.end(), values); }
  // When the script runs out: fail (default) or give `fallback` (clamped to n-1).
  void SetFallback(std::int32_t fallback) { fallback_ = fallback; hasFallback_ = true; }

  std::int32_t Random(std::int32_t n) override {
    bounds_.push_back(n);
    if (n <= 0) return 0;
    std::int32_t v;
    if (!values_.empty()) {
      v = values_.front();
      values_.pop_front();
      if (v < 0 || v >= n)
        throw std::logic_error("scripted value " + std::to_string(v) + " out of range for Random(" +
                               std::to_string(n) + ")");
    } else if (hasFallback_) {
      v = fallback_ < n ? fallback_ : n - 1;
    } else {
      throw std::logic_error("random script ran out at Random(" + std::to_string(n) + ")");
    }
    return v;
  }

  const std::vector<std::int32_t>& Bounds() const { return bounds_; }
  std::size_t Remaining() const { return values_.size(); }
  void ClearBounds() { bounds_.clear(); }

private:
  std::deque<std::int32_t> values_;
  std::vector<std::int32_t> bounds_;
  std::int32_t fallback_ = 0;
  bool hasFallback_ = false;
};

} // namespace ikea::test
