#include <cstdio>
#include <fstream>
#include <iterator>

#include "pcmmix/OutputLevel.h"
#include "pcmmix/WaveSystems.h"
#include "tests/pcmmix/PcmMixTestSupport.h"

namespace pcmmix::test {
namespace {

std::vector<uint8_t> EveryValue() {
  std::vector<uint8_t> v(256);
  for (int i = 0; i < 256; ++i) v[size_t(i)] = uint8_t(i);
  return v;
}

TEST(CopyAtLevel, widensToSixteenBitsWithSilenceAtZero) {
  const std::vector<uint8_t> in = EveryValue();
  for (int percent : {100, 50, 0}) {
    SCOPED_TRACE(percent);
    std::vector<uint8_t> narrow(256);
    std::vector<int16_t> wide(256);
    CopyAtLevel(narrow.data(), in.data(), 256, percent);
    CopyAtLevelWide(wide.data(), in.data(), 256, percent);
    for (size_t s = 0; s < 256; ++s) EXPECT_EQ(wide[s], (narrow[s] - 128) * 256) << "sample " << s;
  }
}

TEST(CopyAtLevel, scalesEverySampleAboutTheCentre) {
  const std::vector<uint8_t> in = EveryValue();
  std::vector<uint8_t> out(256);
  CopyAtLevel(out.data(), in.data(), 256, 100);
  EXPECT_EQ(out, in);
  CopyAtLevel(out.data(), in.data(), 256, 0);
  EXPECT_EQ(out, std::vector<uint8_t>(256, 128));
  CopyAtLevel(out.data(), in.data(), 256, 50);
  for (int s = 0; s < 256; ++s) {
    const int distance = s - 128, halved = out[size_t(s)] - 128;
    EXPECT_EQ(halved, distance / 2) << "sample " << s;  // halved, toward the centre
  }
  EXPECT_EQ(out[0], 64);
  EXPECT_EQ(out[255], 191);
}

TEST(OutputLevel, clampsThePercentAndKeepsItThroughAMute) {
  OutputLevel level;
  EXPECT_EQ(level.Effective(), 100);
  level.Set(150, false);
  EXPECT_EQ(level.Percent(), 100);
  level.Set(-5, false);
  EXPECT_EQ(level.Percent(), 0);
  level.Set(40, true);
  EXPECT_TRUE(level.Muted());
  EXPECT_EQ(level.Percent(), 40);
  EXPECT_EQ(level.Effective(), 0);
  level.Set(40, false);
  EXPECT_EQ(level.Effective(), 40);
}

class DeviceLevelTest : public ::testing::Test {
protected:
  void TearDown() override { std::remove(path.c_str()); }
  std::string path = ::testing::TempDir() + "pcmmix_level_capture.wav";
};

// Each block is heard at the level in force when the device hands it to the
// output, not when it was written: a change reaches the blocks the device
// already holds. The mixer's own block is left as it was.
TEST_F(DeviceLevelTest, theCaptureDeviceHearsEachBlockAtTheLevelOfTheNextBlockHandedToTheOutput) {
  PostedMessageQueue q;
  RecordingTarget target;
  WindowHandle h = q.CreateTarget(&target);
  const std::vector<uint8_t> samples = EveryValue();
  std::vector<uint8_t> blocks[3] = {samples, samples, samples};
  WaveHeader headers[3];
  {
    std::unique_ptr<WaveOut> device;
    auto level = std::make_shared<OutputLevel>();
    ASSERT_EQ(MakeCaptureBackend(path, 0, level)->Open({1, 1, 22050, 22050, 1, 8}, &q, h, device), 0);
    const struct { int percent; bool muted; } levels[3] = {{100, false}, {50, false}, {80, true}};
    for (int i = 0; i < 3; ++i) {
      headers[i].data = blocks[i].data();
      headers[i].bufferLength = 256;
      device->Prepare(&headers[i]);
      // Written at full level while held back, then set: the set level is
      // the one heard.
      level->Set(OutputLevel::kFull, false);
      ASSERT_EQ(device->Pause(), 0);
      ASSERT_EQ(device->Write(&headers[i]), 0);
      level->Set(levels[i].percent, levels[i].muted);
      ASSERT_EQ(device->Restart(), 0);
      while (target.messages.size() < size_t(i + 1)) q.WaitAndDispatch();
    }
  }
  for (const auto& block : blocks) EXPECT_EQ(block, samples);

  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  ASSERT_EQ(file.size(), 44u + 768u);
  const std::vector<uint8_t> full(file.begin() + 44, file.begin() + 300);
  const std::vector<uint8_t> half(file.begin() + 300, file.begin() + 556);
  const std::vector<uint8_t> muted(file.begin() + 556, file.end());
  EXPECT_EQ(full, samples);
  EXPECT_EQ(half[0], 64);
  EXPECT_EQ(half[128], 128);
  EXPECT_EQ(half[255], 191);
  EXPECT_EQ(muted, std::vector<uint8_t>(256, 128));
}

} // namespace
} // namespace pcmmix::test
