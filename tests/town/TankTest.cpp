#include <gtest/gtest.h>

#include <limits>

#include "tests/town/TownWorld.h"
#include "town/FishCard.h"
#include "town/Tank.h"

namespace ikea::test {
namespace {

Text LastCardLine(const Text& card) { return card.substr(card.rfind('\r') + 1); }

class Tank : public ::testing::Test {
protected:
  TownWorld w;
};

TEST_F(Tank, openingListsSixteenLinesWithNothingSelectedAndClosingHidesIt) {
  w.s->TankKind[0] = TownWorld::kCarp;
  w.s->TankKind[5] = TownWorld::kCrucian;
  w.view.cardText = "old";
  Button1Click(w.ctx);
  EXPECT_TRUE(w.view.IsShown(Panel::Fish));
  ASSERT_EQ(w.view.list.size(), 16u);
  EXPECT_EQ(w.view.list[0], "コイ");
  EXPECT_EQ(w.view.list[5], "フナ");
  EXPECT_EQ(w.view.list[1], "");
  EXPECT_EQ(w.view.selected, -1);
  EXPECT_EQ(w.view.cardText, "");
  EXPECT_FALSE(w.view.IsShown(Panel::CardTitle));
  EXPECT_EQ(w.view.tankPicture, "\\cg\\suisou1.bmp");
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("プクプク...."));
  EXPECT_EQ(w.CueFiles(), std::vector<Text>{"suisou.wav"});

