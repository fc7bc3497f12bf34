#include <QTest>
#include <gtest/gtest.h>

#include "GameFolderFixture.h"
#include "base/GameError.h"
#include "game/SaveFile.h"
#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Look.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/Panel.h"

namespace ikea::test {
namespace {

using StartUp = GameFolderTest;

Text CannotOpen(const std::filesystem::path& file) { return Sjis("ﾌｧｲﾙ " + file.string() + " は開けません"); }

// What a failed start leaves: the panels at their design places, no music,
// and a window that still runs its handlers.
void ExpectStartStoppedButWindowRuns(TForm1& form, RecordingSound& sound) {
  EXPECT_EQ(form.start_box->pos(), QPoint(656, 108));
  EXPECT_EQ(form.fish_box->pos(), QPoint(44, 456));
  EXPECT_TRUE(sound.music.empty());
  form.show();
  tk::ProcessMessages();
  QTest::mouseClick(form.Button28, Qt::LeftButton);
  EXPECT_TRUE(tk::IsShown(form.help_box));
}

TEST_F(StartUp, aMissingSaveFileIsReportedAsNotFound) {
  std::filesystem::remove(File("dat/my.dat"));
  Open();
  EXPECT_EQ(dialogs.informed, (std::vector<Text>{Sjis("ﾌｧｲﾙが見つかりません")}));
  ExpectStartStoppedButWindowRuns(*form, sound);
}

TEST_F(StartUp, aMissingDatFolderShowsOneBoxAndTheWindowStillRuns) {
  std::filesystem::remove_all(File("dat"));
  Open();
  ASSERT_EQ(dialogs.informed.size(), 1u);
  EXPECT_FALSE(dialogs.informed.front().empty());
  ExpectStartStoppedButWindowRuns(*form, sound);
}

TEST_F(StartUp, aGarbageSaveFileShowsTheReadersErrorText) {
  WriteText("dat/my.dat", "garbage\r\n");
  Text expected;
  try {
    GameState probe;
    ReadSaveFileText("garbage\r\n", probe);
  } catch (const GameError& error) {
    expected = error.text();
  }
  ASSERT_FALSE(expected.empty());
  Open();
  EXPECT_EQ(dialogs.informed, (std::vector<Text>{expected}));
  ExpectStartStoppedButWindowRuns(*form, sound);
}

TEST_F(StartUp, aCorruptFramePictureStopsStartUpWithItsPathInTheBox) {
  WriteText("cg/h3.jpg", "\xFF\xD8 this is no picture");
  Open();
  EXPECT_EQ(dialogs.informed, (std::vector<Text>{CannotOpen(File("cg/h3.jpg"))}));
  EXPECT_FALSE(form->Widgets().Get<tk::PictureBox>("h2")->Picture().isNull());
  EXPECT_TRUE(form->Widgets().Get<tk::PictureBox>("h4")->Picture().isNull());
  ExpectStartStoppedButWindowRuns(*form, sound);
}

TEST_F(StartUp, aMissingBackgroundPictureIsReportedBeforeTheFrames) {
  std::filesystem::remove(File("cg/背景.bmp"));
  Open();
  EXPECT_EQ(dialogs.informed, (std::vector<Text>{CannotOpen(File("cg/背景.bmp"))}));
  EXPECT_TRUE(form->Widgets().Get<tk::PictureBox>("title1")->Picture().isNull());
}

TEST_F(StartUp, cueWaveErrorsAreIgnoredAndStartUpGoesOn) {
  loadCueWaves = [] { throw std::runtime_error("no such wave"); };
  Open();
  EXPECT_TRUE(dialogs.informed.empty());
  EXPECT_EQ(form->start_box->pos(), QPoint(0, 0));
  EXPECT_EQ(sound.music, (std::vector<Text>{"op.mid"}));
}

TEST_F(StartUp, closingLocksTheMessageLineAndDestroyingReleasesTheCueWavesOnce) {
  Open();
  form->show();
  form->close();
  EXPECT_EQ(form->State().MessageLock, 1);
  form->TypeMessage(Sjis("もう閉じた"));
  EXPECT_NE(form->moji_l->Caption(), Sjis("もう閉じた"));
  form.reset();
  EXPECT_EQ(cueWaveReleases, 1);
}

}  // namespace
}  // namespace ikea::test
