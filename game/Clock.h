#pragma once
// Date-times are day counts in a double (one second is 1/86400).
#include "base/Text.h"

namespace ikea {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kOneMillisecond = 1.0 / 86400000.0;

class Clock {
public:
  virtual ~Clock() = default;
  virtual double Now() = 0;  // date-time now
};

// Local wall-clock time as a day count since 1899-12-30.
class SystemClock final : public Clock {
public:
  double Now() override;
};

// A clock that only moves when told to; for tests and replays.
class ManualClock final : public Clock {
public:
  explicit ManualClock(double start = 45000.0) : now_(start) {}
  double Now() override { return now_; }
  void Advance(double days) { now_ += days; }
  void AdvanceMs(double ms) { now_ += ms * kOneMillisecond; }
  void Set(double t) { now_ = t; }
private:
  double now_;
};

// Time-of-day text "H:mm:ss" (hours without a leading zero) of a date-time;
// used for the fight clock, the window caption and TankTime.
Text TimeText(double dateTime);

} // namespace ikea