  w.view.SetShown(Panel::Shop, true);
  Button1Click(w.ctx);
  EXPECT_FALSE(w.view.IsShown(Panel::Fish));
  EXPECT_FALSE(w.view.IsShown(Panel::Shop));
}

TEST_F(Tank, cardOfThirtyCentimetreFishWithoutCupsEndsRightAfterTheYenAndSellsForItsValue) {
  w.PutFish(2, TownWorld::kCrucian, 30);
  w.s->TankStrength[2] = 4;
  w.s->TankWits[2] = 3;
  w.s->TankGuts[2] = 2;
  w.s->TankSpeed[2] = 3;
  ShowFishCard(w.ctx);
  EXPECT_EQ(w.view.cardText,
            "\r\rどこにでもいる\r―――――――――――――――――――――――\r"
            "大きさ > 30cm.  TIME > 0:01:05秒\r強さ > 4p. 賢さ > 3p.\r底力 > ★★\r速さ > ★★★\r"
            "お腹 > 50/100\r価値 > 160円 ");
  EXPECT_TRUE(w.view.IsShown(Panel::CardTitle));
  EXPECT_EQ(w.view.cardTitle, "★フナ");
  EXPECT_EQ(w.view.tankPicture, "\\cg\\suisou2.bmp");

  w.s->Money = 10;
  Button7Click(w.ctx);
  EXPECT_EQ(w.s->Money, 170);
}

TEST_F(Tank, cupsOfClassesOneAndThreeCountOnTheCardButOnlyClassOneCountsInTheSale) {
  w.PutFish(0, TownWorld::kCrucian, 30);
  w.s->TankCups1[0] = 1;
  w.s->TankCups3[0] = 1;
  ShowFishCard(w.ctx);
  EXPECT_EQ(LastCardLine(w.view.cardText), "価値 > 760円 弱CUP(1) 強CUP(1)");
  Button7Click(w.ctx);
  EXPECT_EQ(w.s->Money, 360);
  EXPECT_EQ(w.view.messages.back(), FakeView::Pad("【フナ】を 360円で売りました"));
}

TEST_F(Tank, starsAreNoneForZeroOrLessAndCappedForHugeSavedFigures) {
  EXPECT_EQ(Stars(0), "");
  EXPECT_EQ(Stars(-5), "");
  EXPECT_EQ(Stars(2), "★★");
  EXPECT_EQ(Stars(std::numeric_limits<std::int32_t>::max()).size(), Text("★").size() * kMaxStars);

  w.PutFish(0, TownWorld::kCrucian, 30);
  w.s->TankSpeed[0] = 0;
  ShowFishCard(w.ctx);
  EXPECT_NE(w.view.cardText.find("\r速さ > \r"), Text::npos);
}

TEST_F(Tank, nameLimitIsTenthOfTheSizePlusOneCappedAtSixteenBytes) {
  for (int size : {0, 9}) EXPECT_EQ(NameLimit(size), 1) << size;
  EXPECT_EQ(NameLimit(10), 2);
  EXPECT_EQ(NameLimit(149), 15);
  EXPECT_EQ(NameLimit(150), 16);
  EXPECT_EQ(NameLimit(std::numeric_limits<std::int32_t>::max()), 16);
  EXPECT_EQ(NameLimit(-100), 1);  // never 0, which would lift the limit

  w.PutFish(0, TownWorld::kCrucian, 149, "ながいながいなまえのさかな");
  ShowFishCard(w.ctx);
  EXPECT_EQ(w.view.nameLimit, 15);
  EXPECT_EQ(w.view.nameEdit, "ながいながいなまえのさかな");  // shown whole though longer
}

TEST_F(Tank, sellingSlotThreeEmptiesItsLineKeepsItSelectedAndClearsTheCard) {
  w.PutFish(3, TownWorld::kCarp, 50, "ポチ");
  w.s->Money = 1;
  ShowFishCard(w.ctx);
  Button7Click(w.ctx);
  EXPECT_EQ(w.s->Money, 1 + 100 + 300);
  EXPECT_EQ(w.s->TankKind[3], 0);
  EXPECT_EQ(w.s->TankName[3], "");
  EXPECT_EQ(w.view.list[3], "");
  EXPECT_EQ(w.view.selected, 3);
  EXPECT_EQ(w.view.cardText, "");
  EXPECT_EQ(w.view.nameEdit, "");
  EXPECT_FALSE(w.view.IsShown(Panel::CardTitle));
  EXPECT_EQ(w.view.tankPicture, "\\cg\\suisou1.bmp");
  EXPECT_EQ(w.CueFiles(), std::vector<Text>{"coin.wav"});
}

TEST_F(Tank, theCardOfAnEmptyLineGivesItsSlotTheEmptyNameAndLeavesOtherNames) {
  w.PutFish(0, TownWorld::kCarp, 50, "ポチ");
  w.s->TankName[4] = "タマ"; // typed while the empty line 4 was selected
  for (int selected : {4, -1, 20}) {
    w.view.nameEdit = "タマ";
    w.view.ListSelect(selected);
    ShowFishCard(w.ctx);
    EXPECT_EQ(w.view.nameEdit, "") << selected;
  }
  EXPECT_EQ(w.s->TankName[4], "");
  EXPECT_EQ(w.s->TankName[0], "ポチ");
}

TEST_F(Tank, sellingWithNoSelectionOrAnEmptyLineChangesNothing) {
  w.PutFish(0, TownWorld::kCarp, 50);
  w.s->Money = 7;
  w.view.ListSelect(-1);
  Button7Click(w.ctx);
  w.view.ListSelect(4);
  Button7Click(w.ctx);
  EXPECT_EQ(w.s->Money, 7);
  EXPECT_EQ(w.s->TankKind[0], TownWorld::kCarp);
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"no.wav", "no.wav"}));
  EXPECT_TRUE(w.view.messages.empty());
}

TEST_F(Tank, secondSalePressWhileTheMessageTypesDoesNotPayTwice) {
  w.PutFish(1, TownWorld::kCarp, 50);
  bool pressed = false;
  w.view.onType = [&] {
    if (!pressed) { pressed = true; Button7Click(w.ctx); }
  };
  Button7Click(w.ctx);
  EXPECT_EQ(w.s->Money, 400);
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"coin.wav", "no.wav"}));
}

