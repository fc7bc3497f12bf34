#include <gtest/gtest.h>

#include <algorithm>

#include "fishing/Tick.h"
#include "tests/fishing/FishingWorld.h"

namespace ikea::test {
namespace {

class Tick : public ::testing::Test, public FishingWorld {
protected:
  int raceSteps = 0;
  StepRaceFn stepRace = [this] { ++raceSteps; };

  bool Drew(const std::string& call) const {
    const auto& calls = view.canvas.calls;
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
};

TEST_F(Tick, timerRunsATickOnlyWhenStrictlyPastTheNextTickTime) {
  rnd.SetFallback(1);
  const double start = clock.Now();
  Timer1Timer(ctx, stepRace);  // NextTickAt starts at 0: the first event ticks
  EXPECT_EQ(s.TickCount, 1);
  clock.Set(start + 50 * kOneMillisecond);
  Timer1Timer(ctx, stepRace);
  clock.Set(start + 100 * kOneMillisecond);  // exactly 100 ms later: not yet
  Timer1Timer(ctx, stepRace);
  EXPECT_EQ(s.TickCount, 1);
  clock.Set(start + 101 * kOneMillisecond);
  Timer1Timer(ctx, stepRace);
  EXPECT_EQ(s.TickCount, 2);
}

TEST_F(Tick, timerRefreshesTheStatusOnEveryEventTickOrNot) {
  rnd.SetFallback(1);
  s.NextTickAt = clock.Now() + 1.0;
  s.Money = 1234;
  StatusTexts status = Timer1Timer(ctx, stepRace);
  EXPECT_EQ(s.TickCount, 0);
  EXPECT_EQ(status.state_l3, "お金:1234円");
}

TEST_F(Tick, tickCountWrapsAfterNineHundredNinetyNineAndTheAnimationJumps) {
  rnd.SetFallback(1);
  s.TickCount = 998;
  GameTick(ctx, stepRace);
  EXPECT_EQ(s.TickCount, 999);
  EXPECT_EQ(view.canvas.calls.front(), "picture h4 0 0");
  view.canvas.calls.clear();
  GameTick(ctx, stepRace);
  EXPECT_EQ(s.TickCount, 0);
  EXPECT_EQ(view.canvas.calls.front(), "picture h1 0 0");
}

TEST_F(Tick, hookedTickShowsTheFightTimeInTheCaption) {
  rnd.SetFallback(1);
  Hook(30, 200, 50, 100);
  clock.AdvanceMs(3723000);
  GameTick(ctx, stepRace);
  EXPECT_EQ(view.caption, "1:02:03");
}

TEST_F(Tick, reelingInWithNothingOnTheLineEndsPastYOneEightyWithoutUsingASardine) {
  s.FishingPhase = 2;
  s.Reeling = 1;
  s.FloatY = 178;
  rnd.Push({4, 1});  // drift 4, reel sound on channel 3
  GameTick(ctx, stepRace);
  EXPECT_EQ(s.FloatY, 180);
  EXPECT_EQ(s.FishingPhase, 0);
  EXPECT_EQ(s.Reeling, 0);
  EXPECT_EQ(view.messages.back(), "何も釣れなかった....");
  EXPECT_EQ(s.Sardines, 5);
  EXPECT_EQ(s.Tries, 0);
  EXPECT_TRUE(view.canvas.calls.empty());  // no pond step on an ending
  EXPECT_EQ(snd.cues.back(), (RecordingSound::Cue{3, "maku.wav"}));
}

TEST_F(Tick, reelingInEmptyRipplesEveryTenthTickAndGoesOnUpToYOneEighty) {
  s.FishingPhase = 2;
  s.Reeling = 1;
  s.FloatY = 176;
  s.TickCount = 9;
  rnd.Push({4, 2, 2});  // drift 4, ripple size, sound on channel 1
  rnd.SetFallback(1);    // the pond step: no bite
  GameTick(ctx, stepRace);
  EXPECT_EQ(s.FloatY, 180);
  EXPECT_EQ(s.FishingPhase, 2);
  EXPECT_EQ(s.EffectKind[1], 2);
  EXPECT_EQ(s.EffectParam[1], 3);
  EXPECT_EQ(snd.cues.front(), (RecordingSound::Cue{1, "maku.wav"}));
  EXPECT_TRUE(Drew("picture h4 0 0"));
}

TEST_F(Tick, endingTickDrawsNoPondAndAgesNoEffect) {
  Hook(30, 40, 50, 2);
  s.EffectAge[5] = 3;
  rnd.Push(1);
  GameTick(ctx, stepRace);
  EXPECT_EQ(s.Hooked, 0);
  EXPECT_TRUE(view.canvas.calls.empty());
  EXPECT_EQ(s.EffectAge[5], 3);
}

TEST_F(Tick, raceStepsOnlyWhileItsPanelIsShownAndARaceRuns) {
  rnd.SetFallback(1);
  std::size_t drawnBeforeStep = 0;
  stepRace = [this, &drawnBeforeStep] {
    ++raceSteps;
    drawnBeforeStep = view.canvas.calls.size();
  };
  auto stepsInOneTick = [this] {
    const int before = raceSteps;
    view.canvas.calls.clear();
    GameTick(ctx, stepRace);
    return raceSteps - before;
  };
  EXPECT_EQ(stepsInOneTick(), 0);  // no panel, no race
  view.shown[Panel::Race] = true;
  EXPECT_EQ(stepsInOneTick(), 0);  // the panel alone
  s.RaceRunning = 2;
  EXPECT_EQ(stepsInOneTick(), 0);  // only 1 means running
  s.RaceRunning = 1;
  EXPECT_EQ(stepsInOneTick(), 1);
  EXPECT_GT(drawnBeforeStep, 0u);  // after the pond step
  EXPECT_EQ(stepsInOneTick(), 1);  // and on every tick
  view.shown[Panel::Race] = false;
  EXPECT_EQ(stepsInOneTick(), 0);  // a race behind a hidden panel waits

  // A tick that ends early (the empty float is reeled in) runs no race step.
  view.shown[Panel::Race] = true;
  s.FishingPhase = 2;
  s.Reeling = 1;
  s.FloatY = 180;
  EXPECT_EQ(stepsInOneTick(), 0);
  EXPECT_EQ(s.FishingPhase, 0);

  // No race rules bound: the rest of the tick still runs.
  view.canvas.calls.clear();
  GameTick(ctx, nullptr);
  EXPECT_FALSE(view.canvas.calls.empty());
  EXPECT_EQ(raceSteps, 2);
}

TEST_F(Tick, openTankJigglesTheCardTitleTopFirstThenLeft) {
  view.shown[Panel::Fish] = true;
  // Idle: the pond step draws nothing at random.
  rnd = ScriptedRandom{0, 1};
  GameTick(ctx, stepRace);
  EXPECT_EQ(view.cardTitlePos, (std::pair<int, int>{6, 20}));
  rnd = ScriptedRandom{1, 0};
  GameTick(ctx, stepRace);
  EXPECT_EQ(view.cardTitlePos, (std::pair<int, int>{4, 18}));
}

TEST_F(Tick, holdingTheReelThroughTheBiteDoesNotReel) {
  s.FishingPhase = 2;
  s.Reeling = 1;
  s.FloatX = 100;
  s.FloatY = 100;
  s.TickCount = 1;
  // Drift 0, sound, float bob, bite, splashes (y, x, size twice), size, hit points, line out.
  rnd = ScriptedRandom{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0};
  GameTick(ctx, stepRace);
  ASSERT_EQ(s.Hooked, 1);
  EXPECT_EQ(s.Reeling, 0);
  rnd.SetFallback(1);
  std::int32_t lineOut = s.LineOut;
  GameTick(ctx, stepRace);
  EXPECT_EQ(s.LineOut, lineOut);
}

TEST_F(Tick, nestedTickDuringTheBiteMessageSeesThePhaseButNotYetTheCreature) {
  s.FishingPhase = 2;
  s.FloatX = 100;
  s.FloatY = 100;
  rnd.Push({0, 0});  // float bob, bite
  rnd.SetFallback(0);
  int nested = 0;
  view.onType = [&] {
    if (nested++ > 0) return;
    EXPECT_EQ(s.FishingPhase, 3);
    EXPECT_EQ(s.Reeling, 0);
    EXPECT_EQ(s.Hooked, 0);
    GameTick(ctx, stepRace);  // a timer event while "ヒット!!" types
  };
  GameTick(ctx, stepRace);
  EXPECT_EQ(s.Hooked, 1);
  EXPECT_EQ(s.LineTension, 30);
}

} // namespace
} // namespace ikea::test
