#include "pcmmix/AlsaWaveOut.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <iterator>
#include <utility>

#include "pcmmix/OutputLevel.h"
#include "pcmmix/Realtime.h"

namespace pcmmix {
namespace {

void DiscardAlsaError(const char*, int, const char*, int, const char*, ...) {}

// What a cue waits behind is the mixer's ring of blocks plus this buffer
// plus what a sound server holds after it. The shortest buffer, about 12 ms
// in four periods, keeps the sum near a click's worth of delay; the mixer's
// ring, not this buffer, is what rides out a busy event loop, and a longer
// buffer (Steadiness.h) what rides out a machine that stops.
constexpr unsigned kPeriods = 4;

} // namespace

void SilenceAlsaErrors() { snd_lib_error_set_handler(&DiscardAlsaError); }

std::unique_ptr<AlsaWaveOut> AlsaWaveOut::Open(const std::string& pcmName, const WaveFormat& format,
                                               MessageQueue* queue, WindowHandle target,
                                               int& result, DeviceShared shared) {
  SilenceAlsaErrors();
  if (!IsPlayableFormat(format)) {
    result = deviceresult::kBadFormat;
    return nullptr;
  }
  snd_pcm_t* pcm = nullptr;
  int opened = -1;
  // A sound server's plugin carries what the feeder writes to the server on
  // a thread of its own, started by the open. An ordinary thread there is
  // kept waiting on a busy machine just as an ordinary feeder would be, and
  // the server's short buffer runs dry, so it gets the feeder's priority;
  // threads the rest of the program starts meanwhile do not.
  RaiseThreadsStartedBy([&] { opened = snd_pcm_open(&pcm, pcmName.c_str(), SND_PCM_STREAM_PLAYBACK, 0); },
                        kFeederPriority);
  if (opened < 0) {
    result = deviceresult::kBadDeviceId;
    return nullptr;
  }
  std::unique_ptr<AlsaWaveOut> device(new AlsaWaveOut(pcm, format, queue, target, std::move(shared)));
  device->bufferMs_ = device->wantedMs_ =
      NextBufferMs(device->policy_, device->Mode(), device->policy_.lowMs, false, 0);
  if (!device->Configure(device->bufferMs_, result)) return nullptr;
  device->thread_ = std::thread([d = device.get()] { d->Run(); });
  result = deviceresult::kOk;
  return device;
}

AlsaWaveOut::AlsaWaveOut(snd_pcm_t* pcm, const WaveFormat& format, MessageQueue* queue,
                         WindowHandle target, DeviceShared shared)
    : pcm_(pcm), format_(format), done_(queue, target), mode_(std::move(shared.mode)),
      bufferMsShown_(std::move(shared.bufferMs)), level_(std::move(shared.level)),
      underruns_(std::move(shared.underruns)), bufferChanges_(std::move(shared.bufferChanges)) {}

BufferMode AlsaWaveOut::Mode() const { return mode_ ? mode_->load(std::memory_order_relaxed) : BufferMode::Auto; }

AlsaWaveOut::~AlsaWaveOut() {
  if (thread_.joinable()) {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  snd_pcm_drop(pcm_);
  snd_pcm_close(pcm_);
}

bool AlsaWaveOut::ConfigureFormat(snd_pcm_hw_params_t* hw, unsigned bufferMs) {
  if (snd_pcm_hw_params_any(pcm_, hw) < 0) return false;
  if (snd_pcm_hw_params_set_access(pcm_, hw, SND_PCM_ACCESS_RW_INTERLEAVED) < 0) return false;
  if (snd_pcm_hw_params_set_format(pcm_, hw, wide_ ? SND_PCM_FORMAT_S16 : SND_PCM_FORMAT_U8) < 0) return false;
  if (snd_pcm_hw_params_set_channels(pcm_, hw, format_.channels) < 0) return false;
  if (snd_pcm_hw_params_set_rate(pcm_, hw, format_.samplesPerSec, 0) < 0) return false;
  snd_pcm_uframes_t buffer = format_.samplesPerSec * bufferMs / 1000;
  snd_pcm_uframes_t period = format_.samplesPerSec * policy_.lowMs / 1000 / kPeriods;
  snd_pcm_hw_params_set_buffer_size_near(pcm_, hw, &buffer);
  snd_pcm_hw_params_set_period_size_near(pcm_, hw, &period, nullptr);
  return snd_pcm_hw_params(pcm_, hw) >= 0;
}

bool AlsaWaveOut::Configure(unsigned bufferMs, int& result) {
  result = deviceresult::kBadFormat;
  snd_pcm_hw_params_t* hw;
  snd_pcm_hw_params_alloca(&hw);
  wide_ = true;
  if (!ConfigureFormat(hw, bufferMs)) {
    wide_ = false;
    if (!ConfigureFormat(hw, bufferMs)) return false;
  }
  frameBytes_ = format_.channels * (wide_ ? 2u : 1u);
  snd_pcm_uframes_t buffer = 0, period = 0;
  // What the server granted, not what was asked for.
  snd_pcm_hw_params_get_buffer_size(hw, &buffer);
  snd_pcm_hw_params_get_period_size(hw, &period, nullptr);
  bufferFrames_ = buffer;
  periodFrames_ = std::max<snd_pcm_uframes_t>(period, 1);
  if (bufferMsShown_) bufferMsShown_->store(unsigned(buffer * 1000 / format_.samplesPerSec));
  canPause_ = snd_pcm_hw_params_can_pause(hw);

  snd_pcm_sw_params_t* sw;
  snd_pcm_sw_params_alloca(&sw);
  if (snd_pcm_sw_params_current(pcm_, sw) < 0) return false;
  snd_pcm_sw_params_set_start_threshold(pcm_, sw, periodFrames_);
  snd_pcm_sw_params_set_avail_min(pcm_, sw, periodFrames_);
  if (snd_pcm_sw_params(pcm_, sw) < 0) return false;
  result = deviceresult::kOk;
  return true;
}

int AlsaWaveOut::Write(WaveHeader* header) {
  return WriteHeldBlock(header, held_, mutex_, changed_);
}

int AlsaWaveOut::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
  return deviceresult::kOk;
}

int AlsaWaveOut::Restart() {
  {
    std::lock_guard lock(mutex_);
    paused_ = false;
  }
  changed_.notify_all();
  return deviceresult::kOk;
}

int AlsaWaveOut::Reset() {
  {
    std::lock_guard lock(mutex_);
    while (!held_.Empty()) ReturnDone(held_.PopFront());
    written_ = 0;
    writtenFrames_ = playedFrames_ = 0;
    ++generation_;
    dropRequested_ = true;
    dry_ = true;
    underruns_.Forget();
  }
  changed_.notify_all();
  return deviceresult::kOk;
}

int AlsaWaveOut::GetPositionBytes(uint64_t& bytes) {
  std::lock_guard lock(mutex_);
  bytes = playedFrames_ * format_.blockAlign;
  return deviceresult::kOk;
}

void AlsaWaveOut::ReturnDone(WaveHeader* header) {
  header->flags |= kHeaderDone;
  done_.Post(header);
}

void AlsaWaveOut::Run() {
  RaiseThreadToRealtime(kFeederPriority);
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const auto periodTime = std::chrono::microseconds(1000000ull * periodFrames_ / format_.samplesPerSec);
    ApplyRequests(lock);
    done_.Retry();
    ReturnPlayed();
    if (!paused_ && written_ < held_.Count()) {
      WriteNextBlock(lock);
      continue;
    }
    // While the PCM still plays what it was given, wake each period to
    // follow the position; with nothing left, sleep until the mixer writes
    // or asks, so a quiet game costs no wake-ups.
    if (writtenFrames_ == playedFrames_ && !done_.Waiting()) {
      // Everything given has been heard: a block that was meant to follow
      // comes too late, and the listener hears the gap.
      dry_ = true;
      // A sound server keeps asking a running stream for more, every
      // period, while the game is quiet; a paused one it leaves alone.
      // Pausing waits for the server, so the mixer is not kept waiting for
      // the lock meanwhile; what it asked for then is looked at afresh.
      if (canPause_ && !paused_ && snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING) {
        lock.unlock();
        snd_pcm_pause(pcm_, 1);
        lock.lock();
        continue;
      }
      changed_.wait(lock);
    } else {
      changed_.wait_for(lock, periodTime);
    }
  }
}

