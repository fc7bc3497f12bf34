#include "town/PlayFieldMusic.h"

#include "game/Catalogues.h"
#include "game/GameSound.h"
#include "game/Random.h"

namespace ikea {

Text PlayFieldMusic(const Catalogues& cat, RandomSource& rnd, GameSound& snd) {
  // Draw over 0..225 and again while empty: each filled saying is equally
  // likely. The sayings are filled at start-up even when loading fails, and
  // the town rules run only after that, so a saying is always found.
  Text saying;
  while (saying.empty()) saying = cat.PondSaying(rnd.Random(226));
  static const char* const kFieldTunes[] = {"p1.mid", "p2.mid", "p3.mid", "p4.mid", "p5.mid"};
  snd.PlayMusic(kFieldTunes[rnd.Random(5)]);
  return saying;
}

} // namespace ikea
