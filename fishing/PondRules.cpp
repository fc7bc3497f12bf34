#include "fishing/PondRules.h"

#include <algorithm>

#include "fishing/Effects.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"

namespace ikea {
namespace {

constexpr int kBiteOdds = 100;
constexpr int kFarthestBiteY = 190;  // a float at or below this gives no size range
constexpr int kMorningBonus = 50;
constexpr int kEveningBonus = 25;
constexpr int kStartTension = 30;

std::int32_t SizeRange(std::int32_t floatY, std::int32_t hour) {
  std::int32_t r = std::max(0, kFarthestBiteY - floatY);
  if (hour >= 5 && hour <= 7) r += kMorningBonus;
  if (hour >= 17 && hour <= 19) r += kEveningBonus;
  return r;
}

// Two splashes around the float; each takes its y draw before its x draw.
void SplashAroundFloat(GameContext& ctx) {
  GameState& s = ctx.s;
  std::int32_t dy = ctx.rnd.Random(2);
  std::int32_t dx = ctx.rnd.Random(5);
  SpawnEffect(s, ctx.rnd, kSplash, s.FloatX + dx, s.FloatY + dy, 0);
  dy = ctx.rnd.Random(3);
  dx = ctx.rnd.Random(5);
  SpawnEffect(s, ctx.rnd, kSplash, s.FloatX - dx, s.FloatY - dy, 0);
}

std::int32_t LineOutAtBite(GameContext& ctx) {
  GameState& s = ctx.s;
  std::int32_t d = std::max(10, kFarthestBiteY - s.FishY);
  return ctx.rnd.Random(10) + d / 10 + s.FishSize / 2 + 10;
}

} // namespace

void BiteRule(GameContext& ctx) {
  GameState& s = ctx.s;
  if (ctx.rnd.Random(kBiteOdds) != 0) return;

  // The phase changes before the message types, so a nested tick sees the
  // bite; the creature itself is set up only afterwards.
  s.FishingPhase = 3;
  s.Reeling = 0;
  ctx.view.TypeMessage("ヒット!!");
  s.FightStart = ctx.clock.Now();
  ctx.snd.PlayCue1("hit.wav");

  SplashAroundFloat(ctx);
  s.FishX = s.FloatX;
  s.FishY = s.FloatY;
  std::int32_t range = SizeRange(s.FloatY, s.Hour);
  std::int32_t base = ctx.rnd.Random(range);
  s.FishSize = base + 5 + ctx.rnd.Random(5);
  s.FishHP = ctx.rnd.Random(s.FishSize) + s.FishSize;
  s.Hooked = 1;
  s.FightTicks = 0;
  s.LineTension = kStartTension;
  s.LineOut = LineOutAtBite(ctx);
}

void MoveHookedCreature(GameContext& ctx) {
  GameState& s = ctx.s;
  bool twentieth = s.TickCount % 20 == 0;
  // The random test is drawn even when the tick alone would decide.
  if (ctx.rnd.Random(200) == 0 || twentieth) SpawnEffect(s, ctx.rnd, kSplash, s.FishX, s.FishY, 0);
  if (ctx.rnd.Random(100) == 0 || twentieth) SpawnEffect(s, ctx.rnd, kSpray, s.FishX, s.FishY, 0);
  if (s.TickCount % 5 == 0) SpawnEffect(s, ctx.rnd, kRipple, s.FishX, s.FishY, 0);

  std::int32_t step = s.FishSize / 10 + 4;
  s.FishX = s.FishX + ctx.rnd.Random(2 * step + 1) - step;
  s.FishY = s.FishY + ctx.rnd.Random(step + 1) - step / 2;
  s.FishX = std::clamp(s.FishX, 0, 300);
  s.FishY = std::clamp(s.FishY, 50, 200);
}

} // namespace ikea
