#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/town/TownWorld.h"
#include "town/RaceEntry.h"

namespace ikea::test {
namespace {

class RaceEntry : public ::testing::Test {
protected:
  RaceEntry() {
    w.PutFish(3, TownWorld::kCarp, 42, "タマ");
    w.view.SetShown(Panel::Fish, true);
    w.view.SetShown(Panel::RaceChooser, true);
    w.s->Money = 100;
  }
  // Rivals named after entries 10..14 of the rival list, never syllables.
  void ScriptRivals(int speed = 0, int guts = 0, int cheers = 0) {
    for (int k = 0; k < 5; ++k) w.rnd.Push({10 + k, 0, speed});
    for (int k = 0; k < 5; ++k) w.rnd.Push(guts);
    for (int k = 0; k < 5; ++k) w.rnd.Push(cheers);
  }
  GameState& s() { return *w.s; }
  TownWorld w;
};

TEST_F(RaceEntry, chooserOpensOnlyForANamedFish) {
  w.view.SetShown(Panel::RaceChooser, false);
  s().RaceClass = 3;
  w.view.ListSelect(0);
  Button10Click(w.ctx);
  EXPECT_TRUE(w.view.messages.empty());
  w.PutFish(1, TownWorld::kCrucian, 10);
  Button10Click(w.ctx);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("名前の無い肴はレースにでれません"));
  EXPECT_FALSE(w.view.IsShown(Panel::RaceChooser));

  w.view.ListSelect(3);
  Button10Click(w.ctx);
  EXPECT_TRUE(w.view.IsShown(Panel::RaceChooser));
  EXPECT_EQ(w.view.panelPos[Panel::RaceChooser], std::make_pair(4, 140));
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("クラスを選択してね"));
  EXPECT_EQ(s().RaceClass, 0);
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"no.wav", "no.wav", "1.wav"}));
}

TEST_F(RaceEntry, refusalsComeInOrderCupThenMoneyThenSelectionThenName) {
  s().TankCups2[3] = 1;
  s().Money = 0;
  Button23Click(w.ctx);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("この魚でこのクラスはもう出場できません"));
  s().TankCups2[3] = 0;
  Button23Click(w.ctx);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("お金が足りません"));
  s().Money = 200;
  w.view.ListSelect(7);
  w.view.messageLine.clear();
  Button23Click(w.ctx);
  EXPECT_EQ(w.view.messageLine, "");
  w.view.ListSelect(3);
  s().TankName[3] = "";
  Button23Click(w.ctx);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("名前の無い肴はレースにでれません"));
  EXPECT_EQ(w.CueFiles(), std::vector<Text>(4, "no.wav"));
  EXPECT_TRUE(w.view.questions.empty());
  EXPECT_EQ(s().Money, 200);
  EXPECT_TRUE(w.rnd.Bounds().empty());
}

TEST_F(RaceEntry, aClassOneCupRefusesClassOneOnlyAndAnswerNoChangesNothing) {
  s().TankCups1[3] = 1;
  s().Money = 5000;
  Button22Click(w.ctx);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("この魚でこのクラスはもう出場できません"));
  w.view.answers.push_back(false);
  Button26Click(w.ctx);
  ASSERT_EQ(w.view.questions.size(), 1u);
  EXPECT_EQ(w.view.questions[0], "コイの『タマ』をこわいぞクラスへ出場させます、よろしいですか？");
  EXPECT_EQ(s().Money, 5000);
  EXPECT_TRUE(w.view.IsShown(Panel::Fish));
  ScriptRivals();
  Button25Click(w.ctx);
  EXPECT_EQ(w.view.questions[1], "コイの『タマ』をヘルクラスへ出場させます、よろしいですか？");
  EXPECT_EQ(s().RaceClass, 5);
  EXPECT_EQ(s().Money, 4000);
}

TEST_F(RaceEntry, exactlyHundredYenEntersClassOneAndSetsUpTheStartLine) {
  s().RaceRunning = 1;
  ScriptRivals(2, 1, 1);
  Button22Click(w.ctx);
  EXPECT_EQ(s().Money, 0);
  EXPECT_EQ(s().RaceClass, 1);
  EXPECT_EQ(s().SelectedSlot, 3);
  EXPECT_EQ(s().RaceRunning, 0);
  EXPECT_FALSE(w.view.IsShown(Panel::Fish));
  EXPECT_FALSE(w.view.IsShown(Panel::RaceChooser));
  EXPECT_TRUE(w.view.IsShown(Panel::Race));
  EXPECT_TRUE(w.view.IsShown(Panel::RaceStartButton));
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(w.view.runnerLeft[r], 12);
  EXPECT_EQ(w.view.runnerCaption[1], "タマ");
  EXPECT_EQ(w.view.runnerCaption[2], "R10");
  EXPECT_EQ(w.view.runnerCaption[6], "R14");
  EXPECT_EQ(s().RivalSpeed[0], 2);
  EXPECT_EQ(s().RivalGuts[0], 1);
  EXPECT_EQ(s().RivalCheers[0], 1);
  EXPECT_EQ(w.CueFiles(), std::vector<Text>{"1.wav"});
  EXPECT_EQ(w.snd.music, std::vector<Text>{"phan.mid"});
  EXPECT_FALSE(w.view.raceCard.empty());
}

