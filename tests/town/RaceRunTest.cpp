#include <gtest/gtest.h>

#include <limits>

#include "tests/town/TownWorld.h"
#include "town/RaceEntry.h"
#include "town/RaceRun.h"

namespace ikea::test {
namespace {

constexpr int kRunnerWidth = 30;  // finished once left > 342

class RaceRun : public ::testing::Test {
protected:
  RaceRun() {
    w.PutFish(3, TownWorld::kCarp, 42, "タマ");
    s().SelectedSlot = 3;
    s().RaceClass = 3;
    s().RaceRunning = 1;
    w.view.SetShown(Panel::Race, true);
    w.view.measure = [](const Text&) { return kRunnerWidth; };
    w.view.runnerCaption = {"", "タマ", "R2", "R3", "R4", "R5", "R6"};
    for (int r = 1; r <= 6; ++r) w.view.runnerLeft[r] = 12;
  }
  GameState& s() { return *w.s; }
  std::vector<Text> CuesOn(int channel) const {
    std::vector<Text> files;
    for (const auto& c : w.snd.cues)
      if (c.channel == channel) files.push_back(c.file);
    return files;
  }
  TownWorld w;
};

TEST_F(RaceRun, startHidesTheButtonRunsTheRaceAndStartsItsMusic) {
  s().RaceRunning = 0;
  w.view.SetShown(Panel::RaceStartButton, true);
  race_start_bClick(w.ctx);
  EXPECT_EQ(s().RaceRunning, 1);
  EXPECT_FALSE(w.view.IsShown(Panel::RaceStartButton));
  EXPECT_EQ(w.snd.cues, (std::vector<RecordingSound::Cue>{{1, "baku.wav"}}));
  EXPECT_EQ(w.snd.music, std::vector<Text>{"race2.mid"});
}

TEST_F(RaceRun, speedZeroRunnersMoveOnlyByTheDrawOfTwoUntilTwoHundred) {
  w.rnd.Push({1, 1, 0, 1, 1, 1});
  StepRace(w.ctx);
  EXPECT_EQ(w.view.runnerLeft, (std::array<int, 7>{0, 13, 13, 12, 13, 13, 13}));
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2}));
  EXPECT_FALSE(w.view.raceCard.empty());

  // At 199 the player's fish reaches 200 in the sprint, moves again in the
  // run-in and then gains its stamina draw past 200.
  w.view.runnerLeft[1] = 199;
  s().TankGuts[3] = 5;
  w.rnd.ClearBounds();
  w.rnd.Push({1, 0, 0, 0, 0, 0, 1, 3});
  StepRace(w.ctx);
  EXPECT_EQ(w.view.runnerLeft[1], 204);
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 5}));
}

TEST_F(RaceRun, runnerAtExactlyTwoHundredGetsTheRunInButNotTheStamina) {
  w.view.runnerLeft[1] = 200;
  s().TankSpeed[3] = 4;
  s().TankGuts[3] = 5;
  w.rnd.SetFallback(0);
  StepRace(w.ctx);
  EXPECT_EQ(w.view.runnerLeft[1], 200);
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 2, 2}));
}

TEST_F(RaceRun, rivalCheerPushesTenToNineteenAndSpendsOneCheer) {
  s().RivalCheers = {1, 0, 0, 0, 0};
  w.rnd.Push({0, 0, 0, 0, 0, 0, 0, 5});
  StepRace(w.ctx);
  EXPECT_EQ(w.view.runnerLeft[2], 27);
  EXPECT_EQ(s().RivalCheers[0], 0);
  EXPECT_EQ(w.snd.cues, (std::vector<RecordingSound::Cue>{{2, "ouen.wav"}}));
  w.rnd.ClearBounds();
  w.rnd.SetFallback(0);
  StepRace(w.ctx);
  EXPECT_EQ(w.rnd.Bounds().size(), 12u);  // no cheer draw without cheers
}

TEST_F(RaceRun, classThreeWinAddsACupThenThreeThousandYenAfterTheBoxAndBarsClassThree) {
  w.view.runnerLeft[1] = 343;
  s().Money = 300;
  w.rnd.SetFallback(0);
  std::vector<std::pair<int, std::int32_t>> atBoxes;  // RaceRunning, Money
  w.view.onBox = [&] { atBoxes.push_back({s().RaceRunning, s().Money}); };
  StepRace(w.ctx);
  EXPECT_EQ(w.view.boxes, (std::vector<Text>{"つよいこクラス優勝!!!!", "賞金3000円ゲット!!"}));
  EXPECT_EQ(atBoxes, (std::vector<std::pair<int, std::int32_t>>{{0, 300}, {0, 300}}));
  EXPECT_EQ(s().Money, 3300);
  EXPECT_EQ(s().TankCups3[3], 1);
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"victory.wav", "coin.wav", "1.wav"}));
  EXPECT_FALSE(w.view.IsShown(Panel::Race));
  EXPECT_TRUE(w.view.IsShown(Panel::Fish));
  EXPECT_NE(w.view.cardText.find(" 強CUP(1)"), Text::npos);

  Button24Click(w.ctx);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("この魚でこのクラスはもう出場できません"));
  EXPECT_EQ(s().Money, 3300);
}

TEST_F(RaceRun, playerAndRivalsCrossingInOneStepGiveTheWinFirstThenEachAnnouncement) {
  s().RaceClass = 1;
  w.view.runnerLeft[1] = 343;
  w.view.runnerLeft[4] = 350;
  w.view.runnerLeft[6] = 343;
  w.rnd.SetFallback(0);
  StepRace(w.ctx);
  EXPECT_EQ(w.view.boxes, (std::vector<Text>{"よわっこクラス優勝!!!!", "賞金1000円ゲット!!",
                                             "優勝は > 『R4』だった....", "優勝は > 『R6』だった...."}));
  EXPECT_EQ(s().Money, 1000);
  EXPECT_EQ(s().TankCups1[3], 1);
  EXPECT_EQ(CuesOn(2), (std::vector<Text>{"victory.wav", "lose.wav", "lose.wav"}));
}

