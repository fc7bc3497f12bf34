#pragma once
// A device's "block done" messages. A full queue refuses one; the block
// would then stay with the device for good and the mixer would have one
// block fewer, so a refused message waits here and is offered again each
// time the device's thread comes round. Only the mixer's blocks circulate,
// so a few places suffice and nothing allocates. Used under the device's
// lock.
#include <cstddef>

#include "pcmmix/HeldBlocks.h"
#include "pcmmix/MessageQueue.h"
#include "pcmmix/WaveTypes.h"

namespace pcmmix {

class DoneMessages {
public:
  DoneMessages(MessageQueue* queue, WindowHandle target) : queue_(queue), target_(target) {}

  void Post(WaveHeader* header);
  // Offers the refused messages again, in their order.
  void Retry();
  bool Waiting() const { return count_ > 0; }

private:
  MessageQueue* queue_;
  WindowHandle target_;
  WaveHeader* refused_[HeldBlocks::kSlots * 2] = {};
  size_t count_ = 0;
};

} // namespace pcmmix
