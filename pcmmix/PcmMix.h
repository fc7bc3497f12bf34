#pragma once
// The wave mixer: one session at a time, eight channels of queued plays mixed
// into a ring of output blocks a little ahead of the output device. Every
// failure raises EPcmMixError. All calls, and the draining of the message
// queue that carries the device's "block done" messages, belong on one thread.
#include <cstdint>
#include <vector>

#include "pcmmix/MessageQueue.h"
#include "pcmmix/PcmMixError.h"
#include "pcmmix/WaveTypes.h"

namespace pcmmix {

class MsClock;
class ProfileReader;
class WaveSystem;

struct MixSession;
using hMixSession = MixSession*;

// A wave loaded and converted to the session's output format.
struct LoadedWave {
  WaveFormat format;            // as stored in the file
  std::vector<uint8_t> samples; // converted
  int32_t length = 0;           // bytes of converted samples
  char label[16] = {};
};

struct MixSetup {
  uint16_t size = 10;
  uint32_t flags = 0;
  uint16_t channels = 0;
  uint16_t rate = 0; // 11, 22 or 44
};
inline constexpr uint32_t SetupChannels = 1;
inline constexpr uint32_t SetupRate = 2;

inline constexpr uint32_t ChannelsAll = 1;
inline constexpr uint32_t ChannelsCount = 2;
inline constexpr uint32_t FlushNoRemix = 2;

inline constexpr uint32_t PlayReplace = 1;
inline constexpr uint32_t PlayLeastRecentChannel = 2;
inline constexpr uint32_t PlayAtOnce = 4;
inline constexpr uint32_t PlayDeferred = 8;
inline constexpr uint16_t LoopsEndless = 0xFFFF;

inline constexpr uint32_t WaveFromFile = 1;
inline constexpr uint32_t WaveFromResource = 2;
inline constexpr uint32_t WaveFromMemory = 4;

inline constexpr int kChannelCount = 8;

struct PlayRequest {
  uint16_t size = 24;
  hMixSession session = nullptr;
  int32_t channel = 0;
  LoadedWave* wave = nullptr;
  WindowHandle notify = 0; // receives kMessageBlockDone(channel, wave) once heard
  uint32_t flags = 0;
  uint16_t loops = 0;      // extra passes; LoopsEndless never ends
};

// A readable memory image of a WAV file.
struct MemoryFile {
  const uint8_t* buffer = nullptr;
  size_t size = 0;
  const char* name = nullptr; // for the wave's label
};

// What the mixer reaches the outside through. Null members take the defaults:
// the device list chosen by IKEASOBI_AUDIO (ALSA when it opens, then null),
// the steady clock, DefaultMessageQueue() and PCMMIX.INI beside the program.
struct PlatformServices {
  WaveSystem* waveSystem = nullptr;
  MsClock* clock = nullptr;
  MessageQueue* messages = nullptr;
  const ProfileReader* profile = nullptr;
};
// Takes effect at the next session start.
void SetPlatform(const PlatformServices& services);
PostedMessageQueue& DefaultMessageQueue();

hMixSession PcmMixInit();
hMixSession PcmMixSessionStart(const MixSetup* setup);
void PcmMixActivate(hMixSession session, bool activate);
void PcmMixChannelOpen(hMixSession session, int32_t channel, uint32_t flags);
void PcmMixChannelClose(hMixSession session, int32_t channel, uint32_t flags);
void PcmMixSessionEnd(hMixSession session);

LoadedWave* PcmMixWaveLoad(hMixSession session, const char* name, const void* module, uint32_t flags);
LoadedWave* PcmMixWaveLoad(hMixSession session, const MemoryFile& memory);
void PcmMixWaveFree(hMixSession session, LoadedWave* wave);

void PcmMixPlay(PlayRequest* request);
void PcmMixChannelFlush(hMixSession session, int32_t channel, uint32_t flags);

// Conversion to the output format; each step consumes its input.
std::vector<uint8_t> ConvertFormat(const WaveFormat& target, const WaveFormat& source,
                                   std::vector<uint8_t> samples);
std::vector<uint8_t> ConvertBits(std::vector<uint8_t> samples, int sourceBits, int targetBits);
std::vector<uint8_t> ConvertChannels(std::vector<uint8_t> samples, int sourceChannels,
                                     int targetChannels);
std::vector<uint8_t> ConvertRate(std::vector<uint8_t> samples, uint32_t sourceRate,
                                 uint32_t targetRate, int channels);

// The session's output format and block setup, for callers that size things.
struct SessionInfo {
  WaveFormat format;
  int32_t blockLength = 0;
  int32_t blockCount = 0;
  int32_t deviceNumber = 0;
  int32_t openChannels = 0;
  int32_t playCount = 0;
  bool active = false;
  bool remixShift = false;
  uint8_t goodWavePos = 0;
  // Where the next block to be mixed begins, and what the listener hears now
  // by the device's count: a cue started on an idle channel is heard
  // (mixPosition - heardPosition) bytes after the call.
  int64_t mixPosition = 0;
  int64_t heardPosition = 0;
};
SessionInfo PcmMixSessionInfo(hMixSession session);

} // namespace pcmmix
