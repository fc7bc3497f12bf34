#pragma once
// Output through an ALSA PCM. A feeder thread owns every call on the PCM: it
// writes held blocks in order, follows the played position and returns each
// block done once it has been heard. The mixer's calls only change what the
// feeder is asked to do.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "pcmmix/DeviceShared.h"
#include "pcmmix/DoneMessages.h"
#include "pcmmix/HeldBlocks.h"
#include "pcmmix/OutputLevel.h"
#include "pcmmix/Steadiness.h"
#include "pcmmix/Underruns.h"
#include "pcmmix/WaveDevice.h"

typedef struct _snd_pcm snd_pcm_t;
typedef struct _snd_pcm_hw_params snd_pcm_hw_params_t;

namespace pcmmix {

class AlsaWaveOut final : public WaveOut {
public:
  // Opens and configures the PCM; gives null with the result number on failure.
  static std::unique_ptr<AlsaWaveOut> Open(const std::string& pcmName, const WaveFormat& format,
                                           MessageQueue* queue, WindowHandle target, int& result,
                                           DeviceShared shared = {});
  ~AlsaWaveOut() override;

  int Write(WaveHeader* header) override;
  int Pause() override;
  int Restart() override;
  int Reset() override;
  int GetPositionBytes(uint64_t& bytes) override;
  // The PCM ran dry inside a block, or before a block that followed the
  // last one on the mixer's time line; a quiet mixer's drain is none.
  uint64_t Underruns() const override { return underruns_.Count(); }

  // Times the buffer was lengthened or shortened.
  uint64_t BufferChanges() const { return bufferChanges_.Count(); }

  unsigned long BufferFrames() const { return bufferFrames_; }
  unsigned long PeriodFrames() const { return periodFrames_; }

private:
  AlsaWaveOut(snd_pcm_t* pcm, const WaveFormat& format, MessageQueue* queue, WindowHandle target,
              DeviceShared shared);
  BufferMode Mode() const;
  bool Configure(unsigned bufferMs, int& result);
  bool ConfigureFormat(snd_pcm_hw_params_t* hw, unsigned bufferMs);
  // The PCM holds nothing: the time to take another buffer length when the
  // setting or the underruns ask for it.
  void ResizeWhileEmpty();
  void AfterUnderrun();
  void Run();
  void ApplyRequests(std::unique_lock<std::mutex>& lock);
  bool WriteNextBlock(std::unique_lock<std::mutex>& lock);
  struct WriteResult {
    bool driedBefore = false; // the PCM had run dry before the first frame
    bool driedInside = false; // ... or after some of them
  };
  WriteResult WriteFrames(const uint8_t* data, long frames);
  void ReturnPlayed();
  void ReturnDone(WaveHeader* header);

  snd_pcm_t* pcm_;
  WaveFormat format_;
  DoneMessages done_;
  unsigned long bufferFrames_ = 0;
  unsigned long periodFrames_ = 0;
  bool canPause_ = false;
  // 16-bit signed samples where the PCM takes them: a sound server that
  // pads a starved stream with zero bytes pads 8-bit unsigned sound with
  // its most negative value, a loud click, and 16-bit with silence.
  bool wide_ = false;
  unsigned frameBytes_ = 1;   // what the PCM takes per frame
  SteadinessPolicy policy_;
  unsigned bufferMs_ = 0;
  unsigned wantedMs_ = 0;     // taken the next time the PCM is empty
  uint64_t calmFrames_ = 0;   // written since the last underrun or change
  std::shared_ptr<std::atomic<BufferMode>> mode_;
  std::shared_ptr<std::atomic<unsigned>> bufferMsShown_;
  std::shared_ptr<const OutputLevel> level_;

  std::mutex mutex_;
  std::condition_variable changed_;
  HeldBlocks held_;
  int written_ = 0;           // held blocks already in the PCM's buffer
  uint64_t writtenFrames_ = 0; // since the last reset
  uint64_t playedFrames_ = 0;
  uint64_t blockEnd_[HeldBlocks::kSlots] = {}; // end frame of each written block, by play order
  uint64_t generation_ = 0;   // raised by every reset
  // The block being written, copied out of its slot under the lock at the
  // output level in force then: a reset may hand the slot back and a later
  // Write fill it while the PCM call runs.
  uint8_t writing_[HeldBlocks::kMaxBlockBytes * 2] = {};

  bool dry_ = true;           // the PCM has played all it was given
  UnderrunCount underruns_;
  UnderrunCount bufferChanges_;
  bool paused_ = false;
  bool pcmPaused_ = false;
  bool dropRequested_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

// Sends ALSA's own error printing nowhere instead of to stderr.
void SilenceAlsaErrors();

} // namespace pcmmix
