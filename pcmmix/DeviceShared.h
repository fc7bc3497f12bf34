#pragma once
// What a backend shares with every device it opens: its sums and the
// buffer setting, which a device follows from its next change on.
#include <atomic>
#include <memory>

#include "pcmmix/OutputLevel.h"
#include "pcmmix/Steadiness.h"
#include "pcmmix/Underruns.h"

namespace pcmmix {

struct DeviceShared {
  UnderrunTotal underruns;
  UnderrunTotal bufferChanges;
  std::shared_ptr<std::atomic<BufferMode>> mode;
  std::shared_ptr<std::atomic<unsigned>> bufferMs; // the last device's, as configured
  std::shared_ptr<const OutputLevel> level;        // none: full

  static DeviceShared Make() {
    return {std::make_shared<std::atomic<uint64_t>>(0), std::make_shared<std::atomic<uint64_t>>(0),
            std::make_shared<std::atomic<BufferMode>>(BufferMode::Auto), std::make_shared<std::atomic<unsigned>>(0u),
            nullptr};
  }
};

} // namespace pcmmix
