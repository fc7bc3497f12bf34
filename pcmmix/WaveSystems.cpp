#include "pcmmix/WaveSystems.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdlib>

#include "pcmmix/AlsaWaveOut.h"
#include "pcmmix/PacedWaveOut.h"
#include "pcmmix/PipeWireWaveOut.h"
#include "pcmmix/WavFileWriter.h"

namespace pcmmix {

bool IsPlayableFormat(const WaveFormat& f) {
  bool rateOk = f.samplesPerSec == 11025 || f.samplesPerSec == 22050 || f.samplesPerSec == 44100;
  return f.formatTag == kFormatPcm && f.bitsPerSample == 8 && (f.channels == 1 || f.channels == 2) &&
         rateOk && f.blockAlign == f.channels;
}

int DeviceBackend::Query(const WaveFormat& format) const {
  return IsPlayableFormat(format) ? deviceresult::kOk : deviceresult::kBadFormat;
}

void DeviceList::Add(std::unique_ptr<DeviceBackend> backend) { backends_.push_back(std::move(backend)); }

int DeviceList::DeviceCount() { return int(backends_.size()); }

DeviceBackend* DeviceList::Find(int device) const {
  if (device == kMapper) device = 0;
  if (device < 0 || device >= int(backends_.size())) return nullptr;
  return backends_[size_t(device)].get();
}

int DeviceList::GetCaps(int device, DeviceCaps& caps) {
  DeviceBackend* backend = Find(device);
  if (!backend) return deviceresult::kBadDeviceId;
  caps = backend->Caps();
  return deviceresult::kOk;
}

int DeviceList::Open(int device, const WaveFormat& format, MessageQueue* queue, WindowHandle target,
                     std::unique_ptr<WaveOut>& out) {
  DeviceBackend* backend = Find(device);
  if (!backend) return deviceresult::kBadDeviceId;
  return backend->Open(format, queue, target, out);
}

uint64_t DeviceList::Underruns() const {
  uint64_t total = 0;
  for (const auto& backend : backends_) total += backend->Underruns();
  return total;
}

uint64_t DeviceList::BufferChanges() const {
  uint64_t total = 0;
  for (const auto& backend : backends_) total += backend->BufferChanges();
  return total;
}

unsigned DeviceList::BufferMs() const {
  unsigned longest = 0;
  for (const auto& backend : backends_) longest = std::max(longest, backend->BufferMs());
  return longest;
}

void DeviceList::SetBufferMode(BufferMode mode) {
  for (const auto& backend : backends_) backend->SetBufferMode(mode);
}

int DeviceList::QueryFormat(int device, const WaveFormat& format) {
  DeviceBackend* backend = Find(device);
  return backend ? backend->Query(format) : deviceresult::kBadDeviceId;
}

namespace {

class CaptureSink final : public PacedSink {
public:
  explicit CaptureSink(std::unique_ptr<WavFileWriter> writer) : writer_(std::move(writer)) {}
  ~CaptureSink() override { writer_->Finish(); }
  void Played(const uint8_t* data, uint32_t count) override { writer_->Write(data, count); }
  void Silence(uint64_t count) override { writer_->WriteSilence(count); }
  bool WantsSilence() const override { return true; }

private:
  std::unique_ptr<WavFileWriter> writer_;
};

class PacedBackend final : public DeviceBackend {
public:
  PacedBackend(std::string name, std::string capturePath, double speed, std::shared_ptr<const OutputLevel> level)
      : name_(std::move(name)), capturePath_(std::move(capturePath)), speed_(speed), level_(std::move(level)) {}

  DeviceCaps Caps() const override { return {name_, 2, 0}; }

