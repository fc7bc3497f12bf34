#pragma once
// Deterministic doubles for the mixer: a device whose blocks are done when
// the test says, a settable clock, a profile from a table, WAV images.
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcmmix/MsClock.h"
#include "pcmmix/PcmMix.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveDevice.h"

namespace pcmmix::test {

struct FakeDeviceState {
  static constexpr int kRing = 16;
  std::array<WaveHeader*, kRing> held{};
  int head = 0, count = 0;
  std::vector<uint8_t> heard; // bytes of every completed block, in order
  bool recordHeard = true;
  std::vector<std::vector<uint8_t>> written; // data of every write, in order
  std::vector<int64_t> streamStarts;          // the time line position of every write
  std::vector<bool> startsLine;               // ... and whether it began a line
  bool recordWrites = true;
  uint64_t position = 0;
  bool paused = false;
  int pauses = 0, restarts = 0, resets = 0, writes = 0, opens = 0, closes = 0;
  bool failWrites = false;
  bool open = false;
  MessageQueue* queue = nullptr;
  WindowHandle target = 0;

  WaveHeader* Pop() {
    WaveHeader* h = held[size_t(head)];
    head = (head + 1) % kRing;
    --count;
    return h;
  }
  void Return(WaveHeader* h) {
    h->flags |= kHeaderDone;
    queue->Post(target, kMessageBlockDone, 0, reinterpret_cast<uintptr_t>(h));
  }
  // The oldest held block has been played.
  bool CompleteNext() {
    if (count == 0) return false;
    WaveHeader* h = Pop();
    if (recordHeard) heard.insert(heard.end(), h->data, h->data + h->bufferLength);
    position += h->bufferLength;
    Return(h);
    return true;
  }
};

class FakeWaveOut final : public WaveOut {
public:
  explicit FakeWaveOut(FakeDeviceState& s) : s_(s) { s_.open = true; ++s_.opens; }
  ~FakeWaveOut() override { s_.open = false; ++s_.closes; }
  int Prepare(WaveHeader* h) override { h->flags |= kHeaderPrepared; return 0; }
  int Unprepare(WaveHeader* h) override { h->flags &= ~kHeaderPrepared; return 0; }
  int Write(WaveHeader* h) override {
    if (s_.failWrites || s_.count == FakeDeviceState::kRing) return deviceresult::kError;
    h->flags &= ~kHeaderDone;
    s_.held[size_t((s_.head + s_.count) % FakeDeviceState::kRing)] = h;
    ++s_.count;
    ++s_.writes;
    if (s_.recordWrites) {
      s_.written.emplace_back(h->data, h->data + h->bufferLength);
      s_.streamStarts.push_back(h->streamStart);
      s_.startsLine.push_back(h->startsLine);
    }
    return 0;
  }
  int Pause() override { s_.paused = true; ++s_.pauses; return 0; }
  int Restart() override { s_.paused = false; ++s_.restarts; return 0; }
  int Reset() override {
    while (s_.count) s_.Return(s_.Pop());
    s_.position = 0;
    ++s_.resets;
    return 0;
  }
  int GetPositionBytes(uint64_t& bytes) override { bytes = s_.position; return 0; }

private:
  FakeDeviceState& s_;
};

class FakeWaveSystem final : public WaveSystem {
public:
  FakeDeviceState state;
  int deviceCount = 1;
  DeviceCaps caps{"Fake Device", 2, 0};
  bool capsFail = false;
  int openResult = 0;

