#pragma once
// The device side of an output that asks for sound (a sound server's
// stream calls back each cycle for the next stretch) rather than taking it
// when written. Held blocks are copied at the output level into a short
// buffer of 16-bit frames and go back to the mixer once all of each is in
// it, as a PCM hands a block back once it holds all of it; each cycle then
// takes its frames from that buffer. The buffer's length follows the
// buffer setting (Steadiness.h).
//
// The mixer's calls and the cycles come from different threads; every
// member takes the feed's lock, and a cycle's work under it is a copy.
#include <algorithm>
#include <cstdint>
#include <mutex>
#include <vector>

#include "pcmmix/DeviceShared.h"
#include "pcmmix/DoneMessages.h"
#include "pcmmix/HeldBlocks.h"
#include "pcmmix/WaveTypes.h"

namespace pcmmix {

class PullFeed {
public:
  // Gaps heard within this much sound of the one before are one dropout.
  static constexpr unsigned kOneDropoutMs = 10;

  PullFeed(const WaveFormat& format, MessageQueue* queue, WindowHandle target, DeviceShared shared = {});

  // The mixer's side. Write and Restart say, through wake, that the output
  // had nothing to play and should be started again.
  int Write(WaveHeader* header, bool& wake);
  void Pause();
  void Restart(bool& wake);
  void Reset();
  // Bytes the listener has reached at nowNs (CLOCK_MONOTONIC), following
  // the last cycle's report on from its time at the stream's rate.
  uint64_t PlayedBytes(int64_t nowNs);
  uint64_t Underruns() const { return underruns_.Count(); }
  unsigned BufferMs();

  // One cycle of the output. missedFrames: how far the output's clock went
  // on since the last cycle beyond that cycle's length, a stretch this
  // stream was not asked to fill and the listener heard as silence.
  // delayFrames: how long the first frame given now takes to be heard.
  struct Cycle {
    uint64_t missedFrames = 0;
    uint64_t delayFrames = 0;
    int64_t nowNs = 0;
  };
  // Writes frames x channels samples into out: sound while there is some,
  // silence after it and while paused.
  void Fill(int16_t* out, uint32_t frames, const Cycle& cycle);
  // Whether cycles are still needed: sound to play or a message to offer.
  bool WantsCycles();

private:
  BufferMode Mode() const;
  // What the ring holds ahead: the buffer, or a whole cycle where the
  // server's cycle is longer.
  uint64_t BufferFrames() const {
    return std::max<uint64_t>(uint64_t(format_.samplesPerSec) * bufferMs_ / 1000, cycleFrames_);
  }
  // Nothing to play, and a cycle has already come up short (or the mixer
  // paused): cycles can stop without cutting sound off.
  bool Idle() const { return (paused_ || (dry_ && count_ == 0 && held_.Empty())) && !done_.Waiting(); }
  void TakeHeld();
  void BeginFront();
  void CopyIn(const uint8_t* data, uint32_t frames);
  void CopyOut(int16_t* out, uint32_t frames);
  void AfterUnderrun(bool lengthen);
  void FollowSetting(uint64_t frames);

  WaveFormat format_;
  DoneMessages done_;
  std::shared_ptr<std::atomic<BufferMode>> mode_;
  std::shared_ptr<std::atomic<unsigned>> bufferMsShown_;
  std::shared_ptr<const OutputLevel> level_;
  SteadinessPolicy policy_;

  std::mutex mutex_;
  HeldBlocks held_;
  uint32_t frontTaken_ = 0;  // bytes of the front block already in the buffer
  std::vector<int16_t> ring_;
  size_t head_ = 0;          // first sample to play
  uint64_t count_ = 0;       // frames in the ring
  uint64_t cycleFrames_ = 0; // asked for by the last cycle
  unsigned bufferMs_ = 0;
  unsigned wantedMs_ = 0;
  uint64_t calmFrames_ = 0;  // played since the last underrun or change
  bool dry_ = true;          // the listener has heard all that was given
  bool paused_ = false;
  uint64_t takenFrames_ = 0; // handed to the output since the last reset
  uint64_t heardFrames_ = 0; // reached by the listener at heardNs_
  int64_t heardNs_ = 0;      // 0: no cycle since the last reset
  uint64_t reportedFrames_ = 0; // the furthest position given to the mixer
  int64_t gapAt_ = -1;       // taken frames at the last gap; -1: none since the reset
  UnderrunCount underruns_;
  UnderrunCount bufferChanges_;
};

} // namespace pcmmix
