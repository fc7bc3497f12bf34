#include <QTest>
#include <gtest/gtest.h>

#include "GameFolderFixture.h"
#include "fishing/Status.h"
#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/ListBox.h"
#include "toolkit/Label.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Label.h"
#include "toolkit/Look.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"

namespace ikea::test {
namespace {

class Screens : public GameFolderTest {
protected:
  void SetUp() override {
    Open();
    form->show();
    tk::ProcessMessages();
  }
  bool TitleShows(int k) const {
    QRgb shown = form->title_cg->Picture().pixel(200, 100);
    QRgb expected = TitleColour(k);
    return std::abs(qRed(shown) - qRed(expected)) < 8 && std::abs(qGreen(shown) - qGreen(expected)) < 8;
  }
};

TEST_F(Screens, helpOnTheStartScreenLiesAboveItAndASecondPressHidesIt) {
  form->Button28Click();
  EXPECT_EQ(form->help_box->pos(), QPoint(0, 0));
  EXPECT_TRUE(tk::IsShown(form->help_box));
  QWidget* top = form->childAt(150, 100);
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(top == form->help_box || form->help_box->isAncestorOf(top));
  form->Button28Click();
  EXPECT_FALSE(tk::IsShown(form->help_box));
  EXPECT_TRUE(form->start_box->isAncestorOf(form->childAt(150, 100)) || form->childAt(150, 100) == form->start_box);
  EXPECT_EQ(sound.cues, (std::vector<RecordingSound::Cue>{{0, "1.wav"}, {0, "1.wav"}}));
}

TEST_F(Screens, startUpShowsTheTitleOfTheCurrentCountBeforeTheAnimationsFirstStep) {
  EXPECT_EQ(form->State().TitleFrameCount, 0);
  EXPECT_TRUE(TitleShows(1));
}

TEST_F(Screens, titleAnimationDrawsFrameCountModSixPlusOneAndWrapsAfter999) {
  form->Timer3Timer();
  EXPECT_EQ(form->State().TitleFrameCount, 1);
  EXPECT_TRUE(TitleShows(2));
  form->Timer3Timer();
  EXPECT_TRUE(TitleShows(3));
  form->State().TitleFrameCount = 999;
  form->Timer3Timer();
  EXPECT_EQ(form->State().TitleFrameCount, 0);
  EXPECT_TRUE(TitleShows(1));
}

TEST_F(Screens, titleAnimationStopsOnceTheStartScreenIsHiddenByCountine) {
  form->Timer3Timer();
  QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(60, 12));  // COUNTINE
  ASSERT_FALSE(tk::IsShown(form->start_box));
  QImage before = form->title_cg->Picture();
  for (int i = 0; i < 10; ++i) form->Timer3Timer();
  EXPECT_EQ(form->State().TitleFrameCount, 1);
  EXPECT_EQ(form->title_cg->Picture(), before);
}

TEST_F(Screens, newGameAreaAsksFirstAndNoKeepsTheStartScreen) {
  dialogs.answers = {false};
  QTest::mouseClick(form->Image2, Qt::LeftButton);
  EXPECT_EQ(dialogs.asked.size(), 1u);
  EXPECT_TRUE(tk::IsShown(form->start_box));
  QTest::mouseClick(form->Image2, Qt::LeftButton);
  EXPECT_FALSE(tk::IsShown(form->start_box));
}

TEST_F(Screens, pressingTheTitlesClickAreaPlaysZuzuAndChangesNothingElse) {
  GameState before = form->State();
  QTest::mousePress(form->Image4, Qt::RightButton, {}, QPoint(3, 4));
  EXPECT_EQ(sound.cues, (std::vector<RecordingSound::Cue>{{0, "zuzu.wav"}}));
  EXPECT_EQ(static_cast<tmy&>(form->State()), static_cast<tmy&>(before));
  EXPECT_TRUE(tk::IsShown(form->start_box));
}

TEST_F(Screens, timerEventShowsTheStatusAndTheCastButtonOnly) {
  form->State().Hour = 17;
  form->Timer1Timer();
  EXPECT_EQ(form->state_l->Caption(), StatusText(form->State()));
  EXPECT_TRUE(tk::IsShown(form->sao_b));
  EXPECT_FALSE(tk::IsShown(form->maku_b));
  EXPECT_EQ(form->line_max_l->Caption(), n(form->State().LineStrength));
  EXPECT_EQ(form->line_tenshion_l->Max(), form->State().LineStrength);
}

TEST_F(Screens, aMissingTankPictureIsShownInABoxAndTheGameGoesOn) {
  std::filesystem::remove(File("cg/suisou1.bmp"));
  QTest::mouseClick(form->Button1, Qt::LeftButton);  // the tank
  ASSERT_EQ(dialogs.informed.size(), 1u);
  EXPECT_EQ(dialogs.informed.front(), Sjis("ﾌｧｲﾙ " + File("cg/suisou1.bmp").string() + " は開けません"));
  EXPECT_TRUE(tk::IsShown(form->fish_box));
  form->Timer1Timer();
  EXPECT_EQ(form->state_l3->Caption(), MoneyText(form->State()));
}

// Showing a card must not store the name edit's text back into the slot:
// bytes with no character (a damaged save) would come back erased or cut,
// and the next save would write that.
TEST_F(Screens, showingAFishCardNeverRewritesAStoredName) {
  GameState& s = form->State();
  const Text undefinedByte = Sjis("タマ") + "\x80";  // no character in cp932
  const Text halfCharacter = Sjis("ミケ") + "\x82";  // a lead byte with no trail
  s.TankKind[0] = s.TankKind[1] = 1;
  s.TankSize[0] = s.TankSize[1] = 150;
  s.TankName[0] = undefinedByte;
  s.TankName[1] = halfCharacter;
  QTest::mouseClick(form->Button1, Qt::LeftButton);  // the tank
  ASSERT_TRUE(tk::IsShown(form->fish_box));
  auto clickLine = [&](int line) {
    QRect r = form->fish_list->visualItemRect(form->fish_list->item(line));
    QTest::mouseClick(form->fish_list->viewport(), Qt::LeftButton, {}, r.center());
  };
  clickLine(0);
  EXPECT_EQ(s.TankName[0], undefinedByte);
  clickLine(1);
  EXPECT_EQ(s.TankName[1], halfCharacter);
  EXPECT_EQ(form->name_l->GetText(), Sjis("ミケ"));
  clickLine(0);
  EXPECT_EQ(s.TankName[0], undefinedByte);
  EXPECT_EQ(s.TankName[1], halfCharacter);

  // The player's own typing still names the fish.
  clickLine(1);
  form->name_l->setFocus();
  form->name_l->end(false);
  QTest::keyClick(form->name_l, Qt::Key_X);
  EXPECT_EQ(s.TankName[1], Sjis("ミケx"));
  EXPECT_EQ(s.TankName[0], undefinedByte);
}

TEST_F(Screens, typedMessagesEndWholeInBothMessageLines) {
  form->TypeMessage(Sjis("ヒット!"));
  EXPECT_EQ(form->moji_l->Caption(), Sjis("ヒット! "));
  EXPECT_EQ(form->moji_l2->Caption(), Sjis("ヒット! "));
  form->TypeMessageLine(Sjis("逃げた"));
  EXPECT_EQ(form->moji_l->Caption(), Sjis("ヒット! \r逃げた"));
}

}  // namespace
}  // namespace ikea::test
