#include "fishing/LineFight.h"

#include <algorithm>

#include "fishing/Landing.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"

namespace ikea {
namespace {

constexpr std::int32_t kWearEveryTicks = 30;
constexpr std::int32_t kReeledCapY = 180;
constexpr std::int32_t kTopOfPond = 50;

// The reel only gains while the creature is weak enough and, unless nearly
// beaten, while enough line is out.
struct ReelBand {
  std::int32_t minHP, maxHP;
  std::int32_t odds;      // gains when Random(odds) = 0
  std::int32_t minLine;   // and more than this many metres are out
};
constexpr ReelBand kReelBands[] = {
    {51, 100, 5, 20},
    {21, 50, 4, 20},
    {6, 20, 3, 10},
};
constexpr std::int32_t kAlwaysGainsAtHP = 5;

// C++20 integer conversion wraps, as the game's integers do.
std::int32_t Wrap(std::int64_t v) { return static_cast<std::int32_t>(v); }

void RaiseTension(GameState& s) {
  std::int64_t pull = std::min<std::int64_t>(s.FishHP / 2 + 10, 50);
  s.LineTension = Wrap(s.LineTension + pull + s.LineTension / 50 + std::int64_t{s.FishSize} +
                       s.LineWear + 10);
}

void Reel(GameContext& ctx) {
  GameState& s = ctx.s;
  PlayReelSound(ctx);
  if (ReelGains(s, ctx.rnd)) {
    s.LineOut = WrapSub(s.LineOut, ReelGainMetres(s.ReelLevel, ctx.rnd));
    s.FishY = std::min(s.FishY + ctx.rnd.Random(2), kReeledCapY);
  }
  RaiseTension(s);
}

void Slacken(GameState& s) { s.LineTension = s.LineTension - (s.LineTension / 10 + 2); }

void Thrash(GameContext& ctx) {
  GameState& s = ctx.s;
  if (ctx.rnd.Random(2) == 0) s.FishY -= ctx.rnd.Random(2);
  s.FishY = std::max(s.FishY, kTopOfPond);
}

void CountFinishedTry(GameState& s) {
  s.Sardines = WrapSub(s.Sardines, 1);
  s.Tries = WrapAdd(s.Tries, 1);
}

void Escape(GameContext& ctx) {
  LineReset(ctx.s);
  CountFinishedTry(ctx.s);
  ctx.view.TypeMessage("逃げられた....");
}

void BreakLine(GameContext& ctx) {
  GameState& s = ctx.s;
  LineReset(s);
  std::int32_t damage = ctx.rnd.Random(5) + 5;
  s.LineWear = WrapAdd(s.LineWear, damage);
  ctx.snd.PlayCue3("lineout.wav");
  CountFinishedTry(s);
  ctx.view.TypeMessage("糸が切れてしまった....");
  ctx.view.TypeMessageLine("糸に " + n(damage) + "のダメージ");
}

} // namespace

void LineReset(GameState& s) {
  s.Hooked = 0;
  s.Reeling = 0;
  s.FishingPhase = 0;
  s.LineTension = 0;
  s.LineOut = 0;
  s.FishHP = 0;
}

void PlayReelSound(GameContext& ctx) {
  switch (ctx.rnd.Random(3)) {
    case 0: ctx.snd.PlayCue2("maku.wav"); break;
    case 1: ctx.snd.PlayCue3("maku.wav"); break;
    default: ctx.snd.PlayCue1("maku.wav"); break;
  }
}

bool ReelGains(GameState& s, RandomSource& rnd) {
  for (const ReelBand& band : kReelBands) {
    if (s.FishHP < band.minHP || s.FishHP > band.maxHP) continue;
    if (rnd.Random(band.odds) == 0 && s.LineOut > band.minLine) return true;
  }
  return s.FishHP <= kAlwaysGainsAtHP;
}

std::int32_t ReelGainMetres(std::int32_t reelLevel, RandomSource& rnd) {
  switch (reelLevel) {
    case 0: return 1;
    case 1: return rnd.Random(3) == 0 ? 2 : 1;
    case 2: return rnd.Random(2) == 0 ? 2 : 1;
    case 3: return 2;
    case 4: return rnd.Random(3) == 0 ? 3 : 2;
    case 5: return rnd.Random(2) == 0 ? 3 : 2;
    default:
      if (reelLevel >= 6 && reelLevel <= 99) return rnd.Random(3) != 0 ? 3 : 2;
      return 1;
  }
}

bool FightStep(GameContext& ctx) {
  GameState& s = ctx.s;
  s.FightTicks = WrapAdd(s.FightTicks, 1);
  if (s.FightTicks % kWearEveryTicks == 0) s.LineWear = WrapAdd(s.LineWear, 1);

  if (s.Reeling == 1) Reel(ctx);
  Slacken(s);
  Thrash(ctx);

  if (s.LineTension <= 0) {
    Escape(ctx);
    return true;
  }
  if (s.LineOut < 0) {
    LineReset(s);
    LandCatch(ctx);
    return true;
  }
  if (s.LineTension >= s.LineStrength) {
    BreakLine(ctx);
    return true;
  }
  return false;
}

} // namespace ikea
