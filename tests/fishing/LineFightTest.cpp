#include <gtest/gtest.h>

#include <vector>

#include "fishing/Landing.h"
#include "fishing/LineFight.h"
#include "tests/fishing/FishingWorld.h"

namespace ikea::test {
namespace {

using Draws = std::vector<std::int32_t>;

class LineFight : public ::testing::Test, public FishingWorld {
protected:
  // One hooked tick without reeling and without the creature moving up.
  bool IdleStep() {
    rnd.Push(1);  // Random(2) != 0: no upward thrash
    return FightStep(ctx);
  }
  // One reeling tick that does not gain (hit points 21..50) and does not thrash.
  bool ReelStepWithoutGain() {
    rnd.Push({0, 1, 1});  // reel sound, Random(4) != 0, no thrash
    return FightStep(ctx);
  }
  // Draws of a landing at reel level 0 with one gained metre: reel sound,
  // creature drift, no thrash, then the species and a creature under 50 cm.
  void ScriptLanding(std::int32_t species) {
    rnd.Push({0, 0, 1});
    rnd.Push({species, 0, 0, 0, 0, 0});
  }
};

TEST_F(LineFight, neverReeledCreatureEscapesOnTheTenthTickAsTheTensionRunsOut) {
  Hook(30, 40, 50);
  const std::vector<int> expected{25, 21, 17, 14, 11, 8, 6, 4, 2};
  for (int tension : expected) {
    ASSERT_FALSE(IdleStep());
    EXPECT_EQ(s.LineTension, tension);
  }
  EXPECT_TRUE(IdleStep());
  EXPECT_EQ(s.Hooked, 0);
  EXPECT_EQ(s.FishingPhase, 0);
  EXPECT_EQ(view.messages.back(), "逃げられた....");
  EXPECT_EQ(s.Sardines, 4);
  EXPECT_EQ(s.Tries, 1);
}

TEST_F(LineFight, reelingAThirtyCentimetreCreatureBreaksAWeakLineOnTheSixthTick) {
  Hook(30, 40, 50);
  s.Reeling = 1;
  for (int tension : {88, 142, 191, 236, 277}) {
    ASSERT_FALSE(ReelStepWithoutGain());
    EXPECT_EQ(s.LineTension, tension);
  }
  rnd.Push({0, 1, 1, 2});  // sixth tick, then the line's damage Random(5) = 2
  EXPECT_TRUE(FightStep(ctx));
  EXPECT_EQ(s.LineWear, 7);
  EXPECT_EQ(snd.cues.back(), (RecordingSound::Cue{3, "lineout.wav"}));
  EXPECT_EQ(view.messageLine, "糸が切れてしまった....\r糸に 7のダメージ");
  EXPECT_EQ(s.Sardines, 4);
  EXPECT_EQ(s.Tries, 1);
  EXPECT_EQ(s.Hooked, 0);
}

TEST_F(LineFight, lineBreaksExactlyAtItsStrengthButNotOneBelow) {
  Hook(30, 40, 50, 312);  // slack: 312 - 33 = 279
  rnd.Push(1);
  EXPECT_FALSE(FightStep(ctx));
  EXPECT_EQ(s.LineTension, 279);

  Hook(30, 40, 50, 313);  // slack: 313 - 33 = 280
  rnd.Push({1, 0});
  EXPECT_TRUE(FightStep(ctx));
  EXPECT_EQ(view.messages.front(), "糸が切れてしまった....");
}

TEST_F(LineFight, reelingGainsNoLineAboveHundredHitPointsUntilShotDown) {
  Hook(30, 101, 50);
  s.Reeling = 1;
  s.LineStrength = 100000;
  for (int tick = 0; tick < 5; ++tick) {
    rnd.Push({0, 1});
    ASSERT_FALSE(FightStep(ctx));
  }
  EXPECT_EQ(s.LineOut, 50);
  EXPECT_EQ(rnd.Bounds(), (Draws{3, 2, 3, 2, 3, 2, 3, 2, 3, 2}));

  s.FishHP = 100;
  rnd.ClearBounds();
  rnd.Push({0, 0, 0, 1});  // sound, Random(5) = 0, drift, no thrash
  FightStep(ctx);
  EXPECT_EQ(s.LineOut, 49);
  EXPECT_EQ(rnd.Bounds(), (Draws{3, 5, 2, 2}));
}

TEST_F(LineFight, reelGainTestsDrawOnlyForTheHitPointBandTheCreatureIsIn) {
  struct Band { int hp; Draws draws; };
  for (const Band& band : {Band{101, {}}, Band{60, {5}}, Band{30, {4}}, Band{10, {3}}, Band{5, {}}}) {
    rnd = ScriptedRandom{};
    for (std::size_t i = 0; i < band.draws.size(); ++i) rnd.Push(1);
    s.FishHP = band.hp;
    s.LineOut = 50;
    EXPECT_EQ(ReelGains(s, rnd), band.hp <= 5) << band.hp;
    EXPECT_EQ(rnd.Bounds(), band.draws) << band.hp;
  }
}

TEST_F(LineFight, reelingStopsAtTwentyMetresForMidBandsAndTenForWeakCreaturesByReelLevel) {
  struct Case { int hp, reelLevel, lineOut; Draws draws; int endsAt; };
  const Case cases[] = {
      {60, 0, 21, {0}, 20},       {60, 3, 21, {0}, 19},       {60, 6, 21, {0, 1}, 18},
      {30, 0, 21, {0}, 20},       {30, 6, 21, {0, 1}, 18},    {10, 0, 11, {0}, 10},
      {10, 3, 11, {0}, 9},        {10, 6, 11, {0, 2}, 8},
  };
  for (const Case& c : cases) {
    rnd = ScriptedRandom{};
    s.FishHP = c.hp;
    s.ReelLevel = c.reelLevel;
    s.LineOut = c.lineOut;
    for (int v : c.draws) rnd.Push(v);
    ASSERT_TRUE(ReelGains(s, rnd));
    s.LineOut -= ReelGainMetres(c.reelLevel, rnd);
    EXPECT_EQ(s.LineOut, c.endsAt) << c.hp << " hp, reel " << c.reelLevel;
    rnd.Push(0);  // even a lucky draw gains no more at the floor
    EXPECT_FALSE(ReelGains(s, rnd)) << c.hp << " hp, reel " << c.reelLevel;
  }
}

TEST_F(LineFight, reelLevelsGainTheirExtraMetresOnlyOnTheirDraws) {
  struct Case { int level; Draws draws; int metres; };
  const Case cases[] = {
      {0, {}, 1},  {1, {0}, 2},  {1, {1}, 1},  {2, {0}, 2},  {2, {1}, 1},   {3, {}, 2},
      {4, {0}, 3}, {4, {2}, 2},  {5, {0}, 3},  {5, {1}, 2},  {6, {1}, 3},   {6, {0}, 2},
      {99, {2}, 3}, {100, {}, 1}, {-1, {}, 1},
  };
  for (const Case& c : cases) {
    rnd = ScriptedRandom{};
    for (int v : c.draws) rnd.Push(v);
    EXPECT_EQ(ReelGainMetres(c.level, rnd), c.metres) << "level " << c.level;
    EXPECT_EQ(rnd.Remaining(), 0u) << "level " << c.level;
  }
}

TEST_F(LineFight, lineWearsOneEveryThirtyFightTicks) {
  Hook(5, 10, 50, 1000000);
  s.LineStrength = 2000000;
  for (int tick = 1; tick <= 60; ++tick) {
    s.LineTension = 1000000;
    IdleStep();
    EXPECT_EQ(s.LineWear, tick / 30) << tick;
  }
}

TEST_F(LineFight, hugeSavedLineWearWrapsWithoutUndefinedBehaviour) {
  Hook(30, 40, 50);
  s.LineWear = INT32_MAX;
  s.Reeling = 1;
  rnd.Push({0, 1, 1});
  FightStep(ctx);  // the sanitizer build checks the sum
  EXPECT_EQ(s.Hooked, 0);  // the wrapped tension reads as an escape
}

TEST_F(LineFight, landingWhenTheLineOutFallsBelowZero) {
  Hook(30, 3, 0);
  s.Reeling = 1;
  s.Hour = 8;
  ScriptLanding(1);
  rnd.Push(0);  // jingle
  clock.AdvanceMs(65000);
  EXPECT_TRUE(FightStep(ctx));
  EXPECT_EQ(s.TankKind[0], 1);
  EXPECT_EQ(s.TankSize[0], 30);
  EXPECT_EQ(s.TankStrength[0], 3);  // サメ's base strength
  EXPECT_EQ(s.TankHunger[0], 100);
  EXPECT_EQ(s.TankTime[0], "0:01:05");
  EXPECT_EQ(view.messages.back(), "なんと 30cm.の『サメ』を釣り上げた!!");
  EXPECT_EQ(snd.cues, (std::vector<RecordingSound::Cue>{
                          {2, "maku.wav"}, {3, "get.wav"}, {4, "awa.wav"}}));
  EXPECT_EQ(s.Hour, 9);
  EXPECT_EQ(s.Sardines, 4);
  EXPECT_EQ(s.Tries, 1);
  EXPECT_EQ(s.LineOut, 0);
  EXPECT_EQ(s.FishingPhase, 0);
}

TEST_F(LineFight, landingFillsTheSlotDrawingSpeedStrengthWitsGutsInOrder) {
  Hook(120, 3, 0);
  s.Reeling = 1;
  s.TankName[0] = "ぽち";
  s.TankCups3[0] = 4;
  rnd.Push({0, 0, 1});
  rnd.Push({1, 2, 1, 2, 1, 0, 1});  // species, speed 2+1, strength 2, wits 1, guts 0, jingle
  FightStep(ctx);
  EXPECT_EQ(rnd.Bounds(), (Draws{3, 2, 2, 512, 3, 3, 3, 3, 3, 3}));
  EXPECT_EQ(s.TankSpeed[0], 3);
  EXPECT_EQ(s.TankStrength[0], 2 + 3);
  EXPECT_EQ(s.TankWits[0], 1 + 0);
  EXPECT_EQ(s.TankGuts[0], 0 + 0);
  EXPECT_EQ(s.TankCups3[0], 0);
  EXPECT_EQ(s.TankName[0], "ぽち");  // a name left from a sold creature stays
  EXPECT_EQ(snd.cues.back(), (RecordingSound::Cue{4, "awa2.wav"}));
}

TEST_F(LineFight, speciesIsDrawnAgainUntilItBitesAtTheHoursTimeOfDay) {
  s.Hour = 8;  // day
  Hook(30, 3, 0);
  s.Reeling = 1;
  rnd.Push({0, 0, 1});
  rnd.Push({0, 70, 3, 1, 0, 0, 0, 0, 0, 0});  // empty, empty, night species, then サメ
  FightStep(ctx);
  EXPECT_EQ(s.TankKind[0], 1);

  for (int hour = 0; hour < 24; ++hour)
    for (int species = 1; species <= 69; ++species)
      if (cat.Species(species).TimeClass == TimeClassOfHour(hour)) {
        rnd = ScriptedRandom{};
        rnd.Push(species);
        ASSERT_EQ(DrawSpecies(cat, rnd, TimeClassOfHour(hour)), species);
      }
}

TEST_F(LineFight, catchGoesToTheLowestEmptySlot) {
  FillSlots(0, 1);
  s.TankKind[3] = 2;
  Hook(30, 3, 0);
  s.Reeling = 1;
  ScriptLanding(1);
  rnd.Push(0);
  FightStep(ctx);
  EXPECT_EQ(s.TankKind[2], 1);
  EXPECT_EQ(s.TankKind[4], 0);
}

TEST_F(LineFight, hourTwentyThreeBecomesZeroAfterACatch) {
  s.Hour = 23;
  Hook(30, 3, 0);
  s.Reeling = 1;
  ScriptLanding(3);  // チュルホロ bites at night
  rnd.Push(2);
  FightStep(ctx);
  EXPECT_EQ(s.Hour, 0);
  EXPECT_EQ(snd.cues.back(), (RecordingSound::Cue{4, "orgol.wav"}));
}

TEST_F(LineFight, catchWhileTheRacePanelIsShownNeitherPlaysTheJingleNorAdvancesTheHour) {
  view.shown[Panel::Race] = true;
  Hook(30, 3, 0);
  s.Reeling = 1;
  ScriptLanding(1);
  FightStep(ctx);
  EXPECT_EQ(s.TankKind[0], 1);
  EXPECT_EQ(s.Hour, 8);
  EXPECT_EQ(snd.cues.back(), (RecordingSound::Cue{3, "get.wav"}));
  EXPECT_EQ(rnd.Remaining(), 0u);
}

TEST_F(LineFight, catchIsStoredBeforeItsMessageTypesAndTheHourAdvancesAfter) {
  Hook(30, 3, 0);
  s.Reeling = 1;
  ScriptLanding(1);
  rnd.Push(0);
  bool seen = false;
  view.onType = [&] {
    seen = true;
    EXPECT_EQ(s.TankKind[0], 1);
    EXPECT_EQ(s.Sardines, 4);
    EXPECT_EQ(s.Hooked, 0);
    EXPECT_EQ(s.Hour, 8);
  };
  FightStep(ctx);
  EXPECT_TRUE(seen);
  EXPECT_EQ(s.Hour, 9);
}

TEST_F(LineFight, hourFromAnEditedSaveOutsideTheDayStartsTheDayAnew) {
  s.Hour = 40;  // reads as night
  Hook(30, 3, 0);
  s.Reeling = 1;
  ScriptLanding(3);
  rnd.Push(0);
  FightStep(ctx);
  EXPECT_EQ(s.Hour, 0);
}

TEST_F(LineFight, landingWithoutAnyEmptySlotEndsLikeAnEscapeInsteadOfWritingPastTheTank) {
  FillSlots(0, kTankSlots - 1);
  Hook(30, 3, 0);
  s.Reeling = 1;
  rnd.Push({0, 0, 1});
  EXPECT_TRUE(FightStep(ctx));
  EXPECT_EQ(view.messages.back(), "逃げられた....");
  EXPECT_EQ(s.Tries, 1);
  EXPECT_EQ(s.Sardines, 4);
}

TEST_F(LineFight, landingWithEmptyCataloguesEndsInsteadOfDrawingForever) {
  cat = Catalogues{};
  Hook(30, 3, 0);
  s.Reeling = 1;
  rnd.Push({0, 0, 1});
  EXPECT_TRUE(FightStep(ctx));
  EXPECT_EQ(s.TankKind[0], 0);
  EXPECT_EQ(view.messages.back(), "逃げられた....");
}

TEST_F(LineFight, everyEndingWithACreatureUsesOneSardineAndCountsOneTry) {
  Hook(30, 40, 50, 2);  // escape
  rnd.Push(1);
  FightStep(ctx);
  Hook(30, 40, 50, 313);  // break
  rnd.Push({1, 0});
  FightStep(ctx);
  Hook(30, 3, 0);  // landing
  s.Reeling = 1;
  ScriptLanding(1);
  rnd.Push(0);
  FightStep(ctx);
  EXPECT_EQ(s.Sardines, 2);
  EXPECT_EQ(s.Tries, 3);
}

// The pull of the creature's hit points on the tension, HP div 2 + 10, stops
// at 50: one reeling tick that gains nothing, from 30 with a 5 cm creature.
TEST_F(LineFight, hitPointPullOnTheTensionIsCappedAtFifty) {
  struct Case { int hp, tension; };
  for (const Case c : {Case{60, 75}, Case{78, 83}, Case{80, 84}, Case{82, 84}, Case{101, 84}, Case{5000, 84}}) {
    Hook(5, c.hp, 50);
    s.Reeling = 1;
    rnd = ScriptedRandom{};
    rnd.Push(0);                  // reel sound
    if (c.hp <= 100) rnd.Push(1); // the band's gain draw: no gain
    rnd.Push(1);                  // no thrash
    ASSERT_FALSE(FightStep(ctx)) << c.hp;
    EXPECT_EQ(s.LineTension, c.tension) << c.hp;
    EXPECT_EQ(s.LineOut, 50) << c.hp;
  }
}

// When several endings hold in one tick the escape wins over the landing and
// the line break, and the landing over the break.
TEST(LineFightEndings, escapeComesBeforeLandingAndLandingBeforeTheLineBreak) {
  struct Case { const char* holds; int tension, lineOut, strength; const char* message; };
  const Case cases[] = {
      {"escape, landing", 2, -1, 280, "逃げられた...."},
      {"escape, break", 2, 50, 0, "逃げられた...."},
      {"escape, landing, break", 2, -1, 0, "逃げられた...."},
      {"landing, break", 30, -1, 25, "なんと 30cm.の『サメ』を釣り上げた!!"},
  };
  for (const Case& c : cases) {
    FishingWorld w;
    w.Hook(30, 40, c.lineOut, c.tension);  // slack leaves 0 from 2, 25 from 30
    w.s.LineStrength = c.strength;
    w.rnd.Push({1, 1, 0, 0, 0, 0, 0, 0});  // no thrash, then a landing's draws
    EXPECT_TRUE(FightStep(w.ctx)) << c.holds;
    ASSERT_FALSE(w.view.messages.empty()) << c.holds;
    EXPECT_EQ(w.view.messages.front(), c.message) << c.holds;
    EXPECT_EQ(w.s.LineWear, 0) << c.holds;  // a break would have worn the line
  }
}

} // namespace
} // namespace ikea::test
