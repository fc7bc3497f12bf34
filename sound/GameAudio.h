#pragma once
// The window's sound as the game sees it: the mixer component `PcmMix1` with
// the five cue slots CueWave0..4 on channels 0..4, and the music player
// `mid_p`. Building it builds PcmMix1 (Activated, then Channels = 31); a
// mixer that cannot start raises EPcmMixError. Afterwards nothing raises.
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "game/GameSound.h"
#include "pcmmix/Steadiness.h"
#include "pcmmix/TPcmMix.h"
#include "sound/AnswerTimes.h"
#include "sound/midi/MidiPlayer.h"

namespace pcmmix {
class MsClock;
class ProfileReader;
class WaveSystem;
} // namespace pcmmix

namespace ikea {

class QtMixerMessages;

// What the sound runs on. Null members take the program's own: the wave
// system chosen by IKEASOBI_AUDIO, the steady clock, Qt's event queue (the
// window's thread) and PCMMIX.INI beside the program.
struct AudioServices {
  pcmmix::WaveSystem* waveSystem = nullptr;
  pcmmix::MsClock* clock = nullptr;
  pcmmix::MessageQueue* messages = nullptr;
  const pcmmix::ProfileReader* profile = nullptr;
  std::optional<MidiOptions> music; // unset: from IKEASOBI_AUDIO
};

class GameAudio final : public GameSound, private pcmmix::MessageHandler {
public:
  static constexpr int kCueSlots = 5;

  // folder holds dat/.
  explicit GameAudio(std::filesystem::path folder, const AudioServices& services = {});
  // Releases the waves still held; PcmMix1 then closes its channels, the
  // device and its session.
  ~GameAudio() override;
  GameAudio(const GameAudio&) = delete;
  GameAudio& operator=(const GameAudio&) = delete;

  // Window creation: "1.wav" into CueWave0..4; the first failure skips the
  // rest. The loading waits for a message of its own, so the window can show
  // first; a cue played, or a slot looked at, before it arrives loads them
  // then, so every slot ends up as it would have.
  void LoadCueWaves();
  // Window destruction: CueWave4..0 released; the first failure (an empty
  // slot, say) ends it.
  void ReleaseCueWaves();

  void PlayCue(int channel, const Text& fileName) override;
  void PlayMusic(const Text& fileName) override;

  // Volumes, 0..100 % (clamped), and mutes; heard within one block. The
  // effects are scaled in the device's copy of each block, the music in the
  // synthesiser's gain. Building starts both at full volume.
  void SetEffectsLevel(int percent, bool muted);
  void SetMusicLevel(int percent, bool muted);

  pcmmix::TPcmMix& PcmMix1() { return *pcmMix1_; }
  MidiPlayer& mid_p() { return *midP_; }
  pcmmix::LoadedWave* CueWave(int channel);
  // Waves loaded here and not yet released: the slots' and those replaced
  // whose play is still to be heard.
  int LiveWaves();
  // Cues played and not yet heard to their end.
  int CuesInFlight() const { return int(awaitingNotice_.size()); }
  // Times the effects' output ran dry while the mixer owed it a block.
  uint64_t Underruns() const;
  // Times the effects' output lengthened or shortened its buffer.
  uint64_t BufferChanges() const;
  // The effects' buffer as it ended, in ms; 0 without a buffer of its own.
  unsigned BufferMs() const;
  // The name of the output the effects play through ("PipeWire", "ALSA
  // default", "Null output").
  std::string OutputName() const;
  // The effects' buffer: adaptive, always short or always steady.
  void SetBufferMode(pcmmix::BufferMode mode);
  // Device messages the window's queue refused for want of room (offered
  // again by the device); 0 when the messages go through a queue the
  // caller gave.
  uint64_t RefusedMessages() const;
  // How long each cue played while others sounded waited after its call
  // until it was heard: what the mixer held ahead of the listener then.
  const AnswerTimes& CueWaits() const { return cueWaits_; }
  // How long the device's messages waited for the window's thread; null
  // when the messages go through a queue the caller gave.
  const AnswerTimes* DeviceAnswerTimes() const;

private:
  intptr_t WindowProc(uint32_t message, uintptr_t wParam, uintptr_t lParam) override;
  void LoadDueCueWaves();
  void NoteCueWait();
  bool InSlot(const pcmmix::LoadedWave* wave) const;
  bool Awaiting(const pcmmix::LoadedWave* wave) const;
  void Store(int channel, pcmmix::LoadedWave* wave);
  void ReleaseQuietly(pcmmix::LoadedWave* wave);
  std::filesystem::path DatPath(const Text& fileName) const;

  std::filesystem::path folder_;
  AnswerTimes cueWaits_;
  // Platform parts the mixer uses; they outlive PcmMix1.
  std::unique_ptr<pcmmix::WaveSystem> ownWaveSystem_;
  pcmmix::WaveSystem* waveSystem_ = nullptr;
  std::unique_ptr<pcmmix::ProfileReader> ownProfile_;
  std::unique_ptr<QtMixerMessages> ownMessages_;
  pcmmix::MessageQueue* messages_ = nullptr;
  std::unique_ptr<pcmmix::TPcmMix> pcmMix1_;
  pcmmix::WindowHandle noticeTarget_ = 0;
  std::unique_ptr<MidiPlayer> midP_;

  std::array<pcmmix::LoadedWave*, kCueSlots> cueWaves_{};
  bool cueWavesDue_ = false; // LoadCueWaves asked, its message not yet come
  // Waves whose one play has not been heard yet. Those no longer in a slot
  // are released when the play's completion notice arrives.
  std::vector<pcmmix::LoadedWave*> awaitingNotice_;
};

} // namespace ikea
