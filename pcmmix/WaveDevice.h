#pragma once
// The waveform output device as the mixer uses it. Results are device result
// numbers (0 = success). An open device posts kMessageBlockDone with the
// header as lParam to its target for every block it has played, after
// setting the header's done bit.
#include <cstdint>
#include <memory>

#include "pcmmix/MessageQueue.h"
#include "pcmmix/OutputLevel.h"
#include "pcmmix/Steadiness.h"
#include "pcmmix/WaveTypes.h"

namespace pcmmix {

class WaveOut {
public:
  virtual ~WaveOut() = default; // closes the device
  // Our devices copy each block when it is written, so preparing only marks
  // the header.
  virtual int Prepare(WaveHeader* header) {
    header->flags |= kHeaderPrepared;
    return deviceresult::kOk;
  }
  virtual int Unprepare(WaveHeader* header) {
    header->flags &= ~kHeaderPrepared;
    return deviceresult::kOk;
  }
  // Queues a prepared block; clears its done bit.
  virtual int Write(WaveHeader* header) = 0;
  virtual int Pause() = 0;
  virtual int Restart() = 0;
  // Every held block comes back done (messages posted); position back to 0.
  virtual int Reset() = 0;
  // Bytes played since open or the last reset.
  virtual int GetPositionBytes(uint64_t& bytes) = 0;
  // Times the output ran dry while a block was due (see Underruns.h).
  virtual uint64_t Underruns() const { return 0; }
};

class WaveSystem {
public:
  static constexpr int kMapper = -1;

  virtual ~WaveSystem() = default;
  virtual int DeviceCount() = 0;
  virtual int GetCaps(int device, DeviceCaps& caps) = 0;
  virtual int Open(int device, const WaveFormat& format, MessageQueue* queue, WindowHandle target,
                   std::unique_ptr<WaveOut>& out) = 0;
  // 0 when the device can play the format.
  virtual int QueryFormat(int device, const WaveFormat& format) = 0;
  // Stops the platform's simple sound player; nothing to stop here.
  virtual void StopSimplePlayer() {}
  // Underruns of every device opened here so far, closed ones included.
  virtual uint64_t Underruns() const { return 0; }
  // Times those devices lengthened or shortened their buffer.
  virtual uint64_t BufferChanges() const { return 0; }
  // The buffer of the device opened last, in ms; 0 for none.
  virtual unsigned BufferMs() const { return 0; }
  // The buffer setting (Steadiness.h), followed by open devices from their
  // next change on; devices without a buffer of their own ignore it.
  virtual void SetBufferMode(BufferMode) {}
  // The level of the devices opened here; null when they play at full level.
  virtual OutputLevel* Level() { return nullptr; }
};

// Formats every backend plays: 8-bit PCM, mono or stereo, 11025/22050/44100.
bool IsPlayableFormat(const WaveFormat& format);

} // namespace pcmmix
