#pragma once
// The component a window uses the mixer through: a session for its lifetime,
// the Activated and Channels properties, and loading, playing and releasing
// waves. The notify target of a play receives kMessageBlockDone once heard.
#include <cstdint>
#include <string>

#include "pcmmix/PcmMix.h"

namespace pcmmix {

class TPcmMix {
public:
  // designing: the properties are only recorded, as in a form designer;
  // channels are still opened and closed.
  explicit TPcmMix(bool designing = false);
  ~TPcmMix();
  TPcmMix(const TPcmMix&) = delete;
  TPcmMix& operator=(const TPcmMix&) = delete;

  bool Activated() const { return activated_; }
  void SetActivated(bool value);
  uint8_t Channels() const { return channels_; }
  void SetChannels(uint8_t value);

  LoadedWave* LoadWave(const std::string& fileName);
  void ReleaseWave(LoadedWave* wave);
  void PlayWave(int32_t channel, LoadedWave* wave, WindowHandle notify, uint32_t flags,
                uint16_t loops);

  hMixSession Session() const { return session_; }
  // With PlayLeastRecentChannel the request holds the channel chosen.
  const PlayRequest& Request() const { return request_; }

private:
  PlayRequest request_;
  hMixSession session_ = nullptr;
  bool activated_ = false;
  uint8_t channels_ = 0;
  bool designing_;
};

} // namespace pcmmix
