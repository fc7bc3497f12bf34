#include <gtest/gtest.h>

#include "sound/AnswerTimes.h"
#include "sound/SoundReport.h"

namespace ikea::test {
namespace {

TEST(SoundReportTest, saysNothingOfAGoodRunUnlessAsked) {
  AnswerTimes answers;
  answers.Add(1200);
  EXPECT_EQ(SoundReport({}, &answers, false), "");
  EXPECT_EQ(SoundReport({}, &answers, true),
            "ikeasobi: the sound output never ran dry; the game answered the sound device within "
            "1.2 ms at worst (99 % of 1 messages within 1.2 ms)\n");
}

TEST(SoundReportTest, alwaysSaysHowOftenTheOutputRanDry) {
  EXPECT_EQ(SoundReport({.underruns = 1}, nullptr, false), "ikeasobi: the sound output ran dry 1 time\n");
  AnswerTimes none;
  EXPECT_EQ(SoundReport({.underruns = 3}, &none, false), "ikeasobi: the sound output ran dry 3 times\n");
}

TEST(SoundReportTest, aChangedBufferOrARefusedMessageIsReportedWithoutBeingAsked) {
  EXPECT_EQ(SoundReport({.underruns = 1, .bufferChanges = 2, .bufferMs = 12}, nullptr, false),
            "ikeasobi: the sound output ran dry 1 time; its buffer changed 2 times and ended at 12 ms\n");
  EXPECT_EQ(SoundReport({.refusedMessages = 4}, nullptr, false),
            "ikeasobi: the sound output never ran dry; 4 device messages waited for room in the queue\n");
}

} // namespace
} // namespace ikea::test
