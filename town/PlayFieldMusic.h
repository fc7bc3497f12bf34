#pragma once
#include "base/Text.h"

namespace ikea {

class RandomSource;
class GameSound;
struct Catalogues;

// Starts one of the five field tunes and gives back a pond saying for the
// caller to show. The saying is drawn before the tune.
Text PlayFieldMusic(const Catalogues& cat, RandomSource& rnd, GameSound& snd);

} // namespace ikea
