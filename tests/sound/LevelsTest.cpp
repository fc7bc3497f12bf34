// The window's volume and mute for the effects, heard through the capture
// device as a player would hear them: a change is heard from the next block
// handed to the output.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "pcmmix/WaveSystems.h"
#include "sound/GameAudio.h"
#include "tests/sound/SoundTestSupport.h"

namespace ikea::test {
namespace {

using pcmmix::test::TableProfile;

constexpr uint8_t kCue = 200;   // 72 above the centre
constexpr uint8_t kHalf = 164;  // 36 above it
constexpr size_t kCueBytes = 1000;

TEST(EffectsLevel, halfVolumeHalvesACueAboutTheCentreAndMuteIsExactSilence) {
  TempGameFolder folder;
  folder.WriteCue("a.wav", kCueBytes, kCue);
  const std::filesystem::path capture = folder.Path() / "effects.wav";
  pcmmix::DeviceChoice choice;
  choice.kind = pcmmix::DeviceChoice::Kind::Capture;
  choice.capturePath = capture.string();
  choice.speed = 0;
  std::unique_ptr<pcmmix::WaveSystem> devices = pcmmix::MakeWaveSystem(choice);
  TableProfile profile;
  profile.Set("default", "SamplesPerSec", 22);
  profile.Set("default", "WaveBlockLen", 512);
  profile.Set("default", "WaveBlocks", 3);
  pcmmix::PostedMessageQueue queue;
  MidiOptions music;
  music.output = MidiOutput::Null;
  {
    GameAudio audio(folder.Path(), {devices.get(), nullptr, &queue, &profile, music});
    auto hear = [&] {
      audio.PlayCue(0, "a.wav");
      while (audio.CuesInFlight() > 0) queue.WaitAndDispatch();
    };
    hear();
    audio.SetEffectsLevel(50, false);
    hear();
    audio.SetEffectsLevel(50, true);
    hear();
    audio.SetEffectsLevel(100, false);
  }
  std::ifstream in(capture, std::ios::binary);
  std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(file.size(), 44u);
  const std::vector<uint8_t> heard(file.begin() + 44, file.end());
  const size_t cue = size_t(std::count(heard.begin(), heard.end(), kCue));
  EXPECT_EQ(cue, kCueBytes - 1);  // the mixer plays all of a wave but its last byte
  EXPECT_EQ(size_t(std::count(heard.begin(), heard.end(), kHalf)), cue);
  // The muted cue left nothing but the centre: every other sample is 128.
  EXPECT_EQ(size_t(std::count(heard.begin(), heard.end(), 128)), heard.size() - 2 * cue);
  const auto lastHalf = std::find(heard.rbegin(), heard.rend(), kHalf).base();
  EXPECT_LT(std::find(heard.begin(), heard.end(), kCue), lastHalf);
}

} // namespace
} // namespace ikea::test
