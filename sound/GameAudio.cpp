#include "sound/GameAudio.h"

#include <algorithm>

#include "game/GameFolder.h"
#include "pcmmix/OutputLevel.h"
#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"
#include "sound/QtMixerMessages.h"

namespace ikea {
namespace {

// The window's own messages, beside the mixer's.
constexpr uint32_t kMessageLoadCueWaves = 0x8001;
constexpr uint32_t kMessageMusicLoaded = 0x8002;

} // namespace

using pcmmix::LoadedWave;

GameAudio::GameAudio(std::filesystem::path folder, const AudioServices& services)
    : folder_(std::move(folder)) {
  pcmmix::PlatformServices platform;
  platform.waveSystem = services.waveSystem;
  if (!platform.waveSystem) {
    ownWaveSystem_ = pcmmix::MakeWaveSystem(pcmmix::DeviceChoiceFromEnvironment());
    platform.waveSystem = ownWaveSystem_.get();
  }
  waveSystem_ = platform.waveSystem;
  platform.clock = services.clock;
  messages_ = services.messages;
  if (!messages_) {
    ownMessages_ = std::make_unique<QtMixerMessages>();
    messages_ = ownMessages_.get();
  }
  platform.messages = messages_;
  platform.profile = services.profile;
  if (!platform.profile) {
    ownProfile_ = std::make_unique<pcmmix::IniFileProfile>((folder_ / "PCMMIX.INI").string());
    platform.profile = ownProfile_.get();
  }
  pcmmix::SetPlatform(platform);
  SetEffectsLevel(pcmmix::OutputLevel::kFull, false);
  try {
    // The window's stored form: the component, then its properties in
    // stored order.
    pcmMix1_ = std::make_unique<pcmmix::TPcmMix>();
    pcmMix1_->SetActivated(true);
    pcmMix1_->SetChannels(31);
  } catch (...) {
    pcmMix1_.reset();
    pcmmix::SetPlatform({});
    throw;
  }
  noticeTarget_ = messages_->CreateTarget(this);
  awaitingNotice_.reserve(16);
  // The soundfont loads while the window is built and shown; the tune asked
  // for meanwhile starts when the loader's message arrives.
  MidiOptions music = services.music ? *services.music : MidiOptionsFromEnvironment();
  if (noticeTarget_)
    music.whenLoaded = [queue = messages_, target = noticeTarget_] {
      queue->Post(target, kMessageMusicLoaded, 0, 0);
    };
  midP_ = std::make_unique<MidiPlayer>(music);
}

GameAudio::~GameAudio() {
  // Whatever the window left: the slots FormDestroy did not reach and the
  // replaced waves whose play was never heard.
  for (LoadedWave*& wave : cueWaves_) {
    if (!wave) continue;
    ReleaseQuietly(wave);
    std::erase(awaitingNotice_, wave);
    wave = nullptr;
  }
  for (LoadedWave* wave : awaitingNotice_) ReleaseQuietly(wave);
  awaitingNotice_.clear();
  midP_.reset(); // waits for a loading soundfont
  if (noticeTarget_) messages_->DestroyTarget(noticeTarget_);
  pcmMix1_.reset();
  pcmmix::SetPlatform({});
}

void GameAudio::SetEffectsLevel(int percent, bool muted) {
  if (pcmmix::OutputLevel* level = waveSystem_->Level()) level->Set(percent, muted);
}

void GameAudio::SetMusicLevel(int percent, bool muted) { midP_->SetVolume(percent, muted); }

std::filesystem::path GameAudio::DatPath(const Text& fileName) const {
  return GamePath(folder_, "\\dat\\" + fileName);
}

bool GameAudio::InSlot(const LoadedWave* wave) const {
  return std::find(cueWaves_.begin(), cueWaves_.end(), wave) != cueWaves_.end();
}

bool GameAudio::Awaiting(const LoadedWave* wave) const {
  return std::find(awaitingNotice_.begin(), awaitingNotice_.end(), wave) != awaitingNotice_.end();
}

void GameAudio::ReleaseQuietly(LoadedWave* wave) {
  try {
    pcmMix1_->ReleaseWave(wave);
  } catch (...) {
  }
}

void GameAudio::Store(int channel, LoadedWave* wave) {
  LoadedWave* old = cueWaves_[size_t(channel)];
  cueWaves_[size_t(channel)] = wave;
  // A replaced wave still to be heard waits for its notice; releasing it now
  // would silence its queued play.
  if (old && !InSlot(old) && !Awaiting(old)) ReleaseQuietly(old);
}

void GameAudio::LoadCueWaves() {
  cueWavesDue_ = true;
  if (!messages_->Post(noticeTarget_, kMessageLoadCueWaves, 0, 0)) LoadDueCueWaves();
}

void GameAudio::LoadDueCueWaves() {
  if (!cueWavesDue_) return;
  cueWavesDue_ = false;
  try {
    for (int channel = 0; channel < kCueSlots; ++channel)
      Store(channel, pcmMix1_->LoadWave(DatPath("1.wav").string()));
  } catch (...) {
  }
}

void GameAudio::ReleaseCueWaves() {
  cueWavesDue_ = false; // never loaded, nothing to release
  try {
    for (int channel = kCueSlots - 1; channel >= 0; --channel) {
      LoadedWave*& wave = cueWaves_[size_t(channel)];
      pcmMix1_->ReleaseWave(wave); // an empty slot raises and ends the sequence
      // Its queued play went with it, and with it the notice.
      std::erase(awaitingNotice_, wave);
      wave = nullptr;
    }
  } catch (...) {
  }
}

void GameAudio::PlayCue(int channel, const Text& fileName) {
  if (channel < 0 || channel >= kCueSlots) return;
  LoadDueCueWaves();
  try {
    LoadedWave* wave = pcmMix1_->LoadWave(DatPath(fileName).string());
    Store(channel, wave);
    // Room first: a play whose wave went untracked could be released unheard.
    awaitingNotice_.reserve(awaitingNotice_.size() + 1);
    NoteCueWait();
    pcmMix1_->PlayWave(channel, wave, noticeTarget_, 0, 0);
    awaitingNotice_.push_back(wave);
  } catch (...) {
  }
}

void GameAudio::NoteCueWait() {
  const pcmmix::SessionInfo info = pcmmix::PcmMixSessionInfo(pcmMix1_->Session());
  // A cue on a quiet mixer starts the output afresh; the wait that settles
  // with the buffer is the one behind sound already playing.
  if (!info.active || info.format.avgBytesPerSec == 0 || info.mixPosition <= info.heardPosition) return;
  cueWaits_.Add(int64_t((info.mixPosition - info.heardPosition) * 1000000 / info.format.avgBytesPerSec));
}

intptr_t GameAudio::WindowProc(uint32_t message, uintptr_t, uintptr_t lParam) {
  if (message == kMessageLoadCueWaves) LoadDueCueWaves();
  if (message == kMessageMusicLoaded) midP_->FinishLoading();
  if (message != pcmmix::kMessageBlockDone) return 0;
  auto* wave = reinterpret_cast<LoadedWave*>(lParam);
  auto it = std::find(awaitingNotice_.begin(), awaitingNotice_.end(), wave);
  if (it == awaitingNotice_.end()) return 0;
  awaitingNotice_.erase(it);
  if (!InSlot(wave)) ReleaseQuietly(wave);
  return 0;
}

uint64_t GameAudio::Underruns() const { return waveSystem_->Underruns(); }

uint64_t GameAudio::BufferChanges() const { return waveSystem_->BufferChanges(); }

unsigned GameAudio::BufferMs() const { return waveSystem_->BufferMs(); }

std::string GameAudio::OutputName() const {
  pcmmix::DeviceCaps caps;
  return waveSystem_->GetCaps(pcmmix::WaveSystem::kMapper, caps) == 0 ? caps.productName : std::string();
}

void GameAudio::SetBufferMode(pcmmix::BufferMode mode) { waveSystem_->SetBufferMode(mode); }

uint64_t GameAudio::RefusedMessages() const { return ownMessages_ ? ownMessages_->RefusedWhenFull() : 0; }

const AnswerTimes* GameAudio::DeviceAnswerTimes() const {
  return ownMessages_ ? &ownMessages_->Answers() : nullptr;
}

LoadedWave* GameAudio::CueWave(int channel) {
  LoadDueCueWaves();
  return cueWaves_.at(size_t(channel));
}

int GameAudio::LiveWaves() {
  LoadDueCueWaves();
  int live = int(std::count_if(cueWaves_.begin(), cueWaves_.end(),
                               [](const LoadedWave* w) { return w != nullptr; }));
  for (const LoadedWave* wave : awaitingNotice_)
    if (!InSlot(wave)) ++live;
  return live;
}

void GameAudio::PlayMusic(const Text& fileName) {
  if (fileName == "not") {
    try {
      midP_->Stop();
    } catch (...) {
    }
    return;
  }
  if (fileName.empty()) return; // the music playing goes on
  try {
    midP_->SetFileName(DatPath(fileName));
    // Opening closes the tune that was open, which ends its music.
    if (midP_->Open()) midP_->Play();
  } catch (...) {
  }
}

} // namespace ikea
