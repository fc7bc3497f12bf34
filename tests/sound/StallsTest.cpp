#include "sound/probe/Stalls.h"

#include <gtest/gtest.h>

namespace probe {
namespace {

TEST(StallsOnEveryCpu, countsOnlyStretchesWhereEveryCpuStoodStillAndGivesTheSharedPart) {
  const std::vector<std::vector<Stall>> perCpu = {
      {{10, 30}, {100, 120}, {200, 215}},
      {{25, 40}, {150, 170}, {190, 220}},
      {{0, 28}, {205, 210}},
  };
  const std::vector<Stall> shared = StallsOnEveryCpu(perCpu);
  ASSERT_EQ(2u, shared.size());
  EXPECT_DOUBLE_EQ(25, shared[0].from);
  EXPECT_DOUBLE_EQ(28, shared[0].to);
  EXPECT_DOUBLE_EQ(205, shared[1].from);
  EXPECT_DOUBLE_EQ(210, shared[1].to);
}

TEST(StallsOnEveryCpu, stallsThatOnlyTouchDoNotOverlapAndOneCpuSharesAllItsOwn) {
  EXPECT_TRUE(StallsOnEveryCpu({{{10, 20}}, {{20, 30}}}).empty());
  EXPECT_EQ(2u, StallsOnEveryCpu({{{10, 20}, {40, 50}}}).size());
  EXPECT_TRUE(StallsOnEveryCpu({}).empty());
}

}  // namespace
}  // namespace probe