TEST_F(RaceRun, rivalWinNamesTheWinnerAndReopensTheTankOnTheFish) {
  w.view.runnerLeft[5] = 343;
  w.rnd.SetFallback(0);
  StepRace(w.ctx);
  EXPECT_EQ(s().RaceRunning, 0);
  EXPECT_EQ(w.view.boxes, std::vector<Text>{"優勝は > 『R5』だった...."});
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"lose.wav", "1.wav"}));
  EXPECT_EQ(w.view.cardTitle, "★コイ");
  EXPECT_EQ(s().TankCups3[3], 0);
}

TEST_F(RaceRun, strengthCheerBeforeStartMovesThePlayerAheadAtOneStrengthPerPress) {
  s().RaceRunning = 0;
  w.view.SetShown(Panel::RaceStartButton, true);
  s().TankStrength[3] = 2;
  w.rnd.Push({0, 9});
  Button12Click(w.ctx);
  Button12Click(w.ctx);
  Button12Click(w.ctx);
  EXPECT_EQ(w.view.runnerLeft[1], 12 + 10 + 19);
  EXPECT_EQ(s().TankStrength[3], 0);
  EXPECT_EQ(w.snd.cues, (std::vector<RecordingSound::Cue>{{1, "ouen.wav"}, {1, "ouen.wav"}, {0, "no.wav"}}));
  s().TankStrength[3] = -4;
  Button12Click(w.ctx);
  EXPECT_EQ(s().TankStrength[3], 0);
}

TEST_F(RaceRun, witsCheerSlowsRivalsOnHalfTheDrawsButNeverBelowZero) {
  s().TankWits[3] = 1;
  s().RivalSpeed = {0, 1, 0, 2, 3};
  w.rnd.Push({0, 0, 0, 0, 1});
  Button16Click(w.ctx);
  EXPECT_EQ(s().RivalSpeed, (std::array<std::int32_t, 5>{0, 0, 0, 1, 3}));
  EXPECT_EQ(s().TankWits[3], 0);
  EXPECT_EQ(w.snd.cues, (std::vector<RecordingSound::Cue>{{1, "ouen2.wav"}}));
  Button16Click(w.ctx);
  EXPECT_EQ(w.snd.cues.back(), (RecordingSound::Cue{0, "no.wav"}));
  EXPECT_EQ(w.rnd.Bounds().size(), 5u);
}

TEST_F(RaceRun, leavingIsRefusedWhileWaitingOrRunningAndAllowedAfterwards) {
  s().RaceRunning = 0;
  w.view.SetShown(Panel::RaceStartButton, true);
  Button11Click(w.ctx);
  w.view.SetShown(Panel::RaceStartButton, false);
  s().RaceRunning = 1;
  Button11Click(w.ctx);
  EXPECT_TRUE(w.view.IsShown(Panel::Race));
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"no.wav", "no.wav"}));
  s().RaceRunning = 0;
  Button11Click(w.ctx);
  EXPECT_FALSE(w.view.IsShown(Panel::Race));
}

TEST_F(RaceRun, hugeSavedSpeedReachesTheFinishWithoutOverflow) {
  s().TankSpeed[3] = std::numeric_limits<std::int32_t>::max();
  s().TankGuts[3] = std::numeric_limits<std::int32_t>::max();
  w.rnd.SetFallback(std::numeric_limits<std::int32_t>::max());
  StepRace(w.ctx);
  EXPECT_EQ(w.view.boxes.front(), "つよいこクラス優勝!!!!");
}

// A win in each class: its message, its prize and a cup in its own field.
struct ClassWin {
  int raceClass;
  const char* message;
  std::int32_t prize;
  TankArray<std::int32_t> tmy::*cups;
};

class EveryClassWin : public RaceRun, public ::testing::WithParamInterface<ClassWin> {};

TEST_P(EveryClassWin, paysItsPrizeAndCountsItsOwnCup) {
  const ClassWin& c = GetParam();
  s().RaceClass = c.raceClass;
  s().Money = 7;
  w.view.runnerLeft[1] = 343;
  w.rnd.SetFallback(0);
  StepRace(w.ctx);
  EXPECT_EQ(w.view.boxes, (std::vector<Text>{c.message, "賞金" + std::to_string(c.prize) + "円ゲット!!"}));
  EXPECT_EQ(s().Money, 7 + c.prize);
  for (auto field : {&tmy::TankCups1, &tmy::TankCups2, &tmy::TankCups3, &tmy::TankCups4, &tmy::TankCups5,
                     &tmy::TankCups6})
    EXPECT_EQ((s().*field)[3], field == c.cups ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    PrizesAndCups, EveryClassWin,
    ::testing::Values(ClassWin{1, "よわっこクラス優勝!!!!", 1000, &tmy::TankCups1},
                      ClassWin{2, "年長さんクラス優勝!!!!", 2000, &tmy::TankCups2},
                      ClassWin{3, "つよいこクラス優勝!!!!", 3000, &tmy::TankCups3},
                      ClassWin{4, "こわいぞクラス優勝!!!!", 4000, &tmy::TankCups4},
                      ClassWin{5, "ヘルクラス優勝!!!!", 5000, &tmy::TankCups5},
                      ClassWin{6, "ファントムクラス優勝!!!!", 6000, &tmy::TankCups6}),
    [](const auto& row) { return "class" + std::to_string(row.param.raceClass); });

} // namespace
} // namespace ikea::test
