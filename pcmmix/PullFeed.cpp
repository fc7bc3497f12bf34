#include "pcmmix/PullFeed.h"

#include <algorithm>

namespace pcmmix {

PullFeed::PullFeed(const WaveFormat& format, MessageQueue* queue, WindowHandle target, DeviceShared shared)
    : format_(format), done_(queue, target), mode_(std::move(shared.mode)),
      bufferMsShown_(std::move(shared.bufferMs)), level_(std::move(shared.level)),
      underruns_(std::move(shared.underruns)), bufferChanges_(std::move(shared.bufferChanges)) {
  // Room for the longest buffer and one block more, allocated once.
  ring_.resize((uint64_t(format_.samplesPerSec) * policy_.capMs / 1000 + HeldBlocks::kMaxBlockBytes) *
               format_.channels);
  bufferMs_ = wantedMs_ = NextBufferMs(policy_, Mode(), policy_.lowMs, false, 0);
  if (bufferMsShown_) bufferMsShown_->store(bufferMs_);
}

BufferMode PullFeed::Mode() const { return mode_ ? mode_->load(std::memory_order_relaxed) : BufferMode::Auto; }

int PullFeed::Write(WaveHeader* header, bool& wake) {
  std::lock_guard lock(mutex_);
  wake = Idle();
  const int result = PushHeldBlock(header, held_);
  TakeHeld();
  return result;
}

void PullFeed::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void PullFeed::Restart(bool& wake) {
  std::lock_guard lock(mutex_);
  wake = Idle();
  paused_ = false;
  TakeHeld();
  wake = wake && !Idle();
}

void PullFeed::Reset() {
  std::lock_guard lock(mutex_);
  while (!held_.Empty()) {
    WaveHeader* header = held_.PopFront();
    header->flags |= kHeaderDone;
    done_.Post(header);
  }
  frontTaken_ = 0;
  head_ = count_ = 0;
  takenFrames_ = heardFrames_ = reportedFrames_ = 0;
  gapAt_ = -1;
  heardNs_ = 0;
  dry_ = true;
  underruns_.Forget();
}

uint64_t PullFeed::PlayedBytes(int64_t nowNs) {
  std::lock_guard lock(mutex_);
  uint64_t heard = heardFrames_;
  if (heardNs_ != 0 && !paused_ && nowNs > heardNs_)
    heard += uint64_t(nowNs - heardNs_) * format_.samplesPerSec / 1000000000u;
  // A new cycle's report may fall short of the last one followed on.
  reportedFrames_ = std::max(reportedFrames_, std::min(heard, takenFrames_));
  return reportedFrames_ * format_.blockAlign;
}

unsigned PullFeed::BufferMs() {
  std::lock_guard lock(mutex_);
  return bufferMs_;
}

bool PullFeed::WantsCycles() {
  std::lock_guard lock(mutex_);
  return !Idle();
}

// Moves held blocks into the ring while it is shorter than the buffer; a
// block goes back to the mixer once all of it is in.
void PullFeed::TakeHeld() {
  if (paused_) return;
  while (!held_.Empty() && count_ < BufferFrames()) {
    if (frontTaken_ == 0) BeginFront();
    const uint32_t left = (held_.FrontLength() - frontTaken_) / format_.blockAlign;
    const uint32_t frames = uint32_t(std::min<uint64_t>(left, BufferFrames() - count_));
    CopyIn(held_.FrontData() + frontTaken_, frames);
    frontTaken_ += frames * format_.blockAlign;
    if (frontTaken_ < held_.FrontLength()) break;
    frontTaken_ = 0;
    WaveHeader* header = held_.PopFront();
    header->flags |= kHeaderDone;
    done_.Post(header);
    if (wantedMs_ == bufferMs_)
      wantedMs_ = NextBufferMs(policy_, Mode(), bufferMs_, false, calmFrames_ * 1000 / format_.samplesPerSec);
  }
}

// A block that follows the one before it on the mixer's time line, after
// the listener heard everything given, comes too late: a gap was heard.
void PullFeed::BeginFront() {
  const bool continues = underruns_.Continues(held_.StreamStartAt(0), held_.StartsLineAt(0));
  underruns_.Begin(held_.StreamStartAt(0), held_.LengthAt(0));
  if (dry_ && continues) AfterUnderrun(true);
  dry_ = false;
}

void PullFeed::CopyIn(const uint8_t* data, uint32_t frames) {
  const int level = EffectiveLevel(level_.get());
  size_t at = (head_ + count_ * format_.channels) % ring_.size();
  size_t samples = size_t(frames) * format_.channels;
  while (samples > 0) {
    const size_t run = std::min(samples, ring_.size() - at);
    CopyAtLevelWide(&ring_[at], data, uint32_t(run), level);
    data += run;
    samples -= run;
    at = (at + run) % ring_.size();
  }
  count_ += frames;
}

void PullFeed::CopyOut(int16_t* out, uint32_t frames) {
  size_t samples = size_t(frames) * format_.channels;
  while (samples > 0) {
    const size_t run = std::min(samples, ring_.size() - head_);
    std::copy_n(&ring_[head_], run, out);
    out += run;
    samples -= run;
    head_ = (head_ + run) % ring_.size();
  }
  count_ -= frames;
}

void PullFeed::Fill(int16_t* out, uint32_t frames, const Cycle& cycle) {
  std::lock_guard lock(mutex_);
  done_.Retry();
  // The cycles before were not asked for while sound was due: the listener
  // heard silence there.
  if (cycle.missedFrames > 0 && !paused_ && !dry_) AfterUnderrun(false);
  const uint64_t heardNow = takenFrames_ - std::min(cycle.delayFrames, takenFrames_);
  heardFrames_ = heardNow;
  heardNs_ = cycle.nowNs;
  uint32_t given = 0;
  cycleFrames_ = std::min<uint64_t>(frames, ring_.size() / format_.channels - HeldBlocks::kMaxBlockBytes);
  if (!paused_) {
    TakeHeld();
    given = uint32_t(std::min<uint64_t>(frames, count_));
    CopyOut(out, given);
    takenFrames_ += given;
    if (given < frames) dry_ = true;
    FollowSetting(given);
    TakeHeld();
  }
  std::fill(out + size_t(given) * format_.channels, out + size_t(frames) * format_.channels, int16_t(0));
}

// Gaps closer together than a listener can tell apart are one dropout:
// counted once, and the buffer lengthened once. Only a block that came too
// late lengthens it: a longer ring covers a mixer kept waiting, while a
// cycle the server never asked this stream to fill (its data thread or the
// whole machine stood still) no ring can cover, and a longer one would only
// make every cue later.
void PullFeed::AfterUnderrun(bool lengthen) {
  const bool sameDropout = gapAt_ >= 0 && takenFrames_ - uint64_t(gapAt_) < uint64_t(format_.samplesPerSec) * kOneDropoutMs / 1000;
  gapAt_ = int64_t(takenFrames_);
  calmFrames_ = 0;
  if (sameDropout) return;
  underruns_.Add();
  if (lengthen) wantedMs_ = NextBufferMs(policy_, Mode(), bufferMs_, true, 0);
}

// A new length costs no sound here: the ring only takes more or less from
// the held blocks from now on.
void PullFeed::FollowSetting(uint64_t frames) {
  calmFrames_ += frames;
  if (wantedMs_ == bufferMs_) return;
  bufferMs_ = wantedMs_;
  calmFrames_ = 0;
  bufferChanges_.Add();
  if (bufferMsShown_) bufferMsShown_->store(bufferMs_);
}

} // namespace pcmmix
