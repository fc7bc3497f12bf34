#pragma once
// Records every cue and music request in order.
#include <string>
#include <vector>

#include "game/GameSound.h"

namespace ikea::test {

class RecordingSound final : public GameSound {
public:
  struct Cue { int channel; Text file; bool operator==(const Cue&) const = default; };
  void PlayCue(int channel, const Text& f) override { cues.push_back({channel, f}); }
  void PlayMusic(const Text& f) override { music.push_back(f); }
  std::vector<Cue> cues;
  std::vector<Text> music;
};

} // namespace ikea::test
