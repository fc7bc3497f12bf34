#pragma once
// What the game rules ask of sound: cue N plays a WAV from dat/ on mixer
// channel N (0..4); music plays a MIDI file from dat/ ("not" stops, empty
// does nothing). Errors never reach the caller.
#include "base/Text.h"

namespace ikea {

class GameSound {
public:
  virtual ~GameSound() = default;
  virtual void PlayCue(int channel, const Text& fileName) = 0;
  virtual void PlayMusic(const Text& fileName) = 0;

  void PlayCue0(const Text& f) { PlayCue(0, f); }
  void PlayCue1(const Text& f) { PlayCue(1, f); }
  void PlayCue2(const Text& f) { PlayCue(2, f); }
  void PlayCue3(const Text& f) { PlayCue(3, f); }
  void PlayCue4(const Text& f) { PlayCue(4, f); }
};

// Sound that goes nowhere, for a machine without a mixer.
class SilentSound final : public GameSound {
public:
  void PlayCue(int, const Text&) override {}
  void PlayMusic(const Text&) override {}
};

} // namespace ikea
