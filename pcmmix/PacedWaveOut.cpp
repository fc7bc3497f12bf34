#include "pcmmix/PacedWaveOut.h"

#include <algorithm>

#include "pcmmix/OutputLevel.h"

namespace pcmmix {

using namespace std::chrono;

PacedWaveOut::PacedWaveOut(const WaveFormat& format, MessageQueue* queue, WindowHandle target,
                           double speed, std::unique_ptr<PacedSink> sink, UnderrunTotal underruns,
                           std::shared_ptr<const OutputLevel> level)
    : format_(format), done_(queue, target), speed_(speed), sink_(std::move(sink)), level_(std::move(level)),
      underruns_(std::move(underruns)) {
  lastEnd_ = silenceSince_ = Clock::now();
  thread_ = std::thread([this] { Run(); });
}

PacedWaveOut::~PacedWaveOut() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

int PacedWaveOut::Write(WaveHeader* header) {
  return WriteHeldBlock(header, held_, mutex_, changed_);
}

int PacedWaveOut::Pause() {
  std::lock_guard lock(mutex_);
  if (!paused_ && frontStarted_) pausedElapsed_ = Clock::now() - frontStart_;
  paused_ = true;
  return deviceresult::kOk;
}

int PacedWaveOut::Restart() {
  {
    std::lock_guard lock(mutex_);
    if (paused_ && frontStarted_) frontStart_ = Clock::now() - pausedElapsed_;
    paused_ = false;
  }
  changed_.notify_all();
  return deviceresult::kOk;
}

int PacedWaveOut::Reset() {
  {
    std::lock_guard lock(mutex_);
    // What was heard of the interrupted block belongs to the stream.
    if (frontStarted_) HandFront(uint32_t(FrontBytesPlayed()));
    while (!held_.Empty()) ReturnDone(held_.PopFront());
    frontStarted_ = false;
    playedBytes_ = 0;
    pausedElapsed_ = {};
    FlushSilence(Clock::now());
    idle_ = true;
    silenceSince_ = lastEnd_ = Clock::now();
    silenceWritten_ = 0;
    underruns_.Forget();
  }
  changed_.notify_all();
  return deviceresult::kOk;
}

int PacedWaveOut::GetPositionBytes(uint64_t& bytes) {
  std::lock_guard lock(mutex_);
  bytes = playedBytes_ + FrontBytesPlayed();
  return deviceresult::kOk;
}

uint64_t PacedWaveOut::FrontBytesPlayed() const {
  if (!frontStarted_ || Fast()) return 0;
  Clock::duration elapsed = paused_ ? pausedElapsed_ : Clock::now() - frontStart_;
  uint64_t into = std::min<uint64_t>(BytesIn(elapsed), held_.FrontLength());
  return into - into % std::max<uint16_t>(format_.blockAlign, 1);
}

void PacedWaveOut::ReturnDone(WaveHeader* header) {
  header->flags |= kHeaderDone;
  done_.Post(header);
}

PacedWaveOut::Clock::duration PacedWaveOut::DurationOf(uint64_t bytes) const {
  double seconds = double(bytes) / double(std::max<uint32_t>(format_.avgBytesPerSec, 1)) / speed_;
  return duration_cast<Clock::duration>(duration<double>(seconds));
}

uint64_t PacedWaveOut::BytesIn(Clock::duration d) const {
  double seconds = duration<double>(d).count() * speed_;
  return seconds <= 0 ? 0 : uint64_t(seconds * format_.avgBytesPerSec);
}

void PacedWaveOut::FlushSilence(Clock::time_point now) {
  if (!idle_ || Fast() || !sink_ || !sink_->WantsSilence()) return;
  uint64_t due = BytesIn(now - silenceSince_);
  due -= due % std::max<uint16_t>(format_.blockAlign, 1);
  if (due > silenceWritten_) {
    sink_->Silence(due - silenceWritten_);
    silenceWritten_ = due;
  }
}

void PacedWaveOut::Run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    done_.Retry();
    if (held_.Empty()) RunIdle(lock);
    else RunFront(lock);
  }
  FlushSilence(Clock::now());
}

// Refused messages are offered again while the thread would otherwise sleep.
void PacedWaveOut::WaitForChange(std::unique_lock<std::mutex>& lock) {
  if (done_.Waiting()) changed_.wait_for(lock, milliseconds(5));
  else changed_.wait(lock);
}

void PacedWaveOut::RunIdle(std::unique_lock<std::mutex>& lock) {
  if (Fast() || !sink_ || !sink_->WantsSilence()) {
    WaitForChange(lock);
    return;
  }
  changed_.wait_for(lock, milliseconds(20));
  FlushSilence(Clock::now());
}

void PacedWaveOut::RunFront(std::unique_lock<std::mutex>& lock) {
  if (paused_) {
    WaitForChange(lock);
    return;
  }
  if (!frontStarted_) {
    Clock::time_point now = Clock::now();
    FlushSilence(now);
    idle_ = false;
    // Back to back blocks keep one time line; after a gap the line restarts.
    bool gap = lastEnd_ + milliseconds(5) < now;
    frontStart_ = gap ? now : lastEnd_;
    frontStarted_ = true;
    if (gap && !Fast() && underruns_.Continues(held_.StreamStartAt(0), held_.StartsLineAt(0))) underruns_.Add();
    underruns_.Begin(held_.StreamStartAt(0), held_.FrontLength());
  }
  if (Fast()) {
    FinishFront();
    return;
  }
  Clock::time_point deadline = frontStart_ + DurationOf(held_.FrontLength());
  if (Clock::now() >= deadline) {
    lastEnd_ = deadline;
    FinishFront();
    return;
  }
  changed_.wait_until(lock, deadline);
}

// The front block goes to the sink at the level in force now, so a change
// is heard from the next block handed on.
void PacedWaveOut::HandFront(uint32_t count) {
  if (!sink_ || count == 0) return;
  CopyAtLevel(handing_.data(), held_.FrontData(), count, EffectiveLevel(level_.get()));
  sink_->Played(handing_.data(), count);
}

void PacedWaveOut::FinishFront() {
  HandFront(held_.FrontLength());
  playedBytes_ += held_.FrontLength();
  frontStarted_ = false;
  ReturnDone(held_.PopFront());
  if (held_.Empty()) {
    idle_ = true;
    silenceSince_ = Fast() ? Clock::now() : lastEnd_;
    silenceWritten_ = 0;
  }
}

} // namespace pcmmix