  int DeviceCount() override { return deviceCount; }
  int GetCaps(int, DeviceCaps& c) override {
    if (capsFail) return deviceresult::kBadDeviceId;
    c = caps;
    return 0;
  }
  int Open(int, const WaveFormat&, MessageQueue* queue, WindowHandle target,
           std::unique_ptr<WaveOut>& out) override {
    if (openResult) return openResult;
    state.queue = queue;
    state.target = target;
    out = std::make_unique<FakeWaveOut>(state);
    return 0;
  }
  int QueryFormat(int, const WaveFormat&) override { return 0; }
};

class FakeClock final : public MsClock {
public:
  uint32_t now = 1000;
  uint32_t NowMs() override { return now; }
};

class TableProfile final : public ProfileReader {
public:
  std::map<std::string, int> values; // "section|key", lower case
  void Set(const std::string& section, const std::string& key, int v) { values[Key(section, key)] = v; }
  int ReadInt(const std::string& section, const std::string& key, int def) const override {
    auto it = values.find(Key(section, key));
    return it == values.end() ? def : it->second;
  }

private:
  static std::string Key(std::string s, std::string k) {
    std::string r = s + "|" + k;
    for (char& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
    return r;
  }
};

// Records the messages a client target receives.
class RecordingTarget final : public MessageHandler {
public:
  struct Message { uint32_t id; uintptr_t w, l; };
  std::vector<Message> messages;
  intptr_t WindowProc(uint32_t id, uintptr_t w, uintptr_t l) override {
    messages.push_back({id, w, l});
    return 0;
  }
};

inline void PutLe(std::vector<uint8_t>& v, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

inline std::vector<uint8_t> Chunk(const char* id, const std::vector<uint8_t>& body) {
  std::vector<uint8_t> c(id, id + 4);
  PutLe(c, uint32_t(body.size()), 4);
  c.insert(c.end(), body.begin(), body.end());
  if (body.size() & 1) c.push_back(0);
  return c;
}

inline std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  std::vector<uint8_t> f;
  uint16_t align = uint16_t(channels * bits / 8);
  PutLe(f, tag, 2);
  PutLe(f, channels, 2);
  PutLe(f, rate, 4);
  PutLe(f, rate * align, 4);
  PutLe(f, align, 2);
  PutLe(f, bits, 2);
  return f;
}

inline std::vector<uint8_t> RiffWave(const std::vector<std::vector<uint8_t>>& chunks) {
  std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
  for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return Chunk("RIFF", body);
}

inline std::vector<uint8_t> WavImage(uint16_t channels, uint32_t rate, uint16_t bits,
                                     const std::vector<uint8_t>& data) {
  return RiffWave({Chunk("fmt ", FmtBody(1, channels, rate, bits)), Chunk("data", data)});
}

// A wave already in the output format, as the loader would give it.
inline LoadedWave* MakeWave(const std::vector<uint8_t>& bytes) {
  auto* w = new LoadedWave();
  w->format = {1, 1, 11025, 11025, 1, 8};
  w->samples = bytes;
  w->length = int32_t(bytes.size());
  return w;
}

inline std::vector<uint8_t> Filled(size_t n, uint8_t v) { return std::vector<uint8_t>(n, v); }

// Fixture: a session on the fake device with the fake clock and table profile.
class MixerTest : public ::testing::Test {
protected:
  FakeWaveSystem devices;
  FakeClock clock;
  TableProfile profile;
  PostedMessageQueue queue;
  hMixSession session = nullptr;
  std::vector<LoadedWave*> waves;

  void SetUp() override {
    PlatformServices services;
    services.waveSystem = &devices;
    services.clock = &clock;
    services.messages = &queue;
    services.profile = &profile;
    SetPlatform(services);
  }
  void TearDown() override {
    if (session) {
      try {
        PcmMixSessionEnd(session);
      } catch (const EPcmMixError&) {
      }
    }
    for (LoadedWave* w : waves) delete w;
    SetPlatform({});
  }
  void Start(const MixSetup* setup = nullptr) { session = PcmMixSessionStart(setup); }
  void StartActive(int channels = 8) {
    Start();
    PcmMixActivate(session, true);
    if (channels) PcmMixChannelOpen(session, channels, ChannelsCount);
  }
  LoadedWave* Wave(const std::vector<uint8_t>& bytes) {
    waves.push_back(MakeWave(bytes));
    return waves.back();
  }
  void Forget(LoadedWave* w) { std::erase(waves, w); }
  PlayRequest Request(int channel, LoadedWave* wave, uint32_t flags = 0, uint16_t loops = 0) {
    PlayRequest r;
    r.session = session;
    r.channel = channel;
    r.wave = wave;
    r.flags = flags;
    r.loops = loops;
    return r;
  }
  void Play(int channel, LoadedWave* wave, uint32_t flags = 0, uint16_t loops = 0) {
    PlayRequest r = Request(channel, wave, flags, loops);
    PcmMixPlay(&r);
  }
  // The device plays one block and the mixer services it.
  void PlayOneBlock() {
    devices.state.CompleteNext();
    queue.DispatchPending();
  }
  void PlayBlocks(int n) {
    for (int i = 0; i < n; ++i) PlayOneBlock();
  }
};

} // namespace pcmmix::test
