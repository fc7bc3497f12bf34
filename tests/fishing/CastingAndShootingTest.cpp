#include <gtest/gtest.h>

#include <vector>

#include "fishing/Casting.h"
#include "tests/fishing/FishingWorld.h"

namespace ikea::test {
namespace {

using Draws = std::vector<std::int32_t>;
using Cues = std::vector<RecordingSound::Cue>;

class Casting : public ::testing::Test, public FishingWorld {
protected:
  // A cast at (x, y) with the float landing on the point itself.
  void CastAt(int x, int y) {
    s.FishingPhase = 1;
    rnd.Push({15, 15, 0});  // x and y spread, splash size
    rnd.SetFallback(0);     // hunger: 2 per slot
    cgMouseDown(ctx, x, y);
  }
};

TEST_F(Casting, castButtonWithoutSardinesRefusesBeforeLookingAtTheTank) {
  s.Sardines = 0;
  FillSlots(0, 15);
  sao_bClick(ctx);
  EXPECT_EQ(view.messages, (std::vector<Text>{"にぼしがありません"}));
  EXPECT_EQ(snd.cues, (Cues{{0, "no.wav"}}));
  EXPECT_EQ(s.FishingPhase, 0);
}

TEST_F(Casting, castButtonNeedsAFreeSlotAmongTheSixteenShown) {
  FillSlots(0, 15);  // slots 16 and above are free but never count
  view.shown[Panel::Shop] = true;
  sao_bClick(ctx);
  EXPECT_EQ(view.messages, (std::vector<Text>{"水槽に空きがありません"}));
  EXPECT_EQ(snd.cues, (Cues{{0, "no.wav"}}));
  EXPECT_EQ(s.FishingPhase, 0);
  EXPECT_TRUE(view.IsShown(Panel::Shop));

  s.TankKind[15] = 0;
  sao_bClick(ctx);
  EXPECT_EQ(s.FishingPhase, 1);
}

TEST_F(Casting, castButtonAcceptedStartsPointChoosingAndClosesThePanels) {
  view.shown[Panel::Shop] = view.shown[Panel::Fish] = view.shown[Panel::Help] = true;
  sao_bClick(ctx);
  EXPECT_EQ(s.FishingPhase, 1);
  EXPECT_EQ(snd.cues, (Cues{{0, "1.wav"}}));
  EXPECT_EQ(view.messages.back(), "画面をクリックして、ポイントを指定してください");
  EXPECT_FALSE(view.IsShown(Panel::Shop));
  EXPECT_FALSE(view.IsShown(Panel::Fish));
  EXPECT_FALSE(view.IsShown(Panel::Help));
}

TEST_F(Casting, castButtonClickArrivingDuringAFightIsIgnored) {
  Hook(30, 40, 50);
  sao_bClick(ctx);
  EXPECT_EQ(s.FishingPhase, 3);
  EXPECT_TRUE(snd.cues.empty());
}

TEST_F(Casting, castClampsTheClickedYToFortyThroughOneEightyButNotX) {
  CastAt(5, 10);
  EXPECT_EQ(s.FloatY, 40);
  EXPECT_EQ(s.FloatX, 5);
  CastAt(400, 199);
  EXPECT_EQ(s.FloatY, 180);
  EXPECT_EQ(s.FloatX, 400);
}

TEST_F(Casting, castSpreadsTheFloatUpToFifteenPixelsAroundThePoint) {
  s.FishingPhase = 1;
  rnd.Push({0, 29, 0});
  rnd.SetFallback(0);
  cgMouseDown(ctx, 0, 180);
  EXPECT_EQ(s.FloatX, -15);
  EXPECT_EQ(s.FloatY, 194);
  EXPECT_EQ(s.FishingPhase, 2);
}

TEST_F(Casting, castSplashesPlaysTheFloatSoundAndSaysSo) {
  CastAt(100, 100);
  EXPECT_EQ(snd.cues, (Cues{{2, "ukiwa.wav"}}));
  EXPECT_EQ(s.EffectKind[1], 0);
  EXPECT_EQ(s.EffectX[1], 100);
  EXPECT_EQ(s.EffectY[1], 100);
  EXPECT_EQ(view.messages.back(), "竿を投げた!!");
}

TEST_F(Casting, castMakesSlotsZeroToNinetyNineHungryAfterTheMessage) {
  s.TankHunger[0] = 50;
  s.TankHunger[99] = 50;
  s.TankHunger[100] = 50;
  view.onType = [&] { EXPECT_EQ(s.TankHunger[0], 50); };
  s.FishingPhase = 1;
  rnd.Push({15, 15, 0, 9});  // slot 0 loses 11
  rnd.SetFallback(0);
  cgMouseDown(ctx, 100, 100);
  EXPECT_EQ(s.TankHunger[0], 39);
  EXPECT_EQ(s.TankHunger[99], 48);
  EXPECT_EQ(s.TankHunger[100], 50);
  EXPECT_EQ(rnd.Bounds().size(), 3u + 100u);
}

TEST_F(Casting, starvingCreatureLosesOneStrengthPerCastDownToZero) {
  s.TankHunger[4] = 0;
  s.TankStrength[4] = 2;
  s.TankHunger[5] = 5;  // 3, then 1, then below 0 on the third cast
  s.TankStrength[5] = 7;
  for (int cast = 0; cast < 3; ++cast) CastAt(100, 100);
  EXPECT_EQ(s.TankHunger[4], 0);
  EXPECT_EQ(s.TankStrength[4], 0);
  EXPECT_EQ(s.TankHunger[5], 0);
  EXPECT_EQ(s.TankStrength[5], 6);
}

TEST_F(Casting, hungerFromAnEditedSaveNearTheIntegerLimitStillFloorsAtZero) {
  s.TankHunger[0] = INT32_MIN;
  s.TankStrength[0] = 3;
  CastAt(100, 100);
  EXPECT_EQ(s.TankHunger[0], 0);
  EXPECT_EQ(s.TankStrength[0], 2);
}

class Shooting : public ::testing::Test, public FishingWorld {
protected:
  Shooting() {
    Hook(30, 50, 40);
    s.FishX = 100;
    s.FishY = 100;
  }
  bool ShotHits(int x, int y) {
    std::int32_t before = s.FishHP;
    rnd = ScriptedRandom{};
    rnd.SetFallback(0);
    cgMouseDown(ctx, x, y);
    return s.FishHP != before;
  }
};

TEST_F(Shooting, shotTenPixelsOffOnAnySideMissesAndNineOffOnBothAxesHits) {
  EXPECT_FALSE(ShotHits(90, 100));
  EXPECT_FALSE(ShotHits(110, 100));
  EXPECT_FALSE(ShotHits(100, 90));
  EXPECT_FALSE(ShotHits(100, 110));
  EXPECT_TRUE(ShotHits(91, 91));
  EXPECT_TRUE(ShotHits(109, 109));
  EXPECT_TRUE(ShotHits(91, 109));
  EXPECT_EQ(s.Bullets, 13);
}

TEST_F(Shooting, hitDealsGunLevelDamageAndFloatsTheNumberDrawingYBeforeX) {
  s.GunLevel = 3;
  rnd.Push({2, 1, 2, 5, 80});  // flash size, gun on channel 2, damage 2, y 5, x 80
  cgMouseDown(ctx, 100, 100);
  EXPECT_EQ(rnd.Bounds(), (Draws{3, 2, 3, 20, 81}));
  EXPECT_EQ(s.FishHP, 50 - 9);
  EXPECT_EQ(snd.cues, (Cues{{2, "gun.wav"}, {3, "damage.wav"}}));
  EXPECT_EQ(s.EffectKind[1], 3);
  EXPECT_EQ(s.EffectKind[2], 4);
  EXPECT_EQ(s.EffectParam[2], 9);
  EXPECT_EQ(s.EffectY[2], 100 - 10 - 5);
  EXPECT_EQ(s.EffectX[2], 80 + 100 - 40);
}

TEST_F(Shooting, hitPointsNeverGoBelowZero) {
  s.FishHP = 3;
  EXPECT_TRUE(ShotHits(100, 100));
  EXPECT_EQ(s.FishHP, 0);
}

TEST_F(Shooting, shotAtACreatureWithNoHitPointsLeftSpendsTheBulletOnly) {
  s.FishHP = 0;
  rnd.SetFallback(0);
  cgMouseDown(ctx, 100, 100);
  EXPECT_EQ(s.Bullets, 19);
  EXPECT_EQ(snd.cues, (Cues{{1, "gun.wav"}}));
  EXPECT_EQ(s.EffectAge[2], 0);  // no damage number
}

TEST_F(Shooting, shotWithNothingHookedSpendsABulletWithFlashAndSound) {
  s.Hooked = 0;
  s.FishingPhase = 2;
  rnd.SetFallback(1);
  cgMouseDown(ctx, 100, 100);
  EXPECT_EQ(s.Bullets, 19);
  EXPECT_EQ(s.FishHP, 50);
  EXPECT_EQ(snd.cues, (Cues{{2, "gun.wav"}}));
  EXPECT_EQ(s.EffectKind[1], 3);
}

TEST_F(Shooting, noBulletsMeansAClickDoesNothingAtAll) {
  s.Bullets = 0;
  cgMouseDown(ctx, 100, 100);
  s.FishingPhase = 2;
  cgMouseDown(ctx, 100, 100);
  EXPECT_TRUE(rnd.Bounds().empty());
  EXPECT_TRUE(snd.cues.empty());
  EXPECT_EQ(s.EffectAge, decltype(s.EffectAge){});
  EXPECT_EQ(s.Bullets, 0);
}

TEST_F(Shooting, pointerFarOffThePictureCannotOverflowTheHitTestOrTheNumber) {
  rnd.SetFallback(0);
  cgMouseDown(ctx, INT32_MIN, INT32_MAX);
  EXPECT_EQ(s.Bullets, 19);
  EXPECT_EQ(s.FishHP, 50);
}

TEST_F(Shooting, reelButtonWithNothingHookedRipplesAtTheFloat) {
  s.Hooked = 0;
  s.FloatX = 70;
  s.FloatY = 120;
  rnd.Push(0);
  maku_bMouseDown(ctx);
  EXPECT_EQ(s.Reeling, 1);
  EXPECT_EQ(s.EffectKind[1], 2);
  EXPECT_EQ(s.EffectX[1], 70);
  maku_bMouseUp(ctx);
  EXPECT_EQ(s.Reeling, 0);

  s.Hooked = 1;
  maku_bMouseDown(ctx);
  EXPECT_EQ(s.EffectIndex, 1);  // no ripple while hooked
}

} // namespace
} // namespace ikea::test
