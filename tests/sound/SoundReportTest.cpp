#include <gtest/gtest.h>

#include "sound/AnswerTimes.h"
#include "sound/SoundReport.h"

namespace ikea::test {
namespace {

TEST(SoundReportTest, saysNothingOfAGoodRunUnlessAsked) {
  AnswerTimes answers;
  answers.Add(1200);
  EXPECT_EQ(SoundReport(0, &answers, false), "");
  EXPECT_EQ(SoundReport(0, &answers, true),
            "ikeasobi: the sound output never ran dry; the game answered the sound device within "
            "1.2 ms at worst (99 % of 1 messages within 1.2 ms)\n");
}

TEST(SoundReportTest, alwaysSaysHowOftenTheOutputRanDry) {
  EXPECT_EQ(SoundReport(1, nullptr, false), "ikeasobi: the sound output ran dry 1 time\n");
  AnswerTimes none;
  EXPECT_EQ(SoundReport(3, &none, false), "ikeasobi: the sound output ran dry 3 times\n");
}

} // namespace
} // namespace ikea::test
