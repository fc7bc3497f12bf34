#include "pcmmix/DoneMessages.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

namespace pcmmix {

void DoneMessages::Post(WaveHeader* header) {
  if (queue_->Post(target_, kMessageBlockDone, 0, reinterpret_cast<uintptr_t>(header))) return;
  if (count_ < std::size(refused_)) refused_[count_++] = header;
}

void DoneMessages::Retry() {
  WaveHeader* waiting[std::size(refused_)];
  const size_t count = std::exchange(count_, 0);
  std::copy_n(refused_, count, waiting);
  for (size_t i = 0; i < count; ++i) Post(waiting[i]);
}

} // namespace pcmmix
