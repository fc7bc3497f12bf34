#include "sound/SoundReport.h"

#include <cstdio>

#include "sound/AnswerTimes.h"

namespace ikea {

std::string SoundReport(uint64_t underruns, const AnswerTimes* answers, bool always) {
  if (underruns == 0 && !always) return {};
  char line[256];
  if (underruns == 0)
    std::snprintf(line, sizeof line, "ikeasobi: the sound output never ran dry");
  else
    std::snprintf(line, sizeof line, "ikeasobi: the sound output ran dry %llu %s",
                  static_cast<unsigned long long>(underruns), underruns == 1 ? "time" : "times");
  std::string text = line;
  if (answers && answers->Count() > 0) {
    std::snprintf(line, sizeof line,
                  "; the game answered the sound device within %.1f ms at worst"
                  " (99 %% of %llu messages within %.1f ms)",
                  answers->LongestMs(), static_cast<unsigned long long>(answers->Count()),
                  answers->WithinMs(0.99));
    text += line;
  }
  return text + "\n";
}

} // namespace ikea
