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
#include "tests/support/QtWait.h"

namespace ikea::test {
namespace {

TEST(QtMixerAllocationTest, servicingBlocksThroughTheWindowsLoopAllocatesNothing) {
  TempGameFolder folder;
  folder.WriteCue("short.wav", 2000, 90);
  folder.WriteCue("long.wav", 22050 * 4, 200);
  pcmmix::DeviceList devices;
  devices.Add(pcmmix::MakeNullBackend(0)); // blocks come back as fast as they go out
  pcmmix::IniFileProfile profile(IKEASOBI_SHIPPED_PROFILE);
  MidiOptions music;
  music.output = MidiOutput::Null;
  GameAudio audio(folder.Path(), AudioServices{&devices, nullptr, nullptr, &profile, music});
  EventWaiter waiter;
  // A first cue heard to its end sets up what Qt's loop keeps for later
  // deliveries.
  audio.PlayCue1("short.wav");
  ASSERT_TRUE(waiter.Until([&] { return audio.CuesInFlight() == 0; }));
  // Blocks are serviced only while the loop runs, so none of this cue's
  // are before the count starts.
  audio.PlayCue0("long.wav");
  long before = AllocationCount();
  bool heard = waiter.Until([&] { return audio.CuesInFlight() == 0; });
  long during = AllocationCount() - before;

  EXPECT_TRUE(heard) << "the cue was heard to its end";
  EXPECT_EQ(during, 0);
}

} // namespace
} // namespace ikea::test
