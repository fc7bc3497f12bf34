#include "pcmmix/HeldBlocks.h"

#include <cstring>

namespace pcmmix {

HeldBlocks::HeldBlocks() : slots_(kSlots), data_(size_t(kSlots) * kMaxBlockBytes) {}

bool HeldBlocks::Push(WaveHeader* header) {
  if (count_ == kSlots || header->bufferLength > kMaxBlockBytes) return false;
  int index = (head_ + count_) % kSlots;
  slots_[index] = {header, header->bufferLength, header->streamStart, header->startsLine};
  if (header->bufferLength)
    std::memcpy(&data_[size_t(index) * kMaxBlockBytes], header->data, header->bufferLength);
  ++count_;
  return true;
}

WaveHeader* HeldBlocks::FrontHeader() const { return slots_[head_].header; }
const uint8_t* HeldBlocks::FrontData() const { return &data_[size_t(head_) * kMaxBlockBytes]; }
uint32_t HeldBlocks::FrontLength() const { return slots_[head_].length; }

WaveHeader* HeldBlocks::HeaderAt(int i) const { return slots_[(head_ + i) % kSlots].header; }
const uint8_t* HeldBlocks::DataAt(int i) const {
  return &data_[size_t((head_ + i) % kSlots) * kMaxBlockBytes];
}
uint32_t HeldBlocks::LengthAt(int i) const { return slots_[(head_ + i) % kSlots].length; }
int64_t HeldBlocks::StreamStartAt(int i) const { return slots_[(head_ + i) % kSlots].streamStart; }
bool HeldBlocks::StartsLineAt(int i) const { return slots_[(head_ + i) % kSlots].startsLine; }

WaveHeader* HeldBlocks::PopFront() {
  WaveHeader* header = slots_[head_].header;
  head_ = (head_ + 1) % kSlots;
  --count_;
  return header;
}

int PushHeldBlock(WaveHeader* header, HeldBlocks& held) {
  if (!(header->flags & kHeaderPrepared)) return deviceresult::kUnprepared;
  header->flags &= ~kHeaderDone;
  return held.Push(header) ? deviceresult::kOk : deviceresult::kNoMemory;
}

int WriteHeldBlock(WaveHeader* header, HeldBlocks& held, std::mutex& mutex,
                   std::condition_variable& changed) {
  int result;
  {
    std::lock_guard lock(mutex);
    result = PushHeldBlock(header, held);
  }
  if (result == deviceresult::kOk) changed.notify_all();
  return result;
}

} // namespace pcmmix
