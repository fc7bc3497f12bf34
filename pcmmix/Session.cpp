// Session start with its configuration, activation, channels, session end.
#include <algorithm>
#include <new>

#include "pcmmix/MixState.h"
#include "pcmmix/MsClock.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"

namespace pcmmix {

MixerUnit& Unit() {
  static MixerUnit unit;
  return unit;
}

namespace {

PlatformServices& Injected() {
  static PlatformServices services;
  return services;
}

int Clamp(int v, int lo, int hi) { return std::clamp(v, lo, hi); }

struct DefaultSectionValues {
  int remix, goodWavePos, waveBlocks, waveBlockLen, samplesPerSec;
};

DefaultSectionValues ReadDefaultSection(const ProfileReader& profile) {
  DefaultSectionValues d;
  d.remix = profile.ReadInt("default", "Remix", 1);
  d.goodWavePos = profile.ReadInt("default", "GoodWavePos", 0);
  d.waveBlocks = profile.ReadInt("default", "WaveBlocks", 3);
  d.waveBlockLen = (profile.ReadInt("default", "WaveBlockLen", 0) & 0xFFFF) & ~3;
  d.samplesPerSec = profile.ReadInt("default", "SamplesPerSec", 11);
  return d;
}

uint32_t RateOfCode(int code) {
  if (code == 22) return 22050;
  if (code == 44) return 44100;
  return 11025;
}

int32_t BlockLengthFor(const ProfileReader& profile, const std::string& section,
                       const DefaultSectionValues& d, uint32_t rate) {
  // Whole four-byte steps, as for the default section: an odd length would
  // split stereo frames at block boundaries and swap the channels.
  int len = profile.ReadInt(section, "WaveBlockLen", 0);
  if (len != 0) return Clamp(len, 512, kBlockDataBytes) & ~3;
  if (d.waveBlockLen != 0) return Clamp(d.waveBlockLen, 512, kBlockDataBytes);
  return int32_t(std::min<uint32_t>(rate / 11025 * 2048, kBlockDataBytes));
}

DeviceCaps QueryCaps(int deviceNumber) {
  DeviceCaps caps;
  if (Unit().waveSystem->GetCaps(deviceNumber, caps) != 0) {
    caps.productName = text::kUnknownDevice;
    caps.channels = 1;
    caps.support = 0;
  }
  caps.productName.resize(std::min<size_t>(caps.productName.size(), 31));
  return caps;
}

void ReleaseSession(MixSession* s) {
  MixerUnit& u = Unit();
  if (u.current == s) u.current = nullptr;
  if (u.live == s) u.live = nullptr;
  s->magic1 = s->magic2 = 0;
  delete s;
}

void CheckDeviceUsable(MixSession* s, const DeviceCaps& caps) {
  if (caps.support & kSupportSynchronous) {
    ReleaseSession(s);
    Fail(caps.productName + text::kSynchronous1 + text::kSynchronous2 + text::kSynchronous3);
  }
  if (Unit().profile->ReadInt("not compatible", caps.productName, 0) != 0) {
    ReleaseSession(s);
    Fail(caps.productName + text::kNotCompatible1 + text::kNotCompatible2);
  }
}

void Configure(MixSession& s, const MixSetup* setup, const DeviceCaps& caps,
               const DefaultSectionValues& d) {
  const ProfileReader& profile = *Unit().profile;
  s.section = caps.productName;
  s.remix = profile.ReadInt(s.section, "Remix", d.remix) == 2 ? RemixStrategy::Shift
                                                              : RemixStrategy::Rewrite;
  s.goodWavePos = uint8_t(profile.ReadInt(s.section, "GoodWavePos", d.goodWavePos));
  s.blockCount = Clamp(profile.ReadInt(s.section, "WaveBlocks", d.waveBlocks), 2, kOutputBlockCount);

  if (setup && (setup->flags & SetupChannels) && setup->channels > 1 && caps.channels > 1) {
    s.format.channels = 2;
    s.format.blockAlign = 2;
  }
  int rateCode = profile.ReadInt(s.section, "SamplesPerSec", d.samplesPerSec);
  if (setup && (setup->flags & SetupRate) &&
      (setup->rate == 11 || setup->rate == 22 || setup->rate == 44))
    rateCode = setup->rate;
  s.format.samplesPerSec = RateOfCode(rateCode);
  s.format.avgBytesPerSec = s.format.samplesPerSec * s.format.channels;
  s.blockLength = BlockLengthFor(profile, s.section, d, s.format.samplesPerSec);
}

void MixerStartup() { LinkFreeEntries(); }

} // namespace

void SetPlatform(const PlatformServices& services) { Injected() = services; }

PostedMessageQueue& DefaultMessageQueue() {
  static PostedMessageQueue queue;
  return queue;
}

void ResolvePlatform() {
  static std::unique_ptr<WaveSystem> defaultSystem;
  static SteadyMsClock defaultClock;
  static std::unique_ptr<IniFileProfile> defaultProfile;
  MixerUnit& u = Unit();
  const PlatformServices& in = Injected();
  if (in.waveSystem) u.waveSystem = in.waveSystem;
  else {
    if (!defaultSystem) defaultSystem = MakeWaveSystem(DeviceChoiceFromEnvironment());
    u.waveSystem = defaultSystem.get();
  }
  u.clock = in.clock ? in.clock : &defaultClock;
  u.messages = in.messages ? in.messages : &DefaultMessageQueue();
  if (in.profile) u.profile = in.profile;
  else {
    if (!defaultProfile) defaultProfile = std::make_unique<IniFileProfile>(DefaultProfilePath());
    u.profile = defaultProfile.get();
  }
}

// A handle is compared with the live session before it is read, so a stale
// handle is refused without touching released memory.
MixSession& ValidateSession(hMixSession session) {
  MixSession* live = Unit().live;
  if (!session || session != live || session->magic1 != kSessionMagic ||
      session->magic2 != kSessionMagic)
    Fail(text::kInvalidSession);
  return *session;
}

hMixSession PcmMixInit() {
  MixSetup setup;
  setup.size = 10;
  return PcmMixSessionStart(&setup);
}

hMixSession PcmMixSessionStart(const MixSetup* setup) {
  MixerUnit& u = Unit();
  if (u.live) Fail(text::kAlreadyInitialized);
  ResolvePlatform();
  MixerStartup();
  if (setup && setup->size != 10) setup = nullptr;
  int deviceCount = u.waveSystem->DeviceCount();
  if (deviceCount <= 0) Fail(text::kNoDevices);

  MixSession* s = new (std::nothrow) MixSession();
  if (!s) Fail(text::kNoMemory);
  s->magic1 = s->magic2 = kSessionMagic;
  s->format = {kFormatPcm, 1, 11025, 11025, 1, 8};
  u.live = s;

  DefaultSectionValues d = ReadDefaultSection(*u.profile);
  s->section = "default";
  int device = u.profile->ReadInt("general", "WaveOutDevice", 0);
  s->deviceNumber = device >= deviceCount || device < 0 ? WaveSystem::kMapper : device;
  DeviceCaps caps = QueryCaps(s->deviceNumber);
  CheckDeviceUsable(s, caps);
  Configure(*s, setup, caps, d);
  u.current = s;
  return s;
}

namespace {

void ReleaseBlocks() {
  MixerUnit& u = Unit();
  for (OutputBlock*& b : u.blocks) {
    delete b;
    b = nullptr;
  }
}

void AllocateBlocks(MixSession& s) {
  MixerUnit& u = Unit();
  for (OutputBlock*& b : u.blocks) {
    b = new (std::nothrow) OutputBlock();
    if (!b) {
      ReleaseBlocks();
      Fail(text::kNoMemory);
    }
    b->header.data = b->data;
    b->header.bufferLength = uint32_t(s.blockLength);
  }
}

void PrepareBlocks(MixSession& s) {
  MixerUnit& u = Unit();
  for (OutputBlock* b : u.blocks) {
    int result = s.device->Prepare(&b->header);
    if (result != 0) {
      for (OutputBlock* p : u.blocks) s.device->Unprepare(&p->header);
      ReleaseBlocks();
      Fail(text::kPrepareHeader + std::to_string(result));
    }
    b->header.flags |= kHeaderDone;
  }
}

void DestroyCallbackWindow(MixSession& s) {
  Unit().messages->DestroyTarget(s.callbackWindow);
  s.callbackWindow = 0;
}

void OpenDevice(MixSession& s) {
  MixerUnit& u = Unit();
  if (s.device) return;
  s.callbackWindow = u.messages->CreateTarget(&CallbackProcedure());
  if (!s.callbackWindow) Fail(text::kCallbackWindow);
  int result = u.waveSystem->Open(s.deviceNumber, s.format, u.messages, s.callbackWindow, s.device);
  if (result != 0 || !s.device) {
    s.device.reset();
    DestroyCallbackWindow(s);
    Fail(text::kOpenDevice + std::to_string(result ? result : deviceresult::kError));
  }
  try {
    AllocateBlocks(s);
    PrepareBlocks(s);
  } catch (...) {
    s.device.reset();
    DestroyCallbackWindow(s);
    throw;
  }
}

void CloseDevice(MixSession& s) {
  if (!s.active || !s.device) return;
  ResetDevice(s);
  DropSubmitted();
  for (OutputBlock* b : Unit().blocks)
    if (b) s.device->Unprepare(&b->header);
  ReleaseBlocks();
  s.device.reset();
  DestroyCallbackWindow(s);
}

void Activate(MixSession& s) {
  MixerUnit& u = Unit();
  if (u.owner == &s) return;
  u.owner = &s;
  u.waveSystem->StopSimplePlayer();
  try {
    OpenDevice(s);
  } catch (...) {
    // Not left as owner of a device it does not hold, so a retry opens it.
    u.owner = nullptr;
    throw;
  }
  s.active = 1;
  SetPlayPosition(s, s.mixPosition);
  FillFreeBlocks(s);
}

void Deactivate(MixSession& s) {
  MixerUnit& u = Unit();
  if (s.active) s.mixPosition = ReadPlayPosition(s, s.goodWavePos);
  CloseDevice(s);
  s.active = 0;
  if (u.owner == &s) u.owner = nullptr;
}

void OpenOne(MixSession& s, int channel) {
  s.channelOpen[channel] = true;
  s.queue[channel] = nullptr;
  ++s.openChannels;
}

} // namespace

void PcmMixActivate(hMixSession session, bool activate) {
  MixSession& s = ValidateSession(session);
  if (activate) Activate(s);
  else Deactivate(s);
}

void PcmMixChannelOpen(hMixSession session, int32_t channel, uint32_t flags) {
  MixSession& s = ValidateSession(session);
  Unit().current = &s;
  if (flags > ChannelsCount) Fail(text::kInvalidFlags);
  if (flags == 0 && (channel < 0 || channel >= kChannelCount)) Fail(text::kInvalidChannel);
  if (flags == ChannelsCount && (channel < 1 || channel > kChannelCount))
    Fail(text::kInvalidChannelCount);
  if (flags == 0) {
    if (s.channelOpen[channel]) Fail(text::kChannelAlreadyOpen);
    OpenOne(s, channel);
    return;
  }
  int count = flags == ChannelsAll ? kChannelCount : channel;
  for (int ch = count - 1; ch >= 0; --ch)
    if (!s.channelOpen[ch]) OpenOne(s, ch);
}

void PcmMixChannelClose(hMixSession session, int32_t channel, uint32_t flags) {
  MixSession& s = ValidateSession(session);
  Unit().current = &s;
  PcmMixChannelFlush(session, channel, flags | FlushNoRemix);
  for (int ch = 0; ch < kChannelCount; ++ch) {
    bool concerned = (flags & ChannelsAll) ? true : ch == channel;
    if (concerned && s.channelOpen[ch]) {
      s.channelOpen[ch] = false;
      --s.openChannels;
    }
  }
}

void PcmMixSessionEnd(hMixSession session) {
  MixSession& s = ValidateSession(session);
  Unit().current = &s;
  PcmMixActivate(session, false);
  PcmMixChannelClose(session, 0, ChannelsAll);
  while (PlayEntry* e = TakeOldestPending(s)) ReturnEntry(e);
  ReleaseSession(&s);
}

SessionInfo PcmMixSessionInfo(hMixSession session) {
  MixSession& s = ValidateSession(session);
  SessionInfo info;
  info.format = s.format;
  info.blockLength = s.blockLength;
  info.blockCount = s.blockCount;
  info.deviceNumber = s.deviceNumber;
  info.openChannels = s.openChannels;
  info.playCount = s.playCount;
  info.active = s.active != 0;
  info.remixShift = s.remix == RemixStrategy::Shift;
  info.goodWavePos = s.goodWavePos;
  info.mixPosition = s.mixPosition;
  info.heardPosition = s.active ? ReadPlayPosition(s, 1) : s.mixPosition;
  return info;
}

} // namespace pcmmix
