#pragma once
// The blocks a device holds, in play order. Write copies the data so the
// device thread never reads memory the mixer may rewrite; the devices'
// output level (pcmmix/OutputLevel.h) is applied later, as each block is
// handed on to the output. The slots are allocated once when the device
// opens.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "pcmmix/WaveTypes.h"

namespace pcmmix {

class HeldBlocks {
public:
  static constexpr int kSlots = 8;
  static constexpr uint32_t kMaxBlockBytes = 4096;

  HeldBlocks();

  bool Push(WaveHeader* header); // false when full or too long
  bool Empty() const { return count_ == 0; }
  int Count() const { return count_; }
  WaveHeader* FrontHeader() const;
  const uint8_t* FrontData() const;
  uint32_t FrontLength() const;
  WaveHeader* PopFront();
  // Blocks by play order, 0 = front.
  WaveHeader* HeaderAt(int i) const;
  const uint8_t* DataAt(int i) const;
  uint32_t LengthAt(int i) const;
  int64_t StreamStartAt(int i) const; // the header's streamStart when written
  bool StartsLineAt(int i) const;      // ... and its startsLine

private:
  struct Slot {
    WaveHeader* header = nullptr;
    uint32_t length = 0;
    int64_t streamStart = -1;
    bool startsLine = false;
  };
  std::vector<Slot> slots_;
  std::vector<uint8_t> data_;
  int head_ = 0;
  int count_ = 0;
};

// Under the device's lock: takes a prepared block into the held ones and
// clears its done bit.
int PushHeldBlock(WaveHeader* header, HeldBlocks& held);
// A device's Write: PushHeldBlock under the device's lock, then wakes the
// device's thread.
int WriteHeldBlock(WaveHeader* header, HeldBlocks& held, std::mutex& mutex,
                   std::condition_variable& changed);

} // namespace pcmmix
