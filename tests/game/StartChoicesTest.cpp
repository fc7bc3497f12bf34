#include <gtest/gtest.h>

#include "game/Catalogues.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "base/GameError.h"
#include "game/GameState.h"
#include "game/SaveFile.h"
#include "game/StartChoices.h"
#include "tests/game/TempGameFolder.h"
#include "tests/support/FakeView.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedRandom.h"

namespace ikea {
namespace {

using Cue = test::RecordingSound::Cue;

class StartChoices : public ::testing::Test {
protected:
  StartChoices() : ctx{s, cat, rnd, clock, snd, view, folder.root()} {
    view.shown[Panel::Start] = true;
  }

  // A game in full swing, so every reset value shows.
  void PlayForAWhile() {
    s.Money = 12345; s.Shrimp = 1; s.Milk = 2; s.Beans = 3; s.JisuDama = 4; s.Sardines = 5;
    s.Bullets = 6; s.GunLevel = 7; s.Tries = 8; s.LineStrength = 390; s.ReelLevel = 3; s.LineWear = 9;
    s.Hour = 21;
    for (int i = 0; i < kTankSlots; ++i) {
      s.TankKind[i] = i % 69 + 1; s.TankSize[i] = 40 + i; s.TankName[i] = "ﾎﾟﾁ";
      s.TankTime[i] = "0:01:02"; s.TankSpeed[i] = 1; s.TankStrength[i] = 2; s.TankGuts[i] = 3;
      s.TankWits[i] = 4; s.TankHunger[i] = 55;
      for (int c = 1; c <= 6; ++c) (*s.CupsOfClass(c))[i] = c;
    }
    s.FishingPhase = 2;
    s.TickCount = 77;
  }

  test::TempGameFolder folder;
  GameState s;
  Catalogues cat;
  test::ScriptedRandom rnd;
  ManualClock clock;
  test::RecordingSound snd;
  test::FakeView view;
  GameContext ctx;
};

TEST_F(StartChoices, savingWithExactlyFiftyYenLeavesZeroInMemoryAndInTheFile) {
  s.Money = 50;
  Button2Click(ctx);
  EXPECT_EQ(s.Money, 0);
  GameState loaded;
  loaded.Money = -1;
  ReadSaveFileText(folder.Read(folder.saveFile()), loaded);
  EXPECT_EQ(loaded.Money, 0);
  EXPECT_EQ(snd.cues, (std::vector<Cue>{{0, "kan.wav"}, {0, "1.wav"}}));
  EXPECT_EQ(view.boxes, std::vector<Text>{"セーブ完了"});
}

TEST_F(StartChoices, savingWithFortyNineYenIsRefusedAndWritesNothing) {
  s.Money = 49;
  Button2Click(ctx);
  EXPECT_EQ(s.Money, 49);
  EXPECT_FALSE(std::filesystem::exists(folder.saveFile()));
  EXPECT_EQ(snd.cues, (std::vector<Cue>{{0, "no.wav"}}));
  EXPECT_EQ(view.messageLine, "お金が足りません");
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(StartChoices, failedSaveKeepsTheFeePaidAndNeitherChimesNorConfirms) {
  std::filesystem::remove_all(folder.dat());
  s.Money = 80;
  try {
    Button2Click(ctx);
    ADD_FAILURE() << "the save reported success";
  } catch (const GameError& e) {
    EXPECT_EQ(e.text(), "不正なﾌｧｲﾙ名です");
  }
  EXPECT_EQ(s.Money, 30);
  EXPECT_TRUE(snd.cues.empty());
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(StartChoices, newGameAnsweredNoChangesNothing) {
  PlayForAWhile();
  const GameState before = s;
  view.answers = {false};
  Button8Click(ctx);
  EXPECT_TRUE(static_cast<const tmy&>(s) == static_cast<const tmy&>(before));
  EXPECT_EQ(view.questions, std::vector<Text>{"これまでのデータは初期化されます、よろしいですか？"});
  EXPECT_EQ(snd.cues, (std::vector<Cue>{{0, "1.wav"}}));
  EXPECT_TRUE(view.IsShown(Panel::Start));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(StartChoices, newGameAnsweredYesResetsInMemoryOnlyAndKeepsBelliesAndCups) {
  PlayForAWhile();
  SaveGameData(folder.root(), s);
  const Text fileBefore = folder.Read(folder.saveFile());
  view.answers = {true};
  Button8Click(ctx);

  EXPECT_EQ((std::array{s.Money, s.Shrimp, s.Milk, s.Beans, s.JisuDama, s.Sardines, s.Bullets, s.GunLevel,
                        s.Tries, s.LineStrength, s.ReelLevel, s.LineWear, s.Hour}),
            (std::array{100, 0, 0, 0, 0, 0, 20, 0, 0, 280, 0, 0, 8}));
  for (int i = 0; i < kTankSlots; ++i) {
    ASSERT_EQ((std::array{s.TankKind[i], s.TankSize[i], s.TankSpeed[i], s.TankStrength[i], s.TankGuts[i],
                          s.TankWits[i]}),
              (std::array{0, 0, 0, 0, 0, 0}))
        << i;
    ASSERT_TRUE(s.TankName[i].empty() && s.TankTime[i].empty()) << i;
    ASSERT_EQ(s.TankHunger[i], 55) << i;
    ASSERT_EQ(s.TankCups6[i], 6) << i;
  }
  EXPECT_EQ(s.FishingPhase, 2);  // run-time state is not the new game's business
  EXPECT_EQ(s.TickCount, 77);
  EXPECT_EQ(folder.Read(folder.saveFile()), fileBefore);
  EXPECT_EQ(snd.cues, (std::vector<Cue>{{0, "1.wav"}, {1, "start.wav"}}));
  EXPECT_FALSE(view.IsShown(Panel::Start));
  EXPECT_EQ(view.messageLine, "あ、池だ!!");
}

TEST_F(StartChoices, countineGoesOnWithTheLoadedGame) {
  PlayForAWhile();
  const GameState before = s;
  Button9Click(ctx);
  EXPECT_TRUE(static_cast<const tmy&>(s) == static_cast<const tmy&>(before));
  EXPECT_EQ(snd.cues, (std::vector<Cue>{{0, "start.wav"}}));
  EXPECT_FALSE(view.IsShown(Panel::Start));
  EXPECT_EQ(view.messageLine, "つりしよっと");
}

TEST(NewGameState, makesAFirstSaveFileWithEmptySlotsAndZeroBelliesAndCups) {
  const GameState fresh = NewGameState();
  tmy expected;
  ResetToNewGame(expected);
  EXPECT_TRUE(static_cast<const tmy&>(fresh) == expected);
  EXPECT_EQ(fresh.Money, 100);
  EXPECT_EQ(fresh.TankHunger[0], 0);
  EXPECT_EQ(fresh.TankCups1[15], 0);
}

} // namespace
} // namespace ikea
