#include <QPalette>
#include <gtest/gtest.h>

#include "GameFolderFixture.h"
#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/Look.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"
#include "tools/assetgen/pictures/RaceTrack.h"

namespace ikea::test {
namespace {

class Layout : public GameFolderTest {
protected:
  void SetUp() override { Open(); }
  QRect Geometry(const char* name) const { return form->Widgets().Find(name)->geometry(); }
  int StackIndex(const char* name) const {
    QWidget* widget = form->Widgets().Find(name);
    return static_cast<int>(widget->parentWidget()->children().indexOf(widget));
  }
};

TEST_F(Layout, windowHasItsCaptionColourAndDialogClientArea) {
  EXPECT_EQ(form->Caption(), Sjis("豆煮え爺の池遊び ver2.0"));
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("豆煮え爺の池遊び ver2.0"));
  EXPECT_EQ(form->OuterWidth(), 415);
  EXPECT_EQ(form->OuterHeight(), 301);
  EXPECT_EQ(form->size(), QSize(409, 276));
  EXPECT_EQ(form->pos(), QPoint(194, 106));
  EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0x00, 0x58, 0xB0));
  EXPECT_TRUE(dialogs.informed.empty());
}

TEST_F(Layout, mainViewWidgetsSitWhereTheLayoutPutsThem) {
  EXPECT_EQ(Geometry("cg"), QRect(0, 0, 300, 200));
  EXPECT_EQ(Geometry("moji_l"), QRect(0, 200, 301, 73));
  EXPECT_EQ(Geometry("state_l"), QRect(304, 4, 101, 145));
  EXPECT_EQ(Geometry("line_tenshion_l"), QRect(388, 72, 13, 165));
  EXPECT_EQ(Geometry("sao_b"), QRect(304, 4, 101, 29));
  EXPECT_EQ(Geometry("Button2"), QRect(304, 180, 77, 29));
  EXPECT_EQ(Geometry("maku_b"), Geometry("Button28"));
  EXPECT_EQ(form->state_l2->x() + form->state_l2->width(), 301);  // right-aligned, sized to its text
  EXPECT_EQ(form->line_tenshion_l->Max(), 300);
  EXPECT_EQ(form->line_tenshion_l->Progress(), 30);
  EXPECT_EQ(form->Button2->text(), QString::fromUtf8("セーブ ¥50"));
  EXPECT_FALSE(tk::IsShown(form->Button8));
  EXPECT_FALSE(tk::IsShown(form->Button9));
}

TEST_F(Layout, theRaceCourseComesWithTheWindowItselfNotFromTheGameFolder) {
  const QImage& course = form->Widgets().Get<tk::PictureBox>("Image3")->Picture();
  const QImage drawn = artwork::DrawRaceTrack();
  ASSERT_EQ(course.size(), QSize(381, 101));
  EXPECT_EQ(course.convertToFormat(drawn.format()), drawn);
}

TEST_F(Layout, laterWidgetsLieAboveEarlierOnes) {
  EXPECT_GT(StackIndex("sao_b"), StackIndex("state_l"));
  EXPECT_GT(StackIndex("maku_b"), StackIndex("Button28"));
  EXPECT_LT(StackIndex("fish_box"), StackIndex("shop_box"));
  EXPECT_LT(StackIndex("shop_box"), StackIndex("start_box"));
  EXPECT_LT(StackIndex("start_box"), StackIndex("race_box"));
  EXPECT_LT(StackIndex("race_box"), StackIndex("help_box"));
  EXPECT_GT(StackIndex("shop_box"), StackIndex("maku_b"));
  EXPECT_GT(StackIndex("fish_1"), StackIndex("Image3"));
}

TEST_F(Layout, startUpPlacesThePanelsAndLeavesOnlyTheStartScreenShown) {
  for (const char* name : {"fish_box", "race_box", "shop_box", "start_box"})
    EXPECT_EQ(form->Widgets().Find(name)->pos(), QPoint(0, 0)) << name;
  EXPECT_EQ(Geometry("help_box"), QRect(602, 208, 300, 200));
  EXPECT_EQ(Geometry("start_box"), QRect(0, 0, 409, 277));
  EXPECT_EQ(Geometry("title_cg"), QRect(0, 0, 409, 277));
  EXPECT_EQ(Geometry("fish_box").size(), QSize(405, 273));
  EXPECT_EQ(Geometry("race_box").size(), QSize(405, 273));
  EXPECT_EQ(Geometry("shop_box").size(), QSize(300, 200));
  EXPECT_EQ(Geometry("race_box2"), QRect(24, 24, 309, 77));
  EXPECT_TRUE(form->IsShown(Panel::Start));
  for (Panel p : {Panel::Fish, Panel::RaceChooser, Panel::Race, Panel::Shop, Panel::Help, Panel::CardTitle})
    EXPECT_FALSE(form->IsShown(p));
  EXPECT_EQ(sound.music, (std::vector<Text>{"op.mid"}));
}

TEST_F(Layout, panelsPassTheirTextColourAndBoldFontToTheirLabels) {
  auto* heading = form->Widgets().Get<tk::Label>("Label2");
  EXPECT_EQ(tk::TextColourOf(heading), (Rgb{0x00, 0x93, 0x93}));
  auto* card = form->Widgets().Get<tk::Label>("fish_l");
  EXPECT_TRUE(card->font().bold());
  EXPECT_EQ(card->font().family(), "IPAGothic");
  EXPECT_EQ(form->Widgets().Get<tk::Label>("Label17")->font().family(), "IPAPGothic");
  EXPECT_EQ(tk::TextColourOf(form->Widgets().Get<tk::Label>("Label17")), (Rgb{0x00, 0xFF, 0xFF}));
  EXPECT_EQ(form->line_max_l->font().pixelSize(), 11);
}

TEST_F(Layout, runnerLabelsSizeThemselvesToTheirNames) {
  form->SetRunnerCaption(2, Sjis("ながいながいなまえ"));
  form->SetRunnerCaption(3, "ab");
  EXPECT_GT(form->RunnerWidth(2), form->RunnerWidth(3));
  EXPECT_EQ(form->RunnerWidth(3), form->Widgets().Get<tk::Label>("fish_3")->TextWidth());
  form->SetRunnerLeft(2, 200);
  EXPECT_EQ(form->RunnerLeft(2), 200);
  EXPECT_EQ(form->Widgets().Find("fish_2")->y(), 44);
}

}  // namespace
}  // namespace ikea::test
