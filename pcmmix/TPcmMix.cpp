#include "pcmmix/TPcmMix.h"

namespace pcmmix {

TPcmMix::TPcmMix(bool designing) : designing_(designing) {
  session_ = PcmMixInit();
  if (!session_) Fail(text::kInitFailed);
  request_.size = 24;
  request_.session = session_;
}

TPcmMix::~TPcmMix() {
  // A destructor cannot report; each step runs even when one before failed.
  try {
    SetChannels(0);
  } catch (const EPcmMixError&) {
  }
  try {
    SetActivated(false);
  } catch (const EPcmMixError&) {
  }
  try {
    if (session_) PcmMixSessionEnd(session_);
  } catch (const EPcmMixError&) {
  }
}

void TPcmMix::SetActivated(bool value) {
  if (value == activated_) return;
  if (!designing_) PcmMixActivate(session_, value);
  activated_ = value;
}

void TPcmMix::SetChannels(uint8_t value) {
  uint8_t old = channels_;
  if (value == old) return;
  if (value == 255) {
    PcmMixChannelOpen(session_, 0, ChannelsAll);
  } else if (value == 0) {
    PcmMixChannelClose(session_, 0, ChannelsAll);
  } else {
    for (int i = 0; i < kChannelCount; ++i) {
      uint8_t bit = uint8_t(1u << i);
      if ((value & bit) == (old & bit)) continue;
      if (value & bit) PcmMixChannelOpen(session_, i, 0);
      else PcmMixChannelClose(session_, i, 0);
      // The mask follows every channel changed, so a failure part-way
      // leaves it telling the truth.
      channels_ = uint8_t((channels_ & ~bit) | (value & bit));
    }
  }
  channels_ = value;
}

LoadedWave* TPcmMix::LoadWave(const std::string& fileName) {
  return PcmMixWaveLoad(session_, fileName.c_str(), nullptr, WaveFromFile);
}

void TPcmMix::ReleaseWave(LoadedWave* wave) { PcmMixWaveFree(session_, wave); }

void TPcmMix::PlayWave(int32_t channel, LoadedWave* wave, WindowHandle notify, uint32_t flags,
                       uint16_t loops) {
  request_.channel = channel;
  request_.wave = wave;
  request_.flags = flags;
  request_.notify = notify;
  request_.loops = loops;
  PcmMixPlay(&request_);
}

} // namespace pcmmix
