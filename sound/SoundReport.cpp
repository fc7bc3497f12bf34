#include "sound/SoundReport.h"

#include <cstdio>

#include "sound/AnswerTimes.h"

namespace ikea {

std::string SoundReport(const SoundFigures& figures, const AnswerTimes* answers, bool always) {
  const uint64_t underruns = figures.underruns;
  if (underruns == 0 && figures.bufferChanges == 0 && figures.refusedMessages == 0 && !always) return {};
  char line[256];
  if (underruns == 0)
    std::snprintf(line, sizeof line, "ikeasobi: the sound output never ran dry");
  else
    std::snprintf(line, sizeof line, "ikeasobi: the sound output ran dry %llu %s",
                  static_cast<unsigned long long>(underruns), underruns == 1 ? "time" : "times");
  std::string text = line;
  if (figures.bufferChanges > 0 || (always && figures.bufferMs > 0)) {
    std::snprintf(line, sizeof line, "; its buffer changed %llu %s and ended at %u ms",
                  static_cast<unsigned long long>(figures.bufferChanges), figures.bufferChanges == 1 ? "time" : "times",
                  figures.bufferMs);
    text += line;
  }
  if (figures.refusedMessages > 0) {
    std::snprintf(line, sizeof line, "; %llu device messages waited for room in the queue",
                  static_cast<unsigned long long>(figures.refusedMessages));
    text += line;
  }
  if (answers && answers->Count() > 0) {
    std::snprintf(line, sizeof line,
                  "; the game answered the sound device within %.1f ms at worst"
                  " (99 %% of %llu messages within %.1f ms)",
                  answers->LongestMs(), static_cast<unsigned long long>(answers->Count()),
                  answers->WithinMs(0.99));
    text += line;
  }
  if (figures.cueWaits && figures.cueWaits->Count() > 0) {
    std::snprintf(line, sizeof line, "; a cue played while others sounded was heard within %.1f ms of its call for half of %llu, %.1f ms for 95 %%",
                  figures.cueWaits->WithinMs(0.5), static_cast<unsigned long long>(figures.cueWaits->Count()),
                  figures.cueWaits->WithinMs(0.95));
    text += line;
  }
  if (!figures.output.empty()) text += "; it played through " + figures.output;
  return text + "\n";
}

} // namespace ikea
