#include <numeric>

#include "tests/pcmmix/PcmMixTestSupport.h"

namespace pcmmix::test {
namespace {

using EngineTest = MixerTest;

std::vector<uint8_t> Ramp(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i % 251);
  return v;
}

std::string ErrorOf(auto&& action) {
  try {
    action();
  } catch (const EPcmMixError& e) {
    return e.what();
  }
  return "no error";
}

TEST_F(EngineTest, twoPlaysOnOneChannelFollowWithoutGapOrOverlap) {
  StartActive();
  Play(0, Wave(Filled(1000, 200)), PlayDeferred);
  Play(0, Wave(Filled(1000, 50)));
  ASSERT_EQ(devices.state.written.size(), 1u);
  const auto& block = devices.state.written[0];
  EXPECT_EQ(std::count(block.begin(), block.begin() + 999, 200), 999);
  EXPECT_EQ(std::count(block.begin() + 999, block.begin() + 1998, 50), 999);
  EXPECT_EQ(std::count(block.begin() + 1998, block.end(), 128), 2048 - 1998);
}

TEST_F(EngineTest, twoLoopsOfAThousandBytesSound2999Positions) {
  StartActive();
  auto ramp = Ramp(1000);
  Play(0, Wave(ramp), 0, 2);
  PlayBlocks(3);
  const auto& heard = devices.state.heard;
  ASSERT_GE(heard.size(), 3000u);
  for (size_t i = 0; i < 2999; ++i) ASSERT_EQ(heard[i], ramp[i % 1000]) << i;
  EXPECT_EQ(heard[2999], 128);
}

TEST_F(EngineTest, anEndlessPlayHoldsBackTheNextOneUntilFlushed) {
  StartActive();
  Play(0, Wave(Filled(300, 90)), 0, LoopsEndless);
  Play(0, Wave(Filled(300, 30)));
  PlayBlocks(20);
  const auto& heard = devices.state.heard;
  EXPECT_EQ(std::count(heard.begin(), heard.end(), 90), long(heard.size()));
  PcmMixChannelFlush(session, 0, 0);
  size_t before = devices.state.heard.size();
  PlayBlocks(4);
  EXPECT_EQ(std::count(heard.begin() + long(before), heard.end(), 30), 0);
  EXPECT_EQ(std::count(heard.begin() + long(before), heard.end(), 90), 0);
}

TEST_F(EngineTest, eightFullChannelsClipAndOneAloneIsCopied) {
  StartActive();
  for (int ch = 0; ch < 7; ++ch) Play(ch, Wave(Filled(2048, 255)), PlayDeferred);
  Play(7, Wave(Filled(2048, 255)));
  const auto& block = devices.state.written.at(0);
  EXPECT_EQ(std::count(block.begin(), block.end(), 255), 2047); // the last byte is never mixed

  PcmMixChannelFlush(session, 0, ChannelsAll);
  devices.state.written.clear();
  auto ramp = Ramp(2048);
  Play(3, Wave(ramp), PlayReplace);
  const auto& alone = devices.state.written.at(0);
  EXPECT_TRUE(std::equal(ramp.begin(), ramp.end() - 1, alone.begin()));
}

// Devices count an underrun when the next block of one time line comes after
// the output ran dry, so a mixer that went quiet must start a fresh line.
TEST_F(EngineTest, blocksCarryTheirTimeLinePositionAndAQuietMixerStartsAFreshLine) {
  StartActive();
  Play(0, Wave(Filled(5 * 2048, 200)));
  PlayBlocks(8);
  const auto& starts = devices.state.streamStarts;
  ASSERT_GE(starts.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(starts[i], int64_t(i) * 2048) << "block " << i;
  while (devices.state.CompleteNext()) queue.DispatchPending();
  const size_t before = starts.size();
  const int64_t lineEnd = starts.back() + 2048;
  Play(1, Wave(Filled(100, 60)));
  ASSERT_GT(starts.size(), before);
  EXPECT_NE(starts[before], lineEnd);
}

// Through a sound server a block comes back before it is heard, so the last
// play of a burst is still held when the mixer runs out of sound; the next
// cue then continued the old line, and the quiet the device had rightly run
// into counted as an underrun.
TEST_F(EngineTest, theFirstBlockAfterTheMixerRanOutStartsALineThoughItsLastSoundIsUnheard) {
  StartActive();
  Play(0, Wave(Filled(3 * 2048, 200)));
  const auto& lines = devices.state.startsLine;
  while (devices.state.CompleteNext()) {
    devices.state.position = 2048; // the listener is still in the first block
    queue.DispatchPending();
  }
  ASSERT_GE(lines.size(), 3u);
  EXPECT_TRUE(lines[0]);
  EXPECT_FALSE(lines[1]);
  EXPECT_FALSE(lines[2]);
  const size_t before = lines.size();
  Play(1, Wave(Filled(3 * 2048, 60)));
  ASSERT_GT(lines.size(), before + 1);
  EXPECT_EQ(devices.state.streamStarts[before], 3 * 2048); // the old line goes on...
  EXPECT_TRUE(lines[before]);                              // ...but from a stop
  EXPECT_FALSE(lines[before + 1]);
}

TEST_F(EngineTest, aPlayOnAnIdleMixerPausesFillsEveryBlockAndRestarts) {
  StartActive();
  EXPECT_EQ(devices.state.writes, 0);
  Play(0, Wave(Filled(10000, 7)));
  EXPECT_EQ(devices.state.pauses, 1);
  EXPECT_EQ(devices.state.restarts, 1);
  EXPECT_EQ(devices.state.writes, 3);
  EXPECT_FALSE(devices.state.paused);
  EXPECT_EQ(devices.state.written[0][0], 7); // the sound begins with the first block
}

TEST_F(EngineTest, playAtOnceWithRewriteRebuildsFromTheListenerPosition) {
  StartActive();
  Play(0, Wave(Filled(20000, 140)));
  clock.now += 100; // the listener is 1102 bytes in
  devices.state.written.clear();
  Play(1, Wave(Filled(500, 138)), PlayAtOnce);
  EXPECT_EQ(devices.state.resets, 1);
  ASSERT_EQ(devices.state.written.size(), 3u);
  const auto& first = devices.state.written[0];
  EXPECT_EQ(first[0], 150); // both sounds from the listener's position on
  EXPECT_EQ(first[498], 150);
  EXPECT_EQ(first[499], 140);
  EXPECT_FALSE(devices.state.paused);
}

TEST_F(EngineTest, playAtOnceWithShiftStartsAfterTheSubmittedBlocks) {
  profile.Set("default", "Remix", 2);
  StartActive();
  Play(0, Wave(Filled(20000, 140)));
  clock.now += 100;
  devices.state.written.clear();
  Play(1, Wave(Filled(500, 138)), PlayAtOnce);
  EXPECT_EQ(devices.state.resets, 0);
  EXPECT_TRUE(devices.state.written.empty());
  PlayOneBlock();
  const auto& next = devices.state.written.at(0); // mixed at 6144
  EXPECT_EQ(next[0], 150);
  EXPECT_EQ(next[498], 150);
  EXPECT_EQ(next[499], 140);
}

// A shifted play queued behind an endless one must not take over the endless
// end: once the endless play is freed it would loop for ever (or, with no
// loops, read on past its wave's samples) and never give its notice.
TEST_F(EngineTest, aShiftedPlayQueuedBehindAnEndlessOneStillEndsByItsLoops) {
  profile.Set("default", "Remix", 2);
  StartActive();
  Play(2, Wave(Filled(40000, 128))); // blocks submitted, the mix position ahead
  clock.now += 100;                  // the listener is 1102 bytes in
  LoadedWave* endless = Wave(Filled(300, 90));
  LoadedWave* behind = Wave(Filled(300, 30));
  RecordingTarget client;
  WindowHandle target = queue.CreateTarget(&client);
  Play(0, endless, PlayAtOnce | PlayDeferred, LoopsEndless);
  PlayRequest r = Request(0, behind, 0, 1); // shifted to 6144, ends 599 bytes later
  r.notify = target;
  PcmMixPlay(&r);
  PlayBlocks(6);
  EXPECT_TRUE(client.messages.empty()); // held back by the endless play
  Forget(endless);
  PcmMixWaveFree(session, endless);
  size_t before = devices.state.heard.size();
  PlayBlocks(6);
  queue.DispatchPending();
  const auto& heard = devices.state.heard;
  EXPECT_EQ(std::count(heard.begin() + long(before), heard.end(), 30), 0);
  ASSERT_EQ(client.messages.size(), 1u);
  EXPECT_EQ(client.messages[0].w, 0u);
  EXPECT_EQ(client.messages[0].l, reinterpret_cast<uintptr_t>(behind));
  queue.DestroyTarget(target);
}

TEST_F(EngineTest, theNoticeArrivesAfterTheEndWithChannelAndWave) {
  StartActive();
  RecordingTarget client;
  WindowHandle target = queue.CreateTarget(&client);
  LoadedWave* wave = Wave(Filled(3000, 99));
  PlayRequest r = Request(5, wave);
  r.notify = target;
  PcmMixPlay(&r);
  PlayOneBlock();
  EXPECT_TRUE(client.messages.empty()); // 2048 bytes heard, the play ends at 2999
  PlayOneBlock();
  queue.DispatchPending();
  ASSERT_EQ(client.messages.size(), 1u);
  EXPECT_EQ(client.messages[0].id, kMessageBlockDone);
  EXPECT_EQ(client.messages[0].w, 5u);
  EXPECT_EQ(client.messages[0].l, reinterpret_cast<uintptr_t>(wave));
  queue.DestroyTarget(target);
}

TEST_F(EngineTest, flushingAnIdleChannelRebuildsNothing) {
  StartActive();
  Play(0, Wave(Filled(20000, 140)));
  int writes = devices.state.writes;
  PcmMixChannelFlush(session, 1, 0);
  EXPECT_EQ(devices.state.resets, 0);
  EXPECT_EQ(devices.state.writes, writes);
}

TEST_F(EngineTest, flushingAPlayingChannelSilencesItAtOnce) {
  StartActive();
  Play(0, Wave(Filled(20000, 140)));
  PcmMixChannelFlush(session, 0, 0);
  EXPECT_EQ(devices.state.resets, 1);
  PlayBlocks(3);
  EXPECT_EQ(devices.state.count, 0); // nothing left to mix
}

TEST_F(EngineTest, freeingAWaveQueuedOnTwoChannelsKeepsTheOtherPlaysInOrder) {
  StartActive();
  LoadedWave* gone = Wave(Filled(1000, 10));
  LoadedWave* after = Wave(Filled(1000, 20));
  Play(0, Wave(Filled(7000, 128)), PlayDeferred);
  Play(0, gone, PlayDeferred);
  Play(0, after, PlayDeferred);
  Play(1, Wave(Filled(6500, 128)), PlayDeferred);
  Play(1, gone);
  Forget(gone);
  PcmMixWaveFree(session, gone);
  PlayBlocks(5);
  const auto& heard = devices.state.heard;
  EXPECT_EQ(std::count(heard.begin(), heard.end(), 10), 0);
  EXPECT_EQ(heard[7997], 128); // the freed play's span stays silent
  EXPECT_EQ(heard[7998], 20);  // the play behind it keeps its place
  EXPECT_EQ(heard[8996], 20);
  EXPECT_EQ(heard[8997], 128);
  EXPECT_EQ(ErrorOf([&] { PcmMixWaveFree(session, nullptr); }), "The given pointer was not valid");
}

TEST_F(EngineTest, rampsStayContinuousAcrossBlockBoundariesAndLoops) {
  profile.Set("default", "WaveBlockLen", 512);
  StartActive();
  auto ramp = Ramp(1777);
  Play(2, Wave(ramp), 0, 3);
  PlayBlocks(16);
  const auto& heard = devices.state.heard;
  ASSERT_GE(heard.size(), 4u * 1777);
  for (size_t i = 0; i < 4 * 1777 - 1; ++i) ASSERT_EQ(heard[i], ramp[i % 1777]) << i;
}

TEST_F(EngineTest, playRefusalsGiveTheirTextsAndCountAsTheyShould) {
  Start();
  LoadedWave* wave = Wave(Filled(10, 1));
  EXPECT_EQ(ErrorOf([] { PcmMixPlay(nullptr); }), "nil parameters pointer passed to PcmMixPlay");
  PlayRequest r = Request(0, nullptr);
  EXPECT_EQ(ErrorOf([&] { PcmMixPlay(&r); }), "nil wave pointer passed to PcmMixPlay!");
  r.wave = wave;
  EXPECT_EQ(ErrorOf([&] { PcmMixPlay(&r); }),
            "Wave device not allocated, call PcmMixActivate(hMixSession,TRUE)");
  PcmMixActivate(session, true);
  EXPECT_EQ(ErrorOf([&] { PcmMixPlay(&r); }), "You must open a channel before you can play a wave");
  PcmMixChannelOpen(session, 2, 0);
  r.channel = 9;
  EXPECT_EQ(ErrorOf([&] { PcmMixPlay(&r); }), "Invalid channel number");
  EXPECT_EQ(PcmMixSessionInfo(session).playCount, 0);
  r.channel = 1;
  EXPECT_EQ(ErrorOf([&] { PcmMixPlay(&r); }), "The specified channel was not open");
  EXPECT_EQ(PcmMixSessionInfo(session).playCount, 1);
  r.flags = PlayLeastRecentChannel;
  r.channel = 0;
  PcmMixPlay(&r);
  EXPECT_EQ(r.channel, 2); // the first open channel, not closed channel 0
}

TEST_F(EngineTest, theHundredAndFirstWaitingPlayFindsNoEntry) {
  StartActive();
  LoadedWave* wave = Wave(Filled(10, 1));
  for (int i = 0; i < 100; ++i) Play(i % 8, wave, PlayDeferred);
  EXPECT_EQ(ErrorOf([&] { Play(0, wave, PlayDeferred); }), "Not enough memory");
  EXPECT_EQ(PcmMixSessionInfo(session).playCount, 101);
}

TEST_F(EngineTest, leastRecentChoicePrefersAnIdleChannelThenTheOldestStamp) {
  StartActive(3);
  LoadedWave* wave = Wave(Filled(50000, 1));
  for (int i = 0; i < 3; ++i) Play(i, wave);
  Play(1, wave); // channel 1 is now the most recent, channel 0 the oldest
  PlayRequest r = Request(0, wave, PlayLeastRecentChannel);
  PcmMixPlay(&r);
  EXPECT_EQ(r.channel, 0);
  r.flags = PlayLeastRecentChannel;
  PcmMixPlay(&r);
  EXPECT_EQ(r.channel, 2);
}

TEST_F(EngineTest, aDeferredPlayWhoseChannelClosedGoesBackToThePool) {
  StartActive();
  LoadedWave* wave = Wave(Filled(100, 1));
  Play(4, wave, PlayDeferred);
  PcmMixChannelClose(session, 4, 0);
  Play(0, wave);
  // The pool is whole again but for the entry still queued on channel 0.
  for (int i = 0; i < 99; ++i) Play(1, wave, PlayDeferred);
  EXPECT_THROW(Play(1, wave, PlayDeferred), EPcmMixError);
}

TEST_F(EngineTest, aWriteFailureReturnsTheBlockAndLeavesTheDeviceRunning) {
  StartActive();
  devices.state.failWrites = true;
  EXPECT_EQ(ErrorOf([&] { Play(0, Wave(Filled(5000, 3))); }), "Failed to write block to device");
  EXPECT_FALSE(devices.state.paused);
  devices.state.failWrites = false;
  Play(1, Wave(Filled(5000, 3)));
  EXPECT_EQ(devices.state.count, 3); // every block was free again
}

TEST_F(EngineTest, aBlockDoneMessageAfterDeactivationIsIgnored) {
  StartActive();
  Play(0, Wave(Filled(5000, 3)));
  devices.state.CompleteNext();
  PcmMixActivate(session, false);
  EXPECT_EQ(queue.DispatchPending(), 0);
}

} // namespace
} // namespace pcmmix::test
