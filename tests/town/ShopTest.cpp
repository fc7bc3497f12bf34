#include <gtest/gtest.h>

#include <functional>

#include "tests/town/TownWorld.h"
#include "town/PlayFieldMusic.h"
#include "town/Shop.h"
#include "game/UpgradePrices.h"

namespace ikea::test {
namespace {

class Shop : public ::testing::Test {
protected:
  Shop() {
    for (int k = 0; k < 256; ++k) {
      w.cat->GunNames[k] = "G" + std::to_string(k);
      w.cat->ReelNames[k] = "R" + std::to_string(k);
    }
    for (int k = 0; k < 601; ++k) w.cat->LineNames[k] = "L" + std::to_string(k);
  }
  GameState& s() { return *w.s; }
  TownWorld w;
};

TEST_F(Shop, exactlyThePriceBuysAndLeavesZeroWhileOneYenLessIsRefused) {
  s().Money = 5;
  Button4Click(w.ctx);
  EXPECT_EQ(s().Money, 0);
  EXPECT_EQ(s().Bullets, 1);
  s().Money = 4;
  Button4Click(w.ctx);
  EXPECT_EQ(s().Money, 4);
  EXPECT_EQ(s().Bullets, 1);
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"buy.wav", "no.wav"}));
  EXPECT_EQ(w.view.messages,
            (std::vector<Text>{FakeView::Pad("銃弾を 1発買った!!"), FakeView::Pad("お金が足りません")}));
}

struct GoodsCase {
  void (*handler)(GameContext&);
  std::int32_t price;
  std::int32_t tmy::*field;
  std::int32_t before, after;
  const char* message;
};

TEST_F(Shop, everyGoodsChargesItsPriceAppliesItsEffectAndSaysSo) {
  const GoodsCase cases[] = {
      {Button4Click, 5, &tmy::Bullets, 3, 4, "銃弾を 1発買った!!"},
      {Button6Click, 40, &tmy::Bullets, 3, 13, "銃弾を 10発買った!!"},
      {Button5Click, 10, &tmy::LineWear, 55, 0, "糸の弱体を修復した!!"},
      {Button5Click, 10, &tmy::LineWear, 0, 0, "糸の弱体を修復した!!"},
      {Button18Click, 6, &tmy::Sardines, 0, 1, "にぼしを 1匹買った!!"},
      {Button19Click, 50, &tmy::Sardines, 0, 10, "にぼしを 10匹買った!!"},
      {Button20Click, 12, &tmy::Beans, 0, 1, "まめを 1個買った!!(所持:1)"},
      {Button13Click, 60, &tmy::Milk, 2, 3, "牛乳を 1個買った!!(所持:3)"},
      {Button14Click, 120, &tmy::Shrimp, 9, 10, "えびを 1個買った!!(所持:10)"},
      {Button15Click, 500, &tmy::JisuDama, 0, 1, "じす玉を 1個買った!!(所持:1)"},
  };
  for (const GoodsCase& c : cases) {
    s().Money = c.price + 1;
    s().*c.field = c.before;
    c.handler(w.ctx);
    EXPECT_EQ(s().Money, 1) << c.message;
    EXPECT_EQ(s().*c.field, c.after) << c.message;
    EXPECT_EQ(w.view.messageLine, FakeView::Pad(c.message));
    EXPECT_EQ(w.snd.cues.back(), (RecordingSound::Cue{0, "buy.wav"}));
  }
}

// Buys an upgrade again and again with plenty of money; the prices paid.
std::vector<std::int32_t> PricesPaid(TownWorld& w, void (*handler)(GameContext&), int times) {
  std::vector<std::int32_t> prices;
  for (int k = 0; k < times; ++k) {
    const std::int32_t before = w.s->Money;
    handler(w.ctx);
    prices.push_back(before - w.s->Money);
  }
  return prices;
}

