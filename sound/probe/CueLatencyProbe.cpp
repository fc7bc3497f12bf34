// Measures how soon a cue is heard while other cues play, and whether the
// output ever runs dry, under a game-like load on the mixer's thread.
//   cue_latency_probe PROFILE.INI SECONDS [OUTPUT [CALLS.txt]]
// OUTPUT: "capture" (default, paced in real time), "alsa" or "pipewire".
// The capture stream is read back for the onsets. Through a real output each
// cue's delay is what
// the mixer holds ahead of the listener at the call: the mix position less
// the device's heard position, which follows the output's delay and so,
// behind a sound server, the server's own reported latency (stream buffer
// and sink). More cues play meanwhile, as when reeling in a fight; the device
// counts its underruns. CALLS.txt gets each mark's call time (seconds on
// the steady clock) and delay, for checking against a recording of the sink.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"
#include "sound/GameAudio.h"
#include "sound/probe/Seconds.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

void PutLe(std::vector<uint8_t>& v, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

void WriteCue(const std::filesystem::path& file, size_t bytes, uint8_t level) {
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F'};
  PutLe(w, uint32_t(36 + bytes), 4);
  w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(w, 16, 4);
  PutLe(w, 1, 2);
  PutLe(w, 1, 2);
  PutLe(w, 22050, 4);
  PutLe(w, 22050, 4);
  PutLe(w, 1, 2);
  PutLe(w, 8, 2);
  w.insert(w.end(), {'d', 'a', 't', 'a'});
  PutLe(w, uint32_t(bytes), 4);
  w.insert(w.end(), bytes, level);
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(w.data()), std::streamsize(w.size()));
}

std::vector<uint8_t> WavData(const std::filesystem::path& file, uint32_t& rate) {
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), {}};
  rate = 0;
  for (size_t i = 12; i + 8 <= b.size();) {
    uint32_t size = b[i + 4] | b[i + 5] << 8 | b[i + 6] << 16 | uint32_t(b[i + 7]) << 24;
    if (!std::memcmp(&b[i], "fmt ", 4)) rate = b[i + 12] | b[i + 13] << 8 | b[i + 14] << 16;
    if (!std::memcmp(&b[i], "data", 4))
      return {b.begin() + long(i + 8), b.begin() + long(std::min(b.size(), i + 8 + size))};
    i += 8 + size + (size & 1);
  }
  return {};
}

// Keeps a hand on the opened device to read the listener's position.
class WatchedBackend final : public pcmmix::DeviceBackend {
public:
  explicit WatchedBackend(std::unique_ptr<pcmmix::DeviceBackend> inner) : inner_(std::move(inner)) {}
  pcmmix::DeviceCaps Caps() const override { return inner_->Caps(); }
  uint64_t Underruns() const override { return inner_->Underruns(); }
  uint64_t BufferChanges() const override { return inner_->BufferChanges(); }
  unsigned BufferMs() const override { return inner_->BufferMs(); }
  void SetBufferMode(pcmmix::BufferMode mode) override { inner_->SetBufferMode(mode); }
  int Open(const pcmmix::WaveFormat& format, pcmmix::MessageQueue* queue, pcmmix::WindowHandle target,
           std::unique_ptr<pcmmix::WaveOut>& out) override {
    int result = inner_->Open(format, queue, target, out);
    opened = out.get();
    return result;
  }
  pcmmix::WaveOut* opened = nullptr;

private:
  std::unique_ptr<pcmmix::DeviceBackend> inner_;
};

void Busy(std::chrono::microseconds d) {
  auto until = Clock::now() + d;
  while (Clock::now() < until) {
  }
}

} // namespace

