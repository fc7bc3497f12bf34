#pragma once
// What the game says of its sound on standard error when it closes: how
// often the effects' output ran dry and how long the device's messages
// waited for the window's thread, which is what decides whether it runs
// dry. Said when there was a dropout, or always when asked
// (IKEASOBI_SOUND_REPORT=1).
#include <cstdint>
#include <string>

namespace ikea {

class AnswerTimes;

// Empty when there is nothing to say.
std::string SoundReport(uint64_t underruns, const AnswerTimes* answers, bool always);

} // namespace ikea
