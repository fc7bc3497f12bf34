// Feeds arbitrary bytes to the wave loader as a memory image, into a mono and
// a stereo session in turn. A refusal is fine; a crash, leak or hang is not.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "pcmmix/PcmMix.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"

namespace {

class NoProfile final : public pcmmix::ProfileReader {
public:
  int ReadInt(const std::string&, const std::string&, int def) const override { return def; }
};

void LoadInto(const pcmmix::MixSetup& setup, const uint8_t* data, size_t size) {
  using namespace pcmmix;
  hMixSession session = PcmMixSessionStart(&setup);
  try {
    LoadedWave* wave = PcmMixWaveLoad(session, MemoryFile{data, size, "fuzz"});
    PcmMixWaveFree(session, wave);
  } catch (const EPcmMixError&) {
  }
  PcmMixSessionEnd(session);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pcmmix;
  static DeviceList devices = [] {
    DeviceList list;
    list.Add(MakeNullBackend(0));
    return list;
  }();
  static NoProfile profile;
  PlatformServices services;
  services.waveSystem = &devices;
  services.profile = &profile;
  SetPlatform(services);
  MixSetup mono;
  LoadInto(mono, data, size);
  MixSetup stereo;
  stereo.flags = SetupChannels | SetupRate;
  stereo.channels = 2;
  stereo.rate = 44;
  LoadInto(stereo, data, size);
  return 0;
}
