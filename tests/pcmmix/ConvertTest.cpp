#include <gtest/gtest.h>

#include "pcmmix/PcmMix.h"

namespace pcmmix {
namespace {

std::vector<uint8_t> Le16(std::initializer_list<int> samples) {
  std::vector<uint8_t> v;
  for (int s : samples) {
    v.push_back(uint8_t(uint16_t(s)));
    v.push_back(uint8_t(uint16_t(s) >> 8));
  }
  return v;
}

TEST(ConvertBits, sixteenBitSamplesKeepTheirHighByteWithTheTopBitInverted) {
  auto out = ConvertBits(Le16({-32768, -1, 0, 32767}), 16, 8);
  EXPECT_EQ(out, (std::vector<uint8_t>{0, 127, 128, 255}));
}

TEST(ConvertBits, eightBitSamplesGoBackToSignedSixteenBits) {
  auto out = ConvertBits({0, 127, 128, 255}, 8, 16);
  EXPECT_EQ(out, Le16({-32768, -256, 0, 32512}));
}

TEST(ConvertBits, otherDepthsAreNotSupported) {
  try {
    ConvertBits({1, 2, 3}, 24, 8);
    FAIL();
  } catch (const EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "File format not supported");
  }
}

TEST(ConvertChannels, stereoBecomesTheHalvedSumOfLeftAndRight) {
  auto out = ConvertChannels({255, 255, 0, 255, 10, 13, 7}, 2, 1);
  EXPECT_EQ(out, (std::vector<uint8_t>{255, 127, 11})); // the odd byte is dropped
}

TEST(ConvertChannels, monoIsWrittenTwiceForStereo) {
  EXPECT_EQ(ConvertChannels({1, 200}, 1, 2), (std::vector<uint8_t>{1, 1, 200, 200}));
}

TEST(ConvertRate, upSamplingInterpolatesWithTruncatedStepsAndRepeatsTheLastFrame) {
  EXPECT_EQ(ConvertRate({100, 107, 90}, 11025, 22050, 1),
            (std::vector<uint8_t>{100, 103, 107, 99, 90, 90}));
  EXPECT_EQ(ConvertRate({100, 110}, 11025, 44100, 1),
            (std::vector<uint8_t>{100, 102, 104, 106, 110, 110, 110, 110}));
  // d = (96 - 100) div 4 = -1, truncated toward zero
  EXPECT_EQ(ConvertRate({100, 96}, 11025, 44100, 1),
            (std::vector<uint8_t>{100, 99, 98, 97, 96, 96, 96, 96}));
}

TEST(ConvertRate, upSamplingStereoStepsEachChannelOnItsOwn) {
  EXPECT_EQ(ConvertRate({10, 200, 20, 100}, 11025, 22050, 2),
            (std::vector<uint8_t>{10, 200, 15, 150, 20, 100, 20, 100}));
}

TEST(ConvertRate, aFactorOfOneCopiesTheFrames) {
  EXPECT_EQ(ConvertRate({1, 2, 3}, 8000, 11025, 1), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(ConvertRate({1, 2, 3}, 12000, 11025, 1), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(ConvertRate, downSamplingAveragesAroundTheMidpointAndCopiesTheLastFrame) {
  // 22050 -> 11025: r = 2, 7 frames give 3, the last a copy of frame 4
  EXPECT_EQ(ConvertRate({128, 130, 120, 123, 50, 60, 70}, 22050, 11025, 1),
            (std::vector<uint8_t>{129, 122, 50}));
  // (-8 + -1) div 2 = -4: truncated toward zero
  EXPECT_EQ(ConvertRate({120, 127, 9, 9}, 44100, 22050, 1), (std::vector<uint8_t>{124, 9}));
  // 44100 -> 11025: r = 4
  EXPECT_EQ(ConvertRate({132, 132, 132, 136, 1, 2, 3, 4, 77}, 44100, 11025, 1),
            (std::vector<uint8_t>{133, 1}));
}

TEST(ConvertRate, tooFewFramesForOneOutputFrameIsRefusedAsMemory) {
  try {
    ConvertRate({1, 2, 3}, 44100, 11025, 1);
    FAIL();
  } catch (const EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "Unable to allocate memory for waveform data.  Try making more memory "
                           "available by closing other applications.");
  }
}

TEST(ConvertRate, anAbsurdUpSamplingFactorIsRefusedInsteadOfAllocated) {
  EXPECT_THROW(ConvertRate(std::vector<uint8_t>(4096, 1), 1, 44100 * 4, 1), EPcmMixError);
}

TEST(ConvertFormat, sixteenBitStereoAt22050BecomesAnEighthInEightBitMono) {
  std::vector<uint8_t> data(8000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 7);
  WaveFormat source{1, 2, 22050, 88200, 4, 16};
  WaveFormat target{1, 1, 11025, 11025, 1, 8};
  auto out = ConvertFormat(target, source, data);
  EXPECT_EQ(out.size(), 1000u);
  // The last frame is a copy of an input frame: (L + R) div 2 of its high bytes.
  uint8_t l = uint8_t(data[7993] ^ 0x80), r = uint8_t(data[7995] ^ 0x80);
  EXPECT_EQ(out.back(), uint8_t((l + r) / 2));
}

TEST(ConvertFormat, aMatchingFormatIsReturnedAsRead) {
  WaveFormat f{1, 1, 11025, 11025, 1, 8};
  EXPECT_EQ(ConvertFormat(f, f, {9, 8, 7}), (std::vector<uint8_t>{9, 8, 7}));
}

} // namespace
} // namespace pcmmix
