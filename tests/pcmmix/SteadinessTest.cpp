#include <gtest/gtest.h>

#include "pcmmix/Steadiness.h"

namespace pcmmix::test {
namespace {

TEST(Steadiness, growsAfterAnUnderrunUpToTheCapAndShrinksAfterACalmStretch) {
  const SteadinessPolicy p;  // 12 ms, steps of 12, cap 60, calm after 60 s
  struct Row {
    BufferMode mode;
    unsigned current;
    bool underrun;
    uint64_t calmMs;
    unsigned expected;
  } rows[] = {
      {BufferMode::Auto, 12, true, 0, 24},
      {BufferMode::Auto, 48, true, 0, 60},
      {BufferMode::Auto, 60, true, 0, 60},        // capped
      {BufferMode::Auto, 24, false, 59999, 24},   // not calm long enough
      {BufferMode::Auto, 24, false, 60000, 12},
      {BufferMode::Auto, 12, false, 600000, 12},  // never below the shortest
      {BufferMode::Auto, 60, false, 60000, 48},   // one step at a time
      {BufferMode::Auto, 5, false, 0, 12},        // held to the range
      {BufferMode::Low, 36, true, 0, 12},
      {BufferMode::Steady, 12, false, 600000, 60},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << int(r.mode) << " " << r.current << " " << r.underrun << " " << r.calmMs);
    EXPECT_EQ(NextBufferMs(p, r.mode, r.current, r.underrun, r.calmMs), r.expected);
  }
}

TEST(Steadiness, readsTheSettingsWordAndTakesAutoForAnythingElse) {
  EXPECT_EQ(ParseBufferMode("low"), BufferMode::Low);
  EXPECT_EQ(ParseBufferMode("steady"), BufferMode::Steady);
  EXPECT_EQ(ParseBufferMode("auto"), BufferMode::Auto);
  EXPECT_EQ(ParseBufferMode("fast"), BufferMode::Auto);
  EXPECT_EQ(ParseBufferMode(nullptr), BufferMode::Auto);
}

}  // namespace
}  // namespace pcmmix::test
