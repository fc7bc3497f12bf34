#include <cstdio>
#include <fstream>

#include "tests/pcmmix/PcmMixTestSupport.h"

namespace pcmmix::test {
namespace {

class WaveLoadTest : public MixerTest {
protected:
  void SetUp() override {
    MixerTest::SetUp();
    Start();
  }
  LoadedWave* Load(const std::vector<uint8_t>& image) {
    MemoryFile m{image.data(), image.size(), "image.wav"};
    LoadedWave* w = PcmMixWaveLoad(session, m);
    waves.push_back(w);
    return w;
  }
  std::string LoadError(const std::vector<uint8_t>& image) {
    try {
      Load(image);
    } catch (const EPcmMixError& e) {
      return e.what();
    }
    return "loaded";
  }
};

const std::vector<uint8_t> kFmt8Mono = FmtBody(1, 1, 11025, 8);

TEST_F(WaveLoadTest, eightBitMonoAt11025IsReturnedAsRead) {
  std::vector<uint8_t> data = {1, 2, 3, 250, 128};
  LoadedWave* w = Load(WavImage(1, 11025, 8, data));
  EXPECT_EQ(w->length, 5);
  EXPECT_EQ(w->samples, data);
  EXPECT_EQ(w->format.samplesPerSec, 11025u);
  EXPECT_STREQ(w->label, "image.wav");
}

TEST_F(WaveLoadTest, sixteenBitStereoAt22050LoadsAsAnEighthOfItsData) {
  LoadedWave* w = Load(WavImage(2, 22050, 16, std::vector<uint8_t>(8000, 0)));
  EXPECT_EQ(w->length, 1000);
  EXPECT_EQ(w->format.channels, 2); // the stored format, not the converted one
}

TEST_F(WaveLoadTest, everyMalformedFileGetsItsOwnText) {
  const auto data = Chunk("data", {1, 2, 3, 4});
  EXPECT_EQ(LoadError({'R', 'I', 'F', 'X', 0, 0, 0, 0}), "This is not a WAVE file");
  EXPECT_EQ(LoadError(RiffWave({data})), "WAVE file is corrupted");
  EXPECT_EQ(LoadError(RiffWave({Chunk("fmt ", {1, 0, 1, 0}), data})), "Failed to read format chunk");
  EXPECT_EQ(LoadError(RiffWave({Chunk("fmt ", FmtBody(2, 1, 11025, 4)), data})),
            "The file is not a PCM file");
  EXPECT_EQ(LoadError(RiffWave({Chunk("fmt ", kFmt8Mono)})), "WAVE file has no data chunk");
  EXPECT_EQ(LoadError(RiffWave({Chunk("fmt ", kFmt8Mono), Chunk("data", {})})),
            "The data chunk has no data");
  EXPECT_EQ(LoadError(WavImage(1, 11025, 24, std::vector<uint8_t>(30, 1))),
            "File format not supported");
  EXPECT_EQ(LoadError(WavImage(6, 11025, 8, std::vector<uint8_t>(30, 1))),
            "File format not supported");
  EXPECT_EQ(LoadError(WavImage(1, 0, 8, std::vector<uint8_t>(30, 1))), "File format not supported");
}

TEST_F(WaveLoadTest, aDataChunkClaimingMoreThanTheFileHoldsIsAShortRead) {
  auto image = WavImage(1, 11025, 8, {1, 2, 3, 4});
  image[image.size() - 8] = 0xFF; // data size 0xF0000004, far past the end
  image[image.size() - 5] = 0xF0;
  EXPECT_EQ(LoadError(image), "Failed to read data chunk");
}

TEST_F(WaveLoadTest, chunkWalksSkipPadBytesAndUnknownChunks) {
  auto image = RiffWave({Chunk("LIST", {'a', 'b', 'c'}), Chunk("fmt ", kFmt8Mono),
                         Chunk("junk", {9}), Chunk("data", {7, 8, 9})});
  EXPECT_EQ(Load(image)->samples, (std::vector<uint8_t>{7, 8, 9}));
}

TEST_F(WaveLoadTest, aChunkSizeRunningPastTheFormEndsTheWalkWithoutLooping) {
  auto image = RiffWave({Chunk("fmt ", kFmt8Mono), Chunk("junk", {1, 2})});
  image[image.size() - 6] = 0xFF; // junk claims 0xFFxx bytes
  image[image.size() - 5] = 0xFF;
  image[image.size() - 4] = 0xFF;
  image[image.size() - 3] = 0xFF;
  EXPECT_EQ(LoadError(image), "WAVE file has no data chunk");
}

TEST_F(WaveLoadTest, stereoDataOfAnOddLengthIsCutToWholeFrames) {
  PcmMixSessionEnd(session);
  MixSetup setup;
  setup.flags = SetupChannels;
  setup.channels = 2;
  Start(&setup);
  LoadedWave* w = Load(WavImage(2, 11025, 8, {1, 2, 3, 4, 5}));
  EXPECT_EQ(w->length, 4);
  EXPECT_EQ(LoadError(WavImage(2, 11025, 8, {1})), text::kNoMemory);
}

TEST_F(WaveLoadTest, missingFileAndResourceSourcesNameWhatFailed) {
  try {
    PcmMixWaveLoad(session, "/nonexistent/x.wav", nullptr, WaveFromFile);
    FAIL();
  } catch (const EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "Failed to open wave file /nonexistent/x.wav");
  }
  try {
    PcmMixWaveLoad(session, "BOOM", nullptr, WaveFromResource);
    FAIL();
  } catch (const EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "Failed to open \"WAVE\" resource BOOM");
  }
  try {
    PcmMixWaveLoad(session, reinterpret_cast<const char*>(uintptr_t(12)), nullptr, WaveFromResource);
    FAIL();
  } catch (const EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "Failed to open \"WAVE\" resource 12");
  }
  MemoryFile none;
  EXPECT_THROW(PcmMixWaveLoad(session, none), EPcmMixError);
}

TEST_F(WaveLoadTest, aFileLoadsLikeItsMemoryImage) {
  std::string path = ::testing::TempDir() + "pcmmix_load.wav";
  auto image = WavImage(1, 22050, 8, {10, 20, 30, 40});
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), long(image.size()));
  LoadedWave* w = PcmMixWaveLoad(session, path.c_str(), nullptr, WaveFromFile);
  waves.push_back(w);
  EXPECT_EQ(w->samples, (std::vector<uint8_t>{15, 30}));
  std::remove(path.c_str());
}

TEST_F(WaveLoadTest, aStaleHandleIsRefused) {
  hMixSession stale = session;
  PcmMixSessionEnd(session);
  session = nullptr;
  MemoryFile m;
  try {
    PcmMixWaveLoad(stale, m);
    FAIL();
  } catch (const EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "Invalid Session handle");
  }
}

} // namespace
} // namespace pcmmix::test

#include <filesystem>

namespace pcmmix::test {
namespace {

// Every seed of the fuzz corpus loads or is refused with a text, nothing else.
TEST_F(WaveLoadTest, everyFuzzSeedLoadsOrIsRefusedCleanly) {
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(PCMMIX_CORPUS_DIR)) {
    std::string path = entry.path().string();
    try {
      PcmMixWaveFree(session, PcmMixWaveLoad(session, path.c_str(), nullptr, WaveFromFile));
    } catch (const EPcmMixError& e) {
      EXPECT_STRNE(e.what(), "") << path;
    }
    ++seen;
  }
  EXPECT_GE(seen, 4);
}

} // namespace
} // namespace pcmmix::test
