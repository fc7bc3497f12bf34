#pragma once
// Everything a game rule works on, injected so tests run headless and
// deterministic.
#include <filesystem>

namespace ikea {

struct GameState;
struct Catalogues;
class RandomSource;
class Clock;
class GameSound;
class View;

struct GameContext {
  GameState& s;
  Catalogues& cat;
  RandomSource& rnd;
  Clock& clock;
  GameSound& snd;
  View& view;
  std::filesystem::path folder;  // the game folder (holds cg/ and dat/)
};

} // namespace ikea
