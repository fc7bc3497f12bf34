// The game's own road for every block: the device thread posts "block done"
// into the window's queue, the window's loop delivers it and the mixer
// refills the block. Every operator new in this binary is counted.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"
#include "sound/GameAudio.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/CountingAllocator.h"

namespace ikea::test {
namespace {

TEST(QtMixerAllocationTest, servicingBlocksThroughTheWindowsLoopAllocatesNothing) {
  TempGameFolder folder;
  folder.WriteCue("long.wav", 22050 * 4, 200);
  pcmmix::DeviceList devices;
  devices.Add(pcmmix::MakeNullBackend(0)); // blocks come back as fast as they go out
  pcmmix::IniFileProfile profile(IKEASOBI_SHIPPED_PROFILE);
  MidiOptions music;
  music.output = MidiOutput::Null;
  GameAudio audio(folder.Path(), AudioServices{&devices, nullptr, nullptr, &profile, music});
  audio.PlayCue0("long.wav");
  // The loop's first deliveries set up what Qt keeps for later ones.
  for (int i = 0; i < 50; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  ASSERT_GT(audio.CuesInFlight(), 0) << "the cue is long enough to outlast the warm-up";

  long before = AllocationCount();
  int rounds = 0;
  while (audio.CuesInFlight() > 0 && rounds < 200000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ++rounds;
  }
  long during = AllocationCount() - before;

  EXPECT_EQ(audio.CuesInFlight(), 0) << "the cue was heard to its end";
  EXPECT_EQ(during, 0) << "over " << rounds << " rounds of the loop";
}

} // namespace
} // namespace ikea::test