TEST_F(Tank, saleAfterASelectionMovedWithoutCardRefreshPricesTheSelectedFish) {
  w.PutFish(0, TownWorld::kCarp, 0);
  w.PutFish(1, TownWorld::kCrucian, 0);
  w.view.ListSelect(0);
  ShowFishCard(w.ctx);  // SelectedSlot now names the carp
  w.view.ListSelect(1);  // keyboard: no card refresh
  Button7Click(w.ctx);
  EXPECT_EQ(w.s->Money, 100);
}

TEST_F(Tank, cardFindsTheLastSpeciesOfTheSameName) {
  w.cat->SpeciesTable[300] = {"フナ", "もう一匹", 900, 0, 0, 0, 0};
  w.PutFish(0, TownWorld::kCrucian, 0);
  ShowFishCard(w.ctx);
  EXPECT_EQ(w.s->SelectedSlot, 300);
  EXPECT_EQ(LastCardLine(w.view.cardText), "価値 > 900円 ");
}

TEST_F(Tank, twoFishOfOneSpeciesShowTheirOwnFigures) {
  w.PutFish(0, TownWorld::kCrucian, 20);
  w.PutFish(1, TownWorld::kCrucian, 40);
  w.s->TankHunger[1] = 77;
  EXPECT_EQ(w.view.list[0], w.view.list[1]);
  w.view.ListSelect(0);
  ShowFishCard(w.ctx);
  EXPECT_NE(w.view.cardText.find("大きさ > 20cm."), Text::npos);
  EXPECT_NE(w.view.cardText.find("お腹 > 50/100"), Text::npos);
  w.view.ListSelect(1);
  ShowFishCard(w.ctx);
  EXPECT_NE(w.view.cardText.find("大きさ > 40cm."), Text::npos);
  EXPECT_NE(w.view.cardText.find("お腹 > 77/100"), Text::npos);
}

TEST_F(Tank, listPressShowsTheCardThenClicks) {
  w.PutFish(0, TownWorld::kCrucian, 20, "タマ");
  fish_listMouseDown(w.ctx);
  EXPECT_EQ(w.view.nameEdit, "タマ");
  EXPECT_EQ(w.CueFiles(), std::vector<Text>{"key.wav"});
}

TEST_F(Tank, typedNameIsStoredAtOnceButNotWithoutSelection) {
  w.PutFish(4, TownWorld::kCrucian, 20);
  name_lChange(w.ctx, "ミケ");
  EXPECT_EQ(w.s->TankName[4], "ミケ");
  w.view.ListSelect(-1);
  name_lChange(w.ctx, "クロ");
  EXPECT_EQ(w.s->TankName[4], "ミケ");
}

TEST_F(Tank, backButtonFirstClosesTheChooserThenTheTank) {
  w.view.SetShown(Panel::Fish, true);
  w.view.SetShown(Panel::RaceChooser, true);
  Button21Click(w.ctx);
  EXPECT_FALSE(w.view.IsShown(Panel::RaceChooser));
  EXPECT_TRUE(w.view.IsShown(Panel::Fish));
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("え、やめるの？"));
  EXPECT_TRUE(w.snd.music.empty());

  w.rnd.Push({0, 3});  // saying 0, tune p4
  Button21Click(w.ctx);
  EXPECT_FALSE(w.view.IsShown(Panel::Fish));
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("しずかな池"));
  EXPECT_EQ(w.snd.music, std::vector<Text>{"p4.mid"});
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"1.wav", "1.wav"}));
}

TEST_F(Tank, savedExtremesGiveAWrappedValueInsteadOfOverflowing) {
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  w.PutFish(0, TownWorld::kCrucian, big);
  w.s->TankCups6[0] = big;
  w.s->TankCups1[0] = big;
  w.s->Money = big;
  ShowFishCard(w.ctx);
  Button7Click(w.ctx);
  EXPECT_EQ(w.s->TankKind[0], 0);
}

} // namespace
} // namespace ikea::test
