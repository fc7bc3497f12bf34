// The game loads its effects from dat/*.wav by path, through the file byte
// source rather than the memory one the wave loader's own target drives. The
// two must agree: the same bytes give the same wave from a file as from
// memory, or are refused by both.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "pcmmix/PcmMix.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"

namespace {

using namespace pcmmix;

class NoProfile final : public ProfileReader {
public:
  int ReadInt(const std::string&, const std::string&, int def) const override { return def; }
};

struct Outcome {
  WaveFormat format;
  std::vector<uint8_t> samples;
};

std::optional<Outcome> Load(hMixSession session, const char* path, const MemoryFile* memory) {
  LoadedWave* wave = nullptr;
  try {
    wave = memory ? PcmMixWaveLoad(session, *memory) : PcmMixWaveLoad(session, path, nullptr, WaveFromFile);
  } catch (const EPcmMixError&) {
    return std::nullopt;
  }
  if (wave->length < 0 || size_t(wave->length) != wave->samples.size()) __builtin_trap();
  Outcome outcome{wave->format, wave->samples};
  PcmMixWaveFree(session, wave);
  return outcome;
}

bool Same(const std::optional<Outcome>& a, const std::optional<Outcome>& b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  return a->samples == b->samples && a->format.formatTag == b->format.formatTag &&
         a->format.channels == b->format.channels &&
         a->format.samplesPerSec == b->format.samplesPerSec &&
         a->format.bitsPerSample == b->format.bitsPerSample;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DeviceList devices = [] {
    DeviceList list;
    list.Add(MakeNullBackend(0));
    return list;
  }();
  static NoProfile profile;
  static const std::string path = (ikea::fuzz::ScratchFolder() / "effect.wav").string();
  PlatformServices services;
  services.waveSystem = &devices;
  services.profile = &profile;
  SetPlatform(services);

  ikea::fuzz::WriteBytes(path, data, size);
  const MemoryFile memory{data, size, "effect.wav"};
  hMixSession session = PcmMixInit();  // the game's session
  const auto fromFile = Load(session, path.c_str(), nullptr);
  const auto fromMemory = Load(session, nullptr, &memory);
  PcmMixSessionEnd(session);
  if (!Same(fromFile, fromMemory)) __builtin_trap();
  return 0;
}
