#include <gtest/gtest.h>

#include "fishing/Status.h"
#include "tests/fishing/FishingWorld.h"

namespace ikea::test {
namespace {

class Status : public ::testing::Test, public FishingWorld {
protected:
  StatusTexts Compose(bool tankShown = false) { return ComposeStatus(s, cat, tankShown); }
};

TEST_F(Status, statusLabelJoinsAllThirtyFourPiecesWithCarriageReturns) {
  s.LineTension = 123;
  s.LineOut = 45;
  s.LineWear = 6;
  s.Bullets = 20;
  s.Sardines = 3;
  s.Hour = 8;
  s.Tries = 12;
  s.Money = 1000;
  EXPECT_EQ(Compose().state_l,
            "ﾗｲﾝﾃﾝｼｮﾝ > 123\r残り > 45m.\r\r糸の弱体 > -6\r銃弾残り:20発\rにぼし:3匹\r\r"
            "時刻:昼 8時\r\rトライ:12回\r所持金:1000円");
}

TEST_F(Status, timeLineNamesThePartOfTheDayWithOneSpaceBeforeTheHour) {
  struct Case { int hour; Text line; };
  const Case cases[] = {{0, "時刻:夜 0時"},   {5, "時刻:朝 5時"},     {8, "時刻:昼 8時"},
                        {17, "時刻:夕方 17時"}, {20, "時刻:夜 20時"}, {23, "時刻:夜 23時"},
                        {30, "時刻: 30時"}};
  for (const Case& c : cases) {
    s.Hour = c.hour;
    EXPECT_NE(Compose().state_l.find("\r" + c.line + "\r"), Text::npos) << c.hour;
  }
}

TEST_F(Status, equipmentAndMoneyLinesNameTheCurrentGear) {
  s.GunLevel = 2;
  s.LineStrength = 300;
  s.ReelLevel = 6;
  s.Money = 77;
  StatusTexts t = Compose();
  EXPECT_EQ(t.state_l2, "装備:【ゴート銃】 威力:△2\r糸:『草糸』 強度:300\rリール:『うでで巻く』 Lv:6");
  EXPECT_EQ(t.state_l3, "お金:77円");
  s.LineStrength = 285;  // only an edited save has this
  EXPECT_NE(Compose().state_l2.find("糸:『』 強度:285"), Text::npos);
}

TEST_F(Status, gaugeTakesTheLineStrengthAsMaximumAndBlinksOnlyWhileHooked) {
  s.LineStrength = 350;
  s.LineTension = 400;
  StatusTexts t = Compose();
  EXPECT_EQ(t.line_max_l, "350");
  EXPECT_EQ(t.gaugeMax, 350);
  EXPECT_EQ(t.gaugeProgress, 400);
  EXPECT_FALSE(t.gaugeBackColour.has_value());

  s.Hooked = 1;
  s.TickCount = 4;
  EXPECT_EQ(Compose().gaugeBackColour, (Rgb{0, 64, 128}));
  s.TickCount = 5;
  EXPECT_EQ(Compose().gaugeBackColour, (Rgb{0, 39, 79}));
}

TEST_F(Status, castButtonShowsWhenIdleAndReelButtonFromTheFloatOnNeitherWhileChoosing) {
  const bool sao[] = {true, false, false, false};
  const bool maku[] = {false, false, true, true};
  for (int phase = 0; phase < 4; ++phase) {
    s.FishingPhase = phase;
    StatusTexts t = Compose();
    EXPECT_EQ(t.saoVisible, sao[phase]) << phase;
    EXPECT_EQ(t.makuVisible, maku[phase]) << phase;
  }
}

TEST_F(Status, baitCaptionsAreSetOnlyWhileTheTankIsShown) {
  s.Shrimp = 1;
  s.Milk = 2;
  s.Beans = 3;
  s.JisuDama = 4;
  EXPECT_FALSE(Compose(false).bait.has_value());
  EXPECT_EQ(Compose(true).bait, (BaitCaptions{"えび(1)", "牛乳(2)", "まめ(3)", "じす玉(4)"}));
}

TEST_F(Status, upgradeButtonsOfferTheNextItemUpToTheLastLevelAndHideThere) {
  s.LineStrength = 490;
  s.GunLevel = 14;
  s.ReelLevel = 5;
  StatusTexts t = Compose();
  EXPECT_EQ(t.line_b, (UpgradeButton{true, "ラストライン \\1570"}));
  EXPECT_EQ(t.gun_b, (UpgradeButton{true, "石 \\1600"}));
  EXPECT_EQ(t.real_b, (UpgradeButton{true, "うでで巻く \\3500"}));

  s.LineStrength = 500;
  s.GunLevel = 15;
  s.ReelLevel = 6;
  t = Compose();
  EXPECT_EQ(t.line_b, (UpgradeButton{false, std::nullopt}));
  EXPECT_EQ(t.gun_b, (UpgradeButton{false, std::nullopt}));
  EXPECT_EQ(t.real_b, (UpgradeButton{false, std::nullopt}));

  s.LineStrength = 280;
  s.GunLevel = 0;
  s.ReelLevel = 0;
  t = Compose();
  EXPECT_EQ(t.line_b.caption, "わら糸 \\100");
  EXPECT_EQ(t.gun_b.caption, "トロッコ銃 \\200");
  EXPECT_EQ(t.real_b.caption, "銀のリール \\1000");
}

TEST_F(Status, savedLevelsFarOutOfRangeComposeWithoutOverflow) {
  s.LineStrength = INT32_MIN;
  s.GunLevel = INT32_MIN;
  s.ReelLevel = INT32_MIN;
  s.Hour = INT32_MAX;
  StatusTexts t = Compose();
  EXPECT_TRUE(t.line_b.visible);
  EXPECT_EQ(t.line_b.caption->substr(0, 2), " \\");  // no such line: empty name
  EXPECT_TRUE(t.gun_b.visible);
  EXPECT_TRUE(t.real_b.visible);
}

} // namespace
} // namespace ikea::test