void AlsaWaveOut::ApplyRequests(std::unique_lock<std::mutex>&) {
  if (dropRequested_) {
    snd_pcm_drop(pcm_);
    snd_pcm_prepare(pcm_);
    dropRequested_ = false;
    pcmPaused_ = false;
  }
  if (paused_ != pcmPaused_) {
    if (canPause_ && snd_pcm_state(pcm_) == (paused_ ? SND_PCM_STATE_RUNNING : SND_PCM_STATE_PAUSED))
      snd_pcm_pause(pcm_, paused_ ? 1 : 0);
    pcmPaused_ = paused_;
  }
}

bool AlsaWaveOut::WriteNextBlock(std::unique_lock<std::mutex>& lock) {
  int index = written_;
  uint64_t generation = generation_;
  uint32_t length = held_.LengthAt(index);
  long frames = long(length / format_.blockAlign);
  if (wide_)
    CopyAtLevelWide(reinterpret_cast<int16_t*>(writing_), held_.DataAt(index), length, EffectiveLevel(level_.get()));
  else
    CopyAtLevel(writing_, held_.DataAt(index), length, EffectiveLevel(level_.get()));
  const bool continues = underruns_.Continues(held_.StreamStartAt(index), held_.StartsLineAt(index));
  underruns_.Begin(held_.StreamStartAt(index), length);
  const bool dryBefore = dry_;
  if (dryBefore && continues) AfterUnderrun();
  const bool playOn = !paused_;
  dry_ = false;
  // Only this thread touches writing_ and the PCM, so the PCM's calls run
  // unlocked: through a sound server they wait for the server, and the
  // mixer must not wait for the lock meanwhile. A reset meanwhile shows as a
  // new generation and the block is not counted.
  lock.unlock();
  if (dryBefore) ResizeWhileEmpty();
  // Paused while the game was quiet: play on.
  if (playOn && snd_pcm_state(pcm_) == SND_PCM_STATE_PAUSED) snd_pcm_pause(pcm_, 0);
  WriteResult wrote = WriteFrames(writing_, frames);
  lock.lock();
  if (generation != generation_) return false;
  if (wrote.driedInside || (continues && !dryBefore && wrote.driedBefore)) AfterUnderrun();
  calmFrames_ += uint64_t(frames);
  writtenFrames_ += uint64_t(frames);
  blockEnd_[index] = writtenFrames_;
  ++written_;
  if (wantedMs_ == bufferMs_)
    wantedMs_ = NextBufferMs(policy_, Mode(), bufferMs_, false, calmFrames_ * 1000 / format_.samplesPerSec);
  return true;
}

