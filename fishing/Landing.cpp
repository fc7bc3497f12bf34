#include "fishing/Landing.h"

#include "game/Catalogues.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"

namespace ikea {
namespace {

constexpr std::int32_t kSpeciesEntries = 512;
constexpr std::int32_t kFullBelly = 100;
constexpr std::int32_t kHoursPerDay = 24;

const Text kJingles[] = {"awa.wav", "awa2.wav", "orgol.wav"};

void FillSlot(GameContext& ctx, int slot, std::int32_t species) {
  GameState& s = ctx.s;
  const tfish& kind = ctx.cat.Species(species);
  s.TankKind[slot] = species;
  s.TankSize[slot] = s.FishSize;
  std::int32_t speed = ctx.rnd.Random(3);
  s.TankSpeed[slot] = speed + ctx.rnd.Random(s.FishSize / 60 + 1);
  s.TankStrength[slot] = WrapAdd(ctx.rnd.Random(s.FishSize / 50 + 1), kind.BaseStrength);
  s.TankWits[slot] = WrapAdd(ctx.rnd.Random(s.FishSize / 50 + 1), kind.BaseWits);
  s.TankGuts[slot] = WrapAdd(ctx.rnd.Random(s.FishSize / 50 + 1), kind.BaseGuts);
  s.TankHunger[slot] = kFullBelly;
  for (int raceClass = 1; raceClass <= 6; ++raceClass) (*s.CupsOfClass(raceClass))[slot] = 0;
  s.TankTime[slot] = TimeText(ctx.clock.Now() - s.FightStart);
}

void CountFinishedTry(GameState& s) {
  s.Sardines = WrapSub(s.Sardines, 1);
  s.Tries = WrapAdd(s.Tries, 1);
}

// An hour outside the day (only from an edited save) starts the day anew.
std::int32_t NextHour(std::int32_t hour) {
  std::int32_t next = WrapAdd(hour, 1);
  return next >= 0 && next < kHoursPerDay ? next : 0;
}

void PlayJingleAndAdvanceHour(GameContext& ctx) {
  ctx.snd.PlayCue4(kJingles[ctx.rnd.Random(3)]);
  ctx.s.Hour = NextHour(ctx.s.Hour);
}

// Without a slot or a species of the hour the creature cannot be kept: the
// attempt ends as if it had got away.
void LoseCatch(GameContext& ctx) {
  CountFinishedTry(ctx.s);
  ctx.view.TypeMessage("逃げられた....");
}

} // namespace

bool IsEmptySlot(const GameState& s, int slot) { return s.TankKind[slot] < 1; }

std::optional<int> LowestEmptySlot(const GameState& s) {
  for (int slot = 0; slot < kTankSlots; ++slot)
    if (IsEmptySlot(s, slot)) return slot;
  return std::nullopt;
}

bool HasSpeciesOfClass(const Catalogues& cat, int timeClass) {
  for (std::int32_t i = 0; i < kSpeciesEntries; ++i) {
    const tfish& f = cat.Species(i);
    if (!f.Name.empty() && f.TimeClass == timeClass) return true;
  }
  return false;
}

std::int32_t DrawSpecies(const Catalogues& cat, RandomSource& rnd, int timeClass) {
  for (;;) {
    std::int32_t i = rnd.Random(kSpeciesEntries);
    const tfish& f = cat.Species(i);
    if (!f.Name.empty() && f.TimeClass == timeClass) return i;
  }
}

void LandCatch(GameContext& ctx) {
  GameState& s = ctx.s;
  int timeClass = TimeClassOfHour(s.Hour);
  std::optional<int> slot = LowestEmptySlot(s);
  if (!slot || !HasSpeciesOfClass(ctx.cat, timeClass)) {
    LoseCatch(ctx);
    return;
  }
  std::int32_t species = DrawSpecies(ctx.cat, ctx.rnd, timeClass);
  FillSlot(ctx, *slot, species);
  ctx.snd.PlayCue3("get.wav");
  CountFinishedTry(s);
  ctx.view.TypeMessage("なんと " + n(s.FishSize) + "cm.の『" + ctx.cat.Species(species).Name +
                       "』を釣り上げた!!");
  // Decided after the message: a race may have been opened meanwhile.
  if (!ctx.view.IsShown(Panel::Race)) PlayJingleAndAdvanceHour(ctx);
}

} // namespace ikea
