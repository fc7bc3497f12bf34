#include "tests/pcmmix/PcmMixTestSupport.h"

namespace pcmmix::test {
namespace {

using SessionTest = MixerTest;

std::string ErrorOf(auto&& action) {
  try {
    action();
  } catch (const EPcmMixError& e) {
    return e.what();
  }
  return "no error";
}

TEST_F(SessionTest, defaultsGiveMonoAt11025WithThreeBlocksOf2048) {
  Start();
  SessionInfo info = PcmMixSessionInfo(session);
  EXPECT_EQ(info.format.samplesPerSec, 11025u);
  EXPECT_EQ(info.format.channels, 1);
  EXPECT_EQ(info.blockCount, 3);
  EXPECT_EQ(info.blockLength, 2048);
  EXPECT_FALSE(info.remixShift);
  EXPECT_EQ(info.deviceNumber, 0);
}

TEST_F(SessionTest, blockCountAndLengthAreHeldToTheirRanges) {
  profile.Set("default", "WaveBlocks", 9);
  profile.Set("default", "WaveBlockLen", 100);
  Start();
  EXPECT_EQ(PcmMixSessionInfo(session).blockCount, 6);
  EXPECT_EQ(PcmMixSessionInfo(session).blockLength, 512);
  PcmMixSessionEnd(session);

  profile.Set("default", "WaveBlocks", 1);
  profile.Set("Fake Device", "WaveBlockLen", 9000);
  Start();
  EXPECT_EQ(PcmMixSessionInfo(session).blockCount, 2);
  EXPECT_EQ(PcmMixSessionInfo(session).blockLength, 4096);
}

TEST_F(SessionTest, theDeviceSectionOverridesDefaultAndTheSetupOverridesTheRate) {
  profile.Set("default", "SamplesPerSec", 22);
  profile.Set("fake device", "remix", 2);
  profile.Set("FAKE DEVICE", "GoodWavePos", 257); // kept as a byte
  MixSetup setup;
  setup.flags = SetupChannels | SetupRate;
  setup.channels = 2;
  setup.rate = 44;
  Start(&setup);
  SessionInfo info = PcmMixSessionInfo(session);
  EXPECT_EQ(info.format.samplesPerSec, 44100u);
  EXPECT_EQ(info.format.channels, 2);
  EXPECT_EQ(info.format.avgBytesPerSec, 88200u);
  EXPECT_EQ(info.blockLength, 4096); // no length configured at 44100
  EXPECT_TRUE(info.remixShift);
  EXPECT_EQ(info.goodWavePos, 1);
}

TEST_F(SessionTest, aSetupOfTheWrongSizeIsIgnored) {
  MixSetup setup;
  setup.size = 12;
  setup.flags = SetupRate;
  setup.rate = 22;
  Start(&setup);
  EXPECT_EQ(PcmMixSessionInfo(session).format.samplesPerSec, 11025u);
}

TEST_F(SessionTest, aDeviceNumberBeyondTheListSelectsTheMapper) {
  profile.Set("general", "WaveOutDevice", 1);
  Start();
  EXPECT_EQ(PcmMixSessionInfo(session).deviceNumber, -1);
}

TEST_F(SessionTest, aSecondSessionIsRefusedAndTheFirstKeepsItsQueues) {
  StartActive();
  Play(0, Wave(Filled(50000, 200)), 0, LoopsEndless);
  EXPECT_EQ(ErrorOf([] { PcmMixInit(); }), "Session already initialized");
  EXPECT_EQ(PcmMixSessionInfo(session).playCount, 1);
  PlayOneBlock();
  EXPECT_EQ(devices.state.heard.back(), 200);
}

TEST_F(SessionTest, startIsRefusedWithoutDevicesAndForSynchronousOrIncompatibleOnes) {
  devices.deviceCount = 0;
  EXPECT_EQ(ErrorOf([] { PcmMixInit(); }), "No wave output devices available");
  devices.deviceCount = 1;
  devices.caps.support = kSupportSynchronous;
  EXPECT_EQ(ErrorOf([] { PcmMixInit(); }),
            "Fake Device is a syncronous (blocking) wave output device.  This will not permit "
            "audio to play while other applications are running");
  devices.caps.support = 0;
  profile.Set("not compatible", "Fake Device", 1);
  EXPECT_EQ(ErrorOf([] { PcmMixInit(); }), "Fake Device is not compatible with the realtime mixer");
  profile.Set("not compatible", "Fake Device", 0);
  Start(); // nothing was left behind by the refusals
}

TEST_F(SessionTest, anUnreadableDeviceCountsAsUnknownMono) {
  devices.capsFail = true;
  MixSetup setup;
  setup.flags = SetupChannels;
  setup.channels = 2;
  Start(&setup);
  EXPECT_EQ(PcmMixSessionInfo(session).format.channels, 1);
}

TEST_F(SessionTest, channelsOpenAndCloseWithTheirCountsAndTexts) {
  Start();
  PcmMixChannelOpen(session, 3, 0);
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelOpen(session, 3, 0); }), "The channel has already been opened");
  PcmMixChannelOpen(session, 0, ChannelsAll);
  EXPECT_EQ(PcmMixSessionInfo(session).openChannels, 8);
  PcmMixChannelClose(session, 5, 0);
  EXPECT_EQ(PcmMixSessionInfo(session).openChannels, 7);
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelClose(session, 5, 0); }), "The specified channel was not open");
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelClose(session, 8, 0); }), "Invalid channel number");
  PcmMixChannelClose(session, 0, ChannelsAll);
  EXPECT_EQ(PcmMixSessionInfo(session).openChannels, 0);
  PcmMixChannelOpen(session, 3, ChannelsCount);
  EXPECT_EQ(PcmMixSessionInfo(session).openChannels, 3);
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelOpen(session, 0, 3); }), "Invalid Flags");
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelOpen(session, -1, 0); }), "Invalid channel number");
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelOpen(session, 9, ChannelsCount); }), "Invalid number of channels");
}

