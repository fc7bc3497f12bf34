#include "town/RaceRun.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"
#include "town/RaceClasses.h"
#include "town/RaceEntry.h"
#include "town/RaceRunners.h"
#include "town/Tank.h"
#include "town/TankSelection.h"

namespace ikea {
namespace {

int RivalIndex(int runner) { return runner - FirstRival; }

std::int32_t SpeedOf(const GameState& s, int runner) {
  return runner == PlayerRunner ? SlotFigure(s.TankSpeed, s.SelectedSlot) : s.RivalSpeed[RivalIndex(runner)];
}

std::int32_t GutsOf(const GameState& s, int runner) {
  return runner == PlayerRunner ? SlotFigure(s.TankGuts, s.SelectedSlot) : s.RivalGuts[RivalIndex(runner)];
}

// Moves a runner right; a huge saved figure stops the label at the edge of
// the pixel range instead of overflowing.
void Advance(View& view, int runner, std::int32_t pixels) {
  const std::int64_t left = std::int64_t{view.RunnerLeft(runner)} + pixels;
  view.SetRunnerLeft(runner, static_cast<int>(std::min<std::int64_t>(left, std::numeric_limits<int>::max() / 2)));
}

void Push(GameContext& ctx, int runner) { Advance(ctx.view, runner, 10 + ctx.rnd.Random(10)); }

void Sprint(GameContext& ctx) {
  for (int r = PlayerRunner; r <= LastRunner; ++r) {
    if (ctx.view.RunnerLeft(r) >= kRunInMark) continue;
    Advance(ctx.view, r, ctx.rnd.Random(SpeedOf(ctx.s, r)));
    Advance(ctx.view, r, ctx.rnd.Random(2));
  }
}

void RunIn(GameContext& ctx) {
  for (int r = PlayerRunner; r <= LastRunner; ++r) {
    if (ctx.view.RunnerLeft(r) < kRunInMark) continue;
    Advance(ctx.view, r, ctx.rnd.Random(SpeedOf(ctx.s, r) / 2));
    Advance(ctx.view, r, ctx.rnd.Random(2));
  }
}

void Stamina(GameContext& ctx) {
  for (int r = PlayerRunner; r <= LastRunner; ++r)
    if (ctx.view.RunnerLeft(r) > kRunInMark) Advance(ctx.view, r, ctx.rnd.Random(GutsOf(ctx.s, r)));
}

void RivalCheering(GameContext& ctx) {
  for (int r = FirstRival; r <= LastRunner; ++r) {
    std::int32_t& cheers = ctx.s.RivalCheers[RivalIndex(r)];
    if (cheers < 1 || ctx.rnd.Random(50) != 0) continue;
    ctx.snd.PlayCue2("ouen.wav");
    Push(ctx, r);
    --cheers;
  }
}

bool HasFinished(const View& view, int runner) {
  return std::int64_t{view.RunnerLeft(runner)} + view.RunnerWidth(runner) > kFinishLine;
}

void BackToTank(GameContext& ctx) {
  ctx.snd.PlayCue0("1.wav");
  ctx.view.SetShown(Panel::Race, false);
  ctx.view.SetShown(Panel::Fish, true);
  ShowFishCard(ctx);
}

void Win(GameContext& ctx) {
  GameState& s = ctx.s;
  ctx.snd.PlayCue2("victory.wav");
  s.RaceRunning = 0;
  const RaceClassInfo* info = RaceClassOf(s.RaceClass);
  TankArray<std::int32_t>* cups = s.CupsOfClass(s.RaceClass);
  if (cups && IsTankSlot(s.SelectedSlot)) {
    std::int32_t& cup = (*cups)[static_cast<std::size_t>(s.SelectedSlot)];
    cup = WrapAdd(cup, 1);
  }
  ctx.view.ShowMessage(info ? info->winMessage : "");
  ctx.snd.PlayCue0("coin.wav");
  const std::int32_t prize = RacePrize(s.RaceClass);
  ctx.view.ShowMessage("賞金" + n(prize) + "円ゲット!!");
  s.Money = WrapAdd(s.Money, prize);
  BackToTank(ctx);
}

void Lose(GameContext& ctx, int rival) {
  ctx.s.RaceRunning = 0;
  ctx.snd.PlayCue2("lose.wav");
  ctx.view.ShowMessage("優勝は > 『" + ctx.view.RunnerCaption(rival) + "』だった....");
  BackToTank(ctx);
}

// Every runner past the line in this step is handled, in runner order.
void Finish(GameContext& ctx) {
  for (int r = PlayerRunner; r <= LastRunner; ++r) {
    if (!HasFinished(ctx.view, r)) continue;
    if (r == PlayerRunner)
      Win(ctx);
    else
      Lose(ctx, r);
  }
}

// Spends one point of a figure of the racing fish; false when none is left.
bool Spend(GameContext& ctx, TankArray<std::int32_t>& figure) {
  const std::int32_t slot = ctx.s.SelectedSlot;
  if (!IsTankSlot(slot) || figure[static_cast<std::size_t>(slot)] <= 0) {
    if (IsTankSlot(slot)) figure[static_cast<std::size_t>(slot)] = 0;
    ctx.snd.PlayCue0("no.wav");
    return false;
  }
  --figure[static_cast<std::size_t>(slot)];
  return true;
}

} // namespace

void race_start_bClick(GameContext& ctx) {
  ctx.snd.PlayCue1("baku.wav");
  ctx.view.SetShown(Panel::RaceStartButton, false);
  ctx.s.RaceRunning = 1;
  ctx.snd.PlayMusic("race2.mid");
}

void StepRace(GameContext& ctx) {
  ShowRaceCard(ctx);
  Sprint(ctx);
  RunIn(ctx);
  Stamina(ctx);
  RivalCheering(ctx);
  Finish(ctx);
}

void Button12Click(GameContext& ctx) {
  if (!Spend(ctx, ctx.s.TankStrength)) return;
  ctx.snd.PlayCue1("ouen.wav");
  Push(ctx, PlayerRunner);
}

void Button16Click(GameContext& ctx) {
  if (!Spend(ctx, ctx.s.TankWits)) return;
  ctx.snd.PlayCue1("ouen2.wav");
  for (std::int32_t& speed : ctx.s.RivalSpeed) {
    if (ctx.rnd.Random(2) == 0) --speed;
    if (speed < 0) speed = 0;
  }
}

void Button11Click(GameContext& ctx) {
  if (ctx.s.RaceRunning == 1 || ctx.view.IsShown(Panel::RaceStartButton)) {
    ctx.snd.PlayCue0("no.wav");
    return;
  }
  ctx.view.SetShown(Panel::Race, false);
}

} // namespace ikea
