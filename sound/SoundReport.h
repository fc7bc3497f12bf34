#pragma once
// What the game says of its sound on standard error when it closes: how
// often the effects' output ran dry, how often its buffer changed, and how long the device's messages
// waited for the window's thread, which is what decides whether it runs
// dry. Said when there was a dropout, or always when asked
// (IKEASOBI_SOUND_REPORT=1).
#include <cstdint>
#include <string>

namespace ikea {

class AnswerTimes;

struct SoundFigures {
  uint64_t underruns = 0;
  uint64_t bufferChanges = 0;
  unsigned bufferMs = 0;        // as it ended; 0: no buffer of its own
  uint64_t refusedMessages = 0; // offered again, so none lost
  std::string output{};         // the output's name; said when given
  const AnswerTimes* cueWaits = nullptr; // said when a cue played
};

// Empty when there is nothing to say.
std::string SoundReport(const SoundFigures& figures, const AnswerTimes* answers, bool always);

} // namespace ikea