TEST_F(SessionTest, badHandlesAreRefusedEverywhere) {
  Start();
  MixSession* bogus = reinterpret_cast<MixSession*>(&clock);
  EXPECT_EQ(ErrorOf([&] { PcmMixActivate(nullptr, true); }), "Invalid Session handle");
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelOpen(bogus, 0, 0); }), "Invalid Session handle");
  hMixSession ended = session;
  PcmMixSessionEnd(session);
  session = nullptr;
  EXPECT_EQ(ErrorOf([&] { PcmMixChannelFlush(ended, 0, 0); }), "Invalid Session handle");
}

TEST_F(SessionTest, activatingTwiceClaimsTheDeviceOnce) {
  Start();
  PcmMixActivate(session, true);
  PcmMixActivate(session, true);
  EXPECT_EQ(devices.state.opens, 1);
  PcmMixActivate(session, false);
  EXPECT_EQ(devices.state.closes, 1);
  EXPECT_FALSE(PcmMixSessionInfo(session).active);
}

TEST_F(SessionTest, aFailedDeviceOpenCanBeRetried) {
  Start();
  devices.openResult = 4;
  EXPECT_EQ(ErrorOf([&] { PcmMixActivate(session, true); }), "Failed to open waveform output device #4");
  devices.openResult = 0;
  PcmMixActivate(session, true);
  EXPECT_TRUE(PcmMixSessionInfo(session).active);
}

TEST_F(SessionTest, deactivatingAndActivatingResumesNearTheHeardPosition) {
  StartActive();
  std::vector<uint8_t> ramp(100000);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = uint8_t(i * 13 / 7);
  Play(0, Wave(ramp));
  PlayBlocks(2);
  clock.now += 1000; // the listener is one second (11025 bytes) in
  PcmMixActivate(session, false);
  devices.state.written.clear();
  PcmMixActivate(session, true);
  ASSERT_FALSE(devices.state.written.empty());
  const auto& first = devices.state.written.front();
  EXPECT_TRUE(std::equal(first.begin(), first.end(), ramp.begin() + 11025));
}

} // namespace
} // namespace pcmmix::test
