#pragma once
// The device lists the mixer can be given: the desktop's PipeWire server
// when one answers, else the ALSA device when it opens, then the null
// device, so a machine without sound still runs silently.
#include <memory>
#include <string>
#include <vector>

#include "pcmmix/WaveDevice.h"

namespace pcmmix {

class DeviceBackend {
public:
  virtual ~DeviceBackend() = default;
  virtual DeviceCaps Caps() const = 0;
  virtual int Open(const WaveFormat& format, MessageQueue* queue, WindowHandle target,
                   std::unique_ptr<WaveOut>& out) = 0;
  virtual int Query(const WaveFormat& format) const;
  // Summed over the devices this backend opened.
  virtual uint64_t Underruns() const { return 0; }
  virtual uint64_t BufferChanges() const { return 0; }
  virtual unsigned BufferMs() const { return 0; }
  virtual void SetBufferMode(BufferMode) {}
};

// Devices by number; the mapper is the first of them.
class DeviceList final : public WaveSystem {
public:
  void Add(std::unique_ptr<DeviceBackend> backend);
  int DeviceCount() override;
  int GetCaps(int device, DeviceCaps& caps) override;
  int Open(int device, const WaveFormat& format, MessageQueue* queue, WindowHandle target,
           std::unique_ptr<WaveOut>& out) override;
  int QueryFormat(int device, const WaveFormat& format) override;
  uint64_t Underruns() const override;
  uint64_t BufferChanges() const override;
  unsigned BufferMs() const override;
  void SetBufferMode(BufferMode mode) override;
  OutputLevel* Level() override { return level_.get(); }
  // For the backends added: the level they hand their devices.
  std::shared_ptr<const OutputLevel> SharedLevel() const { return level_; }

private:
  DeviceBackend* Find(int device) const;
  std::vector<std::unique_ptr<DeviceBackend>> backends_;
  std::shared_ptr<OutputLevel> level_ = std::make_shared<OutputLevel>();
};

// speed: 1 = real time, 0 = as fast as possible. level: what the devices
// scale by; none: full.
std::unique_ptr<DeviceBackend> MakeNullBackend(double speed = 1.0,
                                               std::shared_ptr<const OutputLevel> level = nullptr);
std::unique_ptr<DeviceBackend> MakeCaptureBackend(const std::string& wavPath, double speed = 1.0,
                                                  std::shared_ptr<const OutputLevel> level = nullptr);
std::unique_ptr<DeviceBackend> MakeAlsaBackend(const std::string& pcmName = "default",
                                               std::shared_ptr<const OutputLevel> level = nullptr);
bool AlsaDeviceOpens(const std::string& pcmName = "default");
std::unique_ptr<DeviceBackend> MakePipeWireBackend(std::shared_ptr<const OutputLevel> level = nullptr);

struct DeviceChoice {
  enum class Kind { Automatic, PipeWire, Alsa, Null, Capture } kind = Kind::Automatic;
  std::string capturePath;
  double speed = 1.0;
};

// "pipewire", "alsa", "null", "capture:FILE.wav" or "capture:DIR" (DIR/effects.wav);
// anything else chooses automatically.
DeviceChoice ParseDeviceChoice(const std::string& text);
// From IKEASOBI_AUDIO.
DeviceChoice DeviceChoiceFromEnvironment();
std::unique_ptr<WaveSystem> MakeWaveSystem(const DeviceChoice& choice);

} // namespace pcmmix
