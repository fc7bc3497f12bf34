#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "base/Cp932.h"
#include "base/GameError.h"
#include "tests/support/QtWait.h"
#include "tests/support/ScriptedDialogs.h"
#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Fonts.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/PictureBox.h"
#include "toolkit/TextCodec.h"
#include "toolkit/Window.h"

namespace ikea::test {
namespace {

Text Sjis(const std::string& utf8) { return *Utf8ToCp932(utf8); }

TEST(Captions, showByte5CAsYenButLeaveDoubleByteTrailBytesAlone) {
  EXPECT_EQ(tk::DisplayText(Sjis("セーブ \\50")), QString::fromUtf8("セーブ ¥50"));
  // "ソ" is 0x83 0x5C in cp932.
  EXPECT_EQ(tk::DisplayText(Sjis("ソ")), QString::fromUtf8("ソ"));
}

TEST(Captions, aHalfTypedDoubleByteCharacterShowsNothingOfIt) {
  Text text = Sjis("あい");
  EXPECT_EQ(tk::DisplayText(text.substr(0, 3)), QString::fromUtf8("あ"));
}

TEST(WindowFrame, outerSizeLeavesTheDialogClientArea) {
  tk::Window window;
  window.SetOuterSize(415, 301);
  EXPECT_EQ(window.size(), QSize(409, 276));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  window.SetCaption(Sjis("池"));
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("池"));
}

class LabelTest : public ::testing::Test {
protected:
  void SetUp() override { parent.setFont(tk::WindowFont()); }
  QWidget parent;
};

TEST_F(LabelTest, autoSizeFitsTheTextAndRightAlignmentKeepsTheRightEdge) {
  tk::Label label(&parent);
  label.setGeometry(253, 236, 48, 12);
  label.SetAlignment(tk::Align::Right);
  label.SetAutoSize(true);
  label.SetCaption(Sjis("装備:【ゴート銃】\rリール"));
  EXPECT_EQ(label.x() + label.width(), 301);
  EXPECT_EQ(label.width(), label.TextWidth());
  EXPECT_EQ(label.height(), 2 * 12);  // two lines of the 12-pixel font
  EXPECT_GT(label.width(), 48);
}

TEST_F(LabelTest, carriageReturnsBreakLinesAndWordWrapBreaksAtTheWidth) {
  tk::Label label(&parent);
  label.setGeometry(0, 0, 60, 12);
  label.SetCaption(Sjis("一\r\rあいうえおかきくけこさしすせそ"));
  EXPECT_EQ(label.Lines().size(), 3);
  label.SetWordWrap(true);
  QStringList lines = label.Lines();
  ASSERT_GT(lines.size(), 3);
  EXPECT_EQ(lines[0], QString::fromUtf8("一"));
  EXPECT_EQ(lines[1], QString());
  for (const QString& line : lines) EXPECT_LE(label.fontMetrics().horizontalAdvance(line), 60);
  EXPECT_EQ(lines.mid(2).join(QString()), QString::fromUtf8("あいうえおかきくけこさしすせそ"));
}

TEST_F(LabelTest, keptLinesFollowANewCaptionWidthAndFont) {
  tk::Label label(&parent);
  label.setGeometry(0, 0, 200, 12);
  label.SetWordWrap(true);
  label.SetCaption(Sjis("あいうえおかきくけこ"));
  ASSERT_EQ(label.Lines().size(), 1);
  label.resize(60, 12);
  EXPECT_GT(label.Lines().size(), 1);
  label.SetCaption(Sjis("あ"));
  EXPECT_EQ(label.Lines(), QStringList{QString::fromUtf8("あ")});
  label.SetCaption(Sjis("あいうえおかきくけこ"));
  const qsizetype atWindowFont = label.Lines().size();
  QFont larger = tk::WindowFont();
  larger.setPixelSize(24);
  label.setFont(larger);
  EXPECT_GT(label.Lines().size(), atWindowFont);
}

TEST_F(LabelTest, wordWrapPrefersTheLastSpace) {
  QFontMetrics metrics(tk::WindowFont());
  int width = metrics.horizontalAdvance("moji line") + 1;
  QStringList lines = tk::BreakLines("moji line wraps", metrics, width);
  EXPECT_EQ(lines, (QStringList{"moji line", "wraps"}));
}

TEST(ButtonEvents, clickComesBeforeMouseUpAndAfterMouseDown) {
  QWidget parent;
  tk::Button button(&parent);
  button.setGeometry(0, 0, 80, 25);
  parent.show();
  std::vector<std::string> order;
  button.onMouseDown = [&](tk::MouseButton, int x, int y) { order.push_back("down " + std::to_string(x) + "," + std::to_string(y)); };
  button.onClick = [&] { order.push_back("click"); };
  button.onMouseUp = [&](tk::MouseButton, int, int) { order.push_back("up"); };
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 7));
  EXPECT_EQ(order, (std::vector<std::string>{"down 10,7", "click", "up"}));
}

