#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fishing/Effects.h"
#include "fishing/Pond.h"
#include "fishing/PondRules.h"
#include "tests/fishing/FishingWorld.h"

namespace ikea::test {
namespace {

using Calls = std::vector<std::string>;

class Pond : public ::testing::Test, public FishingWorld {
protected:
  RecordingCanvas canvas;

  // Draws the ring once and returns what the effects drew.
  Calls DrawEffectsOnce() {
    canvas.calls.clear();
    DrawAndAgeEffects(s, rnd, canvas);
    return canvas.calls;
  }
  void PlaceEffect(int entry, int kind, int age, int x, int y, int param) {
    s.EffectKind[entry] = kind;
    s.EffectAge[entry] = age;
    s.EffectX[entry] = x;
    s.EffectY[entry] = y;
    s.EffectParam[entry] = param;
  }
  // Bite draws with every splash at its nearest: the caller gives the size
  // range draw and what follows.
  void ScriptBite(std::initializer_list<std::int32_t> sizeAndAfter) {
    rnd.Push({0, 0, 0, 0, 0, 0, 0});  // bite, two splashes of y, x and size
    rnd.Push(sizeAndAfter);
  }
};

TEST_F(Pond, spawnsFillEntriesOneToNinetyEightThenZeroAndNeverNinetyNine) {
  rnd.SetFallback(0);
  std::vector<int> entries;
  for (int spawn = 0; spawn < 200; ++spawn) {
    SpawnEffect(s, rnd, kRipple, 0, 0, 0);
    entries.push_back(s.EffectIndex);
  }
  EXPECT_EQ(entries[0], 1);
  EXPECT_EQ(entries[97], 98);
  EXPECT_EQ(entries[98], 0);
  EXPECT_EQ(entries[99], 1);
  EXPECT_EQ(std::count(entries.begin(), entries.end(), 99), 0);
  EXPECT_EQ(s.EffectAge[99], 0);
  EXPECT_EQ(std::count(s.EffectAge.begin(), s.EffectAge.end(), 1), 99);
}

TEST_F(Pond, spawnWithParameterZeroPicksOneToThreeSoASplashStartsTwelveToFourteenWide) {
  for (int draw : {0, 2}) {
    rnd.Push(draw);
    SpawnEffect(s, rnd, kSplash, 100, 100, 0);
    EXPECT_EQ(s.EffectParam[s.EffectIndex], draw + 1);
  }
  Calls calls = DrawEffectsOnce();
  EXPECT_EQ(calls, (Calls{"brush clear", "pen 255,255,255 1", "ellipse 88 94 112 106",
                          "brush clear", "pen 255,255,255 1", "ellipse 86 93 114 107"}));
  SpawnEffect(s, rnd, kDamageNumber, 0, 0, 7);
  EXPECT_EQ(s.EffectParam[s.EffectIndex], 7);
}

TEST_F(Pond, effectIsDrawnAtAgesOneToTwentyNineAndThenFreed) {
  PlaceEffect(0, kRipple, 1, 50, 50, 1);
  int drawings = 0;
  for (int tick = 0; tick < 40; ++tick) drawings += DrawEffectsOnce().empty() ? 0 : 1;
  EXPECT_EQ(drawings, 29);
  EXPECT_EQ(s.EffectAge[0], 0);
}

TEST_F(Pond, damageNumberOfTwentyStartsAtFontFifteenAndEndsAtTenWanderingSideways) {
  PlaceEffect(0, kDamageNumber, 1, 100, 80, 20);
  rnd.Push({0, 2});  // red, x -= 1
  EXPECT_EQ(DrawEffectsOnce(), (Calls{"brush clear", "font 255,0,0 15 bold", "text 99 79 20"}));
  EXPECT_EQ(s.EffectX[0], 99);
  s.EffectAge[0] = 29;
  rnd.Push({1, 0});  // orange, x += 1
  EXPECT_EQ(DrawEffectsOnce(), (Calls{"brush clear", "font 255,128,0 10 bold", "text 100 51 20"}));
  EXPECT_EQ(s.EffectAge[0], 0);
}

TEST_F(Pond, sprayScattersElevenDropsSinkingAThirdOfAPixelPerTick) {
  PlaceEffect(0, kSpray, 6, 100, 100, 1);
  rnd.SetFallback(20);  // u = w = 10
  Calls calls = DrawEffectsOnce();
  ASSERT_EQ(calls.size(), 2u + 11u);
  EXPECT_EQ(calls[0], "brush 255,255,255");
  EXPECT_EQ(calls[1], "pen 192,192,192 1");
  EXPECT_EQ(calls[2], "ellipse 89 91 91 93");
  EXPECT_EQ(rnd.Bounds().size(), 22u);
}

TEST_F(Pond, shotSparksFlyApartAndShrinkByTheirTable) {
  PlaceEffect(0, kShot, 6, 100, 100, 1);  // t = 24
  EXPECT_EQ(DrawEffectsOnce(), (Calls{
      "brush 255,255,255", "pen 255,255,0 1",
      "ellipse 105 105 109 109",   // ( a,    a),    s = 2
      "ellipse 93 111 98 116",     // (-a,   2a),    s = 3
      "ellipse 87 96 91 100",      // (-2a, -a/2),   s = 2
      "ellipse 105 87 109 91",     // ( a,  -2a),    s = 2
      "ellipse 102 97 107 102",    // ( a/2, -a/3),  s = 3
      "ellipse 102 105 107 110",   // ( a/2,  a),    s = 3
      "ellipse 93 96 98 101",      // (-a,  -a/2),   s = 3
      "ellipse 97 111 100 114",    // (-a/3, 2a),    s = 1
      "ellipse 87 117 90 120",     // (-2a,  3a),    s = 1
      "brush clear", "ellipse 96 100 104 104"}));
}

TEST_F(Pond, unknownEffectKindDrawsNothingButStillAges) {
  PlaceEffect(3, 9, 5, 0, 0, 1);
  EXPECT_TRUE(DrawEffectsOnce().empty());
  EXPECT_EQ(s.EffectAge[3], 6);
}

TEST_F(Pond, backgroundFrameFollowsTheHourAndChangesEveryThreeTicks) {
  EXPECT_EQ(PondFrameName(0, 0), "n1");
  EXPECT_EQ(PondFrameName(4, 3), "n2");
  EXPECT_EQ(PondFrameName(5, 17), "y6");
  EXPECT_EQ(PondFrameName(8, 18), "h1");
  EXPECT_EQ(PondFrameName(16, 999), "h4");  // 999 mod 18 = 9
  EXPECT_EQ(PondFrameName(19, 6), "y3");
  EXPECT_EQ(PondFrameName(24, 0), "n1");
  EXPECT_EQ(PondFrameName(25, 0), "");
  EXPECT_EQ(PondFrameName(-1, 0), "");
}

TEST_F(Pond, hookedPondDrawsBackgroundCreatureEffectsThenTheFightOverlay) {
  Hook(30, 40, 20);
  s.TickCount = 2;
  s.FishX = 100;
  s.FishY = 100;
  clock.AdvanceMs(5000);
  rnd.Push({1, 1, 7, 3});  // no splash or spray, step 0 on both axes
  DrawPond(ctx, canvas);
  EXPECT_EQ(canvas.calls, (Calls{
      "picture h1 0 0",
      "pen 0,128,192 1", "brush 0,64,128", "ellipse 95 99 105 101",
      "penwidth 1", "brush solid",
      "pen 255,0,255 1", "brush 255,0,255", "rect 250 190 290 195",
      "pen 255,0,0 1", "brush 255,0,0", "rect 210 180 290 185",
      "brush clear", "font 255,0,0 9 bold italic", "text 240 165 HP > 40",
      "font 255,0,255 13 bold italic", "text 10 10 0:00:05",
      "penwidth 1", "brush solid"}));
}

TEST_F(Pond, fightOverlayBlinksOnOddTicksAndEmptyBarsHaveNoWidth) {
  Hook(30, 0, 0);
  s.TickCount = 1;
  rnd.SetFallback(1);
  DrawPond(ctx, canvas);
  const Calls& c = canvas.calls;
  EXPECT_NE(std::find(c.begin(), c.end(), "rect 290 190 290 195"), c.end());
  EXPECT_NE(std::find(c.begin(), c.end(), "rect 290 180 290 185"), c.end());
  EXPECT_NE(std::find(c.begin(), c.end(), "brush 189,0,189"), c.end());
  EXPECT_NE(std::find(c.begin(), c.end(), "font 255,128,0 9 bold italic"), c.end());
}

TEST_F(Pond, floatBobsByOnePixelAndBitesWithOneChanceInAHundred) {
  s.FishingPhase = 2;
  s.FloatX = 60;
  s.FloatY = 120;
  rnd.Push({1, 1});  // bob down, no bite
  DrawPond(ctx, canvas);
  EXPECT_EQ(canvas.calls[3], "pen 255,0,0 1");
  EXPECT_EQ(canvas.calls[4], "brush 128,0,0");
  EXPECT_EQ(canvas.calls[5], "ellipse 58 119 62 123");
  EXPECT_EQ(rnd.Bounds(), (std::vector<std::int32_t>{2, 100}));
  EXPECT_EQ(s.FishingPhase, 2);
}

TEST_F(Pond, biteHooksTheCreatureAtTheFloatWithSizeHitPointsAndLineOut) {
  s.FishingPhase = 2;
  s.Reeling = 1;
  s.FloatX = 100;
  s.FloatY = 100;
  s.Hour = 8;
  rnd.Push({0, 1, 3, 0, 2, 4, 1});  // bite, splash (y 1, x 3), splash (y 2, x 4)
  rnd.Push({40, 4, 10, 7});             // size 40 + 5 + 4, hit points 10 + 49, line out
  BiteRule(ctx);
  EXPECT_EQ(s.FishingPhase, 3);
  EXPECT_EQ(s.Hooked, 1);
  EXPECT_EQ(s.Reeling, 0);
  EXPECT_EQ(view.messages.back(), "ヒット!!");
  EXPECT_EQ(snd.cues.back(), (RecordingSound::Cue{1, "hit.wav"}));
  EXPECT_EQ(s.FightStart, clock.Now());
  EXPECT_EQ(s.EffectX[1], 103);
  EXPECT_EQ(s.EffectY[1], 101);
  EXPECT_EQ(s.EffectX[2], 96);
  EXPECT_EQ(s.EffectY[2], 98);
  EXPECT_EQ(s.FishX, 100);
  EXPECT_EQ(s.FishY, 100);
  EXPECT_EQ(s.FishSize, 49);
  EXPECT_EQ(s.FishHP, 59);
  EXPECT_EQ(s.LineTension, 30);
  EXPECT_EQ(s.FightTicks, 0);
  EXPECT_EQ(s.LineOut, 7 + 9 + 24 + 10);
  EXPECT_EQ(rnd.Bounds(), (std::vector<std::int32_t>{100, 2, 5, 3, 3, 5, 3, 90, 5, 49, 10}));
}

TEST_F(Pond, biteAtYOneNinetyOrMoreHasNoSizeRangeExceptAtDawnAndDusk) {
  struct Case { int hour; std::int32_t range; };
  for (Case c : {Case{8, 0}, Case{0, 0}, Case{6, 50}, Case{18, 25}}) {
    rnd = ScriptedRandom{};
    s.FishingPhase = 2;
    s.FloatY = 192;
    s.Hour = c.hour;
    ScriptBite({});
    if (c.range > 0) rnd.Push(c.range - 1);
    rnd.Push({4, 0, 0});
    BiteRule(ctx);
    EXPECT_EQ(rnd.Bounds()[7], c.range) << c.hour;
    EXPECT_EQ(s.FishSize, 5 + (c.range > 0 ? c.range - 1 : 0) + 4) << c.hour;
    EXPECT_EQ(s.LineOut, 0 + 1 + s.FishSize / 2 + 10) << c.hour;  // d raised to 10
  }
}

TEST_F(Pond, hookedCreatureWandersWithinThePondAndStirsTheWater) {
  Hook(30, 40, 20);
  s.FishX = 299;
  s.FishY = 51;
  s.TickCount = 20;
  rnd.Push({5, 0, 5, 0, 0, 14, 0});  // splash, spray, ripple (every 20th tick), step (+7, -3)
  MoveHookedCreature(ctx);
  EXPECT_EQ(s.EffectKind[1], kSplash);
  EXPECT_EQ(s.EffectKind[2], kSpray);
  EXPECT_EQ(s.EffectKind[3], kRipple);
  EXPECT_EQ(s.FishX, 300);
  EXPECT_EQ(s.FishY, 50);
  EXPECT_EQ(rnd.Bounds(), (std::vector<std::int32_t>{200, 3, 100, 3, 3, 15, 8}));
}

} // namespace
} // namespace ikea::test