void AlsaWaveOut::AfterUnderrun() {
  underruns_.Add();
  wantedMs_ = NextBufferMs(policy_, Mode(), bufferMs_, true, 0);
  calmFrames_ = 0;
}

// Called with the PCM drained: a new length costs no sound.
void AlsaWaveOut::ResizeWhileEmpty() {
  if (wantedMs_ == bufferMs_) return;
  snd_pcm_drop(pcm_);
  snd_pcm_hw_free(pcm_);
  int result = 0;
  const unsigned before = bufferMs_;
  if (Configure(wantedMs_, result)) {
    bufferMs_ = wantedMs_;
  } else if (!Configure(before, result)) {
    return; // the PCM refuses both: the writes report it
  }
  snd_pcm_prepare(pcm_);
  wantedMs_ = bufferMs_;
  calmFrames_ = 0;
  pcmPaused_ = false; // prepared afresh: ApplyRequests pauses it again if asked
  if (bufferMs_ != before) bufferChanges_.Add();
}

AlsaWaveOut::WriteResult AlsaWaveOut::WriteFrames(const uint8_t* data, long frames) {
  WriteResult result;
  bool started = false;
  while (frames > 0) {
    snd_pcm_sframes_t n = snd_pcm_writei(pcm_, data, snd_pcm_uframes_t(frames));
    if (n < 0) {
      if (n == -EPIPE) (started ? result.driedInside : result.driedBefore) = true;
      if (snd_pcm_recover(pcm_, int(n), 1) < 0) return result; // give the rest up
      continue;
    }
    started = started || n > 0;
    data += n * frameBytes_;
    frames -= n;
  }
  return result;
}

// A block goes back to the mixer once the PCM has accepted all of it into
// its buffer, not once it is heard and not once it has left that buffer: a
// sound server behind the PCM waits for most of the buffer to be filled
// before it starts (or restarts after running dry) a stream, and a mixer
// whose few blocks were all held until then could never fill it, and the
// sound would stop for good. The position (what the listener has reached) still
// follows the PCM's delay, which includes what the server holds.
void AlsaWaveOut::ReturnPlayed() {
  if (writtenFrames_ == playedFrames_ && written_ == 0) return;
  snd_pcm_sframes_t delay = 0;
  if (snd_pcm_avail(pcm_) < 0 || snd_pcm_delay(pcm_, &delay) < 0 || delay < 0) {
    // Ran dry: everything written has been played.
    snd_pcm_recover(pcm_, -EPIPE, 1);
    delay = 0;
    dry_ = true;
  }
  uint64_t played = writtenFrames_ - std::min<uint64_t>(uint64_t(delay), writtenFrames_);
  playedFrames_ = std::max(playedFrames_, played);
  while (written_ > 0 && blockEnd_[0] <= writtenFrames_) {
    ReturnDone(held_.PopFront());
    --written_;
    std::copy(blockEnd_ + 1, blockEnd_ + HeldBlocks::kSlots, blockEnd_);
  }
}

} // namespace pcmmix
