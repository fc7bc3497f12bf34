// Playing must not allocate: every operator new in this binary is counted.
#include "tests/pcmmix/PcmMixTestSupport.h"
#include "tests/support/CountingAllocator.h"

namespace pcmmix::test {
namespace {

using AllocationTest = MixerTest;

TEST_F(AllocationTest, aLongRunOfPlaysAndServicesAllocatesNothing) {
  StartActive();
  RecordingTarget client;
  client.messages.reserve(100000);
  WindowHandle target = queue.CreateTarget(&client);
  devices.state.recordHeard = false;
  devices.state.recordWrites = false;
  LoadedWave* shortWave = Wave(Filled(700, 160));
  LoadedWave* longWave = Wave(Filled(9000, 100));
  PlayRequest r = Request(0, shortWave);
  r.notify = target;

  long before = ikea::test::AllocationCount();
  for (int round = 0; round < 2000; ++round) {
    r.channel = round % 8;
    r.wave = round % 3 ? shortWave : longWave;
    r.flags = round % 5 == 0 ? PlayAtOnce : round % 7 == 0 ? PlayReplace : 0;
    if (round % 11 == 0) r.flags = PlayLeastRecentChannel;
    PcmMixPlay(&r);
    clock.now += 20;
    PlayOneBlock();
    if (round % 97 == 0) PcmMixChannelFlush(session, round % 8, 0);
  }
  for (int i = 0; i < 50; ++i) PlayOneBlock();
  queue.DispatchPending();
  long during = ikea::test::AllocationCount() - before;

  EXPECT_EQ(during, 0);
  EXPECT_GT(client.messages.size(), 100u); // plays did finish along the way
  queue.DestroyTarget(target);
}

} // namespace
} // namespace pcmmix::test