TEST_F(RaceEntry, rivalsDrawNameAndSpeedPerRunnerThenAllStaminaThenAllCheers) {
  ScriptRivals();
  Button22Click(w.ctx);
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{226, 100, 3, 226, 100, 4, 226, 100, 4, 226, 100, 5,
                                                       226, 100, 4, 2, 2, 3, 3, 4, 2, 2, 3, 3, 4}));
}

TEST_F(RaceEntry, classFourRunnerSixNeverHasCheers) {
  s().Money = 500;
  ScriptRivals();
  Button26Click(w.ctx);
  EXPECT_EQ(w.rnd.Bounds().back(), 1);
  EXPECT_EQ(s().RivalCheers[4], 0);
}

TEST_F(RaceEntry, rivalNameIsAListedNameUnlessTheHundredDrawGivesOne) {
  w.cat->RivalNames[225] = "";
  w.rnd.Push({7, 0, 225, 99});
  EXPECT_EQ(MakeRivalName(w.ctx), "R7");
  EXPECT_EQ(MakeRivalName(w.ctx), "");
}

TEST_F(RaceEntry, syllableNameHasFewerThanFourSyllablesWhenADrawFallsPastTheString) {
  w.rnd.Push({5, 1, 0, 92, 1, 95});
  EXPECT_EQ(MakeRivalName(w.ctx), KanaSyllable(0) + KanaSyllable(1));
  EXPECT_EQ(KanaSyllable(0).size(), 2u);
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{226, 100, 96, 96, 96, 96}));
}

TEST_F(RaceEntry, raceCardShowsTheFishByNameAndItsSpeciesByKind) {
  s().TankStrength[3] = 5;
  s().TankWits[3] = 2;
  s().TankGuts[3] = 1;
  s().TankSpeed[3] = 0;
  s().SelectedSlot = 3;
  ShowRaceCard(w.ctx);
  EXPECT_EQ(w.view.raceCard,
            "★タマ\r種:コイ\r\r池のぬし\r―――――――――――――\r大きさ > 42cm.\r"
            "強さ > 5p. 賢さ > 2p.\r底力 > ★\r速さ > ");
  s().SelectedSlot = -1;
  ShowRaceCard(w.ctx);
  EXPECT_TRUE(w.view.raceCard.starts_with("★\r種:\r\r\r")) << "a slot outside the tank shows an empty card";
}

// Every class's fee and rival figures. The entry draws per rival the name
// (226, then 100) and the speed, then the five staminas, then the five cheers.
struct ClassEntry {
  void (*button)(GameContext&);
  int raceClass;
  std::int32_t fee;
  std::array<std::int32_t, 5> speed, stamina, cheers;
};

class EveryRaceClass : public RaceEntry, public ::testing::WithParamInterface<ClassEntry> {};

TEST_P(EveryRaceClass, takesExactlyItsFeeAndDrawsItsRivalsWithItsBounds) {
  const ClassEntry& c = GetParam();
  s().Money = c.fee - 1;
  c.button(w.ctx);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("お金が足りません"));
  s().Money = c.fee;
  ScriptRivals();
  c.button(w.ctx);
  EXPECT_EQ(s().Money, 0);
  EXPECT_EQ(s().RaceClass, c.raceClass);
  std::vector<std::int32_t> bounds;
  for (std::int32_t speed : c.speed) bounds.insert(bounds.end(), {226, 100, speed});
  bounds.insert(bounds.end(), c.stamina.begin(), c.stamina.end());
  bounds.insert(bounds.end(), c.cheers.begin(), c.cheers.end());
  EXPECT_EQ(w.rnd.Bounds(), bounds);
}

INSTANTIATE_TEST_SUITE_P(
    FeesAndRivalBounds, EveryRaceClass,
    ::testing::Values(ClassEntry{Button22Click, 1, 100, {3, 4, 4, 5, 4}, {2, 2, 3, 3, 4}, {2, 2, 3, 3, 4}},
                      ClassEntry{Button23Click, 2, 200, {4, 5, 6, 5, 6}, {3, 3, 4, 4, 5}, {3, 3, 4, 5, 6}},
                      ClassEntry{Button24Click, 3, 300, {5, 6, 7, 6, 7}, {4, 4, 5, 5, 6}, {4, 4, 3, 3, 3}},
                      ClassEntry{Button26Click, 4, 500, {7, 9, 8, 9, 8}, {5, 5, 6, 7, 8}, {5, 4, 3, 2, 1}},
                      ClassEntry{Button25Click, 5, 1000, {8, 9, 10, 10, 9}, {6, 6, 7, 8, 9}, {5, 5, 6, 6, 5}},
                      ClassEntry{Button27Click, 6, 2000, {10, 11, 11, 12, 12}, {7, 7, 8, 9, 10},
                                 {6, 4, 5, 7, 6}}),
    [](const auto& row) { return "class" + std::to_string(row.param.raceClass); });

} // namespace
} // namespace ikea::test
