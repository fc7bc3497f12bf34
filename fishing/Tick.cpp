#include "fishing/Tick.h"

#include "fishing/Effects.h"
#include "fishing/LineFight.h"
#include "fishing/Pond.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"

namespace ikea {
namespace {

constexpr double kTickSpacing = 100 * kOneMillisecond;
constexpr std::int32_t kTickCountWrap = 999;
constexpr std::int32_t kEmptyReelInY = 180;

void AdvanceTickCount(GameState& s) {
  s.TickCount += 1;
  if (s.TickCount > kTickCountWrap || s.TickCount < 0) s.TickCount = 0;
}

// Reeling the float in with nothing on it; true when it came ashore, which
// ends the attempt without using a sardine.
bool ReelInEmpty(GameContext& ctx) {
  GameState& s = ctx.s;
  s.FloatY += ctx.rnd.Random(5);
  if (s.TickCount % 10 == 0) SpawnEffect(s, ctx.rnd, kRipple, s.FloatX, s.FloatY, 0);
  PlayReelSound(ctx);
  if (s.FloatY <= kEmptyReelInY) return false;
  s.FloatY = kEmptyReelInY;
  LineReset(s);
  ctx.view.TypeMessage("何も釣れなかった....");
  return true;
}

void JiggleCardTitle(GameContext& ctx) {
  int top = ctx.rnd.Random(2) == 0 ? 20 : 18;
  int left = ctx.rnd.Random(2) == 0 ? 4 : 6;
  ctx.view.MoveCardTitle(left, top);
}

} // namespace

bool ClaimTickIfDue(GameState& s, double now) {
  if (!(now > s.NextTickAt)) return false;
  s.NextTickAt = now + kTickSpacing;
  return true;
}

void GameTick(GameContext& ctx, const StepRaceFn& stepRace) {
  GameState& s = ctx.s;
  AdvanceTickCount(s);
  if (s.Hooked == 1) ctx.view.SetCaption(TimeText(ctx.clock.Now() - s.FightStart));

  if (s.Hooked == 0 && s.FishingPhase == 2 && s.Reeling == 1) {
    if (ReelInEmpty(ctx)) return;
  }
  if (s.Hooked == 1) {
    if (FightStep(ctx)) return;
  }

  DrawPond(ctx, ctx.view.PondCanvas());
  if (ctx.view.IsShown(Panel::Race) && s.RaceRunning == 1 && stepRace) stepRace();
  if (ctx.view.IsShown(Panel::Fish)) JiggleCardTitle(ctx);
}

StatusTexts Timer1Timer(GameContext& ctx, const StepRaceFn& stepRace) {
  if (ClaimTickIfDue(ctx.s, ctx.clock.Now())) GameTick(ctx, stepRace);
  return ComposeStatus(ctx.s, ctx.cat, ctx.view.IsShown(Panel::Fish));
}

} // namespace ikea