TEST(HandlerErrors, anEscapedErrorIsShownInABoxAndTheNextEventStillRuns) {
  ScriptedDialogs dialogs;
  QWidget parent;
  tk::Button button(&parent);
  button.resize(80, 25);
  parent.show();
  int clicks = 0;
  button.onClick = [&] {
    ++clicks;
    throw GameError(Sjis("ﾌｧｲﾙが見つかりません"));
  };
  QTest::mouseClick(&button, Qt::LeftButton);
  button.onClick = [&] { ++clicks; throw std::runtime_error("Out of play entries"); };
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(dialogs.informed, (std::vector<Text>{Sjis("ﾌｧｲﾙが見つかりません"), "Out of play entries"}));
}

TEST(ListBoxSelection, mouseDownSeesTheLineJustClickedAndClearingSelectsNothing) {
  QWidget parent;
  tk::ListBox list(&parent);
  list.setGeometry(0, 0, 85, 213);
  list.SetItemHeight(12);
  for (int i = 0; i < 16; ++i) list.Add(i == 3 ? Sjis("ナマズ") : Text());
  parent.show();
  EXPECT_EQ(list.Selected(), -1);
  int seen = -2;
  list.onMouseDown = [&](tk::MouseButton, int, int) { seen = list.Selected(); };
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 3 * 12 + 5));
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(list.Line(3), Sjis("ナマズ"));
  list.SetLine(3, Text());
  EXPECT_EQ(list.Selected(), 3);
  list.Clear();
  EXPECT_EQ(list.Selected(), -1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Line(0), Text());
}

class EditLimit : public ::testing::Test {
protected:
  void SetUp() override {
    parent.show();
    edit.resize(161, 17);
    edit.setFocus();
    edit.onChange = [this] { changes.push_back(edit.GetText()); };
  }
  // Typing one key per character, as a Japanese keyboard layout would.
  void Type(const QString& text) {
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(&edit, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(&edit, &release);
    }
  }
  void Commit(const QString& text) {
    QInputMethodEvent event(QString(), {});
    event.setCommitString(text);
    QCoreApplication::sendEvent(&edit, &event);
  }
  QWidget parent;
  tk::Edit edit{&parent};
  std::vector<Text> changes;
};

TEST_F(EditLimit, countsFullWidthCharactersAsTwoBytes) {
  edit.SetMaxBytes(5);
  Type(QString::fromUtf8("あいう"));
  EXPECT_EQ(edit.GetText(), Sjis("あい"));
  Type("xy");
  EXPECT_EQ(edit.GetText(), Sjis("あいx"));
  EXPECT_EQ(changes.back(), Sjis("あいx"));
}

TEST_F(EditLimit, oneByteLimitTakesOnlyAHalfWidthCharacter) {
  edit.SetMaxBytes(1);
  Type(QString::fromUtf8("あｱ"));
  EXPECT_EQ(edit.GetText(), Sjis("ｱ"));
}

TEST_F(EditLimit, inputMethodTextIsCommittedAsFarAsItFits) {
  edit.SetMaxBytes(6);
  Commit(QString::fromUtf8("ぷくぷく"));
  EXPECT_EQ(edit.GetText(), Sjis("ぷくぷ"));
}

TEST_F(EditLimit, refusesCharactersThatCp932CannotHold) {
  edit.SetMaxBytes(16);
  Type(QString::fromUtf8("a😀é"));
  EXPECT_EQ(edit.GetText(), Text("a"));
}

TEST_F(EditLimit, aLongerTextSetByTheProgramIsShownWholeAndCanBeShortened) {
  edit.SetMaxBytes(2);
  edit.SetText(Sjis("ながいなまえ"));
  EXPECT_EQ(edit.GetText(), Sjis("ながいなまえ"));
  EXPECT_EQ(changes.back(), Sjis("ながいなまえ"));
  edit.end(false);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.GetText(), Sjis("ながいなま"));
  Type("z");
  EXPECT_EQ(edit.GetText(), Sjis("ながいなま"));
}

