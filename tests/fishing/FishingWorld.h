#pragma once
// A game world for the fishing rules: real catalogues, scripted random
// draws, a manual clock and a recording window and sound.
#include <memory>

#include "game/Catalogues.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "game/GameState.h"
#include "tests/support/FakeView.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedRandom.h"

namespace ikea::test {

struct FishingWorld {
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  std::unique_ptr<Catalogues> catalogues = std::make_unique<Catalogues>();
  GameState& s = *state;
  Catalogues& cat = *catalogues;
  ScriptedRandom rnd;
  ManualClock clock;
  RecordingSound snd;
  FakeView view;
  GameContext ctx{s, cat, rnd, clock, snd, view, {}};

  FishingWorld() {
    cat.FillConstants();
    s.Hour = 8;
    s.LineStrength = 280;
    s.Sardines = 5;
    s.Bullets = 20;
  }

  // A creature on the line, as the bite leaves it.
  void Hook(int size, int hp, int lineOut, int tension = 30) {
    s.FishingPhase = 3;
    s.Hooked = 1;
    s.FishSize = size;
    s.FishHP = hp;
    s.LineOut = lineOut;
    s.LineTension = tension;
    s.FishX = 150;
    s.FishY = 100;
    s.FightTicks = 0;
    s.FightStart = clock.Now();
  }

  void FillSlots(int from, int to) {
    for (int slot = from; slot <= to; ++slot) s.TankKind[slot] = 1;
  }
};

} // namespace ikea::test
