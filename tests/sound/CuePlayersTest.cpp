#include <malloc.h>

#include <algorithm>
#include <memory>

#include "sound/GameAudio.h"
#include "tests/sound/SoundTestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
#define IKEASOBI_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define IKEASOBI_SANITIZER_HEAP 1
#endif
#endif
#ifdef IKEASOBI_SANITIZER_HEAP
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace ikea::test {
namespace {

// Bytes held on the heap now, from whichever allocator serves this binary:
// under the address sanitizer glibc's counters never move.
size_t HeapBytesInUse() {
#ifdef IKEASOBI_SANITIZER_HEAP
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

using pcmmix::test::FakeClock;
using pcmmix::test::FakeWaveSystem;
using pcmmix::test::TableProfile;

constexpr uint8_t kA = 200, kB = 60;
constexpr uint8_t kAWithB = kA + kB - 128;
constexpr int kBlock = 512, kBlocks = 3;

MidiOptions NullMusic() {
  MidiOptions music;
  music.output = MidiOutput::Null;
  return music;
}

class CuePlayersTest : public ::testing::Test {
protected:
  FakeWaveSystem devices;
  FakeClock clock;
  TableProfile profile;
  pcmmix::PostedMessageQueue queue;
  TempGameFolder folder;
  std::unique_ptr<GameAudio> audio;

  void SetUp() override {
    profile.Set("default", "SamplesPerSec", 22);
    profile.Set("default", "WaveBlockLen", kBlock);
    profile.Set("default", "WaveBlocks", kBlocks);
    audio = std::make_unique<GameAudio>(folder.Path(), Services());
  }
  void TearDown() override { audio.reset(); }
  AudioServices Services() { return {&devices, &clock, &queue, &profile, NullMusic()}; }

  // The device plays what it holds, the mixer refills, until all is heard.
  void HearEverything() {
    while (devices.state.CompleteNext()) queue.DispatchPending();
    queue.DispatchPending();
  }
  const std::vector<uint8_t>& Heard() const { return devices.state.heard; }
  size_t FirstIndexOf(uint8_t level) const {
    return size_t(std::find(Heard().begin(), Heard().end(), level) - Heard().begin());
  }
  size_t CountOf(uint8_t level) const { return size_t(std::count(Heard().begin(), Heard().end(), level)); }
};

TEST_F(CuePlayersTest, buildingTheWindowsMixerClaimsTheDeviceAndOpensChannelsZeroToFour) {
  EXPECT_TRUE(audio->PcmMix1().Activated());
  EXPECT_EQ(audio->PcmMix1().Channels(), 31);
  EXPECT_EQ(devices.state.opens, 1);
  pcmmix::SessionInfo info = pcmmix::PcmMixSessionInfo(audio->PcmMix1().Session());
  EXPECT_EQ(info.openChannels, 5);
  EXPECT_EQ(info.format.samplesPerSec, 22050u);
  audio.reset();
  EXPECT_EQ(devices.state.closes, 1);
}

TEST_F(CuePlayersTest, aMixerThatCannotStartFailsTheBuildingWithItsOwnError) {
  audio.reset();
  devices.deviceCount = 0;
  try {
    GameAudio failing(folder.Path(), Services());
    FAIL() << "built without a device";
  } catch (const pcmmix::EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "No wave output devices available");
  }
  devices.deviceCount = 1;
  EXPECT_NO_THROW(audio = std::make_unique<GameAudio>(folder.Path(), Services()));
}

TEST_F(CuePlayersTest, twoCuesOnOneChannelPlayOneAfterTheOther) {
  folder.WriteCue("a.wav", 4000, kA);
  folder.WriteCue("b.wav", 700, kB);
  audio->PlayCue0("a.wav");
  audio->PlayCue0("b.wav");
  HearEverything();
  // A play sounds its length less one byte; the next starts right after.
  size_t a = FirstIndexOf(kA);
  ASSERT_EQ(a, 0u);
  EXPECT_EQ(CountOf(kA), 3999u);
  EXPECT_EQ(FirstIndexOf(kB), a + 3999);
  EXPECT_EQ(CountOf(kB), 699u);
  EXPECT_EQ(CountOf(kAWithB), 0u);
}

TEST_F(CuePlayersTest, cuesOnTwoChannelsSoundTogetherWithinTheOutputAlreadyQueued) {
  folder.WriteCue("a.wav", 4000, kA);
  folder.WriteCue("b.wav", 1000, kB);
  audio->PlayCue0("a.wav");
  audio->PlayCue1("b.wav");
  HearEverything();
  // The second cue waits only for the blocks already handed to the device.
  size_t together = FirstIndexOf(kAWithB);
  EXPECT_LE(together, size_t(kBlock * kBlocks));
  EXPECT_EQ(CountOf(kAWithB), 999u);
  EXPECT_EQ(CountOf(kA), 3999u - 999u);
}

TEST_F(CuePlayersTest, aMissingCueFileKeepsTheSlotsWaveAndPlaysNothing) {
  folder.WriteCue("1.wav", 100, kA);
  audio->LoadCueWaves();
  pcmmix::LoadedWave* before = audio->CueWave(2);
  ASSERT_NE(before, nullptr);
  audio->PlayCue2("missing.wav");
  EXPECT_EQ(audio->CueWave(2), before);
  HearEverything();
  EXPECT_EQ(devices.state.writes, 0);
  EXPECT_TRUE(Heard().empty());
}

TEST_F(CuePlayersTest, cueWavesLoadIntoFiveSeparateSlotsWithoutPlaying) {
  folder.WriteCue("1.wav", 100, kA);
  audio->LoadCueWaves();
  for (int i = 0; i < GameAudio::kCueSlots; ++i) {
    ASSERT_NE(audio->CueWave(i), nullptr);
    for (int j = 0; j < i; ++j) EXPECT_NE(audio->CueWave(i), audio->CueWave(j));
  }
  EXPECT_EQ(devices.state.writes, 0);
  audio->ReleaseCueWaves();
  EXPECT_EQ(audio->LiveWaves(), 0);
}

TEST_F(CuePlayersTest, aCueAskedBeforeTheCueWavesHaveLoadedPlaysAndLeavesTheSlotsAsIfTheyHad) {
  folder.WriteCue("1.wav", 100, kB);
  folder.WriteCue("a.wav", 3000, kA);
  audio->LoadCueWaves(); // its message is still queued
  audio->PlayCue0("a.wav");
  HearEverything();
  EXPECT_EQ(CountOf(kA), 2999u);
  EXPECT_EQ(audio->CueWave(0)->length, 3000);
  for (int i = 1; i < GameAudio::kCueSlots; ++i) EXPECT_EQ(audio->CueWave(i)->length, 100);
  EXPECT_EQ(audio->LiveWaves(), GameAudio::kCueSlots);
}

TEST_F(CuePlayersTest, withoutTheFirstCueFileNoSlotIsFilledAndReleasingStopsAtTheEmptyLastSlot) {
  audio->LoadCueWaves(); // no 1.wav
  EXPECT_EQ(audio->LiveWaves(), 0);
  folder.WriteCue("a.wav", 100, kA);
  for (int i = 0; i < 4; ++i) audio->PlayCue(i, "a.wav");
  HearEverything();
  // CueWave4 is empty: releasing ends at once, the window says nothing.
  EXPECT_NO_THROW(audio->ReleaseCueWaves());
  EXPECT_EQ(audio->LiveWaves(), 4);
}

TEST_F(CuePlayersTest, aReplacedWaveIsReleasedOnlyOnceItsPlayHasBeenHeard) {
  folder.WriteCue("a.wav", 3000, kA);
  audio->PlayCue0("a.wav");
  audio->PlayCue0("a.wav");
  EXPECT_EQ(audio->LiveWaves(), 2);
  HearEverything();
  EXPECT_EQ(CountOf(kA), 2u * 2999u); // releasing did not cut the first play short
  EXPECT_EQ(audio->LiveWaves(), 1);
}

TEST_F(CuePlayersTest, cueSlotsHoldFlatMemoryOverThousandsOfCues) {
  folder.WriteCue("a.wav", 4000, kA);
  folder.WriteCue("b.wav", 500, kB);
  auto cues = [&](int count) {
    for (int i = 0; i < count; ++i) {
      audio->PlayCue(i % GameAudio::kCueSlots, "a.wav");
      if (i % 10 == 9) HearEverything();
      ASSERT_LE(audio->LiveWaves(), GameAudio::kCueSlots + 10);
    }
    HearEverything();
  };
  devices.state.recordHeard = devices.state.recordWrites = false;
  cues(100);
  size_t heapAfterFew = HeapBytesInUse();
  cues(5000);
  EXPECT_EQ(audio->LiveWaves(), GameAudio::kCueSlots);
  // 5000 leaked waves would be 20 MB; the heap stays where it was.
  EXPECT_LT(HeapBytesInUse(), heapAfterFew + 256 * 1024);
  // Every play was retired: the mixer's play entries are not used up.
  devices.state.recordHeard = true;
  audio->PlayCue3("b.wav");
  HearEverything();
  EXPECT_EQ(CountOf(kB), 499u);
}

TEST_F(CuePlayersTest, channelsOutsideTheCueSlotsAreIgnored) {
  folder.WriteCue("a.wav", 100, kA);
  audio->PlayCue(5, "a.wav");
  audio->PlayCue(-1, "a.wav");
  EXPECT_EQ(devices.state.writes, 0);
  EXPECT_EQ(audio->LiveWaves(), 0);
}

} // namespace
} // namespace ikea::test
