#include "fishing/Casting.h"

#include <algorithm>
#include <cstdint>

#include "fishing/Effects.h"
#include "fishing/Landing.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"

namespace ikea {
namespace {

constexpr int kNearestCastY = 180;
constexpr int kFarthestCastY = 40;
constexpr int kSpread = 15;           // the float lands within this of the point
constexpr int kHungrySlots = 100;     // a cast makes slots 0..99 hungrier
constexpr int kHitReach = 10;         // strictly closer than this on both axes
// Pointer positions far off the picture are pulled in so no later sum overflows.
constexpr int kPointerLimit = 1000000;

bool HasFreeVisibleSlot(const GameState& s) {
  for (int slot = 0; slot < kVisibleSlots; ++slot)
    if (IsEmptySlot(s, slot)) return true;
  return false;
}

void Refuse(GameContext& ctx, const Text& reason) {
  ctx.snd.PlayCue0("no.wav");
  ctx.view.TypeMessage(reason);
}

void MakeKeptCreaturesHungry(GameContext& ctx) {
  GameState& s = ctx.s;
  for (int slot = 0; slot < kHungrySlots; ++slot) {
    std::int64_t hunger = std::int64_t{s.TankHunger[slot]} - (ctx.rnd.Random(10) + 2);
    if (hunger >= 0) {
      s.TankHunger[slot] = static_cast<std::int32_t>(hunger);
      continue;
    }
    s.TankHunger[slot] = 0;
    if (s.TankStrength[slot] > 0) s.TankStrength[slot] -= 1;
  }
}

void Cast(GameContext& ctx, int x, int y) {
  GameState& s = ctx.s;
  ctx.snd.PlayCue2("ukiwa.wav");
  y = std::clamp(y, kFarthestCastY, kNearestCastY);
  s.FishingPhase = 2;
  s.FloatX = ctx.rnd.Random(2 * kSpread) + x - kSpread;
  s.FloatY = ctx.rnd.Random(2 * kSpread) + y - kSpread;
  SpawnEffect(s, ctx.rnd, kSplash, s.FloatX, s.FloatY, 0);
  // The float is in the water while this types: ticks and even a bite may
  // come before the hunger below.
  ctx.view.TypeMessage("竿を投げた!!");
  MakeKeptCreaturesHungry(ctx);
}

bool HitsCreature(const GameState& s, int x, int y) {
  return s.FishX - kHitReach < x && x < s.FishX + kHitReach && s.FishY - kHitReach < y &&
         y < s.FishY + kHitReach && s.Hooked == 1 && s.FishHP > 0;
}

void Wound(GameContext& ctx, int x, int y) {
  GameState& s = ctx.s;
  std::int32_t damage = WrapAdd(ctx.rnd.Random(3) + 4, s.GunLevel);
  std::int64_t left = std::int64_t{s.FishHP} - damage;
  s.FishHP = static_cast<std::int32_t>(std::clamp<std::int64_t>(left, 0, INT32_MAX));
  ctx.snd.PlayCue3("damage.wav");
  int numberY = y - 10 - ctx.rnd.Random(20);
  int numberX = ctx.rnd.Random(81) + x - 40;
  SpawnEffect(s, ctx.rnd, kDamageNumber, numberX, numberY, damage);
}

void Shoot(GameContext& ctx, int x, int y) {
  GameState& s = ctx.s;
  if (s.Bullets <= 0) return;
  s.Bullets -= 1;
  SpawnEffect(s, ctx.rnd, kShot, x, y, 0);
  if (ctx.rnd.Random(2) == 0) ctx.snd.PlayCue1("gun.wav");
  else ctx.snd.PlayCue2("gun.wav");
  if (HitsCreature(s, x, y)) Wound(ctx, x, y);
}

} // namespace

void sao_bClick(GameContext& ctx) {
  GameState& s = ctx.s;
  // The button shows only while idle; a click that slips in before the
  // refresh hides it must not pull a hooked line back to point choosing.
  if (s.FishingPhase != 0) return;
  if (s.Sardines <= 0) return Refuse(ctx, "にぼしがありません");
  if (!HasFreeVisibleSlot(s)) return Refuse(ctx, "水槽に空きがありません");
  ctx.snd.PlayCue0("1.wav");
  s.FishingPhase = 1;
  ctx.view.TypeMessage("画面をクリックして、ポイントを指定してください");
  ctx.view.SetShown(Panel::Shop, false);
  ctx.view.SetShown(Panel::Fish, false);
  ctx.view.SetShown(Panel::Help, false);
}

void cgMouseDown(GameContext& ctx, int x, int y) {
  x = std::clamp(x, -kPointerLimit, kPointerLimit);
  y = std::clamp(y, -kPointerLimit, kPointerLimit);
  if (ctx.s.FishingPhase == 1) Cast(ctx, x, y);
  else Shoot(ctx, x, y);
}

void maku_bMouseDown(GameContext& ctx) {
  GameState& s = ctx.s;
  s.Reeling = 1;
  if (s.Hooked == 0) SpawnEffect(s, ctx.rnd, kRipple, s.FloatX, s.FloatY, 0);
}

void maku_bMouseUp(GameContext& ctx) { ctx.s.Reeling = 0; }

} // namespace ikea
