#pragma once
// The records shared by the mixer and its output devices.
#include <atomic>
#include <cstdint>
#include <string>

namespace pcmmix {

// Laid out like a RIFF "fmt " chunk's first 16 bytes.
struct WaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};
static_assert(sizeof(WaveFormat) == 16);

inline constexpr uint16_t kFormatPcm = 1;

// One block handed to a device. The device sets kHeaderDone from its own
// thread, hence the atomic flags.
struct WaveHeader {
  uint8_t* data = nullptr;
  uint32_t bufferLength = 0;
  uint32_t bytesRecorded = 0;
  uintptr_t user = 0;
  std::atomic<uint32_t> flags{0};
  uint32_t loops = 0;
  WaveHeader* link = nullptr;
  uintptr_t reserved = 0;
  // Where the block's first byte lies on the writer's output time line, or
  // -1 when the writer keeps none. Lets a device tell a block that should
  // have followed the one before it without a gap.
  int64_t streamStart = -1;
  // The first block after the writer had nothing more to play: a device that
  // ran dry before it heard the writer's own silence, not an underrun.
  bool startsLine = false;
};

inline constexpr uint32_t kHeaderDone = 1;
inline constexpr uint32_t kHeaderPrepared = 2;

struct DeviceCaps {
  std::string productName; // at most 31 characters
  uint16_t channels = 0;
  uint32_t support = 0;
};

inline constexpr uint32_t kSupportSynchronous = 0x10;

// Result numbers of the device layer; 0 is success.
namespace deviceresult {
inline constexpr int kOk = 0;
inline constexpr int kError = 1;
inline constexpr int kBadDeviceId = 2;
inline constexpr int kNoMemory = 7;
inline constexpr int kInvalidHandle = 5;
inline constexpr int kUnprepared = 34;
inline constexpr int kBadFormat = 32;
inline constexpr int kStillPlaying = 33;
} // namespace deviceresult

// Message the device posts for every played block; the mixer posts the same
// number to a play's notify target when the play has been heard.
inline constexpr uint32_t kMessageBlockDone = 957;

} // namespace pcmmix
