#pragma once
// The one random generator. Every rule is stated as Random(n): a uniform
// integer 0..n-1, 0 when n is 0 (or negative), one fresh draw per mention.
#include <cstdint>
#include <random>

namespace ikea {

class RandomSource {
public:
  virtual ~RandomSource() = default;
  virtual std::int32_t Random(std::int32_t n) = 0;
};

// Mersenne twister seeded from the clock at start-up (or a fixed seed).
class TwisterRandom final : public RandomSource {
public:
  explicit TwisterRandom(std::uint32_t seed) : engine_(seed) {}
  static TwisterRandom SeededFromClock();
  std::int32_t Random(std::int32_t n) override {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<std::int32_t>(0, n - 1)(engine_);
  }
private:
  std::mt19937 engine_;
};

} // namespace ikea