  int Open(const WaveFormat& format, MessageQueue* queue, WindowHandle target,
           std::unique_ptr<WaveOut>& out) override {
    if (!IsPlayableFormat(format)) return deviceresult::kBadFormat;
    std::unique_ptr<PacedSink> sink;
    if (!capturePath_.empty()) {
      auto writer = std::make_unique<WavFileWriter>();
      if (!writer->Open(capturePath_, format)) return deviceresult::kError;
      sink = std::make_unique<CaptureSink>(std::move(writer));
    }
    out = std::make_unique<PacedWaveOut>(format, queue, target, speed_, std::move(sink), underruns_, level_);
    return deviceresult::kOk;
  }
  uint64_t Underruns() const override { return underruns_->load(); }

private:
  UnderrunTotal underruns_ = std::make_shared<std::atomic<uint64_t>>(0);
  std::string name_;
  std::string capturePath_;
  double speed_;
  std::shared_ptr<const OutputLevel> level_;
};

// A backend whose devices keep a buffer of their own and share its sums.
class BufferedBackend : public DeviceBackend {
public:
  explicit BufferedBackend(std::shared_ptr<const OutputLevel> level) { shared_.level = std::move(level); }
  uint64_t Underruns() const override { return shared_.underruns->load(); }
  uint64_t BufferChanges() const override { return shared_.bufferChanges->load(); }
  unsigned BufferMs() const override { return shared_.bufferMs->load(); }
  void SetBufferMode(BufferMode mode) override { shared_.mode->store(mode); }

protected:
  DeviceShared shared_ = DeviceShared::Make();
};

class AlsaBackend final : public BufferedBackend {
public:
  AlsaBackend(std::string pcmName, std::shared_ptr<const OutputLevel> level)
      : BufferedBackend(std::move(level)), pcmName_(std::move(pcmName)) {}
  DeviceCaps Caps() const override { return {"ALSA " + pcmName_.substr(0, 26), 2, 0}; }
  int Open(const WaveFormat& format, MessageQueue* queue, WindowHandle target,
           std::unique_ptr<WaveOut>& out) override {
    int result = deviceresult::kError;
    out = AlsaWaveOut::Open(pcmName_, format, queue, target, result, shared_);
    return out ? deviceresult::kOk : result;
  }

private:
  std::string pcmName_;
};

class PipeWireBackend final : public BufferedBackend {
public:
  using BufferedBackend::BufferedBackend;
  DeviceCaps Caps() const override { return {"PipeWire", 2, 0}; }
  int Open(const WaveFormat& format, MessageQueue* queue, WindowHandle target,
           std::unique_ptr<WaveOut>& out) override {
    int result = deviceresult::kError;
    out = PipeWireWaveOut::Open(format, queue, target, result, shared_);
    return out ? deviceresult::kOk : result;
  }
};

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::unique_ptr<DeviceBackend> MakeNullBackend(double speed, std::shared_ptr<const OutputLevel> level) {
  return std::make_unique<PacedBackend>("Null output", "", speed, std::move(level));
}

std::unique_ptr<DeviceBackend> MakeCaptureBackend(const std::string& wavPath, double speed,
                                                  std::shared_ptr<const OutputLevel> level) {
  return std::make_unique<PacedBackend>("WAV capture", wavPath, speed, std::move(level));
}

std::unique_ptr<DeviceBackend> MakeAlsaBackend(const std::string& pcmName, std::shared_ptr<const OutputLevel> level) {
  return std::make_unique<AlsaBackend>(pcmName, std::move(level));
}

std::unique_ptr<DeviceBackend> MakePipeWireBackend(std::shared_ptr<const OutputLevel> level) {
  return std::make_unique<PipeWireBackend>(std::move(level));
}

bool AlsaDeviceOpens(const std::string& pcmName) {
  SilenceAlsaErrors();
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, pcmName.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
    return false;
  snd_pcm_close(pcm);
  return true;
}

DeviceChoice ParseDeviceChoice(const std::string& text) {
  DeviceChoice choice;
  if (text == "alsa") choice.kind = DeviceChoice::Kind::Alsa;
  else if (text == "pipewire") choice.kind = DeviceChoice::Kind::PipeWire;
  else if (text == "null") choice.kind = DeviceChoice::Kind::Null;
  else if (text.rfind("capture:", 0) == 0 && text.size() > 8) {
    choice.kind = DeviceChoice::Kind::Capture;
    choice.capturePath = text.substr(8);
    if (!EndsWith(choice.capturePath, ".wav") && !EndsWith(choice.capturePath, ".WAV"))
      choice.capturePath += "/effects.wav";
  }
  return choice;
}

DeviceChoice DeviceChoiceFromEnvironment() {
  const char* value = std::getenv("IKEASOBI_AUDIO");
  return ParseDeviceChoice(value ? value : "");
}

std::unique_ptr<WaveSystem> MakeWaveSystem(const DeviceChoice& choice) {
  auto list = std::make_unique<DeviceList>();
  const auto level = list->SharedLevel();
  switch (choice.kind) {
  case DeviceChoice::Kind::Alsa:
    list->Add(MakeAlsaBackend("default", level));
    break;
  case DeviceChoice::Kind::PipeWire:
    list->Add(MakePipeWireBackend(level));
    break;
  case DeviceChoice::Kind::Null:
    list->Add(MakeNullBackend(choice.speed, level));
    break;
  case DeviceChoice::Kind::Capture:
    list->Add(MakeCaptureBackend(choice.capturePath, choice.speed, level));
    break;
  case DeviceChoice::Kind::Automatic:
    // The desktop's PipeWire directly where it runs: through ALSA's way to
    // it a cue waits longer and less evenly.
    if (PipeWireServerAnswers()) list->Add(MakePipeWireBackend(level));
    else if (AlsaDeviceOpens()) list->Add(MakeAlsaBackend("default", level));
    list->Add(MakeNullBackend(choice.speed, level));
    break;
  }
  return list;
}

} // namespace pcmmix
