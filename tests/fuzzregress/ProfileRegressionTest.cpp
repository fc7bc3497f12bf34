// Faults found by fuzzing PCMMIX.INI, pinned on the session a profile sets up.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "pcmmix/PcmMix.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveDevice.h"

namespace ikea::fuzzregress {
namespace {

using namespace pcmmix;

// Only named and counted: these tests never open the device.
class NamedDevice final : public WaveSystem {
public:
  int DeviceCount() override { return 1; }
  int GetCaps(int, DeviceCaps& caps) override {
    caps = {"Stereo Card", 2, 0};
    return 0;
  }
  int Open(int, const WaveFormat&, MessageQueue*, WindowHandle, std::unique_ptr<WaveOut>&) override {
    return deviceresult::kError;
  }
  int QueryFormat(int, const WaveFormat&) override { return 0; }
};

class ProfileSession : public ::testing::Test {
protected:
  void TearDown() override {
    if (session_) PcmMixSessionEnd(session_);
    std::filesystem::remove(path_);
  }

  SessionInfo StereoSessionWith(const std::string& ini) {
    std::ofstream(path_) << ini;
    PlatformServices services;
    services.waveSystem = &device_;
    services.profile = &profile_;
    SetPlatform(services);
    MixSetup setup;
    setup.flags = SetupChannels;
    setup.channels = 2;
    session_ = PcmMixSessionStart(&setup);
    return PcmMixSessionInfo(session_);
  }

private:
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("fuzzregress-" + std::to_string(::getpid()) + ".ini");
  NamedDevice device_;
  IniFileProfile profile_{path_.string()};
  hMixSession session_ = nullptr;
};

TEST_F(ProfileSession, DefaultSectionBlockLengthIsWholeStereoFrames) {
  const SessionInfo info = StereoSessionWith("[default]\nWaveBlockLen=1027\n");
  EXPECT_EQ(info.format.channels, 2);
  EXPECT_EQ(info.blockLength % info.format.blockAlign, 0);
}

// An odd WaveBlockLen in the device's own section is taken as it stands.
// Blocks then end mid-frame: a play placed at a block boundary starts on the
// right channel's byte and is heard with its channels swapped, and the ALSA
// device writes whole frames only, dropping a byte of every block.
TEST_F(ProfileSession, deviceSectionOddBlockLengthNoLongerSplitsStereoFrames) {
  const SessionInfo info = StereoSessionWith("[Stereo Card]\nWaveBlockLen=513\n");
  EXPECT_EQ(info.format.channels, 2);
  EXPECT_EQ(info.blockLength % info.format.blockAlign, 0) << "block length " << info.blockLength;
}

} // namespace
} // namespace ikea::fuzzregress