TEST_F(Shop, gunCostsTwoHundredToSixteenHundredOverItsFifteenLevels) {
  s().Money = 1000000;
  const auto prices = PricesPaid(w, gun_bClick, 15);
  for (int k = 0; k < 15; ++k) EXPECT_EQ(prices[k], 200 + 100 * k);
  EXPECT_EQ(s().GunLevel, 15);
  EXPECT_EQ(GunPrice(0), 200);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("G15を買った!!") + "\r" + FakeView::Pad("銃の威力 > +1"));
  EXPECT_EQ(w.snd.cues[0], (RecordingSound::Cue{0, "buy.wav"}));
  EXPECT_EQ(w.snd.cues[1], (RecordingSound::Cue{1, "up.wav"}));
}

TEST_F(Shop, lineCostsHundredToFifteenSeventyOverItsTwentyTwoSteps) {
  s().Money = 1000000;
  s().LineStrength = 280;
  const auto prices = PricesPaid(w, line_bClick, 22);
  for (int k = 0; k < 22; ++k) EXPECT_EQ(prices[k], 100 + 70 * k);
  EXPECT_EQ(prices.back(), 1570);
  EXPECT_EQ(s().LineStrength, 500);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("L500を買った!!") + "\r" + FakeView::Pad("糸の強度 > +10"));
}

TEST_F(Shop, reelCostsThousandToThirtyFiveHundredAndSaysOnlyItsName) {
  s().Money = 1000000;
  EXPECT_EQ(PricesPaid(w, real_bClick, 6), (std::vector<std::int32_t>{1000, 1500, 2000, 2500, 3000, 3500}));
  EXPECT_EQ(s().ReelLevel, 6);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("R6を買った!!"));
}

TEST_F(Shop, newGameMoneyAffordsTheFirstLineButNeitherGunNorReel) {
  s().Money = 100;
  s().LineStrength = 280;
  gun_bClick(w.ctx);
  real_bClick(w.ctx);
  EXPECT_EQ(s().Money, 100);
  EXPECT_EQ(s().GunLevel, 0);
  EXPECT_EQ(s().ReelLevel, 0);
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("お金が足りません"));
  line_bClick(w.ctx);
  EXPECT_EQ(s().Money, 0);
  EXPECT_EQ(s().LineStrength, 290);
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"no.wav", "no.wav", "buy.wav", "up.wav"}));
}

TEST_F(Shop, shopButtonOpensWithAGreetingAndClosesWithAPondSaying) {
  w.view.SetShown(Panel::Fish, true);
  w.view.SetShown(Panel::Help, true);
  Button3Click(w.ctx);
  EXPECT_TRUE(w.view.IsShown(Panel::Shop));
  EXPECT_FALSE(w.view.IsShown(Panel::Fish));
  EXPECT_FALSE(w.view.IsShown(Panel::Help));
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("いらっちゃい"));
  w.rnd.Push({0, 0});
  Button3Click(w.ctx);
  EXPECT_FALSE(w.view.IsShown(Panel::Shop));
  EXPECT_EQ(w.view.messageLine, FakeView::Pad("しずかな池"));
  EXPECT_EQ(w.snd.music, std::vector<Text>{"p1.mid"});
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"neji.wav", "1.wav"}));
}

TEST_F(Shop, fieldMusicDrawsTheSayingAgainWhileItIsEmptyThenTheTune) {
  w.cat->FillConstants();  // sayings 0..65 filled, 66..256 empty
  w.rnd.Push({66, 225, 65, 4});
  EXPECT_EQ(PlayFieldMusic(*w.cat, w.rnd, w.snd), "大宇宙よ！！！");
  EXPECT_EQ(w.rnd.Bounds(), (std::vector<std::int32_t>{226, 226, 226, 5}));
  EXPECT_EQ(w.snd.music, std::vector<Text>{"p5.mid"});
}

} // namespace
} // namespace ikea::test
