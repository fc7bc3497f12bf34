#include "fishing/Pond.h"

#include <algorithm>
#include <limits>

#include "fishing/Effects.h"
#include "fishing/PondRules.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/Canvas.h"

namespace ikea {
namespace {

constexpr Rgb kCreaturePen{0, 128, 192};
constexpr Rgb kCreatureBrush{0, 64, 128};
constexpr Rgb kFloatPen{255, 0, 0};
constexpr Rgb kFloatBrush{128, 0, 0};

// Overlay colours on even and odd ticks.
struct Blink {
  Rgb even, odd;
  Rgb of(bool e) const { return e ? even : odd; }
};
constexpr Blink kLineOutColour{{255, 0, 255}, {189, 0, 189}};
constexpr Blink kHitPointColour{{255, 0, 0}, {255, 128, 0}};
constexpr Blink kClockColour{{255, 0, 255}, {189, 0, 189}};

constexpr int kBarRight = 290;
constexpr int kFramesPerSet = 6;
constexpr int kTicksPerFrame = 3;

// Left edge of a bar that grows leftward by 2 pixels per unit; kept in int
// range whatever the value.
int BarLeft(std::int32_t value) {
  std::int64_t left = kBarRight - 2 * static_cast<std::int64_t>(value);
  return static_cast<int>(std::clamp<std::int64_t>(left, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

void DrawBackground(const GameState& s, Canvas& canvas) {
  std::string frame = PondFrameName(s.Hour, s.TickCount);
  if (!frame.empty()) canvas.DrawPicture(frame, 0, 0);
}

void DrawHookedCreature(const GameState& s, Canvas& canvas) {
  int v = s.FishSize / 10 + 2;
  canvas.SetPen(kCreaturePen);
  canvas.SetBrush(kCreatureBrush);
  canvas.Ellipse(s.FishX - v, s.FishY - v / 3, s.FishX + v, s.FishY + v / 3);
}

void DrawFloat(GameContext& ctx, Canvas& canvas) {
  const GameState& s = ctx.s;
  canvas.SetPen(kFloatPen);
  canvas.SetBrush(kFloatBrush);
  int bob = ctx.rnd.Random(2);
  canvas.Ellipse(s.FloatX - 2, s.FloatY - 2 + bob, s.FloatX + 2, s.FloatY + 2 + bob);
}

void ResetPenAndBrush(Canvas& canvas) {
  canvas.SetPenWidth(1);
  canvas.SetBrushSolid();
}

void DrawFightOverlay(GameContext& ctx, Canvas& canvas) {
  const GameState& s = ctx.s;
  bool e = s.TickCount % 2 == 0;

  canvas.SetPen(kLineOutColour.of(e));
  canvas.SetBrush(kLineOutColour.of(e));
  canvas.Rectangle(BarLeft(s.LineOut), 190, kBarRight, 195);

  canvas.SetPen(kHitPointColour.of(e));
  canvas.SetBrush(kHitPointColour.of(e));
  canvas.Rectangle(BarLeft(s.FishHP), 180, kBarRight, 185);

  canvas.SetBrushClear();
  canvas.SetFont(kHitPointColour.of(e), 9, true, true);
  canvas.TextOut(240, 165, "HP > " + n(s.FishHP));

  canvas.SetFont(kClockColour.of(e), 13, true, true);
  canvas.TextOut(10, 10, TimeText(ctx.clock.Now() - s.FightStart));
}

} // namespace

std::string PondFrameName(std::int32_t hour, std::int32_t tickCount) {
  char set = 0;
  if ((hour >= 0 && hour <= 4) || (hour >= 20 && hour <= 24)) set = 'n';
  else if ((hour >= 5 && hour <= 7) || (hour >= 17 && hour <= 19)) set = 'y';
  else if (hour >= 8 && hour <= 16) set = 'h';
  if (set == 0) return {};
  int cycle = kFramesPerSet * kTicksPerFrame;
  int frame = ((tickCount % cycle + cycle) % cycle) / kTicksPerFrame;
  return {set, static_cast<char>('1' + frame)};
}

void DrawPond(GameContext& ctx, Canvas& canvas) {
  GameState& s = ctx.s;
  DrawBackground(s, canvas);
  if (s.Hooked == 1) DrawHookedCreature(s, canvas);
  DrawAndAgeEffects(s, ctx.rnd, canvas);
  ResetPenAndBrush(canvas);

  switch (s.FishingPhase) {
    case 2:
      DrawFloat(ctx, canvas);
      BiteRule(ctx);
      break;
    case 3:
      MoveHookedCreature(ctx);
      break;
    default:
      break;
  }

  // Read again: the bite of this very tick already shows the overlay.
  if (s.Hooked == 1) DrawFightOverlay(ctx, canvas);
  ResetPenAndBrush(canvas);
}

} // namespace ikea
