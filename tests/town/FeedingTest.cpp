#include <gtest/gtest.h>

#include "tests/town/TownWorld.h"
#include "town/Feeding.h"

namespace ikea::test {
namespace {

class Feeding : public ::testing::Test {
protected:
  Feeding() { w.PutFish(2, TownWorld::kCrucian, 30, "タマ"); }
  GameState& s() { return *w.s; }
  TownWorld w;
};

TEST_F(Feeding, beansOnABellyOfNinetyFiveStopAtHundredButTellTheDrawnRefill) {
  s().Beans = 2;
  s().TankHunger[2] = 95;
  w.rnd.Push(24);
  mame_bClick(w.ctx);
  EXPECT_EQ(s().TankHunger[2], 100);
  EXPECT_EQ(s().Beans, 1);
  EXPECT_EQ(w.rnd.Bounds(), std::vector<std::int32_t>{25});
  EXPECT_EQ(w.view.messages,
            (std::vector<Text>{FakeView::Pad("まめを与えた"), FakeView::Pad("お腹が 59回復したようだ")}));
  EXPECT_EQ(w.CueFiles(), std::vector<Text>{"esa.wav"});
  EXPECT_NE(w.view.cardText.find("お腹 > 100/100"), Text::npos);  // card refreshed
}

TEST_F(Feeding, milkDrawsItsStrengthChanceEvenAtSevenSoLaterDrawsStayTheSame) {
  s().Milk = 2;
  s().TankStrength[2] = 7;
  s().TankWits[2] = 3;
  w.rnd.Push({0, 0, 5});
  milk_bClick(w.ctx);
  EXPECT_EQ(s().TankStrength[2], 7);
  EXPECT_EQ(s().TankWits[2], 4);
  EXPECT_EQ(s().TankHunger[2], 65);
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{3, 5, 10}));

  s().TankStrength[2] = 6;
  w.rnd.Push({0, 1, 0});
  milk_bClick(w.ctx);
  EXPECT_EQ(s().TankStrength[2], 7);
  EXPECT_EQ(s().TankWits[2], 4);
  EXPECT_EQ(w.view.messages[w.view.messages.size() - 2], FakeView::Pad("【強さ】が 1上昇!!"));
  EXPECT_EQ(w.snd.cues.back(), (RecordingSound::Cue{1, "up.wav"}));
}

TEST_F(Feeding, shrimpDrawsStaminaThenWitsThenBelly) {
  s().Shrimp = 1;
  s().TankGuts[2] = 6;
  s().TankWits[2] = 7;
  w.rnd.Push({0, 0, 19});
  ebi_bClick(w.ctx);
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{4, 3, 20}));
  EXPECT_EQ(s().TankGuts[2], 7);
  EXPECT_EQ(s().TankWits[2], 7);  // shrimp stops wits at 7
  EXPECT_EQ(s().TankHunger[2], 89);
  EXPECT_EQ(w.view.messages[1], FakeView::Pad("【底力】が 1上昇!!"));
}

TEST_F(Feeding, jisuDamaTakesSpeedFromZeroToSevenInSevenFeedingsAndNoFurther) {
  s().JisuDama = 8;
  s().TankSpeed[2] = 0;
  for (int k = 1; k <= 8; ++k) {
    w.rnd.Push({1, 0});
    jis_bClick(w.ctx);
    EXPECT_EQ(s().TankSpeed[2], std::min(k, 7)) << k;
  }
  EXPECT_EQ(s().JisuDama, 0);
  EXPECT_EQ(w.rnd.Bounds().size(), 16u);  // speed needs no draw: 3 and 15 each time
  EXPECT_EQ(w.rnd.Bounds()[0], 3);
  EXPECT_EQ(w.rnd.Bounds()[1], 15);
}

TEST_F(Feeding, onlyJisuDamaLiftsWitsPastSeven) {
  s().JisuDama = 2;
  s().Milk = 1;
  s().TankWits[2] = 7;
  w.rnd.Push({0, 0, 0, 0});
  jis_bClick(w.ctx);
  jis_bClick(w.ctx);
  EXPECT_EQ(s().TankWits[2], 9);
  w.rnd.Push({1, 0, 0});
  milk_bClick(w.ctx);
  EXPECT_EQ(s().TankWits[2], 9);
  EXPECT_EQ(w.view.messages.back(), FakeView::Pad("お腹が 10回復したようだ"));
}

TEST_F(Feeding, noBaitOrNoFishPlaysNoAndChangesNothing) {
  s().Beans = 0;
  mame_bClick(w.ctx);
  EXPECT_EQ(s().Beans, 0);
  s().Milk = 3;
  w.view.ListSelect(5);  // empty line
  milk_bClick(w.ctx);
  w.view.ListSelect(-1);
  milk_bClick(w.ctx);
  EXPECT_EQ(s().Milk, 3);
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"no.wav", "no.wav", "no.wav"}));
  EXPECT_TRUE(w.view.messages.empty());
  EXPECT_TRUE(w.rnd.Bounds().empty());
  EXPECT_EQ(s().TankHunger[2], 50);
}

} // namespace
} // namespace ikea::test
