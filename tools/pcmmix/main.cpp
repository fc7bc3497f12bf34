// pcmmix: looks at WAV files as the mixer sees them, lists the output
// devices, and plays files through the mixer.
//   pcmmix info [--rate 11|22|44] [--stereo] FILE...
//   pcmmix devices
//   pcmmix play [--ini FILE] [--output null|capture:OUT.wav|alsa] FILE[@CHANNEL]...
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "pcmmix/PcmMix.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"

namespace {

using namespace pcmmix;

class NoProfile final : public ProfileReader {
public:
  int ReadInt(const std::string&, const std::string&, int def) const override { return def; }
};

int Usage() {
  std::fprintf(stderr,
               "usage: pcmmix info [--rate 11|22|44] [--stereo] FILE...\n"
               "       pcmmix devices\n"
               "       pcmmix play [--ini FILE] [--output null|capture:OUT.wav|alsa] "
               "FILE[@CHANNEL]...\n");
  return 2;
}

void Describe(const char* file, const LoadedWave& w) {
  std::printf("%s: format %u, %u ch, %u Hz, %u bit; converted %d bytes\n", file,
              unsigned(w.format.formatTag), unsigned(w.format.channels),
              unsigned(w.format.samplesPerSec), unsigned(w.format.bitsPerSample), w.length);
}

int Info(int argc, char** argv) {
  MixSetup setup;
  std::vector<const char*> files;
  for (int i = 0; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--rate") && i + 1 < argc) {
      setup.flags |= SetupRate;
      setup.rate = uint16_t(std::atoi(argv[++i]));
    } else if (!std::strcmp(argv[i], "--stereo")) {
      setup.flags |= SetupChannels;
      setup.channels = 2;
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty()) return Usage();
  // Loading needs a session but no sound: the silent device, no profile.
  DeviceList devices;
  devices.Add(MakeNullBackend(0));
  NoProfile profile;
  PlatformServices services;
  services.waveSystem = &devices;
  services.profile = &profile;
  SetPlatform(services);
  hMixSession session = PcmMixSessionStart(&setup);
  int failures = 0;
  for (const char* file : files) {
    try {
      LoadedWave* w = PcmMixWaveLoad(session, file, nullptr, WaveFromFile);
      Describe(file, *w);
      PcmMixWaveFree(session, w);
    } catch (const EPcmMixError& e) {
      std::printf("%s: %s\n", file, e.what());
      ++failures;
    }
  }
  PcmMixSessionEnd(session);
  return failures ? 1 : 0;
}

int Devices() {
  auto system = MakeWaveSystem(DeviceChoice{});
  int count = system->DeviceCount();
  for (int d = 0; d < count; ++d) {
    DeviceCaps caps;
    if (system->GetCaps(d, caps) != 0) continue;
    std::printf("%d: %s (%u ch)%s\n", d, caps.productName.c_str(), unsigned(caps.channels),
                d == 0 ? " [mapper]" : "");
  }
  return 0;
}

struct PlayItem {
  std::string file;
  int channel = 0;
  LoadedWave* wave = nullptr;
};

PlayItem ParseItem(const std::string& arg) {
  PlayItem item;
  item.file = arg;
  size_t at = arg.rfind('@');
  if (at != std::string::npos && at + 1 < arg.size() &&
      arg.find_first_not_of("0123456789", at + 1) == std::string::npos) {
    item.file = arg.substr(0, at);
    item.channel = std::atoi(arg.c_str() + at + 1);
  }
  return item;
}

class NoticeCounter final : public MessageHandler {
public:
  int notices = 0;
  intptr_t WindowProc(uint32_t message, uintptr_t, uintptr_t) override {
    if (message == kMessageBlockDone) ++notices;
    return 0;
  }
};

int Play(int argc, char** argv) {
  std::string ini = DefaultProfilePath();
  DeviceChoice choice;
  std::vector<PlayItem> items;
  for (int i = 0; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--ini") && i + 1 < argc) ini = argv[++i];
    else if (!std::strcmp(argv[i], "--output") && i + 1 < argc) choice = ParseDeviceChoice(argv[++i]);
    else items.push_back(ParseItem(argv[i]));
  }
  if (items.empty()) return Usage();

  auto devices = MakeWaveSystem(choice);
  IniFileProfile profile(ini);
  PostedMessageQueue& queue = DefaultMessageQueue();
  PlatformServices services;
  services.waveSystem = devices.get();
  services.profile = &profile;
  services.messages = &queue;
  SetPlatform(services);

  NoticeCounter counter;
  WindowHandle notify = queue.CreateTarget(&counter);
  hMixSession session = nullptr;
  int64_t bytes = 0;
  auto began = std::chrono::steady_clock::now();
  try {
    session = PcmMixInit();
    PcmMixActivate(session, true);
    PcmMixChannelOpen(session, 0, ChannelsAll);
    for (PlayItem& item : items) {
      item.wave = PcmMixWaveLoad(session, item.file.c_str(), nullptr, WaveFromFile);
      bytes += item.wave->length;
    }
    PlayRequest request;
    request.session = session;
    request.notify = notify;
    for (size_t i = 0; i < items.size(); ++i) {
      request.channel = items[i].channel;
      request.wave = items[i].wave;
      request.flags = i + 1 < items.size() ? PlayDeferred : 0;
      PcmMixPlay(&request);
    }
    while (counter.notices < int(items.size())) queue.WaitAndDispatch();
  } catch (const EPcmMixError& e) {
    std::fprintf(stderr, "pcmmix: %s\n", e.what());
    if (session) {
      for (PlayItem& item : items)
        if (item.wave) PcmMixWaveFree(session, item.wave);
      PcmMixSessionEnd(session);
    }
    return 1;
  }
  SessionInfo info = PcmMixSessionInfo(session);
  for (PlayItem& item : items) PcmMixWaveFree(session, item.wave);
  PcmMixSessionEnd(session);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::printf("played %zu file(s), %lld bytes at %u Hz %u ch in %.2f s\n", items.size(),
              static_cast<long long>(bytes), unsigned(info.format.samplesPerSec),
              unsigned(info.format.channels), seconds);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string command = argv[1];
  try {
    if (command == "info") return Info(argc - 2, argv + 2);
    if (command == "devices") return Devices();
    if (command == "play") return Play(argc - 2, argv + 2);
  } catch (const EPcmMixError& e) {
    std::fprintf(stderr, "pcmmix: %s\n", e.what());
    return 1;
  }
  return Usage();
}