TEST(BarGaugeFill, isFullAboveTheMaximumAndEmptyBelowZero) {
  tk::BarGauge gauge(nullptr);
  gauge.resize(13, 165);
  gauge.SetMax(300);
  gauge.SetProgress(30);
  EXPECT_EQ(gauge.BarHeight(), 16);
  gauge.SetProgress(301);
  EXPECT_EQ(gauge.BarHeight(), 165);
  gauge.SetProgress(-5);
  EXPECT_EQ(gauge.BarHeight(), 0);
  gauge.SetMax(0);
  gauge.SetProgress(1);
  EXPECT_EQ(gauge.BarHeight(), 165);
}

TEST(PictureBoxClicks, reportPicturePixelsAndClickOnlyOnReleaseInside) {
  QWidget parent;
  tk::PictureBox box(&parent);
  box.setGeometry(148, 244, 121, 25);
  parent.resize(409, 277);
  parent.show();
  std::vector<std::string> seen;
  box.onMouseDown = [&](tk::MouseButton b, int x, int y) {
    seen.push_back(std::string(b == tk::MouseButton::Right ? "right " : "left ") + std::to_string(x) + "," + std::to_string(y));
  };
  box.onClick = [&] { seen.push_back("click"); };
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 6));
  QTest::mousePress(&box, Qt::RightButton, {}, QPoint(1, 2));
  QTest::mouseRelease(&box, Qt::RightButton, {}, QPoint(1, 2));
  EXPECT_EQ(seen, (std::vector<std::string>{"left 5,6", "click", "right 1,2"}));
}

TEST(PictureChanges, coverEveryDifferingPixelAndNothingWhenAlike) {
  QImage before(30, 20, QImage::Format_RGB32);
  before.fill(Qt::white);
  QImage after = before.copy();
  EXPECT_TRUE(tk::ChangedRect(before, after).isEmpty());
  after.setPixel(3, 17, qRgb(0, 0, 1));
  EXPECT_EQ(tk::ChangedRect(before, after), QRect(3, 17, 1, 1));
  after.setPixel(25, 2, qRgb(1, 0, 0));
  EXPECT_EQ(tk::ChangedRect(before, after), QRect(QPoint(3, 2), QPoint(25, 17)));
  EXPECT_EQ(tk::ChangedRect(QImage(), after), after.rect());
  EXPECT_EQ(tk::ChangedRect(before.copy(0, 0, 30, 19), after), after.rect());
}

// Records what each paint was asked to cover.
class WatchedPictureBox final : public tk::PictureBox {
public:
  using PictureBox::PictureBox;
  std::vector<QRect> painted;

protected:
  void paintEvent(QPaintEvent* event) override {
    painted.push_back(event->rect());
    PictureBox::paintEvent(event);
  }
};

TEST(PictureBoxRepaints, onlyWhereTheCanvasChangedThePicture) {
  QWidget parent;
  WatchedPictureBox box(&parent);
  box.setGeometry(0, 0, 40, 30);
  parent.resize(40, 30);
  QImage frame(40, 30, QImage::Format_RGB32);
  frame.fill(Qt::darkBlue);
  parent.show();
  ASSERT_TRUE(RunEventsUntil([&] { return !box.painted.empty(); }));
  auto paintsAfter = [&](const std::function<void()>& draw) {
    box.painted.clear();
    draw();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return box.painted;
  };
  // The first drawing changes the whole white picture the canvas made.
  EXPECT_EQ(paintsAfter([&] { box.Canvas().Draw(frame, 0, 0); }), std::vector<QRect>{box.rect()});
  EXPECT_TRUE(paintsAfter([&] { box.Canvas().Draw(frame, 0, 0); }).empty());
  EXPECT_EQ(paintsAfter([&] {
              box.Canvas().Draw(frame, 0, 0);
              box.Canvas().Rectangle(10, 5, 14, 8);
            }),
            std::vector<QRect>{QRect(10, 5, 4, 3)});
  EXPECT_EQ(box.grab().toImage().pixel(12, 6), box.Picture().pixel(12, 6));
}

}  // namespace
}  // namespace ikea::test
