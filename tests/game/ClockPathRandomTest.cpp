#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>

#include "game/Clock.h"
#include "game/GameFolder.h"
#include "game/Random.h"

namespace ikea {
namespace {

double At(int hours, int minutes, double seconds) {
  return 45000.0 + (hours * 3600 + minutes * 60 + seconds) / kSecondsPerDay;
}

TEST(TimeText, showsHoursWithoutLeadingZeroAndMinutesSecondsWithTwoDigits) {
  EXPECT_EQ(TimeText(0.0), "0:00:00");
  EXPECT_EQ(TimeText(At(13, 5, 9)), "13:05:09");
  EXPECT_EQ(TimeText(300.0 / kSecondsPerDay), "0:05:00");
  EXPECT_EQ(TimeText(At(23, 59, 59.4)), "23:59:59");
}

TEST(TimeText, roundsToTheMillisecondAndWrapsAtMidnight) {
  EXPECT_EQ(TimeText(At(0, 0, 1) - 0.0004 / kSecondsPerDay), "0:00:01");
  EXPECT_EQ(TimeText(45000.0 + 1.0 - 0.0001 / kSecondsPerDay), "0:00:00");
}

TEST(TimeText, survivesNegativeNanInfiniteAndHugeDayCounts) {
  EXPECT_EQ(TimeText(-0.25), "6:00:00");
  EXPECT_EQ(TimeText(-1.5), "12:00:00");
  EXPECT_EQ(TimeText(std::nan("")), "0:00:00");
  EXPECT_EQ(TimeText(std::numeric_limits<double>::infinity()), "0:00:00");
  EXPECT_EQ(TimeText(-std::numeric_limits<double>::infinity()), "0:00:00");
  EXPECT_EQ(TimeText(1e300), "0:00:00");
}

TEST(SystemClock, countsDaysFromTheEndOf1899) {
  // 1970-01-01 is day 25569; local time lies within a day of UTC.
  const double utcDays = 25569.0 + static_cast<double>(std::time(nullptr)) / kSecondsPerDay;
  EXPECT_NEAR(SystemClock().Now(), utcDays, 1.0);
}

TEST(GamePath, turnsTheGamesBackslashPathsIntoFolderPaths) {
  const std::filesystem::path folder = "/games/ike";
  EXPECT_EQ(GamePath(folder, "\\dat\\my.dat"), "/games/ike/dat/my.dat");
  EXPECT_EQ(GamePath(folder, "\\\\dat\\name.dat"), "/games/ike/dat/name.dat");
  EXPECT_EQ(GamePath(folder, "dat/1.wav"), "/games/ike/dat/1.wav");
  EXPECT_EQ(GamePath(folder, "\\"), "/games/ike/");
}

TEST(GamePath, convertsCp932NamesAndKeepsTrailBytesThatLookLikeBackslashes) {
  const std::filesystem::path folder = "/g";
  EXPECT_EQ(GamePath(folder, "\\cg\\背景.bmp").string(), "/g/cg/\xE8\x83\x8C\xE6\x99\xAF.bmp");
  // "ソ" is 0x83 0x5C in cp932.
  EXPECT_EQ(GamePath(folder, "\\dat\\ソ.wav").string(), "/g/dat/\xE3\x82\xBD.wav");
}

TEST(ExecutableFolder, isTheFolderOfTheRunningTestProgram) {
  const std::filesystem::path folder = ExecutableFolder();
  EXPECT_TRUE(folder.is_absolute());
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST(TwisterRandom, seededFromTheClockDrawsWithinBoundsAndZeroForEmptyRanges) {
  TwisterRandom rnd = TwisterRandom::SeededFromClock();
  for (int i = 0; i < 1000; ++i) {
    const std::int32_t v = rnd.Random(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
  }
  EXPECT_EQ(rnd.Random(0), 0);
  EXPECT_EQ(rnd.Random(-5), 0);
}

} // namespace
} // namespace ikea