int main(int argc, char** argv) {
  const std::optional<double> parsed = argc >= 3 ? probe::ParseSeconds(argv[2]) : std::nullopt;
  if (!parsed) {
    std::fprintf(stderr, "usage: cue_latency_probe PROFILE.INI SECONDS [capture|alsa|pipewire [CALLS.txt]]\n");
    return 2;
  }
  const double seconds = *parsed;
  const std::string output = argc > 3 ? argv[3] : "capture";
  const bool live = output != "capture";
  const char* callsFile = argc > 4 ? argv[4] : nullptr;
  auto folder = std::filesystem::temp_directory_path() / ("cue-latency-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder / "dat");
  const uint8_t kBed = 150, kMark = 200; // mixed: 222, unclipped
  WriteCue(folder / "dat" / "bed.wav", size_t(22050 * (seconds + 2)), kBed);
  WriteCue(folder / "dat" / "mark.wav", 300, kMark);
  // The fight's other sounds (through a real output only: the capture's onsets are
  // found by the bed and the mark alone): a reel cue that keeps its channel
  // busy and shots now and then.
  WriteCue(folder / "dat" / "reel.wav", 22050 / 8, 140);
  WriteCue(folder / "dat" / "shot.wav", 22050 / 10, 110);
  auto captured = folder / "effects.wav";

  pcmmix::DeviceList devices;
  auto watched = std::make_unique<WatchedBackend>(
      output == "alsa"       ? pcmmix::MakeAlsaBackend()
      : output == "pipewire" ? pcmmix::MakePipeWireBackend()
                             : pcmmix::MakeCaptureBackend(captured.string(), 1.0));
  WatchedBackend& device = *watched;
  devices.Add(std::move(watched));
  // IKEASOBI_SOUND_BUFFER: the player's [sound] buffer setting.
  devices.SetBufferMode(pcmmix::ParseBufferMode(std::getenv("IKEASOBI_SOUND_BUFFER")));
  pcmmix::IniFileProfile profile(argv[1]);
  pcmmix::PostedMessageQueue queue;
  ikea::MidiOptions music;
  music.output = ikea::MidiOutput::Null;

  // The listener's position at each call, in bytes played: the stream's own
  // time line, which a late device thread cannot skew.
  std::vector<uint64_t> calls;
  std::vector<double> callTimes, reported; // through a real output
  uint64_t underruns = 0;
  {
    ikea::GameAudio audio(folder, {&devices, nullptr, &queue, &profile, music});
    const Clock::time_point opened = Clock::now();
    pcmmix::SessionInfo info = pcmmix::PcmMixSessionInfo(audio.PcmMix1().Session());
    std::printf("rate %u, %d blocks of %d bytes: %.1f ms ahead at most\n", info.format.samplesPerSec,
                info.blockCount, info.blockLength,
                1000.0 * info.blockCount * info.blockLength / info.format.avgBytesPerSec);
    audio.PlayCue0("bed.wav");
    std::mt19937 rnd(7);
    auto nextTick = Clock::now(), nextCue = Clock::now() + 300ms, nextStall = Clock::now() + 2s;
    auto nextReel = Clock::now(), nextShot = Clock::now() + 500ms;
    const auto end = opened + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    // The game's thread: a 50 ms timer doing a few ms of work, a longer
    // stall now and then, and the mixer's messages between. The stall is a
    // little longer than the longest wait the real game's messages had in
    // ten minutes of heavy play (scripts/heavy-play.sh).
    while (Clock::now() < end) {
      queue.DispatchPending();
      auto now = Clock::now();
      if (now >= nextTick) {
        Busy(std::chrono::microseconds(2000 + rnd() % 4000));
        nextTick += 50ms;
      }
      if (now >= nextStall) {
        Busy(12ms);
        nextStall += 2s;
      }
      if (live && now >= nextReel) {
        audio.PlayCue2("reel.wav"); // queued behind the one before
        nextReel += 125ms;
      }
      if (live && now >= nextShot) {
        audio.PlayCue3("shot.wav");
        nextShot += std::chrono::milliseconds(300 + rnd() % 500);
      }
      if (now >= nextCue) {
        uint64_t played = 0;
        device.opened->GetPositionBytes(played);
        calls.push_back(played);
        if (live) {
          pcmmix::SessionInfo at = pcmmix::PcmMixSessionInfo(audio.PcmMix1().Session());
          callTimes.push_back(std::chrono::duration<double>(Clock::now().time_since_epoch()).count());
          reported.push_back(1000.0 * double(at.mixPosition - at.heardPosition) / at.format.avgBytesPerSec);
        }
        audio.PlayCue1("mark.wav");
        nextCue += std::chrono::milliseconds(400 + rnd() % 300);
      }
      std::this_thread::sleep_for(1ms);
    }
    underruns = audio.Underruns();
  }
  if (live) {
    if (callsFile) {
      std::ofstream out(callsFile);
      for (size_t k = 0; k < callTimes.size(); ++k) out << std::fixed << callTimes[k] << ' ' << reported[k] << '\n';
    }
    std::filesystem::remove_all(folder);
    std::vector<double> sorted = reported;
    std::sort(sorted.begin(), sorted.end());
    if (sorted.empty()) {
      std::printf("no cue played\n");
      return 1;
    }
    auto at = [&](double q) { return sorted[std::min(sorted.size() - 1, size_t(q * double(sorted.size())))]; };
    std::printf("%zu cues through %s: latency p50 %.1f, p95 %.1f, max %.1f ms; %llu underruns in %.0f s; "
                "the buffer changed %llu times, ending at %u ms\n",
                sorted.size(), output == "alsa" ? "ALSA" : "PipeWire", at(0.5), at(0.95), sorted.back(), (unsigned long long)underruns, seconds,
                (unsigned long long)devices.BufferChanges(), devices.BufferMs());
    return 0;
  }
  uint32_t rate = 0;
  std::vector<uint8_t> heard = WavData(captured, rate);
  const uint8_t mixed = uint8_t(kBed + kMark - 128);
  std::vector<size_t> onsets;
  size_t bedStart = heard.size(), bedEnd = 0, dry = 0;
  for (size_t i = 0; i < heard.size(); ++i) {
    if (heard[i] != 128) bedStart = std::min(bedStart, i), bedEnd = i;
    if (heard[i] == mixed && (i == 0 || heard[i - 1] != mixed)) onsets.push_back(i);
  }
  for (size_t i = bedStart; i < bedEnd; ++i) dry += heard[i] == 128;
  // Played bytes count from the first block; the capture starts with the
  // silence before it.
  std::vector<double> latency;
  for (size_t k = 0; k < std::min(calls.size(), onsets.size()); ++k)
    latency.push_back(1000.0 * (double(onsets[k] - bedStart) - double(calls[k])) / rate);
  std::sort(latency.begin(), latency.end());
  if (latency.empty()) {
    std::printf("nothing measured: %zu bytes captured, %zu onsets\n", heard.size(), onsets.size());
    return 1;
  }
  std::printf("%zu cues (%zu heard): latency min %.1f, median %.1f, max %.1f ms; "
              "%zu bytes of dropout in %.1f s\n",
              calls.size(), onsets.size(), latency.front(), latency[latency.size() / 2],
              latency.back(), dry, double(bedEnd - bedStart) / rate);
  std::filesystem::remove_all(folder);
  return 0;
}
