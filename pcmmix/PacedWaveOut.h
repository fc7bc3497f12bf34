#pragma once
// A device without hardware: its thread consumes blocks on absolute
// monotonic-clock deadlines at the format's byte rate, so every timing rule
// of the mixer runs unchanged. A sink sees the stream that would be heard.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "pcmmix/DoneMessages.h"
#include "pcmmix/HeldBlocks.h"
#include "pcmmix/OutputLevel.h"
#include "pcmmix/Underruns.h"
#include "pcmmix/WaveDevice.h"

namespace pcmmix {

class PacedSink {
public:
  virtual ~PacedSink() = default;
  virtual void Played(const uint8_t* data, uint32_t count) = 0;
  // Bytes of silence for time in which the device held no block.
  virtual void Silence(uint64_t count) = 0;
  virtual bool WantsSilence() const { return false; }
};

// speed: 1 = real time, 2 = twice as fast, 0 = as fast as possible.
class PacedWaveOut final : public WaveOut {
public:
  PacedWaveOut(const WaveFormat& format, MessageQueue* queue, WindowHandle target, double speed,
               std::unique_ptr<PacedSink> sink, UnderrunTotal underruns = nullptr,
               std::shared_ptr<const OutputLevel> level = nullptr);
  ~PacedWaveOut() override;

  int Write(WaveHeader* header) override;
  int Pause() override;
  int Restart() override;
  int Reset() override;
  int GetPositionBytes(uint64_t& bytes) override;
  // A block of the mixer's time line that came after the previous one had
  // ended (more than the 5 ms the time line forgives); never at full speed.
  uint64_t Underruns() const override { return underruns_.Count(); }

private:
  using Clock = std::chrono::steady_clock;
  void Run();
  void RunIdle(std::unique_lock<std::mutex>& lock);
  void WaitForChange(std::unique_lock<std::mutex>& lock);
  void RunFront(std::unique_lock<std::mutex>& lock);
  void FinishFront();
  void HandFront(uint32_t count);
  void ReturnDone(WaveHeader* header);
  Clock::duration DurationOf(uint64_t bytes) const;
  uint64_t BytesIn(Clock::duration d) const;
  void FlushSilence(Clock::time_point now);
  uint64_t FrontBytesPlayed() const;
  bool Fast() const { return speed_ <= 0; }

  WaveFormat format_;
  DoneMessages done_;
  double speed_;
  std::unique_ptr<PacedSink> sink_;
  std::shared_ptr<const OutputLevel> level_; // none: full

  std::mutex mutex_;
  std::condition_variable changed_;
  HeldBlocks held_;
  // The block handed to the sink, at the output level (the thread's own).
  std::vector<uint8_t> handing_ = std::vector<uint8_t>(HeldBlocks::kMaxBlockBytes);
  bool stopping_ = false;
  bool paused_ = false;
  bool frontStarted_ = false;
  Clock::time_point frontStart_;
  Clock::duration pausedElapsed_{};
  Clock::time_point lastEnd_;
  uint64_t playedBytes_ = 0;
  Clock::time_point silenceSince_;
  uint64_t silenceWritten_ = 0;
  bool idle_ = true; // holding no block: time passes as silence
  UnderrunCount underruns_;
  std::thread thread_;
};

} // namespace pcmmix
