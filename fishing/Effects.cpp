#include "fishing/Effects.h"

#include <array>

#include "game/GameState.h"
#include "game/Random.h"
#include "game/Canvas.h"

namespace ikea {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kSprayPen{192, 192, 192};
constexpr Rgb kSparkPen{255, 255, 0};
constexpr Rgb kDamageRed{255, 0, 0};
constexpr Rgb kDamageOrange{255, 128, 0};

constexpr int kSprayDrops = 11;

// One spark of a shot, as multiples of the age a: offset (dx, dy) and the
// extra size s, which shrinks with t = 30 - a.
struct Spark {
  int dxNum, dxDiv;   // dx = dxNum * a / dxDiv (sign included)
  int dyNum, dyDiv;
  int sizeDiv, sizeAdd;  // s = t / sizeDiv + sizeAdd
};

// dx, dy written as (multiplier, divisor): "a div 2" is (1, 2), "-2a" is (-2, 1).
constexpr std::array<Spark, 9> kSparks{{
    {1, 1, 1, 1, 10, 0},
    {-1, 1, 2, 1, 10, 1},
    {-2, 1, -1, 2, 10, 0},
    {1, 1, -2, 1, 10, 0},
    {1, 2, -1, 3, 10, 1},
    {1, 2, 1, 1, 10, 1},
    {-1, 1, -1, 2, 10, 1},
    {-1, 3, 2, 1, 13, 0},
    {-2, 1, 3, 1, 15, 0},
}};

// "-(a div 2)" truncates before the sign is applied, as the table means.
int Scaled(int num, int div, int a) {
  int magnitude = (num < 0 ? -num : num) * a / div;
  return num < 0 ? -magnitude : magnitude;
}

void DrawSplash(Canvas& c, int a, int x, int y, int p) {
  c.SetBrushClear();
  c.SetPen(kWhite);
  int q = a + p + 10;
  c.Ellipse(x - q, y - q / 2, x + q, y + q / 2);
}

void DrawSpray(Canvas& c, RandomSource& rnd, int a, int x, int y) {
  c.SetBrush(kWhite);
  c.SetPen(kSprayPen);
  for (int drop = 0; drop < kSprayDrops; ++drop) {
    int u = rnd.Random(21) - 10;
    int w = rnd.Random(21) - 10;
    c.Ellipse(x - u - 1, y - w - 1 + a / 3, x - u + 1, y - w + 1 + a / 3);
  }
}

void DrawRipple(Canvas& c, int a, int x, int y) {
  c.SetBrushClear();
  c.SetPen(kWhite);
  int f = a / 3 + 2;
  c.Ellipse(x - f, y - f / 2, x + f, y + f / 2);
}

void DrawShot(Canvas& c, int a, int x, int y) {
  c.SetBrush(kWhite);
  c.SetPen(kSparkPen);
  int t = 30 - a;
  for (const Spark& sp : kSparks) {
    int dx = Scaled(sp.dxNum, sp.dxDiv, a);
    int dy = Scaled(sp.dyNum, sp.dyDiv, a);
    int size = t / sp.sizeDiv + sp.sizeAdd;
    c.Ellipse(x + dx - 1, y + dy - 1, x + dx + 1 + size, y + dy + 1 + size);
  }
  c.SetBrushClear();
  int g = a / 3 + 2;
  c.Ellipse(x - g, y, x + g, y + g / 2 + 2);
}

// The number wanders sideways and the entry keeps its new x.
void DrawDamageNumber(Canvas& c, RandomSource& rnd, GameState& s, int entry, int a) {
  c.SetBrushClear();
  Rgb colour = rnd.Random(2) == 0 ? kDamageRed : kDamageOrange;
  int p = s.EffectParam[entry];
  c.SetFont(colour, p / 5 + 11 - a / 5, true, false);
  s.EffectX[entry] = WrapSub(s.EffectX[entry], rnd.Random(3) - 1);
  c.TextOut(s.EffectX[entry], s.EffectY[entry] - a, n(p));
}

void DrawEffect(GameState& s, RandomSource& rnd, Canvas& c, int entry) {
  int a = s.EffectAge[entry];
  int x = s.EffectX[entry];
  int y = s.EffectY[entry];
  int p = s.EffectParam[entry];
  switch (s.EffectKind[entry]) {
    case kSplash: DrawSplash(c, a, x, y, p); break;
    case kSpray: DrawSpray(c, rnd, a, x, y); break;
    case kRipple: DrawRipple(c, a, x, y); break;
    case kShot: DrawShot(c, a, x, y); break;
    case kDamageNumber: DrawDamageNumber(c, rnd, s, entry, a); break;
    default: break;  // unknown kinds still age
  }
}

} // namespace

void SpawnEffect(GameState& s, RandomSource& rnd, std::int32_t kind, std::int32_t x,
                 std::int32_t y, std::int32_t param) {
  std::int32_t entry = s.EffectIndex + 1;
  if (entry >= kEffectRingSize || entry < 0) entry = 0;
  s.EffectIndex = entry;
  s.EffectX[entry] = x;
  s.EffectY[entry] = y;
  s.EffectParam[entry] = param != 0 ? param : rnd.Random(3) + 1;
  s.EffectAge[entry] = 1;
  s.EffectKind[entry] = kind;
}

void DrawAndAgeEffects(GameState& s, RandomSource& rnd, Canvas& canvas) {
  for (int entry = 0; entry < kEffectEntries; ++entry) {
    if (s.EffectAge[entry] < 1) continue;
    DrawEffect(s, rnd, canvas, entry);
    s.EffectAge[entry] += 1;
    if (s.EffectAge[entry] >= kEffectLifetime) s.EffectAge[entry] = 0;
  }
}

} // namespace ikea
