// PCMMIX.INI with arbitrary text. The profile reader's values set the
// session's rate, block length, block count and device, so each input is
// read by a real session that then mixes a few blocks on a device that plays
// only when told: a value the reader lets through must not break the mixer.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "pcmmix/MixState.h"
#include "pcmmix/MsClock.h"
#include "pcmmix/PcmMix.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveDevice.h"

namespace {

using namespace pcmmix;

// The device the section names in the seeds refer to.
constexpr const char* kDeviceName = "Fuzz Device";

struct Held {
  std::array<WaveHeader*, 16> ring{};
  int head = 0, count = 0;
  MessageQueue* queue = nullptr;
  WindowHandle target = 0;

  void Done(WaveHeader* h) {
    h->flags |= kHeaderDone;
    queue->Post(target, kMessageBlockDone, 0, reinterpret_cast<uintptr_t>(h));
  }
  bool PlayOne() {
    if (count == 0) return false;
    WaveHeader* h = ring[size_t(head)];
    head = (head + 1) % int(ring.size());
    --count;
    Done(h);
    return true;
  }
};

class SteppedOut final : public WaveOut {
public:
  explicit SteppedOut(Held& held) : held_(held) {}
  int Prepare(WaveHeader* h) override { h->flags |= kHeaderPrepared; return 0; }
  int Unprepare(WaveHeader* h) override { h->flags &= ~kHeaderPrepared; return 0; }
  int Write(WaveHeader* h) override {
    if (held_.count == int(held_.ring.size())) return deviceresult::kError;
    // Whatever the profile asked for, a block never outgrows its buffer.
    if (h->bufferLength == 0 || h->bufferLength > uint32_t(kBlockDataBytes)) __builtin_trap();
    h->flags &= ~kHeaderDone;
    held_.ring[size_t((held_.head + held_.count) % int(held_.ring.size()))] = h;
    ++held_.count;
    position_ += h->bufferLength;
    return 0;
  }
  int Pause() override { return 0; }
  int Restart() override { return 0; }
  int Reset() override {
    while (held_.PlayOne()) {}
    position_ = 0;
    return 0;
  }
  int GetPositionBytes(uint64_t& bytes) override { bytes = position_; return 0; }

private:
  Held& held_;
  uint64_t position_ = 0;
};

class SteppedSystem final : public WaveSystem {
public:
  Held held;
  int DeviceCount() override { return 2; }
  int GetCaps(int, DeviceCaps& caps) override {
    caps = {kDeviceName, 2, 0};
    return 0;
  }
  int Open(int, const WaveFormat&, MessageQueue* queue, WindowHandle target,
           std::unique_ptr<WaveOut>& out) override {
    held = {};
    held.queue = queue;
    held.target = target;
    out = std::make_unique<SteppedOut>(held);
    return 0;
  }
  int QueryFormat(int, const WaveFormat&) override { return 0; }
};

class StillClock final : public MsClock {
public:
  uint32_t now = 1000;
  uint32_t NowMs() override { return now; }
};

std::vector<uint8_t> Le(uint32_t v, int bytes) {
  std::vector<uint8_t> out;
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
  return out;
}

// A short 8-bit mono wave at 11025 Hz: a ramp, so mixed blocks are not silent.
const std::vector<uint8_t>& RampWave() {
  static const std::vector<uint8_t> image = [] {
    std::vector<uint8_t> samples(700);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = uint8_t(i * 7);
    std::vector<uint8_t> w = {'R', 'I', 'F', 'F'};
    auto add = [&w](const std::vector<uint8_t>& b) { w.insert(w.end(), b.begin(), b.end()); };
    add(Le(uint32_t(4 + 8 + 16 + 8 + samples.size()), 4));
    add({'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    add(Le(16, 4));
    add(Le(1, 2));
    add(Le(1, 2));
    add(Le(11025, 4));
    add(Le(11025, 4));
    add(Le(1, 2));
    add(Le(8, 2));
    add({'d', 'a', 't', 'a'});
    add(Le(uint32_t(samples.size()), 4));
    add(samples);
    return w;
  }();
  return image;
}

void Play(hMixSession session, LoadedWave* wave, int channel, uint32_t flags, uint16_t loops) {
  PlayRequest request;
  request.session = session;
  request.channel = channel;
  request.wave = wave;
  request.flags = flags;
  request.loops = loops;
  PcmMixPlay(&request);
}

void Exercise(hMixSession session, SteppedSystem& devices, StillClock& clock,
              PostedMessageQueue& queue) {
  const SessionInfo info = PcmMixSessionInfo(session);
  if (info.blockLength <= 0 || info.blockLength > kBlockDataBytes || info.blockCount < 2 ||
      info.blockCount > kOutputBlockCount)
    __builtin_trap();
  PcmMixActivate(session, true);
  PcmMixChannelOpen(session, 0, ChannelsAll);
  const std::vector<uint8_t>& image = RampWave();
  LoadedWave* wave = PcmMixWaveLoad(session, MemoryFile{image.data(), image.size(), "ramp"});
  try {
    Play(session, wave, 0, 0, 2);
    Play(session, wave, 3, PlayAtOnce, 0);
    for (int step = 0; step < 24; ++step) {
      if (step == 8) Play(session, wave, 0, PlayReplace, 0);
      if (step == 12) PcmMixChannelFlush(session, 3, 0);
      devices.held.PlayOne();
      clock.now += 20;
      queue.DispatchPending();
    }
    PcmMixActivate(session, false);
    queue.DispatchPending();
  } catch (...) {
    PcmMixWaveFree(session, wave);
    throw;
  }
  PcmMixWaveFree(session, wave);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SteppedSystem devices;
  static StillClock clock;
  static PostedMessageQueue queue;
  static const std::string path = (ikea::fuzz::ScratchFolder() / "PCMMIX.INI").string();
  ikea::fuzz::WriteBytes(path, data, size);
  IniFileProfile profile(path);

  PlatformServices services;
  services.waveSystem = &devices;
  services.clock = &clock;
  services.messages = &queue;
  services.profile = &profile;
  SetPlatform(services);

  hMixSession session = nullptr;
  try {
    // Odd-sized inputs ask for stereo, so both output layouts meet the values.
    MixSetup setup;
    if (size % 2) {
      setup.flags = SetupChannels;
      setup.channels = 2;
    }
    session = PcmMixSessionStart(&setup);
    Exercise(session, devices, clock, queue);
  } catch (const EPcmMixError&) {
  }
  if (session) {
    try {
      PcmMixSessionEnd(session);
    } catch (const EPcmMixError&) {
    }
  }
  queue.DispatchPending();
  return 0;
}
