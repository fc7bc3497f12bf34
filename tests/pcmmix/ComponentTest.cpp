#include "pcmmix/TPcmMix.h"
#include "tests/pcmmix/PcmMixTestSupport.h"

namespace pcmmix::test {
namespace {

class ComponentTest : public MixerTest {
protected:
  void TearDown() override {
    mix.reset();
    MixerTest::TearDown();
  }
  int OpenCount() { return PcmMixSessionInfo(mix->Session()).openChannels; }
  std::unique_ptr<TPcmMix> mix;
};

TEST_F(ComponentTest, channelMaskWritesOpenAndCloseOnlyTheBitsThatChange) {
  mix = std::make_unique<TPcmMix>();
  mix->SetChannels(31);
  EXPECT_EQ(OpenCount(), 5);
  mix->SetChannels(29);
  EXPECT_EQ(OpenCount(), 4);
  EXPECT_THROW(PcmMixChannelFlush(mix->Session(), 1, 0), EPcmMixError); // 1 closed
  PcmMixChannelFlush(mix->Session(), 0, 0);
  mix->SetChannels(31);
  mix->SetChannels(255);
  EXPECT_EQ(OpenCount(), 8);
  mix->SetChannels(31);
  mix->SetChannels(0);
  EXPECT_EQ(OpenCount(), 0);
  EXPECT_EQ(mix->Channels(), 0);
}

TEST_F(ComponentTest, activatedTwiceClaimsTheDeviceOnce) {
  mix = std::make_unique<TPcmMix>();
  mix->SetActivated(true);
  mix->SetActivated(true);
  EXPECT_EQ(devices.state.opens, 1);
  mix->SetActivated(false);
  EXPECT_EQ(devices.state.closes, 1);
}

TEST_F(ComponentTest, aFailedActivationLeavesThePropertyUnchanged) {
  mix = std::make_unique<TPcmMix>();
  devices.openResult = 2;
  EXPECT_THROW(mix->SetActivated(true), EPcmMixError);
  EXPECT_FALSE(mix->Activated());
}

TEST_F(ComponentTest, designingRecordsActivatedWithoutClaimingTheDevice) {
  mix = std::make_unique<TPcmMix>(true);
  mix->SetActivated(true);
  EXPECT_TRUE(mix->Activated());
  EXPECT_EQ(devices.state.opens, 0);
}

TEST_F(ComponentTest, destroyingTearsDownInOrderAndEndsTheSession) {
  mix = std::make_unique<TPcmMix>();
  mix->SetActivated(true);
  mix->SetChannels(31);
  mix.reset();
  EXPECT_EQ(devices.state.closes, 1);
  session = PcmMixInit(); // the session is gone, a new one may start
}

TEST_F(ComponentTest, destroyingANeverActivatedComponentEndsQuietly) {
  mix = std::make_unique<TPcmMix>();
  EXPECT_NO_THROW(mix.reset());
}

TEST_F(ComponentTest, constructionFailsWithTheSessionsOwnError) {
  devices.deviceCount = 0;
  try {
    TPcmMix failing;
    FAIL();
  } catch (const EPcmMixError& e) {
    EXPECT_STREQ(e.what(), "No wave output devices available");
  }
}

TEST_F(ComponentTest, playWaveWritesTheLeastRecentChoiceBackAndNotifies) {
  mix = std::make_unique<TPcmMix>();
  mix->SetActivated(true);
  mix->SetChannels(6); // channels 1 and 2
  RecordingTarget client;
  WindowHandle target = queue.CreateTarget(&client);
  LoadedWave* wave = Wave(Filled(100, 200));
  mix->PlayWave(0, wave, target, PlayLeastRecentChannel, 0);
  EXPECT_EQ(mix->Request().channel, 1);
  PlayOneBlock();
  queue.DispatchPending();
  ASSERT_EQ(client.messages.size(), 1u);
  EXPECT_EQ(client.messages[0].w, 1u);
  Forget(wave);
  mix->ReleaseWave(wave);
  queue.DestroyTarget(target);
}

} // namespace
} // namespace pcmmix::test
